// National check digits inside a BBAN: the checks each country's domestic
// account numbers carry (Belgium's mod 97 pair, Spain's two control digits,
// France's RIB key, Italy's CIN letter, Germany's per-bank methods, ...).
// Plain C++, no allocation; every function is total on any input.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ovb {

enum class Check : std::uint8_t {
    None,     // the country has no national check (or its method is not known)
    Valid,
    Invalid,
};

// Whether the country's BBANs carry national check digits (Germany's do,
// by the method of each bank code).
bool has_national_check(std::string_view country) noexcept;

// Whether a German check method id ("00".."E4") is implemented here.
bool de_method_known(std::string_view method) noexcept;

// The ids of the German methods implemented, in order.
std::span<const std::string_view> de_methods() noexcept;

// The national check of a compact BBAN (digits and upper-case letters) of
// `country`. `de_method` is the check method of the German bank code (empty
// when the bank code is not known). None where the country has no national
// check or the German method is unknown; Invalid for a BBAN of the wrong
// length or with characters the check cannot read.
Check national_check(std::string_view country, std::string_view bban, std::string_view de_method = {}) noexcept;

// The BBAN positions that hold national check characters and can be
// computed from the rest: those of the country's separate key fields
// (`keys_only`), or also the check digits that are part of an account or
// bank number (for drawing valid BBANs). Empty where there are none.
std::span<const std::uint8_t> check_positions(std::string_view country, std::string_view de_method,
                                              bool keys_only) noexcept;

// Sets the characters of `bban` at check_positions(country, de_method,
// keys_only) so that the national check passes: the first value that does,
// keeping the text as it is when it already passes. False (text unchanged)
// when no value passes or the country has no such positions.
bool complete_national_check(std::string_view country, std::string& bban, std::string_view de_method,
                             bool keys_only) noexcept;

}  // namespace ovb
