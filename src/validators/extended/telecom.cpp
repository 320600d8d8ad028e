// Telecom and device numbers: `imei` (IMEI and IMEISV, 3GPP TS 23.003),
// `meid` (3GPP2 S.R0048), `imsi` (ITU-T E.212) and `mac` (IEEE EUI-48).
#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/extended/records.h"

namespace ov::extended {

namespace {

// ---- imei ------------------------------------------------------------------
// IMEI: type allocation code (8 digits), serial (6) and a Luhn check digit.
// IMEISV: the same 14 digits and a two-digit software version, no check;
// version 99 is reserved.

ValidationOutcome imei_check(std::string_view s) {
    if (s.size() != 15 && s.size() != 16)
        return fail(ErrorCode::InvalidLength, "IMEI must be 15 digits (IMEISV 16)");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "IMEI must contain only digits");
    if (s.size() == 16) {
        if (s.substr(14) == "99")
            return fail(ErrorCode::InvalidComponent, "IMEISV software version 99 is reserved");
        return ValidationOutcome::success_input(s);
    }
    if (!luhn_valid(s)) return fail(ErrorCode::InvalidChecksum, "IMEI check digit does not match");
    return ValidationOutcome::success_input(s);
}

// Type allocation code, serial number, then check digit or software version.
std::string imei_present(std::string_view s) { return join_at(s, {8, 14}, '-'); }

std::string imei_generate() {
    std::string s = random_digits(14);
    if (random_below(2) == 0) {
        s.push_back(luhn_check_digit(s));
    } else {
        const auto version = random_below(99);  // 00 to 98
        s.push_back(static_cast<char>('0' + version / 10));
        s.push_back(static_cast<char>('0' + version % 10));
    }
    return s;
}

constexpr KindRule kImeiRule = {
    .separators = " -/.", .upper = false, .prefix = {},
    .check = imei_check, .present = imei_present, .generate = imei_generate,
};

constexpr std::string_view kImeiAliases[] = {"IMEI", "IMEISV", "International Mobile Equipment Identity"};
constexpr std::string_view kImeiExamples[] = {"490154203237518", "352099001761481", "3520990017614823"};
constexpr std::uint64_t kImeiLengths[] = {15, 16};


// ---- meid ------------------------------------------------------------------
// 56 bits: a regional code (A0 to FF; lower values belong to IMEIs), a
// manufacturer code (24 bits) and a serial number (24 bits). Written as 14
// hexadecimal digits, optionally followed by a check digit (the Luhn rule
// carried out in base 16), or in decimal as the manufacturer part (the
// first 32 bits, 10 digits) and the serial (8 digits).

constexpr unsigned hex_value(char c) noexcept {
    return is_digit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(c - 'A' + 10);
}

char meid_check_digit(std::string_view hex14) noexcept {
    unsigned sum = 0;
    bool twice = true;  // the rightmost digit of the payload is doubled
    for (std::size_t i = hex14.size(); i-- > 0; twice = !twice) {
        const unsigned d = hex_value(hex14[i]) * (twice ? 2u : 1u);
        sum += d / 16 + d % 16;
    }
    return kUpperHex[(16 - sum % 16) % 16];
}

// A decimal field's value; the callers pass at most 10 digits.
std::uint64_t decimal_value(std::string_view digits) noexcept {
    std::uint64_t v = 0;
    for (char c : digits) v = v * 10 + static_cast<unsigned>(c - '0');
    return v;
}

ValidationOutcome meid_check(std::string_view s) {
    if (s.size() != 14 && s.size() != 15 && s.size() != 18)
        return fail(ErrorCode::InvalidLength, "MEID must be 14 or 15 hexadecimal digits or 18 decimal digits");
    if (s.size() == 18) {
        if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "Decimal MEID must contain only digits");
        const std::uint64_t manufacturer = decimal_value(s.substr(0, 10));
        if (manufacturer < 0xA0000000u || manufacturer > 0xFFFFFFFFu)
            return fail(ErrorCode::InvalidComponent, "MEID regional code must be A0 to FF");
        if (decimal_value(s.substr(10)) > 0xFFFFFFu)
            return fail(ErrorCode::InvalidComponent, "Decimal MEID serial number is out of range");
        return ValidationOutcome::success_input(s);
    }
    if (!all_hex_upper(s)) return fail(ErrorCode::InvalidFormat, "MEID must contain only hexadecimal digits");
    if (s[0] < 'A') return fail(ErrorCode::InvalidComponent, "MEID regional code must be A0 to FF");
    if (s.size() == 15 && meid_check_digit(s.substr(0, 14)) != s[14])
        return fail(ErrorCode::InvalidChecksum, "MEID check digit does not match");
    return ValidationOutcome::success_input(s);
}

std::string meid_generate() {
    std::string s = random_from("ABCDEF", 1) + random_from(kUpperHex, 13);
    switch (random_below(3)) {
        case 0:
            return s;
        case 1:
            s.push_back(meid_check_digit(s));
            return s;
        default: {
            std::uint64_t manufacturer = 0, serial = 0;
            for (std::size_t i = 0; i < 8; ++i) manufacturer = manufacturer * 16 + hex_value(s[i]);
            for (std::size_t i = 8; i < 14; ++i) serial = serial * 16 + hex_value(s[i]);
            std::string m = std::to_string(manufacturer), n = std::to_string(serial);
            return std::string(10 - m.size(), '0') + m + std::string(8 - n.size(), '0') + n;
        }
    }
}

constexpr KindRule kMeidRule = {
    .separators = " -", .upper = true, .prefix = {},
    .check = meid_check, .present = nullptr, .generate = meid_generate,
};

constexpr std::string_view kMeidAliases[] = {"MEID", "Mobile Equipment Identifier"};
// 3GPP2's example MEID AF 01 23 45 0A BC DE, with its check digit C, and its
// decimal form.
constexpr std::string_view kMeidExamples[] = {"AF0123450ABCDE", "AF0123450ABCDEC", "293608736500703710"};
constexpr std::uint64_t kMeidLengths[] = {14, 15, 18};

// ---- imsi ------------------------------------------------------------------
// Mobile country code (3 digits), network code (2 or 3) and subscriber
// number, 15 digits at most. The network code's length depends on the
// country's numbering plan, so only the shape and length are checked and
// the number is shown compact.

ValidationOutcome imsi_check(std::string_view s) {
    if (s.size() < 6 || s.size() > 15) return fail(ErrorCode::InvalidLength, "IMSI must be 6 to 15 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "IMSI must contain only digits");
    return ValidationOutcome::success_input(s);
}

std::string imsi_generate() { return random_digits(6 + random_below(10)); }

constexpr KindRule kImsiRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = imsi_check, .present = nullptr, .generate = imsi_generate,
};

constexpr std::string_view kImsiAliases[] = {"IMSI", "International Mobile Subscriber Identity"};
// 3GPP TS 23.003's example subscriber (MCC 234, MNC 15) and a US one.
constexpr std::string_view kImsiExamples[] = {"234150999999999", "310150123456789"};
constexpr std::uint64_t kImsiLengths[] = {14, 15};

// ---- mac -------------------------------------------------------------------
// An EUI-48 in any of its usual text forms (AC-DE-48-23-45-67,
// ac:de:48:23:45:67, acde.4823.4567); compact keeps the 12 hexadecimal
// digits in capitals, format gives IEEE's hyphenated form.

ValidationOutcome mac_check(std::string_view s) {
    if (s.size() != 12) return fail(ErrorCode::InvalidLength, "MAC address must be 12 hexadecimal digits");
    if (!all_hex_upper(s)) return fail(ErrorCode::InvalidFormat, "MAC address must contain only hexadecimal digits");
    return ValidationOutcome::success_input(s);
}

std::string mac_present(std::string_view s) { return join_at(s, {2, 4, 6, 8, 10}, '-'); }

std::string mac_generate() { return random_from(kUpperHex, 12); }

constexpr KindRule kMacRule = {
    .separators = " -:.", .upper = true, .prefix = {},
    .check = mac_check, .present = mac_present, .generate = mac_generate,
};

constexpr std::string_view kMacAliases[] = {"MAC", "MAC address", "EUI-48", "hardware address"};
// IEEE's own examples of an EUI-48.
constexpr std::string_view kMacExamples[] = {"ACDE48234567", "ACDE48000080"};
constexpr std::uint64_t kMacLengths[] = {12};

}  // namespace

const ValidatorSpec kImeiSpec = {
    .source_url = "https://www.3gpp.org/dynareport/23003.htm",
    .id = "imei",
    .name = "International Mobile Equipment Identity",
    .local_name = "International Mobile Equipment Identity",
    .abbreviation = "IMEI",
    .aliases = kImeiAliases,
    .candidate_pattern = "\\d{15,16}",
    .lengths = kImeiLengths,
    .examples = kImeiExamples,
    .ops = kind_ops<kImeiRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended

namespace ov::extended {

const ValidatorSpec kMeidSpec = {
    .source_url = "https://www.3gpp2.org/",
    .id = "meid",
    .name = "Mobile Equipment Identifier",
    .local_name = "Mobile Equipment Identifier",
    .abbreviation = "MEID",
    .aliases = kMeidAliases,
    .candidate_pattern = "[A-F][0-9A-F]{13,14}|\\d{18}",
    .lengths = kMeidLengths,
    .examples = kMeidExamples,
    .ops = kind_ops<kMeidRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kImsiSpec = {
    .source_url = "https://www.itu.int/rec/T-REC-E.212",
    .id = "imsi",
    .name = "International Mobile Subscriber Identity",
    .local_name = "International Mobile Subscriber Identity",
    .abbreviation = "IMSI",
    .aliases = kImsiAliases,
    .candidate_pattern = "\\d{6,15}",
    .lengths = kImsiLengths,
    .examples = kImsiExamples,
    .ops = kind_ops<kImsiRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

const ValidatorSpec kMacSpec = {
    .source_url = "https://standards.ieee.org/products-programs/regauth/",
    .id = "mac",
    .name = "MAC Address",
    .local_name = "MAC Address",
    .abbreviation = "MAC",
    .aliases = kMacAliases,
    .candidate_pattern = "[0-9A-F]{12}",
    .lengths = kMacLengths,
    .examples = kMacExamples,
    .ops = kind_ops<kMacRule>(),
    .country = kGlobal,
    .entity = EntityType::Any,
};

}  // namespace ov::extended
