// `gs1_128`: GS1 element strings, the data of GS1-128 bar codes: a series
// of Application Identifiers, each followed by its value in the AI's
// format. Read as written for people, "(01)09501101530003(17)140704", as
// scanned, with FNC1 sent as the GS control character (optionally after
// the symbology identifier "]C1"), or as plain digits where every value but
// the last has a fixed length. The compact and written form is the first.
#include <algorithm>

#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "registry/compacted.h"
#include "registry/random.h"
#include "validators/crosscut/gs1_ai.h"
#include "validators/crosscut/records.h"
#include "validators/extended/kind.h"

namespace ov::crosscut {

namespace {

// Index + 1 of the AI of every number of two, three and four digits (0:
// none), built on first use.
struct AiIndex {
    static constexpr std::size_t kBase[5] = {0, 0, 0, 100, 1100};
    std::uint16_t of[100 + 1000 + 10000] = {};
};

const AiIndex& ai_index() {
    static const AiIndex index = [] {
        AiIndex x;
        for (std::size_t i = 0; i < kGs1Ais.size(); ++i) {
            const std::string_view ai = kGs1Ais[i].ai;
            std::size_t n = 0;
            for (char c : ai) n = n * 10 + static_cast<std::size_t>(c - '0');
            x.of[AiIndex::kBase[ai.size()] + n] = static_cast<std::uint16_t>(i + 1);
        }
        return x;
    }();
    return index;
}

}  // namespace

const Gs1Ai* find_gs1_ai(std::string_view digits) noexcept {
    if (digits.size() < 2 || digits.size() > 4 || !all_digits(digits)) return nullptr;
    std::size_t n = 0;
    for (char c : digits) n = n * 10 + static_cast<std::size_t>(c - '0');
    const std::uint16_t i = ai_index().of[AiIndex::kBase[digits.size()] + n];
    return i == 0 ? nullptr : &kGs1Ais[i - 1u];
}

namespace {

using extended::fail;
using extended::random_from;

constexpr char kGroupSeparator = '\x1D';  // FNC1 as transmitted by a scanner

// ---- values ------------------------------------------------------------------

struct SetMembers {
    std::uint8_t bits[256] = {};  // bit n: member of Gs1Set n
    constexpr SetMembers() {
        const auto add = [&](char c, Gs1Set s) { bits[static_cast<unsigned char>(c)] |= 1u << static_cast<unsigned>(s); };
        for (char c = '0'; c <= '9'; ++c) {
            add(c, Gs1Set::Digits), add(c, Gs1Set::Cset82), add(c, Gs1Set::Cset39), add(c, Gs1Set::Cset64);
        }
        for (char c = 'A'; c <= 'Z'; ++c) add(c, Gs1Set::Cset82), add(c, Gs1Set::Cset39), add(c, Gs1Set::Cset64);
        for (char c = 'a'; c <= 'z'; ++c) add(c, Gs1Set::Cset82), add(c, Gs1Set::Cset64);
        for (char c : std::string_view("!\"%&'()*+,-./:;<=>?_")) add(c, Gs1Set::Cset82);
        for (char c : std::string_view("#-/")) add(c, Gs1Set::Cset39);
        for (char c : std::string_view("-_=")) add(c, Gs1Set::Cset64);
        add('-', Gs1Set::Minus);
    }
};
constexpr SetMembers kMembers{};

bool all_in(std::string_view s, Gs1Set set) noexcept {
    const unsigned bit = 1u << static_cast<unsigned>(set);
    for (char c : s)
        if ((kMembers.bits[static_cast<unsigned char>(c)] & bit) == 0) return false;
    return true;
}

// Whether the last of `digits` is the GS1 check digit of the others
// (weights 3 and 1 alternating from the rightmost payload digit).
bool gs1_check_ok(std::string_view digits) noexcept {
    const std::size_t payload = digits.size() - 1;
    unsigned sum = 0;
    for (std::size_t i = 0; i < payload; ++i)
        sum += static_cast<unsigned>(digits[i] - '0') * ((payload - i) % 2 == 1 ? 3u : 1u);
    return static_cast<unsigned>(digits[payload] - '0') == (10 - sum % 10) % 10;
}

unsigned two_digits(std::string_view s, std::size_t at) noexcept {
    return static_cast<unsigned>(s[at] - '0') * 10 + static_cast<unsigned>(s[at + 1] - '0');
}

// Whether the year (two or four digits, ending at `month_at`), month and day
// name a day of the calendar; day 00 only where `any_day`. Two-digit years
// fall in this century, where every fourth year is a leap year.
bool calendar_date(std::string_view ymd, std::size_t month_at, bool any_day) noexcept {
    const unsigned month = two_digits(ymd, month_at), day = two_digits(ymd, month_at + 2u);
    if (month < 1 || month > 12) return false;
    if (day == 0) return any_day;
    unsigned year = 0;
    for (std::size_t i = 0; i < month_at; ++i) year = year * 10 + static_cast<unsigned>(ymd[i] - '0');
    const bool leap = month_at == 2 ? year % 4 == 0 : year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return day <= kDays[month - 1] + (month == 2 && leap ? 1u : 0u);
}

// The checks of one value against its AI; ok() for a good value.
ValidationOutcome check_value(const Gs1Ai& ai, std::string_view v) {
    static constexpr std::string_view kLength = "GS1-128 element value has the wrong length for its Application Identifier";
    static constexpr std::string_view kFormat = "GS1-128 element value does not match its Application Identifier's format";
    std::size_t pos = 0;
    for (std::size_t k = 0; k < ai.part_count; ++k) {
        const Gs1Part& p = ai.parts[k];
        const std::size_t rest = v.size() - pos;
        std::size_t len = p.min;
        if (k + 1 == ai.part_count) {
            if (rest == 0 && p.optional) break;
            if (rest < p.min || rest > p.max) return fail(ErrorCode::InvalidLength, kLength);
            len = rest;
        } else if (rest < len) {
            return fail(ErrorCode::InvalidLength, kLength);
        }
        if (!all_in(v.substr(pos, len), p.set)) return fail(ErrorCode::InvalidFormat, kFormat);
        pos += len;
    }
    if (pos != v.size()) return fail(ErrorCode::InvalidLength, kLength);
    if (ai.check_digit) {
        const std::size_t n = ai.parts[0].max;
        if (!gs1_check_ok(v.substr(0, n)))
            return fail(ErrorCode::InvalidChecksum, "GS1-128 element check digit does not match");
    }
    if (ai.type == Gs1Type::Date && v.size() >= ai.month + 4u) {
        // Day 00 stands for the end of the month in the product dates (AIs 11 to 17).
        const bool any_day = ai.ai.size() == 2 && ai.ai[0] == '1';
        const std::size_t end = ai.month + 4u;
        bool ok = calendar_date(v.substr(0, end), ai.month, any_day);
        if (ai.ai == "7007" && v.size() >= end + 6u)  // a harvest period: a second date
            ok = ok && calendar_date(v.substr(end, 6), 2, false);
        else  // then hours, minutes and seconds, as far as they are written
            for (std::size_t at = end, k = 0; ok && at + 2 <= v.size() && k < 3; at += 2, ++k)
                ok = two_digits(v, at) <= (k == 0 ? 23u : 59u);
        if (!ok) return fail(ErrorCode::InvalidComponent, "GS1-128 element date is not a valid date");
    }
    return ValidationOutcome::success_input(v);
}

bool fixed_length(const Gs1Ai& ai, std::size_t& total) noexcept {
    total = 0;
    for (std::size_t k = 0; k < ai.part_count; ++k) {
        if (ai.parts[k].optional || ai.parts[k].min != ai.parts[k].max) return false;
        total += ai.parts[k].min;
    }
    return true;
}

// ---- element strings -----------------------------------------------------------

constexpr std::string_view kUnknownAi = "GS1-128 contains an unknown Application Identifier";

// The AI written in parentheses at `at`, or nullptr; `end` is set past ')'.
const Gs1Ai* bracketed_ai(std::string_view t, std::size_t at, std::size_t& end) noexcept {
    if (at >= t.size() || t[at] != '(') return nullptr;
    for (std::size_t len = 2; len <= 4; ++len) {
        if (at + 1 + len >= t.size() || t[at + 1 + len] != ')') continue;
        const std::string_view digits = t.substr(at + 1, len);
        if (!all_digits(digits)) return nullptr;
        end = at + 2 + len;
        return find_gs1_ai(digits);
    }
    return nullptr;
}

template <class Sink>
ValidationOutcome read_bracketed(std::string_view t, Sink& out) {
    std::size_t pos = 0, start = 0;
    const Gs1Ai* ai = bracketed_ai(t, 0, start);
    while (pos < t.size()) {
        if (ai == nullptr) {
            if (t[pos] == '(' && start != 0) return fail(ErrorCode::InvalidComponent, kUnknownAi);
            return fail(ErrorCode::InvalidFormat, "GS1-128 element must start with its Application Identifier in parentheses");
        }
        // The value runs to the next AI in parentheses (values may hold
        // parentheses themselves, but not one around a known AI).
        std::size_t end = start, next = 0;
        const Gs1Ai* following = nullptr;
        while (end < t.size() && !(t[end] == '(' && (following = bracketed_ai(t, end, next)) != nullptr)) ++end;
        const std::string_view value = t.substr(start, end - start);
        if (value.empty())
            return fail(ErrorCode::InvalidLength, "GS1-128 element value has the wrong length for its Application Identifier");
        ValidationOutcome o = check_value(*ai, value);
        if (!o.ok) return o;
        out(*ai, value);
        pos = end;
        ai = following;
        start = next;
    }
    return ValidationOutcome::success_input(t);
}

template <class Sink>
ValidationOutcome read_concatenated(std::string_view t, Sink& out) {
    std::size_t pos = 0;
    while (pos < t.size() && t[pos] == kGroupSeparator) ++pos;  // FNC1 in first position
    if (pos == t.size()) return fail(ErrorCode::InvalidLength, "GS1-128 must hold at least one element");
    while (pos < t.size()) {
        const Gs1Ai* ai = nullptr;
        std::size_t len = 0;
        for (std::size_t l = 2; l <= 4 && pos + l <= t.size(); ++l) {
            const std::string_view digits = t.substr(pos, l);
            if (!all_digits(digits)) break;
            if ((ai = find_gs1_ai(digits)) != nullptr) {
                len = l;
                break;
            }
        }
        if (ai == nullptr) return fail(ErrorCode::InvalidComponent, kUnknownAi);
        pos += len;
        std::size_t total = 0, end = 0;
        if (fixed_length(*ai, total)) {
            end = std::min(t.size(), pos + total);
        } else {
            end = t.find(kGroupSeparator, pos);
            if (end == std::string_view::npos) end = t.size();
        }
        const std::string_view value = t.substr(pos, end - pos);
        ValidationOutcome o = check_value(*ai, value);
        if (!o.ok) return o;
        out(*ai, value);
        pos = end;
        if (pos < t.size() && t[pos] == kGroupSeparator) {
            ++pos;
            if (pos == t.size()) return fail(ErrorCode::InvalidFormat, "GS1-128 must not end with a separator");
        }
    }
    return ValidationOutcome::success_input(t);
}

// The element string without surrounding and inner blanks (no GS1 value
// holds one) and without the symbology identifier.
std::string plain_text(std::string_view value) {
    std::string s = strip_separators(value, " ");
    if (std::string_view(s).starts_with("]C1")) s.erase(0, 3);
    return s;
}

template <class Sink>
ValidationOutcome read(std::string_view t, Sink& out) {
    if (t.empty()) return fail(ErrorCode::InvalidLength, "GS1-128 must hold at least one element");
    return t[0] == '(' ? read_bracketed(t, out) : read_concatenated(t, out);
}

// Sinks of the elements read: the written form, in a string or in a
// caller's buffer, and the list of elements.
struct WrittenSink {
    std::string text;
    void operator()(const Gs1Ai& ai, std::string_view value) {
        text.append("(").append(ai.ai).append(")").append(value);
    }
};

struct BufferSink {
    char* out;
    std::size_t capacity;
    std::size_t size = 0;
    bool overflow = false;
    void operator()(const Gs1Ai& ai, std::string_view value) noexcept {
        if (overflow || size + ai.ai.size() + 2 + value.size() > capacity) {
            overflow = true;
            return;
        }
        out[size++] = '(';
        for (char c : ai.ai) out[size++] = c;
        out[size++] = ')';
        for (char c : value) out[size++] = c;
    }
};

struct ElementSink {
    std::vector<Gs1Element> elements;
    void operator()(const Gs1Ai& ai, std::string_view value) { elements.push_back({ai.ai, ai.name, std::string(value)}); }
};

// ---- operations ------------------------------------------------------------------

std::string gs1_compact(const ValidatorSpec&, std::string_view value) {
    const std::string s = plain_text(value);
    WrittenSink sink;
    if (read(s, sink).ok) return std::move(sink.text);
    return strip_separators(value, " ");
}

ValidationOutcome gs1_validate(const ValidatorSpec&, std::string_view value) {
    // Short ASCII text is read and written on the stack; text without
    // blanks, as usual, where it lies.
    char buffer[kStackCompact];
    bool plain = value.size() <= kStackCompact;
    for (const char c : value) plain &= (c > 0x20 && c < 0x7F) || c == kGroupSeparator;
    const std::size_t n = plain ? value.size() : strip_separators_ascii(value, " ", buffer, sizeof buffer);
    if (n != kNoCompact) {
        std::string_view t = plain ? value : std::string_view(buffer, n);
        if (t.starts_with("]C1")) t.remove_prefix(3);
        char out[2 * kStackCompact];
        BufferSink sink{out, sizeof out};
        ValidationOutcome o = read(t, sink);
        if (!o.ok) return o;
        if (!sink.overflow) {
            const std::string_view written(out, sink.size);
            return written == value ? ValidationOutcome::success_input(value) : ValidationOutcome::success_copy(written);
        }
    }
    const std::string s = plain_text(value);
    WrittenSink sink;
    ValidationOutcome o = read(s, sink);
    if (!o.ok) return o;
    return ValidationOutcome::success(std::move(sink.text));
}

std::string random_date() {
    const auto n = [](unsigned below) { return static_cast<unsigned>(random_below(below)); };
    char d[7];
    const unsigned year = n(100), month = 1 + n(12), day = 1 + n(28);
    d[0] = static_cast<char>('0' + year / 10), d[1] = static_cast<char>('0' + year % 10);
    d[2] = static_cast<char>('0' + month / 10), d[3] = static_cast<char>('0' + month % 10);
    d[4] = static_cast<char>('0' + day / 10), d[5] = static_cast<char>('0' + day % 10);
    d[6] = '\0';
    return d;
}

std::string with_check(std::string payload) {
    payload.push_back(gs1_check_digit(payload));
    return payload;
}

std::optional<std::string> gs1_generate(const ValidatorSpec&) {
    static constexpr std::string_view kLotChars = "0123456789ABCDEFGHJKLMNPRSTUVWXYZ-";
    if (random_below(4) == 0) {
        // A logistic unit: SSCC, optionally its content and count.
        std::string s = "(00)" + with_check(random_digits(17));
        if (random_below(2) == 0) s += "(02)" + with_check(random_digits(13)) + "(37)" + random_from("123456789", 1) + random_digits(random_below(4));
        return s;
    }
    std::string s = "(01)" + with_check(random_digits(13));
    switch (random_below(3)) {
        case 0:
            s += "(17)" + random_date() + "(10)" + random_from(kLotChars, 1 + random_below(20));
            break;
        case 1:
            s += "(310" + random_from("012345", 1) + ")" + random_digits(6) + "(15)" + random_date();
            break;
        default:
            s += "(21)" + random_from(kLotChars, 1 + random_below(20));
    }
    return s;
}

constexpr std::string_view kGs1Aliases[] = {"GS1-128", "GS1 128", "UCC/EAN-128", "EAN-128", "GS1 element string",
                                            "Application Identifier"};
// GS1's example element strings: a trade item with expiry date and batch,
// an SSCC, the trade item and its expiry date as plain digits, and as
// scanned (after the symbology identifier, FNC1 sent as GS).
constexpr std::string_view kGs1Examples[] = {
    "(01)09501101530003(17)140704(10)AB-123",
    "(00)106141412345678908",
    "010950110153000317140704",
    "]C1010950110153000317140704" "10AB-123",
    "0109501101530003\x1D" "10AB-123",
};

}  // namespace

std::optional<std::vector<Gs1Element>> gs1_128_parse(std::string_view value) {
    const std::string s = plain_text(value);
    ElementSink sink;
    if (!read(s, sink).ok) return std::nullopt;
    return std::move(sink.elements);
}

const ValidatorSpec kGs1128Spec = {
    .source_url = "https://ref.gs1.org/standards/genspecs/",
    .id = "gs1_128",
    .name = "GS1-128 Element String",
    .local_name = "GS1-128 Element String",
    .abbreviation = "GS1-128",
    .aliases = kGs1Aliases,
    .candidate_pattern = "(?:\\(\\d{2,4}\\)[!-'*-~]{1,90}){1,10}",
    .lengths = {},
    .examples = kGs1Examples,
    .ops = {.precheck = nullptr,
            .generate = gs1_generate,
            .parse = nullptr,
            .compact = gs1_compact,
            .format = gs1_compact,
            .validate = gs1_validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::crosscut
