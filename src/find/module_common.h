// Shared by the text and column entry points of orvane_vardik._find:
// reading a selection (ids, countries, confidence) from Python arguments.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "find/engine.h"
#include "module/py.h"

namespace ovf {

// Builds the selection from `ids` and `countries` (None or a tuple of str),
// `include_invalid` (bool) and `min_confidence` (str). False with KeyError
// (unknown ids), ValueError (unknown countries or confidence) or TypeError.
bool read_selection(const Engine& e, PyObject* ids, PyObject* countries, PyObject* include_invalid,
                    PyObject* min_confidence, Selection& sel);

// Byte offsets of UTF-8 text to str indices, for offsets asked in
// increasing order (any order works, increasing ones cost nothing extra).
class CodePoints {
public:
    CodePoints(std::string_view text, bool ascii) : text_(text), ascii_(ascii) {}
    std::size_t index(std::size_t byte) noexcept {
        if (ascii_) return byte;
        if (byte < byte_) byte_ = index_ = 0;
        for (; byte_ < byte; ++byte_)
            if ((static_cast<unsigned char>(text_[byte_]) & 0xC0) != 0x80) ++index_;
        return index_;
    }
    // Byte offset of str index `cp` (clamped to the end); `from` is a byte
    // offset known to lie at or before it, at a character's start, and
    // `from_cp` its index.
    std::size_t byte(std::size_t cp, std::size_t from = 0, std::size_t from_cp = 0) const noexcept {
        if (ascii_) return std::min(cp, text_.size());
        std::size_t b = from, i = from_cp;
        // Eight bytes at a time while the character sought lies beyond them.
        while (text_.size() - b >= 8) {
            std::uint64_t w;
            std::memcpy(&w, text_.data() + b, 8);
            // A byte starts a character unless it is 10xxxxxx.
            const std::uint64_t cont = w & ~(w << 1) & 0x8080808080808080ULL;
            const std::size_t starts = 8 - static_cast<std::size_t>(std::popcount(cont));
            if (i + starts > cp) break;
            i += starts;
            b += 8;
        }
        for (; b < text_.size(); ++b) {
            if ((static_cast<unsigned char>(text_[b]) & 0xC0) != 0x80) {
                if (i == cp) return b;
                ++i;
            }
        }
        return text_.size();
    }

private:
    std::string_view text_;
    bool ascii_;
    std::size_t byte_ = 0, index_ = 0;
};

}  // namespace ovf
