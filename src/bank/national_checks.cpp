#include "bank/national_checks.h"

#include <array>
#include <cstddef>

namespace ovb {

namespace {

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr bool is_upper(char c) noexcept { return c >= 'A' && c <= 'Z'; }

bool all_digits(std::string_view s) noexcept {
    for (char c : s)
        if (!is_digit(c)) return false;
    return true;
}

// The remainder mod 97 of the text read as a number, letters as 10..35
// (the IBAN way); -1 for any other character.
int mod97_alnum(std::string_view s) noexcept {
    unsigned r = 0;
    for (char c : s) {
        if (is_digit(c)) r = (r * 10 + static_cast<unsigned>(c - '0')) % 97;
        else if (is_upper(c)) r = (r * 100 + static_cast<unsigned>(c - 'A' + 10)) % 97;
        else return -1;
    }
    return static_cast<int>(r);
}

// France's and Monaco's RIB: letters of the account stand for digits
// (A and J for 1, B, K and S for 2, ...); the whole number is 0 mod 97.
int mod97_rib(std::string_view s) noexcept {
    unsigned r = 0;
    for (char c : s) {
        unsigned d;
        if (is_digit(c)) d = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'I') d = static_cast<unsigned>(c - 'A' + 1);
        else if (c >= 'J' && c <= 'R') d = static_cast<unsigned>(c - 'J' + 1);
        else if (c >= 'S' && c <= 'Z') d = static_cast<unsigned>(c - 'S' + 2);
        else return -1;
        r = (r * 10 + d) % 97;
    }
    return static_cast<int>(r);
}

// Weighted sum of digits, weights applied left to right.
unsigned weighted(std::string_view digits, std::span<const unsigned> w) noexcept {
    unsigned s = 0;
    for (std::size_t i = 0; i < digits.size() && i < w.size(); ++i) s += static_cast<unsigned>(digits[i] - '0') * w[i];
    return s;
}

Check verdict(bool ok) noexcept { return ok ? Check::Valid : Check::Invalid; }

// ISO 7064 MOD 11,10 over digits, the last being the check digit.
bool mod11_10(std::string_view s) noexcept {
    unsigned p = 10;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        unsigned t = (p + static_cast<unsigned>(s[i] - '0')) % 10;
        if (t == 0) t = 10;
        p = (2 * t) % 11;
    }
    return (11 - p) % 10 == static_cast<unsigned>(s.back() - '0');
}

// Luhn over digits, the last being the check digit.
bool luhn(std::string_view s) noexcept {
    unsigned sum = 0;
    bool twice = false;
    for (std::size_t i = s.size(); i-- > 0; twice = !twice) {
        unsigned d = static_cast<unsigned>(s[i] - '0');
        if (twice && (d *= 2) > 9) d -= 9;
        sum += d;
    }
    return sum % 10 == 0;
}

// Spain: 11 - (weighted sum mod 11), 11 giving 0 and 10 giving 1.
char es_control(std::string_view ten) noexcept {
    static constexpr unsigned w[] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
    const unsigned r = 11 - weighted(ten, w) % 11;
    return static_cast<char>('0' + (r == 11 ? 0 : r == 10 ? 1 : r));
}

// Italy and San Marino: the CIN letter over bank, branch and account.
char cin_letter(std::string_view s) noexcept {
    static constexpr unsigned odd[] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,
                                       20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    unsigned sum = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const unsigned v = is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(c - 'A');
        sum += i % 2 == 0 ? odd[v] : v;
    }
    return static_cast<char>('A' + sum % 26);
}

// Czech Republic and Slovakia: prefix and account number each 0 mod 11.
bool cz_part(std::string_view digits, std::span<const unsigned> w) noexcept { return weighted(digits, w) % 11 == 0; }

// ---- Germany -----------------------------------------------------------------
// Each bank code names one of the published check methods for its 10-digit
// account numbers. Positions below are 0-based into the account.

using Account = std::array<unsigned, 10>;

// Sum of a[first..last] weighted from `last` leftwards by the cycle `w`;
// `cross` adds the digit sum of each product instead of the product.
unsigned de_sum(const Account& a, int first, int last, std::span<const unsigned> w, bool cross = false) noexcept {
    unsigned s = 0;
    std::size_t k = 0;
    for (int i = last; i >= first; --i, ++k) {
        unsigned p = a[static_cast<std::size_t>(i)] * w[k % w.size()];
        if (cross) p = p / 10 + p % 10;
        s += p;
    }
    return s;
}

// Modulus 10: the check digit completes the sum to a multiple of 10.
bool de_mod10(const Account& a, int first, int last, int check, std::span<const unsigned> w, bool cross) noexcept {
    return (10 - de_sum(a, first, last, w, cross) % 10) % 10 == a[static_cast<std::size_t>(check)];
}

// Modulus 11: 11 - remainder, remainders 0 and 1 giving 0 (`rem1_invalid`:
// remainder 1 makes the account invalid instead).
bool de_mod11(const Account& a, int first, int last, int check, std::span<const unsigned> w,
              bool rem1_invalid = false) noexcept {
    const unsigned r = de_sum(a, first, last, w) % 11;
    if (r == 1 && rem1_invalid) return false;
    return (r <= 1 ? 0 : 11 - r) == a[static_cast<std::size_t>(check)];
}

constexpr unsigned k21[] = {2, 1};
constexpr unsigned k12[] = {1, 2};
constexpr unsigned k371[] = {3, 7, 1};
constexpr unsigned k731[] = {7, 3, 1};
constexpr unsigned k2to7[] = {2, 3, 4, 5, 6, 7};
constexpr unsigned k2to6[] = {2, 3, 4, 5, 6};
constexpr unsigned k2to8[] = {2, 3, 4, 5, 6, 7, 8};
constexpr unsigned k2to9_2[] = {2, 3, 4, 5, 6, 7, 8, 9, 2};
constexpr unsigned k2to10[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr unsigned k19[] = {2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr unsigned k20[] = {2, 3, 4, 5, 6, 7, 8, 9, 3};
constexpr unsigned k34[] = {2, 4, 8, 5, 10, 9, 7};
constexpr unsigned k38[] = {2, 4, 8, 5, 10, 9};

std::uint64_t de_number(const Account& a) noexcept {
    std::uint64_t n = 0;
    for (unsigned d : a) n = n * 10 + d;
    return n;
}

// An account written without its two-digit sub-account (00): two leading
// zeros, the number moved two places right.
bool no_sub_account(const Account& a) noexcept { return a[0] == 0 && a[1] == 0; }

// The account moved two places left, its sub-account 00.
Account shifted(const Account& a) noexcept {
    Account b{};
    for (std::size_t i = 0; i < 8; ++i) b[i] = a[i + 2];
    return b;
}

// Method 13 and 63: modulus 10 over positions 2 to 7, check digit in 8.
bool de_mod10_2to7(const Account& a) noexcept { return de_mod10(a, 1, 6, 7, k21, true); }

bool de_76_once(const Account& a) noexcept {
    const unsigned kind = a[0];
    if (!(kind == 0 || kind == 4 || kind == 6 || kind == 7 || kind == 8 || kind == 9)) return false;
    const unsigned r = de_sum(a, 1, 6, k2to7) % 11;
    return r != 10 && r == a[7];
}

constexpr std::string_view kDeMethods[] = {"00", "01", "02", "03", "05", "06", "07", "08", "09", "10", "11",
                                           "13", "19", "20", "28", "32", "33", "34", "38", "60", "61", "63",
                                           "76", "88", "95", "99"};

// -1: method not implemented.
constexpr unsigned mid(const char* m) noexcept {
    return static_cast<unsigned>(static_cast<unsigned char>(m[0])) << 8 | static_cast<unsigned char>(m[1]);
}

int de_check(std::string_view method, const Account& a) noexcept {
    if (method.size() != 2) return -1;
    const std::uint64_t n = de_number(a);
    switch (mid(method.data())) {
        case mid("00"): return de_mod10(a, 0, 8, 9, k21, true);
        case mid("01"): return de_mod10(a, 0, 8, 9, k371, false);
        case mid("02"): return de_mod11(a, 0, 8, 9, k2to9_2, true);
        case mid("03"): return de_mod10(a, 0, 8, 9, k21, false);
        case mid("05"): return de_mod10(a, 0, 8, 9, k731, false);
        case mid("06"): return de_mod11(a, 0, 8, 9, k2to7);
        case mid("07"): return de_mod11(a, 0, 8, 9, k2to10, true);
        case mid("08"): return n < 60000 || de_mod10(a, 0, 8, 9, k21, true);
        case mid("09"): return 1;
        case mid("10"): return de_mod11(a, 0, 8, 9, k2to10);
        case mid("11"): {
            const unsigned r = de_sum(a, 0, 8, k2to10) % 11;
            return (r == 0 ? 0u : r == 1 ? 9u : 11 - r) == a[9];
        }
        case mid("13"): return de_mod10_2to7(a) || (no_sub_account(a) && de_mod10_2to7(shifted(a)));
        case mid("19"): return de_mod11(a, 0, 8, 9, k19);
        case mid("20"): return de_mod11(a, 0, 8, 9, k20);
        case mid("28"): return de_mod11(a, 0, 6, 7, k2to8);
        case mid("32"): return de_mod11(a, 3, 8, 9, k2to7);
        case mid("33"): return de_mod11(a, 4, 8, 9, k2to6);
        case mid("34"): return de_mod11(a, 0, 6, 7, k34);
        case mid("38"): return de_mod11(a, 3, 8, 9, k38);
        case mid("60"): return de_mod10(a, 2, 8, 9, k21, true);
        case mid("61"): {
            if (a[8] != 8) return de_mod10(a, 0, 6, 7, k21, true);
            // Positions 9 and 10 take part as well, weighted 1 and 2.
            const unsigned s = de_sum(a, 0, 6, k21, true) + a[8] + (a[9] * 2 / 10 + a[9] * 2 % 10);
            return (10 - s % 10) % 10 == a[7];
        }
        case mid("63"): {
            if (a[0] != 0) return 0;
            return de_mod10_2to7(a) || (no_sub_account(a) && a[2] == 0 && de_mod10_2to7(shifted(a)));
        }
        case mid("76"): return de_76_once(a) || (no_sub_account(a) && de_76_once(shifted(a)));
        case mid("88"): {
            if (a[2] == 9) return de_mod11(a, 2, 8, 9, k2to8);
            return de_mod11(a, 3, 8, 9, k2to7);
        }
        case mid("95"): {
            if ((n >= 1 && n <= 1999999) || (n >= 9000000 && n <= 25999999) || (n >= 396000000 && n <= 499999999) ||
                (n >= 700000000 && n <= 799999999) || (n >= 910000000 && n <= 989999999))
                return 1;
            return de_mod11(a, 0, 8, 9, k2to7);
        }
        case mid("99"): {
            if (n >= 396000000 && n <= 499999999) return 1;
            return de_mod11(a, 0, 8, 9, k2to7);
        }
        default: return -1;
    }
}

// Where the check digit of a German method sits (0-based in the BBAN).
std::uint8_t de_check_position(std::string_view method) noexcept {
    for (std::string_view m : {"13", "28", "34", "61", "63", "76"})
        if (method == m) return 8 + 7;
    return 8 + 9;
}

// Positions of the countries' separate check keys, and of the check digits
// that are part of a number (marked `inner`).
struct Positions {
    std::string_view country;
    std::uint8_t count;
    std::uint8_t at[2];
    bool inner;
};
constexpr Positions kPositions[] = {
    {"AL", 1, {7, 0}, false},   {"BA", 2, {14, 15}, false}, {"BE", 2, {10, 11}, false},
    {"CZ", 2, {9, 19}, true},   {"EE", 1, {15, 0}, true},   {"ES", 2, {8, 9}, false},
    {"FI", 1, {13, 0}, true},   {"FR", 2, {21, 22}, false}, {"HR", 2, {6, 16}, true},
    {"HU", 2, {7, 23}, true},   {"IS", 1, {20, 0}, true},   {"IT", 1, {0, 0}, false},
    {"MC", 2, {21, 22}, false}, {"ME", 2, {16, 17}, false}, {"MK", 2, {13, 14}, false},
    {"MR", 2, {21, 22}, false}, {"NO", 1, {10, 0}, true},   {"PL", 1, {7, 0}, true},
    {"PT", 2, {19, 20}, false}, {"RS", 2, {16, 17}, false}, {"SI", 2, {13, 14}, false},
    {"SK", 2, {9, 19}, true},   {"SM", 1, {0, 0}, false},   {"TL", 2, {17, 18}, false},
    {"TN", 2, {18, 19}, false},
};

const Positions* positions_of(std::string_view country) noexcept {
    for (const Positions& p : kPositions)
        if (p.country == country) return &p;
    return nullptr;
}

// Mod 97 over the whole BBAN. The ISO 7064 97-10 pair at the end (98 less
// the remainder of the rest, so 02 to 98) leaves 1; a RIB key (97 less the
// remainder, so 01 to 97) leaves 0.
// Whether two digits lie from lo to hi: a key computed as either rule
// computes it (so 98 and 99 of a RIB key, or 99 of a 97-10 pair, are the
// same remainder written out of range, and refused).
bool pair_within(std::string_view pair, unsigned lo, unsigned hi) noexcept {
    if (pair.size() != 2 || !is_digit(pair[0]) || !is_digit(pair[1])) return false;
    const unsigned v = static_cast<unsigned>(pair[0] - '0') * 10 + static_cast<unsigned>(pair[1] - '0');
    return v >= lo && v <= hi;
}

Check mod97_whole(std::string_view bban, std::size_t length, int want) noexcept {
    if (bban.size() != length) return Check::Invalid;
    if (!pair_within(bban.substr(length - 2), want == 1 ? 2 : 1, want == 1 ? 98 : 97)) return Check::Invalid;
    return verdict(mod97_alnum(bban) == want);
}

}  // namespace

bool has_national_check(std::string_view country) noexcept {
    return country == "DE" || positions_of(country) != nullptr;
}

std::span<const std::string_view> de_methods() noexcept { return kDeMethods; }

bool de_method_known(std::string_view method) noexcept {
    static constexpr Account zero{};
    return de_check(method, zero) >= 0;
}

Check national_check(std::string_view c, std::string_view b, std::string_view de_method) noexcept {
    if (c.size() != 2) return Check::None;
    if (c == "DE") {
        if (!de_method_known(de_method)) return Check::None;
        if (b.size() != 18 || !all_digits(b)) return Check::Invalid;
        Account a{};
        for (std::size_t i = 0; i < 10; ++i) a[i] = static_cast<unsigned>(b[8 + i] - '0');
        return verdict(de_check(de_method, a) == 1);
    }
    if (!positions_of(c)) return Check::None;
    // Mod 97 over the whole BBAN: remainder 1 (the ISO 7064 97-10 pair last)
    // or 0 (a RIB key).
    if (c == "BA") return mod97_whole(b, 16, 1);
    if (c == "ME" || c == "RS") return mod97_whole(b, 18, 1);
    if (c == "MK" || c == "SI") return mod97_whole(b, 15, 1);
    if (c == "PT") return mod97_whole(b, 21, 1);
    if (c == "TL") return mod97_whole(b, 19, 1);
    if (c == "MR") return mod97_whole(b, 23, 0);
    if (c == "TN") return mod97_whole(b, 20, 0);
    if (c == "FR" || c == "MC") return verdict(b.size() == 23 && pair_within(b.substr(21), 1, 97) && mod97_rib(b) == 0);
    if (c == "IT" || c == "SM") {
        if (b.size() != 23 || !is_upper(b[0])) return Check::Invalid;
        for (char ch : b.substr(1))
            if (!is_digit(ch) && !is_upper(ch)) return Check::Invalid;
        return verdict(cin_letter(b.substr(1)) == b[0]);
    }
    if (c == "AL") {
        // Bank, branch and their check digit; the account after may hold letters.
        static constexpr unsigned w[] = {9, 7, 3, 1, 9, 7, 3, 1};
        return verdict(b.size() == 24 && all_digits(b.substr(0, 8)) && weighted(b.substr(0, 8), w) % 10 == 0);
    }
    if (!all_digits(b)) return Check::Invalid;
    if (c == "BE") {
        if (b.size() != 12) return Check::Invalid;
        std::uint64_t n = 0;
        for (char ch : b.substr(0, 10)) n = n * 10 + static_cast<unsigned>(ch - '0');
        const unsigned r = static_cast<unsigned>(n % 97), key = static_cast<unsigned>((b[10] - '0') * 10 + (b[11] - '0'));
        return verdict((r == 0 ? 97 : r) == key);
    }
    if (c == "CZ" || c == "SK") {
        static constexpr unsigned prefix[] = {10, 5, 8, 4, 2, 1};
        static constexpr unsigned number[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
        return verdict(b.size() == 20 && cz_part(b.substr(4, 6), prefix) && cz_part(b.substr(10), number));
    }
    if (c == "EE") {
        // 7-3-1 weights from the right over the account after the bank code.
        if (b.size() != 16) return Check::Invalid;
        unsigned s = 0;
        static constexpr unsigned w[] = {7, 3, 1};
        std::size_t k = 0;
        for (std::size_t i = 14; i >= 2; --i, ++k) s += static_cast<unsigned>(b[i] - '0') * w[k % 3];
        return verdict((10 - s % 10) % 10 == static_cast<unsigned>(b[15] - '0'));
    }
    if (c == "ES") {
        if (b.size() != 20) return Check::Invalid;
        char first[10] = {'0', '0'};
        for (std::size_t i = 0; i < 8; ++i) first[2 + i] = b[i];
        return verdict(es_control(std::string_view(first, 10)) == b[8] && es_control(b.substr(10)) == b[9]);
    }
    if (c == "FI") return verdict(b.size() == 14 && luhn(b));
    if (c == "HR") return verdict(b.size() == 17 && mod11_10(b.substr(0, 7)) && mod11_10(b.substr(7)));
    if (c == "HU") {
        static constexpr unsigned w[] = {9, 7, 3, 1, 9, 7, 3, 1, 9, 7, 3, 1, 9, 7, 3, 1};
        return verdict(b.size() == 24 && weighted(b.substr(0, 8), w) % 10 == 0 && weighted(b.substr(8), w) % 10 == 0);
    }
    if (c == "IS") {
        // The holder's national identification number, last ten digits.
        if (b.size() != 22) return Check::Invalid;
        static constexpr unsigned w[] = {3, 2, 7, 6, 5, 4, 3, 2};
        const unsigned r = 11 - weighted(b.substr(12, 8), w) % 11;
        return verdict(r != 10 && (r == 11 ? 0 : r) == static_cast<unsigned>(b[20] - '0'));
    }
    if (c == "NO") {
        if (b.size() != 11) return Check::Invalid;
        static constexpr unsigned w[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
        // Accounts of type 00 (fifth and sixth digits) are checked over
        // their last digits only.
        const unsigned sum = b.substr(4, 2) == "00" ? weighted(b.substr(6, 4), std::span(w).subspan(6))
                                                    : weighted(b.substr(0, 10), w);
        const unsigned r = 11 - sum % 11;
        return verdict(r != 10 && (r == 11 ? 0 : r) == static_cast<unsigned>(b[10] - '0'));
    }
    if (c == "PL") {
        if (b.size() != 24) return Check::Invalid;
        static constexpr unsigned w[] = {3, 9, 7, 1, 3, 9, 7};
        return verdict((10 - weighted(b.substr(0, 7), w) % 10) % 10 == static_cast<unsigned>(b[7] - '0'));
    }
    return Check::None;
}

std::span<const std::uint8_t> check_positions(std::string_view country, std::string_view de_method,
                                              bool keys_only) noexcept {
    static thread_local std::uint8_t de_at[1];
    if (country == "DE") {
        if (keys_only || !de_method_known(de_method) || de_method == "09") return {};
        de_at[0] = de_check_position(de_method);
        return {de_at, 1};
    }
    const Positions* p = positions_of(country);
    if (!p || (keys_only && p->inner)) return {};
    return {p->at, p->count};
}

bool complete_national_check(std::string_view country, std::string& bban, std::string_view de_method,
                             bool keys_only) noexcept {
    if (national_check(country, bban, de_method) == Check::Valid) return true;
    const std::span<const std::uint8_t> at = check_positions(country, de_method, keys_only);
    if (at.empty()) return false;
    for (std::uint8_t i : at)
        if (i >= bban.size()) return false;
    const bool letter = country == "IT" || country == "SM";
    const unsigned base = letter ? 26 : 10;
    const char first = letter ? 'A' : '0';
    char saved[2] = {bban[at[0]], bban[at[at.size() - 1]]};
    unsigned combos = 1;
    for (std::size_t k = 0; k < at.size(); ++k) combos *= base;
    for (unsigned v = 0; v < combos; ++v) {
        unsigned rest = v;
        for (std::uint8_t i : at) {
            bban[i] = static_cast<char>(first + rest % base);
            rest /= base;
        }
        if (national_check(country, bban, de_method) == Check::Valid) return true;
    }
    bban[at[0]] = saved[0];
    bban[at[at.size() - 1]] = saved[1];
    return false;
}

}  // namespace ovb
