// Sampling rows of the additional set A-M: the EU VAT router draws a member
// state's own VAT number behind the state's prefix, so that every state
// appears, not only those of its examples.
#include "data/sample_rows.h"

namespace ov {

namespace {

// Member states, their VAT prefix (Greece's is EL) and the national id.
constexpr SampleRoute kEuVatRoutes[] = {
    {"AT", "AT", "at.uid"}, {"BE", "BE", "be.vat"}, {"BG", "BG", "bg.vat"}, {"CY", "CY", "cy.vat"},
    {"CZ", "CZ", "cz.dic"}, {"DE", "DE", "de.vat"}, {"DK", "DK", "dk.vat"}, {"EE", "EE", "ee.vat"},
    {"ES", "ES", "es.vat"}, {"FI", "FI", "fi.vat"}, {"FR", "FR", "fr.tva"}, {"GR", "EL", "gr.vat"},
    {"HR", "HR", "hr.vat"}, {"HU", "HU", "hu.vat"}, {"IE", "IE", "ie.vat"}, {"IT", "IT", "it.iva"},
    {"LT", "LT", "lt.vat"}, {"LU", "LU", "lu.vat"}, {"LV", "LV", "lv.vat"}, {"MT", "MT", "mt.vat"},
    {"NL", "NL", "nl.vat"}, {"PL", "PL", "pl.nip"}, {"PT", "PT", "pt.vat"}, {"RO", "RO", "ro.vat"},
    {"SE", "SE", "se.vat"}, {"SI", "SI", "si.vat"}, {"SK", "SK", "sk.dic"},
};

constexpr SampleRow kRows[] = {
    {.id = "eu.vat", .routes = kEuVatRoutes},
};

}  // namespace

std::span<const SampleRow> additional_a_m_sample_rows() noexcept { return kRows; }

}  // namespace ov
