// The text finder: every registered kind, found in one pass over the text
// and settled by the kind's own validate operation. Plain C++; the Python
// faces live in module*.cpp.
//
// Two stages keep the scan linear and fast. A byte-class segmenter cuts the
// text at bytes no identifier can contain (so prose costs one table look-up
// per byte) and keeps only segments with a digit or a long capital run. One
// RE2::Set over all scanning patterns tells which patterns occur in such a
// segment; only those patterns' own RE2 objects then locate the spans.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "re2/re2.h"
#include "re2/set.h"
#include "registry/spec.h"
#include "validators/scan_rows.h"


namespace ovf {

using ov::Evidence;

// One kind the finder reports.
struct Kind {
    const ov::ValidatorSpec* spec = nullptr;
    Evidence evidence = Evidence::Shape;
    std::string pattern;               // the scanning pattern (widened)
    std::vector<std::string> context;  // lower-case words that announce it
    // Letters the kind is written with in front (a VAT number's country
    // code) that its compaction drops. When the stored pattern demands them,
    // a span without them is one step weaker evidence.
    std::string prefix;
    bool bare_is_weaker = false;
    int group = -1;                    // index of its pattern in Engine::groups
};

// Kinds with one and the same scanning pattern share one RE2.
struct Group {
    std::unique_ptr<re2::RE2> re;     // \b(?:pattern)\b
    std::unique_ptr<re2::RE2> whole;  // the pattern alone, for anchored checks
    std::vector<int> kinds;
};

struct Engine {
    std::vector<Kind> kinds;  // in registry order
    std::vector<Group> groups;
    std::unique_ptr<re2::RE2::Set> set;    // unanchored, one entry per group
    std::unique_ptr<re2::RE2::Set> exact;  // anchored at both ends, for identify
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
struct Selection {
    std::vector<bool> enabled;  // per kind
    Evidence min_confidence = Evidence::Checksum;
    bool include_invalid = false;
};

// A selection of every kind (or of `ids` and/or `countries`). Unknown names
// are returned in `unknown_ids`/`unknown_countries` and leave the selection empty.
Selection select(const Engine& e, const std::vector<std::string_view>* ids,
                 const std::vector<std::string_view>* countries, std::vector<std::string>& unknown_ids,
                 std::vector<std::string>& unknown_countries);

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

// Kinds (indices) for which the whole value validates: check digit first,
// then component rules, then shape; ties in registry order.
std::vector<int> identify(const Engine& e, const Selection& sel, std::string_view value);

// Bytes of context a streaming caller keeps on each side of a window.
std::size_t window_context(const Engine& e) noexcept;

const char* confidence_name(Evidence c) noexcept;

}  // namespace ovf
