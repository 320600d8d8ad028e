// Trade numbers: `ean` (GS1 GTIN in its EAN-8, UPC-A, EAN-13 and GTIN-14
// forms), `iso6346` (freight containers), `iso11649` (RF creditor
// references) and `imo` (IMO ship identification numbers).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- ean -------------------------------------------------------------------
// Every GTIN length shares the GS1 check digit, whose weights run from the
// right, so a GTIN keeps its check digit when padded with leading zeros.

ValidationOutcome ean_check(std::string_view s) {
    if (s.size() != 8 && s.size() != 12 && s.size() != 13 && s.size() != 14)
        return fail(ErrorCode::InvalidLength, "EAN must be 8, 12, 13 or 14 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "EAN must contain only digits");
    if (gs1_check_digit(s.substr(0, s.size() - 1)) != s.back())
        return fail(ErrorCode::InvalidChecksum, "EAN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string ean_generate() {
    static constexpr std::size_t kLengths[] = {8, 12, 13, 14};
    std::string s = random_digits(kLengths[random_below(4)] - 1);
    s.push_back(gs1_check_digit(s));
    return s;
}

constexpr KindRule kEanRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = ean_check, .present = nullptr, .generate = ean_generate,
};

constexpr std::string_view kEanAliases[] = {"EAN", "EAN-13", "EAN-8", "UPC", "UPC-A", "GTIN", "GTIN-14", "barcode"};
// GS1's check digit example (629104150021 + 3), a common EAN-13, EAN-8 and
// UPC-A, and a GTIN-14 with packaging indicator 1.
constexpr std::string_view kEanExamples[] = {"6291041500213", "4006381333931", "73513537", "036000291452",
                                             "10614141000415"};
constexpr std::uint64_t kEanLengths[] = {8, 12, 13, 14};

}  // namespace

const ValidatorSpec kEanSpec = {
    .source_url = "https://www.gs1.org/services/how-calculate-check-digit-manually",
    .id = "ean",
    .name = "International Article Number",
    .local_name = "International Article Number",
    .abbreviation = "EAN",
    .aliases = kEanAliases,
    .candidate_pattern = "\\d{14}|\\d{13}|\\d{12}|\\d{8}",
    .lengths = kEanLengths,
    .examples = kEanExamples,
    .ops = kind_ops<kEanRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
