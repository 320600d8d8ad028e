// The process-wide random source: a 64-bit counter mixed with the clock.
// Not cryptographic; successive draws differ because both advance. The clock
// reading is first XORed with 64 bits the operating system gave once, when
// the source was made, so two processes started in the same nanosecond (or
// a clock someone can guess) do not draw alike.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ov {

// Fills n bytes with the operating system's randomness; false if it gave
// none. On Linux the getrandom system call (through syscall(), so the module
// needs no glibc newer than 2.17), else /dev/urandom.
bool os_entropy(void* out, std::size_t n) noexcept;
// The fallback on its own, for systems and filters that refuse getrandom.
bool urandom_entropy(void* out, std::size_t n) noexcept;

using EntropySource = bool (*)(void* out, std::size_t n) noexcept;

class RandomSource {
public:
    static constexpr std::uint64_t kStep = 0x9e3779b97f4a7c15ULL;

    // Asks `entropy` once, for the seed; if it fails the seed is 0 and the
    // draws depend on the clock and the counter alone.
    explicit RandomSource(EntropySource entropy = os_entropy) noexcept;

    // One draw mixing the current real-time clock (XOR the seed) into the counter.
    std::uint64_t draw() noexcept;
    // One draw with an explicit clock reading in nanoseconds since 1970.
    std::uint64_t draw_at(std::uint64_t clock_ns) noexcept;
    std::uint64_t counter() const noexcept { return counter_.load(std::memory_order_relaxed); }
    std::uint64_t seed() const noexcept { return seed_; }

private:
    std::atomic<std::uint64_t> counter_{kStep};
    std::uint64_t seed_ = 0;
};

// Nanoseconds since 1970-01-01 (saturating, 0 before the epoch).
std::uint64_t clock_ns() noexcept;

RandomSource& random_source() noexcept;

// What generators draw: one draw of the process-wide source (its counter
// and clock walk as documented), spread by the seeded generator `sample`
// uses. The source's own xorshift step leaves the low bits, which modulo
// small numbers keep, tied to a few bits of the clock; seeding the sample
// generator with it makes every bit depend on every input bit, so values
// differ even where the clock advances coarsely.
std::uint64_t draw() noexcept;
// The spreading step on its own (a pure function of `raw`).
std::uint64_t spread(std::uint64_t raw) noexcept;
// draw modulo n; n must be non-zero.
std::uint64_t random_below(std::uint64_t n) noexcept;
char random_digit() noexcept;
// n random decimal digits, one draw each.
std::string random_digits(std::size_t n);

}  // namespace ov
