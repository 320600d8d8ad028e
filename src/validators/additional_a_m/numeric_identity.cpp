// Numeric identity and social numbers with a weighted check digit.
#include "primitives/checkdigits.h"
#include "primitives/mod11_digits.h"
#include "validators/additional_a_m/digits.h"

namespace ov::am {

// ae.eid: "784" (the country), birth year, serial, Luhn digit.
Verdict ae_eid_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 15)) return v;
    if (c.substr(0, 3) != "784") return ErrorCode::InvalidComponent;
    if (!luhn_valid(c)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kAuTfnWeights[] = {1, 4, 3, 7, 5, 8, 6, 9, 10};
}  // namespace

// au.tfn: 8 or 9 digits whose weighted sum is divisible by 11; the
// character class is checked before the length.
Verdict au_tfn_check(std::string_view c) {
    if (c.empty() || !all_digits(c)) return ErrorCode::InvalidFormat;
    if (c.size() != 8 && c.size() != 9) return ErrorCode::InvalidLength;
    if (weighted(c, 0, kAuTfnWeights) % 11 != 0) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kBgPnfWeights[] = {21, 19, 17, 13, 11, 9, 7, 3, 1};
}  // namespace

Verdict bg_pnf_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    if (weighted(c, 0, kBgPnfWeights) % 10 != dig(c, 9)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// ca.sin: the frame has already refused empty and non-digit texts.
// Numbers starting with 0 or 8 are never issued.
Verdict ca_sin_check(std::string_view c) {
    if (c.size() != 9) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    if (c[0] == '0' || c[0] == '8') return ErrorCode::InvalidComponent;
    if (!luhn_valid(c)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// il.idnr: compaction pads to nine digits, so shorter texts only remain when
// they hold other characters.
Verdict il_idnr_check(std::string_view c) {
    if (c.size() > 9) return ErrorCode::InvalidLength;
    if (c.empty() || !all_digits(c)) return ErrorCode::InvalidFormat;
    if (c.find_first_not_of('0') == std::string_view::npos) return ErrorCode::InvalidFormat;
    if (!luhn_valid(c)) return ErrorCode::InvalidChecksum;
    return kPass;
}

// in.aadhaar: never starts with 0 or 1, and a palindrome is refused as a
// made-up number even when its Verhoeff digit matches.
Verdict in_aadhaar_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 12)) return v;
    if (c[0] == '0' || c[0] == '1') return ErrorCode::InvalidComponent;
    bool palindrome = true;
    for (std::size_t i = 0; i < 6; ++i) palindrome = palindrome && c[i] == c[11 - i];
    if (palindrome) return ErrorCode::InvalidFormat;
    if (!verhoeff_valid(c)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kIrNidWeights[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
}  // namespace

// ir.nid: ten equal digits pass the check digit but are not issued.
Verdict ir_nid_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 10)) return v;
    if (c.find_first_not_of(c[0]) == std::string_view::npos) return ErrorCode::InvalidFormat;
    const std::int64_t r = weighted(c, 0, kIrNidWeights) % 11;
    if ((r < 2 ? r : 11 - r) != dig(c, 9)) return ErrorCode::InvalidChecksum;
    return kPass;
}

namespace {
constexpr int kJpMyNumberWeights[] = {6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
}  // namespace

Verdict jp_mynumber_check(std::string_view c) {
    if (const Verdict v = digits_of_length(c, 12)) return v;
    if (!mod11_digit_matches(c, kJpMyNumberWeights, Mod11::E, 11)) return ErrorCode::InvalidChecksum;
    return kPass;
}

}  // namespace ov::am
