// Small pieces the world set's checks share: weighted digit sums, two-digit
// dates, and the records' declarations.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "primitives/text.h"
#include "registry/outcome.h"
#include "registry/spec.h"

namespace ov::world {

// Sum of digit x weight, pairing from the leftmost digit. The callers have
// checked that the text is digits and at least as long as the weights.
constexpr int weighted_digits(std::string_view s, std::initializer_list<int> weights) noexcept {
    int sum = 0;
    std::size_t i = 0;
    for (int w : weights) sum += (s[i++] - '0') * w;
    return sum;
}

// Value of a run of at most 18 digits.
constexpr std::uint64_t digits_value(std::string_view s) noexcept {
    std::uint64_t v = 0;
    for (char c : s) v = v * 10 + static_cast<unsigned>(c - '0');
    return v;
}

constexpr int two_digits(std::string_view s, std::size_t at) noexcept {
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// Whether day, month and a two-digit year name a date in 19yy or 20yy
// (29 February needs a leap year in one of them: 00 is 2000).
constexpr bool two_digit_year_date(int day, int month, int yy) noexcept {
    if (month < 1 || month > 12 || day < 1) return false;
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > kDays[month - 1]) return false;
    return month != 2 || day < 29 || yy % 4 == 0;
}

// The pieces joined, in order.
inline std::string cat(std::initializer_list<std::string_view> pieces) {
    std::string out;
    for (std::string_view p : pieces) out.append(p);
    return out;
}

// A random DDMMYY date that two_digit_year_date accepts (days 1 to 28).
std::string random_ddmmyy();

// A digit text of n digits whose first digit is drawn from `first`.
std::string random_digits_from(std::string_view first, std::size_t n);

// A number of `length` digits, whose first digit is one of `first` (any
// when empty), closed by a Luhn check digit: the checks in their usual
// order, each failure with the kind's own message.
struct LuhnNumber {
    std::size_t length;
    std::string_view first;
    std::string_view wrong_length, not_digits, wrong_first, wrong_check;
};
ValidationOutcome check_luhn_number(std::string_view s, const LuhnNumber& k);
std::string generate_luhn_number(const LuhnNumber& k);

// ---- the records, one per kind, defined in the files by region --------------

// americas.cpp
extern const ValidatorSpec kCaBcPhnSpec;
extern const ValidatorSpec kCrCpjSpec;
extern const ValidatorSpec kCrCrSpec;
extern const ValidatorSpec kDoCedulaSpec;
extern const ValidatorSpec kDoNcfSpec;
extern const ValidatorSpec kEcCiSpec;
extern const ValidatorSpec kPeCuiSpec;
extern const ValidatorSpec kPyRucSpec;
extern const ValidatorSpec kSvNitSpec;
extern const ValidatorSpec kUsAtinSpec;
extern const ValidatorSpec kUsPtinSpec;
// africa.cpp
extern const ValidatorSpec kDzNifSpec;
extern const ValidatorSpec kGnNifpSpec;
extern const ValidatorSpec kKePinSpec;
extern const ValidatorSpec kMuNidSpec;
extern const ValidatorSpec kMzNuitSpec;
extern const ValidatorSpec kSnNineaSpec;
extern const ValidatorSpec kTnMfSpec;
extern const ValidatorSpec kZaTinSpec;
// asia.cpp
extern const ValidatorSpec kIdNikSpec;
extern const ValidatorSpec kIlHpSpec;
extern const ValidatorSpec kInEpicSpec;
extern const ValidatorSpec kInVidSpec;
extern const ValidatorSpec kOmVatSpec;
extern const ValidatorSpec kThMoaSpec;
extern const ValidatorSpec kThPinSpec;
// registers.cpp: Italy's medicine code, Russia's and Ukraine's numbers
extern const ValidatorSpec kItAicSpec;
extern const ValidatorSpec kRuOgrnSpec;
extern const ValidatorSpec kUaRntrcSpec;
// oceania.cpp
extern const ValidatorSpec kNzBankAccountSpec;

}  // namespace ov::world
