// Records of the additional set A-M, fr.nif to jp.mynumber: metadata as published with each
// identifier; the operations are bound to the frame row of the same id.
#include <cstdint>

#include "validators/additional_a_m/frame_rows.h"
#include "validators/additional_a_m/records.h"

namespace ov::am {

constexpr std::string_view kFrNifAliases[] = {"numéro fiscal", "NIF", "numéro d'identification fiscale"};
constexpr std::string_view kFrNifExamples[] = {"3023217600053"};
const ValidatorSpec kFrNifSpec = {
    .source_url = "https://www.impots.gouv.fr/",
    .id = "fr.nif",
    .name = "French Tax ID",
    .local_name = "Numéro d'Identification Fiscale",
    .abbreviation = "NIF",
    .aliases = kFrNifAliases,
    .candidate_pattern = "\\d{13}",
    .lengths = {},
    .examples = kFrNifExamples,
    .ops = am_ops<row_index("fr.nif")>(),
    .country = country("FR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kGbSedolAliases[] = {"SEDOL", "Stock Exchange Daily Official List"};
constexpr std::uint64_t kGbSedolLengths[] = {7};
constexpr std::string_view kGbSedolExamples[] = {"B15KXQ8"};
const ValidatorSpec kGbSedolSpec = {
    .source_url = "https://www.londonstockexchange.com/",
    .id = "gb.sedol",
    .name = "Stock Exchange Daily Official List number",
    .local_name = "Stock Exchange Daily Official List number",
    .abbreviation = "SEDOL",
    .aliases = kGbSedolAliases,
    .candidate_pattern = "[B-DF-HJ-NP-TV-Z0-9]{6}\\d",
    .lengths = kGbSedolLengths,
    .examples = kGbSedolExamples,
    .ops = am_ops<row_index("gb.sedol")>(),
    .country = country("GB"),
    .entity = EntityType::Any,
};

constexpr std::string_view kGbUtrAliases[] = {"Unique Taxpayer Reference", "UTR"};
constexpr std::string_view kGbUtrExamples[] = {"1955839661"};
const ValidatorSpec kGbUtrSpec = {
    .source_url = "https://www.gov.uk/find-utr-number",
    .id = "gb.utr",
    .name = "UK Unique Taxpayer Reference",
    .local_name = "Unique Taxpayer Reference",
    .abbreviation = "UTR",
    .aliases = kGbUtrAliases,
    .candidate_pattern = "\\d{10}",
    .lengths = {},
    .examples = kGbUtrExamples,
    .ops = am_ops<row_index("gb.utr")>(),
    .country = country("GB"),
    .entity = EntityType::Any,
};

constexpr std::string_view kGePinAliases[] = {"პირადი ნომერი", "PIN"};
constexpr std::uint64_t kGePinLengths[] = {9, 11};
constexpr std::string_view kGePinExamples[] = {"010043120", "01024030303"};
const ValidatorSpec kGePinSpec = {
    .source_url = "https://sda.gov.ge/",
    .id = "ge.pin",
    .name = "Georgian Personal ID",
    .local_name = "პირადი ნომერი",
    .abbreviation = "PIN",
    .aliases = kGePinAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = kGePinLengths,
    .examples = kGePinExamples,
    .ops = am_ops<row_index("ge.pin")>(),
    .country = country("GE"),
    .entity = EntityType::Any,
};

constexpr std::string_view kGhTinAliases[] = {"TIN", "Tax Identification Number"};
constexpr std::uint64_t kGhTinLengths[] = {11};
constexpr std::string_view kGhTinExamples[] = {"C0000803561"};
const ValidatorSpec kGhTinSpec = {
    .source_url = "https://gra.gov.gh/",
    .id = "gh.tin",
    .name = "Ghanaian Tax Identification Number",
    .local_name = "Tax Identification Number",
    .abbreviation = "TIN",
    .aliases = kGhTinAliases,
    .candidate_pattern = "[A-Z]\\d{9,10}",
    .lengths = kGhTinLengths,
    .examples = kGhTinExamples,
    .ops = am_ops<row_index("gh.tin")>(),
    .country = country("GH"),
    .entity = EntityType::Any,
};

constexpr std::string_view kGrAmkaAliases[] = {"ΑΜΚΑ", "Αριθμός Μητρώου Κοινωνικής Ασφάλισης", "AMKA"};
constexpr std::string_view kGrAmkaExamples[] = {"01013099997"};
const ValidatorSpec kGrAmkaSpec = {
    .source_url = "https://www.amka.gr/",
    .id = "gr.amka",
    .name = "Greek Social Security Number",
    .local_name = "Αριθμός Μητρώου Κοινωνικής Ασφάλισης",
    .abbreviation = "ΑΜΚΑ",
    .aliases = kGrAmkaAliases,
    .candidate_pattern = "\\d{11}",
    .lengths = {},
    .examples = kGrAmkaExamples,
    .ops = am_ops<row_index("gr.amka")>(),
    .country = country("GR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kGtNitAliases[] = {"NIT"};
constexpr std::uint64_t kGtNitLengths[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr std::string_view kGtNitExamples[] = {"576937K", "39525503", "71080"};
const ValidatorSpec kGtNitSpec = {
    .source_url = "https://portal.sat.gob.gt/",
    .id = "gt.nit",
    .name = "Tax Identification Number",
    .local_name = "Número de Identificación Tributaria",
    .abbreviation = "NIT",
    .aliases = kGtNitAliases,
    .candidate_pattern = "\\d{7,8}-?\\d",
    .lengths = kGtNitLengths,
    .examples = kGtNitExamples,
    .ops = am_ops<row_index("gt.nit")>(),
    .country = country("GT"),
    .entity = EntityType::Any,
};

constexpr std::string_view kHkHkidAliases[] = {"HKID", "香港身份證"};
constexpr std::uint64_t kHkHkidLengths[] = {8, 9};
constexpr std::string_view kHkHkidExamples[] = {"G123456A", "AB9876543"};
const ValidatorSpec kHkHkidSpec = {
    .source_url = "https://www.immd.gov.hk/",
    .id = "hk.hkid",
    .name = "Hong Kong Identity Card Number",
    .local_name = "Hong Kong Identity Card Number",
    .abbreviation = "HKID",
    .aliases = kHkHkidAliases,
    .candidate_pattern = "[A-Z]{1,2}\\d{6}[\\dA]",
    .lengths = kHkHkidLengths,
    .examples = kHkHkidExamples,
    .ops = am_ops<row_index("hk.hkid")>(),
    .country = country("HK"),
    .entity = EntityType::Person,
};

constexpr std::string_view kIdNpwpAliases[] = {"NPWP", "Nomor Pokok Wajib Pajak"};
constexpr std::uint64_t kIdNpwpLengths[] = {15, 16};
constexpr std::string_view kIdNpwpExamples[] = {"013000666091000", "016090524017000"};
const ValidatorSpec kIdNpwpSpec = {
    .source_url = "https://www.pajak.go.id/",
    .id = "id.npwp",
    .name = "Indonesian Taxpayer Identification Number",
    .local_name = "Nomor Pokok Wajib Pajak",
    .abbreviation = "NPWP",
    .aliases = kIdNpwpAliases,
    .candidate_pattern = "\\d{2}\\.?\\d{3}\\.?\\d{3}\\.?\\d-?\\d{3}\\.?\\d{3}",
    .lengths = kIdNpwpLengths,
    .examples = kIdNpwpExamples,
    .ops = am_ops<row_index("id.npwp")>(),
    .country = country("ID"),
    .entity = EntityType::Any,
};

constexpr std::string_view kIlIdnrAliases[] = {"תעודת זהות", "Teudat Zehut", "ID number"};
constexpr std::uint64_t kIlIdnrLengths[] = {9};
constexpr std::string_view kIlIdnrExamples[] = {"039337423", "000000018"};
const ValidatorSpec kIlIdnrSpec = {
    .source_url = "https://www.gov.il/en/departments/population_and_immigration_authority",
    .id = "il.idnr",
    .name = "Israeli Identity Number",
    .local_name = "מספר זהות",
    .abbreviation = "ת.ז.",
    .aliases = kIlIdnrAliases,
    .candidate_pattern = "\\d{9}",
    .lengths = kIlIdnrLengths,
    .examples = kIlIdnrExamples,
    .ops = am_ops<row_index("il.idnr")>(),
    .country = country("IL"),
    .entity = EntityType::Person,
};

constexpr std::string_view kInAadhaarAliases[] = {"Aadhaar", "आधार"};
constexpr std::uint64_t kInAadhaarLengths[] = {12};
constexpr std::string_view kInAadhaarExamples[] = {"234123412346", "295274982189"};
const ValidatorSpec kInAadhaarSpec = {
    .source_url = "https://uidai.gov.in/",
    .id = "in.aadhaar",
    .name = "Indian Unique Identity Number",
    .local_name = "Aadhaar",
    .abbreviation = "Aadhaar",
    .aliases = kInAadhaarAliases,
    .candidate_pattern = "\\d{4}\\s?\\d{4}\\s?\\d{4}",
    .lengths = kInAadhaarLengths,
    .examples = kInAadhaarExamples,
    .ops = am_ops<row_index("in.aadhaar")>(),
    .country = country("IN"),
    .entity = EntityType::Person,
};

constexpr std::string_view kInGstinAliases[] = {"GSTIN", "GST number"};
constexpr std::uint64_t kInGstinLengths[] = {15};
constexpr std::string_view kInGstinExamples[] = {"27AAPFU0939F1ZV", "29AAGCB7383J1Z4"};
const ValidatorSpec kInGstinSpec = {
    .source_url = "https://www.gst.gov.in/",
    .id = "in.gstin",
    .name = "Indian Goods and Services Tax ID",
    .local_name = "Goods and Services Tax Identification Number",
    .abbreviation = "GSTIN",
    .aliases = kInGstinAliases,
    .candidate_pattern = "\\d{2}[A-Z]{5}\\d{4}[A-Z][A-Z\\d][Z][A-Z\\d]",
    .lengths = kInGstinLengths,
    .examples = kInGstinExamples,
    .ops = am_ops<row_index("in.gstin")>(),
    .country = country("IN"),
    .entity = EntityType::Company,
};

constexpr std::string_view kInPanAliases[] = {"PAN", "Permanent Account Number"};
constexpr std::uint64_t kInPanLengths[] = {10};
constexpr std::string_view kInPanExamples[] = {"ABCPP1234C", "AAACR5055K"};
const ValidatorSpec kInPanSpec = {
    .source_url = "https://www.incometax.gov.in/",
    .id = "in.pan",
    .name = "Indian Permanent Account Number",
    .local_name = "Permanent Account Number",
    .abbreviation = "PAN",
    .aliases = kInPanAliases,
    .candidate_pattern = "[A-Z]{5}\\d{4}[A-Z]",
    .lengths = kInPanLengths,
    .examples = kInPanExamples,
    .ops = am_ops<row_index("in.pan")>(),
    .country = country("IN"),
    .entity = EntityType::Any,
};

constexpr std::string_view kIqNidAliases[] = {"NID", "البطاقة الوطنية الموحدة"};
constexpr std::uint64_t kIqNidLengths[] = {12};
constexpr std::string_view kIqNidExamples[] = {"012345678901"};
const ValidatorSpec kIqNidSpec = {
    .source_url = "https://moi.gov.iq/",
    .id = "iq.nid",
    .name = "Iraqi National ID",
    .local_name = "البطاقة الوطنية الموحدة",
    .abbreviation = "NID",
    .aliases = kIqNidAliases,
    .candidate_pattern = "\\d{12}",
    .lengths = kIqNidLengths,
    .examples = kIqNidExamples,
    .ops = am_ops<row_index("iq.nid")>(),
    .country = country("IQ"),
    .entity = EntityType::Person,
};

constexpr std::string_view kIrNidAliases[] = {"NID", "کد ملی", "national code"};
constexpr std::uint64_t kIrNidLengths[] = {10};
constexpr std::string_view kIrNidExamples[] = {"0932833810"};
const ValidatorSpec kIrNidSpec = {
    .source_url = "https://www.sabteahval.ir/",
    .id = "ir.nid",
    .name = "Iranian National ID",
    .local_name = "کد ملی",
    .abbreviation = "NID",
    .aliases = kIrNidAliases,
    .candidate_pattern = "\\d{10}",
    .lengths = kIrNidLengths,
    .examples = kIrNidExamples,
    .ops = am_ops<row_index("ir.nid")>(),
    .country = country("IR"),
    .entity = EntityType::Person,
};

constexpr std::string_view kIsKennitalaAliases[] = {"kennitala", "kt."};
constexpr std::string_view kIsKennitalaExamples[] = {"4504013150", "1201743399"};
const ValidatorSpec kIsKennitalaSpec = {
    .source_url = "https://www.skra.is/",
    .id = "is.kennitala",
    .name = "Icelandic ID Number",
    .local_name = "Kennitala",
    .abbreviation = "kt.",
    .aliases = kIsKennitalaAliases,
    .candidate_pattern = "\\d{6}-?\\d{4}",
    .lengths = {},
    .examples = kIsKennitalaExamples,
    .ops = am_ops<row_index("is.kennitala")>(),
    .country = country("IS"),
    .entity = EntityType::Any,
};

constexpr std::string_view kIsVskAliases[] = {"VSK-númer", "virðisaukaskattur"};
constexpr std::string_view kIsVskExamples[] = {"00621", "123456"};
const ValidatorSpec kIsVskSpec = {
    .source_url = "https://www.skatturinn.is/",
    .id = "is.vsk",
    .name = "Icelandic VAT Number",
    .local_name = "Virðisaukaskattur",
    .abbreviation = "VSK",
    .aliases = kIsVskAliases,
    .candidate_pattern = "IS\\d{5,6}",
    .lengths = {},
    .examples = kIsVskExamples,
    .ops = am_ops<row_index("is.vsk")>(),
    .country = country("IS"),
    .entity = EntityType::Company,
};

constexpr std::string_view kJpCnAliases[] = {"法人番号", "Corporate Number"};
constexpr std::uint64_t kJpCnLengths[] = {13};
constexpr std::string_view kJpCnExamples[] = {"5835678256246", "2021001052596"};
const ValidatorSpec kJpCnSpec = {
    .source_url = "https://www.houjin-bangou.nta.go.jp/",
    .id = "jp.cn",
    .name = "Japanese Corporate Number",
    .local_name = "法人番号",
    .abbreviation = "CN",
    .aliases = kJpCnAliases,
    .candidate_pattern = "\\d{13}",
    .lengths = kJpCnLengths,
    .examples = kJpCnExamples,
    .ops = am_ops<row_index("jp.cn")>(),
    .country = country("JP"),
    .entity = EntityType::Company,
};

constexpr std::string_view kJpMynumberAliases[] = {"My Number", "マイナンバー", "個人番号"};
constexpr std::uint64_t kJpMynumberLengths[] = {12};
constexpr std::string_view kJpMynumberExamples[] = {"123456789018", "000000000019"};
const ValidatorSpec kJpMynumberSpec = {
    .source_url = "https://www.digital.go.jp/policies/mynumber",
    .id = "jp.mynumber",
    .name = "Japanese Individual Number",
    .local_name = "マイナンバー",
    .abbreviation = "My Number",
    .aliases = kJpMynumberAliases,
    .candidate_pattern = "\\d{4}[\\s-]?\\d{4}[\\s-]?\\d{4}",
    .lengths = kJpMynumberLengths,
    .examples = kJpMynumberExamples,
    .ops = am_ops<row_index("jp.mynumber")>(),
    .country = country("JP"),
    .entity = EntityType::Person,
};

}  // namespace ov::am
