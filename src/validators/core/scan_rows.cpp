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
    {.id = "iban", .evidence = Evidence::Checksum},
    {.id = "isin", .evidence = Evidence::Checksum},
    {.id = "lei", .evidence = Evidence::Checksum},
    {.id = "luhn", .evidence = Evidence::Checksum},
    {.id = "us.ein", .evidence = Evidence::Component},
};
}  // namespace

std::span<const ScanRow> core_scan_rows() { return kRows; }

}  // namespace ov
