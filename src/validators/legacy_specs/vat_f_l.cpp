// Check predicates of the VAT numbers from Finland to Latvia.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

// Finnish ALV number: "FI" and the business id.
bool fi_vat_check(std::string_view c) {
    std::string_view v = c;
    return fi_ytunnus_check(drop_exact_prefix(v, "FI", "fi"));
}

// French TVA: a two-character key before the company number. The old key
// is two digits; the new keys mix a letter in, drawn from an alphabet
// without I and O (too easily read as 1 and 0).
constexpr std::string_view kFrKeyAlphabet = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";
static_assert(kFrKeyAlphabet.size() == 34);
// Position of each byte in the key alphabet, -1 for bytes outside it.
constexpr auto kFrKeyIndex = [] {
    std::array<int, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kFrKeyAlphabet.size(); ++i)
        index[static_cast<unsigned char>(kFrKeyAlphabet[i])] = static_cast<int>(i);
    return index;
}();

bool fr_tva_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "FR");
    v = upper_in(v, buf);
    if (v.size() != 11 || !all_digits(v.substr(2))) return false;
    const std::string_view company = v.substr(2);
    // Numbers starting 000 are not real company numbers and carry no Luhn digit.
    if (!company.starts_with("000") && !luhn_valid(company)) return false;
    const int k0 = kFrKeyIndex[static_cast<unsigned char>(v[0])];
    const int k1 = kFrKeyIndex[static_cast<unsigned char>(v[1])];
    if (k0 < 0 || k1 < 0) return false;
    // 100 x N reaches 1e11: 64-bit arithmetic.
    const auto n = num(company, 0, 9);
    if (k0 < 10 && k1 < 10) return k0 * 10 + k1 == (100 * n + 12) % 97;
    int key;
    if (k0 < 10) {
        key = 24 * k0 + k1 - 10;  // k1 >= 10 here, so this stays non-negative
    } else {
        const int p = 34 * k0 + k1;
        key = p >= 100 ? p - 100 : 0;
    }
    return (n + 1 + key / 11) % 11 == key % 11;
}

// UK VAT number: government departments (GD, below 500) and health
// authorities (HA, 500 and above), else nine digits, optionally followed by
// a three-digit branch suffix that takes no part in the check. Numbers
// issued since 2010 use the remainders 42 and 55 as well as 0.
constexpr int kGbVatWeights[] = {8, 7, 6, 5, 4, 3, 2};

bool gb_vat_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "GB");
    v = upper_in(v, buf);
    if (v.size() == 5 && v.starts_with("GD")) return all_digits(v.substr(2)) && num(v, 2, 5) < 500;
    if (v.size() == 5 && v.starts_with("HA")) return all_digits(v.substr(2)) && num(v, 2, 5) >= 500;
    if (!is_digits(v, 9) && !is_digits(v, 12)) return false;
    const auto r = (weighted_sum(v, kGbVatWeights) + 10 * dig(v, 7) + dig(v, 8)) % 97;
    // Numbers below 100 (leading 0) are from the old series: remainder 0 only.
    if (v[0] == '0') return r == 0;
    return r == 0 || r == 42 || r == 55;
}

// Greek AFM: weights are the powers of two from 256 down to 2.
constexpr int kGrVatWeights[] = {256, 128, 64, 32, 16, 8, 4, 2};

bool gr_vat_check(std::string_view c) {
    std::string_view v = c;
    // Greece uses EL as its VAT prefix; GR is accepted as well.
    const std::string_view without_el = drop_prefix(v, "EL");
    v = without_el.size() != v.size() ? without_el : drop_prefix(v, "GR");
    std::string padded;
    if (v.size() == 8) {  // older eight-digit numbers gain a leading 0
        padded = "0";
        padded += v;
        v = padded;
    }
    if (!is_digits(v, 9)) return false;
    const auto check = mod11_check(weighted_sum(v, kGrVatWeights), Mod11::C);
    return dig(v, 8) == *check;
}

// Croatian OIB: eleven digits, ISO 7064 MOD 11,10.
bool hr_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "HR");
    return is_digits(v, 11) && dig(v, 10) == mod11_10_check(v.substr(0, 10));
}

// Hungarian adószám: weights 9, 7, 3, 1; the sum with the check digit is a multiple of 10.
constexpr int kHuVatWeights[] = {9, 7, 3, 1, 9, 7, 3, 1};

bool hu_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "HU");
    return is_digits(v, 8) && weighted_sum(v, kHuVatWeights) % 10 == 0;
}

// Irish VAT number. The current layout is seven digits, a check letter and
// an optional letter that joins the sum (an absent one counts as W = 0); the
// old layout hides a letter, '+' or '*' in the second position.
constexpr int kIeWeights[] = {8, 7, 6, 5, 4, 3, 2};

bool ie_vat_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "IE");
    v = upper_in(v, buf);
    if (v.size() != 8 && v.size() != 9) return false;
    if (all_digits(v.substr(0, 7)) && is_upper(v[7])) return irish_check_letter_matches(v);
    if (v.size() != 8 || !is_digit(v[0]) || !(is_upper(v[1]) || v[1] == '*' || v[1] == '+') ||
        !all_digits(v.substr(2, 5)) || !is_upper(v[7]))
        return false;
    // Old layout: the digits are read as 0, the five middle digits, then the
    // first digit; the second character takes no part.
    std::string digits = "0";
    digits += v.substr(2, 5);
    digits += v[0];
    return v[7] == kIrishCheckAlphabet[static_cast<std::size_t>(weighted_sum(digits, kIeWeights) % 23)];
}

// Italian Partita IVA: company serial (not all zero), a provincial office
// code (001-100, 120, 121, 888 or 999) and a Luhn digit. The 11-digit
// codice fiscale of companies is the same number.
bool it_iva_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "IT");
    if (!is_digits(v, 11) || v.starts_with("0000000")) return false;
    const std::int64_t office = num(v, 7, 10);
    if (!((office >= 1 && office <= 100) || office == 120 || office == 121 || office == 888 || office == 999))
        return false;
    return luhn_valid(v);
}

// Lithuanian PVM code: nine digits (legal persons) or twelve (temporary
// registrations), with a 1 before the check digit in both. Weights cycle
// 1..9; a remainder of 10 retries with the cycle shifted by two.
constexpr int kLtVatWeights1[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2};
constexpr int kLtVatWeights2[] = {3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4};

bool lt_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "LT");
    if (!(is_digits(v, 9) && v[7] == '1') && !(is_digits(v, 12) && v[10] == '1')) return false;
    const std::size_t n = v.size() - 1;
    return dig(v, n) == mod11_two_pass(v.substr(0, n), kLtVatWeights1, kLtVatWeights2);
}

// Luxembourg TVA: the first six digits modulo 89 are the last two.
bool lu_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "LU");
    return is_digits(v, 8) && num(v, 0, 6) % 89 == num(v, 6, 8);
}

// Latvian PVN: legal persons (first digit 4, 5 or 9) carry a mod-11 check;
// the new personal codes ("32" to "39") carry none; the old personal codes
// start with the birth date DDMMYY and the century digit in position 6.
constexpr int kLvLegalWeights[] = {9, 1, 4, 8, 3, 10, 2, 5, 7, 6, 1};
constexpr int kLvPersonWeights[] = {10, 5, 8, 4, 2, 1, 6, 3, 7, 9};

bool lv_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "LV");
    if (!is_digits(v, 11)) return false;
    const int d0 = dig(v, 0);
    if (d0 == 4 || d0 == 5 || d0 == 9) return weighted_sum(v, kLvLegalWeights) % 11 == 3;
    if (d0 == 3 && dig(v, 1) >= 2) return true;
    if (dig(v, 6) > 2) return false;
    if (!is_valid_date(1800 + 100 * dig(v, 6) + num(v, 4, 6), num(v, 2, 4), num(v, 0, 2))) return false;
    const auto check = mod11_check(1 + weighted_sum(v, kLvPersonWeights), Mod11::C);
    return dig(v, 10) == *check;
}

}  // namespace ov::legacy
