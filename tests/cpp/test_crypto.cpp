// Hashes, Base58, Bech32 and EIP-55 routines behind the wallet validators.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "validators/crypto/crypto.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::uint32_t>;

std::span<const std::uint8_t> bytes_of(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string hex(std::span<const std::uint8_t> b) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t x : b) {
        out.push_back(kHex[x >> 4]);
        out.push_back(kHex[x & 15]);
    }
    return out;
}

// Bytes (i * 7 + 3) mod 256 for i < n: a message without runs of equal bytes.
std::string pattern(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>((i * 7 + 3) & 0xFF));
    return s;
}

// Byte-at-a-time Base58 decoding, the plain quadratic algorithm, used to
// check the divide-and-conquer decoder.
std::optional<Bytes> naive_base58(std::string_view text) {
    constexpr std::string_view alphabet = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
    Bytes le{0};
    for (char c : text) {
        auto pos = alphabet.find(c);
        if (pos == std::string_view::npos) return std::nullopt;
        unsigned carry = static_cast<unsigned>(pos);
        for (auto& b : le) {
            carry += b * 58u;
            b = static_cast<std::uint8_t>(carry);
            carry >>= 8;
        }
        while (carry) {
            le.push_back(static_cast<std::uint8_t>(carry));
            carry >>= 8;
        }
    }
    std::size_t ones = 0;
    while (ones < text.size() && text[ones] == '1') ++ones;
    while (!le.empty() && le.back() == 0) le.pop_back();
    Bytes out(ones, 0);
    out.insert(out.end(), le.rbegin(), le.rend());
    return out;
}

}  // namespace

TEST_CASE("sha256 published vectors and block boundaries") {
    struct Row {
        std::string message;
        std::string_view digest;
    };
    const Row rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {pattern(55), "e7313d333c272e639f790978283f9eb392e843d0f29b7016828bb1daa4aac70b"},
        {pattern(56), "4324d65f3c103567f5589c710bc08f8523f929a9272e3af36fc968e52abc6c27"},
        {pattern(63), "81c80242132f230c3bd41b3e63bbcff16107339549214a99614ff26664625055"},
        {pattern(64), "39e3d7b6b5d075d37d053ad89b24b41bef4f3c29760c84447cab3f3be1882241"},
        {pattern(65), "aacca6ff74fdbb296d165a45cecfa04e5127bc008770fbbdd48006f2d2fae95e"},
        {pattern(119), "9ce7368e4daf32341631b492e80359dc9f594b48453cd0dd5bf0b19279cc177e"},
        {pattern(120), "7836b787757e95e58b3ca5aec90b1b004e8deba1e50e9675af9cabf1a13a04b5"},
    };
    for (const auto& r : rows) CHECK_EQ(hex(ov::sha256(bytes_of(r.message))), r.digest);
}

TEST_CASE("keccak256 uses the original Keccak padding") {
    struct Row {
        std::string message;
        std::string_view digest;
    };
    const Row rows[] = {
        {"", "c5d2460186f7233c927e7db2dcc703c0e500b653ca82273b7bfad8045d85a470"},
        {"abc", "4e03657aea45a94fc7d47ba826c8d667c0d1e6e33a64a036ec44f58fa12d6c45"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "45d3b367a6904e6e8d502ee04999a7c27647f91fa845d456525fd352ae3d7371"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "f519747ed599024f3882238e5ab43960132572b7345fbeb9a90769dafd21ad67"},
        // 135 bytes: both pad bits land in the same byte (0x81).
        {pattern(135), "00ef96af9cf4b24c7f269d922294444a197d0a33638c2e56634c57e892103a8f"},
        {pattern(136), "742061bcad767ed4c4f5883b1dcb1aad11afdcc140dc469d953759b127b9f9ed"},
        {pattern(137), "e3371f61e770abf254c34239c3b0099ad90594507415bc81dd0a10b9692bbf2a"},
        {pattern(272), "ac141fd7b0a0ffcd2e967254d508da3ec616596493c36fa304425647d90e6de5"},
    };
    for (const auto& r : rows) CHECK_EQ(hex(ov::keccak256(bytes_of(r.message))), r.digest);
}

TEST_CASE("base58 decode edge cases") {
    struct Row {
        std::string_view text;
        std::optional<Bytes> bytes;
    };
    const Row rows[] = {
        {"", Bytes{}},
        {"1", Bytes{0}},
        {"111", Bytes{0, 0, 0}},
        {"2", Bytes{1}},
        {"z", Bytes{57}},
        {"21", Bytes{58}},
        {"5R", Bytes{1, 0}},  // 4 * 58 + 24 = 256
        {"1z", Bytes{0, 57}},
        {"0", std::nullopt},
        {"O", std::nullopt},
        {"I", std::nullopt},
        {"l", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {std::string_view("1\0" "2", 3), std::nullopt},
        {"\xc3\xa9", std::nullopt},
        {"2\xff", std::nullopt},
    };
    for (const auto& r : rows) CHECK(ov::base58_decode(r.text) == r.bytes);
}

TEST_CASE("base58 decode agrees with the byte-wise algorithm at every size") {
    constexpr std::string_view alphabet = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
    std::uint64_t state = 12345;
    auto next = [&] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::size_t>(state >> 33);
    };
    // Sizes around the leaf width and its doublings, where the splitting
    // and the power table change shape.
    const std::size_t sizes[] = {1, 4, 5, 6, 33, 319, 320, 321, 639, 640, 641, 1000, 1281, 2600, 6000};
    for (std::size_t n : sizes) {
        for (int variant = 0; variant < 3; ++variant) {
            std::string s;
            for (std::size_t i = 0; i < n; ++i) {
                if (variant == 1 && i < n / 3) s.push_back('1');        // leading zero bytes
                else if (variant == 2) s.push_back(i % 2 ? 'z' : '1');  // sparse digits
                else s.push_back(alphabet[next() % 58]);
            }
            auto fast = ov::base58_decode(s);
            auto slow = naive_base58(s);
            CHECK(fast.has_value());
            CHECK(fast == slow);
        }
    }
    // All-maximal digits exercise every carry.
    std::string zs(5000, 'z');
    CHECK(ov::base58_decode(zs) == naive_base58(zs));
}

TEST_CASE("base58 decodes long text") {
    std::string s(200000, 'z');
    auto out = ov::base58_decode(s);
    CHECK(out.has_value());
    // 58^200000 - 1 takes 146450 bytes; its lowest byte is 0xFF because
    // 58^n is a multiple of 256 for n >= 8.
    if (out) {
        CHECK_EQ(out->size(), std::size_t{146450});
        CHECK(out->front() != 0);
        CHECK_EQ(out->back(), 0xFF);
    }
    s[100000] = '0';
    CHECK(!ov::base58_decode(s).has_value());
}

TEST_CASE("bech32 polymod") {
    struct Row {
        Words values;
        std::uint32_t result;
    };
    const Row rows[] = {
        {{}, 1},
        {{0}, 32},
        {{1, 2, 3}, 33859},
        {{0xFFFFFFFF}, 0xFFFFFFDF},  // values are XORed in unmasked
        // "bc" expanded, then the data part of a valid Bech32 address.
        {{3, 3, 0, 2, 3, 0, 14, 20, 15, 7, 13, 26, 0, 25, 18, 6, 11, 13, 8, 21, 4, 20, 3, 17, 2, 29, 3, 12, 29, 3, 4, 15, 24, 20, 6, 14, 30, 22, 12, 7, 9, 17, 11, 21},
         1},
    };
    for (const auto& r : rows) CHECK_EQ(ov::bech32_polymod(r.values), r.result);
}

TEST_CASE("bech32 convert_bits") {
    struct Row {
        Words values;
        std::uint32_t from, to;
        std::optional<Words> result;
    };
    const Row rows[] = {
        {{255}, 8, 5, std::nullopt},
        {{0}, 5, 8, std::nullopt},
        {{31}, 5, 5, Words{31}},
        {{0, 0}, 8, 5, Words{0, 0, 0}},
        {Words(8, 0), 5, 8, Words(5, 0)},
        {{}, 5, 8, Words{}},
        {{}, 8, 0, Words{}},
        {{1}, 5, 0, std::nullopt},   // a zero output width cannot consume bits
        {{0}, 5, 0, std::nullopt},
        {{}, 32, 8, std::nullopt},
        {{1}, 8, 32, std::nullopt},
        {{1}, 0xFFFFFFFF, 8, std::nullopt},
        {{32}, 5, 5, std::nullopt},
        {{0x7FFFFFFF}, 31, 31, Words{0x7FFFFFFF}},
        {{0x7FFFFFFF, 0x7FFFFFFF}, 31, 1, Words(62, 1)},
        {{1, 1}, 1, 31, std::nullopt},  // two bits remain
        {{0, 0}, 0, 5, std::nullopt},   // zero input width leaves bits >= from_bits
        {{0x12, 0x34}, 8, 4, Words{1, 2, 3, 4}},
        {{1, 2, 3, 4}, 4, 8, Words{0x12, 0x34}},
    };
    for (const auto& r : rows) CHECK(ov::bech32_convert_bits(r.values, r.from, r.to) == r.result);
}

TEST_CASE("bech32 address checker") {
    using S = ov::Bech32Status;
    struct Row {
        std::string_view text;
        S status;
    };
    const Row rows[] = {
        {"bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4", S::Valid},
        {"BC1QW508D6QEJXTDG4Y5R3ZARVARY0C5XW7KV8F3T4", S::Valid},
        {"bc1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3qccfmv3", S::Valid},
        {"bc1pw508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7kt5nd6y", S::Valid},
        {"BC1SW50QGDZ25J", S::Valid},
        {"bc1zw508d6qejxtdg4y5r3zarvaryvaxxpcs", S::Valid},
        {"bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vqzk5jj0", S::Valid},
        {"bc1zw508d6qejxtdg4y5r3zarvaryvg6kdaj", S::Checksum},  // version 2 needs Bech32m
        {"BC130XLXVLHEMJA6C4DQV22UAPCTQUPFHLXM9H8Z3K2E72Q4K9HCZ7VQ7ZWS8R", S::Component},  // version 17
        {"BC1QR508D6QEJXTDG4Y5R3ZARVARYV98GJ9P", S::Component},  // 16-byte version-0 program
        {"bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7v07qwwzcrf", S::Component},  // padding
        {"bc1pw5dgrnzv", S::Format},  // too short
        {"bc1Qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4", S::Format},
        {"bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t5", S::Checksum},
        {"tb1qw508d6qejxtdg4y5r3zarvary0c5xw7kxpjzsx", S::Component},
        {" bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4", S::Component},
        {"", S::Component},
        {"bc", S::Component},
        {"bc1", S::Format},
        {"bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3tb", S::Format},  // "b" is not in the alphabet
        {"bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t\xc3\xa9", S::Format},
        // Version 1 with a Bech32 (not Bech32m) checksum.
        {"bc1pw508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7k7grplx", S::Checksum},
    };
    for (const auto& r : rows) {
        if (ov::bech32_check(r.text) != r.status) std::cerr << "bech32_check: " << r.text << "\n";
        CHECK(ov::bech32_check(r.text) == r.status);
    }
}

TEST_CASE("eip55 checksum") {
    struct Row {
        std::string_view text;
        bool valid;
    };
    const Row rows[] = {
        {"0x5aAeb6053F3E94C9b9A09f33669435E7Ef1BeAed", true},
        {"0xfB6916095ca1df60bB79Ce92cE3Ea74c37c5d359", true},
        {"0xdbF03B407c01E7cD3CBea99509d93f8DDDC8C6FB", true},
        {"0xD1220A0cf47c7B9Be7A2E6BA89F429762e7b9aDb", true},
        {"0x5AAeb6053F3E94C9b9A09f33669435E7Ef1BeAed", false},
        {"0xD1220A0cf47c7B9Be7A2E6BA89F429762e7b9adb", false},
        {"0xde709f2102306220921060314715629080e2fb77", true},
        {"0xDE709F2102306220921060314715629080E2FB77", true},
        {"", false},
        {"0", false},
        {"0x", true},
        {"zz", true},  // the first two characters are not examined
        {"\xc3\xa9x", true},
        {"a\xc3\xa9", false},  // the third byte is inside a character
    };
    for (const auto& r : rows) CHECK_EQ(ov::eth_has_valid_eip55_checksum(r.text), r.valid);
}

TEST_CASE("eip55 never reads beyond the 64 digest digits") {
    // A mixed-case letter at character position 64 or later fails the check,
    // while digits there are skipped.
    std::string body(64, '0');
    body += "aB";
    CHECK(!ov::eip55_body_valid(body));
    std::string huge(1 << 20, 'a');
    huge.back() = 'B';
    CHECK(!ov::eip55_body_valid(huge));
}

// ---------------------------------------------------------------------------
// Fast forms against slow twins written from the definitions.

namespace {

struct Rng {
    std::uint64_t s = 0x2545F4914F6CDD1DULL;
    std::uint64_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

// Polymod with the five generator tests of the definition.
std::uint32_t slow_polymod(const Words& values) {
    constexpr std::uint32_t gen[5] = {0x3b6a57b2, 0x26508e6d, 0x1ea119fa, 0x3d4233dd, 0x2a1462b3};
    std::uint32_t c = 1;
    for (std::uint32_t v : values) {
        const std::uint32_t b = c >> 25;
        c = ((c & 0x1FFFFFF) << 5) ^ v;
        for (int i = 0; i < 5; ++i)
            if ((b >> i) & 1) c ^= gen[i];
    }
    return c;
}

// The address checker step by step, on the public primitives.
ov::Bech32Status slow_bech32(std::string_view text) {
    using S = ov::Bech32Status;
    bool lo = false, up = false;
    for (char c : text) {
        lo |= c >= 'a' && c <= 'z';
        up |= c >= 'A' && c <= 'Z';
    }
    if (lo && up) return S::Format;
    std::string l(text);
    for (char& c : l)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (l.size() <= 2 || l.substr(0, 3) != "bc1") return S::Component;
    if (l.size() < 14 || l.size() > 74) return S::Format;
    constexpr std::string_view charset = "qpzry9x8gf2tvdw0s3jn54khce6mua7l";
    Words data;
    for (std::size_t i = 3; i < l.size(); ++i) {
        const auto pos = charset.find(l[i]);
        if (pos == std::string_view::npos) return S::Format;
        data.push_back(static_cast<std::uint32_t>(pos));
    }
    Words all{3, 3, 0, 2, 3};
    all.insert(all.end(), data.begin(), data.end());
    const std::uint32_t check = slow_polymod(all);
    if (data[0] > 16) return S::Component;
    if (check != (data[0] == 0 ? 1u : 0x2bc830a3u)) return S::Checksum;
    if (data.size() < 7) return S::Component;
    const auto program = ov::bech32_convert_bits(Words(data.begin() + 1, data.end() - 6), 5, 8);
    if (!program || program->size() < 2 || program->size() > 40) return S::Component;
    if (data[0] == 0 && program->size() != 20 && program->size() != 32) return S::Component;
    return S::Valid;
}

}  // namespace

TEST_CASE("sha256 with processor instructions equals the portable form") {
    Rng rng;
    for (std::size_t n = 0; n < 300; ++n) {
        Bytes msg(n);
        for (auto& b : msg) b = static_cast<std::uint8_t>(rng.next());
        CHECK_EQ(hex(ov::sha256(msg)), hex(ov::sha256_portable(msg)));
    }
    CHECK_EQ(hex(ov::sha256_portable(bytes_of("abc"))),
             std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}

TEST_CASE("double sha256 equals sha256 applied twice, on both sides of one block") {
    Rng rng;
    for (std::size_t n = 0; n < 130; ++n) {
        Bytes msg(n);
        for (auto& b : msg) b = static_cast<std::uint8_t>(rng.next());
        CHECK_EQ(hex(ov::sha256d(msg)), hex(ov::sha256_portable(ov::sha256_portable(msg))));
    }
    // The Base58Check checksum of the genesis block's address payload.
    const Bytes payload = {0x00, 0x62, 0xe9, 0x07, 0xb1, 0x5c, 0xbf, 0x27, 0xd5, 0x42, 0x53,
                           0x99, 0xeb, 0xf6, 0xf0, 0xfb, 0x50, 0xeb, 0xb8, 0x8f, 0x18};
    CHECK_EQ(hex(ov::sha256d(payload)).substr(0, 8), std::string("c29b7d93"));
}

TEST_CASE("double sha256 of one block given as words") {
    Rng rng;
    for (std::size_t n = 0; n <= 55; ++n) {
        Bytes msg(n);
        for (auto& b : msg) b = static_cast<std::uint8_t>(rng.next());
        std::uint8_t block[64] = {};
        for (std::size_t i = 0; i < n; ++i) block[i] = msg[i];
        block[n] = 0x80;
        block[62] = static_cast<std::uint8_t>((n * 8) >> 8);
        block[63] = static_cast<std::uint8_t>(n * 8);
        std::uint32_t words[16];
        for (int i = 0; i < 16; ++i)
            words[i] = (std::uint32_t{block[4 * i]} << 24) | (std::uint32_t{block[4 * i + 1]} << 16) |
                       (std::uint32_t{block[4 * i + 2]} << 8) | block[4 * i + 3];
        const auto full = ov::sha256_portable(ov::sha256_portable(msg));
        const std::uint32_t head = (std::uint32_t{full[0]} << 24) | (std::uint32_t{full[1]} << 16) |
                                   (std::uint32_t{full[2]} << 8) | full[3];
        CHECK_EQ(ov::sha256d_head(words), head);
    }
}

TEST_CASE("bech32 polymod by table equals the bitwise definition") {
    Rng rng;
    for (int k = 0; k < 2000; ++k) {
        Words values(rng.below(90));
        for (auto& v : values) v = static_cast<std::uint32_t>(k % 4 == 0 ? rng.next() : rng.below(32));
        CHECK_EQ(ov::bech32_polymod(values), slow_polymod(values));
    }
}

TEST_CASE("bech32 checker equals its step-by-step twin on mutated addresses") {
    Rng rng;
    const std::string_view seeds[] = {
        "bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4",
        "bc1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3qccfmv3",
        "bc1pw508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7kt5nd6y",
        "BC1SW50QGDZ25J",
        "bc1zw508d6qejxtdg4y5r3zarvaryvaxxpcs",
    };
    constexpr std::string_view noise = "qpzry9x8gf2tvdw0s3jn54khce6mua7lQPZbio1B ";
    for (std::string_view seed : seeds) {
        CHECK(ov::bech32_check(seed) == slow_bech32(seed));
        for (int k = 0; k < 3000; ++k) {
            std::string t(seed);
            const int edits = 1 + static_cast<int>(rng.below(3));
            for (int e = 0; e < edits; ++e) {
                const std::size_t at = rng.below(t.size() + 1);
                switch (rng.below(3)) {
                    case 0: if (at < t.size()) t[at] = noise[rng.below(noise.size())]; break;
                    case 1: if (at < t.size()) t.erase(at, 1); break;
                    default: t.insert(at, 1, noise[rng.below(noise.size())]);
                }
            }
            if (ov::bech32_check(t) != slow_bech32(t)) std::cerr << "bech32 twin: " << t << "\n";
            CHECK(ov::bech32_check(t) == slow_bech32(t));
        }
    }
}

TEST_CASE("base58check validation equals decoding and hashing the slow way") {
    Rng rng;
    constexpr std::string_view alphabet = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
    const ov::ValidatorSpec& spec = ov::kBtcBase58Spec;
    auto slow = [](std::string_view s) -> int {  // -1 valid, else the error code
        if (s.size() < 26 || s.size() > 35) return 1;
        if (s[0] != '1' && s[0] != '3') return 3;
        const auto d = naive_base58(s);
        if (!d) return 0;
        if (d->size() != 25) return 1;
        if ((*d)[0] != 0 && (*d)[0] != 5) return 3;
        const auto twice = ov::sha256_portable(ov::sha256_portable(std::span<const std::uint8_t>(d->data(), 21)));
        return std::equal(twice.begin(), twice.begin() + 4, d->begin() + 21) ? -1 : 2;
    };
    const std::string_view seeds[] = {"1BoatSLRHtKNngkdXEeobR76b53LETtpyT", "3J98t1WpEZ73CNmQviecrnyiWrnqRhWNLy",
                                      "1111111111111111111114oLvT2"};
    for (std::string_view seed : seeds) {
        for (int k = 0; k < 3000; ++k) {
            std::string t(seed);
            if (k > 0) {
                const std::size_t at = rng.below(t.size());
                if (k % 7 == 0)
                    t.insert(at, 1, alphabet[rng.below(58)]);
                else if (k % 11 == 0)
                    t.erase(at, 1);
                else
                    t[at] = (k % 13 == 0) ? '0' : alphabet[rng.below(58)];
            }
            const ov::ValidationOutcome o = spec.ops.validate(spec, t);
            const int expected = slow(t);
            CHECK_EQ(o.ok ? -1 : static_cast<int>(o.code), expected);
            if (o.ok) CHECK_EQ(std::string(o.text()), t);
        }
    }
}
