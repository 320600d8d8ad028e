// Check predicates of the VAT numbers from Malta to Slovakia.
#include <cstdint>
#include <string>
#include <string_view>

#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

// Maltese VAT number: weighted sum with the check digit divisible by 37.
constexpr int kMtVatWeights[] = {3, 4, 6, 7, 8, 9, 10, 1};

bool mt_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "MT");
    return is_digits(v, 8) && v[0] != '0' && weighted_sum(v, kMtVatWeights) % 37 == 0;
}

// Dutch BTW id: nine digits, 'B', a two-digit branch number. Only the shape
// is tested: the digits before the B are left-padded with zeros, as people
// often drop them.
bool nl_vat_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = drop_prefix(v, "NL");
    v = upper_in(v, buf);
    const std::size_t b = v.find('B');
    std::string padded;
    if (b >= 1 && b <= 8) {
        padded.assign(9 - b, '0');
        padded += v;
        v = padded;
    }
    return v.size() == 12 && all_digits(v.substr(0, 9)) && v[9] == 'B' && all_digits(v.substr(10));
}

// Norwegian MVA number: the organisation number followed by "MVA".
bool no_mva_check(std::string_view c) {
    std::string buf;
    std::string_view v = c;
    v = upper_in(v, buf);
    v = drop_prefix(v, "NO");
    if (!v.ends_with("MVA")) return false;
    v.remove_suffix(3);
    return no_orgnr_check(v);
}

// Polish NIP: remainder 10 has no check digit.
constexpr int kPlNipWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};

namespace {

bool nip_rule(std::string_view v) {
    if (!is_digits(v, 10)) return false;
    const auto r = weighted_sum(v, kPlNipWeights) % 11;
    return r != 10 && dig(v, 9) == r;
}

}  // namespace

// The value is tried exactly as given first, so that a bare NIP needs no
// normalisation (the record's pre-validation hook relies on this).
bool pl_nip_check(std::string_view c) {
    if (nip_rule(c)) return true;
    return nip_rule(drop_prefix(c, "PL"));
}

// Portuguese NIF: no leading zero; remainders 0 and 1 both give check digit 0.
constexpr int kPtVatWeights[] = {9, 8, 7, 6, 5, 4, 3, 2};

bool pt_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "PT");
    if (!is_digits(v, 9) || v[0] == '0') return false;
    const auto check = mod11_check(weighted_sum(v, kPtVatWeights), Mod11::E);
    return dig(v, 8) == *check;
}

// Romanian CIF: 2 to 10 digits without leading zero, read right-aligned in
// ten positions; the check is (10 x sum) mod 11, with 10 written as 0.
constexpr int kRoVatWeights[] = {7, 5, 3, 2, 1, 7, 5, 3, 2};

bool ro_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "RO");
    if (v.size() < 2 || v.size() > 10 || !all_digits(v) || v[0] == '0') return false;
    std::string padded(10 - v.size(), '0');
    padded += v;
    const auto r = 10 * weighted_sum(padded, kRoVatWeights) % 11;
    return dig(padded, 9) == (r == 10 ? 0 : r);
}

// Slovenian DDV: no leading zero; remainder 0 has no check digit.
constexpr int kSiVatWeights[] = {8, 7, 6, 5, 4, 3, 2};

bool si_vat_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "SI");
    if (!is_digits(v, 8) || v[0] == '0') return false;
    const auto r = weighted_sum(v, kSiVatWeights) % 11;
    return r != 0 && dig(v, 7) == (r == 1 ? 0 : 11 - r);
}

// Slovak IČ DPH: a birth number, or a ten-digit number divisible by 11
// whose third digit is 2, 3, 4, 7, 8 or 9. The number exceeds 32 bits.
bool sk_dic_check(std::string_view c) {
    std::string_view v = c;
    v = drop_prefix(v, "SK");
    if (!is_digits(v, 10)) return false;
    if (cz_rc_check(v)) return true;
    const char third = v[2];
    const bool third_ok = third == '2' || third == '3' || third == '4' || third >= '7';
    return v[0] != '0' && third_ok && num(v, 0, 10) % 11 == 0;
}

}  // namespace ov::legacy
