// Scan rows of this folder's records: what the text finder weighs for
// each id (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "ng.nin", .evidence = Evidence::Shape},
    {.id = "ni.ruc", .evidence = Evidence::Checksum, .pattern = R"([JKME]\d{13}|\d{13}[A-Z])"},
    {.id = "nl.bsn", .evidence = Evidence::Checksum},
    {.id = "nl.kvk", .evidence = Evidence::Shape},
    {.id = "no.fodselsnummer", .evidence = Evidence::Checksum},
    {.id = "nz.ird", .evidence = Evidence::Checksum},
    {.id = "pa.ruc", .evidence = Evidence::Checksum, .pattern = R"([\dA-Z]{1,8}(?:-[\dA-Z]{1,8}){1,3}(?: ?DV ?\d{1,2})?)"},
    {.id = "pe.ruc", .evidence = Evidence::Checksum},
    {.id = "ph.philid", .evidence = Evidence::Shape, .pattern = R"(\d{12}|\d{16})"},
    {.id = "pk.cnic", .evidence = Evidence::Component},
    {.id = "pl.regon", .evidence = Evidence::Checksum},
    {.id = "rs.pib", .evidence = Evidence::Checksum},
    {.id = "ru.inn", .evidence = Evidence::Checksum},
    {.id = "se.orgnr", .evidence = Evidence::Checksum},
    {.id = "se.vat", .evidence = Evidence::Checksum},
    {.id = "sg.uen", .evidence = Evidence::Checksum, .pattern = R"(\d{8,9}[A-Z]|[RST]\d{2}[A-Z]{2}\d{4}[A-Z])"},
    {.id = "si.emso", .evidence = Evidence::Checksum},
    {.id = "sk.ico", .evidence = Evidence::Checksum},
    {.id = "sk.rc", .evidence = Evidence::Checksum},
    {.id = "th.tin", .evidence = Evidence::Checksum},
    {.id = "tr.tckimlik", .evidence = Evidence::Checksum},
    {.id = "tr.vkn", .evidence = Evidence::Checksum},
    {.id = "tw.ubn", .evidence = Evidence::Checksum},
    {.id = "ua.edrpou", .evidence = Evidence::Checksum},
    {.id = "us.itin", .evidence = Evidence::Component},
    {.id = "us.ssn", .evidence = Evidence::Component},
    {.id = "uy.rut", .evidence = Evidence::Checksum},
    {.id = "ve.rif", .evidence = Evidence::Checksum},
    {.id = "vn.mst", .evidence = Evidence::Checksum},
    {.id = "za.idnr", .evidence = Evidence::Checksum},
};
}  // namespace

std::span<const ScanRow> additional_n_z_scan_rows() { return kRows; }

}  // namespace ov
