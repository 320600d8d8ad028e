// `cfi`: Classification of Financial Instruments (ISO 10962), six letters:
// the category, the group within it and four attributes whose meaning
// depends on the group (X where one does not apply). The category and
// group letters are checked; attributes must be letters.
#include <array>

#include "registry/random.h"
#include "validators/crosscut/records.h"
#include "validators/extended/kind.h"

namespace ov::crosscut {

namespace {

using namespace extended;

struct Category {
    char letter;
    std::string_view groups;
};

// The categories of the standard and the groups of each.
constexpr std::array<Category, 14> kCategories = {{
    {'E', "SPCFLDYM"},      // equities
    {'C', "IHBESFPM"},      // collective investment vehicles
    {'D', "BCWTSEGANDMY"},  // debt instruments
    {'R', "ASPWFDM"},       // entitlements (rights)
    {'O', "CPM"},           // listed options
    {'F', "FC"},            // futures
    {'S', "RTECFM"},        // swaps
    {'H', "RTECFM"},        // non-listed and complex listed options
    {'I', "FT"},            // spot
    {'J', "EFCRT"},         // forwards
    {'K', "RTECFYM"},       // strategies
    {'L', "LRS"},           // financing
    {'T', "CTRIBDM"},       // referential instruments
    {'M', "CM"},            // others
}};

const Category* category_of(char c) noexcept {
    for (const Category& k : kCategories)
        if (k.letter == c) return &k;
    return nullptr;
}

ValidationOutcome cfi_check(std::string_view s) {
    if (s.size() != 6) return fail(ErrorCode::InvalidLength, "CFI code must be 6 letters");
    for (char c : s)
        if (!is_upper(c)) return fail(ErrorCode::InvalidFormat, "CFI code must contain only letters");
    const Category* category = category_of(s[0]);
    if (category == nullptr) return fail(ErrorCode::InvalidComponent, "CFI code category is not one of the standard's");
    if (category->groups.find(s[1]) == std::string_view::npos)
        return fail(ErrorCode::InvalidComponent, "CFI code group is not one of its category's");
    return ValidationOutcome::success_input(s);
}

std::string cfi_generate() {
    const Category& k = kCategories[random_below(kCategories.size())];
    std::string s(1, k.letter);
    s.push_back(k.groups[random_below(k.groups.size())]);
    return s + random_from(kUpperLetters, 4);
}

constexpr KindRule kCfiRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = cfi_check, .present = nullptr, .generate = cfi_generate,
};

constexpr std::string_view kCfiAliases[] = {"CFI", "CFI code", "Classification of Financial Instruments"};
// The standard's examples: ordinary shares (voting, free, fully paid,
// registered) and a standardized American call option on a stock.
constexpr std::string_view kCfiExamples[] = {"ESVUFR", "OCASPS"};
constexpr std::uint64_t kSix[] = {6};

}  // namespace

const ValidatorSpec kCfiSpec = {
    .source_url = "https://www.iso.org/standard/81140.html",
    .id = "cfi",
    .name = "Classification of Financial Instruments",
    .local_name = "Classification of Financial Instruments",
    .abbreviation = "CFI",
    .aliases = kCfiAliases,
    .candidate_pattern = "[ECDROFSHIJKLTM][A-Z]{5}",
    .lengths = kSix,
    .examples = kCfiExamples,
    .ops = kind_ops<kCfiRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::crosscut
