#include "registry/random.h"

#include <chrono>
#include <limits>

namespace ov {

std::uint64_t clock_ns() noexcept {
    using namespace std::chrono;
    auto since = system_clock::now().time_since_epoch();
    auto secs = duration_cast<seconds>(since).count();
    if (since.count() < 0 || secs < 0) return 0;
    auto nanos = duration_cast<nanoseconds>(since - seconds(secs)).count();
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    auto s = static_cast<std::uint64_t>(secs);
    // Saturate before multiplying so that a far-future clock cannot wrap.
    if (s > kMax / 1000000000ULL) return kMax;
    std::uint64_t t = s * 1000000000ULL;
    auto n = static_cast<std::uint64_t>(nanos);
    return t > kMax - n ? kMax : t + n;
}

std::uint64_t RandomSource::draw_at(std::uint64_t t) noexcept {
    std::uint64_t old = counter_.fetch_add(kStep, std::memory_order_relaxed);
    std::uint64_t x = t ^ old;
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
}

std::uint64_t RandomSource::draw() noexcept { return draw_at(clock_ns()); }

RandomSource& random_source() noexcept {
    static RandomSource source;
    return source;
}

std::uint64_t draw() noexcept { return random_source().draw(); }

std::uint64_t random_below(std::uint64_t n) noexcept { return n == 0 ? 0 : draw() % n; }

char random_digit() noexcept { return static_cast<char>('0' + draw() % 10); }

std::string random_digits(std::size_t n) {
    std::string out(n, '0');
    for (auto& c : out) c = random_digit();
    return out;
}

}  // namespace ov
