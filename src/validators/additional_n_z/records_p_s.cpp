// Records and rows of the additional set N-Z, ph.philid to sk.rc.
#include "validators/additional_n_z/checks.h"
#include "validators/additional_n_z/records.h"

// A row names only what differs from the defaults of its fields.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace ov::nz {

// ---- ph.philid ------------------------------------------------------------------
namespace {
constexpr std::string_view kPhPhilidAliases[] = {"PhilID", "PhilSys", "Philippine ID"};
constexpr std::uint64_t kPhPhilidLengths[] = {12};
constexpr std::string_view kPhPhilidExamples[] = {"123456789012", "000011112222"};
constexpr Rule kPhPhilidRule = {
    .format = {.joiner = "-", .bounds = {0, 4, 11, 12}, .pieces = 3, .only_length = 12},
    .check = ph_philid_check,
};
}  // namespace
const ValidatorSpec kPhPhilidSpec = {
    .source_url = "https://philsys.gov.ph/",
    .id = "ph.philid",
    .name = "Philippine Identification System Number",
    .local_name = "PhilSys Card Number",
    .abbreviation = "PhilID",
    .aliases = kPhPhilidAliases,
    .candidate_pattern = R"(\d{4}-\d{4}-\d{4}-\d{4})",
    .lengths = kPhPhilidLengths,
    .examples = kPhPhilidExamples,
    .ops = ops<kPhPhilidRule>(),
    .country = country("PH"),
    .entity = EntityType::Person,
};

// ---- pk.cnic --------------------------------------------------------------------
namespace {
constexpr std::string_view kPkCnicAliases[] = {"CNIC", "شناختی کارڈ"};
constexpr std::uint64_t kPkCnicLengths[] = {13};
constexpr std::string_view kPkCnicExamples[] = {"3520112345671", "4210112345672"};
constexpr Rule kPkCnicRule = {
    .format = {.joiner = "-", .bounds = {0, 5, 12, kEnd}, .pieces = 3},
    .check = pk_cnic_check,
};
}  // namespace
const ValidatorSpec kPkCnicSpec = {
    .source_url = "https://www.nadra.gov.pk/",
    .id = "pk.cnic",
    .name = "Computerized National Identity Card",
    .local_name = "Computerized National Identity Card",
    .abbreviation = "CNIC",
    .aliases = kPkCnicAliases,
    .candidate_pattern = R"(\d{5}-?\d{7}-?\d)",
    .lengths = kPkCnicLengths,
    .examples = kPkCnicExamples,
    .ops = ops<kPkCnicRule>(),
    .country = country("PK"),
    .entity = EntityType::Person,
};

// ---- pl.regon -------------------------------------------------------------------
namespace {
constexpr std::string_view kPlRegonAliases[] = {"REGON", "numer statystyczny"};
constexpr std::string_view kPlRegonExamples[] = {"123456785", "12345678512347"};
constexpr Rule kPlRegonRule = {.check = pl_regon_check};
}  // namespace
const ValidatorSpec kPlRegonSpec = {
    .source_url = "https://bip.stat.gov.pl/dzialalnosc-statystyki-publicznej/rejestr-regon/",
    .id = "pl.regon",
    .name = "Polish Business Register Number",
    .local_name = "Rejestr Gospodarki Narodowej",
    .abbreviation = "REGON",
    .aliases = kPlRegonAliases,
    .candidate_pattern = R"(\d{9,14})",
    .lengths = {},
    .examples = kPlRegonExamples,
    .ops = ops<kPlRegonRule>(),
    .country = country("PL"),
    .entity = EntityType::Company,
};

// ---- rs.pib ---------------------------------------------------------------------
namespace {
constexpr std::string_view kRsPibAliases[] = {"PIB", "poreski identifikacioni broj"};
constexpr std::uint64_t kRsPibLengths[] = {9};
constexpr std::string_view kRsPibExamples[] = {"101134702"};
constexpr Rule kRsPibRule = {.check = rs_pib_check};
}  // namespace
const ValidatorSpec kRsPibSpec = {
    .source_url = "https://www.purs.gov.rs/",
    .id = "rs.pib",
    .name = "Serbian Tax ID",
    .local_name = "Poreski identifikacioni broj",
    .abbreviation = "PIB",
    .aliases = kRsPibAliases,
    .candidate_pattern = R"(\d{9})",
    .lengths = kRsPibLengths,
    .examples = kRsPibExamples,
    .ops = ops<kRsPibRule>(),
    .country = country("RS"),
    .entity = EntityType::Any,
};

// ---- ru.inn ---------------------------------------------------------------------
namespace {
constexpr std::string_view kRuInnAliases[] = {"ИНН", "INN"};
constexpr std::uint64_t kRuInnLengths[] = {10, 12};
constexpr std::string_view kRuInnExamples[] = {"7707083893", "526317984689"};
constexpr Rule kRuInnRule = {.check = ru_inn_check};
}  // namespace
const ValidatorSpec kRuInnSpec = {
    .source_url = "https://www.nalog.gov.ru/",
    .id = "ru.inn",
    .name = "Russian Tax ID",
    .local_name = "Идентификационный номер налогоплательщика",
    .abbreviation = "ИНН",
    .aliases = kRuInnAliases,
    .candidate_pattern = R"(\d{10,12})",
    .lengths = kRuInnLengths,
    .examples = kRuInnExamples,
    .ops = ops<kRuInnRule>(),
    .country = country("RU"),
    .entity = EntityType::Any,
};

// ---- se.orgnr -------------------------------------------------------------------
namespace {
constexpr std::string_view kSeOrgnrAliases[] = {"organisationsnummer", "org.nr", "org nr"};
constexpr std::string_view kSeOrgnrExamples[] = {"1234567897"};
constexpr Rule kSeOrgnrRule = {
    .format = {.joiner = "-", .bounds = {0, 6, kEnd}, .pieces = 2},
    .check = se_orgnr_check,
};
}  // namespace
const ValidatorSpec kSeOrgnrSpec = {
    .source_url = "https://bolagsverket.se/",
    .id = "se.orgnr",
    .name = "Swedish Organization Number",
    .local_name = "Organisationsnummer",
    .abbreviation = "Orgnr",
    .aliases = kSeOrgnrAliases,
    .candidate_pattern = R"(\d{6}-\d{4})",
    .lengths = {},
    .examples = kSeOrgnrExamples,
    .ops = ops<kSeOrgnrRule>(),
    .country = country("SE"),
    .entity = EntityType::Company,
};

// ---- se.vat ---------------------------------------------------------------------
namespace {
constexpr std::string_view kSeVatAliases[] = {"Momsnr.", "Momsregistreringsnummer", "Swedish VAT Number", "SE VAT"};
constexpr std::uint64_t kSeVatLengths[] = {12};
constexpr std::string_view kSeVatExamples[] = {"556188840401"};
constexpr Rule kSeVatRule = {
    .compaction = {.remove = " -./", .prefix = "SE"},
    .format = {.bounds = {0, kEnd}, .pieces = 1, .prefix = "SE"},
    .check = se_vat_check,
};
}  // namespace
const ValidatorSpec kSeVatSpec = {
    .source_url = "https://www.skatteverket.se/",
    .id = "se.vat",
    .name = "Swedish VAT Number",
    .local_name = "Momsregistreringsnummer",
    .abbreviation = "Momsnr.",
    .aliases = kSeVatAliases,
    .candidate_pattern = R"(SE\s?\d{10}01)",
    .lengths = kSeVatLengths,
    .examples = kSeVatExamples,
    .ops = ops<kSeVatRule>(),
    .country = country("SE"),
    .entity = EntityType::Company,
};

// ---- sg.uen ---------------------------------------------------------------------
namespace {
constexpr std::string_view kSgUenAliases[] = {"UEN", "Unique Entity Number"};
constexpr std::uint64_t kSgUenLengths[] = {9, 10};
constexpr std::string_view kSgUenExamples[] = {"00192200M", "197401143C", "S16FC0121D"};
constexpr Rule kSgUenRule = {
    .compaction = {.remove = " -", .trim = true, .upper = CaseMap::Full},
    .check = sg_uen_check,
};
}  // namespace
const ValidatorSpec kSgUenSpec = {
    .source_url = "https://www.uen.gov.sg/",
    .id = "sg.uen",
    .name = "Singapore Unique Entity Number",
    .local_name = "Unique Entity Number",
    .abbreviation = "UEN",
    .aliases = kSgUenAliases,
    .candidate_pattern = R"([\dSTR]\d{7}[A-Z])",
    .lengths = kSgUenLengths,
    .examples = kSgUenExamples,
    .ops = ops<kSgUenRule>(),
    .country = country("SG"),
    .entity = EntityType::Company,
};

// ---- si.emso --------------------------------------------------------------------
namespace {
constexpr std::string_view kSiEmsoAliases[] = {"EMŠO", "enotna matična številka občana"};
constexpr std::string_view kSiEmsoExamples[] = {"0101006500006"};
constexpr Rule kSiEmsoRule = {.check = si_emso_check, .parse = si_emso_parse};
}  // namespace
const ValidatorSpec kSiEmsoSpec = {
    .source_url = "https://www.gov.si/",
    .id = "si.emso",
    .name = "Slovenian Personal ID",
    .local_name = "Enotna matična številka občana",
    .abbreviation = "EMŠO",
    .aliases = kSiEmsoAliases,
    .candidate_pattern = R"(\d{13})",
    .lengths = {},
    .examples = kSiEmsoExamples,
    .ops = ops<kSiEmsoRule>(),
    .country = country("SI"),
    .entity = EntityType::Person,
};

// ---- sk.ico ---------------------------------------------------------------------
namespace {
constexpr std::string_view kSkIcoAliases[] = {"IČO", "identifikačné číslo organizácie"};
constexpr std::string_view kSkIcoExamples[] = {"25123891"};
constexpr Rule kSkIcoRule = {.check = sk_ico_check};
}  // namespace
const ValidatorSpec kSkIcoSpec = {
    .source_url = "https://www.statistics.sk/",
    .id = "sk.ico",
    .name = "Slovak Company ID",
    .local_name = "Identifikačné číslo organizácie",
    .abbreviation = "IČO",
    .aliases = kSkIcoAliases,
    .candidate_pattern = R"(\d{8})",
    .lengths = {},
    .examples = kSkIcoExamples,
    .ops = ops<kSkIcoRule>(),
    .country = country("SK"),
    .entity = EntityType::Company,
};

// ---- sk.rc ----------------------------------------------------------------------
namespace {
constexpr std::string_view kSkRcAliases[] = {"rodné číslo", "RČ"};
constexpr std::uint64_t kSkRcLengths[] = {9, 10};
constexpr std::string_view kSkRcExamples[] = {"7103192745"};
constexpr Rule kSkRcRule = {
    .compaction = {.remove = " /"},
    .format = {.joiner = "/", .bounds = {0, 6, kEnd}, .pieces = 2},
    .check = sk_rc_check,
    .parse = sk_rc_parse,
};
}  // namespace
const ValidatorSpec kSkRcSpec = {
    .source_url = "https://www.minv.sk/",
    .id = "sk.rc",
    .name = "Slovak Birth Number",
    .local_name = "Rodné číslo",
    .abbreviation = "RČ",
    .aliases = kSkRcAliases,
    .candidate_pattern = R"(\d{6}/\d{3,4})",
    .lengths = kSkRcLengths,
    .examples = kSkRcExamples,
    .ops = ops<kSkRcRule>(),
    .country = country("SK"),
    .entity = EntityType::Person,
};

}  // namespace ov::nz
