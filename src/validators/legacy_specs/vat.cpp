// Placeholder: the VAT-number predicates are not built yet; every check fails.
#include "validators/legacy_specs/checks.h"

namespace ov::legacy {

bool at_uid_check(std::string_view) { return false; }
bool be_vat_check(std::string_view) { return false; }
bool bg_vat_check(std::string_view) { return false; }
bool cy_vat_check(std::string_view) { return false; }
bool cz_dic_check(std::string_view) { return false; }
bool de_vat_check(std::string_view) { return false; }
bool dk_vat_check(std::string_view) { return false; }
bool ee_vat_check(std::string_view) { return false; }
bool es_vat_check(std::string_view) { return false; }
bool fi_vat_check(std::string_view) { return false; }
bool fr_tva_check(std::string_view) { return false; }
bool gb_vat_check(std::string_view) { return false; }
bool gr_vat_check(std::string_view) { return false; }
bool hr_vat_check(std::string_view) { return false; }
bool hu_vat_check(std::string_view) { return false; }
bool ie_vat_check(std::string_view) { return false; }
bool it_iva_check(std::string_view) { return false; }
bool lt_vat_check(std::string_view) { return false; }
bool lu_vat_check(std::string_view) { return false; }
bool lv_vat_check(std::string_view) { return false; }
bool mt_vat_check(std::string_view) { return false; }
bool nl_vat_check(std::string_view) { return false; }
bool no_mva_check(std::string_view) { return false; }
bool pl_nip_check(std::string_view) { return false; }
bool pt_vat_check(std::string_view) { return false; }
bool ro_vat_check(std::string_view) { return false; }
bool si_vat_check(std::string_view) { return false; }
bool sk_dic_check(std::string_view) { return false; }

}  // namespace ov::legacy
