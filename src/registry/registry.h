// The merged, id-sorted registry of all validators and the lookup by id.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "registry/spec.h"

namespace ov {

// All records sorted by id in byte order; built once on first use.
std::span<const ValidatorSpec* const> registry();

// Exact, case-sensitive lookup by id; nullptr when absent. Constant time
// (a hash index over all ids), whatever the size of the registry.
const ValidatorSpec* find_validator(std::string_view id) noexcept;
// The same lookup by binary search over the sorted records: the reference
// that tests hold the hash index to.
const ValidatorSpec* find_validator_sorted(std::string_view id) noexcept;

// Every record, documented and extended, sorted by id in byte order, and
// the lookup over them: what the package's own modules (columns, the text
// finder, sampling) serve. The documented module uses registry() and
// find_validator() only.
std::span<const ValidatorSpec* const> all_validators();
const ValidatorSpec* find_any_validator(std::string_view id) noexcept;

// English one-line description of a validator, if it has one.
std::optional<std::string_view> description_of(std::string_view id) noexcept;

}  // namespace ov
