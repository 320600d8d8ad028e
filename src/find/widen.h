// Turns a stored candidate pattern into the pattern the finder scans with:
// the separators a validator's compaction removes may stand between any two
// characters of the number, so a number written the way `format` prints it
// (or as people write it) is found as well as its compact form.
#pragma once

#include <string>
#include <string_view>

namespace ovf {

// `separators` lists the ASCII separator characters (for example " -./");
// empty leaves the pattern's characters adjacent. The stored pattern's own
// atoms that match only those separators (`\s?`, `-?`, `[\s-]?`, a literal
// `-`) give way to the general optional separator; others (a `/` the
// compaction keeps) stay as written. Capturing groups become
// non-capturing; unbounded repetitions are capped at kMaxRepeat. The result
// never starts or ends with a separator.
std::string widen(std::string_view pattern, std::string_view separators);

inline constexpr int kMaxRepeat = 64;

}  // namespace ovf
