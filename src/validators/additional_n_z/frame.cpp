// Shared operations of the additional set N-Z, driven by the validator's row.
#include "validators/additional_n_z/frame.h"

#include <limits>

#include "primitives/normalize.h"
#include "primitives/text.h"

namespace ov::nz {

namespace {

constexpr bool is_continuation(char b) noexcept { return (static_cast<unsigned char>(b) & 0xC0) == 0x80; }

// Byte offset of character k (clamped to the text).
std::size_t byte_offset(std::string_view s, std::int64_t k) noexcept {
    std::size_t i = 0;
    while (k > 0 && i < s.size()) {
        ++i;
        while (i < s.size() && is_continuation(s[i])) ++i;
        --k;
    }
    return i;
}

// The checks accept only ASCII, so every other character may stand in as one
// byte that no check accepts (DEL). Lengths and positions then count
// characters while the checks index bytes. Returns `c` itself when it is ASCII.
std::string_view one_byte_per_char(std::string_view c, std::string& buf) {
    if (all_ascii(c)) return c;
    buf.reserve(c.size());
    for (std::size_t i = 0; i < c.size();) {
        char32_t cp;
        const std::size_t len = decode_utf8(c, i, cp);
        buf.push_back(cp < 0x80 ? static_cast<char>(cp) : '\x7f');
        i += len;
    }
    return buf;
}

}  // namespace

std::string remove_chars(std::string_view text, std::string_view chars) {
    std::string out;
    out.reserve(text.size());
    // The removed characters are ASCII, which never occurs inside a
    // multi-byte character, so removal by byte is removal by character.
    for (char b : text)
        if (chars.find(b) == std::string_view::npos) out.push_back(b);
    return out;
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    for (std::size_t hit; (hit = text.find(from, i)) != std::string_view::npos; i = hit + from.size()) {
        out.append(text.substr(i, hit - i));
        out.append(to);
    }
    out.append(text.substr(i));
    return out;
}

std::string_view char_range(std::string_view text, std::int64_t begin, std::int64_t end) noexcept {
    if (begin < 0) begin = 0;
    if (end <= begin) return {};
    const std::size_t b = byte_offset(text, begin);
    const std::size_t e = byte_offset(text.substr(b), end - begin) + b;
    return text.substr(b, e - b);
}

std::string compact(const Rule& rule, std::string_view value) {
    const Compaction& c = rule.compaction;
    if (c.custom != nullptr) return c.custom(value);
    std::string s = remove_chars(value, c.remove);
    if (c.trim) {
        const std::string_view t = trim(s);
        if (t.size() != s.size()) s = std::string(t);
    }
    // ASCII text (the usual case) is upper-cased in place; only other text
    // needs the full mapping, which builds a new string.
    if (c.upper == CaseMap::Ascii || (c.upper == CaseMap::Full && all_ascii(s))) {
        for (char& ch : s) ch = to_upper_ascii(ch);
    } else if (c.upper == CaseMap::Full) {
        s = upper(s);
    }
    if (c.prefix.size() == 2 && s.size() >= 2 && to_upper_ascii(s[0]) == c.prefix[0] &&
        to_upper_ascii(s[1]) == c.prefix[1])
        s.erase(0, 2);
    if (c.pad_to != 0) {
        const std::size_t n = char_count(s);
        if (n < c.pad_to) s.insert(0, c.pad_to - n, '0');
    }
    return s;
}

std::string format(const Rule& rule, std::string_view value) {
    std::string c = compact(rule, value);
    const Layout& f = rule.format;
    if (f.custom != nullptr) return f.custom(c);
    if (f.pieces == 0 || (f.only_length != 0 && char_count(c) != f.only_length)) return c;
    std::string out(f.prefix);
    out.reserve(f.prefix.size() + c.size() + f.pieces * f.joiner.size());
    for (std::size_t i = 0; i < f.pieces; ++i) {
        if (i != 0) out.append(f.joiner);
        const std::uint8_t end = f.bounds[i + 1];
        out.append(char_range(c, f.bounds[i], end == kEnd ? std::numeric_limits<std::int64_t>::max() : end));
    }
    return out;
}

ValidationOutcome validate(const Rule& rule, std::string_view value) {
    std::string c = compact(rule, value);
    std::string buf;
    const std::string_view view = one_byte_per_char(c, buf);
    const Verdict v = rule.check(view);
    if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
    if (rule.accepted != nullptr) return ValidationOutcome::success(rule.accepted(view));
    return ValidationOutcome::success(std::move(c));
}

std::optional<ParsedData> parse(const Rule& rule, std::string_view value) {
    if (rule.parse == nullptr) return std::nullopt;
    const ValidationOutcome v = validate(rule, value);
    if (!v.ok) return std::nullopt;
    return rule.parse(v.text());
}

std::optional<std::string> first_example(const ValidatorSpec& self) {
    if (self.examples.empty()) return std::nullopt;
    return std::string(self.examples.front());
}

}  // namespace ov::nz
