// Byte-level helpers: ASCII character classes (locale-free, safe for bytes
// of 0x80 and above), UTF-8 boundaries and checked slicing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ov {

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr bool is_upper(char c) noexcept { return c >= 'A' && c <= 'Z'; }
constexpr bool is_lower(char c) noexcept { return c >= 'a' && c <= 'z'; }
constexpr bool is_alpha(char c) noexcept { return is_upper(c) || is_lower(c); }
constexpr bool is_alnum(char c) noexcept { return is_digit(c) || is_alpha(c); }
constexpr bool is_ascii(char c) noexcept { return static_cast<unsigned char>(c) < 0x80; }
constexpr int digit_value(char c) noexcept { return c - '0'; }
constexpr char to_upper_ascii(char c) noexcept { return is_lower(c) ? static_cast<char>(c - 32) : c; }
constexpr char to_lower_ascii(char c) noexcept { return is_upper(c) ? static_cast<char>(c + 32) : c; }

// True when every byte is an ASCII digit (true for the empty text).
constexpr bool all_digits(std::string_view s) noexcept {
    for (char c : s)
        if (!is_digit(c)) return false;
    return true;
}
constexpr bool all_alnum(std::string_view s) noexcept {
    for (char c : s)
        if (!is_alnum(c)) return false;
    return true;
}
constexpr bool all_ascii(std::string_view s) noexcept {
    for (char c : s)
        if (!is_ascii(c)) return false;
    return true;
}

// True when byte offset i starts a character (or is the end of the text).
constexpr bool is_char_boundary(std::string_view s, std::size_t i) noexcept {
    if (i == 0 || i == s.size()) return true;
    if (i > s.size()) return false;
    return (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
}

// Bytes [begin, end) of s, clamped to its length. A bound that falls inside
// a multi-byte character yields an empty piece, so a slice never splits one.
constexpr std::string_view slice(std::string_view s, std::size_t begin, std::size_t end) noexcept {
    if (end > s.size()) end = s.size();
    if (begin >= end) return {};
    if (!is_char_boundary(s, begin) || !is_char_boundary(s, end)) return {};
    return s.substr(begin, end - begin);
}

// Decodes the character at byte offset i, storing its code point; returns
// its length in bytes (at least 1). A byte that does not start a well-formed
// sequence is returned as a one-byte "character" with its byte value + 0xDC00
// (never a valid scalar), so callers copy it through unchanged.
std::size_t decode_utf8(std::string_view s, std::size_t i, char32_t& cp) noexcept;
// Appends cp as UTF-8. A marker 0xDC80..0xDCFF from decode_utf8 is written
// back as its original byte; any other surrogate or value above U+10FFFF
// becomes U+FFFD.
void append_utf8(std::string& out, char32_t cp);

// True when every byte belongs to a well-formed sequence, as decode_utf8
// reads them.
bool valid_utf8(std::string_view s) noexcept;

// Number of characters (code points) of UTF-8 text.
std::size_t char_count(std::string_view s) noexcept;

}  // namespace ov
