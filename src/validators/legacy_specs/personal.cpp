// Placeholder: the personal-identifier predicates are not built yet; every check fails.
#include "validators/legacy_specs/checks.h"

namespace ov::legacy {

bool be_nn_check(std::string_view) { return false; }
bool cn_ric_check(std::string_view) { return false; }
bool cz_rc_check(std::string_view) { return false; }
bool dk_cpr_check(std::string_view) { return false; }
bool ee_ik_check(std::string_view) { return false; }
bool fi_hetu_check(std::string_view) { return false; }
bool fr_nir_check(std::string_view) { return false; }
bool it_codice_fiscale_check(std::string_view) { return false; }
bool lt_asmens_check(std::string_view) { return false; }
bool pl_pesel_check(std::string_view) { return false; }
bool ro_cnp_check(std::string_view) { return false; }
bool se_personnummer_check(std::string_view) { return false; }
bool de_idnr_check(std::string_view) { return false; }
bool es_nie_check(std::string_view) { return false; }
bool gb_nhs_check(std::string_view) { return false; }
bool gb_nino_check(std::string_view) { return false; }
bool ie_pps_check(std::string_view) { return false; }
bool pt_cc_check(std::string_view) { return false; }
std::optional<ParsedData> cn_ric_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> cz_rc_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> dk_cpr_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> ee_ik_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> fi_hetu_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> fr_nir_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> it_codice_fiscale_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> pl_pesel_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> ro_cnp_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> se_personnummer_parse(std::string_view) { return std::nullopt; }

}  // namespace ov::legacy
