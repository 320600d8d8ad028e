#include "validators/extended/isbn_ranges.h"

#include <algorithm>
#include <span>

#include "primitives/text.h"
#include "registry/random.h"

namespace ov::extended {

namespace {

#include "validators/extended/isbn_ranges.inc"

// The number the first `width` digits of `digits` spell (0 when there are
// fewer).
std::uint32_t leading(std::string_view digits, unsigned width) noexcept {
    if (digits.size() < width) return UINT32_MAX;
    std::uint32_t v = 0;
    for (unsigned i = 0; i < width; ++i) v = v * 10 + static_cast<std::uint32_t>(digits[i] - '0');
    return v;
}

// The width of the element at the start of `digits` by a group's ranges;
// 0 when it lies in none.
unsigned width_in(const IsbnTable& t, const IsbnGroup& g, std::string_view digits) noexcept {
    for (const IsbnRange& r : t.ranges.subspan(g.first, g.count)) {
        const std::uint32_t v = leading(digits, r.width);
        if (v >= r.lo && v <= r.hi) return r.width;
    }
    return 0;
}

const IsbnGroup* find_group(const IsbnTable& t, unsigned prefix, std::string_view group) noexcept {
    const auto before = [](const IsbnGroup& g, std::pair<unsigned, std::string_view> key) {
        return g.prefix != key.first ? g.prefix < key.first : g.group < key.second;
    };
    const auto it = std::lower_bound(t.groups.begin(), t.groups.end(), std::pair{prefix, group}, before);
    return it != t.groups.end() && it->prefix == prefix && it->group == group ? &*it : nullptr;
}

constexpr IsbnTable kBuiltin = {kIsbnRanges, kIsbnGroups};

}  // namespace

const IsbnTable& builtin_isbn_table() noexcept { return kBuiltin; }

bool isbn_elements(std::string_view s, IsbnElements& out, const IsbnTable& t) noexcept {
    out = IsbnElements{};
    if (s.size() != 13 || !all_digits(s) || !(s.starts_with("978") || s.starts_with("979"))) return false;
    const unsigned prefix = s[2] == '8' ? 978 : 979;
    out.prefix = s.substr(0, 3);
    out.check = s.substr(12, 1);
    const std::string_view body = s.substr(3, 9);  // group, registrant, publication
    const IsbnGroup* groups = find_group(t, prefix, "");
    const unsigned gw = groups ? width_in(t, *groups, body) : 0;
    if (gw == 0) return true;
    out.group = body.substr(0, gw);
    out.group_info = find_group(t, prefix, out.group);
    if (!out.group_info) return true;
    const std::string_view rest = body.substr(gw);
    const unsigned rw = width_in(t, *out.group_info, rest);
    // A registrant needs a publication element after it.
    if (rw == 0 || rw >= rest.size()) return true;
    out.registrant = rest.substr(0, rw);
    out.publication = rest.substr(rw);
    return true;
}

std::string isbn_hyphenate(std::string_view compact) {
    const bool ten = compact.size() == 10;
    std::string thirteen;
    if (ten) {
        thirteen = "978";
        thirteen.append(compact.substr(0, 9));
        thirteen.push_back('0');  // the check digit is not read
    }
    IsbnElements e;
    if (!isbn_elements(ten ? std::string_view(thirteen) : compact, e) || e.registrant.empty()) return {};
    std::string out;
    out.reserve(17);
    if (!ten) {
        out.append(e.prefix);
        out.push_back('-');
    }
    out.append(e.group).append("-").append(e.registrant).append("-").append(e.publication).append("-");
    out.append(ten ? compact.substr(9, 1) : e.check);
    return out;
}

std::string isbn_random_payload(bool only_978, IsbnDraw draw) {
    const auto below = [&draw](std::uint64_t n) {
        return draw.below ? draw.below(draw.state, n) : random_below(n);
    };
    // Groups with at least one registrant range that leaves room for a
    // publication element; drawn uniformly among them.
    const auto usable = [only_978](const IsbnGroup& g) {
        if (g.group.empty() || g.count == 0 || (only_978 && g.prefix != 978)) return false;
        for (const IsbnRange& r : std::span(kIsbnRanges).subspan(g.first, g.count))
            if (g.group.size() + r.width < 9) return true;
        return false;
    };
    std::size_t n = 0;
    for (const IsbnGroup& g : kIsbnGroups) n += usable(g);
    std::size_t pick = below(n);
    const IsbnGroup* group = nullptr;
    for (const IsbnGroup& g : kIsbnGroups)
        if (usable(g) && pick-- == 0) {
            group = &g;
            break;
        }
    std::string s = std::to_string(group->prefix);
    s.append(group->group);
    const auto ranges = std::span(kIsbnRanges).subspan(group->first, group->count);
    const IsbnRange* range = nullptr;
    while (!range) {
        const IsbnRange& r = ranges[below(ranges.size())];
        if (group->group.size() + r.width < 9) range = &r;
    }
    const std::string registrant = std::to_string(range->lo + below(range->hi - range->lo + 1));
    s.append(range->width - registrant.size(), '0').append(registrant);
    while (s.size() < 12) s.push_back(static_cast<char>('0' + below(10)));
    return s;
}

std::string_view isbn_ranges_snapshot() noexcept { return kIsbnRangesSnapshot; }

}  // namespace ov::extended
