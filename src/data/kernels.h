// Columnar results of the data functions, in the Arrow layout of
// src/columns (exported by its code, without a copy). Plain C++; run
// without the interpreter lock.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "bank/directory.h"
#include "columns/input.h"
#include "columns/output.h"
#include "data/sampler.h"
#include "validators/core/iban.h"

namespace ovd {

// The pieces of a valid IBAN as positions in its compact text: [begin, end).
struct IbanSplit {
    std::uint8_t bank_begin, bank_end, branch_begin, branch_end, account_begin, size;
};

// The split of a compact text that the IBAN validator accepted.
IbanSplit split_iban(std::string_view compact) noexcept;
IbanSplit split_iban(const ov::IbanCountry& country, std::size_t size) noexcept;

// A utf8 column of n values drawn with `plan` from `seed`. Throws
// std::bad_alloc when the buffers cannot be allocated.
ovc::Output sample_column(const Plan& plan, std::uint64_t seed, std::int64_t n);

// Bytes the column of n values needs at most (buffers and offsets), or
// nothing when that does not fit in 64 bits.
std::optional<std::uint64_t> sample_column_bytes(const Plan& plan, std::uint64_t n) noexcept;

// A struct column {country, check_digits, bban, bank_code, branch_code,
// account, bank_name, bank_short_name, bic: utf8; national_check: bool};
// the row is null where the value is null or not a valid IBAN, branch_code
// where the country has none, the bank fields where `banks` (may be
// nullptr) does not know the bank, national_check where the country has no
// national check digits.
ovc::Output iban_parts_column(const ovc::ColumnInput& input, const ovb::Directory* banks);

}  // namespace ovd
