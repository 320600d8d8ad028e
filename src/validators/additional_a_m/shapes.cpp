// Checks of the A-M identifiers that carry no check digit: only the length,
// the character classes and some ranges are tested, in this order.
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "primitives/digit_fields.h"
#include "primitives/text.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {
namespace {

bool length_in(std::string_view c, std::initializer_list<std::size_t> lengths) noexcept {
    for (auto n : lengths)
        if (c.size() == n) return true;
    return false;
}

// The common shape: one of the lengths, then digits only.
Verdict digits_of_length(std::string_view c, std::initializer_list<std::size_t> lengths) noexcept {
    if (!length_in(c, lengths)) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    return kPass;
}

constexpr bool one_of(char c, std::string_view set) noexcept { return set.find(c) != std::string_view::npos; }

}  // namespace

// Letters before and after six digits; the first letter is the kind of
// taxpayer, and two kinds draw their numbers from fixed ranges.
Verdict ad_nrt_check(std::string_view c) {
    if (c.size() != 8) return ErrorCode::InvalidLength;
    if (!is_upper(c[0]) || !all_digits(c.substr(1, 6)) || !is_upper(c[7])) return ErrorCode::InvalidFormat;
    const std::int64_t number = num(c, 1, 7);
    switch (c[0]) {
        case 'C': case 'D': case 'E': case 'G': case 'O': case 'P': case 'U': return kPass;
        case 'A': case 'L': return number >= 700000 && number <= 799999 ? kPass : Verdict(ErrorCode::InvalidComponent);
        case 'F': return number <= 699999 ? kPass : Verdict(ErrorCode::InvalidComponent);
        default: return ErrorCode::InvalidComponent;
    }
}

Verdict ai_tin_check(std::string_view c) {
    if (auto v = digits_of_length(c, {10})) return v;
    if (c[0] != '1' && c[0] != '2') return ErrorCode::InvalidComponent;
    return kPass;
}

Verdict al_nipt_check(std::string_view c) {
    if (c.size() != 10) return ErrorCode::InvalidLength;
    if (!(c[0] >= 'A' && c[0] <= 'M') || !all_digits(c.substr(1, 8)) || !is_upper(c[9]))
        return ErrorCode::InvalidFormat;
    return kPass;
}

Verdict am_tin_check(std::string_view c) { return digits_of_length(c, {8}); }

Verdict ar_dni_check(std::string_view c) { return digits_of_length(c, {7, 8}); }

// Ten-digit numbers never start with 0; in the 13-digit form (and in the
// 17-digit form, after the four-digit birth year) digit 2 is 1-5 or 9.
Verdict bd_nid_check(std::string_view c) {
    if (auto v = digits_of_length(c, {10, 13, 17})) return v;
    const auto district_ok = [](char d) { return (d >= '1' && d <= '5') || d == '9'; };
    if (c.size() == 10 && c[0] == '0') return ErrorCode::InvalidComponent;
    if (c.size() == 13 && !district_ok(c[2])) return ErrorCode::InvalidComponent;
    if (c.size() == 17 && !district_ok(c[6])) return ErrorCode::InvalidComponent;
    return kPass;
}

// Digits 2-3 are the birth month.
Verdict bh_cpr_check(std::string_view c) {
    if (auto v = digits_of_length(c, {9})) return v;
    const std::int64_t month = num(c, 2, 4);
    if (month < 1 || month > 12) return ErrorCode::InvalidComponent;
    return kPass;
}

// The long form ends in one of three two-digit suffixes.
Verdict bz_tin_check(std::string_view c) {
    if (auto v = digits_of_length(c, {6, 8})) return v;
    if (c.size() == 8) {
        const auto suffix = c.substr(6, 2);
        if (suffix != "10" && suffix != "13" && suffix != "66") return ErrorCode::InvalidComponent;
    }
    return kPass;
}

// The compaction pads the province digit to "0N".
Verdict cr_cpf_check(std::string_view c) {
    if (auto v = digits_of_length(c, {10})) return v;
    if (c[0] != '0') return ErrorCode::InvalidComponent;
    return kPass;
}

Verdict eg_tn_check(std::string_view c) { return digits_of_length(c, {9}); }

Verdict ge_pin_check(std::string_view c) { return digits_of_length(c, {9, 11}); }

// The fourth letter is the kind of holder (person, company, trust, ...).
Verdict in_pan_check(std::string_view c) {
    if (c.size() != 10) return ErrorCode::InvalidLength;
    for (std::size_t i = 0; i < 5; ++i)
        if (!is_upper(c[i])) return ErrorCode::InvalidFormat;
    if (!all_digits(c.substr(5, 4)) || !is_upper(c[9])) return ErrorCode::InvalidFormat;
    if (!one_of(c[3], "ABCFGHJLPT")) return ErrorCode::InvalidComponent;
    return kPass;
}

Verdict iq_nid_check(std::string_view c) { return digits_of_length(c, {12}); }

Verdict is_vsk_check(std::string_view c) { return digits_of_length(c, {5, 6}); }

// Office code (at least 101), kind of business (never 00) and serial
// (never 0000).
Verdict kr_brn_check(std::string_view c) {
    if (auto v = digits_of_length(c, {10})) return v;
    if (num(c, 0, 3) < 101 || c.substr(3, 2) == "00" || c.substr(5, 4) == "0000")
        return ErrorCode::InvalidComponent;
    return kPass;
}

Verdict li_peid_check(std::string_view c) {
    if (c.size() < 4 || c.size() > 12) return ErrorCode::InvalidLength;
    if (!all_digits(c)) return ErrorCode::InvalidFormat;
    return kPass;
}

// Eight digits (older numbers, first digit 0-3) or a letter and eight digits.
Verdict mu_brn_check(std::string_view c) {
    if (c.size() == 8) {
        if (!all_digits(c) || c[0] > '3') return ErrorCode::InvalidFormat;
        return kPass;
    }
    if (c.size() == 9) {
        if (!is_upper(c[0]) || !all_digits(c.substr(1))) return ErrorCode::InvalidFormat;
        return kPass;
    }
    return ErrorCode::InvalidLength;
}

}  // namespace ov::am
