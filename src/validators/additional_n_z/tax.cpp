// Numeric tax and company numbers of the additional set N-Z: their checks,
// in the order they run, with their messages. Weights pair with the digits
// from the left.
#include <limits>

#include "primitives/checkdigits.h"
#include "primitives/mod11_digits.h"
#include "primitives/text.h"
#include "validators/additional_n_z/checks.h"

namespace ov::nz {

// ---- nl.kvk: Dutch Chamber of Commerce number (no check digit) -----------------------

Verdict nl_kvk_check(std::string_view c) {
    if (c.size() != 8) return fail(kLength, "Dutch KvK number must be 8 digits");
    if (!all_digits(c)) return fail(kFormat, "Dutch KvK number must contain only digits");
    return kPass;
}

// ---- nz.ird: New Zealand IRD number ---------------------------------------------------

namespace {
constexpr int kIrdPrimary[] = {3, 2, 7, 6, 5, 4, 3, 2};
constexpr int kIrdSecondary[] = {7, 4, 3, 2, 5, 2, 7, 6};
}  // namespace

Verdict nz_ird_check(std::string_view c) {
    if (auto v = length_digits(c, 8, 9, "IRD number must be 8 or 9 digits", "IRD number must contain only digits");
        !v.ok)
        return v;
    if (const auto value = num(c, 0, c.size()); value < 10'000'000 || value >= 150'000'000)
        return fail(kComponent, "IRD number out of valid range");
    // The base is every digit but the check digit, padded to eight.
    char base[8];
    const std::size_t pad = 9 - c.size();
    for (std::size_t i = 0; i < 8; ++i) base[i] = i < pad ? '0' : c[i - pad];
    const std::string_view b(base, 8);
    auto check = mod11_check(weighted_sum(b, kIrdPrimary), Mod11::F);
    if (check == 10) check = mod11_check(weighted_sum(b, kIrdSecondary), Mod11::F);
    if (check == 10) return fail(kComponent, "IRD number cannot have a valid check digit");
    if (check != dig(c, c.size() - 1)) return fail(kChecksum, "IRD check digit does not match");
    return kPass;
}

// Groups of three from the right; short texts leave the first group empty.
std::string nz_ird_format(std::string_view c) {
    const auto n = static_cast<std::int64_t>(char_count(c));
    std::string out(char_range(c, 0, n - 6));
    out.push_back('-');
    out.append(char_range(c, n - 6, n - 3));
    out.push_back('-');
    out.append(char_range(c, n - 3, std::numeric_limits<std::int64_t>::max()));
    return out;
}

// ---- pe.ruc: Peruvian taxpayer register -------------------------------------------------

namespace {
constexpr int kPeRucWeights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
}

Verdict pe_ruc_check(std::string_view c) {
    if (auto v = length_digits(c, 11, 11, "RUC must be 11 digits", "RUC must contain only digits"); !v.ok) return v;
    // 10 persons, 15 and 17 special cases, 20 companies.
    if (const auto type = num(c, 0, 2); type != 10 && type != 15 && type != 17 && type != 20)
        return fail(kComponent, "RUC has an invalid type prefix");
    if (!mod11_digit_matches(c, kPeRucWeights, Mod11::A, 10)) return fail(kChecksum, "RUC check digit does not match");
    return kPass;
}

// ---- pl.regon: Polish business register number ---------------------------------------

namespace {
constexpr int kRegonWeights9[] = {8, 9, 2, 3, 4, 5, 6, 7};
constexpr int kRegonWeights14[] = {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8};
}  // namespace

Verdict pl_regon_check(std::string_view c) {
    if (auto v = length_digits(c, 9, 14, "REGON must be 9 or 14 digits", "REGON must contain only digits"); !v.ok)
        return v;
    // A local unit's 14-digit number starts with its company's 9-digit one.
    if (!mod11_digit_matches(c, kRegonWeights9, Mod11::C, 8)) return fail(kChecksum, "REGON check digit does not match");
    if (c.size() == 14 && !mod11_digit_matches(c, kRegonWeights14, Mod11::C, 13))
        return fail(kChecksum, "REGON local unit check digit mismatch");
    return kPass;
}

// ---- rs.pib: Serbian tax number ---------------------------------------------------------

Verdict rs_pib_check(std::string_view c) {
    if (auto v = length_digits(c, 9, 9, "PIB must be exactly 9 digits", "PIB must contain only digits"); !v.ok)
        return v;
    if (mod11_10_check(c.substr(0, 8)) != dig(c, 8)) return fail(kChecksum, "PIB check digit mismatch");
    return kPass;
}

// ---- ru.inn: Russian taxpayer number ------------------------------------------------------

namespace {
constexpr int kInn10[] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr int kInn12a[] = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr int kInn12b[] = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
}  // namespace

Verdict ru_inn_check(std::string_view c) {
    if (auto v = length_digits(c, 10, 12, "INN must be 10 or 12 digits", "INN must contain only digits"); !v.ok)
        return v;
    // Companies have ten digits and one check digit, persons twelve and two.
    const bool ok = c.size() == 10 ? mod11_digit_matches(c, kInn10, Mod11::D, 9)
                                   : mod11_digit_matches(c, kInn12a, Mod11::D, 10) &&
                                         mod11_digit_matches(c, kInn12b, Mod11::D, 11);
    if (!ok) return fail(kChecksum, "INN check digit mismatch");
    return kPass;
}

// ---- se.orgnr, se.vat: Swedish organisation and VAT numbers -----------------------------

Verdict se_orgnr_check(std::string_view c) {
    if (c.size() != 10) return fail(kLength, "Swedish Organisationsnummer must be 10 digits");
    if (!all_digits(c)) return fail(kFormat, "Swedish Organisationsnummer must contain only digits");
    if (!luhn_valid(c)) return fail(kChecksum, "Swedish Organisationsnummer Luhn check failed");
    return kPass;
}

Verdict se_vat_check(std::string_view c) {
    if (auto v = length_digits(c, 12, 12, "Swedish VAT number must be 12 digits",
                               "Swedish VAT number must contain only digits");
        !v.ok)
        return v;
    // The organisation number followed by "01".
    if (c.substr(10) != "01") return fail(kComponent, "Swedish VAT number must end with 01");
    if (!luhn_valid(c.substr(0, 10))) return fail(kChecksum, "Swedish VAT number Luhn check failed");
    return kPass;
}

// ---- sk.ico: Slovak company number ----------------------------------------------------------

namespace {
constexpr int kIcoWeights[] = {8, 7, 6, 5, 4, 3, 2};
}

Verdict sk_ico_check(std::string_view c) {
    if (auto v = length_digits(c, 8, 8, "IČO must be exactly 8 digits", "IČO must contain only digits"); !v.ok)
        return v;
    if (!mod11_digit_matches(c, kIcoWeights, Mod11::A, 7)) return fail(kChecksum, "IČO check digit does not match");
    return kPass;
}

// ---- th.tin: Thai tax number --------------------------------------------------------------

namespace {
constexpr int kThTinWeights[] = {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
}

Verdict th_tin_check(std::string_view c) {
    if (auto v = length_digits(c, 13, 13, "TIN must be exactly 13 digits", "TIN must contain only digits"); !v.ok)
        return v;
    if (c[0] == '9') return fail(kComponent, "TIN first digit must be 0-8");
    if (!mod11_digit_matches(c, kThTinWeights, Mod11::A, 12)) return fail(kChecksum, "TIN check digit does not match");
    return kPass;
}

// ---- tr.vkn: Turkish tax number ------------------------------------------------------------

Verdict tr_vkn_check(std::string_view c) {
    if (auto v = length_digits(c, 10, 10, "VKN must be 10 digits", "VKN must contain only digits"); !v.ok) return v;
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        const int t = (dig(c, static_cast<std::size_t>(i)) + 9 - i) % 10;
        if (t == 0) continue;
        const int v = (t << (9 - i)) % 9;
        sum += v == 0 ? 9 : v;
    }
    if ((10 - sum % 10) % 10 != dig(c, 9)) return fail(kChecksum, "VKN check digit mismatch");
    return kPass;
}

// ---- tw.ubn: Taiwanese unified business number ------------------------------------------------

namespace {
constexpr int kUbnWeights[] = {1, 2, 1, 2, 1, 2, 4, 1};
}

Verdict tw_ubn_check(std::string_view c) {
    if (auto v = length_digits(c, 8, 8, "UBN must be exactly 8 digits", "UBN must contain only digits"); !v.ok)
        return v;
    int sum = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const int p = dig(c, i) * kUbnWeights[i];
        sum += p - 9 * (p / 10);  // the digit sum of p, except 28 counts 10
    }
    // Numbers issued since 2023 need only divisibility by 5 (all older ones,
    // divisible by 10, still pass). With a 7 in position 6 the product 28 may
    // also count as 1, nine less than 10: hence sum + 1.
    if (sum % 5 == 0 || (c[6] == '7' && (sum + 1) % 5 == 0)) return kPass;
    return fail(kChecksum, "UBN checksum does not match");
}

// ---- ua.edrpou: Ukrainian company register number ----------------------------------------------

namespace {
constexpr int kEdrpouLowPrimary[] = {7, 1, 2, 3, 4, 5, 6};
constexpr int kEdrpouLowSecondary[] = {9, 3, 4, 5, 6, 7, 8};
constexpr int kEdrpouPrimary[] = {1, 2, 3, 4, 5, 6, 7};
constexpr int kEdrpouSecondary[] = {3, 4, 5, 6, 7, 8, 9};
}  // namespace

Verdict ua_edrpou_check(std::string_view c) {
    if (auto v = length_digits(c, 8, 8, "EDRPOU must be exactly 8 digits", "EDRPOU must contain only digits"); !v.ok)
        return v;
    // Numbers starting 3, 4 or 5 use their own pair of weight lists.
    const bool low = c[0] >= '3' && c[0] <= '5';
    const int check = low ? mod11_two_pass(c, kEdrpouLowPrimary, kEdrpouLowSecondary)
                          : mod11_two_pass(c, kEdrpouPrimary, kEdrpouSecondary);
    if (check != dig(c, 7)) return fail(kChecksum, "EDRPOU check digit mismatch");
    return kPass;
}

// ---- uy.rut: Uruguayan tax register ---------------------------------------------------------------

namespace {
constexpr int kRutWeights[] = {4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
}

Verdict uy_rut_check(std::string_view c) {
    if (auto v = length_digits(c, 12, 12, "RUT must be 12 digits", "RUT must contain only digits"); !v.ok) return v;
    if (const auto type = num(c, 0, 2); type < 1 || type > 22)
        return fail(kComponent, "RUT document type must be between 01 and 22");
    if (c.substr(2, 6) == "000000") return fail(kComponent, "RUT sequence must not be all zeros");
    if (c.substr(8, 3) != "001") return fail(kComponent, "RUT branch code must be 001");
    if (!mod11_digit_matches(c, kRutWeights, Mod11::B, 11)) return fail(kChecksum, "RUT check digit does not match");
    return kPass;
}

// ---- vn.mst: Vietnamese tax number --------------------------------------------------------------

namespace {
constexpr int kMstWeights[] = {31, 29, 23, 19, 17, 13, 7, 5, 3};
}

Verdict vn_mst_check(std::string_view c) {
    if (auto v = length_digits(c, 10, 13, "MST must be 10 or 13 digits", "MST must contain only digits"); !v.ok)
        return v;
    if (c.substr(2, 7) == "0000000") return fail(kComponent, "MST sequential part must not be 0000000");
    // Thirteen digits: a branch of the enterprise with the first ten.
    if (c.size() == 13 && c.substr(10) == "000") return fail(kComponent, "MST branch suffix must not be 000");
    // A remainder of 0 would need the check digit 10: no such number is valid.
    if (10 - weighted_sum(c, kMstWeights) % 11 != dig(c, 9)) return fail(kChecksum, "MST check digit does not match");
    return kPass;
}

}  // namespace ov::nz
