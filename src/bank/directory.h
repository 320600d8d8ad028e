// The bank directory: for each country and national bank code (as it stands
// in the BBAN), the bank's names, its BICs and, in Germany, the check method
// of its account numbers. Read from a tab-separated file (one header line
// naming the columns country, bank_code, bic, name and optionally
// short_name, primary, de_check_method; `#` lines before it are comments, of
// which `# source:` and `# snapshot:` are kept). The text is kept whole and
// rows point into it, so that a directory costs little more than its file.
// Plain C++.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

struct BankRow {
    std::uint32_t line;  // 1-based line in the file
    std::uint32_t code, bic, name, short_name;  // offsets into the text
    std::uint16_t name_len, short_len;          // short_len 0: the same as the name
    std::uint8_t code_len, bic_len;
    char country[2];
    char method[2];  // German check method, or two NULs
    bool primary;
};

class Directory {
public:
    // The directory in `text`; nullptr with `error` set ("line N: why") when
    // the text is malformed. May throw std::bad_alloc.
    static std::shared_ptr<const Directory> parse(std::string text, std::string& error);
    // The same from a file; `error` also tells when it cannot be read.
    static std::shared_ptr<const Directory> read_file(const char* path, std::string& error);

    std::string_view text(std::uint32_t at, std::size_t n) const noexcept { return {text_.data() + at, n}; }
    std::string_view country(const BankRow& r) const noexcept { return {r.country, 2}; }
    std::string_view code(const BankRow& r) const noexcept { return text(r.code, r.code_len); }
    std::string_view bic(const BankRow& r) const noexcept { return text(r.bic, r.bic_len); }
    std::string_view name(const BankRow& r) const noexcept { return text(r.name, r.name_len); }
    std::string_view short_name(const BankRow& r) const noexcept {
        return r.short_len ? text(r.short_name, r.short_len) : name(r);
    }
    std::string_view method(const BankRow& r) const noexcept {
        return r.method[0] ? std::string_view(r.method, 2) : std::string_view();
    }

    // What a bank code stands for: the row of its BIC (the first primary
    // row with a head-office BIC, else the first primary row with a BIC,
    // else the first row with one; nullptr when none has one) and the row
    // that names the bank (that one, else the first primary row, else the
    // first row).
    struct Bank {
        const BankRow* named = nullptr;
        const BankRow* with_bic = nullptr;
        std::span<const BankRow> rows;
    };
    // nullptr-named when the directory does not know the code.
    Bank find(std::string_view country, std::string_view code) const noexcept;

    // Rows whose BIC is `bic` (8 or 11 characters, upper-case; an 8-character
    // BIC and its 11-character form ending in XXX are the same), in file order.
    std::vector<const BankRow*> by_bic(std::string_view bic) const;

    // Every row of a country, sorted by bank code.
    std::span<const BankRow> country_rows(std::string_view country) const noexcept;
    bool has_country(std::string_view country) const noexcept { return !country_rows(country).empty(); }

    // The length of the country's bank codes (the most common one), 0 when
    // the directory has none for it. Some directories key a bank by more
    // than the registry's bank identifier (Slovenia's by bank and branch).
    std::size_t code_length(std::string_view country) const noexcept;

    std::size_t size() const noexcept { return rows_.size(); }
    std::span<const BankRow> rows() const noexcept { return rows_; }
    const std::string& source() const noexcept { return source_; }
    const std::string& snapshot() const noexcept { return snapshot_; }
    // Bytes held: text, rows and indexes.
    std::size_t memory() const noexcept;

private:
    struct Group {
        std::uint32_t first, count, named, with_bic;  // with_bic UINT32_MAX: none
    };
    std::string text_;
    std::string source_, snapshot_;
    std::vector<BankRow> rows_;         // sorted by country, code, line
    std::vector<Group> groups_;         // one per country and code
    std::vector<std::uint32_t> slots_;  // hash of country and code -> group + 1
    std::vector<std::uint32_t> bics_;   // rows with a BIC, sorted by BIC then line
    std::uint8_t code_length_[26 * 26] = {};
};

}  // namespace ovb
