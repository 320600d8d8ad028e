// Scan rows of the world set (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "ca.bc_phn", .evidence = Evidence::Checksum},
    // Class and type from the register's list; no check digit.
    {.id = "cr.cpj", .evidence = Evidence::Component},
    {.id = "cr.cr", .evidence = Evidence::Shape},
    {.id = "do.cedula", .evidence = Evidence::Checksum},
    {.id = "do.ncf", .evidence = Evidence::Component},
    {.id = "ec.ci", .evidence = Evidence::Checksum},
    // Eight digits alone carry no check character.
    {.id = "pe.cui", .evidence = Evidence::Shape},
    {.id = "py.ruc", .evidence = Evidence::Checksum},
    {.id = "sv.nit", .evidence = Evidence::Checksum},
    {.id = "us.atin", .evidence = Evidence::Component},
    {.id = "us.ptin", .evidence = Evidence::Shape},
    {.id = "dz.nif", .evidence = Evidence::Shape},
    {.id = "gn.nifp", .evidence = Evidence::Checksum},
    {.id = "ke.pin", .evidence = Evidence::Shape},
    {.id = "mu.nid", .evidence = Evidence::Checksum},
    {.id = "mz.nuit", .evidence = Evidence::Checksum},
    {.id = "sn.ninea", .evidence = Evidence::Checksum},
    {.id = "tn.mf", .evidence = Evidence::Component},
    {.id = "za.tin", .evidence = Evidence::Checksum},
    // Region codes and a date of birth; no check digit.
    {.id = "id.nik", .evidence = Evidence::Component},
    {.id = "il.hp", .evidence = Evidence::Checksum},
    {.id = "in.epic", .evidence = Evidence::Checksum},
    {.id = "in.vid", .evidence = Evidence::Checksum},
    // Written "OM1100001234": the country code is part of the pattern.
    {.id = "om.vat", .evidence = Evidence::Shape},
    {.id = "th.moa", .evidence = Evidence::Checksum},
    {.id = "th.pin", .evidence = Evidence::Checksum},
    {.id = "it.aic", .evidence = Evidence::Checksum},
    {.id = "ru.ogrn", .evidence = Evidence::Checksum},
    {.id = "ua.rntrc", .evidence = Evidence::Checksum},
    // Algorithm X banks carry no check: only bank and branch are sure.
    {.id = "nz.bankaccount", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> world_scan_rows() { return kRows; }

}  // namespace ov
