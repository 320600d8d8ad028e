#include "validators/extended/kind.h"

#include "registry/random.h"

namespace ov::extended {

std::string join_at(std::string_view s, std::initializer_list<std::size_t> cuts, char separator) {
    std::string out;
    out.reserve(s.size() + cuts.size());
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        if (cut <= from || cut >= s.size()) continue;
        out.append(s.substr(from, cut - from));
        out.push_back(separator);
        from = cut;
    }
    out.append(s.substr(from));
    return out;
}

std::string random_from(std::string_view alphabet, std::size_t n) {
    std::string out(n, '0');
    for (char& c : out) c = alphabet[random_below(alphabet.size())];
    return out;
}

}  // namespace ov::extended
