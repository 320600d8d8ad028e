// Records of the additional set A-M, kr.brn to my.nric: metadata as published with each
// identifier; the operations are bound to the frame row of the same id.
#include <cstdint>

#include "validators/additional_a_m/frame_rows.h"
#include "validators/additional_a_m/records.h"

namespace ov::am {

constexpr std::string_view kKrBrnAliases[] = {"사업자등록번호", "BRN"};
constexpr std::uint64_t kKrBrnLengths[] = {10};
constexpr std::string_view kKrBrnExamples[] = {"1168200131", "2208162517"};
const ValidatorSpec kKrBrnSpec = {
    .source_url = "https://www.nts.go.kr/",
    .id = "kr.brn",
    .name = "Korean Business Registration Number",
    .local_name = "사업자등록번호",
    .abbreviation = "BRN",
    .aliases = kKrBrnAliases,
    .candidate_pattern = "\\d{3}-?\\d{2}-?\\d{5}",
    .lengths = kKrBrnLengths,
    .examples = kKrBrnExamples,
    .ops = am_ops<row_index("kr.brn")>(),
    .country = country("KR"),
    .entity = EntityType::Company,
};

constexpr std::string_view kKrRrnAliases[] = {"RRN", "주민등록번호", "Resident Registration Number"};
constexpr std::uint64_t kKrRrnLengths[] = {13};
constexpr std::string_view kKrRrnExamples[] = {"9710139019902", "9501011000109"};
const ValidatorSpec kKrRrnSpec = {
    .source_url = "https://www.mois.go.kr/",
    .id = "kr.rrn",
    .name = "Korean Resident Registration Number",
    .local_name = "주민등록번호",
    .abbreviation = "RRN",
    .aliases = kKrRrnAliases,
    .candidate_pattern = "\\d{6}[\\s-]?\\d{7}",
    .lengths = kKrRrnLengths,
    .examples = kKrRrnExamples,
    .ops = am_ops<row_index("kr.rrn")>(),
    .country = country("KR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kKwCivilAliases[] = {"Civil ID", "الرقم المدني"};
constexpr std::uint64_t kKwCivilLengths[] = {12};
constexpr std::string_view kKwCivilExamples[] = {"289011200032", "305031512348"};
const ValidatorSpec kKwCivilSpec = {
    .source_url = "https://www.paci.gov.kw/",
    .id = "kw.civil",
    .name = "Civil Number",
    .local_name = "الرقم المدني",
    .abbreviation = "Civil ID",
    .aliases = kKwCivilAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kKwCivilLengths,
    .examples = kKwCivilExamples,
    .ops = am_ops<row_index("kw.civil")>(),
    .country = country("KW"),
    .entity = EntityType::Person,
};

constexpr std::string_view kKzIinAliases[] = {"ИИН", "IIN", "индивидуальный идентификационный номер"};
constexpr std::uint64_t kKzIinLengths[] = {12};
constexpr std::string_view kKzIinExamples[] = {"880515300120", "950101400012"};
const ValidatorSpec kKzIinSpec = {
    .source_url = "https://egov.kz/",
    .id = "kz.iin",
    .name = "Kazakhstan Individual ID",
    .local_name = "Жеке сәйкестендіру нөмірі",
    .abbreviation = "IIN",
    .aliases = kKzIinAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kKzIinLengths,
    .examples = kKzIinExamples,
    .ops = am_ops<row_index("kz.iin")>(),
    .country = country("KZ"),
    .entity = EntityType::Person,
};

constexpr std::string_view kLiPeidAliases[] = {"PEID", "Personenidentifikation"};
constexpr std::uint64_t kLiPeidLengths[] = {4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr std::string_view kLiPeidExamples[] = {"1234567"};
const ValidatorSpec kLiPeidSpec = {
    .source_url = "https://www.llv.li/",
    .id = "li.peid",
    .name = "Liechtenstein Person Identification Number",
    .local_name = "Personenidentifikationsnummer",
    .abbreviation = "PEID",
    .aliases = kLiPeidAliases,
    .candidate_pattern = "\\d{6}",
    .lengths = kLiPeidLengths,
    .examples = kLiPeidExamples,
    .ops = am_ops<row_index("li.peid")>(),
    .country = country("LI"),
    .entity = EntityType::Any,
};

constexpr std::string_view kLkNicAliases[] = {"NIC", "ජාතික හැඳුනුම්පත"};
constexpr std::uint64_t kLkNicLengths[] = {10, 12};
constexpr std::string_view kLkNicExamples[] = {"197819202757", "862348753V"};
const ValidatorSpec kLkNicSpec = {
    .source_url = "https://www.drp.gov.lk/",
    .id = "lk.nic",
    .name = "National Identity Card",
    .local_name = "ජාතික හැඳුනුම්පත",
    .abbreviation = "NIC",
    .aliases = kLkNicAliases,
    .candidate_pattern = "\\d{9}[VXvx]|\\d{12}",
    .lengths = kLkNicLengths,
    .examples = kLkNicExamples,
    .ops = am_ops<row_index("lk.nic")>(),
    .country = country("LK"),
    .entity = EntityType::Person,
};

constexpr std::string_view kMaIceAliases[] = {"ICE", "Identifiant Commun de l'Entreprise"};
constexpr std::uint64_t kMaIceLengths[] = {15};
constexpr std::string_view kMaIceExamples[] = {"001561191000066", "002136093000040"};
const ValidatorSpec kMaIceSpec = {
    .source_url = "https://www.ice.gov.ma/",
    .id = "ma.ice",
    .name = "Moroccan Company Identification Number",
    .local_name = "Identifiant Commun de l'Entreprise",
    .abbreviation = "ICE",
    .aliases = kMaIceAliases,
    .candidate_pattern = "\\d{15}",
    .lengths = kMaIceLengths,
    .examples = kMaIceExamples,
    .ops = am_ops<row_index("ma.ice")>(),
    .country = country("MA"),
    .entity = EntityType::Company,
};

constexpr std::string_view kMcTvaAliases[] = {"numéro de TVA", "TVA"};
constexpr std::string_view kMcTvaExamples[] = {"FR53000004605"};
const ValidatorSpec kMcTvaSpec = {
    .source_url = "https://www.gouv.mc/",
    .id = "mc.tva",
    .name = "Monacan VAT Number",
    .local_name = "Numéro de TVA",
    .abbreviation = "TVA",
    .aliases = kMcTvaAliases,
    .candidate_pattern = "FR\\d{11}",
    .lengths = {},
    .examples = kMcTvaExamples,
    .ops = am_ops<row_index("mc.tva")>(),
    .country = country("MC"),
    .entity = EntityType::Company,
};

constexpr std::string_view kMdIdnoAliases[] = {"IDNO", "cod de identificare"};
constexpr std::uint64_t kMdIdnoLengths[] = {13};
constexpr std::string_view kMdIdnoExamples[] = {"1008600038413"};
const ValidatorSpec kMdIdnoSpec = {
    .source_url = "https://www.asp.gov.md/",
    .id = "md.idno",
    .name = "Moldavian Company Identification Number",
    .local_name = "IDNO",
    .abbreviation = "IDNO",
    .aliases = kMdIdnoAliases,
    .candidate_pattern = "\\d{13}",
    .lengths = kMdIdnoLengths,
    .examples = kMdIdnoExamples,
    .ops = am_ops<row_index("md.idno")>(),
    .country = country("MD"),
    .entity = EntityType::Company,
};

constexpr std::string_view kMePibAliases[] = {"PIB"};
constexpr std::uint64_t kMePibLengths[] = {8};
constexpr std::string_view kMePibExamples[] = {"02655284"};
const ValidatorSpec kMePibSpec = {
    .source_url = "https://www.tax.gov.me/",
    .id = "me.pib",
    .name = "Montenegrin Tax ID",
    .local_name = "Poreski identifikacioni broj",
    .abbreviation = "PIB",
    .aliases = kMePibAliases,
    .candidate_pattern = "\\d{8}",
    .lengths = kMePibLengths,
    .examples = kMePibExamples,
    .ops = am_ops<row_index("me.pib")>(),
    .country = country("ME"),
    .entity = EntityType::Any,
};

constexpr std::string_view kMkEdbAliases[] = {"ЕДБ", "единствен даночен број", "EDB"};
constexpr std::uint64_t kMkEdbLengths[] = {13};
constexpr std::string_view kMkEdbExamples[] = {"4002012527974"};
const ValidatorSpec kMkEdbSpec = {
    .source_url = "https://www.ujp.gov.mk/",
    .id = "mk.edb",
    .name = "North Macedonian Tax ID",
    .local_name = "Edinstven danocen broj",
    .abbreviation = "EDB",
    .aliases = kMkEdbAliases,
    .candidate_pattern = "MK\\d{13}",
    .lengths = kMkEdbLengths,
    .examples = kMkEdbExamples,
    .ops = am_ops<row_index("mk.edb")>(),
    .country = country("MK"),
    .entity = EntityType::Any,
};

constexpr std::string_view kMuBrnAliases[] = {"BRN", "Business Registration Number"};
constexpr std::uint64_t kMuBrnLengths[] = {8, 9};
constexpr std::string_view kMuBrnExamples[] = {"C07015330", "C16135302"};
const ValidatorSpec kMuBrnSpec = {
    .source_url = "https://companies.govmu.org/",
    .id = "mu.brn",
    .name = "Mauritius Business Registration Number",
    .local_name = "Business Registration Number",
    .abbreviation = "BRN",
    .aliases = kMuBrnAliases,
    .candidate_pattern = "[A-Z]\\d{8}",
    .lengths = kMuBrnLengths,
    .examples = kMuBrnExamples,
    .ops = am_ops<row_index("mu.brn")>(),
    .country = country("MU"),
    .entity = EntityType::Any,
};

constexpr std::string_view kMxClabeAliases[] = {"CLABE", "Clave Bancaria Estandarizada"};
constexpr std::uint64_t kMxClabeLengths[] = {18};
constexpr std::string_view kMxClabeExamples[] = {"032180000118359719"};
const ValidatorSpec kMxClabeSpec = {
    .source_url = "https://www.banxico.org.mx/",
    .id = "mx.clabe",
    .name = "Mexican Bank Account",
    .local_name = "Clave Bancaria Estandarizada",
    .abbreviation = "CLABE",
    .aliases = kMxClabeAliases,
    .candidate_pattern = "\\d{18}",
    .lengths = kMxClabeLengths,
    .examples = kMxClabeExamples,
    .ops = am_ops<row_index("mx.clabe")>(),
    .country = country("MX"),
    .entity = EntityType::Any,
};

constexpr std::string_view kMxCurpAliases[] = {"CURP", "Clave Única de Registro de Población"};
constexpr std::uint64_t kMxCurpLengths[] = {18};
constexpr std::string_view kMxCurpExamples[] = {"BOXW310820HNERXN09"};
const ValidatorSpec kMxCurpSpec = {
    .source_url = "https://www.gob.mx/curp/",
    .id = "mx.curp",
    .name = "Mexican Personal ID",
    .local_name = "Clave Única de Registro de Población",
    .abbreviation = "CURP",
    .aliases = kMxCurpAliases,
    .candidate_pattern = "[A-Z]{4}\\d{6}[HM][A-Z]{5}[A-Z\\d]\\d",
    .lengths = kMxCurpLengths,
    .examples = kMxCurpExamples,
    .ops = am_ops<row_index("mx.curp")>(),
    .country = country("MX"),
    .entity = EntityType::Person,
};

constexpr std::string_view kMxRfcAliases[] = {"RFC", "Registro Federal de Contribuyentes"};
constexpr std::uint64_t kMxRfcLengths[] = {12, 13};
constexpr std::string_view kMxRfcExamples[] = {"GODE561231GR8", "MAB9307148T4"};
const ValidatorSpec kMxRfcSpec = {
    .source_url = "https://www.sat.gob.mx/",
    .id = "mx.rfc",
    .name = "Mexican Tax ID",
    .local_name = "Registro Federal de Contribuyentes",
    .abbreviation = "RFC",
    .aliases = kMxRfcAliases,
    .candidate_pattern = "[A-ZÑ&]{3,4}\\d{6}[A-Z\\d]{3}",
    .lengths = kMxRfcLengths,
    .examples = kMxRfcExamples,
    .ops = am_ops<row_index("mx.rfc")>(),
    .country = country("MX"),
    .entity = EntityType::Any,
};

constexpr std::string_view kMyNricAliases[] = {"NRIC", "MyKad", "kad pengenalan"};
constexpr std::uint64_t kMyNricLengths[] = {12};
constexpr std::string_view kMyNricExamples[] = {"770305021234", "880715141234"};
const ValidatorSpec kMyNricSpec = {
    .source_url = "https://www.jpn.gov.my/",
    .id = "my.nric",
    .name = "Malaysian National Registration Identity Card Number",
    .local_name = "Nombor Kad Pengenalan",
    .abbreviation = "NRIC",
    .aliases = kMyNricAliases,
    .candidate_pattern = "\\d{6}-?\\d{2}-?\\d{4}",
    .lengths = kMyNricLengths,
    .examples = kMyNricExamples,
    .ops = am_ops<row_index("my.nric")>(),
    .country = country("MY"),
    .entity = EntityType::Person,
};

}  // namespace ov::am
