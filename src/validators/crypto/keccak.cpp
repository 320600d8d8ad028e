// Keccak-256: the Keccak-f[1600] permutation with a 1088-bit (136-byte) rate
// and the original Keccak multi-rate padding (first pad byte 0x01, last pad
// byte 0x80), which differs from the SHA-3 domain padding (0x06).
#include <cstddef>
#include <cstdint>

#include "validators/crypto/crypto.h"

namespace ov {

namespace {

constexpr std::size_t kRate = 136;

constexpr std::uint64_t kRoundConstants[24] = {
    0x0000000000000001ULL, 0x0000000000008082ULL, 0x800000000000808aULL, 0x8000000080008000ULL,
    0x000000000000808bULL, 0x0000000080000001ULL, 0x8000000080008081ULL, 0x8000000000008009ULL,
    0x000000000000008aULL, 0x0000000000000088ULL, 0x0000000080008009ULL, 0x000000008000000aULL,
    0x000000008000808bULL, 0x800000000000008bULL, 0x8000000000008089ULL, 0x8000000000008003ULL,
    0x8000000000008002ULL, 0x8000000000000080ULL, 0x000000000000800aULL, 0x800000008000000aULL,
    0x8000000080008081ULL, 0x8000000000008080ULL, 0x0000000080000001ULL, 0x8000000080008008ULL,
};

// Rotation offsets and lane order of the combined rho and pi steps.
constexpr unsigned kRho[24] = {1, 3, 6, 10, 15, 21, 28, 36, 45, 55, 2, 14,
                               27, 41, 56, 8, 25, 43, 62, 18, 39, 61, 20, 44};
constexpr unsigned kPi[24] = {10, 7, 11, 17, 18, 3, 5, 16, 8, 21, 24, 4,
                              15, 23, 19, 13, 12, 2, 20, 14, 22, 9, 6, 1};

constexpr std::uint64_t rotl(std::uint64_t x, unsigned n) noexcept { return (x << n) | (x >> (64 - n)); }

void keccak_f(std::uint64_t (&a)[25]) noexcept {
    for (int round = 0; round < 24; ++round) {
        // theta
        std::uint64_t c[5];
        for (int x = 0; x < 5; ++x) c[x] = a[x] ^ a[x + 5] ^ a[x + 10] ^ a[x + 15] ^ a[x + 20];
        for (int x = 0; x < 5; ++x) {
            std::uint64_t d = c[(x + 4) % 5] ^ rotl(c[(x + 1) % 5], 1);
            for (int y = 0; y < 25; y += 5) a[y + x] ^= d;
        }
        // rho and pi
        std::uint64_t carry = a[1];
        for (int i = 0; i < 24; ++i) {
            std::uint64_t next = a[kPi[i]];
            a[kPi[i]] = rotl(carry, kRho[i]);
            carry = next;
        }
        // chi
        for (int y = 0; y < 25; y += 5) {
            std::uint64_t row[5];
            for (int x = 0; x < 5; ++x) row[x] = a[y + x];
            for (int x = 0; x < 5; ++x) a[y + x] = row[x] ^ (~row[(x + 1) % 5] & row[(x + 2) % 5]);
        }
        // iota
        a[0] ^= kRoundConstants[round];
    }
}

// XORs one rate-sized block into the state, lanes little-endian.
void absorb(std::uint64_t (&a)[25], const std::uint8_t* block) noexcept {
    for (std::size_t i = 0; i < kRate / 8; ++i) {
        std::uint64_t lane = 0;
        for (int b = 7; b >= 0; --b) lane = (lane << 8) | block[8 * i + static_cast<std::size_t>(b)];
        a[i] ^= lane;
    }
    keccak_f(a);
}

}  // namespace

std::array<std::uint8_t, 32> keccak256(std::span<const std::uint8_t> data) noexcept {
    std::uint64_t a[25] = {};
    const std::size_t n = data.size();
    const std::size_t full = n / kRate;
    for (std::size_t i = 0; i < full; ++i) absorb(a, data.data() + kRate * i);

    // The last block always exists: when the tail is 135 bytes, 0x01 and 0x80
    // share the final byte (0x81).
    std::uint8_t last[kRate] = {};
    const std::size_t rest = n - full * kRate;
    for (std::size_t i = 0; i < rest; ++i) last[i] = data[full * kRate + i];
    last[rest] ^= 0x01;
    last[kRate - 1] ^= 0x80;
    absorb(a, last);

    std::array<std::uint8_t, 32> out{};
    for (std::size_t i = 0; i < 32; ++i) out[i] = static_cast<std::uint8_t>(a[i / 8] >> (8 * (i % 8)));
    return out;
}

}  // namespace ov
