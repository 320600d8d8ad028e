// Scan rows of this folder's records: what the text finder weighs for
// each id (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "at.businessid", .evidence = Evidence::Shape},
    {.id = "au.abn", .evidence = Evidence::Checksum},
    {.id = "bic", .evidence = Evidence::Shape},
    {.id = "br.cpf", .evidence = Evidence::Checksum},
    {.id = "creditcard", .evidence = Evidence::Checksum},
    {.id = "crypto.btcbase58", .evidence = Evidence::Checksum},
    {.id = "crypto.btcbech32", .evidence = Evidence::Checksum},
    {.id = "crypto.eth", .evidence = Evidence::Component},
    {.id = "crypto.wallet", .evidence = Evidence::Checksum},
    {.id = "cz.bankaccount", .evidence = Evidence::Checksum},
    {.id = "es.dni", .evidence = Evidence::Checksum},
    // From 15 characters (Norway) and 16 (Belgium): the stored pattern
    // starts at 17.
    {.id = "iban", .evidence = Evidence::Checksum,
     .pattern = R"([A-Z]{2}\d{2}[\s]?[A-Z0-9]{4}[\s]?(?:[A-Z0-9]{4}[\s]?){1,7}[A-Z0-9]{1,4})"},
    {.id = "isin", .evidence = Evidence::Checksum},
    {.id = "lei", .evidence = Evidence::Checksum},
    {.id = "luhn", .evidence = Evidence::Checksum},
    {.id = "us.ein", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> core_scan_rows() { return kRows; }

}  // namespace ov
