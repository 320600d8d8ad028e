// Italy's medicine authorisation code, Russia's state registration number
// and Ukraine's taxpayer number.
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/world/rules.h"

namespace ov::world {

namespace {

using extended::fail;
using extended::kind_ops;
using extended::KindRule;

// ---- it.aic ------------------------------------------------------------------
// Nine digits starting with 0, the last a check digit: digits in odd
// places count once, those in even places twice (the digits of the product
// added), and the check digit is the sum modulo 10. The same number is
// printed on packs as six characters in base 32 (digits and the consonants
// B to Z); both forms validate, each compacts to itself.

constexpr std::string_view kAicBase32 = "0123456789BCDFGHJKLMNPQRSTUVWXYZ";

int aic_check(std::string_view s) noexcept {
    int sum = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const int d = s[i] - '0';
        sum += i % 2 == 0 ? d : (2 * d) / 10 + (2 * d) % 10;
    }
    return sum % 10;
}

ValidationOutcome aic_decimal(std::string_view s) {
    if (s[0] != '0') return fail(ErrorCode::InvalidComponent, "AIC code must start with 0");
    if (aic_check(s) != s[8] - '0') return fail(ErrorCode::InvalidChecksum, "AIC code check digit does not match");
    return ValidationOutcome::success_input(s);
}

ValidationOutcome aic_check_op(std::string_view s) {
    if (s.size() != 9 && s.size() != 6)
        return fail(ErrorCode::InvalidLength, "AIC code must be 9 digits (6 characters in base 32)");
    if (s.size() == 9) {
        if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "AIC code must contain only digits");
        return aic_decimal(s);
    }
    std::uint64_t value = 0;
    for (char c : s) {
        const std::size_t d = kAicBase32.find(c);
        if (d == std::string_view::npos)
            return fail(ErrorCode::InvalidFormat, "AIC code in base 32 must contain only digits and consonants");
        value = value * 32 + d;
    }
    if (value > 999999999u) return fail(ErrorCode::InvalidComponent, "AIC code must start with 0");
    std::string decimal = std::to_string(value);
    decimal.insert(0, 9 - decimal.size(), '0');
    const ValidationOutcome o = aic_decimal(decimal);
    return o.ok ? ValidationOutcome::success_input(s) : o;
}

std::string aic_generate() {
    std::string s = random_digits_from("0", 8);
    s.push_back(static_cast<char>('0' + aic_check(s + "0")));
    if (random_below(2) == 0) return s;
    std::uint64_t value = digits_value(s);
    std::string b(6, '0');
    for (std::size_t i = 6; i-- > 0; value /= 32) b[i] = kAicBase32[value % 32];
    return b;
}

constexpr KindRule kAicRule = {
    .separators = " -", .upper = true, .prefix = "AIC",
    .check = aic_check_op, .present = nullptr, .generate = aic_generate,
};

// ---- ru.ogrn -----------------------------------------------------------------
// Thirteen digits for an organisation (first digit 1 or 5 for the primary
// number, other digits for later register entries): the check digit is the
// first twelve digits' remainder modulo 11, read modulo 10. Fifteen digits
// for an individual entrepreneur (first digit 3, or 4 for later entries):
// the first fourteen digits' remainder modulo 13, read modulo 10.

int ogrn_check(std::string_view s) noexcept {
    const std::string_view body = s.substr(0, s.size() - 1);
    return static_cast<int>(digits_value(body) % (s.size() == 13 ? 11 : 13) % 10);
}

ValidationOutcome ogrn_check_op(std::string_view s) {
    if (s.size() != 13 && s.size() != 15) return fail(ErrorCode::InvalidLength, "OGRN must be 13 or 15 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "OGRN must contain only digits");
    if (s.size() == 13 ? s[0] == '0' : s[0] != '3' && s[0] != '4')
        return fail(ErrorCode::InvalidComponent, "OGRN must start with 1 to 9 (OGRNIP with 3 or 4)");
    if (ogrn_check(s) != s.back() - '0') return fail(ErrorCode::InvalidChecksum, "OGRN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ogrn_generate() {
    std::string s = random_below(2) == 0 ? random_digits_from("123456789", 12) : random_digits_from("34", 14);
    s.push_back('0');
    s.back() = static_cast<char>('0' + ogrn_check(s));
    return s;
}

constexpr KindRule kOgrnRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = ogrn_check_op, .present = nullptr, .generate = ogrn_generate,
};

// ---- ua.rntrc ----------------------------------------------------------------
// Ten digits: the date of birth as days since 31 December 1899 (5), a
// sequence whose last digit is even for women (4) and a check digit: weights
// -1, 5, 7, 9, 4, 6, 10, 5, 7, the sum modulo 11, read modulo 10.

int rntrc_check(std::string_view s) noexcept {
    return static_cast<int>(mod_floor(weighted_digits(s, {-1, 5, 7, 9, 4, 6, 10, 5, 7}), 11) % 10);
}

ValidationOutcome rntrc_check_op(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "RNTRC must be 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "RNTRC must contain only digits");
    if (rntrc_check(s) != s[9] - '0') return fail(ErrorCode::InvalidChecksum, "RNTRC check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string rntrc_generate() {
    std::string s = random_digits(9);
    s.push_back(static_cast<char>('0' + rntrc_check(s)));
    return s;
}

constexpr KindRule kRntrcRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = rntrc_check_op, .present = nullptr, .generate = rntrc_generate,
};

// ---- metadata ------------------------------------------------------------------

constexpr std::string_view kAicAliases[] = {"AIC", "codice AIC", "autorizzazione all'immissione in commercio", "codice farmaco"};
constexpr std::string_view kAicExamples[] = {"000307052", "009CVD"};
constexpr std::uint64_t kAicLengths[] = {6, 9};

constexpr std::string_view kOgrnAliases[] = {"ОГРН", "ОГРНИП", "OGRN", "OGRNIP", "PSRN", "основной государственный регистрационный номер"};
constexpr std::string_view kOgrnExamples[] = {"1022200525819", "1027700132195", "385768585948949"};
constexpr std::uint64_t kOgrnLengths[] = {13, 15};

constexpr std::string_view kRntrcAliases[] = {"РНОКПП", "ІПН", "RNTRC", "ідентифікаційний код", "реєстраційний номер облікової картки платника податків"};
constexpr std::string_view kRntrcExamples[] = {"1759013776", "2530414071"};
constexpr std::uint64_t kRntrcLengths[] = {10};

}  // namespace

const ValidatorSpec kItAicSpec = {
    .source_url = "https://www.aifa.gov.it/",
    .id = "it.aic", .name = "Italian Medicine Authorisation Code", .local_name = "Codice di Autorizzazione all'Immissione in Commercio",
    .abbreviation = "AIC", .aliases = kAicAliases, .candidate_pattern = "0\\d{8}|[0-9B-DF-HJ-NP-Z]{6}",
    .lengths = kAicLengths, .examples = kAicExamples, .ops = kind_ops<kAicRule>(),
    .country = country("IT"), .entity = EntityType::Any,
};

const ValidatorSpec kRuOgrnSpec = {
    .source_url = "https://www.nalog.gov.ru/",
    .id = "ru.ogrn", .name = "Russian Primary State Registration Number", .local_name = "Основной государственный регистрационный номер",
    .abbreviation = "ОГРН", .aliases = kOgrnAliases, .candidate_pattern = "[1-9]\\d{12}|[34]\\d{14}",
    .lengths = kOgrnLengths, .examples = kOgrnExamples, .ops = kind_ops<kOgrnRule>(),
    .country = country("RU"), .entity = EntityType::Company,
};

const ValidatorSpec kUaRntrcSpec = {
    .source_url = "https://tax.gov.ua/",
    .id = "ua.rntrc", .name = "Ukrainian Individual Taxpayer Number",
    .local_name = "Реєстраційний номер облікової картки платника податків",
    .abbreviation = "РНОКПП", .aliases = kRntrcAliases, .candidate_pattern = "\\d{10}",
    .lengths = kRntrcLengths, .examples = kRntrcExamples, .ops = kind_ops<kRntrcRule>(),
    .country = country("UA"), .entity = EntityType::Person,
};

}  // namespace ov::world
