// National numbers kept in the core set: `us.ein`, `at.businessid`,
// `au.abn`, `br.cpf` and `es.dni`.
#include <array>

#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "primitives/text.h"
#include "registry/compacted.h"
#include "registry/random.h"
#include "validators/core/records.h"

namespace ov {

namespace {

ValidationOutcome fail(ErrorCode code, std::string_view message) { return ValidationOutcome::failure(code, message); }

// ---- us.ein ----------------------------------------------------------------

// IRS campus prefixes: the first two digits of every valid EIN.
constexpr std::array<std::string_view, 83> kEinPrefixes = {
    "01", "02", "03", "04", "05", "06", "10", "11", "12", "13", "14", "15", "16", "20", "21", "22", "23",
    "24", "25", "26", "27", "30", "31", "32", "33", "34", "35", "36", "37", "38", "39", "40", "41", "42",
    "43", "44", "45", "46", "47", "48", "50", "51", "52", "53", "54", "55", "56", "57", "58", "59", "60",
    "61", "62", "63", "64", "65", "66", "67", "68", "71", "72", "73", "74", "75", "76", "77", "80", "81",
    "82", "83", "84", "85", "86", "87", "88", "90", "91", "92", "93", "94", "95", "98", "99",
};

bool ein_prefix_known(std::string_view two) noexcept {
    for (std::string_view p : kEinPrefixes)
        if (p == two) return true;
    return false;
}

std::string ein_compact(const ValidatorSpec&, std::string_view value) { return strip_separators(value, seps::S1); }

ValidationOutcome ein_validate(const ValidatorSpec& self, std::string_view value) {
    std::string s = ein_compact(self, value);
    if (s.empty() || !all_digits(s)) return fail(ErrorCode::InvalidFormat, "EIN must contain only digits");
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "EIN must be 9 digits");
    if (!ein_prefix_known(std::string_view(s).substr(0, 2)))
        return fail(ErrorCode::InvalidComponent, "EIN campus prefix is invalid");
    return ValidationOutcome::success(std::move(s));
}

// Byte positions as in validate; a piece that would cut a multi-byte
// character (only possible for input that is not all digits) is left empty.
std::string ein_format(const ValidatorSpec& self, std::string_view value) {
    std::string s = ein_compact(self, value);
    if (s.size() != 9) return s;
    std::string out;
    out.reserve(10);
    out.append(slice(s, 0, 2)).append("-").append(slice(s, 2, 9));
    return out;
}

std::optional<std::string> ein_generate(const ValidatorSpec&) {
    std::string s(kEinPrefixes[random_below(kEinPrefixes.size())]);
    s += random_digits(7);
    return s;
}

// ---- at.businessid --------------------------------------------------------

std::string fn_compact(const ValidatorSpec&, std::string_view value) {
    std::string s = strip_separators(value, seps::S5);
    std::string_view rest = s;
    if (rest.size() >= 2 && to_upper_ascii(rest[0]) == 'F' && to_upper_ascii(rest[1]) == 'N') rest.remove_prefix(2);
    return lower(rest);
}

ValidationOutcome fn_validate(const ValidatorSpec& self, std::string_view value) {
    std::string s = fn_compact(self, value);
    if (s.size() < 2) return fail(ErrorCode::InvalidLength, "Austrian Firmenbuchnummer is too short");
    const std::string_view body = std::string_view(s).substr(0, s.size() - 1);
    if (!is_alpha(s.back()) || !all_digits(body))
        return fail(ErrorCode::InvalidFormat, "Austrian Firmenbuchnummer must be digits followed by a letter");
    return ValidationOutcome::success(std::move(s));
}

std::string fn_format(const ValidatorSpec& self, std::string_view value) { return "FN " + fn_compact(self, value); }

std::optional<std::string> fn_generate(const ValidatorSpec&) {
    std::string s = random_digits(5 + random_below(2));
    s.push_back(static_cast<char>('a' + random_below(26)));
    return s;
}

// ---- au.abn ---------------------------------------------------------------

constexpr int kAbnWeights[11] = {10, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19};

// The ABN test: one is subtracted from the first digit (a 0 becomes -1, so
// the sum is signed) and the weighted sum must be divisible by 89.
bool abn_checksum_ok(std::string_view digits11) noexcept {
    const std::int64_t sum = weighted_sum(digits11, kAbnWeights) - kAbnWeights[0];
    return mod_floor(sum, 89) == 0;
}

std::string abn_compact(const ValidatorSpec&, std::string_view value) { return strip_separators(value, seps::S1); }

ValidationOutcome abn_validate(const ValidatorSpec& self, std::string_view value) {
    std::string s = abn_compact(self, value);
    if (s.empty() || !all_digits(s)) return fail(ErrorCode::InvalidFormat, "ABN must contain only digits");
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "ABN must be 11 digits");
    if (!abn_checksum_ok(s)) return fail(ErrorCode::InvalidChecksum, "ABN checksum mismatch");
    return ValidationOutcome::success(std::move(s));
}

// Pieces are cut with `slice`, so a multi-byte character is never split.
std::string abn_format(const ValidatorSpec& self, std::string_view value) {
    std::string s = abn_compact(self, value);
    if (s.size() != 11) return s;
    std::string out;
    out.reserve(14);
    out.append(slice(s, 0, 2)).append(" ").append(slice(s, 2, 5)).append(" ").append(slice(s, 5, 8));
    out.append(" ").append(slice(s, 8, 11));
    return out;
}

constexpr std::string_view kAbnExamples[] = {"83914571673", "51824753556"};

std::optional<std::string> abn_generate(const ValidatorSpec&) {
    // The first two digits weigh 10 and 1, so together they add the number
    // t they spell (minus the 10 that the rule subtracts). Nine digits are
    // drawn for positions 2..10 and t is the number from 00 to 99 that
    // makes the sum divisible by 89: t0, or t0 + 89 (chosen by a coin) when
    // that is still two digits.
    std::string rest = random_digits(9);
    std::int64_t sum = -kAbnWeights[0];
    for (std::size_t i = 0; i < 9; ++i) sum += kAbnWeights[i + 2] * digit_value(rest[i]);
    unsigned t = static_cast<unsigned>(mod_floor(-sum, 89));
    if (t + 89 <= 99 && random_below(2) == 1) t += 89;
    std::string s;
    s.reserve(11);
    s.push_back(static_cast<char>('0' + t / 10));
    s.push_back(static_cast<char>('0' + t % 10));
    s += rest;
    return s;
}

// ---- br.cpf ---------------------------------------------------------------

constexpr int kCpfWeights1[9] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
constexpr int kCpfWeights2[9] = {11, 10, 9, 8, 7, 6, 5, 4, 3};

// The two check digits of the nine-digit body.
std::array<int, 2> cpf_check_digits(std::string_view body9) noexcept {
    const int first = *mod11_check(weighted_sum(body9, kCpfWeights1), Mod11::E);
    const int second = *mod11_check(weighted_sum(body9, kCpfWeights2) + 2 * first, Mod11::E);
    return {first, second};
}

// Verdict of the CPF checks on an already compact text: `ok`, or the code
// and message of the first failing check.
struct CpfVerdict {
    bool ok;
    ErrorCode code;
    std::string_view message;
};

CpfVerdict cpf_check(std::string_view s) noexcept {
    if (s.size() != 11) return {false, ErrorCode::InvalidLength, "CPF must be 11 digits"};
    // One walk for the digit test, the repetition test and both weighted
    // sums (weights 10..2 and 11..3 over the first nine digits).
    bool digits = true, repeated = true;
    unsigned sum1 = 0, sum2 = 0;
    unsigned value[11];
    for (std::size_t i = 0; i < 11; ++i) {
        value[i] = static_cast<unsigned>(static_cast<unsigned char>(s[i]) - '0');
        digits &= value[i] <= 9;
        repeated &= s[i] == s[0];
    }
    if (!digits) return {false, ErrorCode::InvalidFormat, "CPF must contain only digits"};
    if (repeated) return {false, ErrorCode::InvalidFormat, "CPF must not be a repeated digit sequence"};
    for (std::size_t i = 0; i < 9; ++i) {
        sum1 += value[i] * static_cast<unsigned>(kCpfWeights1[i]);
        sum2 += value[i] * static_cast<unsigned>(kCpfWeights2[i]);
    }
    // Mapping M11-E: 0 when the remainder is 0 or 1, else 11 - remainder.
    const auto m11e = [](unsigned sum) { const unsigned r = sum % 11; return r <= 1 ? 0u : 11 - r; };
    const unsigned first = m11e(sum1);
    const unsigned second = m11e(sum2 + 2 * first);
    if (value[9] != first || value[10] != second)
        return {false, ErrorCode::InvalidChecksum, "CPF check digit mismatch"};
    return {true, ErrorCode::InvalidFormat, {}};
}

std::string cpf_compact(const ValidatorSpec&, std::string_view value) { return strip_separators(value, seps::S3); }

ValidationOutcome cpf_validate(const ValidatorSpec& self, std::string_view value) {
    return check_compacted(
        value, seps::S3, false, [&](std::string_view v) { return cpf_compact(self, v); },
        [](std::string_view s) {
            const CpfVerdict v = cpf_check(s);
            return v.ok ? ValidationOutcome::success_input(s) : fail(v.code, v.message);
        });
}

// ASCII input without separators and without white space at either end is
// its own compact form, so the checks can run on it directly.
PrecheckOutcome cpf_precheck(const ValidatorSpec&, std::string_view value) {
    if (!all_ascii(value)) return PrecheckOutcome::undecided();
    if (trim(value).size() != value.size()) return PrecheckOutcome::undecided();
    for (char ch : value)
        if (ch == ' ' || ch == '-' || ch == '.') return PrecheckOutcome::undecided();
    const CpfVerdict v = cpf_check(value);
    if (!v.ok) return PrecheckOutcome::failure(v.code, v.message);
    return PrecheckOutcome::accept();
}

std::string cpf_format(const ValidatorSpec& self, std::string_view value) {
    const std::string s = cpf_compact(self, value);
    std::string out;
    out.reserve(s.size() + 3);
    out.append(slice(s, 0, 3)).append(".").append(slice(s, 3, 6)).append(".").append(slice(s, 6, 9));
    out.append("-").append(slice(s, 9, s.size()));
    return out;
}

std::optional<std::string> cpf_generate(const ValidatorSpec&) {
    std::string s;
    bool repeated = true;
    while (repeated) {
        s = random_digits(9);
        repeated = s.find_first_not_of(s[0]) == std::string::npos;
    }
    const auto check = cpf_check_digits(s);
    s.push_back(static_cast<char>('0' + check[0]));
    s.push_back(static_cast<char>('0' + check[1]));
    return s;
}

// ---- es.dni ---------------------------------------------------------------

constexpr std::string_view kDniLetters = "TRWAGMYFPDXBNJZSQVHLCKE";

// Check letter of a digit text, with a running remainder.
char dni_letter(std::string_view digits) noexcept {
    unsigned r = 0;
    for (char ch : digits) r = (r * 10 + static_cast<unsigned>(digit_value(ch))) % 23;
    return kDniLetters[r];
}

std::string dni_compact(const ValidatorSpec&, std::string_view value) { return upper(strip_separators(value, seps::S1)); }

ValidationOutcome dni_validate(const ValidatorSpec& self, std::string_view value) {
    std::string s = dni_compact(self, value);
    if (s.size() < 2 || s.size() > 9) return fail(ErrorCode::InvalidLength, "DNI must be 1-8 digits and 1 letter");
    const std::string_view number = std::string_view(s).substr(0, s.size() - 1);
    if (!all_digits(number)) return fail(ErrorCode::InvalidFormat, "DNI must start with 1-8 digits");
    if (s.back() != dni_letter(number)) return fail(ErrorCode::InvalidChecksum, "DNI check letter does not match");
    return ValidationOutcome::success(std::move(s));
}

std::optional<std::string> dni_generate(const ValidatorSpec&) {
    std::string s = random_digits(8);
    s.push_back(dni_letter(s));
    return s;
}

// ---- records ----------------------------------------------------------------

constexpr std::string_view kEinAliases[] = {"EIN", "Employer Identification Number", "Federal Tax ID"};
constexpr std::string_view kEinExamples[] = {"042103594"};
constexpr std::string_view kFnAliases[] = {"Firmenbuchnummer", "FN", "FBN"};
constexpr std::string_view kFnExamples[] = {"122119m"};
constexpr std::string_view kAbnAliases[] = {"ABN", "Australian Business Number"};
constexpr std::string_view kCpfAliases[] = {"CPF", "Cadastro de Pessoas Físicas"};
constexpr std::string_view kCpfExamples[] = {"39053344705"};
constexpr std::string_view kDniAliases[] = {"D.N.I.", "DNI", "documento nacional de identidad"};
constexpr std::string_view kDniExamples[] = {"54362315K", "1234567L"};
constexpr std::uint64_t kDniLengths[] = {2, 3, 4, 5, 6, 7, 8, 9};

}  // namespace

const ValidatorSpec kUsEinSpec = {
    .source_url = "https://www.irs.gov/businesses/small-businesses-self-employed/employer-id-numbers",
    .id = "us.ein",
    .name = "Employer Identification Number",
    .local_name = "Employer Identification Number",
    .abbreviation = "EIN",
    .aliases = kEinAliases,
    .candidate_pattern = "\\d{2}-?\\d{7}",
    .lengths = {},
    .examples = kEinExamples,
    .ops = {.precheck = nullptr, .generate = ein_generate, .parse = nullptr,
            .compact = ein_compact, .format = ein_format, .validate = ein_validate},
    .country = country("US"),
    .entity = EntityType::Company,
};

const ValidatorSpec kAtBusinessIdSpec = {
    .source_url = "https://www.justiz.gv.at/home/justiz/firmenbuch.html",
    .id = "at.businessid",
    .name = "Austrian Company Register Number",
    .local_name = "Firmenbuchnummer",
    .abbreviation = "FN",
    .aliases = kFnAliases,
    .candidate_pattern = "FN\\s?\\d{5,6}[a-z]?",
    .lengths = {},
    .examples = kFnExamples,
    .ops = {.precheck = nullptr, .generate = fn_generate, .parse = nullptr,
            .compact = fn_compact, .format = fn_format, .validate = fn_validate},
    .country = country("AT"),
    .entity = EntityType::Company,
};

const ValidatorSpec kAuAbnSpec = {
    .source_url = "https://abr.business.gov.au/Help/AbnFormat",
    .id = "au.abn",
    .name = "Australian Business Number",
    .local_name = "Australian Business Number",
    .abbreviation = "ABN",
    .aliases = kAbnAliases,
    .candidate_pattern = "\\d{2}\\s?\\d{3}\\s?\\d{3}\\s?\\d{3}",
    .lengths = {},
    .examples = kAbnExamples,
    .ops = {.precheck = nullptr, .generate = abn_generate, .parse = nullptr,
            .compact = abn_compact, .format = abn_format, .validate = abn_validate},
    .country = country("AU"),
    .entity = EntityType::Company,
};

const ValidatorSpec kBrCpfSpec = {
    .source_url = "https://www.gov.br/receitafederal/pt-br/assuntos/meu-cpf",
    .id = "br.cpf",
    .name = "Brazilian CPF",
    .local_name = "Cadastro de Pessoas Físicas",
    .abbreviation = "CPF",
    .aliases = kCpfAliases,
    .candidate_pattern = "\\d{3}\\.?\\d{3}\\.?\\d{3}-?\\d{2}",
    .lengths = {},
    .examples = kCpfExamples,
    .ops = {.precheck = cpf_precheck, .generate = cpf_generate, .parse = nullptr,
            .compact = cpf_compact, .format = cpf_format, .validate = cpf_validate},
    .country = country("BR"),
    .entity = EntityType::Person,
};

const ValidatorSpec kEsDniSpec = {
    .source_url = "https://www.interior.gob.es/opencms/es/servicios-al-ciudadano/tramites-y-gestiones/dni/",
    .id = "es.dni",
    .name = "Spanish National ID",
    .local_name = "Documento Nacional de Identidad",
    .abbreviation = "DNI",
    .aliases = kDniAliases,
    .candidate_pattern = "\\d{1,2}\\.?\\d{3}\\.?\\d{3}-?[A-Z]",
    .lengths = kDniLengths,
    .examples = kDniExamples,
    .ops = {.precheck = nullptr, .generate = dni_generate, .parse = nullptr,
            .compact = dni_compact, .format = dni_compact, .validate = dni_validate},
    .country = country("ES"),
    .entity = EntityType::Person,
};

}  // namespace ov
