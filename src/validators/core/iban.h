// What the rest of the package may know about IBAN countries: the layout of
// each one's BBAN (to draw valid IBANs) and where its bank and branch
// identifiers sit (to split a valid IBAN into its parts).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ov {

struct IbanCountry {
    std::string_view code;
    std::uint8_t total;  // whole IBAN length
    // Half-open positions inside the BBAN; branch_begin == branch_end when
    // the country has no branch identifier.
    std::uint8_t bank_begin, bank_end, branch_begin, branch_end;
    bool tabulated;  // false: known by length only, any letters and digits
    // The class of each BBAN position: 'n' digit, 'a' upper-case letter,
    // 'c' either, '0' the digit 0 alone (Costa Rica's first position).
    std::array<char, 32> kinds;
};

// Every country the validator knows, sorted by code.
std::span<const IbanCountry> iban_countries() noexcept;

// The country of a valid compact IBAN: its first two bytes looked up in
// constant time; nullptr for a code that is not assigned (or not two
// upper-case letters).
const IbanCountry* iban_country(std::string_view code) noexcept;

// The validator's verdict on text already in compact form (more than four
// digits and upper-case letters), without building an outcome: `compact`
// false for any other text (which needs the validator itself), else
// `country` is that of the valid IBAN, or nullptr when it is invalid.
struct IbanCompactVerdict {
    bool compact;
    const IbanCountry* country;
};
IbanCompactVerdict iban_judge_compact(std::string_view s) noexcept;

// The check digits (2..98) that make country + digits + bban a valid IBAN;
// `bban` holds only digits and upper-case letters.
unsigned iban_check_digits(std::string_view country, std::string_view bban) noexcept;

}  // namespace ov
