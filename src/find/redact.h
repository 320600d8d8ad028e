// The default redaction: every letter and digit of a match becomes '*'
// (a full-width one too, as one '*'); separators and everything outside
// the matches stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "find/engine.h"

namespace ovf {

inline constexpr char kMask = '*';

// The length of the full-width letter or digit at t[i] (3), or 0.
inline std::size_t wide_alnum(std::string_view t, std::size_t i) {
    if (i + 2 >= t.size() || static_cast<unsigned char>(t[i]) != 0xEF) return 0;
    const auto b = static_cast<unsigned char>(t[i + 1]), c = static_cast<unsigned char>(t[i + 2]);
    const bool wide = (b == 0xBC && ((c >= 0x90 && c <= 0x99) || (c >= 0xA1 && c <= 0xBA))) ||
                      (b == 0xBD && c >= 0x81 && c <= 0x9A);
    return wide ? 3 : 0;
}

// Appends text[from, to) masked to `out`.
inline void mask_into(std::string_view text, std::size_t from, std::size_t to, std::string& out) {
    for (std::size_t i = from; i < to;) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += kMask;
            ++i;
        } else if (const std::size_t w = wide_alnum(text, i); w && i + w <= to) {
            out += kMask;
            i += w;
        } else {
            out += c;
            ++i;
        }
    }
}

// `hits` in text order, as scan returns them (equal spans may repeat).
inline std::string masked(std::string_view text, const std::vector<Hit>& hits) {
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (const Hit& h : hits) {
        if (h.end <= done) continue;
        const std::size_t s = std::max(h.start, done);
        out.append(text.substr(done, s - done));
        mask_into(text, s, h.end, out);
        done = h.end;
    }
    out.append(text.substr(done));
    return out;
}

}  // namespace ovf
