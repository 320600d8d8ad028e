// The words that announce kinds ("IBAN", "PESEL", "numéro TVA"), indexed by
// their first word so that the few words before a candidate are looked up
// once, whatever the number of kinds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovf {

class ContextIndex {
public:
    // `phrase` (lower-case ASCII, whole words) announces kind `kind`.
    void add(std::string_view phrase, int kind);

    // Sets bit k of `out` (one bit per kind, out.size() * 64 kinds) for
    // every kind one of whose phrases occurs as whole words in `hay`
    // (lower-case).
    void announced(std::string_view hay, std::vector<std::uint64_t>& out) const;

private:
    struct Entry {
        std::string phrase;
        int kind;
    };
    std::unordered_map<std::string, std::vector<Entry>> by_first_word_;
    std::vector<Entry> other_;  // phrases that start with no letter or digit
};

}  // namespace ovf
