// The IBAN layout table: for every country of the ISO 13616 registry, the
// whole IBAN length, the BBAN structure and where the bank and branch
// identifiers sit in the BBAN. Data only; iban.cpp compiles it into the
// country index that validation and splitting use.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ov::iban_table {

// Character class of a BBAN segment.
enum class Kind : std::uint8_t {
    N,  // digits 0-9
    A,  // upper-case letters A-Z
    C,  // digits or upper-case letters
};

struct Segment {
    std::uint8_t length;
    Kind kind;
};

// The bank and branch identifiers as half-open character ranges inside the
// BBAN; an empty branch range: the country has no branch identifier.
struct Identifiers {
    std::uint8_t bank_begin, bank_end;
    std::uint8_t branch_begin = 0, branch_end = 0;
};
constexpr Identifiers ids(std::uint8_t bank_begin, std::uint8_t bank_end) { return {bank_begin, bank_end}; }
constexpr Identifiers ids(std::uint8_t bank_begin, std::uint8_t bank_end, std::uint8_t branch_begin,
                          std::uint8_t branch_end) {
    return {bank_begin, bank_end, branch_begin, branch_end};
}

struct Layout {
    std::string_view code;
    std::uint8_t total;  // whole IBAN length: 4 + the segment lengths
    Identifiers ids;
    std::uint8_t count;  // number of segments used (1..3)
    std::array<Segment, 3> segments;
};

constexpr Segment n(std::uint8_t len) { return {len, Kind::N}; }
constexpr Segment a(std::uint8_t len) { return {len, Kind::A}; }
constexpr Segment c(std::uint8_t len) { return {len, Kind::C}; }

constexpr Layout L(std::string_view code, std::uint8_t total, Identifiers i, Segment s1) {
    return {code, total, i, 1, {s1, {}, {}}};
}
constexpr Layout L(std::string_view code, std::uint8_t total, Identifiers i, Segment s1, Segment s2) {
    return {code, total, i, 2, {s1, s2, {}}};
}
constexpr Layout L(std::string_view code, std::uint8_t total, Identifiers i, Segment s1, Segment s2, Segment s3) {
    return {code, total, i, 3, {s1, s2, s3}};
}

// Countries with a BBAN layout, sorted by code, as the ISO 13616 registry
// defines them (letters are allowed in the BY, CH, KZ, LI, LU and SA account
// parts; FK, HN, OM and YE joined in 2023-2024). Costa Rica's entry carries
// its length; its BBAN has a rule of its own (a leading 0). Bank and branch
// positions are the registry's, with its known slips mended (the French
// branch code is BBAN 5-10, the Polish bank code 0-8).
constexpr std::array<Layout, 83> kLayouts = {{
    L("AD", 24, ids(0, 4, 4, 8), n(8), c(12)),
    L("AE", 23, ids(0, 3), n(19)),
    L("AL", 28, ids(0, 3, 3, 7), n(8), c(16)),
    L("AT", 20, ids(0, 5), n(16)),
    L("AZ", 28, ids(0, 4), a(4), c(20)),
    L("BA", 20, ids(0, 3, 3, 6), n(16)),
    L("BE", 16, ids(0, 3), n(12)),
    L("BG", 22, ids(0, 4, 4, 8), a(4), n(6), c(8)),
    L("BH", 22, ids(0, 4), a(4), c(14)),
    L("BR", 29, ids(0, 8, 8, 13), n(23), a(1), c(1)),
    L("BY", 28, ids(0, 4), c(4), n(4), c(16)),
    L("CH", 21, ids(0, 5), n(5), c(12)),
    L("CR", 22, ids(0, 4), n(18)),
    L("CY", 28, ids(0, 3, 3, 8), n(8), c(16)),
    L("CZ", 24, ids(0, 4), n(20)),
    L("DE", 22, ids(0, 8), n(18)),
    L("DK", 18, ids(0, 4), n(14)),
    L("DO", 28, ids(0, 4), c(4), n(20)),
    L("EE", 20, ids(0, 2, 2, 4), n(16)),
    L("EG", 29, ids(0, 4, 4, 8), n(25)),
    L("ES", 24, ids(0, 4, 4, 8), n(20)),
    L("FI", 18, ids(0, 3), n(14)),
    L("FK", 18, ids(0, 2), a(2), n(12)),
    L("FO", 18, ids(0, 4), n(14)),
    L("FR", 27, ids(0, 5, 5, 10), n(10), c(11), n(2)),
    L("GB", 22, ids(0, 4, 4, 10), a(4), n(14)),
    L("GE", 22, ids(0, 2), a(2), n(16)),
    L("GI", 23, ids(0, 4), a(4), c(15)),
    L("GL", 18, ids(0, 4), n(14)),
    L("GR", 27, ids(0, 3, 3, 7), n(7), c(16)),
    L("GT", 28, ids(0, 4), c(24)),
    L("HN", 28, ids(0, 4), a(4), n(20)),
    L("HR", 21, ids(0, 7), n(17)),
    L("HU", 28, ids(0, 3, 3, 7), n(24)),
    L("IE", 22, ids(0, 4, 4, 10), a(4), n(14)),
    L("IL", 23, ids(0, 3, 3, 6), n(19)),
    L("IQ", 23, ids(0, 4, 4, 7), a(4), n(15)),
    L("IS", 26, ids(0, 2, 2, 4), n(22)),
    L("IT", 27, ids(1, 6, 6, 11), a(1), n(10), c(12)),
    L("JO", 30, ids(0, 4, 4, 8), a(4), n(4), c(18)),
    L("KW", 30, ids(0, 4), a(4), c(22)),
    L("KZ", 20, ids(0, 3), n(3), c(13)),
    L("LB", 28, ids(0, 4), n(4), c(20)),
    L("LC", 32, ids(0, 4), a(4), c(24)),
    L("LI", 21, ids(0, 5), n(5), c(12)),
    L("LT", 20, ids(0, 5), n(16)),
    L("LU", 20, ids(0, 3), n(3), c(13)),
    L("LV", 21, ids(0, 4), a(4), c(13)),
    L("MC", 27, ids(0, 5, 5, 10), n(10), c(11), n(2)),
    L("MD", 24, ids(0, 2), c(20)),
    L("ME", 22, ids(0, 3), n(18)),
    L("MK", 19, ids(0, 3), n(3), c(10), n(2)),
    L("MR", 27, ids(0, 5, 5, 10), n(23)),
    L("MT", 31, ids(0, 4, 4, 9), a(4), n(5), c(18)),
    L("MU", 30, ids(0, 6, 6, 8), a(4), n(19), a(3)),
    L("NI", 28, ids(0, 4), a(4), n(20)),
    L("NL", 18, ids(0, 4), a(4), n(10)),
    L("NO", 15, ids(0, 4), n(11)),
    L("OM", 23, ids(0, 3), n(3), c(16)),
    L("PK", 24, ids(0, 4), a(4), c(16)),
    L("PL", 28, ids(0, 8), n(24)),
    L("PS", 29, ids(0, 4), a(4), c(21)),
    L("PT", 25, ids(0, 4, 4, 8), n(21)),
    L("QA", 29, ids(0, 4), a(4), c(21)),
    L("RO", 24, ids(0, 4), a(4), c(16)),
    L("RS", 22, ids(0, 3), n(18)),
    L("SA", 24, ids(0, 2), n(2), c(18)),
    L("SC", 31, ids(0, 6, 6, 8), a(4), n(20), a(3)),
    L("SD", 18, ids(0, 2), n(14)),
    L("SE", 24, ids(0, 3), n(20)),
    L("SI", 19, ids(0, 2, 2, 5), n(15)),
    L("SK", 24, ids(0, 4), n(20)),
    L("SM", 27, ids(1, 6, 6, 11), a(1), n(10), c(12)),
    L("ST", 25, ids(0, 4, 4, 8), n(21)),
    L("SV", 28, ids(0, 4), a(4), n(20)),
    L("TL", 23, ids(0, 3), n(19)),
    L("TN", 24, ids(0, 2, 2, 5), n(20)),
    L("TR", 26, ids(0, 5), n(6), c(16)),
    L("UA", 29, ids(0, 6), n(6), c(19)),
    L("VA", 22, ids(0, 3), n(18)),
    L("VG", 24, ids(0, 4), a(4), n(16)),
    L("XK", 20, ids(0, 2, 2, 4), n(16)),
    L("YE", 30, ids(0, 4, 4, 8), a(4), n(4), c(18)),
}};

struct LengthOnly {
    std::string_view code;
    std::uint8_t total;
    Identifiers ids;
};

// Countries whose BBAN structure is not tabulated: any letters and digits
// of the right total length are accepted. The registry still names where
// their bank and branch identifiers sit.
constexpr std::array<LengthOnly, 7> kLengthOnly = {{
    {"BI", 27, ids(0, 5, 5, 10)},
    {"DJ", 27, ids(0, 5, 5, 10)},
    {"LY", 25, ids(0, 3, 3, 6)},
    {"MN", 20, ids(0, 4)},
    {"RU", 33, ids(0, 9, 9, 14)},
    {"SN", 28, ids(0, 5, 5, 10)},
    {"SO", 23, ids(0, 4, 4, 7)},
}};

// Both ranges inside the BBAN, the bank range not empty, and the branch
// range (where there is one) after the bank's.
constexpr bool identifiers_fit(const Identifiers& i, unsigned bban_length) {
    if (!(i.bank_begin < i.bank_end && i.bank_end <= bban_length)) return false;
    if (i.branch_begin == i.branch_end) return i.branch_begin == 0;
    return i.bank_end <= i.branch_begin && i.branch_begin < i.branch_end && i.branch_end <= bban_length;
}

consteval bool layouts_consistent() {
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        const Layout& l = kLayouts[i];
        unsigned sum = 4;
        for (unsigned k = 0; k < l.count; ++k) sum += l.segments[k].length;
        if (sum != l.total || !identifiers_fit(l.ids, l.total - 4u)) return false;
        if (i > 0 && !(kLayouts[i - 1].code < l.code)) return false;
    }
    for (std::size_t i = 0; i < kLengthOnly.size(); ++i) {
        const LengthOnly& l = kLengthOnly[i];
        if (!identifiers_fit(l.ids, l.total - 4u)) return false;
        if (i > 0 && !(kLengthOnly[i - 1].code < l.code)) return false;
    }
    return true;
}
static_assert(layouts_consistent(), "IBAN layout totals, order or bank and branch ranges are wrong");

}  // namespace ov::iban_table
