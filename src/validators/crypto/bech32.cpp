// Bech32 (witness version 0) and Bech32m (versions 1 to 16) mainnet SegWit
// addresses with the human-readable part "bc", and the `crypto.btcbech32`
// validator.
#include <cstddef>
#include <cstdint>

#include "primitives/normalize.h"
#include "primitives/swar.h"
#include "primitives/text.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {

constexpr std::string_view kCharset = "qpzry9x8gf2tvdw0s3jn54khce6mua7l";
constexpr std::uint32_t kGenerator[5] = {0x3b6a57b2, 0x26508e6d, 0x1ea119fa, 0x3d4233dd, 0x2a1462b3};
constexpr std::uint32_t kBech32Const = 1;
constexpr std::uint32_t kBech32mConst = 0x2bc830a3;

// Value of each byte in the data alphabet, or -1 (every non-ASCII byte).
struct CharsetTable {
    std::int8_t value[256];
    constexpr CharsetTable() : value() {
        for (auto& v : value) v = -1;
        for (std::size_t i = 0; i < kCharset.size(); ++i)
            value[static_cast<unsigned char>(kCharset[i])] = static_cast<std::int8_t>(i);
    }
};
constexpr CharsetTable kCharsetValues{};

// The generator constants XORed together for each value of the five bits
// shifted out of the checksum: one table look-up instead of five tests.
struct GeneratorTable {
    std::uint32_t mask[32];
    constexpr GeneratorTable() : mask() {
        for (unsigned b = 0; b < 32; ++b)
            for (unsigned i = 0; i < 5; ++i)
                if ((b >> i) & 1) mask[b] ^= kGenerator[i];
    }
};
constexpr GeneratorTable kGenerators{};

constexpr std::uint32_t polymod_step(std::uint32_t c, std::uint32_t v) noexcept {
    // Only bits 25..29 select generators: c can hold more above them, as
    // the values are XORed in unmasked.
    return (((c & 0x1FFFFFF) << 5) ^ v) ^ kGenerators.mask[(c >> 25) & 31];
}

// Two steps at once for five-bit values, where the checksum stays below
// 2^30: the ten bits shifted out over both steps (c >> 20) select the
// combined generator terms, so the chain waits on one table look-up per two
// values instead of two.
struct PairTable {
    std::uint32_t mask[1024];
    constexpr PairTable() : mask() {
        for (std::uint32_t x = 0; x < 1024; ++x) {
            const std::uint32_t first = kGenerators.mask[x >> 5];
            const std::uint32_t second = kGenerators.mask[(x & 31) ^ (first >> 25)];
            mask[x] = ((first & 0x1FFFFFF) << 5) ^ second;
        }
    }
};
constexpr PairTable kPairs{};

constexpr std::uint32_t polymod_pair(std::uint32_t c, std::uint32_t v1, std::uint32_t v2) noexcept {
    return ((c & 0xFFFFF) << 10) ^ (v1 << 5) ^ v2 ^ kPairs.mask[c >> 20];
}

// The pair step equals two single steps for every checksum below 2^30 and
// all five-bit values (spot-checked here; the tests compare whole runs).
static_assert(polymod_pair(0x3FFFFFFF, 31, 31) == polymod_step(polymod_step(0x3FFFFFFF, 31), 31));
static_assert(polymod_pair(0x2A5A5A5A, 7, 19) == polymod_step(polymod_step(0x2A5A5A5A, 7), 19));

constexpr std::string_view kAliases[] = {"Bitcoin address", "Bitcoin SegWit address", "Bech32 address",
                                         "Bech32m address"};
constexpr std::string_view kExamples[] = {"bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4",
                                          "bc1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3qccfmv3"};

std::string compact(const ValidatorSpec&, std::string_view value) {
    return lower(strip_separators(value, seps::S2));
}

// Outcome of the checker for `crypto.btcbech32`: the lower-case text on
// success, else the code and message of the failure.
ValidationOutcome outcome(Bech32Status status, std::string_view lowered) {
    switch (status) {
        case Bech32Status::Valid:
            return ValidationOutcome::success_copy(lowered);
        case Bech32Status::Format:
            return ValidationOutcome::failure(ErrorCode::InvalidFormat, "Bitcoin Bech32 address has an invalid format");
        case Bech32Status::Checksum:
            return ValidationOutcome::failure(ErrorCode::InvalidChecksum,
                                              "Bitcoin Bech32 address fails checksum validation");
        case Bech32Status::Component:
            break;
    }
    return ValidationOutcome::failure(ErrorCode::InvalidComponent,
                                      "Bitcoin Bech32 address has an unsupported component");
}

// The checker on a text that is already lower case (`mixed` tells whether
// the original mixed both cases, the first check).
Bech32Status check_lowered(std::string_view l, bool mixed) noexcept;

// Whether ASCII text mixes lower- and upper-case letters; its lower-case
// form goes to `out` (which has room for text.size() bytes).
bool lower_ascii(std::string_view text, char* out) noexcept {
    const LetterCases cases = letter_cases(text.data(), text.size());
    ascii_lower_into(text.data(), text.size(), out);
    return cases.lower && cases.upper;
}

ValidationOutcome validate(const ValidatorSpec&, std::string_view value) {
    // Short ASCII input (every valid address) is compacted and lower-cased
    // on the stack, in one pass each.
    char compacted[96], lowered[96];
    const std::size_t n = strip_separators_ascii(value, seps::S2, compacted, sizeof compacted);
    if (n != kNoCompact) {
        const bool mixed = lower_ascii(std::string_view(compacted, n), lowered);
        const std::string_view l(lowered, n);
        return outcome(check_lowered(l, mixed), l);
    }
    const std::string s = strip_separators(value, seps::S2);
    const Bech32Status status = bech32_check(s);
    return status == Bech32Status::Valid ? ValidationOutcome::success(lower(s)) : outcome(status, {});
}

}  // namespace

std::uint32_t bech32_polymod(std::span<const std::uint32_t> values) noexcept {
    std::uint32_t c = 1;
    for (std::uint32_t v : values) c = polymod_step(c, v);
    return c;
}

std::optional<std::vector<std::uint32_t>> bech32_convert_bits(std::span<const std::uint32_t> values,
                                                               std::uint32_t from_bits,
                                                               std::uint32_t to_bits) {
    // Widths are checked before any shift by them; a zero output width would
    // never consume the accumulated bits, so it can only regroup nothing.
    if (from_bits > 31 || to_bits > 31) return std::nullopt;
    if (to_bits == 0 && !values.empty()) return std::nullopt;
    const std::uint32_t max_value = static_cast<std::uint32_t>((std::uint64_t{1} << to_bits) - 1);
    std::uint32_t acc = 0;
    std::uint32_t bits = 0;  // below to_bits + from_bits <= 62 at all times
    std::vector<std::uint32_t> out;
    for (std::uint32_t v : values) {
        if ((v >> from_bits) != 0) return std::nullopt;
        acc = (acc << from_bits) | v;
        bits += from_bits;
        while (bits >= to_bits) {
            bits -= to_bits;
            // bits < from_bits <= 31 here, so the shift is defined.
            out.push_back((acc >> bits) & max_value);
        }
    }
    // After the loop bits < to_bits <= 31, so the shift below is in range.
    if (bits >= from_bits || ((acc << (to_bits - bits)) & max_value) != 0) return std::nullopt;
    return out;
}

namespace {

Bech32Status check_lowered(std::string_view l, bool mixed) noexcept {
    if (mixed) return Bech32Status::Format;
    if (l.size() <= 2 || l.compare(0, 3, "bc1") != 0) return Bech32Status::Component;
    if (l.size() < 14 || l.size() > 74) return Bech32Status::Format;

    // The human-readable part "bc" expands to 3, 3, 0, 2, 3: its polymod
    // is a constant. The data part follows "bc1", its last six values the
    // checksum.
    constexpr std::uint32_t kHrpCheck = polymod_step(polymod_step(polymod_step(polymod_step(polymod_step(1, 3), 3), 0), 2), 3);
    std::uint32_t values[72];
    bool bad = false;
    for (std::size_t i = 3; i < l.size(); ++i) {
        const std::int8_t v = kCharsetValues.value[static_cast<unsigned char>(l[i])];
        bad |= v < 0;
        values[i - 3] = static_cast<std::uint32_t>(v) & 31;
    }
    if (bad) return Bech32Status::Format;
    std::uint32_t check = kHrpCheck;
    const std::size_t count = l.size() - 3;
    std::size_t k = 0;
    for (; k + 2 <= count; k += 2) check = polymod_pair(check, values[k], values[k + 1]);
    if (k < count) check = polymod_step(check, values[k]);

    const std::uint32_t version = values[0];
    if (version > 16) return Bech32Status::Component;
    if (check != (version == 0 ? kBech32Const : kBech32mConst)) return Bech32Status::Checksum;
    if (count < 7) return Bech32Status::Component;

    // The program: the values between the version and the checksum as 8-bit
    // groups, without padding. Five-bit values never overflow the regrouping,
    // so only the bits left over decide: fewer than five, and all zero (they
    // are the low bits of the last program value).
    const std::size_t groups = count - 7;
    const std::size_t left = groups * 5 % 8;
    if (left >= 5 || (groups > 0 && (values[count - 7] & ((1u << left) - 1)) != 0)) return Bech32Status::Component;
    const std::size_t len = groups * 5 / 8;
    if (len < 2 || len > 40) return Bech32Status::Component;
    if (version == 0 && len != 20 && len != 32) return Bech32Status::Component;
    return Bech32Status::Valid;
}

}  // namespace

Bech32Status bech32_check(std::string_view text) {
    const LetterCases cases = letter_cases(text.data(), text.size());
    if (cases.lower && cases.upper) return Bech32Status::Format;
    // Full Unicode lower-casing may turn other characters into ASCII (the
    // Kelvin sign becomes "k"), so every later check looks at the mapped text.
    return check_lowered(lower(text), false);
}

const ValidatorSpec kBtcBech32Spec = {
    .source_url = nullptr,
    .id = "crypto.btcbech32",
    .name = "Bitcoin Bech32 Address",
    .local_name = "Bitcoin Bech32 Address",
    .abbreviation = "BTC",
    .aliases = kAliases,
    .candidate_pattern = "(?:bc1[ac-hj-np-z02-9]{11,71}|BC1[AC-HJ-NP-Z02-9]{11,71})",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = nullptr, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
