// The EU VAT router: the two-letter prefix of an EU VAT number names the
// national VAT validator that decides the rest.
#include <array>
#include <string_view>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "registry/registry.h"
#include "validators/additional_a_m/frame_rows.h"

namespace ov::am {
namespace {

struct VatRoute {
    std::string_view prefix;
    std::string_view id;
};

// VAT number prefixes of the member states (Greece uses EL, also accepted as
// GR; XI is Northern Ireland under the UK numbering), sorted by prefix.
constexpr std::array<VatRoute, 29> kVatRoutes = {{
    {"AT", "at.uid"}, {"BE", "be.vat"}, {"BG", "bg.vat"}, {"CY", "cy.vat"}, {"CZ", "cz.dic"},
    {"DE", "de.vat"}, {"DK", "dk.vat"}, {"EE", "ee.vat"}, {"EL", "gr.vat"}, {"ES", "es.vat"},
    {"FI", "fi.vat"}, {"FR", "fr.tva"}, {"GR", "gr.vat"}, {"HR", "hr.vat"}, {"HU", "hu.vat"},
    {"IE", "ie.vat"}, {"IT", "it.iva"}, {"LT", "lt.vat"}, {"LU", "lu.vat"}, {"LV", "lv.vat"},
    {"MT", "mt.vat"}, {"NL", "nl.vat"}, {"PL", "pl.nip"}, {"PT", "pt.vat"}, {"RO", "ro.vat"},
    {"SE", "se.vat"}, {"SI", "si.vat"}, {"SK", "sk.dic"}, {"XI", "gb.vat"},
}};

consteval bool routes_sorted() {
    for (std::size_t i = 1; i < kVatRoutes.size(); ++i)
        if (!(kVatRoutes[i - 1].prefix < kVatRoutes[i].prefix)) return false;
    return true;
}
static_assert(routes_sorted(), "kVatRoutes must be sorted by prefix, one row each");

// Route number + 1 of every pair of capital letters (0: no route), so that a
// prefix is found by indexing rather than searching.
struct RouteIndex {
    std::uint8_t of[26 * 26] = {};
    constexpr RouteIndex() {
        for (std::size_t i = 0; i < kVatRoutes.size(); ++i) {
            const std::string_view p = kVatRoutes[i].prefix;
            of[(p[0] - 'A') * 26 + (p[1] - 'A')] = static_cast<std::uint8_t>(i + 1);
        }
    }
};
constexpr RouteIndex kRouteIndex{};

// The national validators, looked up once. Looked up by id rather than
// linked directly: they live in other sets (SE in the N-Z set), and an
// unregistered one is reported instead of called.
const ValidatorSpec* national_validator(std::size_t route) noexcept {
    static const std::array<const ValidatorSpec*, kVatRoutes.size()> kNational = [] {
        std::array<const ValidatorSpec*, kVatRoutes.size()> found{};
        for (std::size_t i = 0; i < kVatRoutes.size(); ++i) {
            const ValidatorSpec* spec = find_validator(kVatRoutes[i].id);
            found[i] = spec != nullptr && spec->ops.validate != nullptr ? spec : nullptr;
        }
        return found;
    }();
    return kNational[route];
}

// True when the compact text still holds white space or a control character
// (the compaction removes only its listed separators): no VAT number does.
bool holds_space_or_control(std::string_view c) noexcept {
    for (std::size_t i = 0; i < c.size();) {
        const auto b = static_cast<unsigned char>(c[i]);
        if (b < 0x80) {
            if (b <= 0x20 || b == 0x7F) return true;
            ++i;
            continue;
        }
        char32_t cp;
        i += decode_utf8(c, i, cp);
        if ((cp >= 0x80 && cp <= 0x9F) || is_white_space(cp)) return true;
    }
    return false;
}

// The checks on the compact text `c`; a success is reported as `c`, viewing
// `input` when that is the same text.
ValidationOutcome route(std::string_view c, std::string_view input) {
    if (c.size() < 3 || !is_upper(c[0]) || !is_upper(c[1])) return failure(ErrorCode::InvalidFormat);
    const std::uint8_t r = kRouteIndex.of[(c[0] - 'A') * 26 + (c[1] - 'A')];
    if (r == 0) return failure(ErrorCode::InvalidComponent);
    const ValidatorSpec* national = national_validator(r - 1u);
    if (national == nullptr) return failure(ErrorCode::InvalidComponent);
    // Both prefix bytes are ASCII letters, so byte 2 starts a character.
    {
        ValidationOutcome outcome = national->ops.validate(*national, c.substr(2));
        if (!outcome.ok) return outcome;  // the national code and message, unchanged
    }
    // The national validator trims what it is given; the eu.vat text is
    // reported as it stands, so it must hold nothing to trim.
    if (holds_space_or_control(c)) return failure(ErrorCode::InvalidFormat);
    if (c.size() == input.size() && c == input) return ValidationOutcome::success_input(input);
    return ValidationOutcome::success_copy(c);
}

}  // namespace

ValidationOutcome eu_vat_validate(std::string_view value) {
    // Usual input is compact already and is checked where it stands.
    if (unchanged_by_compaction(kRows[row_index("eu.vat")], value)) return route(value, value);
    // Other short ASCII input is compacted on the stack.
    char buffer[kStackCompact];
    const std::size_t n = compact_ascii_upper(value, seps::S4, buffer, sizeof buffer);
    if (n != kNoCompact) return route({buffer, n}, value);
    const std::string c = compact(kRows[row_index("eu.vat")], value);
    return route(c, {});
}

}  // namespace ov::am
