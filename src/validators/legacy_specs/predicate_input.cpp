// The copying path of the upper-casing a predicate repeats.
#include "validators/legacy_specs/predicate_input.h"

#include "primitives/normalize.h"

namespace ov::legacy {

std::string_view upper_in_copy(std::string_view v, std::string& buf) {
    // The mapping builds a new text before it replaces buf, so v may view buf.
    buf = all_ascii(v) ? ascii_upper(v) : upper(v);
    return buf;
}

}  // namespace ov::legacy
