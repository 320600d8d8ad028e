// Securities codes: `cusip` (CUSIP Global Services) and `figi` (Financial
// Instrument Global Identifier, OMG FIGI standard); chemical substance
// numbers: `casrn` (CAS Registry Number) and `eu.ecnumber` (EC number of
// the European Chemicals Agency).
#include <algorithm>

#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- cusip and figi --------------------------------------------------------
// Both close with the same "double-add-double" check digit: characters are
// valued (digits as themselves, A = 10 .. Z = 35, then * @ #), every
// second value from the left is doubled, and the decimal digits of all
// values are summed.

struct SecurityValues {
    std::uint8_t value[256] = {};
    constexpr SecurityValues() {
        for (char d = '0'; d <= '9'; ++d) value[static_cast<unsigned char>(d)] = static_cast<std::uint8_t>(d - '0');
        for (char c = 'A'; c <= 'Z'; ++c) value[static_cast<unsigned char>(c)] = static_cast<std::uint8_t>(c - 'A' + 10);
        value['*'] = 36;
        value['@'] = 37;
        value['#'] = 38;
    }
};
constexpr SecurityValues kSecurity{};

char double_add_double_check(std::string_view payload) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        unsigned v = kSecurity.value[static_cast<unsigned char>(payload[i])];
        if (i % 2 == 1) v *= 2;
        sum += v / 10 + v % 10;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

constexpr std::string_view kCusipAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*@#";

bool cusip_char(char c) noexcept { return is_digit(c) || is_upper(c) || c == '*' || c == '@' || c == '#'; }

ValidationOutcome cusip_check(std::string_view s) {
    if (s.size() != 9) return fail(ErrorCode::InvalidLength, "CUSIP must be 9 characters");
    for (std::size_t i = 0; i < 8; ++i)
        if (!cusip_char(s[i]))
            return fail(ErrorCode::InvalidFormat, "CUSIP must be eight letters, digits, '*', '@' or '#' and a check digit");
    if (!is_digit(s[8]))
        return fail(ErrorCode::InvalidFormat, "CUSIP must be eight letters, digits, '*', '@' or '#' and a check digit");
    if (double_add_double_check(s.substr(0, 8)) != s[8])
        return fail(ErrorCode::InvalidChecksum, "CUSIP check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string cusip_generate() {
    std::string s = random_from(kUpperAlnum, 6) + random_from(kCusipAlphabet, 2);
    s.push_back(double_add_double_check(s));
    return s;
}

constexpr KindRule kCusipRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = cusip_check, .present = nullptr, .generate = cusip_generate,
};

constexpr std::string_view kCusipAliases[] = {"CUSIP", "CUSIP number"};
constexpr std::string_view kCusipExamples[] = {"037833100", "38259P508", "594918104"};
constexpr std::uint64_t kCusipLengths[] = {9};

// FIGI letters are consonants only; the first two characters never form a
// prefix that ISIN country codes use (BS, BM, GG, GB, GH, KY, VG), and the
// third is always G.
constexpr std::string_view kConsonants = "BCDFGHJKLMNPQRSTVWXYZ";
constexpr std::string_view kFigiBody = "0123456789BCDFGHJKLMNPQRSTVWXYZ";
constexpr std::string_view kFigiExcluded[] = {"BS", "BM", "GG", "GB", "GH", "KY", "VG"};

// Bit 1: a consonant (allowed anywhere); bit 2: a digit (allowed after
// the third character).
struct FigiClasses {
    std::uint8_t bits[256] = {};
    constexpr FigiClasses() {
        for (char c : kConsonants) bits[static_cast<unsigned char>(c)] = 1;
        for (char d = '0'; d <= '9'; ++d) bits[static_cast<unsigned char>(d)] = 2;
    }
};
constexpr FigiClasses kFigiClasses{};

ValidationOutcome figi_check(std::string_view s) {
    static constexpr std::string_view kShape =
        "FIGI must be two consonants, G, eight consonants or digits and a check digit";
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "FIGI must be 12 characters");
    unsigned prefix = 1, body = 3;
    for (std::size_t i = 0; i < 2; ++i) prefix &= kFigiClasses.bits[static_cast<unsigned char>(s[i])];
    for (std::size_t i = 3; i < 11; ++i) body &= kFigiClasses.bits[static_cast<unsigned char>(s[i])] ? 3u : 0u;
    const bool shape = prefix && body && s[2] == 'G' && is_digit(s[11]);
    if (!shape) return fail(ErrorCode::InvalidFormat, kShape);
    for (std::string_view excluded : kFigiExcluded)
        if (s.starts_with(excluded))
            return fail(ErrorCode::InvalidComponent, "FIGI must not start with BS, BM, GG, GB, GH, KY or VG");
    if (double_add_double_check(s.substr(0, 11)) != s[11])
        return fail(ErrorCode::InvalidChecksum, "FIGI check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string figi_generate() {
    std::string prefix;
    do {
        prefix = random_from(kConsonants, 2);
    } while (std::find(std::begin(kFigiExcluded), std::end(kFigiExcluded), prefix) != std::end(kFigiExcluded));
    std::string s = prefix + "G" + random_from(kFigiBody, 8);
    s.push_back(double_add_double_check(s));
    return s;
}

constexpr KindRule kFigiRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = figi_check, .present = nullptr, .generate = figi_generate,
};

constexpr std::string_view kFigiAliases[] = {"FIGI", "Financial Instrument Global Identifier", "BBGID"};
constexpr std::string_view kFigiExamples[] = {"BBG000BLNNH6", "BBG000B9XRY4", "BBG000BLNQ16"};
constexpr std::uint64_t kFigiLengths[] = {12};

// ---- casrn -----------------------------------------------------------------
// Up to ten digits written in three parts (2 to 7, 2, 1): the last is a
// check digit, the sum of the other digits weighted 1, 2, 3 ... from the
// right, modulo 10.

char cas_check_digit(std::string_view payload) noexcept {
    unsigned sum = 0, weight = 1;
    for (std::size_t i = payload.size(); i-- > 0; ++weight) sum += weight * static_cast<unsigned>(payload[i] - '0');
    return static_cast<char>('0' + sum % 10);
}

ValidationOutcome casrn_check(std::string_view s) {
    if (s.size() < 5 || s.size() > 10)
        return fail(ErrorCode::InvalidLength, "CAS Registry Number must be 5 to 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "CAS Registry Number must contain only digits");
    if (s[0] == '0') return fail(ErrorCode::InvalidFormat, "CAS Registry Number must not start with 0");
    if (cas_check_digit(s.substr(0, s.size() - 1)) != s.back())
        return fail(ErrorCode::InvalidChecksum, "CAS Registry Number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string casrn_present(std::string_view s) { return join_at(s, {s.size() - 3, s.size() - 1}, '-'); }

std::string casrn_generate() {
    std::string s = random_from("123456789", 1) + random_digits(3 + random_below(6));
    s.push_back(cas_check_digit(s));
    return s;
}

constexpr KindRule kCasrnRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = casrn_check, .present = casrn_present, .generate = casrn_generate,
};

constexpr std::string_view kCasrnAliases[] = {"CAS", "CAS RN", "CAS number", "CAS Registry Number"};
// CAS's own check-digit example (water, 7732-18-5), ethanol and formaldehyde.
constexpr std::string_view kCasrnExamples[] = {"7732185", "64175", "50000"};

// ---- eu.ecnumber -----------------------------------------------------------
// Seven digits written 3-3-1: the first six weighted 1 to 6 give the check
// digit modulo 11, a remainder of 10 being written 1 (as in 424-870-1).
// The first digit tells the list: 2 and 3 EINECS, 4 ELINCS, 5 NLP, 6 to 9
// numbers ECHA assigns itself; 0 and 1 begin none.

char ec_check_digit(std::string_view first6) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 6; ++i) sum += static_cast<unsigned>(i + 1) * static_cast<unsigned>(first6[i] - '0');
    const unsigned r = sum % 11;
    return r == 10 ? '1' : static_cast<char>('0' + r);
}

ValidationOutcome ecnumber_check(std::string_view s) {
    if (s.size() != 7) return fail(ErrorCode::InvalidLength, "EC number must be 7 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "EC number must contain only digits");
    if (s[0] < '2') return fail(ErrorCode::InvalidComponent, "EC number must start with 2 to 9");
    if (ec_check_digit(s) != s[6]) return fail(ErrorCode::InvalidChecksum, "EC number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ecnumber_present(std::string_view s) { return join_at(s, {3, 6}, '-'); }

std::string ecnumber_generate() {
    std::string s = random_from("23456789", 1) + random_digits(5);
    return s + ec_check_digit(s);
}

constexpr KindRule kEcnumberRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = ecnumber_check, .present = ecnumber_present, .generate = ecnumber_generate,
};

constexpr std::string_view kEcnumberAliases[] = {"EC number", "EC No.", "EINECS", "ELINCS", "EC"};
// ECHA's entries for formaldehyde (200-001-8) and water (231-791-2).
constexpr std::string_view kEcnumberExamples[] = {"2000018", "2317912"};
constexpr std::uint64_t kSeven[] = {7};

}  // namespace

const ValidatorSpec kCusipSpec = {
    .source_url = "https://www.cusip.com/identifiers.html",
    .id = "cusip",
    .name = "CUSIP Number",
    .local_name = "CUSIP Number",
    .abbreviation = "CUSIP",
    .aliases = kCusipAliases,
    .candidate_pattern = "[0-9A-Z*@#]{8}\\d",
    .lengths = kCusipLengths,
    .examples = kCusipExamples,
    .ops = kind_ops<kCusipRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kFigiSpec = {
    .source_url = "https://www.openfigi.com/about/figi",
    .id = "figi",
    .name = "Financial Instrument Global Identifier",
    .local_name = "Financial Instrument Global Identifier",
    .abbreviation = "FIGI",
    .aliases = kFigiAliases,
    .candidate_pattern = "[B-DF-HJ-NP-TV-Z]{2}G[0-9B-DF-HJ-NP-TV-Z]{8}\\d",
    .lengths = kFigiLengths,
    .examples = kFigiExamples,
    .ops = kind_ops<kFigiRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kCasrnSpec = {
    .source_url = "https://www.cas.org/support/documentation/chemical-substances/checkdig",
    .id = "casrn",
    .name = "CAS Registry Number",
    .local_name = "CAS Registry Number",
    .abbreviation = "CAS RN",
    .aliases = kCasrnAliases,
    .candidate_pattern = "[1-9]\\d{3,8}\\d",
    .lengths = {},
    .examples = kCasrnExamples,
    .ops = kind_ops<kCasrnRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kEuEcNumberSpec = {
    .source_url = "https://echa.europa.eu/information-on-chemicals/ec-inventory",
    .id = "eu.ecnumber",
    .name = "European Community Number",
    .local_name = "European Community Number",
    .abbreviation = "EC",
    .aliases = kEcnumberAliases,
    .candidate_pattern = "[2-9]\\d{6}",
    .lengths = kSeven,
    .examples = kEcnumberExamples,
    .ops = kind_ops<kEcnumberRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
