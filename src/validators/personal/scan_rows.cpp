// Scan rows of the personal set (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    // Also written after the card issuer prefix 80840, which compaction drops.
    {.id = "us.npi", .evidence = Evidence::Checksum, .pattern = R"((?:80840)?[12]\d{9})"},
    {.id = "us.dea", .evidence = Evidence::Checksum},
    // No check character: the positions' letter and digit classes only.
    {.id = "us.mbi", .evidence = Evidence::Shape},
    {.id = "au.medicare", .evidence = Evidence::Checksum},
    {.id = "sg.nric", .evidence = Evidence::Checksum},
    {.id = "tw.nid", .evidence = Evidence::Checksum},
    {.id = "nz.nhi", .evidence = Evidence::Checksum},
    {.id = "pl.idcard", .evidence = Evidence::Checksum},
    // Document numbers begin with the authority's letter; ten bare digits
    // pass the check one time in ten.
    {.id = "de.idcard", .evidence = Evidence::Checksum, .pattern = R"([CFGHJ-NPRTV-Z][0-9CFGHJ-NPRTV-Z]{8}\d)"},
};
}  // namespace

std::span<const ScanRow> personal_scan_rows() { return kRows; }

}  // namespace ov
