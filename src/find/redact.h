// The default redaction: every letter and digit of a match becomes '*';
// its length, separators and everything outside the matches stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "find/engine.h"

namespace ovf {

inline constexpr char kMask = '*';

// `hits` in text order, as scan returns them (equal spans may repeat).
inline std::string masked(std::string_view text, const std::vector<Hit>& hits) {
    std::string out(text);
    for (const Hit& h : hits)
        for (std::size_t i = h.start; i < h.end; ++i) {
            const char c = out[i];
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) out[i] = kMask;
        }
    return out;
}

}  // namespace ovf
