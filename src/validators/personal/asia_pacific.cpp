// Health and national identity numbers of Asia and Oceania: `au.medicare`
// (Medicare card number, Services Australia), `sg.nric` (NRIC and FIN,
// Immigration & Checkpoints Authority), `tw.nid` (national identification
// number, Ministry of the Interior) and `nz.nhi` (National Health Index
// number, Health New Zealand).
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/personal/records.h"

namespace ov::personal {

namespace {

using namespace extended;

// ---- au.medicare -----------------------------------------------------------
// Eight digits (the first 2 to 6), a check digit, the card's issue number
// and, on the card beside each name, an optional individual reference
// number. The check digit is the sum of the first eight digits weighted 1,
// 3, 7, 9, 1, 3, 7, 9, modulo 10.

char medicare_check_digit(std::string_view eight) noexcept {
    static constexpr unsigned kWeights[] = {1, 3, 7, 9, 1, 3, 7, 9};
    unsigned sum = 0;
    for (std::size_t i = 0; i < 8; ++i) sum += kWeights[i] * static_cast<unsigned>(eight[i] - '0');
    return static_cast<char>('0' + sum % 10);
}

ValidationOutcome medicare_check(std::string_view s) {
    if (s.size() != 10 && s.size() != 11)
        return fail(ErrorCode::InvalidLength, "Medicare number must be 10 digits (11 with the reference number)");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Medicare number must contain only digits");
    if (s[0] < '2' || s[0] > '6') return fail(ErrorCode::InvalidComponent, "Medicare number must start with 2 to 6");
    if (medicare_check_digit(s) != s[8])
        return fail(ErrorCode::InvalidChecksum, "Medicare number check digit does not match");
    // The individual reference number counts the card's holders from 1.
    if (s.size() == 11 && s[10] == '0')
        return fail(ErrorCode::InvalidComponent, "Medicare individual reference number must be 1 to 9");
    return ValidationOutcome::success_input(s);
}

// As printed on the card: 2123 45670 1, the reference number apart.
std::string medicare_present(std::string_view s) { return join_at(s, {4, 9, 10}, ' '); }

std::string medicare_generate() {
    std::string s = random_from("23456", 1) + random_digits(7);
    s.push_back(medicare_check_digit(s));
    s += random_from("123456789", 1);
    if (random_below(2) == 0) s += random_from("123456789", 1);
    return s;
}

constexpr KindRule kMedicareRule = {
    .separators = " -/", .upper = false, .prefix = {},
    .check = medicare_check, .present = medicare_present, .generate = medicare_generate,
};

constexpr std::string_view kMedicareAliases[] = {"Medicare", "Medicare number", "Medicare card number"};
// The number of Services Australia's sample card, without and with the
// individual reference number.
constexpr std::string_view kMedicareExamples[] = {"2123456701", "2123 45670 1 1"};
constexpr std::uint64_t kMedicareLengths[] = {10, 11};

// ---- sg.nric ---------------------------------------------------------------
// A prefix letter (S and T for citizens and permanent residents born before
// and from 2000, F and G for foreigners, M for foreigners from 2022), seven
// digits and a check letter: the digits weighted 2, 7, 6, 5, 4, 3, 2, plus 4
// for the prefixes T and G and 3 for M, modulo 11, indexes the prefix's
// letter table.

char nric_check_letter(char prefix, std::string_view seven) noexcept {
    static constexpr unsigned kWeights[] = {2, 7, 6, 5, 4, 3, 2};
    unsigned sum = 0;
    for (std::size_t i = 0; i < 7; ++i) sum += kWeights[i] * static_cast<unsigned>(seven[i] - '0');
    if (prefix == 'T' || prefix == 'G') sum += 4;
    if (prefix == 'M') sum += 3;
    const unsigned r = sum % 11;
    switch (prefix) {
        case 'S':
        case 'T':
            return "JZIHGFEDCBA"[r];
        case 'F':
        case 'G':
            return "XWUTRQPNMLK"[r];
        default:  // M
            return "XWUTRQPNJLK"[r];
    }
}

constexpr std::string_view kNricPrefixes = "STFGM";

ValidationOutcome nric_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "NRIC/FIN must be 9 characters");
    if (!is_upper(s[0]) || !all_digits(s.substr(1, 7)) || !is_upper(s[8]))
        return fail(ErrorCode::InvalidFormat, "NRIC/FIN must be a letter, seven digits and a check letter");
    if (kNricPrefixes.find(s[0]) == std::string_view::npos)
        return fail(ErrorCode::InvalidComponent, "NRIC/FIN must start with S, T, F, G or M");
    if (nric_check_letter(s[0], s.substr(1, 7)) != s[8])
        return fail(ErrorCode::InvalidChecksum, "NRIC/FIN check letter does not match");
    return ValidationOutcome::success_input(s);
}

std::string nric_generate() {
    std::string s = random_from(kNricPrefixes, 1) + random_digits(7);
    s.push_back(nric_check_letter(s[0], std::string_view(s).substr(1)));
    return s;
}

constexpr KindRule kNricRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = nric_check, .present = nullptr, .generate = nric_generate,
};

constexpr std::string_view kNricAliases[] = {"NRIC", "FIN", "NRIC number", "Foreign Identification Number",
                                             "National Registration Identity Card"};
// Worked examples of the check letter for each prefix table.
constexpr std::string_view kNricExamples[] = {"S1234567D", "T1234567J", "F1234567N", "G1234567X", "M1234567K"};
constexpr std::uint64_t kNine[] = {9};

// ---- tw.nid ----------------------------------------------------------------
// A letter for the place of first registration, a digit for the holder (1
// male, 2 female; 8 and 9 on resident certificates issued from 2021),
// seven digits and a check digit. The letter counts as a two-digit number
// (A = 10 ... with I, O, W, X, Y, Z placed out of order); its tens weigh 1,
// its units 9, and the following digits 8, 7, ..., 1, 1: the sum must be a
// multiple of 10.

constexpr unsigned kTwLetterValue[26] = {
    10, 11, 12, 13, 14, 15, 16, 17, 34, 18, 19, 20, 21,  // A-M
    22, 35, 23, 24, 25, 26, 27, 28, 29, 32, 30, 31, 33,  // N-Z
};

unsigned tw_partial_sum(std::string_view nine) noexcept {
    const unsigned letter = kTwLetterValue[nine[0] - 'A'];
    unsigned sum = letter / 10 + 9 * (letter % 10);
    for (std::size_t i = 1; i < 9; ++i) sum += static_cast<unsigned>(9 - i) * static_cast<unsigned>(nine[i] - '0');
    return sum;
}

ValidationOutcome tw_nid_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "Taiwan national ID must be 10 characters");
    if (!is_upper(s[0]) || !all_digits(s.substr(1)))
        return fail(ErrorCode::InvalidFormat, "Taiwan national ID must be a letter and nine digits");
    if (s[1] != '1' && s[1] != '2' && s[1] != '8' && s[1] != '9')
        return fail(ErrorCode::InvalidComponent, "Taiwan national ID second character must be 1, 2, 8 or 9");
    if ((tw_partial_sum(s) + static_cast<unsigned>(s[9] - '0')) % 10 != 0)
        return fail(ErrorCode::InvalidChecksum, "Taiwan national ID check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string tw_nid_generate() {
    std::string s = random_from(kUpperLetters, 1) + random_from("1289", 1) + random_digits(7);
    s.push_back(static_cast<char>('0' + (10 - tw_partial_sum(s) % 10) % 10));
    return s;
}

constexpr KindRule kTwNidRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = tw_nid_check, .present = nullptr, .generate = tw_nid_generate,
};

constexpr std::string_view kTwNidAliases[] = {"National ID", "National Identification Number", "身分證字號",
                                              "統一證號"};
// The Ministry's specimen number, and a resident certificate number of the
// 2021 format.
constexpr std::string_view kTwNidExamples[] = {"A123456789", "A800000014"};
constexpr std::uint64_t kTen[] = {10};

// ---- nz.nhi ----------------------------------------------------------------
// Seven characters, three letters first. The original format follows them
// with three digits and a check digit (weights 7 to 2 modulo 11, the digit
// 11 minus the remainder, 10 written 0, remainder 0 never issued); the
// format issued from 2025 with two digits, a letter and a check letter
// (weights 7 to 2 modulo 24, the letter of value 24 minus the remainder).
// Letters are valued A = 1 to Z = 24, without I and O.

constexpr std::string_view kNhiLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ";

struct NhiValues {
    std::uint8_t of[256] = {};  // 0: not an NHI letter
    constexpr NhiValues() {
        for (std::size_t i = 0; i < kNhiLetters.size(); ++i)
            of[static_cast<unsigned char>(kNhiLetters[i])] = static_cast<std::uint8_t>(i + 1);
    }
};
constexpr NhiValues kNhiValues{};

unsigned nhi_value(char c) noexcept {
    return is_digit(c) ? static_cast<unsigned>(c - '0') : kNhiValues.of[static_cast<unsigned char>(c)];
}

unsigned nhi_sum(std::string_view six) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 6; ++i) sum += static_cast<unsigned>(7 - i) * nhi_value(six[i]);
    return sum;
}

// The check character of the first six, or '\0' where none is issued.
char nhi_check_char(std::string_view six) noexcept {
    const unsigned sum = nhi_sum(six);
    if (is_digit(six[5])) {
        const unsigned r = sum % 11;
        if (r == 0) return '\0';
        return static_cast<char>('0' + (11 - r) % 10);
    }
    return kNhiLetters[24 - sum % 24 - 1];
}

bool nhi_letter(char c) noexcept { return kNhiValues.of[static_cast<unsigned char>(c)] != 0; }

ValidationOutcome nhi_check(std::string_view s) {
    static constexpr std::string_view kShape =
        "NHI number must be three letters and four digits, or three letters, two digits and two letters "
        "(no I or O)";
    if (s.size() != 7) return fail(ErrorCode::InvalidLength, "NHI number must be 7 characters");
    const bool head = nhi_letter(s[0]) && nhi_letter(s[1]) && nhi_letter(s[2]) && is_digit(s[3]) && is_digit(s[4]);
    const bool original = is_digit(s[5]) && is_digit(s[6]);
    const bool current = nhi_letter(s[5]) && nhi_letter(s[6]);
    if (!head || !(original || current)) return fail(ErrorCode::InvalidFormat, kShape);
    if (nhi_check_char(s.substr(0, 6)) != s[6])
        return fail(ErrorCode::InvalidChecksum, "NHI number check character does not match");
    return ValidationOutcome::success_input(s);
}

std::string nhi_generate() {
    for (;;) {
        std::string s = random_from(kNhiLetters, 3) + random_digits(2);
        s += random_below(2) == 0 ? random_from(kDigits, 1) : random_from(kNhiLetters, 1);
        if (const char c = nhi_check_char(s)) return s + c;
    }
}

constexpr KindRule kNhiRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = nhi_check, .present = nullptr, .generate = nhi_generate,
};

constexpr std::string_view kNhiAliases[] = {"NHI", "NHI number", "National Health Index"};
// Numbers of the ranges the standard sets aside for testing, in both formats.
constexpr std::string_view kNhiExamples[] = {"ZZZ0016", "ZZZ0024", "ALU18KZ", "ZZZ00AX"};
constexpr std::uint64_t kSeven[] = {7};

}  // namespace

const ValidatorSpec kAuMedicareSpec = {
    .source_url = "https://www.servicesaustralia.gov.au/medicare-card",
    .id = "au.medicare",
    .name = "Medicare Card Number",
    .local_name = "Medicare Card Number",
    .abbreviation = "Medicare",
    .aliases = kMedicareAliases,
    .candidate_pattern = "[2-6]\\d{9,10}",
    .lengths = kMedicareLengths,
    .examples = kMedicareExamples,
    .ops = kind_ops<kMedicareRule>(),
    .country = country("AU"),
    .entity = EntityType::Person,
};

const ValidatorSpec kSgNricSpec = {
    .source_url = "https://www.ica.gov.sg/",
    .id = "sg.nric",
    .name = "National Registration Identity Card Number",
    .local_name = "National Registration Identity Card Number",
    .abbreviation = "NRIC",
    .aliases = kNricAliases,
    .candidate_pattern = "[STFGM]\\d{7}[A-Z]",
    .lengths = kNine,
    .examples = kNricExamples,
    .ops = kind_ops<kNricRule>(),
    .country = country("SG"),
    .entity = EntityType::Person,
};

const ValidatorSpec kTwNidSpec = {
    .source_url = "https://www.ris.gov.tw/",
    .id = "tw.nid",
    .name = "Taiwan National Identification Number",
    .local_name = "Taiwan National Identification Number",
    .abbreviation = "NID",
    .aliases = kTwNidAliases,
    .candidate_pattern = "[A-Z][1289]\\d{8}",
    .lengths = kTen,
    .examples = kTwNidExamples,
    .ops = kind_ops<kTwNidRule>(),
    .country = country("TW"),
    .entity = EntityType::Person,
};

const ValidatorSpec kNzNhiSpec = {
    .source_url = "https://www.tewhatuora.govt.nz/health-services-and-programmes/digital-health/"
                  "data-and-digital-standards/approved-standards/identity-standards",
    .id = "nz.nhi",
    .name = "National Health Index Number",
    .local_name = "National Health Index Number",
    .abbreviation = "NHI",
    .aliases = kNhiAliases,
    .candidate_pattern = "[A-HJ-NP-Z]{3}\\d{2}(?:\\d{2}|[A-HJ-NP-Z]{2})",
    .lengths = kSeven,
    .examples = kNhiExamples,
    .ops = kind_ops<kNhiRule>(),
    .country = country("NZ"),
    .entity = EntityType::Person,
};

}  // namespace ov::personal
