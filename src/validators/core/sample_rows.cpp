// Sampling rows of the core set. IBANs are drawn country by country from
// the layout table, so that every country appears, not only the examples'.
#include "data/sample_rows.h"
#include "validators/core/iban.h"

namespace ov {

namespace {

// A BBAN of the country's classes; the positions of a country known only by
// length get digits, as its published BBANs have. Check digits last.
void append_iban(SampleRng& rng, const IbanCountry& c, std::string& out) {
    const std::size_t start = out.size();
    out.append(c.code);
    out.append("00");
    for (std::size_t i = 0; i + 4 < c.total; ++i) {
        switch (c.kinds[i]) {
            case '0': out.push_back('0'); break;
            case 'a': out.push_back(rng.pick(kSampleUpper)); break;
            case 'c': out.push_back(rng.pick(c.tabulated ? kSampleUpperAlnum : kSampleDigits)); break;
            default: out.push_back(rng.pick(kSampleDigits)); break;
        }
    }
    const unsigned check = iban_check_digits(c.code, std::string_view(out).substr(start + 4));
    out[start + 2] = static_cast<char>('0' + check / 10);
    out[start + 3] = static_cast<char>('0' + check % 10);
}

void draw_iban(SampleRng& rng, std::string_view country, std::string& out) {
    const IbanCountry* c = country.empty() ? nullptr : iban_country(country);
    if (!c) {
        const auto all = iban_countries();
        c = &all[rng.below(static_cast<std::uint32_t>(all.size()))];
    }
    append_iban(rng, *c, out);
}

bool iban_has_country(std::string_view code) { return code.size() == 2 && iban_country(code) != nullptr; }

constexpr SampleRow kRows[] = {
    {.id = "iban", .draw = draw_iban, .max_length = 34, .has_country = iban_has_country},
};

}  // namespace

std::span<const SampleRow> core_sample_rows() noexcept { return kRows; }

}  // namespace ov
