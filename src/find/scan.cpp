// Scanning: segments, candidates, verdicts, confidence and overlaps.
#include <algorithm>

#include "find/engine.h"
#include "re2/re2.h"
#include "re2/set.h"

namespace ovf {

namespace {

// Windows over one long segment: each reports the candidates starting in
// its first kWindow bytes and sees max_candidate bytes further.
constexpr std::size_t kWindow = 1 << 16;
// Shorter spans tried inside one candidate that fails its check.
constexpr int kMaxShrinks = 8;
constexpr int kContextWords = 5;
constexpr std::size_t kContextBytes = 96;

bool word_byte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool alnum_byte(unsigned char c) { return word_byte(c) && c != '_'; }
bool separator_byte(unsigned char c) { return c == ' ' || c == '-' || c == '.' || c == '/'; }

struct Verdict {
    bool ok = false;
    std::string compact;
};

Verdict judge(const ov::ValidatorSpec& spec, std::string_view value) {
    if (spec.ops.precheck) {
        const ov::PrecheckOutcome pre = spec.ops.precheck(spec, value);
        if (pre.kind == ov::PrecheckKind::AcceptAsIs) return {true, std::string(value)};
        if (pre.kind == ov::PrecheckKind::Failure) return {false, spec.ops.compact(spec, value)};
    }
    const ov::ValidationOutcome o = spec.ops.validate(spec, value);
    if (o.ok) return {true, std::string(o.text())};
    return {false, spec.ops.compact(spec, value)};
}

// Whether `phrase` occurs as whole words in `hay`.
bool contains_words(std::string_view hay, std::string_view phrase) {
    for (std::size_t at = hay.find(phrase); at != std::string_view::npos; at = hay.find(phrase, at + 1)) {
        const bool before = at == 0 || !alnum_byte(static_cast<unsigned char>(hay[at - 1]));
        const std::size_t end = at + phrase.size();
        const bool after = end == hay.size() || !alnum_byte(static_cast<unsigned char>(hay[end]));
        if (before && after) return true;
    }
    return false;
}

// The few words before `start`, lower-cased (ASCII).
std::string words_before(std::string_view text, std::size_t start, std::size_t limit) {
    std::size_t lo = start > limit ? start - limit : 0;
    std::size_t b = start;
    int words = 0;
    bool in_word = false;
    while (b > lo) {
        const unsigned char c = static_cast<unsigned char>(text[b - 1]);
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!space && !in_word) {
            if (words == kContextWords) break;
            ++words;
        }
        in_word = !space;
        --b;
    }
    std::string out(text.substr(b, start - b));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Whether `value` starts with `prefix`, ignoring case.
bool starts_with_letters(std::string_view value, std::string_view prefix) {
    if (value.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return false;
    }
    return true;
}

class Scanner {
public:
    Scanner(const Engine& e, const Selection& sel, std::string_view text) : e_(e), sel_(sel), text_(text) {}

    void run(std::size_t from, std::size_t to, std::vector<Hit>& out) {
        const std::size_t m = e_.max_candidate;
        const std::size_t lo = from > m ? from - m : 0;
        const std::size_t hi = std::min(text_.size(), to + m);
        segments(lo, hi);
        finish(from, to, out);
    }

private:
    bool any_enabled(const Group& g) const {
        for (int k : g.kinds)
            if (sel_.enabled[static_cast<std::size_t>(k)]) return true;
        return false;
    }

    void segments(std::size_t lo, std::size_t hi) {
        const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
        const std::size_t limit = std::min(text_.size(), hi + e_.max_candidate);
        std::size_t i = lo;
        while (i < hi) {
            while (i < hi && !e_.soft[t[i]]) ++i;
            if (i >= hi) break;
            const std::size_t s = i;
            bool digit = false;
            int upper = 0, longest_upper = 0;
            while (i < limit && e_.soft[t[i]]) {
                const unsigned char c = t[i++];
                digit |= c >= '0' && c <= '9';
                if (c >= 'A' && c <= 'Z') ++upper;
                else if (!separator_byte(c)) upper = 0;
                longest_upper = std::max(longest_upper, upper);
            }
            // Every kind but the bank identifier code has a digit; that one
            // has at least six capitals (perhaps spaced).
            if (digit || longest_upper >= 6) segment(s, std::min(i, hi), i);
        }
    }

    // Candidates starting in [s, accept_end), seen up to `end`.
    void segment(std::size_t s, std::size_t accept_end, std::size_t end) {
        for (std::size_t ws = s; ws < accept_end; ws += kWindow) {
            const std::size_t we = std::min(end, ws + kWindow + e_.max_candidate);
            piece(ws, we, std::min(accept_end, ws + kWindow));
        }
    }

    void piece(std::size_t ws, std::size_t we, std::size_t accept_end) {
        const std::string_view p = text_.substr(ws, we - ws);
        groups_.clear();
        if (!e_.set->Match(p, &groups_)) return;
        std::sort(groups_.begin(), groups_.end());
        for (int gi : groups_) {
            const Group& g = e_.groups[static_cast<std::size_t>(gi)];
            if (!any_enabled(g)) continue;
            std::size_t pos = 0;
            while (pos < p.size()) {
                re2::StringPiece m;
                if (!g.re->Match(p, pos, p.size(), re2::RE2::UNANCHORED, &m, 1)) break;
                const std::size_t ms = static_cast<std::size_t>(m.data() - p.data());
                const std::size_t me = ms + m.size();
                if (ws + ms >= accept_end) break;
                std::size_t next = next_token(p, ms);
                if (me > ms && me - ms <= e_.max_candidate && starts_word(ws + ms)) {
                    const std::size_t found = candidate(g, ws + ms, ws + me, ends_word(ws + me));
                    if (found) next = std::max(next, found - ws);
                }
                pos = next;
            }
        }
    }

    // Word boundaries on the real text (a window may cut a word).
    bool starts_word(std::size_t s) const {
        return s == 0 || !word_byte(static_cast<unsigned char>(text_[s - 1]));
    }
    bool ends_word(std::size_t e) const {
        return e == text_.size() || !word_byte(static_cast<unsigned char>(text_[e]));
    }

    // Start of the next token after the one at `ms`: where a shorter
    // candidate could begin once this one has failed.
    static std::size_t next_token(std::string_view p, std::size_t ms) {
        std::size_t j = ms + 1;
        while (j < p.size() && !separator_byte(static_cast<unsigned char>(p[j]))) ++j;
        while (j < p.size() && separator_byte(static_cast<unsigned char>(p[j]))) ++j;
        return j;
    }

    // Judges [s, e) for every enabled kind of the group; returns the end of
    // the valid span found (the candidate or a shorter prefix), 0 if none.
    std::size_t candidate(const Group& g, std::size_t s, std::size_t e, bool whole) {
        if (whole && judge_span(g, s, e, false)) return e;
        // A number followed by more digits in the same spaced run: try
        // shorter prefixes ending at a token end, longest first.
        int tries = 0;
        for (std::size_t pe = e - 1; pe > s + 1 && tries < kMaxShrinks; --pe) {
            if (!separator_byte(static_cast<unsigned char>(text_[pe])) ||
                separator_byte(static_cast<unsigned char>(text_[pe - 1])))
                continue;
            ++tries;
            if (!re2::RE2::FullMatch(text_.substr(s, pe - s), *g.whole)) continue;
            if (judge_span(g, s, pe, false)) return pe;
        }
        if (whole && sel_.include_invalid) judge_span(g, s, e, true);
        return 0;
    }

    // Records a hit for every enabled kind of the group that validates
    // [s, e) (and, with `invalid`, for those that do not); true if one did.
    bool judge_span(const Group& g, std::size_t s, std::size_t e, bool invalid) {
        const std::string_view value = text_.substr(s, e - s);
        bool any = false;
        for (int k : g.kinds) {
            if (!sel_.enabled[static_cast<std::size_t>(k)]) continue;
            const Kind& kind = e_.kinds[static_cast<std::size_t>(k)];
            Verdict v = judge(*kind.spec, value);
            if (!v.ok && !invalid) continue;
            any |= v.ok;
            hits_.push_back(Hit{s, e, k, v.ok, confidence(kind, value, s), std::move(v.compact)});
        }
        return any;
    }

    Evidence confidence(const Kind& k, std::string_view value, std::size_t s) const {
        Evidence base = k.evidence;
        if (k.bare_is_weaker && base != Evidence::Shape && !starts_with_letters(value, k.prefix))
            base = static_cast<Evidence>(static_cast<int>(base) - 1);
        if (base == Evidence::Checksum) return base;
        const std::string before = words_before(text_, s, kContextBytes);
        for (const std::string& w : k.context)
            if (contains_words(before, w)) return static_cast<Evidence>(static_cast<int>(base) + 1);
        return base;
    }

    // Confidence filter, then overlaps: the longest valid span wins, equal
    // spans keep every kind; invalid spans only where no valid one lies.
    void finish(std::size_t from, std::size_t to, std::vector<Hit>& out) {
        std::erase_if(hits_, [&](const Hit& h) { return h.confidence < sel_.min_confidence; });
        std::stable_sort(hits_.begin(), hits_.end(), [](const Hit& a, const Hit& b) {
            if (a.valid != b.valid) return a.valid;
            if (a.end - a.start != b.end - b.start) return a.end - a.start > b.end - b.start;
            if (a.start != b.start) return a.start < b.start;
            return a.kind < b.kind;
        });
        std::vector<Hit> kept;
        for (Hit& h : hits_) {
            bool clash = false;
            for (const Hit& k : kept) {
                const bool same = k.start == h.start && k.end == h.end;
                if (same && k.kind == h.kind) clash = true;
                else if (!same && k.start < h.end && h.start < k.end) clash = true;
                else if (same && !(k.valid == h.valid)) clash = true;
                if (clash) break;
            }
            if (!clash) kept.push_back(std::move(h));
        }
        std::sort(kept.begin(), kept.end(), [](const Hit& a, const Hit& b) {
            if (a.start != b.start) return a.start < b.start;
            return a.kind < b.kind;
        });
        for (Hit& h : kept)
            if (h.start >= from && h.start < to) out.push_back(std::move(h));
        hits_.clear();
    }

    const Engine& e_;
    const Selection& sel_;
    std::string_view text_;
    std::vector<int> groups_;
    std::vector<Hit> hits_;
};

}  // namespace

void scan(const Engine& e, const Selection& sel, std::string_view text, std::size_t from, std::size_t to,
          std::vector<Hit>& out) {
    if (from >= to || from >= text.size()) return;
    Scanner(e, sel, text).run(from, std::min(to, text.size()), out);
}

std::vector<int> identify(const Engine& e, const Selection& sel, std::string_view value) {
    std::vector<int> groups;
    std::vector<int> found;
    const auto collect = [&](std::string_view v) {
        groups.clear();
        if (!e.exact->Match(v, &groups)) return;
        for (int gi : groups)
            for (int k : e.groups[static_cast<std::size_t>(gi)].kinds)
                if (sel.enabled[static_cast<std::size_t>(k)] &&
                    std::find(found.begin(), found.end(), k) == found.end() &&
                    judge(*e.kinds[static_cast<std::size_t>(k)].spec, value).ok)
                    found.push_back(k);
    };
    // Surrounding blanks and lower-case letters are what people type; the
    // validators accept both, the patterns only the canonical form.
    std::size_t b = 0, n = value.size();
    while (b < n && (value[b] == ' ' || value[b] == '\t')) ++b;
    while (n > b && (value[n - 1] == ' ' || value[n - 1] == '\t')) --n;
    const std::string_view core = value.substr(b, n - b);
    collect(core);
    if (std::any_of(core.begin(), core.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        std::string up(core);
        for (char& c : up)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        collect(up);
    }
    std::stable_sort(found.begin(), found.end(), [&](int a, int b2) {
        const Evidence ea = e.kinds[static_cast<std::size_t>(a)].evidence;
        const Evidence eb = e.kinds[static_cast<std::size_t>(b2)].evidence;
        if (ea != eb) return ea > eb;
        return a < b2;
    });
    return found;
}

}  // namespace ovf
