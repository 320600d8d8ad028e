// The bank behind a valid IBAN (through the bank directory), its national
// check, and an IBAN built from domestic account data. Plain C++.
#pragma once

#include <string>
#include <string_view>

#include "bank/directory.h"
#include "bank/national_checks.h"
#include "validators/core/iban.h"

namespace ovb {

// The directory's key for the bank of a compact IBAN: the code at the
// registry's bank position, as long as the directory's codes of the country.
std::string_view bank_key(const Directory& dir, std::string_view iban, const ov::IbanCountry& c) noexcept;

struct IbanBank {
    Directory::Bank bank;  // bank.named nullptr: not in the directory
    Check national = Check::None;
};

// The bank and national check of a valid compact IBAN of country `c`;
// `dir` may be nullptr (no bank, and German accounts unchecked).
IbanBank iban_bank(const Directory* dir, std::string_view iban, const ov::IbanCountry& c) noexcept;

// An IBAN from domestic data. `account` is the rest of the BBAN after the
// bank and branch codes; where the country has separate national check
// digits (a key) the account may leave them out and they are computed; an
// account shorter than that is padded with leading zeros. Blanks and
// hyphens are ignored, letters taken in any case. `strict`: a bank code
// the directory does not know (in a country it covers) is an error.
struct Built {
    std::string iban;           // empty on error
    std::string error;  // why not
};
Built iban_from_account(const Directory* dir, std::string_view country, std::string_view bank_code,
                        const std::string_view* branch_code, std::string_view account, bool strict);

}  // namespace ovb
