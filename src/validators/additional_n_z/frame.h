// The additional set N-Z: one `Rule` row per validator (compaction, display
// pieces, check routine, parser) and the set's shared operations that read
// it. A record binds its operations to its own row at compile time through
// `ops<Row>()`, so no operation ever looks the id up.
//
// Lengths and positions in this set count characters. The validate frame
// hands each check a text with one byte per character (see `validate`), so
// a check may index bytes as character positions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "primitives/digit_fields.h"
#include "primitives/text.h"
#include "registry/fn_slot.h"
#include "registry/spec.h"

namespace ov::nz {

// ---- Check results -----------------------------------------------------------

// The outcome of one validator's checks: pass, or the first failure with its
// code and fixed message.
struct Verdict {
    ErrorCode code = ErrorCode::InvalidFormat;
    std::string_view message;
    bool ok = true;
};
inline constexpr Verdict kPass{};
constexpr Verdict fail(ErrorCode code, std::string_view message) noexcept { return {code, message, false}; }

// The shared length-then-digits step: a length other than `len1` or `len2`
// fails with `length_msg`, then any non-digit with `digits_msg`.
constexpr Verdict length_digits(std::string_view c, std::size_t len1, std::size_t len2,
                                std::string_view length_msg, std::string_view digits_msg) noexcept {
    if (c.size() != len1 && c.size() != len2) return fail(ErrorCode::InvalidLength, length_msg);
    if (!all_digits(c)) return fail(ErrorCode::InvalidFormat, digits_msg);
    return kPass;
}

// ---- The row -----------------------------------------------------------------

enum class CaseMap : std::uint8_t { None, Full, Ascii };

// Compaction, applied in this order: remove `remove` characters wherever they
// occur (plain removal: no trimming, no look-alike mapping), trim, upper-case,
// drop a leading `prefix` (ASCII letters, any case), left-pad with '0' to
// `pad_to` characters. `custom` replaces all of it.
struct Compaction {
    std::string_view remove = " -";
    bool trim = false;
    CaseMap upper = CaseMap::None;
    std::string_view prefix;
    std::uint8_t pad_to = 0;
    std::string (*custom)(std::string_view) = nullptr;
};

// A display layout: `prefix`, then the character ranges [bounds[i],
// bounds[i+1]) for i < pieces, joined by `joiner`. With `only_length` set,
// a text of any other length is shown as it stands. `custom` replaces it all.
inline constexpr std::uint8_t kEnd = 255;  // a bound meaning "the end of the text"
struct Layout {
    std::string_view joiner;
    std::array<std::uint8_t, 6> bounds{};
    std::uint8_t pieces = 0;  // 0: the compact text as it stands
    std::uint8_t only_length = 0;
    std::string_view prefix;
    std::string (*custom)(std::string_view) = nullptr;
};

struct Rule {
    Compaction compaction;
    Layout format;
    FnSlot<Verdict (*)(std::string_view)> check{};
    // A validator whose valid numbers are reported in a form of their own
    // (not the compact text) validates the raw input itself instead of `check`.
    FnSlot<ValidationOutcome (*)(std::string_view value)> own_validate{};
    // Birth data of a valid compact number.
    FnSlot<std::optional<ParsedData> (*)(std::string_view)> parse{};
};

// The bytes that a row's compaction keeps as they are wherever they stand:
// ASCII, not removed, not changed by upper-casing. A 128-bit set.
struct KeptBytes {
    std::uint64_t bits[2] = {0, 0};
    constexpr bool has(unsigned char b) const noexcept { return b < 0x80 && ((bits[b >> 6] >> (b & 63)) & 1) != 0; }
};
constexpr KeptBytes kept_bytes(const Compaction& c) noexcept {
    KeptBytes k;
    for (unsigned b = 0; b < 0x80; ++b) {
        const char ch = static_cast<char>(b);
        if (c.remove.find(ch) != std::string_view::npos) continue;
        if (c.upper != CaseMap::None && is_lower(ch)) continue;
        k.bits[b >> 6] |= std::uint64_t{1} << (b & 63);
    }
    return k;
}

// True when the row's compaction would give `value` back unchanged, so
// that the checks may read the input itself.
bool unchanged_by_compaction(const Compaction& c, const KeptBytes& kept, std::string_view value) noexcept;

// ---- Shared operations ---------------------------------------------------------

std::string compact(const Rule& rule, std::string_view value);
std::string format(const Rule& rule, std::string_view value);
// Every validator of the set generates its first example exactly as stored.
std::optional<std::string> first_example(const ValidatorSpec& self);

// Text helpers shared with the custom rules.
// The checks accept only ASCII, so every other character may stand in as one
// byte that no check accepts (DEL): lengths and positions then count
// characters while the checks index bytes. Returns `c` itself when it is
// ASCII, else a view of `buf`.
std::string_view one_byte_per_char(std::string_view c, std::string& buf);
// Removes every character of the ASCII set `chars`.
std::string remove_chars(std::string_view text, std::string_view chars);
// Every non-overlapping occurrence of `from`, left to right, becomes `to`.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);
// The character range [begin, end) of text: bounds are clamped to 0 and to
// the end, and an empty or reversed range gives an empty piece.
std::string_view char_range(std::string_view text, std::int64_t begin, std::int64_t end) noexcept;

// validate and parse take the row's kept bytes, worked out when the program
// is compiled.
ValidationOutcome validate(const Rule& rule, const KeptBytes& kept, std::string_view value);
std::optional<ParsedData> parse(const Rule& rule, const KeptBytes& kept, std::string_view value);

template <const Rule& R>
struct Bound {
    static constexpr KeptBytes kKept = kept_bytes(R.compaction);
    static std::string compact(const ValidatorSpec&, std::string_view v) { return nz::compact(R, v); }
    static std::string format(const ValidatorSpec&, std::string_view v) { return nz::format(R, v); }
    static ValidationOutcome validate(const ValidatorSpec&, std::string_view v) { return nz::validate(R, kKept, v); }
    static std::optional<ParsedData> parse(const ValidatorSpec&, std::string_view v) { return nz::parse(R, kKept, v); }
};

// Mistakes a row can hold, caught when its record is compiled: no check (or two),
// display bounds out of order, a prefix that compaction could never match.
consteval bool well_formed(const Rule& r) {
    if (r.check.set() == r.own_validate.set()) return false;
    const Layout& f = r.format;
    if (f.pieces >= f.bounds.size()) return false;
    for (std::size_t i = 0; i < f.pieces; ++i)
        if (f.bounds[i] >= f.bounds[i + 1]) return false;
    const std::string_view p = r.compaction.prefix;
    return p.empty() || (p.size() == 2 && is_upper(p[0]) && is_upper(p[1]));
}

// The operation table of a record whose row is R.
template <const Rule& R>
consteval ValidatorOps ops() {
    static_assert(well_formed(R), "malformed N-Z row");
    return {.precheck = nullptr,
            .generate = first_example,
            .parse = R.parse.set() ? Bound<R>::parse : nullptr,
            .compact = Bound<R>::compact,
            .format = Bound<R>::format,
            .validate = Bound<R>::validate};
}

}  // namespace ov::nz
