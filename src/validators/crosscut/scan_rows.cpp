// Scan rows of the crosscut set (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    // The AIs and their formats are checked, the check digits only where
    // an element carries one.
    {.id = "gs1_128", .evidence = Evidence::Component},
    // Category and group letters only.
    {.id = "cfi", .evidence = Evidence::Shape},
    // The national kinds decide; some have a check digit, some not.
    {.id = "vat", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> crosscut_scan_rows() { return kRows; }

}  // namespace ov
