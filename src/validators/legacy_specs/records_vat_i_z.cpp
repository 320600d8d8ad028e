// Records of the legacy VAT numbers, Ireland to Slovakia: metadata and the
// row that drives their shared operations, one block per id.
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/frame.h"
#include "validators/legacy_specs/records.h"

namespace ov::legacy {

// ---- ie.vat ------------------------------------------------------------------
constexpr std::string_view kIeVatAliases[] = {"VAT number IE"};
constexpr std::string_view kIeVatExamples[] = {"6433435F", "8D79739I"};
constexpr Row kIeVatRow = {.prefix = "IE", .upper = true, .lengths = lengths({8, 9}), .shape = Shape::IeVat,
    .format = prefixed("IE"), .check = ie_vat_check};
const ValidatorSpec kIeVatSpec = {
    .source_url = "https://www.revenue.ie/",
    .id = "ie.vat",
    .name = "Irish VAT Number",
    .local_name = "Value Added Tax Number",
    .abbreviation = "VAT",
    .aliases = kIeVatAliases,
    .candidate_pattern = R"(IE\d[A-Z+*]\d{5}[A-Z])",
    .lengths = {},
    .examples = kIeVatExamples,
    .ops = ops<kIeVatRow>(),
    .country = country("IE"),
    .entity = EntityType::Any,
};

// ---- it.iva ------------------------------------------------------------------
constexpr std::string_view kItIvaAliases[] = {"partita IVA", "P.IVA", "P. IVA", "VAT IT"};
constexpr std::string_view kItIvaExamples[] = {"00743110157"};
constexpr Row kItIvaRow = {.prefix = "IT", .lengths = lengths({11}), .format = prefixed("IT"), .check = it_iva_check};
const ValidatorSpec kItIvaSpec = {
    .source_url = "https://www.agenziaentrate.gov.it/",
    .id = "it.iva",
    .name = "Italian VAT Number",
    .local_name = "Partita IVA",
    .abbreviation = "P.IVA",
    .aliases = kItIvaAliases,
    .candidate_pattern = R"(IT\d{11})",
    .lengths = {},
    .examples = kItIvaExamples,
    .ops = ops<kItIvaRow>(),
    .country = country("IT"),
    .entity = EntityType::Company,
};

// ---- lt.vat ------------------------------------------------------------------
constexpr std::string_view kLtVatAliases[] = {"PVM mokėtojo kodas", "PVM"};
constexpr std::string_view kLtVatExamples[] = {"119511515", "100001919017"};
constexpr std::uint64_t kLtVatLengths[] = {9, 12};
constexpr Row kLtVatRow = {.prefix = "LT", .lengths = lengths({9, 12}), .format = prefixed("LT"),
    .check = lt_vat_check};
const ValidatorSpec kLtVatSpec = {
    .source_url = "https://www.vmi.lt/",
    .id = "lt.vat",
    .name = "Lithuanian VAT Number",
    .local_name = "PVM mokėtojo kodas",
    .abbreviation = "PVM kodas",
    .aliases = kLtVatAliases,
    .candidate_pattern = R"(LT\d{9,12})",
    .lengths = kLtVatLengths,
    .examples = kLtVatExamples,
    .ops = ops<kLtVatRow>(),
    .country = country("LT"),
    .entity = EntityType::Any,
};

// ---- lu.vat ------------------------------------------------------------------
constexpr std::string_view kLuVatAliases[] = {"TVA", "numéro d'identification TVA"};
constexpr std::string_view kLuVatExamples[] = {"15027442"};
constexpr std::uint64_t kLuVatLengths[] = {8};
constexpr Row kLuVatRow = {.prefix = "LU", .lengths = lengths({8}), .format = prefixed("LU"), .check = lu_vat_check};
const ValidatorSpec kLuVatSpec = {
    .source_url = "https://aed.public.lu/",
    .id = "lu.vat",
    .name = "Luxembourg VAT Number",
    .local_name = "Numéro de TVA",
    .abbreviation = "TVA",
    .aliases = kLuVatAliases,
    .candidate_pattern = R"(LU\d{8})",
    .lengths = kLuVatLengths,
    .examples = kLuVatExamples,
    .ops = ops<kLuVatRow>(),
    .country = country("LU"),
    .entity = EntityType::Company,
};

// ---- lv.vat ------------------------------------------------------------------
constexpr std::string_view kLvVatAliases[] = {"PVN reģistrācijas numurs", "PVN"};
constexpr std::string_view kLvVatExamples[] = {"40003521600", "32999999999"};
constexpr Row kLvVatRow = {.prefix = "LV", .lengths = lengths({11}), .format = prefixed("LV"), .check = lv_vat_check};
const ValidatorSpec kLvVatSpec = {
    .source_url = "https://www.vid.gov.lv/",
    .id = "lv.vat",
    .name = "Latvian VAT Number",
    .local_name = "PVN reģistrācijas numurs",
    .abbreviation = "PVN",
    .aliases = kLvVatAliases,
    .candidate_pattern = R"(LV\d{11})",
    .lengths = {},
    .examples = kLvVatExamples,
    .ops = ops<kLvVatRow>(),
    .country = country("LV"),
    .entity = EntityType::Any,
};

// ---- mt.vat ------------------------------------------------------------------
constexpr std::string_view kMtVatAliases[] = {"VAT number MT"};
constexpr std::string_view kMtVatExamples[] = {"11679112"};
constexpr std::uint64_t kMtVatLengths[] = {8};
constexpr Row kMtVatRow = {.prefix = "MT", .lengths = lengths({8}), .format = prefixed("MT"), .check = mt_vat_check};
const ValidatorSpec kMtVatSpec = {
    .source_url = "https://cfr.gov.mt/",
    .id = "mt.vat",
    .name = "Maltese VAT Number",
    .local_name = "VAT Registration Number",
    .abbreviation = "VAT",
    .aliases = kMtVatAliases,
    .candidate_pattern = R"(MT\d{8})",
    .lengths = kMtVatLengths,
    .examples = kMtVatExamples,
    .ops = ops<kMtVatRow>(),
    .country = country("MT"),
    .entity = EntityType::Company,
};

// ---- nl.vat ------------------------------------------------------------------
constexpr std::string_view kNlVatAliases[] = {"BTW-nummer", "BTW-id"};
constexpr std::string_view kNlVatExamples[] = {"000099998B57"};
constexpr Row kNlVatRow = {.prefix = "NL", .upper = true, .afterwards = Afterwards::NlVatPad,
    .lengths = lengths({12}), .shape = Shape::NlVat, .format = prefixed("NL"), .check = nl_vat_check};
const ValidatorSpec kNlVatSpec = {
    .source_url = "https://www.belastingdienst.nl/",
    .id = "nl.vat",
    .name = "Dutch VAT Number",
    .local_name = "BTW-identificatienummer",
    .abbreviation = "BTW",
    .aliases = kNlVatAliases,
    .candidate_pattern = R"(NL\d{9}B\d{2})",
    .lengths = {},
    .examples = kNlVatExamples,
    .ops = ops<kNlVatRow>(),
    .country = country("NL"),
    .entity = EntityType::Company,
};

// ---- no.mva ------------------------------------------------------------------
constexpr std::string_view kNoMvaAliases[] = {"MVA-nummer", "organisasjonsnummer"};
constexpr std::string_view kNoMvaExamples[] = {"995525828MVA"};
constexpr Row kNoMvaRow = {.prefix = "NO", .upper = true, .pre = PreCheck::MvaSuffix, .lengths = lengths({12}),
    .shape = Shape::NoMva, .format = pieces("NO ", {0, 3, 6}, "  ", " MVA", FormatKind::NoMva),
    .check = no_mva_check};
const ValidatorSpec kNoMvaSpec = {
    .source_url = "https://www.skatteetaten.no/",
    .id = "no.mva",
    .name = "Norwegian VAT Number",
    .local_name = "Merverdiavgift",
    .abbreviation = "MVA",
    .aliases = kNoMvaAliases,
    .candidate_pattern = R"(NO\d{9}MVA)",
    .lengths = {},
    .examples = kNoMvaExamples,
    .ops = ops<kNoMvaRow>(),
    .country = country("NO"),
    .entity = EntityType::Company,
};

// ---- pl.nip ------------------------------------------------------------------
constexpr std::string_view kPlNipAliases[] = {"NIP", "numer identyfikacji podatkowej"};
constexpr std::string_view kPlNipExamples[] = {"2234567895"};
constexpr Row kPlNipRow = {.prefix = "PL", .lengths = lengths({10}), .shape = Shape::Digits, .format = prefixed("PL"),
    .check = pl_nip_check, .nip_hook = true};
const ValidatorSpec kPlNipSpec = {
    .source_url = "https://www.podatki.gov.pl/",
    .id = "pl.nip",
    .name = "Polish VAT Number",
    .local_name = "Numer Identyfikacji Podatkowej",
    .abbreviation = "NIP",
    .aliases = kPlNipAliases,
    .candidate_pattern = R"(\d{3}-?\d{3}-?\d{2}-?\d{2})",
    .lengths = {},
    .examples = kPlNipExamples,
    .ops = ops<kPlNipRow>(),
    .country = country("PL"),
    .entity = EntityType::Company,
};

// ---- pt.vat ------------------------------------------------------------------
constexpr std::string_view kPtVatAliases[] = {"NIF", "número de identificação fiscal", "contribuinte"};
constexpr std::string_view kPtVatExamples[] = {"501964843"};
constexpr std::uint64_t kPtVatLengths[] = {9};
constexpr Row kPtVatRow = {.prefix = "PT", .lengths = lengths({9}), .format = prefixed("PT"), .check = pt_vat_check};
const ValidatorSpec kPtVatSpec = {
    .source_url = "https://www.portaldasfinancas.gov.pt/",
    .id = "pt.vat",
    .name = "Portuguese VAT Number",
    .local_name = "Número de Identificação Fiscal",
    .abbreviation = "NIF",
    .aliases = kPtVatAliases,
    .candidate_pattern = R"(PT\d{9})",
    .lengths = kPtVatLengths,
    .examples = kPtVatExamples,
    .ops = ops<kPtVatRow>(),
    .country = country("PT"),
    .entity = EntityType::Any,
};

// ---- ro.vat ------------------------------------------------------------------
constexpr std::string_view kRoVatAliases[] = {"CUI", "CIF", "cod de identificare fiscală", "cod fiscal"};
constexpr std::string_view kRoVatExamples[] = {"18547290"};
constexpr std::uint64_t kRoVatLengths[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr Row kRoVatRow = {.prefix = "RO", .lengths = lengths({2, 3, 4, 5, 6, 7, 8, 9, 10}), .shape = Shape::Digits,
    .format = prefixed("RO"), .check = ro_vat_check};
const ValidatorSpec kRoVatSpec = {
    .source_url = "https://www.anaf.ro/",
    .id = "ro.vat",
    .name = "Romanian VAT Number",
    .local_name = "Cod de Identificare Fiscală",
    .abbreviation = "CIF",
    .aliases = kRoVatAliases,
    .candidate_pattern = R"(RO\d{2,10})",
    .lengths = kRoVatLengths,
    .examples = kRoVatExamples,
    .ops = ops<kRoVatRow>(),
    .country = country("RO"),
    .entity = EntityType::Any,
};

// ---- si.vat ------------------------------------------------------------------
constexpr std::string_view kSiVatAliases[] = {"DDV", "identifikacijska številka za DDV"};
constexpr std::string_view kSiVatExamples[] = {"15012557"};
constexpr std::uint64_t kSiVatLengths[] = {8};
constexpr Row kSiVatRow = {.prefix = "SI", .lengths = lengths({8}), .format = prefixed("SI"), .check = si_vat_check};
const ValidatorSpec kSiVatSpec = {
    .source_url = "https://www.fu.gov.si/",
    .id = "si.vat",
    .name = "Slovenian VAT Number",
    .local_name = "Davčna številka",
    .abbreviation = "DDV",
    .aliases = kSiVatAliases,
    .candidate_pattern = R"(SI\d{8})",
    .lengths = kSiVatLengths,
    .examples = kSiVatExamples,
    .ops = ops<kSiVatRow>(),
    .country = country("SI"),
    .entity = EntityType::Company,
};

// ---- sk.dic ------------------------------------------------------------------
constexpr std::string_view kSkDicAliases[] = {"DIČ", "daňové identifikačné číslo"};
constexpr std::string_view kSkDicExamples[] = {"2021853504"};
constexpr Row kSkDicRow = {.prefix = "SK", .lengths = lengths({10}), .shape = Shape::Digits, .format = prefixed("SK"),
    .check = sk_dic_check};
const ValidatorSpec kSkDicSpec = {
    .source_url = "https://www.financnasprava.sk/",
    .id = "sk.dic",
    .name = "Slovak VAT Number",
    .local_name = "Identifikačné číslo pre daň z pridanej hodnoty",
    .abbreviation = "IČ DPH",
    .aliases = kSkDicAliases,
    .candidate_pattern = R"(SK\d{10})",
    .lengths = {},
    .examples = kSkDicExamples,
    .ops = ops<kSkDicRow>(),
    .country = country("SK"),
    .entity = EntityType::Company,
};

}  // namespace ov::legacy
