// Identifiers of parties and releases: `isni` (ISO 27729), `orcid` (ORCID
// iDs, a block of the ISNI space) and `grid` (Global Release Identifier).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- isni and orcid --------------------------------------------------------
// Fifteen digits and an ISO 7064 MOD 11-2 check character (a digit or X).
// ORCID iDs are ISNIs from blocks ORCID reserves; the blocks grow over time,
// so an iD is checked like any ISNI.

ValidationOutcome isni_shape(std::string_view s, std::string_view length_message, std::string_view format_message,
                             std::string_view checksum_message) {
    if (s.size() != 16) return fail(ErrorCode::InvalidLength, length_message);
    if (!all_digits(s.substr(0, 15)) || !(is_digit(s[15]) || s[15] == 'X'))
        return fail(ErrorCode::InvalidFormat, format_message);
    if (mod11_2_check_char(s.substr(0, 15)) != s[15]) return fail(ErrorCode::InvalidChecksum, checksum_message);
    return ValidationOutcome::success_input(s);
}

ValidationOutcome isni_check(std::string_view s) {
    return isni_shape(s, "ISNI must be 16 characters", "ISNI must be fifteen digits and a check digit or X",
                      "ISNI check character does not match");
}

ValidationOutcome orcid_check(std::string_view s) {
    return isni_shape(s, "ORCID iD must be 16 characters", "ORCID iD must be fifteen digits and a check digit or X",
                      "ORCID iD check character does not match");
}

std::string isni_generate() {
    std::string s = random_digits(15);
    s.push_back(mod11_2_check_char(s));
    return s;
}

// ISNI is shown in blocks of four separated by blanks, ORCID by hyphens.
std::string isni_present(std::string_view s) { return join_at(s, {4, 8, 12}, ' '); }
std::string orcid_present(std::string_view s) { return join_at(s, {4, 8, 12}, '-'); }

constexpr KindRule kIsniRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = isni_check, .present = isni_present, .generate = isni_generate,
};
constexpr KindRule kOrcidRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = orcid_check, .present = orcid_present, .generate = isni_generate,
};

constexpr std::string_view kIsniAliases[] = {"ISNI", "International Standard Name Identifier"};
// ISNIs of the register, one with the check character X.
constexpr std::string_view kIsniExamples[] = {"0000000121032683", "000000012281955X", "000000012146438X"};
constexpr std::string_view kOrcidAliases[] = {"ORCID", "ORCID iD", "orcid.org"};
// The iDs ORCID uses in its own description of the identifier's structure.
constexpr std::string_view kOrcidExamples[] = {"0000000218250097", "000000021694233X", "0000000151093700"};
constexpr std::uint64_t kSixteen[] = {16};

// ---- grid ------------------------------------------------------------------
// Identifier scheme "A1", issuer code (5 characters), release number (10)
// and an ISO 7064 MOD 37,36 check character over the 17 before it.

ValidationOutcome grid_check(std::string_view s) {
    if (s.size() != 18) return fail(ErrorCode::InvalidLength, "GRid must be 18 characters");
    if (!all_upper_alnum(s)) return fail(ErrorCode::InvalidFormat, "GRid must contain only letters and digits");
    if (!s.starts_with("A1")) return fail(ErrorCode::InvalidComponent, "GRid must start with the scheme A1");
    if (mod37_36_check_char(s.substr(0, 17)) != s[17])
        return fail(ErrorCode::InvalidChecksum, "GRid check character does not match");
    return ValidationOutcome::success_input(s);
}

std::string grid_present(std::string_view s) { return join_at(s, {2, 7, 17}, '-'); }

std::string grid_generate() {
    std::string s = "A1" + random_from(kUpperAlnum, 15);
    s.push_back(mod37_36_check_char(s));
    return s;
}

constexpr KindRule kGridRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = grid_check, .present = grid_present, .generate = grid_generate,
};

constexpr std::string_view kGridAliases[] = {"GRid", "Global Release Identifier"};
// The GRid standard's sample A1-2425G-ABC1234002-M, and the next release
// number of the same issuer with its check character.
constexpr std::string_view kGridExamples[] = {"A12425GABC1234002M", "A12425GABC1234003K"};
constexpr std::uint64_t kGridLengths[] = {18};

}  // namespace

const ValidatorSpec kIsniSpec = {
    .source_url = "https://isni.org/",
    .id = "isni",
    .name = "International Standard Name Identifier",
    .local_name = "International Standard Name Identifier",
    .abbreviation = "ISNI",
    .aliases = kIsniAliases,
    .candidate_pattern = "\\d{15}[\\dX]",
    .lengths = kSixteen,
    .examples = kIsniExamples,
    .ops = kind_ops<kIsniRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kOrcidSpec = {
    .source_url = "https://support.orcid.org/hc/en-us/articles/360006897674-Structure-of-the-ORCID-Identifier",
    .id = "orcid",
    .name = "ORCID iD",
    .local_name = "ORCID iD",
    .abbreviation = "ORCID",
    .aliases = kOrcidAliases,
    .candidate_pattern = "\\d{15}[\\dX]",
    .lengths = kSixteen,
    .examples = kOrcidExamples,
    .ops = kind_ops<kOrcidRule>(),
    .country = kGlobal,
    .entity = EntityType::Person,
};

const ValidatorSpec kGridSpec = {
    .source_url = "https://www.ifpi.org/",
    .id = "grid",
    .name = "Global Release Identifier",
    .local_name = "Global Release Identifier",
    .abbreviation = "GRid",
    .aliases = kGridAliases,
    .candidate_pattern = "A1[A-Z0-9]{16}",
    .lengths = kGridLengths,
    .examples = kGridExamples,
    .ops = kind_ops<kGridRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
