// Turns a stored candidate pattern into the pattern the finder scans with:
// the separators a validator's compaction removes may stand between any two
// characters of the number, so a number written the way `format` prints it
// (or as people write it) is found as well as its compact form.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
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

// Keys: the text of a candidate with its separators (" -./") taken out.
// No kind's key is longer than this.
inline constexpr std::size_t kMaxKey = 128;

// Classes of key bytes, one bit each.
enum : std::uint8_t { kDigit = 1, kUpper = 2, kLower = 4, kOther = 8 };

inline std::uint8_t byte_class(unsigned char c) {
    if (c >= '0' && c <= '9') return kDigit;
    if (c >= 'A' && c <= 'Z') return kUpper;
    if (c >= 'a' && c <= 'z') return kLower;
    return kOther;
}

// What a pattern accepts once every separator is taken out: the key
// lengths, and the classes of byte that may stand at each key position in
// some match. Both are necessary conditions, cheap to test a key against
// before the pattern itself is matched on the written text.
struct Shape {
    std::bitset<kMaxKey + 1> lengths;
    std::array<std::uint8_t, kMaxKey> classes{};
    // Separators every match holds (bit 0 ' ', 1 '-', 2 '.', 3 '/').
    std::uint8_t required_separators = 0;
};

Shape shape_of(std::string_view pattern);

}  // namespace ovf
