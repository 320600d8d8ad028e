// Input normalisation shared by the validators: trimming, look-alike
// mapping, separator removal, case mapping, today's date, number parsing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

// Separator sets: each is the list of ASCII separator characters.
namespace seps {
inline constexpr std::string_view S1 = " -";
inline constexpr std::string_view S2 = " ";
inline constexpr std::string_view S3 = " -.";
inline constexpr std::string_view S4 = " -./()";
inline constexpr std::string_view S5 = " -/.";
inline constexpr std::string_view S6 = " -/";
inline constexpr std::string_view S8 = " -/.,:";
inline constexpr std::string_view S10 = " /";
inline constexpr std::string_view S11 = " :";
inline constexpr std::string_view S12 = " .";
inline constexpr std::string_view S13 = " -./,";
}  // namespace seps

// Unicode White_Space property.
bool is_white_space(char32_t cp) noexcept;

// The text without leading and trailing white space (a view into it).
std::string_view trim(std::string_view text) noexcept;

// Drops zero-width characters, trims, maps typographic look-alikes to ASCII
// and removes the characters of `separators`. Zero-width characters go
// first, so white space they stand next to at either end is trimmed too.
std::string strip_separators(std::string_view text, std::string_view separators);

// strip_separators for plain ASCII text, written into a caller's buffer
// (upper-cased as well with `to_upper`): the number of bytes written, or
// kNoCompact when the text holds a byte of 0x80 or above or the result would
// not fit in `capacity` bytes. For ASCII text the result equals
// strip_separators (then ascii_upper); callers fall back to it otherwise.
inline constexpr std::size_t kNoCompact = static_cast<std::size_t>(-1);
std::size_t strip_separators_ascii(std::string_view text, std::string_view separators, char* out,
                                   std::size_t capacity, bool to_upper = false) noexcept;
inline std::size_t compact_ascii_upper(std::string_view text, std::string_view separators, char* out,
                                       std::size_t capacity) noexcept {
    return strip_separators_ascii(text, separators, out, capacity, true);
}

// strip_separators, then removes a leading two-letter `prefix` compared
// case-insensitively (ASCII only).
std::string strip_country_prefix(std::string_view text, std::string_view separators,
                                 std::string_view prefix);

// Digit values of an all-ASCII-digit text; empty if any character is not one.
std::vector<std::uint8_t> digits_of(std::string_view text);

struct Date {
    std::int32_t year;
    std::uint8_t month;  // 1..12
    std::uint8_t day;    // 1..31
};
// Proleptic Gregorian date of a day count since 1970-01-01.
Date civil_from_days(std::int64_t days) noexcept;
// Date of a moment given in seconds since the epoch (1970-01-01 before it).
Date date_from_unix_seconds(std::int64_t seconds) noexcept;
// Today's date in UTC from the real-time clock. The calendar date is worked
// out once per day and cached (safe from any thread).
Date today() noexcept;
// The clock today() reads, in whole seconds since 1970-01-01 UTC. Only tests
// replace it (to move across midnight without waiting); nullptr restores
// the system clock.
using UnixClock = std::int64_t (*)() noexcept;
void set_clock_for_testing(UnixClock clock) noexcept;

// Full Unicode case mapping (one character may become several: "ß" -> "SS";
// the output can be up to three times longer). Context-free: capital sigma
// always lowers to "σ". Bytes that are not valid UTF-8 are copied unchanged.
// The data is compiled in from case_tables.inc (scripts/gen_case_tables.py).
std::string upper(std::string_view text);
std::string lower(std::string_view text);
// ASCII-only case mapping; other bytes are copied unchanged.
std::string ascii_upper(std::string_view text);
std::string ascii_lower(std::string_view text);

// Optional "+", then one or more ASCII digits; nothing on overflow.
std::optional<std::uint64_t> parse_unsigned(std::string_view text) noexcept;

}  // namespace ov
