// Numeric tax, company and bank numbers with weighted check digits.
#include <algorithm>
#include <array>

#include "primitives/checkdigits.h"
#include "primitives/dates.h"
#include "primitives/mod11_digits.h"
#include "validators/additional_a_m/digits.h"

namespace ov::am {

namespace {
// (10 - s mod 10) mod 10: the digit that rounds a sum up to a multiple of ten.
constexpr std::int64_t tens_complement(std::int64_t s) { return (10 - s % 10) % 10; }
}  // namespace

// ---- Bank account numbers ---------------------------------------------------------------

namespace {
constexpr int kArCbuBank[] = {7, 1, 3, 9, 7, 1, 3};
constexpr int kArCbuAccount[] = {3, 9, 7, 1, 3, 9, 7, 1, 3, 9, 7, 1, 3};
}  // namespace

// ar.cbu: a bank-and-branch block and an account block, each with its digit.
Verdict ar_cbu_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 22)) return v;
    if (tens_complement(weighted(c, 0, kArCbuBank)) != dig(c, 7) ||
        tens_complement(weighted(c, 8, kArCbuAccount)) != dig(c, 21))
        return ErrorCode::InvalidChecksum;
    return kPass;
}

// mx.clabe: weights 3, 7, 1 repeating, each product taken modulo 10.
Verdict mx_clabe_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 18)) return v;
    constexpr int kWeights[] = {3, 7, 1};
    std::int64_t s = 0;
    for (std::size_t i = 0; i < 17; ++i) s += kWeights[i % 3] * dig(c, i) % 10;
    if (tens_complement(s) != dig(c, 17)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ---- Tax and company numbers --------------------------------------------------------------

namespace {
constexpr int kArCuitWeights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
// Type prefixes: persons 20, 23, 24, 27; companies 30, 33, 34; others 50, 51, 55.
constexpr std::array<int, 10> kArCuitTypes = {20, 23, 24, 27, 30, 33, 34, 50, 51, 55};
}  // namespace

Verdict ar_cuit_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 11)) return v;
    if (std::find(kArCuitTypes.begin(), kArCuitTypes.end(), num(c, 0, 2)) == kArCuitTypes.end())
        return ErrorCode::InvalidComponent;
    const std::int64_t r = weighted(c, 0, kArCuitWeights) % 11;
    if ((r == 0 ? 0 : r == 1 ? 9 : 11 - r) != dig(c, 10)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kAzVoenWeights[] = {4, 1, 8, 6, 2, 7, 5, 3};
}  // namespace

// az.voen: the last digit tells a legal person (2) from a natural one (1).
Verdict az_voen_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    if (c[9] != '1' && c[9] != '2') return ErrorCode::InvalidComponent;
    const std::int64_t r = weighted(c, 0, kAzVoenWeights) % 11;
    if (r == 10 || r != dig(c, 8)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
// Prime weights applied from the digit next to the check digit leftwards.
constexpr int kCoNitWeights[] = {3, 7, 13, 17, 19, 23, 29, 37, 41, 43, 47, 53, 59, 67, 71};
}  // namespace

Verdict co_nit_check(std::string_view c) {
    if (c.size() < 8 || c.size() > 16) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    const std::size_t body = c.size() - 1;
    std::int64_t s = 0;
    for (std::size_t k = 0; k < body; ++k) s += kCoNitWeights[k] * dig(c, body - 1 - k);
    const std::int64_t r = s % 11;
    if ((r < 2 ? r : 11 - r) != dig(c, body)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kDkCvrWeights[] = {2, 7, 6, 5, 4, 3, 2, 1};
}  // namespace

Verdict dk_cvr_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 8)) return v;
    if (c[0] == '0') return ErrorCode::InvalidComponent;
    if (weighted(c, 0, kDkCvrWeights) % 11 != 0) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kDoRncWeights[] = {7, 9, 8, 6, 5, 4, 3, 2};
}  // namespace

// do.rnc: 9-digit company numbers have a weighted digit; 11-digit personal
// cédulas a Luhn digit.
Verdict do_rnc_check(std::string_view c) {
    if (c.size() != 9 && c.size() != 11) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    if (c.size() == 11) return luhn_valid(c) ? kPass : Verdict(ErrorCode::InvalidChecksum);
    const std::int64_t r = weighted(c, 0, kDoRncWeights) % 11;
    if ((r == 0 ? 2 : r == 1 ? 1 : 11 - r) != dig(c, 8)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kEcNaturalWeights[] = {2, 1, 2, 1, 2, 1, 2, 1, 2};
constexpr int kEcPublicWeights[] = {3, 2, 7, 6, 5, 4, 3, 2};
constexpr int kEcJuridicalWeights[] = {4, 3, 2, 7, 6, 5, 4, 3, 2};

// Natural persons: the cédula's Luhn-like digit at d9, establishment not 000.
bool ec_natural(std::string_view c) {
    if (c.substr(10, 3) == "000") return false;
    std::int64_t s = dig(c, 9);
    for (std::size_t i = 0; i < 9; ++i) {
        const int p = kEcNaturalWeights[i] * dig(c, i);
        s += p > 9 ? p - 9 : p;
    }
    return s % 10 == 0;
}
// Public bodies: the check digit is d8 and the establishment starts at d9.
bool ec_public(std::string_view c) {
    if (c.substr(9, 4) == "0000") return false;
    return (weighted(c, 0, kEcPublicWeights) + dig(c, 8)) % 11 == 0;
}
bool ec_juridical(std::string_view c) { return (weighted(c, 0, kEcJuridicalWeights) + dig(c, 9)) % 11 == 0; }
}  // namespace

// ec.ruc: province, then the third digit selects the kind of taxpayer.
Verdict ec_ruc_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    const std::int64_t province = num(c, 0, 2);
    if (!((province >= 1 && province <= 24) || province == 30 || province == 50)) return ErrorCode::InvalidComponent;
    const int type = dig(c, 2);
    bool ok;
    if (type <= 5) ok = ec_natural(c);
    else if (type == 6) ok = ec_public(c) || ec_natural(c);
    else if (type == 9) ok = c.substr(10, 3) == "000" ? ec_public(c) : ec_public(c) || ec_juridical(c);
    else return ErrorCode::InvalidComponent;
    if (!ok) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kEeWeights1[] = {1, 2, 3, 4, 5, 6, 7};
constexpr int kEeWeights2[] = {3, 4, 5, 6, 7, 8, 9};
}  // namespace

// ee.registrikood: the first digit is the kind of register (1, 7, 8, 9).
Verdict ee_registrikood_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 8)) return v;
    if (c[0] != '1' && c[0] != '7' && c[0] != '8' && c[0] != '9') return ErrorCode::InvalidComponent;
    if (mod11_two_pass(c, kEeWeights1, kEeWeights2) != dig(c, 7)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// fr.nif: the first ten digits modulo 511 form the last three. The leading
// digit is at most 3, which keeps the ten-digit number small.
Verdict fr_nif_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    if (c[0] > '3') return ErrorCode::InvalidComponent;
    if (num(c, 0, 10) % 511 != num(c, 10, 13)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kGbUtrWeights[] = {6, 7, 8, 9, 10, 5, 4, 3, 2};
constexpr std::string_view kGbUtrChecks = "21987654321";
}  // namespace

// gb.utr: the check digit is the first one.
Verdict gb_utr_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    if (kGbUtrChecks[weighted(c, 1, kGbUtrWeights) % 11] != c[0]) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
// Province codes of the 16-digit numbers (the resident's population number).
constexpr std::array<int, 33> kNpwpProvinces = {11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 31, 32, 33, 34, 35, 36, 51,
                                                52, 53, 61, 62, 63, 64, 71, 72, 73, 74, 75, 76, 81, 82, 91, 94};
static_assert(std::is_sorted(kNpwpProvinces.begin(), kNpwpProvinces.end()));
}  // namespace

// id.npwp: 15 digits carry a Luhn digit in the ninth place; 16 digits are a
// population number (province, area, birth date) unless they start with 0.
Verdict id_npwp_check(std::string_view c) {
    if (c.empty() || !all_digits(c)) return ErrorCode::InvalidFormat;
    if (c.size() != 15 && c.size() != 16) return ErrorCode::InvalidLength;
    if (c.size() == 15) return luhn_valid(c.substr(0, 9)) ? kPass : Verdict(ErrorCode::InvalidChecksum);
    if (c[0] == '0') return kPass;
    if (!std::binary_search(kNpwpProvinces.begin(), kNpwpProvinces.end(), num(c, 0, 2)))
        return ErrorCode::InvalidComponent;
    std::int64_t day = num(c, 6, 8);
    if (day > 40) day -= 40;  // women
    const std::int64_t month = num(c, 8, 10), yy = num(c, 10, 12);
    if (!is_valid_date(1900 + yy, month, day) && !is_valid_date(2000 + yy, month, day))
        return ErrorCode::InvalidComponent;
    return kPass;
}

// jp.cn: the check digit is the first one.
Verdict jp_cn_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    constexpr int kWeights[] = {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1};
    if (9 - weighted(c, 1, kWeights) % 9 != dig(c, 0)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ma.ice: the whole 15-digit number (below 2^63) is divisible by 97.
Verdict ma_ice_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 15)) return v;
    if (num(c, 0, 15) % 97 != 0) return ErrorCode::InvalidChecksum;
    return kPass;
}

// md.idno: the character class is checked before the length.
Verdict md_idno_check(std::string_view c) {
    if (c.empty() || !all_digits(c)) return ErrorCode::InvalidFormat;
    if (c.size() != 13) return ErrorCode::InvalidLength;
    constexpr int kWeights[] = {7, 3, 1, 7, 3, 1, 7, 3, 1, 7, 3, 1};
    if (weighted(c, 0, kWeights) % 10 != dig(c, 12)) return ErrorCode::InvalidChecksum;
    return kPass;
}

Verdict me_pib_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 8)) return v;
    constexpr int kWeights[] = {8, 7, 6, 5, 4, 3, 2};
    if (!mod11_digit_matches(c, kWeights, Mod11::E, 7)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// mk.edb: compaction has already dropped the "MK" prefix.
Verdict mk_edb_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 13)) return v;
    constexpr int kWeights[] = {7, 6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    if (!mod11_digit_matches(c, kWeights, Mod11::E, 12)) return ErrorCode::InvalidChecksum;
    return kPass;
}

}  // namespace ov::am
