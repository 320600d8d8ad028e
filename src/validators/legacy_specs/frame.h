// The legacy set's shared operations, driven by one constexpr row per id.
//
// A row holds everything the five operations need to know about one id: how
// to compact it, how a failed check is classified, how it is displayed, and
// its check predicate and parser. A record binds its operation slots through
// `legacy::ops<row>()`, so each slot already knows its row: no operation ever
// looks at the id string.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "registry/generators.h"
#include "registry/fn_slot.h"
#include "registry/spec.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

// Separator sets of the set's compaction.
inline constexpr std::string_view kStandardSeps = " -/.,:";
inline constexpr std::string_view kSpaceOnly = " ";
inline constexpr std::string_view kSpaceSlash = " /";
inline constexpr std::string_view kPersonalSeps = " :";

// What compaction does after the separators and the prefix are gone.
enum class Afterwards : std::uint8_t {
    None,
    ZeroPad9,   // exactly 9 characters left: prepend '0' (be.vat)
    ZeroPad8,   // exactly 8 characters left: prepend '0' (gr.vat)
    NlVatPad,   // a 'B' among the first nine characters and at most 11 bytes: pad with '0' to 12
    DashRule,   // the Swedish personal-number dash rule
};

// When a check fails, the error is classified by tests in a fixed order:
// this one, the length, the shape, the year, the character classes.
// A test made before the length: a value that fails it has a bad format.
enum class PreCheck : std::uint8_t { None, Digits, MvaSuffix };

// The shape a value of an allowed length must have, else the format is wrong.
enum class Shape : std::uint8_t {
    None,
    Digits,    // digits only
    CyVat,     // eight digits, a letter
    GbNino,    // two letters, six digits, A-D
    IePps,     // seven digits; a ninth character from the Irish check alphabet
    IeVat,     // the two Irish VAT layouts
    ItCf,      // 16 bytes: six letters first and a letter last
    SePn,      // digits with '-' or '+' five from the end
    NlVat,     // nine digits, 'B', digits
    NoMva,     // nine digits, "MVA"
    PtCc,      // nine digits, two letters or digits, a digit
};

enum class FormatKind : std::uint8_t {
    Pieces,   // lead, pieces joined by `joins`, tail
    FromEnd,  // pt.cc: [0,n-3) [n-3,n-1) [n-1,n), only when n > 2
    GbVat,    // "GB" + c for GD/HA numbers, else pieces
    NoMva,    // pieces of c without its "MVA" suffix
    DeStnr,   // the German tax number's own layout
};

// A display form: `lead`, then piece i = bytes [starts[i], starts[i+1]) with
// joins[i] after it, the last piece running to the end, then `tail`. No
// pieces means c is shown unchanged.
struct Format {
    FormatKind kind = FormatKind::Pieces;
    std::string_view lead{};
    std::array<std::uint8_t, 7> starts{};
    std::uint8_t count = 0;
    std::string_view joins{};
    std::string_view tail{};
};

consteval Format pieces(std::string_view lead, std::initializer_list<std::uint8_t> starts, std::string_view joins,
                        std::string_view tail = {}, FormatKind kind = FormatKind::Pieces) {
    if (starts.size() == 0 || starts.size() > 7 || joins.size() + 1 != starts.size())
        throw "a format needs one join between each two pieces";
    Format f{kind, lead, {}, static_cast<std::uint8_t>(starts.size()), joins, tail};
    std::size_t i = 0;
    for (auto s : starts) {
        if (i > 0 && s <= f.starts[i - 1]) throw "piece starts must increase";
        f.starts[i++] = s;
    }
    return f;
}
// The VAT display form: the country prefix immediately followed by c.
consteval Format prefixed(std::string_view prefix) { return pieces(prefix, {0}, ""); }
inline constexpr Format kFromEnd = {FormatKind::FromEnd, {}, {0, 0, 0}, 3, "  ", {}};
inline constexpr Format kDeStnrFormat = {FormatKind::DeStnr};

// Set of byte lengths that validation enforces (bit n: n bytes).
consteval std::uint32_t lengths(std::initializer_list<unsigned> ns) {
    std::uint32_t mask = 0;
    for (unsigned n : ns) {
        if (n >= 32) throw "length out of range";
        mask |= std::uint32_t{1} << n;
    }
    return mask;
}

using Check = bool (*)(std::string_view);
using Parse = std::optional<ParsedData> (*)(std::string_view);

struct Row {
    // Compaction, step by step.
    std::string_view separators = kStandardSeps;
    std::string_view prefix{};      // removed once at the start, ignoring ASCII case
    std::string_view alt_prefix{};  // a second accepted spelling (Greece: GR or EL)
    bool upper = false;             // ASCII only
    Afterwards afterwards = Afterwards::None;
    // Classification of a failed check.
    PreCheck pre = PreCheck::None;
    std::uint32_t lengths = 0;
    Shape shape = Shape::None;
    bool year_component = false;  // 9 bytes with a year part above 53 is a bad component
    // Display, predicate, parser.
    Format format{};
    FnSlot<Check> check{};
    FnSlot<Parse> parse{};
    bool nip_hook = false;  // runs the Polish NIP fast path before validation
    bool generates = true;
};

// The shared operations, given the row of the id.
std::string compact(const Row& row, std::string_view value);
std::string format(const Row& row, std::string_view value);
// The ASCII characters a row's compaction removes or changes wherever they
// stand (its separators; lower-case letters when it upper-cases), one bit
// each: `lo` for 0-63, `hi` for 64-127. Worked out once per row.
struct AsciiSet {
    std::uint64_t lo = 0, hi = 0;
};
constexpr AsciiSet changed_by_compaction(const Row& row) noexcept {
    AsciiSet set{char_mask(row.separators), 0};
    if (row.upper)
        for (unsigned c = 'a'; c <= 'z'; ++c) set.hi |= std::uint64_t{1} << (c - 64);
    return set;
}

ValidationOutcome validate(const Row& row, const AsciiSet& changed, std::string_view value);
ValidationOutcome validate(const Row& row, std::string_view value);
std::optional<ParsedData> parse(const Row& row, const AsciiSet& changed, std::string_view value);
bool compacts_to_itself(const Row& row, const AsciiSet& changed, std::string_view value) noexcept;
PrecheckOutcome nip_hook(const Row& row, std::string_view value);
// The error reported for a compact value whose check failed.
ValidationOutcome classify(const Row& row, std::string_view c);

// Operation slots bound to one row.
template <const Row& R>
struct Bound {
    static constexpr AsciiSet kChanged = changed_by_compaction(R);
    static std::string compact(const ValidatorSpec&, std::string_view v) { return legacy::compact(R, v); }
    static std::string format(const ValidatorSpec&, std::string_view v) { return legacy::format(R, v); }
    static ValidationOutcome validate(const ValidatorSpec&, std::string_view v) {
        return legacy::validate(R, kChanged, v);
    }
    static std::optional<ParsedData> parse(const ValidatorSpec&, std::string_view v) {
        return legacy::parse(R, kChanged, v);
    }
    static PrecheckOutcome precheck(const ValidatorSpec&, std::string_view v) { return nip_hook(R, v); }
    static std::optional<std::string> generate(const ValidatorSpec& spec) {
        return legacy_example_generate(spec, R.check);
    }
};

template <const Row& R>
consteval ValidatorOps ops() {
    if (!R.check.set()) throw "every legacy row has a check predicate";
    return {
        .precheck = R.nip_hook ? &Bound<R>::precheck : nullptr,
        .generate = R.generates ? &Bound<R>::generate : nullptr,
        .parse = R.parse.set() ? &Bound<R>::parse : nullptr,
        .compact = &Bound<R>::compact,
        .format = &Bound<R>::format,
        .validate = &Bound<R>::validate,
    };
}

}  // namespace ov::legacy
