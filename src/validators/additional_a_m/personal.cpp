// Personal identifiers whose numbers carry a birth date, and their parsers.
#include <array>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "validators/additional_a_m/digits.h"
#include "validators/birth_data.h"

namespace ov::am {

// ---- ba.jmbg: DDMMYYY RR BBB K ------------------------------------------------

namespace {
constexpr int kBaJmbgWeights[] = {7, 6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
}  // namespace

Verdict ba_jmbg_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    if (!is_valid_date(jmbg_year(c), num(c, 2, 4), num(c, 0, 2))) return ErrorCode::InvalidComponent;
    if (!mod11_digit_matches(c, kBaJmbgWeights, Mod11::E, 12)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> ba_jmbg_parse(std::string_view c) {
    if (ba_jmbg_check(c)) return std::nullopt;
    return date_of(jmbg_year(c), num(c, 2, 4), num(c, 0, 2), female_if(num(c, 9, 12) >= 500));
}

// ---- bg.egn: the month code also tells the century ------------------------------

namespace {
constexpr int kBgEgnWeights[] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
struct YearMonth {
    std::int64_t year, month;
};
// Months 41-52 are the 2000s, 21-32 the 1800s, 1-12 the 1900s.
constexpr YearMonth bg_egn_year_month(std::string_view c) {
    const std::int64_t y = num(c, 0, 2), m = num(c, 2, 4);
    if (m >= 41) return {2000 + y, m - 40};
    if (m >= 21) return {1800 + y, m - 20};
    return {1900 + y, m};
}
}  // namespace

Verdict bg_egn_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    const auto [year, month] = bg_egn_year_month(c);
    if (!is_valid_date(year, month, num(c, 4, 6))) return ErrorCode::InvalidComponent;
    if (!mod11_digit_matches(c, kBgEgnWeights, Mod11::C, 9)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> bg_egn_parse(std::string_view c) {
    if (bg_egn_check(c)) return std::nullopt;
    const auto [year, month] = bg_egn_year_month(c);
    return date_of(year, month, num(c, 4, 6), female_if(dig(c, 8) % 2 == 1));
}

// ---- cu.ni: YYMMDD, the century in the seventh digit, no check digit ----------------

namespace {
constexpr std::int64_t cu_ni_year(std::string_view c) {
    const int d6 = dig(c, 6);
    const std::int64_t century = d6 <= 5 ? 1900 : d6 <= 8 ? 2000 : 1800;
    return century + num(c, 0, 2);
}
}  // namespace

Verdict cu_ni_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 11)) return v;
    if (!is_valid_date(cu_ni_year(c), num(c, 2, 4), num(c, 4, 6))) return ErrorCode::InvalidComponent;
    return kPass;
}

std::optional<ParsedData> cu_ni_parse(std::string_view c) {
    if (cu_ni_check(c)) return std::nullopt;
    return date_of(cu_ni_year(c), num(c, 2, 4), num(c, 4, 6), female_if(dig(c, 9) % 2 == 1));
}

// ---- kr.rrn: YYMMDD, then a digit for century and gender ---------------------------

namespace {
constexpr int kKrRrnWeights[] = {2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
// Century by the seventh digit (0 and 9 are the 1800s; 5-8 are foreign residents).
constexpr std::array<std::int64_t, 10> kKrRrnCentury = {1800, 1900, 1900, 2000, 2000, 1900, 1900, 2000, 2000, 1800};
constexpr std::int64_t kr_rrn_year(std::string_view c) { return kKrRrnCentury[dig(c, 6)] + num(c, 0, 2); }
}  // namespace

Verdict kr_rrn_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    if (!is_valid_date(kr_rrn_year(c), num(c, 2, 4), num(c, 4, 6))) return ErrorCode::InvalidComponent;
    if (num(c, 7, 9) > 96) return ErrorCode::InvalidComponent;  // registration office
    if (!mod11_digit_matches(c, kKrRrnWeights, Mod11::A, 12)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> kr_rrn_parse(std::string_view c) {
    if (kr_rrn_check(c)) return std::nullopt;
    return date_of(kr_rrn_year(c), num(c, 2, 4), num(c, 4, 6), female_if(dig(c, 6) % 2 == 0));
}

// ---- kw.civil: century digit, YYMMDD, serial, check digit ----------------------------

namespace {
constexpr int kKwCivilWeights[] = {2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
}  // namespace

Verdict kw_civil_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 12)) return v;
    const int d0 = dig(c, 0);
    if (d0 != 2 && d0 != 3) return ErrorCode::InvalidComponent;
    const std::int64_t year = (d0 == 2 ? 1900 : 2000) + num(c, 1, 3);
    if (!is_valid_date(year, num(c, 3, 5), num(c, 5, 7))) return ErrorCode::InvalidComponent;
    // A remainder of 1 would need the check "10": such numbers are never issued.
    if (!mod11_digit_matches(c, kKwCivilWeights, Mod11::F, 11)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> kw_civil_parse(std::string_view c) {
    if (kw_civil_check(c)) return std::nullopt;
    return date_of((dig(c, 0) == 2 ? 1900 : 2000) + num(c, 1, 3), num(c, 3, 5), num(c, 5, 7), Gender::Unknown);
}

// ---- kz.iin: YYMMDD, a century-and-gender digit, serial, check digit -----------------

namespace {
constexpr int kKzIinWeights1[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr int kKzIinWeights2[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2};
constexpr std::int64_t kz_iin_year(std::string_view c) { return century_of_sex_digit(dig(c, 6)) + num(c, 0, 2); }
}  // namespace

Verdict kz_iin_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 12)) return v;
    if (dig(c, 6) < 1 || dig(c, 6) > 6) return ErrorCode::InvalidComponent;
    if (!is_valid_date(kz_iin_year(c), num(c, 2, 4), num(c, 4, 6))) return ErrorCode::InvalidComponent;
    if (mod11_two_pass(c, kKzIinWeights1, kKzIinWeights2) != dig(c, 11)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> kz_iin_parse(std::string_view c) {
    if (kz_iin_check(c)) return std::nullopt;
    return date_of(kz_iin_year(c), num(c, 2, 4), num(c, 4, 6), odd_is_male(dig(c, 6)));
}

// ---- lk.nic: the old 9 digits + letter, or the new 12 digits ----------------------------

namespace {
constexpr int kLkNicWeights[] = {8, 4, 3, 2, 7, 6, 5, 7, 4, 3, 2};

// The 12-digit reading of a compact text of either shape, or nothing.
// Old YYDDDSSSC + letter reads as 19 YY DDD 0 SSS C.
std::optional<std::array<char, 12>> lk_nic_digits(std::string_view c) {
    std::array<char, 12> e{};
    if (c.size() == 10) {
        if (!all_digits(c.substr(0, 9)) || (c[9] != 'V' && c[9] != 'X')) return std::nullopt;
        const std::string_view parts[] = {"19", c.substr(0, 5), "0", c.substr(5, 4)};
        std::size_t k = 0;
        for (std::string_view p : parts)
            for (char ch : p) e[k++] = ch;
    } else {
        if (!all_digits(c)) return std::nullopt;
        for (std::size_t k = 0; k < 12; ++k) e[k] = c[k];
    }
    return e;
}

// Day of the year; 500 is added for women.
constexpr std::int64_t lk_nic_day_of_year(std::string_view e) {
    const std::int64_t n = num(e, 4, 7);
    return n > 500 ? n - 500 : n;
}
}  // namespace

Verdict lk_nic_check(std::string_view c) {
    if (c.size() != 10 && c.size() != 12) return ErrorCode::InvalidLength;
    const auto digits = lk_nic_digits(c);
    if (!digits) return ErrorCode::InvalidFormat;
    const std::string_view e(digits->data(), digits->size());
    const std::int64_t year = num(e, 0, 4);
    if (lk_nic_day_of_year(e) > (is_leap_year(year) ? 366 : 365)) return ErrorCode::InvalidComponent;
    if (!mod11_digit_matches(e, kLkNicWeights, Mod11::A, 11)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> lk_nic_parse(std::string_view c) {
    if (lk_nic_check(c)) return std::nullopt;
    const auto digits = lk_nic_digits(c);
    const std::string_view e(digits->data(), digits->size());
    const std::int64_t year = num(e, 0, 4);
    std::int64_t day = lk_nic_day_of_year(e);
    const Gender g = female_if(num(e, 4, 7) > 500);
    // Walk the months from January; day 0 stays in January as day 0.
    for (std::int64_t month = 1; month <= 11; ++month) {
        if (day <= days_in_month(year, month)) return date_of(year, month, day, g);
        day -= days_in_month(year, month);
    }
    if (day < 32) return date_of(year, 12, day, g);
    return std::nullopt;
}

}  // namespace ov::am
