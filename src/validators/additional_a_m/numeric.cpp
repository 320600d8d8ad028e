// Placeholder: the numeric checks are not built yet; every check fails with format.
#include "validators/additional_a_m/checks.h"

namespace ov::am {

Verdict ae_eid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ar_cbu_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ar_cuit_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict au_tfn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict az_voen_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict bg_pnf_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ca_sin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict co_nit_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict dk_cvr_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict do_rnc_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ec_ruc_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ee_registrikood_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict fr_nif_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict gb_utr_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict id_npwp_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict il_idnr_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict in_aadhaar_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ir_nid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict jp_cn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict jp_mynumber_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ma_ice_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict md_idno_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict me_pib_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mk_edb_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mx_clabe_check(std::string_view) { return ErrorCode::InvalidFormat; }

}  // namespace ov::am
