// Sampling rows of the book numbers: an ISBN is drawn in an assigned
// registration group and registrant range, so that every sample can be
// hyphenated, as an ISBN-10 or an ISBN-13 alike.
#include "data/sample_rows.h"
#include "primitives/checkdigits.h"
#include "validators/extended/isbn_ranges.h"

namespace ov {

namespace {

std::uint64_t rng_below(void* state, std::uint64_t n) {
    auto& rng = *static_cast<SampleRng*>(state);
    return n <= UINT32_MAX ? rng.below(static_cast<std::uint32_t>(n)) : rng.next() % n;
}

// The ISBN-10 check character of nine digits: weights 10 down to 2.
char isbn10_check(std::string_view nine) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 9; ++i) sum += static_cast<unsigned>(10 - i) * static_cast<unsigned>(nine[i] - '0');
    const unsigned check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

void draw_isbn(SampleRng& rng, std::string_view, std::string& out) {
    const bool ten = rng.below(2) == 0;
    std::string s = extended::isbn_random_payload(ten, {&rng, rng_below});
    if (ten) {
        s.erase(0, 3);
        s.push_back(isbn10_check(s));
    } else {
        s.push_back(gs1_check_digit(s));
    }
    out.append(s);
}

constexpr SampleRow kRows[] = {
    {.id = "isbn", .draw = draw_isbn, .max_length = 13},
};

}  // namespace

std::span<const SampleRow> books_sample_rows() noexcept { return kRows; }

}  // namespace ov
