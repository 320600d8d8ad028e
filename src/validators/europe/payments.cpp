// Payment references and bank account numbers: `be.ogm_vcs` (Belgian
// structured communication), `ch.esr` (Swiss payment slip and QR
// reference), `de.leitweg` (German e-invoicing route id), `es.ccc` (Spanish
// bank account code), `eu.at_02` (SEPA creditor identifier) and
// `no.kontonr` (Norwegian bank account number).
#include <iterator>
#include <optional>

#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/europe/common.h"

namespace ov::europe {

namespace {

// ---- be.ogm_vcs --------------------------------------------------------------
// Twelve digits written +++123/4567/89012+++ (or between asterisks): ten
// digits and, as the last two, their remainder modulo 97 (97 for 0).

ValidationOutcome ogm_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "Structured communication must be 12 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Structured communication must contain only digits");
    if (two_digits(s.substr(10)) != mod97_rest(s.substr(0, 10)))
        return fail(ErrorCode::InvalidChecksum, "Structured communication check digits do not match");
    return ValidationOutcome::success_input(s);
}

// The groups only: the frame of plus signs or asterisks around them is
// the form's, and text finders read the number inside it.
std::string ogm_present(std::string_view s) { return join_at(s, {3, 7}, '/'); }

std::string ogm_generate() {
    std::string s = random_digits(10);
    append_padded(s, mod97_rest(s), 2);
    return s;
}

constexpr KindRule kOgmRule = {
    .separators = " +*/-.", .upper = false, .prefix = {},
    .check = ogm_check, .present = ogm_present, .generate = ogm_generate,
};

constexpr std::string_view kOgmAliases[] = {
    "OGM", "VCS", "OGM-VCS", "structured communication", "structured payment reference",
    "gestructureerde mededeling", "communication structurée", "strukturierte Mitteilung",
};
constexpr std::string_view kOgmExamples[] = {"010/8068/17183", "090/9337/55493"};
constexpr std::uint64_t kLen12[] = {12};

// ---- ch.esr ------------------------------------------------------------------
// A payment slip reference (ESR/ISR, and the QR reference of the QR-bill):
// up to 27 digits, right-aligned (leading zeros may be left out), the last
// a check digit by the recursive modulo 10 rule.

constexpr std::uint8_t kEsrCarry[10] = {0, 9, 4, 6, 8, 2, 7, 1, 3, 5};

// The carry after two more digits (0 to 99) for each carry, so the walk
// takes two digits a step and does no division.
struct EsrTable {
    std::uint8_t next[10][100]{};
    constexpr EsrTable() {
        for (unsigned c = 0; c < 10; ++c)
            for (unsigned d = 0; d < 100; ++d) next[c][d] = kEsrCarry[(kEsrCarry[(c + d / 10) % 10] + d % 10) % 10];
    }
};
constexpr EsrTable kEsrTable;

char esr_check_digit(std::string_view payload) noexcept {
    unsigned carry = 0;
    std::size_t i = 0;
    if (payload.size() % 2 != 0) carry = kEsrCarry[static_cast<unsigned>(payload[i++] - '0')];
    for (; i < payload.size(); i += 2)
        carry = kEsrTable.next[carry][static_cast<unsigned>(payload[i] - '0') * 10 + static_cast<unsigned>(payload[i + 1] - '0')];
    return static_cast<char>('0' + (10 - carry) % 10);
}

ValidationOutcome esr_check(std::string_view s) {
    if (s.size() < 2 || s.size() > 27) return fail(ErrorCode::InvalidLength, "ESR reference must be 2 to 27 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "ESR reference must contain only digits");
    if (esr_check_digit(s.substr(0, s.size() - 1)) != s.back())
        return fail(ErrorCode::InvalidChecksum, "ESR reference check digit does not match");
    return ValidationOutcome::success_input(s);
}

// Groups of five from the right, as the slips print them.
std::string esr_present(std::string_view s) {
    std::string out;
    const std::size_t head = s.size() % 5;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && (i + 5 - head) % 5 == 0) out.push_back(' ');
        out.push_back(s[i]);
    }
    return out;
}

std::string esr_generate() {
    std::string s = random_digits(26);
    s.push_back(esr_check_digit(s));
    return s;
}

constexpr KindRule kEsrRule = {
    .separators = " ", .upper = false, .prefix = {},
    .check = esr_check, .present = esr_present, .generate = esr_generate,
};

constexpr std::string_view kEsrAliases[] = {
    "ESR", "ISR", "BVR", "QR reference", "QR-Referenz", "ESR-Referenznummer", "ESR reference",
    "référence QR", "numéro de référence BVR", "riferimento QR", "Referenznummer",
};
// The QR-bill implementation guidelines' example reference.
constexpr std::string_view kEsrExamples[] = {"21 00000 00003 13947 14300 09017"};
constexpr std::uint64_t kEsrLengths[] = {27};

// ---- de.leitweg --------------------------------------------------------------
// Coarse address (2 to 12 digits, the first two the state's code, 01 to
// 16, or 99 for the federal administration), an optional fine address (1
// to 30 letters or digits) and two check digits, joined by hyphens. The check
// digits make the whole text, without hyphens and with letters counted
// A = 10 .. Z = 35, leave remainder 1 modulo 97 (ISO 7064 MOD 97-10).

constexpr std::string_view kLeitwegShape =
    "Leitweg-ID must be 2 to 12 digits, an optional part of up to 30 letters or digits and 2 check digits, "
    "joined by hyphens";

ValidationOutcome leitweg_check(std::string_view s) {
    if (s.size() < 5 || s.size() > 46) return fail(ErrorCode::InvalidLength, "Leitweg-ID must be 5 to 46 characters");
    const std::size_t first = s.find('-');
    const std::size_t last = s.rfind('-');
    if (first == std::string_view::npos) return fail(ErrorCode::InvalidFormat, kLeitwegShape);
    const std::string_view coarse = s.substr(0, first);
    const std::string_view fine = first == last ? std::string_view{} : s.substr(first + 1, last - first - 1);
    const std::string_view check = s.substr(last + 1);
    if (coarse.size() < 2 || coarse.size() > 12 || !all_digits(coarse) || check.size() != 2 || !all_digits(check) ||
        (first != last && (fine.empty() || fine.size() > 30 || !extended::all_upper_alnum(fine))))
        return fail(ErrorCode::InvalidFormat, kLeitwegShape);
    const unsigned state = two_digits(coarse);
    if ((state < 1 || state > 16) && state != 99)
        return fail(ErrorCode::InvalidComponent, "Leitweg-ID must start with a state's code (01 to 16) or 99");
    std::optional<unsigned> r = mod97_10_remainder(coarse);
    if (r && !fine.empty()) r = mod97_10_extend(*r, fine);
    if (r) r = mod97_10_extend(*r, check);
    if (!r || *r != 1) return fail(ErrorCode::InvalidChecksum, "Leitweg-ID check digits do not match");
    return ValidationOutcome::success_input(s);
}

std::string leitweg_generate() {
    // The coarse address starts with a state's code (01 to 16) or 99 for
    // the federal administration.
    const std::uint64_t state = random_below(17);
    std::string s;
    append_padded(s, state == 16 ? 99 : state + 1, 2);
    s += random_digits(1 + random_below(10));
    std::string fine;
    if (random_below(4) != 0) fine = random_from(kUpperAlnum, 1 + random_below(12));
    std::optional<unsigned> r = mod97_10_remainder(s);
    if (!fine.empty()) r = mod97_10_extend(*r, fine);
    r = mod97_10_extend(*r, "00");
    s.push_back('-');
    if (!fine.empty()) s += fine + "-";
    append_padded(s, 98 - *r, 2);
    return s;
}

constexpr KindRule kLeitwegRule = {
    .separators = " ", .upper = true, .prefix = {},
    .check = leitweg_check, .present = nullptr, .generate = leitweg_generate,
};

constexpr std::string_view kLeitwegAliases[] = {
    "Leitweg-ID", "Leitweg ID", "Leitwegnummer", "Leitweg-Identifikationsnummer", "Leitwegidentifikationsnummer",
    "buyer reference", "e-invoicing route id", "XRechnung",
};
// The example the Leitweg-ID format publishes, and the federal test route.
constexpr std::string_view kLeitwegExamples[] = {"04011000-1234512345-06", "991-33333TEST-33"};
constexpr std::uint64_t kLeitwegLengths[] = {22, 16};

// ---- es.ccc ------------------------------------------------------------------
// Bank (4 digits), branch (4), two check digits and account (10). The first
// check digit covers 00 + bank + branch, the second the account, each by
// weights 1, 2, 4, 8, 5, 10, 9, 7, 3, 6 modulo 11 (11 - r; 11 gives 0 and
// 10 gives 1).

constexpr int kCccWeights[] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};

char ccc_digit(std::string_view ten) noexcept {
    const int v = 11 - static_cast<int>(weighted_sum(ten, kCccWeights) % 11);
    return static_cast<char>('0' + (v == 11 ? 0 : v == 10 ? 1 : v));
}

char ccc_first(std::string_view s) noexcept {
    char ten[10] = {'0', '0'};
    for (std::size_t i = 0; i < 8; ++i) ten[i + 2] = s[i];
    return ccc_digit({ten, 10});
}

ValidationOutcome ccc_check(std::string_view s) {
    if (s.size() != 20) return fail(ErrorCode::InvalidLength, "CCC must be 20 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "CCC must contain only digits");
    if (ccc_first(s) != s[8] || ccc_digit(s.substr(10)) != s[9])
        return fail(ErrorCode::InvalidChecksum, "CCC check digits do not match");
    return ValidationOutcome::success_input(s);
}

std::string ccc_present(std::string_view s) { return join_at(s, {4, 8, 10}, ' '); }

std::string ccc_generate() {
    std::string s = random_digits(8);
    const std::string account = random_digits(10);
    s.push_back(ccc_first(s));
    s.push_back(ccc_digit(account));
    return s + account;
}

constexpr KindRule kCccRule = {
    .separators = " -./", .upper = false, .prefix = {},
    .check = ccc_check, .present = ccc_present, .generate = ccc_generate,
};

constexpr std::string_view kCccAliases[] = {
    "CCC", "Código Cuenta Cliente", "Codigo Cuenta Cliente", "cuenta bancaria", "número de cuenta",
    "Spanish bank account number",
};
constexpr std::string_view kCccExamples[] = {"2100 0418 45 0200051332", "1234 1234 16 1234567890"};
constexpr std::uint64_t kLen20[] = {20};

// ---- eu.at_02 ----------------------------------------------------------------
// SEPA creditor identifier: country code, two check digits, a creditor
// business code (3 letters or digits, ZZZ when unused, not checked) and the
// national identifier. The check digits are those of ISO 7064 MOD 97-10
// over the national identifier followed by the country code.

ValidationOutcome at02_check(std::string_view s) {
    if (s.size() < 8 || s.size() > 35)
        return fail(ErrorCode::InvalidLength, "Creditor identifier must be 8 to 35 characters");
    if (!is_upper(s[0]) || !is_upper(s[1]) || !is_digit(s[2]) || !is_digit(s[3]) ||
        !extended::all_upper_alnum(s.substr(4)))
        return fail(ErrorCode::InvalidFormat,
                    "Creditor identifier must be a country code, 2 check digits and letters or digits");
    const std::optional<unsigned> r = mod97_10_remainder(s.substr(7));
    if (!r || mod97_10_extend(*r, s.substr(0, 4)) != 1u)
        return fail(ErrorCode::InvalidChecksum, "Creditor identifier check digits do not match");
    return ValidationOutcome::success_input(s);
}

std::string at02_generate() {
    constexpr std::string_view kCountries[] = {"DE", "AT", "BE", "ES", "FR", "IT", "NL", "FI", "IE", "PT", "LU", "SI"};
    const std::string_view cc = kCountries[random_below(std::size(kCountries))];
    const std::string national = random_from(random_below(2) ? kDigits : kUpperAlnum, 8 + random_below(8));
    std::string tail = national + std::string(cc) + "00";
    const unsigned check = 98 - *mod97_10_remainder(tail);
    std::string s(cc);
    append_padded(s, check, 2);
    return s + (random_below(4) == 0 ? random_from(kUpperAlnum, 3) : std::string("ZZZ")) + national;
}

constexpr KindRule kAt02Rule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = at02_check, .present = nullptr, .generate = at02_generate,
};

constexpr std::string_view kAt02Aliases[] = {
    "creditor identifier", "SEPA creditor identifier", "CI", "CID", "AT-02", "Gläubiger-Identifikationsnummer",
    "Gläubiger-ID", "identifiant créancier SEPA", "ICS", "incassant ID", "identificativo creditore",
};
// The Bundesbank's example, and a Dutch identifier (national part: a
// Chamber of Commerce number and a four-digit suffix).
constexpr std::string_view kAt02Examples[] = {"DE98ZZZ09999999999", "NL42ZZZ123456780001"};
constexpr std::uint64_t kAt02Lengths[] = {18, 19};

// ---- no.kontonr --------------------------------------------------------------
// Bank (4 digits), account group (2), customer number (4) and a check digit
// by weights 5, 4, 3, 2, 7, 6, 5, 4, 3, 2 modulo 11 (remainder 1: no such
// account; remainder 0: check digit 0).

constexpr int kKontoWeights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};

ValidationOutcome kontonr_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "Account number must be 11 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Account number must contain only digits");
    const auto d = mod11_check(weighted_sum(s.substr(0, 10), kKontoWeights), Mod11::B);
    if (!d || static_cast<char>('0' + *d) != s[10])
        return fail(ErrorCode::InvalidChecksum, "Account number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string kontonr_present(std::string_view s) { return join_at(s, {4, 6}, '.'); }

std::string kontonr_generate() {
    for (;;) {
        std::string s = random_digits(10);
        if (const auto d = mod11_check(weighted_sum(s, kKontoWeights), Mod11::B)) {
            s.push_back(static_cast<char>('0' + *d));
            return s;
        }
    }
}

constexpr KindRule kKontonrRule = {
    .separators = " .-", .upper = false, .prefix = {},
    .check = kontonr_check, .present = kontonr_present, .generate = kontonr_generate,
};

constexpr std::string_view kKontonrAliases[] = {
    "kontonummer", "kontonr", "kontonr.", "bankkontonummer", "Norwegian bank account number",
};
constexpr std::string_view kKontonrExamples[] = {"8601.11.17947", "1503.12.34562"};
constexpr std::uint64_t kLen11[] = {11};

}  // namespace

const ValidatorSpec kBeOgmVcsSpec = {
    .source_url = "https://www.febelfin.be/",
    .id = "be.ogm_vcs",
    .name = "Belgian Structured Communication",
    .local_name = "Gestructureerde mededeling",
    .abbreviation = "OGM-VCS",
    .aliases = kOgmAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kLen12,
    .examples = kOgmExamples,
    .ops = kind_ops<kOgmRule>(),
    .country = country("BE"),
    .entity = EntityType::Any,
};

const ValidatorSpec kChEsrSpec = {
    .source_url = "https://www.six-group.com/en/products-services/banking-services/payment-standardization/standards/qr-bill.html",
    .id = "ch.esr",
    .name = "Swiss Payment Slip Reference",
    .local_name = "ESR-Referenznummer",
    .abbreviation = "ESR",
    .aliases = kEsrAliases,
    .candidate_pattern = "\\d{27}",
    .lengths = kEsrLengths,
    .examples = kEsrExamples,
    .ops = kind_ops<kEsrRule>(),
    .country = country("CH"),
    .entity = EntityType::Any,
};

const ValidatorSpec kDeLeitwegSpec = {
    .source_url = "https://www.xoev.de/xrechnung/leitweg-id",
    .id = "de.leitweg",
    .name = "German Leitweg-ID",
    .local_name = "Leitweg-ID",
    .abbreviation = "Leitweg-ID",
    .aliases = kLeitwegAliases,
    .candidate_pattern = "\\d{2,12}(?:-[0-9A-Z]{1,30})?-\\d{2}",
    .lengths = kLeitwegLengths,
    .examples = kLeitwegExamples,
    .ops = kind_ops<kLeitwegRule>(),
    .country = country("DE"),
    .entity = EntityType::Company,
};

const ValidatorSpec kEsCccSpec = {
    .source_url = "https://www.bde.es/",
    .id = "es.ccc",
    .name = "Spanish Bank Account Code",
    .local_name = "Código Cuenta Cliente",
    .abbreviation = "CCC",
    .aliases = kCccAliases,
    .candidate_pattern = "\\d{20}",
    .lengths = kLen20,
    .examples = kCccExamples,
    .ops = kind_ops<kCccRule>(),
    .country = country("ES"),
    .entity = EntityType::Any,
};

const ValidatorSpec kEuAt02Spec = {
    .source_url = "https://www.europeanpaymentscouncil.eu/document-library/guidance-documents/creditor-identifier-overview",
    .id = "eu.at_02",
    .name = "SEPA Creditor Identifier",
    .local_name = "SEPA Creditor Identifier",
    .abbreviation = "CI",
    .aliases = kAt02Aliases,
    .candidate_pattern = "[A-Z]{2}\\d{2}[0-9A-Z]{3}[0-9A-Z]{1,28}",
    .lengths = kAt02Lengths,
    .examples = kAt02Examples,
    .ops = kind_ops<kAt02Rule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kNoKontonrSpec = {
    .source_url = "https://www.bits.no/",
    .id = "no.kontonr",
    .name = "Norwegian Bank Account Number",
    .local_name = "Kontonummer",
    .abbreviation = "Kontonr.",
    .aliases = kKontonrAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kLen11,
    .examples = kKontonrExamples,
    .ops = kind_ops<kKontonrRule>(),
    .country = country("NO"),
    .entity = EntityType::Any,
};

}  // namespace ov::europe
