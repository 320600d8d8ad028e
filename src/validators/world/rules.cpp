#include "validators/world/rules.h"

#include "primitives/checkdigits.h"
#include "registry/random.h"
#include "validators/extended/kind.h"

namespace ov::world {

std::string random_ddmmyy() {
    const auto day = 1 + random_below(28), month = 1 + random_below(12), year = random_below(100);
    std::string s(6, '0');
    s[0] = static_cast<char>('0' + day / 10), s[1] = static_cast<char>('0' + day % 10);
    s[2] = static_cast<char>('0' + month / 10), s[3] = static_cast<char>('0' + month % 10);
    s[4] = static_cast<char>('0' + year / 10), s[5] = static_cast<char>('0' + year % 10);
    return s;
}

std::string random_digits_from(std::string_view first, std::size_t n) {
    std::string s = random_digits(n);
    if (n > 0) s[0] = first[random_below(first.size())];
    return s;
}

ValidationOutcome check_luhn_number(std::string_view s, const LuhnNumber& k) {
    using extended::fail;
    if (s.size() != k.length) return fail(ErrorCode::InvalidLength, k.wrong_length);
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, k.not_digits);
    if (!k.first.empty() && k.first.find(s[0]) == std::string_view::npos)
        return fail(ErrorCode::InvalidComponent, k.wrong_first);
    if (!luhn_valid(s)) return fail(ErrorCode::InvalidChecksum, k.wrong_check);
    return ValidationOutcome::success_input(s);
}

std::string generate_luhn_number(const LuhnNumber& k) {
    std::string s = random_digits_from(k.first.empty() ? "0123456789" : k.first, k.length - 1);
    s.push_back(luhn_check_digit(s));
    return s;
}

}  // namespace ov::world
