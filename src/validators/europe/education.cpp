// Numbers of schools and pupils: `gb.upn` (English unique pupil number),
// `nl.brin` (Dutch school number) and `nl.onderwijsnummer` (Dutch
// education number).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- gb.upn ------------------------------------------------------------------
// A check letter, the local authority (3 digits), the school (4), the year
// of allocation (2) and a serial (3). A temporary number ends with a letter
// instead of the serial's last digit. The check letter is the weighted sum
// of the other twelve characters (weights 2 to 13, a letter by its place in
// the alphabet below) modulo 23.

constexpr std::string_view kUpnLetters = "ABCDEFGHJKLMNPQRTUVWXYZ";

char upn_check_letter(std::string_view body) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        const unsigned v = is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(kUpnLetters.find(c));
        sum += v * static_cast<unsigned>(i + 2);
    }
    return kUpnLetters[sum % 23];
}

ValidationOutcome upn_check(std::string_view s) {
    if (s.size() != 13) return fail(ErrorCode::InvalidLength, "UPN must be 13 characters");
    if (kUpnLetters.find(s[0]) == std::string_view::npos || !all_digits(s.substr(1, 11)) ||
        !(is_digit(s[12]) || kUpnLetters.find(s[12]) != std::string_view::npos))
        return fail(ErrorCode::InvalidFormat, "UPN must be a check letter, eleven digits and a digit or letter");
    if (upn_check_letter(s.substr(1)) != s[0]) return fail(ErrorCode::InvalidChecksum, "UPN check letter does not match");
    return ValidationOutcome::success_input(s);
}

std::string upn_generate() {
    std::string body = random_digits(11);
    body += random_below(5) == 0 ? random_from(kUpnLetters, 1) : random_digits(1);
    return upn_check_letter(body) + body;
}

constexpr KindRule kUpnRule = {
    .separators = " ", .upper = true, .prefix = {},
    .check = upn_check, .present = nullptr, .generate = upn_generate,
};

constexpr std::string_view kUpnAliases[] = {"UPN", "unique pupil number", "pupil number"};
// The guide for schools' example, and a temporary number built on it.
constexpr std::string_view kUpnExamples[] = {"H801200001001", "U80120000100A"};
constexpr std::uint64_t kLen13[] = {13};

// ---- nl.brin -----------------------------------------------------------------
// A school's register number: two digits and two letters, and for one of
// its locations two digits more.

ValidationOutcome brin_check(std::string_view s) {
    if (s.size() != 4 && s.size() != 6) return fail(ErrorCode::InvalidLength, "BRIN must be 4 or 6 characters");
    if (!all_digits(s.substr(0, 2)) || !is_upper(s[2]) || !is_upper(s[3]) || !all_digits(s.substr(4)))
        return fail(ErrorCode::InvalidFormat, "BRIN must be two digits and two letters, then two digits for a location");
    return ValidationOutcome::success_input(s);
}

std::string brin_generate() {
    std::string s = random_digits(2) + random_from(kUpperLetters, 2);
    if (random_below(2) == 0) s += random_digits(2);
    return s;
}

constexpr KindRule kBrinRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = brin_check, .present = nullptr, .generate = brin_generate,
};

constexpr std::string_view kBrinAliases[] = {
    "BRIN", "BRIN-nummer", "BRINnummer", "instellingscode", "vestigingsnummer", "school number",
};
constexpr std::string_view kBrinExamples[] = {"05KD", "09DE01"};
constexpr std::uint64_t kBrinLengths[] = {4, 6};

// ---- nl.onderwijsnummer ------------------------------------------------------
// Nine digits beginning 10, given to pupils without a citizen service
// number: the eleven-test with weights 9 .. 2 and -1, whose sum must leave
// remainder 5 (the citizen service number's leaves 0).

constexpr int kOnderwijsWeights[] = {9, 8, 7, 6, 5, 4, 3, 2, -1};

ValidationOutcome onderwijs_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "Onderwijsnummer must be 9 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Onderwijsnummer must contain only digits");
    if (s[0] != '1' || s[1] != '0') return fail(ErrorCode::InvalidComponent, "Onderwijsnummer must start with 10");
    if (mod_floor(weighted_sum(s, kOnderwijsWeights), 11) != 5)
        return fail(ErrorCode::InvalidChecksum, "Onderwijsnummer check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string onderwijs_generate() {
    for (;;) {
        std::string s = "10" + random_digits(6);
        // The last digit d (weight -1) must make the sum leave 5: d = sum - 5 (mod 11).
        const std::int64_t d = mod_floor(weighted_sum(s, kOnderwijsWeights) - 5, 11);
        if (d < 10) {
            s.push_back(static_cast<char>('0' + d));
            return s;
        }
    }
}

constexpr KindRule kOnderwijsRule = {
    .separators = " -.", .upper = false, .prefix = {},
    .check = onderwijs_check, .present = nullptr, .generate = onderwijs_generate,
};

constexpr std::string_view kOnderwijsAliases[] = {"onderwijsnummer", "education number", "Dutch education number"};
constexpr std::string_view kOnderwijsExamples[] = {"101222331"};
constexpr std::uint64_t kLen9[] = {9};

}  // namespace

const ValidatorSpec kGbUpnSpec = {
    .source_url = "https://www.gov.uk/government/publications/unique-pupil-numbers",
    .id = "gb.upn",
    .name = "English Unique Pupil Number",
    .local_name = "Unique Pupil Number",
    .abbreviation = "UPN",
    .aliases = kUpnAliases,
    .candidate_pattern = "[A-HJ-NP-RT-Z]\\d{11}[0-9A-HJ-NP-RT-Z]",
    .lengths = kLen13,
    .examples = kUpnExamples,
    .ops = kind_ops<kUpnRule>(),
    .country = country("GB"),
    .entity = EntityType::Person,
};

const ValidatorSpec kNlBrinSpec = {
    .source_url = "https://duo.nl/zakelijk/",
    .id = "nl.brin",
    .name = "Dutch School Register Number",
    .local_name = "BRIN-nummer",
    .abbreviation = "BRIN",
    .aliases = kBrinAliases,
    .candidate_pattern = "\\d{2}[A-Z]{2}(?:\\d{2})?",
    .lengths = kBrinLengths,
    .examples = kBrinExamples,
    .ops = kind_ops<kBrinRule>(),
    .country = country("NL"),
    .entity = EntityType::Company,
};

const ValidatorSpec kNlOnderwijsnummerSpec = {
    .source_url = "https://duo.nl/zakelijk/",
    .id = "nl.onderwijsnummer",
    .name = "Dutch Education Number",
    .local_name = "Onderwijsnummer",
    .abbreviation = "Onderwijsnummer",
    .aliases = kOnderwijsAliases,
    .candidate_pattern = "10\\d{7}",
    .lengths = kLen9,
    .examples = kOnderwijsExamples,
    .ops = kind_ops<kOnderwijsRule>(),
    .country = country("NL"),
    .entity = EntityType::Person,
};

}  // namespace ov::europe
