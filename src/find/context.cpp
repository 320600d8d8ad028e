#include "find/context.h"

#include "find/words.h"

namespace ovf {

namespace {

// The first run of letters and digits of `s` starting at `at`, or empty.
std::string_view word_at(std::string_view s, std::size_t at) {
    std::size_t e = at;
    while (e < s.size() && alnum_byte(static_cast<unsigned char>(s[e]))) ++e;
    return s.substr(at, e - at);
}

void mark(std::vector<std::uint64_t>& out, int kind) {
    const auto k = static_cast<std::size_t>(kind);
    if (k / 64 < out.size()) out[k / 64] |= std::uint64_t{1} << (k % 64);
}

}  // namespace

void ContextIndex::add(std::string_view phrase, int kind) {
    if (phrase.empty()) return;
    const std::string_view first = word_at(phrase, 0);
    if (first.empty()) other_.push_back({std::string(phrase), kind});
    else by_first_word_[std::string(first)].push_back({std::string(phrase), kind});
}

void ContextIndex::announced(std::string_view hay, std::vector<std::uint64_t>& out) const {
    for (const Entry& e : other_)
        if (contains_words(hay, e.phrase)) mark(out, e.kind);
    std::string word;
    for (std::size_t i = 0; i < hay.size();) {
        if (!alnum_byte(static_cast<unsigned char>(hay[i]))) {
            ++i;
            continue;
        }
        const std::string_view w = word_at(hay, i);
        word.assign(w);
        if (const auto it = by_first_word_.find(word); it != by_first_word_.end())
            for (const Entry& e : it->second) {
                const std::size_t end = i + e.phrase.size();
                if (hay.compare(i, e.phrase.size(), e.phrase) == 0 &&
                    (end == hay.size() || !alnum_byte(static_cast<unsigned char>(hay[end]))))
                    mark(out, e.kind);
            }
        i += w.size();
    }
}

}  // namespace ovf
