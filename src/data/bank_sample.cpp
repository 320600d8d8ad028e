#include "data/bank_sample.h"

#include <algorithm>

#include "bank/iban_bank.h"
#include "bank/national_checks.h"

namespace ovd {

namespace {

using ov::IbanCountry;
using ov::SampleRng;

// The class of BBAN position i as the registry publishes it. The layout
// table knows a few countries by length only; of those, Senegal's BBANs
// start with two letters (the country's own, in the codes its banks use).
char kind_at(const IbanCountry& c, std::size_t i) noexcept {
    if (c.code == "SN" && i < 2) return "SN"[i];
    if (!c.tabulated) return 'n';
    return c.kinds[i];
}

bool fits(const IbanCountry& c, std::size_t at, std::string_view code) noexcept {
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char k = kind_at(c, at + i), ch = code[i];
        const bool digit = ch >= '0' && ch <= '9';
        if (k == 'n' && !digit) return false;
        if (k == 'a' && digit) return false;
        if (k == '0' && ch != '0') return false;
        if (k >= 'A' && k <= 'Z' && ch != k) return false;
    }
    return true;
}

void fill(const IbanCountry& c, SampleRng& rng, std::string& bban) {
    const std::size_t n = c.total - 4u;
    bban.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const char k = kind_at(c, i);
        switch (k) {
            case '0': bban[i] = '0'; break;
            case 'n': bban[i] = rng.pick(ov::kSampleDigits); break;
            case 'a': bban[i] = rng.pick(ov::kSampleUpper); break;
            case 'c': bban[i] = rng.pick(ov::kSampleUpperAlnum); break;
            default: bban[i] = k; break;
        }
    }
}

}  // namespace

std::shared_ptr<const BankDraw> make_bank_draw(std::string_view id, std::string_view country,
                                               std::shared_ptr<const ovb::Directory> dir) {
    if (!dir || (id != "iban" && id != "bic")) return nullptr;
    auto d = std::make_shared<BankDraw>();
    const ovb::Directory& D = *dir;
    if (id == "bic") {
        if (!country.empty()) return nullptr;
        std::string_view last;
        for (std::uint32_t i = 0; i < D.rows().size(); ++i) {
            const std::string_view b = D.bic(D.rows()[i]);
            if (!b.empty()) d->bic_rows.push_back(i);
        }
        // One row per distinct BIC.
        std::sort(d->bic_rows.begin(), d->bic_rows.end(),
                  [&D](std::uint32_t a, std::uint32_t b) { return D.bic(D.rows()[a]) < D.bic(D.rows()[b]); });
        d->bic_rows.erase(std::unique(d->bic_rows.begin(), d->bic_rows.end(),
                                      [&D](std::uint32_t a, std::uint32_t b) {
                                          return D.bic(D.rows()[a]) == D.bic(D.rows()[b]);
                                      }),
                          d->bic_rows.end());
        if (d->bic_rows.empty()) return nullptr;
        d->bics = true;
        d->dir = std::move(dir);
        return d;
    }
    for (const IbanCountry& c : ov::iban_countries()) {
        if (!country.empty() && c.code != country) continue;
        BankDraw::Country entry{&c, {}};
        const std::size_t len = D.code_length(c.code);
        std::string_view previous;
        bool first = true;
        for (const ovb::BankRow& r : D.country_rows(c.code)) {
            const std::string_view code = D.code(r);
            if (!first && code == previous) continue;
            first = false;
            previous = code;
            if (code.size() != len || c.bank_begin + len > c.total - 4u || !fits(c, c.bank_begin, code)) continue;
            const ovb::Directory::Bank bank = D.find(c.code, code);
            // German codes whose check method is known: their accounts can be drawn valid.
            if (c.code == "DE" && !ovb::de_method_known(D.method(*bank.named))) continue;
            entry.banks.push_back(static_cast<std::uint32_t>(bank.named - D.rows().data()));
        }
        d->countries.push_back(std::move(entry));
    }
    if (d->countries.empty()) return nullptr;
    d->dir = std::move(dir);
    return d;
}

void draw_bank(const BankDraw& d, SampleRng& rng, std::string& out) {
    const ovb::Directory& D = *d.dir;
    if (d.bics) {
        out.append(D.bic(D.rows()[d.bic_rows[rng.below(static_cast<std::uint32_t>(d.bic_rows.size()))]]));
        return;
    }
    const BankDraw::Country& k = d.countries[rng.below(static_cast<std::uint32_t>(d.countries.size()))];
    const IbanCountry& c = *k.c;
    thread_local std::string bban;
    for (int attempt = 0; attempt < 64; ++attempt) {
        fill(c, rng, bban);
        std::string_view method;
        if (!k.banks.empty()) {
            const ovb::BankRow& r = D.rows()[k.banks[rng.below(static_cast<std::uint32_t>(k.banks.size()))]];
            const std::string_view code = D.code(r);
            bban.replace(c.bank_begin, code.size(), code);
            method = D.method(r);
        }
        if (!ovb::has_national_check(c.code) || ovb::complete_national_check(c.code, bban, method, false)) break;
    }
    const unsigned check = ov::iban_check_digits(c.code, bban);
    out.append(c.code);
    out.push_back(static_cast<char>('0' + check / 10));
    out.push_back(static_cast<char>('0' + check % 10));
    out.append(bban);
}

}  // namespace ovd
