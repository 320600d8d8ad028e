// Bitcoin and Ethereum address routines and the wallet records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry/spec.h"

namespace ov {

extern const ValidatorSpec kBtcBase58Spec;
extern const ValidatorSpec kBtcBech32Spec;
extern const ValidatorSpec kEthSpec;
extern const ValidatorSpec kWalletSpec;

// True when every byte is printable ASCII other than the blank: such text
// is its own compact form under trimming and blank removal.
constexpr bool all_graphic_ascii(std::string_view s) noexcept {
    for (char c : s)
        if (static_cast<unsigned char>(c) - 0x21u > 0x7Eu - 0x21u) return false;
    return true;
}

// FIPS 180-4 SHA-256 (with the processor's SHA instructions where present).
std::array<std::uint8_t, 32> sha256(std::span<const std::uint8_t> data) noexcept;
// The same digest computed without them: the reference for tests.
std::array<std::uint8_t, 32> sha256_portable(std::span<const std::uint8_t> data) noexcept;
// SHA-256 of the SHA-256 digest (the Base58Check checksum). A message of at
// most kSha256BlockMessage bytes takes one block a pass, built directly.
inline constexpr std::size_t kSha256BlockMessage = 55;
std::array<std::uint8_t, 32> sha256d(std::span<const std::uint8_t> data) noexcept;
// The first big-endian word of the double SHA-256 of a message that fits one
// block, given as the block's sixteen words (message, 0x80 marker, zeros and
// bit length, each word big-endian): no byte buffer between the passes.
std::uint32_t sha256d_head(const std::uint32_t (&words)[16]) noexcept;
// Keccak-256 with the original Keccak padding (0x01 ... 0x80), not SHA-3's.
std::array<std::uint8_t, 32> keccak256(std::span<const std::uint8_t> data) noexcept;

// Base58 (Bitcoin alphabet) decoding of the text exactly as given; nothing
// when a character is outside the alphabet.
std::optional<std::vector<std::uint8_t>> base58_decode(std::string_view text);

// Bech32 checksum polymod over arbitrary 32-bit values (not masked).
std::uint32_t bech32_polymod(std::span<const std::uint32_t> values) noexcept;
// Regroups bit groups from `from_bits` to `to_bits` without padding; nothing
// when a value is too wide, bits remain, or a width is above 31 or to_bits is 0
// with non-empty values.
std::optional<std::vector<std::uint32_t>> bech32_convert_bits(std::span<const std::uint32_t> values,
                                                               std::uint32_t from_bits,
                                                               std::uint32_t to_bits);

enum class Bech32Status : std::uint8_t { Valid, Format, Checksum, Component };
// The mainnet segwit address checker, on the text exactly as given.
Bech32Status bech32_check(std::string_view text);

// EIP-55 mixed-case checksum of an address body (the text after "0x").
bool eip55_body_valid(std::string_view body);
// False for texts shorter than two bytes; else the EIP-55 check of the rest.
bool eth_has_valid_eip55_checksum(std::string_view text);

}  // namespace ov
