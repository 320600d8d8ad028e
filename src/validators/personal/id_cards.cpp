// Identity-card and passport numbers: `pl.idcard` (Polish identity card,
// series and number) and `de.idcard` (German identity card and passport
// document number).
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/personal/records.h"

namespace ov::personal {

namespace {

using namespace extended;

// Letters count A = 10 ... Z = 35 in both check digits.
constexpr unsigned alnum_value(char c) noexcept {
    return is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(c - 'A' + 10);
}

// ---- pl.idcard -------------------------------------------------------------
// Three letters (the series) and six digits, the first of which is the
// check digit: the other eight characters weighted 7, 3, 1 and 7, 3, 1, 7,
// 3, modulo 10.

char pl_idcard_check_digit(std::string_view s) noexcept {
    static constexpr unsigned kWeights[] = {7, 3, 1, 0, 7, 3, 1, 7, 3};
    unsigned sum = 0;
    for (std::size_t i = 0; i < 9; ++i) sum += kWeights[i] * alnum_value(s[i]);
    return static_cast<char>('0' + sum % 10);
}

ValidationOutcome pl_idcard_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "Polish identity card number must be 9 characters");
    if (!is_upper(s[0]) || !is_upper(s[1]) || !is_upper(s[2]) || !all_digits(s.substr(3)))
        return fail(ErrorCode::InvalidFormat, "Polish identity card number must be three letters and six digits");
    if (pl_idcard_check_digit(s) != s[3])
        return fail(ErrorCode::InvalidChecksum, "Polish identity card check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string pl_idcard_present(std::string_view s) { return join_at(s, {3}, ' '); }

std::string pl_idcard_generate() {
    std::string s = random_from(kUpperLetters, 3) + "0" + random_digits(5);
    s[3] = pl_idcard_check_digit(s);
    return s;
}

constexpr KindRule kPlIdcardRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = pl_idcard_check, .present = pl_idcard_present, .generate = pl_idcard_generate,
};

constexpr std::string_view kPlIdcardAliases[] = {"dowód osobisty", "numer dowodu osobistego", "seria i numer dowodu",
                                                 "identity card number"};
// The ministry's specimen cards of 2019 and 2021.
constexpr std::string_view kPlIdcardExamples[] = {"ZZC003483", "ZZC108201"};
constexpr std::uint64_t kNine[] = {9};

// ---- de.idcard -------------------------------------------------------------
// Nine characters (the issuing authority's code and a serial; digits and
// the consonants C F G H J K L M N P R T V W X Y Z) and a check digit, the
// machine-readable zone's rule: values weighted 7, 3, 1 repeating, modulo
// 10. Identity cards since 2010 start with L to Z, passports with C to K.

constexpr std::string_view kDeDocumentLetters = "CFGHJKLMNPRTVWXYZ";
constexpr std::string_view kDeDocumentChars = "0123456789CFGHJKLMNPRTVWXYZ";

bool de_document_char(char c) noexcept {
    return is_digit(c) || kDeDocumentLetters.find(c) != std::string_view::npos;
}

char icao_check_digit(std::string_view s) noexcept {
    static constexpr unsigned kWeights[] = {7, 3, 1};
    unsigned sum = 0;
    for (std::size_t i = 0; i < s.size(); ++i) sum += kWeights[i % 3] * alnum_value(s[i]);
    return static_cast<char>('0' + sum % 10);
}

ValidationOutcome de_idcard_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "German document number must be 10 characters");
    for (std::size_t i = 0; i < 9; ++i)
        if (!de_document_char(s[i]))
            return fail(ErrorCode::InvalidFormat,
                        "German document number must be nine digits or letters C, F to H, J to N, P, R, T, V to Z "
                        "and a check digit");
    if (!is_digit(s[9]))
        return fail(ErrorCode::InvalidFormat,
                    "German document number must be nine digits or letters C, F to H, J to N, P, R, T, V to Z "
                    "and a check digit");
    if (icao_check_digit(s.substr(0, 9)) != s[9])
        return fail(ErrorCode::InvalidChecksum, "German document number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string de_idcard_generate() {
    std::string s = random_from(kDeDocumentLetters, 1) + random_from(kDeDocumentChars, 8);
    s.push_back(icao_check_digit(s));
    return s;
}

// Printed and read out of the machine-readable zone in one piece: a blank
// inside would let the tail of a longer spaced number pass for one.
constexpr KindRule kDeIdcardRule = {
    .separators = "", .upper = true, .prefix = {},
    .check = de_idcard_check, .present = nullptr, .generate = de_idcard_generate,
};

constexpr std::string_view kDeIdcardAliases[] = {"Personalausweis", "Personalausweisnummer", "Ausweisnummer",
                                                 "Reisepassnummer", "Dokumentennummer", "Passnummer"};
// The specimen identity card of 2010, the specimen passport, and the
// specimen identity card issued before 2010.
constexpr std::string_view kDeIdcardExamples[] = {"L01X00T471", "C01X00T478", "T220001293"};
constexpr std::uint64_t kTen[] = {10};

}  // namespace

const ValidatorSpec kPlIdcardSpec = {
    .source_url = "https://www.gov.pl/web/gov/dowod-osobisty",
    .id = "pl.idcard",
    .name = "Polish Identity Card Number",
    .local_name = "Polish Identity Card Number",
    .abbreviation = "dowód",
    .aliases = kPlIdcardAliases,
    .candidate_pattern = "[A-Z]{3}\\d{6}",
    .lengths = kNine,
    .examples = kPlIdcardExamples,
    .ops = kind_ops<kPlIdcardRule>(),
    .country = country("PL"),
    .entity = EntityType::Person,
};

const ValidatorSpec kDeIdcardSpec = {
    .source_url = "https://www.personalausweisportal.de/",
    .id = "de.idcard",
    .name = "German Identity Card and Passport Number",
    .local_name = "German Identity Card and Passport Number",
    .abbreviation = "Ausweisnummer",
    .aliases = kDeIdcardAliases,
    .candidate_pattern = "[0-9CFGHJKLMNPRTVWXYZ]{9}\\d",
    .lengths = kTen,
    .examples = kDeIdcardExamples,
    .ops = kind_ops<kDeIdcardRule>(),
    .country = country("DE"),
    .entity = EntityType::Person,
};

}  // namespace ov::personal
