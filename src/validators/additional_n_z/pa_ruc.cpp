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

// The sums behind the verifier digits of a base, taken over its pieces
// from the right without writing the base out: the weighted sum, the plain
// digit sum and the digit ten places from the right.
//
// The second verifier digit weighs the base followed by the first one: each
// base digit stands one place further left, where its weight is one more
// (two more for the digit that moves onto the skipped 12), so mod 11 the
// second sum is the first plus the digit sum (plus that digit) plus 2 x the
// first verifier digit.
struct BaseSums {
    bool old_format = false;
    std::size_t position = 0;  // places from the right taken so far
    std::uint64_t weighted = 0, plain = 0, tenth = 0;

    void digits(std::string_view d) noexcept {
        for (std::size_t i = d.size(); i-- > 0; ++position) {
            const auto v = static_cast<unsigned>(d[i] - '0');
            weighted += v * weight_at(position, old_format);
            plain += v;
            if (position == 9) tenth = v;
        }
    }
    // A piece left-padded with zeros, which weigh nothing, to `width`.
    void padded(std::string_view d, std::size_t width) noexcept {
        digits(d);
        if (d.size() < width) position += width - d.size();
    }
    std::pair<char, char> verifier() const noexcept {
        const char dv1 = verifier_digit(weighted);
        const std::uint64_t shifted = plain + (old_format ? tenth : 0);
        const std::uint64_t second = weighted % 11 + shifted % 11 + 2u * static_cast<unsigned>(dv1 - '0');
        return {dv1, verifier_digit(second)};
    }
};

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
    BaseSums sums;
    if (p.a.size() < 3) {
        // Natural persons: province a, book b, entry c, in the base
        // (4 - |b|) zeros, "0000005", a, "00", b, c padded to 2, 3 and 5.
        // Such bases always look like the old format, but the verifier
        // digits are computed without the province rewrite (the published
        // "1-184-921 DV49").
        sums.padded(p.c, 5);
        sums.padded(p.b, 3);
        sums.padded("00", 2);
        sums.padded(p.a, 2);
        sums.padded("0000005", 7);
    } else {
        // a, b and c padded to 10, 4 and 6. An old-format base has "00" at
        // places 3-4 of the padded a and at most 4 at place 5; places 5-6
        // then hold an old province code, read as its current one.
        const std::size_t width = std::max<std::size_t>(p.a.size(), 10), lead = width - p.a.size();
        const auto at = [&](std::size_t k) { return k < lead ? '0' : p.a[k - lead]; };
        sums.old_format = at(3) == '0' && at(4) == '0' && at(5) <= '4';
        sums.padded(p.c, 6);
        sums.padded(p.b, 4);
        const std::size_t right_of_a = sums.position;
        sums.padded(p.a, 10);
        if (sums.old_format) {
            const int old_code = (at(5) - '0') * 10 + (at(6) - '0'), code = current_province(old_code);
            // Both places lie ten or more from the right, never on the tenth.
            const std::size_t place5 = right_of_a + width - 6, place6 = place5 - 1;
            sums.weighted += static_cast<std::uint64_t>(code / 10) * weight_at(place5, true) +
                             static_cast<std::uint64_t>(code % 10) * weight_at(place6, true);
            sums.weighted -= static_cast<std::uint64_t>(old_code / 10) * weight_at(place5, true) +
                             static_cast<std::uint64_t>(old_code % 10) * weight_at(place6, true);
            sums.plain += static_cast<std::uint64_t>(code / 10 + code % 10);
            sums.plain -= static_cast<std::uint64_t>(old_code / 10 + old_code % 10);
        }
    }
    const auto [dv1, dv2] = sums.verifier();
    if (p.dv[0] != dv1 || p.dv[1] != dv2) return fail(ErrorCode::InvalidChecksum, kMismatch);
    return kPass;
}

// The form a valid RUC is reported in, "a-b-c DVdd" with digit pieces:
// compact already, and read without any search.
bool canonical(std::string_view v, RucParts& p) noexcept {
    std::size_t i = 0;
    const auto run = [&](std::string_view& piece) {
        const std::size_t start = i;
        while (i < v.size() && is_digit(v[i])) ++i;
        piece = v.substr(start, i - start);
        return i > start;
    };
    if (!run(p.a) || i == v.size() || v[i++] != '-' || !run(p.b) || i == v.size() || v[i++] != '-' || !run(p.c))
        return false;
    if (v.size() - i != 5 || v[i] != ' ' || v[i + 1] != 'D' || v[i + 2] != 'V' || !is_digit(v[i + 3]) ||
        !is_digit(v[i + 4]))
        return false;
    p.dv = v.substr(i + 3, 2);
    return true;
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
    // Usual input is written as valid numbers are reported, or at least
    // compact already, and is read where it stands.
    if (RucParts p; canonical(value, p)) {
        const Verdict v = check_verifier(p);
        if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
        return ValidationOutcome::success_input(value);
    }
    if (compact_already(value)) return decide(value, value);
    const std::string c = pa_ruc_compact(value);
    std::string buf;
    const std::string_view view = one_byte_per_char(c, buf);
    return decide(view, {});
}

}  // namespace ov::nz
