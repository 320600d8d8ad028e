// Birth data as the personal-number parsers of the national sets report it,
// and the year rules that more than one set reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "primitives/digit_fields.h"
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

// The century told by a digit that gives century and sex together (odd for
// men), as in Estonian, Lithuanian and Kazakh numbers: 1-2 the 1800s, 3-4 the
// 1900s, 5-6 the 2000s, 7-8 the 2100s.
constexpr std::int64_t century_of_sex_digit(int d) noexcept { return 1800 + 100 * ((d - 1) / 2); }

// The birth year of a master citizen number of the former Yugoslav republics
// (ba.jmbg, si.emso: DDMMYYY...): of its three year digits, 900-999 are the
// 1900s and the rest the 2000s.
constexpr std::int64_t jmbg_year(std::string_view c) noexcept {
    const std::int64_t yyy = num(c, 4, 7);
    return yyy < 900 ? 2000 + yyy : 1000 + yyy;
}

}  // namespace ov
