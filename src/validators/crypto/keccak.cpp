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

constexpr std::uint64_t rotl(std::uint64_t x, unsigned n) noexcept { return (x << n) | (x >> (64 - n)); }

// Keccak-f[1600] with the 25 lanes held in locals (lane aXY is x + 5y of the
// state) and every step of a round written out, so that the compiler keeps
// the state in registers instead of indexing memory. The rotation of lane
// (x, y) is the triangular number (t + 1)(t + 2) / 2 mod 64 of its place t
// on the rho walk; a rotation by 0 (lane 0, 0) is left out.
void keccak_f(std::uint64_t (&s)[25]) noexcept {
    std::uint64_t a00 = s[0];
    std::uint64_t a10 = s[1];
    std::uint64_t a20 = s[2];
    std::uint64_t a30 = s[3];
    std::uint64_t a40 = s[4];
    std::uint64_t a01 = s[5];
    std::uint64_t a11 = s[6];
    std::uint64_t a21 = s[7];
    std::uint64_t a31 = s[8];
    std::uint64_t a41 = s[9];
    std::uint64_t a02 = s[10];
    std::uint64_t a12 = s[11];
    std::uint64_t a22 = s[12];
    std::uint64_t a32 = s[13];
    std::uint64_t a42 = s[14];
    std::uint64_t a03 = s[15];
    std::uint64_t a13 = s[16];
    std::uint64_t a23 = s[17];
    std::uint64_t a33 = s[18];
    std::uint64_t a43 = s[19];
    std::uint64_t a04 = s[20];
    std::uint64_t a14 = s[21];
    std::uint64_t a24 = s[22];
    std::uint64_t a34 = s[23];
    std::uint64_t a44 = s[24];
    for (int round = 0; round < 24; ++round) {
        // theta
        const std::uint64_t c0 = a00 ^ a01 ^ a02 ^ a03 ^ a04;
        const std::uint64_t c1 = a10 ^ a11 ^ a12 ^ a13 ^ a14;
        const std::uint64_t c2 = a20 ^ a21 ^ a22 ^ a23 ^ a24;
        const std::uint64_t c3 = a30 ^ a31 ^ a32 ^ a33 ^ a34;
        const std::uint64_t c4 = a40 ^ a41 ^ a42 ^ a43 ^ a44;
        const std::uint64_t d0 = c4 ^ rotl(c1, 1);
        const std::uint64_t d1 = c0 ^ rotl(c2, 1);
        const std::uint64_t d2 = c1 ^ rotl(c3, 1);
        const std::uint64_t d3 = c2 ^ rotl(c4, 1);
        const std::uint64_t d4 = c3 ^ rotl(c0, 1);
        // rho and pi: lane (x, y) moves to (y, 2x + 3y), rotated
        const std::uint64_t b00 = (a00 ^ d0);
        const std::uint64_t b10 = rotl(a11 ^ d1, 44);
        const std::uint64_t b20 = rotl(a22 ^ d2, 43);
        const std::uint64_t b30 = rotl(a33 ^ d3, 21);
        const std::uint64_t b40 = rotl(a44 ^ d4, 14);
        const std::uint64_t b01 = rotl(a30 ^ d3, 28);
        const std::uint64_t b11 = rotl(a41 ^ d4, 20);
        const std::uint64_t b21 = rotl(a02 ^ d0, 3);
        const std::uint64_t b31 = rotl(a13 ^ d1, 45);
        const std::uint64_t b41 = rotl(a24 ^ d2, 61);
        const std::uint64_t b02 = rotl(a10 ^ d1, 1);
        const std::uint64_t b12 = rotl(a21 ^ d2, 6);
        const std::uint64_t b22 = rotl(a32 ^ d3, 25);
        const std::uint64_t b32 = rotl(a43 ^ d4, 8);
        const std::uint64_t b42 = rotl(a04 ^ d0, 18);
        const std::uint64_t b03 = rotl(a40 ^ d4, 27);
        const std::uint64_t b13 = rotl(a01 ^ d0, 36);
        const std::uint64_t b23 = rotl(a12 ^ d1, 10);
        const std::uint64_t b33 = rotl(a23 ^ d2, 15);
        const std::uint64_t b43 = rotl(a34 ^ d3, 56);
        const std::uint64_t b04 = rotl(a20 ^ d2, 62);
        const std::uint64_t b14 = rotl(a31 ^ d3, 55);
        const std::uint64_t b24 = rotl(a42 ^ d4, 39);
        const std::uint64_t b34 = rotl(a03 ^ d0, 41);
        const std::uint64_t b44 = rotl(a14 ^ d1, 2);
        // chi, then iota
        a00 = b00 ^ (~b10 & b20);
        a10 = b10 ^ (~b20 & b30);
        a20 = b20 ^ (~b30 & b40);
        a30 = b30 ^ (~b40 & b00);
        a40 = b40 ^ (~b00 & b10);
        a01 = b01 ^ (~b11 & b21);
        a11 = b11 ^ (~b21 & b31);
        a21 = b21 ^ (~b31 & b41);
        a31 = b31 ^ (~b41 & b01);
        a41 = b41 ^ (~b01 & b11);
        a02 = b02 ^ (~b12 & b22);
        a12 = b12 ^ (~b22 & b32);
        a22 = b22 ^ (~b32 & b42);
        a32 = b32 ^ (~b42 & b02);
        a42 = b42 ^ (~b02 & b12);
        a03 = b03 ^ (~b13 & b23);
        a13 = b13 ^ (~b23 & b33);
        a23 = b23 ^ (~b33 & b43);
        a33 = b33 ^ (~b43 & b03);
        a43 = b43 ^ (~b03 & b13);
        a04 = b04 ^ (~b14 & b24);
        a14 = b14 ^ (~b24 & b34);
        a24 = b24 ^ (~b34 & b44);
        a34 = b34 ^ (~b44 & b04);
        a44 = b44 ^ (~b04 & b14);
        a00 ^= kRoundConstants[round];
    }
    s[0] = a00;
    s[1] = a10;
    s[2] = a20;
    s[3] = a30;
    s[4] = a40;
    s[5] = a01;
    s[6] = a11;
    s[7] = a21;
    s[8] = a31;
    s[9] = a41;
    s[10] = a02;
    s[11] = a12;
    s[12] = a22;
    s[13] = a32;
    s[14] = a42;
    s[15] = a03;
    s[16] = a13;
    s[17] = a23;
    s[18] = a33;
    s[19] = a43;
    s[20] = a04;
    s[21] = a14;
    s[22] = a24;
    s[23] = a34;
    s[24] = a44;
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
