// `cz.bankaccount`: the Czech national account format `prefix-number/bank`.
// Prefix and number each carry the national modulo-11 check; the bank code
// must be one assigned by the central bank. The canonical form is fixed
// width: six prefix digits, "-", ten number digits, "/", four bank digits.
#include <algorithm>
#include <array>
#include <iterator>
#include <cstring>

#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "validators/core/records.h"

namespace ov {

namespace {

constexpr std::size_t kCanonicalLength = 22;
constexpr std::size_t kDashAt = 6;
constexpr std::size_t kSlashAt = 17;

// Weights of the ten canonical number digits; the prefix uses the last six.
constexpr int kNumberWeights[10] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
constexpr int kPrefixWeights[6] = {10, 5, 8, 4, 2, 1};

// Bank codes assigned by the Czech National Bank, sorted by value.
constexpr std::array<std::uint16_t, 47> kBankCodes = {
    100,  300,  600,  710,  800,  2010, 2060, 2070, 2100, 2200, 2220, 2250, 2600, 2700, 3030, 3060,
    3500, 4300, 5500, 5800, 6000, 6200, 6210, 6300, 6363, 6600, 6700, 6800, 7910, 7950, 7960, 7970,
    7990, 8030, 8040, 8060, 8090, 8150, 8190, 8198, 8220, 8250, 8255, 8265, 8500, 8610, 8660,
};
static_assert(std::is_sorted(kBankCodes.begin(), kBankCodes.end()));

// The pieces of an account; `prefix` is empty when the text had no "-".
struct Account {
    std::string_view prefix;
    std::string_view number;
    std::string_view bank;
};

struct Parsed {
    bool ok;
    Account account;
    ErrorCode code;
    std::string_view message;
};

Parsed parse_failure(ErrorCode code, std::string_view message) { return {false, {}, code, message}; }

Parsed parse_account(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return parse_failure(ErrorCode::InvalidFormat, "Czech bank account must contain a bank code after '/'");
    const std::string_view bank = text.substr(slash + 1);
    if (bank.find('/') != std::string_view::npos)
        return parse_failure(ErrorCode::InvalidFormat, "Czech bank account must contain one '/' separator");
    const std::string_view head = text.substr(0, slash);
    const std::size_t dash = head.find('-');
    const bool has_prefix = dash != std::string_view::npos;
    const std::string_view prefix = has_prefix ? head.substr(0, dash) : std::string_view{};
    const std::string_view number = has_prefix ? head.substr(dash + 1) : head;
    if (number.find('-') != std::string_view::npos)
        return parse_failure(ErrorCode::InvalidFormat, "Czech bank account must contain at most one '-' separator");
    const bool prefix_len_ok = !has_prefix || (prefix.size() >= 1 && prefix.size() <= 6);
    if (!prefix_len_ok || number.size() < 2 || number.size() > 10 || bank.size() != 4)
        return parse_failure(ErrorCode::InvalidLength, "Czech bank account parts have invalid lengths");
    if (!all_digits(prefix) || !all_digits(number) || !all_digits(bank))
        return parse_failure(ErrorCode::InvalidFormat, "Czech bank account must contain only ASCII digits");
    return {true, {prefix, number, bank}, ErrorCode::InvalidFormat, {}};
}

// The canonical form, written into `out` (zero-padded prefix and number).
void write_canonical(const Account& a, char (&out)[kCanonicalLength]) noexcept {
    std::memset(out, '0', kCanonicalLength);
    std::memcpy(out + kDashAt - a.prefix.size(), a.prefix.data(), a.prefix.size());
    out[kDashAt] = '-';
    std::memcpy(out + kSlashAt - a.number.size(), a.number.data(), a.number.size());
    out[kSlashAt] = '/';
    std::memcpy(out + kSlashAt + 1, a.bank.data(), a.bank.size());
}

std::string canonical(const Account& a) {
    char buffer[kCanonicalLength];
    write_canonical(a, buffer);
    return std::string(buffer, kCanonicalLength);
}

// Weighted sum of a digit text right-aligned against the weights (that is,
// as if left-padded with zeros to the weights' length).
std::int64_t right_aligned_sum(std::string_view digits, std::span<const int> weights) noexcept {
    return weighted_sum(digits, weights.subspan(weights.size() - digits.size()));
}

bool bank_code_assigned(std::string_view bank4) noexcept {
    unsigned value = 0;
    for (char ch : bank4) value = value * 10 + static_cast<unsigned>(digit_value(ch));
    return std::binary_search(kBankCodes.begin(), kBankCodes.end(), value);
}

struct Verdict {
    bool ok;
    ErrorCode code;
    std::string_view message;
};

// The checks that follow a successful parse (prefix <= 6, number <= 10 and
// bank code 4 digits are guaranteed by then).
Verdict check_account(const Account& a) noexcept {
    const auto nonzero = std::count_if(a.number.begin(), a.number.end(), [](char ch) { return ch != '0'; });
    if (nonzero < 2)
        return {false, ErrorCode::InvalidComponent,
                "Czech basic account number must contain at least two non-zero digits"};
    if (mod_floor(right_aligned_sum(a.prefix, kPrefixWeights), 11) != 0 ||
        mod_floor(right_aligned_sum(a.number, kNumberWeights), 11) != 0)
        return {false, ErrorCode::InvalidChecksum, "Czech bank account part fails the modulo 11 check"};
    if (!bank_code_assigned(a.bank))
        return {false, ErrorCode::InvalidComponent, "Czech bank code is not assigned by the Czech National Bank"};
    return {true, ErrorCode::InvalidFormat, {}};
}

std::string compact(const ValidatorSpec&, std::string_view value) {
    const std::string_view text = trim(value);
    const Parsed p = parse_account(text);
    if (!p.ok) return std::string(text);
    return canonical(p.account);
}

// Weighted sum modulo 11 of the digits of `s` against the last s.size()
// weights (the digits were tested already).
unsigned mod11_sum(std::string_view s, const int* weights_end) noexcept {
    unsigned sum = 0;
    const int* w = weights_end - s.size();
    for (std::size_t i = 0; i < s.size(); ++i) sum += static_cast<unsigned>(s[i] - '0') * static_cast<unsigned>(w[i]);
    return sum % 11;
}

ValidationOutcome validate(const ValidatorSpec&, std::string_view value) {
    // The canonical form (the usual one) in one pass, checked in place: the
    // same pieces and checks as below, so the same verdicts.
    if (value.size() == kCanonicalLength && value[kDashAt] == '-' && value[kSlashAt] == '/') {
        bool digits = true;
        for (std::size_t i = 0; i < kCanonicalLength; ++i)
            digits &= i == kDashAt || i == kSlashAt || is_digit(value[i]);
        if (digits) {
            const Account a{value.substr(0, kDashAt), value.substr(kDashAt + 1, kSlashAt - kDashAt - 1),
                            value.substr(kSlashAt + 1)};
            const bool sums = mod11_sum(a.prefix, std::end(kPrefixWeights)) == 0 &&
                              mod11_sum(a.number, std::end(kNumberWeights)) == 0;
            if (sums && bank_code_assigned(a.bank) &&
                std::count_if(a.number.begin(), a.number.end(), [](char ch) { return ch != '0'; }) >= 2)
                return ValidationOutcome::success_input(value);
            const Verdict v = check_account(a);  // the failing check, in the documented order
            return ValidationOutcome::failure(v.code, v.message);
        }
    }
    const Parsed p = parse_account(trim(value));
    if (!p.ok) return ValidationOutcome::failure(p.code, p.message);
    const Verdict v = check_account(p.account);
    if (!v.ok) return ValidationOutcome::failure(v.code, v.message);
    // Kept inside the outcome (no heap copy), or the input itself when it
    // is written in canonical form already.
    char buffer[kCanonicalLength];
    write_canonical(p.account, buffer);
    const std::string_view c(buffer, kCanonicalLength);
    return value == c ? ValidationOutcome::success_input(value) : ValidationOutcome::success_copy(c);
}

// Fast path for text already in canonical form. A 22-byte text with digits
// or separators out of place is rejected here with its own message; validate
// would reject the same text too, though possibly with another code.
PrecheckOutcome precheck(const ValidatorSpec&, std::string_view value) {
    if (value.size() != kCanonicalLength || trim(value).size() != value.size()) return PrecheckOutcome::undecided();
    for (std::size_t i = 0; i < kCanonicalLength; ++i) {
        const char ch = value[i];
        const bool ok = i == kDashAt ? ch == '-' : i == kSlashAt ? ch == '/' : is_digit(ch);
        if (!ok)
            return PrecheckOutcome::failure(ErrorCode::InvalidFormat,
                                            "Czech bank account must use the canonical digit and separator positions");
    }
    const Account a{value.substr(0, kDashAt), value.substr(kDashAt + 1, kSlashAt - kDashAt - 1),
                    value.substr(kSlashAt + 1)};
    const Verdict v = check_account(a);
    if (!v.ok) return PrecheckOutcome::failure(v.code, v.message);
    return PrecheckOutcome::accept();
}

constexpr std::string_view kAliases[] = {"číslo účtu", "bankovní účet", "bankovní spojení"};
constexpr std::string_view kExamples[] = {"034278-0727558021/0100"};
constexpr std::uint64_t kLengths[] = {22};

}  // namespace

const ValidatorSpec kCzBankAccountSpec = {
    .source_url = "https://www.cnb.cz/cs/platebni-styk/ucty-kody-bank/",
    .id = "cz.bankaccount",
    .name = "Czech Bank Account Number",
    .local_name = "Číslo účtu v národním formátu",
    .abbreviation = "Číslo účtu",
    .aliases = kAliases,
    .candidate_pattern = "(?:\\d{1,6}-)?\\d{2,10}/\\d{4}",
    .lengths = kLengths,
    .examples = kExamples,
    .ops = {.precheck = precheck, .generate = nullptr, .parse = nullptr,
            .compact = compact, .format = compact, .validate = validate},
    .country = country("CZ"),
    .entity = EntityType::Any,
};

}  // namespace ov
