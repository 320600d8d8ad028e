// The interpreter behind the legacy set's rows: compaction, validation with
// its failure classification, display formats and parsing.
#include "validators/legacy_specs/frame.h"

#include "primitives/digit_fields.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

void ascii_upper_in_place(std::string& s) noexcept {
    for (char& ch : s) ch = to_upper_ascii(ch);
}

// Byte offset of character number `index` (or the size when there are fewer).
std::size_t char_offset(std::string_view s, std::size_t index) noexcept {
    std::size_t i = 0;
    for (; i < s.size() && index > 0; --index) {
        char32_t cp;
        i += decode_utf8(s, i, cp);
    }
    return i < s.size() ? i : s.size();
}

// Removes the white space a step has left at either end; compaction trims
// again after every step that takes characters off the front.
void trim_in_place(std::string& s) {
    const std::string_view t = trim(s);
    if (t.size() == s.size()) return;
    const auto begin = static_cast<std::size_t>(t.data() - s.data());
    s.erase(begin + t.size());
    s.erase(0, begin);
}

void apply_afterwards(Afterwards rule, std::string& s) {
    switch (rule) {
        case Afterwards::None: break;
        case Afterwards::ZeroPad9:
            if (char_count(s) == 9) s.insert(0, 1, '0');
            break;
        case Afterwards::ZeroPad8:
            if (char_count(s) == 8) s.insert(0, 1, '0');
            break;
        case Afterwards::NlVatPad:
            if (s.size() <= 11 && s.find('B') < char_offset(s, 9)) s.insert(0, 12 - s.size(), '0');
            break;
        case Afterwards::DashRule:
            s = swedish_dash_rule(std::move(s));
            trim_in_place(s);  // signs dropped from the front may uncover white space
            break;
    }
}

bool is_letter_digit_or_sign(char ch) noexcept { return is_alnum(ch) || ch == '+' || ch == '-'; }

bool has_shape(Shape shape, std::string_view c) noexcept {
    const std::size_t n = c.size();
    auto digits = [&](std::size_t b, std::size_t e) { return e <= n && all_digits(c.substr(b, e - b)); };
    auto letter = [&](std::size_t i) { return i < n && is_upper(c[i]); };
    switch (shape) {
        case Shape::None: return true;
        case Shape::Digits: return all_digits(c);
        case Shape::CyVat: return n == 9 && digits(0, 8) && letter(8);
        case Shape::GbNino:
            return n == 9 && letter(0) && letter(1) && digits(2, 8) && c[8] >= 'A' && c[8] <= 'D';
        case Shape::IePps:
            return digits(0, 7) && (n != 9 || kIrishCheckAlphabet.find(c[8]) != std::string_view::npos);
        case Shape::IeVat: {
            auto letter_or_mark = [&](std::size_t i) { return letter(i) || c[i] == '*' || c[i] == '+'; };
            const bool modern = digits(0, 7) && letter(7) && (n == 8 || (n == 9 && letter_or_mark(8)));
            const bool old = n == 8 && digits(0, 1) && letter_or_mark(1) && digits(2, 7) && letter(7);
            return modern || old;
        }
        case Shape::ItCf:
            if (n != 16) return true;
            for (std::size_t i = 0; i < 6; ++i)
                if (!letter(i)) return false;
            return letter(15);
        case Shape::SePn:
            for (std::size_t i = 0; i < n; ++i) {
                const bool sign_slot = i + 5 == n;
                if (sign_slot ? (c[i] != '-' && c[i] != '+') : !is_digit(c[i])) return false;
            }
            return true;
        case Shape::NlVat: return n >= 10 && digits(0, 9) && c[9] == 'B' && digits(10, n);
        case Shape::NoMva: return n == 12 && digits(0, 9) && c.substr(9) == "MVA";
        case Shape::PtCc: return n == 12 && digits(0, 9) && is_alnum(c[9]) && is_alnum(c[10]) && is_digit(c[11]);
    }
    return true;
}

ValidationOutcome fail(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidLength: return ValidationOutcome::failure(code, kMsgInvalidLength);
        case ErrorCode::InvalidChecksum: return ValidationOutcome::failure(code, kMsgLegacyChecksum);
        case ErrorCode::InvalidComponent: return ValidationOutcome::failure(code, kMsgInvalidComponent);
        case ErrorCode::InvalidFormat: break;
    }
    return ValidationOutcome::failure(ErrorCode::InvalidFormat, kMsgInvalidFormat);
}

void append_pieces(std::string& out, const Format& f, std::string_view c) {
    out.append(f.lead);
    for (std::size_t i = 0; i < f.count; ++i) {
        const std::size_t end = i + 1 < f.count ? f.starts[i + 1] : c.size();
        out.append(slice(c, f.starts[i], end));
        if (i + 1 < f.count) out.push_back(f.joins[i]);
    }
    out.append(f.tail);
}

}  // namespace

// Counted in characters, so a multi-byte character is never split. Only
// plain digits gain a dash: "880-320-0016" already has its separators and
// goes the general way, to "880320-0016".
std::string swedish_dash_rule(std::string s) {
    const std::size_t n = char_count(s);
    if ((n == 10 || n == 12) && all_digits(s)) {
        s.insert(n - 4, 1, '-');
        return s;
    }
    if (n <= 4) return s;
    const std::size_t tail = char_offset(s, n - 5);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < tail; ++i)
        if (s[i] != '+' && s[i] != '-') out.push_back(s[i]);
    out.append(s, tail);
    return out;
}

std::string compact(const Row& row, std::string_view value) {
    std::string s = strip_separators(value, row.separators);
    if (prefix_at_start(s, row.prefix) || prefix_at_start(s, row.alt_prefix)) {
        s.erase(0, 2);
        trim_in_place(s);  // "DE\t136695976": the prefix kept the tab from the first trim
    }
    if (row.upper) ascii_upper_in_place(s);
    apply_afterwards(row.afterwards, s);
    return s;
}

ValidationOutcome classify(const Row& row, std::string_view c) {
    const std::size_t n = c.size();
    switch (row.pre) {
        case PreCheck::None: break;
        case PreCheck::Digits:
            if (n == 0 || !all_digits(c)) return fail(ErrorCode::InvalidFormat);
            break;
        case PreCheck::MvaSuffix:
            if (n <= 2 || !c.ends_with("MVA")) return fail(ErrorCode::InvalidFormat);
            break;
    }
    if (n >= 32 || ((row.lengths >> n) & 1u) == 0) return fail(ErrorCode::InvalidLength);
    if (!has_shape(row.shape, c)) return fail(ErrorCode::InvalidFormat);
    if (row.year_component && n == 9 && is_digit(c[0]) && is_digit(c[1]) && num(c, 0, 2) > 53)
        return fail(ErrorCode::InvalidComponent);
    if (n == 0) return fail(ErrorCode::InvalidFormat);
    for (char ch : c)
        if (!is_letter_digit_or_sign(ch)) return fail(ErrorCode::InvalidFormat);
    return fail(ErrorCode::InvalidChecksum);
}

// The Polish NIP fast path: a value typed without any separator or prefix is
// judged as it stands; everything else goes through compaction.
PrecheckOutcome nip_hook(const Row& row, std::string_view value) {
    if (!all_ascii(value) || value != trim(value)) return PrecheckOutcome::undecided();
    for (char ch : value)
        if (ch == ' ' || ch == ',' || ch == '-' || ch == '.' || ch == '/' || ch == ':')
            return PrecheckOutcome::undecided();
    if (prefix_at_start(value, row.prefix)) return PrecheckOutcome::undecided();
    if (value.size() != 10) return PrecheckOutcome::failure(ErrorCode::InvalidLength, kMsgInvalidLength);
    if (!all_digits(value)) return PrecheckOutcome::failure(ErrorCode::InvalidFormat, kMsgInvalidFormat);
    if (row.check(value)) return PrecheckOutcome::accept();
    return PrecheckOutcome::failure(ErrorCode::InvalidChecksum, kMsgLegacyChecksum);
}

namespace {

constexpr bool is_ascii_space(char ch) noexcept { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// What the last compaction step would change of plain ASCII text.
bool afterwards_changes(Afterwards rule, std::string_view v) noexcept {
    const std::size_t n = v.size();
    switch (rule) {
        case Afterwards::None: return false;
        case Afterwards::ZeroPad9: return n == 9;
        case Afterwards::ZeroPad8: return n == 8;
        case Afterwards::NlVatPad: return n <= 11 && v.find('B') < 9;
        case Afterwards::DashRule:
            if ((n == 10 || n == 12) && all_digits(v)) return true;
            if (n <= 4) return false;
            return v.substr(0, n - 5).find_first_of("+-") != std::string_view::npos;
    }
    return true;
}

}  // namespace

// True when compaction would return `value` as it is: plain ASCII with
// nothing to trim, remove, upper-case, take off as a prefix or pad. Such
// input is checked where it stands, without a copy.
bool compacts_to_itself(const Row& row, std::uint64_t separators, std::string_view value) noexcept {
    if (value.empty() || is_ascii_space(value.front()) || is_ascii_space(value.back())) return false;
    for (char ch : value)
        if (!is_ascii(ch) || in_mask(separators, ch) || (row.upper && is_lower(ch))) return false;
    if (prefix_at_start(value, row.prefix) || prefix_at_start(value, row.alt_prefix)) return false;
    return !afterwards_changes(row.afterwards, value);
}

ValidationOutcome validate(const Row& row, std::uint64_t separators, std::string_view value) {
    if (row.nip_hook) {
        const PrecheckOutcome pre = nip_hook(row, value);
        if (pre.kind == PrecheckKind::AcceptAsIs) return ValidationOutcome::success_copy(value);
        if (pre.kind == PrecheckKind::Failure) return ValidationOutcome::failure(pre.code, pre.message);
    }
    if (compacts_to_itself(row, separators, value)) {
        if (row.check(value)) return ValidationOutcome::success_input(value);
        return classify(row, value);
    }
    std::string c = compact(row, value);
    if (row.check(c)) return ValidationOutcome::success(std::move(c));
    return classify(row, c);
}

ValidationOutcome validate(const Row& row, std::string_view value) {
    return validate(row, char_mask(row.separators), value);
}

std::optional<ParsedData> parse(const Row& row, std::uint64_t separators, std::string_view value) {
    if (row.parse == nullptr) return std::nullopt;
    const ValidationOutcome v = validate(row, separators, value);
    if (!v.ok) return std::nullopt;
    return row.parse(v.text());
}

std::string format(const Row& row, std::string_view value) {
    std::string c = compact(row, value);
    const Format& f = row.format;
    std::string out;
    switch (f.kind) {
        case FormatKind::Pieces:
            if (f.count == 0) return c;
            break;
        case FormatKind::FromEnd: {
            const std::size_t n = c.size();
            if (n <= 2) return c;
            out.reserve(n + 2);
            out.append(slice(c, 0, n - 3)).append(" ").append(slice(c, n - 3, n - 1)).append(" ");
            out.append(slice(c, n - 1, n));
            return out;
        }
        case FormatKind::GbVat:
            if (c.starts_with("GD") || c.starts_with("HA")) return "GB" + c;
            break;
        case FormatKind::NoMva:
            if (c.size() > 2 && c.ends_with("MVA")) c.resize(c.size() - 3);
            break;
        case FormatKind::DeStnr: return de_stnr_format(c);
    }
    out.reserve(c.size() + f.lead.size() + f.count + f.tail.size());
    append_pieces(out, f, c);
    return out;
}

}  // namespace ov::legacy
