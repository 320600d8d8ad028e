// The operations every extended kind shares, driven by one row of data per
// kind (`KindRule`): how the text is compacted, the kind's checks on the
// compact text, its presentation form and its generator. The record's ops
// are these templates instantiated on the kind's row, so nothing compares
// an id at run time.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "registry/outcome.h"
#include "registry/spec.h"

namespace ov::extended {

struct KindRule {
    std::string_view separators;  // removed anywhere by compact (after trimming)
    bool upper;                   // compact upper-cases ASCII letters
    // A word people write in front of the number ("IMO 9074729"), dropped
    // from the start of the compact text; empty when the kind has none.
    std::string_view prefix;
    // The kind's checks on compact text, in their fixed order. Success views
    // the text it was given (ValidationOutcome::success_input).
    ValidationOutcome (*check)(std::string_view compact);
    // Presentation form of a valid compact text; nullptr: the compact text.
    std::string (*present)(std::string_view compact);
    // A random valid value in compact form.
    std::string (*generate)();
};

// What compaction does to each byte of short ASCII text: 0 for a byte that
// needs the general path (white space other than a separator, control
// bytes, anything beyond ASCII), 1 for a separator (dropped), otherwise the
// byte written (upper-cased when the kind upper-cases). Trimming removes
// only white space, which is either a separator here or takes the general
// path, so one pass over the bytes gives the compact text.
struct ByteActions {
    std::array<std::uint8_t, 256> to{};
    constexpr ByteActions(std::string_view separators, bool upper) {
        for (unsigned b = 0x21; b < 0x7F; ++b)
            to[b] = static_cast<std::uint8_t>(upper && b >= 'a' && b <= 'z' ? b - 32 : b);
        for (char c : separators) to[static_cast<unsigned char>(c)] = 1;
    }
};

// The compact text without the kind's leading word. The prefix is upper
// case and compact text is upper-cased, so a byte comparison suffices.
inline std::string_view drop_prefix(std::string_view s, std::string_view prefix) noexcept {
    return !prefix.empty() && s.starts_with(prefix) ? s.substr(prefix.size()) : s;
}

template <const KindRule& R>
std::string compact_op(const ValidatorSpec&, std::string_view value) {
    std::string s = strip_separators(value, R.separators);
    if (R.upper) s = ascii_upper(s);
    if (!R.prefix.empty() && std::string_view(s).starts_with(R.prefix)) s.erase(0, R.prefix.size());
    return s;
}

template <const KindRule& R>
ValidationOutcome validate_op(const ValidatorSpec& self, std::string_view value) {
    static constexpr ByteActions kActions{R.separators, R.upper};
    if (value.size() <= kStackCompact) {
        // One pass, without a branch on the data: compact into the buffer
        // and note whether any byte changed or needs the general path.
        char buffer[kStackCompact];
        std::size_t n = 0;
        unsigned changed = 0, general = 0;
        for (const char c : value) {
            const std::uint8_t to = kActions.to[static_cast<unsigned char>(c)];
            general |= to == 0;
            changed |= to != static_cast<unsigned char>(c);
            buffer[n] = static_cast<char>(to);
            n += to > 1;
        }
        if (!general) {
            const std::string_view s = drop_prefix(std::string_view(buffer, n), R.prefix);
            // Text that compaction leaves alone is checked where it lies.
            if (!changed && s.size() == n) return R.check(value);
            ValidationOutcome o = R.check(s);
            return o.ok ? ValidationOutcome::success_copy(s) : o;
        }
        // Short ASCII text with surrounding white space is compacted on the
        // stack by the general rule.
        const std::size_t m = strip_separators_ascii(value, R.separators, buffer, sizeof buffer, R.upper);
        if (m != kNoCompact) {
            const std::string_view s = drop_prefix(std::string_view(buffer, m), R.prefix);
            ValidationOutcome o = R.check(s);
            return o.ok ? ValidationOutcome::success_copy(s) : o;
        }
    }
    std::string s = compact_op<R>(self, value);
    ValidationOutcome o = R.check(s);
    return o.ok ? ValidationOutcome::success(std::move(s)) : o;
}

// The presentation form of a valid value; anything else is shown compact.
template <const KindRule& R>
std::string format_op(const ValidatorSpec& self, std::string_view value) {
    std::string s = compact_op<R>(self, value);
    if (R.present == nullptr || !R.check(s).ok) return s;
    return R.present(s);
}

template <const KindRule& R>
std::optional<std::string> generate_op(const ValidatorSpec&) {
    return R.generate();
}

template <const KindRule& R>
constexpr ValidatorOps kind_ops() {
    return {.precheck = nullptr,
            .generate = generate_op<R>,
            .parse = nullptr,
            .compact = compact_op<R>,
            .format = format_op<R>,
            .validate = validate_op<R>};
}

// ---- small helpers of the kinds' checks --------------------------------------

inline ValidationOutcome fail(ErrorCode code, std::string_view message) noexcept {
    return ValidationOutcome::failure(code, message);
}

constexpr bool is_hex_upper(char c) noexcept { return is_digit(c) || (c >= 'A' && c <= 'F'); }
constexpr bool all_hex_upper(std::string_view s) noexcept {
    for (char c : s)
        if (!is_hex_upper(c)) return false;
    return true;
}
constexpr bool all_upper_alnum(std::string_view s) noexcept {
    for (char c : s)
        if (!is_digit(c) && !is_upper(c)) return false;
    return true;
}

// Joins pieces of a compact text with a separator; `cuts` are the byte
// offsets where a new piece starts (ascending, inside the text).
std::string join_at(std::string_view s, std::initializer_list<std::size_t> cuts, char separator);

// n random characters drawn from `alphabet`.
std::string random_from(std::string_view alphabet, std::size_t n);

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kUpperAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kUpperHex = "0123456789ABCDEF";
inline constexpr std::string_view kUpperLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace ov::extended
