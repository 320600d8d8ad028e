// Sample values drawn from the bank directory: IBANs with real bank codes
// and valid national check digits, and real BICs. Plain C++.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bank/directory.h"
#include "data/sample_rows.h"
#include "validators/core/iban.h"

namespace ovd {

struct BankDraw {
    std::shared_ptr<const ovb::Directory> dir;
    bool bics = false;  // draws BICs, else IBANs
    struct Country {
        const ov::IbanCountry* c;
        std::vector<std::uint32_t> banks;  // the naming row of each bank code that fits the layout
    };
    std::vector<Country> countries;     // IBANs: the countries drawn from
    std::vector<std::uint32_t> bic_rows;  // BICs: one row per distinct BIC
};

// What draws IBANs (of `country`, or of every country when empty) or BICs
// from `dir`; nullptr for another id or no such country.
std::shared_ptr<const BankDraw> make_bank_draw(std::string_view id, std::string_view country,
                                               std::shared_ptr<const ovb::Directory> dir);

// Appends one value to `out`.
void draw_bank(const BankDraw& d, ov::SampleRng& rng, std::string& out);

}  // namespace ovd
