// Book, serial and music numbers: `isbn` (ISO 2108), `issn` (ISO 3297),
// `ismn` (ISO 10957); audiovisual and recording codes: `isan` (ISO 15706),
// `isrc` (ISO 3901); library codes: `isil` (ISO 15511).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/isbn_ranges.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- isbn ------------------------------------------------------------------
// ISBN-10 weights its digits 10 down to 1 and must be divisible by 11 (the
// check value 10 is written X); ISBN-13 is an EAN-13 in the 978 and 979
// "Bookland" prefixes, except 979-0, which ISO 10957 gives to music (ISMN).

// Check character of the first nine digits of an ISBN-10 (or seven of an
// ISSN, with weights 8 down to 2): the weights end at 2 before the check.
char mod11_descending_check(std::string_view payload) noexcept {
    unsigned sum = 0;
    unsigned weight = static_cast<unsigned>(payload.size()) + 1;
    for (char c : payload) sum += weight-- * static_cast<unsigned>(c - '0');
    const unsigned check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

// Nine (or seven) digits and a digit or X: the ISBN-10 and ISSN shape.
bool digits_then_check(std::string_view s) noexcept {
    return all_digits(s.substr(0, s.size() - 1)) && (is_digit(s.back()) || s.back() == 'X');
}

ValidationOutcome isbn_check(std::string_view s) {
    if (s.size() != 10 && s.size() != 13)
        return fail(ErrorCode::InvalidLength, "ISBN must be 10 or 13 characters");
    if (s.size() == 10) {
        if (!digits_then_check(s))
            return fail(ErrorCode::InvalidFormat, "ISBN-10 must be nine digits and a check digit or X");
        if (mod11_descending_check(s.substr(0, 9)) != s[9])
            return fail(ErrorCode::InvalidChecksum, "ISBN check digit does not match");
        return ValidationOutcome::success_input(s);
    }
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "ISBN-13 must contain only digits");
    if (!(s.starts_with("978") || s.starts_with("979")) || s.starts_with("9790"))
        return fail(ErrorCode::InvalidComponent, "ISBN-13 must start with 978 or 979 (979-0 is for music)");
    if (gs1_check_digit(s.substr(0, 12)) != s[12])
        return fail(ErrorCode::InvalidChecksum, "ISBN check digit does not match");
    return ValidationOutcome::success_input(s);
}

// Drawn from the assigned registration groups and registrant ranges, so
// that every value can be hyphenated.
std::string isbn_generate() {
    if (random_below(2) == 0) {
        std::string s = isbn_random_payload(true).substr(3);
        s.push_back(mod11_descending_check(s));
        return s;
    }
    std::string s = isbn_random_payload(false);
    s.push_back(gs1_check_digit(s));
    return s;
}

// Hyphenated by the ISBN agency's ranges: prefix, registration group,
// registrant, publication and check digit ("978-0-306-40615-7"); an
// ISBN-10 stays an ISBN-10 ("0-306-40615-2"). A number whose group or
// registrant lies in no published range keeps its compact form.
std::string isbn_present(std::string_view compact) {
    std::string out = isbn_hyphenate(compact);
    return out.empty() ? std::string(compact) : out;
}

// The standards of this file write their numbers behind their own name
// ("ISBN 978-...", "ISSN 0317-8471"); compact drops that word, which no
// compact number of these kinds can begin with.
constexpr KindRule kIsbnRule = {
    .separators = " -", .upper = true, .prefix = "ISBN",
    .check = isbn_check, .present = isbn_present, .generate = isbn_generate,
};

// The length of a label written with a colon ahead of an ISBN: "ISBN:",
// "ISBN-10:", "ISBN 13:", "isbn13 :" (any case); 0 when the value starts
// otherwise. A plain "ISBN " is the kind's prefix, dropped by compaction as
// before; a label naming the length without a colon is not read.
std::size_t isbn_label(std::string_view v) noexcept {
    const std::size_t n = v.size();
    std::size_t i = 0;
    while (i < n && (v[i] == ' ' || v[i] == '\t')) ++i;
    static constexpr std::string_view kWord = "ISBN";
    if (n - i < kWord.size()) return 0;
    for (std::size_t w = 0; w < kWord.size(); ++w)
        if ((v[i + w] & ~0x20) != kWord[w]) return 0;
    std::size_t j = i + kWord.size();
    const std::size_t t = j + (j < n && (v[j] == '-' || v[j] == ' '));
    if (n - t >= 2 && (v.substr(t, 2) == "10" || v.substr(t, 2) == "13")) j = t + 2;
    while (j < n && v[j] == ' ') ++j;
    return j < n && v[j] == ':' ? j + 1 : 0;
}

std::string isbn_compact(const ValidatorSpec& self, std::string_view value) {
    return compact_op<kIsbnRule>(self, value.substr(isbn_label(value)));
}

std::string isbn_format(const ValidatorSpec& self, std::string_view value) {
    return format_op<kIsbnRule>(self, value.substr(isbn_label(value)));
}

ValidationOutcome isbn_validate(const ValidatorSpec& self, std::string_view value) {
    const std::size_t label = isbn_label(value);
    if (label == 0) return validate_op<kIsbnRule>(self, value);
    // A view of part of the value is not the value: callers take a borrowed
    // compact text for the whole input, so the result is a copy.
    ValidationOutcome o = validate_op<kIsbnRule>(self, value.substr(label));
    return o.ok && o.borrowed ? ValidationOutcome::success_copy(o.text()) : o;
}

constexpr ValidatorOps kIsbnOps = {.precheck = nullptr,
                                   .generate = generate_op<kIsbnRule>,
                                   .parse = nullptr,
                                   .compact = isbn_compact,
                                   .format = isbn_format,
                                   .validate = isbn_validate};

constexpr std::string_view kIsbnAliases[] = {"ISBN", "ISBN-10", "ISBN-13", "International Standard Book Number"};
// The International ISBN Agency's own manual (978-92-95055-02-5) and
// commonly cited ISBN-10s, one with the check value X.
constexpr std::string_view kIsbnExamples[] = {"9789295055025", "0306406152", "080442957X"};
constexpr std::uint64_t kIsbnLengths[] = {10, 13};


// ---- issn ------------------------------------------------------------------
// Seven digits weighted 8 down to 2 and a modulus-11 check character.

ValidationOutcome issn_check(std::string_view s) {
    if (s.size() != 8) return fail(ErrorCode::InvalidLength, "ISSN must be 8 characters");
    if (!digits_then_check(s))
        return fail(ErrorCode::InvalidFormat, "ISSN must be seven digits and a check digit or X");
    if (mod11_descending_check(s.substr(0, 7)) != s[7])
        return fail(ErrorCode::InvalidChecksum, "ISSN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string issn_present(std::string_view s) { return join_at(s, {4}, '-'); }

std::string issn_generate() {
    std::string s = random_digits(7);
    s.push_back(mod11_descending_check(s));
    return s;
}

constexpr KindRule kIssnRule = {
    .separators = " -", .upper = true, .prefix = "ISSN",
    .check = issn_check, .present = issn_present, .generate = issn_generate,
};

constexpr std::string_view kIssnAliases[] = {"ISSN", "eISSN", "ISSN-L", "International Standard Serial Number"};
// The ISSN International Centre's sample (0317-8471) and one with check X.
constexpr std::string_view kIssnExamples[] = {"03178471", "1050124X"};
constexpr std::uint64_t kIssnLengths[] = {8};

// ---- ismn ------------------------------------------------------------------
// ISMN-13 is an EAN-13 beginning 979-0; the older ten-character form wrote
// that prefix as the letter M, which the check counts as 979-0 (so the
// check digit is the same in both forms).

ValidationOutcome ismn_check(std::string_view s) {
    if (s.size() != 10 && s.size() != 13)
        return fail(ErrorCode::InvalidLength, "ISMN must be 13 digits (or M and 9 digits)");
    if (s.size() == 10) {
        if (s[0] != 'M' || !all_digits(s.substr(1)))
            return fail(ErrorCode::InvalidFormat, "ISMN-10 must be the letter M and nine digits");
        char expanded[12] = {'9', '7', '9', '0'};
        s.substr(1, 8).copy(expanded + 4, 8);
        if (gs1_check_digit({expanded, 12}) != s[9])
            return fail(ErrorCode::InvalidChecksum, "ISMN check digit does not match");
        return ValidationOutcome::success_input(s);
    }
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "ISMN must contain only digits");
    if (!s.starts_with("9790")) return fail(ErrorCode::InvalidComponent, "ISMN must start with 979-0");
    if (gs1_check_digit(s.substr(0, 12)) != s[12])
        return fail(ErrorCode::InvalidChecksum, "ISMN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ismn_generate() {
    std::string s = "9790" + random_digits(8);
    s.push_back(gs1_check_digit(s));
    return random_below(4) == 0 ? "M" + s.substr(4) : s;
}

// Like an ISBN, the publisher and item elements have no fixed length.
constexpr KindRule kIsmnRule = {
    .separators = " -", .upper = true, .prefix = "ISMN",
    .check = ismn_check, .present = nullptr, .generate = ismn_generate,
};

constexpr std::string_view kIsmnAliases[] = {"ISMN", "International Standard Music Number"};
// The ISMN users' manual's example in both forms (979-0-2306-7118-7,
// M-2306-7118-7) and a second ISMN-13.
constexpr std::string_view kIsmnExamples[] = {"9790230671187", "M230671187", "9790260000438"};
constexpr std::uint64_t kIsmnLengths[] = {10, 13};

// ---- isan ------------------------------------------------------------------
// A root (12 hexadecimal digits) and an episode (4) close with an ISO 7064
// MOD 37,36 check character; the version (8 more) closes with a second one
// over all 24 digits. The root and episode alone (17 characters) are an
// ISAN; with the version (26) a V-ISAN.

// Bit 1: a hexadecimal digit; bit 2: a check character (digit or capital).
struct IsanClasses {
    std::uint8_t bits[256] = {};
    constexpr IsanClasses() {
        for (char c : kUpperAlnum) bits[static_cast<unsigned char>(c)] = 2;
        for (char c : kUpperHex) bits[static_cast<unsigned char>(c)] = 3;
    }
};
constexpr IsanClasses kIsan{};

ValidationOutcome isan_check(std::string_view s) {
    if (s.size() != 17 && s.size() != 26)
        return fail(ErrorCode::InvalidLength, "ISAN must be 17 or 26 characters with its check characters");
    const std::string_view work = s.substr(0, 16);
    const std::string_view version = s.size() == 26 ? s.substr(17, 8) : std::string_view{};
    unsigned hex = 1, check = kIsan.bits[static_cast<unsigned char>(s[16])];
    for (char c : work) hex &= kIsan.bits[static_cast<unsigned char>(c)];
    for (char c : version) hex &= kIsan.bits[static_cast<unsigned char>(c)];
    if (s.size() == 26) check &= kIsan.bits[static_cast<unsigned char>(s[25])];
    if (!(hex & 1) || !(check & 2)) return fail(ErrorCode::InvalidFormat, "ISAN must be hexadecimal digits and check characters");
    // Both check characters run over the same root and episode first.
    const unsigned state = mod37_36_state(work);
    if (mod37_36_check_of(state) != s[16])
        return fail(ErrorCode::InvalidChecksum, "ISAN check character does not match");
    if (s.size() == 26 && mod37_36_check_of(mod37_36_state(version, state)) != s[25])
        return fail(ErrorCode::InvalidChecksum, "ISAN version check character does not match");
    return ValidationOutcome::success_input(s);
}

std::string isan_present(std::string_view s) { return join_at(s, {4, 8, 12, 16, 17, 21, 25}, '-'); }

std::string isan_generate() {
    std::string s = random_from(kUpperHex, 16);
    s.push_back(mod37_36_check_char(s));
    if (random_below(2) == 0) return s;
    const std::string version = random_from(kUpperHex, 8);
    s += version;
    s.push_back(mod37_36_check_char(s.substr(0, 16) + version));
    return s;
}

constexpr KindRule kIsanRule = {
    .separators = " -", .upper = true, .prefix = "ISAN",
    .check = isan_check, .present = isan_present, .generate = isan_generate,
};

constexpr std::string_view kIsanAliases[] = {"ISAN", "V-ISAN", "International Standard Audiovisual Number"};
// ISAN 0000-0000-D07A-0090-Q-0000-0000-X and 0000-0000-3A8D-0000-Z,
// samples from the ISAN registration authority's descriptions.
constexpr std::string_view kIsanExamples[] = {"00000000D07A0090Q00000000X", "000000003A8D0000Z"};
constexpr std::uint64_t kIsanLengths[] = {17, 26};

// ---- isrc ------------------------------------------------------------------
// Country code, registrant code, year of reference and designation code;
// ISO 3901 defines no check character, so only the shape is checked.

ValidationOutcome isrc_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "ISRC must be 12 characters");
    if (!is_upper(s[0]) || !is_upper(s[1]) || !all_upper_alnum(s.substr(2, 3)) || !all_digits(s.substr(5)))
        return fail(ErrorCode::InvalidFormat,
                    "ISRC must be two letters, three letters or digits, and seven digits");
    return ValidationOutcome::success_input(s);
}

std::string isrc_present(std::string_view s) { return join_at(s, {2, 5, 7}, '-'); }

std::string isrc_generate() {
    return random_from(kUpperLetters, 2) + random_from(kUpperAlnum, 3) + random_digits(7);
}

constexpr KindRule kIsrcRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = isrc_check, .present = isrc_present, .generate = isrc_generate,
};

constexpr std::string_view kIsrcAliases[] = {"ISRC", "International Standard Recording Code"};
// The ISRC handbook's layout sample and a second code.
constexpr std::string_view kIsrcExamples[] = {"FRZ039800212", "USRC17607839"};
constexpr std::uint64_t kIsrcLengths[] = {12};

// ---- isil ------------------------------------------------------------------
// A prefix (an ISO 3166 country code or a 1-4 character non-country
// prefix), a hyphen and a local identifier, 16 characters at most, from
// Latin letters, digits, '-', '/' and ':'. ISO 15511 has no check
// character, and letters keep their case (the hyphen is part of the code,
// so nothing but surrounding white space is removed).

constexpr std::size_t kIsilMax = 16;

bool isil_local_char(char c) noexcept { return is_alnum(c) || c == '-' || c == '/' || c == ':'; }

ValidationOutcome isil_check(std::string_view s) {
    if (s.size() < 3 || s.size() > kIsilMax)
        return fail(ErrorCode::InvalidLength, "ISIL must be 3 to 16 characters");
    const std::size_t hyphen = s.find('-');
    if (hyphen == 0 || hyphen > 4 || hyphen == std::string_view::npos || hyphen + 1 == s.size() ||
        !all_alnum(s.substr(0, hyphen)))
        return fail(ErrorCode::InvalidFormat, "ISIL must be a prefix of 1 to 4 letters or digits, a hyphen and a local identifier");
    for (char c : s.substr(hyphen + 1))
        if (!isil_local_char(c))
            return fail(ErrorCode::InvalidFormat, "ISIL may contain only letters, digits, '-', '/' and ':'");
    return ValidationOutcome::success_input(s);
}

std::string isil_generate() {
    static constexpr std::string_view kLocal = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-/:";
    std::string s = random_from(kUpperLetters, 1 + random_below(4)) + "-";
    s += random_from(kUpperAlnum, 1);
    s += random_from(kLocal, random_below(kIsilMax - s.size() + 1));
    return s;
}

constexpr KindRule kIsilRule = {
    .separators = {}, .upper = false, .prefix = {},
    .check = isil_check, .present = nullptr, .generate = isil_generate,
};

constexpr std::string_view kIsilAliases[] = {"ISIL", "International Standard Identifier for Libraries", "library code"};
// Samples of the ISIL agency's register: the Danish national library
// (DK-710100) and the Library of Congress (US-DLC).
constexpr std::string_view kIsilExamples[] = {"DK-710100", "US-DLC", "DE-101"};

}  // namespace

const ValidatorSpec kIsbnSpec = {
    .source_url = "https://www.isbn-international.org/content/what-isbn",
    .id = "isbn",
    .name = "International Standard Book Number",
    .local_name = "International Standard Book Number",
    .abbreviation = "ISBN",
    .aliases = kIsbnAliases,
    .candidate_pattern = "(?:97[89]\\d{10}|\\d{9}[\\dX])",
    .lengths = kIsbnLengths,
    .examples = kIsbnExamples,
    .ops = kIsbnOps,
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended

namespace ov::extended {

const ValidatorSpec kIssnSpec = {
    .source_url = "https://www.issn.org/understanding-the-issn/what-is-an-issn/",
    .id = "issn",
    .name = "International Standard Serial Number",
    .local_name = "International Standard Serial Number",
    .abbreviation = "ISSN",
    .aliases = kIssnAliases,
    .candidate_pattern = "\\d{7}[\\dX]",
    .lengths = kIssnLengths,
    .examples = kIssnExamples,
    .ops = kind_ops<kIssnRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kIsmnSpec = {
    .source_url = "https://www.ismn-international.org/",
    .id = "ismn",
    .name = "International Standard Music Number",
    .local_name = "International Standard Music Number",
    .abbreviation = "ISMN",
    .aliases = kIsmnAliases,
    .candidate_pattern = "9790\\d{9}|M\\d{9}",
    .lengths = kIsmnLengths,
    .examples = kIsmnExamples,
    .ops = kind_ops<kIsmnRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kIsanSpec = {
    .source_url = "https://www.isan.org/",
    .id = "isan",
    .name = "International Standard Audiovisual Number",
    .local_name = "International Standard Audiovisual Number",
    .abbreviation = "ISAN",
    .aliases = kIsanAliases,
    .candidate_pattern = "[0-9A-F]{16}[0-9A-Z](?:[0-9A-F]{8}[0-9A-Z])?",
    .lengths = kIsanLengths,
    .examples = kIsanExamples,
    .ops = kind_ops<kIsanRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kIsrcSpec = {
    .source_url = "https://isrc.ifpi.org/",
    .id = "isrc",
    .name = "International Standard Recording Code",
    .local_name = "International Standard Recording Code",
    .abbreviation = "ISRC",
    .aliases = kIsrcAliases,
    .candidate_pattern = "[A-Z]{2}[A-Z0-9]{3}\\d{7}",
    .lengths = kIsrcLengths,
    .examples = kIsrcExamples,
    .ops = kind_ops<kIsrcRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kIsilSpec = {
    .source_url = "https://slks.dk/isil",
    .id = "isil",
    .name = "International Standard Identifier for Libraries",
    .local_name = "International Standard Identifier for Libraries",
    .abbreviation = "ISIL",
    .aliases = kIsilAliases,
    .candidate_pattern = "[A-Za-z0-9]{1,4}-[A-Za-z0-9/:-]{1,14}",
    .lengths = {},
    .examples = kIsilExamples,
    .ops = kind_ops<kIsilRule>(),
    .country = kGlobal,
    .entity = EntityType::Company,
};

}  // namespace ov::extended
