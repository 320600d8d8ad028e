// The registry tables that describe() reads: ISBN ranges, mobile network
// codes, MAC address blocks and ISIL agencies, parsed from the registries'
// TSV files (a header line naming the columns, `#` lines before it) into
// lookups. Plain C++.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "validators/extended/isbn_ranges.h"

namespace ovf {

struct IsbnRanges {
    std::deque<std::string> strings;  // the group and agency texts the groups view
    std::vector<ov::extended::IsbnRange> ranges;
    std::vector<ov::extended::IsbnGroup> groups;
    ov::extended::IsbnTable table() const noexcept { return {ranges, groups}; }
};

struct Network {
    std::string mcc, mnc, country_code, country, op, brand;
};

struct Isil {
    std::string country, agency;
};

struct MacBlocks {
    // (hex digits << 40 | prefix value) -> index into vendors
    std::unordered_map<std::uint64_t, std::uint32_t> blocks;
    std::vector<std::string> vendors;
};

// Each parser fills `out` from the text of a file and returns the number of
// rows, or sets `error` (and leaves `out` unusable) for text that is not
// such a table.
std::size_t parse_isbn_ranges(std::string_view text, IsbnRanges& out, std::string& error);
std::size_t parse_networks(std::string_view text, std::unordered_map<std::string, Network>& out, std::string& error);
std::size_t parse_mac_blocks(std::string_view text, MacBlocks& out, std::string& error);
std::size_t parse_isil(std::string_view text, std::unordered_map<std::string, Isil>& out, std::string& error);

// The vendor of the longest assigned block that holds a MAC address given
// as twelve upper-case hex digits, and that block's digits (9, 7 or 6); 0
// when none.
const std::string* mac_vendor(const MacBlocks& t, std::string_view hex12, unsigned& digits) noexcept;

}  // namespace ovf
