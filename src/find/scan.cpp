// Scanning: segments, candidates, verdicts, confidence and overlaps.
#include <algorithm>
#include <cstdint>
#include <map>

#include "find/engine.h"
#include "find/words.h"
#include "re2/re2.h"
#include "re2/set.h"

namespace ovf {

namespace {

// Windows over one long segment: each reports the candidates starting in
// its first kWindow bytes and sees max_candidate bytes further.
constexpr std::size_t kWindow = 1 << 16;
// Shorter spans tried inside one candidate that fails its check.
constexpr int kMaxShrinks = 8;
// Runs of up to this many tokens are settled span by span with the anchored
// Set (at most 21 calls); longer ones are searched pattern by pattern.
constexpr std::size_t kMaxTokens = 6;
// Digit groups of up to kShortGroup bytes (any group of two) in a row beyond
// kShortStreak: see segments().
constexpr std::size_t kShortGroup = 4;
constexpr std::size_t kShortStreak = 12;
constexpr std::size_t kContextBytes = 96;

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

    // Runs of words that could belong to an identifier, joined by single
    // separators. A word with a lower-case or non-ASCII letter and no digit
    // is prose and ends the run, so a sentence costs a table look-up per
    // byte and only the runs around its numbers reach the automata.
    void segments(std::size_t lo, std::size_t hi) {
        const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
        const std::size_t limit = std::min(text_.size(), hi + e_.max_candidate);
        std::size_t i = lo, seg = SIZE_MAX, seg_end = 0;
        bool digit = false, hyphen = false;
        int capitals = 0;
        // A long streak of short digit groups ("1 2 3 4 ...", "12 34 56 ...") is
        // a table or a list of numbers, not one identifier: only its first
        // and last kShortStreak groups are scanned, so its cost stays linear.
        std::size_t recent[kShortStreak] = {};  // starts of the latest short groups
        std::size_t streak = 0, skipped_end = 0;
        bool skipping = false;
        const auto flush_segment = [&] {
            // Every kind but two has a digit; the bank identifier code has
            // at least six capitals (perhaps spaced), a library's ISIL a
            // hyphen after its country ("US-DLC").
            if (seg != SIZE_MAX && (digit || capitals >= 6 || (hyphen && capitals >= 3))) segment(seg, seg_end, seg_end);
            seg = SIZE_MAX;
            digit = hyphen = false;
            capitals = 0;
        };
        // The streak's last groups open the run again.
        const auto resume = [&] {
            if (!skipping) return;
            seg = recent[streak % kShortStreak];
            digit = true;
            skipping = false;
        };
        const auto flush = [&] {
            if (skipping) {
                resume();
                seg_end = skipped_end;
            }
            flush_segment();
            streak = 0;
        };
        while (i < limit) {
            const unsigned char c = t[i];
            if (c == '(' || c == ')') {
                // A bracket opens or closes a word only around its inside ("(A)").
                flush();
                ++i;
            } else if (const std::size_t n = c >= 0x80 ? symbol_length(t, i, limit) : 0) {
                flush();
                i += n;
            } else if (e_.soft[c] && !separator_byte(c)) {
                if (seg == SIZE_MAX && i >= hi) break;
                const Word word = word_at(t, i, limit);
                const std::size_t j = word.end;
                const bool d = word.digit, lower = word.lower;
                const int caps = word.caps;
                if (d || !lower) {
                    // A longer group with a letter ("DE89") is where an identifier may start.
                    if (j - i > kShortGroup || ((caps != 0 || lower) && j - i > 2)) {
                        resume();
                        streak = 0;
                    } else {
                        if (streak >= kShortStreak && !skipping) {
                            flush_segment();
                            skipping = true;
                        }
                        recent[streak % kShortStreak] = i;
                        ++streak;
                    }
                }
                if (skipping && (d || !lower)) {
                    skipped_end = j;
                } else if (d || !lower) {
                    if (seg == SIZE_MAX) seg = i;
                    seg_end = j;
                    digit |= d;
                    capitals += caps;
                } else {
                    flush();
                }
                i = j;
            } else if (separator_byte(c)) {
                // One separator joins two words; two end the run.
                if (i + 1 >= limit || !e_.soft[t[i + 1]] || separator_byte(t[i + 1])) flush();
                else hyphen |= c == '-' && seg != SIZE_MAX;
                ++i;
            } else {
                flush();
                ++i;
            }
        }
        flush();
    }

    // The word at t[i]: its end and what it holds. Plain ASCII letters
    // and digits take the fast path; brackets, other scripts and inner
    // marks are looked at closely.
    struct Word {
        std::size_t end;
        bool digit, lower;
        int caps;
    };
    static Word word_at(const unsigned char* t, std::size_t i, std::size_t limit) {
        std::size_t j = i;
        bool open = false, d = false, lower = false;
        int caps = 0;
        while (j < limit) {
            const unsigned char w = t[j];
            if (plain_byte(w)) {
                d |= w >= '0' && w <= '9';
                lower |= w >= 'a' && w <= 'z';
                caps += w >= 'A' && w <= 'Z';
                ++j;
            } else if (w == '(') {
                open = true;
                ++j;
            } else if (w == ')' && open) {
                ++j;
            } else if (w >= 0x80) {
                // A letter of another script: the whole character.
                if (symbol_length(t, j, limit)) break;
                lower = true;
                j += w >= 0xF0 ? 4 : w >= 0xE0 ? 3 : 2;
            } else if (inner_mark(t, j, limit)) {
                ++j;
            } else {
                break;
            }
        }
        return {std::min(j, limit), d, lower, caps};
    }

    // Candidates starting in [s, accept_end), seen up to `end`.
    void segment(std::size_t s, std::size_t accept_end, std::size_t end) {
        if (end - s <= e_.max_candidate && short_run(s, end)) return;
        for (std::size_t ws = s; ws < accept_end; ws += kWindow) {
            const std::size_t we = std::min(end, ws + kWindow + e_.max_candidate);
            piece(ws, we, std::min(accept_end, ws + kWindow));
        }
    }

    // A run of a few tokens (most runs are one number): every span from a
    // token start to a token end goes through the anchored Set once, the
    // whole run first. False leaves the run to the windowed search.
    bool short_run(std::size_t s, std::size_t e) {
        // A telephone number or a date: no kind is written so.
        if (text_[s] == '+' || looks_like_date(text_.substr(s, e - s))) return true;
        std::size_t starts[kMaxTokens], ends[kMaxTokens];
        std::size_t k = 0;
        for (std::size_t i = s; i < e;) {
            if (k == kMaxTokens) return false;
            starts[k] = i;
            while (i < e && !separator_byte(static_cast<unsigned char>(text_[i]))) ++i;
            ends[k++] = i;
            while (i < e && separator_byte(static_cast<unsigned char>(text_[i]))) ++i;
        }
        if (k == 0 || whole_run(s, e)) return true;
        for (std::size_t a = 0; a < k; ++a)
            for (std::size_t b = k; b-- > a;)
                if (a != 0 || b != k - 1) whole_run(starts[a], ends[b]);
        return true;
    }

    // The span [s, e) as one candidate of every kind whose pattern it
    // matches whole; true if one of them validates it. Dates are no kind's
    // candidates.
    bool whole_run(std::size_t s, std::size_t e) {
        const std::string_view v = text_.substr(s, e - s);
        if (!starts_word(s) || !ends_word(e) || looks_like_date(v)) return false;
        groups_.clear();
        if (!e_.exact->Match(v, &groups_)) return false;
        bool any = false;
        for (int gi : groups_) {
            const Group& g = e_.groups[static_cast<std::size_t>(gi)];
            if (any_enabled(g)) any |= judge_span(g, s, e, false);
        }
        if (!any && sel_.include_invalid)
            for (int gi : groups_) {
                const Group& g = e_.groups[static_cast<std::size_t>(gi)];
                if (any_enabled(g)) judge_span(g, s, e, true);
            }
        return any;
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
                // A number after '+' is a telephone number.
                const bool phone = ws + ms > 0 && text_[ws + ms - 1] == '+';
                if (me > ms && me - ms <= e_.max_candidate && starts_word(ws + ms) && !phone) {
                    const std::size_t found = candidate(g, ws + ms, closing(ws + ms, ws + me), ends_word(ws + me));
                    if (found) next = std::max(next, found - ws);
                }
                pos = next;
            }
        }
    }

    // A span with an open bracket takes the closing one after it ("(A)").
    std::size_t closing(std::size_t s, std::size_t e) const {
        if (e < text_.size() && text_[e] == ')' && text_.substr(s, e - s).find('(') != std::string_view::npos) return e + 1;
        return e;
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
    // A kind too weak for the call and not announced by a context word is
    // not validated at all.
    bool judge_span(const Group& g, std::size_t s, std::size_t e, bool invalid) {
        const std::string_view value = text_.substr(s, e - s);
        bool any = false, have_before = false;
        for (int k : g.kinds) {
            if (!sel_.enabled[static_cast<std::size_t>(k)]) continue;
            const Kind& kind = e_.kinds[static_cast<std::size_t>(k)];
            Evidence c = kind.evidence;
            if (kind.bare_is_weaker && c != Evidence::Shape && !starts_with_letters(value, kind.prefix))
                c = static_cast<Evidence>(static_cast<int>(c) - 1);
            bool announced = false;
            if (c != Evidence::Checksum) {
                if (!have_before) {
                    before_ = words_before(text_, s, kContextBytes);
                    have_before = true;
                }
                for (const std::string& w : kind.context)
                    if (contains_words(before_, w)) {
                        announced = true;
                        c = static_cast<Evidence>(static_cast<int>(c) + 1);
                        break;
                    }
                if (c < sel_.min_confidence && !announced) continue;
            }
            Verdict v = judge(*kind.spec, value);
            if (!v.ok && !invalid) continue;
            any |= v.ok;
            hits_.push_back(Hit{s, e, k, v.ok, c, announced, std::move(v.compact)});
        }
        return any;
    }

    // Confidence filter, then overlaps: the longest valid span wins, equal
    // spans keep every kind; invalid spans only where no valid one lies.
    void finish(std::size_t from, std::size_t to, std::vector<Hit>& out) {
        std::erase_if(hits_, [&](const Hit& h) { return h.confidence < sel_.min_confidence && !h.announced; });
        std::stable_sort(hits_.begin(), hits_.end(), [](const Hit& a, const Hit& b) {
            if (a.valid != b.valid) return a.valid;
            if (a.end - a.start != b.end - b.start) return a.end - a.start > b.end - b.start;
            if (a.start != b.start) return a.start < b.start;
            return a.kind < b.kind;
        });
        // Accepted spans by start; they never overlap unless equal.
        std::map<std::size_t, std::pair<std::size_t, bool>> taken;
        std::vector<Hit> kept;
        for (Hit& h : hits_) {
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
    std::string before_;
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
