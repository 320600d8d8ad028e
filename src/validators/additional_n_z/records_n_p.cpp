// Records and rows of the additional set N-Z, ng.nin to pe.ruc.
#include "validators/additional_n_z/checks.h"
#include "validators/additional_n_z/records.h"

// A row names only what differs from the defaults of its fields.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace ov::nz {

// ---- ng.nin ---------------------------------------------------------------------
namespace {
constexpr std::string_view kNgNinAliases[] = {"NIN", "National Identification Number"};
constexpr std::uint64_t kNgNinLengths[] = {11};
constexpr std::string_view kNgNinExamples[] = {"13478900989", "70123456789"};
constexpr Rule kNgNinRule = {
    .format = {.joiner = " ", .bounds = {0, 3, 7, kEnd}, .pieces = 3},
    .check = ng_nin_check,
};
}  // namespace
const ValidatorSpec kNgNinSpec = {
    .source_url = "https://nimc.gov.ng/",
    .id = "ng.nin",
    .name = "National Identification Number",
    .local_name = "National Identification Number",
    .abbreviation = "NIN",
    .aliases = kNgNinAliases,
    .candidate_pattern = R"(\d{11})",
    .lengths = kNgNinLengths,
    .examples = kNgNinExamples,
    .ops = ops<kNgNinRule>(),
    .country = country("NG"),
    .entity = EntityType::Person,
};

// ---- ni.ruc ---------------------------------------------------------------------
namespace {
constexpr std::string_view kNiRucAliases[] = {"RUC"};
constexpr std::uint64_t kNiRucLengths[] = {14};
constexpr std::string_view kNiRucExamples[] = {"6071904680001F", "2811505850012D"};
constexpr Rule kNiRucRule = {
    .compaction = {.remove = " -", .trim = true, .upper = CaseMap::Full},
    .format = {.custom = ni_ruc_format},
    .check = ni_ruc_check,
};
}  // namespace
const ValidatorSpec kNiRucSpec = {
    .source_url = "https://www.dgi.gob.ni/",
    .id = "ni.ruc",
    .name = "Tax Identification Number",
    .local_name = "Registro Único de Contribuyente",
    .abbreviation = "RUC",
    .aliases = kNiRucAliases,
    .candidate_pattern = R"([JKME]\d{13})",
    .lengths = kNiRucLengths,
    .examples = kNiRucExamples,
    .ops = ops<kNiRucRule>(),
    .country = country("NI"),
    .entity = EntityType::Any,
};

// ---- nl.bsn ---------------------------------------------------------------------
namespace {
constexpr std::string_view kNlBsnAliases[] = {"burgerservicenummer", "BSN", "sofinummer"};
constexpr std::string_view kNlBsnExamples[] = {"111222333"};
constexpr Rule kNlBsnRule = {
    // Leading zeros are often left out when the number is written down.
    .compaction = {.remove = " -.", .pad_to = 9},
    .check = nl_bsn_check,
};
}  // namespace
const ValidatorSpec kNlBsnSpec = {
    .source_url = "https://www.rvig.nl/burgerservicenummer",
    .id = "nl.bsn",
    .name = "Dutch Citizen Service Number",
    .local_name = "Burgerservicenummer",
    .abbreviation = "BSN",
    .aliases = kNlBsnAliases,
    .candidate_pattern = R"(\d{9})",
    .lengths = {},
    .examples = kNlBsnExamples,
    .ops = ops<kNlBsnRule>(),
    .country = country("NL"),
    .entity = EntityType::Person,
};

// ---- nl.kvk ---------------------------------------------------------------------
namespace {
constexpr std::string_view kNlKvkAliases[] = {"KVK-nummer", "Kamer van Koophandel"};
constexpr std::string_view kNlKvkExamples[] = {"12345678"};
constexpr Rule kNlKvkRule = {.check = nl_kvk_check};
}  // namespace
const ValidatorSpec kNlKvkSpec = {
    .source_url = "https://www.kvk.nl/",
    .id = "nl.kvk",
    .name = "Dutch Chamber of Commerce Number",
    .local_name = "KvK-nummer",
    .abbreviation = "KvK",
    .aliases = kNlKvkAliases,
    .candidate_pattern = R"(\d{8})",
    .lengths = {},
    .examples = kNlKvkExamples,
    .ops = ops<kNlKvkRule>(),
    .country = country("NL"),
    .entity = EntityType::Company,
};

// ---- no.fodselsnummer -----------------------------------------------------------
namespace {
constexpr std::string_view kNoFodselsnummerAliases[] = {"fødselsnummer", "personnummer"};
constexpr std::string_view kNoFodselsnummerExamples[] = {"15108695088"};
constexpr Rule kNoFodselsnummerRule = {
    .format = {.joiner = " ", .bounds = {0, 6, kEnd}, .pieces = 2},
    .check = no_fodselsnummer_check,
    .parse = no_fodselsnummer_parse,
};
}  // namespace
const ValidatorSpec kNoFodselsnummerSpec = {
    .source_url = "https://www.skatteetaten.no/en/person/national-registry/identity-numbers/",
    .id = "no.fodselsnummer",
    .name = "Norwegian Birth Number",
    .local_name = "Fødselsnummer",
    .abbreviation = "Fødselsnr",
    .aliases = kNoFodselsnummerAliases,
    .candidate_pattern = R"(\d{11})",
    .lengths = {},
    .examples = kNoFodselsnummerExamples,
    .ops = ops<kNoFodselsnummerRule>(),
    .country = country("NO"),
    .entity = EntityType::Person,
};

// ---- nz.ird ---------------------------------------------------------------------
namespace {
constexpr std::string_view kNzIrdAliases[] = {"IRD number", "tax number NZ"};
constexpr std::uint64_t kNzIrdLengths[] = {8, 9};
constexpr std::string_view kNzIrdExamples[] = {"49091850", "136410132"};
constexpr Rule kNzIrdRule = {
    .compaction = {.remove = " -", .upper = CaseMap::Ascii, .prefix = "NZ"},
    .format = {.custom = nz_ird_format},
    .check = nz_ird_check,
};
}  // namespace
const ValidatorSpec kNzIrdSpec = {
    .source_url = "https://www.ird.govt.nz/",
    .id = "nz.ird",
    .name = "IRD Number",
    .local_name = "IRD Number",
    .abbreviation = "IRD",
    .aliases = kNzIrdAliases,
    .candidate_pattern = R"(\d{8,9})",
    .lengths = kNzIrdLengths,
    .examples = kNzIrdExamples,
    .ops = ops<kNzIrdRule>(),
    .country = country("NZ"),
    .entity = EntityType::Any,
};

// ---- pa.ruc ---------------------------------------------------------------------
namespace {
constexpr std::string_view kPaRucAliases[] = {"RUC"};
constexpr std::string_view kPaRucExamples[] = {"1-184-921 DV49", "2588017-1-831938 DV20"};
constexpr Rule kPaRucRule = {
    .compaction = {.custom = pa_ruc_compact},
    .format = {.custom = pa_ruc_format},
    .own_validate = pa_ruc_validate,
};
}  // namespace
const ValidatorSpec kPaRucSpec = {
    .source_url = "https://dgi.mef.gob.pa/",
    .id = "pa.ruc",
    .name = "Tax Identification Number",
    .local_name = "Registro Único de Contribuyente",
    .abbreviation = "RUC",
    .aliases = kPaRucAliases,
    .candidate_pattern = R"(\d{1,2}-?\d{1,4}-?\d{1,6})",
    .lengths = {},
    .examples = kPaRucExamples,
    .ops = ops<kPaRucRule>(),
    .country = country("PA"),
    .entity = EntityType::Any,
};

// ---- pe.ruc ---------------------------------------------------------------------
namespace {
constexpr std::string_view kPeRucAliases[] = {"RUC"};
constexpr std::uint64_t kPeRucLengths[] = {11};
constexpr std::string_view kPeRucExamples[] = {"20131312955", "20100047218"};
constexpr Rule kPeRucRule = {
    .compaction = {.remove = " -.", .trim = true},
    .check = pe_ruc_check,
};
}  // namespace
const ValidatorSpec kPeRucSpec = {
    .source_url = "https://www.sunat.gob.pe/",
    .id = "pe.ruc",
    .name = "Peruvian Tax ID",
    .local_name = "Registro Único de Contribuyentes",
    .abbreviation = "RUC",
    .aliases = kPeRucAliases,
    .candidate_pattern = R"(\d{11})",
    .lengths = kPeRucLengths,
    .examples = kPeRucExamples,
    .ops = ops<kPeRucRule>(),
    .country = country("PE"),
    .entity = EntityType::Any,
};

}  // namespace ov::nz
