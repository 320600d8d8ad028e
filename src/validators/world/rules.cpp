#include "validators/world/rules.h"

#include "registry/random.h"

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

}  // namespace ov::world
