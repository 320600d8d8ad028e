// `iban`: International Bank Account Numbers (ISO 13616). The country code
// selects a BBAN layout from a compiled-in table; the check digits are the
// ISO 7064 MOD 97-10 check over the rearranged text.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "primitives/checkdigits.h"
#include "primitives/mod97.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/random.h"
#include "validators/core/iban.h"
#include "validators/core/iban_layouts.h"
#include "validators/core/records.h"

namespace ov {

namespace {

using iban_table::Kind;
using iban_table::kLayouts;
using iban_table::kLengthOnly;
using iban_table::Layout;
using iban_table::LengthOnly;

// ---- the compiled country index -------------------------------------------
// Everything the check needs about a country, found through one 26 x 26
// table indexed by the two letters of its code: the IBAN length and which
// BBAN positions must hold a digit or a letter. On text of digits and
// upper-case letters the two differ in bit 0x40 alone, so the positions are
// checked eight at a time against masks of that bit.

// Character classes as bits; 0 for anything else (every non-ASCII byte).
constexpr std::uint8_t kDigit = 1, kUpper = 2, kLower = 4;  // kLower: ASCII, yet not plain
struct ClassTable {
    std::uint8_t bits[256];
    constexpr ClassTable() : bits() {
        for (int ch = '0'; ch <= '9'; ++ch) bits[ch] = kDigit;
        for (int ch = 'A'; ch <= 'Z'; ++ch) bits[ch] = kUpper;
        for (int ch = 'a'; ch <= 'z'; ++ch) bits[ch] = kLower;
    }
};
constexpr ClassTable kClass{};

constexpr std::size_t kMinBban = 8;   // the shortest BBAN (NO) has 11 characters
constexpr std::size_t kMaxBban = 32;  // the longest IBAN (RU) has 33 characters

struct Country {
    std::uint8_t total = 0;     // 0: the code is not assigned
    bool leading_zero = false;  // Costa Rica: the BBAN starts with 0
    std::uint8_t windows = 0;   // eight-byte windows that cover the BBAN
    std::uint8_t offset[4] = {};       // BBAN position of each window (the last may overlap)
    std::uint64_t digit[4] = {};       // bit 0x40 of each byte that must be a digit
    std::uint64_t letter[4] = {};      // bit 0x40 of each byte that must be a letter
};

constexpr std::size_t country_slot(char first, char second) {
    return static_cast<std::size_t>(first - 'A') * 26 + static_cast<std::size_t>(second - 'A');
}

constexpr std::size_t kCountryCount = kLayouts.size() + kLengthOnly.size();

struct CountryIndex {
    std::uint8_t slot[26 * 26] = {};  // index into `list`; 0 is the unassigned entry
    Country list[1 + kCountryCount] = {};
    IbanCountry info[kCountryCount] = {};  // info[i - 1] describes list[i]; sorted by code

    constexpr void add(std::size_t index, std::string_view code, std::uint8_t total,
                       const iban_table::Identifiers& ids, const Layout* layout) {
        slot[country_slot(code[0], code[1])] = static_cast<std::uint8_t>(index);
        Country& e = list[index];
        e.total = total;
        e.leading_zero = code == "CR";
        Kind kind_at[kMaxBban] = {};
        const std::size_t length = total - 4u;
        for (std::size_t i = 0; i < length; ++i) kind_at[i] = Kind::C;  // length-only: anything plain
        if (layout) {
            std::size_t pos = 0;
            for (unsigned k = 0; k < layout->count; ++k)
                for (unsigned i = 0; i < layout->segments[k].length; ++i) kind_at[pos++] = layout->segments[k].kind;
        }
        for (std::size_t w = 0; 8 * w < length; ++w) {
            const std::size_t start = 8 * w + 8 <= length ? 8 * w : length - 8;
            e.offset[w] = static_cast<std::uint8_t>(start);
            for (std::size_t j = 0; j < 8; ++j) {
                const std::uint64_t bit = std::uint64_t{0x40} << (8 * j);
                if (kind_at[start + j] == Kind::N) e.digit[w] |= bit;
                if (kind_at[start + j] == Kind::A) e.letter[w] |= bit;
            }
            e.windows = static_cast<std::uint8_t>(w + 1);
        }
        IbanCountry& out = info[index - 1];
        out = {code, total, ids.bank_begin, ids.bank_end, ids.branch_begin, ids.branch_end, layout != nullptr, {}};
        for (std::size_t i = 0; i < length; ++i)
            out.kinds[i] = kind_at[i] == Kind::N ? 'n' : kind_at[i] == Kind::A ? 'a' : 'c';
        if (e.leading_zero) out.kinds[0] = '0';
    }

    // Both tables merged in code order, so that `info` is sorted.
    constexpr CountryIndex() {
        std::size_t index = 1, a = 0, b = 0;
        while (a < kLayouts.size() || b < kLengthOnly.size()) {
            if (b == kLengthOnly.size() || (a < kLayouts.size() && kLayouts[a].code < kLengthOnly[b].code)) {
                const Layout& l = kLayouts[a++];
                add(index++, l.code, l.total, l.ids, &l);
            } else {
                const auto& l = kLengthOnly[b++];
                add(index++, l.code, l.total, l.ids, nullptr);
            }
        }
    }
};
constexpr CountryIndex kCountries{};

consteval bool index_consistent() {
    std::size_t assigned = 0;
    for (std::uint8_t index : kCountries.slot) {
        if (index == 0) continue;
        ++assigned;
        const Country& e = kCountries.list[index];
        if (e.total < 4 + kMinBban || e.total - 4u > kMaxBban || e.windows == 0) return false;
    }
    for (std::size_t i = 1; i < kCountryCount; ++i)
        if (!(kCountries.info[i - 1].code < kCountries.info[i].code)) return false;
    return assigned == kCountryCount;
}
static_assert(index_consistent(), "IBAN country index lost a country or a BBAN length is out of range");

// Eight bytes as a little-endian number (byte j in bits 8j..8j+7).
inline std::uint64_t load_le64(const char* p) noexcept {
    std::uint64_t w = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&w, p, 8);
    } else {
        for (int j = 7; j >= 0; --j) w = w << 8 | static_cast<unsigned char>(p[j]);
    }
    return w;
}

std::string compact(const ValidatorSpec&, std::string_view value) {
    std::string s = strip_separators(value, seps::S1);
    // Plain ASCII (the usual case) is upper-cased in place, sparing a copy.
    if (all_ascii(s)) {
        for (char& ch : s) ch = to_upper_ascii(ch);
        return s;
    }
    return upper(s);
}

// True when every byte is a digit or an upper-case letter: text that
// compaction leaves as it is. Compaction upper-cases every ASCII letter, so
// on a compact text this is also the letters-and-digits check.
// Eight bytes at a time without branches, so that written forms with blanks
// (which fail within the first group) stop early.
bool plain(std::string_view s) noexcept {
    const auto is_plain = [](char ch) { return (kClass.bits[static_cast<unsigned char>(ch)] & (kDigit | kUpper)) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        bool ok = true;
        for (std::size_t j = i; j < i + 8; ++j) ok &= is_plain(s[j]);
        if (!ok) return false;
    }
    bool ok = true;
    for (; i < s.size(); ++i) ok &= is_plain(s[i]);
    return ok;
}

// The checks after the letters-and-digits one, in order, on a text of more
// than four digits and upper-case letters: the first that fails, or Ok.
enum class Verdict : std::uint8_t { Ok, NoCountryCode, Unassigned, Length, Bban, Checksum };

Verdict judge_plain(std::string_view s) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    if (kClass.bits[p[0]] != kUpper || kClass.bits[p[1]] != kUpper) return Verdict::NoCountryCode;
    const Country& country = kCountries.list[kCountries.slot[country_slot(s[0], s[1])]];
    if (country.total == 0) return Verdict::Unassigned;
    if (country.total != s.size()) return Verdict::Length;
    // Every BBAN position against the class its layout requires there.
    std::uint64_t wrong = country.leading_zero && s[4] != '0';
    for (unsigned k = 0; k < country.windows; ++k) {
        const std::uint64_t w = load_le64(s.data() + 4 + country.offset[k]);
        wrong |= (w & country.digit[k]) | (~w & country.letter[k]);
    }
    if (wrong != 0) return Verdict::Bban;
    // The check digits are two decimal digits, 98 minus a remainder mod 97:
    // only 02 to 98 occur. Letters or 00, 01, 99 there may still give
    // remainder 1 (each is another pair equal mod 97), yet no such IBAN exists.
    const unsigned tens = static_cast<unsigned char>(s[2]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(s[3]) - unsigned{'0'};
    if (tens > 9 || ones > 9) return Verdict::Checksum;
    const unsigned pair = tens * 10 + ones;
    if (pair < 2 || pair > 98) return Verdict::Checksum;
    // Rearranged: BBAN, then country code and check digits.
    bool bad = false;  // never set: the text is plain
    const unsigned r = mod97_10_padded(s.substr(4), s.substr(0, 4), bad);
    return bad || r != 1 ? Verdict::Checksum : Verdict::Ok;
}

// The same as an outcome. Success views `s` itself.
ValidationOutcome check_plain(std::string_view s) {
    switch (judge_plain(s)) {
        case Verdict::Ok: return ValidationOutcome::success_input(s);
        case Verdict::NoCountryCode:
            return ValidationOutcome::failure(ErrorCode::InvalidComponent,
                                              "IBAN must start with a 2-letter country code");
        case Verdict::Unassigned:
            return ValidationOutcome::failure(ErrorCode::InvalidComponent, "IBAN country code is not assigned");
        case Verdict::Length:
            return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN has an invalid country-specific length");
        case Verdict::Bban:
            return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN BBAN format is invalid for its country");
        case Verdict::Checksum: break;
    }
    return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "IBAN check digits are incorrect");
}

// Checks of a compact text, in order. Success views `s` itself.
ValidationOutcome check(std::string_view s) {
    if (s.size() <= 4) return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN is too short");
    if (!plain(s))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN must contain only letters and digits");
    return check_plain(s);
}

// Compacted bytes kept on the stack. A longer compact text is never a valid
// IBAN, and its verdict depends only on its first two characters and on its
// length being wrong, so the bytes beyond this many need not be kept.
constexpr std::size_t kStackCompact = 64;
static_assert(kStackCompact > 4 + kMaxBban, "a kept prefix must be too long for every country");

// What compaction does with each byte of ASCII input: the byte it writes
// (upper-cased), whether it keeps it (blanks and hyphens go), and flags for
// a kept byte that is not a digit or an upper-case letter and for a byte
// beyond ASCII (which needs the full Unicode rules).
constexpr std::uint16_t kKeep = 0x100, kNotPlain = 0x200, kBeyondAscii = 0x400;
struct CompactTable {
    std::uint16_t entry[256];
    constexpr CompactTable() : entry() {
        for (unsigned b = 0; b < 256; ++b) {
            if (b >= 0x80) {
                entry[b] = kBeyondAscii;
                continue;
            }
            const unsigned u = b >= 'a' && b <= 'z' ? b - 32 : b;
            const bool keep = b != ' ' && b != '-';
            const bool is_plain = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z');
            entry[b] = static_cast<std::uint16_t>(u | (keep ? kKeep : 0) | (keep && !is_plain ? kNotPlain : 0));
        }
    }
};
constexpr CompactTable kCompact{};

// The usual written form (ASCII, blanks or hyphens between groups, any
// case) compacted on the stack in one table-driven pass that also tells
// whether the result is plain; of a longer result only the first
// kStackCompact bytes are written (the rest go to a scratch byte), its
// length is counted in full. Returns kNoCompact for text beyond ASCII, which
// then takes the full compaction; for ASCII text the two agree byte for byte.
std::size_t compact_ascii(std::string_view value, char (&out)[kStackCompact + 1], bool& is_plain) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(value.data());
    std::size_t begin = 0, end = value.size();
    auto is_space = [](unsigned char b) { return b == 0x20 || (b >= 0x09 && b <= 0x0D); };
    while (begin < end && is_space(p[begin])) ++begin;
    while (end > begin && is_space(p[end - 1])) --end;
    std::size_t n = 0;
    unsigned flags = 0;
    if (end - begin <= kStackCompact) {
        // Ordinary length (every written IBAN): no bound to watch per byte.
        for (std::size_t i = begin; i < end; ++i) {
            const unsigned e = kCompact.entry[p[i]];
            out[n] = static_cast<char>(e);
            n += (e >> 8) & 1;
            flags |= e;
        }
    } else {
        for (std::size_t i = begin; i < end; ++i) {
            const unsigned e = kCompact.entry[p[i]];
            out[n < kStackCompact ? n : kStackCompact] = static_cast<char>(e);
            n += (e >> 8) & 1;
            flags |= e;
        }
    }
    is_plain = (flags & kNotPlain) == 0;
    return flags & kBeyondAscii ? kNoCompact : n;
}

// The form an IBAN is printed in: groups of four digits and capital letters
// separated by single blanks (or single hyphens), the last group of one to
// four, nothing around it. Copies the groups to `out` and returns their
// length, or 0 for any other form (which then takes the general
// compaction, with the same result).
std::size_t compact_grouped(std::string_view value, char (&out)[kStackCompact + 1]) noexcept {
    const std::size_t size = value.size();
    if (size < 6 || size > kStackCompact || size % 5 == 0) return 0;
    const char sep = value[4];
    const auto* p = reinterpret_cast<const unsigned char*>(value.data());
    bool is_plain = true;
    const auto plain_byte = [](unsigned char b) { return (kClass.bits[b] & (kDigit | kUpper)) != 0; };
    std::size_t n = 0, i = 0;
    for (; i + 5 <= size; i += 5) {
        if (p[i + 4] != sep) return 0;
        for (std::size_t j = 0; j < 4; ++j) {
            out[n + j] = static_cast<char>(p[i + j]);
            is_plain &= plain_byte(p[i + j]);
        }
        n += 4;
    }
    for (; i < size; ++i) {  // the last group: 1 to 4 bytes
        out[n++] = static_cast<char>(p[i]);
        is_plain &= plain_byte(p[i]);
    }
    return is_plain ? n : 0;
}

ValidationOutcome validate(const ValidatorSpec& self, std::string_view value) {
    char buffer[kStackCompact + 1];
    if (value.size() > 5 && (value[4] == ' ' || value[4] == '-')) {
        // The printed form: its groups need only be joined.
        if (const std::size_t g = compact_grouped(value, buffer); g != 0) {
            const std::string_view s(buffer, g);
            ValidationOutcome o = check_plain(s);
            return o.ok ? ValidationOutcome::success_copy(s) : o;
        }
    } else if (value.size() > 4 && plain(value)) {
        // Input already in compact form (the usual case) is checked in place.
        return check_plain(value);
    }
    bool is_plain = false;
    const std::size_t n = compact_ascii(value, buffer, is_plain);
    if (n != kNoCompact) {
        if (n <= 4) return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN is too short");
        if (!is_plain)
            return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN must contain only letters and digits");
        // A longer text fails on its country code or its length, as its kept
        // prefix does.
        const std::string_view s(buffer, n < kStackCompact ? n : kStackCompact);
        ValidationOutcome o = check_plain(s);
        return o.ok ? ValidationOutcome::success_copy(s) : o;
    }
    std::string s = compact(self, value);
    ValidationOutcome o = check(s);
    return o.ok ? ValidationOutcome::success(std::move(s)) : o;
}

// Groups of four characters (not bytes: a compacted text may hold non-ASCII
// letters) separated by single blanks.
std::string format(const ValidatorSpec& self, std::string_view value) {
    const std::string s = compact(self, value);
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    std::size_t in_group = 0;
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp;
        const std::size_t len = decode_utf8(s, i, cp);
        if (in_group == 4) {
            out.push_back(' ');
            in_group = 0;
        }
        out.append(s, i, len);
        ++in_group;
        i += len;
    }
    return out;
}

struct Template {
    std::string_view code;
    std::size_t bban_digits;
};
constexpr Template kTemplates[] = {{"CZ", 20}, {"DE", 18}, {"SK", 20}};

std::optional<std::string> generate(const ValidatorSpec&) {
    const Template& t = kTemplates[random_below(std::size(kTemplates))];
    const std::string bban = random_digits(t.bban_digits);
    const unsigned check = iban_check_digits(t.code, bban);
    std::string out;
    out.reserve(4 + bban.size());
    out.append(t.code);
    out.push_back(static_cast<char>('0' + check / 10));
    out.push_back(static_cast<char>('0' + check % 10));
    out.append(bban);
    return out;
}

constexpr std::string_view kAliases[] = {"IBAN"};
constexpr std::string_view kExamples[] = {"GB29NWBK60161331926819", "DE89370400440532013000"};

}  // namespace

const ValidatorSpec kIbanSpec = {
    .source_url = "https://www.iso.org/standard/81090.html",
    .id = "iban",
    .name = "IBAN",
    .local_name = "IBAN",
    .abbreviation = "IBAN",
    .aliases = kAliases,
    .candidate_pattern = "[A-Z]{2}\\d{2}[\\s]?[A-Z0-9]{4}[\\s]?(?:[A-Z0-9]{4}[\\s]?){2,7}[A-Z0-9]{1,4}",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = generate, .parse = nullptr,
            .compact = compact, .format = format, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

std::span<const IbanCountry> iban_countries() noexcept { return kCountries.info; }

IbanCompactVerdict iban_judge_compact(std::string_view s) noexcept {
    if (s.size() <= 4 || !plain(s)) return {false, nullptr};
    if (judge_plain(s) != Verdict::Ok) return {true, nullptr};
    return {true, &kCountries.info[kCountries.slot[country_slot(s[0], s[1])] - 1]};
}

const IbanCountry* iban_country(std::string_view code) noexcept {
    if (code.size() < 2 || kClass.bits[static_cast<unsigned char>(code[0])] != kUpper ||
        kClass.bits[static_cast<unsigned char>(code[1])] != kUpper)
        return nullptr;
    const std::uint8_t index = kCountries.slot[country_slot(code[0], code[1])];
    return index == 0 ? nullptr : &kCountries.info[index - 1];
}

unsigned iban_check_digits(std::string_view country, std::string_view bban) noexcept {
    unsigned r = mod97_10_extend(0, bban).value_or(0);
    r = mod97_10_extend(r, country).value_or(0);
    r = (r * 100) % 97;  // the "00" placeholder check digits
    return 98 - r;
}

}  // namespace ov
