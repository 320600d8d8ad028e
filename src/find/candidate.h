// A candidate span of a run, as the scanner walks it: where it stands, its
// key's length, its words, and the tests of its layout.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "find/engine.h"
#include "find/words.h"

namespace ovf {

inline int separator_index(unsigned char c) { return c == ' ' ? 0 : c == '-' ? 1 : c == '.' ? 2 : 3; }

// What a candidate span is: where it stands, the length of its key (the
// span without separators) and its words.
inline constexpr std::size_t kMaxWords = 16;
struct Candidate {
    std::size_t start = 0, end = 0, key_len = 0, words = 0;
    std::uint8_t word_len[kMaxWords] = {};
    std::uint8_t separators = 0;  // bits by separator_index
    bool digits = true;
    bool tail = false;  // it starts inside a longer code (see segment())
    bool deep = false;  // ... after two words with digits
};

// A number of several digit groups grouped as `format` writes the
// kind (or as one group).
inline bool laid_out_as(const Candidate& c, const Kind& kind) {
    if (c.words == 1) return true;
    if (c.words != kind.layout.size()) return false;
    return std::equal(kind.layout.begin(), kind.layout.end(), c.word_len);
}

// Whether the candidate's words have the lengths of the groups of
// `formatted`.
inline bool grouped_as(std::string_view formatted, const Candidate& c) {
    std::size_t word = 0, run = 0;
    for (std::size_t i = 0; i <= formatted.size(); ++i) {
        if (i < formatted.size() && !separator_byte(static_cast<unsigned char>(formatted[i]))) {
            ++run;
            continue;
        }
        if (run == 0) continue;
        if (word == c.words || c.word_len[word] != std::min<std::size_t>(run, 255)) return false;
        ++word;
        run = 0;
    }
    return word == c.words;
}

// Whether the candidate's groups have the lengths of those `format`
// writes its compact value in (or of the compact value's own groups).
inline bool written_as_format(const Kind& kind, const std::string& compact, const Candidate& c) {
    if (c.words > kMaxWords) return false;
    if (grouped_as(compact, c)) return true;
    return kind.spec->ops.format && grouped_as(kind.spec->ops.format(*kind.spec, compact), c);
}

}  // namespace ovf
