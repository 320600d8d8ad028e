#include "find/normalise.h"

#include <algorithm>
#include <cstring>


namespace ovf {

namespace {

// What the character at t[i] becomes: its length in the original (0 when
// it is not mapped) and its replacement (an ASCII byte, or 0 for none).
struct Mapping {
    std::size_t length;
    char replacement;
};

bool digit(unsigned char c) { return c >= '0' && c <= '9'; }

Mapping raw_mapping(const unsigned char* t, std::size_t i, std::size_t n) noexcept {
    const unsigned char c = t[i];
    if (c == 0xC2 && i + 1 < n) {
        if (t[i + 1] == 0xA0) return {2, ' '};  // no-break space
        if (t[i + 1] == 0xAD) return {2, 0};    // soft hyphen
        return {0, 0};
    }
    if (i + 2 >= n) return {0, 0};
    const unsigned char b = t[i + 1], d = t[i + 2];
    if (c == 0xE2 && b == 0x80) {
        if (d <= 0x8A || d == 0xAF) return {3, ' '};        // en, em, thin, hair ... and narrow no-break spaces
        if (d >= 0x8B && d <= 0x8D) return {3, 0};         // zero-width space and joiners
        if (d >= 0x90 && d <= 0x93) return {3, '-'};       // hyphen, no-break hyphen, figure and en dashes
        return {0, 0};
    }
    if (c == 0xE2 && b == 0x81) {
        if (d == 0x9F) return {3, ' '};  // medium mathematical space
        if (d == 0xA0) return {3, 0};    // word joiner
        return {0, 0};
    }
    if (c == 0xE2 && b == 0x88 && d == 0x92) return {3, '-'};              // minus sign
    if (c == 0xE3 && b == 0x80 && d == 0x80) return {3, ' '};              // ideographic space
    if (c == 0xEF && b == 0xBB && d == 0xBF) return {3, 0};                // zero-width no-break space
    if (c == 0xEF && b == 0xBC && d >= 0x81 && d <= 0xBF) return {3, static_cast<char>(d - 0x81 + 0x21)};
    if (c == 0xEF && b == 0xBD && d >= 0x80 && d <= 0x9E) return {3, static_cast<char>(d - 0x80 + 0x60)};
    return {0, 0};
}

// A space, dash or invisible mark matters inside numbers only: it is mapped
// when a digit stands right before or after it (full-width forms always
// are), so prose with its dashes and no-break spaces is scanned as it is.
Mapping relevant(const unsigned char* t, std::size_t i, std::size_t n, Mapping m) noexcept {
    if (m.length == 0 || (t[i] == 0xEF && t[i + 1] != 0xBB)) return m;
    const bool before = i > 0 && digit(t[i - 1]);
    const bool after = i + m.length < n && digit(t[i + m.length]);
    // Full-width digits beside it count too.
    const bool wide_after = i + m.length + 2 < n && t[i + m.length] == 0xEF && t[i + m.length + 1] == 0xBC &&
                            t[i + m.length + 2] >= 0x90 && t[i + m.length + 2] <= 0x99;
    const bool wide_before = i >= 3 && t[i - 3] == 0xEF && t[i - 2] == 0xBC && t[i - 1] >= 0x90 && t[i - 1] <= 0x99;
    return before || after || wide_after || wide_before ? m : Mapping{0, 0};
}

Mapping mapping(const unsigned char* t, std::size_t i, std::size_t n) noexcept {
    return relevant(t, i, n, raw_mapping(t, i, n));
}

bool mapped_lead(unsigned char c) noexcept { return c == 0xC2 || c == 0xE2 || c == 0xE3 || c == 0xEF; }

}  // namespace

std::size_t mapped_length(const unsigned char* t, std::size_t i, std::size_t n) noexcept {
    return mapped_lead(t[i]) ? mapping(t, i, n).length : 0;
}

namespace {

// The last edit whose key is at most `v` (nullptr for none).
template <class Key>
const Normalised::Edit* last_at_most(const std::vector<Normalised::Edit>& edits, std::size_t v, Key key) {
    std::size_t lo = 0, hi = edits.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (key(edits[mid]) <= v) lo = mid + 1;
        else hi = mid;
    }
    return lo == 0 ? nullptr : &edits[lo - 1];
}

}  // namespace

std::size_t Normalised::start_of(std::size_t i) const noexcept {
    const Edit* e = last_at_most(edits, i, [](const Edit& x) { return std::size_t{x.at}; });
    if (!e) return i;
    if (e->replaced && e->at == i) return e->orig;
    return e->orig + e->length + (i - e->at - (e->replaced ? 1 : 0));
}

std::size_t Normalised::end_of(std::size_t i) const noexcept {
    if (i == 0) return start_of(0);
    const std::size_t j = i - 1;
    const Edit* e = last_at_most(edits, j, [](const Edit& x) { return std::size_t{x.at}; });
    if (e && e->replaced && e->at == j) return e->orig + e->length;
    return start_of(j) + 1;
}

std::size_t Normalised::index_of(std::size_t o) const noexcept {
    const Edit* e = last_at_most(edits, o, [](const Edit& x) { return std::size_t{x.orig}; });
    if (!e) return o;
    if (o < std::size_t{e->orig} + e->length) return e->at;
    return e->at + (e->replaced ? 1 : 0) + (o - e->orig - e->length);
}

bool normalise(std::string_view text, Normalised& out) {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    if (n >= UINT32_MAX) return false;
    // The first character the mapping changes: each of the bytes that may
    // start one is looked for with memchr, so text without them costs a
    // few vector passes.
    std::size_t first = n;
    for (const int lead : {0xC2, 0xE2, 0xE3, 0xEF}) {
        for (std::size_t i = 0; i < first;) {
            const void* p = std::memchr(t + i, lead, first - i);
            if (!p) break;
            const auto at = static_cast<std::size_t>(static_cast<const unsigned char*>(p) - t);
            if (mapping(t, at, n).length) {
                first = at;
                break;
            }
            i = at + 1;
        }
    }
    if (first == n) return false;
    out.text.clear();
    out.edits.clear();
    out.text.reserve(n);
    std::size_t copied = 0;  // original bytes before this are in out.text
    for (std::size_t i = first; i < n;) {
        const unsigned char c = t[i];
        const bool lead = c >= 0xC2 && mapped_lead(c);
        const Mapping m = lead ? mapping(t, i, n) : Mapping{0, 0};
        if (m.length == 0) {
            ++i;
            continue;
        }
        out.text.append(text.substr(copied, i - copied));
        out.edits.push_back({static_cast<std::uint32_t>(out.text.size()), static_cast<std::uint32_t>(i),
                             static_cast<std::uint8_t>(m.length), m.replacement != 0});
        if (m.replacement) out.text.push_back(m.replacement);
        i += m.length;
        copied = i;
    }
    out.text.append(text.substr(copied));
    return true;
}

}  // namespace ovf
