// pa.ruc: the Panamanian taxpayer register number, written as three
// hyphen-separated pieces followed by "DV" and two verifier digits
// ("1-184-921 DV49"). Its compaction, display form, checks and reported text.
#include <algorithm>
#include <array>
#include <utility>

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

// The text without ASCII white space at either end: all the white space
// that trimming finds in a text with one byte per character.
std::string_view trim_ascii(std::string_view t) noexcept {
    const auto space = [](char b) { return b == ' ' || (b >= '\t' && b <= '\r'); };
    while (!t.empty() && space(t.front())) t.remove_prefix(1);
    while (!t.empty() && space(t.back())) t.remove_suffix(1);
    return t;
}

// Finds the verifier digits and the three digit pieces; a failure names the
// first rule the text breaks.
// (The texts are short: plain loops beat the library's searches here.)
Verdict split_ruc(std::string_view text, RucParts& out) {
    std::size_t at = 0;
    while (at + 1 < text.size() && !(text[at] == 'D' && text[at + 1] == 'V')) ++at;
    if (at + 1 >= text.size()) return fail(ErrorCode::InvalidFormat, kMissingDv);
    std::string_view body = trim_ascii(text.substr(0, at));
    while (!body.empty() && body.back() == '-') body.remove_suffix(1);
    out.dv = trim_ascii(text.substr(at + 2));
    if (out.dv.size() != 2 || !all_digits(out.dv)) return fail(ErrorCode::InvalidFormat, kMissingDv);

    // Count every piece (the body may hold any number of hyphens) but keep
    // only the first four.
    std::array<std::string_view, 4> pieces;
    std::size_t count = 0, start = 0;
    for (std::size_t i = 0; i <= body.size(); ++i) {
        if (i < body.size() && body[i] != '-') continue;
        if (count < pieces.size()) pieces[count] = body.substr(start, i - start);
        ++count;
        start = i + 1;
    }
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

// Verifier digits: weights 2, 3, 4, ... from the rightmost digit, 12
// skipped in the old format (the digit ten places from the right gets 13).
// Only the weight mod 11 matters, so the digit `position` places from the
// right weighs (position + 2, or + 3 from ten places on in the old format)
// mod 11. Pieces have no length limit; the sums grow by at most 90 a digit
// and cannot overflow 64 bits.
constexpr unsigned weight_rule(std::size_t position, bool old_format) noexcept {
    return static_cast<unsigned>((position + 2 + (old_format && position >= 10 ? 1 : 0)) % 11);
}
// The weights of the first 64 places (every real base), looked up.
struct Weights {
    std::uint8_t of[2][64] = {};
    constexpr Weights() {
        for (std::size_t p = 0; p < 64; ++p)
            for (int old = 0; old < 2; ++old) of[old][p] = static_cast<std::uint8_t>(weight_rule(p, old != 0));
    }
};
constexpr Weights kWeights{};
unsigned weight_at(std::size_t position, bool old_format) noexcept {
    return position < 64 ? kWeights.of[old_format][position] : weight_rule(position, old_format);
}

char verifier_digit(std::uint64_t sum) noexcept {
    const auto r = static_cast<unsigned>(sum % 11);
    return r < 2 ? '0' : static_cast<char>('0' + 11 - r);
}

// The two verifier digits of a base: the first over the base, the second
// over the base followed by the first. A base digit stands one place
// further left in the second sum, where its weight is one more (two more
// for the digit that moves onto the skipped 12), so mod 11 the second sum
// is the first plus the digit sum (plus that digit) plus 2 x the first
// verifier digit: one pass serves both.
std::pair<char, char> verifier_digits(std::string_view base, bool old_format) noexcept {
    std::uint64_t weighted = 0, plain = 0;
    const std::size_t n = base.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto d = static_cast<unsigned>(base[i] - '0');
        weighted += d * weight_at(n - 1 - i, old_format);
        plain += d;
    }
    if (old_format && n >= 10) plain += static_cast<unsigned>(base[n - 10] - '0');
    const char dv1 = verifier_digit(weighted);
    return {dv1, verifier_digit(weighted % 11 + plain % 11 + 2u * static_cast<unsigned>(dv1 - '0'))};
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
// Compaction has already done this once, but a "DV:" can survive it
// ("DVDV::" compacts to "DVDV:"), and the checks read it away again.
std::string_view without_dv_colon(std::string_view c, std::string& storage) {
    if (c.find("DV:") == std::string_view::npos) return c;
    storage = replace_all(c, "DV:", "DV");
    return storage;
}

// The verifier digits of a RUC's pieces, checked against the given ones.
Verdict check_verifier(const RucParts& p) {
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
    if (size > small.size()) {
        large.resize(size);
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
    const auto [dv1, dv2] = verifier_digits({base, size}, old_format);
    if (p.dv[0] != dv1 || p.dv[1] != dv2) return fail(ErrorCode::InvalidChecksum, kMismatch);
    return kPass;
}

// True when pa_ruc_compact would give `value` back unchanged: ASCII without
// lower-case letters, white space only as single blanks between other
// characters, and no " DV " or "DV:" to rewrite.
bool compact_already(std::string_view value) noexcept {
    if (value.empty() || value.front() == ' ' || value.back() == ' ') return false;
    char before = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char b = value[i];
        if (!is_ascii(b) || is_lower(b) || (b >= '\t' && b <= '\r') || (b == ' ' && before == ' ')) return false;
        // " DV " or "DV:" (a text ending in "DV" has neither).
        if (b == 'V' && before == 'D' && i + 1 < value.size() &&
            (value[i + 1] == ':' || (value[i + 1] == ' ' && i >= 2 && value[i - 2] == ' ')))
            return false;
        before = b;
    }
    return true;
}

// Checks the compact text `c` (one byte per character); a valid RUC is
// reported as its three pieces, " DV" and the verifier digits, viewing
// `input` when that is the very same text. `input` is empty unless `c` is
// the input itself, which holds no "DV:".
ValidationOutcome decide(std::string_view c, std::string_view input) {
    std::string storage;
    RucParts p;
    Verdict v = split_ruc(input.empty() ? without_dv_colon(c, storage) : c, p);
    if (v.ok) v = check_verifier(p);
    if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
    const std::size_t size = p.a.size() + p.b.size() + p.c.size() + 7;
    if (size <= ValidationOutcome::kInlineCapacity) {
        char text[ValidationOutcome::kInlineCapacity];
        char* out = text;
        for (const std::string_view piece : {p.a, std::string_view("-"), p.b, std::string_view("-"), p.c,
                                             std::string_view(" DV"), p.dv})
            out = std::copy(piece.begin(), piece.end(), out);
        const std::string_view reported(text, size);
        if (reported == input) return ValidationOutcome::success_input(input);
        return ValidationOutcome::success_copy(reported);
    }
    std::string out;
    out.reserve(size);
    out.append(p.a).append("-").append(p.b).append("-").append(p.c).append(" DV").append(p.dv);
    return ValidationOutcome::success(std::move(out));
}

}  // namespace

ValidationOutcome pa_ruc_validate(std::string_view value) {
    // Usual input is compact already and is read where it stands.
    if (compact_already(value)) return decide(value, value);
    const std::string c = pa_ruc_compact(value);
    std::string buf;
    const std::string_view view = one_byte_per_char(c, buf);
    return decide(view, {});
}

}  // namespace ov::nz
