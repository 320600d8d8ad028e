// What a predicate repeats of the set's compaction on the compact text it is
// given, and the exact-length digit test they share. Separators and white
// space are gone by then; what a predicate may still change is a second
// copy of the country prefix (input that carried it twice) and letters that
// only full Unicode upper-casing maps. Each step returns a view of its input
// when it changes nothing and copies only when it must.
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

// The copying path of upper_in.
std::string_view upper_in_copy(std::string_view v, std::string& buf);

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
