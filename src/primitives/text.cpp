// Strict UTF-8 decoding and encoding.
//
// Decoding follows the well-formed byte sequences of Unicode (table 3-7): no
// overlong forms, no surrogates, nothing above U+10FFFF and no truncated
// sequences. A byte that does not start a well-formed sequence becomes a
// one-byte "character" 0xDC00 + byte; append_utf8 writes such a marker back
// as the original byte, so decode-then-append reproduces any input exactly.
#include "primitives/text.h"

#include "primitives/swar.h"

namespace ov {

namespace {

constexpr bool in_range(unsigned char b, unsigned char lo, unsigned char hi) noexcept {
    return b >= lo && b <= hi;
}

constexpr char32_t kInvalidBase = 0xDC00;

}  // namespace

std::size_t decode_utf8(std::string_view s, std::size_t i, char32_t& cp) noexcept {
    const std::size_t n = s.size();
    if (i >= n) {
        // Past the end: no byte to decode. Still report one byte so that a
        // careless loop advances instead of spinning.
        cp = kInvalidBase;
        return 1;
    }
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    const std::size_t left = n - i;  // bytes available from i, at least 1
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };

    if (in_range(b0, 0xC2, 0xDF)) {
        if (left >= 2 && in_range(at(1), 0x80, 0xBF)) {
            cp = (char32_t(b0 & 0x1F) << 6) | char32_t(at(1) & 0x3F);
            return 2;
        }
    } else if (in_range(b0, 0xE0, 0xEF)) {
        // The second byte's range excludes overlong forms (E0) and surrogates (ED).
        unsigned char lo = 0x80, hi = 0xBF;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
        if (left >= 3 && in_range(at(1), lo, hi) && in_range(at(2), 0x80, 0xBF)) {
            cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(at(1) & 0x3F) << 6) | char32_t(at(2) & 0x3F);
            return 3;
        }
    } else if (in_range(b0, 0xF0, 0xF4)) {
        // F0 excludes overlong forms, F4 caps the value at U+10FFFF.
        unsigned char lo = 0x80, hi = 0xBF;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
        if (left >= 4 && in_range(at(1), lo, hi) && in_range(at(2), 0x80, 0xBF) &&
            in_range(at(3), 0x80, 0xBF)) {
            cp = (char32_t(b0 & 0x07) << 18) | (char32_t(at(1) & 0x3F) << 12) |
                 (char32_t(at(2) & 0x3F) << 6) | char32_t(at(3) & 0x3F);
            return 4;
        }
    }
    cp = kInvalidBase + b0;
    return 1;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp >= kInvalidBase + 0x80 && cp <= kInvalidBase + 0xFF) {
        // Marker of an undecodable byte: write the byte itself back.
        out.push_back(static_cast<char>(cp - kInvalidBase));
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
        out.append("\xEF\xBF\xBD");  // a surrogate cannot be encoded: U+FFFD
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp <= 0x10FFFF) {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append("\xEF\xBF\xBD");  // beyond Unicode: U+FFFD
    }
}

bool valid_utf8(std::string_view s) noexcept {
    const std::size_t n = s.size();
    std::size_t i = 0;
    // Identifiers are nearly always ASCII: skip it eight bytes at a time.
    while (n - i >= 8 && (swar::load(s.data() + i) & swar::kHigh) == 0) i += 8;
    while (i < n) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        // Every well-formed sequence beyond ASCII is two bytes or more.
        char32_t cp;
        const std::size_t len = decode_utf8(s, i, cp);
        if (len == 1) return false;
        i += len;
    }
    return true;
}

std::size_t char_count(std::string_view s) noexcept {
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
        } else {
            char32_t cp;
            i += decode_utf8(s, i, cp);
        }
        ++count;
    }
    return count;
}

}  // namespace ov
