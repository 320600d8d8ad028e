// Book, serial and music numbers: `isbn` (ISO 2108), `issn` (ISO 3297),
// `ismn` (ISO 10957); audiovisual and recording codes: `isan` (ISO 15706),
// `isrc` (ISO 3901); library codes: `isil` (ISO 15511).
#include "primitives/checkdigits.h"
#include "registry/random.h"
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

std::string isbn_generate() {
    if (random_below(2) == 0) {
        std::string s = random_digits(9);
        s.push_back(mod11_descending_check(s));
        return s;
    }
    std::string s = random_below(2) == 0 ? "978" : "979" + std::string(1, static_cast<char>('1' + random_below(9)));
    s += random_digits(12 - s.size());
    s.push_back(gs1_check_digit(s));
    return s;
}

// Format keeps the compact text: every element boundary after the prefix
// depends on the ranges the ISBN agencies publish, so no hyphen is fixed.
constexpr KindRule kIsbnRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = isbn_check, .present = nullptr, .generate = isbn_generate,
};

constexpr std::string_view kIsbnAliases[] = {"ISBN", "ISBN-10", "ISBN-13", "International Standard Book Number"};
// The International ISBN Agency's own manual (978-92-95055-02-5) and
// commonly cited ISBN-10s, one with the check value X.
constexpr std::string_view kIsbnExamples[] = {"9789295055025", "0306406152", "080442957X"};
constexpr std::uint64_t kIsbnLengths[] = {10, 13};

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
    .ops = kind_ops<kIsbnRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
