// German tax number (Steuernummer): the federal states write it in 22
// layouts of 10, 11 or 13 digits. Validation only asks that the digits fit
// one of them; the display form cuts the number into the layout's parts.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/predicate_input.h"

namespace ov::legacy {

namespace {

// The states' layouts in the order of the federal scheme. A digit must
// appear as written; a letter stands for any digit and names the part:
// F tax office, B district, U distinguishing number, P check digit.
constexpr std::array<std::string_view, 22> kLayouts = {
    "FFBBBUUUUP",     // 1
    "28FF0BBBUUUUP",  // 2
    "FFFBBBUUUUP",    // 3
    "9FFF0BBBUUUUP",  // 4
    "11FF0BBBUUUUP",  // 5
    "0FFBBBUUUUP",    // 6
    "30FF0BBBUUUUP",  // 7
    "24FF0BBBUUUUP",  // 8
    "22FF0BBBUUUUP",  // 9
    "26FF0BBBUUUUP",  // 10
    "40FF0BBBUUUUP",  // 11
    "23FF0BBBUUUUP",  // 12
    "FFFBBBBUUUP",    // 13
    "5FFF0BBBBUUUP",  // 14
    "27FF0BBBUUUUP",  // 15
    "10FF0BBBUUUUP",  // 16
    "2FFBBBUUUUP",    // 17
    "32FF0BBBUUUUP",  // 18
    "1FFBBBUUUUP",    // 19
    "31FF0BBBUUUUP",  // 20
    "21FF0BBBUUUUP",  // 21
    "41FF0BBBUUUUP",  // 22
};

// Layouts the display form tries for 11 and 13 digits, 1-based, in order.
constexpr std::array<std::size_t, 5> kFormat11 = {3, 6, 13, 17, 19};
constexpr std::array<std::size_t, 16> kFormat13 = {2, 4, 5, 7, 8, 9, 10, 11, 12, 14, 15, 16, 18, 20, 21, 22};

consteval bool layouts_well_formed() {
    for (std::string_view l : kLayouts) {
        if (l.size() != 10 && l.size() != 11 && l.size() != 13) return false;
        if (l.back() != 'P') return false;
        for (char ch : l)
            if (!is_digit(ch) && std::string_view("FBUP").find(ch) == std::string_view::npos) return false;
    }
    for (std::size_t n : kFormat11)
        if (kLayouts[n - 1].size() != 11) return false;
    for (std::size_t n : kFormat13)
        if (kLayouts[n - 1].size() != 13) return false;
    return true;
}
static_assert(layouts_well_formed());
// Every 11- and 13-character layout is tried by the display form, and only
// layout 1 has 10 characters.
static_assert(kFormat11.size() + kFormat13.size() + 1 == kLayouts.size());

// The value fits the layout: a digit wherever the layout has a letter, the
// layout's own digit wherever it has one.
constexpr bool fits(std::string_view v, std::string_view layout) noexcept {
    if (v.size() != layout.size()) return false;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (!is_digit(v[i]) || (is_digit(layout[i]) && v[i] != layout[i])) return false;
    return true;
}

// Parts of a layout: all fixed digits form one class, each letter its own.
constexpr char part_class(char layout_char) noexcept { return is_digit(layout_char) ? '0' : layout_char; }

}  // namespace

bool de_stnr_check(std::string_view c) {
    const std::string_view v = c;
    for (std::string_view layout : kLayouts)
        if (fits(v, layout)) return true;
    return false;
}

std::string de_stnr_format(std::string_view c) {
    auto first_fit = [c](auto const& numbers) {
        for (std::size_t n : numbers)
            if (fits(c, kLayouts[n - 1])) return kLayouts[n - 1];
        return std::string_view{};
    };
    // Ten characters are cut as layout 1 whatever they are; eleven and
    // thirteen need a layout that fits, which only digits can.
    std::string_view layout;
    if (char_count(c) == 10)
        layout = kLayouts[0];
    else if (c.size() == 11)
        layout = first_fit(kFormat11);
    else if (c.size() == 13)
        layout = first_fit(kFormat13);
    if (layout.empty()) return std::string(c);

    // The check digit is a part of its own, so it always stands alone. The
    // walk goes by characters, so a group never splits one.
    std::string out;
    out.reserve(c.size() + 6);
    std::size_t at = 0;
    for (std::size_t k = 0; k < layout.size() && at < c.size(); ++k) {
        if (k > 0 && part_class(layout[k]) != part_class(layout[k - 1])) out.push_back('/');
        char32_t cp;
        const std::size_t len = decode_utf8(c, at, cp);
        out.append(c.substr(at, len));
        at += len;
    }
    return out;
}

}  // namespace ov::legacy
