// The `vat` kind's dispatch: which national kind decides a VAT number
// written with its country prefix.
#pragma once

#include <string_view>

#include "registry/spec.h"

namespace ov::crosscut {

// The national kind that validates `value` (any written form the `vat`
// kind accepts, e.g. "DE 136 695 976", "CHE-107.787.577 MWST"), or nullptr
// when `value` is not a valid VAT number.
const ValidatorSpec* vat_national(std::string_view value);

}  // namespace ov::crosscut
