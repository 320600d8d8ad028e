// Ethereum addresses ("0x" and 40 hexadecimal digits) with the EIP-55
// mixed-case checksum, and the `crypto.eth` validator.
#include <array>
#include <cstddef>
#include <cstdint>

#include "primitives/normalize.h"
#include "primitives/swar.h"
#include "primitives/text.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {

constexpr bool is_hex(char c) noexcept { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

constexpr std::string_view kAliases[] = {"Ethereum address", "EVM address", "crypto wallet"};
constexpr std::uint64_t kLengths[] = {42};
constexpr std::string_view kExamples[] = {"0xde709f2102306220921060314715629080e2fb77"};

std::string compact(const ValidatorSpec&, std::string_view value) {
    return lower(strip_separators(value, seps::S2));
}

// The checks from the length on, with s the compacted text and l its lower-
// case form. Success returns l.
ValidationOutcome check(std::string_view s, std::string_view l) {
    if (l.size() != 42)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "Ethereum address must be 42 characters");
    // The shape is checked on the text as typed: lower-casing can change the
    // byte length of non-ASCII characters, and those are never hex digits.
    bool shape = s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    for (std::size_t i = 2; shape && i < s.size(); ++i) shape = is_hex(s[i]);
    if (!shape)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat,
                                          "Ethereum address must be 0x followed by 40 hexadecimal characters");
    if (!eip55_body_valid(s.substr(2)))
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum,
                                          "Ethereum address fails EIP-55 checksum validation");
    return ValidationOutcome::success_copy(l);
}

// Byte classes of an address, read in one pass.
constexpr std::uint8_t kHex = 1, kUpper = 2, kLower = 4;
struct ByteClasses {
    std::uint8_t of[256] = {};
    constexpr ByteClasses() {
        for (unsigned b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            of[b] = static_cast<std::uint8_t>((is_hex(c) ? kHex : 0) | (is_upper(c) ? kUpper : 0) |
                                              (is_lower(c) ? kLower : 0));
        }
    }
};
constexpr ByteClasses kClasses{};

// validate for printable ASCII without a blank (every address), which is its
// own compact form: one pass over the bytes finds the shape and the letter
// cases, and a lower-case address (the usual form) is reported as the input.
ValidationOutcome check_in_place(std::string_view s) {
    if (s.size() != 42)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "Ethereum address must be 42 characters");
    unsigned all = kHex, any = 0;
    for (std::size_t i = 2; i < 42; ++i) {
        const std::uint8_t k = kClasses.of[static_cast<unsigned char>(s[i])];
        all &= k;
        any |= k;
    }
    if (s[0] != '0' || (s[1] != 'x' && s[1] != 'X') || all == 0)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat,
                                          "Ethereum address must be 0x followed by 40 hexadecimal characters");
    if ((any & kUpper) && (any & kLower) && !eip55_body_valid(s.substr(2)))
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum,
                                          "Ethereum address fails EIP-55 checksum validation");
    if (!(any & kUpper) && s[1] == 'x') return ValidationOutcome::success_input(s);
    char lowered[42];
    ascii_lower_into(s.data(), s.size(), lowered);
    return ValidationOutcome::success_copy({lowered, sizeof lowered});
}

ValidationOutcome validate(const ValidatorSpec&, std::string_view value) {
    if (all_graphic_ascii(value)) return check_in_place(value);
    // Other short ASCII input is compacted and lower-cased on the stack.
    char compacted[64], lowered[64];
    const std::size_t n = strip_separators_ascii(value, seps::S2, compacted, sizeof compacted);
    if (n != kNoCompact) {
        ascii_lower_into(compacted, n, lowered);
        return check(std::string_view(compacted, n), std::string_view(lowered, n));
    }
    const std::string s = strip_separators(value, seps::S2);
    return check(s, lower(s));
}

}  // namespace

namespace {

// Hex digit i of a digest.
unsigned digest_nibble(const std::array<std::uint8_t, 32>& digest, std::size_t i) noexcept {
    const std::uint8_t byte = digest[i / 2];
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// The check for an ASCII body (every address) of at most 128 bytes: the
// text is folded for hashing on the stack only when it mixes both cases,
// and characters are bytes.
bool eip55_ascii_body_valid(std::string_view body) noexcept {
    char folded[128];
    ascii_lower_into(body.data(), body.size(), folded);
    const auto digest = keccak256(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(folded), body.size()));
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (is_digit(c)) continue;
        // The digest has 64 hex digits; a character that needs one beyond
        // them fails instead of reading past it.
        if (i >= 64) return false;
        const unsigned nibble = digest_nibble(digest, i);
        if (nibble >= 8 ? is_lower(c) : is_upper(c)) return false;
    }
    return true;
}

}  // namespace

bool eip55_body_valid(std::string_view body) {
    const LetterCases cases = letter_cases(body.data(), body.size());
    // Single-case bodies carry no checksum.
    if (!cases.lower || !cases.upper) return true;
    if (body.size() <= 128 && cases.ascii) return eip55_ascii_body_valid(body);

    const std::string text = lower(body);
    const auto digest =
        keccak256(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));

    // Character i is checked against hex digit i of the digest. The digest
    // has 64 hex digits; a character that needs one beyond them fails
    // instead of reading past it.
    std::size_t pos = 0;
    std::size_t i = 0;
    while (pos < body.size()) {
        char32_t cp = 0;
        const std::size_t len = decode_utf8(body, pos, cp);
        const char c = body[pos];
        pos += len;
        const std::size_t index = i++;
        if (len == 1 && is_digit(c)) continue;
        if (index >= 64) return false;
        const unsigned nibble = digest_nibble(digest, index);
        if (len == 1) {
            if (nibble >= 8 && is_lower(c)) return false;
            if (nibble <= 7 && is_upper(c)) return false;
        }
    }
    return true;
}

bool eth_has_valid_eip55_checksum(std::string_view text) {
    if (text.size() < 2 || !is_char_boundary(text, 2)) return false;
    return eip55_body_valid(text.substr(2));
}

const ValidatorSpec kEthSpec = {
    .source_url = nullptr,
    .id = "crypto.eth",
    .name = "Ethereum Address",
    .local_name = "Ethereum Address",
    .abbreviation = "ETH",
    .aliases = kAliases,
    .candidate_pattern = "0x[0-9A-Fa-f]{40}",
    .lengths = kLengths,
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = nullptr, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
