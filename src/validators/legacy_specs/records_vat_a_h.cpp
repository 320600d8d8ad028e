// Records of the legacy VAT numbers, Austria to Croatia: metadata and the row
// that drives their shared operations, one block per id.
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/frame.h"
#include "validators/legacy_specs/records.h"

namespace ov::legacy {

// ---- at.uid ------------------------------------------------------------------
constexpr std::string_view kAtUidAliases[] = {"UID", "Umsatzsteuer-Identifikationsnummer", "ATU"};
constexpr std::string_view kAtUidExamples[] = {"U13585627"};
constexpr Row kAtUidRow = {.prefix = "AT", .upper = true, .lengths = lengths({9}), .format = prefixed("AT"),
    .check = at_uid_check};
const ValidatorSpec kAtUidSpec = {
    .source_url = "https://www.bmf.gv.at/",
    .id = "at.uid",
    .name = "Austrian VAT Number",
    .local_name = "Umsatzsteuer-Identifikationsnummer",
    .abbreviation = "UID",
    .aliases = kAtUidAliases,
    .candidate_pattern = R"(ATU\d{8})",
    .lengths = {},
    .examples = kAtUidExamples,
    .ops = ops<kAtUidRow>(),
    .country = country("AT"),
    .entity = EntityType::Company,
};

// ---- be.vat ------------------------------------------------------------------
constexpr std::string_view kBeVatAliases[] = {"BTW", "TVA", "numéro d'entreprise", "ondernemingsnummer"};
constexpr std::string_view kBeVatExamples[] = {"0776091951"};
constexpr Row kBeVatRow = {.prefix = "BE", .afterwards = Afterwards::ZeroPad9, .lengths = lengths({10}),
    .shape = Shape::Digits, .format = prefixed("BE"), .check = be_vat_check};
const ValidatorSpec kBeVatSpec = {
    .source_url = "https://finances.belgium.be/",
    .id = "be.vat",
    .name = "Belgian VAT Number",
    .local_name = "BTW-identificatienummer",
    .abbreviation = "BTW",
    .aliases = kBeVatAliases,
    .candidate_pattern = R"(BE0?\d{9,10})",
    .lengths = {},
    .examples = kBeVatExamples,
    .ops = ops<kBeVatRow>(),
    .country = country("BE"),
    .entity = EntityType::Company,
};

// ---- bg.vat ------------------------------------------------------------------
constexpr std::string_view kBgVatAliases[] = {"ДДС", "идентификационен номер по ДДС"};
constexpr std::string_view kBgVatExamples[] = {"175074752"};
constexpr std::uint64_t kBgVatLengths[] = {9, 10};
constexpr Row kBgVatRow = {.prefix = "BG", .lengths = lengths({9, 10}), .shape = Shape::Digits,
    .format = prefixed("BG"), .check = bg_vat_check};
const ValidatorSpec kBgVatSpec = {
    .source_url = "https://nra.bg/",
    .id = "bg.vat",
    .name = "Bulgarian VAT Number",
    .local_name = "ИН по ДДС",
    .abbreviation = "ИН по ДДС",
    .aliases = kBgVatAliases,
    .candidate_pattern = R"(BG\d{9,10})",
    .lengths = kBgVatLengths,
    .examples = kBgVatExamples,
    .ops = ops<kBgVatRow>(),
    .country = country("BG"),
    .entity = EntityType::Any,
};

// ---- cy.vat ------------------------------------------------------------------
constexpr std::string_view kCyVatAliases[] = {"ΦΠΑ", "VAT CY"};
constexpr std::string_view kCyVatExamples[] = {"10259033P"};
constexpr Row kCyVatRow = {.prefix = "CY", .upper = true, .lengths = lengths({9}), .shape = Shape::CyVat,
    .format = prefixed("CY"), .check = cy_vat_check};
const ValidatorSpec kCyVatSpec = {
    .source_url = "https://www.mof.gov.cy/",
    .id = "cy.vat",
    .name = "Cypriot VAT Number",
    .local_name = "Αριθμός Εγγραφής Φ.Π.Α.",
    .abbreviation = "ΦΠΑ",
    .aliases = kCyVatAliases,
    .candidate_pattern = R"(CY\d{8}[A-Z])",
    .lengths = {},
    .examples = kCyVatExamples,
    .ops = ops<kCyVatRow>(),
    .country = country("CY"),
    .entity = EntityType::Company,
};

// ---- cz.dic ------------------------------------------------------------------
constexpr std::string_view kCzDicAliases[] = {"DIČ", "daňové identifikační číslo"};
constexpr std::string_view kCzDicExamples[] = {"25123891", "7103192745"};
constexpr std::uint64_t kCzDicLengths[] = {8, 9, 10};
constexpr Row kCzDicRow = {.prefix = "CZ", .lengths = lengths({8, 9, 10}), .shape = Shape::Digits,
    .year_component = true, .format = prefixed("CZ"), .check = cz_dic_check};
const ValidatorSpec kCzDicSpec = {
    .source_url = "https://www.financnisprava.cz/",
    .id = "cz.dic",
    .name = "Czech VAT Number",
    .local_name = "Daňové identifikační číslo",
    .abbreviation = "DIČ",
    .aliases = kCzDicAliases,
    .candidate_pattern = R"(CZ\d{8,10})",
    .lengths = kCzDicLengths,
    .examples = kCzDicExamples,
    .ops = ops<kCzDicRow>(),
    .country = country("CZ"),
    .entity = EntityType::Any,
};

// ---- de.vat ------------------------------------------------------------------
constexpr std::string_view kDeVatAliases[] = {"USt-IdNr", "Umsatzsteuer-Identifikationsnummer", "VAT DE"};
constexpr std::string_view kDeVatExamples[] = {"136695976"};
constexpr std::uint64_t kDeVatLengths[] = {9};
constexpr Row kDeVatRow = {.prefix = "DE", .lengths = lengths({9}), .format = prefixed("DE"), .check = de_vat_check};
const ValidatorSpec kDeVatSpec = {
    .source_url = "https://www.bzst.de/",
    .id = "de.vat",
    .name = "German VAT Number",
    .local_name = "Umsatzsteuer-Identifikationsnummer",
    .abbreviation = "USt-IdNr.",
    .aliases = kDeVatAliases,
    .candidate_pattern = R"(DE\d{9})",
    .lengths = kDeVatLengths,
    .examples = kDeVatExamples,
    .ops = ops<kDeVatRow>(),
    .country = country("DE"),
    .entity = EntityType::Company,
};

// ---- dk.vat ------------------------------------------------------------------
constexpr std::string_view kDkVatAliases[] = {"momsnummer", "SE-nummer"};
constexpr std::string_view kDkVatExamples[] = {"13585628"};
constexpr std::uint64_t kDkVatLengths[] = {8};
constexpr Row kDkVatRow = {.prefix = "DK", .lengths = lengths({8}), .format = prefixed("DK"), .check = dk_vat_check};
const ValidatorSpec kDkVatSpec = {
    .source_url = "https://skat.dk/",
    .id = "dk.vat",
    .name = "Danish VAT Number",
    .local_name = "Momsregistreringsnummer",
    .abbreviation = "CVR",
    .aliases = kDkVatAliases,
    .candidate_pattern = R"(DK\d{8})",
    .lengths = kDkVatLengths,
    .examples = kDkVatExamples,
    .ops = ops<kDkVatRow>(),
    .country = country("DK"),
    .entity = EntityType::Company,
};

// ---- ee.vat ------------------------------------------------------------------
constexpr std::string_view kEeVatAliases[] = {"käibemaksukohustuslase number", "KMKR"};
constexpr std::string_view kEeVatExamples[] = {"100931558"};
constexpr Row kEeVatRow = {.prefix = "EE", .lengths = lengths({9}), .format = prefixed("EE"), .check = ee_vat_check};
const ValidatorSpec kEeVatSpec = {
    .source_url = "https://www.emta.ee/",
    .id = "ee.vat",
    .name = "Estonian VAT Number",
    .local_name = "Käibemaksukohustuslase number",
    .abbreviation = "KMKR",
    .aliases = kEeVatAliases,
    .candidate_pattern = R"(EE\d{9})",
    .lengths = {},
    .examples = kEeVatExamples,
    .ops = ops<kEeVatRow>(),
    .country = country("EE"),
    .entity = EntityType::Company,
};

// ---- es.vat ------------------------------------------------------------------
constexpr std::string_view kEsVatAliases[] = {"NIF", "CIF", "número de identificación fiscal"};
constexpr std::string_view kEsVatExamples[] = {"12345678Z", "A78304516"};
constexpr Row kEsVatRow = {.prefix = "ES", .upper = true, .lengths = lengths({9}), .format = prefixed("ES"),
    .check = es_vat_check};
const ValidatorSpec kEsVatSpec = {
    .source_url = "https://sede.agenciatributaria.gob.es/",
    .id = "es.vat",
    .name = "Spanish VAT Number",
    .local_name = "Número de Identificación Fiscal",
    .abbreviation = "NIF",
    .aliases = kEsVatAliases,
    .candidate_pattern = R"(ES[A-Z]\d{7}[A-Z\d])",
    .lengths = {},
    .examples = kEsVatExamples,
    .ops = ops<kEsVatRow>(),
    .country = country("ES"),
    .entity = EntityType::Any,
};

// ---- fi.vat ------------------------------------------------------------------
constexpr std::string_view kFiVatAliases[] = {"ALV-numero", "Y-tunnus"};
constexpr std::string_view kFiVatExamples[] = {"20774740"};
constexpr std::uint64_t kFiVatLengths[] = {8};
constexpr Row kFiVatRow = {.prefix = "FI", .lengths = lengths({8}), .format = prefixed("FI"), .check = fi_vat_check};
const ValidatorSpec kFiVatSpec = {
    .source_url = "https://www.vero.fi/",
    .id = "fi.vat",
    .name = "Finnish VAT Number",
    .local_name = "Arvonlisäveronumero",
    .abbreviation = "ALV nro",
    .aliases = kFiVatAliases,
    .candidate_pattern = R"(FI\d{8})",
    .lengths = kFiVatLengths,
    .examples = kFiVatExamples,
    .ops = ops<kFiVatRow>(),
    .country = country("FI"),
    .entity = EntityType::Company,
};

// ---- fr.tva ------------------------------------------------------------------
constexpr std::string_view kFrTvaAliases[] = {"numéro de TVA", "TVA intracommunautaire", "FR VAT"};
constexpr std::string_view kFrTvaExamples[] = {"40303265045", "K7399859412"};
constexpr Row kFrTvaRow = {.prefix = "FR", .upper = true, .lengths = lengths({11}), .format = prefixed("FR"),
    .check = fr_tva_check};
const ValidatorSpec kFrTvaSpec = {
    .source_url = "https://www.impots.gouv.fr/",
    .id = "fr.tva",
    .name = "French VAT Number",
    .local_name = "Numéro de TVA intracommunautaire",
    .abbreviation = "TVA",
    .aliases = kFrTvaAliases,
    .candidate_pattern = R"(FR[A-Z0-9]{2}\d{9})",
    .lengths = {},
    .examples = kFrTvaExamples,
    .ops = ops<kFrTvaRow>(),
    .country = country("FR"),
    .entity = EntityType::Company,
};

// ---- gb.vat ------------------------------------------------------------------
constexpr std::string_view kGbVatAliases[] = {"VAT registration number", "VAT number"};
constexpr std::string_view kGbVatExamples[] = {"980780684"};
constexpr Row kGbVatRow = {.prefix = "GB", .upper = true, .lengths = lengths({5, 9, 12}),
    .format = pieces("GB ", {0, 3, 7}, "  ", "", FormatKind::GbVat), .check = gb_vat_check};
const ValidatorSpec kGbVatSpec = {
    .source_url = "https://www.gov.uk/vat-registration",
    .id = "gb.vat",
    .name = "UK VAT Number",
    .local_name = "VAT Registration Number",
    .abbreviation = "VAT",
    .aliases = kGbVatAliases,
    .candidate_pattern = R"(GB\d{9,12})",
    .lengths = {},
    .examples = kGbVatExamples,
    .ops = ops<kGbVatRow>(),
    .country = country("GB"),
    .entity = EntityType::Company,
};

// ---- gr.vat ------------------------------------------------------------------
constexpr std::string_view kGrVatAliases[] = {"ΑΦΜ", "Αριθμός Φορολογικού Μητρώου", "AFM"};
constexpr std::string_view kGrVatExamples[] = {"094259216"};
constexpr Row kGrVatRow = {.prefix = "GR", .alt_prefix = "EL", .afterwards = Afterwards::ZeroPad8,
    .lengths = lengths({9}), .format = prefixed("EL"), .check = gr_vat_check};
const ValidatorSpec kGrVatSpec = {
    .source_url = "https://www.aade.gr/",
    .id = "gr.vat",
    .name = "Greek VAT Number",
    .local_name = "Αριθμός Φορολογικού Μητρώου",
    .abbreviation = "ΑΦΜ",
    .aliases = kGrVatAliases,
    .candidate_pattern = R"(EL\d{9})",
    .lengths = {},
    .examples = kGrVatExamples,
    .ops = ops<kGrVatRow>(),
    .country = country("GR"),
    .entity = EntityType::Any,
};

// ---- hr.vat ------------------------------------------------------------------
constexpr std::string_view kHrVatAliases[] = {"OIB", "osobni identifikacijski broj"};
constexpr std::string_view kHrVatExamples[] = {"33392005961"};
constexpr Row kHrVatRow = {.prefix = "HR", .lengths = lengths({11}), .format = prefixed("HR"), .check = hr_vat_check};
const ValidatorSpec kHrVatSpec = {
    .source_url = "https://www.porezna-uprava.hr/",
    .id = "hr.vat",
    .name = "Croatian VAT Number",
    .local_name = "Osobni identifikacijski broj",
    .abbreviation = "OIB",
    .aliases = kHrVatAliases,
    .candidate_pattern = R"(HR\d{11})",
    .lengths = {},
    .examples = kHrVatExamples,
    .ops = ops<kHrVatRow>(),
    .country = country("HR"),
    .entity = EntityType::Any,
};

// ---- hu.vat ------------------------------------------------------------------
constexpr std::string_view kHuVatAliases[] = {"adószám", "adóazonosító jel"};
constexpr std::string_view kHuVatExamples[] = {"12892312"};
constexpr std::uint64_t kHuVatLengths[] = {8};
constexpr Row kHuVatRow = {.prefix = "HU", .lengths = lengths({8}), .format = prefixed("HU"), .check = hu_vat_check};
const ValidatorSpec kHuVatSpec = {
    .source_url = "https://nav.gov.hu/",
    .id = "hu.vat",
    .name = "Hungarian VAT Number",
    .local_name = "Adószám",
    .abbreviation = "ANUM",
    .aliases = kHuVatAliases,
    .candidate_pattern = R"(\d{8}-\d-\d{2})",
    .lengths = kHuVatLengths,
    .examples = kHuVatExamples,
    .ops = ops<kHuVatRow>(),
    .country = country("HU"),
    .entity = EntityType::Company,
};

}  // namespace ov::legacy
