// Personal numbers from Belgium, France, Italy and Portugal (with their
// birth data where they carry it), and the date-free personal numbers of
// Germany, Ireland, Spain and the United Kingdom.
#include <array>
#include <string>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/normalize.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

// ---- fr.nir -------------------------------------------------------------------

// Corsica's departments 2A and 2B count as 19 and 18 in the key.
std::optional<std::string> nir_digits(std::string_view v) {
    if (v.size() != 15 || (v[0] != '1' && v[0] != '2') || !all_digits(v.substr(1, 4)) || v.substr(3, 2) == "00")
        return std::nullopt;
    std::string digits(v.substr(0, 13));
    const std::string_view dept = v.substr(5, 2);
    if (dept == "2A")
        digits.replace(5, 2, "19");
    else if (dept == "2B")
        digits.replace(5, 2, "18");
    else if (!all_digits(dept))
        return std::nullopt;
    if (!all_digits(v.substr(7))) return std::nullopt;
    return digits;
}

// ---- it.codiceFiscale -----------------------------------------------------------

constexpr std::string_view kItalianMonths = "ABCDEHLMPRST";
// Values of the characters at the odd places (counted from one): A/0 to Z.
constexpr int kItalianOddValues[26] = {1,  0, 5,  7,  9, 13, 15, 17, 19, 21, 2,  4,  18,
                                       20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Digit value of a digit or of its substitute letter (L M N P Q R S T U V,
// used for 0-9 to tell homonyms apart); -1 for anything else.
constexpr std::array<signed char, 256> kItalianDigits = [] {
    std::array<signed char, 256> t{};
    t.fill(-1);
    constexpr std::string_view substitutes = "LMNPQRSTUV";
    for (int d = 0; d < 10; ++d) {
        t['0' + d] = static_cast<signed char>(d);
        t[static_cast<unsigned char>(substitutes[d])] = static_cast<signed char>(d);
    }
    return t;
}();
// Month number of a month letter, 0 for anything else.
constexpr std::array<unsigned char, 256> kItalianMonthOf = [] {
    std::array<unsigned char, 256> t{};
    for (std::size_t m = 0; m < kItalianMonths.size(); ++m)
        t[static_cast<unsigned char>(kItalianMonths[m])] = static_cast<unsigned char>(m + 1);
    return t;
}();

constexpr int italian_digit_value(char ch) noexcept { return kItalianDigits[static_cast<unsigned char>(ch)]; }
constexpr bool italian_digit(char ch) noexcept { return italian_digit_value(ch) >= 0; }
// Character index for the check sum: a digit counts as its value, a letter
// (substitutes included) as its place in the alphabet.
constexpr int italian_index(char ch) noexcept { return is_digit(ch) ? ch - '0' : ch - 'A'; }

bool codice_layout(std::string_view v) noexcept {
    if (v.size() != 16) return false;
    for (std::size_t i : {0, 1, 2, 3, 4, 5, 11, 15})
        if (!is_upper(v[i])) return false;
    for (std::size_t i : {6, 7, 9, 10, 12, 13, 14})
        if (!italian_digit(v[i])) return false;
    return kItalianMonthOf[static_cast<unsigned char>(v[8])] != 0;
}

int italian_two(std::string_view v, std::size_t i) noexcept {
    return italian_digit_value(v[i]) * 10 + italian_digit_value(v[i + 1]);
}

// ---- pt.cc ----------------------------------------------------------------------

constexpr int portuguese_value(char ch) noexcept { return is_digit(ch) ? ch - '0' : ch - 'A' + 10; }

// ---- gb.nhs, ie.pps, es.nie -------------------------------------------------------

constexpr int kNhsWeights[9] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
constexpr int kIrishWeights[7] = {8, 7, 6, 5, 4, 3, 2};

}  // namespace

bool irish_check_letter_matches(std::string_view v) noexcept {
    std::int64_t sum = weighted_sum(v, kIrishWeights);
    if (v.size() == 9) {
        const std::size_t extra = kIrishCheckAlphabet.find(v[8]);
        if (extra == std::string_view::npos) return false;
        sum += 9 * static_cast<std::int64_t>(extra);
    }
    return v[7] == kIrishCheckAlphabet[static_cast<std::size_t>(sum % 23)];
}

std::optional<int> nhs_check_digit(std::string_view digits) noexcept {
    return mod11_check(weighted_sum(digits, kNhsWeights), Mod11::B);
}

std::optional<int> belgian_century(std::int64_t body, std::int64_t check, std::int64_t yy) {
    if (97 - body % 97 == check) return 1900;
    if (97 - (2'000'000'000 + body) % 97 == check && 2000 + yy <= today().year) return 2000;
    return std::nullopt;
}

bool be_nn_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 11) || v.find_first_not_of('0') == std::string_view::npos) return false;
    if (num(v, 2, 4) > 12) return false;  // month 0 is allowed: the date may be unknown
    return belgian_century(num(v, 0, 9), num(v, 9, 11), num(v, 0, 2)).has_value();
}

bool fr_nir_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    const auto digits = nir_digits(v);
    return digits && 97 - num(*digits, 0, 13) % 97 == num(v, 13, 15);
}

std::optional<ParsedData> fr_nir_parse(std::string_view c) {
    // Compaction keeps the letter case, so a valid number may still carry a
    // Corsican "2a" or "2b"; the check reads it upper-cased, and so must this.
    std::string up;
    c = upper_in(c, up);
    if (!nir_digits(c)) return std::nullopt;
    const auto yy = num(c, 1, 3);
    return date_of((yy < 27 ? 2000 : 1900) + yy, num(c, 3, 5), 1, c[0] == '1' ? Gender::Male : Gender::Female);
}

bool it_codice_fiscale_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    // Companies and other bodies use their eleven-digit VAT number.
    if (v.size() == 11 && all_digits(v)) return it_iva_check(v);
    if (!codice_layout(v)) return false;
    int sum = 0;
    for (std::size_t i = 0; i < 15; ++i)
        sum += i % 2 == 0 ? kItalianOddValues[italian_index(v[i])] : italian_index(v[i]);
    return v[15] == 'A' + sum % 26;
}

std::optional<ParsedData> it_codice_fiscale_parse(std::string_view c) {
    if (!codice_layout(c)) return std::nullopt;
    const int yy = italian_two(c, 6);
    int day = italian_two(c, 9);
    Gender g = Gender::Male;
    if (day > 40) {  // women's days are written plus 40
        g = Gender::Female;
        day -= 40;
    }
    const int month = kItalianMonthOf[static_cast<unsigned char>(c[8])];
    return date_of((yy < 27 ? 2000 : 1900) + yy, month, day, g);
}

bool pt_cc_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    if (v.size() != 12 || !all_digits(v.substr(0, 9)) || !is_digit(v[11])) return false;
    if (!(is_digit(v[9]) || is_upper(v[9])) || !(is_digit(v[10]) || is_upper(v[10]))) return false;
    int sum = 0;
    for (std::size_t i = 0; i < 11; ++i) {
        int value = portuguese_value(v[i]);
        // Every second character from the eleventh leftwards is doubled; a
        // doubled value of ten or more loses nine (letters included).
        if (i % 2 == 0) {
            value *= 2;
            if (value >= 10) value -= 9;
        }
        sum += value;
    }
    return dig(v, 11) == (10 - sum % 10) % 10;
}

bool de_idnr_check(std::string_view c) {
    const std::string_view v = c;
    if (!is_digits(v, 11) || v[0] == '0') return false;
    // Exactly one digit repeats among the first ten, twice or three times.
    int counts[10] = {};
    for (std::size_t i = 0; i < 10; ++i) ++counts[dig(v, i)];
    int repeated = 0;
    for (int n : counts) {
        if (n > 3) return false;
        if (n > 1) ++repeated;
    }
    return repeated == 1 && dig(v, 10) == mod11_10_check(v.substr(0, 10));
}

bool es_nie_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    if (v.size() != 9 || v[0] < 'X' || v[0] > 'Z' || !all_digits(v.substr(1, 7))) return false;
    return v[8] == spanish_id_letter(static_cast<std::int64_t>(v[0] - 'X') * 10'000'000 + num(v, 1, 8));
}

bool gb_nhs_check(std::string_view c) {
    const std::string_view v = c;
    return is_digits(v, 10) && nhs_check_digit(v) == dig(v, 9);
}

bool gb_nino_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    if (v.size() != 9 || !is_upper(v[0]) || !is_upper(v[1]) || !all_digits(v.substr(2, 6))) return false;
    if (std::string_view("DFIQUV").find(v[0]) != std::string_view::npos) return false;
    if (std::string_view("DFIOQUV").find(v[1]) != std::string_view::npos) return false;
    const std::string_view pair = v.substr(0, 2);
    for (std::string_view banned : {"BG", "GB", "KN", "NK", "NT", "TN", "ZZ"})
        if (pair == banned) return false;
    return v[8] >= 'A' && v[8] <= 'D';
}

bool ie_pps_check(std::string_view c) {
    std::string buf, up;
    const std::string_view v = upper_in(c, up);
    if ((v.size() != 8 && v.size() != 9) || !all_digits(v.substr(0, 7))) return false;
    return irish_check_letter_matches(v);
}

}  // namespace ov::legacy
