// Check predicates of the VAT numbers from Austria to Spain. Each repeats the
// separator removal, prefix removal and upper-casing of its compaction
// before it reads the digits.
#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

// Austrian UID: "U" and eight digits; a Luhn-like sum over d1..d7 whose
// check digit is offset by 4 (6 - t rather than 10 - t).
bool at_uid_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "AT");
    v = upper_in(v, buf);
    if (v.size() != 9 || v[0] != 'U' || !all_digits(v.substr(1))) return false;
    auto twice = [](int x) { return x < 5 ? 2 * x : 2 * x - 9; };
    const int s = dig(v, 1) + twice(dig(v, 2)) + dig(v, 3) + twice(dig(v, 4)) + dig(v, 5) + twice(dig(v, 6)) + dig(v, 7);
    const int t = s % 10;
    return dig(v, 8) == (t < 7 ? 6 - t : 16 - t);
}

// Belgian enterprise number: ten digits starting 0 or 1 (old nine-digit
// numbers gain a leading 0), the last two completing the first eight to a
// multiple of 97.
bool be_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "BE");
    std::string padded;
    if (v.size() == 9) {
        padded = "0";
        padded += v;
        v = padded;
    }
    if (!is_digits(v, 10) || (v[0] != '0' && v[0] != '1')) return false;
    // All zeros is divisible by 97 but is no number.
    if (v == "0000000000") return false;
    return (num(v, 0, 8) + num(v, 8, 10)) % 97 == 0;
}

// Bulgarian VAT number. Legal entities have nine digits; ten digits are a
// personal number (with a birth date), a foreigner's number or another
// ten-digit id, accepted when any of the three checks holds. The personal
// and foreigner's numbers are checked as bg.egn and bg.pnf check them.
constexpr int kBgLegalWeights1[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr int kBgLegalWeights2[] = {3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kBgOtherWeights[] = {4, 3, 2, 7, 6, 5, 4, 3, 2};

namespace {

bool bg_legal_entity(std::string_view v) {
    return dig(v, 8) == mod11_two_pass(v, kBgLegalWeights1, kBgLegalWeights2);
}

bool bg_other(std::string_view v) {
    // Remainder 1 would need check digit 10, which never matches.
    return mod11_digit_matches(v, kBgOtherWeights, Mod11::F, 9);
}

}  // namespace

bool bg_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "BG");
    if (is_digits(v, 9)) return bg_legal_entity(v);
    if (is_digits(v, 10)) return am::bg_egn_check(v) == am::kPass || am::bg_pnf_check(v) == am::kPass || bg_other(v);
    return false;
}

// Cypriot VAT number: eight digits and a check letter. Digits at even
// indexes are recoded before summing; numbers starting 12 are not issued.
constexpr int kCyOddValues[10] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21};

bool cy_vat_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "CY");
    v = upper_in(v, buf);
    if (v.size() != 9 || !all_digits(v.substr(0, 8)) || !is_upper(v[8]) || v.starts_with("12")) return false;
    int t = 0;
    for (std::size_t i = 0; i < 8; ++i) t += i % 2 == 0 ? kCyOddValues[dig(v, i)] : dig(v, i);
    return v[8] == 'A' + t % 26;
}

// Czech DIČ: eight digits for legal entities, nine starting 6 for special
// cases, otherwise the owner's birth number.
constexpr int kCzDicWeights[] = {8, 7, 6, 5, 4, 3, 2};

bool cz_dic_check(std::string_view c) {
    std::string_view v = c;
    v = drop_exact_prefix(v, "CZ", "cz");
    if (is_digits(v, 8)) {
        if (v[0] == '9') return false;
        return mod11_digit_matches(v, kCzDicWeights, Mod11::A, 7);
    }
    if (is_digits(v, 9) && v[0] == '6') {
        const auto r = weighted_sum(v.substr(1), kCzDicWeights) % 11;
        return dig(v, 8) == (r >= 2 ? r - 2 : r + 8);
    }
    return (is_digits(v, 9) || is_digits(v, 10)) && cz_rc_check(v);
}

// German USt-IdNr: nine digits, no leading zero, ISO 7064 MOD 11,10.
bool de_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "DE");
    return is_digits(v, 9) && v[0] != '0' && dig(v, 8) == mod11_10_check(v.substr(0, 8));
}

// Danish CVR: weighted sum with the check digit divisible by 11.
constexpr int kDkVatWeights[] = {2, 7, 6, 5, 4, 3, 2, 1};

bool dk_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "DK");
    return is_digits(v, 8) && v[0] != '0' && eleven_test(v, kDkVatWeights);
}

// Estonian KMKR: weights 3, 7, 1 repeated; the sum with the check digit is a multiple of 10.
constexpr int kEeVatWeights[] = {3, 7, 1, 3, 7, 1, 3, 7, 1};

bool ee_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "EE");
    return is_digits(v, 9) && weighted_sum(v, kEeVatWeights) % 10 == 0;
}

// Spanish NIF: a national id (DNI, or K/L/M ids for Spaniards without one),
// a foreigner's NIE or a company CIF, told apart by the first character.

bool es_vat_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "ES");
    v = upper_in(v, buf);
    if (v.size() != 9) return false;
    if (all_digits(v.substr(0, 8))) return v[8] == spanish_id_letter(num(v, 0, 8));
    if (v[0] == 'K' || v[0] == 'L' || v[0] == 'M')
        return all_digits(v.substr(1, 7)) && v[8] == spanish_id_letter(num(v, 1, 8));
    if (v[0] == 'X' || v[0] == 'Y' || v[0] == 'Z') return es_nie_check(v);
    // Anything else must be a company number; its predicate rejects other first letters.
    return es_cif_check(v);
}

}  // namespace ov::legacy
