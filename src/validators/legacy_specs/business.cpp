// Check predicates of the legacy business, tax and bank numbers (the German
// tax number has its own file, de_stnr.cpp). Each starts by repeating the
// part of its compaction that the rule names, then tests the digits.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

// Sum of the decimal digits of a product below 100.
constexpr int digit_sum(int v) noexcept { return v / 10 + v % 10; }

}  // namespace

// Austrian tax account number: nine digits under Luhn. Its compaction also
// drops ',' so the predicate strips the same five characters.
bool at_tin_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 9) && luhn_valid(v);
}

// Australian company number: the complement of a weighted sum modulo 10.
constexpr int kAuAcnWeights[] = {8, 7, 6, 5, 4, 3, 2, 1};

bool au_acn_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 9)) return false;
    const auto e = weighted_sum(v, kAuAcnWeights) % 10;
    return dig(v, 8) == (10 - e) % 10;
}

// Brazilian company number. The first twelve positions may hold letters,
// valued by their code minus 48 (A = 17 ... Z = 42) so that digits keep
// their values; the two check digits stay numeric.
constexpr int kCnpjWeights1[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
constexpr int kCnpjWeights2[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

namespace {

int cnpj_check_digit(std::string_view v, std::span<const int> weights) noexcept {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) sum += (v[i] - 48) * weights[i];
    const int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

}  // namespace

bool br_cnpj_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = upper_in(v, buf);
    if (v.size() != 14 || !is_digit(v[12]) || !is_digit(v[13])) return false;
    for (std::size_t i = 0; i < 12; ++i)
        if (!is_digit(v[i]) && !is_upper(v[i])) return false;
    // Fourteen zeros pass both checks but are no number.
    if (v == "00000000000000") return false;
    return cnpj_check_digit(v, kCnpjWeights1) == dig(v, 12) && cnpj_check_digit(v, kCnpjWeights2) == dig(v, 13);
}

// Swiss business id: "CHE" and nine digits; remainder 1 has no check digit.
constexpr int kChUidWeights[] = {5, 4, 3, 2, 7, 6, 5, 4};

bool ch_uid_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = upper_in(v, buf);
    if (v.size() != 12 || !v.starts_with("CHE")) return false;
    const std::string_view d = v.substr(3);
    if (!all_digits(d)) return false;
    const auto check = mod11_check(weighted_sum(d, kChUidWeights), Mod11::B);
    return check && dig(d, 8) == *check;
}

// German social insurance number: area, birth date DDMMYY, the initial of
// the birth name, serial and check digit. The letter enters the check as
// its alphabet position written with two digits.
constexpr int kDeSvnrWeights[] = {2, 1, 2, 5, 7, 1, 2, 1, 2, 1, 2, 1};

bool de_svnr_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = upper_in(v, buf);
    if (v.size() != 12 || !all_digits(v.substr(0, 8)) || !is_upper(v[8]) || !all_digits(v.substr(9)))
        return false;
    const std::int64_t yy = num(v, 6, 8);
    // Year 00 is read as 2000, every other two-digit year as 19xx.
    if (!is_valid_date(yy == 0 ? 2000 : 1900 + yy, num(v, 4, 6), num(v, 2, 4))) return false;
    const int letter = v[8] - 'A' + 1;
    const std::array<int, 12> digits = {dig(v, 0), dig(v, 1), dig(v, 2),  dig(v, 3),  dig(v, 4),  dig(v, 5),
                                        dig(v, 6), dig(v, 7), letter / 10, letter % 10, dig(v, 9), dig(v, 10)};
    int total = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) total += digit_sum(digits[i] * kDeSvnrWeights[i]);
    return dig(v, 11) == total % 10;
}

// Spanish company tax id: organisation letter, seven digits, and a check
// written either as a digit or as a letter (J for 0, A for 1, ...).
constexpr std::string_view kEsCifFirstLetters = "ABCDEFGHJNPQRSUVW";
constexpr std::string_view kEsCifCheckLetters = "JABCDEFGHI";
static_assert(kEsCifCheckLetters.size() == 10);

int es_cif_control_digit(std::string_view body) noexcept {
    int sum = 0;
    // The first, third, fifth and seventh digits are doubled and their digits added.
    for (std::size_t i = 0; i < 7; ++i) sum += i % 2 == 0 ? digit_sum(2 * dig(body, i)) : dig(body, i);
    return (10 - sum % 10) % 10;
}

bool es_cif_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_exact_prefix(v, "ES", "es");
    v = upper_in(v, buf);
    if (v.size() != 9 || kEsCifFirstLetters.find(v[0]) == std::string_view::npos ||
        !all_digits(v.substr(1, 7)))
        return false;
    const int check = es_cif_control_digit(v.substr(1, 7));
    return v[8] == '0' + check || v[8] == kEsCifCheckLetters[static_cast<std::size_t>(check)];
}

// Spanish social security number: province, serial and two check digits.
// A serial below 10,000,000 is written with eight digits but enters the
// check as a seven-digit number. N reaches about 5.3e9, beyond 32 bits.
bool es_nss_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 12)) return false;
    const std::int64_t province = num(v, 0, 2);
    if (province < 1 || province > 52) return false;
    const std::int64_t serial = num(v, 2, 10);
    const std::int64_t n = serial >= 10'000'000 ? province * 100'000'000 + serial : province * 10'000'000 + serial;
    return n % 97 == num(v, 10, 12);
}

// Finnish business id: the weighted sum including the check digit is a
// multiple of 11 (the '-' before the check digit is a separator).
constexpr int kFiYtunnusWeights[] = {7, 9, 10, 5, 8, 4, 2, 1};

bool fi_ytunnus_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 8) && eleven_test(v, kFiYtunnusWeights);
}

// French company number: nine digits under Luhn.
bool fr_siren_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 9) && luhn_valid(v);
}

// French establishment number: company number plus a five-digit suffix. The
// postal service's establishments share one company number and use a
// digit-sum rule instead, except the head office, which keeps Luhn.
bool fr_siret_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 14)) return false;
    if (v.starts_with("356000000") && v != "35600000000048") {
        int sum = 0;
        for (char ch : v) sum += ch - '0';
        return sum % 5 == 0;
    }
    return luhn_valid(v.substr(0, 9)) && luhn_valid(v);
}

// Norwegian organisation number: weighted sum with the check digit divisible by 11.
constexpr int kNoOrgnrWeights[] = {3, 2, 7, 6, 5, 4, 3, 2, 1};

bool no_orgnr_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 9) && eleven_test(v, kNoOrgnrWeights);
}

// US routing number: the first two digits name a Federal Reserve district
// (00-12), a thrift (21-32), an electronic (61-72) or a traveller's cheque (80) range.
constexpr bool us_routing_prefix(int p) noexcept {
    return p <= 12 || (p >= 21 && p <= 32) || (p >= 61 && p <= 72) || p == 80;
}
constexpr int kUsRtnWeights[] = {3, 7, 1, 3, 7, 1, 3, 7, 1};

bool us_rtn_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 9) && us_routing_prefix(static_cast<int>(num(v, 0, 2))) &&
           weighted_sum(v, kUsRtnWeights) % 10 == 0;
}

}  // namespace ov::legacy
