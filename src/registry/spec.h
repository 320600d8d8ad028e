// The static record of one validator and its operation table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "registry/outcome.h"

namespace ov {

struct ValidatorSpec;

// Every operation receives its own record (so that operations shared by a
// whole set can look at the id, the examples or the sibling operations) and
// the input as borrowed UTF-8 bytes. Results are owned; nothing keeps state.
struct ValidatorOps {
    PrecheckOutcome (*precheck)(const ValidatorSpec&, std::string_view) = nullptr;  // optional
    std::optional<std::string> (*generate)(const ValidatorSpec&) = nullptr;         // optional
    std::optional<ParsedData> (*parse)(const ValidatorSpec&, std::string_view) = nullptr;  // optional
    std::string (*compact)(const ValidatorSpec&, std::string_view) = nullptr;
    std::string (*format)(const ValidatorSpec&, std::string_view) = nullptr;
    ValidationOutcome (*validate)(const ValidatorSpec&, std::string_view) = nullptr;
};

enum class EntityType : std::uint8_t { Person = 0, Company = 1, Any = 2 };

// ISO 3166-1 alpha-2 codes that validators may be issued by; a record stores
// the index into this table, or kGlobal.
inline constexpr std::array<std::string_view, 107> kCountryTable = {
    "AD", "AE", "AI", "AL", "AM", "AR", "AT", "AU", "AZ", "BA", "BD", "BE", "BG", "BH", "BR", "BY",
    "BZ", "CA", "CH", "CL", "CN", "CO", "CR", "CU", "CY", "CZ", "DE", "DK", "DO", "EC", "EE", "EG",
    "ES", "FI", "FR", "GB", "GE", "GH", "GR", "GT", "HK", "HR", "HU", "ID", "IE", "IL", "IN", "IQ",
    "IR", "IS", "IT", "JP", "KR", "KW", "KZ", "LI", "LK", "LT", "LU", "LV", "MA", "MC", "MD", "ME",
    "MK", "MT", "MU", "MX", "MY", "NG", "NI", "NL", "NO", "NZ", "PA", "PE", "PH", "PK", "PL", "PT",
    "RO", "RS", "RU", "SE", "SG", "SI", "SK", "TH", "TR", "TW", "UA", "US", "UY", "VE", "VN", "ZA",
    // Added with the kinds beyond the first 198 (appended: earlier indices keep their meaning).
    "DZ", "FO", "GN", "KE", "MZ", "OM", "PY", "SM", "SN", "SV", "TN",
};
inline constexpr std::uint8_t kGlobal = 107;

// Index of a country code in kCountryTable; a typo is a compile-time error.
consteval std::uint8_t country(std::string_view code) {
    for (std::size_t i = 0; i < kCountryTable.size(); ++i)
        if (kCountryTable[i] == code) return static_cast<std::uint8_t>(i);
    throw "country code is not in the country table";
}

struct ValidatorSpec {
    const char* source_url;  // nullptr when the record has no reference URL
    std::string_view id;
    std::string_view name;
    std::string_view local_name;
    std::string_view abbreviation;
    std::span<const std::string_view> aliases;
    std::string_view candidate_pattern;
    std::span<const std::uint64_t> lengths;
    std::span<const std::string_view> examples;
    ValidatorOps ops;
    std::uint8_t country;  // index into kCountryTable, or kGlobal
    EntityType entity;
};

// The verdict of is_valid: the precheck's when it reaches one, else that of
// the validate operation.
inline bool passes(const ValidatorSpec& spec, std::string_view value) {
    if (spec.ops.precheck) {
        const PrecheckOutcome pre = spec.ops.precheck(spec, value);
        if (pre.kind == PrecheckKind::AcceptAsIs) return true;
        if (pre.kind == PrecheckKind::Failure) return false;
    }
    return spec.ops.validate(spec, value).ok;
}

// The four static sets, each in its declaration order. Sets that are not
// built yet are empty.
std::span<const ValidatorSpec* const> core_set();
std::span<const ValidatorSpec* const> legacy_set();
std::span<const ValidatorSpec* const> additional_a_m_set();
std::span<const ValidatorSpec* const> additional_n_z_set();

// The extended set: kinds beyond the documented registry. They are served by
// the package's own modules, never by the documented one.
std::span<const ValidatorSpec* const> extended_set();

// The sets the extended one is made of beyond its first kinds, each kept in
// its own folder: European tax, business and register numbers; those of the
// Americas, Africa, Asia and Oceania; personal, health and identity-card
// numbers; numbers that span kinds (GS1-128, CFI, any VAT number).
std::span<const ValidatorSpec* const> europe_set();
std::span<const ValidatorSpec* const> world_set();
std::span<const ValidatorSpec* const> personal_set();
std::span<const ValidatorSpec* const> crosscut_set();

}  // namespace ov
