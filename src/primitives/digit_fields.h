// Readers of the fixed digit fields of a compact number (a date, a serial,
// a region code). Callers have checked that the bytes they read are ASCII
// digits; a field holds at most 18 digits, so its value fits in 64 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ov {

// Value of the digit at byte i.
constexpr int dig(std::string_view c, std::size_t i) noexcept { return c[i] - '0'; }

// Digits [begin, end) read as a decimal number; a field running past the end
// of the text stops there.
constexpr std::int64_t num(std::string_view c, std::size_t begin, std::size_t end) noexcept {
    std::int64_t v = 0;
    for (std::size_t i = begin; i < end && i < c.size(); ++i) v = v * 10 + (c[i] - '0');
    return v;
}

static_assert(num("0912", 1, 3) == 91 && num("0912", 2, 9) == 12 && dig("07", 1) == 7);

}  // namespace ov
