// Records of the additional set A-M, ad.nrt to bz.tin: metadata as published with each
// identifier; the operations are bound to the frame row of the same id.
#include <cstdint>

#include "validators/additional_a_m/frame_rows.h"
#include "validators/additional_a_m/records.h"

namespace ov::am {

constexpr std::string_view kAdNrtAliases[] = {"NRT", "Número de Registre Tributari"};
constexpr std::string_view kAdNrtExamples[] = {"U132950X", "D059888N", "F123456M"};
const ValidatorSpec kAdNrtSpec = {
    .source_url = "https://www.impostos.ad/",
    .id = "ad.nrt",
    .name = "Andorra Tax Number",
    .local_name = "Número de Registre Tributari",
    .abbreviation = "NRT",
    .aliases = kAdNrtAliases,
    .candidate_pattern = "[A-Z]-?\\d{6}-?[A-Z]",
    .lengths = {},
    .examples = kAdNrtExamples,
    .ops = am_ops<row_index("ad.nrt")>(),
    .country = country("AD"),
    .entity = EntityType::Any,
};

constexpr std::string_view kAeEidAliases[] = {"EID", "Emirates ID", "رقم الهوية"};
constexpr std::uint64_t kAeEidLengths[] = {15};
constexpr std::string_view kAeEidExamples[] = {"784198012345678", "784197912345671", "784195204640486", "784196865703050"};
const ValidatorSpec kAeEidSpec = {
    .source_url = "https://icp.gov.ae/",
    .id = "ae.eid",
    .name = "Emirates ID",
    .local_name = "رقم الهوية",
    .abbreviation = "EID",
    .aliases = kAeEidAliases,
    .candidate_pattern = "784-\\d{4}-\\d{7}-\\d",
    .lengths = kAeEidLengths,
    .examples = kAeEidExamples,
    .ops = am_ops<row_index("ae.eid")>(),
    .country = country("AE"),
    .entity = EntityType::Person,
};

constexpr std::string_view kAiTinAliases[] = {"TIN"};
constexpr std::uint64_t kAiTinLengths[] = {10};
constexpr std::string_view kAiTinExamples[] = {"1234567890", "2345678901"};
const ValidatorSpec kAiTinSpec = {
    .source_url = "https://ird.gov.ai/",
    .id = "ai.tin",
    .name = "Anguilla Tax Identification Number",
    .local_name = "Tax Identification Number",
    .abbreviation = "TIN",
    .aliases = kAiTinAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kAiTinLengths,
    .examples = kAiTinExamples,
    .ops = am_ops<row_index("ai.tin")>(),
    .country = country("AI"),
    .entity = EntityType::Any,
};

constexpr std::string_view kAlNiptAliases[] = {"NIPT", "NUIS"};
constexpr std::string_view kAlNiptExamples[] = {"J91402501L", "K22218003V"};
const ValidatorSpec kAlNiptSpec = {
    .source_url = "https://www.tatime.gov.al/",
    .id = "al.nipt",
    .name = "Albanian Tax Number",
    .local_name = "Numri i Identifikimit për Personin e Tatueshëm",
    .abbreviation = "NIPT",
    .aliases = kAlNiptAliases,
    .candidate_pattern = "[A-Z]\\d{8}[A-Z]",
    .lengths = {},
    .examples = kAlNiptExamples,
    .ops = am_ops<row_index("al.nipt")>(),
    .country = country("AL"),
    .entity = EntityType::Any,
};

constexpr std::string_view kAmTinAliases[] = {"ՀՎՀՀ", "TIN"};
constexpr std::uint64_t kAmTinLengths[] = {8};
constexpr std::string_view kAmTinExamples[] = {"01234561", "10048376"};
const ValidatorSpec kAmTinSpec = {
    .source_url = "https://www.src.am/",
    .id = "am.tin",
    .name = "Armenian Tax ID",
    .local_name = "Հարկ վճարողի հաշվառման համար",
    .abbreviation = "TIN",
    .aliases = kAmTinAliases,
    .candidate_pattern = "\\d{8}",
    .lengths = kAmTinLengths,
    .examples = kAmTinExamples,
    .ops = am_ops<row_index("am.tin")>(),
    .country = country("AM"),
    .entity = EntityType::Any,
};

constexpr std::string_view kArCbuAliases[] = {"CBU", "Clave Bancaria Uniforme"};
constexpr std::uint64_t kArCbuLengths[] = {22};
constexpr std::string_view kArCbuExamples[] = {"2850590940090418135201"};
const ValidatorSpec kArCbuSpec = {
    .source_url = "https://www.bcra.gob.ar/",
    .id = "ar.cbu",
    .name = "Argentine Bank Account Number",
    .local_name = "Clave Bancaria Uniforme",
    .abbreviation = "CBU",
    .aliases = kArCbuAliases,
    .candidate_pattern = "\\d{22}",
    .lengths = kArCbuLengths,
    .examples = kArCbuExamples,
    .ops = am_ops<row_index("ar.cbu")>(),
    .country = country("AR"),
    .entity = EntityType::Any,
};

constexpr std::string_view kArCuitAliases[] = {"CUIT", "CUIL", "Clave Única de Identificación Tributaria"};
constexpr std::uint64_t kArCuitLengths[] = {11};
constexpr std::string_view kArCuitExamples[] = {"20267565393", "20055361682"};
const ValidatorSpec kArCuitSpec = {
    .source_url = "https://www.afip.gob.ar/",
    .id = "ar.cuit",
    .name = "Argentine Tax ID",
    .local_name = "Clave Única de Identificación Tributaria",
    .abbreviation = "CUIT",
    .aliases = kArCuitAliases,
    .candidate_pattern = "\\d{2}-?\\d{8}-?\\d",
    .lengths = kArCuitLengths,
    .examples = kArCuitExamples,
    .ops = am_ops<row_index("ar.cuit")>(),
    .country = country("AR"),
    .entity = EntityType::Any,
};

constexpr std::string_view kArDniAliases[] = {"DNI", "Documento Nacional de Identidad", "Documento de Identidad"};
constexpr std::uint64_t kArDniLengths[] = {7, 8};
constexpr std::string_view kArDniExamples[] = {"20123456", "12345678"};
const ValidatorSpec kArDniSpec = {
    .source_url = "https://www.argentina.gob.ar/interior/renaper",
    .id = "ar.dni",
    .name = "Argentine Identity Card",
    .local_name = "Documento Nacional de Identidad",
    .abbreviation = "DNI",
    .aliases = kArDniAliases,
    .candidate_pattern = "\\d{1,2}\\.?\\d{3}\\.?\\d{3}",
    .lengths = kArDniLengths,
    .examples = kArDniExamples,
    .ops = am_ops<row_index("ar.dni")>(),
    .country = country("AR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kAtVnrAliases[] = {"VNR", "SVNR", "Versicherungsnummer", "Sozialversicherungsnummer"};
constexpr std::uint64_t kAtVnrLengths[] = {10};
constexpr std::string_view kAtVnrExamples[] = {"1237010180"};
const ValidatorSpec kAtVnrSpec = {
    .source_url = "https://www.sozialversicherung.at/",
    .id = "at.vnr",
    .name = "Austrian Social Insurance Number",
    .local_name = "Versicherungsnummer",
    .abbreviation = "VNR",
    .aliases = kAtVnrAliases,
    .candidate_pattern = "\\d{4}\\s?\\d{6}",
    .lengths = kAtVnrLengths,
    .examples = kAtVnrExamples,
    .ops = am_ops<row_index("at.vnr")>(),
    .country = country("AT"),
    .entity = EntityType::Person,
};

constexpr std::string_view kAuTfnAliases[] = {"TFN", "Tax File Number"};
constexpr std::string_view kAuTfnExamples[] = {"87650006", "123456782"};
const ValidatorSpec kAuTfnSpec = {
    .source_url = "https://www.ato.gov.au/",
    .id = "au.tfn",
    .name = "Tax File Number",
    .local_name = "Tax File Number",
    .abbreviation = "TFN",
    .aliases = kAuTfnAliases,
    .candidate_pattern = "\\d{8,9}",
    .lengths = {},
    .examples = kAuTfnExamples,
    .ops = am_ops<row_index("au.tfn")>(),
    .country = country("AU"),
    .entity = EntityType::Person,
};

constexpr std::string_view kAzVoenAliases[] = {"VÖEN"};
constexpr std::uint64_t kAzVoenLengths[] = {10};
constexpr std::string_view kAzVoenExamples[] = {"1401555071", "1400057421"};
const ValidatorSpec kAzVoenSpec = {
    .source_url = "https://www.taxes.gov.az/",
    .id = "az.voen",
    .name = "Azerbaijani Tax ID",
    .local_name = "Vergi Ödəyicisinin Eyniləşdirmə Nömrəsi",
    .abbreviation = "VÖEN",
    .aliases = kAzVoenAliases,
    .candidate_pattern = "\\d{10}",
    .lengths = kAzVoenLengths,
    .examples = kAzVoenExamples,
    .ops = am_ops<row_index("az.voen")>(),
    .country = country("AZ"),
    .entity = EntityType::Any,
};

constexpr std::string_view kBaJmbgAliases[] = {"JMBG", "matični broj"};
constexpr std::uint64_t kBaJmbgLengths[] = {13};
constexpr std::string_view kBaJmbgExamples[] = {"0101006500006"};
const ValidatorSpec kBaJmbgSpec = {
    .source_url = "https://www.iddeea.gov.ba/",
    .id = "ba.jmbg",
    .name = "Bosnian Personal ID",
    .local_name = "Jedinstveni matični broj građana",
    .abbreviation = "JMBG",
    .aliases = kBaJmbgAliases,
    .candidate_pattern = "\\d{13}",
    .lengths = kBaJmbgLengths,
    .examples = kBaJmbgExamples,
    .ops = am_ops<row_index("ba.jmbg")>(),
    .country = country("BA"),
    .entity = EntityType::Person,
};

constexpr std::string_view kBdNidAliases[] = {"NID", "জাতীয় পরিচয়পত্র", "National ID Card"};
constexpr std::uint64_t kBdNidLengths[] = {10, 13, 17};
constexpr std::string_view kBdNidExamples[] = {"1592824588424", "19841592824588424", "2610413965404", "19892610413965404"};
const ValidatorSpec kBdNidSpec = {
    .source_url = "https://www.nidw.gov.bd/",
    .id = "bd.nid",
    .name = "National Identity Number",
    .local_name = "জাতীয় পরিচয়পত্র",
    .abbreviation = "NID",
    .aliases = kBdNidAliases,
    .candidate_pattern = "\\d{10,17}",
    .lengths = kBdNidLengths,
    .examples = kBdNidExamples,
    .ops = am_ops<row_index("bd.nid")>(),
    .country = country("BD"),
    .entity = EntityType::Person,
};

constexpr std::string_view kBeBisAliases[] = {"BIS-nummer", "numéro BIS"};
constexpr std::string_view kBeBisExamples[] = {"98472899765"};
const ValidatorSpec kBeBisSpec = {
    .source_url = "https://www.ksz-bcss.fgov.be/",
    .id = "be.bis",
    .name = "Belgian BIS Number",
    .local_name = "BIS-nummer",
    .abbreviation = "BIS",
    .aliases = kBeBisAliases,
    .candidate_pattern = "\\d{2}\\.?\\d{2}\\.?\\d{2}-?\\d{3}\\.?\\d{2}",
    .lengths = {},
    .examples = kBeBisExamples,
    .ops = am_ops<row_index("be.bis")>(),
    .country = country("BE"),
    .entity = EntityType::Person,
};

constexpr std::string_view kBgEgnAliases[] = {"ЕГН", "единен граждански номер", "EGN"};
constexpr std::string_view kBgEgnExamples[] = {"7523169263"};
const ValidatorSpec kBgEgnSpec = {
    .source_url = "https://www.grao.bg/",
    .id = "bg.egn",
    .name = "Bulgarian Personal ID",
    .local_name = "Единен граждански номер",
    .abbreviation = "ЕГН",
    .aliases = kBgEgnAliases,
    .candidate_pattern = "\\d{10}",
    .lengths = {},
    .examples = kBgEgnExamples,
    .ops = am_ops<row_index("bg.egn")>(),
    .country = country("BG"),
    .entity = EntityType::Person,
};

constexpr std::string_view kBgPnfAliases[] = {"ЛНЧ", "личен номер на чужденец", "PNF"};
constexpr std::string_view kBgPnfExamples[] = {"7111042925"};
const ValidatorSpec kBgPnfSpec = {
    .source_url = "https://www.mvr.bg/",
    .id = "bg.pnf",
    .name = "Bulgarian Foreigner Number",
    .local_name = "Личен номер на чужденец",
    .abbreviation = "ЛНЧ",
    .aliases = kBgPnfAliases,
    .candidate_pattern = "\\d{10}",
    .lengths = {},
    .examples = kBgPnfExamples,
    .ops = am_ops<row_index("bg.pnf")>(),
    .country = country("BG"),
    .entity = EntityType::Person,
};

constexpr std::string_view kBhCprAliases[] = {"CPR", "الرقم السكاني"};
constexpr std::uint64_t kBhCprLengths[] = {9};
constexpr std::string_view kBhCprExamples[] = {"890112345", "000612345"};
const ValidatorSpec kBhCprSpec = {
    .source_url = "https://www.iga.gov.bh/",
    .id = "bh.cpr",
    .name = "Central Population Registration Number",
    .local_name = "الرقم السكاني",
    .abbreviation = "CPR",
    .aliases = kBhCprAliases,
    .candidate_pattern = "\\d{9}",
    .lengths = kBhCprLengths,
    .examples = kBhCprExamples,
    .ops = am_ops<row_index("bh.cpr")>(),
    .country = country("BH"),
    .entity = EntityType::Person,
};

constexpr std::string_view kByUnpAliases[] = {"УНП", "UNP"};
constexpr std::string_view kByUnpExamples[] = {"200988541", "MA1953684"};
const ValidatorSpec kByUnpSpec = {
    .source_url = "https://www.nalog.gov.by/",
    .id = "by.unp",
    .name = "Belarus Tax Number",
    .local_name = "Учётный номер плательщика",
    .abbreviation = "УНП",
    .aliases = kByUnpAliases,
    .candidate_pattern = "\\d{9}",
    .lengths = {},
    .examples = kByUnpExamples,
    .ops = am_ops<row_index("by.unp")>(),
    .country = country("BY"),
    .entity = EntityType::Any,
};

constexpr std::string_view kBzTinAliases[] = {"TIN"};
constexpr std::uint64_t kBzTinLengths[] = {6, 8};
constexpr std::string_view kBzTinExamples[] = {"000005", "00000510", "00000513"};
const ValidatorSpec kBzTinSpec = {
    .source_url = "https://www.bts.gov.bz/",
    .id = "bz.tin",
    .name = "Belize Tax Identification Number",
    .local_name = "Tax Identification Number",
    .abbreviation = "TIN",
    .aliases = kBzTinAliases,
    .candidate_pattern = "\\d{6}",
    .lengths = kBzTinLengths,
    .examples = kBzTinExamples,
    .ops = am_ops<row_index("bz.tin")>(),
    .country = country("BZ"),
    .entity = EntityType::Any,
};

}  // namespace ov::am
