// How the text finder treats each validator: the evidence its validate
// operation weighs, and, where the stored candidate pattern disagrees with
// the validator's own checks, the pattern to scan with instead. Each set
// folder keeps the rows of its own records in scan_rows.cpp; the stored
// metadata stays as it is.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ov {

// Ordered from weakest to strongest.
enum class Evidence : std::uint8_t {
    Shape = 0,      // length and character classes only: any run of the right shape passes
    Component = 1,  // a date, a region code or another component rule
    Checksum = 2,   // a check digit (or check letters) over the whole number
};

struct ScanRow {
    std::string_view id;
    Evidence evidence;
    // Replaces the record's candidate_pattern for scanning; empty: use the record's.
    std::string_view pattern = {};
};

std::span<const ScanRow> core_scan_rows();
std::span<const ScanRow> legacy_scan_rows();
std::span<const ScanRow> additional_a_m_scan_rows();
std::span<const ScanRow> additional_n_z_scan_rows();
std::span<const ScanRow> extended_scan_rows();  // every extended kind, the sets below included
std::span<const ScanRow> europe_scan_rows();
std::span<const ScanRow> world_scan_rows();
std::span<const ScanRow> personal_scan_rows();
std::span<const ScanRow> crosscut_scan_rows();

}  // namespace ov
