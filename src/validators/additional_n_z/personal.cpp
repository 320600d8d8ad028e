// Personal identifiers of the additional set N-Z: their checks, in the order
// they run, with their messages, and the birth-data parsers.
#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/additional_n_z/checks.h"
#include "validators/birth_data.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"

namespace ov::nz {

// ---- sk.rc: Slovak birth number ------------------------------------------------

Verdict sk_rc_check(std::string_view c) {
    if (auto v = length_digits(c, 9, 10, "Birth number must be 9 or 10 digits", "Birth number must contain only digits");
        !v.ok)
        return v;
    using Fault = legacy::BirthNumber::Fault;
    switch (legacy::read_birth_number(c).fault) {
        case Fault::None: break;
        case Fault::Year: return fail(kComponent, "9-digit birth numbers are pre-1954 only");
        case Fault::Month: return fail(kComponent, "Birth number contains an invalid month");
        case Fault::Day: return fail(kComponent, "Birth number contains an invalid day");
        case Fault::Date: return fail(kComponent, "Birth number contains an invalid date");
    }
    if (c.size() == 10 && num(c, 0, 9) % 11 % 10 != dig(c, 9))
        return fail(kChecksum, "Birth number is not divisible by 11");
    return kPass;
}

std::optional<ParsedData> sk_rc_parse(std::string_view c) { return legacy::cz_rc_parse(c); }

// ---- no.fodselsnummer: Norwegian birth number -------------------------------------

namespace {
constexpr int kNoWeights1[] = {3, 7, 6, 1, 8, 9, 4, 5, 2};
constexpr int kNoWeights2[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};

// Century from the individual number (digits 6..8) and the two-digit year.
std::optional<std::int64_t> no_birth_year(std::string_view c) {
    const std::int64_t i = num(c, 6, 9), yy = num(c, 4, 6);
    if (i < 500) return 1900 + yy;
    if (i < 750 && yy >= 54) return 1800 + yy;
    if (yy <= 39) return 2000 + yy;
    if (i >= 900) return 1900 + yy;
    return std::nullopt;
}

// D-numbers add 40 to the day, H-numbers 40 to the month.
std::int64_t no_unmask(std::int64_t v) { return v > 40 ? v - 40 : v; }
}  // namespace

Verdict no_fodselsnummer_check(std::string_view c) {
    if (c.size() != 11) return fail(kLength, "Norwegian birth number must be 11 digits");
    if (!all_digits(c)) return fail(kFormat, "Norwegian birth number must contain only digits");
    const auto k1 = mod11_check(weighted_sum(c, kNoWeights1), Mod11::B);
    if (!k1 || *k1 != dig(c, 9)) return fail(kChecksum, "Norwegian birth number check digit 1 mismatch");
    const auto k2 = mod11_check(weighted_sum(c, kNoWeights2), Mod11::B);
    if (!k2 || *k2 != dig(c, 10)) return fail(kChecksum, "Norwegian birth number check digit 2 mismatch");
    const auto year = no_birth_year(c);
    if (!year) return fail(kComponent, "Norwegian birth number has invalid individual/century combination");
    if (!is_valid_date(*year, no_unmask(num(c, 2, 4)), no_unmask(num(c, 0, 2))))
        return fail(kComponent, "Norwegian birth number contains an invalid date");
    return kPass;
}

std::optional<ParsedData> no_fodselsnummer_parse(std::string_view c) {
    const auto year = no_birth_year(c);
    if (!year) return std::nullopt;
    return date_of(*year, no_unmask(num(c, 2, 4)), no_unmask(num(c, 0, 2)),
                 odd_is_male(dig(c, 8)));
}

// ---- si.emso: Slovenian personal number ------------------------------------------

namespace {
constexpr int kEmsoWeights[] = {7, 6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
}  // namespace

Verdict si_emso_check(std::string_view c) {
    if (auto v = length_digits(c, 13, 13, "EMŠO must be exactly 13 digits", "EMŠO must contain only digits"); !v.ok)
        return v;
    if (!is_valid_date(jmbg_year(c), num(c, 2, 4), num(c, 0, 2)))
        return fail(kComponent, "EMŠO contains an invalid date");
    if (const auto reg = num(c, 7, 9); reg < 50 || reg > 59)
        return fail(kComponent, "EMSO register code must be between 50 and 59");
    if (mod11_check(weighted_sum(c, kEmsoWeights), Mod11::E) != dig(c, 12))
        return fail(kChecksum, "EMŠO check digit does not match");
    return kPass;
}

std::optional<ParsedData> si_emso_parse(std::string_view c) {
    return date_of(jmbg_year(c), num(c, 2, 4), num(c, 0, 2), female_if(num(c, 9, 12) > 499));
}

// ---- za.idnr: South African identity number ----------------------------------------

namespace {
std::int64_t za_year(std::string_view c) { return latest_year_ending(num(c, 0, 2), today().year); }
}  // namespace

Verdict za_idnr_check(std::string_view c) {
    if (auto v = length_digits(c, 13, 13, "SA ID must be exactly 13 digits", "SA ID must contain only digits"); !v.ok)
        return v;
    if (!is_valid_date(za_year(c), num(c, 2, 4), num(c, 4, 6)))
        return fail(kComponent, "SA ID contains an invalid date of birth");
    if (c[10] != '0' && c[10] != '1') return fail(kComponent, "SA ID citizenship digit must be 0 or 1");
    if (!luhn_valid(c)) return fail(kChecksum, "SA ID Luhn check digit mismatch");
    return kPass;
}

std::optional<ParsedData> za_idnr_parse(std::string_view c) {
    return date_of(za_year(c), num(c, 2, 4), num(c, 4, 6), female_if(num(c, 6, 10) < 5000));
}

// ---- tr.tckimlik: Turkish personal number -------------------------------------------

Verdict tr_tckimlik_check(std::string_view c) {
    if (auto v = length_digits(c, 11, 11, "T.C. Kimlik number must be 11 digits",
                               "T.C. Kimlik number must contain only digits");
        !v.ok)
        return v;
    if (c[0] == '0') return fail(kComponent, "T.C. Kimlik number cannot start with 0");
    const std::int64_t odd = dig(c, 0) + dig(c, 2) + dig(c, 4) + dig(c, 6) + dig(c, 8);
    const std::int64_t even = dig(c, 1) + dig(c, 3) + dig(c, 5) + dig(c, 7);
    // 7 x odd - even is negative for some inputs: reduce it non-negatively.
    if (mod_floor(7 * odd - even, 10) != dig(c, 9) || (odd + even + dig(c, 9)) % 10 != dig(c, 10))
        return fail(kChecksum, "T.C. Kimlik number check digit mismatch");
    return kPass;
}

// ---- pk.cnic, ph.philid, ng.nin: numbers without a check digit ------------------------

Verdict pk_cnic_check(std::string_view c) {
    if (c.size() != 13) return fail(kLength, "CNIC must be 13 digits");
    if (!all_digits(c)) return fail(kFormat, "CNIC must contain only digits");
    if (c[0] < '1' || c[0] > '7') return fail(kComponent, "CNIC province code is invalid");
    if (c[12] == '0') return fail(kComponent, "CNIC gender digit must not be 0");
    return kPass;
}

Verdict ph_philid_check(std::string_view c) {
    return length_digits(c, 12, 12, "PhilID must be exactly 12 digits", "PhilID must contain only digits");
}

Verdict ng_nin_check(std::string_view c) {
    if (c.size() != 11) return fail(kLength, "Nigerian NIN must be 11 digits");
    if (!all_digits(c)) return fail(kFormat, "Nigerian NIN must contain only digits");
    return kPass;
}

// ---- nl.bsn: Dutch citizen service number ----------------------------------------------

namespace {
constexpr int kBsnWeights[] = {9, 8, 7, 6, 5, 4, 3, 2, -1};
}

Verdict nl_bsn_check(std::string_view c) {
    if (auto v = length_digits(c, 9, 9, "BSN must be exactly 9 digits", "BSN must contain only digits"); !v.ok)
        return v;
    if (c == "000000000") return fail(kFormat, "BSN cannot be all zeros");
    // The last weight is -1: the sum is signed ("000000004" sums to -4).
    if (!eleven_test(c, kBsnWeights)) return fail(kChecksum, "BSN check does not match");
    return kPass;
}

// ---- us.ssn, us.itin: United States taxpayer numbers -------------------------------------

Verdict us_ssn_check(std::string_view c) {
    if (c.empty() || !all_digits(c)) return fail(kFormat, "SSN must contain only digits");
    if (c.size() != 9) return fail(kLength, "SSN must be 9 digits");
    const std::string_view area = c.substr(0, 3);
    if (area == "000" || area == "666" || c[0] == '9') return fail(kComponent, "SSN area number is invalid");
    if (c.substr(3, 2) == "00") return fail(kComponent, "SSN group number cannot be 00");
    if (c.substr(5, 4) == "0000") return fail(kComponent, "SSN serial number cannot be 0000");
    // Numbers made public by mistake or in advertising, never to be used.
    constexpr std::string_view kBlacklist[] = {"078051120", "457555462", "219099999"};
    for (std::string_view b : kBlacklist)
        if (c == b) return fail(kComponent, "SSN is on the blacklist");
    return kPass;
}

Verdict us_itin_check(std::string_view c) {
    if (c.empty() || !all_digits(c)) return fail(kFormat, "ITIN must contain only digits");
    if (c.size() != 9) return fail(kLength, "ITIN must be 9 digits");
    if (c[0] != '9') return fail(kComponent, "ITIN area must start with 9");
    if (const auto group = num(c, 3, 5); group < 70 || group == 89 || group == 93)
        return fail(kComponent, "ITIN group digits are not in the allowed range (70-99 excl. 89, 93)");
    return kPass;
}

}  // namespace ov::nz
