// Scan rows of the europe set (see validators/scan_rows.h).
#include "validators/scan_rows.h"

namespace ov {

namespace {
constexpr ScanRow kRows[] = {
    {.id = "be.eid", .evidence = Evidence::Checksum},
    {.id = "be.ogm_vcs", .evidence = Evidence::Checksum},
    {.id = "be.ssn", .evidence = Evidence::Checksum},
    {.id = "ch.esr", .evidence = Evidence::Checksum},
    {.id = "de.leitweg", .evidence = Evidence::Checksum},
    // No check digit: six letters or digits are words as often as numbers.
    // Written "WKN 514000" as often as bare.
    {.id = "de.wkn", .evidence = Evidence::Shape, .pattern = R"(WKN[0-9A-HJ-NP-Z]{6})"},
    // The control letter's rule is not published.
    {.id = "es.cae", .evidence = Evidence::Shape},
    {.id = "es.ccc", .evidence = Evidence::Checksum},
    {.id = "es.cups", .evidence = Evidence::Checksum},
    {.id = "es.referenciacatastral", .evidence = Evidence::Checksum},
    {.id = "eu.at_02", .evidence = Evidence::Checksum},
    // A check modulo 9 passes one value in nine (and the shape is an ISIN's).
    {.id = "eu.banknote", .evidence = Evidence::Component},
    {.id = "eu.eic", .evidence = Evidence::Checksum},
    // Only the member state's code is checked.
    // A member state's code, then digits first: "ATIN 912-93-4567" is a
    // label and a number, not an excise number.
    {.id = "eu.excise", .evidence = Evidence::Component, .pattern = R"([A-Z]{2}\d[0-9A-Z]{10})"},
    {.id = "eu.oss", .evidence = Evidence::Component},
    // Written with a dot before the last three digits; bare short numbers
    // are everywhere.
    {.id = "fi.associationid", .evidence = Evidence::Shape},
    {.id = "fi.veronumero", .evidence = Evidence::Shape},
    {.id = "fo.vn", .evidence = Evidence::Shape},
    {.id = "fr.accise", .evidence = Evidence::Shape},
    // The SIREN's Luhn digit.
    {.id = "fr.rcs", .evidence = Evidence::Checksum},
    {.id = "gb.upn", .evidence = Evidence::Checksum},
    {.id = "nl.brin", .evidence = Evidence::Shape},
    {.id = "nl.identiteitskaartnummer", .evidence = Evidence::Shape},
    {.id = "nl.onderwijsnummer", .evidence = Evidence::Checksum},
    // County code and year of registration.
    {.id = "ro.onrc", .evidence = Evidence::Component},
    {.id = "si.maticna", .evidence = Evidence::Checksum},
    // One or two digits are no evidence of anything.
    {.id = "sm.coe", .evidence = Evidence::Shape, .pattern = R"(\d{3,5})"},
    {.id = "no.kontonr", .evidence = Evidence::Checksum},
    {.id = "hr.oib", .evidence = Evidence::Checksum},
    // Two to ten digits, but businesses hold six or more: shorter runs are
    // amounts and counts far more often.
    {.id = "ro.cui", .evidence = Evidence::Checksum, .pattern = R"((?:RO)?[1-9]\d{5,9})"},
};
}  // namespace

std::span<const ScanRow> europe_scan_rows() { return kRows; }

}  // namespace ov
