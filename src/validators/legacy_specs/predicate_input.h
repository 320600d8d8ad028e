// What a business or VAT predicate repeats of the set's compaction before it
// looks at the digits, and the exact-length digit test they share.
//
// On a value that is already compact these steps change nothing, so each one
// returns a view of its input in that case and copies only when it must
// (separators present, non-ASCII text, lower-case letters).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/digit_fields.h"
#include "primitives/text.h"

namespace ov::legacy {

// Bit c is set for every character c of the set. All separator sets and all
// ASCII white space lie below 64, so one word holds them.
constexpr std::uint64_t char_mask(std::string_view chars) noexcept {
    std::uint64_t m = 0;
    for (char c : chars)
        if (static_cast<unsigned char>(c) < 64) m |= std::uint64_t{1} << static_cast<unsigned char>(c);
    return m;
}
constexpr bool in_mask(std::uint64_t mask, char c) noexcept {
    const auto u = static_cast<unsigned char>(c);
    return u < 64 && ((mask >> u) & 1) != 0;
}
// Unicode white space inside ASCII: tab to carriage return, and space.
inline constexpr std::uint64_t kAsciiSpace = char_mask(" \t\n\v\f\r");

// The copying paths of strip_in and upper_in.
std::string_view strip_in_copy(std::string_view v, std::string_view separators, std::string& buf);
std::string_view upper_in_copy(std::string_view v, std::string& buf);

// Trims, maps look-alikes and removes the separators, as the set's
// compaction does; `mask` is char_mask(separators). Returns `v` itself or a
// view of `buf`.
inline std::string_view strip_masked(std::string_view v, std::uint64_t mask, std::string_view separators,
                                     std::string& buf) {
    // Only surrounding white space, a separator or a non-ASCII character
    // (look-alikes, zero-width characters, Unicode white space) can change.
    bool plain = v.empty() || (!in_mask(kAsciiSpace, v.front()) && !in_mask(kAsciiSpace, v.back()));
    for (std::size_t i = 0; plain && i < v.size(); ++i) plain = is_ascii(v[i]) && !in_mask(mask, v[i]);
    return plain ? v : strip_in_copy(v, separators, buf);
}

// strip_masked with a named separator set, its mask computed at compile time.
template <const std::string_view& Seps>
std::string_view strip_in(std::string_view v, std::string& buf) {
    constexpr std::uint64_t kMask = char_mask(Seps);
    return strip_masked(v, kMask, Seps, buf);
}

// The same with the set given at run time.
inline std::string_view strip_in(std::string_view v, std::string_view separators, std::string& buf) {
    return strip_masked(v, char_mask(separators), separators, buf);
}

// Full Unicode upper-casing (one character may become several). Returns `v`
// itself when it has nothing to map, otherwise a view of `buf`; `v` may
// already point into `buf`.
inline std::string_view upper_in(std::string_view v, std::string& buf) {
    for (char c : v)
        if (!is_ascii(c) || is_lower(c)) return upper_in_copy(v, buf);
    return v;
}

// True when `v` starts with the two-letter `prefix`, ignoring ASCII case.
constexpr bool prefix_at_start(std::string_view v, std::string_view prefix) noexcept {
    return prefix.size() == 2 && v.size() >= 2 && to_lower_ascii(v[0]) == to_lower_ascii(prefix[0]) &&
           to_lower_ascii(v[1]) == to_lower_ascii(prefix[1]);
}

// Removes a leading two-letter prefix compared ignoring ASCII case, once.
constexpr std::string_view drop_prefix(std::string_view v, std::string_view prefix) noexcept {
    if (prefix_at_start(v, prefix)) v.remove_prefix(2);
    return v;
}

// Removes a leading prefix written exactly as `upper` or as `lower`; mixed
// case ("Cz") stays, as these numbers' own rules say.
constexpr std::string_view drop_exact_prefix(std::string_view v, std::string_view upper,
                                             std::string_view lower) noexcept {
    if (v.starts_with(upper) || v.starts_with(lower)) v.remove_prefix(2);
    return v;
}

// Exactly n bytes, all ASCII digits.
constexpr bool is_digits(std::string_view v, std::size_t n) noexcept {
    return v.size() == n && all_digits(v);
}

}  // namespace ov::legacy
