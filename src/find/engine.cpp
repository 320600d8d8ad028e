// Building the finder once: a scanning pattern, a confidence class and the
// context words of every kind, and the compiled automata.
#include "find/engine.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <mutex>
#include <new>

#include "find/labels.h"
#include "find/widen.h"
#include "find/words.h"
#include "re2/re2.h"
#include "re2/set.h"
#include "registry/registry.h"

namespace ovf {

namespace {

constexpr std::string_view kSeparatorCandidates = " -./";
// A kind weak at this many lengths or more is very weak (Kind::very_weak).
constexpr std::size_t kVeryWeakLengths = 5;
// No identifier is longer than this, separators included (a bech32
// address is 90 characters, a spaced IBAN under 70 bytes).
constexpr std::size_t kMaxCandidate = 256;
const ov::ScanRow* scan_row(std::string_view id) {
    for (auto rows : {ov::core_scan_rows(), ov::legacy_scan_rows(), ov::additional_a_m_scan_rows(),
                      ov::additional_n_z_scan_rows(), ov::extended_scan_rows()})
        for (const ov::ScanRow& r : rows)
            if (r.id == id) return &r;
    return nullptr;
}

// A valid compact value of the kind: its first valid example, else a
// generated one.
std::string sample_value(const ov::ValidatorSpec& spec) {
    for (std::string_view ex : spec.examples) {
        const ov::ValidationOutcome o = spec.ops.validate(spec, ex);
        if (o.ok) return std::string(o.text());
    }
    if (spec.ops.generate)
        if (auto g = spec.ops.generate(spec)) {
            const ov::ValidationOutcome o = spec.ops.validate(spec, *g);
            if (o.ok) return std::string(o.text());
        }
    return {};
}

// The separators the kind's compaction removes: each one, put in the
// middle of a valid value, leaves the same compact value.
std::string separators_of(const ov::ValidatorSpec& spec) {
    const std::string base = sample_value(spec);
    std::string seps;
    if (base.size() < 2) return seps;
    const std::size_t mid = base.size() / 2;
    for (const char c : kSeparatorCandidates) {
        std::string v = base;
        v.insert(mid, 1, c);
        const ov::ValidationOutcome o = spec.ops.validate(spec, v);
        if (o.ok && o.text() == base) seps += c;
    }
    return seps;
}

bool same_value(const ov::ValidatorSpec& spec, const std::string& v, std::string_view compact) {
    const ov::ValidationOutcome o = spec.ops.validate(spec, v);
    return o.ok && o.text() == compact;
}

// The capital letters a pattern starts with as plain literals.
std::string literal_prefix(std::string_view p) {
    std::size_t n = 0;
    while (n < p.size() && p[n] >= 'A' && p[n] <= 'Z') ++n;
    // A quantified last letter is not a literal prefix.
    if (n > 0 && n < p.size() && (p[n] == '?' || p[n] == '*' || p[n] == '{' || p[n] == '+')) --n;
    return std::string(p.substr(0, n));
}

// The scanning pattern of a kind, and the prefix its compaction drops. A
// stored pattern may demand a country code that the compact form lacks
// (VAT numbers), or lack one the kind's values are written with: both
// forms are scanned for.
void scanning_pattern(const ov::ValidatorSpec& spec, std::string_view stored, Kind& k) {
    const std::string seps = separators_of(spec);
    k.separators = seps;
    const std::string sample = sample_value(spec);
    const auto variant = [&](const std::string& p) { return "(?:" + widen(p, seps) + ")"; };
    k.pattern = variant(std::string(stored));
    if (sample.empty()) return;
    const std::string lit = literal_prefix(stored);
    for (std::size_t len = lit.size(); len > 0; --len) {
        const std::string p = lit.substr(0, len);
        if (!sample.starts_with(p) && same_value(spec, p + sample, sample)) {
            k.prefix = p;
            k.bare_is_weaker = true;
            k.pattern.append("|").append(variant(std::string(stored.substr(len))));
            return;
        }
    }
    if (spec.country == ov::kGlobal) return;
    std::vector<std::string> codes{std::string(ov::kCountryTable[spec.country])};
    if (codes[0] == "GR") codes.emplace_back("EL");  // Greek VAT numbers are written EL
    for (const std::string& cc : codes) {
        if (!lit.starts_with(cc) && !sample.starts_with(cc) && same_value(spec, cc + sample, sample)) {
            k.prefix = cc;
            k.pattern.append("|").append(variant(cc + "(?:" + std::string(stored) + ")"));
            return;
        }
    }
}

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string> context_words(const ov::ValidatorSpec& spec) {
    std::vector<std::string> words;
    const auto add = [&](std::string_view w) {
        if (w.empty()) return;
        std::string l = lower_ascii(w);
        for (const std::string& x : words)
            if (x == l) return;
        words.push_back(std::move(l));
    };
    add(spec.abbreviation);
    add(spec.name);
    add(spec.local_name);
    for (std::string_view a : spec.aliases) add(a);
    for (const Label& l : labels())
        if (l.id == spec.id) add(l.text);
    // The English words for a kind of tax number, whatever its country.
    const auto named = [&](std::string_view word) {
        const std::string n = " " + lower_ascii(spec.name) + " ";
        return n.find(" " + std::string(word) + " ") != std::string::npos;
    };
    if (named("vat"))
        for (std::string_view w : {"VAT", "VAT ID", "VAT number", "VAT no", "VAT reg no", "VAT registration"}) add(w);
    if (named("tax"))
        for (std::string_view w : {"tax ID", "tax number", "tax no", "taxpayer ID", "TIN"}) add(w);
    return words;
}

// The lengths at which plain numbers pass the kind's check too often to
// count as one of it without a word that announces it (one in ten or
// eleven for a single check digit, one in a few hundred for a date and a
// check digit: timestamps and order numbers are that common). Measured by drawing numbers of each
// length (a fixed draw, so the answer is the same on every run); numbers
// longer than a date and a serial are rare enough in text to stand on
// their own.
std::bitset<kLongNumber + 1> weak_lengths(const ov::ValidatorSpec& spec, Evidence evidence, const Shape& shape) {
    constexpr int kTrials = 1500;
    constexpr int kMostPassing = 3;  // one in 500
    std::bitset<kLongNumber + 1> out;
    if (evidence != Evidence::Checksum) return out;
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::string v;
    for (std::size_t len = 1; len <= kLongNumber; ++len) {
        if (!shape.lengths[len]) continue;
        bool digits = true;
        for (std::size_t i = 0; i < len; ++i) digits &= (shape.classes[i] & kDigit) != 0;
        if (!digits) continue;
        v.assign(len, '0');
        int passed = 0;
        for (int t = 0; t < kTrials && passed <= kMostPassing; ++t) {
            for (char& c : v) {
                state = state * 6364136223846793005ull + 1442695040888963407ull;
                c = static_cast<char>('0' + (state >> 33) % 10);
            }
            passed += spec.ops.validate(spec, v).ok;
        }
        out[len] = passed > kMostPassing;
    }
    return out;
}

bool has_separator(std::string_view v) {
    return v.find_first_of(kSeparatorCandidates) != std::string_view::npos;
}

// The lengths of the groups `format` writes `value` in (empty: one group).
std::vector<std::uint8_t> layout_of(const ov::ValidatorSpec& spec, const std::string& base) {
    std::vector<std::uint8_t> out;
    if (base.empty() || !spec.ops.format) return out;
    const std::string written = spec.ops.format(spec, base);
    if (!has_separator(written)) return out;
    std::size_t run = 0;
    for (const char c : written) {
        if (kSeparatorCandidates.find(c) == std::string_view::npos) {
            ++run;
        } else if (run) {
            out.push_back(static_cast<std::uint8_t>(std::min<std::size_t>(run, 255)));
            run = 0;
        }
    }
    if (run) out.push_back(static_cast<std::uint8_t>(std::min<std::size_t>(run, 255)));
    return out;
}

// Whether `format` writes the kind's values in groups of lengths that vary
// from value to value (beyond a periodic layout's last group): its
// examples and a few generated values, each written by `format`.
bool free_layout(const ov::ValidatorSpec& spec, const std::vector<std::uint8_t>& first, bool periodic,
                 std::size_t& most_words) {
    std::vector<std::string> values;
    for (std::string_view ex : spec.examples) {
        const ov::ValidationOutcome o = spec.ops.validate(spec, ex);
        if (o.ok) values.emplace_back(o.text());
    }
    for (int i = 0; i < 6 && spec.ops.generate; ++i)
        if (auto g = spec.ops.generate(spec)) {
            const ov::ValidationOutcome o = spec.ops.validate(spec, *g);
            if (o.ok) values.emplace_back(o.text());
        }
    bool varies = false;
    most_words = first.size();
    for (const std::string& v : values) {
        const std::vector<std::uint8_t> l = layout_of(spec, v);
        if (l.empty()) continue;
        most_words = std::max(most_words, l.size());
        if (l == first) continue;
        const bool alike = periodic && l.back() <= first[0] &&
                           std::all_of(l.begin(), l.end() - 1, [&](std::uint8_t n) { return n == first[0]; });
        varies |= !alike;
    }
    return varies;
}

re2::RE2::Options options() {
    re2::RE2::Options o;
    o.set_longest_match(true);
    o.set_log_errors(false);
    o.set_max_mem(16 << 20);
    return o;
}

}  // namespace

Engine::Engine() {
    re2::RE2::Options opt = options();
    opt.set_max_mem(256 << 20);  // the Set's DFA cache; it grows lazily
    patterns = std::make_unique<re2::RE2::Set>(opt, re2::RE2::ANCHOR_BOTH);
    std::map<std::string, int> by_pattern;
    std::vector<Shape> shapes;  // of each group, read into the bit tables below
    for (const ov::ValidatorSpec* spec : ov::all_validators()) {
        // A check, not an identifier: every number that passes it belongs to
        // some other kind (a card, an account) or to none.
        if (spec->id == "luhn") continue;
        const ov::ScanRow* row = scan_row(spec->id);
        if (!row) continue;
        Kind k;
        k.spec = spec;
        k.evidence = row->evidence;
        const std::string_view stored = row->pattern.empty() ? spec->candidate_pattern : row->pattern;
        scanning_pattern(*spec, stored, k);
        k.context = context_words(*spec);
        k.weak_lengths = weak_lengths(*spec, k.evidence, shape_of(k.pattern));
        k.very_weak = k.weak_lengths.count() >= kVeryWeakLengths;
        const std::string sample = sample_value(*spec);
        k.key_checks = !sample.empty() && !has_separator(sample);
        k.layout = layout_of(*spec, sample_value(*spec));
        k.periodic = k.layout.size() > 1 && k.layout.back() <= k.layout[0] &&
                     std::all_of(k.layout.begin(), k.layout.end() - 1, [&](std::uint8_t n) { return n == k.layout[0]; });
        k.free_layout = k.layout.size() > 1 && free_layout(*spec, k.layout, k.periodic, k.most_words);
        auto [it, fresh] = by_pattern.try_emplace(k.pattern, static_cast<int>(groups.size()));
        if (fresh) {
            if (groups.size() == GroupBits::kCapacity || patterns->Add(k.pattern, nullptr) < 0) {
                by_pattern.erase(it);
                continue;
            }
            groups.emplace_back();
            shapes.push_back(shape_of(k.pattern));
        }
        k.group = it->second;
        for (const std::string& w : k.context) context.add(w, static_cast<int>(kinds.size()));
        groups[static_cast<std::size_t>(k.group)].kinds.push_back(static_cast<int>(kinds.size()));
        kinds.push_back(std::move(k));
    }
    if (!patterns->Compile()) throw std::bad_alloc();
    followers.resize(kinds.size());
    for (const Companion& c : companions()) {
        const int k = kind_index(c.id), a = kind_index(c.after);
        if (k >= 0 && a >= 0) followers[static_cast<std::size_t>(a)].push_back(k), any_followers = true;
    }
    constexpr std::string_view kSeps = " -./";
    for (std::size_t gi = 0; gi < groups.size(); ++gi) {
        const Group& g = groups[gi];
        const Shape& shape = shapes[gi];
        for (std::size_t n = 0; n <= kMaxKey; ++n)
            if (shape.lengths[n]) by_length[n].set(gi);
        for (std::size_t p = 0; p < kMaxKey; ++p)
            for (int c = 0; c < kClasses; ++c)
                if ((shape.classes[p] >> c) & 1) by_class[c][p].set(gi);
        for (unsigned mask = 0; mask < 16; ++mask)
            if ((shape.required_separators & ~mask) == 0) by_required[mask].set(gi);
        for (int k : g.kinds) {
            const std::vector<std::uint8_t>& layout = kinds[static_cast<std::size_t>(k)].layout;
            if (layout.size() > 1) grouped.set(gi);
            for (std::size_t i = 0; i < layout.size() && i < kLayoutWords; ++i)
                if (layout[i] < kLayoutLengths) layout_at[i][layout[i]].set(gi);
            if (kinds[static_cast<std::size_t>(k)].periodic)
                for (std::size_t i = 0; i < kLayoutWords; ++i)
                    for (std::size_t n = 1; n <= layout[0] && n < kLayoutLengths; ++n) layout_at[i][n].set(gi);
            // A layout that varies is judged on the value, once it passed:
            // here only the number of its groups is bounded, by those of its
            // examples and samples and one more.
            const Kind& kind = kinds[static_cast<std::size_t>(k)];
            if (kind.free_layout)
                for (std::size_t i = 0; i <= kind.most_words && i < kLayoutWords; ++i)
                    for (std::size_t n = 1; n < kLayoutLengths; ++n) layout_at[i][n].set(gi);
        }
        // A separator the compaction keeps stands in the pattern itself.
        for (std::size_t s = 0; s < kSeps.size(); ++s)
            for (int k : g.kinds)
                if (kinds[static_cast<std::size_t>(k)].separators.find(kSeps[s]) != std::string::npos ||
                    kinds[static_cast<std::size_t>(k)].pattern.find(kSeps[s]) != std::string::npos) {
                    by_separator[s].set(gi);
                    break;
                }
    }
    for (int c = 0; c < 256; ++c) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        soft[c] = alnum || c >= 0x80 || c == '&' || c == '+' || c == '(' || c == ')' ||
                  kSeparatorCandidates.find(static_cast<char>(c)) != std::string_view::npos;
    }
    max_candidate = kMaxCandidate;
}

Engine::~Engine() = default;

int Engine::kind_index(std::string_view id) const noexcept {
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i].spec->id == id) return static_cast<int>(i);
    return -1;
}

const Engine& engine() {
    static const Engine* e = new Engine();  // lives for the process: modules are never unloaded
    return *e;
}

std::size_t window_context(const Engine& e) noexcept { return e.max_candidate + 2 * kContextBytes + 4; }

const char* confidence_name(Evidence c) noexcept {
    switch (c) {
        case Evidence::Shape: return "shape";
        case Evidence::Component: return "component";
        case Evidence::Checksum: break;
    }
    return "checksum";
}

void settle(const Engine& e, Selection& sel) {
    sel.groups = sel.sure = sel.sure_plain = sel.sure_free = GroupBits();
    for (GroupBits& b : sel.sure_number) b = GroupBits();
    sel.sure_layout.clear();
    for (std::size_t k = 0; k < e.kinds.size() && k < sel.enabled.size(); ++k) {
        if (!sel.enabled[k]) continue;
        const Kind& kind = e.kinds[k];
        const auto g = static_cast<std::size_t>(kind.group);
        sel.groups.set(g);
        if (kind.evidence < sel.min_confidence) continue;
        sel.sure.set(g);
        // One step weaker on a plain number (shape stays shape).
        if (kind.evidence == Evidence::Shape ||
            static_cast<int>(kind.evidence) - (kind.very_weak ? 2 : 1) >= static_cast<int>(sel.min_confidence))
            sel.sure_plain.set(g);
        for (std::size_t n = 1; n <= kLongNumber; ++n)
            if (!kind.weak_lengths[n]) sel.sure_number[n].set(g);
        if (kind.free_layout) sel.sure_free.set(g);
        if (kind.layout.size() > 1) {
            const std::uint64_t code = layout_code(kind.layout.data(), kind.layout.size());
            auto it = std::lower_bound(sel.sure_layout.begin(), sel.sure_layout.end(), code,
                                       [](const auto& p, std::uint64_t v) { return p.first < v; });
            if (it == sel.sure_layout.end() || it->first != code) it = sel.sure_layout.insert(it, {code, GroupBits()});
            it->second.set(g);
        }
    }
}

Selection select(const Engine& e, const std::vector<std::string_view>* ids,
                 const std::vector<std::string_view>* countries, std::vector<std::string>& unknown_ids,
                 std::vector<std::string>& unknown_countries, Evidence min_confidence) {
    Selection sel;
    sel.enabled.assign(e.kinds.size(), ids == nullptr ? 1 : 0);
    if (ids) {
        for (std::string_view id : ids[0]) {
            const int k = e.kind_index(id);
            if (k >= 0) sel.enabled[static_cast<std::size_t>(k)] = 1;
            else unknown_ids.emplace_back(id);
        }
    }
    if (countries) {
        std::vector<bool> wanted(ov::kCountryTable.size() + 1, false);
        wanted[ov::kGlobal] = true;  // international kinds are issued everywhere
        for (std::string_view c : countries[0]) {
            std::string up(c);
            for (char& ch : up)
                if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
            bool known = false;
            for (std::size_t i = 0; i < ov::kCountryTable.size(); ++i)
                if (ov::kCountryTable[i] == up) wanted[i] = known = true;
            if (!known) unknown_countries.emplace_back(c);
        }
        for (std::size_t k = 0; k < e.kinds.size(); ++k)
            if (!wanted[e.kinds[k].spec->country]) sel.enabled[k] = 0;
    }
    if (!unknown_ids.empty() || !unknown_countries.empty()) sel.enabled.assign(e.kinds.size(), 0);
    sel.min_confidence = min_confidence;
    settle(e, sel);
    return sel;
}

}  // namespace ovf
