// The text finder: every registered kind, found in one pass over the text
// and settled by the kind's own validate operation. Plain C++; the Python
// faces live in module*.cpp.
//
// Two stages keep the scan linear and fast. A byte-class segmenter cuts the
// text at bytes no identifier can contain (so prose costs one table look-up
// per byte) and keeps only segments with a digit or a long capital run.
// Within a run, every span from a word to a later word is a candidate: its key (the span without separators) is tested against
// bit sets of the groups whose patterns allow its length and the byte class
// at each position; the kinds left are checked, and a candidate that passes
// is matched against every scanning pattern at once by one RE2::Set.
#pragma once

#include <cstddef>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "re2/re2.h"
#include "re2/set.h"
#include "find/context.h"
#include "find/widen.h"
#include "registry/spec.h"
#include "validators/scan_rows.h"


namespace ovf {

using ov::Evidence;

// A set of groups (Engine::groups), one bit each.
struct GroupBits {
    // Room for 320 groups (about 230 today); a kind whose group finds no
    // room is left out, which the tests of the finder's kinds catch.
    static constexpr std::size_t kWords = 5;
    static constexpr std::size_t kCapacity = kWords * 64;
    std::uint64_t w[kWords] = {};

    void set(std::size_t i) noexcept { w[i / 64] |= std::uint64_t{1} << (i % 64); }
    bool any() const noexcept {
        std::uint64_t x = 0;
        for (std::size_t k = 0; k < kWords; ++k) x |= w[k];
        return x != 0;
    }
    GroupBits& operator&=(const GroupBits& o) noexcept {
        for (std::size_t k = 0; k < kWords; ++k) w[k] &= o.w[k];
        return *this;
    }
    GroupBits operator~() const noexcept {
        GroupBits r;
        for (std::size_t k = 0; k < kWords; ++k) r.w[k] = ~w[k];
        return r;
    }
    GroupBits& operator|=(const GroupBits& o) noexcept {
        for (std::size_t k = 0; k < kWords; ++k) w[k] |= o.w[k];
        return *this;
    }
    friend GroupBits operator&(GroupBits a, const GroupBits& b) noexcept { return a &= b; }
    friend GroupBits operator|(GroupBits a, const GroupBits& b) noexcept { return a |= b; }
};

// One kind the finder reports.
// How far back context words are looked for (bytes; at most five words).
inline constexpr std::size_t kContextBytes = 96;

// Plain numbers up to this many digits are common in text (dates, amounts,
// order numbers, timestamps); longer ones are rare.
inline constexpr std::size_t kLongNumber = 13;

struct Kind {
    const ov::ValidatorSpec* spec = nullptr;
    Evidence evidence = Evidence::Shape;
    std::string pattern;               // the scanning pattern (widened)
    std::string separators;            // those its compaction removes
    std::vector<std::string> context;  // lower-case words that announce it
    // Letters the kind is written with in front (a VAT number's country
    // code) that its compaction drops. When the stored pattern demands them,
    // a span without them is one step weaker evidence.
    std::string prefix;
    bool bare_is_weaker = false;
    // Lengths at which its check passes too many plain numbers (one check
    // digit in ten or eleven): such a run of digits is weaker evidence until
    // a context word announces it.
    std::bitset<kLongNumber + 1> weak_lengths;
    // Weak at many lengths: a plain number of it is two steps weaker.
    bool very_weak = false;
    // Its compact form has no separator: a candidate's key (the span
    // without separators) passes its check whenever the span does.
    bool key_checks = false;
    // The lengths of the groups `format` writes its sample in (empty: one
    // group), and whether they are all alike but a shorter last one (an
    // IBAN's fours), so that other lengths are written the same way.
    std::vector<std::uint8_t> layout;
    bool periodic = false;
    // The layout varies from value to value (pa.ruc's "1-184-921 DV 49" and
    // "2588017-1-831938 DV 20"): a span's groups are compared with those
    // `format` writes its own value in, once the check has passed.
    bool free_layout = false;
    std::size_t most_words = 0;  // groups, the most its layouts seen have
    int group = -1;                    // index of its pattern in Engine::groups
};

// Kinds with one and the same scanning pattern share one group.
struct Group {
    std::vector<int> kinds;
};

struct Engine {
    std::vector<Kind> kinds;  // in registry order
    std::vector<Group> groups;
    // Every group's scanning pattern in one automaton, anchored at both
    // ends: the groups whose pattern a whole candidate matches, in one pass.
    std::unique_ptr<re2::RE2::Set> patterns;
    // Groups by what a key holds: its length, the class of byte at each
    // position, and each separator the written candidate uses.
    GroupBits by_length[kMaxKey + 1];
    GroupBits by_class[kClasses][kMaxKey];  // by class_index of the byte, then position
    GroupBits by_separator[4];  // ' ', '-', '.', '/'
    // Groups whose every pattern match holds the separators of a subset
    // of the mask (by mask of separator bits, as Shape has them).
    GroupBits by_required[16];
    // Groups with a kind that `format` writes in several groups.
    GroupBits grouped;
    // Groups with a kind whose `format` writes a group of n characters as
    // its i-th (layout_at[i][n], n < kLayoutLengths), or may (a periodic
    // layout's group or a shorter last one anywhere).
    static constexpr std::size_t kLayoutWords = 16, kLayoutLengths = 64;
    GroupBits layout_at[kLayoutWords][kLayoutLengths];
    ContextIndex context;             // every kind's context words
    // By kind: the kinds it announces when they follow it (a BIC after an
    // IBAN, see labels.h).
    std::vector<std::vector<int>> followers;
    bool any_followers = false;
    bool soft[256] = {};              // bytes that may occur inside a candidate
    std::size_t max_candidate = 0;    // bytes; longer spans are never candidates

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    int kind_index(std::string_view id) const noexcept;
};

// Built on first use (thread-safe); throws std::bad_alloc.
const Engine& engine();

// What a call asks for. A match is reported when its confidence reaches
// min_confidence, or when one of its kind's context words announces it
// (so shape-only kinds appear at the default only after their word).
// A digit layout ("4 4 4 4") as one number; equal layouts give equal codes.
inline std::uint64_t layout_code(const std::uint8_t* lengths, std::size_t n) noexcept {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) h = (h ^ lengths[i]) * 1099511628211ull;
    return h ^ n;
}

struct Selection {
    std::vector<std::uint8_t> enabled;  // per kind: 1 when selected
    GroupBits groups;           // the groups with an enabled kind
    // The groups with an enabled kind that reaches min_confidence without a
    // context word: on any candidate (sure); on plain numbers, whatever
    // their length and layout (sure_plain); on a number of one group of n
    // digits (sure_number[n], n up to kLongNumber); on a number laid out as
    // a kind's `format` writes it (sure_layout, by layout_code), or of a
    // kind whose layout varies (sure_free).
    GroupBits sure, sure_plain, sure_free;
    GroupBits sure_number[kLongNumber + 1];
    std::vector<std::pair<std::uint64_t, GroupBits>> sure_layout;  // sorted by code
    Evidence min_confidence = Evidence::Checksum;
    bool include_invalid = false;
};

// Sets the selection's group bits from `enabled` and `min_confidence`
// (select does; call it again after changing either).
void settle(const Engine& e, Selection& sel);

// A selection of every kind (or of `ids` and/or `countries`). Unknown names
// are returned in `unknown_ids`/`unknown_countries` and leave the selection empty.
Selection select(const Engine& e, const std::vector<std::string_view>* ids,
                 const std::vector<std::string_view>* countries, std::vector<std::string>& unknown_ids,
                 std::vector<std::string>& unknown_countries, Evidence min_confidence = Evidence::Checksum);

struct Hit {
    std::size_t start = 0, end = 0;  // byte offsets into the scanned text
    int kind = -1;
    bool valid = false;
    Evidence confidence = Evidence::Shape;
    bool announced = false;  // a context word of the kind stands before it
    std::string compact;
};

// Appends the matches of `text` whose start lies in [from, to), in text
// order (equal spans in registry order). Bytes outside [from, to) are
// context: they decide word boundaries, overlaps and context words.
void scan(const Engine& e, const Selection& sel, std::string_view text, std::size_t from, std::size_t to,
          std::vector<Hit>& out);
inline void scan(const Engine& e, const Selection& sel, std::string_view text, std::vector<Hit>& out) {
    scan(e, sel, text, 0, text.size(), out);
}

// Keeps of `hits` (which it empties) those that reach min_confidence or
// were announced, resolves their overlaps (the longest valid span wins,
// equal spans keep every kind, invalid spans only where no valid one lies),
// and appends those starting in [from, to) to `out`, in text order.
void resolve(std::vector<Hit>& hits, Evidence min_confidence, std::size_t from, std::size_t to,
             std::vector<Hit>& out);

// Kinds (indices) for which the whole value validates: check digit first,
// then component rules, then shape; ties in registry order.
std::vector<int> identify(const Engine& e, const Selection& sel, std::string_view value);

// Bytes of context a streaming caller keeps on each side of a window.
std::size_t window_context(const Engine& e) noexcept;

const char* confidence_name(Evidence c) noexcept;

}  // namespace ovf
