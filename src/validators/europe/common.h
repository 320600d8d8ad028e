// What the europe set's kinds share beyond the extended machinery: the
// records' declarations and a few small checks used by several kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/text.h"
#include "registry/spec.h"
#include "validators/extended/kind.h"

namespace ov::europe {

using extended::fail;
using extended::join_at;
using extended::KindRule;
using extended::kind_ops;
using extended::random_from;
using extended::kDigits;
using extended::kUpperAlnum;
using extended::kUpperLetters;

// The value of up to 19 decimal digits (the callers check the digits first).
constexpr std::uint64_t digits_value(std::string_view digits) noexcept {
    std::uint64_t v = 0;
    for (char c : digits) v = v * 10 + static_cast<unsigned>(c - '0');
    return v;
}

// Two decimal digits as a number.
constexpr unsigned two_digits(std::string_view s) noexcept {
    return static_cast<unsigned>(s[0] - '0') * 10 + static_cast<unsigned>(s[1] - '0');
}

// The two digits that end a Belgian eID card number or a structured
// payment reference: the first ten digits modulo 97, with 97 for 0.
constexpr unsigned mod97_rest(std::string_view ten) noexcept {
    const unsigned r = static_cast<unsigned>(digits_value(ten) % 97);
    return r == 0 ? 97 : r;
}

// Appends a number as exactly `width` digits (leading zeros).
inline void append_padded(std::string& out, std::uint64_t v, std::size_t width) {
    std::string digits(width, '0');
    for (std::size_t i = width; i-- > 0; v /= 10) digits[i] = static_cast<char>('0' + v % 10);
    out += digits;
}

// Characters of `s` other than those of `allowed` (ASCII only).
constexpr bool all_in(std::string_view s, std::string_view allowed) noexcept {
    for (char c : s)
        if (allowed.find(c) == std::string_view::npos) return false;
    return true;
}

// payments.cpp
extern const ValidatorSpec kBeOgmVcsSpec;
extern const ValidatorSpec kChEsrSpec;
extern const ValidatorSpec kDeLeitwegSpec;
extern const ValidatorSpec kEsCccSpec;
extern const ValidatorSpec kEuAt02Spec;
extern const ValidatorSpec kNoKontonrSpec;
// identity.cpp
extern const ValidatorSpec kBeEidSpec;
extern const ValidatorSpec kBeSsnSpec;
extern const ValidatorSpec kFiVeronumeroSpec;
extern const ValidatorSpec kNlIdentiteitskaartnummerSpec;
// education.cpp
extern const ValidatorSpec kGbUpnSpec;
extern const ValidatorSpec kNlBrinSpec;
extern const ValidatorSpec kNlOnderwijsnummerSpec;
// registers.cpp
extern const ValidatorSpec kDeWknSpec;
extern const ValidatorSpec kEsReferenciaCatastralSpec;
extern const ValidatorSpec kFiAssociationIdSpec;
extern const ValidatorSpec kFoVnSpec;
extern const ValidatorSpec kRoOnrcSpec;
extern const ValidatorSpec kSiMaticnaSpec;
extern const ValidatorSpec kSmCoeSpec;
// fr_rcs.cpp
extern const ValidatorSpec kFrRcsSpec;
// energy_excise.cpp
extern const ValidatorSpec kEsCaeSpec;
extern const ValidatorSpec kEsCupsSpec;
extern const ValidatorSpec kEuBanknoteSpec;
extern const ValidatorSpec kEuEicSpec;
extern const ValidatorSpec kEuExciseSpec;
extern const ValidatorSpec kEuOssSpec;
extern const ValidatorSpec kFrAcciseSpec;
// national_numbers.cpp
extern const ValidatorSpec kHrOibSpec;
extern const ValidatorSpec kRoCuiSpec;

}  // namespace ov::europe
