// Trade numbers: `ean` (GS1 GTIN in its EAN-8, UPC-A, EAN-13 and GTIN-14
// forms), `iso6346` (freight containers), `iso11649` (RF creditor
// references) and `imo` (IMO ship identification numbers).
#include "primitives/checkdigits.h"
#include "primitives/mod97.h"
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


// ---- iso6346 ---------------------------------------------------------------
// Owner code (3 letters), category identifier (U, J or Z), serial number (6
// digits) and a check digit: each character's value times 2^position,
// summed modulo 11, then modulo 10 (a remainder of 10 is written 0). Letter
// values start at A = 10 and skip 11, 22 and 33.

struct ContainerValues {
    std::uint8_t value[256] = {};
    constexpr ContainerValues() {
        unsigned v = 10;
        for (char c = 'A'; c <= 'Z'; ++c, ++v) {
            if (v % 11 == 0) ++v;
            value[static_cast<unsigned char>(c)] = static_cast<std::uint8_t>(v);
        }
        for (char d = '0'; d <= '9'; ++d) value[static_cast<unsigned char>(d)] = static_cast<std::uint8_t>(d - '0');
    }
};
constexpr ContainerValues kContainer{};
static_assert(kContainer.value['Z'] == 38, "container letter values must skip 11, 22 and 33");

char container_check_digit(std::string_view first10) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 10; ++i) sum += kContainer.value[static_cast<unsigned char>(first10[i])] << i;
    return static_cast<char>('0' + sum % 11 % 10);
}

ValidationOutcome iso6346_check(std::string_view s) {
    if (s.size() != 11) return fail(ErrorCode::InvalidLength, "Container number must be 11 characters");
    for (std::size_t i = 0; i < 11; ++i)
        if (i < 4 ? !is_upper(s[i]) : !is_digit(s[i]))
            return fail(ErrorCode::InvalidFormat, "Container number must be four letters and seven digits");
    if (s[3] != 'U' && s[3] != 'J' && s[3] != 'Z')
        return fail(ErrorCode::InvalidComponent, "Container category identifier must be U, J or Z");
    if (container_check_digit(s) != s[10])
        return fail(ErrorCode::InvalidChecksum, "Container check digit does not match");
    return ValidationOutcome::success_input(s);
}

// As marked on a container: owner and category, serial, check digit.
std::string iso6346_present(std::string_view s) { return join_at(s, {4, 10}, ' '); }

std::string iso6346_generate() {
    std::string s = random_from(kUpperLetters, 3);
    s.push_back("UJZ"[random_below(3)]);
    s += random_digits(6);
    s.push_back(container_check_digit(s));
    return s;
}

constexpr KindRule kIso6346Rule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = iso6346_check, .present = iso6346_present, .generate = iso6346_generate,
};

constexpr std::string_view kIso6346Aliases[] = {"container number", "ISO 6346", "BIC code", "unit number"};
// ISO 6346's worked example (CSQU 305438 3) and BIC's sample (BICU 123456 5).
constexpr std::string_view kIso6346Examples[] = {"CSQU3054383", "BICU1234565"};
constexpr std::uint64_t kIso6346Lengths[] = {11};

// ---- iso11649 --------------------------------------------------------------
// "RF", two check digits and a reference of 1 to 21 letters or digits; the
// reference followed by "RF" and the check digits leaves remainder 1 under
// ISO 7064 MOD 97-10. The check digits computed that way run from 02 to
// 98, so 00, 01 and 99 (which the remainder alone cannot tell from 97, 98
// and 02) are no check digits.

ValidationOutcome iso11649_check(std::string_view s) {
    if (s.size() < 5 || s.size() > 25)
        return fail(ErrorCode::InvalidLength, "Creditor reference must be 5 to 25 characters");
    if (!s.starts_with("RF") || !is_digit(s[2]) || !is_digit(s[3]) || !all_upper_alnum(s.substr(4)))
        return fail(ErrorCode::InvalidFormat, "Creditor reference must be RF, two check digits and letters or digits");
    const std::string_view digits = s.substr(2, 2);
    bool bad = false;  // the shape test above leaves no other character
    if (mod97_10_padded(s.substr(4), s.substr(0, 4), bad) != 1 || digits == "00" || digits == "01" ||
        digits == "99")
        return fail(ErrorCode::InvalidChecksum, "Creditor reference check digits do not match");
    return ValidationOutcome::success_input(s);
}

std::string iso11649_present(std::string_view s) { return join_at(s, {4, 8, 12, 16, 20, 24}, ' '); }

std::string iso11649_generate() {
    const std::string reference = random_from(kUpperAlnum, 1 + random_below(21));
    return "RF" + *mod97_10_check_digits(reference + "RF") + reference;
}

constexpr KindRule kIso11649Rule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = iso11649_check, .present = iso11649_present, .generate = iso11649_generate,
};

constexpr std::string_view kIso11649Aliases[] = {"RF creditor reference", "creditor reference", "RF reference",
                                                 "structured creditor reference"};
// ISO 11649's example, RF18 5390 0754 7034, with and without leading zeros.
constexpr std::string_view kIso11649Examples[] = {"RF18539007547034", "RF18000000000539007547034"};

// ---- imo -------------------------------------------------------------------
// "IMO" and seven digits; the first six weighted 7 down to 2 sum to the
// check digit modulo 10. Compact drops the letters, format restores them.

char imo_check_digit(std::string_view first6) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 6; ++i) sum += static_cast<unsigned>(first6[i] - '0') * static_cast<unsigned>(7 - i);
    return static_cast<char>('0' + sum % 10);
}

ValidationOutcome imo_check(std::string_view s) {
    if (s.size() != 7) return fail(ErrorCode::InvalidLength, "IMO number must be 7 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "IMO number must contain only digits");
    if (imo_check_digit(s) != s[6])
        return fail(ErrorCode::InvalidChecksum, "IMO number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string imo_present(std::string_view s) { return "IMO " + std::string(s); }

std::string imo_generate() {
    std::string s = random_digits(6);
    s.push_back(imo_check_digit(s));
    return s;
}

constexpr KindRule kImoRule = {
    .separators = " -", .upper = true, .prefix = "IMO",
    .check = imo_check, .present = imo_present, .generate = imo_generate,
};

constexpr std::string_view kImoAliases[] = {"IMO", "IMO number", "IMO ship identification number"};
constexpr std::string_view kImoExamples[] = {"9074729", "9176187"};
constexpr std::uint64_t kImoLengths[] = {7};

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

namespace ov::extended {

const ValidatorSpec kIso6346Spec = {
    .source_url = "https://www.bic-code.org/",
    .id = "iso6346",
    .name = "Freight Container Number",
    .local_name = "Freight Container Number",
    .abbreviation = "ISO 6346",
    .aliases = kIso6346Aliases,
    .candidate_pattern = "[A-Z]{3}[UJZ]\\d{7}",
    .lengths = kIso6346Lengths,
    .examples = kIso6346Examples,
    .ops = kind_ops<kIso6346Rule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kIso11649Spec = {
    .source_url = "https://www.iso.org/standard/50649.html",
    .id = "iso11649",
    .name = "Structured Creditor Reference",
    .local_name = "Structured Creditor Reference",
    .abbreviation = "RF",
    .aliases = kIso11649Aliases,
    .candidate_pattern = "RF\\d{2}[A-Z0-9]{1,21}",
    .lengths = {},
    .examples = kIso11649Examples,
    .ops = kind_ops<kIso11649Rule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kImoSpec = {
    .source_url = "https://www.imo.org/en/OurWork/MSAS/Pages/IMO-identification-number-scheme.aspx",
    .id = "imo",
    .name = "IMO Ship Identification Number",
    .local_name = "IMO Ship Identification Number",
    .abbreviation = "IMO",
    .aliases = kImoAliases,
    .candidate_pattern = "\\d{7}",
    .lengths = kImoLengths,
    .examples = kImoExamples,
    .ops = kind_ops<kImoRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
