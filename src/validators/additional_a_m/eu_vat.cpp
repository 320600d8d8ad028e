// The EU VAT router: the two-letter prefix of an EU VAT number names the
// national VAT validator that decides the rest.
#include <algorithm>
#include <array>
#include <string_view>

#include "primitives/text.h"
#include "registry/registry.h"
#include "validators/additional_a_m/checks.h"

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
static_assert(routes_sorted(), "kVatRoutes must be sorted by prefix for the binary search");

constexpr std::string_view route_of(std::string_view prefix) noexcept {
    const auto it = std::lower_bound(kVatRoutes.begin(), kVatRoutes.end(), prefix,
                                     [](const VatRoute& r, std::string_view p) { return r.prefix < p; });
    return it != kVatRoutes.end() && it->prefix == prefix ? it->id : std::string_view{};
}

}  // namespace

ValidationOutcome eu_vat_route(std::string_view c) {
    if (c.size() < 3 || !is_upper(c[0]) || !is_upper(c[1])) return failure(ErrorCode::InvalidFormat);
    const std::string_view id = route_of(c.substr(0, 2));
    if (id.empty()) return failure(ErrorCode::InvalidComponent);
    // Looked up by id rather than linked directly: the national validators
    // live in other sets (SE in the N-Z set), and an unregistered one is
    // reported instead of called.
    const ValidatorSpec* national = find_validator(id);
    if (national == nullptr || national->ops.validate == nullptr) return failure(ErrorCode::InvalidComponent);
    // Both prefix bytes are ASCII letters, so byte 2 starts a character.
    ValidationOutcome outcome = national->ops.validate(*national, c.substr(2));
    if (!outcome.ok) return outcome;  // the national code and message, unchanged
    return ValidationOutcome::success_copy(c);
}

}  // namespace ov::am
