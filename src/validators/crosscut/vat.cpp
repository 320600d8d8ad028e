// `vat`: a VAT number of any country the package knows, written with its
// country prefix as on invoices: the EU members' (Greece as EL, also GR;
// Northern Ireland as XI), the United Kingdom's (GB), Switzerland's
// (CHE-123.456.789 MWST, TVA, IVA or TPV), Norway's (NO 123456789 MVA),
// Iceland's, Albania's, Serbia's and North Macedonia's. The prefix names
// the national kind, looked up in the registry, which decides the rest.
#include <array>
#include <vector>

#include "registry/random.h"
#include "registry/registry.h"
#include "validators/crosscut/records.h"
#include "validators/crosscut/vat.h"
#include "validators/extended/kind.h"

namespace ov::crosscut {

namespace {

using namespace extended;

struct Route {
    std::string_view prefix;
    std::string_view id;
};

// Switzerland's prefix CHE is part of the national number itself.
constexpr std::string_view kSwissPrefix = "CHE";

constexpr std::array<Route, 36> kRoutes = {{
    {"AL", "al.nipt"}, {"AT", "at.uid"}, {"BE", "be.vat"}, {"BG", "bg.vat"}, {"CHE", "ch.vat"},
    {"CY", "cy.vat"},  {"CZ", "cz.dic"}, {"DE", "de.vat"}, {"DK", "dk.vat"}, {"EE", "ee.vat"},
    {"EL", "gr.vat"},  {"ES", "es.vat"}, {"FI", "fi.vat"}, {"FR", "fr.tva"}, {"GB", "gb.vat"},
    {"GR", "gr.vat"},  {"HR", "hr.vat"}, {"HU", "hu.vat"}, {"IE", "ie.vat"}, {"IS", "is.vsk"},
    {"IT", "it.iva"},  {"LT", "lt.vat"}, {"LU", "lu.vat"}, {"LV", "lv.vat"}, {"MK", "mk.edb"},
    {"MT", "mt.vat"},  {"NL", "nl.vat"}, {"NO", "no.mva"}, {"PL", "pl.nip"}, {"PT", "pt.vat"},
    {"RO", "ro.vat"},  {"RS", "rs.pib"}, {"SE", "se.vat"}, {"SI", "si.vat"}, {"SK", "sk.dic"},
    {"XI", "gb.vat"},
}};

// The national kinds, looked up once (nullptr for one the registry lacks).
const std::array<const ValidatorSpec*, kRoutes.size()>& nationals() {
    static const std::array<const ValidatorSpec*, kRoutes.size()> found = [] {
        std::array<const ValidatorSpec*, kRoutes.size()> v{};
        for (std::size_t i = 0; i < kRoutes.size(); ++i) {
            const ValidatorSpec* spec = find_any_validator(kRoutes[i].id);
            v[i] = spec != nullptr && spec->ops.validate != nullptr ? spec : nullptr;
        }
        return v;
    }();
    return found;
}

// Route number + 1 of every pair of capital letters (0: none), so that a
// prefix is found by indexing; CHE is the only three-letter prefix.
struct RouteIndex {
    std::uint8_t of[26 * 26] = {};
    constexpr RouteIndex() {
        for (std::size_t i = 0; i < kRoutes.size(); ++i)
            if (kRoutes[i].prefix.size() == 2)
                of[(kRoutes[i].prefix[0] - 'A') * 26 + (kRoutes[i].prefix[1] - 'A')] = static_cast<std::uint8_t>(i + 1);
    }
};
constexpr RouteIndex kRouteIndex{};

constexpr std::size_t swiss_route() {
    for (std::size_t i = 0; i < kRoutes.size(); ++i)
        if (kRoutes[i].prefix == kSwissPrefix) return i;
    return kRoutes.size();
}

// The route of a compact text starting with two capitals (the index of
// kRoutes, or its size).
std::size_t route_of(std::string_view s) noexcept {
    if (s.starts_with(kSwissPrefix)) return swiss_route();
    const std::uint8_t r = kRouteIndex.of[(s[0] - 'A') * 26 + (s[1] - 'A')];
    return r == 0 ? kRoutes.size() : r - 1u;
}

// The text handed to the national kind: the Swiss number whole, others
// without their prefix.
std::string_view national_part(std::size_t route, std::string_view s) noexcept {
    return kRoutes[route].prefix == kSwissPrefix ? s : s.substr(2);
}

bool printable_ascii(std::string_view s) noexcept {
    for (char c : s)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

// The checks of `vat` on compact text, and the national kind that passed.
ValidationOutcome dispatch(std::string_view s, const ValidatorSpec** national) {
    if (s.size() < 4) return fail(ErrorCode::InvalidLength, "VAT number must be a country prefix and a national number");
    if (!is_upper(s[0]) || !is_upper(s[1]))
        return fail(ErrorCode::InvalidFormat, "VAT number must start with a two-letter country prefix");
    if (!printable_ascii(s))
        return fail(ErrorCode::InvalidFormat, "VAT number must not contain blanks or control characters");
    const std::size_t route = route_of(s);
    if (route == kRoutes.size() || nationals()[route] == nullptr)
        return fail(ErrorCode::InvalidComponent, "VAT number prefix is not a country the package knows");
    const ValidatorSpec& spec = *nationals()[route];
    ValidationOutcome o = spec.ops.validate(spec, national_part(route, s));
    if (!o.ok) return o;  // the national kind's code and message
    if (national) *national = &spec;
    return ValidationOutcome::success_input(s);
}

ValidationOutcome vat_check(std::string_view s) { return dispatch(s, nullptr); }

// A national kind's generated value with its digits drawn afresh (the
// national generators vary few digits). The check digits sit at the end,
// at the end before a fixed suffix, or at the start, as one or two digits:
// the other digits are drawn and each such place is tried in turn with
// every value. The generated value itself if nothing passes.
std::string redrawn(const ValidatorSpec& spec, std::string_view base) {
    std::vector<std::size_t> at;  // positions of the digits
    for (std::size_t i = 0; i < base.size(); ++i)
        if (is_digit(base[i])) at.push_back(i);
    const std::size_t n = at.size();
    if (n < 4) return std::string(base);
    struct Place {
        std::size_t first, count, keep_after;  // digit indexes tried; digits kept after them
    };
    const Place places[] = {{n - 1, 1, 0}, {n - 2, 2, 0}, {0, 2, 0}, {n - 3, 1, 2}};
    std::string candidate(base);
    for (int attempt = 0; attempt < 24; ++attempt) {
        for (const Place& p : places) {
            candidate.assign(base);
            for (std::size_t k = 0; k + p.keep_after < n; ++k) candidate[at[k]] = random_digit();
            const unsigned tries = p.count == 1 ? 10 : 100;
            for (unsigned v = 0; v < tries; ++v) {
                if (p.count == 1) {
                    candidate[at[p.first]] = static_cast<char>('0' + v);
                } else {
                    candidate[at[p.first]] = static_cast<char>('0' + v / 10);
                    candidate[at[p.first + 1]] = static_cast<char>('0' + v % 10);
                }
                const ValidationOutcome o = spec.ops.validate(spec, candidate);
                if (o.ok) return std::string(o.text());
            }
        }
    }
    return std::string(base);
}

std::string vat_generate() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::size_t route = random_below(kRoutes.size());
        const ValidatorSpec* spec = nationals()[route];
        if (spec == nullptr || spec->ops.generate == nullptr) continue;
        const std::optional<std::string> g = spec->ops.generate(*spec);
        if (!g) continue;
        const ValidationOutcome base = spec->ops.validate(*spec, *g);
        if (!base.ok) continue;
        const std::string national = redrawn(*spec, base.text());
        const std::string value =
            kRoutes[route].prefix == kSwissPrefix ? national : std::string(kRoutes[route].prefix) + national;
        if (vat_check(value).ok) return value;
    }
    return "DE136695976";
}

constexpr KindRule kVatRule = {
    .separators = " -./", .upper = true, .prefix = {},
    .check = vat_check, .present = nullptr, .generate = vat_generate,
};

constexpr std::string_view kVatAliases[] = {"VAT", "VAT number", "VAT ID", "VAT identification number",
                                            "VAT registration number", "VATIN", "USt-IdNr", "TVA", "IVA",
                                            "MWST", "MVA", "BTW"};
// The published examples of the national kinds, with their prefixes.
constexpr std::string_view kVatExamples[] = {"DE136695976", "ATU13585627", "EL094259216", "XI980780684",
                                             "GB980780684", "CHE-107.787.577 IVA", "NO995525828MVA",
                                             "FR40303265045"};

}  // namespace

const ValidatorSpec* vat_national(std::string_view value) {
    const ValidationOutcome o = kVatSpec.ops.validate(kVatSpec, value);
    if (!o.ok) return nullptr;
    const ValidatorSpec* national = nullptr;
    dispatch(o.text(), &national);
    return national;
}

const ValidatorSpec kVatSpec = {
    .source_url = "https://taxation-customs.ec.europa.eu/vies-vat-information-exchange-system_en",
    .id = "vat",
    .name = "VAT Identification Number",
    .local_name = "VAT Identification Number",
    .abbreviation = "VAT",
    .aliases = kVatAliases,
    .candidate_pattern = "[A-Z]{2}[A-Z]{0,2}\\d[0-9A-Z+*]{1,13}|CHE\\d{9}(?:MWST|TVA|IVA|TPV)",
    .lengths = {},
    .examples = kVatExamples,
    .ops = kind_ops<kVatRule>(),
    .country = kGlobal,
    .entity = EntityType::Company,
};

}  // namespace ov::crosscut
