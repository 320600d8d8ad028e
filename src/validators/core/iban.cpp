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
#include "validators/core/records.h"

namespace ov {

namespace {

// Character class of a BBAN segment.
enum class Kind : std::uint8_t {
    N,  // digits 0-9
    A,  // upper-case letters A-Z
    C,  // digits or upper-case letters
};

struct Segment {
    std::uint8_t length;
    Kind kind;
};

struct Layout {
    std::string_view code;
    std::uint8_t total;  // whole IBAN length: 4 + the segment lengths
    std::uint8_t count;  // number of segments used (1..3)
    std::array<Segment, 3> segments;
};

constexpr Segment n(std::uint8_t len) { return {len, Kind::N}; }
constexpr Segment a(std::uint8_t len) { return {len, Kind::A}; }
constexpr Segment c(std::uint8_t len) { return {len, Kind::C}; }

constexpr Layout L(std::string_view code, std::uint8_t total, Segment s1) { return {code, total, 1, {s1, {}, {}}}; }
constexpr Layout L(std::string_view code, std::uint8_t total, Segment s1, Segment s2) {
    return {code, total, 2, {s1, s2, {}}};
}
constexpr Layout L(std::string_view code, std::uint8_t total, Segment s1, Segment s2, Segment s3) {
    return {code, total, 3, {s1, s2, s3}};
}

// Countries with a BBAN layout, sorted by code, as the ISO 13616 registry
// defines them (letters are allowed in the BY, CH, KZ, LI, LU and SA account
// parts; FK, HN, OM and YE joined in 2023-2024). Costa Rica's entry carries
// its length; its BBAN has a rule of its own (a leading 0).
constexpr std::array<Layout, 83> kLayouts = {{
    L("AD", 24, n(8), c(12)),         L("AE", 23, n(19)),          L("AL", 28, n(8), c(16)),
    L("AT", 20, n(16)),               L("AZ", 28, a(4), c(20)),    L("BA", 20, n(16)),
    L("BE", 16, n(12)),               L("BG", 22, a(4), n(6), c(8)), L("BH", 22, a(4), c(14)),
    L("BR", 29, n(23), a(1), c(1)),   L("BY", 28, c(4), n(4), c(16)), L("CH", 21, n(5), c(12)),
    L("CR", 22, n(18)),               L("CY", 28, n(8), c(16)),    L("CZ", 24, n(20)),
    L("DE", 22, n(18)),               L("DK", 18, n(14)),          L("DO", 28, c(4), n(20)),
    L("EE", 20, n(16)),               L("EG", 29, n(25)),          L("ES", 24, n(20)),
    L("FI", 18, n(14)),               L("FK", 18, a(2), n(12)),    L("FO", 18, n(14)),
    L("FR", 27, n(10), c(11), n(2)),  L("GB", 22, a(4), n(14)),    L("GE", 22, a(2), n(16)),
    L("GI", 23, a(4), c(15)),         L("GL", 18, n(14)),          L("GR", 27, n(7), c(16)),
    L("GT", 28, c(24)),               L("HN", 28, a(4), n(20)),    L("HR", 21, n(17)),
    L("HU", 28, n(24)),               L("IE", 22, a(4), n(14)),    L("IL", 23, n(19)),
    L("IQ", 23, a(4), n(15)),         L("IS", 26, n(22)),          L("IT", 27, a(1), n(10), c(12)),
    L("JO", 30, a(4), n(4), c(18)),   L("KW", 30, a(4), c(22)),    L("KZ", 20, n(3), c(13)),
    L("LB", 28, n(4), c(20)),         L("LC", 32, a(4), c(24)),    L("LI", 21, n(5), c(12)),
    L("LT", 20, n(16)),               L("LU", 20, n(3), c(13)),    L("LV", 21, a(4), c(13)),
    L("MC", 27, n(10), c(11), n(2)),  L("MD", 24, c(20)),          L("ME", 22, n(18)),
    L("MK", 19, n(3), c(10), n(2)),   L("MR", 27, n(23)),          L("MT", 31, a(4), n(5), c(18)),
    L("MU", 30, a(4), n(19), a(3)),   L("NI", 28, a(4), n(20)),    L("NL", 18, a(4), n(10)),
    L("NO", 15, n(11)),               L("OM", 23, n(3), c(16)),    L("PK", 24, a(4), c(16)),
    L("PL", 28, n(24)),               L("PS", 29, a(4), c(21)),    L("PT", 25, n(21)),
    L("QA", 29, a(4), c(21)),         L("RO", 24, a(4), c(16)),    L("RS", 22, n(18)),
    L("SA", 24, n(2), c(18)),         L("SC", 31, a(4), n(20), a(3)), L("SD", 18, n(14)),
    L("SE", 24, n(20)),               L("SI", 19, n(15)),          L("SK", 24, n(20)),
    L("SM", 27, a(1), n(10), c(12)),  L("ST", 25, n(21)),          L("SV", 28, a(4), n(20)),
    L("TL", 23, n(19)),               L("TN", 24, n(20)),          L("TR", 26, n(6), c(16)),
    L("UA", 29, n(6), c(19)),         L("VA", 22, n(18)),          L("VG", 24, a(4), n(16)),
    L("XK", 20, n(16)),               L("YE", 30, a(4), n(4), c(18)),
}};

struct LengthOnly {
    std::string_view code;
    std::uint8_t total;
};

// Countries whose BBAN structure is not tabulated: any letters and digits
// of the right total length are accepted.
constexpr std::array<LengthOnly, 7> kLengthOnly = {{
    {"BI", 27}, {"DJ", 27}, {"LY", 25}, {"MN", 20}, {"RU", 33}, {"SN", 28}, {"SO", 23},
}};

consteval bool layouts_consistent() {
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        const Layout& l = kLayouts[i];
        unsigned sum = 4;
        for (unsigned k = 0; k < l.count; ++k) sum += l.segments[k].length;
        if (sum != l.total) return false;
        if (i > 0 && !(kLayouts[i - 1].code < l.code)) return false;
    }
    return true;
}
static_assert(layouts_consistent(), "IBAN layout totals or order are wrong");

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

struct CountryIndex {
    std::uint8_t slot[26 * 26] = {};  // index into `list`; 0 is the unassigned entry
    Country list[1 + kLayouts.size() + kLengthOnly.size()] = {};

    constexpr void add(std::size_t index, std::string_view code, std::uint8_t total, const Layout* layout) {
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
    }

    constexpr CountryIndex() {
        std::size_t index = 1;
        for (const Layout& l : kLayouts) add(index++, l.code, l.total, &l);
        for (const LengthOnly& l : kLengthOnly) add(index++, l.code, l.total, nullptr);
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
    return assigned == kLayouts.size() + kLengthOnly.size();
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
// than four digits and upper-case letters. Success views `s` itself.
ValidationOutcome check_plain(std::string_view s) {
    const std::size_t size = s.size();
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    if (kClass.bits[p[0]] != kUpper || kClass.bits[p[1]] != kUpper)
        return ValidationOutcome::failure(ErrorCode::InvalidComponent,
                                          "IBAN must start with a 2-letter country code");
    const Country& country = kCountries.list[kCountries.slot[country_slot(s[0], s[1])]];
    if (country.total == 0)
        return ValidationOutcome::failure(ErrorCode::InvalidComponent, "IBAN country code is not assigned");
    if (country.total != size)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN has an invalid country-specific length");
    // Every BBAN position against the class its layout requires there.
    std::uint64_t wrong = country.leading_zero && s[4] != '0';
    for (unsigned k = 0; k < country.windows; ++k) {
        const std::uint64_t w = load_le64(s.data() + 4 + country.offset[k]);
        wrong |= (w & country.digit[k]) | (~w & country.letter[k]);
    }
    if (wrong != 0)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN BBAN format is invalid for its country");
    // Rearranged: BBAN, then country code and check digits. The check digits
    // may be letters here; they count 10-35 like any other letter.
    bool bad = false;  // never set: the text is plain
    const unsigned r = mod97_10_padded(s.substr(4), s.substr(0, 4), bad);
    if (bad || r != 1)
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "IBAN check digits are incorrect");
    return ValidationOutcome::success_input(s);
}

// Checks of a compact text, in order. Success views `s` itself.
ValidationOutcome check(std::string_view s) {
    if (s.size() <= 4) return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN is too short");
    if (!plain(s))
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN must contain only letters and digits");
    return check_plain(s);
}

// Inputs up to this many bytes are compacted on the stack.
constexpr std::size_t kStackCompact = 64;

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
// whether the result is plain. Returns kNoCompact for anything else, which
// then takes the full compaction; for ASCII text the two agree byte for byte.
std::size_t compact_ascii(std::string_view value, char (&out)[kStackCompact], bool& is_plain) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(value.data());
    std::size_t begin = 0, end = value.size();
    auto is_space = [](unsigned char b) { return b == 0x20 || (b >= 0x09 && b <= 0x0D); };
    while (begin < end && is_space(p[begin])) ++begin;
    while (end > begin && is_space(p[end - 1])) --end;
    if (end - begin > kStackCompact) return kNoCompact;
    std::size_t n = 0;
    unsigned flags = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const unsigned e = kCompact.entry[p[i]];
        out[n] = static_cast<char>(e);
        n += (e >> 8) & 1;
        flags |= e;
    }
    is_plain = (flags & kNotPlain) == 0;
    return flags & kBeyondAscii ? kNoCompact : n;
}

ValidationOutcome validate(const ValidatorSpec& self, std::string_view value) {
    // Input already in compact form (the usual case) is checked in place.
    if (value.size() > 4 && plain(value)) return check_plain(value);
    char buffer[kStackCompact];
    bool is_plain = false;
    const std::size_t n = compact_ascii(value, buffer, is_plain);
    if (n != kNoCompact) {
        const std::string_view s(buffer, n);
        if (n <= 4) return ValidationOutcome::failure(ErrorCode::InvalidLength, "IBAN is too short");
        if (!is_plain)
            return ValidationOutcome::failure(ErrorCode::InvalidFormat, "IBAN must contain only letters and digits");
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
    unsigned r = *mod97_10_extend(0, bban);
    r = *mod97_10_extend(r, t.code);
    r = (r * 100) % 97;  // the "00" placeholder check digits
    const unsigned check = 98 - r;
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

}  // namespace ov
