// Numbers of the additional set N-Z that carry letters: Nicaraguan RUC,
// Singapore UEN, Venezuelan RIF. Checks in the order they run, with their
// messages.
#include <algorithm>
#include <array>
#include <limits>

#include "primitives/checkdigits.h"
#include "primitives/text.h"
#include "validators/additional_n_z/checks.h"

namespace ov::nz {

// ---- ni.ruc: Nicaraguan taxpayer register ------------------------------------------

namespace {
// Check letters indexed by the 13-digit number mod 23 (no I, O or Z).
constexpr std::string_view kNiRucLetters = "ABCDEFGHJKLMNPQRSTUVWXY";
static_assert(kNiRucLetters.size() == 23);
}  // namespace

Verdict ni_ruc_check(std::string_view c) {
    if (c.size() != 14) return fail(kLength, "Nicaragua RUC must be 14 characters");
    // Legal entities: J and 13 digits, with no check letter.
    if (c[0] == 'J') {
        if (!all_digits(c.substr(1))) return fail(kFormat, "Nicaragua legal entity RUC must be J followed by 13 digits");
        return kPass;
    }
    if (!all_digits(c.substr(0, 13))) return fail(kFormat, "Nicaragua RUC body must contain only digits");
    if (kNiRucLetters.find(c[13]) == std::string_view::npos)
        return fail(kFormat, "Nicaragua RUC check letter is invalid");
    // Natural persons: the birth day and month follow the municipality code.
    if (const auto day = num(c, 3, 5), month = num(c, 5, 7); day < 1 || day > 31 || month < 1 || month > 12)
        return fail(kComponent, "Nicaragua RUC contains an invalid birth date");
    if (kNiRucLetters[static_cast<std::size_t>(num(c, 0, 13) % 23)] != c[13])
        return fail(kChecksum, "Nicaragua RUC check letter does not match");
    return kPass;
}

std::string ni_ruc_format(std::string_view c) {
    constexpr auto kToEnd = std::numeric_limits<std::int64_t>::max();
    if (!c.empty() && c[0] == 'J') return "J-" + std::string(char_range(c, 1, kToEnd));
    std::string out(char_range(c, 0, 3));
    out.push_back('-');
    out.append(char_range(c, 3, 9));
    out.push_back('-');
    out.append(char_range(c, 9, kToEnd));
    return out;
}

// ---- sg.uen: Singapore unique entity number ------------------------------------------

namespace {
// Check letters of businesses (8 digits) and local companies (9 digits),
// indexed by the weighted sum mod 11.
constexpr std::string_view kUenBusinessLetters = "XMKECAWLJDB";
constexpr std::string_view kUenCompanyLetters = "ZKCMDNERGWH";
constexpr int kUenBusinessWeights[] = {10, 4, 9, 3, 8, 2, 7, 1};
constexpr int kUenCompanyWeights[] = {10, 8, 6, 4, 9, 7, 5, 3, 1};
static_assert(kUenBusinessLetters.size() == 11 && kUenCompanyLetters.size() == 11);

// Other entities (R/S/T, year, entity type, serial): every character counts
// its position in this alphabet, and so does the check character.
constexpr std::string_view kUenOtherAlphabet = "ABCDEFGHJKLMNPQRSTUVWX0123456789";
constexpr int kUenOtherWeights[] = {4, 3, 5, 3, 10, 2, 2, 5, 7};
static_assert(kUenOtherAlphabet.size() == 32);

// Entity-type codes of other entities, sorted for binary search.
constexpr std::array<std::string_view, 38> kUenEntityTypes = {
    "CC", "CD", "CH", "CL", "CM", "CP", "CS", "CX", "DP", "FB", "FC", "FM", "FN", "GA", "GB", "GS", "HS", "LL", "LP",
    "MB", "MC", "MD", "MH", "MM", "MQ", "NB", "NR", "PA", "PB", "PF", "RF", "RP", "SM", "SS", "TC", "TU", "VH", "XL",
};
static_assert(std::is_sorted(kUenEntityTypes.begin(), kUenEntityTypes.end()));
}  // namespace

Verdict sg_uen_check(std::string_view c) {
    if (c.size() != 9 && c.size() != 10) return fail(kLength, "UEN must be 9 or 10 characters");
    for (char ch : c)
        if (!is_upper(ch) && !is_digit(ch)) return fail(kFormat, "UEN must contain only digits and letters");
    char expected;
    if (c.size() == 9) {
        if (!all_digits(c.substr(0, 8)) || !is_upper(c[8])) return fail(kFormat, "Business UEN must start with 8 digits");
        expected = kUenBusinessLetters[static_cast<std::size_t>(weighted_sum(c, kUenBusinessWeights) % 11)];
    } else if (is_digit(c[0])) {
        if (!all_digits(c.substr(0, 9)) || !is_upper(c[9])) return fail(kFormat, "Company UEN must have 9 digits");
        expected = kUenCompanyLetters[static_cast<std::size_t>(weighted_sum(c, kUenCompanyWeights) % 11)];
    } else {
        if (c[0] != 'R' && c[0] != 'S' && c[0] != 'T') return fail(kComponent, "Other UEN must start with R, S, or T");
        if (!all_digits(c.substr(1, 2)) || !all_digits(c.substr(5, 4)))
            return fail(kFormat, "Other UEN numeric positions must be digits");
        if (!std::binary_search(kUenEntityTypes.begin(), kUenEntityTypes.end(), c.substr(3, 2)))
            return fail(kComponent, "Unknown UEN entity type");
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < 9; ++i) {
            // Every character here is in the alphabet (R/S/T, digits, an
            // entity type); a miss can only mean a mismatch.
            const std::size_t v = kUenOtherAlphabet.find(c[i]);
            if (v == std::string_view::npos) return fail(kChecksum, "UEN check letter does not match");
            sum += static_cast<std::int64_t>(v) * kUenOtherWeights[i];
        }
        // The sum less 5 may be negative only in principle; reduce it non-negatively.
        expected = kUenOtherAlphabet[static_cast<std::size_t>(mod_floor(sum - 5, 11))];
    }
    if (expected != c.back()) return fail(kChecksum, "UEN check letter does not match");
    return kPass;
}

// ---- ve.rif: Venezuelan fiscal register -------------------------------------------------

namespace {
// The type letter's value enters the check digit.
constexpr int ve_rif_type_value(char type) noexcept {
    switch (type) {
        case 'V': return 4;
        case 'E': return 8;
        case 'J': return 12;
        case 'P': return 16;
        case 'G': return 20;
        default: return -1;
    }
}
constexpr int kRifWeights[] = {3, 2, 7, 6, 5, 4, 3, 2};
constexpr std::string_view kRifCheckDigits = "00987654321";
static_assert(kRifCheckDigits.size() == 11);
}  // namespace

Verdict ve_rif_check(std::string_view c) {
    if (c.size() != 10) return fail(kLength, "RIF must be 10 characters");
    const int type = ve_rif_type_value(c[0]);
    if (type < 0) return fail(kComponent, "RIF must start with V, E, J, P, or G");
    if (!all_digits(c.substr(1))) return fail(kFormat, "RIF body must contain only digits");
    const std::int64_t f = weighted_sum(c.substr(1), kRifWeights) % 11;
    if (kRifCheckDigits[static_cast<std::size_t>((type + f) % 11)] != c[9])
        return fail(kChecksum, "RIF check digit does not match");
    return kPass;
}

}  // namespace ov::nz
