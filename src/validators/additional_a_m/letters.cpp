// Checks of the A-M identifiers whose check involves letters, a character
// alphabet, a table look-up or a check digit outside the usual position.
// Each runs on the compact text; the first failing test decides the code.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/digit_fields.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {
namespace {

// Index of c in an alphabet, or -1. Works on raw bytes, so a byte of a
// multi-byte character is simply absent (no table is indexed by it).
constexpr int index_in(std::string_view alphabet, char c) noexcept {
    const auto pos = alphabet.find(c);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

// index_in as a table: the position of every byte in an alphabet, or -1,
// for the alphabets read on every character of a code.
struct Positions {
    std::int8_t of[256];
    constexpr explicit Positions(std::string_view alphabet) : of() {
        for (auto& p : of) p = -1;
        for (std::size_t i = alphabet.size(); i-- > 0;)  // the first occurrence wins, as in index_in
            of[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    }
    constexpr int operator()(char c) const noexcept { return of[static_cast<unsigned char>(c)]; }
};

// A digit is its value, an upper-case ASCII letter 10..35.
constexpr int alnum_value(char c) noexcept {
    if (is_digit(c)) return digit_value(c);
    if (is_upper(c)) return c - 'A' + 10;
    return 0;
}

bool all_upper(std::string_view s) noexcept {
    for (char c : s)
        if (!is_upper(c)) return false;
    return true;
}

}  // namespace

// ---- by.unp -----------------------------------------------------------------
// Letters that may stand first, and the letters that may follow a first
// letter, read as the digits 0..9 in the sum.
constexpr std::string_view kUnpFirstLetters = "ABCEHKM";
constexpr std::string_view kUnpSecondLetters = "ABCEHKOPT";
constexpr std::array<int, 8> kUnpWeights = {29, 23, 19, 17, 13, 7, 5, 3};

Verdict by_unp_check(std::string_view c) {
    if (c.size() != 9) return ErrorCode::InvalidLength;
    if (!all_digits(c.substr(2))) return ErrorCode::InvalidFormat;
    const bool first_digit = c[0] >= '1' && c[0] <= '7';
    if (!first_digit && index_in(kUnpFirstLetters, c[0]) < 0) return ErrorCode::InvalidComponent;
    int second;
    if (first_digit) {
        if (!is_digit(c[1])) return ErrorCode::InvalidFormat;
        second = digit_value(c[1]);
    } else {
        second = index_in(kUnpSecondLetters, c[1]);
        if (second < 0) return ErrorCode::InvalidFormat;
    }
    std::int64_t s = kUnpWeights[0] * alnum_value(c[0]) + kUnpWeights[1] * second;
    for (std::size_t i = 2; i < 8; ++i) s += kUnpWeights[i] * digit_value(c[i]);
    const auto r = s % 11;
    if (r == 10 || digit_value(c[8]) != r) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- ca.bn ------------------------------------------------------------------
// Program identifiers of the 15-character account form.
constexpr std::array<std::string_view, 4> kBnPrograms = {"RC", "RM", "RP", "RT"};

Verdict ca_bn_check(std::string_view c) {
    if (c.size() != 9 && c.size() != 15) return ErrorCode::InvalidLength;
    const auto root = c.substr(0, 9);
    if (!all_digits(root)) return ErrorCode::InvalidFormat;
    if (c.size() == 15 && !all_digits(c.substr(11))) return ErrorCode::InvalidFormat;
    if (!luhn_valid(root)) return ErrorCode::InvalidChecksum;
    if (c.size() == 15) {
        const auto program = c.substr(9, 2);
        bool known = false;
        for (auto p : kBnPrograms) known = known || p == program;
        if (!known) return ErrorCode::InvalidComponent;
    }
    return kPass;
}

// ---- cl.rut -----------------------------------------------------------------
Verdict cl_rut_check(std::string_view c) {
    const std::size_t n = c.size();
    if (n != 8 && n != 9) return ErrorCode::InvalidLength;
    const auto body = c.substr(0, n - 1);
    const char check = c[n - 1];
    if (!all_digits(body) || !(is_digit(check) || check == 'K')) return ErrorCode::InvalidFormat;
    // Weights 2..7 from the right, starting again at 2 after 7.
    std::int64_t s = 0;
    int w = 2;
    for (std::size_t i = body.size(); i-- > 0;) {
        s += w * digit_value(body[i]);
        w = w == 7 ? 2 : w + 1;
    }
    const auto r = s % 11;
    const char expected = r == 0 ? '0' : r == 1 ? 'K' : static_cast<char>('0' + (11 - r));
    if (check != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// Decides only input that compaction would leave untouched: plain ASCII with
// no separator, no white space at either end, no lower-case letter (the
// compaction upper-cases) and no CL prefix (the compaction drops it).
PrecheckOutcome cl_rut_precheck(std::string_view raw) {
    if (!raw.empty() && (raw.front() <= ' ' || raw.back() <= ' ')) {
        // Only ASCII white space matters here; other control bytes are not
        // trimmed, but treating them as undecided is always safe.
        return PrecheckOutcome::undecided();
    }
    for (char ch : raw) {
        if (!is_ascii(ch) || is_lower(ch) || ch == ' ' || ch == '(' || ch == ')' || ch == '-' || ch == '.' ||
            ch == '/')
            return PrecheckOutcome::undecided();
    }
    if (raw.starts_with("CL")) return PrecheckOutcome::undecided();
    if (const Verdict v = cl_rut_check(raw)) return PrecheckOutcome::failure(*v, failure(*v).message);
    return PrecheckOutcome::accept();
}

// ---- cn.uscc ----------------------------------------------------------------
// Code alphabet of the unified social credit code: digits and capitals
// without I, O, S, V and Z.
constexpr std::string_view kUsccAlphabet = "0123456789ABCDEFGHJKLMNPQRTUWXY";
static_assert(kUsccAlphabet.size() == 31);
// Powers of 3 modulo 31 for positions 0..16.
constexpr std::array<int, 17> kUsccWeights = {1, 3, 9, 27, 19, 26, 16, 17, 20, 29, 25, 13, 8, 24, 10, 30, 28};
constexpr Positions kUsccPositions{kUsccAlphabet};

Verdict cn_uscc_check(std::string_view c) {
    if (c.size() != 18) return ErrorCode::InvalidLength;
    int absent = 0;
    for (char ch : c) absent |= kUsccPositions(ch);  // -1 sets every bit
    if (absent < 0) return ErrorCode::InvalidFormat;
    if (!all_digits(c.substr(2, 6))) return ErrorCode::InvalidFormat;
    std::int64_t s = 0;
    for (std::size_t i = 0; i < 17; ++i) s += kUsccWeights[i] * kUsccPositions(c[i]);
    const auto expected = kUsccAlphabet[static_cast<std::size_t>((31 - s % 31) % 31)];
    if (c[17] != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- gb.sedol ---------------------------------------------------------------
// The blanks hold the places of the vowels, which never appear in a code.
constexpr std::string_view kSedolAlphabet = "0123456789 BCD FGH JKLMN PQRST VWXYZ";
static_assert(kSedolAlphabet.size() == 36 && kSedolAlphabet[11] == 'B' && kSedolAlphabet[35] == 'Z');
constexpr std::array<int, 6> kSedolWeights = {1, 3, 1, 7, 3, 9};

Verdict gb_sedol_check(std::string_view c) {
    if (c.size() != 7) return ErrorCode::InvalidLength;
    for (char ch : c)
        if (ch == ' ' || index_in(kSedolAlphabet, ch) < 0) return ErrorCode::InvalidFormat;
    if (is_digit(c[0]) && !all_digits(c.substr(1, 6))) return ErrorCode::InvalidFormat;
    int s = 0;
    for (std::size_t i = 0; i < 6; ++i) s += kSedolWeights[i] * index_in(kSedolAlphabet, c[i]);
    const int expected = (10 - s % 10) % 10;
    if (!is_digit(c[6]) || digit_value(c[6]) != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- gh.tin -----------------------------------------------------------------
// First letters by kind of taxpayer.
constexpr std::string_view kGhTinKinds = "CGPQV";

Verdict gh_tin_check(std::string_view c) {
    if (c.size() != 11) return ErrorCode::InvalidLength;
    if (index_in(kGhTinKinds, c[0]) < 0 || c.substr(1, 2) != "00" || !all_digits(c.substr(3, 7)) ||
        !(is_digit(c[10]) || c[10] == 'X'))
        return ErrorCode::InvalidFormat;
    int s = 0;
    for (std::size_t i = 1; i <= 9; ++i) s += static_cast<int>(i) * digit_value(c[i]);
    const int r = s % 11;
    const char expected = r == 10 ? 'X' : static_cast<char>('0' + r);
    if (c[10] != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- gt.nit -----------------------------------------------------------------
Verdict gt_nit_check(std::string_view c) {
    const std::size_t n = c.size();
    if (n < 2 || n > 12) return ErrorCode::InvalidLength;
    const char check = c[n - 1];
    if (!all_digits(c.substr(0, n - 1)) || !(is_digit(check) || check == 'K')) return ErrorCode::InvalidFormat;
    // The first character weighs n, the one before the check 2.
    std::int64_t s = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) s += static_cast<std::int64_t>(n - i) * digit_value(c[i]);
    const auto a = (11 - s % 11) % 11;
    const char expected = a == 10 ? 'K' : static_cast<char>('0' + a);
    if (check != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- hk.hkid ----------------------------------------------------------------
Verdict hk_hkid_check(std::string_view c) {
    const std::size_t n = c.size();
    if (n != 8 && n != 9) return ErrorCode::InvalidLength;
    const std::size_t letters = n - 7;  // 1 or 2: n is at least 8 here
    const char check = c[n - 1];
    if (!all_upper(c.substr(0, letters)) || !all_digits(c.substr(letters, 6)) || !(is_digit(check) || check == 'A'))
        return ErrorCode::InvalidFormat;
    // A one-letter prefix counts as a blank (value 36) followed by the letter.
    int s = letters == 1 ? 9 * 36 : 0;
    int w = letters == 1 ? 8 : 9;
    for (std::size_t i = 0; i + 1 < n; ++i, --w) s += w * alnum_value(c[i]);
    const int r = s % 11;
    const char expected = r == 0 ? '0' : r == 1 ? 'A' : static_cast<char>('0' + (11 - r));
    if (check != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- in.gstin ---------------------------------------------------------------
Verdict in_gstin_check(std::string_view c) {
    if (c.size() != 15) return ErrorCode::InvalidLength;
    const auto alnum_upper = [](char ch) { return is_digit(ch) || is_upper(ch); };
    if (!all_digits(c.substr(0, 2)) || !all_upper(c.substr(2, 5)) || !all_digits(c.substr(7, 4)) || !is_upper(c[11]) ||
        !alnum_upper(c[12]) || c[13] != 'Z' || !alnum_upper(c[14]))
        return ErrorCode::InvalidFormat;
    const std::int64_t state = num(c, 0, 2);
    if (c[12] == '0' || state < 1 || state > 37) return ErrorCode::InvalidComponent;
    // Luhn over base 36: every second character from the right is doubled.
    int total = 0;
    for (std::size_t k = 0; k < 15; ++k) {
        int v = alnum_value(c[14 - k]);
        if (k % 2 == 1) {
            v *= 2;
            if (v >= 36) v -= 35;
        }
        total += v;
    }
    if (total % 36 != 0) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- mc.tva -----------------------------------------------------------------
Verdict mc_tva_check(std::string_view c) {
    if (c.size() != 13) return ErrorCode::InvalidLength;
    if (c.substr(0, 2) != "FR" || !all_digits(c.substr(2))) return ErrorCode::InvalidFormat;
    const auto key = num(c, 2, 4);
    const auto siren = num(c, 4, 13);
    if ((12 + 3 * (siren % 97)) % 97 != key) return ErrorCode::InvalidChecksum;
    // Monaco's companies carry French numbers from the reserved 000 range.
    if (c.substr(4, 3) != "000") return ErrorCode::InvalidComponent;
    return kPass;
}

// ---- mx.rfc -----------------------------------------------------------------
// Check-character alphabet; Ñ is read as '^' before anything else.
constexpr std::string_view kRfcAlphabet = "0123456789ABCDEFGHIJKLMN&OPQRSTUVWXYZ ^";
static_assert(kRfcAlphabet.size() == 39 && kRfcAlphabet[24] == '&' && kRfcAlphabet[37] == ' ');
constexpr Positions kRfcPositions{kRfcAlphabet};
// Ñ (U+00D1) is C3 91: a C3 byte followed by 91 is always that character.
constexpr bool enye_at(std::string_view c, std::size_t i) noexcept {
    return c[i] == '\xC3' && i + 1 < c.size() && c[i + 1] == '\x91';
}

Verdict mx_rfc_check(std::string_view c) {
    // Count the length with every Ñ as one byte before copying anything, so
    // a long input costs one scan and no allocation.
    std::size_t n = 0;
    for (std::size_t i = 0; i < c.size(); ++i, ++n)
        if (enye_at(c, i)) ++i;
    if (n != 12 && n != 13) return ErrorCode::InvalidLength;
    // The text with one blank in front when it has 12 characters (a company).
    std::array<char, 13> t{};
    std::size_t k = 0;
    if (n == 12) t[k++] = ' ';
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (enye_at(c, i)) {
            t[k++] = '^';
            ++i;
        } else {
            t[k++] = c[i];
        }
    }
    const std::string_view s(t.data(), t.size());
    for (std::size_t i = 13 - n; i < 4; ++i)
        if (!(is_upper(s[i]) || s[i] == '&' || s[i] == '^')) return ErrorCode::InvalidFormat;
    const auto date = s.substr(4, 6);
    for (std::size_t i = 10; i < 13; ++i)
        if (!(is_digit(s[i]) || is_upper(s[i]))) return ErrorCode::InvalidFormat;
    if (!all_digits(date)) return ErrorCode::InvalidFormat;
    if (!is_valid_date(2000 + num(date, 0, 2), num(date, 2, 4), num(date, 4, 6))) return ErrorCode::InvalidComponent;
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += std::max(kRfcPositions(s[i]), 0) * static_cast<int>(13 - i);
    const int r = sum % 11;
    const char expected = r == 0 ? '0' : r == 1 ? 'A' : static_cast<char>('0' + (11 - r));
    if (s[12] != expected) return ErrorCode::InvalidChecksum;
    return kPass;
}

}  // namespace ov::am
