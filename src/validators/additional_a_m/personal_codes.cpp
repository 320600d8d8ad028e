// Personal identifiers with birth data: the Mexican CURP, the Malaysian NRIC,
// and three numbers that are validated only (Greek AMKA, Icelandic kennitala,
// Belgian BIS number).
#include <algorithm>
#include <array>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/mod11_digits.h"
#include "primitives/normalize.h"
#include "validators/additional_a_m/digits.h"
#include "validators/birth_data.h"
#include "validators/legacy_specs/personal.h"

namespace ov::am {

// ---- mx.curp: 4 name letters, YYMMDD, sex, state, 3 consonants, century, check -----

namespace {
// State of birth codes of the population register, sorted; NE is "born abroad".
constexpr std::array<std::string_view, 33> kCurpStates = {
    "AS", "BC", "BS", "CC", "CH", "CL", "CM", "CS", "DF", "DG", "GR", "GT", "HG", "JC", "MC", "MN", "MS",
    "NE", "NL", "NT", "OC", "PL", "QR", "QT", "SL", "SP", "SR", "TC", "TL", "TS", "VZ", "YN", "ZS",
};
static_assert(std::is_sorted(kCurpStates.begin(), kCurpStates.end()));

// Character values of the check: the index in this alphabet ("&" sits after "N").
constexpr std::string_view kCurpAlphabet = "0123456789ABCDEFGHIJKLMN&OPQRSTUVWXYZ";
static_assert(kCurpAlphabet.size() == 37);
// The same as a byte-indexed table; bytes outside the alphabet count 0.
constexpr std::array<std::uint8_t, 256> kCurpValues = [] {
    std::array<std::uint8_t, 256> t{};
    for (std::size_t i = 0; i < kCurpAlphabet.size(); ++i) t[static_cast<unsigned char>(kCurpAlphabet[i])] = i;
    return t;
}();

constexpr bool curp_shape(std::string_view c) {
    for (std::size_t i = 0; i < 18; ++i) {
        const char ch = c[i];
        bool ok;
        if (i < 4 || (i >= 11 && i <= 15)) ok = is_upper(ch);
        else if (i < 10 || i == 17) ok = is_digit(ch);
        else if (i == 10) ok = ch == 'H' || ch == 'M';
        else ok = is_digit(ch) || is_upper(ch);  // 16: century marker
        if (!ok) return false;
    }
    return true;
}

// A digit at position 16 marks a birth before 2000, a letter one from 2000 on.
constexpr std::int64_t curp_year(std::string_view c) { return num(c, 4, 6) + (is_digit(c[16]) ? 1900 : 2000); }
}  // namespace

Verdict mx_curp_check(std::string_view c) {
    if (c.size() != 18) return ErrorCode::InvalidLength;
    if (!curp_shape(c)) return ErrorCode::InvalidFormat;
    if (!is_valid_date(curp_year(c), num(c, 6, 8), num(c, 8, 10))) return ErrorCode::InvalidComponent;
    if (!std::binary_search(kCurpStates.begin(), kCurpStates.end(), c.substr(11, 2)))
        return ErrorCode::InvalidComponent;
    std::int64_t s = 0;
    for (std::size_t i = 0; i < 17; ++i) {
        s += kCurpValues[static_cast<unsigned char>(c[i])] * static_cast<std::int64_t>(18 - i);
    }
    if ((10 - s % 10) % 10 != dig(c, 17)) return ErrorCode::InvalidChecksum;
    return kPass;
}

std::optional<ParsedData> mx_curp_parse(std::string_view c) {
    if (mx_curp_check(c)) return std::nullopt;
    return date_of(curp_year(c), num(c, 6, 8), num(c, 8, 10), female_if(c[10] == 'M'));
}

// ---- my.nric: YYMMDD, birth place, serial ---------------------------------------------

namespace {
std::int64_t my_nric_year(std::string_view c) { return latest_year_ending(num(c, 0, 2), today().year); }

// Birth-place codes: the states, then the foreign regions; 98 and 99 are
// stateless and unknown.
struct Range {
    int lo, hi;
};
constexpr Range kNricPlaces[] = {{1, 16}, {21, 68}, {71, 72}, {74, 79}, {82, 93}, {98, 99}};
}  // namespace

Verdict my_nric_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 12)) return v;
    if (!is_valid_date(my_nric_year(c), num(c, 2, 4), num(c, 4, 6))) return ErrorCode::InvalidComponent;
    const std::int64_t p = num(c, 6, 8);
    if (std::none_of(std::begin(kNricPlaces), std::end(kNricPlaces),
                     [p](Range r) { return p >= r.lo && p <= r.hi; }))
        return ErrorCode::InvalidComponent;
    return kPass;
}

std::optional<ParsedData> my_nric_parse(std::string_view c) {
    if (my_nric_check(c)) return std::nullopt;
    return date_of(my_nric_year(c), num(c, 2, 4), num(c, 4, 6), odd_is_male(dig(c, 11)));
}

// ---- gr.amka: DDMMYY, serial, Luhn -------------------------------------------------------

Verdict gr_amka_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 11)) return v;
    const std::int64_t day = num(c, 0, 2), month = num(c, 2, 4), yy = num(c, 4, 6);
    // The century is not written: either one will do (only 29 February of "00" differs).
    if (!is_valid_date(1900 + yy, month, day) && !is_valid_date(2000 + yy, month, day))
        return ErrorCode::InvalidComponent;
    if (!luhn_valid(c)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- is.kennitala: DDMMYY, serial, check, century ----------------------------------------

namespace {
constexpr int kKennitalaWeights[] = {3, 2, 7, 6, 5, 4, 3, 2};
}  // namespace

// The check digit is tested before the date.
Verdict is_kennitala_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    // A remainder of 1 has no check digit: such numbers are never issued.
    if (!mod11_digit_matches(c, kKennitalaWeights, Mod11::B, 8)) return ErrorCode::InvalidChecksum;
    const int d9 = dig(c, 9);
    if (d9 != 9 && d9 != 0) return ErrorCode::InvalidComponent;
    const std::int64_t month = num(c, 2, 4);
    if (month < 1 || month > 12) return ErrorCode::InvalidComponent;
    const std::int64_t length = days_in_month((d9 == 9 ? 1900 : 2000) + num(c, 4, 6), month);
    // Companies add 40 to the day.
    const std::int64_t day = num(c, 0, 2);
    if (!((day >= 1 && day <= length) || (day >= 41 && day <= 40 + length))) return ErrorCode::InvalidComponent;
    return kPass;
}

// ---- be.bis: YYMMDD with a shifted month, serial, two check digits -------------------------

Verdict be_bis_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 11)) return v;
    if (c.find_first_not_of('0') == std::string_view::npos) return ErrorCode::InvalidFormat;
    if (!legacy::belgian_century(num(c, 0, 9), num(c, 9, 11), num(c, 0, 2))) return ErrorCode::InvalidChecksum;
    // The month is raised by 20 (sex unknown at registration) or 40 (known).
    const std::int64_t month = num(c, 2, 4);
    if (!((month >= 20 && month <= 32) || (month >= 40 && month <= 52))) return ErrorCode::InvalidComponent;
    return kPass;
}

}  // namespace ov::am
