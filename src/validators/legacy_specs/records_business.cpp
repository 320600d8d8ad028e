// Records of the legacy business, tax and bank numbers: metadata and the row
// that drives their shared operations, one block per id.
#include "validators/legacy_specs/checks.h"
#include "validators/legacy_specs/frame.h"
#include "validators/legacy_specs/records.h"

namespace ov::legacy {

// ---- at.tin ------------------------------------------------------------------
constexpr std::string_view kAtTinAliases[] = {"Steuernummer", "St.Nr.", "TIN"};
constexpr std::string_view kAtTinExamples[] = {"591199013"};
constexpr Row kAtTinRow = {.lengths = lengths({9}), .format = pieces("", {0, 2, 8}, "-/"), .check = at_tin_check};
const ValidatorSpec kAtTinSpec = {
    .source_url = "https://www.bmf.gv.at/",
    .id = "at.tin",
    .name = "Austrian Tax Identification Number",
    .local_name = "Abgabenkontonummer",
    .abbreviation = "TIN",
    .aliases = kAtTinAliases,
    .candidate_pattern = R"(\d{2}-?\d{3}/\d{4})",
    .lengths = {},
    .examples = kAtTinExamples,
    .ops = ops<kAtTinRow>(),
    .country = country("AT"),
    .entity = EntityType::Any,
};

// ---- au.acn ------------------------------------------------------------------
constexpr std::string_view kAuAcnAliases[] = {"ACN", "Australian Company Number"};
constexpr std::string_view kAuAcnExamples[] = {"004085616", "010499966"};
constexpr Row kAuAcnRow = {.pre = PreCheck::Digits, .lengths = lengths({9}), .format = pieces("", {0, 3, 6}, "  "),
    .check = au_acn_check};
const ValidatorSpec kAuAcnSpec = {
    .source_url = "https://asic.gov.au/",
    .id = "au.acn",
    .name = "Australian Company Number",
    .local_name = "Australian Company Number",
    .abbreviation = "ACN",
    .aliases = kAuAcnAliases,
    .candidate_pattern = R"(\d{3}\s?\d{3}\s?\d{3})",
    .lengths = {},
    .examples = kAuAcnExamples,
    .ops = ops<kAuAcnRow>(),
    .country = country("AU"),
    .entity = EntityType::Company,
};

// ---- br.cnpj -----------------------------------------------------------------
constexpr std::string_view kBrCnpjAliases[] = {"CNPJ", "Cadastro Nacional da Pessoa Jurídica"};
constexpr std::string_view kBrCnpjExamples[] = {"33000167000101", "00000000000191"};
constexpr Row kBrCnpjRow = {.upper = true, .lengths = lengths({14}), .format = pieces("", {0, 2, 5, 8, 12}, "../-"),
    .check = br_cnpj_check};
const ValidatorSpec kBrCnpjSpec = {
    .source_url = "https://www.gov.br/receitafederal/",
    .id = "br.cnpj",
    .name = "Brazilian CNPJ",
    .local_name = "Cadastro Nacional da Pessoa Jurídica",
    .abbreviation = "CNPJ",
    .aliases = kBrCnpjAliases,
    .candidate_pattern = R"(\d{2}\.?\d{3}\.?\d{3}/?\d{4}-?\d{2})",
    .lengths = {},
    .examples = kBrCnpjExamples,
    .ops = ops<kBrCnpjRow>(),
    .country = country("BR"),
    .entity = EntityType::Company,
};

// ---- ch.uid ------------------------------------------------------------------
constexpr std::string_view kChUidAliases[] = {"Unternehmens-Identifikationsnummer", "UID", "IDE"};
constexpr std::string_view kChUidExamples[] = {"CHE100155212"};
constexpr Row kChUidRow = {.upper = true, .lengths = lengths({12}), .format = pieces("CHE-", {3, 6, 9}, ".."),
    .check = ch_uid_check};
const ValidatorSpec kChUidSpec = {
    .source_url = "https://www.uid.admin.ch/",
    .id = "ch.uid",
    .name = "Swiss Business ID",
    .local_name = "Unternehmens-Identifikationsnummer",
    .abbreviation = "UID",
    .aliases = kChUidAliases,
    .candidate_pattern = R"(CHE-?\d{3}\.?\d{3}\.?\d{3})",
    .lengths = {},
    .examples = kChUidExamples,
    .ops = ops<kChUidRow>(),
    .country = country("CH"),
    .entity = EntityType::Company,
};

// ---- de.stnr -----------------------------------------------------------------
constexpr std::string_view kDeStnrAliases[] = {"Steuernummer", "St.Nr."};
constexpr std::string_view kDeStnrExamples[] = {"2181508150", "18181508155"};
constexpr std::uint64_t kDeStnrLengths[] = {10, 11, 13};
constexpr Row kDeStnrRow = {.pre = PreCheck::Digits, .lengths = lengths({10, 11, 13}), .format = kDeStnrFormat,
    .check = de_stnr_check};
const ValidatorSpec kDeStnrSpec = {
    .source_url = "https://www.bundesfinanzministerium.de/",
    .id = "de.stnr",
    .name = "German Tax Number",
    .local_name = "Steuernummer",
    .abbreviation = "StNr",
    .aliases = kDeStnrAliases,
    .candidate_pattern = R"(\d{2,4}/\d{3,4}/\d{4,5})",
    .lengths = kDeStnrLengths,
    .examples = kDeStnrExamples,
    .ops = ops<kDeStnrRow>(),
    .country = country("DE"),
    .entity = EntityType::Any,
};

// ---- de.svnr -----------------------------------------------------------------
constexpr std::string_view kDeSvnrAliases[] = {"Sozialversicherungsnummer", "SVNR", "Versicherungsnummer"};
constexpr std::string_view kDeSvnrExamples[] = {"12010188M011"};
constexpr std::uint64_t kDeSvnrLengths[] = {12};
constexpr Row kDeSvnrRow = {.upper = true, .lengths = lengths({12}), .format = pieces("", {0, 2, 8, 9, 11}, "    "),
    .check = de_svnr_check};
const ValidatorSpec kDeSvnrSpec = {
    .source_url = "https://www.deutsche-rentenversicherung.de/",
    .id = "de.svnr",
    .name = "German Social Insurance Number",
    .local_name = "Sozialversicherungsnummer",
    .abbreviation = "SVNR",
    .aliases = kDeSvnrAliases,
    .candidate_pattern = R"(\d{2}\s?\d{6}\s?[A-Z]\s?\d{3})",
    .lengths = kDeSvnrLengths,
    .examples = kDeSvnrExamples,
    .ops = ops<kDeSvnrRow>(),
    .country = country("DE"),
    .entity = EntityType::Person,
};

// ---- es.cif ------------------------------------------------------------------
constexpr std::string_view kEsCifAliases[] = {"CIF", "código de identificación fiscal"};
constexpr std::string_view kEsCifExamples[] = {"A13585625"};
constexpr Row kEsCifRow = {.prefix = "ES", .upper = true, .lengths = lengths({9}), .check = es_cif_check};
const ValidatorSpec kEsCifSpec = {
    .source_url = "https://sede.agenciatributaria.gob.es/",
    .id = "es.cif",
    .name = "Spanish Company Tax ID",
    .local_name = "Código de Identificación Fiscal",
    .abbreviation = "CIF",
    .aliases = kEsCifAliases,
    .candidate_pattern = R"([A-HJNP-SUVW]\d{7}[\dA-J])",
    .lengths = {},
    .examples = kEsCifExamples,
    .ops = ops<kEsCifRow>(),
    .country = country("ES"),
    .entity = EntityType::Company,
};

// ---- es.nss ------------------------------------------------------------------
constexpr std::string_view kEsNssAliases[] = {"NSS", "número de seguridad social"};
constexpr std::string_view kEsNssExamples[] = {"281234567840"};
constexpr std::uint64_t kEsNssLengths[] = {12};
constexpr Row kEsNssRow = {.lengths = lengths({12}), .format = pieces("", {0, 2, 10}, "//"), .check = es_nss_check};
const ValidatorSpec kEsNssSpec = {
    .source_url = "https://www.seg-social.es/",
    .id = "es.nss",
    .name = "Spanish Social Security Number",
    .local_name = "Número de la Seguridad Social",
    .abbreviation = "NSS",
    .aliases = kEsNssAliases,
    .candidate_pattern = R"(\d{12})",
    .lengths = kEsNssLengths,
    .examples = kEsNssExamples,
    .ops = ops<kEsNssRow>(),
    .country = country("ES"),
    .entity = EntityType::Person,
};

// ---- fi.ytunnus --------------------------------------------------------------
constexpr std::string_view kFiYtunnusAliases[] = {"Y-tunnus", "yritystunnus", "FO-nummer"};
constexpr std::string_view kFiYtunnusExamples[] = {"20774740"};
constexpr Row kFiYtunnusRow = {.lengths = lengths({8}), .format = pieces("", {0, 7}, "-"), .check = fi_ytunnus_check};
const ValidatorSpec kFiYtunnusSpec = {
    .source_url = "https://www.ytj.fi/",
    .id = "fi.ytunnus",
    .name = "Finnish Business ID",
    .local_name = "Y-tunnus",
    .abbreviation = "Y-tunnus",
    .aliases = kFiYtunnusAliases,
    .candidate_pattern = R"(\d{7}-\d)",
    .lengths = {},
    .examples = kFiYtunnusExamples,
    .ops = ops<kFiYtunnusRow>(),
    .country = country("FI"),
    .entity = EntityType::Company,
};

// ---- fr.siren ----------------------------------------------------------------
constexpr std::string_view kFrSirenAliases[] = {"SIREN", "numéro SIREN"};
constexpr std::string_view kFrSirenExamples[] = {"552008443"};
constexpr Row kFrSirenRow = {.lengths = lengths({9}), .format = pieces("", {0, 3, 6}, "  "), .check = fr_siren_check};
const ValidatorSpec kFrSirenSpec = {
    .source_url = "https://www.insee.fr/",
    .id = "fr.siren",
    .name = "French Company ID",
    .local_name = "Système d'Identification du Répertoire des Entreprises",
    .abbreviation = "SIREN",
    .aliases = kFrSirenAliases,
    .candidate_pattern = R"(\d{3}\s?\d{3}\s?\d{3})",
    .lengths = {},
    .examples = kFrSirenExamples,
    .ops = ops<kFrSirenRow>(),
    .country = country("FR"),
    .entity = EntityType::Company,
};

// ---- fr.siret ----------------------------------------------------------------
constexpr std::string_view kFrSiretAliases[] = {"SIRET", "numéro SIRET"};
constexpr std::string_view kFrSiretExamples[] = {"73282932000074"};
constexpr Row kFrSiretRow = {.lengths = lengths({14}), .format = pieces("", {0, 3, 6, 9}, "   "),
    .check = fr_siret_check};
const ValidatorSpec kFrSiretSpec = {
    .source_url = "https://www.insee.fr/",
    .id = "fr.siret",
    .name = "French Establishment ID",
    .local_name = "Système d'Identification du Répertoire des Établissements",
    .abbreviation = "SIRET",
    .aliases = kFrSiretAliases,
    .candidate_pattern = R"(\d{3}\s?\d{3}\s?\d{3}\s?\d{5})",
    .lengths = {},
    .examples = kFrSiretExamples,
    .ops = ops<kFrSiretRow>(),
    .country = country("FR"),
    .entity = EntityType::Company,
};

// ---- no.orgnr ----------------------------------------------------------------
constexpr std::string_view kNoOrgnrAliases[] = {"organisasjonsnummer", "org.nr"};
constexpr std::string_view kNoOrgnrExamples[] = {"923609016"};
constexpr Row kNoOrgnrRow = {.lengths = lengths({9}), .format = pieces("", {0, 3, 6}, "  "), .check = no_orgnr_check};
const ValidatorSpec kNoOrgnrSpec = {
    .source_url = "https://www.brreg.no/",
    .id = "no.orgnr",
    .name = "Norwegian Organization Number",
    .local_name = "Organisasjonsnummer",
    .abbreviation = "Orgnr",
    .aliases = kNoOrgnrAliases,
    .candidate_pattern = R"(\d{9})",
    .lengths = {},
    .examples = kNoOrgnrExamples,
    .ops = ops<kNoOrgnrRow>(),
    .country = country("NO"),
    .entity = EntityType::Company,
};

// ---- us.rtn ------------------------------------------------------------------
constexpr std::string_view kUsRtnAliases[] = {"RTN", "ABA", "Routing Number", "ABA Routing Number", "Routing Transit Number"};
constexpr std::string_view kUsRtnExamples[] = {"111000025", "021000021"};
constexpr std::uint64_t kUsRtnLengths[] = {9};
constexpr Row kUsRtnRow = {.lengths = lengths({9}), .check = us_rtn_check};
const ValidatorSpec kUsRtnSpec = {
    .source_url = "https://www.aba.com/",
    .id = "us.rtn",
    .name = "Routing Transit Number",
    .local_name = "Routing Transit Number",
    .abbreviation = "RTN",
    .aliases = kUsRtnAliases,
    .candidate_pattern = R"(\d{9})",
    .lengths = kUsRtnLengths,
    .examples = kUsRtnExamples,
    .ops = ops<kUsRtnRow>(),
    .country = country("US"),
    .entity = EntityType::Company,
};

}  // namespace ov::legacy
