// The frame of the additional set A-M: one row of data per validator and the
// shared operations that read it (compaction, display format, validation,
// parsing, generation).
//
// A record binds `am_ops<row_index("xx.id")>()`: the row is chosen when the
// program is compiled, so no operation compares id strings at run time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/fn_slot.h"
#include "registry/spec.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {

// How an input becomes the compact text. "Default" trims and removes blank,
// "-", ".", "/", "(" and ")" (typographic look-alikes mapped first).
enum class Compaction : std::uint8_t {
    Default,
    DefaultUpper,      // default, then full Unicode upper-case
    ClRut,             // default, upper-case, one leading "CL" dropped
    GtNit,             // default, upper-case, every leading "0" dropped
    IsVsk,             // default, upper-case, one leading "IS" dropped
    McTva,             // default, upper-case, "FR" put in front when missing
    ArabicDigits,      // default, Arabic-Indic digits read as ASCII digits
    PadNine,           // default, left-padded with "0" to nine bytes
    LiPeid,            // blank and "." removed, every leading "0" dropped
    BlankOnly,         // blank removed
    AzVoen,            // blank removed, "0" put in front of nine bytes
    BlankUpper,        // blank removed, upper-case
    AlNipt,            // blank removed, upper-case, "(AL)" or "AL" dropped
    ByUnp,             // blank removed, upper-case, prefix dropped, Cyrillic look-alikes read as Latin
    CrCpf,             // blank removed, upper-case, dash pieces padded, nine bytes get a "0"
    MkEdb,             // blank and "-" removed, "MK" or Cyrillic "МК" dropped
};

inline constexpr std::uint8_t kEnd = 255;  // a piece bound meaning "to the end of the text"

// A display layout: the compact text cut at byte bounds into pieces joined by
// one separator character each. `seps` holds the separator before every piece
// after the first, so there are seps.size() + 1 pieces and seps.size() + 2
// bounds.
struct Layout {
    std::uint8_t when_length = 0;  // applies to texts of this byte length; 0: any length
    std::string_view seps;         // empty: no layout
    std::array<std::uint8_t, 8> bounds{};
};

constexpr Layout any_length(std::string_view seps, std::array<std::uint8_t, 8> bounds) {
    return {0, seps, bounds};
}
constexpr Layout at_length(std::uint8_t n, std::string_view seps, std::array<std::uint8_t, 8> bounds) {
    return {n, seps, bounds};
}

// Bounds rise from 0 and their count matches the separators.
constexpr bool layout_well_formed(const Layout& l) {
    if (l.seps.empty()) return true;
    const std::size_t count = l.seps.size() + 2;
    if (count > l.bounds.size() || l.bounds[0] != 0) return false;
    for (std::size_t i = 1; i < count; ++i)
        if (l.bounds[i] <= l.bounds[i - 1]) return false;
    for (std::size_t i = count; i < l.bounds.size(); ++i)
        if (l.bounds[i] != 0) return false;
    return true;
}

using Check = Verdict (*)(std::string_view compact);
using Parser = std::optional<ParsedData> (*)(std::string_view compact);
using TextOp = std::string (*)(std::string_view value);
using ValidateOp = ValidationOutcome (*)(std::string_view value);

struct Row {
    std::string_view id;
    Compaction compaction = Compaction::Default;
    // Tried in order; the first whose length condition holds formats the text.
    std::array<Layout, 2> layouts{};
    TextOp special_format = nullptr;  // formats the compact text when no layout fits it
    FnSlot<Check> check{};            // unset: not checkable, validate fails with format
    FnSlot<ValidateOp> route{};       // validates the compact text in place of `check`
    FnSlot<PrecheckOutcome (*)(std::string_view raw)> precheck{};  // also run first by validate
    FnSlot<Parser> parse{};
    bool digits_first = false;  // an empty or non-digit compact text fails with format before the check
    // Validators with routines of their own bind them instead of the frame's.
    TextOp own_compact = nullptr;
    TextOp own_format = nullptr;
    FnSlot<ValidateOp> own_validate{};
};

// The frame's shared operations over one row.
std::string compact(const Row& row, std::string_view value);
std::string format(const Row& row, std::string_view value);
ValidationOutcome validate(const Row& row, std::string_view value);
// True when the row's compaction would return `value` unchanged (plain ASCII
// with nothing to trim, remove or upper-case), so that it may be checked in
// place. Rows with other compactions always answer false.
bool unchanged_by_compaction(const Row& row, std::string_view value);

// Special display formats of ids whose pieces depend on the length.
std::string cl_rut_format(std::string_view c);
std::string co_nit_format(std::string_view c);
std::string gt_nit_format(std::string_view c);
std::string hk_hkid_format(std::string_view c);

}  // namespace ov::am
