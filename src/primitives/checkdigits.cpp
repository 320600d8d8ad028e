// Generic check-digit algorithms. Every routine walks its input once, keeps
// its running state reduced (so no length of input can overflow it) and
// never allocates, except mod97_10_check_digits for its two-character result.
#include "primitives/checkdigits.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "primitives/mod97.h"
#include "primitives/text.h"

namespace ov {

namespace {

// Value of a digit byte, 0 for anything else.
constexpr unsigned digit_or_zero(char c) noexcept {
    return is_digit(c) ? static_cast<unsigned>(c - '0') : 0u;
}

// Luhn contribution of a byte, undoubled [0] and doubled [1] (a doubled
// value above 9 less 9); a byte that is not a digit counts 0.
struct LuhnTable {
    std::uint8_t value[2][256];
    constexpr LuhnTable() : value() {
        for (unsigned d = 0; d < 10; ++d) {
            value[0]['0' + d] = static_cast<std::uint8_t>(d);
            value[1]['0' + d] = static_cast<std::uint8_t>(2 * d > 9 ? 2 * d - 9 : 2 * d);
        }
    }
};
constexpr LuhnTable kLuhn{};

// Digits summed between two reductions: 9 per digit stays far below 2^32,
// so the sum is exact for inputs of any length.
constexpr std::size_t kLuhnBlock = std::size_t{1} << 20;

// Luhn sum modulo 10, walking pairs of digits from the right. With
// `double_rightmost` the walk behaves as if a further digit followed the
// text (used to compute a check digit). `bad` collects whether any byte
// was not a digit.
unsigned luhn_walk(std::string_view digits, bool double_rightmost, bool& bad) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(digits.data());
    const std::uint8_t* first = kLuhn.value[double_rightmost ? 1 : 0];   // rightmost digit
    const std::uint8_t* second = kLuhn.value[double_rightmost ? 0 : 1];  // its left neighbour
    unsigned total = 0;
    unsigned any_bad = 0;
    std::size_t i = digits.size();
    while (i >= 2) {
        const std::size_t stop = i - 2 * std::min(i / 2, kLuhnBlock / 2);
        std::uint32_t sum = 0;
        for (; i > stop; i -= 2) {
            sum += first[p[i - 1]] + second[p[i - 2]];
            any_bad |= (static_cast<unsigned>(p[i - 1] - '0') > 9) | (static_cast<unsigned>(p[i - 2] - '0') > 9);
        }
        total = (total + sum % 10) % 10;
    }
    if (i == 1) {
        total = (total + first[p[0]]) % 10;
        any_bad |= static_cast<unsigned>(p[0] - '0') > 9;
    }
    bad = any_bad != 0;
    return total;
}

unsigned luhn_walk(std::string_view digits, bool double_rightmost) noexcept {
    bool bad;
    return luhn_walk(digits, double_rightmost, bad);
}

}  // namespace

unsigned luhn_sum_mod10(std::string_view digits) noexcept { return luhn_walk(digits, false); }

bool luhn_valid(std::string_view digits) noexcept { return luhn_walk(digits, false) == 0; }

int luhn_digits_mod10(std::string_view digits) noexcept {
    bool bad;
    const unsigned sum = luhn_walk(digits, false, bad);
    return bad ? -1 : static_cast<int>(sum);
}

unsigned luhn_sum_mod10_reference(std::string_view digits) noexcept {
    unsigned sum = 0;
    bool twice = false;
    for (std::size_t i = digits.size(); i-- > 0;) {
        unsigned d = digit_or_zero(digits[i]);
        if (twice) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum = (sum + d) % 10;
        twice = !twice;
    }
    return sum;
}

char luhn_check_digit(std::string_view payload) noexcept {
    const unsigned s = luhn_walk(payload, true);
    return static_cast<char>('0' + (10 - s) % 10);
}

std::int64_t weighted_sum(std::string_view digits, std::span<const int> weights) noexcept {
    std::int64_t sum = 0;
    const std::size_t n = digits.size() < weights.size() ? digits.size() : weights.size();
    for (std::size_t i = 0; i < n; ++i)
        sum += static_cast<std::int64_t>(digit_or_zero(digits[i])) * weights[i];
    return sum;
}

std::optional<int> mod11_check(std::int64_t weighted, Mod11 mapping) noexcept {
    const int r = static_cast<int>(mod_floor(weighted, 11));
    switch (mapping) {
        case Mod11::A:
            return (11 - r) % 10;
        case Mod11::B:
            if (r == 0) return 0;
            if (r == 1) return std::nullopt;
            return 11 - r;
        case Mod11::C:
            return r == 10 ? 0 : r;
        case Mod11::D:
            return r % 10;
        case Mod11::E:
            return r <= 1 ? 0 : 11 - r;
        case Mod11::F:
            return r == 0 ? 0 : 11 - r;
    }
    return std::nullopt;
}

bool eleven_test(std::string_view digits, std::span<const int> weights) noexcept {
    return mod_floor(weighted_sum(digits, weights), 11) == 0;
}

std::optional<unsigned> mod97_10_extend(unsigned remainder, std::string_view text) noexcept {
    bool bad = false;
    const unsigned r = mod97_10_fold(remainder, text, bad);
    if (bad) return std::nullopt;
    return r;
}

std::optional<unsigned> mod97_10_remainder_reference(std::string_view text) noexcept {
    unsigned r = 0;
    for (char c : text) {
        if (is_digit(c))
            r = (r * 10 + static_cast<unsigned>(c - '0')) % 97;
        else if (is_upper(c))
            r = (r * 100 + static_cast<unsigned>(c - 'A' + 10)) % 97;
        else
            return std::nullopt;
    }
    return r;
}

std::optional<unsigned> mod97_10_remainder(std::string_view text) noexcept { return mod97_10_extend(0, text); }

std::optional<std::string> mod97_10_check_digits(std::string_view payload) {
    const auto r = mod97_10_remainder(payload);
    if (!r) return std::nullopt;
    // Appending "00" multiplies the remainder by 100.
    const unsigned check = 98 - (*r * 100) % 97;
    std::string out;
    out.push_back(static_cast<char>('0' + check / 10));
    out.push_back(static_cast<char>('0' + check % 10));
    return out;
}

int mod11_10_check(std::string_view digits) noexcept {
    unsigned p = 10;
    for (char c : digits) {
        unsigned s = (p + digit_or_zero(c)) % 10;
        if (s == 0) s = 10;
        p = (2 * s) % 11;
    }
    const unsigned check = 11 - p;
    return check == 10 ? 0 : static_cast<int>(check);
}

char mod11_2_check(std::string_view digits17) noexcept {
    static constexpr int kWeights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    static constexpr std::string_view kChars = "10X98765432";
    const std::int64_t sum = weighted_sum(digits17, kWeights);
    return kChars[static_cast<std::size_t>(mod_floor(sum, 11))];
}

char gs1_check_digit(std::string_view payload) noexcept {
    // At most 27 per pair of digits: 64 bits hold the sum of any text.
    std::uint64_t sum = 0;
    unsigned weight = 3;
    for (std::size_t i = payload.size(); i-- > 0;) {
        sum += weight * digit_or_zero(payload[i]);
        weight ^= 2;  // 3, 1, 3, ...
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char mod11_2_check_char(std::string_view digits) noexcept {
    // The running value p -> 2(p + d) mod 11 unrolls into a weighted sum:
    // the digit k places from the right weighs 2^(k+1) mod 11, a cycle of
    // ten. The products are independent of each other, so no chain of
    // reductions runs through the text.
    static constexpr std::uint8_t kWeights[10] = {2, 4, 8, 5, 10, 9, 7, 3, 6, 1};
    std::uint64_t sum = 0;  // at most 90 per digit: no text can overflow it
    std::size_t k = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        sum += kWeights[k] * digit_or_zero(digits[i]);
        k = k == 9 ? 0 : k + 1;
    }
    const unsigned check = (12 - static_cast<unsigned>(sum % 11)) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

// The step of MOD 37,36 for a running product p (1..36) and a character
// value v: 2 * ((p + v) mod 36, 0 read as 36) mod 37, tabulated by p + v
// (2..71), so that one addition and one load make each step of the chain.
struct Mod37_36Tables {
    std::uint8_t value[256] = {};
    std::uint8_t next[72] = {};
    constexpr Mod37_36Tables() {
        for (unsigned d = 0; d < 10; ++d) value['0' + d] = static_cast<std::uint8_t>(d);
        for (unsigned l = 0; l < 26; ++l) value['A' + l] = static_cast<std::uint8_t>(10 + l);
        for (unsigned t = 0; t < 72; ++t) {
            const unsigned s = t > 36 ? t - 36 : t;
            next[t] = static_cast<std::uint8_t>(2 * s % 37);
        }
    }
};
constexpr Mod37_36Tables kMod37_36{};

// Two steps at once: the product after a pair of character values (a, b),
// by the product before them, so that the chain of dependent loads, which
// bounds the whole check, is half as long. 47 952 bytes, filled from the
// one-step table on first use (too many steps for every compiler's
// constant evaluation).
struct Mod37_36Pairs {
    std::array<std::uint8_t, 36 * 36 * 37> after{};
    Mod37_36Pairs() noexcept {
        for (unsigned a = 0; a < 36; ++a)
            for (unsigned b = 0; b < 36; ++b)
                for (unsigned p = 0; p < 37; ++p)
                    after[(a * 36 + b) * 37 + p] = kMod37_36.next[kMod37_36.next[p + a] + b];
    }
};

unsigned mod37_36_state(std::string_view text, unsigned state) noexcept {
    static const Mod37_36Pairs pairs;
    unsigned p = state > 36 ? state % 37 : state;
    const auto value = [&text](std::size_t i) noexcept -> unsigned {
        return kMod37_36.value[static_cast<unsigned char>(text[i])];
    };
    std::size_t i = 0;
    for (; i + 1 < text.size(); i += 2) p = pairs.after[(value(i) * 36 + value(i + 1)) * 37 + p];
    if (i < text.size()) p = kMod37_36.next[p + value(i)];
    return p;
}

char mod37_36_check_of(unsigned state) noexcept {
    // The character c with (state + c) mod 36 = 1; states run 1..36.
    static constexpr std::string_view kCheck = "10ZYXWVUTSRQPONMLKJIHGFEDCBA987654321";
    return state < kCheck.size() ? kCheck[state] : kCheck[state % 37];
}

char mod37_36_check_char(std::string_view text) noexcept { return mod37_36_check_of(mod37_36_state(text)); }

namespace {

// The dihedral group D5: its multiplication table, the position
// permutation (applied i times at place i from the right, a cycle of
// eight) and the inverse of each element.
constexpr std::array<std::array<std::uint8_t, 10>, 10> kVerhoeffMul = {{
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    {1, 2, 3, 4, 0, 6, 7, 8, 9, 5},
    {2, 3, 4, 0, 1, 7, 8, 9, 5, 6},
    {3, 4, 0, 1, 2, 8, 9, 5, 6, 7},
    {4, 0, 1, 2, 3, 9, 5, 6, 7, 8},
    {5, 9, 8, 7, 6, 0, 4, 3, 2, 1},
    {6, 5, 9, 8, 7, 1, 0, 4, 3, 2},
    {7, 6, 5, 9, 8, 2, 1, 0, 4, 3},
    {8, 7, 6, 5, 9, 3, 2, 1, 0, 4},
    {9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
}};
constexpr std::array<std::array<std::uint8_t, 10>, 8> kVerhoeffPerm = {{
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    {1, 5, 7, 6, 2, 8, 3, 0, 9, 4},
    {5, 8, 0, 3, 7, 9, 6, 1, 4, 2},
    {8, 9, 1, 6, 0, 4, 3, 5, 2, 7},
    {9, 4, 5, 3, 1, 2, 6, 8, 7, 0},
    {4, 2, 8, 6, 5, 7, 3, 9, 0, 1},
    {2, 7, 9, 3, 8, 0, 6, 4, 1, 5},
    {7, 0, 4, 6, 9, 1, 3, 2, 5, 8},
}};
constexpr std::array<std::uint8_t, 10> kVerhoeffInverse = {0, 4, 3, 2, 1, 5, 6, 7, 8, 9};

// The Verhoeff product of a digit text whose rightmost digit stands at
// place `first_place`; -1 on a byte that is not a digit.
int verhoeff_product(std::string_view digits, std::size_t first_place) noexcept {
    unsigned c = 0;
    std::size_t pos = first_place;
    for (std::size_t i = digits.size(); i-- > 0; ++pos) {
        if (!is_digit(digits[i])) return -1;
        c = kVerhoeffMul[c][kVerhoeffPerm[pos % 8][static_cast<unsigned>(digits[i] - '0')]];
    }
    return static_cast<int>(c);
}

// The totally anti-symmetric quasigroup of order 10 that Damm published.
constexpr std::array<std::array<std::uint8_t, 10>, 10> kDamm = {{
    {0, 3, 1, 7, 5, 9, 8, 6, 4, 2},
    {7, 0, 9, 2, 1, 5, 4, 8, 6, 3},
    {4, 2, 0, 6, 8, 7, 1, 3, 5, 9},
    {1, 7, 5, 0, 9, 8, 3, 4, 2, 6},
    {6, 1, 2, 3, 0, 4, 5, 9, 7, 8},
    {3, 6, 7, 4, 2, 0, 9, 5, 8, 1},
    {5, 8, 6, 9, 7, 2, 0, 1, 3, 4},
    {8, 9, 4, 5, 3, 6, 2, 0, 1, 7},
    {9, 4, 3, 8, 6, 1, 7, 2, 0, 5},
    {2, 5, 8, 1, 4, 3, 6, 7, 9, 0},
}};

// Value of a digit or upper-case letter (A = 10 .. Z = 35), -1 otherwise.
constexpr int alnum_value(char c) noexcept {
    if (is_digit(c)) return c - '0';
    if (is_upper(c)) return c - 'A' + 10;
    return -1;
}

}  // namespace

bool verhoeff_valid(std::string_view digits) noexcept {
    // A non-digit has no place in the tables: the text cannot be valid.
    return verhoeff_product(digits, 0) == 0;
}

int verhoeff_check_digit(std::string_view payload) noexcept {
    const int c = verhoeff_product(payload, 1);
    return c < 0 ? -1 : kVerhoeffInverse[static_cast<unsigned>(c)];
}

int damm_interim(std::string_view digits) noexcept {
    unsigned interim = 0;
    for (char c : digits) {
        if (!is_digit(c)) return -1;
        interim = kDamm[interim][static_cast<unsigned>(c - '0')];
    }
    return static_cast<int>(interim);
}

bool make_luhn_alphabet(std::string_view chars, LuhnAlphabet& out) noexcept {
    for (auto& v : out.value) v = -1;
    out.size = 0;
    out.chars = chars;
    if (chars.size() < 2 || chars.size() > 256) return false;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        auto& slot = out.value[static_cast<unsigned char>(chars[i])];
        if (slot >= 0) return false;
        slot = static_cast<std::int16_t>(i);
    }
    out.size = static_cast<unsigned>(chars.size());
    return true;
}

int luhn_mod_n_sum(std::string_view text, const LuhnAlphabet& alphabet, bool double_rightmost) noexcept {
    const unsigned n = alphabet.size;
    if (n < 2) return -1;
    unsigned sum = 0;  // kept below n
    bool twice = double_rightmost;
    for (std::size_t i = text.size(); i-- > 0;) {
        const int v = alphabet.value[static_cast<unsigned char>(text[i])];
        if (v < 0) return -1;
        unsigned addend = static_cast<unsigned>(v);
        if (twice) {
            addend *= 2;
            addend = addend / n + addend % n;  // the digits of the double, in base n
        }
        sum = (sum + addend) % n;
        twice = !twice;
    }
    return static_cast<int>(sum);
}

char luhn_mod_n_check(std::string_view payload, const LuhnAlphabet& alphabet) noexcept {
    const int sum = luhn_mod_n_sum(payload, alphabet, true);
    if (sum < 0) return '\0';
    const unsigned n = alphabet.size;
    return alphabet.chars[(n - static_cast<unsigned>(sum)) % n];
}

char mod37_2_check_char(std::string_view text) noexcept {
    static constexpr std::string_view kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*";
    unsigned p = 0;
    for (char c : text) {
        const int v = alnum_value(c);
        if (v < 0) return '\0';
        p = (p + static_cast<unsigned>(v)) * 2 % 37;
    }
    return kChars[(38 - p) % 37];
}

std::int64_t weighted_remainder(std::string_view digits, std::span<const std::int64_t> weights,
                                std::int64_t modulus, bool from_right) noexcept {
    if (weights.empty() || modulus < 2 || modulus > INT32_MAX) return -1;
    // Weight and sum stay below 2^31, so each product of a digit fits.
    std::int64_t sum = 0;
    std::size_t k = 0;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = digits[from_right ? n - 1 - i : i];
        if (!is_digit(c)) return -1;
        sum = (sum + mod_floor(weights[k], modulus) * (c - '0')) % modulus;
        k = k + 1 == weights.size() ? 0 : k + 1;
    }
    return sum;
}

}  // namespace ov
