// The openings and weighted sums shared by the A-M checks (digit fields are
// read with primitives/digit_fields.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/digit_fields.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {

// The common opening of most checks: exactly n bytes, else length; then all
// digits, else format.
constexpr Verdict digits_of_length(std::string_view c, std::size_t n) noexcept {
    if (c.size() != n) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    return kPass;
}

// Σ weights[k] · digit(first + k), over as many digits as there are weights.
inline std::int64_t weighted(std::string_view c, std::size_t first, std::span<const int> weights) noexcept {
    return first < c.size() ? weighted_sum(c.substr(first), weights) : 0;
}

}  // namespace ov::am
