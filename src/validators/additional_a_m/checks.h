// Per-validator checks of the additional set A-M.
//
// A check takes the compact text (the set's compaction has run) and runs the
// validator's tests in their fixed order. It returns nothing when all pass,
// otherwise the code of the first failing test; the frame attaches the set's
// fixed message for that code. Checks never throw and accept any bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "registry/outcome.h"

namespace ov::am {

using Verdict = std::optional<ErrorCode>;
inline constexpr Verdict kPass = std::nullopt;

// ---- Personal identifiers with birth data (personal*.cpp) -------------------
Verdict ba_jmbg_check(std::string_view c);
Verdict bg_egn_check(std::string_view c);
Verdict cu_ni_check(std::string_view c);
Verdict kr_rrn_check(std::string_view c);
Verdict kw_civil_check(std::string_view c);
Verdict kz_iin_check(std::string_view c);
Verdict lk_nic_check(std::string_view c);
Verdict mx_curp_check(std::string_view c);
Verdict my_nric_check(std::string_view c);
Verdict be_bis_check(std::string_view c);
Verdict gr_amka_check(std::string_view c);
Verdict is_kennitala_check(std::string_view c);

// Birth data of a compact text that has already validated.
std::optional<ParsedData> ba_jmbg_parse(std::string_view c);
std::optional<ParsedData> bg_egn_parse(std::string_view c);
std::optional<ParsedData> cu_ni_parse(std::string_view c);
std::optional<ParsedData> kr_rrn_parse(std::string_view c);
std::optional<ParsedData> kw_civil_parse(std::string_view c);
std::optional<ParsedData> kz_iin_parse(std::string_view c);
std::optional<ParsedData> lk_nic_parse(std::string_view c);
std::optional<ParsedData> mx_curp_parse(std::string_view c);
std::optional<ParsedData> my_nric_parse(std::string_view c);

// ---- Numeric identifiers with weighted check digits (numeric*.cpp) -----------
Verdict ae_eid_check(std::string_view c);
Verdict ar_cbu_check(std::string_view c);
Verdict ar_cuit_check(std::string_view c);
Verdict au_tfn_check(std::string_view c);
Verdict az_voen_check(std::string_view c);
Verdict bg_pnf_check(std::string_view c);
Verdict ca_sin_check(std::string_view c);
Verdict co_nit_check(std::string_view c);
Verdict dk_cvr_check(std::string_view c);
Verdict do_rnc_check(std::string_view c);
Verdict ec_ruc_check(std::string_view c);
Verdict ee_registrikood_check(std::string_view c);
Verdict fr_nif_check(std::string_view c);
Verdict gb_utr_check(std::string_view c);
Verdict id_npwp_check(std::string_view c);
Verdict il_idnr_check(std::string_view c);
Verdict in_aadhaar_check(std::string_view c);
Verdict ir_nid_check(std::string_view c);
Verdict jp_cn_check(std::string_view c);
Verdict jp_mynumber_check(std::string_view c);
Verdict ma_ice_check(std::string_view c);
Verdict md_idno_check(std::string_view c);
Verdict me_pib_check(std::string_view c);
Verdict mk_edb_check(std::string_view c);
Verdict mx_clabe_check(std::string_view c);

// ---- Letters, look-up tables and composite rules (letters*.cpp) --------------
Verdict by_unp_check(std::string_view c);
Verdict ca_bn_check(std::string_view c);
Verdict cl_rut_check(std::string_view c);
Verdict cn_uscc_check(std::string_view c);
Verdict gb_sedol_check(std::string_view c);
Verdict gh_tin_check(std::string_view c);
Verdict gt_nit_check(std::string_view c);
Verdict hk_hkid_check(std::string_view c);
Verdict in_gstin_check(std::string_view c);
Verdict mc_tva_check(std::string_view c);
Verdict mx_rfc_check(std::string_view c);

// The cl.rut precheck on the raw input (the frame runs it before compaction).
PrecheckOutcome cl_rut_precheck(std::string_view raw);

// ---- Shape-only validators (shapes*.cpp) --------------------------------------
Verdict ad_nrt_check(std::string_view c);
Verdict ai_tin_check(std::string_view c);
Verdict al_nipt_check(std::string_view c);
Verdict am_tin_check(std::string_view c);
Verdict ar_dni_check(std::string_view c);
Verdict bd_nid_check(std::string_view c);
Verdict bh_cpr_check(std::string_view c);
Verdict bz_tin_check(std::string_view c);
Verdict cr_cpf_check(std::string_view c);
Verdict eg_tn_check(std::string_view c);
Verdict ge_pin_check(std::string_view c);
Verdict in_pan_check(std::string_view c);
Verdict iq_nid_check(std::string_view c);
Verdict is_vsk_check(std::string_view c);
Verdict kr_brn_check(std::string_view c);
Verdict li_peid_check(std::string_view c);
Verdict mu_brn_check(std::string_view c);

// ---- The EU VAT router (eu_vat.cpp) ---------------------------------------------
// Validates the compact eu.vat text through the national validator of its
// prefix; the national validator's failure is passed on as it is, and on
// success the result is the eu.vat compact text itself.
ValidationOutcome eu_vat_validate(std::string_view value);

// ---- Validators with their own routines (own_routines*.cpp) -------------------
// at.vnr, ch.ssn and cz.ico compact with the set's default rule (bound by the
// frame); cz.ico also formats with it.
ValidationOutcome at_vnr_validate(std::string_view value);
std::string at_vnr_format(std::string_view value);
ValidationOutcome ch_ssn_validate(std::string_view value);
std::string ch_ssn_format(std::string_view value);
ValidationOutcome cz_ico_validate(std::string_view value);
std::string ch_vat_compact(std::string_view value);
std::string ch_vat_format(std::string_view value);
ValidationOutcome ch_vat_validate(std::string_view value);
std::string de_handelsreg_compact(std::string_view value);
std::string de_handelsreg_format(std::string_view value);
ValidationOutcome de_handelsreg_validate(std::string_view value);

// ---- Provided by the frame (frame*.cpp) ---------------------------------------
// The set's default compaction: trim, then remove space - . / ( and ).
std::string default_compact(std::string_view value);
// The outcome for a failing code, with the set's fixed message.
ValidationOutcome failure(ErrorCode code);

}  // namespace ov::am
