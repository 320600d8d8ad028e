// Records and rows of the additional set N-Z, th.tin to za.idnr.
#include "validators/additional_n_z/checks.h"
#include "validators/additional_n_z/records.h"

// A row names only what differs from the defaults of its fields.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace ov::nz {

// ---- th.tin ---------------------------------------------------------------------
namespace {
constexpr std::string_view kThTinAliases[] = {"เลขประจำตัวผู้เสียภาษี", "TIN"};
constexpr std::uint64_t kThTinLengths[] = {13};
constexpr std::string_view kThTinExamples[] = {"1101700230708", "3100600445015"};
constexpr Rule kThTinRule = {
    .format = {.joiner = " ", .bounds = {0, 1, 5, 10, 12, 13}, .pieces = 5},
    .check = th_tin_check,
};
}  // namespace
const ValidatorSpec kThTinSpec = {
    .source_url = "https://www.rd.go.th/",
    .id = "th.tin",
    .name = "Thai Tax Identification Number",
    .local_name = "เลขประจำตัวผู้เสียภาษี",
    .abbreviation = "TIN",
    .aliases = kThTinAliases,
    .candidate_pattern = R"(\d{13})",
    .lengths = kThTinLengths,
    .examples = kThTinExamples,
    .ops = ops<kThTinRule>(),
    .country = country("TH"),
    .entity = EntityType::Any,
};

// ---- tr.tckimlik ----------------------------------------------------------------
namespace {
constexpr std::string_view kTrTckimlikAliases[] = {"TC Kimlik No", "T.C. Kimlik Numarası"};
constexpr std::string_view kTrTckimlikExamples[] = {"17291716060"};
constexpr Rule kTrTckimlikRule = {
    .compaction = {.remove = " -./"},
    .check = tr_tckimlik_check,
};
}  // namespace
const ValidatorSpec kTrTckimlikSpec = {
    .source_url = "https://www.nvi.gov.tr/",
    .id = "tr.tckimlik",
    .name = "Turkish Personal ID",
    .local_name = "T.C. Kimlik Numarası",
    .abbreviation = "T.C. Kimlik",
    .aliases = kTrTckimlikAliases,
    .candidate_pattern = R"([1-9]\d{10})",
    .lengths = {},
    .examples = kTrTckimlikExamples,
    .ops = ops<kTrTckimlikRule>(),
    .country = country("TR"),
    .entity = EntityType::Person,
};

// ---- tr.vkn ---------------------------------------------------------------------
namespace {
constexpr std::string_view kTrVknAliases[] = {"VKN", "Vergi Kimlik Numarası"};
constexpr std::string_view kTrVknExamples[] = {"4540536920"};
constexpr Rule kTrVknRule = {
    .compaction = {.remove = " -./"},
    .check = tr_vkn_check,
};
}  // namespace
const ValidatorSpec kTrVknSpec = {
    .source_url = "https://www.gib.gov.tr/",
    .id = "tr.vkn",
    .name = "Turkish Tax ID",
    .local_name = "Vergi Kimlik Numarası",
    .abbreviation = "VKN",
    .aliases = kTrVknAliases,
    .candidate_pattern = R"(\d{10})",
    .lengths = {},
    .examples = kTrVknExamples,
    .ops = ops<kTrVknRule>(),
    .country = country("TR"),
    .entity = EntityType::Company,
};

// ---- tw.ubn ---------------------------------------------------------------------
namespace {
constexpr std::string_view kTwUbnAliases[] = {"統一編號", "UBN"};
constexpr std::uint64_t kTwUbnLengths[] = {8};
constexpr std::string_view kTwUbnExamples[] = {"00501503", "04595257"};
constexpr Rule kTwUbnRule = {.check = tw_ubn_check};
}  // namespace
const ValidatorSpec kTwUbnSpec = {
    .source_url = "https://www.moea.gov.tw/",
    .id = "tw.ubn",
    .name = "Unified Business Number",
    .local_name = "統一編號",
    .abbreviation = "UBN",
    .aliases = kTwUbnAliases,
    .candidate_pattern = R"(\d{8})",
    .lengths = kTwUbnLengths,
    .examples = kTwUbnExamples,
    .ops = ops<kTwUbnRule>(),
    .country = country("TW"),
    .entity = EntityType::Company,
};

// ---- ua.edrpou ------------------------------------------------------------------
namespace {
constexpr std::string_view kUaEdrpouAliases[] = {"ЄДРПОУ", "EDRPOU"};
constexpr std::uint64_t kUaEdrpouLengths[] = {8};
constexpr std::string_view kUaEdrpouExamples[] = {"14360570"};
constexpr Rule kUaEdrpouRule = {.check = ua_edrpou_check};
}  // namespace
const ValidatorSpec kUaEdrpouSpec = {
    .source_url = "https://usr.minjust.gov.ua/",
    .id = "ua.edrpou",
    .name = "Ukrainian Company Register Number",
    .local_name = "ЄДРПОУ",
    .abbreviation = "ЄДРПОУ",
    .aliases = kUaEdrpouAliases,
    .candidate_pattern = R"(\d{8})",
    .lengths = kUaEdrpouLengths,
    .examples = kUaEdrpouExamples,
    .ops = ops<kUaEdrpouRule>(),
    .country = country("UA"),
    .entity = EntityType::Company,
};

// ---- us.itin --------------------------------------------------------------------
namespace {
constexpr std::string_view kUsItinAliases[] = {"ITIN", "Individual Taxpayer Identification Number"};
constexpr std::uint64_t kUsItinLengths[] = {9};
constexpr std::string_view kUsItinExamples[] = {"912-90-3456"};
constexpr Rule kUsItinRule = {
    .format = {.joiner = "-", .bounds = {0, 3, 5, 9}, .pieces = 3, .only_length = 9},
    .check = us_itin_check,
};
}  // namespace
const ValidatorSpec kUsItinSpec = {
    .source_url = "https://www.irs.gov/individuals/individual-taxpayer-identification-number",
    .id = "us.itin",
    .name = "Individual Taxpayer Identification Number",
    .local_name = "Individual Taxpayer Identification Number",
    .abbreviation = "ITIN",
    .aliases = kUsItinAliases,
    .candidate_pattern = R"(9\d{2}[\s-]?\d{2}[\s-]?\d{4})",
    .lengths = kUsItinLengths,
    .examples = kUsItinExamples,
    .ops = ops<kUsItinRule>(),
    .country = country("US"),
    .entity = EntityType::Person,
};

// ---- us.ssn ---------------------------------------------------------------------
namespace {
constexpr std::string_view kUsSsnAliases[] = {"SSN", "Social Security Number"};
constexpr std::string_view kUsSsnExamples[] = {"536904399"};
constexpr Rule kUsSsnRule = {
    .format = {.joiner = "-", .bounds = {0, 3, 5, 9}, .pieces = 3, .only_length = 9},
    .check = us_ssn_check,
};
}  // namespace
const ValidatorSpec kUsSsnSpec = {
    .source_url = "https://www.ssa.gov/",
    .id = "us.ssn",
    .name = "Social Security Number",
    .local_name = "Social Security Number",
    .abbreviation = "SSN",
    .aliases = kUsSsnAliases,
    .candidate_pattern = R"(\d{3}-?\d{2}-?\d{4})",
    .lengths = {},
    .examples = kUsSsnExamples,
    .ops = ops<kUsSsnRule>(),
    .country = country("US"),
    .entity = EntityType::Person,
};

// ---- uy.rut ---------------------------------------------------------------------
namespace {
constexpr std::string_view kUyRutAliases[] = {"RUT", "Registro Único Tributario"};
constexpr std::uint64_t kUyRutLengths[] = {12};
constexpr std::string_view kUyRutExamples[] = {"010100010013", "102000010017"};
constexpr Rule kUyRutRule = {
    .compaction = {.remove = " -", .trim = true, .prefix = "UY"},
    .format = {.joiner = "-", .bounds = {0, 2, 8, 11, 12}, .pieces = 4},
    .check = uy_rut_check,
};
}  // namespace
const ValidatorSpec kUyRutSpec = {
    .source_url = "https://www.gub.uy/direccion-general-impositiva/",
    .id = "uy.rut",
    .name = "Uruguayan Tax ID",
    .local_name = "Registro Único Tributario",
    .abbreviation = "RUT",
    .aliases = kUyRutAliases,
    .candidate_pattern = R"(\d{12})",
    .lengths = kUyRutLengths,
    .examples = kUyRutExamples,
    .ops = ops<kUyRutRule>(),
    .country = country("UY"),
    .entity = EntityType::Any,
};

// ---- ve.rif ---------------------------------------------------------------------
namespace {
constexpr std::string_view kVeRifAliases[] = {"RIF", "Registro de Información Fiscal"};
constexpr std::uint64_t kVeRifLengths[] = {10};
constexpr std::string_view kVeRifExamples[] = {"V309876543", "J309876546"};
constexpr Rule kVeRifRule = {
    .compaction = {.remove = " -", .trim = true, .upper = CaseMap::Full},
    .format = {.joiner = "-", .bounds = {0, 1, 9, 10}, .pieces = 3},
    .check = ve_rif_check,
};
}  // namespace
const ValidatorSpec kVeRifSpec = {
    .source_url = "https://www.seniat.gob.ve/",
    .id = "ve.rif",
    .name = "Venezuelan Tax ID",
    .local_name = "Registro de Información Fiscal",
    .abbreviation = "RIF",
    .aliases = kVeRifAliases,
    .candidate_pattern = R"([VEJPG]-?\d{8}-?\d)",
    .lengths = kVeRifLengths,
    .examples = kVeRifExamples,
    .ops = ops<kVeRifRule>(),
    .country = country("VE"),
    .entity = EntityType::Any,
};

// ---- vn.mst ---------------------------------------------------------------------
namespace {
constexpr std::string_view kVnMstAliases[] = {"MST", "mã số thuế"};
constexpr std::uint64_t kVnMstLengths[] = {10, 13};
constexpr std::string_view kVnMstExamples[] = {"0100233488", "0314409058002"};
constexpr Rule kVnMstRule = {
    .compaction = {.remove = " -."},
    .format = {.joiner = "-", .bounds = {0, 10, 13}, .pieces = 2, .only_length = 13},
    .check = vn_mst_check,
};
}  // namespace
const ValidatorSpec kVnMstSpec = {
    .source_url = "https://www.gdt.gov.vn/",
    .id = "vn.mst",
    .name = "Vietnamese Tax Number",
    .local_name = "Mã số thuế",
    .abbreviation = "MST",
    .aliases = kVnMstAliases,
    .candidate_pattern = R"(\d{10}(-\d{3})?)",
    .lengths = kVnMstLengths,
    .examples = kVnMstExamples,
    .ops = ops<kVnMstRule>(),
    .country = country("VN"),
    .entity = EntityType::Company,
};

// ---- za.idnr --------------------------------------------------------------------
namespace {
constexpr std::string_view kZaIdnrAliases[] = {"ID number", "RSA ID"};
constexpr std::uint64_t kZaIdnrLengths[] = {13};
constexpr std::string_view kZaIdnrExamples[] = {"7503305044089", "8001015009087"};
constexpr Rule kZaIdnrRule = {
    .compaction = {.remove = " "},
    .format = {.joiner = " ", .bounds = {0, 6, 10, 12, 13}, .pieces = 4, .only_length = 13},
    .check = za_idnr_check,
    .parse = za_idnr_parse,
};
}  // namespace
const ValidatorSpec kZaIdnrSpec = {
    .source_url = "https://www.dha.gov.za/",
    .id = "za.idnr",
    .name = "South African Identity Number",
    .local_name = "South African Identity Number",
    .abbreviation = "SA ID",
    .aliases = kZaIdnrAliases,
    .candidate_pattern = R"(\d{13})",
    .lengths = kZaIdnrLengths,
    .examples = kZaIdnrExamples,
    .ops = ops<kZaIdnrRule>(),
    .country = country("ZA"),
    .entity = EntityType::Person,
};

}  // namespace ov::nz
