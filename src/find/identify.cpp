// identify: the kinds a whole value validates as.
#include <algorithm>
#include <bit>
#include <string>

#include "find/candidate.h"
#include "find/engine.h"
#include "find/normalise.h"
#include "find/words.h"
#include "re2/set.h"

namespace ovf {

namespace {

std::vector<int> identify_as_written(const Engine& e, const Selection& sel, std::string_view value);

}  // namespace

std::vector<int> identify(const Engine& e, const Selection& sel, std::string_view value) {
    // Full-width forms, no-break spaces and soft hyphens read as their
    // plain forms, as the finder reads them in text.
    Normalised n;
    if (value.size() > 4096 || !normalise(value, n)) return identify_as_written(e, sel, value);
    std::vector<int> found = identify_as_written(e, sel, value);
    for (const int k : identify_as_written(e, sel, n.text))
        if (std::find(found.begin(), found.end(), k) == found.end()) found.push_back(k);
    return found;
}

namespace {

std::vector<int> identify_as_written(const Engine& e, const Selection& sel, std::string_view value) {
    std::vector<int> found;
    // Surrounding blanks (a line's end too) and small letters are what
    // people type; the validators accept both, the patterns only the
    // canonical form.
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::size_t b = 0, n = value.size();
    while (b < n && blank(value[b])) ++b;
    while (n > b && blank(value[n - 1])) --n;
    std::size_t len = 0;
    GroupBits cand = sel.groups, cand_up = sel.groups;
    bool small = false;
    for (std::size_t i = b; i < n; ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (separator_byte(c)) {
            // Separators take no key position (a doubled one may still be a
            // pattern's own: the automaton decides).
            cand &= e.by_separator[separator_index(c)];
            cand_up &= e.by_separator[separator_index(c)];
            continue;
        }
        if (len == kMaxKey) return found;
        const unsigned char u = c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
        small |= u != c;
        cand &= e.by_class[class_index(c)][len];
        cand_up &= e.by_class[class_index(u)][len++];
    }
    if (len == 0) return found;
    cand &= e.by_length[len];
    cand_up &= e.by_length[len];
    const std::string_view core = value.substr(b, n - b);
    std::string core_up;
    if (small) {
        core_up.assign(core);
        for (char& c : core_up)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    // The groups whose pattern the value matches (as written, or in
    // capitals): one pass of the automaton, then only their kinds' checks.
    std::vector<int> matched;
    if (cand.any()) e.patterns->Match(core, &matched);
    if (small && cand_up.any()) {
        std::vector<int> upper;
        e.patterns->Match(core_up, &upper);
        matched.insert(matched.end(), upper.begin(), upper.end());
    }
    std::sort(matched.begin(), matched.end());
    matched.erase(std::unique(matched.begin(), matched.end()), matched.end());
    // Every selected kind whose validate accepts the value is listed, not
    // only those whose scanning pattern fits it: a pattern is a filter for
    // text, while compaction accepts more (a BSN of eight digits, small
    // check letters, a doubled separator). The pattern still ranks.
    std::vector<std::uint8_t> fits(e.kinds.size(), 0), written(e.kinds.size(), 0);
    for (const int g : matched)
        for (int k : e.groups[static_cast<std::size_t>(g)].kinds) fits[static_cast<std::size_t>(k)] = 1;
    for (std::size_t k = 0; k < e.kinds.size(); ++k) {
        if (!sel.enabled[k]) continue;
        const Kind& kind = e.kinds[k];
        const ov::ValidationOutcome o = kind.spec->ops.validate(*kind.spec, core);
        if (!o.ok) continue;
        found.push_back(static_cast<int>(k));
        // Written as the kind writes it: its compact form or `format`'s.
        const std::string_view compact = o.text();
        if (core == compact || (kind.spec->ops.format && core == kind.spec->ops.format(*kind.spec, compact)))
            written[k] = 1;
    }
    // Most plausible first: the strength of the kind's check, then whether
    // the value is written as the kind writes it, then whether its pattern
    // fits it, then whether it passes at that length no more often than one
    // random number in 500.
    const auto rank = [&](int k) {
        const auto i = static_cast<std::size_t>(k);
        const Kind& kind = e.kinds[i];
        const bool weak = len <= kLongNumber && kind.weak_lengths[len];
        return static_cast<int>(kind.evidence) * 8 + written[i] * 4 + fits[i] * 2 + (weak ? 0 : 1);
    };
    std::stable_sort(found.begin(), found.end(), [&](int x, int y) { return rank(x) > rank(y); });
    return found;
}

}  // namespace

}  // namespace ovf
