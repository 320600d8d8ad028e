// Base58 decoding (Bitcoin alphabet) and the `crypto.btcbase58` validator:
// legacy Bitcoin addresses, a version byte, a 20-byte hash and a 4-byte
// double-SHA-256 checksum.
//
// Decoding is a conversion from base 58 to base 256 with no length limit,
// so it must not be quadratic: the digits are split in halves recursively,
// each half is converted on its own and the halves are joined as
// high * 58^len(low) + low, with Karatsuba multiplication for large numbers.
// Short runs of digits at the leaves are converted five digits at a time
// (58^5 fits in 32 bits).
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {

constexpr std::string_view kAlphabet = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";

// Value of each byte in the alphabet, or -1. Every byte of 0x80 and above
// (any part of a non-ASCII character) is outside it.
struct DigitTable {
    std::int8_t value[256];
    constexpr DigitTable() : value() {
        for (auto& v : value) v = -1;
        for (std::size_t i = 0; i < kAlphabet.size(); ++i)
            value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
};
constexpr DigitTable kDigits{};

// Unsigned big numbers: little-endian 32-bit limbs, no high zero limbs
// (zero is the empty vector).
using Limbs = std::vector<std::uint32_t>;
using LimbSpan = std::span<const std::uint32_t>;

constexpr std::size_t kKaratsubaCutoff = 48;  // limbs; below this, schoolbook
constexpr std::size_t kLeafDigits = 320;      // digits converted directly
static_assert(kLeafDigits % 5 == 0, "leaves are converted five digits at a time");

LimbSpan trimmed(LimbSpan a) noexcept {
    std::size_t n = a.size();
    while (n > 0 && a[n - 1] == 0) --n;
    return a.first(n);
}

void normalize(Limbs& a) noexcept {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

// a = a * m + add
void mul_small_add(Limbs& a, std::uint32_t m, std::uint32_t add) {
    std::uint64_t carry = add;
    for (auto& limb : a) {
        std::uint64_t t = std::uint64_t{limb} * m + carry;
        limb = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0) a.push_back(static_cast<std::uint32_t>(carry));
}

// acc += b * 2^(32 * shift); acc grows as needed.
void add_shifted(Limbs& acc, LimbSpan b, std::size_t shift) {
    if (b.empty()) return;
    if (acc.size() < shift + b.size()) acc.resize(shift + b.size(), 0);
    std::uint64_t carry = 0;
    std::size_t i = 0;
    for (; i < b.size(); ++i) {
        std::uint64_t t = std::uint64_t{acc[shift + i]} + b[i] + carry;
        acc[shift + i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    for (std::size_t j = shift + i; carry != 0; ++j) {
        if (j == acc.size()) acc.push_back(0);
        std::uint64_t t = std::uint64_t{acc[j]} + carry;
        acc[j] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
}

// a -= b, where a >= b.
void sub_in_place(Limbs& a, LimbSpan b) noexcept {
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.size() && (i < b.size() || borrow != 0); ++i) {
        std::uint64_t sub = (i < b.size() ? std::uint64_t{b[i]} : 0) + borrow;
        std::uint64_t cur = a[i];
        borrow = cur < sub ? 1 : 0;
        a[i] = static_cast<std::uint32_t>(cur + (borrow << 32) - sub);
    }
    normalize(a);
}

Limbs sum(LimbSpan a, LimbSpan b) {
    Limbs out(a.begin(), a.end());
    add_shifted(out, b, 0);
    normalize(out);
    return out;
}

Limbs mul(LimbSpan a, LimbSpan b);

Limbs mul_schoolbook(LimbSpan a, LimbSpan b) {
    Limbs out(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        const std::uint64_t ai = a[i];
        for (std::size_t j = 0; j < b.size(); ++j) {
            std::uint64_t t = ai * b[j] + out[i + j] + carry;
            out[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        out[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    normalize(out);
    return out;
}

Limbs mul(LimbSpan a, LimbSpan b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() < b.size()) std::swap(a, b);
    if (b.empty()) return {};
    if (b.size() < kKaratsubaCutoff) return mul_schoolbook(a, b);
    if (a.size() >= 2 * b.size()) {
        // Unbalanced: multiply b by slices of a of b's size.
        Limbs out;
        for (std::size_t pos = 0; pos < a.size(); pos += b.size()) {
            std::size_t len = std::min(b.size(), a.size() - pos);
            Limbs part = mul(a.subspan(pos, len), b);
            add_shifted(out, part, pos);
        }
        normalize(out);
        return out;
    }
    // Karatsuba: a = a1*X + a0, b = b1*X + b0 with X = 2^(32h) and h < b.size().
    const std::size_t h = a.size() / 2;
    LimbSpan a0 = a.first(h), a1 = a.subspan(h), b0 = b.first(h), b1 = b.subspan(h);
    Limbs z0 = mul(a0, b0);
    Limbs z2 = mul(a1, b1);
    Limbs sa = sum(a0, a1), sb = sum(b0, b1);
    Limbs z1 = mul(sa, sb);
    sub_in_place(z1, z0);
    sub_in_place(z1, z2);
    Limbs out = std::move(z0);
    add_shifted(out, z1, h);
    add_shifted(out, z2, 2 * h);
    normalize(out);
    return out;
}

// Direct conversion of a short run of digit values, five at a time.
Limbs convert_leaf(std::span<const std::uint8_t> digits) {
    Limbs out;
    std::size_t i = 0;
    while (i < digits.size()) {
        std::uint32_t mult = 1, chunk = 0;
        for (std::size_t k = 0; k < 5 && i < digits.size(); ++k, ++i) {
            mult *= 58;
            chunk = chunk * 58 + digits[i];
        }
        mul_small_add(out, mult, chunk);
    }
    normalize(out);
    return out;
}

// Converts the window [start, start + kLeafDigits * 2^level) of the digits,
// where positions before 0 are leading zeros (the window size is rounded
// up to a power of two times the leaf size so that the powers of 58 can be
// shared). powers[j] holds 58^(kLeafDigits * 2^j).
Limbs convert(std::span<const std::uint8_t> digits, std::int64_t start, unsigned level,
              const std::vector<Limbs>& powers) {
    const std::int64_t width = static_cast<std::int64_t>(kLeafDigits) << level;
    const std::int64_t end = start + width;
    if (end <= 0) return {};
    if (level == 0) {
        const std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
        return convert_leaf(digits.subspan(from, static_cast<std::size_t>(end) - from));
    }
    const std::int64_t half = width / 2;
    Limbs high = convert(digits, start, level - 1, powers);
    Limbs low = convert(digits, start + half, level - 1, powers);
    Limbs out = mul(high, powers[level - 1]);
    add_shifted(out, low, 0);
    normalize(out);
    return out;
}

Limbs convert_all(std::span<const std::uint8_t> digits) {
    unsigned level = 0;
    while ((kLeafDigits << level) < digits.size()) ++level;
    std::vector<Limbs> powers;
    if (level > 0) {
        Limbs p{1};
        for (std::size_t i = 0; i < kLeafDigits; i += 5) mul_small_add(p, 58u * 58u * 58u * 58u * 58u, 0);
        powers.push_back(std::move(p));
        while (powers.size() < level) powers.push_back(mul(powers.back(), powers.back()));
    }
    const std::int64_t width = static_cast<std::int64_t>(kLeafDigits) << level;
    return convert(digits, static_cast<std::int64_t>(digits.size()) - width, level, powers);
}

constexpr std::string_view kAliases[] = {"Bitcoin address", "Bitcoin legacy address", "Base58Check address"};
constexpr std::string_view kExamples[] = {"1BoatSLRHtKNngkdXEeobR76b53LETtpyT",
                                          "3J98t1WpEZ73CNmQviecrnyiWrnqRhWNLy"};

std::string compact(const ValidatorSpec&, std::string_view value) { return strip_separators(value, seps::S2); }

// An address decodes to exactly 25 bytes. Its text has at most 35
// characters, a number below 58^35 < 2^224: seven 32-bit limbs hold it, so
// the decoding needs no allocation. Returns false when a character is
// outside the alphabet; `size` is the decoded length (25 or not).
//
// With 25 bytes the payload, read as a 200-bit big-endian number, is the
// decoded number itself (the leading "1"s are its leading zero bytes), so
// the limbs hold it: the version byte is limbs[6], the checksum limbs[0].
bool decode_address(std::string_view s, std::uint32_t (&limbs)[8], std::size_t& size) noexcept {
    std::size_t used = 0;  // limbs in use, little-endian
    bool bad = false;
    std::size_t i = 0;
    while (i < s.size()) {
        // Up to five digits at a time: 58^5 < 2^32.
        std::uint32_t mult = 1, chunk = 0;
        for (std::size_t k = 0; k < 5 && i < s.size(); ++k, ++i) {
            const std::int8_t v = kDigits.value[static_cast<unsigned char>(s[i])];
            bad |= v < 0;
            mult *= 58;
            chunk = chunk * 58 + static_cast<std::uint32_t>(v & 63);
        }
        std::uint64_t carry = chunk;
        for (std::size_t l = 0; l < used; ++l) {
            const std::uint64_t t = std::uint64_t{limbs[l]} * mult + carry;
            limbs[l] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0 && used < 8) limbs[used++] = static_cast<std::uint32_t>(carry);
    }
    if (bad) return false;
    std::size_t zeros = 0;
    while (zeros < s.size() && s[zeros] == '1') ++zeros;
    // Significant bytes of the number.
    std::size_t top = used;
    while (top > 0 && limbs[top - 1] == 0) --top;
    const std::size_t bits = top == 0 ? 0 : 32 * (top - 1) + static_cast<std::size_t>(std::bit_width(limbs[top - 1]));
    size = zeros + (bits + 7) / 8;
    return true;
}

// The Base58Check checksum test of a 25-byte payload held in limbs: the
// first four bytes of the double SHA-256 of bytes 0..20 equal bytes 21..24.
// Bytes 0..20 are the number shifted right by 32 bits, so the block's words
// come straight from the limbs.
bool checksum_matches(const std::uint32_t (&limbs)[8]) noexcept {
    std::uint32_t words[16] = {};
    for (std::size_t w = 0; w < 5; ++w) words[w] = (limbs[5 - w] >> 8) | (limbs[6 - w] << 24);
    words[5] = (limbs[1] << 24) | 0x00800000u;  // byte 20, then the padding marker
    words[15] = 21 * 8;                          // the message length in bits
    return sha256d_head(words) == limbs[0];
}

// Checks of a compact text, in order. Success views `s` itself.
ValidationOutcome check(std::string_view s) {
    if (s.size() < 26 || s.size() > 35)
        return ValidationOutcome::failure(ErrorCode::InvalidLength,
                                          "Bitcoin Base58Check address must be 26-35 characters");
    if (s[0] != '1' && s[0] != '3')
        return ValidationOutcome::failure(ErrorCode::InvalidComponent,
                                          "Bitcoin Base58Check address must start with 1 or 3");
    std::uint32_t limbs[8] = {};
    std::size_t size = 0;
    if (!decode_address(s, limbs, size))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat,
                                          "Bitcoin Base58Check address contains invalid characters");
    if (size != 25)
        return ValidationOutcome::failure(ErrorCode::InvalidLength,
                                          "Bitcoin Base58Check address decoded payload must be 25 bytes");
    if (limbs[6] != 0 && limbs[6] != 5)
        return ValidationOutcome::failure(ErrorCode::InvalidComponent,
                                          "Bitcoin Base58Check address has an unsupported version");
    if (!checksum_matches(limbs))
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum,
                                          "Bitcoin Base58Check address fails checksum validation");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome validate(const ValidatorSpec& self, std::string_view value) {
    // Printable ASCII without a blank (every address) is its own compact
    // form: checked where it stands.
    if (all_graphic_ascii(value)) return check(value);
    return check_compacted(
        value, seps::S2, false, [&](std::string_view v) { return compact(self, v); }, check);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> base58_decode(std::string_view text) {
    std::vector<std::uint8_t> digits;
    digits.reserve(text.size());
    for (char c : text) {
        const std::int8_t v = kDigits.value[static_cast<unsigned char>(c)];
        if (v < 0) return std::nullopt;
        digits.push_back(static_cast<std::uint8_t>(v));
    }
    std::size_t zeros = 0;
    while (zeros < digits.size() && digits[zeros] == 0) ++zeros;

    // The leading "1"s become zero bytes; the rest is the number in base 256.
    const Limbs number = convert_all(std::span<const std::uint8_t>(digits).subspan(zeros));
    std::vector<std::uint8_t> out(zeros, 0);
    out.reserve(zeros + number.size() * 4);
    bool started = false;
    for (std::size_t i = number.size(); i-- > 0;) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            const auto byte = static_cast<std::uint8_t>(number[i] >> shift);
            if (byte != 0) started = true;
            if (started) out.push_back(byte);
        }
    }
    return out;
}

const ValidatorSpec kBtcBase58Spec = {
    .source_url = nullptr,
    .id = "crypto.btcbase58",
    .name = "Bitcoin Base58Check Address",
    .local_name = "Bitcoin Base58Check Address",
    .abbreviation = "BTC",
    .aliases = kAliases,
    .candidate_pattern = "[13][1-9A-HJ-NP-Za-km-z]{25,34}",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = nullptr, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
