// Birth data as the personal-number parsers of the national sets report it.
#pragma once

#include <cstdint>
#include <optional>

#include "registry/outcome.h"

namespace ov {

// An odd digit marks a man, an even one a woman.
constexpr Gender odd_is_male(int digit) noexcept { return digit % 2 == 1 ? Gender::Male : Gender::Female; }
constexpr Gender female_if(bool female) noexcept { return female ? Gender::Female : Gender::Male; }

// Birth data from read-off fields; nothing when month or day cannot be
// stored (the dates themselves are checked by the validators).
constexpr std::optional<ParsedData> date_of(std::int64_t y, std::int64_t m, std::int64_t d, Gender g) noexcept {
    if (m < 0 || m > 255 || d < 0 || d > 255) return std::nullopt;
    return ParsedData{static_cast<std::int32_t>(y), static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(d), g};
}

}  // namespace ov
