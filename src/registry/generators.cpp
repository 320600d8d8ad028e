#include "registry/generators.h"

#include <vector>

#include "primitives/text.h"
#include "registry/random.h"

namespace ov {

namespace {

std::vector<std::size_t> digit_positions(std::string_view s) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (is_digit(s[i])) positions.push_back(i);
    return positions;
}

constexpr std::string_view kRepairAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// `accepts(text)` is the validator's check predicate on uncompacted text.
template <class Accepts>
std::string example_generate(const ValidatorSpec& spec, Accepts accepts) {
    std::string c = spec.ops.compact(spec, spec.examples.empty() ? std::string_view{} : spec.examples[0]);
    const auto positions = digit_positions(c);
    if (positions.size() < 2) return c;

    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string d = c;
        // Any digit but the last one is mutated; the repair step then walks
        // the text from its first position until the check holds again.
        std::size_t pos = positions[random_below(positions.size() - 1)];
        char e = random_digit();
        if (d[pos] != e)
            d[pos] = e;
        else
            d[pos] = (e == '9') ? '0' : static_cast<char>(e + 1);

        // Only ASCII letters and digits are ever replaced, and only by ASCII
        // characters, so d stays valid UTF-8 throughout.
        for (std::size_t k = 0; k < d.size(); ++k) {
            if (!is_alnum(d[k])) continue;
            const char previous = d[k];
            for (char candidate : kRepairAlphabet) {
                d[k] = candidate;
                if (accepts(std::string_view(d))) return spec.ops.compact(spec, d);
            }
            d[k] = previous;
        }
    }
    return c;
}

}  // namespace

std::string legacy_example_generate(const ValidatorSpec& spec, LegacyCheck check) {
    return example_generate(spec, [&](std::string_view d) { return check(spec.id, d); });
}

std::string legacy_example_generate(const ValidatorSpec& spec, bool (*check)(std::string_view text)) {
    return example_generate(spec, check);
}

std::string am_example_generate(const ValidatorSpec& spec) {
    if (spec.examples.empty()) return {};
    const std::string_view example = spec.examples[random_below(spec.examples.size())];
    std::string c = spec.ops.compact(spec, example);
    const auto positions = digit_positions(c);
    if (positions.empty()) return c;

    for (int attempt = 0; attempt < 2000; ++attempt) {
        std::string d = c;
        const auto changes = random_below(3) + 1;
        for (std::uint64_t i = 0; i < changes; ++i) {
            const std::size_t pos = positions[random_below(positions.size())];  // position first, then digit
            d[pos] = random_digit();
        }
        if (d != c && spec.ops.validate(spec, d).ok) return d;
    }
    return c;
}

}  // namespace ov
