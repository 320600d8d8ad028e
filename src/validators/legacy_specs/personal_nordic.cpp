// Nordic personal numbers with a birth date: Denmark (CPR), Finland (HETU)
// and Sweden (personnummer).
#include <string>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/normalize.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

bool after(const Date& a, std::int64_t y, std::int64_t m, std::int64_t d) noexcept {
    if (y != a.year) return y > a.year;
    if (m != a.month) return m > a.month;
    return d > a.day;
}

// ---- dk.cpr -------------------------------------------------------------------

// The seventh digit and the two-digit year together give the century.
std::optional<std::int64_t> cpr_year(std::string_view v) noexcept {
    if (!is_digits(v, 10)) return std::nullopt;
    const int d6 = dig(v, 6);
    const auto yy = num(v, 4, 6);
    if (d6 <= 3) return 1900 + yy;
    if (d6 == 4 || d6 == 9) return (yy < 37 ? 2000 : 1900) + yy;
    return (yy < 58 ? 2000 : 1800) + yy;
}

// ---- fi.hetu ------------------------------------------------------------------

constexpr std::string_view kFinnishCheck = "0123456789ABCDEFHJKLMNPRSTUVWXY";
static_assert(kFinnishCheck.size() == 31);

std::optional<std::int64_t> hetu_century(char sign) noexcept {
    if (sign == '+') return 1800;
    if (sign == '-' || (sign >= 'U' && sign <= 'Y')) return 1900;
    if (sign >= 'A' && sign <= 'F') return 2000;
    return std::nullopt;
}

// ---- se.personnummer ----------------------------------------------------------

// A compact Swedish number read once: the birth digits (six or eight), the
// sign and the last four. A compact text of ten or twelve plain digits (what
// compaction leaves of "88032-00016") is read with its dash implied, as
// compacting it once more would insert it.
struct Personnummer {
    std::string_view birth;
    char sign;
    std::string_view last4;
};

std::optional<Personnummer> read_personnummer(std::string_view c) noexcept {
    const std::size_t n = c.size();
    if ((n == 10 || n == 12) && all_digits(c)) return Personnummer{c.substr(0, n - 4), '-', c.substr(n - 4)};
    if ((n != 11 && n != 13) || !all_digits(c.substr(0, n - 5)) || !all_digits(c.substr(n - 4))) return std::nullopt;
    if (c[n - 5] != '-' && c[n - 5] != '+') return std::nullopt;
    return Personnummer{c.substr(0, n - 5), c[n - 5], c.substr(n - 4)};
}

}  // namespace

bool dk_cpr_check(std::string_view c) {
    const std::string_view v = c;
    const auto year = cpr_year(v);
    if (!year) return false;
    const auto month = num(v, 2, 4), day = num(v, 0, 2);
    // The clock is read only for a number whose date is real.
    return is_valid_date(*year, month, day) && !after(today(), *year, month, day);
}

std::optional<ParsedData> dk_cpr_parse(std::string_view c) {
    const auto year = cpr_year(c);
    if (!year) return std::nullopt;
    return date_of(*year, num(c, 2, 4), num(c, 0, 2), odd_is_male(dig(c, 9)));
}

bool fi_hetu_check(std::string_view c) {
    std::string_view v = c;
    std::string up;
    v = upper_in(v, up);
    if (v.size() != 11 || !all_digits(v.substr(0, 6)) || !all_digits(v.substr(7, 3))) return false;
    const auto century = hetu_century(v[6]);
    if (!century) return false;
    const auto serial = num(v, 7, 10);
    if (serial < 2 || serial > 899) return false;
    if (!is_valid_date(*century + num(v, 4, 6), num(v, 2, 4), num(v, 0, 2))) return false;
    const std::int64_t body = num(v, 0, 6) * 1000 + serial;
    return v[10] == kFinnishCheck[body % 31];
}

std::optional<ParsedData> fi_hetu_parse(std::string_view c) {
    if (c.size() != 11 || !all_digits(c.substr(0, 6)) || !is_digit(c[9])) return std::nullopt;
    const auto century = hetu_century(c[6]);
    if (!century) return std::nullopt;
    return date_of(*century + num(c, 4, 6), num(c, 2, 4), num(c, 0, 2),
                   odd_is_male(dig(c, 9)));
}

bool se_personnummer_check(std::string_view c) {
    const auto p = read_personnummer(c);
    if (!p) return false;
    std::int64_t year;
    std::size_t md;  // where month and day start
    if (p->birth.size() == 8) {
        year = num(p->birth, 0, 4);
        md = 4;
    } else {
        // Short numbers take the most recent century that does not put the
        // birth in the future; '+' marks someone a hundred years older.
        const std::int64_t yy = num(p->birth, 0, 2);
        year = latest_year_ending(yy, today().year) - (p->sign == '+' ? 100 : 0);
        if (year < 0) year = yy;  // never before year 0
        md = 2;
    }
    if (!is_valid_date(year, num(p->birth, md, md + 2), num(p->birth, md + 2, md + 4))) return false;
    // The Luhn digits are the ten that surround the sign.
    char ten[10];
    p->birth.copy(ten, 6, p->birth.size() - 6);
    p->last4.copy(ten + 6, 4);
    return luhn_valid(std::string_view(ten, 10));
}

std::optional<ParsedData> se_personnummer_parse(std::string_view c) {
    const auto p = read_personnummer(c);
    if (!p) return std::nullopt;
    const Gender g = odd_is_male(dig(p->last4, 2));
    const std::string_view b = p->birth;
    if (b.size() == 8) return date_of(num(b, 0, 4), num(b, 4, 6), num(b, 6, 8), g);
    // Parsing uses a fixed pivot, unlike the check.
    const auto yy = num(b, 0, 2);
    const std::int64_t year = (yy >= 27 ? 1900 : 2000) + yy - (p->sign == '+' ? 100 : 0);
    return date_of(year, num(b, 2, 4), num(b, 4, 6), g);
}

}  // namespace ov::legacy
