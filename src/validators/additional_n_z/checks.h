// Check routines of the additional set N-Z, one per id, each with its fixed
// messages. A check receives the compact text with one byte per character
// (frame.h) and returns the first failure, or a pass.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "validators/additional_n_z/frame.h"

namespace ov::nz {

// Short names for the codes, so that each check reads as its rule.
inline constexpr ErrorCode kLength = ErrorCode::InvalidLength;
inline constexpr ErrorCode kFormat = ErrorCode::InvalidFormat;
inline constexpr ErrorCode kChecksum = ErrorCode::InvalidChecksum;
inline constexpr ErrorCode kComponent = ErrorCode::InvalidComponent;

// ---- Personal identifiers (personal.cpp) -------------------------------------
Verdict ng_nin_check(std::string_view c);
Verdict nl_bsn_check(std::string_view c);
Verdict no_fodselsnummer_check(std::string_view c);
Verdict ph_philid_check(std::string_view c);
Verdict pk_cnic_check(std::string_view c);
Verdict si_emso_check(std::string_view c);
Verdict sk_rc_check(std::string_view c);
Verdict tr_tckimlik_check(std::string_view c);
Verdict us_itin_check(std::string_view c);
Verdict us_ssn_check(std::string_view c);
Verdict za_idnr_check(std::string_view c);

std::optional<ParsedData> no_fodselsnummer_parse(std::string_view c);
std::optional<ParsedData> si_emso_parse(std::string_view c);
std::optional<ParsedData> sk_rc_parse(std::string_view c);
std::optional<ParsedData> za_idnr_parse(std::string_view c);

// ---- Numeric tax and company numbers (tax.cpp) --------------------------------
Verdict nl_kvk_check(std::string_view c);
Verdict nz_ird_check(std::string_view c);
Verdict pe_ruc_check(std::string_view c);
Verdict pl_regon_check(std::string_view c);
Verdict rs_pib_check(std::string_view c);
Verdict ru_inn_check(std::string_view c);
Verdict se_orgnr_check(std::string_view c);
Verdict se_vat_check(std::string_view c);
Verdict sk_ico_check(std::string_view c);
Verdict th_tin_check(std::string_view c);
Verdict tr_vkn_check(std::string_view c);
Verdict tw_ubn_check(std::string_view c);
Verdict ua_edrpou_check(std::string_view c);
Verdict uy_rut_check(std::string_view c);
Verdict vn_mst_check(std::string_view c);

std::string nz_ird_format(std::string_view c);

// ---- Numbers with letters (letters.cpp) ----------------------------------------
Verdict ni_ruc_check(std::string_view c);
Verdict sg_uen_check(std::string_view c);
Verdict ve_rif_check(std::string_view c);

std::string ni_ruc_format(std::string_view c);

// ---- Panama RUC (pa_ruc.cpp) -----------------------------------------------------
std::string pa_ruc_compact(std::string_view value);
std::string pa_ruc_format(std::string_view c);
// A valid RUC is reported as its three pieces, " DV" and the verifier digits.
ValidationOutcome pa_ruc_validate(std::string_view value);

}  // namespace ov::nz
