// Numbers of Asia: Indonesia's population number, Israel's company number,
// India's voter card and virtual id, Oman's VAT number and Thailand's
// personal and company numbers.
#include <array>

#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/world/rules.h"

namespace ov::world {

namespace {

using extended::fail;
using extended::join_at;
using extended::kind_ops;
using extended::KindRule;
using extended::kUpperLetters;
using extended::random_from;

// ---- id.nik ------------------------------------------------------------------
// Sixteen digits: province, regency and district of registration (2 each),
// date of birth DDMMYY (40 added to the day for women) and a four-digit
// serial. The province is one of the ministry's codes, the new Papuan
// provinces of 2022 included.

constexpr std::uint8_t kNikProvinces[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 31, 32, 33, 34, 35, 36, 51,
                                          52, 53, 61, 62, 63, 64, 65, 71, 72, 73, 74, 75, 76, 81, 82, 91, 92,
                                          93, 94, 95, 96};

// The same codes as bits of two 64-bit words, for the check.
constexpr std::array<std::uint64_t, 2> kNikProvinceBits = [] {
    std::array<std::uint64_t, 2> bits{};
    for (std::uint8_t p : kNikProvinces) bits[p / 64] |= std::uint64_t{1} << (p % 64);
    return bits;
}();

ValidationOutcome nik_check(std::string_view s) {
    if (s.size() != 16) return fail(ErrorCode::InvalidLength, "NIK must be 16 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "NIK must contain only digits");
    const int province = two_digits(s, 0);
    if (!((kNikProvinceBits[province / 64] >> (province % 64)) & 1))
        return fail(ErrorCode::InvalidComponent, "NIK province code is not assigned");
    int day = two_digits(s, 6);
    if (day > 40) day -= 40;
    if (!two_digit_year_date(day, two_digits(s, 8), two_digits(s, 10)))
        return fail(ErrorCode::InvalidComponent, "NIK date of birth is not a date");
    return ValidationOutcome::success_input(s);
}

std::string nik_generate() {
    const int province = kNikProvinces[random_below(std::size(kNikProvinces))];
    std::string date = random_ddmmyy();
    if (random_below(2) == 0) date[0] = static_cast<char>(date[0] + 4);  // women: day + 40
    return cat({std::to_string(province), random_digits(4), date, random_digits(4)});
}

constexpr KindRule kNikRule = {
    .separators = " -.", .upper = false, .prefix = {},
    .check = nik_check, .present = nullptr, .generate = nik_generate,
};

// ---- il.hp -------------------------------------------------------------------
// Nine digits, the first a 5 (the first two give the kind of corporation),
// with the Luhn check digit of Israeli identity numbers.

constexpr LuhnNumber kHp = {9, "5", "Israeli company number must be 9 digits",
                            "Israeli company number must contain only digits",
                            "Israeli company number must start with 5",
                            "Israeli company number check digit does not match"};
ValidationOutcome hp_check(std::string_view s) { return check_luhn_number(s, kHp); }

std::string hp_generate() { return generate_luhn_number(kHp); }

constexpr KindRule kHpRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = hp_check, .present = nullptr, .generate = hp_generate,
};

// ---- in.epic -----------------------------------------------------------------
// Ten characters: the constituency's three-letter serial (FUSN), six digits
// and a Luhn check digit over the seven digits.

ValidationOutcome epic_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "EPIC number must be 10 characters");
    if (!is_upper(s[0]) || !is_upper(s[1]) || !is_upper(s[2]) || !all_digits(s.substr(3)))
        return fail(ErrorCode::InvalidFormat, "EPIC number must be three letters and seven digits");
    if (!luhn_valid(s.substr(3))) return fail(ErrorCode::InvalidChecksum, "EPIC number check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string epic_generate() {
    std::string digits = random_digits(6);
    digits.push_back(luhn_check_digit(digits));
    return cat({random_from(kUpperLetters, 3), digits});
}

constexpr KindRule kEpicRule = {
    .separators = " -/", .upper = true, .prefix = {},
    .check = epic_check, .present = nullptr, .generate = epic_generate,
};

// ---- in.vid ------------------------------------------------------------------
// Sixteen digits mapped to an Aadhaar number: never starting with 0 or 1,
// never a palindrome, the last a Verhoeff check digit.

bool palindrome(std::string_view s) noexcept {
    for (std::size_t i = 0, j = s.size(); i < j--; ++i)
        if (s[i] != s[j]) return false;
    return true;
}

ValidationOutcome vid_check(std::string_view s) {
    if (s.size() != 16) return fail(ErrorCode::InvalidLength, "VID must be 16 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "VID must contain only digits");
    if (s[0] < '2') return fail(ErrorCode::InvalidComponent, "VID must not start with 0 or 1");
    if (palindrome(s)) return fail(ErrorCode::InvalidComponent, "VID must not be a palindrome");
    if (!verhoeff_valid(s)) return fail(ErrorCode::InvalidChecksum, "VID check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string vid_present(std::string_view s) { return join_at(s, {4, 8, 12}, ' '); }

std::string vid_generate() {
    for (;;) {
        std::string s = random_digits_from("23456789", 15) + "0";
        for (char c = '0'; c <= '9'; ++c) {
            s.back() = c;
            if (verhoeff_valid(s)) break;
        }
        if (!palindrome(s)) return s;
    }
}

constexpr KindRule kVidRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = vid_check, .present = vid_present, .generate = vid_generate,
};

// ---- om.vat ------------------------------------------------------------------
// The VAT registration number: OM and ten digits. The tax authority
// publishes no check digit; compaction drops the country code.

ValidationOutcome om_vat_check(std::string_view s) {
    if (s.size() != 10) return fail(ErrorCode::InvalidLength, "Omani VAT number must be OM and 10 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Omani VAT number must be OM and 10 digits");
    return ValidationOutcome::success_input(s);
}

std::string om_vat_present(std::string_view s) { return cat({"OM", s}); }

std::string om_vat_generate() { return random_digits_from("1", 10); }

constexpr KindRule kOmVatRule = {
    .separators = " -", .upper = true, .prefix = "OM",
    .check = om_vat_check, .present = om_vat_present, .generate = om_vat_generate,
};

// ---- th.pin and th.moa -----------------------------------------------------
// Thirteen digits, the last a check digit: weights 13 down to 2, and 11
// minus the sum modulo 11, read modulo 10. Personal numbers start with 1
// to 8 (the kind of registration); company numbers issued by the
// Department of Business Development start with 0.

int th_check(std::string_view s) noexcept {
    return (11 - weighted_digits(s, {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}) % 11) % 10;
}

template <bool Company>
ValidationOutcome th_check_op(std::string_view s) {
    if (s.size() != 13)
        return fail(ErrorCode::InvalidLength, Company ? "Thai MOA number must be 13 digits" : "Thai PIN must be 13 digits");
    if (!all_digits(s))
        return fail(ErrorCode::InvalidFormat, Company ? "Thai MOA number must contain only digits" : "Thai PIN must contain only digits");
    if (Company ? s[0] != '0' : (s[0] == '0' || s[0] == '9'))
        return fail(ErrorCode::InvalidComponent, Company ? "Thai MOA number must start with 0" : "Thai PIN must start with 1 to 8");
    if (th_check(s) != s[12] - '0')
        return fail(ErrorCode::InvalidChecksum, Company ? "Thai MOA number check digit does not match" : "Thai PIN check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string th_pin_present(std::string_view s) { return join_at(s, {1, 5, 10, 12}, '-'); }
std::string th_moa_present(std::string_view s) { return join_at(s, {1, 3, 4, 7, 12}, '-'); }

std::string th_generate(std::string_view first) {
    std::string s = random_digits_from(first, 12);
    s.push_back(static_cast<char>('0' + th_check(s)));
    return s;
}
std::string th_pin_generate() { return th_generate("12345678"); }
std::string th_moa_generate() { return th_generate("0"); }

constexpr KindRule kThPinRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = th_check_op<false>, .present = th_pin_present, .generate = th_pin_generate,
};
constexpr KindRule kThMoaRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = th_check_op<true>, .present = th_moa_present, .generate = th_moa_generate,
};

// ---- metadata ------------------------------------------------------------------

constexpr std::string_view kNikAliases[] = {"NIK", "Nomor Induk Kependudukan", "KTP", "nomor KTP", "Population Identification Number"};
constexpr std::string_view kNikExamples[] = {"3171011708450001", "3171015708450001"};
constexpr std::uint64_t kNikLengths[] = {16};

constexpr std::string_view kHpAliases[] = {"ח.פ.", "ח.פ", "מספר חברה", "company number", "H.P."};
constexpr std::string_view kHpExamples[] = {"516179157", "520000472"};
constexpr std::uint64_t kHpLengths[] = {9};

constexpr std::string_view kEpicAliases[] = {"EPIC", "Voter ID", "EPIC number", "Electoral Photo Identity Card", "मतदाता पहचान पत्र"};
constexpr std::string_view kEpicExamples[] = {"WKH1186253", "ABC1234566"};
constexpr std::uint64_t kEpicLengths[] = {10};

constexpr std::string_view kVidAliases[] = {"VID", "Virtual ID", "Aadhaar Virtual ID", "Aadhaar VID"};
constexpr std::string_view kVidExamples[] = {"2341 2341 2341 2341", "9999 8888 7777 6668"};
constexpr std::uint64_t kVidLengths[] = {16};

constexpr std::string_view kOmVatAliases[] = {"VATIN", "VAT number", "VAT registration number", "رقم التسجيل الضريبي"};
constexpr std::string_view kOmVatExamples[] = {"OM1100001234", "OM 1100 0000 98"};
constexpr std::uint64_t kOmVatLengths[] = {10};

constexpr std::string_view kThPinAliases[] = {"PIN", "Personal Identification Number", "Thai ID", "เลขประจำตัวประชาชน"};
constexpr std::string_view kThPinExamples[] = {"3100600445635", "1-2345-45678-78-1"};
constexpr std::uint64_t kThPinLengths[] = {13};

constexpr std::string_view kThMoaAliases[] = {"MOA", "Memorandum of Association Number", "company tax ID", "เลขทะเบียนนิติบุคคล"};
constexpr std::string_view kThMoaExamples[] = {"0994000617721", "0-10-5-536-11201-4"};
constexpr std::uint64_t kThMoaLengths[] = {13};

}  // namespace

const ValidatorSpec kIdNikSpec = {
    .source_url = "https://dukcapil.kemendagri.go.id/",
    .id = "id.nik", .name = "Indonesian Population Identification Number", .local_name = "Nomor Induk Kependudukan",
    .abbreviation = "NIK", .aliases = kNikAliases, .candidate_pattern = "[1-9]\\d{15}",
    .lengths = kNikLengths, .examples = kNikExamples, .ops = kind_ops<kNikRule>(),
    .country = country("ID"), .entity = EntityType::Person,
};

const ValidatorSpec kIlHpSpec = {
    .source_url = "https://www.gov.il/he/departments/corporations_authority",
    .id = "il.hp", .name = "Israeli Company Number", .local_name = "מספר חברה",
    .abbreviation = "ח.פ.", .aliases = kHpAliases, .candidate_pattern = "5\\d{8}",
    .lengths = kHpLengths, .examples = kHpExamples, .ops = kind_ops<kHpRule>(),
    .country = country("IL"), .entity = EntityType::Company,
};

const ValidatorSpec kInEpicSpec = {
    .source_url = "https://eci.gov.in/",
    .id = "in.epic", .name = "Indian Voter ID Number", .local_name = "Electoral Photo Identity Card Number",
    .abbreviation = "EPIC", .aliases = kEpicAliases, .candidate_pattern = "[A-Z]{3}\\d{7}",
    .lengths = kEpicLengths, .examples = kEpicExamples, .ops = kind_ops<kEpicRule>(),
    .country = country("IN"), .entity = EntityType::Person,
};

const ValidatorSpec kInVidSpec = {
    .source_url = "https://uidai.gov.in/images/resource/UIDAI_Circular_11012018.pdf",
    .id = "in.vid", .name = "Indian Virtual ID", .local_name = "Aadhaar Virtual ID",
    .abbreviation = "VID", .aliases = kVidAliases, .candidate_pattern = "[2-9]\\d{15}",
    .lengths = kVidLengths, .examples = kVidExamples, .ops = kind_ops<kVidRule>(),
    .country = country("IN"), .entity = EntityType::Person,
};

const ValidatorSpec kOmVatSpec = {
    .source_url = "https://tms.taxoman.gov.om/",
    .id = "om.vat", .name = "Omani VAT Number", .local_name = "VAT Identification Number",
    .abbreviation = "VATIN", .aliases = kOmVatAliases, .candidate_pattern = "OM\\d{10}",
    .lengths = kOmVatLengths, .examples = kOmVatExamples, .ops = kind_ops<kOmVatRule>(),
    .country = country("OM"), .entity = EntityType::Company,
};

const ValidatorSpec kThMoaSpec = {
    .source_url = "https://www.dbd.go.th/",
    .id = "th.moa", .name = "Thai Company Registration Number", .local_name = "เลขทะเบียนนิติบุคคล",
    .abbreviation = "MOA", .aliases = kThMoaAliases, .candidate_pattern = "0\\d{12}",
    .lengths = kThMoaLengths, .examples = kThMoaExamples, .ops = kind_ops<kThMoaRule>(),
    .country = country("TH"), .entity = EntityType::Company,
};

const ValidatorSpec kThPinSpec = {
    .source_url = "https://www.bora.dopa.go.th/",
    .id = "th.pin", .name = "Thai Personal Identification Number", .local_name = "เลขประจำตัวประชาชน",
    .abbreviation = "PIN", .aliases = kThPinAliases, .candidate_pattern = "[1-8]\\d{12}",
    .lengths = kThPinLengths, .examples = kThPinExamples, .ops = kind_ops<kThPinRule>(),
    .country = country("TH"), .entity = EntityType::Person,
};

}  // namespace ov::world
