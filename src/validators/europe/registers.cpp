// Register and securities numbers: `de.wkn` (German securities id),
// `es.referenciacatastral` (Spanish cadastral reference),
// `fi.associationid` (Finnish association register number), `fo.vn`
// (Faroese VAT number), `ro.onrc` (Romanian trade register number),
// `si.maticna` (Slovenian registration number) and `sm.coe` (San Marino
// economic operator code).
#include "primitives/checkdigits.h"
#include "primitives/normalize.h"
#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- de.wkn ------------------------------------------------------------------
// Six digits or capital letters other than I and O; no check digit (the
// ISIN that embeds it, DE000 + WKN, carries one).

constexpr std::string_view kWknAlphabet = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";

ValidationOutcome wkn_check(std::string_view s) {
    if (s.size() != 6) return fail(ErrorCode::InvalidLength, "WKN must be 6 characters");
    if (!all_in(s, kWknAlphabet))
        return fail(ErrorCode::InvalidFormat, "WKN must contain only digits and capital letters other than I and O");
    return ValidationOutcome::success_input(s);
}

std::string wkn_generate() { return random_from(kWknAlphabet, 6); }

constexpr KindRule kWknRule = {
    .separators = " ", .upper = true, .prefix = "WKN",
    .check = wkn_check, .present = nullptr, .generate = wkn_generate,
};

constexpr std::string_view kWknAliases[] = {
    "WKN", "Wertpapierkennnummer", "Wertpapier-Kenn-Nummer", "Wertpapierkenn-Nummer", "German securities number",
};
constexpr std::string_view kWknExamples[] = {"514000", "716460", "BASF11"};
constexpr std::uint64_t kLen6[] = {6};

// ---- es.referenciacatastral --------------------------------------------------
// Fourteen characters for the parcel (urban: parcel and map sheet; rural:
// province, municipality, sector, polygon and parcel), four digits for the
// property within it and two check letters. The first letter checks
// characters 1-7 and the property, the second characters 8-14 and the
// property: weights 13, 15, 12, 5, 4, 17, 9, 21, 3, 7, 1, a letter counted
// by its place in the Spanish alphabet (A = 1 .. N = 14, Ñ = 15, O = 16 ..
// Z = 27), the sum modulo 23 picking a letter of MQWERTYUIOPASDFGHJKLBZX.

constexpr int kCatastroWeights[] = {13, 15, 12, 5, 4, 17, 9, 21, 3, 7, 1};
constexpr std::string_view kCatastroLetters = "MQWERTYUIOPASDFGHJKLBZX";

constexpr unsigned catastro_value(char c) noexcept {
    if (is_digit(c)) return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>(c - 'A') + (c <= 'N' ? 1u : 2u);
}

char catastro_letter(std::string_view seven, std::string_view property) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 7; ++i) sum += catastro_value(seven[i]) * static_cast<unsigned>(kCatastroWeights[i]);
    for (std::size_t i = 0; i < 4; ++i)
        sum += catastro_value(property[i]) * static_cast<unsigned>(kCatastroWeights[7 + i]);
    return kCatastroLetters[sum % 23];
}

ValidationOutcome catastro_check(std::string_view s) {
    if (s.size() != 20) return fail(ErrorCode::InvalidLength, "Referencia catastral must be 20 characters");
    if (!extended::all_upper_alnum(s.substr(0, 14)) || !all_digits(s.substr(14, 4)) ||
        !all_in(s.substr(18), kCatastroLetters))
        return fail(ErrorCode::InvalidFormat,
                    "Referencia catastral must be 14 letters or digits, 4 digits and 2 check letters");
    const std::string_view property = s.substr(14, 4);
    if (catastro_letter(s.substr(0, 7), property) != s[18] || catastro_letter(s.substr(7, 7), property) != s[19])
        return fail(ErrorCode::InvalidChecksum, "Referencia catastral check letters do not match");
    return ValidationOutcome::success_input(s);
}

std::string catastro_present(std::string_view s) { return join_at(s, {7, 14, 18}, ' '); }

std::string catastro_generate() {
    std::string s;
    if (random_below(2) == 0) {
        // Urban: parcel (7 digits) and map sheet (2 letters, 4 digits, a letter).
        s = random_digits(7) + random_from(kUpperLetters, 2) + random_digits(4) + random_from(kUpperLetters, 1);
    } else {
        // Rural: province, municipality, sector letter, polygon and parcel.
        s = random_digits(5) + random_from(kUpperLetters, 1) + random_digits(8);
    }
    s += random_digits(4);
    const std::string_view property = std::string_view(s).substr(14, 4);
    const char first = catastro_letter(std::string_view(s).substr(0, 7), property);
    const char second = catastro_letter(std::string_view(s).substr(7, 7), property);
    s.push_back(first);
    s.push_back(second);
    return s;
}

constexpr KindRule kCatastroRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = catastro_check, .present = catastro_present, .generate = catastro_generate,
};

constexpr std::string_view kCatastroAliases[] = {
    "referencia catastral", "ref. catastral", "catastro", "cadastral reference", "Spanish cadastral reference",
};
constexpr std::string_view kCatastroExamples[] = {"7837301-VG8173B-0001 TT", "4A08169P03PRAT0001LR"};
constexpr std::uint64_t kLen20[] = {20};

// ---- fi.associationid --------------------------------------------------------
// The number of a registered association: up to six digits, written with a
// dot before the last three (123.456).

ValidationOutcome association_check(std::string_view s) {
    if (s.empty() || s.size() > 6) return fail(ErrorCode::InvalidLength, "Association number must be 1 to 6 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Association number must contain only digits");
    if (digits_value(s) == 0) return fail(ErrorCode::InvalidComponent, "Association number must not be 0");
    return ValidationOutcome::success_input(s);
}

std::string association_present(std::string_view s) { return join_at(s, {s.size() - 3}, '.'); }

// Numbers of four digits or more: the shorter ones, of the oldest
// associations, are not told apart from any small number in text.
std::string association_generate() { return std::to_string(1000 + random_below(999000)); }

constexpr KindRule kAssociationRule = {
    .separators = " .", .upper = false, .prefix = {},
    .check = association_check, .present = association_present, .generate = association_generate,
};

constexpr std::string_view kAssociationAliases[] = {
    "yhdistysrekisterinumero", "rekisterinumero", "yhdistysnumero", "föreningsregisternummer",
    "association number", "Finnish association register number",
};
constexpr std::string_view kAssociationExamples[] = {"123.456", "1.234"};
constexpr std::uint64_t kAssociationLengths[] = {4, 5, 6};

// ---- fo.vn -------------------------------------------------------------------
// The Faroese VAT number (V-tal): six digits, written with or without FO.

ValidationOutcome vn_check(std::string_view s) {
    if (s.size() != 6) return fail(ErrorCode::InvalidLength, "V-tal must be 6 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "V-tal must contain only digits");
    return ValidationOutcome::success_input(s);
}

std::string vn_generate() { return random_digits(6); }

constexpr KindRule kVnRule = {
    .separators = " -.", .upper = true, .prefix = "FO",
    .check = vn_check, .present = nullptr, .generate = vn_generate,
};

constexpr std::string_view kVnAliases[] = {
    "V-tal", "VN", "vinnutal", "Faroese VAT number", "MVG-nummar", "VAT number",
};
constexpr std::string_view kVnExamples[] = {"623857", "FO 331473"};

// ---- ro.onrc -----------------------------------------------------------------
// Trade register number: the kind of trader (J for companies, F for
// authorised persons and family businesses, C for cooperatives), the
// county's code (1 to 40, 51, 52), a serial number and the year of
// registration, joined by slashes: J40/12345/2004.

constexpr std::string_view kOnrcShape =
    "ONRC number must be J, F or C, a county code, a serial number and a year, joined by slashes";

ValidationOutcome onrc_check(std::string_view s) {
    if (s.size() < 10 || s.size() > 16) return fail(ErrorCode::InvalidLength, "ONRC number must be 10 to 16 characters");
    const std::size_t a = s.find('/');
    const std::size_t b = a == std::string_view::npos ? a : s.find('/', a + 1);
    if ((s[0] != 'J' && s[0] != 'F' && s[0] != 'C') || b == std::string_view::npos) return fail(ErrorCode::InvalidFormat, kOnrcShape);
    const std::string_view county = s.substr(1, a - 1), serial = s.substr(a + 1, b - a - 1), year = s.substr(b + 1);
    if (county.empty() || county.size() > 2 || !all_digits(county) || serial.empty() || serial.size() > 6 ||
        !all_digits(serial) || year.size() != 4 || !all_digits(year))
        return fail(ErrorCode::InvalidFormat, kOnrcShape);
    const std::uint64_t c = digits_value(county);
    if ((c < 1 || c > 40) && c != 51 && c != 52)
        return fail(ErrorCode::InvalidComponent, "ONRC county code must be 1 to 40, 51 or 52");
    if (digits_value(serial) == 0) return fail(ErrorCode::InvalidComponent, "ONRC serial number must not be 0");
    const std::uint64_t y = digits_value(year);
    if (y < 1990 || y > static_cast<std::uint64_t>(today().year))
        return fail(ErrorCode::InvalidComponent, "ONRC year must be between 1990 and this year");
    return ValidationOutcome::success_input(s);
}

std::string onrc_generate() {
    std::string s(1, "JJJFC"[random_below(5)]);
    const std::uint64_t county = random_below(42);
    append_padded(s, county < 40 ? county + 1 : county + 11, 2);
    s += "/" + std::to_string(1 + random_below(99999)) + "/";
    const std::int64_t this_year = today().year;
    s += std::to_string(1990 + static_cast<std::int64_t>(random_below(static_cast<std::uint64_t>(this_year - 1989))));
    return s;
}

constexpr KindRule kOnrcRule = {
    .separators = " ", .upper = true, .prefix = {},
    .check = onrc_check, .present = nullptr, .generate = onrc_generate,
};

constexpr std::string_view kOnrcAliases[] = {
    "ONRC", "Nr. ORC", "număr de ordine în registrul comerțului", "numărul de înregistrare",
    "Registrul Comerțului", "Reg. Com.", "trade register number", "Romanian trade register number",
};
constexpr std::string_view kOnrcExamples[] = {"J40/12345/1998", "J52/750/2012"};
constexpr std::uint64_t kOnrcLengths[] = {12, 13, 14};

// ---- si.maticna --------------------------------------------------------------
// Six digits, a check digit (weights 7 .. 2 modulo 11: 11 - r, with 10 read
// as 0; remainder 0 leaves no check digit, so no number is made of it) and,
// for a unit of the business, three digits more (000 for its head office).

constexpr int kMaticnaWeights[] = {7, 6, 5, 4, 3, 2};

// The check digit, or 0 when the six digits take none.
char maticna_digit(std::string_view six) noexcept {
    const std::int64_t r = weighted_sum(six, kMaticnaWeights) % 11;
    return r == 0 ? '\0' : static_cast<char>('0' + (11 - r) % 10);
}

ValidationOutcome maticna_check(std::string_view s) {
    if (s.size() != 7 && s.size() != 10) return fail(ErrorCode::InvalidLength, "Matična številka must be 7 or 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Matična številka must contain only digits");
    if (maticna_digit(s.substr(0, 6)) != s[6])
        return fail(ErrorCode::InvalidChecksum, "Matična številka check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string maticna_generate() {
    for (;;) {
        std::string s = random_digits(6);
        const char check = maticna_digit(s);
        if (check == '\0') continue;
        s.push_back(check);
        if (random_below(2) == 0) s += random_below(2) == 0 ? std::string("000") : random_digits(3);
        return s;
    }
}

constexpr KindRule kMaticnaRule = {
    .separators = " .", .upper = false, .prefix = {},
    .check = maticna_check, .present = nullptr, .generate = maticna_generate,
};

constexpr std::string_view kMaticnaAliases[] = {
    "matična številka", "maticna stevilka", "matična št.", "MŠ", "registration number", "Slovenian registration number",
};
constexpr std::string_view kMaticnaExamples[] = {"5300231000", "5300231"};
constexpr std::uint64_t kMaticnaLengths[] = {7, 10};

// ---- sm.coe ------------------------------------------------------------------
// The economic operator code of San Marino: a serial of up to five digits.

ValidationOutcome coe_check(std::string_view s) {
    if (s.empty() || s.size() > 5) return fail(ErrorCode::InvalidLength, "COE must be 1 to 5 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "COE must contain only digits");
    if (digits_value(s) == 0) return fail(ErrorCode::InvalidComponent, "COE must not be 0");
    return ValidationOutcome::success_input(s);
}

std::string coe_generate() { return std::to_string(1 + random_below(99999)); }

constexpr KindRule kCoeRule = {
    .separators = " .", .upper = true, .prefix = "SM",
    .check = coe_check, .present = nullptr, .generate = coe_generate,
};

constexpr std::string_view kCoeAliases[] = {
    "COE", "codice operatore economico", "cod. op. ec.", "economic operator code", "San Marino economic operator code",
};
constexpr std::string_view kCoeExamples[] = {"24165", "10512"};
constexpr std::uint64_t kCoeLengths[] = {1, 2, 3, 4, 5};

}  // namespace

const ValidatorSpec kDeWknSpec = {
    .source_url = "https://www.wm-gruppe.de/",
    .id = "de.wkn",
    .name = "German Securities Identification Number",
    .local_name = "Wertpapierkennnummer",
    .abbreviation = "WKN",
    .aliases = kWknAliases,
    .candidate_pattern = "[0-9A-HJ-NP-Z]{6}",
    .lengths = kLen6,
    .examples = kWknExamples,
    .ops = kind_ops<kWknRule>(),
    .country = country("DE"),
    .entity = EntityType::Any,
};

const ValidatorSpec kEsReferenciaCatastralSpec = {
    .source_url = "https://www.catastro.hacienda.gob.es/",
    .id = "es.referenciacatastral",
    .name = "Spanish Cadastral Reference",
    .local_name = "Referencia catastral",
    .abbreviation = "RC",
    .aliases = kCatastroAliases,
    .candidate_pattern = "[0-9A-Z]{14}\\d{4}[A-Z]{2}",
    .lengths = kLen20,
    .examples = kCatastroExamples,
    .ops = kind_ops<kCatastroRule>(),
    .country = country("ES"),
    .entity = EntityType::Any,
};

const ValidatorSpec kFiAssociationIdSpec = {
    .source_url = "https://www.prh.fi/en/yhdistysrekisteri.html",
    .id = "fi.associationid",
    .name = "Finnish Association Register Number",
    .local_name = "Yhdistysrekisterinumero",
    .abbreviation = "Yhdistysrekisterinumero",
    .aliases = kAssociationAliases,
    .candidate_pattern = "\\d{1,3}\\.\\d{3}",
    .lengths = kAssociationLengths,
    .examples = kAssociationExamples,
    .ops = kind_ops<kAssociationRule>(),
    .country = country("FI"),
    .entity = EntityType::Company,
};

const ValidatorSpec kFoVnSpec = {
    .source_url = "https://www.taks.fo/",
    .id = "fo.vn",
    .name = "Faroese VAT Number",
    .local_name = "V-tal",
    .abbreviation = "V-tal",
    .aliases = kVnAliases,
    .candidate_pattern = "\\d{6}",
    .lengths = kLen6,
    .examples = kVnExamples,
    .ops = kind_ops<kVnRule>(),
    .country = country("FO"),
    .entity = EntityType::Company,
};

const ValidatorSpec kRoOnrcSpec = {
    .source_url = "https://www.onrc.ro/",
    .id = "ro.onrc",
    .name = "Romanian Trade Register Number",
    .local_name = "Număr de ordine în Registrul Comerțului",
    .abbreviation = "ONRC",
    .aliases = kOnrcAliases,
    .candidate_pattern = "[JFC]\\d{1,2}/\\d{1,6}/\\d{4}",
    .lengths = kOnrcLengths,
    .examples = kOnrcExamples,
    .ops = kind_ops<kOnrcRule>(),
    .country = country("RO"),
    .entity = EntityType::Company,
};

const ValidatorSpec kSiMaticnaSpec = {
    .source_url = "https://www.ajpes.si/",
    .id = "si.maticna",
    .name = "Slovenian Registration Number",
    .local_name = "Matična številka",
    .abbreviation = "MŠ",
    .aliases = kMaticnaAliases,
    .candidate_pattern = "\\d{7}(?:\\d{3})?",
    .lengths = kMaticnaLengths,
    .examples = kMaticnaExamples,
    .ops = kind_ops<kMaticnaRule>(),
    .country = country("SI"),
    .entity = EntityType::Company,
};

const ValidatorSpec kSmCoeSpec = {
    .source_url = "https://www.ufficiotributario.sm/",
    .id = "sm.coe",
    .name = "San Marino Economic Operator Code",
    .local_name = "Codice operatore economico",
    .abbreviation = "COE",
    .aliases = kCoeAliases,
    .candidate_pattern = "\\d{1,5}",
    .lengths = kCoeLengths,
    .examples = kCoeExamples,
    .ops = kind_ops<kCoeRule>(),
    .country = country("SM"),
    .entity = EntityType::Company,
};

}  // namespace ov::europe
