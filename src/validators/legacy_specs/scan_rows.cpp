// Scan rows of this folder's records: what the text finder weighs for
// each id (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "at.tin", .evidence = Evidence::Checksum},
    {.id = "at.uid", .evidence = Evidence::Checksum},
    {.id = "au.acn", .evidence = Evidence::Checksum},
    {.id = "be.nn", .evidence = Evidence::Checksum},
    {.id = "be.vat", .evidence = Evidence::Checksum},
    {.id = "bg.vat", .evidence = Evidence::Checksum},
    {.id = "br.cnpj", .evidence = Evidence::Checksum, .pattern = R"([\dA-Z]{2}\.?[\dA-Z]{3}\.?[\dA-Z]{3}/?[\dA-Z]{4}-?\d{2})"},
    {.id = "ch.uid", .evidence = Evidence::Checksum},
    {.id = "cn.ric", .evidence = Evidence::Checksum},
    {.id = "cy.vat", .evidence = Evidence::Checksum},
    {.id = "cz.dic", .evidence = Evidence::Checksum},
    {.id = "cz.rc", .evidence = Evidence::Checksum},
    {.id = "de.idnr", .evidence = Evidence::Checksum},
    {.id = "de.stnr", .evidence = Evidence::Shape},
    {.id = "de.svnr", .evidence = Evidence::Checksum},
    {.id = "de.vat", .evidence = Evidence::Checksum},
    {.id = "dk.cpr", .evidence = Evidence::Component},
    {.id = "dk.vat", .evidence = Evidence::Checksum},
    {.id = "ee.ik", .evidence = Evidence::Checksum},
    {.id = "ee.vat", .evidence = Evidence::Checksum},
    {.id = "es.cif", .evidence = Evidence::Checksum},
    {.id = "es.nie", .evidence = Evidence::Checksum},
    {.id = "es.nss", .evidence = Evidence::Checksum},
    {.id = "es.vat", .evidence = Evidence::Checksum, .pattern = R"(ES[A-Z\d]\d{7}[A-Z\d])"},
    {.id = "fi.hetu", .evidence = Evidence::Checksum},
    {.id = "fi.vat", .evidence = Evidence::Checksum},
    {.id = "fi.ytunnus", .evidence = Evidence::Checksum},
    {.id = "fr.nir", .evidence = Evidence::Checksum},
    {.id = "fr.siren", .evidence = Evidence::Checksum},
    {.id = "fr.siret", .evidence = Evidence::Checksum},
    {.id = "fr.tva", .evidence = Evidence::Checksum},
    {.id = "gb.nhs", .evidence = Evidence::Checksum},
    {.id = "gb.nino", .evidence = Evidence::Component},
    {.id = "gb.vat", .evidence = Evidence::Checksum},
    {.id = "gr.vat", .evidence = Evidence::Checksum},
    {.id = "hr.vat", .evidence = Evidence::Checksum},
    {.id = "hu.vat", .evidence = Evidence::Checksum, .pattern = R"(\d{8})"},
    {.id = "ie.pps", .evidence = Evidence::Checksum},
    {.id = "ie.vat", .evidence = Evidence::Checksum, .pattern = R"(IE\d[\dA-Z+*]\d{5}[A-Z]{1,2})"},
    {.id = "it.codiceFiscale", .evidence = Evidence::Checksum},
    {.id = "it.iva", .evidence = Evidence::Checksum},
    {.id = "lt.asmens", .evidence = Evidence::Checksum, .pattern = R"(\d{11})"},
    {.id = "lt.vat", .evidence = Evidence::Checksum},
    {.id = "lu.vat", .evidence = Evidence::Checksum},
    {.id = "lv.vat", .evidence = Evidence::Checksum},
    {.id = "mt.vat", .evidence = Evidence::Checksum},
    {.id = "nl.vat", .evidence = Evidence::Checksum},
    {.id = "no.mva", .evidence = Evidence::Checksum},
    {.id = "no.orgnr", .evidence = Evidence::Checksum},
    {.id = "pl.nip", .evidence = Evidence::Checksum},
    {.id = "pl.pesel", .evidence = Evidence::Checksum},
    // The version field holds letters or digits.
    {.id = "pt.cc", .evidence = Evidence::Checksum, .pattern = R"(\d{8}\s?\d\s?[A-Z0-9]{2}\d)"},
    {.id = "pt.vat", .evidence = Evidence::Checksum},
    {.id = "ro.cnp", .evidence = Evidence::Checksum, .pattern = R"(\d{13})"},
    {.id = "ro.vat", .evidence = Evidence::Checksum},
    {.id = "se.personnummer", .evidence = Evidence::Checksum},
    {.id = "si.vat", .evidence = Evidence::Checksum},
    {.id = "sk.dic", .evidence = Evidence::Checksum},
    {.id = "us.rtn", .evidence = Evidence::Checksum},
};
}  // namespace

std::span<const ScanRow> legacy_scan_rows() { return kRows; }

}  // namespace ov
