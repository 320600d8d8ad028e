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

// Classes of key bytes: all digits are one class, each ASCII letter is
// its own, everything else is one more.
inline constexpr int kClasses = 54;
inline constexpr std::uint64_t kAllClasses = (std::uint64_t{1} << kClasses) - 1;

inline int class_index(unsigned char c) noexcept {
    if (c >= '0' && c <= '9') return 0;
    if (c >= 'A' && c <= 'Z') return 1 + (c - 'A');
    if (c >= 'a' && c <= 'z') return 27 + (c - 'a');
    return 53;
}
inline std::uint64_t class_bit(unsigned char c) noexcept { return std::uint64_t{1} << class_index(c); }
inline constexpr std::uint64_t kDigit = 1;

// What a pattern accepts once every separator is taken out: the key
// lengths, and the classes of byte that may stand at each key position in
// some match. Both are necessary conditions, cheap to test a key against
// before the pattern itself is matched on the written text.
struct Shape {
    std::bitset<kMaxKey + 1> lengths;
    std::array<std::uint64_t, kMaxKey> classes{};  // class_bit masks
    // Separators every match holds (bit 0 ' ', 1 '-', 2 '.', 3 '/').
    std::uint8_t required_separators = 0;
};

Shape shape_of(std::string_view pattern);

}  // namespace ovf
