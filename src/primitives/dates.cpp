// Calendar dates: the civil date of a day count, and today's date in UTC,
// worked out once a day.
#include <algorithm>
#include <atomic>
#include <ctime>
#include <limits>

#include "primitives/normalize.h"

namespace ov {

Date civil_from_days(std::int64_t days) noexcept {
    // Counts beyond +-2^40 days (about 3 billion years) fall outside the
    // 32-bit year anyway; clamping first keeps the arithmetic below in range.
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    days = std::clamp(days, -kLimit, kLimit);

    // Days to civil date over 400-year eras of 146097 days, with years
    // starting on 1 March so that the leap day is the era's last day.
    const std::int64_t z = days + 719468;  // days since 0000-03-01
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;                                // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);         // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                              // [0, 11], March = 0
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;                    // [1, 31]
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;                     // [1, 12]
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);

    constexpr std::int64_t kMinYear = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMaxYear = std::numeric_limits<std::int32_t>::max();
    if (year > kMaxYear) return Date{static_cast<std::int32_t>(kMaxYear), 12, 31};
    if (year < kMinYear) return Date{static_cast<std::int32_t>(kMinYear), 1, 1};
    return Date{static_cast<std::int32_t>(year), static_cast<std::uint8_t>(month),
                static_cast<std::uint8_t>(day)};
}

Date date_from_unix_seconds(std::int64_t seconds) noexcept {
    if (seconds < 0) return Date{1970, 1, 1};
    return civil_from_days(seconds / 86400);
}

namespace {

// Whole seconds are all a date needs, and time() is the cheapest clock read.
std::int64_t system_unix_seconds() noexcept { return static_cast<std::int64_t>(std::time(nullptr)); }

std::atomic<UnixClock> g_clock{&system_unix_seconds};

// The date of one day, cached so that the calendar conversion runs once a
// day rather than on every call: the day count plus one in the high half
// (0 = nothing cached yet), year << 9 | month << 5 | day in the low half. One
// word, so a reader never pairs one day's count with another day's date.
std::atomic<std::uint64_t> g_today{0};
constexpr std::int64_t kCachedDays = std::int64_t{1} << 31;  // years below 5.8 million fit in 23 bits

}  // namespace

void set_clock_for_testing(UnixClock clock) noexcept {
    g_clock.store(clock != nullptr ? clock : &system_unix_seconds, std::memory_order_relaxed);
}

Date today() noexcept {
    const std::int64_t seconds = g_clock.load(std::memory_order_relaxed)();
    const std::int64_t days = seconds < 0 ? 0 : seconds / 86400;
    if (days >= kCachedDays - 1) return date_from_unix_seconds(seconds);
    const std::uint64_t key = static_cast<std::uint64_t>(days + 1) << 32;
    const std::uint64_t cached = g_today.load(std::memory_order_relaxed);
    if ((cached & ~std::uint64_t{0xFFFFFFFF}) == key) {
        const auto low = static_cast<std::uint32_t>(cached);
        return Date{static_cast<std::int32_t>(low >> 9), static_cast<std::uint8_t>((low >> 5) & 15),
                    static_cast<std::uint8_t>(low & 31)};
    }
    const Date d = civil_from_days(days);
    const auto low = static_cast<std::uint32_t>(d.year) << 9 | std::uint32_t{d.month} << 5 | d.day;
    g_today.store(key | low, std::memory_order_relaxed);
    return d;
}

}  // namespace ov
