// The compaction steps a predicate repeats, with a no-copy path for values
// that are already compact.
#include "validators/legacy_specs/predicate_input.h"

#include "primitives/normalize.h"

namespace ov::legacy {

namespace {

// Unicode white space inside ASCII: tab to carriage return, and space.
constexpr bool is_ascii_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string_view strip_in(std::string_view v, std::string_view separators, std::string& buf) {
    // strip_separators can only change a text that has surrounding white
    // space, a separator, or a non-ASCII character (look-alikes, zero-width
    // characters and Unicode white space are all outside ASCII).
    bool plain = v.empty() || (!is_ascii_space(v.front()) && !is_ascii_space(v.back()));
    for (std::size_t i = 0; plain && i < v.size(); ++i)
        plain = is_ascii(v[i]) && separators.find(v[i]) == std::string_view::npos;
    if (plain) return v;
    buf = strip_separators(v, separators);
    return buf;
}

std::string_view upper_in(std::string_view v, std::string& buf) {
    bool ascii = true, has_lower = false;
    for (char c : v) {
        ascii = ascii && is_ascii(c);
        has_lower = has_lower || is_lower(c);
    }
    if (ascii && !has_lower) return v;
    // The mapping builds a new text before it replaces buf, so v may view buf.
    buf = ascii ? ascii_upper(v) : upper(v);
    return buf;
}

}  // namespace ov::legacy
