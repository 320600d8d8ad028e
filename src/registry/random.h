// The process-wide random source: a 64-bit counter mixed with the clock.
// Not cryptographic; successive draws differ because both advance.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ov {

class RandomSource {
public:
    static constexpr std::uint64_t kStep = 0x9e3779b97f4a7c15ULL;

    // One draw mixing the current real-time clock into the counter.
    std::uint64_t draw() noexcept;
    // One draw with an explicit clock reading in nanoseconds since 1970.
    std::uint64_t draw_at(std::uint64_t clock_ns) noexcept;
    std::uint64_t counter() const noexcept { return counter_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> counter_{kStep};
};

// Nanoseconds since 1970-01-01 (saturating, 0 before the epoch).
std::uint64_t clock_ns() noexcept;

RandomSource& random_source() noexcept;

std::uint64_t draw() noexcept;
// draw modulo n; n must be non-zero.
std::uint64_t random_below(std::uint64_t n) noexcept;
char random_digit() noexcept;
// n random decimal digits, one draw each.
std::string random_digits(std::size_t n);

}  // namespace ov
