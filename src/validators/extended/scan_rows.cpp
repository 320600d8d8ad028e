// Scan rows of the extended records: what the text finder weighs for each
// id (see validators/scan_rows.h). One row per record of extended_set().
#include "validators/scan_rows.h"

#include <iterator>
#include <vector>

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "casrn", .evidence = Evidence::Checksum},
    {.id = "cusip", .evidence = Evidence::Checksum},
    {.id = "ean", .evidence = Evidence::Checksum},
    {.id = "eu.ecnumber", .evidence = Evidence::Checksum},
    {.id = "figi", .evidence = Evidence::Checksum},
    {.id = "grid", .evidence = Evidence::Checksum},
    // Only the 15-digit IMEI carries a check digit; any 16 digits pass as an IMEISV.
    {.id = "imei", .evidence = Evidence::Component},
    // Written "IMO 9074729": the stored pattern lacks the prefix; bare
    // seven digits count one step weaker.
    {.id = "imo", .evidence = Evidence::Checksum, .pattern = R"(IMO\d{7})"},
    // Only a decimal MEID carries a check digit.
    {.id = "meid", .evidence = Evidence::Component},
    {.id = "imsi", .evidence = Evidence::Shape},
    {.id = "isan", .evidence = Evidence::Checksum},
    {.id = "isbn", .evidence = Evidence::Checksum},
    {.id = "isil", .evidence = Evidence::Shape},
    {.id = "ismn", .evidence = Evidence::Checksum},
    {.id = "isni", .evidence = Evidence::Checksum},
    {.id = "iso11649", .evidence = Evidence::Checksum},
    {.id = "iso6346", .evidence = Evidence::Checksum},
    {.id = "isrc", .evidence = Evidence::Shape},
    {.id = "issn", .evidence = Evidence::Checksum},
    {.id = "mac", .evidence = Evidence::Shape},
    {.id = "orcid", .evidence = Evidence::Checksum},
    // Only North American VINs carry the check digit in position 9.
    {.id = "vin", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> extended_scan_rows() {
    static const std::vector<ScanRow> all = [] {
        std::vector<ScanRow> v(std::begin(kRows), std::end(kRows));
        for (auto rows : {europe_scan_rows(), world_scan_rows(), personal_scan_rows(), crosscut_scan_rows()})
            v.insert(v.end(), rows.begin(), rows.end());
        return v;
    }();
    return all;
}

}  // namespace ov
