// Small readers over compact digit texts shared by the A-M checks. Callers
// have already checked the length and that the bytes read are ASCII digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {

// Value of the digit at byte i.
constexpr int dv(std::string_view c, std::size_t i) noexcept { return c[i] - '0'; }

// The k-digit number starting at byte i (k at most 18).
constexpr std::int64_t num(std::string_view c, std::size_t i, std::size_t k) noexcept {
    std::int64_t v = 0;
    for (std::size_t j = i; j < i + k; ++j) v = v * 10 + dv(c, j);
    return v;
}

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
