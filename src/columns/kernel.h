// The columnar kernel: one validator operation over every row of a column,
// written straight into Arrow-layout buffers. Plain C++; the caller may run
// it without the interpreter lock.
#pragma once

#include <string_view>

#include "columns/input.h"
#include "columns/output.h"
#include "registry/spec.h"

namespace ovc {

// What validate reports for bytes that are not UTF-8 (a str never holds
// them, so only Arrow input can).
inline constexpr std::string_view kNotUtf8 = "value is not valid UTF-8";

// Runs `op` of `spec` over `input` on up to `threads` threads (at least one).
// Dictionary entries are evaluated once each, then mapped through the
// indices. Throws std::bad_alloc when an output buffer cannot be allocated.
Output run(Op op, const ov::ValidatorSpec& spec, const ColumnInput& input, int threads);

}  // namespace ovc
