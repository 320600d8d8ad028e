// Records of the additional set A-M, ca.bn to eu.vat: metadata as published with each
// identifier; the operations are bound to the frame row of the same id.
#include <cstdint>

#include "validators/additional_a_m/frame_rows.h"
#include "validators/additional_a_m/records.h"

namespace ov::am {

constexpr std::string_view kCaBnAliases[] = {"BN", "Business Number", "numéro d'entreprise"};
constexpr std::string_view kCaBnExamples[] = {"123026635", "123026635RC0001"};
const ValidatorSpec kCaBnSpec = {
    .source_url = "https://www.canada.ca/en/revenue-agency.html",
    .id = "ca.bn",
    .name = "Business Number",
    .local_name = "Business Number",
    .abbreviation = "BN",
    .aliases = kCaBnAliases,
    .candidate_pattern = "\\d{9}\\s?[A-Z]{2}\\s?\\d{4}",
    .lengths = {},
    .examples = kCaBnExamples,
    .ops = am_ops<row_index("ca.bn")>(),
    .country = country("CA"),
    .entity = EntityType::Company,
};

constexpr std::string_view kCaSinAliases[] = {"SIN", "Social Insurance Number", "NAS"};
constexpr std::string_view kCaSinExamples[] = {"123456782"};
const ValidatorSpec kCaSinSpec = {
    .source_url = "https://www.canada.ca/en/employment-social-development/services/sin.html",
    .id = "ca.sin",
    .name = "Social Insurance Number",
    .local_name = "Social Insurance Number",
    .abbreviation = "SIN",
    .aliases = kCaSinAliases,
    .candidate_pattern = "\\d{3}-?\\d{3}-?\\d{3}",
    .lengths = {},
    .examples = kCaSinExamples,
    .ops = am_ops<row_index("ca.sin")>(),
    .country = country("CA"),
    .entity = EntityType::Person,
};

constexpr std::string_view kChSsnAliases[] = {"AHV-Nummer", "numéro AVS", "AVS", "AHV"};
constexpr std::string_view kChSsnExamples[] = {"7561234567897"};
const ValidatorSpec kChSsnSpec = {
    .source_url = "https://www.ahv-iv.ch/",
    .id = "ch.ssn",
    .name = "Swiss Social Security Number",
    .local_name = "AHV-Versichertennummer",
    .abbreviation = "AHV",
    .aliases = kChSsnAliases,
    .candidate_pattern = "756\\.?\\d{4}\\.?\\d{4}\\.?\\d{2}",
    .lengths = {},
    .examples = kChSsnExamples,
    .ops = am_ops<row_index("ch.ssn")>(),
    .country = country("CH"),
    .entity = EntityType::Person,
};

constexpr std::string_view kChVatAliases[] = {"MWST", "TVA", "IVA"};
constexpr std::string_view kChVatExamples[] = {"CHE107787577IVA"};
const ValidatorSpec kChVatSpec = {
    .source_url = "https://www.uid.admin.ch/",
    .id = "ch.vat",
    .name = "Swiss VAT Number",
    .local_name = "Mehrwertsteuernummer",
    .abbreviation = "MWST",
    .aliases = kChVatAliases,
    .candidate_pattern = "CHE-?\\d{3}\\.?\\d{3}\\.?\\d{3}\\s?(?:MWST|TVA|IVA)",
    .lengths = {},
    .examples = kChVatExamples,
    .ops = am_ops<row_index("ch.vat")>(),
    .country = country("CH"),
    .entity = EntityType::Company,
};

constexpr std::string_view kClRutAliases[] = {"RUT", "Rol Único Tributario"};
constexpr std::uint64_t kClRutLengths[] = {8, 9};
constexpr std::string_view kClRutExamples[] = {"760864285", "125319092"};
const ValidatorSpec kClRutSpec = {
    .source_url = "https://www.sii.cl/",
    .id = "cl.rut",
    .name = "Chilean Tax ID",
    .local_name = "Rol Único Tributario",
    .abbreviation = "RUT",
    .aliases = kClRutAliases,
    .candidate_pattern = "\\d{1,2}\\.?\\d{3}\\.?\\d{3}-?[\\dkK]",
    .lengths = kClRutLengths,
    .examples = kClRutExamples,
    .ops = am_ops<row_index("cl.rut")>(),
    .country = country("CL"),
    .entity = EntityType::Any,
};

constexpr std::string_view kCnUsccAliases[] = {"统一社会信用代码", "USCC"};
constexpr std::uint64_t kCnUsccLengths[] = {18};
constexpr std::string_view kCnUsccExamples[] = {"91110000600037341L"};
const ValidatorSpec kCnUsccSpec = {
    .source_url = "https://www.gsxt.gov.cn/",
    .id = "cn.uscc",
    .name = "Unified Social Credit Code",
    .local_name = "统一社会信用代码",
    .abbreviation = "USCC",
    .aliases = kCnUsccAliases,
    .candidate_pattern = "[0-9A-HJ-NP-RTUW-Y]{2}\\d{6}[0-9A-HJ-NP-RTUW-Y]{10}",
    .lengths = kCnUsccLengths,
    .examples = kCnUsccExamples,
    .ops = am_ops<row_index("cn.uscc")>(),
    .country = country("CN"),
    .entity = EntityType::Company,
};

constexpr std::string_view kCoNitAliases[] = {"NIT", "Número de Identificación Tributaria"};
constexpr std::uint64_t kCoNitLengths[] = {8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr std::string_view kCoNitExamples[] = {"2131234321", "8001234565"};
const ValidatorSpec kCoNitSpec = {
    .source_url = "https://www.dian.gov.co/",
    .id = "co.nit",
    .name = "Número de Identificación Tributaria",
    .local_name = "Número de Identificación Tributaria",
    .abbreviation = "NIT",
    .aliases = kCoNitAliases,
    .candidate_pattern = "\\d{9,10}-?\\d",
    .lengths = kCoNitLengths,
    .examples = kCoNitExamples,
    .ops = am_ops<row_index("co.nit")>(),
    .country = country("CO"),
    .entity = EntityType::Any,
};

constexpr std::string_view kCrCpfAliases[] = {"CPF", "cédula de persona física"};
constexpr std::uint64_t kCrCpfLengths[] = {10};
constexpr std::string_view kCrCpfExamples[] = {"0304550175", "0109130259"};
const ValidatorSpec kCrCpfSpec = {
    .source_url = "https://www.tse.go.cr/",
    .id = "cr.cpf",
    .name = "Costa Rican Physical Person ID",
    .local_name = "Cédula de Persona Física",
    .abbreviation = "CPF",
    .aliases = kCrCpfAliases,
    .candidate_pattern = "\\d{9,12}",
    .lengths = kCrCpfLengths,
    .examples = kCrCpfExamples,
    .ops = am_ops<row_index("cr.cpf")>(),
    .country = country("CR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kCuNiAliases[] = {"NI", "número de identidad", "carnet de identidad"};
constexpr std::uint64_t kCuNiLengths[] = {11};
constexpr std::string_view kCuNiExamples[] = {"91021027775", "72062506561"};
const ValidatorSpec kCuNiSpec = {
    .source_url = "https://www.minint.gob.cu/",
    .id = "cu.ni",
    .name = "Cuban Identity Card Number",
    .local_name = "Número de Identidad",
    .abbreviation = "NI",
    .aliases = kCuNiAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kCuNiLengths,
    .examples = kCuNiExamples,
    .ops = am_ops<row_index("cu.ni")>(),
    .country = country("CU"),
    .entity = EntityType::Person,
};

constexpr std::string_view kCzIcoAliases[] = {"IČO", "IČ", "identifikační číslo"};
constexpr std::uint64_t kCzIcoLengths[] = {8};
constexpr std::string_view kCzIcoExamples[] = {"25123891", "27074358"};
const ValidatorSpec kCzIcoSpec = {
    .source_url = "https://www.czso.cz/",
    .id = "cz.ico",
    .name = "Czech Company ID",
    .local_name = "Identifikační číslo osoby",
    .abbreviation = "IČO",
    .aliases = kCzIcoAliases,
    .candidate_pattern = "\\d{8}",
    .lengths = kCzIcoLengths,
    .examples = kCzIcoExamples,
    .ops = am_ops<row_index("cz.ico")>(),
    .country = country("CZ"),
    .entity = EntityType::Company,
};

constexpr std::string_view kDeHandelsregAliases[] = {"Handelsregisternummer", "Handelsregister", "HRB", "HRA"};
constexpr std::string_view kDeHandelsregExamples[] = {"HRB 12345"};
const ValidatorSpec kDeHandelsregSpec = {
    .source_url = "https://www.handelsregister.de/",
    .id = "de.handelsreg",
    .name = "German Company Register Number",
    .local_name = "Handelsregisternummer",
    .abbreviation = "HReg",
    .aliases = kDeHandelsregAliases,
    .candidate_pattern = "(?:HRA|HRB|GnR|PR|VR)\\s*\\d{1,7}",
    .lengths = {},
    .examples = kDeHandelsregExamples,
    .ops = am_ops<row_index("de.handelsreg")>(),
    .country = country("DE"),
    .entity = EntityType::Company,
};

constexpr std::string_view kDkCvrAliases[] = {"CVR-nummer", "CVR"};
constexpr std::string_view kDkCvrExamples[] = {"13585628"};
const ValidatorSpec kDkCvrSpec = {
    .source_url = "https://datacvr.virk.dk/",
    .id = "dk.cvr",
    .name = "Danish Business Register Number",
    .local_name = "CVR-nummer",
    .abbreviation = "CVR",
    .aliases = kDkCvrAliases,
    .candidate_pattern = "\\d{8}",
    .lengths = {},
    .examples = kDkCvrExamples,
    .ops = am_ops<row_index("dk.cvr")>(),
    .country = country("DK"),
    .entity = EntityType::Company,
};

constexpr std::string_view kDoRncAliases[] = {"RNC", "Registro Nacional del Contribuyente"};
constexpr std::uint64_t kDoRncLengths[] = {9, 11};
constexpr std::string_view kDoRncExamples[] = {"131098193", "00113918205"};
const ValidatorSpec kDoRncSpec = {
    .source_url = "https://dgii.gov.do/",
    .id = "do.rnc",
    .name = "Dominican Republic Tax ID",
    .local_name = "Registro Nacional del Contribuyente",
    .abbreviation = "RNC",
    .aliases = kDoRncAliases,
    .candidate_pattern = "\\d{9}",
    .lengths = kDoRncLengths,
    .examples = kDoRncExamples,
    .ops = am_ops<row_index("do.rnc")>(),
    .country = country("DO"),
    .entity = EntityType::Any,
};

constexpr std::string_view kEcRucAliases[] = {"RUC", "Registro Único de Contribuyentes"};
constexpr std::uint64_t kEcRucLengths[] = {13};
constexpr std::string_view kEcRucExamples[] = {"1792060346001", "1790011674001"};
const ValidatorSpec kEcRucSpec = {
    .source_url = "https://www.sri.gob.ec/",
    .id = "ec.ruc",
    .name = "Registro Único de Contribuyentes",
    .local_name = "Registro Único de Contribuyentes",
    .abbreviation = "RUC",
    .aliases = kEcRucAliases,
    .candidate_pattern = "\\d{13}",
    .lengths = kEcRucLengths,
    .examples = kEcRucExamples,
    .ops = am_ops<row_index("ec.ruc")>(),
    .country = country("EC"),
    .entity = EntityType::Any,
};

constexpr std::string_view kEeRegistrikoodAliases[] = {"registrikood"};
constexpr std::string_view kEeRegistrikoodExamples[] = {"12345678"};
const ValidatorSpec kEeRegistrikoodSpec = {
    .source_url = "https://www.rik.ee/",
    .id = "ee.registrikood",
    .name = "Estonian Company Registration Code",
    .local_name = "Registrikood",
    .abbreviation = "Registrikood",
    .aliases = kEeRegistrikoodAliases,
    .candidate_pattern = "\\d{8}",
    .lengths = {},
    .examples = kEeRegistrikoodExamples,
    .ops = am_ops<row_index("ee.registrikood")>(),
    .country = country("EE"),
    .entity = EntityType::Company,
};

constexpr std::string_view kEgTnAliases[] = {"الرقم الضريبي", "tax number"};
constexpr std::uint64_t kEgTnLengths[] = {9};
constexpr std::string_view kEgTnExamples[] = {"100531385", "331105268"};
const ValidatorSpec kEgTnSpec = {
    .source_url = "https://www.eta.gov.eg/",
    .id = "eg.tn",
    .name = "Egyptian Tax Registration Number",
    .local_name = "الرقم الضريبي",
    .abbreviation = "TN",
    .aliases = kEgTnAliases,
    .candidate_pattern = "\\d{9}",
    .lengths = kEgTnLengths,
    .examples = kEgTnExamples,
    .ops = am_ops<row_index("eg.tn")>(),
    .country = country("EG"),
    .entity = EntityType::Any,
};

constexpr std::string_view kEuVatAliases[] = {"EU VAT", "VAT identification number"};
constexpr std::string_view kEuVatExamples[] = {"ATU13585627", "DE136695976"};
const ValidatorSpec kEuVatSpec = {
    .source_url = "https://ec.europa.eu/taxation_customs/vies/",
    .id = "eu.vat",
    .name = "EU VAT Number",
    .local_name = "EU VAT Number",
    .abbreviation = "EU VAT",
    .aliases = kEuVatAliases,
    .candidate_pattern = "[A-Z]{2}\\d{8,12}",
    .lengths = {},
    .examples = kEuVatExamples,
    .ops = am_ops<row_index("eu.vat")>(),
    .country = kGlobal,
    .entity = EntityType::Company,
};

}  // namespace ov::am
