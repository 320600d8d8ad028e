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

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `phrase` (lower-case) stands in `text` at `at`, ignoring case,
// and ends a word there.
bool phrase_at(std::string_view text, std::size_t at, std::string_view phrase) {
    if (text.size() - at < phrase.size()) return false;
    for (std::size_t i = 0; i < phrase.size(); ++i)
        if (lower(text[at + i]) != phrase[i]) return false;
    const std::size_t end = at + phrase.size();
    return end == text.size() || !alnum_byte(static_cast<unsigned char>(text[end]));
}

}  // namespace

void ContextIndex::add(std::string_view phrase, int kind) {
    if (phrase.empty()) return;
    const std::string_view first = phrase.substr(0, word_end(phrase, 0));
    if (first.empty()) other_.push_back({std::string(phrase), kind});
    else {
        by_first_word_[std::string(first)].push_back({std::string(phrase), kind});
        sketches_[sketch(first[0], first.size() > 1 ? first[1] : '\0', first.size())] = true;
        longest_ = std::max(longest_, std::min(first.size(), kLongestWord));
    }
}

void ContextIndex::scan(std::string_view text, std::size_t from, std::size_t to, std::vector<PhraseHit>& out) const {
    char word[kLongestWord];
    to = std::min(to, text.size());
    for (std::size_t i = from; i < to;) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool starts = word_char(c) && (i == 0 || !word_char(static_cast<unsigned char>(text[i - 1])));
        if (!word_char(c)) {
            for (const Entry& e : other_)
                if (static_cast<char>(c) == e.phrase[0] && (i == 0 || !alnum_byte(static_cast<unsigned char>(text[i - 1]))) &&
                    phrase_at(text, i, e.phrase))
                    out.push_back({i, i + e.phrase.size(), e.kind});
            ++i;
            continue;
        }
        const std::size_t end = word_end(text, i);
        if (starts && end - i <= longest_) {
            // The sketch of the word, lower-cased, before any copy.
            const char w0 = lower(text[i]), w1 = end - i > 1 ? lower(text[i + 1]) : '\0';
            if (sketches_[sketch(w0, w1, end - i)]) {
                for (std::size_t k = i; k < end; ++k) word[k - i] = lower(text[k]);
                if (const auto it = by_first_word_.find(std::string_view(word, end - i)); it != by_first_word_.end())
                    for (const Entry& e : it->second)
                        if (phrase_at(text, i, e.phrase)) out.push_back({i, i + e.phrase.size(), e.kind});
            }
        }
        i = end;
    }
}

}  // namespace ovf
