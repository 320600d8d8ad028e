// The A-M validators that carry their own compact, format and validate
// routines instead of going through the set's dispatchers: at.vnr, ch.ssn,
// cz.ico, ch.vat and de.handelsreg.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "primitives/digit_fields.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"
#include "validators/legacy_specs/checks.h"

namespace ov::am {
namespace {

using Piece = std::pair<std::size_t, std::size_t>;

// Byte pieces of `text` joined by `sep`; pieces past the end are empty and a
// bound inside a multi-byte character gives an empty piece.
std::string join_pieces(std::string_view text, std::initializer_list<Piece> pieces, char sep) {
    std::string out;
    out.reserve(text.size() + pieces.size());
    bool first = true;
    for (auto [begin, end] : pieces) {
        if (!first) out.push_back(sep);
        first = false;
        out.append(slice(text, begin, end));
    }
    return out;
}

// Shared opening of the numeric routines: the default compaction, then the
// length and the all-digits tests.
struct Numeric {
    std::string text;
    Verdict verdict;
};
Numeric numeric(std::string_view value, std::size_t length) {
    Numeric r{default_compact(value), kPass};
    if (r.text.size() != length)
        r.verdict = ErrorCode::InvalidLength;
    else if (!all_digits(r.text))
        r.verdict = ErrorCode::InvalidFormat;
    return r;
}

ValidationOutcome outcome_of(std::string&& compact, Verdict verdict) {
    if (verdict) return failure(*verdict);
    return ValidationOutcome::success(std::move(compact));
}

}  // namespace

// ---- at.vnr -----------------------------------------------------------------
// Serial d0-d2, check digit d3, then the birth date DDMMYY; the check digit
// itself is left out of the sum.
constexpr std::array<int, 9> kVnrWeights = {3, 7, 9, 5, 8, 4, 2, 1, 6};

namespace {
Verdict at_vnr_rules(std::string_view d) {
    if (d[0] == '0') return ErrorCode::InvalidComponent;
    const std::int64_t day = num(d, 4, 6);
    if (day < 1 || day > 31) return ErrorCode::InvalidComponent;
    constexpr std::array<std::size_t, 9> kPositions = {0, 1, 2, 4, 5, 6, 7, 8, 9};
    int s = 0;
    for (std::size_t i = 0; i < 9; ++i) s += kVnrWeights[i] * digit_value(d[kPositions[i]]);
    const int r = s % 11;
    if (r == 10 || r != digit_value(d[3])) return ErrorCode::InvalidChecksum;
    return kPass;
}
}  // namespace

ValidationOutcome at_vnr_validate(std::string_view value) {
    auto [text, verdict] = numeric(value, 10);
    if (!verdict) verdict = at_vnr_rules(text);
    return outcome_of(std::move(text), verdict);
}

std::string at_vnr_format(std::string_view value) { return join_pieces(default_compact(value), {{0, 4}, {4, 10}}, ' '); }

// ---- ch.ssn -----------------------------------------------------------------
// A 13-digit article number in the Swiss range 756, with its usual check
// digit (weights 1 and 3 alternating).
ValidationOutcome ch_ssn_validate(std::string_view value) {
    auto [text, verdict] = numeric(value, 13);
    if (!verdict && !text.starts_with("756")) verdict = ErrorCode::InvalidComponent;
    if (!verdict) {
        int s = 0;
        for (std::size_t i = 0; i < 12; ++i) s += (i % 2 == 0 ? 1 : 3) * digit_value(text[i]);
        if ((10 - s % 10) % 10 != digit_value(text[12])) verdict = ErrorCode::InvalidChecksum;
    }
    return outcome_of(std::move(text), verdict);
}

std::string ch_ssn_format(std::string_view value) {
    return join_pieces(default_compact(value), {{0, 3}, {3, 7}, {7, 11}, {11, 13}}, '.');
}

// ---- cz.ico -----------------------------------------------------------------
constexpr std::array<int, 7> kIcoWeights = {8, 7, 6, 5, 4, 3, 2};

ValidationOutcome cz_ico_validate(std::string_view value) {
    auto [text, verdict] = numeric(value, 8);
    if (!verdict && !mod11_digit_matches(text, kIcoWeights, Mod11::A, 7)) verdict = ErrorCode::InvalidChecksum;
    return outcome_of(std::move(text), verdict);
}

// ---- ch.vat -----------------------------------------------------------------
// A business id (CHE and nine digits) followed by the language of the
// registration: German, French, Italian or Romansh.
constexpr std::array<std::string_view, 4> kChVatSuffixes = {"MWST", "TVA", "IVA", "TPV"};

namespace {
// The recognised suffix of a compact text, or an empty view.
std::string_view ch_vat_suffix(std::string_view c) noexcept {
    for (auto s : kChVatSuffixes)
        if (c.ends_with(s)) return s;
    return {};
}
}  // namespace

std::string ch_vat_compact(std::string_view value) { return upper(default_compact(value)); }

namespace {
// The checks of a compact text; nullopt when they pass.
std::optional<ErrorCode> ch_vat_verdict(std::string_view c) {
    const auto suffix = ch_vat_suffix(c);
    if (c.size() < 3 || suffix.empty()) return ErrorCode::InvalidFormat;
    const std::string_view body = c.substr(0, c.size() - suffix.size());
    if (body.size() != 12 || !body.starts_with("CHE") || !all_digits(body.substr(3)))
        return ErrorCode::InvalidFormat;
    // Whatever the business-id check objects to counts as a bad check digit.
    if (!legacy::ch_uid_check(body)) return ErrorCode::InvalidChecksum;
    return std::nullopt;
}
}  // namespace

ValidationOutcome ch_vat_validate(std::string_view value) {
    // Digits and capital letters alone are already compact (compaction
    // removes separators and white space and upper-cases): checked in place.
    bool plain = !value.empty();
    for (const char ch : value) plain &= is_digit(ch) || is_upper(ch);
    if (plain) {
        const auto verdict = ch_vat_verdict(value);
        return verdict ? failure(*verdict) : ValidationOutcome::success_input(value);
    }
    std::string c = ch_vat_compact(value);
    const auto verdict = ch_vat_verdict(c);
    return verdict ? failure(*verdict) : ValidationOutcome::success(std::move(c));
}

std::string ch_vat_format(std::string_view value) {
    const std::string c = ch_vat_compact(value);
    const auto suffix = ch_vat_suffix(c);
    const std::string_view body = std::string_view(c).substr(0, c.size() - suffix.size());
    std::string out = "CHE-";
    out += join_pieces(body, {{3, 6}, {6, 9}, {9, body.size()}}, '.');
    out += ' ';
    out += suffix;
    return out;
}

// ---- de.handelsreg ----------------------------------------------------------
// Register kinds: commercial register A (partnerships) and B (companies),
// cooperatives, partnerships of the liberal professions, associations.
constexpr std::array<std::string_view, 5> kRegisterTypes = {"HRA", "HRB", "GNR", "PR", "VR"};

namespace {
// The register type that starts `c` when the rest is one to seven digits.
std::string_view register_type(std::string_view c) noexcept {
    for (auto type : kRegisterTypes) {
        if (!c.starts_with(type)) continue;
        const auto number = c.substr(type.size());
        if (!number.empty() && number.size() <= 7 && all_digits(number)) return type;
    }
    return {};
}
}  // namespace

std::string de_handelsreg_compact(std::string_view value) {
    std::string c = upper(strip_separators(value, " -."));
    const auto type = register_type(c);
    if (!type.empty()) c.insert(type.size(), 1, ' ');
    return c;
}

std::string de_handelsreg_format(std::string_view value) { return de_handelsreg_compact(value); }

ValidationOutcome de_handelsreg_validate(std::string_view value) {
    // The compact form itself ("HRB 12345": a type, one blank, one to seven
    // digits) is what compaction would give back: checked in place.
    for (auto type : kRegisterTypes) {
        if (value.size() <= type.size() + 1 || !value.starts_with(type) || value[type.size()] != ' ') continue;
        const auto number = value.substr(type.size() + 1);
        if (number.size() <= 7 && all_digits(number)) return ValidationOutcome::success_input(value);
    }
    std::string c = de_handelsreg_compact(value);
    // Compaction puts the only space after a known type that is followed by
    // one to seven digits; anything else is not a register number.
    const std::string_view v = c;
    for (auto type : kRegisterTypes) {
        if (v.size() < type.size() + 1 || !v.starts_with(type) || v[type.size()] != ' ') continue;
        const auto number = v.substr(type.size() + 1);
        if (!number.empty() && number.size() <= 7 && all_digits(number)) return ValidationOutcome::success(std::move(c));
    }
    return failure(ErrorCode::InvalidFormat);
}

}  // namespace ov::am
