// Mod-11 check digits over the leading digits of a number, built on
// weighted_sum and mod11_check. Weights pair with the digits from the left
// and stop at the shorter of the two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "primitives/checkdigits.h"

namespace ov {

// True when the check digit that `mapping` gives for the weighted digits is
// the digit at `at` (a mapping without a digit for the remainder never
// matches).
inline bool mod11_digit_matches(std::string_view digits, std::span<const int> weights, Mod11 mapping,
                                std::size_t at) noexcept {
    return at < digits.size() && mod11_check(weighted_sum(digits, weights), mapping) == digits[at] - '0';
}

// The two-pass check digit (0-9) of several Baltic, Bulgarian, Kazakh and
// Ukrainian numbers: when the first weights leave a remainder of 10, the sum
// is taken again with the second weights, and a second 10 counts as 0.
inline int mod11_two_pass(std::string_view digits, std::span<const int> first, std::span<const int> second) noexcept {
    std::int64_t r = weighted_sum(digits, first) % 11;
    if (r == 10) r = weighted_sum(digits, second) % 11;
    return static_cast<int>(r % 10);
}

}  // namespace ov
