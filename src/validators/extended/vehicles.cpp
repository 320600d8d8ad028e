// `vin`: vehicle identification numbers (ISO 3779).
//
// ISO 3779 fixes the alphabet (digits and capital letters without I, O and
// Q) and the length; it leaves position 9 to the manufacturer. North
// America (49 CFR 565, SAE J853) makes position 9 a check character, and a
// VIN shows that rule applies through its world manufacturer identifier:
// first characters 1 to 5 are the North American region. Those VINs must
// carry the check; all others are checked for alphabet and length only,
// since their position 9 may be any character.
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

constexpr std::string_view kVinAlphabet = "0123456789ABCDEFGHJKLMNPRSTUVWXYZ";

// Transliteration of 49 CFR 565.15: letters count 1-9 in runs that skip
// I, O and Q (and S starts again at 2); 0 marks a character a VIN never has.
struct VinValues {
    std::uint8_t value[256] = {};
    bool allowed[256] = {};
    constexpr VinValues() {
        constexpr std::string_view letters = "ABCDEFGHJKLMNPRSTUVWXYZ";
        constexpr std::uint8_t values[] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 7, 9, 2, 3, 4, 5, 6, 7, 8, 9};
        for (std::size_t i = 0; i < letters.size(); ++i) value[static_cast<unsigned char>(letters[i])] = values[i];
        for (char c : kVinAlphabet) allowed[static_cast<unsigned char>(c)] = true;
        for (char d = '0'; d <= '9'; ++d) value[static_cast<unsigned char>(d)] = static_cast<std::uint8_t>(d - '0');
    }
};
constexpr VinValues kVin{};

// Position weights; position 9, the check itself, weighs 0.
constexpr unsigned kVinWeights[17] = {8, 7, 6, 5, 4, 3, 2, 10, 0, 9, 8, 7, 6, 5, 4, 3, 2};

char vin_check_char(std::string_view s) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 17; ++i) sum += kVin.value[static_cast<unsigned char>(s[i])] * kVinWeights[i];
    const unsigned r = sum % 11;
    return r == 10 ? 'X' : static_cast<char>('0' + r);
}

bool north_american(std::string_view s) noexcept { return s[0] >= '1' && s[0] <= '5'; }

ValidationOutcome vin_check(std::string_view s) {
    if (s.size() != 17) return fail(ErrorCode::InvalidLength, "VIN must be 17 characters");
    for (char c : s)
        if (!kVin.allowed[static_cast<unsigned char>(c)])
            return fail(ErrorCode::InvalidFormat, "VIN must contain only digits and capital letters other than I, O and Q");
    if (north_american(s) && vin_check_char(s) != s[8])
        return fail(ErrorCode::InvalidChecksum, "VIN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string vin_generate() {
    std::string s = random_from(kVinAlphabet, 17);
    if (north_american(s)) s[8] = vin_check_char(s);
    return s;
}

constexpr KindRule kVinRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = vin_check, .present = nullptr, .generate = vin_generate,
};

constexpr std::string_view kVinAliases[] = {"VIN", "vehicle identification number", "chassis number", "FIN"};
// NHTSA's worked check-digit example, and one European VIN (no check).
constexpr std::string_view kVinExamples[] = {"1M8GDM9AXKP042788", "1HGCM82633A004352", "WVWZZZ1JZXW000001"};
constexpr std::uint64_t kVinLengths[] = {17};

}  // namespace

const ValidatorSpec kVinSpec = {
    .source_url = "https://www.ecfr.gov/current/title-49/subtitle-B/chapter-V/part-565",
    .id = "vin",
    .name = "Vehicle Identification Number",
    .local_name = "Vehicle Identification Number",
    .abbreviation = "VIN",
    .aliases = kVinAliases,
    .candidate_pattern = "[A-HJ-NPR-Z0-9]{17}",
    .lengths = kVinLengths,
    .examples = kVinExamples,
    .ops = kind_ops<kVinRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
