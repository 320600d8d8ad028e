// National numbers that other registers build on: `hr.oib` (Croatian
// personal identification number, the digits behind HR VAT numbers) and
// `ro.cui` (Romanian unique registration code of a business, the digits
// behind RO VAT numbers).
#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- hr.oib ------------------------------------------------------------------
// Eleven digits: ten random ones and an ISO 7064 MOD 11,10 check digit
// (Official Gazette 60/2008 and the Tax Administration's technical notes).

ValidationOutcome oib_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "OIB must be 11 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "OIB must contain only digits");
    if (mod11_10_check(s.substr(0, 10)) != s[10] - '0')
        return fail(ErrorCode::InvalidChecksum, "OIB check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string oib_generate() {
    std::string s = random_digits(10);
    s.push_back(static_cast<char>('0' + mod11_10_check(s)));
    return s;
}

constexpr KindRule kOibRule = {
    .separators = " -", .upper = true, .prefix = "HR",
    .check = oib_check, .present = nullptr, .generate = oib_generate,
};

constexpr std::string_view kOibAliases[] = {
    "OIB", "osobni identifikacijski broj", "personal identification number", "Croatian OIB",
};
constexpr std::string_view kOibExamples[] = {"33392005961", "94577403194"};
constexpr std::uint64_t kOibLengths[] = {11};

// ---- ro.cui ------------------------------------------------------------------
// Two to ten digits, the last a check digit: the other digits, aligned to
// the right of the key 7 5 3 2 1 7 5 3 2, weighted and summed; ten times the
// sum modulo 11, with 10 written 0 (ANAF's published rule for the CIF/CUI).

constexpr int kCuiKey[] = {7, 5, 3, 2, 1, 7, 5, 3, 2};

char cui_digit(std::string_view body) noexcept {
    const std::span<const int> weights(kCuiKey + (9 - body.size()), body.size());
    const std::int64_t r = weighted_sum(body, weights) * 10 % 11;
    return static_cast<char>('0' + r % 10);
}

ValidationOutcome cui_check(std::string_view s) {
    if (s.size() < 2 || s.size() > 10) return fail(ErrorCode::InvalidLength, "CUI must be 2 to 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "CUI must contain only digits");
    if (s[0] == '0') return fail(ErrorCode::InvalidFormat, "CUI must not start with 0");
    if (cui_digit(s.substr(0, s.size() - 1)) != s.back())
        return fail(ErrorCode::InvalidChecksum, "CUI check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string cui_generate() {
    // Registered businesses hold six to ten digits today.
    std::string s(1, static_cast<char>('1' + random_below(9)));
    s += random_digits(4 + random_below(5));
    s.push_back(cui_digit(s));
    return s;
}

constexpr KindRule kCuiRule = {
    .separators = " -.", .upper = true, .prefix = "RO",
    .check = cui_check, .present = nullptr, .generate = cui_generate,
};

constexpr std::string_view kCuiAliases[] = {
    "CUI", "CIF", "cod unic de înregistrare", "cod de identificare fiscală", "cod fiscal",
    "Romanian company registration code",
};
constexpr std::string_view kCuiExamples[] = {"18547290", "14399840"};
constexpr std::uint64_t kCuiLengths[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};

}  // namespace

const ValidatorSpec kHrOibSpec = {
    .source_url = "https://www.porezna-uprava.hr/en/Pages/OIB.aspx",
    .id = "hr.oib",
    .name = "Croatian Personal Identification Number",
    .local_name = "Osobni identifikacijski broj",
    .abbreviation = "OIB",
    .aliases = kOibAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kOibLengths,
    .examples = kOibExamples,
    .ops = kind_ops<kOibRule>(),
    .country = country("HR"),
    .entity = EntityType::Any,
};

const ValidatorSpec kRoCuiSpec = {
    .source_url = "https://www.anaf.ro/",
    .id = "ro.cui",
    .name = "Romanian Unique Registration Code",
    .local_name = "Cod unic de înregistrare",
    .abbreviation = "CUI",
    .aliases = kCuiAliases,
    .candidate_pattern = "[1-9]\\d{1,9}",
    .lengths = kCuiLengths,
    .examples = kCuiExamples,
    .ops = kind_ops<kCuiRule>(),
    .country = country("RO"),
    .entity = EntityType::Company,
};

}  // namespace ov::europe
