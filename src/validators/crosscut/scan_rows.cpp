// Scan rows of the crosscut set (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    // The AIs and their formats are checked, the check digits only where
    // an element carries one. Text is searched for the element strings
    // that start with an SSCC or a GTIN, written as plain digits (the
    // written form's brackets end a word for the finder).
    {.id = "gs1_128", .evidence = Evidence::Component, .pattern = R"((?:00\d{18}|0[123]\d{14})\d{0,40})"},
    // Category and group letters only.
    {.id = "cfi", .evidence = Evidence::Shape},
    // The national kinds decide; some have a check digit, some not.
    {.id = "vat", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> crosscut_scan_rows() { return kRows; }

}  // namespace ov
