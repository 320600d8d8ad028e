// Numbers of Africa: tax numbers of Algeria, Guinea, Kenya, Mozambique,
// Senegal, Tunisia and South Africa, and Mauritius's identity number.
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/world/rules.h"

namespace ov::world {

namespace {

using extended::fail;
using extended::join_at;
using extended::kind_ops;
using extended::KindRule;
using extended::kUpperLetters;
using extended::random_from;

// ---- dz.nif ------------------------------------------------------------------
// Fifteen digits; twenty for a branch or secondary establishment. The tax
// administration publishes no check digit.

ValidationOutcome dz_nif_check(std::string_view s) {
    if (s.size() != 15 && s.size() != 20) return fail(ErrorCode::InvalidLength, "Algerian NIF must be 15 or 20 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Algerian NIF must contain only digits");
    return ValidationOutcome::success_input(s);
}

std::string dz_nif_generate() { return random_digits(random_below(2) == 0 ? 15 : 20); }

constexpr KindRule kDzNifRule = {
    .separators = " -./", .upper = false, .prefix = {},
    .check = dz_nif_check, .present = nullptr, .generate = dz_nif_generate,
};

// ---- gn.nifp -----------------------------------------------------------------
// Nine digits: eight drawn at random by the tax administration and a Luhn
// check digit; written in three groups of three.

constexpr LuhnNumber kNifp = {9, {}, "Guinean NIFp must be 9 digits", "Guinean NIFp must contain only digits", {},
                              "Guinean NIFp check digit does not match"};
ValidationOutcome nifp_check(std::string_view s) { return check_luhn_number(s, kNifp); }

std::string nifp_present(std::string_view s) { return join_at(s, {3, 6}, '-'); }

std::string nifp_generate() { return generate_luhn_number(kNifp); }

constexpr KindRule kNifpRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = nifp_check, .present = nifp_present, .generate = nifp_generate,
};

// ---- ke.pin ------------------------------------------------------------------
// Eleven characters: A (individuals) or P (other taxpayers), nine digits
// and a letter.

ValidationOutcome ke_pin_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "KRA PIN must be 11 characters");
    if (!is_upper(s[0]) || !all_digits(s.substr(1, 9)) || !is_upper(s[10]))
        return fail(ErrorCode::InvalidFormat, "KRA PIN must be a letter, nine digits and a letter");
    if (s[0] != 'A' && s[0] != 'P') return fail(ErrorCode::InvalidComponent, "KRA PIN must start with A or P");
    return ValidationOutcome::success_input(s);
}

std::string ke_pin_generate() { return cat({random_from("AP", 1), random_digits(9), random_from(kUpperLetters, 1)}); }

constexpr KindRule kKePinRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = ke_pin_check, .present = nullptr, .generate = ke_pin_generate,
};

// ---- mu.nid ------------------------------------------------------------------
// Fourteen characters: the first letter of the surname at birth, the date
// of birth (DDMMYY), six digits and a check character: characters valued
// 0-9 and A=10 .. Z=35, weighted 14 down to 2; the character whose value
// completes the sum to a multiple of 17.

constexpr std::string_view kBase36 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

char mu_nid_check(std::string_view s) noexcept {
    int sum = 0;
    for (std::size_t i = 0; i < 13; ++i) {
        const int v = is_digit(s[i]) ? s[i] - '0' : s[i] - 'A' + 10;
        sum += v * static_cast<int>(14 - i);
    }
    return kBase36[static_cast<std::size_t>((17 - sum % 17) % 17)];
}

ValidationOutcome mu_nid_check_op(std::string_view s) {
    if (s.size() != 14) return fail(ErrorCode::InvalidLength, "Mauritian ID number must be 14 characters");
    if (!is_upper(s[0]) || !all_digits(s.substr(1, 12)) || !(is_digit(s[13]) || is_upper(s[13])))
        return fail(ErrorCode::InvalidFormat, "Mauritian ID number must be a letter, twelve digits and a check character");
    if (!two_digit_year_date(two_digits(s, 1), two_digits(s, 3), two_digits(s, 5)))
        return fail(ErrorCode::InvalidComponent, "Mauritian ID number date of birth is not a date");
    if (mu_nid_check(s) != s[13]) return fail(ErrorCode::InvalidChecksum, "Mauritian ID number check character does not match");
    return ValidationOutcome::success_input(s);
}

std::string mu_nid_generate() {
    std::string s = cat({random_from(kUpperLetters, 1), random_ddmmyy(), random_digits(6)});
    s.push_back(mu_nid_check(s + "0"));
    return s;
}

constexpr KindRule kMuNidRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = mu_nid_check_op, .present = nullptr, .generate = mu_nid_generate,
};

// ---- mz.nuit -----------------------------------------------------------------
// Nine digits: the kind of taxpayer, seven sequence digits and a check
// digit: weights 3, 2, 7, 6, 5, 4, 3, 2 and 11 minus the sum modulo 11;
// remainders 0 and 1 give the digit itself.

int nuit_check(std::string_view s) noexcept {
    const int r = weighted_digits(s, {3, 2, 7, 6, 5, 4, 3, 2}) % 11;
    return r < 2 ? r : 11 - r;
}

ValidationOutcome nuit_check_op(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "NUIT must be 9 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "NUIT must contain only digits");
    if (nuit_check(s) != s[8] - '0') return fail(ErrorCode::InvalidChecksum, "NUIT check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string nuit_present(std::string_view s) { return join_at(s, {3, 6}, ' '); }

std::string nuit_generate() {
    std::string s = random_digits(8);
    s.push_back(static_cast<char>('0' + nuit_check(s)));
    return s;
}

constexpr KindRule kNuitRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = nuit_check_op, .present = nuit_present, .generate = nuit_generate,
};

// ---- sn.ninea ----------------------------------------------------------------
// The identification number (7 digits, 9 since the register's renewal),
// its last digit a check digit: weights 1 and 2 alternate from the left
// and the check digit completes the sum to a multiple of ten. It may be
// followed by the tax identification code (COFI): 0, 1 or 2, a letter
// (neither I, O, X nor Y) and a digit.

int ninea_check(std::string_view payload) noexcept {
    int sum = 0;
    for (std::size_t i = 0; i < payload.size(); ++i) sum += (payload[i] - '0') * (i % 2 == 0 ? 1 : 2);
    return (10 - sum % 10) % 10;
}

constexpr std::string_view kCofiLetters = "ABCDEFGHJKLMNPQRSTUVWZ";

ValidationOutcome ninea_check_op(std::string_view s) {
    const bool cofi = s.size() == 10 || s.size() == 12;
    if (s.size() != 7 && s.size() != 9 && !cofi)
        return fail(ErrorCode::InvalidLength, "NINEA must be 7 or 9 digits and an optional 3-character COFI");
    const std::string_view id = s.substr(0, cofi ? s.size() - 3 : s.size());
    if (!all_digits(id) || (cofi && (!is_digit(s[s.size() - 3]) || !is_upper(s[s.size() - 2]) || !is_digit(s.back()))))
        return fail(ErrorCode::InvalidFormat, "NINEA must be digits and an optional COFI (digit, letter, digit)");
    if (cofi && (s[s.size() - 3] > '2' || kCofiLetters.find(s[s.size() - 2]) == std::string_view::npos))
        return fail(ErrorCode::InvalidComponent, "NINEA COFI is not assigned");
    if (ninea_check(id.substr(0, id.size() - 1)) != id.back() - '0')
        return fail(ErrorCode::InvalidChecksum, "NINEA check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ninea_present(std::string_view s) {
    return s.size() == 10 || s.size() == 12 ? join_at(s, {s.size() - 3}, ' ') : std::string(s);
}

std::string ninea_generate() {
    std::string s = random_digits(random_below(2) == 0 ? 6 : 8);
    s.push_back(static_cast<char>('0' + ninea_check(s)));
    if (random_below(2) == 0) s += cat({random_from("012", 1), random_from(kCofiLetters, 1), random_digits(1)});
    return s;
}

constexpr KindRule kNineaRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = ninea_check_op, .present = ninea_present, .generate = ninea_generate,
};

// ---- tn.mf -------------------------------------------------------------------
// The tax identifier: seven digits and a control letter (never I, O or U),
// alone or followed by the VAT code (A, P, B, D or N), the category (M, P,
// C, N or E) and the secondary establishment number (000, other numbers
// only with category E).

constexpr std::string_view kMfControl = "ABCDEFGHJKLMNPQRSTVWXYZ";

ValidationOutcome mf_check(std::string_view s) {
    if (s.size() != 8 && s.size() != 13)
        return fail(ErrorCode::InvalidLength, "Tunisian MF must be 8 or 13 characters");
    if (!all_digits(s.substr(0, 7)) || !is_upper(s[7]) ||
        (s.size() == 13 && (!is_upper(s[8]) || !is_upper(s[9]) || !all_digits(s.substr(10)))))
        return fail(ErrorCode::InvalidFormat, "Tunisian MF must be seven digits, a letter, and optionally two letters and three digits");
    if (kMfControl.find(s[7]) == std::string_view::npos)
        return fail(ErrorCode::InvalidComponent, "Tunisian MF control letter must not be I, O or U");
    if (s.size() == 13) {
        if (std::string_view("APBDN").find(s[8]) == std::string_view::npos)
            return fail(ErrorCode::InvalidComponent, "Tunisian MF VAT code must be A, P, B, D or N");
        if (std::string_view("MPCNE").find(s[9]) == std::string_view::npos)
            return fail(ErrorCode::InvalidComponent, "Tunisian MF category must be M, P, C, N or E");
        if (s[9] != 'E' && s.substr(10) != "000")
            return fail(ErrorCode::InvalidComponent, "Tunisian MF establishment number must be 000 outside category E");
    }
    return ValidationOutcome::success_input(s);
}

std::string mf_present(std::string_view s) { return join_at(s, {7, 8, 9, 10}, '/'); }

std::string mf_generate() {
    std::string s = cat({random_digits(7), random_from(kMfControl, 1)});
    if (random_below(3) == 0) return s;
    s += random_from("APBDN", 1);
    if (random_below(2) == 0) return cat({s, random_from("MPCN", 1), "000"});
    return cat({s, "E", random_digits(3)});
}

constexpr KindRule kMfRule = {
    .separators = " -./", .upper = true, .prefix = {},
    .check = mf_check, .present = mf_present, .generate = mf_generate,
};

// ---- za.tin ------------------------------------------------------------------
// Ten digits, the first 0, 1, 2, 3 or 9, the last a Luhn check digit.

constexpr LuhnNumber kZaTin = {10, "01239", "South African TIN must be 10 digits",
                               "South African TIN must contain only digits",
                               "South African TIN must start with 0, 1, 2, 3 or 9",
                               "South African TIN check digit does not match"};
ValidationOutcome za_tin_check(std::string_view s) { return check_luhn_number(s, kZaTin); }

std::string za_tin_generate() { return generate_luhn_number(kZaTin); }

constexpr KindRule kZaTinRule = {
    .separators = " -/", .upper = false, .prefix = {},
    .check = za_tin_check, .present = nullptr, .generate = za_tin_generate,
};

// ---- metadata ------------------------------------------------------------------

constexpr std::string_view kDzNifAliases[] = {"NIF", "N.I.F.", "numéro d'identification fiscale", "رقم التعريف الجبائي"};
constexpr std::string_view kDzNifExamples[] = {"416001000000007", "408 020 000 150 039", "41201600000606600001"};
constexpr std::uint64_t kDzNifLengths[] = {15, 20};

constexpr std::string_view kNifpAliases[] = {"NIFp", "NIF", "numéro d'identification fiscale permanent"};
constexpr std::string_view kNifpExamples[] = {"693-770-885", "123456782"};
constexpr std::uint64_t kNifpLengths[] = {9};

constexpr std::string_view kKePinAliases[] = {"KRA PIN", "PIN", "Personal Identification Number", "KRA"};
constexpr std::string_view kKePinExamples[] = {"P051365947M", "A004416331M"};
constexpr std::uint64_t kKePinLengths[] = {11};

constexpr std::string_view kMuNidAliases[] = {"NID", "National Identity Card", "ID number", "numéro d'identité nationale"};
constexpr std::string_view kMuNidExamples[] = {"J2906201304089", "A0101800000012"};
constexpr std::uint64_t kMuNidLengths[] = {14};

constexpr std::string_view kNuitAliases[] = {"NUIT", "Número Único de Identificação Tributária", "Numero Unico de Identificacao Tributaria"};
constexpr std::string_view kNuitExamples[] = {"400339910", "400 005 834"};
constexpr std::uint64_t kNuitLengths[] = {9};

constexpr std::string_view kNineaAliases[] = {"NINEA", "numéro d'identification nationale des entreprises et associations", "COFI"};
constexpr std::string_view kNineaExamples[] = {"306 7221", "3067221 2G2", "927063545"};
constexpr std::uint64_t kNineaLengths[] = {7, 9, 10, 12};

constexpr std::string_view kMfAliases[] = {"MF", "matricule fiscal", "identifiant fiscal", "المعرف الجبائي"};
constexpr std::string_view kMfExamples[] = {"1234567/M/A/E/001", "1496298/T/P/N/000", "1282182W"};
constexpr std::uint64_t kMfLengths[] = {8, 13};

constexpr std::string_view kZaTinAliases[] = {"TIN", "tax reference number", "income tax reference number", "SARS"};
constexpr std::string_view kZaTinExamples[] = {"0001339050", "9001337121"};
constexpr std::uint64_t kZaTinLengths[] = {10};

}  // namespace

const ValidatorSpec kDzNifSpec = {
    .source_url = "https://www.mfdgi.gov.dz/",
    .id = "dz.nif", .name = "Algerian Tax Identification Number", .local_name = "Numéro d'Identification Fiscale",
    .abbreviation = "NIF", .aliases = kDzNifAliases, .candidate_pattern = "\\d{15}(?:\\d{5})?",
    .lengths = kDzNifLengths, .examples = kDzNifExamples, .ops = kind_ops<kDzNifRule>(),
    .country = country("DZ"), .entity = EntityType::Any,
};

const ValidatorSpec kGnNifpSpec = {
    .source_url = "https://dgi.gov.gn/",
    .id = "gn.nifp", .name = "Guinean Permanent Tax Identification Number", .local_name = "Numéro d'Identification Fiscale Permanent",
    .abbreviation = "NIFp", .aliases = kNifpAliases, .candidate_pattern = "\\d{9}",
    .lengths = kNifpLengths, .examples = kNifpExamples, .ops = kind_ops<kNifpRule>(),
    .country = country("GN"), .entity = EntityType::Any,
};

const ValidatorSpec kKePinSpec = {
    .source_url = "https://www.kra.go.ke/individual/individual-pin-registration/learn-about-pin/about-pin",
    .id = "ke.pin", .name = "Kenyan Tax Personal Identification Number", .local_name = "KRA Personal Identification Number",
    .abbreviation = "PIN", .aliases = kKePinAliases, .candidate_pattern = "[AP]\\d{9}[A-Z]",
    .lengths = kKePinLengths, .examples = kKePinExamples, .ops = kind_ops<kKePinRule>(),
    .country = country("KE"), .entity = EntityType::Any,
};

const ValidatorSpec kMuNidSpec = {
    .source_url = "https://civilstatus.govmu.org/",
    .id = "mu.nid", .name = "Mauritian National Identity Number", .local_name = "National Identity Card Number",
    .abbreviation = "NID", .aliases = kMuNidAliases, .candidate_pattern = "[A-Z]\\d{12}[0-9A-G]",
    .lengths = kMuNidLengths, .examples = kMuNidExamples, .ops = kind_ops<kMuNidRule>(),
    .country = country("MU"), .entity = EntityType::Person,
};

const ValidatorSpec kMzNuitSpec = {
    .source_url = "https://www.at.gov.mz/por/Perguntas-Frequentes2/NUIT",
    .id = "mz.nuit", .name = "Mozambican Taxpayer Number", .local_name = "Número Único de Identificação Tributária",
    .abbreviation = "NUIT", .aliases = kNuitAliases, .candidate_pattern = "\\d{9}",
    .lengths = kNuitLengths, .examples = kNuitExamples, .ops = kind_ops<kNuitRule>(),
    .country = country("MZ"), .entity = EntityType::Any,
};

const ValidatorSpec kSnNineaSpec = {
    .source_url = "https://www.ansd.sn/",
    .id = "sn.ninea", .name = "Senegalese Business Identification Number",
    .local_name = "Numéro d'Identification Nationale des Entreprises et Associations",
    .abbreviation = "NINEA", .aliases = kNineaAliases, .candidate_pattern = "\\d{7}(?:\\d{2})?(?:[0-2][A-Z]\\d)?",
    .lengths = kNineaLengths, .examples = kNineaExamples, .ops = kind_ops<kNineaRule>(),
    .country = country("SN"), .entity = EntityType::Company,
};

const ValidatorSpec kTnMfSpec = {
    .source_url = "https://www.registre-entreprises.tn/",
    .id = "tn.mf", .name = "Tunisian Tax Number", .local_name = "Matricule Fiscal",
    .abbreviation = "MF", .aliases = kMfAliases, .candidate_pattern = "\\d{7}[A-Z](?:[A-Z]{2}\\d{3})?",
    .lengths = kMfLengths, .examples = kMfExamples, .ops = kind_ops<kMfRule>(),
    .country = country("TN"), .entity = EntityType::Any,
};

const ValidatorSpec kZaTinSpec = {
    .source_url = "https://www.sars.gov.za/",
    .id = "za.tin", .name = "South African Tax Reference Number", .local_name = "Tax Reference Number",
    .abbreviation = "TIN", .aliases = kZaTinAliases, .candidate_pattern = "[01239]\\d{9}",
    .lengths = kZaTinLengths, .examples = kZaTinExamples, .ops = kind_ops<kZaTinRule>(),
    .country = country("ZA"), .entity = EntityType::Any,
};

}  // namespace ov::world
