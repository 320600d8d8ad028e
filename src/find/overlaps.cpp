// The last step of a scan: the confidence filter and the overlaps.
#include <algorithm>
#include <map>

#include "find/engine.h"

namespace ovf {

void resolve(std::vector<Hit>& hits, Evidence min_confidence, std::size_t from, std::size_t to,
             std::vector<Hit>& out) {
    std::erase_if(hits, [&](const Hit& h) { return h.confidence < min_confidence && !h.announced; });
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.valid != b.valid) return a.valid;
        if (a.end - a.start != b.end - b.start) return a.end - a.start > b.end - b.start;
        if (a.start != b.start) return a.start < b.start;
        return a.kind < b.kind;
    });
    // Accepted spans by start; they never overlap unless equal.
    std::map<std::size_t, std::pair<std::size_t, bool>> taken;
    std::vector<Hit> kept;
    for (Hit& h : hits) {
        auto next = taken.lower_bound(h.start);
        bool clash = false;
        if (next != taken.end() && next->first == h.start) {
            // The same span again: another kind (or the same kind found
            // by a second pattern, which adds nothing).
            const bool equal = next->second.first == h.end && next->second.second == h.valid;
            // Hits of one span are adjacent in this order, so their
            // kept ones are the last kept.
            for (auto k = kept.rbegin(); !clash && k != kept.rend() && k->start == h.start; ++k)
                clash = k->end == h.end && k->kind == h.kind;
            clash = clash || !equal;
        } else {
            if (next != taken.end() && next->first < h.end) clash = true;
            if (next != taken.begin() && std::prev(next)->second.first > h.start) clash = true;
        }
        if (clash) continue;
        taken.emplace(h.start, std::make_pair(h.end, h.valid));
        kept.push_back(std::move(h));
    }
    // One span of several kinds: those a context word names come first and
    // the others count one step weaker (dropped when that is below the
    // call's confidence); then the strongest, then registry order.
    std::sort(kept.begin(), kept.end(), [](const Hit& a, const Hit& b) {
        if (a.start != b.start) return a.start < b.start;
        if (a.announced != b.announced) return a.announced;
        if (a.confidence != b.confidence) return a.confidence > b.confidence;
        return a.kind < b.kind;
    });
    for (std::size_t i = 0; i < kept.size();) {
        std::size_t j = i + 1;
        while (j < kept.size() && kept[j].start == kept[i].start) ++j;
        const bool named = kept[i].announced;
        for (std::size_t k = i; k < j; ++k) {
            Hit& h = kept[k];
            if (named && !h.announced) {
                if (h.confidence == Evidence::Shape) continue;
                h.confidence = static_cast<Evidence>(static_cast<int>(h.confidence) - 1);
                if (h.confidence < min_confidence) continue;
            }
            if (h.start >= from && h.start < to) out.push_back(std::move(h));
        }
        i = j;
    }
    hits.clear();
}

}  // namespace ovf
