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

// ASCII white space that trimming removes.
constexpr bool is_ascii_space(char b) noexcept { return b == ' ' || (b >= '\t' && b <= '\r'); }

}  // namespace

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

std::string remove_chars(std::string_view text, std::string_view chars) {
    std::string out;
    out.reserve(text.size());
    // The removed characters are ASCII, which never occurs inside a
    // multi-byte character, so removal by byte is removal by character.
    std::uint64_t removed[2] = {0, 0};
    for (char b : chars) removed[(b >> 6) & 1] |= std::uint64_t{1} << (b & 63);
    for (char b : text) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 || ((removed[u >> 6] >> (u & 63)) & 1) == 0) out.push_back(b);
    }
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

bool unchanged_by_compaction(const Compaction& c, const KeptBytes& kept, std::string_view value) noexcept {
    if (c.custom != nullptr || value.size() < c.pad_to) return false;
    for (char b : value)
        if (!kept.has(static_cast<unsigned char>(b))) return false;
    // Every byte is ASCII now: white space at either end is what trimming
    // would remove.
    if (c.trim && !value.empty() && (is_ascii_space(value.front()) || is_ascii_space(value.back()))) return false;
    const std::string_view p = c.prefix;
    return p.empty() || value.size() < 2 || to_upper_ascii(value[0]) != p[0] || to_upper_ascii(value[1]) != p[1];
}

ValidationOutcome validate(const Rule& rule, const KeptBytes& kept, std::string_view value) {
    if (rule.own_validate != nullptr) return rule.own_validate(value);
    // Text that compaction would leave as it is (the usual case) is checked
    // where it stands; it is ASCII, so it already has one byte per character.
    if (unchanged_by_compaction(rule.compaction, kept, value)) {
        const Verdict v = rule.check(value);
        if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
        return ValidationOutcome::success_input(value);
    }
    std::string c = compact(rule, value);
    std::string buf;
    const Verdict v = rule.check(one_byte_per_char(c, buf));
    if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
    return ValidationOutcome::success(std::move(c));
}

std::optional<ParsedData> parse(const Rule& rule, const KeptBytes& kept, std::string_view value) {
    if (rule.parse == nullptr) return std::nullopt;
    const ValidationOutcome v = validate(rule, kept, value);
    if (!v.ok) return std::nullopt;
    return rule.parse(v.text());
}

std::optional<std::string> first_example(const ValidatorSpec& self) {
    if (self.examples.empty()) return std::nullopt;
    return std::string(self.examples.front());
}

}  // namespace ov::nz
