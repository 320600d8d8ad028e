// Sampling rows of the core set. IBANs are drawn country by country from
// the layout table, so that every country appears, not only the examples';
// card numbers start as the networks' numbers do.
#include "data/sample_rows.h"
#include "primitives/checkdigits.h"
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

// The issuer prefixes of the card networks (a range of leading numbers of
// `digits` digits) and their usual number length.
struct CardRange {
    unsigned first, last, digits, length;
};
constexpr CardRange kCardRanges[] = {
    {4, 4, 1, 16},          // Visa
    {4, 4, 1, 13},          // Visa, early numbers
    {51, 55, 2, 16},        // Mastercard
    {2221, 2720, 4, 16},    // Mastercard, newer range
    {34, 34, 2, 15},        // American Express
    {37, 37, 2, 15},        // American Express
    {300, 305, 3, 14},      // Diners Club
    {36, 36, 2, 14},        // Diners Club
    {3528, 3589, 4, 16},    // JCB
    {6011, 6011, 4, 16},    // Discover
    {65, 65, 2, 16},        // Discover
    {6759, 6763, 4, 19},    // Maestro
};

// Random digits up to `length` - 1, then the Luhn check digit.
void append_luhn(SampleRng& rng, std::string& out, std::size_t start, std::size_t length) {
    while (out.size() - start + 1 < length) out.push_back(rng.pick(kSampleDigits));
    out.push_back(luhn_check_digit(std::string_view(out).substr(start)));
}

void draw_card(SampleRng& rng, std::string_view, std::string& out) {
    const CardRange& r = kCardRanges[rng.below(std::size(kCardRanges))];
    const std::size_t start = out.size();
    const unsigned prefix = r.first + rng.below(r.last - r.first + 1);
    for (unsigned scale = r.digits == 1 ? 1 : r.digits == 2 ? 10 : r.digits == 3 ? 100 : 1000; scale; scale /= 10)
        out.push_back(static_cast<char>('0' + prefix / scale % 10));
    append_luhn(rng, out, start, r.length);
}

// Any number of 8 to 19 digits with a Luhn check digit.
void draw_luhn(SampleRng& rng, std::string_view, std::string& out) {
    append_luhn(rng, out, out.size(), 8 + rng.below(12));
}

bool iban_has_country(std::string_view code) { return code.size() == 2 && iban_country(code) != nullptr; }

constexpr SampleRow kRows[] = {
    {.id = "creditcard", .draw = draw_card, .max_length = 19},
    {.id = "iban", .draw = draw_iban, .max_length = 34, .has_country = iban_has_country},
    {.id = "luhn", .draw = draw_luhn, .max_length = 19},
};

}  // namespace

std::span<const SampleRow> core_sample_rows() noexcept { return kRows; }

}  // namespace ov
