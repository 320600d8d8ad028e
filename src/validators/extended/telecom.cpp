// Telecom and device numbers: `imei` (IMEI and IMEISV, 3GPP TS 23.003),
// `meid` (3GPP2 S.R0048), `imsi` (ITU-T E.212) and `mac` (IEEE EUI-48).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- imei ------------------------------------------------------------------
// IMEI: type allocation code (8 digits), serial (6) and a Luhn check digit.
// IMEISV: the same 14 digits and a two-digit software version, no check;
// version 99 is reserved.

ValidationOutcome imei_check(std::string_view s) {
    if (s.size() != 15 && s.size() != 16)
        return fail(ErrorCode::InvalidLength, "IMEI must be 15 digits (IMEISV 16)");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "IMEI must contain only digits");
    if (s.size() == 16) {
        if (s.substr(14) == "99")
            return fail(ErrorCode::InvalidComponent, "IMEISV software version 99 is reserved");
        return ValidationOutcome::success_input(s);
    }
    if (!luhn_valid(s)) return fail(ErrorCode::InvalidChecksum, "IMEI check digit does not match");
    return ValidationOutcome::success_input(s);
}

// Type allocation code, serial number, then check digit or software version.
std::string imei_present(std::string_view s) { return join_at(s, {8, 14}, '-'); }

std::string imei_generate() {
    std::string s = random_digits(14);
    if (random_below(2) == 0) {
        s.push_back(luhn_check_digit(s));
    } else {
        const auto version = random_below(99);  // 00 to 98
        s.push_back(static_cast<char>('0' + version / 10));
        s.push_back(static_cast<char>('0' + version % 10));
    }
    return s;
}

constexpr KindRule kImeiRule = {
    .separators = " -/.", .upper = false, .prefix = {},
    .check = imei_check, .present = imei_present, .generate = imei_generate,
};

constexpr std::string_view kImeiAliases[] = {"IMEI", "IMEISV", "International Mobile Equipment Identity"};
constexpr std::string_view kImeiExamples[] = {"490154203237518", "352099001761481", "3520990017614823"};
constexpr std::uint64_t kImeiLengths[] = {15, 16};

}  // namespace

const ValidatorSpec kImeiSpec = {
    .source_url = "https://www.3gpp.org/dynareport/23003.htm",
    .id = "imei",
    .name = "International Mobile Equipment Identity",
    .local_name = "International Mobile Equipment Identity",
    .abbreviation = "IMEI",
    .aliases = kImeiAliases,
    .candidate_pattern = "\\d{15,16}",
    .lengths = kImeiLengths,
    .examples = kImeiExamples,
    .ops = kind_ops<kImeiRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
