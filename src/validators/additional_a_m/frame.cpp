// The shared operations of the additional set A-M: compaction rules, display
// layouts, the validation frame with its four fixed messages, generation.
#include <algorithm>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/additional_a_m/frame_rows.h"

namespace ov::am {

namespace {

constexpr std::string_view kDefaultSeps = seps::S4;  // blank - . / ( )

void drop_prefix(std::string& s, std::string_view prefix) {
    if (s.starts_with(prefix)) s.erase(0, prefix.size());
}

void drop_leading_zeros(std::string& s) { s.erase(0, std::min(s.find_first_not_of('0'), s.size())); }

// Full Unicode upper-case; plain ASCII text (the usual case) is mapped in place.
void upper_case(std::string& s) {
    if (all_ascii(s)) {
        for (char& ch : s) ch = to_upper_ascii(ch);
    } else {
        s = upper(s);
    }
}

// Arabic-Indic U+0660..U+0669 (D9 A0..A9) and Extended Arabic-Indic
// U+06F0..U+06F9 (DB B0..B9) digits become ASCII digits.
void arabic_digits_to_ascii(std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto lead = static_cast<unsigned char>(s[i]);
        if (i + 1 < s.size()) {
            const auto next = static_cast<unsigned char>(s[i + 1]);
            if ((lead == 0xD9 && next >= 0xA0 && next <= 0xA9) || (lead == 0xDB && next >= 0xB0 && next <= 0xB9)) {
                out.push_back(static_cast<char>('0' + (next & 0x0F)));
                ++i;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    s = std::move(out);
}

// Cyrillic capitals that look like Latin ones (А В Е К М Н О Р С Т), keyed
// by the second byte of their two-byte form D0 xx.
struct LookAlike {
    unsigned char second;
    char latin;
};
constexpr LookAlike kCyrillicLookAlikes[] = {
    {0x90, 'A'}, {0x92, 'B'}, {0x95, 'E'}, {0x9A, 'K'}, {0x9C, 'M'},
    {0x9D, 'H'}, {0x9E, 'O'}, {0xA0, 'P'}, {0xA1, 'C'}, {0xA2, 'T'},
};

// 0xD0 is always a lead byte, so a match is a whole character.
void cyrillic_look_alikes_to_latin(std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) == 0xD0 && i + 1 < s.size()) {
            const auto next = static_cast<unsigned char>(s[i + 1]);
            const auto* hit = std::find_if(std::begin(kCyrillicLookAlikes), std::end(kCyrillicLookAlikes),
                                           [next](const LookAlike& l) { return l.second == next; });
            if (hit != std::end(kCyrillicLookAlikes)) {
                out.push_back(hit->latin);
                ++i;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    s = std::move(out);
}

// Dashed cédula: three pieces are padded to 2, 4 and 4 digits; otherwise the
// dashes just go.
void cr_cpf_pieces(std::string& s) {
    if (std::count(s.begin(), s.end(), '-') == 2) {
        const std::size_t a = s.find('-');
        const std::size_t b = s.find('-', a + 1);
        const std::string_view v = s;
        const std::string_view pieces[] = {v.substr(0, a), v.substr(a + 1, b - a - 1), v.substr(b + 1)};
        constexpr std::size_t kWidths[] = {2, 4, 4};
        std::string out;
        for (int k = 0; k < 3; ++k) {
            if (pieces[k].size() < kWidths[k]) out.append(kWidths[k] - pieces[k].size(), '0');
            out.append(pieces[k]);
        }
        s = std::move(out);
    } else {
        std::erase(s, '-');
    }
}

constexpr std::string_view kCyrillicUnp = "\u0423\u041D\u041F";  // УНП
constexpr std::string_view kCyrillicMk = "\u041C\u041A";          // МК

}  // namespace

std::string default_compact(std::string_view value) { return strip_separators(value, kDefaultSeps); }

ValidationOutcome failure(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidLength: return ValidationOutcome::failure(code, kMsgInvalidLength);
        case ErrorCode::InvalidChecksum: return ValidationOutcome::failure(code, kMsgAmChecksum);
        case ErrorCode::InvalidComponent: return ValidationOutcome::failure(code, kMsgInvalidComponent);
        case ErrorCode::InvalidFormat: break;
    }
    return ValidationOutcome::failure(ErrorCode::InvalidFormat, kMsgInvalidFormat);
}

std::string compact(const Row& row, std::string_view value) {
    if (row.own_compact) return row.own_compact(value);
    std::string s;
    switch (row.compaction) {
        case Compaction::Default: return default_compact(value);
        case Compaction::DefaultUpper:
            s = default_compact(value);
            upper_case(s);
            return s;
        case Compaction::ClRut:
            s = default_compact(value);
            upper_case(s);
            drop_prefix(s, "CL");
            return s;
        case Compaction::GtNit:
            s = default_compact(value);
            upper_case(s);
            drop_leading_zeros(s);
            return s;
        case Compaction::IsVsk:
            s = default_compact(value);
            upper_case(s);
            drop_prefix(s, "IS");
            return s;
        case Compaction::McTva:
            s = default_compact(value);
            upper_case(s);
            if (!s.starts_with("FR")) s.insert(0, "FR");
            return s;
        case Compaction::ArabicDigits:
            s = default_compact(value);
            arabic_digits_to_ascii(s);
            return s;
        case Compaction::PadNine:
            s = default_compact(value);
            // The padding counts characters, so a stray non-ASCII character
            // still leaves nine of them.
            if (const std::size_t n = char_count(s); n < 9) s.insert(0, 9 - n, '0');
            return s;
        case Compaction::LiPeid:
            s = strip_separators(value, seps::S12);
            drop_leading_zeros(s);
            return s;
        case Compaction::BlankOnly: return strip_separators(value, seps::S2);
        case Compaction::AzVoen:
            s = strip_separators(value, seps::S2);
            if (s.size() == 9) s.insert(0, 1, '0');
            return s;
        case Compaction::BlankUpper:
            s = strip_separators(value, seps::S2);
            upper_case(s);
            return s;
        case Compaction::AlNipt:
            s = strip_separators(value, seps::S2);
            upper_case(s);
            if (s.starts_with("(AL)"))
                s.erase(0, 4);
            else
                drop_prefix(s, "AL");
            return s;
        case Compaction::ByUnp:
            s = strip_separators(value, seps::S2);
            upper_case(s);
            if (s.starts_with(kCyrillicUnp))
                s.erase(0, kCyrillicUnp.size());
            else
                drop_prefix(s, "UNP");
            cyrillic_look_alikes_to_latin(s);
            return s;
        case Compaction::CrCpf:
            s = strip_separators(value, seps::S2);
            upper_case(s);
            cr_cpf_pieces(s);
            if (s.size() == 9) s.insert(0, 1, '0');
            return s;
        case Compaction::MkEdb:
            s = strip_separators(value, seps::S1);
            if (s.starts_with("MK"))
                s.erase(0, 2);
            else
                drop_prefix(s, kCyrillicMk);
            return s;
    }
    return default_compact(value);
}

namespace {

// Pieces are cut through `slice`, so a bound inside a multi-byte character
// gives an empty piece rather than half a character.
std::string apply_layout(std::string_view c, const Layout& l) {
    const std::size_t pieces = l.seps.size() + 1;
    auto bound = [&](std::size_t k) -> std::size_t { return l.bounds[k] == kEnd ? c.size() : l.bounds[k]; };
    std::string out;
    out.reserve(c.size() + l.seps.size());
    for (std::size_t k = 0; k < pieces; ++k) {
        if (k > 0) out.push_back(l.seps[k - 1]);
        out.append(slice(c, bound(k), bound(k + 1)));
    }
    return out;
}

// The text without its last character, and that character: cut where the
// last character starts, so that a multi-byte one stays whole.
std::pair<std::string_view, std::string_view> split_last(std::string_view c) {
    if (c.empty()) return {};
    std::size_t start = c.size() - 1;
    while (!is_char_boundary(c, start)) --start;  // stops at 0 at the latest
    return {c.substr(0, start), c.substr(start)};
}

}  // namespace

std::string format(const Row& row, std::string_view value) {
    if (row.own_format) return row.own_format(value);
    std::string c = compact(row, value);
    for (const Layout& l : row.layouts) {
        if (l.seps.empty() || (l.when_length != 0 && l.when_length != c.size())) continue;
        return apply_layout(c, l);
    }
    if (row.special_format) return row.special_format(c);
    return c;
}

std::string cl_rut_format(std::string_view c) {
    const std::size_t n = c.size();
    const std::size_t p = n >= 7 ? n - 7 : 0;
    std::string out;
    out.append(slice(c, 0, p)).append(".");
    out.append(slice(c, p, p + 3)).append(".");
    out.append(slice(c, p + 3, p + 6)).append("-");
    out.append(slice(c, p + 6, n));
    return out;
}

// Groups of three counted from the right, then the check digit.
std::string co_nit_format(std::string_view c) {
    const auto [head, last] = split_last(c);
    std::string out;
    std::size_t begin = 0;
    std::size_t end = head.size() % 3 == 0 ? 3 : head.size() % 3;
    while (begin < head.size()) {
        if (begin > 0) out.push_back('.');
        out.append(slice(head, begin, end));
        begin = end;
        end += 3;
    }
    out.push_back('-');
    out.append(last);
    return out;
}

std::string gt_nit_format(std::string_view c) {
    const auto [head, last] = split_last(c);
    std::string out(head);
    out.push_back('-');
    out.append(last);
    return out;
}

std::string hk_hkid_format(std::string_view c) {
    const auto [head, last] = split_last(c);
    std::string out(head);
    out.push_back('(');
    out.append(last);
    out.push_back(')');
    return out;
}

namespace {

// ASCII white space that trimming would remove from either end.
constexpr bool is_ascii_space(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// The ASCII bytes that a compaction keeps as they are (not removed, not
// upper-cased), as a 128-bit set: one test a byte instead of a search.
struct KeptBytes {
    std::uint64_t bits[2] = {0, 0};
    constexpr KeptBytes(std::string_view removed, bool upper_cased) {
        for (unsigned b = 0; b < 0x80; ++b) {
            const char ch = static_cast<char>(b);
            if (removed.find(ch) == std::string_view::npos && !(upper_cased && is_lower(ch)))
                bits[b >> 6] |= std::uint64_t{1} << (b & 63);
        }
    }
    constexpr bool has(unsigned char b) const noexcept {
        return b < 0x80 && ((bits[b >> 6] >> (b & 63)) & 1) != 0;
    }
};
constexpr KeptBytes kKeptDefault{kDefaultSeps, false}, kKeptDefaultUpper{kDefaultSeps, true},
    kKeptBlank{seps::S2, false}, kKeptBlankUpper{seps::S2, true};

// The row's checks on a compact text, in order; nothing when all pass.
std::optional<ErrorCode> first_failure(const Row& row, std::string_view c) {
    if (row.digits_first && (c.empty() || !all_digits(c))) return ErrorCode::InvalidFormat;
    if (!row.check) return ErrorCode::InvalidFormat;
    return row.check(c);
}

}  // namespace

bool unchanged_by_compaction(const Row& row, std::string_view value) {
    const KeptBytes* kept = nullptr;
    switch (row.compaction) {
        case Compaction::Default:
        case Compaction::ArabicDigits: kept = &kKeptDefault; break;
        case Compaction::DefaultUpper: kept = &kKeptDefaultUpper; break;
        case Compaction::BlankOnly: kept = &kKeptBlank; break;
        case Compaction::BlankUpper: kept = &kKeptBlankUpper; break;
        // Compactions that also drop or add a prefix, or pad: unchanged when
        // the text gives them nothing to do. (Each look-alike mapping they
        // add touches bytes beyond ASCII only, which no kept set holds.)
        case Compaction::ClRut:
            if (value.starts_with("CL")) return false;
            kept = &kKeptDefaultUpper;
            break;
        case Compaction::IsVsk:
            if (value.starts_with("IS")) return false;
            kept = &kKeptDefaultUpper;
            break;
        case Compaction::GtNit:
            if (value.starts_with('0')) return false;
            kept = &kKeptDefaultUpper;
            break;
        case Compaction::McTva:
            if (!value.starts_with("FR")) return false;
            kept = &kKeptDefaultUpper;
            break;
        case Compaction::PadNine:
            if (value.size() < 9) return false;  // ASCII: bytes are characters
            kept = &kKeptDefault;
            break;
        case Compaction::AzVoen:
            if (value.size() == 9) return false;
            kept = &kKeptBlank;
            break;
        case Compaction::AlNipt:
            if (value.starts_with("AL") || value.starts_with("(AL)")) return false;
            kept = &kKeptBlankUpper;
            break;
        case Compaction::ByUnp:
            if (value.starts_with("UNP")) return false;
            kept = &kKeptBlankUpper;
            break;
        case Compaction::MkEdb:
            // Blanks and hyphens go; the default set removes those and more,
            // so its kept bytes are kept here too.
            if (value.starts_with("MK")) return false;
            kept = &kKeptDefault;
            break;
        default: return false;
    }
    if (row.own_compact || value.empty() || is_ascii_space(value.front()) || is_ascii_space(value.back()))
        return false;
    for (char ch : value)
        if (!kept->has(static_cast<unsigned char>(ch))) return false;
    return true;
}

ValidationOutcome validate(const Row& row, std::string_view value) {
    if (row.own_validate) return row.own_validate(value);
    if (row.precheck) {
        const PrecheckOutcome p = row.precheck(value);
        if (p.kind == PrecheckKind::AcceptAsIs) return ValidationOutcome::success_copy(value);
        if (p.kind == PrecheckKind::Failure) return ValidationOutcome::failure(p.code, p.message);
    }
    if (!row.route && unchanged_by_compaction(row, value)) {
        if (const auto code = first_failure(row, value)) return failure(*code);
        return ValidationOutcome::success_input(value);
    }
    std::string c = compact(row, value);
    if (row.route) return row.route(c);
    if (const auto code = first_failure(row, c)) return failure(*code);
    return ValidationOutcome::success(std::move(c));
}

std::optional<std::string> generate_op(const ValidatorSpec& spec) { return am_example_generate(spec); }

}  // namespace ov::am
