// Personal numbers with a birth date from China, the Czech Republic,
// Estonia, Lithuania, Poland and Romania.
#include <array>
#include <string>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

// ---- cn.ric -------------------------------------------------------------------

constexpr int kRicWeights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
constexpr std::string_view kRicCheck = "10X98765432";

// ---- cz.rc --------------------------------------------------------------------

// A valid birth number's date and sex, or nothing.
std::optional<BirthNumber> birth_number(std::string_view v) noexcept {
    if (!is_digits(v, 9) && !is_digits(v, 10)) return std::nullopt;
    const BirthNumber b = read_birth_number(v);
    if (b.fault != BirthNumber::Fault::None) return std::nullopt;
    return b;
}

// ---- ee.ik, lt.asmens ---------------------------------------------------------

constexpr int kBalticPass1[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr int kBalticPass2[10] = {3, 4, 5, 6, 7, 8, 9, 1, 2, 3};

// The first digit names the century and the sex.
std::int64_t baltic_year(std::string_view v) noexcept { return century_of_sex_digit(dig(v, 0)) + num(v, 1, 3); }

// ---- pl.pesel -----------------------------------------------------------------

constexpr int kPeselWeights[10] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};

// The month field also encodes the century: 80 is added for the 1800s and
// 20, 40, 60 for the 2000s, 2100s and 2200s.
std::optional<std::pair<std::int64_t, std::int64_t>> pesel_year_month(std::string_view v) noexcept {
    const std::int64_t mm = num(v, 2, 4), yy = num(v, 0, 2);
    if (mm >= 81 && mm <= 92) return std::pair{1800 + yy, mm - 80};
    if (mm >= 1 && mm <= 12) return std::pair{1900 + yy, mm};
    if (mm >= 21 && mm <= 32) return std::pair{2000 + yy, mm - 20};
    if (mm >= 41 && mm <= 52) return std::pair{2100 + yy, mm - 40};
    if (mm >= 61 && mm <= 72) return std::pair{2200 + yy, mm - 60};
    return std::nullopt;
}

// ---- ro.cnp -------------------------------------------------------------------

constexpr int kCnpWeights[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};

// County codes: the 41 counties and Bucharest's sectors (1-48, 51, 52),
// residents (70) and foreign citizens (80-83).
constexpr bool romanian_county(std::int64_t code) noexcept {
    return (code >= 1 && code <= 48) || code == 51 || code == 52 || code == 70 || (code >= 80 && code <= 83);
}

std::int64_t cnp_century(int d0) noexcept {
    if (d0 == 3 || d0 == 4) return 1800;
    if (d0 == 5 || d0 == 6) return 2000;
    return 1900;
}

}  // namespace

BirthNumber read_birth_number(std::string_view v) noexcept {
    using Fault = BirthNumber::Fault;
    BirthNumber b{};
    const auto fault = [&b](Fault f) {
        b.fault = f;
        return b;
    };
    const std::int64_t yy = num(v, 0, 2);
    if (v.size() == 9) {
        b.year = (yy > 79 ? 1800 : 1900) + yy;
        if (b.year > 1953) return fault(Fault::Year);
    } else {
        b.year = (yy < 54 ? 2000 : 1900) + yy;
    }
    const std::int64_t mm = num(v, 2, 4);
    b.female = mm > 50;
    for (int offset : {0, 50, 20, 70}) {
        if (offset == 20 && (v.size() != 10 || b.year < 2004)) break;
        if (mm - offset >= 1 && mm - offset <= 12) {
            b.month = mm - offset;
            break;
        }
    }
    if (b.month == 0) return fault(Fault::Month);
    b.day = num(v, 4, 6);
    if (b.day < 1 || b.day > 31) return fault(Fault::Day);
    if (!is_valid_date(b.year, b.month, b.day)) return fault(Fault::Date);
    return b;
}

int baltic_check_digit(std::string_view digits) noexcept {
    return mod11_two_pass(digits, kBalticPass1, kBalticPass2);
}

bool cn_ric_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    if (v.size() == 18) {
        if (!all_digits(v.substr(0, 17)) || !is_valid_date(num(v, 6, 10), num(v, 10, 12), num(v, 12, 14)))
            return false;
        return v[17] == kRicCheck[weighted_sum(v.substr(0, 17), kRicWeights) % 11];
    }
    // The first generation of cards: two-digit years, no check character.
    return is_digits(v, 15) && is_valid_date(1900 + num(v, 6, 8), num(v, 8, 10), num(v, 10, 12));
}

std::optional<ParsedData> cn_ric_parse(std::string_view c) {
    if (c.size() == 18 && all_digits(c.substr(0, 17)))
        return date_of(num(c, 6, 10), num(c, 10, 12), num(c, 12, 14), odd_is_male(dig(c, 16)));
    if (is_digits(c, 15)) return date_of(1900 + num(c, 6, 8), num(c, 8, 10), num(c, 10, 12), odd_is_male(dig(c, 14)));
    return std::nullopt;
}

bool cz_rc_check(std::string_view c) {
    const std::string_view v = c;
    if (!birth_number(v)) return false;
    if (v.size() == 9) return true;
    const std::int64_t r = num(v, 0, 9) % 11;
    return dig(v, 9) == (r == 10 ? 0 : r);
}

std::optional<ParsedData> cz_rc_parse(std::string_view c) {
    const auto b = birth_number(c);
    if (!b) return std::nullopt;
    return date_of(b->year, b->month, b->day, b->female ? Gender::Female : Gender::Male);
}

bool ee_ik_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 11) || dig(v, 0) < 1 || dig(v, 0) > 6) return false;
    return is_valid_date(baltic_year(v), num(v, 3, 5), num(v, 5, 7)) && dig(v, 10) == baltic_check_digit(v);
}

std::optional<ParsedData> ee_ik_parse(std::string_view c) {
    if (!is_digits(c, 11) || dig(c, 0) < 1 || dig(c, 0) > 8) return std::nullopt;
    return date_of(baltic_year(c), num(c, 3, 5), num(c, 5, 7), odd_is_male(dig(c, 0)));
}

bool lt_asmens_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 11) || dig(v, 0) < 1) return false;
    // A leading 9 marks a number issued in an exceptional case, without a
    // birth date.
    if (dig(v, 0) != 9 && !is_valid_date(baltic_year(v), num(v, 3, 5), num(v, 5, 7))) return false;
    return dig(v, 10) == baltic_check_digit(v);
}

bool pl_pesel_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 11)) return false;
    const auto ym = pesel_year_month(v);
    if (!ym || !is_valid_date(ym->first, ym->second, num(v, 4, 6))) return false;
    const std::int64_t u = weighted_sum(v, kPeselWeights) % 10;
    return dig(v, 10) == (10 - u) % 10;
}

std::optional<ParsedData> pl_pesel_parse(std::string_view c) {
    if (!is_digits(c, 11)) return std::nullopt;
    const auto ym = pesel_year_month(c);
    if (!ym) return std::nullopt;
    return date_of(ym->first, ym->second, num(c, 4, 6), odd_is_male(dig(c, 9)));
}

bool ro_cnp_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 13) || dig(v, 0) < 1) return false;
    if (!is_valid_date(cnp_century(dig(v, 0)) + num(v, 1, 3), num(v, 3, 5), num(v, 5, 7))) return false;
    if (!romanian_county(num(v, 7, 9))) return false;
    const std::int64_t r = weighted_sum(v, kCnpWeights) % 11;
    return dig(v, 12) == (r == 10 ? 1 : r);
}

std::optional<ParsedData> ro_cnp_parse(std::string_view c) {
    if (!is_digits(c, 13)) return std::nullopt;
    return date_of(cnp_century(dig(c, 0)) + num(c, 1, 3), num(c, 3, 5), num(c, 5, 7), odd_is_male(dig(c, 0)));
}

}  // namespace ov::legacy
