// Unit tests of today(): the date cached for a day follows the clock across
// midnight and New Year, and readers on several threads always see a date
// that belongs to the clock's day.
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "check.h"
#include "primitives/normalize.h"

namespace {

std::atomic<std::int64_t> g_now{0};
std::int64_t test_clock() noexcept { return g_now.load(); }

constexpr std::int64_t kDay = 86400;
// 2026-12-31T00:00:00Z and 2024-02-28T00:00:00Z as seconds since the epoch.
constexpr std::int64_t kNewYearsEve2026 = 20818 * kDay;
constexpr std::int64_t kLeapFeb28 = 19781 * kDay;

bool is(const ov::Date& d, std::int32_t y, unsigned m, unsigned day) {
    return d.year == y && d.month == m && d.day == day;
}

// Restores the system clock however the test ends.
struct TestClock {
    TestClock() { ov::set_clock_for_testing(&test_clock); }
    ~TestClock() { ov::set_clock_for_testing(nullptr); }
};

}  // namespace

TEST_CASE("today follows an injected clock across midnight and New Year") {
    TestClock clock;
    struct Step {
        std::int64_t seconds;
        std::int32_t y;
        unsigned m, d;
    };
    const Step steps[] = {
        {kNewYearsEve2026, 2026, 12, 31},
        {kNewYearsEve2026 + kDay - 1, 2026, 12, 31},  // last second of the year
        {kNewYearsEve2026 + kDay, 2027, 1, 1},        // midnight
        {kNewYearsEve2026 + kDay - 1, 2026, 12, 31},  // a clock set back is followed too
        {kLeapFeb28 + kDay - 1, 2024, 2, 28},
        {kLeapFeb28 + kDay, 2024, 2, 29},
        {kLeapFeb28 + 2 * kDay, 2024, 3, 1},
        {-1, 1970, 1, 1},                              // before the epoch
        {0, 1970, 1, 1},
        {INT64_MAX, ov::date_from_unix_seconds(INT64_MAX).year, 12, 31},  // beyond the cache: computed
    };
    for (const Step& s : steps) {
        g_now.store(s.seconds);
        CHECK(is(ov::today(), s.y, s.m, s.d));
        CHECK(is(ov::today(), s.y, s.m, s.d));  // the second read comes from the cache
    }
}

TEST_CASE("today read from many threads while the day changes is always a date of the clock") {
    TestClock clock;
    g_now.store(kNewYearsEve2026);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t)
        readers.emplace_back([&] {
            while (!stop.load()) {
                const ov::Date d = ov::today();
                if (!is(d, 2026, 12, 31) && !is(d, 2027, 1, 1)) wrong.fetch_add(1);
            }
        });
    for (int i = 0; i < 20000; ++i) g_now.store(kNewYearsEve2026 + (i % 2) * kDay);
    stop.store(true);
    for (auto& r : readers) r.join();
    CHECK(wrong.load() == 0);
}

TEST_CASE("the system clock is back after a test clock") {
    ov::set_clock_for_testing(nullptr);
    CHECK(ov::today().year >= 2024);
}
