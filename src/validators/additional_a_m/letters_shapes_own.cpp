// Placeholder: the letter, shape, router and own-routine checks are not built yet; every check fails with format.
#include "validators/additional_a_m/checks.h"

namespace ov::am {

Verdict by_unp_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ca_bn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict cl_rut_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict cn_uscc_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict gb_sedol_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict gh_tin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict gt_nit_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict hk_hkid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict in_gstin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mc_tva_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mx_rfc_check(std::string_view) { return ErrorCode::InvalidFormat; }
PrecheckOutcome cl_rut_precheck(std::string_view) { return PrecheckOutcome::undecided(); }
Verdict ad_nrt_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ai_tin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict al_nipt_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict am_tin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ar_dni_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict bd_nid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict bh_cpr_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict bz_tin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict cr_cpf_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict eg_tn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict ge_pin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict in_pan_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict iq_nid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict is_vsk_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict kr_brn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict li_peid_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mu_brn_check(std::string_view) { return ErrorCode::InvalidFormat; }
ValidationOutcome eu_vat_route(std::string_view) { return failure(ErrorCode::InvalidFormat); }
ValidationOutcome at_vnr_validate(std::string_view) { return failure(ErrorCode::InvalidFormat); }
std::string at_vnr_format(std::string_view value) { return default_compact(value); }
ValidationOutcome ch_ssn_validate(std::string_view) { return failure(ErrorCode::InvalidFormat); }
std::string ch_ssn_format(std::string_view value) { return default_compact(value); }
ValidationOutcome cz_ico_validate(std::string_view) { return failure(ErrorCode::InvalidFormat); }
std::string ch_vat_compact(std::string_view value) { return default_compact(value); }
std::string ch_vat_format(std::string_view value) { return default_compact(value); }
ValidationOutcome ch_vat_validate(std::string_view) { return failure(ErrorCode::InvalidFormat); }
std::string de_handelsreg_compact(std::string_view value) { return default_compact(value); }
std::string de_handelsreg_format(std::string_view value) { return default_compact(value); }
ValidationOutcome de_handelsreg_validate(std::string_view) { return failure(ErrorCode::InvalidFormat); }

}  // namespace ov::am
