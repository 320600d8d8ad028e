// Pieces of the personal-number rules shared beyond one predicate: the
// date-reading predicates with an explicit "today" (the public predicates
// pass today's UTC date), the Estonian/Lithuanian check digit and the
// Swedish dash rule of compaction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "primitives/normalize.h"
#include "registry/outcome.h"
#include "validators/birth_data.h"

namespace ov::legacy {

bool be_nn_check_on(std::string_view c, Date today);
bool dk_cpr_check_on(std::string_view c, Date today);
bool se_personnummer_check_on(std::string_view c, Date today);

// The two-pass weighted check digit shared by Estonian and Lithuanian
// personal codes, over the first ten digits of `digits`.
int baltic_check_digit(std::string_view digits) noexcept;

// Swedish personal numbers: ten or twelve characters get a '-' before the
// last four; other lengths keep only the sign in front of the last four.
std::string swedish_dash_rule(std::string s);

}  // namespace ov::legacy
