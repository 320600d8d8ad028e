// Check-digit computations exposed on their own, without a registry record.
#include "validators/legacy_specs/standalone_checks.h"

#include "primitives/checkdigits.h"
#include "primitives/text.h"
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/frame.h"
#include "validators/legacy_specs/personal.h"
#include "validators/legacy_specs/records.h"

namespace ov::legacy {

namespace {

constexpr int kSedolWeights[6] = {1, 3, 1, 7, 3, 9};
// Digits, then A-Z with the vowels blanked out: a vowel is never valid.
constexpr std::string_view kSedolTable = "0123456789 BCD FGH JKLMN PQRST VWXYZ";
static_assert(kSedolTable.size() == 36);

}  // namespace

std::optional<int> be_nn_checksum(std::string_view value) {
    const std::string c = kBeNnSpec.ops.compact(kBeNnSpec, value);
    if (c.size() < 11 || !is_char_boundary(c, 9) || !is_char_boundary(c, 11)) return std::nullopt;
    // The pieces may carry a '+' sign; a body that parses keeps its first two
    // characters ASCII, so the year reads whenever the body does.
    const auto body = parse_unsigned(slice(c, 0, 9));
    const auto check = parse_unsigned(slice(c, 9, 11));
    const auto yy = parse_unsigned(slice(c, 0, 2));
    if (!body || !check || !yy) return std::nullopt;
    return belgian_century(static_cast<std::int64_t>(*body), static_cast<std::int64_t>(*check),
                           static_cast<std::int64_t>(*yy));
}

std::optional<int> es_vat_cif_checksum(std::string_view value) {
    if (value.size() != 7 || !all_digits(value)) return std::nullopt;
    return es_cif_control_digit(value);
}

std::optional<int> ee_ik_two_pass_check(std::string_view value) {
    if (value.size() != 10 || !all_digits(value)) return std::nullopt;
    return baltic_check_digit(value);
}

std::optional<int> gb_nhs_calc_check_digit(std::string_view value) {
    if (value.size() != 10 || !all_digits(value)) return std::nullopt;
    return nhs_check_digit(value);
}

std::optional<int> gb_sedol_calc_check_digit(std::string_view value) {
    if (value.size() != 6) return std::nullopt;
    int sum = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t v = kSedolTable.find(value[i]);
        if (v == std::string_view::npos) return std::nullopt;
        sum += static_cast<int>(v) * kSedolWeights[i];
    }
    return (10 - sum % 10) % 10;
}

}  // namespace ov::legacy
