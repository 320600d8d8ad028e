// Eight bytes at a time in a 64-bit word ("SIMD within a register"): ASCII
// range tests and case mapping for the short-text fast paths. Words are
// loaded in memory order; each helper works on any byte order, as it treats
// every byte of the word alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ov::swar {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

inline std::uint64_t load(const void* p) noexcept {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
inline void store(void* p, std::uint64_t w) noexcept { std::memcpy(p, &w, 8); }

// Bit 7 of each byte set where the byte lies in [lo, hi]. Every byte of x
// must be below 0x80 (test x & kHigh first): then no sum carries into the
// next byte.
constexpr std::uint64_t in_range(std::uint64_t x, unsigned lo, unsigned hi) noexcept {
    const std::uint64_t ge_lo = x + kOnes * (0x80 - lo);
    const std::uint64_t gt_hi = x + kOnes * (0x80 - (hi + 1));
    return ge_lo & ~gt_hi & kHigh;
}

// Bit 7 of each byte set where the byte equals c (exact for any bytes).
constexpr std::uint64_t equal_to(std::uint64_t x, unsigned char c) noexcept {
    const std::uint64_t y = x ^ (kOnes * c);
    const std::uint64_t t = (y & ~kHigh) + ~kHigh;  // bit 7 set where the low seven bits are not all zero
    return ~(t | y | ~kHigh);
}

// ASCII bytes with the letters of one case mapped to the other.
constexpr std::uint64_t to_upper(std::uint64_t x) noexcept { return x ^ (in_range(x, 'a', 'z') >> 2); }
constexpr std::uint64_t to_lower(std::uint64_t x) noexcept { return x ^ (in_range(x, 'A', 'Z') >> 2); }

}  // namespace ov::swar

namespace ov {

// Which ASCII letter cases a text holds, and whether it is all ASCII.
struct LetterCases {
    bool lower = false;
    bool upper = false;
    bool ascii = true;
};

inline LetterCases letter_cases(const char* p, std::size_t n) noexcept {
    std::uint64_t lower = 0, upper = 0, high = 0;
    std::size_t i = 0;
    for (; n - i >= 8; i += 8) {
        const std::uint64_t w = swar::load(p + i);
        high |= w;
        const std::uint64_t ascii = w & ~swar::kHigh;  // the range tests need bytes below 0x80
        // A byte of 0x80 or above never counts as a letter.
        const std::uint64_t low_bytes = ~w & swar::kHigh;
        lower |= swar::in_range(ascii, 'a', 'z') & low_bytes;
        upper |= swar::in_range(ascii, 'A', 'Z') & low_bytes;
    }
    bool lo = lower != 0, up = upper != 0;
    unsigned hi = (high & swar::kHigh) != 0;
    for (; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        lo |= b >= 'a' && b <= 'z';
        up |= b >= 'A' && b <= 'Z';
        hi |= b >> 7;
    }
    return {lo, up, hi == 0};
}

// ASCII lower-casing of n bytes into out (other bytes copied unchanged).
inline void ascii_lower_into(const char* p, std::size_t n, char* out) noexcept {
    std::size_t i = 0;
    for (; n - i >= 8; i += 8) {
        const std::uint64_t w = swar::load(p + i);
        const std::uint64_t ascii = w & ~swar::kHigh;
        swar::store(out + i, w ^ ((swar::in_range(ascii, 'A', 'Z') & ~w & swar::kHigh) >> 2));
    }
    for (; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        out[i] = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
    }
}

}  // namespace ov
