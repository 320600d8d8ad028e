#include "describe/tables.h"

#include <algorithm>

#include "primitives/text.h"

namespace ovf {

namespace {

// Splits at `sep`, keeping empty fields.
std::vector<std::string_view> split(std::string_view s, char sep) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = s.find(sep, from);
        out.push_back(s.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return out;
        from = at + 1;
    }
}

std::string_view trim(std::string_view s) noexcept {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Walks the rows of a registry TSV: `row` gets the fields of the columns
// `wanted` for each row after the header. False with `error` set when the
// header lacks a column.
template <class Row>
bool each_row(std::string_view text, std::initializer_list<std::string_view> wanted, std::string& error, Row&& row) {
    std::vector<std::size_t> index;
    bool header = false;
    std::vector<std::string_view> fields(wanted.size());
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (trim(line).empty()) continue;
        if (!header) {
            if (line.front() == '#') continue;
            const auto names = split(line, '\t');
            for (std::string_view w : wanted) {
                const auto it = std::find_if(names.begin(), names.end(), [w](std::string_view n) { return trim(n) == w; });
                if (it == names.end()) {
                    error = "no column " + std::string(w);
                    return false;
                }
                index.push_back(static_cast<std::size_t>(it - names.begin()));
            }
            header = true;
            continue;
        }
        const auto all = split(line, '\t');
        for (std::size_t k = 0; k < index.size(); ++k) fields[k] = index[k] < all.size() ? trim(all[index[k]]) : "";
        if (!row(fields)) return false;
    }
    if (!header) {
        error = "no header line";
        return false;
    }
    return true;
}

bool hex_value(std::string_view s, std::uint64_t& v) noexcept {
    if (s.empty() || s.size() > 12) return false;
    v = 0;
    for (char c : s) {
        unsigned d;
        if (ov::is_digit(c)) d = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f') d = static_cast<unsigned>(c - 'a' + 10);
        else return false;
        v = v * 16 + d;
    }
    return true;
}

constexpr std::uint64_t mac_key(unsigned digits, std::uint64_t value) noexcept {
    return static_cast<std::uint64_t>(digits) << 40 | value;
}

}  // namespace

std::size_t parse_isbn_ranges(std::string_view text, IsbnRanges& out, std::string& error) {
    out = IsbnRanges{};
    std::size_t rows = 0;
    const bool ok = each_row(text, {"prefix", "group", "agency", "registrant_ranges"}, error, [&](const auto& f) {
        const std::string_view prefix = f[0], group = f[1];
        if (prefix != "978" && prefix != "979") return true;  // no other prefix exists
        if (group != "*" && (group.empty() || group.size() > 5 || !ov::all_digits(group))) {
            error = "bad registration group " + std::string(group);
            return false;
        }
        ov::extended::IsbnGroup g{};
        g.prefix = prefix == "978" ? 978 : 979;
        g.group = group == "*" ? std::string_view() : std::string_view(out.strings.emplace_back(group));
        g.agency = group == "*" ? std::string_view() : std::string_view(out.strings.emplace_back(f[2]));
        g.first = static_cast<std::uint32_t>(out.ranges.size());
        for (std::string_view part : split(f[3], ',')) {
            part = trim(part);
            if (part.empty()) continue;
            const std::size_t dash = part.find('-');
            const std::string_view lo = part.substr(0, dash), hi = dash == std::string_view::npos ? lo : part.substr(dash + 1);
            if (lo.empty() || lo.size() != hi.size() || lo.size() > 7 || !ov::all_digits(lo) || !ov::all_digits(hi) ||
                lo > hi) {
                error = "bad range " + std::string(part);
                return false;
            }
            out.ranges.push_back({static_cast<std::uint32_t>(std::stoul(std::string(lo))),
                                  static_cast<std::uint32_t>(std::stoul(std::string(hi))),
                                  static_cast<std::uint8_t>(lo.size())});
        }
        g.count = static_cast<std::uint32_t>(out.ranges.size()) - g.first;
        out.groups.push_back(g);
        ++rows;
        return true;
    });
    if (!ok) return 0;
    std::sort(out.groups.begin(), out.groups.end(), [](const auto& a, const auto& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.group < b.group;
    });
    return rows;
}

std::size_t parse_networks(std::string_view text, std::unordered_map<std::string, Network>& out, std::string& error) {
    out.clear();
    const bool ok = each_row(text, {"mcc", "mnc", "country_code", "country", "operator", "brand"}, error,
                             [&](const auto& f) {
                                 if (f[0].size() != 3 || !ov::all_digits(f[0]) || f[1].size() < 2 || f[1].size() > 3 ||
                                     !ov::all_digits(f[1]))
                                     return true;  // not a network code: skipped
                                 std::string code(f[2]);
                                 for (char& c : code) c = ov::to_upper_ascii(c);
                                 out.insert_or_assign(std::string(f[0]) + std::string(f[1]),
                                                      Network{std::string(f[0]), std::string(f[1]), std::move(code),
                                                              std::string(f[3]), std::string(f[4]), std::string(f[5])});
                                 return true;
                             });
    return ok ? out.size() : 0;
}

std::size_t parse_mac_blocks(std::string_view text, MacBlocks& out, std::string& error) {
    out = MacBlocks{};
    out.blocks.reserve(text.size() / 16);  // about one block per 16 bytes of the registry's file
    std::size_t rows = 0;
    const bool ok = each_row(text, {"prefixes", "vendor"}, error, [&](const auto& f) {
        const auto vendor = static_cast<std::uint32_t>(out.vendors.size());
        out.vendors.emplace_back(f[1]);
        for (std::string_view part : split(f[0], ',')) {
            part = trim(part);
            if (part.empty()) continue;
            const std::size_t dash = part.find('-');
            const std::string_view lo = part.substr(0, dash), hi = dash == std::string_view::npos ? lo : part.substr(dash + 1);
            std::uint64_t a = 0, b = 0;
            if (lo.size() != hi.size() || (lo.size() != 6 && lo.size() != 7 && lo.size() != 9) || !hex_value(lo, a) ||
                !hex_value(hi, b) || a > b || b - a > 0xFFFFF) {
                error = "bad block " + std::string(part);
                return false;
            }
            for (std::uint64_t v = a; v <= b; ++v)
                out.blocks.insert_or_assign(mac_key(static_cast<unsigned>(lo.size()), v), vendor);
        }
        ++rows;
        return true;
    });
    return ok ? rows : 0;
}

std::size_t parse_isil(std::string_view text, std::unordered_map<std::string, Isil>& out, std::string& error) {
    out.clear();
    const bool ok = each_row(text, {"prefix", "country", "agency"}, error, [&](const auto& f) {
        if (f[0].empty()) return true;
        std::string prefix(f[0]);
        for (char& c : prefix) c = ov::to_upper_ascii(c);
        out.insert_or_assign(std::move(prefix), Isil{std::string(f[1]), std::string(f[2])});
        return true;
    });
    return ok ? out.size() : 0;
}

const std::string* mac_vendor(const MacBlocks& t, std::string_view hex12, unsigned& digits) noexcept {
    for (unsigned n : {9u, 7u, 6u}) {
        std::uint64_t v = 0;
        if (hex12.size() < n || !hex_value(hex12.substr(0, n), v)) continue;
        const auto it = t.blocks.find(mac_key(n, v));
        if (it != t.blocks.end()) {
            digits = n;
            return &t.vendors[it->second];
        }
    }
    digits = 0;
    return nullptr;
}

}  // namespace ovf
