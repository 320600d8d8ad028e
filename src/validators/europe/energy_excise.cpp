// Energy, excise and cross-border tax numbers: `es.cae` (Spanish excise
// establishment code), `es.cups` (Spanish energy supply point),
// `eu.banknote` (euro banknote serial number), `eu.eic` (energy
// identification code), `eu.excise` (excise number), `eu.oss` (VAT number
// of the one-stop shops) and `fr.accise` (French excise number).
#include <iterator>

#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- es.cae ------------------------------------------------------------------
// Código de Actividad y Establecimiento: ES, five digits (the tax office
// managing the establishment), two letters or digits naming the activity,
// a three-digit serial and a control letter whose rule is not published.

ValidationOutcome cae_check(std::string_view s) {
    if (s.size() != 13) return fail(ErrorCode::InvalidLength, "CAE must be 13 characters");
    if (s[0] != 'E' || s[1] != 'S' || !all_digits(s.substr(2, 5)) || !is_upper(s[7]) ||
        !(is_upper(s[8]) || is_digit(s[8])) || !all_digits(s.substr(9, 3)) || !is_upper(s[12]))
        return fail(ErrorCode::InvalidFormat,
                    "CAE must be ES, five digits, an activity code, three digits and a control letter");
    return ValidationOutcome::success_input(s);
}

std::string cae_generate() {
    return "ES" + random_digits(5) + random_from(kUpperLetters, 1) + random_from(kUpperAlnum, 1) + random_digits(3) +
           random_from(kUpperLetters, 1);
}

constexpr KindRule kCaeRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = cae_check, .present = nullptr, .generate = cae_generate,
};

constexpr std::string_view kCaeAliases[] = {
    "CAE", "Código de Actividad y Establecimiento", "codigo de actividad y establecimiento",
    "código de actividad", "excise establishment code",
};
constexpr std::string_view kCaeExamples[] = {"ES00008V1488Q"};
constexpr std::uint64_t kLen13[] = {13};

// ---- es.cups -----------------------------------------------------------------
// Código Universal del Punto de Suministro: ES, the distributor (4 digits),
// the supply point (12 digits), two control letters and, for a border
// point, a digit and a letter saying what kind it is. The 16 digits modulo
// 529 give the control letters: the quotient and remainder by 23, each a
// letter of TRWAGMYFPDXBNJZSQVHLCKE.

constexpr std::string_view kCupsLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
constexpr std::string_view kCupsPointKinds = "FPRCXYZ";

std::string cups_control(std::string_view sixteen) {
    const std::uint64_t r = digits_value(sixteen) % 529;
    return {kCupsLetters[r / 23], kCupsLetters[r % 23]};
}

ValidationOutcome cups_check(std::string_view s) {
    if (s.size() != 20 && s.size() != 22) return fail(ErrorCode::InvalidLength, "CUPS must be 20 or 22 characters");
    if (s[0] != 'E' || s[1] != 'S' || !all_digits(s.substr(2, 16)) || !is_upper(s[18]) || !is_upper(s[19]))
        return fail(ErrorCode::InvalidFormat, "CUPS must be ES, 16 digits and 2 control letters");
    if (s.size() == 22 && (!is_digit(s[20]) || kCupsPointKinds.find(s[21]) == std::string_view::npos))
        return fail(ErrorCode::InvalidComponent, "CUPS border point must be a digit and one of F, P, R, C, X, Y, Z");
    if (cups_control(s.substr(2, 16)) != s.substr(18, 2))
        return fail(ErrorCode::InvalidChecksum, "CUPS control letters do not match");
    return ValidationOutcome::success_input(s);
}

std::string cups_present(std::string_view s) { return join_at(s, {2, 6, 10, 14, 18, 20}, ' '); }

std::string cups_generate() {
    const std::string digits = random_digits(16);
    std::string s = "ES" + digits + cups_control(digits);
    if (random_below(3) == 0) s += random_digits(1) + random_from(kCupsPointKinds, 1);
    return s;
}

constexpr KindRule kCupsRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = cups_check, .present = cups_present, .generate = cups_generate,
};

constexpr std::string_view kCupsAliases[] = {
    "CUPS", "Código Universal del Punto de Suministro", "codigo universal del punto de suministro",
    "punto de suministro", "supply point code",
};
constexpr std::string_view kCupsExamples[] = {"ES 1234 1234 5678 9012 JY 1F", "ES0031405824361790BS"};
constexpr std::uint64_t kCupsLengths[] = {20, 22};

// ---- eu.banknote -------------------------------------------------------------
// The serial number of a euro banknote: a letter and eleven digits (first
// series) or two letters and ten digits (Europa series). With each letter
// counted as its character code, the sum of all is divisible by 9.

ValidationOutcome banknote_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "Banknote serial number must be 12 characters");
    const std::size_t letters = is_upper(s[1]) ? 2 : 1;
    if (!is_upper(s[0]) || !all_digits(s.substr(letters)))
        return fail(ErrorCode::InvalidFormat, "Banknote serial number must be one or two letters and digits");
    unsigned sum = 0;
    for (char c : s) sum += is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned char>(c);
    if (sum % 9 != 0) return fail(ErrorCode::InvalidChecksum, "Banknote serial number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string banknote_generate() {
    std::string s = random_from(kUpperLetters, 1 + random_below(2));
    s += random_digits(11 - s.size());
    unsigned sum = 0;
    for (char c : s) sum += is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned char>(c);
    s.push_back(static_cast<char>('0' + (9 - sum % 9) % 9));
    return s;
}

constexpr KindRule kBanknoteRule = {
    .separators = " ", .upper = true, .prefix = {},
    .check = banknote_check, .present = nullptr, .generate = banknote_generate,
};

constexpr std::string_view kBanknoteAliases[] = {
    "banknote serial number", "euro banknote", "serial number", "Seriennummer", "numéro de série",
    "numero di serie", "número de serie",
};
constexpr std::string_view kBanknoteExamples[] = {"P36007033744", "UA1234567893"};
constexpr std::uint64_t kLen12[] = {12};

// ---- eu.eic ------------------------------------------------------------------
// Energy Identification Code: the issuing office (2 characters), the kind
// of object (a letter), twelve letters, digits or hyphens and a check
// character. Characters count 0-9, A = 10 .. Z = 35 and '-' = 36, weighted
// 16 down to 2; the check is 36 - (sum - 1) mod 37, and a code whose check
// would be '-' is never issued.

constexpr std::string_view kEicAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-";

// Each byte's value (the caller checks the alphabet first; others count 0).
struct EicValues {
    std::uint8_t of[256]{};
    constexpr EicValues() {
        for (std::size_t i = 0; i < kEicAlphabet.size(); ++i) of[static_cast<unsigned char>(kEicAlphabet[i])] = static_cast<std::uint8_t>(i);
    }
};
constexpr EicValues kEicValues;

char eic_check_char(std::string_view fifteen) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 15; ++i)
        sum += kEicValues.of[static_cast<unsigned char>(fifteen[i])] * static_cast<unsigned>(16 - i);
    return kEicAlphabet[36 - (sum + 36) % 37];
}

ValidationOutcome eic_check(std::string_view s) {
    if (s.size() != 16) return fail(ErrorCode::InvalidLength, "EIC must be 16 characters");
    if (!extended::all_upper_alnum(s.substr(0, 2)) || !is_upper(s[2]) || !all_in(s.substr(3, 12), kEicAlphabet) ||
        !extended::all_upper_alnum(s.substr(15)))
        return fail(ErrorCode::InvalidFormat,
                    "EIC must be an office code, an object letter, 12 letters, digits or hyphens and a check character");
    if (eic_check_char(s.substr(0, 15)) != s[15]) return fail(ErrorCode::InvalidChecksum, "EIC check character does not match");
    return ValidationOutcome::success_input(s);
}

std::string eic_generate() {
    for (;;) {
        std::string s = random_digits(2) + random_from("XYZWVT", 1) + random_from(kUpperAlnum, 12);
        const char check = eic_check_char(s);
        if (check != '-') return s + check;
    }
}

constexpr KindRule kEicRule = {
    .separators = " ", .upper = true, .prefix = {},
    .check = eic_check, .present = nullptr, .generate = eic_generate,
};

constexpr std::string_view kEicAliases[] = {
    "EIC", "EIC code", "Energy Identification Code", "EIC-Code", "code EIC", "codice EIC",
};
// ENTSO-E's codes of the German-Luxembourg bidding zone and of Germany.
constexpr std::string_view kEicExamples[] = {"10Y1001A1001A82H", "10Y1001A1001A83F"};
constexpr std::uint64_t kLen16[] = {16};

// ---- eu.excise and fr.accise -------------------------------------------------
// Excise numbers (SEED): the member state's code (EL for Greece, XI for
// Northern Ireland) and eleven letters or digits, which each state lays out
// as it likes and checks with no published rule.

constexpr std::string_view kExciseStates[] = {
    "AT", "BE", "BG", "CY", "CZ", "DE", "DK", "EE", "EL", "ES", "FI", "FR", "HR", "HU",
    "IE", "IT", "LT", "LU", "LV", "MT", "NL", "PL", "PT", "RO", "SE", "SI", "SK", "XI",
};

// Which two-letter codes are member states', by their letters' places.
struct ExciseStateTable {
    bool state[26][26]{};
    constexpr ExciseStateTable() {
        for (std::string_view cc : kExciseStates) state[cc[0] - 'A'][cc[1] - 'A'] = true;
    }
};
constexpr ExciseStateTable kExciseStateTable;

// `cc` is two capital letters.
bool excise_state(std::string_view cc) noexcept { return kExciseStateTable.state[cc[0] - 'A'][cc[1] - 'A']; }

ValidationOutcome excise_check(std::string_view s) {
    if (s.size() != 13) return fail(ErrorCode::InvalidLength, "Excise number must be 13 characters");
    if (!is_upper(s[0]) || !is_upper(s[1]) || !extended::all_upper_alnum(s.substr(2)))
        return fail(ErrorCode::InvalidFormat, "Excise number must be a country code and 11 letters or digits");
    if (!excise_state(s.substr(0, 2)))
        return fail(ErrorCode::InvalidComponent, "Excise number must start with the code of an EU member state");
    return ValidationOutcome::success_input(s);
}

std::string excise_generate() {
    return std::string(kExciseStates[random_below(std::size(kExciseStates))]) + random_digits(3) +
           random_from(kUpperAlnum, 8);
}

constexpr KindRule kExciseRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = excise_check, .present = nullptr, .generate = excise_generate,
};

constexpr std::string_view kExciseAliases[] = {
    "excise number", "SEED", "excise identification number", "Verbrauchsteuernummer", "numéro d'accise",
    "codice accisa", "número de impuestos especiales", "accijnsnummer",
};
constexpr std::string_view kExciseExamples[] = {"DE00123456789", "FR023004N0001"};

// France: FR, then eleven letters or digits.
ValidationOutcome accise_check(std::string_view s) {
    if (s.size() != 13) return fail(ErrorCode::InvalidLength, "Numéro d'accise must be 13 characters");
    if (s[0] != 'F' || s[1] != 'R' || !extended::all_upper_alnum(s.substr(2)))
        return fail(ErrorCode::InvalidFormat, "Numéro d'accise must be FR and 11 letters or digits");
    return ValidationOutcome::success_input(s);
}

std::string accise_generate() { return "FR0" + random_digits(4) + random_from(kUpperLetters, 1) + random_digits(5); }

constexpr KindRule kAcciseRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = accise_check, .present = nullptr, .generate = accise_generate,
};

constexpr std::string_view kAcciseAliases[] = {
    "numéro d'accise", "numero d'accise", "n° d'accise", "accise", "French excise number",
};
constexpr std::string_view kAcciseExamples[] = {"FR023004N0001", "FR0YYY0000001"};

// ---- eu.oss ------------------------------------------------------------------
// VAT numbers of the one-stop shops: EU and nine digits for the non-Union
// scheme, IM and ten digits for the import scheme; the first three digits
// are the ISO 3166 numeric code of the member state of identification (900
// for Northern Ireland); the rest is the state's serial and check digit.

constexpr std::uint16_t kOssStates[] = {
    40,  56,  100, 191, 196, 203, 208, 233, 246, 250, 276, 300, 348, 372,
    380, 428, 440, 442, 470, 528, 616, 620, 642, 703, 705, 724, 752, 900,
};

// Which of the codes 000 to 999 are member states', built once.
struct OssStateTable {
    bool state[1000]{};
    constexpr OssStateTable() {
        for (std::uint16_t code : kOssStates) state[code] = true;
    }
};
constexpr OssStateTable kOssStateTable;

bool oss_state(std::string_view three_digits) noexcept {
    return kOssStateTable.state[digits_value(three_digits)];
}

ValidationOutcome oss_check(std::string_view s) {
    if (s.size() != 11 && s.size() != 12)
        return fail(ErrorCode::InvalidLength, "OSS number must be 11 characters (IOSS 12)");
    const bool eu = s.size() == 11;
    if (s[0] != (eu ? 'E' : 'I') || s[1] != (eu ? 'U' : 'M') || !all_digits(s.substr(2)))
        return fail(ErrorCode::InvalidFormat, "OSS number must be EU and 9 digits, or IM and 10 digits");
    if (!oss_state(s.substr(2, 3)))
        return fail(ErrorCode::InvalidComponent, "OSS number must carry the numeric code of an EU member state");
    return ValidationOutcome::success_input(s);
}

std::string oss_generate() {
    const bool eu = random_below(2) == 0;
    std::string s(eu ? "EU" : "IM");
    append_padded(s, kOssStates[random_below(std::size(kOssStates))], 3);
    return s + random_digits(eu ? 6 : 7);
}

constexpr KindRule kOssRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = oss_check, .present = nullptr, .generate = oss_generate,
};

constexpr std::string_view kOssAliases[] = {
    "OSS", "IOSS", "OSS VAT number", "IOSS number", "one-stop shop", "import one-stop shop",
    "VAT identification number", "numéro IOSS", "IOSS-Nummer",
};
constexpr std::string_view kOssExamples[] = {"EU372000041", "IM2760000742"};
constexpr std::uint64_t kOssLengths[] = {11, 12};

}  // namespace

const ValidatorSpec kEsCaeSpec = {
    .source_url = "https://sede.agenciatributaria.gob.es/Sede/impuestos-especiales-medioambientales.html",
    .id = "es.cae",
    .name = "Spanish Excise Establishment Code",
    .local_name = "Código de Actividad y Establecimiento",
    .abbreviation = "CAE",
    .aliases = kCaeAliases,
    .candidate_pattern = "ES\\d{5}[A-Z][0-9A-Z]\\d{3}[A-Z]",
    .lengths = kLen13,
    .examples = kCaeExamples,
    .ops = kind_ops<kCaeRule>(),
    .country = country("ES"),
    .entity = EntityType::Company,
};

const ValidatorSpec kEsCupsSpec = {
    .source_url = "https://www.boe.es/buscar/act.php?id=BOE-A-2002-25421",
    .id = "es.cups",
    .name = "Spanish Supply Point Code",
    .local_name = "Código Universal del Punto de Suministro",
    .abbreviation = "CUPS",
    .aliases = kCupsAliases,
    .candidate_pattern = "ES\\d{16}[A-Z]{2}(?:\\d[FPRCXYZ])?",
    .lengths = kCupsLengths,
    .examples = kCupsExamples,
    .ops = kind_ops<kCupsRule>(),
    .country = country("ES"),
    .entity = EntityType::Any,
};

const ValidatorSpec kEuBanknoteSpec = {
    .source_url = "https://www.ecb.europa.eu/euro/banknotes/html/index.en.html",
    .id = "eu.banknote",
    .name = "Euro Banknote Serial Number",
    .local_name = "Euro Banknote Serial Number",
    .abbreviation = "Serial number",
    .aliases = kBanknoteAliases,
    .candidate_pattern = "[A-Z]{1,2}\\d{10,11}",
    .lengths = kLen12,
    .examples = kBanknoteExamples,
    .ops = kind_ops<kBanknoteRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kEuEicSpec = {
    .source_url = "https://www.entsoe.eu/data/energy-identification-codes-eic/",
    .id = "eu.eic",
    .name = "Energy Identification Code",
    .local_name = "Energy Identification Code",
    .abbreviation = "EIC",
    .aliases = kEicAliases,
    .candidate_pattern = "[0-9A-Z]{2}[A-Z][0-9A-Z-]{12}[0-9A-Z]",
    .lengths = kLen16,
    .examples = kEicExamples,
    .ops = kind_ops<kEicRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kEuExciseSpec = {
    .source_url = "https://ec.europa.eu/taxation_customs/dds2/seed/seed_home.jsp",
    .id = "eu.excise",
    .name = "European Excise Number",
    .local_name = "European Excise Number",
    .abbreviation = "SEED",
    .aliases = kExciseAliases,
    .candidate_pattern = "[A-Z]{2}[0-9A-Z]{11}",
    .lengths = kLen13,
    .examples = kExciseExamples,
    .ops = kind_ops<kExciseRule>(),
    .country = kGlobal,
    .entity = EntityType::Company,
};

const ValidatorSpec kEuOssSpec = {
    .source_url = "https://vat-one-stop-shop.ec.europa.eu/",
    .id = "eu.oss",
    .name = "One-Stop Shop VAT Number",
    .local_name = "One-Stop Shop VAT Number",
    .abbreviation = "OSS",
    .aliases = kOssAliases,
    .candidate_pattern = "EU\\d{9}|IM\\d{10}",
    .lengths = kOssLengths,
    .examples = kOssExamples,
    .ops = kind_ops<kOssRule>(),
    .country = kGlobal,
    .entity = EntityType::Company,
};

const ValidatorSpec kFrAcciseSpec = {
    .source_url = "https://www.douane.gouv.fr/",
    .id = "fr.accise",
    .name = "French Excise Number",
    .local_name = "Numéro d'accise",
    .abbreviation = "Accise",
    .aliases = kAcciseAliases,
    .candidate_pattern = "FR[0-9A-Z]{11}",
    .lengths = kLen13,
    .examples = kAcciseExamples,
    .ops = kind_ops<kAcciseRule>(),
    .country = country("FR"),
    .entity = EntityType::Company,
};

}  // namespace ov::europe
