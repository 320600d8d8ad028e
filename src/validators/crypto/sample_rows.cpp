// Sampling rows of the address validators: their check values (a double
// SHA-256, a BCH code, a Keccak-cased hex body) cover the whole text, so
// each address is built from random bytes and encoded as a wallet would.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "data/sample_rows.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> random_bytes(SampleRng& rng) {
    std::array<std::uint8_t, N> out{};
    for (auto& b : out) b = static_cast<std::uint8_t>(rng.next() >> 56);
    return out;
}

constexpr std::string_view kBase58 = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";

// Version 0 (pay to a key hash, "1...") or 5 (a script hash, "3..."), a
// 20-byte hash and the first four bytes of its double SHA-256.
void draw_base58(SampleRng& rng, std::string_view, std::string& out) {
    std::array<std::uint8_t, 25> payload{};
    payload[0] = rng.below(2) ? 5 : 0;
    const auto hash = random_bytes<20>(rng);
    std::copy(hash.begin(), hash.end(), payload.begin() + 1);
    const auto twice = sha256(sha256(std::span<const std::uint8_t>(payload.data(), 21)));
    std::copy(twice.begin(), twice.begin() + 4, payload.begin() + 21);
    // Base 256 to base 58 by repeated division; leading zero bytes are "1"s.
    std::array<std::uint8_t, 25> number = payload;
    char digits[40];
    std::size_t count = 0, first = 0;
    while (first < number.size() && number[first] == 0) ++first;
    const std::size_t zeros = first;
    while (first < number.size()) {
        unsigned remainder = 0;
        for (std::size_t i = first; i < number.size(); ++i) {
            const unsigned v = remainder * 256 + number[i];
            number[i] = static_cast<std::uint8_t>(v / 58);
            remainder = v % 58;
        }
        digits[count++] = kBase58[remainder];
        while (first < number.size() && number[first] == 0) ++first;
    }
    out.append(zeros, '1');
    while (count > 0) out.push_back(digits[--count]);
}

constexpr std::string_view kBech32 = "qpzry9x8gf2tvdw0s3jn54khce6mua7l";

// Witness version 0 with a 20- or 32-byte program (Bech32), or version 1
// with a 32-byte program (Bech32m), human-readable part "bc".
void draw_bech32(SampleRng& rng, std::string_view, std::string& out) {
    const unsigned kind = rng.below(3);
    const std::uint32_t version = kind == 2 ? 1 : 0;
    const auto program = random_bytes<32>(rng);
    const std::size_t bytes = kind == 0 ? 20 : 32;
    std::vector<std::uint32_t> values = {3, 3, 0, 2, 3, version};  // "bc" expanded, then the version
    std::uint32_t acc = 0;
    unsigned bits = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        acc = acc << 8 | program[i];
        bits += 8;
        while (bits >= 5) values.push_back((acc >> (bits -= 5)) & 31);
    }
    if (bits > 0) values.push_back((acc << (5 - bits)) & 31);
    const std::size_t data_end = values.size();
    values.insert(values.end(), 6, 0);
    const std::uint32_t check = bech32_polymod(values) ^ (version == 0 ? 1u : 0x2bc830a3u);
    out.append("bc1");
    for (std::size_t i = 5; i < data_end; ++i) out.push_back(kBech32[values[i]]);
    for (int k = 5; k >= 0; --k) out.push_back(kBech32[(check >> (5 * k)) & 31]);
}

// Twenty random bytes in hex, each letter upper-cased where the Keccak-256
// of the lower-case body has a nibble of 8 or more (EIP-55).
void draw_eth(SampleRng& rng, std::string_view, std::string& out) {
    constexpr std::string_view kHex = "0123456789abcdef";
    const auto address = random_bytes<20>(rng);
    char body[40];
    for (std::size_t i = 0; i < 20; ++i) {
        body[2 * i] = kHex[address[i] >> 4];
        body[2 * i + 1] = kHex[address[i] & 15];
    }
    const auto hash = keccak256(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(body), 40));
    for (std::size_t i = 0; i < 40; ++i) {
        const unsigned nibble = i % 2 == 0 ? hash[i / 2] >> 4 : hash[i / 2] & 15;
        if (body[i] >= 'a' && nibble >= 8) body[i] = static_cast<char>(body[i] - 32);
    }
    out.append("0x");
    out.append(body, 40);
}

void draw_wallet(SampleRng& rng, std::string_view country, std::string& out) {
    switch (rng.below(3)) {
        case 0: return draw_eth(rng, country, out);
        case 1: return draw_bech32(rng, country, out);
        default: return draw_base58(rng, country, out);
    }
}

constexpr SampleRow kRows[] = {
    {.id = "crypto.btcbase58", .draw = draw_base58, .max_length = 35},
    {.id = "crypto.btcbech32", .draw = draw_bech32, .max_length = 62},
    {.id = "crypto.eth", .draw = draw_eth, .max_length = 42},
    {.id = "crypto.wallet", .draw = draw_wallet, .max_length = 62},
};

}  // namespace

std::span<const SampleRow> crypto_sample_rows() noexcept { return kRows; }

}  // namespace ov
