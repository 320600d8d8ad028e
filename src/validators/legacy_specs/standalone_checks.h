// Single check-digit computations offered to callers outside the registry.
// Each takes the text exactly as given (only the Belgian one compacts it)
// and answers nothing for a value of the wrong shape.
#pragma once

#include <optional>
#include <string_view>

#include "primitives/normalize.h"

namespace ov::legacy {

// 1900 or 2000: the century whose check rule the Belgian national number
// satisfies; nothing when neither does.
std::optional<int> be_nn_checksum(std::string_view value);
// Control digit of the seven-digit body of a Spanish company tax number.
std::optional<int> es_vat_cif_checksum(std::string_view value);
// Check digit of the first ten digits of an Estonian personal code.
std::optional<int> ee_ik_two_pass_check(std::string_view value);
// Check digit of an NHS number's first nine digits (ten digits given).
std::optional<int> gb_nhs_calc_check_digit(std::string_view value);
// Check digit of a six-character SEDOL.
std::optional<int> gb_sedol_calc_check_digit(std::string_view value);

}  // namespace ov::legacy
