// Validation of the compact form of a value: short ASCII input is compacted
// into a stack buffer, anything else takes the full Unicode compaction, and
// the check runs on the result. A check that succeeds may view the text it
// was given; the outcome then takes its own copy.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "primitives/normalize.h"
#include "registry/outcome.h"

namespace ov {

// Inputs up to this many bytes are compacted on the stack.
inline constexpr std::size_t kStackCompact = 64;

// `full_compact(value)` must give the same text as the separator removal
// (then ASCII upper-casing with `to_upper`) for ASCII input.
template <class FullCompact, class Check>
ValidationOutcome check_compacted(std::string_view value, std::string_view separators, bool to_upper,
                                  FullCompact&& full_compact, Check&& check) {
    char buffer[kStackCompact];
    const std::size_t n = strip_separators_ascii(value, separators, buffer, sizeof buffer, to_upper);
    if (n != kNoCompact) {
        const std::string_view s(buffer, n);
        ValidationOutcome o = check(s);
        return o.ok ? ValidationOutcome::success_copy(s) : o;
    }
    std::string s = full_compact(value);
    ValidationOutcome o = check(std::string_view(s));
    return o.ok ? ValidationOutcome::success(std::move(s)) : o;
}

}  // namespace ov
