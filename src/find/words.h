// Character classes and word-level tests of the scanner: what ends a word,
// what joins groups of one identifier, context words, dates.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ovf {

inline bool word_byte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
inline bool alnum_byte(unsigned char c) { return word_byte(c) && c != '_'; }
inline bool separator_byte(unsigned char c) { return c == ' ' || c == '-' || c == '.' || c == '/'; }

// ASCII letters and digits, '&' and '+': bytes that never end a word.
inline constexpr auto kPlainBytes = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                         c == '&' || c == '+';
    return t;
}();
inline bool plain_byte(unsigned char c) { return kPlainBytes[c]; }

// The byte length of the character at t[i] when it is a non-ASCII
// punctuation mark, symbol, space or replacement character (or a stray
// byte); 0 for ASCII and for letters and digits of other scripts.
std::size_t symbol_length(const unsigned char* t, std::size_t i, std::size_t limit);

// Whether t[j] is a '*', '@' or '#' in a run of at most three of them
// between two letters or digits.
bool inner_mark(const unsigned char* t, std::size_t j, std::size_t limit);

// Where the few words before `start` begin (at most `limit` bytes back).
std::size_t context_start(std::string_view text, std::size_t start, std::size_t limit);

// Whether `value` starts with the capitals `prefix`, ignoring case.
bool starts_with_letters(std::string_view value, std::string_view prefix);

// Whether `v` is a date (d.m.yyyy, dd/mm/yy, yyyy-mm-dd and the like).
bool looks_like_date(std::string_view v);

// The word at t[i]: its end and what it holds. Plain ASCII letters
// and digits take the fast path; brackets, other scripts and inner
// marks are looked at closely.
struct Word {
    std::size_t end;
    bool digit, lower;
    int caps;
};
Word word_at(const unsigned char* t, std::size_t i, std::size_t limit);

// The end of the prose from t[i] (before `limit`): whole words of small
// letters and letters of other scripts, and what lies between them, which
// end any run and start none (a word with a digit or a capital stops it).
std::size_t skip_prose(const unsigned char* t, std::size_t i, std::size_t limit);

// The dates inside the run text[s, e) ("TIN 07.12.2026",
// "2018-03-14T07"): three words of digits joined by '.', '/' or '-', the
// last one perhaps followed by a time ('T' and digits).
void dates_in(std::string_view text, std::size_t s, std::size_t e, std::vector<std::pair<std::size_t, std::size_t>>& out);

// Appends the run text[s, e) to `out` when it is an amount of money.
void amounts_in(std::string_view text, std::size_t s, std::size_t e,
                std::vector<std::pair<std::size_t, std::size_t>>& out);

// Appends the IP addresses inside the run text[s, e) to `out`.
void addresses_in(std::string_view text, std::size_t s, std::size_t e,
                  std::vector<std::pair<std::size_t, std::size_t>>& out);

}  // namespace ovf
