// `creditcard`: Luhn-checked payment card numbers of 13 to 19 digits, and
// the card network detection.
#include <array>

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

// Checks of a compact text, in order; the length comes before the characters.
ValidationOutcome check(std::string_view s) {
    if (s.size() < 13 || s.size() > 19)
        return ValidationOutcome::failure(ErrorCode::InvalidLength, "Credit card number must be 13-19 digits");
    const int sum = luhn_digits_mod10(s);  // the digit check and the sum in one walk
    if (sum < 0)
        return ValidationOutcome::failure(ErrorCode::InvalidFormat, "Credit card number must contain only digits");
    if (sum != 0)
        return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "Credit card number fails Luhn check");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome validate(const ValidatorSpec& self, std::string_view value) {
    // Plain digits are their own compact form: check them in place.
    if (value.size() >= 13 && value.size() <= 19) {
        const int sum = luhn_digits_mod10(value);
        if (sum == 0) return ValidationOutcome::success_input(value);
        if (sum > 0)
            return ValidationOutcome::failure(ErrorCode::InvalidChecksum, "Credit card number fails Luhn check");
    }
    return check_compacted(
        value, seps::S3, false, [&](std::string_view v) { return compact(self, v); }, check);
}

std::string format(const ValidatorSpec& self, std::string_view value) {
    const std::string s = compact(self, value);
    std::string out;
    if (s.size() == 15 && s[0] == '3') {
        // American Express style 4-6-5 grouping.
        out.append(slice(s, 0, 4)).append(" ").append(slice(s, 4, 10)).append(" ").append(slice(s, 10, 15));
        return out;
    }
    out.reserve(s.size() + s.size() / 4);
    for (std::size_t i = 0; i < s.size(); i += 4) {
        if (i) out.push_back(' ');
        out.append(slice(s, i, i + 4));
    }
    return out;
}

constexpr std::array<std::string_view, 6> kPrefixes = {"4", "51", "52", "53", "54", "55"};

std::optional<std::string> generate(const ValidatorSpec&) {
    std::string out(kPrefixes[random_below(kPrefixes.size())]);
    const std::size_t fill = 15 - out.size();
    for (std::size_t i = 0; i < fill; ++i) out.push_back(random_digit());
    out.push_back(luhn_check_digit(out));
    return out;
}

// Value of the first `count` digits (or all of them when there are fewer).
unsigned leading(std::string_view digits, std::size_t count) {
    unsigned v = 0;
    for (std::size_t i = 0; i < count && i < digits.size(); ++i) v = v * 10 + static_cast<unsigned>(digit_value(digits[i]));
    return v;
}

constexpr unsigned kMaestroPrefixes[] = {5018, 5020, 5038, 5893, 6304, 6759, 6761, 6762, 6763};

constexpr std::string_view kAliases[] = {"credit card", "card number", "kreditní karta", "Kreditkarte"};
constexpr std::string_view kExamples[] = {"4111111111111111", "5500000000000004"};

}  // namespace

std::optional<std::string_view> credit_card_detect_network(std::string_view value) {
    const std::string s = strip_separators(value, seps::S3);
    if (s.empty() || !all_digits(s)) return std::nullopt;
    const unsigned p2 = leading(s, 2), p3 = leading(s, 3), p4 = leading(s, 4), p6 = leading(s, 6);
    if (p2 == 34 || p2 == 37) return "amex";
    if (p2 == 36 || p2 == 38) return "diners";
    if (p3 >= 300 && p3 <= 305) return "diners";
    if (p4 >= 3528 && p4 <= 3589) return "jcb";
    if (s[0] == '4') return "visa";
    for (unsigned m : kMaestroPrefixes)
        if (p4 == m) return "maestro";
    if (p2 >= 51 && p2 <= 55) return "mastercard";
    if (p4 >= 2221 && p4 <= 2720) return "mastercard";
    if ((p6 >= 622126 && p6 <= 622925) || p4 == 6011 || p2 == 65 || (p3 >= 644 && p3 <= 649)) return "discover";
    if (p2 == 62) return "unionpay";
    return std::nullopt;
}

const ValidatorSpec kCreditCardSpec = {
    .source_url = "https://www.iso.org/standard/70484.html",
    .id = "creditcard",
    .name = "Credit Card Number",
    .local_name = "Credit Card Number",
    .abbreviation = "CC",
    .aliases = kAliases,
    .candidate_pattern = "(?:\\d[\\s-]?){13,19}",
    .lengths = {},
    .examples = kExamples,
    .ops = {.precheck = nullptr, .generate = generate, .parse = nullptr,
            .compact = compact, .format = format, .validate = validate},
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov
