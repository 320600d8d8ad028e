// United States health-care numbers: `us.npi` (National Provider Identifier,
// CMS), `us.dea` (DEA registration number) and `us.mbi` (Medicare
// Beneficiary Identifier, CMS).
#include <array>

#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/personal/records.h"

namespace ov::personal {

namespace {

using namespace extended;

// ---- us.npi ----------------------------------------------------------------
// Ten digits, the first 1 or 2; the last is a Luhn check digit computed as
// if the number carried the prefix 80840 (the health-care card issuer
// identifier it is written with on cards, which compaction drops).

constexpr std::string_view kNpiIssuerPrefix = "80840";

// The Luhn sum of the prefix's digits in their places is 24.
bool npi_luhn_valid(std::string_view ten) noexcept {
    unsigned sum = 24;
    for (std::size_t i = 0; i < 10; ++i) {
        unsigned d = static_cast<unsigned>(ten[9 - i] - '0');
        if (i % 2 == 1) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return sum % 10 == 0;
}

ValidationOutcome npi_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "NPI must be 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "NPI must contain only digits");
    if (s[0] != '1' && s[0] != '2') return fail(ErrorCode::InvalidComponent, "NPI must start with 1 or 2");
    if (!npi_luhn_valid(s)) return fail(ErrorCode::InvalidChecksum, "NPI check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string npi_generate() {
    std::string s = random_from("12", 1) + random_digits(8);
    s.push_back(luhn_check_digit(std::string(kNpiIssuerPrefix) + s));
    return s;
}

constexpr KindRule kNpiRule = {
    .separators = " -", .upper = false, .prefix = kNpiIssuerPrefix,
    .check = npi_check, .present = nullptr, .generate = npi_generate,
};

constexpr std::string_view kNpiAliases[] = {"NPI", "National Provider Identifier", "NPI number"};
// CMS's worked example (identifier 123456789, check digit 3), bare and as
// written on a card with the issuer prefix.
constexpr std::string_view kNpiExamples[] = {"1234567893", "808401234567893"};
constexpr std::uint64_t kNpiLengths[] = {10};

// ---- us.dea ----------------------------------------------------------------
// Two letters and seven digits. The first letter is the registrant type,
// the second the initial of the registrant's last name or business (9 for
// a business whose name begins with a digit). The last digit is the last
// digit of: digits 1, 3 and 5, plus twice digits 2, 4 and 6.

constexpr std::string_view kDeaTypes = "ABCDEFGHJKLMPRSTUX";

bool dea_type(char c) noexcept { return kDeaTypes.find(c) != std::string_view::npos; }

char dea_check_digit(std::string_view six) noexcept {
    const unsigned odd = static_cast<unsigned>(six[0] - '0') + static_cast<unsigned>(six[2] - '0') +
                         static_cast<unsigned>(six[4] - '0');
    const unsigned even = static_cast<unsigned>(six[1] - '0') + static_cast<unsigned>(six[3] - '0') +
                          static_cast<unsigned>(six[5] - '0');
    return static_cast<char>('0' + (odd + 2 * even) % 10);
}

ValidationOutcome dea_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "DEA number must be 9 characters");
    if (!is_upper(s[0]) || !(is_upper(s[1]) || s[1] == '9') || !all_digits(s.substr(2)))
        return fail(ErrorCode::InvalidFormat, "DEA number must be two letters and seven digits");
    if (!dea_type(s[0]))
        return fail(ErrorCode::InvalidComponent, "DEA number must start with a registrant type letter");
    if (dea_check_digit(s.substr(2, 6)) != s[8])
        return fail(ErrorCode::InvalidChecksum, "DEA number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string dea_generate() {
    std::string s = random_from(kDeaTypes, 1) + random_from(kUpperLetters, 1) + random_digits(6);
    s.push_back(dea_check_digit(std::string_view(s).substr(2)));
    return s;
}

constexpr KindRule kDeaRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = dea_check, .present = nullptr, .generate = dea_generate,
};

constexpr std::string_view kDeaAliases[] = {"DEA", "DEA number", "DEA registration number"};
// Worked examples of the check-digit rule (the registry itself is not public).
constexpr std::string_view kDeaExamples[] = {"AB1234563", "BJ6125341"};
constexpr std::uint64_t kNine[] = {9};

// ---- us.mbi ----------------------------------------------------------------
// Eleven characters in fixed classes: a digit 1-9, then letter, letter or
// digit, digit, letter, letter or digit, digit, letter, letter, digit,
// digit. Letters exclude S, L, O, I, B and Z. No check character. Written
// in groups of 4, 3 and 4.

constexpr std::string_view kMbiLetters = "ACDEFGHJKMNPQRTUVWXY";
constexpr std::string_view kMbiAlnum = "0123456789ACDEFGHJKMNPQRTUVWXY";

enum MbiClass : std::uint8_t { kNonZero = 1, kDigit = 2, kLetter = 4 };
constexpr std::array<std::uint8_t, 11> kMbiPositions = {
    kNonZero, kLetter, kLetter | kDigit, kDigit, kLetter, kLetter | kDigit, kDigit, kLetter, kLetter, kDigit, kDigit,
};

struct MbiClasses {
    std::uint8_t of[256] = {};
    constexpr MbiClasses() {
        for (char d = '0'; d <= '9'; ++d) of[static_cast<unsigned char>(d)] = kDigit | (d > '0' ? kNonZero : 0);
        for (char c : kMbiLetters) of[static_cast<unsigned char>(c)] = kLetter;
    }
};
constexpr MbiClasses kMbiClasses{};

ValidationOutcome mbi_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "MBI must be 11 characters");
    for (std::size_t i = 0; i < 11; ++i)
        if ((kMbiClasses.of[static_cast<unsigned char>(s[i])] & kMbiPositions[i]) == 0)
            return fail(ErrorCode::InvalidFormat,
                        "MBI must follow the pattern C A AN N A AN N A A N N (letters other than S, L, O, I, B, Z)");
    return ValidationOutcome::success_input(s);
}

std::string mbi_present(std::string_view s) { return join_at(s, {4, 7}, '-'); }

std::string mbi_generate() {
    std::string s;
    for (std::uint8_t c : kMbiPositions) {
        if (c == kNonZero) s += random_from("123456789", 1);
        else if (c == kDigit) s += random_from(kDigits, 1);
        else if (c == kLetter) s += random_from(kMbiLetters, 1);
        else s += random_from(kMbiAlnum, 1);
    }
    return s;
}

constexpr KindRule kMbiRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = mbi_check, .present = mbi_present, .generate = mbi_generate,
};

constexpr std::string_view kMbiAliases[] = {"MBI", "Medicare Beneficiary Identifier", "Medicare number"};
// CMS's example MBI, compact and as printed on the card.
constexpr std::string_view kMbiExamples[] = {"1EG4TE5MK73", "1EG4-TE5-MK73"};
constexpr std::uint64_t kMbiLengths[] = {11};

}  // namespace

const ValidatorSpec kUsNpiSpec = {
    .source_url = "https://www.cms.gov/Regulations-and-Guidance/Administrative-Simplification/"
                  "NationalProvIdentStand/Downloads/NPIcheckdigit.pdf",
    .id = "us.npi",
    .name = "National Provider Identifier",
    .local_name = "National Provider Identifier",
    .abbreviation = "NPI",
    .aliases = kNpiAliases,
    .candidate_pattern = "[12]\\d{9}",
    .lengths = kNpiLengths,
    .examples = kNpiExamples,
    .ops = kind_ops<kNpiRule>(),
    .country = country("US"),
    .entity = EntityType::Any,
};

const ValidatorSpec kUsDeaSpec = {
    .source_url = "https://www.deadiversion.usdoj.gov/drugreg/index.html",
    .id = "us.dea",
    .name = "DEA Registration Number",
    .local_name = "DEA Registration Number",
    .abbreviation = "DEA",
    .aliases = kDeaAliases,
    .candidate_pattern = "[ABCDEFGHJKLMPRSTUX][A-Z9]\\d{7}",
    .lengths = kNine,
    .examples = kDeaExamples,
    .ops = kind_ops<kDeaRule>(),
    .country = country("US"),
    .entity = EntityType::Any,
};

const ValidatorSpec kUsMbiSpec = {
    .source_url = "https://www.cms.gov/medicare/new-medicare-card/understanding-the-mbi.pdf",
    .id = "us.mbi",
    .name = "Medicare Beneficiary Identifier",
    .local_name = "Medicare Beneficiary Identifier",
    .abbreviation = "MBI",
    .aliases = kMbiAliases,
    .candidate_pattern = "[1-9][AC-HJKMNP-RT-Y][AC-HJKMNP-RT-Y\\d]\\d[AC-HJKMNP-RT-Y][AC-HJKMNP-RT-Y\\d]\\d"
                         "[AC-HJKMNP-RT-Y]{2}\\d{2}",
    .lengths = kMbiLengths,
    .examples = kMbiExamples,
    .ops = kind_ops<kMbiRule>(),
    .country = country("US"),
    .entity = EntityType::Person,
};

}  // namespace ov::personal
