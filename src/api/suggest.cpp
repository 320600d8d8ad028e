// "Did you mean ...?" for an id the package module does not know: the ids
// equal to it but for case, those whose alias or abbreviation it is, those
// whose part after the dot it is, or else the nearest by edit distance.
// Runs only once a lookup has failed, so known ids never pay for it.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "module/args.h"
#include "module/target.h"
#include "primitives/normalize.h"

namespace ovpy {

namespace {

// More matches than this say too little to be worth a note.
constexpr std::size_t kMaxShown = 6;

// A record's texts in lower case (full Unicode case mapping), built once.
struct Folded {
    const ov::ValidatorSpec* spec;
    std::string id;
    std::string_view after_dot;  // into `id`; empty for ids without a dot
    std::vector<std::string> names;  // abbreviation and aliases
};

const std::vector<Folded>& folded_records() {
    static const std::vector<Folded> folded = [] {
        std::vector<Folded> out;
        for (const ov::ValidatorSpec* spec : records()) {
            Folded f{spec, ov::lower(spec->id), {}, {}};
            if (!spec->abbreviation.empty()) f.names.push_back(ov::lower(spec->abbreviation));
            for (std::string_view alias : spec->aliases) f.names.push_back(ov::lower(alias));
            out.push_back(std::move(f));
        }
        for (Folded& f : out) {  // views taken once the strings no longer move
            const std::size_t dot = f.id.rfind('.');
            if (dot != std::string::npos) f.after_dot = std::string_view(f.id).substr(dot + 1);
        }
        return out;
    }();
    return folded;
}

// Edit distance counting an exchange of neighbours as one edit (optimal
// string alignment), or limit + 1 when it is above `limit`.
std::size_t distance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t n = a.size(), m = b.size();
    if ((n > m ? n - m : m - n) > limit) return limit + 1;
    std::vector<std::size_t> before(m + 1), prev(m + 1), cur(m + 1);
    for (std::size_t j = 0; j <= m; ++j) prev[j] = j;
    for (std::size_t i = 1; i <= n; ++i) {
        cur[0] = i;
        std::size_t row_min = cur[0];
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            std::size_t d = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d = std::min(d, before[j - 2] + 1);
            cur[j] = d;
            row_min = std::min(row_min, d);
        }
        if (row_min > limit) return limit + 1;
        std::swap(before, prev);
        std::swap(prev, cur);
    }
    return std::min(prev[m], limit + 1);
}

// The edits allowed for a typed id of `n` bytes: one for short ids, up to
// three for long ones.
std::size_t edit_limit(std::size_t n) { return std::clamp<std::size_t>(n / 3, 1, 3); }

std::vector<const ov::ValidatorSpec*> closest(std::string_view id) {
    const std::string key = ov::lower(id);
    const auto& all = folded_records();
    std::vector<const ov::ValidatorSpec*> same, after_dot, near;
    const std::size_t limit = edit_limit(key.size());
    std::size_t best = limit + 1;
    for (const Folded& f : all) {
        if (f.id == key || std::find(f.names.begin(), f.names.end(), key) != f.names.end()) {
            same.push_back(f.spec);
            continue;
        }
        if (!f.after_dot.empty() && f.after_dot == key) after_dot.push_back(f.spec);
        const std::size_t d = distance(key, f.id, std::min(best, limit));
        if (d < best) {
            best = d;
            near.clear();
        }
        if (d == best && d <= limit) near.push_back(f.spec);
    }
    for (auto* tier : {&same, &after_dot, &near})
        if (!tier->empty() && tier->size() <= kMaxShown) return *tier;
    return {};
}

// "did you mean 'a'?", "did you mean 'a' or 'b'?", "did you mean 'a', 'b' or 'c'?"
std::string did_you_mean(const std::vector<const ov::ValidatorSpec*>& ids) {
    std::string text = "did you mean ";
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) text += i + 1 == ids.size() ? " or " : ", ";
        text += '\'';
        text += ids[i]->id;
        text += '\'';
    }
    text += '?';
    return text;
}

}  // namespace

void note_closest_ids(std::string_view id) {
    try {
        const auto ids = closest(id);
        if (!ids.empty()) attach_note("%s", did_you_mean(ids).c_str(), true);
    } catch (...) {
        // A suggestion is a courtesy: the KeyError goes out without it.
    }
}

}  // namespace ovpy
