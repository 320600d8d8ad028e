#include "bank/iban_bank.h"

#include <algorithm>

namespace ovb {

namespace {

std::string quoted(std::string_view s) {
    std::string out = "'";
    for (char c : s.substr(0, 40)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || u == '\'' || u == '\\') {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    if (s.size() > 40) out += "...";
    return out + "'";
}

// The text without blanks and hyphens, letters in upper case; false when it
// holds anything but ASCII letters and digits besides.
bool plain(std::string_view in, std::string& out) {
    out.clear();
    for (char c : in) {
        if (c == ' ' || c == '-') continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) return false;
        out.push_back(c);
    }
    return true;
}

std::string_view method_of(const Directory* dir, std::string_view bban) noexcept {
    if (!dir || bban.size() < 8) return {};
    const Directory::Bank b = dir->find("DE", bban.substr(0, 8));
    return b.named ? dir->method(*b.named) : std::string_view();
}

}  // namespace

std::string_view bank_key(const Directory& dir, std::string_view iban, const ov::IbanCountry& c) noexcept {
    std::size_t n = dir.code_length(c.code);
    if (n == 0) n = static_cast<std::size_t>(c.bank_end - c.bank_begin);
    const std::size_t at = 4u + c.bank_begin;
    if (at + n > iban.size()) return {};
    return iban.substr(at, n);
}

IbanBank iban_bank(const Directory* dir, std::string_view iban, const ov::IbanCountry& c) noexcept {
    IbanBank out;
    const std::string_view bban = iban.size() > 4 ? iban.substr(4) : std::string_view();
    if (dir) out.bank = dir->find(c.code, bank_key(*dir, iban, c));
    const std::string_view method = c.code == "DE" && out.bank.named ? dir->method(*out.bank.named) : std::string_view();
    out.national = national_check(c.code, bban, method);
    return out;
}

Built iban_from_account(const Directory* dir, std::string_view country_in, std::string_view bank_in,
                        const std::string_view* branch_in, std::string_view account_in, bool strict) {
    Built r;
    std::string country, bank, branch, account;
    if (!plain(country_in, country) || country.size() != 2 || !ov::iban_country(country)) {
        r.error = "unknown IBAN country " + quoted(country_in);
        return r;
    }
    const ov::IbanCountry& c = *ov::iban_country(country);
    const std::size_t bban_len = c.total - 4u;
    const std::size_t bank_len = c.bank_end - c.bank_begin, branch_len = c.branch_end - c.branch_begin;
    if (!plain(bank_in, bank)) {
        r.error = "bank code " + quoted(bank_in) + " holds characters other than letters and digits";
        return r;
    }
    if (branch_in && !plain(*branch_in, branch)) {
        r.error = "branch code " + quoted(*branch_in) + " holds characters other than letters and digits";
        return r;
    }
    if (!plain(account_in, account)) {
        r.error = "account " + quoted(account_in) + " holds characters other than letters and digits";
        return r;
    }
    // A bank code given with its branch code, as some directories key banks.
    if (branch.empty() && branch_len && c.branch_begin == c.bank_end && bank.size() == bank_len + branch_len) {
        branch = bank.substr(bank_len);
        bank.resize(bank_len);
    }
    if (bank.size() != bank_len) {
        r.error = "a bank code of " + country + " has " + std::to_string(bank_len) + " characters, not " +
                  std::to_string(bank.size());
        return r;
    }
    if (branch_len == 0 && !branch.empty()) {
        r.error = "IBANs of " + country + " have no branch code";
        return r;
    }
    if (branch_len && branch.size() != branch_len) {
        r.error = branch.empty() ? "IBANs of " + country + " need a branch code of " + std::to_string(branch_len) +
                                       " characters"
                                 : "a branch code of " + country + " has " + std::to_string(branch_len) +
                                       " characters, not " + std::to_string(branch.size());
        return r;
    }

    // Where the account goes and which of its characters are separate
    // national check digits that can be computed.
    const std::size_t account_begin = std::max<std::size_t>(c.bank_end, c.branch_end);
    const std::size_t full = bban_len - account_begin;
    const auto keys = check_positions(country, {}, true);
    std::size_t keys_in_account = 0;
    bool compute = false;
    for (std::uint8_t k : keys) {
        if (k >= account_begin) ++keys_in_account;
        else compute = true;  // a check character before the account (Italy's CIN)
    }
    std::string bban(bban_len, '0');
    std::vector<bool> key_at(bban_len, false);
    if (account.size() != full) {
        if (keys_in_account && account.size() <= full - keys_in_account) {
            compute = true;
            for (std::uint8_t k : keys) key_at[k] = true;
            account.insert(0, full - keys_in_account - account.size(), '0');
        } else if (!keys_in_account && account.size() < full) {
            account.insert(0, full - account.size(), '0');
        } else {
            r.error = "an account of " + country + " has at most " + std::to_string(full) + " characters" +
                      (keys_in_account ? " (" + std::to_string(full - keys_in_account) +
                                             " without its national check digits)"
                                       : std::string()) +
                      ", not " + std::to_string(account.size());
            return r;
        }
    }
    for (std::uint8_t k : keys)
        if (k < account_begin) key_at[k] = true;
    std::copy(bank.begin(), bank.end(), bban.begin() + c.bank_begin);
    std::copy(branch.begin(), branch.end(), bban.begin() + c.branch_begin);
    for (std::size_t i = account_begin, a = 0; i < bban_len; ++i)
        if (!key_at[i]) bban[i] = account[a++];

    if (strict && dir && dir->code_length(country) > 0) {
        const std::string iban_like = country + "00" + bban;
        if (!dir->find(country, bank_key(*dir, iban_like, c)).named) {
            r.error = "bank code " + quoted(bank_key(*dir, iban_like, c)) + " of " + country +
                      " is not in the bank directory (strict=False builds the IBAN all the same)";
            return r;
        }
    }
    const std::string_view method = country == "DE" ? method_of(dir, bban) : std::string_view();
    if (compute && !complete_national_check(country, bban, method, true)) {
        r.error = "no national check digits make the account " + quoted(account_in) + " of " + country + " valid";
        return r;
    }
    if (national_check(country, bban, method) == Check::Invalid) {
        r.error = "the national check digits of account " + quoted(account_in) + " of " + country + " are wrong";
        return r;
    }
    const unsigned check = ov::iban_check_digits(country, bban);
    std::string iban = country;
    iban.push_back(static_cast<char>('0' + check / 10));
    iban.push_back(static_cast<char>('0' + check % 10));
    iban += bban;
    if (!ov::iban_judge_compact(iban).country) {
        r.error = "the BBAN " + quoted(bban) + " does not follow the layout of " + country + " IBANs";
        return r;
    }
    r.iban = std::move(iban);
    return r;
}

}  // namespace ovb
