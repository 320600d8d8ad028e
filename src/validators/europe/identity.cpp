// Identity documents and personal numbers: `be.eid` (Belgian eID card
// number), `be.ssn` (Belgian social security number), `fi.veronumero`
// (Finnish individual tax number) and `nl.identiteitskaartnummer` (Dutch
// identity card and passport number).
#include "primitives/normalize.h"
#include "registry/random.h"
#include "registry/registry.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- be.eid ------------------------------------------------------------------
// Twelve digits written 591-1917064-58: a ten-digit serial and, as the last
// two, its remainder modulo 97 (97 for 0).

ValidationOutcome eid_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "eID card number must be 12 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "eID card number must contain only digits");
    if (two_digits(s.substr(10)) != mod97_rest(s.substr(0, 10)))
        return fail(ErrorCode::InvalidChecksum, "eID card number check digits do not match");
    return ValidationOutcome::success_input(s);
}

std::string eid_present(std::string_view s) { return join_at(s, {3, 10}, '-'); }

std::string eid_generate() {
    std::string s = random_digits(10);
    append_padded(s, mod97_rest(s), 2);
    return s;
}

constexpr KindRule kEidRule = {
    .separators = " -./", .upper = false, .prefix = {},
    .check = eid_check, .present = eid_present, .generate = eid_generate,
};

constexpr std::string_view kEidAliases[] = {
    "eID", "eID card number", "Belgian identity card number", "kaartnummer", "numéro de carte",
    "numéro de carte d'identité", "identiteitskaart", "carte d'identité électronique",
};
constexpr std::string_view kEidExamples[] = {"591-1917064-58"};

// ---- be.ssn ------------------------------------------------------------------
// The number social security knows a person by: the national register
// number, or for those outside the register the BIS number (birth month
// raised by 20 or 40). Both are checked by their own records.

const ValidatorSpec& national_register() {
    static const ValidatorSpec* spec = find_validator("be.nn");
    return *spec;
}
const ValidatorSpec& bis_register() {
    static const ValidatorSpec* spec = find_validator("be.bis");
    return *spec;
}

ValidationOutcome ssn_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "Social security number must be 11 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Social security number must contain only digits");
    const ValidatorSpec& register_ = two_digits(s.substr(2)) < 20 ? national_register() : bis_register();
    const ValidationOutcome o = register_.ops.validate(register_, s);
    if (!o.ok) return fail(o.code, o.message);
    return ValidationOutcome::success_input(s);
}

std::string ssn_present(std::string_view s) {
    std::string out = join_at(s, {2, 4}, '.');
    return out.substr(0, 8) + "-" + join_at(s.substr(6), {3}, '.');
}

// Birth date (year, month and day, month raised by 20 or 40 for a BIS
// number), a serial (odd for men, even for women) and 97 minus the first
// nine digits modulo 97, those of people born from 2000 on read with a
// leading 2.
std::string ssn_generate() {
    for (;;) {
        const std::uint64_t year = 1930 + random_below(static_cast<std::uint64_t>(today().year) - 1930);
        std::uint64_t month = 1 + random_below(12);
        const std::uint64_t day = 1 + random_below(28);
        const std::uint64_t kind = random_below(4);  // 0, 1: register; 2: BIS (+20); 3: BIS (+40)
        if (kind >= 2) month += kind == 2 ? 20 : 40;
        std::string s;
        append_padded(s, year % 100, 2);
        append_padded(s, month, 2);
        append_padded(s, day, 2);
        append_padded(s, 1 + random_below(997), 3);
        const std::uint64_t base = digits_value(s) + (year >= 2000 ? 2000000000u : 0u);
        append_padded(s, 97 - base % 97, 2);
        if (ssn_check(s).ok) return s;
    }
}

constexpr KindRule kSsnRule = {
    .separators = " -./", .upper = false, .prefix = {},
    .check = ssn_check, .present = ssn_present, .generate = ssn_generate,
};

constexpr std::string_view kSsnAliases[] = {
    "INSZ", "NISS", "INSZ-nummer", "numéro NISS", "Identificatienummer van de Sociale Zekerheid",
    "numéro d'identification de la sécurité sociale", "Belgian social security number", "rijksregisternummer",
    "numéro de registre national", "BIS-nummer", "numéro BIS",
};
constexpr std::string_view kSsnExamples[] = {"93.05.18-223.61", "98.47.28-997.65"};

// ---- fi.veronumero -----------------------------------------------------------
// Twelve digits the Tax Administration gives every person working on a
// construction site; it carries no check digit.

ValidationOutcome vero_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "Veronumero must be 12 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Veronumero must contain only digits");
    return ValidationOutcome::success_input(s);
}

std::string vero_generate() { return random_digits(12); }

constexpr KindRule kVeroRule = {
    .separators = " ", .upper = false, .prefix = {},
    .check = vero_check, .present = nullptr, .generate = vero_generate,
};

constexpr std::string_view kVeroAliases[] = {
    "veronumero", "skattenummer", "Finnish tax number", "individual tax number", "rakentamisen veronumero",
};
constexpr std::string_view kVeroExamples[] = {"123456789123"};

// ---- nl.identiteitskaartnummer -----------------------------------------------
// The document number of a Dutch identity card or passport: two letters,
// six letters or digits and a digit; the letter O is never used (the digit
// 0 is).

constexpr std::string_view kNlDocLetters = "ABCDEFGHIJKLMNPQRSTUVWXYZ";
constexpr std::string_view kNlDocAlnum = "0123456789ABCDEFGHIJKLMNPQRSTUVWXYZ";

ValidationOutcome nl_doc_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "Document number must be 9 characters");
    if (!all_in(s.substr(0, 2), kNlDocLetters) || !all_in(s.substr(2, 6), kNlDocAlnum) || !is_digit(s[8]))
        return fail(ErrorCode::InvalidFormat,
                    "Document number must be two letters, six letters or digits and a digit (no letter O)");
    return ValidationOutcome::success_input(s);
}

std::string nl_doc_generate() {
    return random_from(kNlDocLetters, 2) + random_from(kNlDocAlnum, 6) + random_from(kDigits, 1);
}

// Never written with spaces: words in front of a number must not join it.
constexpr KindRule kNlDocRule = {
    .separators = "", .upper = true, .prefix = {},
    .check = nl_doc_check, .present = nullptr, .generate = nl_doc_generate,
};

constexpr std::string_view kNlDocAliases[] = {
    "documentnummer", "identiteitskaartnummer", "paspoortnummer", "Dutch identity card number",
    "Dutch passport number", "ID-kaart",
};
// The specimen documents' numbers.
constexpr std::string_view kNlDocExamples[] = {"SPECI2014", "SPECI2021"};
constexpr std::uint64_t kLen9[] = {9};
constexpr std::uint64_t kLen11[] = {11};
constexpr std::uint64_t kLen12[] = {12};

}  // namespace

const ValidatorSpec kBeEidSpec = {
    .source_url = "https://www.ibz.rrn.fgov.be/fr/documents-didentite/eid/",
    .id = "be.eid",
    .name = "Belgian eID Card Number",
    .local_name = "Numéro de carte d'identité électronique",
    .abbreviation = "eID",
    .aliases = kEidAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kLen12,
    .examples = kEidExamples,
    .ops = kind_ops<kEidRule>(),
    .country = country("BE"),
    .entity = EntityType::Person,
};

const ValidatorSpec kBeSsnSpec = {
    .source_url = "https://www.socialsecurity.be/citizen/en/static/infos/inss.htm",
    .id = "be.ssn",
    .name = "Belgian Social Security Number",
    .local_name = "Identificatienummer van de Sociale Zekerheid",
    .abbreviation = "INSZ",
    .aliases = kSsnAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kLen11,
    .examples = kSsnExamples,
    .ops = kind_ops<kSsnRule>(),
    .country = country("BE"),
    .entity = EntityType::Person,
};

const ValidatorSpec kFiVeronumeroSpec = {
    .source_url = "https://www.vero.fi/en/businesses-and-corporations/business-operations/construction-industry/tax-numbers-for-construction-sites/",
    .id = "fi.veronumero",
    .name = "Finnish Individual Tax Number",
    .local_name = "Veronumero",
    .abbreviation = "Veronumero",
    .aliases = kVeroAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kLen12,
    .examples = kVeroExamples,
    .ops = kind_ops<kVeroRule>(),
    .country = country("FI"),
    .entity = EntityType::Person,
};

const ValidatorSpec kNlIdentiteitskaartnummerSpec = {
    .source_url = "https://www.rijksoverheid.nl/onderwerpen/identiteitsbewijzen",
    .id = "nl.identiteitskaartnummer",
    .name = "Dutch Identity Document Number",
    .local_name = "Documentnummer",
    .abbreviation = "Documentnummer",
    .aliases = kNlDocAliases,
    .candidate_pattern = "[A-NP-Z]{2}[0-9A-NP-Z]{6}\\d",
    .lengths = kLen9,
    .examples = kNlDocExamples,
    .ops = kind_ops<kNlDocRule>(),
    .country = country("NL"),
    .entity = EntityType::Person,
};

}  // namespace ov::europe
