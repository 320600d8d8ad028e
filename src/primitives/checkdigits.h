// Generic check-digit algorithms shared by the validators.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ov {

// Luhn sum of a digit text modulo 10 (the rightmost digit undoubled). Kept
// modulo 10 so that no length of input can overflow or saturate it.
// A byte that is not a digit counts as 0.
unsigned luhn_sum_mod10(std::string_view digits) noexcept;
// True when the Luhn sum is divisible by 10 (the empty text counts as valid).
bool luhn_valid(std::string_view digits) noexcept;
// Luhn sum modulo 10 in the same walk as the digit check: -1 when any byte
// is not an ASCII digit, else the sum modulo 10 (0 for the empty text).
int luhn_digits_mod10(std::string_view digits) noexcept;
// The digit-by-digit Luhn sum modulo 10, one reduction per digit: the
// reference that tests hold the fast forms to.
unsigned luhn_sum_mod10_reference(std::string_view digits) noexcept;
// The digit that, appended to `payload`, makes it pass Luhn.
char luhn_check_digit(std::string_view payload) noexcept;

// Sum of digit value x weight, pairing from the leftmost digit and stopping
// at the shorter of the two. Non-digits count as 0. Signed 64-bit, so
// negative weights work.
std::int64_t weighted_sum(std::string_view digits, std::span<const int> weights) noexcept;

// Non-negative remainder of a possibly negative value.
constexpr std::int64_t mod_floor(std::int64_t v, std::int64_t m) noexcept {
    std::int64_t r = v % m;
    return r < 0 ? r + m : r;
}

enum class Mod11 {
    A,  // (11 - r) mod 10
    B,  // 0 when r = 0; none when r = 1; else 11 - r
    C,  // r, with 10 read as 0
    D,  // r mod 10
    E,  // 0 when r is 0 or 1, else 11 - r
    F,  // 0 when r = 0, else 11 - r (10 is returned: the caller retries)
};
// Check digit from a weighted sum (reduced modulo 11 here), or nothing when
// the mapping has no check digit for the remainder.
std::optional<int> mod11_check(std::int64_t weighted, Mod11 mapping) noexcept;

// The eleven-test: the weighted sum must be divisible by 11.
bool eleven_test(std::string_view digits, std::span<const int> weights) noexcept;

// ISO 7064 MOD 97-10 remainder over digits and upper-case letters (A=10 ..
// Z=35); nothing on any other character. Runs on texts of any length.
std::optional<unsigned> mod97_10_remainder(std::string_view text) noexcept;
// Continues a MOD 97-10 computation from `remainder` over more text, so that
// a rearranged text can be checked piece by piece without building it.
std::optional<unsigned> mod97_10_extend(unsigned remainder, std::string_view text) noexcept;
// The digit-by-digit form, one reduction per character: the reference that
// tests hold the chunked form to.
std::optional<unsigned> mod97_10_remainder_reference(std::string_view text) noexcept;
// Two check digits for a payload: 98 - remainder(payload + "00"); empty
// optional when the payload holds a character MOD 97-10 does not accept.
std::optional<std::string> mod97_10_check_digits(std::string_view payload);

// ISO 7064 MOD 11,10 check digit of a digit text.
int mod11_10_check(std::string_view digits) noexcept;

// ISO 7064 MOD 11-2 check character ('0'-'9' or 'X') of 17 digits.
char mod11_2_check(std::string_view digits17) noexcept;

// GS1 check digit ('0'-'9') of a digit payload: weights 3 and 1 alternate
// from the rightmost payload digit, so EAN-8, UPC-A, EAN-13 and GTIN-14
// share one rule. A byte that is not a digit counts as 0.
char gs1_check_digit(std::string_view payload) noexcept;

// ISO 7064 MOD 11-2 check character ('0'-'9' or 'X') of a digit payload of
// any length. A byte that is not a digit counts as 0.
char mod11_2_check_char(std::string_view digits) noexcept;

// ISO 7064 MOD 37,36 check character ('0'-'9', 'A'-'Z') of a payload of
// digits and upper-case letters (A = 10 .. Z = 35); any other byte counts
// as 0, so callers check the alphabet first.
char mod37_36_check_char(std::string_view text) noexcept;
// The same computation in two steps, for payloads that share a beginning
// (an ISAN's two check characters): the running state after `text`, begun
// at `state` (kMod37_36Start for a new payload), and the check character
// of a state.
inline constexpr unsigned kMod37_36Start = 36;
unsigned mod37_36_state(std::string_view text, unsigned state = kMod37_36Start) noexcept;
char mod37_36_check_of(unsigned state) noexcept;

// Verhoeff check over a digit text that includes its check digit.
bool verhoeff_valid(std::string_view digits) noexcept;
// The Verhoeff check digit (0-9) of a digit payload; -1 when a byte is not
// an ASCII digit.
int verhoeff_check_digit(std::string_view payload) noexcept;

// The interim digit of the Damm quasigroup of order 10 over a digit text:
// the check digit of a payload, and 0 for a text that ends in its check
// digit; -1 when a byte is not an ASCII digit.
int damm_interim(std::string_view digits) noexcept;

// Luhn mod N over an alphabet of N distinct bytes (2 to 256): a character's
// value is its position in the alphabet. The decimal Luhn above is the
// alphabet "0123456789".
struct LuhnAlphabet {
    std::int16_t value[256];  // -1 for a byte outside the alphabet
    unsigned size = 0;
    std::string_view chars;
};
// False when the alphabet has fewer than two characters or repeats one.
bool make_luhn_alphabet(std::string_view chars, LuhnAlphabet& out) noexcept;
// The Luhn mod N sum of a text, the rightmost character undoubled (or
// doubled with `double_rightmost`, as when a check character is still to
// come); -1 when a byte is outside the alphabet.
int luhn_mod_n_sum(std::string_view text, const LuhnAlphabet& alphabet, bool double_rightmost) noexcept;
// The check character of a payload; '\0' when a byte is outside the alphabet.
char luhn_mod_n_check(std::string_view payload, const LuhnAlphabet& alphabet) noexcept;

// ISO 7064 MOD 37-2 check character ('0'-'9', 'A'-'Z' or '*') of a payload
// of digits and upper-case letters; '\0' when any other byte occurs.
char mod37_2_check_char(std::string_view text) noexcept;

// The weighted-sum family: the remainder modulo `modulus` (2 to 2^31 - 1)
// of the sum of digit x weight. Weights pair with the digits from the left,
// or from the right with `from_right`, and repeat when the text is longer
// than they are; any int64 weight works (it is reduced first). -1 when a
// byte is not an ASCII digit, the weights are empty or the modulus is out
// of range.
std::int64_t weighted_remainder(std::string_view digits, std::span<const std::int64_t> weights,
                                std::int64_t modulus, bool from_right) noexcept;

}  // namespace ov
