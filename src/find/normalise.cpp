#include "find/normalise.h"

#include <algorithm>

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
    // Two blanks between digits, as text taken from a page spaces a
    // number's groups, read as one.
    if (c == ' ') return i > 0 && i + 2 < n && t[i + 1] == ' ' && digit(t[i - 1]) && digit(t[i + 2]) ? Mapping{1, 0} : Mapping{0, 0};
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
    return before || after || wide_after || wide_before || t[i] == ' ' ? m : Mapping{0, 0};
}

Mapping mapping(const unsigned char* t, std::size_t i, std::size_t n) noexcept {
    return relevant(t, i, n, raw_mapping(t, i, n));
}

bool mapped_lead(unsigned char c) noexcept { return c == 0xC2 || c == 0xE2 || c == 0xE3 || c == 0xEF || c == ' '; }

}  // namespace

std::size_t mapped_length(const unsigned char* t, std::size_t i, std::size_t n) noexcept {
    return mapped_lead(t[i]) ? mapping(t, i, n).length : 0;
}

std::size_t Normalised::index_of(std::size_t o) const noexcept {
    const auto it = std::lower_bound(from.begin(), from.end() - 1, static_cast<std::uint32_t>(std::min<std::size_t>(o, UINT32_MAX)));
    return static_cast<std::size_t>(it - from.begin());
}

bool normalise(std::string_view text, Normalised& out) {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    if (n >= UINT32_MAX) return false;
    std::size_t first = n;
    for (std::size_t i = 0; i < n; ++i)
        if ((t[i] >= 0xC2 || t[i] == ' ') && mapped_lead(t[i]) && mapping(t, i, n).length) {
            first = i;
            break;
        }
    if (first == n) return false;
    out.text.clear();
    out.from.clear();
    out.to.clear();
    out.text.reserve(n);
    out.from.reserve(n + 1);
    out.to.reserve(n + 1);
    out.text.append(text.substr(0, first));
    for (std::size_t i = 0; i < first; ++i) {
        out.from.push_back(static_cast<std::uint32_t>(i));
        out.to.push_back(static_cast<std::uint32_t>(i + 1));
    }
    for (std::size_t i = first; i < n;) {
        const Mapping m = mapped_lead(t[i]) ? mapping(t, i, n) : Mapping{0, 0};
        if (m.length == 0) {
            out.text.push_back(static_cast<char>(t[i]));
            out.from.push_back(static_cast<std::uint32_t>(i));
            out.to.push_back(static_cast<std::uint32_t>(i + 1));
            ++i;
            continue;
        }
        if (m.replacement) {
            out.text.push_back(m.replacement);
            out.from.push_back(static_cast<std::uint32_t>(i));
            out.to.push_back(static_cast<std::uint32_t>(i + m.length));
        }
        i += m.length;
    }
    out.from.push_back(static_cast<std::uint32_t>(n));
    out.to.push_back(static_cast<std::uint32_t>(n));
    return true;
}

}  // namespace ovf
