// New Zealand bank account numbers: bank (2 digits), branch (4), account
// base (7, or 8 in the long form) and suffix (2 to 4). The bank decides the
// check: a weighted sum over the number padded to 2 + 4 + 8 + 4 digits,
// with the weights and modulus of the clearing rules' algorithm for that
// bank, and the branch must lie in one of the bank's ranges.
#include <array>

#include "registry/random.h"
#include "validators/extended/kind.h"
#include "validators/world/rules.h"

namespace ov::world {

namespace {

using extended::fail;
using extended::join_at;
using extended::kind_ops;
using extended::KindRule;

enum class NzCheck : std::uint8_t { AB, D, E, F, G, X };

struct NzBank {
    std::uint8_t bank;
    NzCheck check;
    std::array<std::uint16_t, 10> ranges;  // first, last pairs; unused pairs 0, 0
};

// Banks and their branch ranges from the clearing rules' validation table.
constexpr NzBank kNzBanks[] = {
    {1, NzCheck::AB, {1, 999, 1100, 1199, 1800, 1899}},
    {2, NzCheck::AB, {1, 999, 1200, 1299, 2025, 2055}},
    {3, NzCheck::AB, {1, 999, 1300, 1399, 1500, 1599, 1700, 1799, 1900, 1999}},
    {4, NzCheck::AB, {2014, 2024}},
    {5, NzCheck::X, {8884, 8889}},
    {6, NzCheck::AB, {1, 999, 1400, 1499}},
    {8, NzCheck::D, {6500, 6599}},
    {9, NzCheck::E, {0, 0}},
    {10, NzCheck::AB, {5165, 5169}},
    {11, NzCheck::AB, {5000, 6499, 6600, 8999}},
    {12, NzCheck::AB, {3000, 3299, 3400, 3499, 3600, 3699}},
    {13, NzCheck::AB, {4900, 4999}},
    {14, NzCheck::AB, {4700, 4799}},
    {15, NzCheck::AB, {3900, 3999}},
    {16, NzCheck::AB, {4400, 4499}},
    {17, NzCheck::AB, {3300, 3399}},
    {18, NzCheck::AB, {3500, 3599}},
    {19, NzCheck::AB, {4600, 4649}},
    {20, NzCheck::AB, {4100, 4199}},
    {21, NzCheck::AB, {4800, 4899}},
    {22, NzCheck::AB, {4000, 4049}},
    {23, NzCheck::AB, {3700, 3799}},
    {24, NzCheck::AB, {4300, 4349}},
    {25, NzCheck::F, {2500, 2599}},
    {26, NzCheck::G, {2600, 2699}},
    {27, NzCheck::AB, {3800, 3849}},
    {28, NzCheck::G, {2100, 2149}},
    {29, NzCheck::G, {2150, 2299}},
    {30, NzCheck::AB, {2900, 2949}},
    {31, NzCheck::X, {2800, 2849}},
    {33, NzCheck::F, {6700, 6799}},
    {35, NzCheck::AB, {2400, 2499}},
    {38, NzCheck::AB, {9000, 9499}},
    {88, NzCheck::X, {8800, 8805}},
};

// Each bank number's row in kNzBanks, or -1.
constexpr std::array<std::int8_t, 100> kNzBankIndex = [] {
    std::array<std::int8_t, 100> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < std::size(kNzBanks); ++i) index[kNzBanks[i].bank] = static_cast<std::int8_t>(i);
    return index;
}();

const NzBank* nz_bank(int bank) noexcept {
    const int i = kNzBankIndex[static_cast<std::size_t>(bank)];
    return i < 0 ? nullptr : &kNzBanks[i];
}

bool nz_branch_in(const NzBank& b, int branch) noexcept {
    for (std::size_t i = 0; i < b.ranges.size(); i += 2) {
        if (i > 0 && b.ranges[i] == 0 && b.ranges[i + 1] == 0) break;
        if (branch >= b.ranges[i] && branch <= b.ranges[i + 1]) return true;
    }
    return false;
}

// The number as 18 digits: bank, branch, base padded to 8, suffix to 4.
std::array<int, 18> nz_digits(std::string_view s) noexcept {
    std::array<int, 18> d{};
    const std::size_t base = s.size() == 18 ? 8 : 7, suffix = s.size() - 6 - base;
    for (std::size_t i = 0; i < 6; ++i) d[i] = s[i] - '0';
    for (std::size_t i = 0; i < base; ++i) d[14 - base + i] = s[6 + i] - '0';
    for (std::size_t i = 0; i < suffix; ++i) d[18 - suffix + i] = s[6 + base + i] - '0';
    return d;
}

int digit_sum_twice(int p) noexcept {
    p = p / 10 + p % 10;
    return p / 10 + p % 10;
}

bool nz_check(NzCheck check, const std::array<int, 18>& d) noexcept {
    static constexpr int kA[18] = {0, 0, 6, 3, 7, 9, 0, 0, 10, 5, 8, 4, 2, 1, 0, 0, 0, 0};
    static constexpr int kB[18] = {0, 0, 0, 0, 0, 0, 0, 0, 10, 5, 8, 4, 2, 1, 0, 0, 0, 0};
    static constexpr int kD[18] = {0, 0, 0, 0, 0, 0, 0, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0};
    static constexpr int kE[18] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 4, 3, 2, 0, 0, 0, 1};
    static constexpr int kF[18] = {0, 0, 0, 0, 0, 0, 0, 1, 7, 3, 1, 7, 3, 1, 0, 0, 0, 0};
    static constexpr int kG[18] = {0, 0, 0, 0, 0, 0, 0, 1, 3, 7, 1, 3, 7, 1, 0, 3, 7, 1};
    const int* w = nullptr;
    int modulus = 11;
    bool twice = false;
    switch (check) {
        case NzCheck::X: return true;
        case NzCheck::AB: {
            int base = 0;
            for (std::size_t i = 6; i < 14; ++i) base = base * 10 + d[i];
            w = base < 990000 ? kA : kB;
            break;
        }
        case NzCheck::D: w = kD; break;
        case NzCheck::E: w = kE, twice = true; break;
        case NzCheck::F: w = kF, modulus = 10; break;
        case NzCheck::G: w = kG, modulus = 10, twice = true; break;
    }
    int sum = 0;
    for (std::size_t i = 0; i < 18; ++i) sum += twice ? digit_sum_twice(d[i] * w[i]) : d[i] * w[i];
    return sum % modulus == 0;
}

ValidationOutcome nz_account_check(std::string_view s) {
    if (s.size() != 15 && s.size() != 16 && s.size() != 18)
        return fail(ErrorCode::InvalidLength, "NZ bank account number must be 15, 16 or 18 digits");
    if (!all_digits(s)) return fail(ErrorCode::InvalidFormat, "NZ bank account number must contain only digits");
    const NzBank* bank = nz_bank(two_digits(s, 0));
    if (bank == nullptr) return fail(ErrorCode::InvalidComponent, "NZ bank account number bank code is not assigned");
    if (!nz_branch_in(*bank, static_cast<int>(digits_value(s.substr(2, 4)))))
        return fail(ErrorCode::InvalidComponent, "NZ bank account number branch is not one of the bank's");
    if (!nz_check(bank->check, nz_digits(s)))
        return fail(ErrorCode::InvalidChecksum, "NZ bank account number check does not match");
    return ValidationOutcome::success_input(s);
}

std::string nz_account_present(std::string_view s) {
    return join_at(s, {2, 6, s.size() == 18 ? std::size_t{14} : std::size_t{13}}, '-');
}

std::string nz_account_generate() {
    for (;;) {
        const NzBank& b = kNzBanks[random_below(std::size(kNzBanks))];
        std::size_t pairs = 1;
        while (pairs < 5 && !(b.ranges[2 * pairs] == 0 && b.ranges[2 * pairs + 1] == 0)) ++pairs;
        const std::size_t p = random_below(pairs);
        const int branch = b.ranges[2 * p] + static_cast<int>(random_below(b.ranges[2 * p + 1] - b.ranges[2 * p] + 1u));
        std::string s(6, '0');
        s[0] = static_cast<char>('0' + b.bank / 10), s[1] = static_cast<char>('0' + b.bank % 10);
        for (int i = 5, v = branch; i >= 2; --i, v /= 10) s[static_cast<std::size_t>(i)] = static_cast<char>('0' + v % 10);
        s += random_digits(7) + random_digits(3);
        // The last digit of the base or of the suffix carries weight 1 in
        // every algorithm: try each value there.
        const std::size_t at = b.check == NzCheck::E || b.check == NzCheck::G ? 15 : 12;
        for (char c = '0'; c <= '9'; ++c) {
            s[at] = c;
            if (nz_check(b.check, nz_digits(s))) return s;
        }
    }
}

constexpr KindRule kNzAccountRule = {
    .separators = " -", .upper = false, .prefix = {},
    .check = nz_account_check, .present = nz_account_present, .generate = nz_account_generate,
};

constexpr std::string_view kNzAccountAliases[] = {"bank account number", "account number", "NZ bank account", "account no"};
constexpr std::string_view kNzAccountExamples[] = {"01-0242-0100194-00", "12-3140-0171323-50"};
constexpr std::uint64_t kNzAccountLengths[] = {15, 16, 18};

}  // namespace

const ValidatorSpec kNzBankAccountSpec = {
    .source_url = "https://www.paymentsnz.co.nz/resources/industry-registers/bank-branch-register/",
    .id = "nz.bankaccount", .name = "New Zealand Bank Account Number", .local_name = "Bank Account Number",
    .abbreviation = "Bank account", .aliases = kNzAccountAliases, .candidate_pattern = "\\d{15,16}|\\d{18}",
    .lengths = kNzAccountLengths, .examples = kNzAccountExamples, .ops = kind_ops<kNzAccountRule>(),
    .country = country("NZ"), .entity = EntityType::Any,
};

}  // namespace ov::world
