// English one-line descriptions, held apart from the records and consulted
// only when metadata is built.
#include <algorithm>
#include <iterator>
#include <utility>

#include "registry/registry.h"

namespace ov {

namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Sorted by id in byte order (checked at compile time below).
constexpr Entry kDescriptions[] = {
    {"ae.eid", "15-digit identity number issued to UAE residents"},
    {"ai.tin", "Anguilla tax number issued by the Inland Revenue Department"},
    {"bd.nid", "National identity number issued by the Bangladesh Election Commission"},
    {"bh.cpr", "9-digit personal identification number"},
    {"bz.tin", "Belize tax number issued by the Belize Tax Service Department"},
    {"cn.ric", "18-character national ID encoding area, birth date, gender, and check digit"},
    {"cn.uscc", "18-character tax/registration code for Chinese entities"},
    {"co.nit", "Tax identifier issued by the DIAN"},
    {"cz.bankaccount", "National-format account number with modulo-11 checks and a ČNB-assigned bank code"},
    {"cz.ico", "8-digit company ID assigned by the Czech Statistical Office"},
    {"cz.rc", "Czech/Slovak national identifier encoding birth date and gender"},
    {"de.stnr", "German tax number assigned by the local tax office, varies by federal state"},
    {"de.svnr", "German social insurance number encoding birth date and name initial"},
    {"de.vat", "German VAT ID issued by the Federal Tax Office (BZSt)"},
    {"ec.ruc", "13-digit tax identification number issued by the SRI"},
    {"eg.tn", "Egyptian tax identification number"},
    {"es.nss", "Spanish Social Security affiliation number with mod-97 check digits"},
    {"fr.nir", "French social security number encoding gender, birth date, and department"},
    {"gb.nino", "UK National Insurance Number for tax and benefits"},
    {"gh.tin", "Ghanaian tax identification number"},
    {"gt.nit", "Tax identifier issued by Guatemala's SAT"},
    {"hk.hkid", "Identity card number issued by the Hong Kong Immigration Department"},
    {"iban", "International bank account number per ISO 13616"},
    {"id.npwp", "15 or 16-digit tax identification number issued by the Directorate General of Taxes"},
    {"il.idnr", "Israeli personal identification number (Mispar Zehut)"},
    {"in.aadhaar", "12-digit unique identity number issued by UIDAI"},
    {"in.gstin", "15-character tax identifier for GST-registered businesses"},
    {"in.pan", "10-character alphanumeric tax identifier"},
    {"iq.nid", "Iraqi personal identification number (National Card)"},
    {"ir.nid", "Iranian personal identification number (Code Melli)"},
    {"it.codiceFiscale", "Personal/company tax code (16-char personal, 11-digit company)"},
    {"jp.cn", "13-digit corporate identifier assigned by the National Tax Agency"},
    {"jp.mynumber", "12-digit personal identifier for tax and social security"},
    {"kr.brn", "10-digit business identifier issued by the National Tax Service"},
    {"kr.rrn", "13-digit personal identifier issued to all residents of South Korea"},
    {"kw.civil", "12-digit civil identification number issued by PACI"},
    {"lk.nic", "Sri Lankan personal identity number issued to all citizens"},
    {"ma.ice", "Moroccan common enterprise identifier"},
    {"mu.brn", "Mauritius business registration number issued by the CBRD"},
    {"my.nric", "12-digit identity card number encoding birth date, place of birth, and gender"},
    {"ng.nin", "11-digit national identity number issued by NIMC"},
    {"ni.ruc", "Tax identifier issued by Nicaragua's DGI"},
    {"nz.ird", "New Zealand Inland Revenue Department number"},
    {"pa.ruc", "Tax identifier issued by Panama's DGI"},
    {"ph.philid", "12-digit personal identifier issued under the Philippine Identification System"},
    {"pk.cnic", "13-digit identity card number issued by NADRA"},
    {"pt.cc", "Alphanumeric national identity card number with Luhn-like check digit"},
    {"sg.uen", "9 or 10-character business identifier issued by ACRA"},
    {"th.tin", "13-digit tax identifier for individuals and companies"},
    {"tw.ubn", "8-digit company identifier issued by the Ministry of Economic Affairs"},
    {"vn.mst", "10- or 13-digit tax identifier for enterprises"},
    {"za.idnr", "South African personal identification number"},
};

static_assert(std::size(kDescriptions) == 52);
static_assert(std::is_sorted(std::begin(kDescriptions), std::end(kDescriptions),
                             [](const Entry& a, const Entry& b) { return a.first < b.first; }));

}  // namespace

std::optional<std::string_view> description_of(std::string_view id) noexcept {
    auto it = std::lower_bound(std::begin(kDescriptions), std::end(kDescriptions), id,
                               [](const Entry& e, std::string_view key) { return e.first < key; });
    if (it != std::end(kDescriptions) && it->first == id) return it->second;
    return std::nullopt;
}

}  // namespace ov
