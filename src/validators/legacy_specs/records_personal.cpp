// Records of the legacy personal identifiers: metadata and the row that drives
// their shared operations, one block per id.
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/frame.h"
#include "validators/legacy_specs/records.h"

namespace ov::legacy {

// ---- be.nn -------------------------------------------------------------------
constexpr std::string_view kBeNnAliases[] = {"rijksregisternummer", "numéro national", "NN"};
constexpr std::string_view kBeNnExamples[] = {"93051822361"};
constexpr Row kBeNnRow = {.lengths = lengths({11}), .format = pieces("", {0, 2, 4, 6, 9}, "..-."),
    .check = be_nn_check};
const ValidatorSpec kBeNnSpec = {
    .source_url = "https://www.ibz.rrn.fgov.be/",
    .id = "be.nn",
    .name = "Belgian National Number",
    .local_name = "Numéro national",
    .abbreviation = "NN",
    .aliases = kBeNnAliases,
    .candidate_pattern = R"(\d{2}\.?\d{2}\.?\d{2}-?\d{3}\.?\d{2})",
    .lengths = {},
    .examples = kBeNnExamples,
    .ops = ops<kBeNnRow>(),
    .country = country("BE"),
    .entity = EntityType::Person,
};

// ---- cn.ric ------------------------------------------------------------------
constexpr std::string_view kCnRicAliases[] = {"身份证", "居民身份证号码", "RIC"};
constexpr std::string_view kCnRicExamples[] = {"11010519491231002X", "440524188001010014"};
constexpr std::uint64_t kCnRicLengths[] = {15, 18};
constexpr Row kCnRicRow = {.upper = true, .lengths = lengths({15, 18}), .check = cn_ric_check, .parse = cn_ric_parse};
const ValidatorSpec kCnRicSpec = {
    .source_url = "https://www.mps.gov.cn/",
    .id = "cn.ric",
    .name = "Chinese Resident Identity Card",
    .local_name = "居民身份证号码",
    .abbreviation = "RIC",
    .aliases = kCnRicAliases,
    .candidate_pattern = R"(\d{17}[\dX])",
    .lengths = kCnRicLengths,
    .examples = kCnRicExamples,
    .ops = ops<kCnRicRow>(),
    .country = country("CN"),
    .entity = EntityType::Person,
};

// ---- cz.rc -------------------------------------------------------------------
constexpr std::string_view kCzRcAliases[] = {"rodné číslo", "RČ", "birth number"};
constexpr std::string_view kCzRcExamples[] = {"7103192745"};
constexpr std::uint64_t kCzRcLengths[] = {9, 10};
constexpr Row kCzRcRow = {.separators = kSpaceSlash, .lengths = lengths({9, 10}), .year_component = true,
    .format = pieces("", {0, 6}, "/"), .check = cz_rc_check, .parse = cz_rc_parse};
const ValidatorSpec kCzRcSpec = {
    .source_url = "https://www.mvcr.cz/",
    .id = "cz.rc",
    .name = "Czech Birth Number",
    .local_name = "Rodné číslo",
    .abbreviation = "RČ",
    .aliases = kCzRcAliases,
    .candidate_pattern = R"(\d{6}/\d{3,4})",
    .lengths = kCzRcLengths,
    .examples = kCzRcExamples,
    .ops = ops<kCzRcRow>(),
    .country = country("CZ"),
    .entity = EntityType::Person,
};

// ---- de.idnr -----------------------------------------------------------------
constexpr std::string_view kDeIdnrAliases[] = {"Steuerliche Identifikationsnummer", "IdNr", "Steuer-ID"};
constexpr std::string_view kDeIdnrExamples[] = {"36574261809"};
constexpr Row kDeIdnrRow = {.lengths = lengths({11}), .format = pieces("", {0, 2, 5, 8}, "   "),
    .check = de_idnr_check};
const ValidatorSpec kDeIdnrSpec = {
    .source_url = "https://www.bzst.de/",
    .id = "de.idnr",
    .name = "German Tax ID",
    .local_name = "Steuerliche Identifikationsnummer",
    .abbreviation = "IdNr",
    .aliases = kDeIdnrAliases,
    .candidate_pattern = R"(\d{2}\s?\d{3}\s?\d{3}\s?\d{3})",
    .lengths = {},
    .examples = kDeIdnrExamples,
    .ops = ops<kDeIdnrRow>(),
    .country = country("DE"),
    .entity = EntityType::Person,
};

// ---- dk.cpr ------------------------------------------------------------------
constexpr std::string_view kDkCprAliases[] = {"CPR-nummer", "personnummer", "CPR"};
constexpr std::string_view kDkCprExamples[] = {"2110625629"};
constexpr std::uint64_t kDkCprLengths[] = {10};
constexpr Row kDkCprRow = {.lengths = lengths({10}), .shape = Shape::Digits, .format = pieces("", {0, 6}, "-"),
    .check = dk_cpr_check, .parse = dk_cpr_parse};
const ValidatorSpec kDkCprSpec = {
    .source_url = "https://cpr.dk/",
    .id = "dk.cpr",
    .name = "Danish Personal ID",
    .local_name = "Det Centrale Personregister",
    .abbreviation = "CPR",
    .aliases = kDkCprAliases,
    .candidate_pattern = R"(\d{6}-?\d{4})",
    .lengths = kDkCprLengths,
    .examples = kDkCprExamples,
    .ops = ops<kDkCprRow>(),
    .country = country("DK"),
    .entity = EntityType::Person,
};

// ---- ee.ik -------------------------------------------------------------------
constexpr std::string_view kEeIkAliases[] = {"isikukood", "IK"};
constexpr std::string_view kEeIkExamples[] = {"36805280109"};
constexpr Row kEeIkRow = {.lengths = lengths({11}), .check = ee_ik_check, .parse = ee_ik_parse};
const ValidatorSpec kEeIkSpec = {
    .source_url = "https://www.siseministeerium.ee/",
    .id = "ee.ik",
    .name = "Estonian Personal ID",
    .local_name = "Isikukood",
    .abbreviation = "IK",
    .aliases = kEeIkAliases,
    .candidate_pattern = R"([1-6]\d{10})",
    .lengths = {},
    .examples = kEeIkExamples,
    .ops = ops<kEeIkRow>(),
    .country = country("EE"),
    .entity = EntityType::Person,
};

// ---- es.nie ------------------------------------------------------------------
constexpr std::string_view kEsNieAliases[] = {"N.I.E.", "NIE", "número de identidad de extranjero"};
constexpr std::string_view kEsNieExamples[] = {"X5253868R"};
constexpr Row kEsNieRow = {.upper = true, .lengths = lengths({9}), .check = es_nie_check};
const ValidatorSpec kEsNieSpec = {
    .source_url = "https://www.policia.es/",
    .id = "es.nie",
    .name = "Spanish Foreigner ID",
    .local_name = "Número de Identidad de Extranjero",
    .abbreviation = "NIE",
    .aliases = kEsNieAliases,
    .candidate_pattern = R"([XYZ]-?\d{7}-?[A-Z])",
    .lengths = {},
    .examples = kEsNieExamples,
    .ops = ops<kEsNieRow>(),
    .country = country("ES"),
    .entity = EntityType::Person,
};

// ---- fi.hetu -----------------------------------------------------------------
constexpr std::string_view kFiHetuAliases[] = {"henkilötunnus", "HETU", "sosiaaliturvatunnus"};
constexpr std::string_view kFiHetuExamples[] = {"131052-308T"};
constexpr std::uint64_t kFiHetuLengths[] = {11};
constexpr Row kFiHetuRow = {.separators = kSpaceOnly, .upper = true, .lengths = lengths({11}), .check = fi_hetu_check,
    .parse = fi_hetu_parse};
const ValidatorSpec kFiHetuSpec = {
    .source_url = "https://dvv.fi/",
    .id = "fi.hetu",
    .name = "Finnish Personal ID",
    .local_name = "Henkilötunnus",
    .abbreviation = "HETU",
    .aliases = kFiHetuAliases,
    .candidate_pattern = R"(\d{6}[-+A]\d{3}[\dA-Z])",
    .lengths = kFiHetuLengths,
    .examples = kFiHetuExamples,
    .ops = ops<kFiHetuRow>(),
    .country = country("FI"),
    .entity = EntityType::Person,
};

// ---- fr.nir ------------------------------------------------------------------
constexpr std::string_view kFrNirAliases[] = {"NIR", "numéro de sécurité sociale", "numéro SS", "sécu"};
constexpr std::string_view kFrNirExamples[] = {"295117823456784"};
constexpr std::uint64_t kFrNirLengths[] = {15};
constexpr Row kFrNirRow = {.lengths = lengths({15}), .format = pieces("", {0, 1, 3, 5, 7, 10, 13}, "      "),
    .check = fr_nir_check, .parse = fr_nir_parse};
const ValidatorSpec kFrNirSpec = {
    .source_url = "https://www.insee.fr/",
    .id = "fr.nir",
    .name = "French Social Security Number",
    .local_name = "Numero d'Inscription au Repertoire",
    .abbreviation = "NIR",
    .aliases = kFrNirAliases,
    .candidate_pattern = R"([12]\s?\d{2}\s?\d{2}\s?\d{2}\s?\d{3}\s?\d{3}\s?\d{2})",
    .lengths = kFrNirLengths,
    .examples = kFrNirExamples,
    .ops = ops<kFrNirRow>(),
    .country = country("FR"),
    .entity = EntityType::Person,
};

// ---- gb.nhs ------------------------------------------------------------------
constexpr std::string_view kGbNhsAliases[] = {"NHS number", "National Health Service number"};
constexpr std::string_view kGbNhsExamples[] = {"4010232137"};
constexpr std::uint64_t kGbNhsLengths[] = {10};
constexpr Row kGbNhsRow = {.separators = kSpaceOnly, .lengths = lengths({10}), .format = pieces("", {0, 3, 6}, "  "),
    .check = gb_nhs_check, .generates = false};
const ValidatorSpec kGbNhsSpec = {
    .source_url = nullptr,
    .id = "gb.nhs",
    .name = "UK NHS Number",
    .local_name = "NHS number",
    .abbreviation = "NHS",
    .aliases = kGbNhsAliases,
    .candidate_pattern = R"(\d{3}\s?\d{3}\s?\d{4})",
    .lengths = kGbNhsLengths,
    .examples = kGbNhsExamples,
    .ops = ops<kGbNhsRow>(),
    .country = country("GB"),
    .entity = EntityType::Person,
};

// ---- gb.nino -----------------------------------------------------------------
constexpr std::string_view kGbNinoAliases[] = {"National Insurance number", "NINO", "NI number"};
constexpr std::string_view kGbNinoExamples[] = {"AB123456C"};
constexpr std::uint64_t kGbNinoLengths[] = {9};
constexpr Row kGbNinoRow = {.upper = true, .lengths = lengths({9}), .shape = Shape::GbNino,
    .format = pieces("", {0, 2, 4, 6, 8}, "    "), .check = gb_nino_check};
const ValidatorSpec kGbNinoSpec = {
    .source_url = "https://www.gov.uk/national-insurance",
    .id = "gb.nino",
    .name = "UK National Insurance Number",
    .local_name = "National Insurance Number",
    .abbreviation = "NINO",
    .aliases = kGbNinoAliases,
    .candidate_pattern = R"([A-Z]{2}\d{6}[A-Z])",
    .lengths = kGbNinoLengths,
    .examples = kGbNinoExamples,
    .ops = ops<kGbNinoRow>(),
    .country = country("GB"),
    .entity = EntityType::Person,
};

// ---- ie.pps ------------------------------------------------------------------
constexpr std::string_view kIePpsAliases[] = {"PPS number", "PPSN", "RSI number"};
constexpr std::string_view kIePpsExamples[] = {"6433435F"};
constexpr Row kIePpsRow = {.upper = true, .lengths = lengths({8, 9}), .shape = Shape::IePps, .check = ie_pps_check};
const ValidatorSpec kIePpsSpec = {
    .source_url = "https://www.gov.ie/",
    .id = "ie.pps",
    .name = "Irish Personal ID",
    .local_name = "Personal Public Service Number",
    .abbreviation = "PPS",
    .aliases = kIePpsAliases,
    .candidate_pattern = R"(\d{7}[A-Z]{1,2})",
    .lengths = {},
    .examples = kIePpsExamples,
    .ops = ops<kIePpsRow>(),
    .country = country("IE"),
    .entity = EntityType::Person,
};

// ---- it.codiceFiscale --------------------------------------------------------
constexpr std::string_view kItCodiceFiscaleAliases[] = {"codice fiscale", "C.F.", "CF", "cod. fisc.", "fiscal code"};
constexpr std::string_view kItCodiceFiscaleExamples[] = {"RCCMNL83S18D969H"};
constexpr std::uint64_t kItCodiceFiscaleLengths[] = {11, 16};
constexpr Row kItCodiceFiscaleRow = {.upper = true, .lengths = lengths({11, 16}), .shape = Shape::ItCf,
    .check = it_codice_fiscale_check, .parse = it_codice_fiscale_parse};
const ValidatorSpec kItCodiceFiscaleSpec = {
    .source_url = "https://www.agenziaentrate.gov.it/",
    .id = "it.codiceFiscale",
    .name = "Italian Tax Code",
    .local_name = "Codice Fiscale",
    .abbreviation = "CF",
    .aliases = kItCodiceFiscaleAliases,
    .candidate_pattern = R"([A-Z]{6}\d{2}[A-Z]\d{2}[A-Z]\d{3}[A-Z])",
    .lengths = kItCodiceFiscaleLengths,
    .examples = kItCodiceFiscaleExamples,
    .ops = ops<kItCodiceFiscaleRow>(),
    .country = country("IT"),
    .entity = EntityType::Person,
};

// ---- lt.asmens ---------------------------------------------------------------
constexpr std::string_view kLtAsmensAliases[] = {"asmens kodas", "AK"};
constexpr std::string_view kLtAsmensExamples[] = {"33309240064"};
constexpr Row kLtAsmensRow = {.lengths = lengths({11}), .check = lt_asmens_check};
const ValidatorSpec kLtAsmensSpec = {
    .source_url = "https://www.registrucentras.lt/",
    .id = "lt.asmens",
    .name = "Lithuanian Personal ID",
    .local_name = "Asmens kodas",
    .abbreviation = "AK",
    .aliases = kLtAsmensAliases,
    .candidate_pattern = R"([3-6]\d{10})",
    .lengths = {},
    .examples = kLtAsmensExamples,
    .ops = ops<kLtAsmensRow>(),
    .country = country("LT"),
    .entity = EntityType::Person,
};

// ---- pl.pesel ----------------------------------------------------------------
constexpr std::string_view kPlPeselAliases[] = {"PESEL"};
constexpr std::string_view kPlPeselExamples[] = {"02070803628"};
constexpr Row kPlPeselRow = {.lengths = lengths({11}), .check = pl_pesel_check, .parse = pl_pesel_parse};
const ValidatorSpec kPlPeselSpec = {
    .source_url = "https://www.gov.pl/",
    .id = "pl.pesel",
    .name = "Polish National ID",
    .local_name = "Powszechny Elektroniczny System Ewidencji Ludności",
    .abbreviation = "PESEL",
    .aliases = kPlPeselAliases,
    .candidate_pattern = R"(\d{11})",
    .lengths = {},
    .examples = kPlPeselExamples,
    .ops = ops<kPlPeselRow>(),
    .country = country("PL"),
    .entity = EntityType::Person,
};

// ---- pt.cc -------------------------------------------------------------------
constexpr std::string_view kPtCcAliases[] = {"cartão de cidadão", "CC", "número de identificação civil"};
constexpr std::string_view kPtCcExamples[] = {"000000000ZZ4"};
constexpr std::uint64_t kPtCcLengths[] = {12};
constexpr Row kPtCcRow = {.separators = kSpaceOnly, .upper = true, .lengths = lengths({12}), .shape = Shape::PtCc,
    .format = kFromEnd, .check = pt_cc_check};
const ValidatorSpec kPtCcSpec = {
    .source_url = "https://www.autenticacao.gov.pt/",
    .id = "pt.cc",
    .name = "Portuguese Identity Card",
    .local_name = "Cartão de Cidadão",
    .abbreviation = "CC",
    .aliases = kPtCcAliases,
    .candidate_pattern = R"(\d{8}\s?\d\s?[A-Z]{2}\d)",
    .lengths = kPtCcLengths,
    .examples = kPtCcExamples,
    .ops = ops<kPtCcRow>(),
    .country = country("PT"),
    .entity = EntityType::Person,
};

// ---- ro.cnp ------------------------------------------------------------------
constexpr std::string_view kRoCnpAliases[] = {"CNP", "cod numeric personal"};
constexpr std::string_view kRoCnpExamples[] = {"1630615123457"};
constexpr std::uint64_t kRoCnpLengths[] = {13};
constexpr Row kRoCnpRow = {.lengths = lengths({13}), .check = ro_cnp_check, .parse = ro_cnp_parse};
const ValidatorSpec kRoCnpSpec = {
    .source_url = "https://depabd.mai.gov.ro/",
    .id = "ro.cnp",
    .name = "Romanian Personal ID",
    .local_name = "Cod Numeric Personal",
    .abbreviation = "CNP",
    .aliases = kRoCnpAliases,
    .candidate_pattern = R"([1-8]\d{2}(?:0[1-9]|1[0-2])(?:0[1-9]|[12]\d|3[01])\d{6})",
    .lengths = kRoCnpLengths,
    .examples = kRoCnpExamples,
    .ops = ops<kRoCnpRow>(),
    .country = country("RO"),
    .entity = EntityType::Person,
};

// ---- se.personnummer ---------------------------------------------------------
constexpr std::string_view kSePersonnummerAliases[] = {"personnummer", "personnr", "pers.nr", "personal identity number"};
constexpr std::string_view kSePersonnummerExamples[] = {"880320-0016"};
constexpr Row kSePersonnummerRow = {.separators = kPersonalSeps, .afterwards = Afterwards::DashRule,
    .lengths = lengths({11, 13}), .shape = Shape::SePn, .check = se_personnummer_check,
    .parse = se_personnummer_parse};
const ValidatorSpec kSePersonnummerSpec = {
    .source_url = "https://www.skatteverket.se/",
    .id = "se.personnummer",
    .name = "Swedish Personal ID",
    .local_name = "Personnummer",
    .abbreviation = "PN",
    .aliases = kSePersonnummerAliases,
    .candidate_pattern = R"(\d{6,8}-\d{4})",
    .lengths = {},
    .examples = kSePersonnummerExamples,
    .ops = ops<kSePersonnummerRow>(),
    .country = country("SE"),
    .entity = EntityType::Person,
};

}  // namespace ov::legacy
