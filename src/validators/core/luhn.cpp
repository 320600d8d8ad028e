// `luhn`: any digit string with a valid Luhn check digit.
#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "registry/random.h"
#include "validators/core/cards.h"
#include "validators/core/records.h"

namespace ov {

namespace {

std::string compact(const ValidatorSpec&, std::string_view value) { return strip_separators(value, seps::S3); }

// Checks of a compact text, in order. Success views `s` itself.
ValidationOutcome check(std::string_view s) {
    if (s.empty()) return ValidationOutcome::failure(ErrorCode::InvalidLength, "Value must not be empty");
    const int sum = luhn_digits_mod10(s);  // the digit check and the sum in one walk
    if (sum < 0) return ValidationOutcome::failure(ErrorCode::InvalidFormat, "Value must contain only digits");
    if (sum != 0) return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "Luhn check digit does not match");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome validate(const ValidatorSpec& self, std::string_view value) {
    // Plain digits are their own compact form: check them in place.
    if (!value.empty()) {
        const int sum = luhn_digits_mod10(value);
        if (sum == 0) return ValidationOutcome::success_input(value);
        if (sum > 0)
            return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "Luhn check digit does not match");
    }
    return check_compacted(
        value, seps::S3, false, [&](std::string_view v) { return compact(self, v); }, check);
}

std::optional<std::string> generate(const ValidatorSpec&) { return luhn_generate(16); }

constexpr std::string_view kAliases[] = {"Luhn", "Luhn algorithm", "mod 10"};
constexpr std::string_view kExamples[] = {"4111111111111111", "18"};

}  // namespace

std::string luhn_generate(std::uint64_t length) {
    const std::uint64_t n = length == 0 ? 0 : length - 1;
    std::string out;
    out.reserve(static_cast<std::size_t>(n) + 1);
    for (std::uint64_t i = 0; i < n; ++i) out.push_back(random_digit());
    out.push_back(luhn_check_digit(out));
    return out;
}

const ValidatorSpec kLuhnSpec = {
    .source_url = "https://www.iso.org/standard/70484.html",
    .id = "luhn",
    .name = "Luhn",
    .local_name = "Luhn",
    .abbreviation = "Luhn",
    .aliases = kAliases,
    .candidate_pattern = "\\d{2,}",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = generate, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
