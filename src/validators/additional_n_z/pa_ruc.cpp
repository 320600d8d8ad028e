// pa.ruc: the Panamanian taxpayer register number, written as three
// hyphen-separated pieces followed by "DV" and two verifier digits
// ("1-184-921 DV49"). Its compaction, display form, checks and reported text.
#include <algorithm>
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

// Old-format bases: before the verifier digits are computed, the two digits
// at positions 5-6 are replaced by the province code they stand for. Pairs
// not listed stay as they are.
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
    return pair >= 10 && pair <= 49 ? kOldProvinceCodes[static_cast<std::size_t>(pair - 10)].code : pair;
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

// Verifier digit: weights 2, 3, 4, ... from the rightmost digit, skipping
// 12 in the old format. Pieces have no length limit, so the weight is kept
// mod 11; the sum grows by at most 90 a digit and cannot overflow 64 bits.
char verifier(std::string_view digits, bool old_format) noexcept {
    std::uint64_t sum = 0;
    unsigned weight = 2;  // mod 11
    std::size_t position = 0;
    for (std::size_t i = digits.size(); i-- > 0; ++position) {
        if (old_format && position == 10) weight = weight == 10 ? 0 : weight + 1;  // 12 becomes 13
        sum += static_cast<unsigned>(digits[i] - '0') * weight;
        weight = weight == 10 ? 0 : weight + 1;
    }
    const auto r = static_cast<unsigned>(sum % 11);
    return r < 2 ? '0' : static_cast<char>('0' + 11 - r);
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

    // Every real RUC's base has about twenty digits: build it on the stack,
    // and on the heap only for absurdly long pieces.
    const auto width = [](std::string_view piece, std::size_t w) { return piece.size() < w ? w : piece.size(); };
    const bool natural = p.a.size() < 3;
    const std::size_t size = natural ? (p.b.size() < 4 ? 4 - p.b.size() : 0) + 7 + width(p.a, 2) + 2 +
                                           width(p.b, 3) + width(p.c, 5)
                                     : width(p.a, 10) + width(p.b, 4) + width(p.c, 6);
    std::array<char, 48> small;
    std::string large;
    char* out = small.data();
    if (size + 1 > small.size()) {
        large.resize(size + 1);
        out = large.data();
    }
    char* const base = out;
    const auto put = [&out](std::string_view piece, std::size_t w) {
        for (std::size_t i = piece.size(); i < w; ++i) *out++ = '0';
        out = std::copy(piece.begin(), piece.end(), out);
    };
    bool old_format = false;
    if (natural) {
        // Natural persons: province a, book b, entry c. Their bases always
        // look like the old format, but the verifier digits are computed
        // without the province rewrite (the published "1-184-921 DV49").
        put({}, p.b.size() < 4 ? 4 - p.b.size() : 0);
        put("0000005", 0);
        put(p.a, 2);
        put("00", 0);
        put(p.b, 3);
        put(p.c, 5);
    } else {
        put(p.a, 10);
        put(p.b, 4);
        put(p.c, 6);
        if (base[3] == '0' && base[4] == '0' && base[5] <= '4') {
            const int code = current_province((base[5] - '0') * 10 + (base[6] - '0'));
            base[5] = static_cast<char>('0' + code / 10);
            base[6] = static_cast<char>('0' + code % 10);
            old_format = true;
        }
    }
    const char dv1 = verifier({base, size}, old_format);
    base[size] = dv1;
    const char dv2 = verifier({base, size + 1}, old_format);
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
