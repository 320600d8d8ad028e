// Character classes and the small word-level tests the scanner makes.
#include "find/words.h"

#include <array>
#include <cstdint>

#include "primitives/swar.h"

namespace ovf {

namespace {
constexpr int kContextWords = 5;
}  // namespace


// The byte length of the character at t[i] when it is a non-ASCII
// punctuation mark, symbol, space or replacement character (or a stray
// byte): such a character ends a word as ASCII punctuation does. 0 for
// ASCII and for non-ASCII letters and digits, which stay inside words.
std::size_t symbol_length(const unsigned char* t, std::size_t i, std::size_t limit) {
    const unsigned char c = t[i];
    if (c < 0x80) return 0;
    std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || c >= 0xF8 || i + n > limit) return 1;
    std::uint32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((t[i + k] & 0xC0) != 0x80) return 1;
        cp = (cp << 6) | (t[i + k] & 0x3F);
    }
    const bool symbol =
        (cp >= 0x80 && cp <= 0xBF && cp != 0xAA && cp != 0xB2 && cp != 0xB3 && cp != 0xB5 && cp != 0xB9 &&
         cp != 0xBA) ||
        cp == 0xD7 || cp == 0xF7 ||                // multiplication and division signs
        (cp >= 0x2000 && cp <= 0x2BFF) ||          // punctuation, currency, arrows, maths, dingbats
        (cp >= 0x2E00 && cp <= 0x2E7F) ||          // supplemental punctuation
        (cp >= 0x3000 && cp <= 0x303F) ||          // CJK punctuation
        (cp >= 0xFE10 && cp <= 0xFE6F) ||          // vertical and small forms
        (cp >= 0xFF01 && cp <= 0xFF0F) || (cp >= 0xFF1A && cp <= 0xFF20) || (cp >= 0xFF3B && cp <= 0xFF40) ||
        (cp >= 0xFF5B && cp <= 0xFF65) ||          // full-width punctuation
        (cp >= 0xFFF0 && cp <= 0xFFFF) ||          // specials, the replacement character among them
        (cp >= 0x1F000 && cp <= 0x1FAFF);          // emoji and pictographs
    return symbol ? n : 0;
}

// '*', '@' and '#' belong to a word only inside a run of at most three of
// them between two letters or digits (a CUSIP's "FOR9UD5*9" or "ABC123#*5");
// elsewhere they are punctuation.
namespace {
bool mark_byte(unsigned char c) { return c == '*' || c == '@' || c == '#'; }
}  // namespace

bool inner_mark(const unsigned char* t, std::size_t j, std::size_t limit) {
    if (!mark_byte(t[j])) return false;
    std::size_t b = j, e = j + 1;
    // At most four steps each way: a longer run is punctuation anyway.
    while (b > 0 && j - b < 4 && mark_byte(t[b - 1])) --b;
    while (e < limit && e - j < 4 && mark_byte(t[e])) ++e;
    return e - b <= 3 && b > 0 && alnum_byte(t[b - 1]) && e < limit && alnum_byte(t[e]);
}

// Where the few words before `start` begin (at most `limit` bytes back).
std::size_t context_start(std::string_view text, std::size_t start, std::size_t limit) {
    std::size_t lo = start > limit ? start - limit : 0;
    std::size_t b = start;
    int words = 0;
    bool in_word = false;
    while (b > lo) {
        const unsigned char c = static_cast<unsigned char>(text[b - 1]);
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!space && !in_word) {
            if (words == kContextWords) break;
            ++words;
        }
        in_word = !space;
        --b;
    }
    return b;
}

// Whether `value` starts with `prefix`, ignoring case.
bool starts_with_letters(std::string_view value, std::string_view prefix) {
    if (value.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return false;
    }
    return true;
}

// d.m.yyyy, dd/mm/yy, yyyy-mm-dd and the like: dates, written with the
// separators identifiers use too.
bool looks_like_date(std::string_view v) {
    std::size_t fields[3] = {}, n = 0, run = 0;
    char sep = 0;
    for (const char c : v) {
        if (c >= '0' && c <= '9') {
            ++run;
        } else if (c == '.' || c == '/' || c == '-') {
            if (n == 2 || run == 0 || (sep && c != sep)) return false;
            sep = c;
            fields[n++] = run;
            run = 0;
        } else {
            return false;
        }
    }
    if (n != 2 || run == 0) return false;
    fields[2] = run;
    // The fields' values too: 7732-18-5 is a registry number, not a day.
    const auto value = [&](std::size_t k) {
        std::size_t at = 0;
        for (std::size_t f = 0; f < k; ++f) at += fields[f] + 1;
        int x = 0;
        for (std::size_t q = 0; q < fields[k]; ++q) x = x * 10 + (v[at + q] - '0');
        return x;
    };
    const auto day_month = [&](int d, int m) { return d >= 1 && d <= 31 && m >= 1 && m <= 12; };
    const bool dmy = fields[0] <= 2 && fields[1] <= 2 && (fields[2] == 2 || fields[2] == 4) &&
                     (day_month(value(0), value(1)) || day_month(value(1), value(0)));
    const bool ymd = fields[0] == 4 && fields[1] <= 2 && fields[2] <= 2 && value(0) >= 1800 && value(0) < 2200 &&
                     day_month(value(2), value(1));
    return dmy || ymd;
}

// Bytes of prose: small letters, the bytes of other scripts' characters,
// blanks, commas and full stops.
namespace {

bool prose_byte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c >= 0x80 || c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == ',' ||
           c == '.';
}

}  // namespace

// The end of the prose from t[i] (before `limit`): whole words of small
// letters and letters of other scripts, and what lies between them,
// which end any run and start none (a word with a digit or a capital
// stops it). Eight bytes at a time while they are all prose.
std::size_t skip_prose(const unsigned char* t, std::size_t i, std::size_t limit) {
    namespace sw = ov::swar;
    const auto letter = [](unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c >= 0x80; };
    std::size_t j = i;
    while (j < limit) {
        if (limit - j >= 8) {
            const std::uint64_t w = sw::load(t + j);
            const std::uint64_t ascii = w & ~sw::kHigh;
            const std::uint64_t ok = (sw::in_range(ascii, 'a', 'z') | sw::equal_to(ascii, ' ') |
                                      sw::equal_to(ascii, '\n') | sw::equal_to(ascii, ',') |
                                      sw::equal_to(ascii, '.') | w) &
                                     sw::kHigh;
            if (ok == sw::kHigh) {
                j += 8;
                continue;
            }
        }
        const unsigned char c = t[j];
        // A capital that starts a word of small letters ("Straße",
        // "Zürich").
        const bool capital = c >= 'A' && c <= 'Z' && (j == 0 || !letter(t[j - 1])) && j + 1 < limit &&
                             ((t[j + 1] >= 'a' && t[j + 1] <= 'z') ||
                              (t[j + 1] >= 0x80 && symbol_length(t, j + 1, limit) == 0));
        if (!prose_byte(c) && !capital) break;
        ++j;
    }
    // A word cut at the end is not known to be prose.
    if (j < limit)
        while (j > i && letter(t[j - 1])) --j;
    return j;
}

namespace {

// What a plain byte is, one bit each: plain, digit, small letter,
// capital.
constexpr auto kWordBytes = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const auto u = static_cast<unsigned char>(c);
        if (!kPlainBytes[u]) continue;
        t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(
            1 | (c >= '0' && c <= '9' ? 2 : 0) | (c >= 'a' && c <= 'z' ? 4 : 0) | (c >= 'A' && c <= 'Z' ? 8 : 0));
    }
    return t;
}();

}  // namespace

Word word_at(const unsigned char* t, std::size_t i, std::size_t limit) {
    std::size_t j = i;
    bool d = false, lower = false;
    int caps = 0, open = 0;  // brackets opened inside the word and not closed
    while (j < limit) {
        const unsigned char w = t[j];
        if (std::uint8_t f = kWordBytes[w]) {
            // The common case: a run of plain bytes, one table look-up each.
            unsigned seen = 0;
            do {
                seen |= f;
                caps += f >> 3;
                f = ++j < limit ? kWordBytes[t[j]] : 0;
            } while (f);
            d |= (seen & 2) != 0;
            lower |= (seen & 4) != 0;
        } else if (w == '(') {
            ++open;
            ++j;
        } else if (w == ')' && open > 0) {
            // Only a bracket the word opened: "(A123456(3))" ends before the
            // last one.
            --open;
            ++j;
        } else if (w >= 0x80) {
            // A letter of another script: the whole character.
            if (symbol_length(t, j, limit)) break;
            lower = true;
            j += w >= 0xF0 ? 4 : w >= 0xE0 ? 3 : 2;
        } else if (inner_mark(t, j, limit)) {
            ++j;
        } else {
            break;
        }
    }
    return {std::min(j, limit), d, lower, caps};
}

// The dates inside the run [s, e) ("TIN 07.12.2026", "2018-03-14T07"):
// three words of digits joined by '.', '/' or '-', the last one perhaps
// followed by a time ('T' and digits). No candidate overlaps them.
void dates_in(std::string_view text, std::size_t s, std::size_t e, std::vector<std::pair<std::size_t, std::size_t>>& out) {
    out.clear();
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto digit = [&](std::size_t i) { return t[i] >= '0' && t[i] <= '9'; };
    const auto digits_end = [&](std::size_t i) {
        while (i < e && digit(i)) ++i;
        return i;
    };
    for (std::size_t a = s; a < e;) {
        std::size_t word_end = a;
        while (word_end < e && !separator_byte(t[word_end])) ++word_end;
        const std::size_t d1 = digits_end(a);
        if (d1 > a && d1 == word_end && d1 < e && t[d1] != ' ' && (a == s || t[a - 1] == ' ')) {
            const std::size_t d2 = digits_end(d1 + 1);
            if (d2 > d1 + 1 && d2 < e && t[d2] == t[d1]) {
                const std::size_t d3 = digits_end(d2 + 1);
                std::size_t end = d3;
                if (d3 < e && t[d3] == 'T' && d3 + 1 < e && digit(d3 + 1)) end = digits_end(d3 + 1);
                // A date stands alone in its run: a longer dotted number that
            // starts like one ("03.05.18-273.61") is no date.
            const bool whole = end == e || t[end] == ' ' || (!word_byte(t[end]) && !separator_byte(t[end]));
                if (d3 > d2 + 1 && whole && looks_like_date(text.substr(a, d3 - a))) out.emplace_back(a, end);
            }
        }
        a = word_end + 1;
    }
}

}  // namespace ovf

namespace ovf {

// The IP addresses inside the run [s, e): four groups of one to three
// digits up to 255 joined by dots, standing alone ("206.223.166.219").
void addresses_in(std::string_view text, std::size_t s, std::size_t e,
                  std::vector<std::pair<std::size_t, std::size_t>>& out) {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto digit = [&](std::size_t i) { return t[i] >= '0' && t[i] <= '9'; };
    for (std::size_t a = s; a < e; ++a) {
        if (!digit(a) || (a > s && t[a - 1] != ' ')) continue;
        std::size_t i = a;
        int groups = 0;
        bool ok = true;
        while (ok && groups < 4) {
            std::size_t d = i;
            int v = 0;
            while (d < e && digit(d) && d - i < 4) v = v * 10 + (t[d++] - '0');
            // No leading zero ("01.209.092.4-017.000" is a tax number).
            ok = d > i && d - i <= 3 && v <= 255 && (d >= e || !digit(d)) && (d - i == 1 || t[i] != '0');
            ++groups;
            i = d;
            if (ok && groups < 4) {
                ok = i < e && t[i] == '.';
                ++i;
            }
        }
        if (ok && groups == 4 && (i >= e || (t[i] != '.' && t[i] != '-' && t[i] != '/' && !word_byte(t[i])))) {
            out.emplace_back(a, i);
            a = i;
        }
    }
}

}  // namespace ovf

namespace ovf {

namespace {

bool digit_at(std::string_view t, std::size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; }

// Whether a currency sign or code ends right before `i` (a blank between
// allowed), or starts right after `j`.
bool currency_before(std::string_view t, std::size_t i) {
    std::size_t b = i;
    if (b > 0 && t[b - 1] == ' ') --b;
    if (b == 0) return false;
    const auto c = static_cast<unsigned char>(t[b - 1]);
    if (c == '$') return true;
    // The euro, pound, yen, rupee and other signs (U+20A0-U+20BF), and
    // the pound and yen of Latin-1.
    if (b >= 3 && static_cast<unsigned char>(t[b - 3]) == 0xE2 && static_cast<unsigned char>(t[b - 2]) == 0x82) return true;
    if (b >= 2 && static_cast<unsigned char>(t[b - 2]) == 0xC2 && (c == 0xA3 || c == 0xA5)) return true;
    if (b >= 3 && t[b - 1] >= 'A' && t[b - 1] <= 'Z' && t[b - 2] >= 'A' && t[b - 2] <= 'Z' && t[b - 3] >= 'A' &&
        t[b - 3] <= 'Z' && (b == 3 || !alnum_byte(static_cast<unsigned char>(t[b - 4])))) {
        static constexpr std::string_view kCodes[] = {"EUR", "USD", "GBP", "CHF", "JPY", "PLN", "SEK", "NOK", "DKK",
                                                       "CZK", "HUF", "RON", "CAD", "AUD", "INR", "BRL", "MXN", "TRY"};
        for (std::string_view code : kCodes)
            if (t.substr(b - 3, 3) == code) return true;
    }
    return false;
}

bool currency_after(std::string_view t, std::size_t j) {
    std::size_t a = j;
    if (a < t.size() && t[a] == ' ') ++a;
    if (a >= t.size()) return false;
    if (t[a] == '$') return true;
    if (a + 2 < t.size() && static_cast<unsigned char>(t[a]) == 0xE2 && static_cast<unsigned char>(t[a + 1]) == 0x82) return true;
    if (t.substr(a, 3) == "z\xC5\x82") return true;  // złoty
    if (a + 3 <= t.size() && (a + 3 == t.size() || !alnum_byte(static_cast<unsigned char>(t[a + 3])))) {
        static constexpr std::string_view kCodes[] = {"EUR", "USD", "GBP", "CHF", "JPY", "PLN", "SEK", "NOK", "DKK",
                                                       "CZK", "HUF", "RON", "CAD", "AUD", "INR", "BRL", "MXN", "TRY"};
        for (std::string_view code : kCodes)
            if (t.substr(a, 3) == code) return true;
    }
    return false;
}

}  // namespace

// Amounts of money in the run [s, e): a number with a currency sign or
// code beside it, a number grouped in thousands before its cents
// ("9.634.782,93"), and the thousands and cents after a comma or an
// apostrophe ("$99,262.09", "CHF 48'102.13").
void amounts_in(std::string_view text, std::size_t s, std::size_t e,
                std::vector<std::pair<std::size_t, std::size_t>>& out) {
    // Each number of the run that starts a word: digits, grouped by '.',
    // '\'' or single blanks between groups of three.
    for (std::size_t a = s; a < e; ++a) {
        if (!digit_at(text, a) || (a > s && text[a - 1] != ' ')) continue;
        std::size_t first = a;
        while (first < e && digit_at(text, first)) ++first;
        std::size_t end = first;
        bool grouped = first - a <= 3;
        std::size_t groups = 0;
        while (end + 3 < e + 1 && (text[end] == '.' || text[end] == '\'' || text[end] == ' ') &&
               digit_at(text, end + 1) && digit_at(text, end + 2) && digit_at(text, end + 3) && !digit_at(text, end + 4)) {
            end += 4;
            ++groups;
        }
        grouped = grouped && groups > 0;
        // A decimal part in the run ("246231.28").
        std::size_t number_end = end;
        if (number_end + 2 < e + 1 && (text[number_end] == '.' || text[number_end] == ',') && digit_at(text, number_end + 1) &&
            digit_at(text, number_end + 2) && !digit_at(text, number_end + 3) && number_end + 3 <= e)
            number_end += 3;
        const bool cents = number_end == end && end < text.size() && (text[end] == ',' || text[end] == '.') &&
                           digit_at(text, end + 1) && digit_at(text, end + 2) && !digit_at(text, end + 3);
        const bool thousands_after = a == s && a >= 2 && (text[a - 1] == ',' || text[a - 1] == '\'') &&
                                     digit_at(text, a - 2) && first - a == 3;
        // The whole number: no group of digits right before or after it.
        const bool alone_before = a == s || !digit_at(text, a - 2);
        const bool alone_after = !(number_end + 1 < e && text[number_end] == ' ' && digit_at(text, number_end + 1));
        if ((currency_before(text, a) && alone_after) || (currency_after(text, number_end) && alone_before) ||
            (grouped && cents) || thousands_after) {
            out.emplace_back(a, number_end);
            a = number_end;
        }
    }
}

}  // namespace ovf
