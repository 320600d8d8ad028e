// The words that announce kinds ("IBAN", "PESEL", "numéro TVA"), indexed by
// their first word so that the few words before a candidate are looked up
// once, whatever the number of kinds.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovf {

class ContextIndex {
public:
    // `phrase` (whole words, in any case) announces kind `kind`.
    void add(std::string_view phrase, int kind);

    struct PhraseHit {
        std::size_t start, end;  // byte offsets into the text
        int kind;
    };

    // Appends every phrase, in any case (ASCII letters, and the Latin,
    // Greek and Cyrillic capitals of two bytes), that starts a word in
    // text[from, to) and ends one, in text order. `scratch` is working
    // space.
    void scan(std::string_view text, std::size_t from, std::size_t to, std::vector<PhraseHit>& out,
              std::string& scratch) const;

private:
    // Appends the phrases whose first word is the folded f[i, end).
    void look_up(std::string_view f, std::string_view orig, std::size_t from, std::size_t i, std::size_t end,
                 std::vector<PhraseHit>& out) const;

    struct Entry {
        std::string phrase;
        int kind;
    };
    // Looked up by string_view, with no copy of the word.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::vector<Entry>, Hash, std::equal_to<>> by_first_word_;
    std::vector<Entry> other_;  // phrases that start with punctuation
    // A cheap first test of a word: its first two bytes and its length.
    static std::size_t sketch(char a, char b, std::size_t n) noexcept {
        return (static_cast<unsigned char>(a) * 31u + static_cast<unsigned char>(b) * 7u + n * 131u) % kSketch;
    }
    static constexpr std::size_t kSketch = 4096;
    static constexpr std::size_t kLongestWord = 128;  // bytes: a word of another script is long
    std::vector<bool> sketches_ = std::vector<bool>(kSketch, false);
    std::size_t longest_ = 0;  // the longest first word, at most kLongestWord
    std::size_t longest_phrase_ = 0;
};

}  // namespace ovf
