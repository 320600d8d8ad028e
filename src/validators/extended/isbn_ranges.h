// The ISBN agency's ranges: which registration groups are assigned under
// the prefixes 978 and 979, and how long the registrant element of each
// group is, so that an ISBN can be cut into its elements.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ov::extended {

struct IsbnRange {
    std::uint32_t lo, hi;
    std::uint8_t width;
};

struct IsbnGroup {
    std::uint16_t prefix;     // 978 or 979
    std::string_view group;   // "" for the ranges of the group element itself
    std::string_view agency;  // the agency's name (a language or country)
    std::uint32_t first, count;  // its slice of the range table
};

// A set of ranges: the groups sorted by prefix, then group (byte order),
// each with its slice of `ranges`.
struct IsbnTable {
    std::span<const IsbnRange> ranges;
    std::span<const IsbnGroup> groups;
};

// The ranges the package was built with.
const IsbnTable& builtin_isbn_table() noexcept;

// The elements of an ISBN-13 as views into it. `group_info` is null when
// the group is not assigned; `registrant` is empty when the number lies in
// no registrant range of its group.
struct IsbnElements {
    std::string_view prefix, group, registrant, publication, check;
    const IsbnGroup* group_info = nullptr;
};

// Cuts a compact 13-digit ISBN (978 or 979) into its elements by the
// ranges; false for anything else.
bool isbn_elements(std::string_view isbn13, IsbnElements& out,
                   const IsbnTable& table = builtin_isbn_table()) noexcept;

// The hyphenated form of a valid compact ISBN-10 or ISBN-13 where its
// group and registrant are known ("978-0-306-40615-7", "0-306-40615-2");
// empty otherwise.
std::string isbn_hyphenate(std::string_view compact);

// A source of random numbers: a value in [0, n) for n >= 1.
struct IsbnDraw {
    void* state;
    std::uint64_t (*below)(void* state, std::uint64_t n);
};

// A random ISBN-13 payload (twelve digits, without the check digit) in an
// assigned group and registrant range; 978 payloads only when `only_978`.
// Without a source, the process-wide random source draws.
std::string isbn_random_payload(bool only_978, IsbnDraw draw = {});

// The date of the ranges the package was built with.
std::string_view isbn_ranges_snapshot() noexcept;

}  // namespace ov::extended
