// Placeholder: the business-number predicates are not built yet; every check fails.
#include "validators/legacy_specs/checks.h"

namespace ov::legacy {

bool at_tin_check(std::string_view) { return false; }
bool au_acn_check(std::string_view) { return false; }
bool br_cnpj_check(std::string_view) { return false; }
bool ch_uid_check(std::string_view) { return false; }
bool de_stnr_check(std::string_view) { return false; }
bool de_svnr_check(std::string_view) { return false; }
bool es_cif_check(std::string_view) { return false; }
bool es_nss_check(std::string_view) { return false; }
bool fi_ytunnus_check(std::string_view) { return false; }
bool fr_siren_check(std::string_view) { return false; }
bool fr_siret_check(std::string_view) { return false; }
bool no_orgnr_check(std::string_view) { return false; }
bool us_rtn_check(std::string_view) { return false; }
std::string de_stnr_format(std::string_view c) { return std::string(c); }

}  // namespace ov::legacy
