// pa.ruc: the Panamanian taxpayer register number, written as three
// hyphen-separated pieces followed by "DV" and two verifier digits
// ("1-184-921 DV49"). Its compaction, display form, checks and reported text.
#include <array>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/additional_n_z/checks.h"

namespace ov::nz {

namespace {

constexpr std::string_view kMissingDv = "Panama RUC must include DV (dígito verificador)";
constexpr std::string_view kSegments = "Panama RUC must have 3–4 hyphen-separated segments";
constexpr std::string_view kUnrecognized = "Unrecognized Panama RUC format";
constexpr std::string_view kMismatch = "Panama RUC dígito verificador does not match";

// Old-format bases carry a province code that the verifier digits were
// computed over in its historic two-digit form: old code -> current code.
// Pairs not listed stand for themselves.
struct ProvincePair {
    std::uint8_t old_code, code;
};
constexpr std::array<ProvincePair, 40> kOldProvinceCodes = {{
    {10, 1}, {11, 2}, {12, 3}, {13, 4}, {14, 5}, {15, 6}, {16, 7}, {17, 8}, {18, 9}, {19, 1},
    {20, 2}, {21, 3}, {22, 4}, {23, 7}, {24, 8}, {25, 9}, {26, 2}, {27, 3}, {28, 4}, {29, 5},
    {30, 6}, {31, 7}, {32, 8}, {33, 9}, {34, 1}, {35, 2}, {36, 3}, {37, 4}, {38, 5}, {39, 6},
    {40, 7}, {41, 8}, {42, 9}, {43, 1}, {44, 2}, {45, 3}, {46, 4}, {47, 5}, {48, 6}, {49, 7},
}};
static_assert([] {
    for (std::size_t i = 0; i < kOldProvinceCodes.size(); ++i)
        if (kOldProvinceCodes[i].old_code != 10 + i || kOldProvinceCodes[i].code < 1 || kOldProvinceCodes[i].code > 9)
            return false;
    return true;
}(), "old province codes run from 10 to 49 and map to 01..09");

int current_province(int pair) noexcept {
    for (const ProvincePair& p : kOldProvinceCodes)
        if (p.old_code == pair) return p.code;
    return pair;
}

// The pieces of a RUC and its given verifier digits, as views into `text`.
struct RucParts {
    std::string_view a, b, c, dv;
};

// Finds the verifier digits and the three digit pieces; a failure names the
// first rule the text breaks.
Verdict split_ruc(std::string_view text, RucParts& out) {
    const std::size_t at = text.find("DV");
    if (at == std::string_view::npos) return fail(ErrorCode::InvalidFormat, kMissingDv);
    std::string_view body = trim(text.substr(0, at));
    while (!body.empty() && body.back() == '-') body.remove_suffix(1);
    out.dv = trim(text.substr(at + 2));
    if (out.dv.size() != 2 || !all_digits(out.dv)) return fail(ErrorCode::InvalidFormat, kMissingDv);

    // Count every piece (the body may hold any number of hyphens) but keep
    // only the first four.
    std::array<std::string_view, 4> pieces;
    std::size_t count = 0;
    for (std::size_t start = 0;; ++count) {
        const std::size_t hyphen = body.find('-', start);
        if (count < pieces.size())
            pieces[count] = body.substr(start, hyphen == std::string_view::npos ? std::string_view::npos : hyphen - start);
        if (hyphen == std::string_view::npos) break;
        start = hyphen + 1;
    }
    ++count;
    if (count < 3 || count > 4 || pieces[0].empty() || pieces[1].empty() || pieces[2].empty() ||
        (count == 4 && pieces[3].empty()))
        return fail(ErrorCode::InvalidFormat, kSegments);
    if (count == 4) return fail(ErrorCode::InvalidFormat, kUnrecognized);
    if (!all_digits(pieces[0]) || !all_digits(pieces[1]) || !all_digits(pieces[2]))
        return fail(ErrorCode::InvalidFormat, kUnrecognized);
    out.a = pieces[0];
    out.b = pieces[1];
    out.c = pieces[2];
    return kPass;
}

void append_padded(std::string& out, std::string_view piece, std::size_t width) {
    if (piece.size() < width) out.append(width - piece.size(), '0');
    out.append(piece);
}

// Verifier digit: weights 2, 3, 4, ... from the rightmost digit, skipping
// 12 in the old format. Pieces have no length limit, so weights and terms
// are reduced mod 11 as they go.
char verifier(std::string_view digits, bool old_format) noexcept {
    std::int64_t sum = 0, weight = 2;
    for (std::size_t i = digits.size(); i-- > 0; ++weight) {
        if (old_format && weight == 12) weight = 13;
        sum = (sum + (digits[i] - '0') * (weight % 11)) % 11;
    }
    return sum < 2 ? '0' : static_cast<char>('0' + 11 - sum);
}

}  // namespace

std::string pa_ruc_compact(std::string_view value) {
    const std::string_view t = trim(value);
    // Upper-case, and make each run of white space one blank.
    std::string s;
    s.reserve(t.size());
    bool blank = false;
    if (all_ascii(t)) {
        for (char b : t) {
            if (b == ' ' || (b >= '\t' && b <= '\r')) {
                blank = true;
                continue;
            }
            if (blank) s.push_back(' ');
            blank = false;
            s.push_back(to_upper_ascii(b));
        }
    } else {
        const std::string up = upper(t);
        for (std::size_t i = 0; i < up.size();) {
            char32_t cp;
            const std::size_t len = decode_utf8(up, i, cp);
            if (is_white_space(cp)) {
                blank = true;
            } else {
                if (blank && !s.empty()) s.push_back(' ');
                blank = false;
                s.append(up, i, len);
            }
            i += len;
        }
    }
    if (s.find(" DV ") != std::string::npos) s = replace_all(s, " DV ", " DV");
    if (s.find("DV:") != std::string::npos) s = replace_all(s, "DV:", "DV");
    return s;
}

std::string pa_ruc_format(std::string_view c) {
    const std::size_t at = c.find("DV");
    if (at == std::string_view::npos) return std::string(c);
    std::string_view before = c.substr(0, at), after = c.substr(at + 2);
    while (!before.empty() && (before.back() == '-' || before.back() == ' ')) before.remove_suffix(1);
    while (!after.empty() && (after.front() == ':' || after.front() == ' ')) after.remove_prefix(1);
    while (!after.empty() && (after.back() == ':' || after.back() == ' ')) after.remove_suffix(1);
    std::string out(before);
    out.append(" DV ");
    out.append(after);
    return out;
}

namespace {
// The text with every "DV:" written "DV" (a copy only when there is one).
std::string_view without_dv_colon(std::string_view c, std::string& storage) {
    if (c.find("DV:") == std::string_view::npos) return c;
    storage = replace_all(c, "DV:", "DV");
    return storage;
}
}  // namespace

Verdict pa_ruc_check(std::string_view c) {
    std::string storage;
    const std::string_view text = without_dv_colon(c, storage);
    RucParts p;
    if (const Verdict v = split_ruc(text, p); !v.ok) return v;

    std::string base;
    base.reserve(p.a.size() + p.b.size() + p.c.size() + 20);
    bool old_format = false;
    if (p.a.size() < 3) {
        // Natural persons: province a, book b, entry c. Their bases always
        // look like the old format, but the verifier digits are computed
        // without the province rewrite (the published "1-184-921 DV49").
        if (p.b.size() < 4) base.append(4 - p.b.size(), '0');
        base.append("0000005");
        append_padded(base, p.a, 2);
        base.append("00");
        append_padded(base, p.b, 3);
        append_padded(base, p.c, 5);
    } else {
        append_padded(base, p.a, 10);
        append_padded(base, p.b, 4);
        append_padded(base, p.c, 6);
        if (base[3] == '0' && base[4] == '0' && base[5] <= '4') {
            const int code = current_province((base[5] - '0') * 10 + (base[6] - '0'));
            base[5] = static_cast<char>('0' + code / 10);
            base[6] = static_cast<char>('0' + code % 10);
            old_format = true;
        }
    }
    const char dv1 = verifier(base, old_format);
    base.push_back(dv1);
    const char dv2 = verifier(base, old_format);
    if (p.dv[0] != dv1 || p.dv[1] != dv2) return fail(ErrorCode::InvalidChecksum, kMismatch);
    return kPass;
}

std::string pa_ruc_accepted(std::string_view c) {
    std::string storage;
    const std::string_view text = without_dv_colon(c, storage);
    RucParts p;
    split_ruc(text, p);
    std::string out;
    out.reserve(p.a.size() + p.b.size() + p.c.size() + 7);
    out.append(p.a).append("-").append(p.b).append("-").append(p.c).append(" DV").append(p.dv);
    return out;
}

}  // namespace ov::nz
