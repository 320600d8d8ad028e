#include "find/context.h"

#include "find/words.h"

namespace ovf {

namespace {

// Letters and digits of any script (the bytes of a non-ASCII character
// count as letters).
bool word_char(unsigned char c) { return alnum_byte(c) || c >= 0x80; }

// The end of the word of `s` starting at `at`.
std::size_t word_end(std::string_view s, std::size_t at) {
    while (at < s.size() && word_char(static_cast<unsigned char>(s[at]))) ++at;
    return at;
}

// The small letter of a capital of the Latin-1, Latin Extended-A and
// Additional, Greek, Cyrillic, Armenian and Georgian letters (each keeps its
// UTF-8 length), else the character itself.
char32_t small_letter(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x531 && c <= 0x556) return c + 0x30;
    if (c == 0x3C2) return 0x3C3;  // a word's last sigma is a sigma
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if ((c >= 0x1C90 && c <= 0x1CBA) || (c >= 0x1CBD && c <= 0x1CBF)) return c - 0x1C90 + 0x10D0;
    if (((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) && c % 2 == 0) return c + 1;
    const bool even_pairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool odd_pairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((even_pairs && c % 2 == 0) || (odd_pairs && c % 2 == 1)) return c + 1;
    return c;
}

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// `in` with its capitals made small: ASCII, and the two-byte ones above.
// Every character keeps its length, so offsets into `out` are offsets
// into `in`.
void fold_case(std::string_view in, std::string& out) {
    out.assign(in);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b - 'A' + 'a');
        } else if (b >= 0xC2 && b <= 0xDF && i + 1 < out.size() && continuation(out[i + 1])) {
            const char32_t c = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(out[i + 1]) & 0x3Fu);
            const char32_t l = small_letter(c);
            out[i] = static_cast<char>(0xC0 | (l >> 6));
            out[i + 1] = static_cast<char>(0x80 | (l & 0x3F));
            ++i;
        } else if (b == 0xE1 && i + 2 < out.size() && continuation(out[i + 1]) && continuation(out[i + 2])) {
            const char32_t c = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(out[i + 1]) & 0x3Fu) << 6) |
                               (static_cast<unsigned char>(out[i + 2]) & 0x3Fu);
            const char32_t l = small_letter(c);
            out[i + 1] = static_cast<char>(0x80 | ((l >> 6) & 0x3F));
            out[i + 2] = static_cast<char>(0x80 | (l & 0x3F));
            i += 2;
        }
    }
}

bool upper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool lower(unsigned char c) { return c >= 'a' && c <= 'z'; }

// Whether a word of the original text `t` ends before t[k] in the way
// keys are written: camel case ("taxId", "VATNumber").
bool camel_break(std::string_view t, std::size_t k) {
    if (k == 0 || k >= t.size()) return false;
    const auto a = static_cast<unsigned char>(t[k - 1]), b = static_cast<unsigned char>(t[k]);
    if (lower(a) && upper(b)) return true;
    // After three capitals or more: "VATNumber", not "USt".
    return k >= 3 && upper(a) && upper(b) && upper(static_cast<unsigned char>(t[k - 2])) &&
           upper(static_cast<unsigned char>(t[k - 3])) && k + 1 < t.size() && lower(static_cast<unsigned char>(t[k + 1]));
}

bool joiner(unsigned char c) { return c == ' ' || c == '_' || c == '-' || c == '.'; }

// Where `phrase` (folded) ends when it stands in the folded text `f` at
// `at` and ends a word there, else npos. Between its words a key may write
// '_', '-' or '.' for the blank, or nothing at a camel-case break
// ("vat_id", "tax-id", "taxId" all read "tax id" and "vat id"); the
// original text `t` shows the breaks.
std::size_t phrase_at(std::string_view f, std::string_view t, std::size_t at, std::string_view phrase) {
    std::size_t i = at;
    for (std::size_t p = 0; p < phrase.size(); ++p) {
        const auto c = static_cast<unsigned char>(phrase[p]);
        if (c == ' ') {
            // One to three of them ("T.C. Kimlik", "n° - TVA").
            const std::size_t j = i;
            while (i < f.size() && i - j < 3 && joiner(static_cast<unsigned char>(f[i]))) ++i;
            if (i == j && !camel_break(t, i)) return std::string_view::npos;
            continue;
        }
        if (i >= f.size() || static_cast<unsigned char>(f[i]) != c) return std::string_view::npos;
        ++i;
    }
    if (i == f.size() || !alnum_byte(static_cast<unsigned char>(f[i])) || camel_break(t, i)) return i;
    return std::string_view::npos;
}

}  // namespace

void ContextIndex::add(std::string_view written, int kind) {
    if (written.empty()) return;
    std::string folded;
    fold_case(written, folded);
    // '-', '_' and '.' between words read as a blank, which matches any of
    // them or a camel-case break in the text; at the ends they are dropped
    // ("USt-IdNr." is "ust idnr").
    std::string spaced;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (joiner(c)) {
            if (!spaced.empty() && spaced.back() != ' ') spaced += ' ';
        } else {
            spaced += folded[i];
        }
    }
    while (!spaced.empty() && spaced.back() == ' ') spaced.pop_back();
    if (spaced.empty() || !word_char(static_cast<unsigned char>(spaced[0]))) spaced = folded;
    const std::string_view phrase = spaced;
    longest_phrase_ = std::max(longest_phrase_, phrase.size());
    const std::string_view first = phrase.substr(0, word_end(phrase, 0));
    if (first.empty()) other_.push_back({std::string(phrase), kind});
    else {
        by_first_word_[std::string(first)].push_back({std::string(phrase), kind});
        sketches_[sketch(first[0], first.size() > 1 ? first[1] : '\0', first.size())] = true;
        longest_ = std::max(longest_, std::min(first.size(), kLongestWord));
    }
}

void ContextIndex::look_up(std::string_view f, std::string_view orig, std::size_t from, std::size_t i, std::size_t end,
                           std::vector<PhraseHit>& out) const {
    if (end - i > longest_) return;
    const std::string_view w = f.substr(i - from, end - i);
    if (!sketches_[sketch(w[0], w.size() > 1 ? w[1] : '\0', w.size())]) return;
    const auto it = by_first_word_.find(w);
    if (it == by_first_word_.end()) return;
    for (const Entry& e : it->second)
        if (const std::size_t pe = phrase_at(f, orig, i - from, e.phrase); pe != std::string_view::npos)
            out.push_back({i, from + pe, e.kind});
}

void ContextIndex::scan(std::string_view text, std::size_t from, std::size_t to, std::vector<PhraseHit>& out,
                        std::string& scratch) const {
    to = std::min(to, text.size());
    if (from >= to) return;
    // The text folded, from `from` to as far as a phrase starting before `to`
    // may reach (offsets in it are offsets in the text minus `from`).
    const std::string_view orig = text.substr(from, std::min(text.size(), to + longest_phrase_) - from);
    fold_case(orig, scratch);
    const std::string_view f = scratch;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = from; i < to;) {
        const unsigned char c = byte(i);
        if (!word_char(c)) {
            for (const Entry& e : other_)
                if (f[i - from] == e.phrase[0] && (i == 0 || !alnum_byte(byte(i - 1))))
                    if (const std::size_t end = phrase_at(f, orig, i - from, e.phrase); end != std::string_view::npos)
                        out.push_back({i, from + end, e.kind});
            ++i;
            continue;
        }
        const bool starts = i == 0 || !word_char(byte(i - 1));
        std::size_t end = i + 1;
        bool inner_capital = false;  // a capital after the first letter: camel case may break the word
        while (end < text.size() && end - from < f.size() && word_char(byte(end))) inner_capital |= upper(byte(end++));
        if (starts && !inner_capital) {
            look_up(f, orig, from, i, end, out);
        } else if (starts) {
            // The word, and the words of its camel case ("taxId": "tax",
            // "id"; "IdNr" is looked up whole too).
            for (std::size_t a = i; a < end;) {
                std::size_t b = a + 1;
                while (b < end && !camel_break(orig, b - from)) ++b;
                look_up(f, orig, from, a, a == i ? end : b, out);
                if (a != i || b != end) look_up(f, orig, from, a, b, out);
                a = b;
            }
        }
        i = end;
    }
}

}  // namespace ovf
