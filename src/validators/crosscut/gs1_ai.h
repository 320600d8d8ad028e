// GS1 Application Identifiers and the element strings of the `gs1_128`
// kind. The AI table itself is generated (gs1_ai_table.cpp, by
// scripts/gen_gs1_ai.py) from GS1's published list.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ov::crosscut {

// Character sets of AI values: digits, GS1 AI encodable character set 82,
// set 39 (capitals, digits, # - /), set 64 (file-safe base64), or a single
// minus sign.
enum class Gs1Set : std::uint8_t { Digits, Cset82, Cset39, Cset64, Minus };
enum class Gs1Type : std::uint8_t { Text, Integer, Decimal, Date };

// One field of a value: its set and length (min == max for a fixed field);
// an optional field may be absent altogether. Only the last field varies.
struct Gs1Part {
    Gs1Set set;
    std::uint8_t min;
    std::uint8_t max;
    bool optional;
};

struct Gs1Ai {
    std::string_view ai;
    std::string_view name;    // GS1's short data title, e.g. "SSCC"
    std::string_view format;  // as GS1 writes it, e.g. "N6[+N4]"
    Gs1Type type;
    bool fnc1;           // a separator must follow a value that is not last
    bool check_digit;    // the first numeric field ends in a GS1 check digit
    std::uint8_t month;  // Date: offset of the month in the value
    std::uint8_t part_count;
    std::array<Gs1Part, 4> parts;
    std::uint16_t line;  // line of the source list
};

extern const std::span<const Gs1Ai> kGs1Ais;  // sorted by AI; no AI is a prefix of another
extern const std::string_view kGs1AiSource;   // the source list's provenance line
extern const std::string_view kGs1AiSnapshot;  // its date, YYYY-MM-DD

// The AI spelled by `digits` exactly, or nullptr.
const Gs1Ai* find_gs1_ai(std::string_view digits) noexcept;

// One element of a GS1 element string.
struct Gs1Element {
    std::string_view ai;
    std::string_view name;
    std::string value;
};

// The elements of a valid GS1-128 element string (written with AIs in
// parentheses, with FNC1 as the GS control character, or as plain digits
// where every value but the last has a fixed length), in order; nothing for
// an invalid one.
std::optional<std::vector<Gs1Element>> gs1_128_parse(std::string_view value);

}  // namespace ov::crosscut
