// ISO 7064 MOD 97-10 over digits and upper-case letters, folded several
// characters at a time in 64-bit arithmetic. Inline, because its callers
// (IBAN, LEI) check a few dozen characters and a call costs as much.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ov {

namespace mod97_detail {

// MOD 97-10 step of a byte: remainder * mult + value. A digit shifts by one
// decimal place, a letter (10..35) by two; mult 0 marks any other byte.
struct Table {
    std::uint8_t mult[256];
    std::uint8_t value[256];
    constexpr Table() : mult(), value() {
        for (unsigned d = 0; d < 10; ++d) {
            mult['0' + d] = 10;
            value['0' + d] = static_cast<std::uint8_t>(d);
        }
        for (unsigned l = 0; l < 26; ++l) {
            mult['A' + l] = 100;
            value['A' + l] = static_cast<std::uint8_t>(10 + l);
        }
    }
};
inline constexpr Table kTable{};

// Eight characters act on a remainder r as r * Q + P, where Q is the
// product of their multipliers (at most 100^8 = 10^16) and P < Q their
// value. P and Q are combined pairwise as a tree, so the multiplications of
// one block do not wait on each other, and r * Q + P < 97 * 10^16 + 10^16
// fits in 64 bits: one reduction per block of eight characters.
struct Block {
    std::uint64_t p;
    std::uint64_t q;
};
constexpr Block join(Block hi, Block lo) noexcept { return {hi.p * lo.q + lo.p, hi.q * lo.q}; }

inline Block step(unsigned char c, bool& bad) noexcept {
    bad |= kTable.mult[c] == 0;
    return {kTable.value[c], kTable.mult[c]};
}

// Value of eight ASCII digits loaded little-endian (first digit lowest):
// pairs, then quadruples, then the whole, by multiply-and-shift.
constexpr std::uint64_t eight_digits(std::uint64_t x) noexcept {
    x -= 0x3030303030303030ULL;
    x = (x * 10 + (x >> 8)) & 0x00FF00FF00FF00FFULL;
    x = (x * 100 + (x >> 16)) & 0x0000FFFF0000FFFFULL;
    return (x * 10000 + (x >> 32)) & 0xFFFFFFFFULL;
}

constexpr bool all_digits8(std::uint64_t x) noexcept {
    return (x & 0xF0F0F0F0F0F0F0F0ULL) == 0x3030303030303030ULL &&
           ((x + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) == 0x3030303030303030ULL;
}

// Folds whole blocks of eight characters into the remainder r (< 97).
// Sets `bad` when a byte is neither a digit nor an upper-case letter.
inline std::uint64_t fold_blocks(std::uint64_t r, const unsigned char* p, std::size_t blocks, bool& bad) noexcept {
    bool b = false;
    for (std::size_t k = 0; k < blocks; ++k, p += 8) {
        if constexpr (std::endian::native == std::endian::little) {
            // Eight digits (the usual case) are read as one number.
            std::uint64_t x;
            std::memcpy(&x, p, 8);
            if (all_digits8(x)) {
                r = (r * 100000000 + eight_digits(x)) % 97;
                continue;
            }
        }
        const Block b01 = join(step(p[0], b), step(p[1], b));
        const Block b23 = join(step(p[2], b), step(p[3], b));
        const Block b45 = join(step(p[4], b), step(p[5], b));
        const Block b67 = join(step(p[6], b), step(p[7], b));
        const Block all = join(join(b01, b23), join(b45, b67));
        r = (r * all.q + all.p) % 97;
    }
    bad |= b;
    return r;
}

}  // namespace mod97_detail

// Continues a MOD 97-10 computation from `remainder` over `text` and returns
// the new remainder (0..96). `bad` is set when a byte is neither a digit nor
// an upper-case letter; the remainder is then meaningless.
inline unsigned mod97_10_fold(unsigned remainder, std::string_view text, bool& bad) noexcept {
    using namespace mod97_detail;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::uint64_t r = fold_blocks(remainder % 97, p, n / 8, bad);
    // The last 0..7 characters: 97 * 100^7 + 100^7 stays far below 2^64.
    bool b = false;
    for (std::size_t i = n - n % 8; i < n; ++i) {
        const Block s = step(p[i], b);
        r = r * s.q + s.p;
    }
    bad |= b;
    return static_cast<unsigned>(r % 97);
}

// MOD 97-10 remainder of a short text, copied behind leading zeros up to a
// whole number of blocks (zeros in front leave the remainder unchanged), so
// no character takes the slow one-at-a-time path. Texts longer than the
// buffer take mod97_10_fold.
inline unsigned mod97_10_padded(std::string_view first, std::string_view second, bool& bad) noexcept {
    unsigned char buffer[64];
    const std::size_t n = first.size() + second.size();
    if (n > sizeof buffer) return mod97_10_fold(mod97_10_fold(0, first, bad), second, bad);
    const std::size_t pad = (8 - n % 8) % 8;
    for (std::size_t i = 0; i < pad; ++i) buffer[i] = '0';
    // An empty piece may carry a null pointer, which memcpy must not get
    // even for no bytes.
    if (!first.empty()) std::memcpy(buffer + pad, first.data(), first.size());
    if (!second.empty()) std::memcpy(buffer + pad + first.size(), second.data(), second.size());
    return static_cast<unsigned>(mod97_detail::fold_blocks(0, buffer, (pad + n) / 8, bad) % 97);
}

}  // namespace ov
