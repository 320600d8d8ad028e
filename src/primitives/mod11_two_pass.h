// The two-pass mod-11 check digit of several Baltic, Bulgarian, Kazakh and
// Ukrainian numbers: when the first weights leave a remainder of 10, the
// sum is taken again with the second weights, and a second 10 counts as 0.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "primitives/checkdigits.h"

namespace ov {

// The check digit (0-9) of `digits` under the weight pair; each pass pairs
// weights with digits from the left and stops at the shorter of the two.
inline int mod11_two_pass(std::string_view digits, std::span<const int> first, std::span<const int> second) noexcept {
    std::int64_t r = weighted_sum(digits, first) % 11;
    if (r == 10) r = weighted_sum(digits, second) % 11;
    return static_cast<int>(r % 10);
}

}  // namespace ov
