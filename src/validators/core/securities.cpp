// `isin` (ISO 6166), `lei` (ISO 17442) and `bic` (ISO 9362). All three use
// the IBAN compaction: separators blank and "-" removed, then upper-cased.
#include <array>

#include "primitives/checkdigits.h"
#include "primitives/mod97.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "registry/random.h"
#include "validators/core/records.h"

namespace ov {

namespace {

std::string compact(const ValidatorSpec&, std::string_view value) { return kIbanSpec.ops.compact(kIbanSpec, value); }

// Character positions of a text. Formats count characters, and the compact
// text may hold non-ASCII letters that must not be split. Only the first
// few character starts are kept (the formats cut at character 10 at most),
// so indexing a megabyte of text needs no memory proportional to it.
struct CharIndex {
    static constexpr std::size_t kKept = 12;
    std::array<std::size_t, kKept> start{};
    std::size_t count = 0;  // number of characters
    std::size_t size = 0;   // number of bytes

    explicit CharIndex(std::string_view s) : size(s.size()) {
        for (std::size_t i = 0; i < s.size(); ++count) {
            if (count < kKept) start[count] = i;
            char32_t cp;
            i += decode_utf8(s, i, cp);
        }
    }
    // Byte offset of character k; callers ask only for k < kKept or k == count
    // (anything else is answered with the end, never read out of bounds).
    std::size_t offset(std::size_t k) const noexcept { return k >= count || k >= kKept ? size : start[k]; }
};

// Characters [from, to) of s; empty unless the whole range lies inside s.
std::string_view char_range(std::string_view s, const CharIndex& at, std::size_t from, std::size_t to) {
    if (from > to || to > at.count) return {};
    return s.substr(at.offset(from), at.offset(to) - at.offset(from));
}

// Characters [from, to) of s with both bounds clamped to its length.
std::string_view char_range_clamped(std::string_view s, const CharIndex& at, std::size_t from, std::size_t to) {
    if (to > at.count) to = at.count;
    if (from > to) from = to;
    return s.substr(at.offset(from), at.offset(to) - at.offset(from));
}

// Validation on the compact text, which is often the input itself: text
// already in upper-case letters and digits is checked in place, short ASCII
// text is compacted on the stack, and only the rest takes the full Unicode
// compaction. `check` views the text it is given on success; it is told
// when the text is known to hold only digits and upper-case letters.

template <class Check>
ValidationOutcome validate_compact(const ValidatorSpec& self, std::string_view value, Check check) {
    bool plain = !value.empty();
    for (char ch : value) plain &= is_digit(ch) || is_upper(ch);
    if (plain) return check(value, true);
    return check_compacted(
        value, seps::S1, true, [&](std::string_view v) { return compact(self, v); },
        [&](std::string_view s) { return check(s, false); });
}

// ---- isin ----------------------------------------------------------------

// Luhn over the digit expansion of an ISIN, where a letter stands for the
// two digits of its value (A = 10 .. Z = 35); walked from the right without
// building the expanded text.
bool isin_luhn_valid(std::string_view s) noexcept {
    static constexpr unsigned kDoubled[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    unsigned sum = 0;
    bool twice = false;
    auto add = [&](unsigned d) {
        sum += twice ? kDoubled[d] : d;
        twice = !twice;
    };
    for (std::size_t i = s.size(); i-- > 0;) {
        if (is_digit(s[i])) {
            add(static_cast<unsigned>(s[i] - '0'));
        } else {
            const unsigned v = static_cast<unsigned>(s[i] - 'A' + 10);
            add(v % 10);
            add(v / 10);
        }
    }
    return sum % 10 == 0;
}

ValidationOutcome isin_check(std::string_view s, bool plain) {
    if (s.size() != 12)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "ISIN must be exactly 12 characters");
    if (!plain && !all_alnum(s))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "ISIN must contain only letters and digits");
    bool shape = is_upper(s[0]) && is_upper(s[1]) && is_digit(s[11]);
    for (std::size_t i = 2; i < 11 && shape; ++i) shape = is_digit(s[i]) || is_upper(s[i]);
    if (!shape)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "ISIN must match [A-Z]{2}[0-9A-Z]{9}[0-9]");
    if (!isin_luhn_valid(s))
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "ISIN check digit is incorrect");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome isin_validate(const ValidatorSpec& self, std::string_view value) {
    return validate_compact(self, value, isin_check);
}

std::string isin_format(const ValidatorSpec& self, std::string_view value) {
    const std::string s = compact(self, value);
    const CharIndex at(s);
    std::string out;
    out.reserve(s.size() + 3);
    out.append(char_range(s, at, 0, 2));
    out.push_back(' ');
    out.append(char_range(s, at, 2, 6));
    out.push_back(' ');
    out.append(char_range(s, at, 6, 10));
    // The last piece (from character 10 on) exists only for texts that
    // reach it; shorter texts get three pieces.
    if (at.count >= 10) {
        out.push_back(' ');
        out.append(char_range(s, at, 10, at.count));
    }
    return out;
}

constexpr std::string_view kIsinPrefixes[] = {"US", "GB", "DE", "FR", "JP"};

std::optional<std::string> isin_generate(const ValidatorSpec& self) {
    // A passing check digit always exists for a digit body, so the first
    // round succeeds; the loop only guards against the impossible.
    for (;;) {
        std::string s(kIsinPrefixes[random_below(std::size(kIsinPrefixes))]);
        s += random_digits(9);
        s.push_back('0');
        for (char d = '0'; d <= '9'; ++d) {
            s.back() = d;
            if (isin_validate(self, s).ok) return s;
        }
    }
}

// ---- lei -----------------------------------------------------------------

ValidationOutcome lei_check(std::string_view s, bool plain) {
    if (s.size() != 20)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "LEI must be exactly 20 characters");
    if (!plain && !all_alnum(s))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "LEI must contain only letters and digits");
    if (!is_digit(s[18]) || !is_digit(s[19]))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "LEI check digits must be numeric");
    bool bad = false;  // set for a letter outside A-Z (compact text holds none)
    if (mod97_10_padded(s, {}, bad) != 1 || bad)
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "LEI check digits are incorrect");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome lei_validate(const ValidatorSpec& self, std::string_view value) {
    return validate_compact(self, value, lei_check);
}

std::optional<std::string> lei_generate(const ValidatorSpec&) {
    // The first suffix from 00 up that leaves remainder 1, computed from the
    // 18 drawn digits: (98 - payload * 100) mod 97, from 00 to 96.
    std::string s = random_digits(18);
    const unsigned check = (98 - (*mod97_10_remainder(s) * 100) % 97) % 97;
    s.push_back(static_cast<char>('0' + check / 10));
    s.push_back(static_cast<char>('0' + check % 10));
    return s;
}

// ---- bic -----------------------------------------------------------------

ValidationOutcome bic_validate(const ValidatorSpec& self, std::string_view value) {
    std::string s = compact(self, value);
    if (s.size() != 8 && s.size() != 11)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "BIC must be 8 or 11 characters");
    bool shape = true;
    for (std::size_t i = 0; i < 6 && shape; ++i) shape = is_upper(s[i]);
    for (std::size_t i = 6; i < s.size() && shape; ++i) shape = is_digit(s[i]) || is_upper(s[i]);
    if (!shape)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "BIC must be 8 or 11 alphanumeric characters");
    return ValidationOutcome::success(std::move(s));
}

// Institution, country, location and (when present) branch, by characters.
std::string bic_format(const ValidatorSpec& self, std::string_view value) {
    const std::string s = compact(self, value);
    const CharIndex at(s);
    const std::size_t count = at.count;
    std::string out;
    out.reserve(s.size() + 3);
    out.append(char_range_clamped(s, at, 0, 4));
    out.push_back(' ');
    out.append(char_range_clamped(s, at, 4, 6));
    out.push_back(' ');
    out.append(char_range_clamped(s, at, 6, 8));
    if (count > 8) {
        out.push_back(' ');
        out.append(char_range_clamped(s, at, 8, count));
    }
    return out;
}

constexpr std::string_view kBicCountries[] = {"DE", "GB", "US", "FR", "CH", "NL", "AT"};
constexpr std::string_view kBicLocationAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::optional<std::string> bic_generate(const ValidatorSpec&) {
    std::string s;
    s.reserve(8);
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>('A' + random_below(26)));
    s.append(kBicCountries[random_below(std::size(kBicCountries))]);
    for (int i = 0; i < 2; ++i) s.push_back(kBicLocationAlphabet[random_below(kBicLocationAlphabet.size())]);
    return s;
}

constexpr std::string_view kIsinAliases[] = {"ISIN", "International Securities Identification Number"};
constexpr std::string_view kIsinExamples[] = {"US0378331005", "GB0002634946"};
constexpr std::string_view kLeiAliases[] = {"LEI", "Legal Entity Identifier"};
constexpr std::string_view kLeiExamples[] = {"5493006MHB84DD0ZWV18"};
constexpr std::string_view kBicAliases[] = {"BIC", "SWIFT", "BIC/SWIFT"};
constexpr std::string_view kBicExamples[] = {"DEUTDEFF", "DEUTDEFF500"};

std::string lei_format(const ValidatorSpec&, std::string_view value) {
    // Groups of four characters, exactly as an IBAN is written.
    return kIbanSpec.ops.format(kIbanSpec, value);
}

}  // namespace

const ValidatorSpec kIsinSpec = {
    .source_url = "https://www.iso.org/standard/78502.html",
    .id = "isin",
    .name = "International Securities Identification Number",
    .local_name = "International Securities Identification Number",
    .abbreviation = "ISIN",
    .aliases = kIsinAliases,
    .candidate_pattern = "[A-Z]{2}[A-Z0-9]{9}\\d",
    .lengths = {},
    .examples = kIsinExamples,
    .ops = {.precheck = nullptr, .generate = isin_generate, .parse = nullptr,
            .compact = compact, .format = isin_format, .validate = isin_validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kLeiSpec = {
    .source_url = "https://www.gleif.org/en/about-lei/iso-17442-the-lei-code-structure",
    .id = "lei",
    .name = "Legal Entity Identifier",
    .local_name = "Legal Entity Identifier",
    .abbreviation = "LEI",
    .aliases = kLeiAliases,
    .candidate_pattern = "[A-Z0-9]{18}\\d{2}",
    .lengths = {},
    .examples = kLeiExamples,
    .ops = {.precheck = nullptr, .generate = lei_generate, .parse = nullptr,
            .compact = compact, .format = lei_format, .validate = lei_validate},
    .country = kGlobal,
    .entity = EntityType::Company,
};

const ValidatorSpec kBicSpec = {
    .source_url = "https://www.iso.org/standard/84108.html",
    .id = "bic",
    .name = "Business Identifier Code",
    .local_name = "Business Identifier Code",
    .abbreviation = "BIC",
    .aliases = kBicAliases,
    .candidate_pattern = "[A-Z]{6}[A-Z0-9]{2}(?:[A-Z0-9]{3})?",
    .lengths = {},
    .examples = kBicExamples,
    .ops = {.precheck = nullptr, .generate = bic_generate, .parse = nullptr,
            .compact = compact, .format = bic_format, .validate = bic_validate},
    .country = kGlobal,
    .entity = EntityType::Company,
};

}  // namespace ov
