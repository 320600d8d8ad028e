// Check predicates and birth-data extraction of the legacy set, one per id.
//
// A predicate takes the compact value (the set's compaction has run) and
// answers whether it is a valid number of its kind. It never throws and
// accepts any bytes. A parser runs on a compact value that has already
// validated and returns nothing when the birth data cannot be read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "registry/outcome.h"

namespace ov::legacy {

// ---- Personal identifiers with birth data (personal*.cpp) -------------------
bool be_nn_check(std::string_view c);
bool cn_ric_check(std::string_view c);
bool cz_rc_check(std::string_view c);
bool dk_cpr_check(std::string_view c);
bool ee_ik_check(std::string_view c);
bool fi_hetu_check(std::string_view c);
bool fr_nir_check(std::string_view c);
bool it_codice_fiscale_check(std::string_view c);
bool lt_asmens_check(std::string_view c);
bool pl_pesel_check(std::string_view c);
bool ro_cnp_check(std::string_view c);
bool se_personnummer_check(std::string_view c);
bool de_idnr_check(std::string_view c);
bool es_nie_check(std::string_view c);
bool gb_nhs_check(std::string_view c);
bool gb_nino_check(std::string_view c);
bool ie_pps_check(std::string_view c);
bool pt_cc_check(std::string_view c);

std::optional<ParsedData> cn_ric_parse(std::string_view c);
std::optional<ParsedData> cz_rc_parse(std::string_view c);
std::optional<ParsedData> dk_cpr_parse(std::string_view c);
std::optional<ParsedData> ee_ik_parse(std::string_view c);
std::optional<ParsedData> fi_hetu_parse(std::string_view c);
std::optional<ParsedData> fr_nir_parse(std::string_view c);
std::optional<ParsedData> it_codice_fiscale_parse(std::string_view c);
std::optional<ParsedData> pl_pesel_parse(std::string_view c);
std::optional<ParsedData> ro_cnp_parse(std::string_view c);
std::optional<ParsedData> se_personnummer_parse(std::string_view c);

// ---- Business, tax and bank numbers (business*.cpp) -------------------------
bool at_tin_check(std::string_view c);
bool au_acn_check(std::string_view c);
bool br_cnpj_check(std::string_view c);
bool ch_uid_check(std::string_view c);
bool de_stnr_check(std::string_view c);
bool de_svnr_check(std::string_view c);
bool es_cif_check(std::string_view c);
bool es_nss_check(std::string_view c);
bool fi_ytunnus_check(std::string_view c);
bool fr_siren_check(std::string_view c);
bool fr_siret_check(std::string_view c);
bool no_orgnr_check(std::string_view c);
bool us_rtn_check(std::string_view c);

// The control digit (0-9) of the seven digits of a Spanish company tax id.
int es_cif_control_digit(std::string_view body) noexcept;

// Display form of a compact German tax number: its state layout's groups
// joined by '/'.
std::string de_stnr_format(std::string_view c);

// ---- VAT and VAT-like numbers (vat*.cpp) --------------------------------------
bool at_uid_check(std::string_view c);
bool be_vat_check(std::string_view c);
bool bg_vat_check(std::string_view c);
bool cy_vat_check(std::string_view c);
bool cz_dic_check(std::string_view c);
bool de_vat_check(std::string_view c);
bool dk_vat_check(std::string_view c);
bool ee_vat_check(std::string_view c);
bool es_vat_check(std::string_view c);
bool fi_vat_check(std::string_view c);
bool fr_tva_check(std::string_view c);
bool gb_vat_check(std::string_view c);
bool gr_vat_check(std::string_view c);
bool hr_vat_check(std::string_view c);
bool hu_vat_check(std::string_view c);
bool ie_vat_check(std::string_view c);
bool it_iva_check(std::string_view c);
bool lt_vat_check(std::string_view c);
bool lu_vat_check(std::string_view c);
bool lv_vat_check(std::string_view c);
bool mt_vat_check(std::string_view c);
bool nl_vat_check(std::string_view c);
bool no_mva_check(std::string_view c);
bool pl_nip_check(std::string_view c);
bool pt_vat_check(std::string_view c);
bool ro_vat_check(std::string_view c);
bool si_vat_check(std::string_view c);
bool sk_dic_check(std::string_view c);

}  // namespace ov::legacy
