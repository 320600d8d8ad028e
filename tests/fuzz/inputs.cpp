#include "inputs.h"

#include <array>
#include <string_view>

#include "primitives/text.h"

namespace ovfuzz {

namespace {

// Pieces that compaction, trimming, case mapping and character counting
// must all survive: separators of every set, control bytes, NUL, blanks
// beyond ASCII, zero-width and combining marks, look-alike digits and
// dashes, letters whose case mapping changes their length.
constexpr std::array<std::string_view, 48> kTokens = {
    " ",       "-",        ".",        "/",        ",",        ":",        "\t",       "\n",
    "\r",      "\v",       "\f",       std::string_view("\0", 1), "\x7F", "+",      "(",        ")",
    "\u00A0",  "\u2007",   "\u202F",   "\u3000",   "\u2028",   "\u0085",   "\u200B",   "\u200C",
    "\u200D",  "\u2060",   "\uFEFF",   "\u0301",   "\u0308",   "\u20DD",   "\u2010",   "\u2013",
    "\u2212",  "\uFF10",   "\uFF19",   "\u0660",   "\u06F5",   "\u0966",   "\u00DF",   "\u0130",
    "\u0131",  "\u017F",   "\u1E9E",   "\uFB00",   "\u03A3",   "\U0001F600", "\uFFFD", "\u00F1",
};
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::string_view token(Rng& rng) { return kTokens[rng.below(kTokens.size())]; }

char32_t random_code_point(Rng& rng) {
    switch (rng.below(6)) {
        case 0: return static_cast<char32_t>(0x20 + rng.below(0x5F));      // printable ASCII
        case 1: return static_cast<char32_t>(rng.below(0x80));             // any ASCII, controls too
        case 2: return static_cast<char32_t>(0x80 + rng.below(0x780));     // two bytes
        case 3: {                                                          // three bytes, no surrogates
            char32_t cp = static_cast<char32_t>(0x800 + rng.below(0xF800));
            return (cp >= 0xD800 && cp <= 0xDFFF) ? cp - 0x800 : cp;
        }
        case 4: return static_cast<char32_t>(0x10000 + rng.below(0x100000));  // four bytes
        default: return kDigits[rng.below(10)];
    }
}

// Byte offset where the character holding byte i starts.
std::size_t char_start(std::string_view s, std::size_t i) {
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return i;
}

void mutate_once(Rng& rng, std::string& s) {
    const std::size_t n = s.size();
    const std::size_t at = rng.below(n + 1);
    switch (rng.below(11)) {
        case 0:  // replace a byte by a digit, a letter or any byte
            if (n) s[rng.below(n)] = rng.one_in(3) ? static_cast<char>(rng.next()) : kDigits[rng.below(10)];
            break;
        case 1: s.insert(at, token(rng)); break;
        case 2: s.insert(at, 1, rng.one_in(2) ? kDigits[rng.below(10)] : kLetters[rng.below(kLetters.size())]); break;
        case 3:  // delete one byte: may cut a character in two
            if (n) s.erase(rng.below(n), 1);
            break;
        case 4:  // delete a whole character
            if (n) {
                const std::size_t b = char_start(s, rng.below(n));
                char32_t cp;
                s.erase(b, ov::decode_utf8(s, b, cp));
            }
            break;
        case 5:  // duplicate a range
            if (n) {
                const std::size_t b = rng.below(n), len = 1 + rng.below(n - b);
                s.insert(b, s.substr(b, len));
            }
            break;
        case 6:  // flip ASCII case
            for (char& ch : s)
                if (rng.one_in(2) && ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) ch ^= 0x20;
            break;
        case 7:  // wrap in blanks or zero-width characters
            s = std::string(token(rng)) + s + std::string(token(rng));
            break;
        case 8:  // separators between characters
            for (std::size_t i = s.size(); i > 1; --i)
                if (rng.one_in(3) && (static_cast<unsigned char>(s[i - 1]) & 0xC0) != 0x80) s.insert(i - 1, token(rng));
            break;
        case 9:  // swap two neighbouring bytes
            if (n > 1) {
                const std::size_t i = rng.below(n - 1);
                std::swap(s[i], s[i + 1]);
            }
            break;
        default:  // truncate
            s.resize(rng.below(n + 1));
            break;
    }
}

}  // namespace

std::string random_bytes(Rng& rng, std::size_t max_len) {
    std::string s(rng.below(max_len + 1), '\0');
    for (char& ch : s) ch = static_cast<char>(rng.next());
    return s;
}

std::string random_utf8(Rng& rng, std::size_t max_chars) {
    std::string s;
    for (std::size_t i = rng.below(max_chars) + 1; i > 0; --i) ov::append_utf8(s, random_code_point(rng));
    return s;
}

std::string random_tokens(Rng& rng, std::size_t max_tokens) {
    std::string s;
    for (std::size_t i = rng.below(max_tokens + 1); i > 0; --i) {
        switch (rng.below(4)) {
            case 0: s += token(rng); break;
            case 1: s += kLetters[rng.below(kLetters.size())]; break;
            default: s += kDigits[rng.below(10)]; break;
        }
    }
    return s;
}

std::string mutate(Rng& rng, std::string base) {
    for (std::size_t i = 1 + rng.below(4); i > 0; --i) mutate_once(rng, base);
    return base;
}

std::string very_long(Rng& rng, std::span<const std::string> seeds) {
    const std::size_t target = 1024 + rng.below(100 * 1024);
    std::string s;
    const std::string unit = seeds.empty() || rng.one_in(3) ? std::string(token(rng)) : seeds[rng.below(seeds.size())];
    if (rng.one_in(2) && !seeds.empty()) {
        // A real value drowned in one token on both sides.
        const std::string pad(token(rng));
        while (s.size() < target / 2) s += pad;
        s += seeds[rng.below(seeds.size())];
        while (s.size() < target) s += pad;
    } else {
        while (s.size() < target) s += unit.empty() ? std::string("0") : unit;
    }
    return rng.one_in(4) ? mutate(rng, std::move(s)) : s;
}

std::string any_input(Rng& rng, std::span<const std::string> seeds) {
    const std::size_t kind = rng.below(64);
    if (kind == 0) return very_long(rng, seeds);
    if (kind < 8) return random_bytes(rng, 40);
    if (kind < 16) return random_utf8(rng, 30);
    if (kind < 28) return random_tokens(rng, 30);
    if (seeds.empty()) return random_tokens(rng, 30);
    const std::string& base = seeds[rng.below(seeds.size())];
    if (kind < 31) return base + seeds[rng.below(seeds.size())];  // two values run together
    return mutate(rng, base);
}

}  // namespace ovfuzz
