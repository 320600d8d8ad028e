// Example-based generators shared by whole validator sets.
#pragma once

#include <string>
#include <string_view>

#include "registry/spec.h"

namespace ov {

// The legacy set's check predicate for one validator, on uncompacted text.
using LegacyCheck = bool (*)(std::string_view id, std::string_view text);

// Mutates one digit of the compacted first example and repairs the text one
// position at a time until `check` accepts it; falls back to the example.
std::string legacy_example_generate(const ValidatorSpec& spec, LegacyCheck check);
// The same, with a predicate that already belongs to the validator (the
// legacy set binds each record to its own predicate, so no id is passed).
std::string legacy_example_generate(const ValidatorSpec& spec, bool (*check)(std::string_view text));

// Rewrites one to three digits of a randomly chosen compacted example until
// the validator's validate operation accepts the result; falls back to the
// example.
std::string am_example_generate(const ValidatorSpec& spec);

}  // namespace ov
