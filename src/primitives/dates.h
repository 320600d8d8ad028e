// Calendar arithmetic shared by the validators that read birth dates.
#pragma once

#include <cstdint>

namespace ov {

constexpr bool is_leap_year(std::int64_t y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days in a month of the proleptic Gregorian calendar; 0 for a month outside 1..12.
constexpr int days_in_month(std::int64_t y, std::int64_t m) noexcept {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12) return 0;
    return m == 2 && is_leap_year(y) ? 29 : kDays[m - 1];
}

// True when (y, m, d) names a real day.
constexpr bool is_valid_date(std::int64_t y, std::int64_t m, std::int64_t d) noexcept {
    return d >= 1 && d <= days_in_month(y, m);
}

// The latest year ending in the two digits `yy` that is not after
// `this_year`: a two-digit birth year falls in this century unless that
// would put the birth in the future.
constexpr std::int64_t latest_year_ending(std::int64_t yy, std::int64_t this_year) noexcept {
    const std::int64_t year = this_year - this_year % 100 + yy;
    return year > this_year ? year - 100 : year;
}

static_assert(is_valid_date(2000, 2, 29) && !is_valid_date(1900, 2, 29) && !is_valid_date(2023, 4, 31));
static_assert(latest_year_ending(26, 2026) == 2026 && latest_year_ending(27, 2026) == 1927);

}  // namespace ov
