// SHA-256 as defined in FIPS 180-4: 64-byte blocks, big-endian words, the
// message padded with 0x80, zero bytes and the 64-bit bit length.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "validators/crypto/crypto.h"

// The SHA instructions of x86-64, compiled in for them alone (GCC and Clang
// need the target attribute; MSVC takes the intrinsics as they are) and used
// only where CPUID reports them. Everywhere else: the portable compression.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define OV_SHA_EXTENSIONS 1
#define OV_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))
#include <cpuid.h>
#include <immintrin.h>
#elif defined(_M_X64) && defined(_MSC_VER)
#define OV_SHA_EXTENSIONS 1
#define OV_SHA_TARGET
#include <immintrin.h>
#include <intrin.h>
#endif

namespace ov {

namespace {

constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

constexpr std::uint32_t kInitial[8] = {
    0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19,
};

constexpr std::uint32_t rotr(std::uint32_t x, unsigned n) noexcept { return (x >> n) | (x << (32 - n)); }

// The rounds over the sixteen message words of a block (the block's
// big-endian words); w[16..63] is the schedule's scratch space.
void rounds_portable(std::uint32_t (&h)[8], std::uint32_t (&w)[64]) noexcept {
    for (int i = 16; i < 64; ++i) {
        std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t t1 = k + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        std::uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
    h[5] += f;
    h[6] += g;
    h[7] += k;
}

void compress_portable(std::uint32_t (&h)[8], const std::uint8_t* block) noexcept {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = (std::uint32_t{block[4 * i]} << 24) | (std::uint32_t{block[4 * i + 1]} << 16) |
               (std::uint32_t{block[4 * i + 2]} << 8) | std::uint32_t{block[4 * i + 3]};
    rounds_portable(h, w);
}

void words_portable(std::uint32_t (&h)[8], const std::uint32_t (&words)[16]) noexcept {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) w[i] = words[i];
    rounds_portable(h, w);
}

#ifdef OV_SHA_EXTENSIONS
// The same compression with the processor's SHA-256 instructions (four
// times faster or more), chosen at run time where the processor has them.
// State order for the round instructions: ABEF in one register, CDGH in the
// other. Message words are regrouped four at a time:
// W[t..t+3] = msg2(msg1(W[t-16..], W[t-12..]) + W[t-7..t-4], W[t-4..]).
OV_SHA_TARGET inline void rounds_sha_ni(std::uint32_t (&h)[8], __m128i (&w)[4]) noexcept {
    __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[0]));
    __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[4]));
    const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
    const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
    __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
    __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);
    const __m128i abef_in = abef, cdgh_in = cdgh;

    for (int g = 0; g < 16; ++g) {
        __m128i wk = _mm_add_epi32(w[g & 3], _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRound[4 * g])));
        cdgh = _mm_sha256rnds2_epu32(cdgh, abef, wk);
        wk = _mm_shuffle_epi32(wk, 0x0E);
        abef = _mm_sha256rnds2_epu32(abef, cdgh, wk);
        if (g < 12) {
            __m128i t = _mm_sha256msg1_epu32(w[g & 3], w[(g + 1) & 3]);
            t = _mm_add_epi32(t, _mm_alignr_epi8(w[(g + 3) & 3], w[(g + 2) & 3], 4));
            w[g & 3] = _mm_sha256msg2_epu32(t, w[(g + 3) & 3]);
        }
    }
    abef = _mm_add_epi32(abef, abef_in);
    cdgh = _mm_add_epi32(cdgh, cdgh_in);
    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[0]), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[4]), _mm_alignr_epi8(dchg, feba, 8));
}

OV_SHA_TARGET void compress_sha_ni(std::uint32_t (&h)[8],
                                                                  const std::uint8_t* block) noexcept {
    const __m128i kByteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    __m128i w[4];
    for (int i = 0; i < 4; ++i)
        w[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i)), kByteSwap);
    rounds_sha_ni(h, w);
}

// Message words are put together lane by lane: a 16-byte load of words just
// written one at a time would wait for the stores to land.
OV_SHA_TARGET void words_sha_ni(std::uint32_t (&h)[8],
                                                               const std::uint32_t (&words)[16]) noexcept {
    __m128i w[4];
    for (int i = 0; i < 4; ++i)
        w[i] = _mm_set_epi32(static_cast<int>(words[4 * i + 3]), static_cast<int>(words[4 * i + 2]),
                             static_cast<int>(words[4 * i + 1]), static_cast<int>(words[4 * i]));
    rounds_sha_ni(h, w);
}

// CPUID leaf 1: ECX bits 9 (SSSE3) and 19 (SSE4.1); leaf 7: EBX bit 29 (SHA).
bool has_sha_extensions() noexcept {
#if defined(__GNUC__) || defined(__clang__)
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool ssse3 = (c >> 9) & 1, sse41 = (c >> 19) & 1;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return ssse3 && sse41 && ((b >> 29) & 1);
#else
    int r[4];
    __cpuid(r, 0);
    if (r[0] < 7) return false;
    __cpuid(r, 1);
    const bool ssse3 = (r[2] >> 9) & 1, sse41 = (r[2] >> 19) & 1;
    __cpuidex(r, 7, 0);
    return ssse3 && sse41 && ((r[1] >> 29) & 1);
#endif
}
#endif

using Compress = void (*)(std::uint32_t (&)[8], const std::uint8_t*) noexcept;
using CompressWords = void (*)(std::uint32_t (&)[8], const std::uint32_t (&)[16]) noexcept;

CompressWords pick_compress_words() noexcept {
#ifdef OV_SHA_EXTENSIONS
    if (has_sha_extensions()) return words_sha_ni;
#endif
    return words_portable;
}

Compress pick_compress() noexcept {
#ifdef OV_SHA_EXTENSIONS
    if (has_sha_extensions()) return compress_sha_ni;
#endif
    return compress_portable;
}

// Writes the eight state words big-endian.
void store_state(const std::uint32_t (&h)[8], std::uint8_t* out) noexcept {
    for (int i = 0; i < 8; ++i) {
        out[4 * i] = static_cast<std::uint8_t>(h[i] >> 24);
        out[4 * i + 1] = static_cast<std::uint8_t>(h[i] >> 16);
        out[4 * i + 2] = static_cast<std::uint8_t>(h[i] >> 8);
        out[4 * i + 3] = static_cast<std::uint8_t>(h[i]);
    }
}

std::array<std::uint8_t, 32> digest(std::span<const std::uint8_t> data, Compress compress) noexcept {
    std::uint32_t h[8];
    for (int i = 0; i < 8; ++i) h[i] = kInitial[i];

    const std::size_t n = data.size();
    std::size_t full = n / 64;
    for (std::size_t i = 0; i < full; ++i) compress(h, data.data() + 64 * i);

    // The tail, the 0x80 marker and the length fill one or two final blocks.
    std::uint8_t tail[128] = {};
    const std::size_t rest = n - full * 64;
    for (std::size_t i = 0; i < rest; ++i) tail[i] = data[full * 64 + i];
    tail[rest] = 0x80;
    const std::size_t tail_len = rest < 56 ? 64 : 128;
    // The message length in bits, modulo 2^64, big-endian at the very end.
    const std::uint64_t bits = static_cast<std::uint64_t>(n) << 3;
    for (int i = 0; i < 8; ++i) tail[tail_len - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
    compress(h, tail);
    if (tail_len == 128) compress(h, tail + 64);

    std::array<std::uint8_t, 32> out;
    store_state(h, out.data());
    return out;
}

// Decided once per process; both forms give the same digest.
Compress best_compress() noexcept {
    static const Compress compress = pick_compress();
    return compress;
}

// One padded block for a message of at most 55 bytes: the message, 0x80,
// zero bytes and the bit length.
void single_block(const std::uint8_t* data, std::size_t n, std::uint8_t (&block)[64]) noexcept {
    std::memset(block, 0, sizeof block);
    if (n > 0) std::memcpy(block, data, n);
    block[n] = 0x80;
    const std::uint64_t bits = static_cast<std::uint64_t>(n) << 3;
    for (int i = 0; i < 8; ++i) block[63 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, 32> sha256(std::span<const std::uint8_t> data) noexcept {
    return digest(data, best_compress());
}

std::array<std::uint8_t, 32> sha256d(std::span<const std::uint8_t> data) noexcept {
    if (data.size() > kSha256BlockMessage) return sha256(sha256(data));
    const Compress compress = best_compress();
    std::uint8_t block[64];
    single_block(data.data(), data.size(), block);
    std::uint32_t h[8];
    std::memcpy(h, kInitial, sizeof h);
    compress(h, block);
    // The first digest (32 bytes) is the whole message of the second pass.
    std::uint8_t first[32];
    store_state(h, first);
    single_block(first, sizeof first, block);
    std::memcpy(h, kInitial, sizeof h);
    compress(h, block);
    std::array<std::uint8_t, 32> out;
    store_state(h, out.data());
    return out;
}

std::uint32_t sha256d_head(const std::uint32_t (&words)[16]) noexcept {
    static const CompressWords compress = pick_compress_words();
    std::uint32_t h[8];
    std::memcpy(h, kInitial, sizeof h);
    compress(h, words);
    // The first digest, eight words, is the whole message of the second pass.
    std::uint32_t second[16] = {h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7], 0x80000000u, 0, 0, 0, 0, 0, 0, 256};
    std::memcpy(h, kInitial, sizeof h);
    compress(h, second);
    return h[0];
}

std::array<std::uint8_t, 32> sha256_portable(std::span<const std::uint8_t> data) noexcept {
    return digest(data, compress_portable);
}

}  // namespace ov
