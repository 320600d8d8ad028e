// The random source's link to the operating system: the seed comes from the
// entropy source exactly once, and it changes what a draw gives.
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "check.h"
#include "registry/random.h"

namespace {

constexpr std::uint64_t kStep = ov::RandomSource::kStep;

int g_calls = 0;
bool counting_entropy(void* out, std::size_t n) noexcept {
    ++g_calls;
    const std::uint64_t fixed = 0x0123456789abcdefULL;
    std::memcpy(out, &fixed, n < sizeof fixed ? n : sizeof fixed);
    return true;
}
bool failing_entropy(void* out, std::size_t n) noexcept {
    std::memset(out, 0xff, n);  // garbage that must not be used
    return false;
}

}  // namespace

TEST_CASE("random: the seed is asked for once, whatever the number of draws") {
    g_calls = 0;
    ov::RandomSource src(counting_entropy);
    CHECK_EQ(g_calls, 1);
    CHECK_EQ(src.seed(), 0x0123456789abcdefULL);
    for (int i = 0; i < 100; ++i) src.draw();
    CHECK_EQ(g_calls, 1);
    CHECK_EQ(src.counter(), kStep * 101);  // the documented counter walk is unchanged
}

TEST_CASE("random: without entropy the draws fall back to clock and counter") {
    ov::RandomSource src(failing_entropy);
    CHECK_EQ(src.seed(), 0u);
    ov::RandomSource none(nullptr);
    CHECK_EQ(none.seed(), 0u);
}

TEST_CASE("random: a draw mixes the clock XOR the seed") {
    // draw() must equal draw_at(clock ^ seed) for a clock reading taken
    // during the call: bracket the call with two readings and search between.
    ov::RandomSource src(counting_entropy);
    const std::uint64_t before = ov::clock_ns();
    const std::uint64_t d = src.draw();
    const std::uint64_t after = ov::clock_ns();
    if (after - before > 10000000) return;  // a stalled machine: too wide to search
    bool found = false, found_unseeded = false;
    for (std::uint64_t c = before; c <= after; ++c) {
        found |= ov::RandomSource(failing_entropy).draw_at(c ^ 0x0123456789abcdefULL) == d;
        found_unseeded |= ov::RandomSource(failing_entropy).draw_at(c) == d;
    }
    CHECK(found);
    CHECK(!found_unseeded);
}

TEST_CASE("random: the operating system answers, through getrandom and /dev/urandom alike") {
    for (auto* source : {ov::os_entropy, ov::urandom_entropy}) {
#if defined(_WIN32)
        if (source == ov::urandom_entropy) continue;
#endif
        // 64 reads of 64 bits: all distinct and none zero unless the source
        // ignores its buffer (chance of a false failure: about 2^-52).
        std::set<std::uint64_t> seen;
        for (int i = 0; i < 64; ++i) {
            std::uint64_t v = 0;
            CHECK(source(&v, sizeof v));
            seen.insert(v);
        }
        CHECK_EQ(seen.size(), 64u);
        CHECK(seen.count(0) == 0);
        // Lengths other than a word, including none and more than a page.
        unsigned char big[5000] = {};
        CHECK(source(big, sizeof big));
        CHECK(source(big, 0));
        int zeros = 0;
        for (unsigned char b : big) zeros += b == 0;
        CHECK(zeros < 100);  // about 20 expected
    }
    // The process-wide source was seeded by the system, and a second one gets another seed.
    CHECK(ov::random_source().seed() != 0);
    CHECK(ov::RandomSource{}.seed() != ov::random_source().seed());
}

TEST_CASE("random: the clock reads nanoseconds, and a coarse clock still gives distinct values") {
    // A clock read in whole microseconds ends in 000 every time; a thousand
    // readings in a row that all do mean the nanoseconds were lost.
    bool sub_microsecond = false;
    for (int i = 0; i < 1000 && !sub_microsecond; ++i) sub_microsecond = ov::clock_ns() % 1000 != 0;
    CHECK(sub_microsecond);

    // What generators draw must not repeat when the clock advances in
    // microseconds, several draws per tick: 1000 values of 12 hex digits
    // (a MAC address), each digit one draw modulo 16. The bare xorshift
    // draw gives about 512 distinct values here.
    for (std::uint64_t per_tick : {1u, 4u, 8u}) {
        ov::RandomSource src(nullptr);
        std::set<std::string> seen;
        std::uint64_t k = 0;
        for (int i = 0; i < 1000; ++i) {
            std::string mac;
            for (int j = 0; j < 12; ++j) {
                const std::uint64_t t = 1765100000123456000ULL + (k++ / per_tick) * 1000;
                mac.push_back("0123456789ABCDEF"[ov::spread(src.draw_at(t)) % 16]);
            }
            seen.insert(mac);
        }
        CHECK(seen.size() >= 990u);
    }
    CHECK_EQ(ov::spread(42), ov::spread(42));  // a pure function of its input
}
