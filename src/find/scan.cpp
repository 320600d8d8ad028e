// Scanning: segments, candidates, verdicts, confidence and overlaps.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "find/candidate.h"
#include "find/engine.h"
#include "find/normalise.h"
#include "find/tables.h"
#include "find/words.h"
#include "re2/re2.h"

namespace ovf {

namespace {

// Digit groups of up to kShortGroup bytes (any group of two) in a row beyond
// kShortStreak: see segments().
constexpr std::size_t kShortGroup = 4;
constexpr std::size_t kShortStreak = 12;
// Bytes of punctuation and blanks at most between a kind and its companion.
constexpr std::size_t kCompanionGap = 8;
// Hits looked back at for it (those of the spans inside the first kind's
// run come after it).
constexpr std::size_t kCompanionLook = 64;

struct Verdict {
    bool ok = false;
    std::string compact;
};

// The verdict on `value`; the compact text of a failure only when asked
// for (an invalid candidate is reported only with include_invalid).
Verdict judge(const ov::ValidatorSpec& spec, std::string_view value, bool want_failure) {
    if (spec.ops.precheck) {
        const ov::PrecheckOutcome pre = spec.ops.precheck(spec, value);
        if (pre.kind == ov::PrecheckKind::AcceptAsIs) return {true, std::string(value)};
        if (pre.kind == ov::PrecheckKind::Failure)
            return {false, want_failure ? spec.ops.compact(spec, value) : std::string()};
    }
    const ov::ValidationOutcome o = spec.ops.validate(spec, value);
    if (o.ok) return {true, std::string(o.text())};
    return {false, want_failure ? spec.ops.compact(spec, value) : std::string()};
}


class Scanner {
public:
    Scanner(const Engine& e, const Selection& sel, std::string_view text) : e_(e), sel_(sel), text_(text) {}

    void run(std::size_t from, std::size_t to, std::vector<Hit>& out) {
        // Runs from this far back decide where the first context words may
        // stand (see segment()).
        const std::size_t m = e_.max_candidate + kContextBytes;
        const std::size_t lo = from > m ? from - m : 0;
        const std::size_t hi = std::min(text_.size(), to + m);
        columns_ = Columns(text_, lo);
        segments(lo, hi);
        join_lines(lo, hi);
        resolve(hits_, sel_.min_confidence, from, to, out);
    }

    // Scans the words on both sides of a line break as one run: text
    // extracted from a page cuts numbers at its line ends ("801218",
    // "5201081"). Both the joined form and the form with a blank are tried
    // on each break between two digits outside a table's cells; a match that
    // spans the break counts one step weaker unless a word announces it.
    void join_lines(std::size_t lo, std::size_t hi) {
        if (nested_) return;
        const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
        constexpr std::size_t kSide = 64;
        const auto dig = [](unsigned char c) { return c >= '0' && c <= '9'; };
        for (std::size_t p = lo; p < hi;) {
            const void* nl = std::memchr(t + p, '\n', hi - p);
            if (!nl) break;
            const std::size_t b = static_cast<std::size_t>(static_cast<const unsigned char*>(nl) - t);
            p = b + 1;
            std::size_t a = b;  // the end of the line before
            if (a > 0 && t[a - 1] == '\r') --a;
            if (a == 0 || b + 1 >= text_.size()) continue;
            const unsigned char l = t[a - 1], r = t[b + 1];
            if (!dig(l) || !dig(r)) continue;
            // The run that ends the line before, and the one that starts the next.
            std::size_t ls = a;
            while (ls > 0 && a - ls < kSide && (e_.soft[t[ls - 1]] && t[ls - 1] != '\n') ) --ls;
            std::size_t re = b + 1;
            while (re < text_.size() && re - b < kSide && e_.soft[t[re]]) ++re;
            // Rows of a table end and start with their cells, not halves
            // of one number.
            const auto cell_mark = [](unsigned char c) { return c == ',' || c == '\t' || c == '|' || c == ';'; };
            if ((ls > 0 && (cell_mark(t[ls - 1]) || t[ls - 1] == '=')) || (re < text_.size() && cell_mark(t[re])))
                continue;
            // A line that starts with a date (a log's time stamp) starts afresh.
            std::size_t w = b + 1;
            while (w < re && !separator_byte(t[w])) ++w;
            if (w < re && looks_like_date(text_.substr(b + 1, std::min(re, b + 11) - b - 1))) continue;
            if (looks_like_date(text_.substr(b + 1, w - b - 1))) continue;
            const std::size_t cs = ls > kContextBytes ? ls - kContextBytes : 0;
            for (const std::string_view glue : {std::string_view(), std::string_view(" ")}) {
                joined_.assign(text_.substr(cs, a - cs));
                const std::size_t cut = joined_.size();
                joined_.append(glue);
                const std::size_t after = joined_.size();
                joined_.append(text_.substr(b + 1, re - b - 1));
                Scanner inner(e_, sel_, joined_);
                inner.nested_ = true;
                inner.segments(0, joined_.size());
                for (Hit& h : inner.hits_) {
                    if (h.start >= cut || h.end <= after) continue;
                    if (!h.announced && h.confidence > Evidence::Shape)
                        h.confidence = static_cast<Evidence>(static_cast<int>(h.confidence) - 1);
                    h.start += cs;
                    h.end = b + 1 + (h.end - after);
                    hits_.push_back(std::move(h));
                }
            }
        }
    }

private:
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
            if (seg != SIZE_MAX && (digit || capitals >= 6 || (hyphen && capitals >= 3))) segment(seg, seg_end);
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
            // Between runs, prose goes by a word at a time at most.
            if (((t[i] | 0x20) >= 'a' && (t[i] | 0x20) <= 'z') && seg == SIZE_MAX && streak == 0 && !skipping) {
                const std::size_t j = skip_prose(t, i, hi);
                if (j > i) {
                    i = j;
                    continue;
                }
            }
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

    // Every candidate of the run [s, e): each span from a word start to a
    // later word end, at most max_candidate bytes and kMaxKey key bytes.
    void segment(std::size_t s, std::size_t e) {
        // A context word announces the run that follows it, not the ones
        // after that: the previous run's end bounds where it may stand.
        run_after_ = run_end_;
        run_end_ = e;
        // A date.
        if (looks_like_date(text_.substr(s, e - s))) return;
        const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
        // A telephone number: a '+' and the words of digits after it. No kind
        // is written so, and no span starts inside it.
        std::size_t phone_end = s;
        if (t[s] == '+') {
            for (std::size_t i = s + 1; i <= e; ++i) {
                if (i == e || separator_byte(t[i])) {
                    phone_end = i;
                    if (i == e || i + 1 >= e || t[i + 1] < '0' || t[i + 1] > '9') break;
                } else if (t[i] < '0' || t[i] > '9') {
                    break;
                }
            }
        }
        // Where the run's last byte other than a digit or a separator stands:
        // after it, every span is a plain number.
        digits_from_ = s;
        for (std::size_t i = e; i > s; --i)
            if (!separator_byte(t[i - 1]) && (t[i - 1] < '0' || t[i - 1] > '9')) {
                digits_from_ = i;
                break;
            }
        dates_in(text_, s, e, dates_);
        addresses_in(text_, s, e, dates_);
        amounts_in(text_, s, e, dates_);
        // Groups are words joined by anything but a blank ("2.8", "1/8",
        // "CHE-958.618.316" are one each): those with a digit right before
        // this word, and whether the current one has a digit so far.
        int digit_groups = 0;
        bool group_digit = false;
        for (std::size_t a = s; a < e;) {
            std::size_t end = a;
            bool digit = false;
            for (; end < e && !separator_byte(t[end]); ++end) digit |= t[end] >= '0' && t[end] <= '9';
            const bool new_group = a == s || t[a - 1] == ' ';
            if (new_group && a > s) {
                digit_groups = group_digit ? digit_groups + 1 : 0;
                group_digit = false;
            }
            // The rest of a longer code: after a group with a digit, or after
            // a joining mark rather than a blank ("CHE-958.618.316",
            // "SN75 2671 5348 ..."); deep inside one after two such groups.
            const bool tail = a > s && (digit_groups > 0 || !new_group);
            // Inside a group, its words before count as one group more.
            const bool deep = digit_groups + (!new_group && group_digit ? 1 : 0) >= 2;
            // No span starting inside a date is a candidate.
            bool in_date = false;
            for (const auto& [ds, de] : dates_) in_date |= a >= ds && a < de;
            if (t[a] != '+' && a >= phone_end && !in_date) walk(a, e, tail, deep);
            group_digit |= digit;
            a = end + 1;
        }
    }

    // The spans that start at word `a` of the run ending at `e`. The key
    // grows a word at a time; the groups whose shape still allows it are
    // narrowed byte by byte, and the walk stops when none is left.
    void walk(std::size_t a, std::size_t e, bool tail, bool deep) {
        const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
        GroupBits alive = sel_.groups, heard;
        bool looked = false, heard_known = false;
        // A plain number goes on only for kinds laid out as its groups so
        // far, kinds that need no layout, and announced kinds.
        const bool plain = a >= digits_from_;
        GroupBits laid_out = alive;
        Candidate c;
        c.start = a;
        c.tail = tail;
        c.deep = deep;
        std::size_t pos = a;
        while (pos < e) {
            std::size_t end = pos;
            for (; end < e && !separator_byte(t[end]); ++end) {
                if (c.key_len == kMaxKey) return;
                const int cls = class_index(t[end]);
                c.digits &= cls == 0;
                alive &= e_.by_class[cls][c.key_len];
                key_[c.key_len++] = static_cast<char>(t[end]);
            }
            if (!alive.any() || end - a > e_.max_candidate) return;
            if (!looked) {
                // Kinds that need a context word to be reported are left out
                // unless one stands before the start (looked up only when
                // the first word could begin one of them).
                looked = true;
                // Deep inside a longer code, only kinds that reach the call's
                // confidence a step down (or announced ones) are tried.
                const GroupBits& sure = deep ? sel_.sure_plain : sel_.sure;
                if ((alive & ~sure).any()) {
                    heard = context_for(a);
                    heard_known = true;
                }
                alive &= sure | heard;
                if (!alive.any()) return;
            }
            if (c.words < kMaxWords) c.word_len[c.words] = static_cast<std::uint8_t>(std::min<std::size_t>(end - pos, 255));
            ++c.words;
            c.end = end;
            const GroupBits cand = alive & e_.by_length[c.key_len] & e_.by_required[c.separators];
            if (cand.any()) span(c, cand);
            if (end >= e) return;
            // Only groups written with this separator go on; beyond two
            // words, only kinds written in groups (or announced).
            const int sep = separator_index(t[end]);
            c.separators |= static_cast<std::uint8_t>(1u << sep);
            alive &= e_.by_separator[sep];
            // Beyond two words, only kinds that `format` writes in groups
            // like these so far (or announced ones); a plain number only so.
            const std::size_t i = c.words - 1, n = end - pos;
            laid_out &= i < Engine::kLayoutWords && n < Engine::kLayoutLengths ? e_.layout_at[i][n] : GroupBits();
            // Kinds that reach min_confidence even one step down go on too.
            GroupBits keep = alive;
            if (plain) keep = laid_out | sel_.sure_plain;
            else if (c.words >= 2) keep = (laid_out & e_.grouped) | sel_.sure_plain;
            // What goes only with a context word: looked up if it matters.
            if ((alive & ~keep).any() && !heard_known) {
                heard = context_for(a);
                heard_known = true;
            }
            alive &= keep | heard;
            if (!alive.any()) return;
            pos = end + 1;
        }
    }

    // The candidate, for the groups in `cand`: those that may reach the
    // call's confidence alone, and those a context word announces.
    void span(const Candidate& c, GroupBits cand) {
        if (!starts_word(c.start) || !ends_word(c.end)) return;
        const std::string_view written = text_.substr(c.start, c.end - c.start);
        if (c.digits && c.words > 1 && looks_like_date(written)) return;
        for (const auto& [ds, de] : dates_)
            if (c.start < de && ds < c.end) return;
        const GroupBits sure = c.deep ? sel_.sure_plain : c.digits ? sel_.sure_plain | plain_number(c) : sel_.sure;
        const GroupBits rest = cand & ~sure;
        cand &= sure;
        if (rest.any()) cand |= rest & context_for(c.start);
        for (std::size_t w = 0; w < GroupBits::kWords; ++w)
            for (std::uint64_t bits = cand.w[w]; bits; bits &= bits - 1)
                judge_group(e_.groups[w * 64 + static_cast<std::size_t>(std::countr_zero(bits))], c);
    }

    // The groups that may reach min_confidence on the plain number `c`
    // beyond those that do on any plain number: by its length, or by its
    // layout.
    GroupBits plain_number(const Candidate& c) const {
        if (c.words == 1) return c.key_len <= kLongNumber ? sel_.sure_number[c.key_len] : sel_.sure;
        if (c.words > kMaxWords) return GroupBits();
        const std::uint64_t code = layout_code(c.word_len, c.words);
        const auto it = std::lower_bound(sel_.sure_layout.begin(), sel_.sure_layout.end(), code,
                                         [](const auto& p, std::uint64_t v) { return p.first < v; });
        return it != sel_.sure_layout.end() && it->first == code ? it->second | sel_.sure_free : sel_.sure_free;
    }

    // Word boundaries on the real text (a window may cut a word).
    bool starts_word(std::size_t s) const {
        return s == 0 || !word_byte(static_cast<unsigned char>(text_[s - 1]));
    }
    bool ends_word(std::size_t e) const {
        return e == text_.size() || !word_byte(static_cast<unsigned char>(text_[e]));
    }

    // The kinds a context word announces in the few words before `s`
    // (heard_), and their groups (returned).
    const GroupBits& context_for(std::size_t s) {
        if (heard_at_ == s) return heard_groups_;
        heard_at_ = s;
        heard_.assign((e_.kinds.size() + 63) / 64, 0);
        heard_groups_ = GroupBits();
        look_up_context(s);
        // The header of its column, in a table.
        if (const auto [hb, he] = columns_.header_at(s); he > hb) {
            header_phrases_.clear();
            e_.context.scan(text_, hb, he, header_phrases_, header_folded_);
            for (const ContextIndex::PhraseHit& h : header_phrases_)
                if (h.end <= he) hear(h.kind);
        }
        // A label that ends the line before announces the start of this
        // one ("IBAN:", a chat's "my nit is").
        line_before(s);
        // A kind written right after the one it goes with (a BIC after the
        // IBAN), on the same line with only punctuation between.
        for (std::size_t n = 0; e_.any_followers && n < kCompanionLook && n < hits_.size(); ++n) {
            const Hit& h = hits_[hits_.size() - 1 - n];
            if (h.start + e_.max_candidate + kCompanionGap < s) break;  // hits come in the order of their starts
            if (e_.followers[static_cast<std::size_t>(h.kind)].empty()) continue;
            if (h.end > s || s - h.end > kCompanionGap || !h.valid) continue;
            bool gap = true;
            for (std::size_t i = h.end; i < s && gap; ++i) {
                const auto c = static_cast<unsigned char>(text_[i]);
                gap = !alnum_byte(c) && c != '\n';
            }
            if (gap)
                for (const int k : e_.followers[static_cast<std::size_t>(h.kind)]) hear(k);
        }
        // The few words lie within kContextBytes: no phrase that close, no
        // need to count words.
        bool near = false;
        for (auto h = phrases_.rbegin(); h != phrases_.rend() && !near; ++h)
            near = h->end <= s && h->end + kContextBytes >= s && h->end >= run_after_;
        if (!near) return heard_groups_;
        // A phrase ends within the few words (a long name may begin before
        // them) and may itself be the previous run ("EDRPOU", "BTW-").
        const std::size_t from = context_start(text_, s, kContextBytes);
        for (const ContextIndex::PhraseHit& h : phrases_)
            if (h.end > from && h.end <= s && h.end >= run_after_) hear(h.kind);
        return heard_groups_;
    }

    // Words the line before ends with, when `s` stands near the start of
    // its line (after a time stamp and a name at most).
    void line_before(std::size_t s) {
        constexpr std::size_t kLead = 48, kTail = 40;
        const std::size_t lo = s > kLead ? s - kLead : 0;
        std::size_t nl = s;
        while (nl > lo && text_[nl - 1] != '\n') --nl;
        if (nl == 0 || text_[nl - 1] != '\n') return;
        std::size_t end = nl - 1;  // the end of the line before
        if (end > 0 && text_[end - 1] == '\r') --end;
        // Its last few words, after the last digit.
        std::size_t from = end > kTail ? end - kTail : 0;
        for (std::size_t i = end; i > from; --i) {
            const char c = text_[i - 1];
            if (c == '\n' || (c >= '0' && c <= '9')) {
                from = i;
                break;
            }
        }
        if (from >= end) return;
        const std::size_t words = context_start(text_, end, end - from);
        line_phrases_.clear();
        e_.context.scan(text_, std::max(from, words), end, line_phrases_, header_folded_);
        for (const ContextIndex::PhraseHit& h : line_phrases_)
            if (h.end <= end && ends_label(h.end, end)) hear(h.kind);
    }

    // Whether text[from, end) is what may follow a label at a line's end:
    // blanks and ':', '#', '=', '?', '-', '.', perhaps one short word ("is").
    bool ends_label(std::size_t from, std::size_t end) const {
        std::size_t letters = 0;
        for (std::size_t i = from; i < end; ++i) {
            const auto c = static_cast<unsigned char>(text_[i]);
            if (c >= 'a' && c <= 'z') {
                if (++letters > 3) return false;
            } else if (c != ' ' && c != ':' && c != '#' && c != '=' && c != '?' && c != '-' && c != '.' && c != '\t') {
                return false;
            }
        }
        return true;
    }

    void hear(int kind) {
        const auto i = static_cast<std::size_t>(kind);
        heard_[i / 64] |= std::uint64_t{1} << (i % 64);
        heard_groups_.set(static_cast<std::size_t>(e_.kinds[i].group));
    }

    // Whether [s, e) starts with a context word as a word of its own: the
    // kind's word before a value of it ("BIC TGZRCH87"), or another kind's
    // word before a span that has the shape of a kind only ("NIT 439565286").
    bool starts_with_word(int k, std::size_t s, std::size_t e, std::string_view compact) {
        look_up_context(s);
        const Kind& kind = e_.kinds[static_cast<std::size_t>(k)];
        for (const ContextIndex::PhraseHit& h : phrases_) {
            if (h.start != s || h.end >= e || !separator_byte(static_cast<unsigned char>(text_[h.end]))) continue;
            if (h.kind != k) {
                if (kind.evidence == Evidence::Shape && text_[h.end] == ' ') return true;
                continue;
            }
            std::size_t r = h.end;
            while (r < e && separator_byte(static_cast<unsigned char>(text_[r]))) ++r;
            // Unless its compaction drops the word ("IMO 9074729").
            const ov::ValidationOutcome rest = kind.spec->ops.validate(*kind.spec, text_.substr(r, e - r));
            if (rest.ok && rest.text() != compact) return true;
        }
        return false;
    }

    bool announced(int k, std::size_t s) {
        context_for(s);
        const auto i = static_cast<std::size_t>(k);
        return (heard_[i / 64] >> (i % 64)) & 1;
    }

    // The phrases in the few words before `s`: the text is read once, as
    // the starts move forward; phrases too far behind are dropped.
    // Read ahead a stretch at a time, the phrases past `s` kept for later.
    void look_up_context(std::size_t s) {
        constexpr std::size_t kAhead = 1024;
        const std::size_t from = s > kContextBytes ? s - kContextBytes : 0;
        if (looked_to_ < from || looked_to_ > s + kAhead) {
            phrases_.clear();
            looked_to_ = from;
        }
        // A phrase that starts before `from` may end after it.
        std::erase_if(phrases_, [&](const ContextIndex::PhraseHit& h) { return h.end + kContextBytes < s; });
        if (looked_to_ <= s) {
            const std::size_t to = std::min(text_.size(), s + kAhead);
            e_.context.scan(text_, looked_to_, to, phrases_, folded_);
            looked_to_ = to;
        }
    }

    // Records a hit for every enabled kind of the group that validates
    // [s, e) (and, with include_invalid, for those that do not). A kind too
    // weak for the call and not announced by a context word is not looked
    // at; the group's pattern must match the candidate.
    void judge_group(const Group& g, const Candidate& cand) {
        const std::size_t s = cand.start;
        const std::string_view value = text_.substr(s, cand.end - s);
        bool matched = false, tried = false;
        for (int k : g.kinds) {
            if (!sel_.enabled[static_cast<std::size_t>(k)]) continue;
            const Kind& kind = e_.kinds[static_cast<std::size_t>(k)];
            // Plain numbers: a check that too many of them pass, groups laid
            // out unlike the kind's, or the rest of a longer code are weaker
            // evidence; so is anything deep inside a longer code.
            const bool weak = cand.key_len <= kLongNumber && kind.weak_lengths[cand.key_len];
            const bool laid_out = kind.free_layout || laid_out_as(cand, kind);
            const bool plain = cand.digits && (!laid_out || (weak && (cand.words == 1 || cand.tail)));
            bool lowered = plain || cand.deep || (kind.bare_is_weaker && !starts_with_letters(value, kind.prefix));
            // A check that numbers of almost any length pass one time in ten
            // (ro.vat, gt.nit) says little more than the digits do.
            const bool lowered_twice = plain && weak && kind.very_weak;
            // The confidence: the kind's evidence, one step lower for any of
            // the reasons here or below, one step higher after a context word.
            const auto level = [&](bool heard_word) {
                int c = static_cast<int>(kind.evidence);
                if (lowered && c > 0) --c;
                if (lowered_twice && c > 0) --c;
                if (heard_word && c < 2) ++c;
                return static_cast<Evidence>(c);
            };
            bool heard = false, heard_known = false;
            if (level(false) != Evidence::Checksum) {
                heard = announced(k, s);
                heard_known = true;
            }
            if (level(heard) < sel_.min_confidence && !heard) continue;
            // Most candidates fail their check. Where the kind's compact form
            // has no separator, the key fails it just as the span would, and
            // costs no compaction.
            if (!sel_.include_invalid && kind.key_checks && cand.words > 1 &&
                !kind.spec->ops.validate(*kind.spec, std::string_view(key_, cand.key_len)).ok)
                continue;
            Verdict v = judge(*kind.spec, value, sel_.include_invalid);
            if (!v.ok && !sel_.include_invalid) continue;
            // Three groups or more, or a plain number of a kind whose layout
            // varies, are evidence only as `format` writes them; a context
            // word makes up for it.
            const bool judged_late = cand.words >= 3 || (cand.words == 2 && kind.free_layout && cand.digits);
            if (v.ok && judged_late && !lowered && !written_as_format(kind, v.compact, cand)) {
                lowered = true;
                if (!heard_known) heard = announced(k, s);
            }
            const Evidence c = level(heard);
            if (c < sel_.min_confidence && !heard) continue;
            // The patterns last: they cost more than most checks.
            if (!tried) {
                tried = true;
                matched = pattern_matches(g, cand);
            }
            if (!matched) return;
            // Whether its word stands before it ranks it among the kinds of
            // the same span, whatever its confidence.
            if (!heard_known) heard = announced(k, s);
            // A span that starts with the kind's own word is that word and
            // a value ("BIC TGZRCH87"), not one value.
            if (starts_with_word(k, s, cand.end, v.compact)) continue;
            hits_.push_back(Hit{s, cand.end, k, v.ok, c, heard, std::move(v.compact)});
        }
    }

    // Whether the candidate matches the group's scanning pattern. All the
    // patterns are matched at once, once per candidate.
    bool pattern_matches(const Group& g, const Candidate& c) {
        if (matched_start_ != c.start || matched_end_ != c.end) {
            matched_start_ = c.start;
            matched_end_ = c.end;
            matched_.clear();
            e_.patterns->Match(text_.substr(c.start, c.end - c.start), &matched_);
            std::sort(matched_.begin(), matched_.end());
        }
        const int gi = static_cast<int>(&g - e_.groups.data());
        return std::binary_search(matched_.begin(), matched_.end(), gi);
    }

    const Engine& e_;
    const Selection& sel_;
    std::string_view text_;
    bool nested_ = false;   // scanning the joined lines of join_lines()
    Columns columns_{text_, 0};
    std::vector<ContextIndex::PhraseHit> header_phrases_, line_phrases_;
    std::string header_folded_;
    std::string joined_;
    std::vector<Hit> hits_;
    std::vector<ContextIndex::PhraseHit> phrases_;  // of the run being scanned
    std::string folded_;                               // working space of the phrase look-up
    std::vector<std::uint64_t> heard_;                 // kinds announced before heard_at_
    GroupBits heard_groups_;                           // and their groups
    std::size_t heard_at_ = SIZE_MAX;
    std::size_t looked_to_ = SIZE_MAX;  // phrases_ holds those starting before this
    std::size_t digits_from_ = 0;  // see segment()
    std::vector<std::pair<std::size_t, std::size_t>> dates_;  // of the run: no candidate overlaps them
    std::size_t run_after_ = 0;    // the end of the run before this one
    std::size_t run_end_ = 0;      // and of this one
    std::vector<int> matched_;  // groups whose pattern the candidate below matches
    std::size_t matched_start_ = SIZE_MAX, matched_end_ = SIZE_MAX;
    char key_[kMaxKey];
};

}  // namespace

void scan(const Engine& e, const Selection& sel, std::string_view text, std::size_t from, std::size_t to,
          std::vector<Hit>& out) {
    if (from >= to || from >= text.size()) return;
    to = std::min(to, text.size());
    Normalised n;
    if (!normalise(text, n)) {
        Scanner(e, sel, text).run(from, to, out);
        return;
    }
    // Scanned in the mapped text, reported in the original.
    const std::size_t first = out.size();
    Scanner(e, sel, n.text).run(n.index_of(from), n.index_of(to), out);
    for (std::size_t i = first; i < out.size(); ++i) {
        Hit& h = out[i];
        const std::size_t s = n.start_of(h.start), end = n.end_of(h.end);
        h.start = s;
        h.end = end;
    }
}

}  // namespace ovf
