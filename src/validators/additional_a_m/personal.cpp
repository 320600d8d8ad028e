// Placeholder: the personal-identifier checks are not built yet; every check fails with format.
#include "validators/additional_a_m/checks.h"

namespace ov::am {

Verdict ba_jmbg_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict bg_egn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict cu_ni_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict kr_rrn_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict kw_civil_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict kz_iin_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict lk_nic_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict mx_curp_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict my_nric_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict be_bis_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict gr_amka_check(std::string_view) { return ErrorCode::InvalidFormat; }
Verdict is_kennitala_check(std::string_view) { return ErrorCode::InvalidFormat; }
std::optional<ParsedData> ba_jmbg_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> bg_egn_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> cu_ni_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> kr_rrn_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> kw_civil_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> kz_iin_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> lk_nic_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> mx_curp_parse(std::string_view) { return std::nullopt; }
std::optional<ParsedData> my_nric_parse(std::string_view) { return std::nullopt; }

}  // namespace ov::am
