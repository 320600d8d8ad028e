// Numbers of the Americas: British Columbia's health number, Costa Rica's
// legal-person and residence numbers, the Dominican Republic's identity
// card and receipt numbers, Ecuador's identity card, Peru's CUI, Paraguay's
// RUC, El Salvador's NIT and two US tax numbers.
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
using extended::random_from;

// ---- ca.bc_phn ---------------------------------------------------------------
// Ten digits, the first a 9; digits 2 to 9 weighted 2, 4, 8, 5, 10, 9, 7, 3,
// the check digit is 11 minus the sum modulo 11 (remainders 0 and 1 give no
// digit, so such numbers are never issued).

int bc_phn_check(std::string_view s) noexcept {
    const int r = weighted_digits(s.substr(1), {2, 4, 8, 5, 10, 9, 7, 3}) % 11;
    return r < 2 ? -1 : 11 - r;
}

ValidationOutcome bc_phn_check_op(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "BC PHN must be 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "BC PHN must contain only digits");
    if (s[0] != '9') return fail(ErrorCode::InvalidComponent, "BC PHN must start with 9");
    if (bc_phn_check(s) != s[9] - '0') return fail(ErrorCode::InvalidChecksum, "BC PHN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string bc_phn_present(std::string_view s) { return join_at(s, {4, 7}, ' '); }

std::string bc_phn_generate() {
    for (;;) {
        std::string s = random_digits_from("9", 9);
        const int c = bc_phn_check(s + "0");
        if (c < 0) continue;
        s.push_back(static_cast<char>('0' + c));
        return s;
    }
}

constexpr KindRule kBcPhnRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = bc_phn_check_op, .present = bc_phn_present, .generate = bc_phn_generate,
};

// ---- cr.cpj ------------------------------------------------------------------
// Ten digits: the class of legal person (2 to 5), the type within the class
// (three digits, from the National Registry's list) and a six-digit
// sequence. No check digit. The assigned class and type pairs (the check
// tests the same ranges arithmetically; the generator draws from here):

constexpr std::string_view kCpjTypes[] = {
    "2100", "2200", "2300", "2400", "3002", "3003", "3004", "3005", "3006", "3007", "3008", "3009",
    "3010", "3011", "3012", "3013", "3014", "3101", "3102", "3103", "3104", "3105", "3106", "3107",
    "3108", "3109", "3110", "4000", "5001",
};

ValidationOutcome cpj_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "Costa Rica CPJ must be 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Costa Rica CPJ must contain only digits");
    const auto type = digits_value(s.substr(1, 3));
    bool known = false;
    switch (s[0]) {
        case '2': known = type % 100 == 0 && type >= 100 && type <= 400; break;
        case '3': known = (type >= 2 && type <= 14) || (type >= 101 && type <= 110); break;
        case '4': known = type == 0; break;
        case '5': known = type == 1; break;
        default: break;
    }
    if (!known) return fail(ErrorCode::InvalidComponent, "Costa Rica CPJ class and type are not assigned");
    return ValidationOutcome::success_input(s);
}

std::string cpj_present(std::string_view s) { return join_at(s, {1, 4}, '-'); }

std::string cpj_generate() {
    return std::string(kCpjTypes[random_below(std::size(kCpjTypes))]) + random_digits(6);
}

constexpr KindRule kCpjRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = cpj_check, .present = cpj_present, .generate = cpj_generate,
};

// ---- cr.cr -------------------------------------------------------------------
// The residence card number (DIMEX): 11 or 12 digits, 1 and the country of
// origin's code first, then the running counts. No check digit.

ValidationOutcome cr_check(std::string_view s) {
    if (s.size() != 11 && s.size() != 12)
        return fail(ErrorCode::InvalidLength, "Costa Rica residence number must be 11 or 12 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Costa Rica residence number must contain only digits");
    if (s[0] != '1') return fail(ErrorCode::InvalidComponent, "Costa Rica residence number must start with 1");
    return ValidationOutcome::success_input(s);
}

std::string cr_generate() { return random_digits_from("1", 11 + random_below(2)); }

constexpr KindRule kCrRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = cr_check, .present = nullptr, .generate = cr_generate,
};

// ---- do.cedula ---------------------------------------------------------------
// Eleven digits: the issuing office (3), a sequence (7) and a Luhn check digit.

constexpr LuhnNumber kCedula = {11, {}, "Dominican cédula must be 11 digits",
                                "Dominican cédula must contain only digits", {},
                                "Dominican cédula check digit does not match"};
ValidationOutcome cedula_check(std::string_view s) { return check_luhn_number(s, kCedula); }

std::string cedula_present(std::string_view s) { return join_at(s, {3, 10}, '-'); }

std::string cedula_generate() { return generate_luhn_number(kCedula); }

constexpr KindRule kCedulaRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = cedula_check, .present = cedula_present, .generate = cedula_generate,
};

// ---- do.ncf ------------------------------------------------------------------
// A fiscal receipt number in one of three series: B, the document type and
// eight digits (11 characters); E, the type and ten digits (electronic
// receipts, 13); before May 2018, A or P, business unit (2), location (3),
// mechanism (3), type and eight digits (19).

constexpr std::string_view kNcfTypes[] = {"01", "02", "03", "04", "11", "12", "13", "14", "15", "16", "17"};
constexpr std::string_view kEcfTypes[] = {"31", "32", "33", "34", "41", "43", "44", "45", "46", "47"};

template <std::size_t N>
bool listed(std::string_view code, const std::string_view (&list)[N]) noexcept {
    for (std::string_view t : list)
        if (t == code) return true;
    return false;
}

ValidationOutcome ncf_check(std::string_view s) {
    if (s.size() != 11 && s.size() != 13 && s.size() != 19)
        return fail(ErrorCode::InvalidLength, "NCF must be 11, 13 or 19 characters");
    const char series = s[0];
    const bool shape = all_digits(s.substr(1)) && (s.size() == 11   ? series == 'B'
                                                   : s.size() == 13 ? series == 'E'
                                                                    : series == 'A' || series == 'P');
    if (!shape)
        return fail(ErrorCode::InvalidFormat, "NCF must be the series letter (B, E, or A/P for 19 characters) and digits");
    const bool known = s.size() == 13   ? listed(s.substr(1, 2), kEcfTypes)
                       : s.size() == 11 ? listed(s.substr(1, 2), kNcfTypes)
                                        : listed(s.substr(9, 2), kNcfTypes);
    if (!known) return fail(ErrorCode::InvalidComponent, "NCF document type is not assigned");
    return ValidationOutcome::success_input(s);
}

std::string ncf_generate() {
    switch (random_below(3)) {
        case 0: return cat({"B", kNcfTypes[random_below(std::size(kNcfTypes))], random_digits(8)});
        case 1: return cat({"E", kEcfTypes[random_below(std::size(kEcfTypes))], random_digits(10)});
        default:
            return cat({random_from("AP", 1), random_digits(8), kNcfTypes[random_below(std::size(kNcfTypes))],
                        random_digits(8)});
    }
}

constexpr KindRule kNcfRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = ncf_check, .present = nullptr, .generate = ncf_generate,
};

// ---- ec.ci -------------------------------------------------------------------
// Ten digits: the province (01 to 24, 30 for Ecuadorians abroad), a third
// digit below 6 for natural persons, and a check digit: coefficients 2 and
// 1 alternate over the first nine digits, products above 9 lose 9, and the
// check digit completes the sum to a multiple of ten.

int ec_ci_check(std::string_view s) noexcept {
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        int p = (s[i] - '0') * (i % 2 == 0 ? 2 : 1);
        sum += p > 9 ? p - 9 : p;
    }
    return (10 - sum % 10) % 10;
}

ValidationOutcome ec_ci_check_op(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "Ecuadorian CI must be 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Ecuadorian CI must contain only digits");
    const int province = two_digits(s, 0);
    if ((province < 1 || province > 24) && province != 30)
        return fail(ErrorCode::InvalidComponent, "Ecuadorian CI province must be 01 to 24 or 30");
    if (s[2] > '5') return fail(ErrorCode::InvalidComponent, "Ecuadorian CI third digit must be 0 to 5");
    if (ec_ci_check(s) != s[9] - '0') return fail(ErrorCode::InvalidChecksum, "Ecuadorian CI check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ec_ci_generate() {
    const auto p = random_below(25);
    const int province = p == 24 ? 30 : static_cast<int>(p) + 1;
    std::string s = cat({std::to_string(province / 10), std::to_string(province % 10), random_from("012345", 1),
                         random_digits(6)});
    s.push_back(static_cast<char>('0' + ec_ci_check(s + "0")));
    return s;
}

constexpr KindRule kEcCiRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = ec_ci_check_op, .present = nullptr, .generate = ec_ci_generate,
};

// ---- pe.cui ------------------------------------------------------------------
// The eight digits of the identity document, optionally followed by its
// check character: weights 3, 2, 7, 6, 5, 4, 3, 2, and the complement of
// the sum modulo 11 picks a digit or a letter from the two tables (the
// card shows either).

constexpr std::string_view kCuiDigits = "67890112345";
constexpr std::string_view kCuiLetters = "KABCDEFGHIJ";

std::size_t cui_index(std::string_view s) noexcept {
    return static_cast<std::size_t>((11 - weighted_digits(s, {3, 2, 7, 6, 5, 4, 3, 2}) % 11) % 11);
}

ValidationOutcome cui_check(std::string_view s) {
    if (s.size() != 8 && s.size() != 9) return fail(ErrorCode::InvalidLength, "Peruvian CUI must be 8 digits and an optional check character");
    if (!all_digits(s.substr(0, 8)) || (s.size() == 9 && !is_digit(s[8]) && !is_upper(s[8])))
        return fail(ErrorCode::InvalidFormat, "Peruvian CUI must be 8 digits and an optional check character");
    if (s.size() == 9) {
        const std::size_t i = cui_index(s);
        if (s[8] != kCuiDigits[i] && s[8] != kCuiLetters[i])
            return fail(ErrorCode::InvalidChecksum, "Peruvian CUI check character does not match");
    }
    return ValidationOutcome::success_input(s);
}

std::string cui_present(std::string_view s) { return join_at(s, {8}, '-'); }

std::string cui_generate() {
    std::string s = random_digits(8);
    switch (random_below(3)) {
        case 0: break;
        case 1: s.push_back(kCuiDigits[cui_index(s)]); break;
        default: s.push_back(kCuiLetters[cui_index(s)]); break;
    }
    return s;
}

constexpr KindRule kCuiRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = cui_check, .present = cui_present, .generate = cui_generate,
};

// ---- py.ruc ------------------------------------------------------------------
// The base number (the identity card's digits for persons, 8 digits from
// 80000000 for legal entities) and a check digit: weights 2, 3, 4, ...
// from the right, 11 minus the sum modulo 11, 0 for remainders 0 and 1.

int ruc_check(std::string_view base) noexcept {
    int sum = 0, w = 2;
    for (std::size_t i = base.size(); i-- > 0; ++w) sum += (base[i] - '0') * w;
    const int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

ValidationOutcome ruc_check_op(std::string_view s) {
    if (s.size() < 5 || s.size() > 9) return fail(ErrorCode::InvalidLength, "Paraguayan RUC must be 5 to 9 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Paraguayan RUC must contain only digits");
    if (ruc_check(s.substr(0, s.size() - 1)) != s.back() - '0')
        return fail(ErrorCode::InvalidChecksum, "Paraguayan RUC check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ruc_present(std::string_view s) { return join_at(s, {s.size() - 1}, '-'); }

std::string ruc_generate() {
    std::string s = random_below(3) == 0 ? random_digits_from("8", 8) : random_digits_from("123456789", 5 + random_below(4));
    s.push_back(static_cast<char>('0' + ruc_check(s)));
    return s;
}

constexpr KindRule kRucRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = ruc_check_op, .present = ruc_present, .generate = ruc_generate,
};

// ---- sv.nit ------------------------------------------------------------------
// Fourteen digits: municipality (4), date of birth or incorporation
// (DDMMYY), a sequence (3) and a check digit. Sequences up to 100 (the
// old rule): weights 14 down to 2, the sum modulo 11, 10 read as 0. Above
// 100: weights 2, 7, 6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2, and 11 minus the sum
// modulo 11 (10 and 11 read as 0).

int sv_nit_check(std::string_view s) noexcept {
    if (digits_value(s.substr(10, 3)) <= 100)
        return weighted_digits(s, {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}) % 11 % 10;
    const int r = weighted_digits(s, {2, 7, 6, 5, 4, 3, 2, 7, 6, 5, 4, 3, 2}) % 11;
    return (11 - r) % 11 % 10;
}

ValidationOutcome sv_nit_check_op(std::string_view s) {
    if (s.size() != 14) return fail(ErrorCode::InvalidLength, "Salvadoran NIT must be 14 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Salvadoran NIT must contain only digits");
    if (s[0] != '0' && s[0] != '1' && s[0] != '9')
        return fail(ErrorCode::InvalidComponent, "Salvadoran NIT must start with 0, 1 or 9");
    if (sv_nit_check(s) != s[13] - '0') return fail(ErrorCode::InvalidChecksum, "Salvadoran NIT check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string sv_nit_present(std::string_view s) { return join_at(s, {4, 10, 13}, '-'); }

std::string sv_nit_generate() {
    std::string s = cat({random_digits_from("019", 4), random_ddmmyy(), random_digits(3)});
    s.push_back(static_cast<char>('0' + sv_nit_check(s + "0")));
    return s;
}

constexpr KindRule kSvNitRule = {
    .separators = " -", .upper = true, .prefix = "SV",
    .check = sv_nit_check_op, .present = sv_nit_present, .generate = sv_nit_generate,
};

// ---- us.atin -----------------------------------------------------------------
// Nine digits written 9XX-93-XXXX: the IRS issues adoption numbers from the
// area 9 with the group 93.

ValidationOutcome atin_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "ATIN must be 9 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "ATIN must contain only digits");
    if (s[0] != '9' || s[3] != '9' || s[4] != '3')
        return fail(ErrorCode::InvalidComponent, "ATIN must be written 9XX-93-XXXX");
    return ValidationOutcome::success_input(s);
}

std::string atin_present(std::string_view s) { return join_at(s, {3, 5}, '-'); }

std::string atin_generate() { return cat({random_digits_from("9", 3), "93", random_digits(4)}); }

constexpr KindRule kAtinRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = atin_check, .present = atin_present, .generate = atin_generate,
};

// ---- us.ptin -----------------------------------------------------------------
// The letter P and eight digits.

ValidationOutcome ptin_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "PTIN must be P and 8 digits");
    if (s[0] != 'P' || !all_digits(s.substr(1))) return fail(ErrorCode::InvalidFormat, "PTIN must be P and 8 digits");
    return ValidationOutcome::success_input(s);
}

std::string ptin_generate() { return cat({"P", random_digits(8)}); }

constexpr KindRule kPtinRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = ptin_check, .present = nullptr, .generate = ptin_generate,
};

// ---- metadata ------------------------------------------------------------------

constexpr std::string_view kBcPhnAliases[] = {"PHN", "Personal Health Number", "BC PHN", "BC Services Card", "CareCard"};
constexpr std::string_view kBcPhnExamples[] = {"9698 658 215", "9876543218"};
constexpr std::uint64_t kBcPhnLengths[] = {10};

constexpr std::string_view kCpjAliases[] = {"CPJ", "cédula jurídica", "cedula juridica", "cédula de persona jurídica"};
constexpr std::string_view kCpjExamples[] = {"3-101-123456", "4-000-042138"};
constexpr std::uint64_t kCpjLengths[] = {10};

constexpr std::string_view kCrAliases[] = {"DIMEX", "cédula de residencia", "cedula de residencia", "Documento de Identidad Migratorio para Extranjeros"};
constexpr std::string_view kCrExamples[] = {"155812994816", "122200569906"};
constexpr std::uint64_t kCrLengths[] = {11, 12};

constexpr std::string_view kCedulaAliases[] = {"cédula", "cedula", "cédula de identidad y electoral", "Dominican cédula"};
constexpr std::string_view kCedulaExamples[] = {"001-1391820-5", "224-0002211-1"};
constexpr std::uint64_t kCedulaLengths[] = {11};

constexpr std::string_view kNcfAliases[] = {"NCF", "e-NCF", "número de comprobante fiscal", "comprobante fiscal", "e-CF"};
constexpr std::string_view kNcfExamples[] = {"B0100000001", "E310000000001", "A010010010100000001"};
constexpr std::uint64_t kNcfLengths[] = {11, 13, 19};

constexpr std::string_view kEcCiAliases[] = {"CI", "cédula de identidad", "cedula de identidad", "cédula de ciudadanía"};
constexpr std::string_view kEcCiExamples[] = {"1714307103", "0926687856"};
constexpr std::uint64_t kEcCiLengths[] = {10};

constexpr std::string_view kCuiAliases[] = {"CUI", "DNI", "Documento Nacional de Identidad", "Código Único de Identificación"};
constexpr std::string_view kCuiExamples[] = {"10117410", "10117410-2", "10117410G"};
constexpr std::uint64_t kCuiLengths[] = {8, 9};

constexpr std::string_view kRucAliases[] = {"RUC", "Registro Único del Contribuyente", "Registro Unico del Contribuyente"};
constexpr std::string_view kRucExamples[] = {"80028061-0", "2660-3", "800000358"};
constexpr std::uint64_t kRucLengths[] = {5, 6, 7, 8, 9};

constexpr std::string_view kSvNitAliases[] = {"NIT", "Número de Identificación Tributaria", "Numero de Identificacion Tributaria"};
constexpr std::string_view kSvNitExamples[] = {"0614-050707-104-8", "0614-280990-101-8"};
constexpr std::uint64_t kSvNitLengths[] = {14};

constexpr std::string_view kAtinAliases[] = {"ATIN", "Adoption Taxpayer Identification Number", "adoption TIN"};
constexpr std::string_view kAtinExamples[] = {"900-93-0000", "912-93-4567"};
constexpr std::uint64_t kAtinLengths[] = {9};

constexpr std::string_view kPtinAliases[] = {"PTIN", "Preparer Tax Identification Number", "preparer TIN"};
constexpr std::string_view kPtinExamples[] = {"P01594846", "P-00634642"};
constexpr std::uint64_t kPtinLengths[] = {9};

}  // namespace

const ValidatorSpec kCaBcPhnSpec = {
    .source_url = "https://www2.gov.bc.ca/gov/content/health/practitioner-professional-resources/software/conformance-standards",
    .id = "ca.bc_phn", .name = "BC Personal Health Number", .local_name = "Personal Health Number",
    .abbreviation = "PHN", .aliases = kBcPhnAliases, .candidate_pattern = "9\\d{9}",
    .lengths = kBcPhnLengths, .examples = kBcPhnExamples, .ops = kind_ops<kBcPhnRule>(),
    .country = country("CA"), .entity = EntityType::Person,
};

const ValidatorSpec kCrCpjSpec = {
    .source_url = "https://www.hacienda.go.cr/consultapagos/ayuda_cedulas.htm",
    .id = "cr.cpj", .name = "Costa Rica Legal Person Number", .local_name = "Cédula de Persona Jurídica",
    .abbreviation = "CPJ", .aliases = kCpjAliases, .candidate_pattern = "[2-5]\\d{9}",
    .lengths = kCpjLengths, .examples = kCpjExamples, .ops = kind_ops<kCpjRule>(),
    .country = country("CR"), .entity = EntityType::Company,
};

const ValidatorSpec kCrCrSpec = {
    .source_url = "https://www.hacienda.go.cr/consultapagos/ayuda_cedulas.htm",
    .id = "cr.cr", .name = "Costa Rica Residence Card Number", .local_name = "Cédula de Residencia",
    .abbreviation = "DIMEX", .aliases = kCrAliases, .candidate_pattern = "1\\d{10,11}",
    .lengths = kCrLengths, .examples = kCrExamples, .ops = kind_ops<kCrRule>(),
    .country = country("CR"), .entity = EntityType::Person,
};

const ValidatorSpec kDoCedulaSpec = {
    .source_url = "https://jce.gob.do/",
    .id = "do.cedula", .name = "Dominican Republic Identity Card Number", .local_name = "Cédula de Identidad y Electoral",
    .abbreviation = "Cédula", .aliases = kCedulaAliases, .candidate_pattern = "\\d{11}",
    .lengths = kCedulaLengths, .examples = kCedulaExamples, .ops = kind_ops<kCedulaRule>(),
    .country = country("DO"), .entity = EntityType::Person,
};

const ValidatorSpec kDoNcfSpec = {
    .source_url = "https://dgii.gov.do/cicloContribuyente/facturacion/comprobantesFiscales/Paginas/tiposComprobantes.aspx",
    .id = "do.ncf", .name = "Dominican Republic Fiscal Receipt Number", .local_name = "Número de Comprobante Fiscal",
    .abbreviation = "NCF", .aliases = kNcfAliases, .candidate_pattern = "B\\d{10}|E\\d{12}|[AP]\\d{18}",
    .lengths = kNcfLengths, .examples = kNcfExamples, .ops = kind_ops<kNcfRule>(),
    .country = country("DO"), .entity = EntityType::Company,
};

const ValidatorSpec kEcCiSpec = {
    .source_url = "https://www.registrocivil.gob.ec/",
    .id = "ec.ci", .name = "Ecuadorian Identity Card Number", .local_name = "Cédula de Identidad",
    .abbreviation = "CI", .aliases = kEcCiAliases, .candidate_pattern = "[0-3]\\d[0-5]\\d{7}",
    .lengths = kEcCiLengths, .examples = kEcCiExamples, .ops = kind_ops<kEcCiRule>(),
    .country = country("EC"), .entity = EntityType::Person,
};

const ValidatorSpec kPeCuiSpec = {
    .source_url = "https://www.gob.pe/235-documento-nacional-de-identidad-dni",
    .id = "pe.cui", .name = "Peruvian Identity Number", .local_name = "Cédula Única de Identidad",
    .abbreviation = "CUI", .aliases = kCuiAliases, .candidate_pattern = "\\d{8}[0-9A-K]?",
    .lengths = kCuiLengths, .examples = kCuiExamples, .ops = kind_ops<kCuiRule>(),
    .country = country("PE"), .entity = EntityType::Person,
};

const ValidatorSpec kPyRucSpec = {
    .source_url = "https://www.dnit.gov.py/",
    .id = "py.ruc", .name = "Paraguayan Taxpayer Number", .local_name = "Registro Único del Contribuyente",
    .abbreviation = "RUC", .aliases = kRucAliases, .candidate_pattern = "\\d{5,9}",
    .lengths = kRucLengths, .examples = kRucExamples, .ops = kind_ops<kRucRule>(),
    .country = country("PY"), .entity = EntityType::Any,
};

const ValidatorSpec kSvNitSpec = {
    .source_url = "https://www.mh.gob.sv/",
    .id = "sv.nit", .name = "Salvadoran Tax Identification Number", .local_name = "Número de Identificación Tributaria",
    .abbreviation = "NIT", .aliases = kSvNitAliases, .candidate_pattern = "[019]\\d{13}",
    .lengths = kSvNitLengths, .examples = kSvNitExamples, .ops = kind_ops<kSvNitRule>(),
    .country = country("SV"), .entity = EntityType::Any,
};

const ValidatorSpec kUsAtinSpec = {
    .source_url = "https://www.irs.gov/individuals/adoption-taxpayer-identification-number",
    .id = "us.atin", .name = "US Adoption Taxpayer Identification Number", .local_name = "Adoption Taxpayer Identification Number",
    .abbreviation = "ATIN", .aliases = kAtinAliases, .candidate_pattern = "9\\d{2}93\\d{4}",
    .lengths = kAtinLengths, .examples = kAtinExamples, .ops = kind_ops<kAtinRule>(),
    .country = country("US"), .entity = EntityType::Person,
};

const ValidatorSpec kUsPtinSpec = {
    .source_url = "https://www.irs.gov/tax-professionals/ptin-requirements-for-tax-return-preparers",
    .id = "us.ptin", .name = "US Preparer Tax Identification Number", .local_name = "Preparer Tax Identification Number",
    .abbreviation = "PTIN", .aliases = kPtinAliases, .candidate_pattern = "P\\d{8}",
    .lengths = kPtinLengths, .examples = kPtinExamples, .ops = kind_ops<kPtinRule>(),
    .country = country("US"), .entity = EntityType::Person,
};

}  // namespace ov::world
