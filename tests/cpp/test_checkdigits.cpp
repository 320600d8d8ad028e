// Check-digit primitives against published reference values.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "primitives/checkdigits.h"
#include "primitives/mod97.h"
#include "primitives/text.h"

using namespace ov;

TEST_CASE("luhn: reference numbers") {
    struct Row {
        std::string_view digits;
        bool valid;
    };
    const Row rows[] = {
        {"4111111111111111", true}, {"18", true},          {"0", true},          {"", true},
        {"79927398713", true},      {"4111111111111112", false}, {"79927398710", false},
        {"19", false},              {"5500000000000004", true},  {"378282246310005", true},
    };
    for (const Row& r : rows) {
        CHECK_EQ(luhn_valid(r.digits), r.valid);
        CHECK_EQ(luhn_sum_mod10(r.digits) == 0, r.valid);
    }
}

TEST_CASE("luhn: check digit completes the payload") {
    const std::string_view payloads[] = {"", "7992739871", "411111111111111", "1", "550000000000000"};
    const char expected[] = {'0', '3', '1', '8', '4'};
    for (std::size_t i = 0; i < std::size(payloads); ++i) {
        const char d = luhn_check_digit(payloads[i]);
        CHECK_EQ(d, expected[i]);
        CHECK(luhn_valid(std::string(payloads[i]) + d));
    }
}

TEST_CASE("luhn: long all-nine input keeps exact arithmetic") {
    // A saturating 32-bit sum sticks at 4294967295 (5 mod 10) on inputs like
    // this; a 10-million-digit text must still get its exact verdict.
    std::string nines(10'000'000, '9');
    // 9 contributes 9 undoubled and 9 doubled (18 - 9): 9 per digit.
    CHECK_EQ(luhn_sum_mod10(nines), static_cast<unsigned>((9ULL * nines.size()) % 10));
    nines.push_back(luhn_check_digit(nines));
    CHECK(luhn_valid(nines));
}

TEST_CASE("weighted sums and every mod-11 mapping") {
    static constexpr int w[] = {2, 3, 4};
    CHECK_EQ(weighted_sum("123", w), 2 + 6 + 12);
    CHECK_EQ(weighted_sum("12", w), 2 + 6);        // stops at the shorter text
    CHECK_EQ(weighted_sum("12345", w), 2 + 6 + 12);  // stops at the shorter list
    CHECK_EQ(weighted_sum("1x3", w), 2 + 12);       // a non-digit counts 0
    static constexpr int neg[] = {1, -1};
    CHECK_EQ(weighted_sum("09", neg), -9);

    struct Row {
        std::int64_t sum;
        Mod11 m;
        int expected;  // -1 for "no check digit"
    };
    const Row rows[] = {
        {0, Mod11::A, 1},   {1, Mod11::A, 0},   {2, Mod11::A, 9},  {10, Mod11::A, 1},  {121, Mod11::A, 1},
        {0, Mod11::B, 0},   {1, Mod11::B, -1},  {2, Mod11::B, 9},  {10, Mod11::B, 1},
        {10, Mod11::C, 0},  {7, Mod11::C, 7},   {0, Mod11::C, 0},
        {10, Mod11::D, 0},  {9, Mod11::D, 9},
        {0, Mod11::E, 0},   {1, Mod11::E, 0},   {2, Mod11::E, 9},  {10, Mod11::E, 1},
        {0, Mod11::F, 0},   {1, Mod11::F, 10},  {2, Mod11::F, 9},
        {-4, Mod11::C, 7},  {-1, Mod11::E, 1},  {22, Mod11::B, 0},  {23, Mod11::B, -1},
    };
    for (const Row& r : rows) {
        const auto got = mod11_check(r.sum, r.m);
        CHECK_EQ(got.value_or(-1), r.expected);
    }
}

TEST_CASE("eleven-test with a negative last weight") {
    static constexpr int bsn[] = {9, 8, 7, 6, 5, 4, 3, 2, -1};
    CHECK(eleven_test("111222333", bsn));
    CHECK(eleven_test("123456782", bsn));
    CHECK(!eleven_test("123456783", bsn));
    // -4 and -5 must not wrap to a multiple of 11 in unsigned arithmetic.
    CHECK(!eleven_test("000000004", bsn));
    CHECK(!eleven_test("000000005", bsn));
}

TEST_CASE("MOD 97-10 remainders") {
    CHECK_EQ(mod97_10_remainder("NWBK60161331926819GB29").value_or(99), 1u);
    CHECK_EQ(mod97_10_remainder("370400440532013000DE89").value_or(99), 1u);
    CHECK_EQ(mod97_10_remainder("5493006MHB84DD0ZWV18").value_or(99), 1u);
    CHECK_EQ(mod97_10_remainder("").value_or(99), 0u);
    CHECK_EQ(mod97_10_remainder("A").value_or(99), 10u);
    CHECK(!mod97_10_remainder("NWBK6016 1331").has_value());
    CHECK(!mod97_10_remainder("nwbk60161331926819GB29").has_value());
    CHECK(!mod97_10_remainder(std::string_view("12\0" "3", 4)).has_value());
    CHECK(!mod97_10_remainder("12\xC3\x89").has_value());
    // Continuing from a remainder equals computing over the joined text.
    CHECK_EQ(mod97_10_extend(*mod97_10_remainder("NWBK6016133192"), "6819GB29").value_or(99), 1u);
}

TEST_CASE("MOD 97-10 check digits") {
    CHECK_EQ(mod97_10_check_digits("370400440532013000DE").value_or(""), std::string("89"));
    CHECK_EQ(mod97_10_check_digits("NWBK60161331926819GB").value_or(""), std::string("29"));
    CHECK(!mod97_10_check_digits("ab").has_value());
}

TEST_CASE("MOD 97-10 over a megabyte keeps a running remainder") {
    std::string big(1 << 20, '9');
    // 10^n - 1 mod 97: compute the same value the slow way, digit by digit.
    unsigned expect = 0;
    for (std::size_t i = 0; i < big.size(); ++i) expect = (expect * 10 + 9) % 97;
    CHECK_EQ(mod97_10_remainder(big).value_or(99), expect);
    big[big.size() / 2] = 'Z';
    CHECK(mod97_10_remainder(big).has_value());
    big[big.size() / 3] = '-';
    CHECK(!mod97_10_remainder(big).has_value());
}

TEST_CASE("MOD 11,10") {
    CHECK_EQ(mod11_10_check("10113470"), 2);
    struct Row {
        std::string_view body;
        int check;
    };
    const Row rows[] = {{"10113470", 2}, {"", 1}, {"0", 2}, {"1", 9}};
    for (const Row& r : rows) CHECK_EQ(mod11_10_check(r.body), r.check);
}

TEST_CASE("MOD 11-2") {
    CHECK_EQ(mod11_2_check("11010519491231002"), 'X');
    CHECK_EQ(mod11_2_check("44052418800101001"), '4');
    CHECK_EQ(mod11_2_check("00000000000000000"), '1');
}

TEST_CASE("Verhoeff") {
    struct Row {
        std::string_view digits;
        bool valid;
    };
    const Row rows[] = {
        {"2363", true}, {"2364", false}, {"2362", false}, {"0", true}, {"5", false},
        {"2365", false}, {"1428570", true}, {"123451", true}, {"123452", false}, {"23a3", false},
    };
    for (const Row& r : rows) CHECK_EQ(verhoeff_valid(r.digits), r.valid);
}

// ---------------------------------------------------------------------------
// The fast forms against their digit-by-digit twins.

namespace {

// A fixed-seed generator, so that a failure can be replayed.
struct Rng {
    std::uint64_t s = 0x9E3779B97F4A7C15ULL;
    std::uint64_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

std::string random_text(Rng& rng, std::size_t n, std::string_view alphabet) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(alphabet[rng.below(alphabet.size())]);
    return s;
}

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

TEST_CASE("luhn: table walk agrees with the digit-by-digit sum") {
    Rng rng;
    std::vector<std::string> texts;
    for (std::size_t n = 0; n < 80; ++n)
        for (int k = 0; k < 20; ++k) texts.push_back(random_text(rng, n, kDigits));
    for (int k = 0; k < 200; ++k) {  // a stray byte that is not a digit (it counts 0)
        std::string t = random_text(rng, 1 + rng.below(40), kDigits);
        t[rng.below(t.size())] = "x/: \0\xFF"[rng.below(6)];
        texts.push_back(t);
    }
    // Around the length at which the sum is reduced, and well beyond it.
    for (std::size_t n : {(1u << 20) - 1, 1u << 20, (1u << 20) + 1, (1u << 21) + 3, 3'000'001u})
        texts.push_back(random_text(rng, n, kDigits));
    texts.push_back(std::string(5'000'001, '9'));
    for (const std::string& t : texts) {
        const unsigned slow = luhn_sum_mod10_reference(t);
        CHECK_EQ(luhn_sum_mod10(t), slow);
        CHECK_EQ(luhn_valid(t), slow == 0);
        CHECK_EQ(luhn_digits_mod10(t), all_digits(t) ? static_cast<int>(slow) : -1);
        if (t.size() < 100) CHECK(luhn_valid(t + luhn_check_digit(t)) || !all_digits(t));
    }
}

TEST_CASE("MOD 97-10: blocks of eight agree with the digit-by-digit remainder") {
    Rng rng;
    for (std::size_t n = 0; n < 70; ++n) {
        for (int k = 0; k < 30; ++k) {
            const std::string t = random_text(rng, n, k % 3 == 0 ? kDigits : kAlnum);
            const auto slow = mod97_10_remainder_reference(t);
            CHECK_EQ(mod97_10_remainder(t).value_or(99), slow.value_or(99));
            // Any split point, continued from the remainder of the first part.
            const std::size_t cut = n ? rng.below(n + 1) : 0;
            const auto head = mod97_10_remainder_reference(t.substr(0, cut));
            CHECK_EQ(mod97_10_extend(head.value_or(0), std::string_view(t).substr(cut)).value_or(99),
                     slow.value_or(99));
            bool bad = false;
            CHECK_EQ(mod97_10_padded(std::string_view(t).substr(0, cut), std::string_view(t).substr(cut), bad),
                     slow.value_or(99));
            CHECK(!bad);
            // One character outside the alphabet anywhere is reported.
            if (n > 0) {
                std::string broken = t;
                broken[rng.below(n)] = "a -\0\xC3"[rng.below(5)];
                CHECK(!mod97_10_remainder(broken).has_value());
                CHECK(!mod97_10_remainder_reference(broken).has_value());
                bad = false;
                mod97_10_padded(broken, {}, bad);
                CHECK(bad);
            }
        }
    }
    // Extremes: the largest values of every step, long runs, all 97 starts.
    for (std::string_view t : {"ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ", "99999999999999999999999999999999999",
                               "Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z9Z", "00000000000000000000000000000000001"}) {
        for (unsigned start = 0; start < 97; ++start) {
            unsigned slow = start;
            for (char c : t)
                slow = is_digit(c) ? (slow * 10 + static_cast<unsigned>(c - '0')) % 97
                                   : (slow * 100 + static_cast<unsigned>(c - 'A' + 10)) % 97;
            CHECK_EQ(mod97_10_extend(start, t).value_or(99), slow);
        }
    }
    const std::string zs(1'000'003, 'Z');
    CHECK_EQ(mod97_10_remainder(zs).value_or(99), mod97_10_remainder_reference(zs).value_or(98));
}

TEST_CASE("verhoeff and damm: check digits and non-digits") {
    CHECK_EQ(verhoeff_check_digit("236"), 3);
    CHECK_EQ(verhoeff_check_digit("12345"), 1);
    CHECK(verhoeff_valid("2363"));
    CHECK_EQ(verhoeff_check_digit("12a"), -1);
    CHECK_EQ(damm_interim("572"), 4);
    CHECK_EQ(damm_interim("5724"), 0);
    CHECK_EQ(damm_interim(""), 0);
    CHECK_EQ(damm_interim("5 7"), -1);
    // Every payload's check digit makes it valid, and every single change of
    // a digit is then caught by both.
    for (unsigned n = 0; n < 2000; ++n) {
        const std::string payload = std::to_string(n * 7919u);
        const std::string v = payload + static_cast<char>('0' + verhoeff_check_digit(payload));
        const std::string d = payload + static_cast<char>('0' + damm_interim(payload));
        CHECK(verhoeff_valid(v));
        CHECK_EQ(damm_interim(d), 0);
        std::string changed = v;
        changed[0] = changed[0] == '9' ? '0' : static_cast<char>(changed[0] + 1);
        CHECK(!verhoeff_valid(changed));
        changed = d;
        changed[0] = changed[0] == '9' ? '0' : static_cast<char>(changed[0] + 1);
        CHECK(damm_interim(changed) != 0);
    }
}

TEST_CASE("luhn mod n: the decimal alphabet is Luhn; others check their own characters") {
    LuhnAlphabet decimal;
    CHECK(make_luhn_alphabet("0123456789", decimal));
    for (std::string_view p : {"", "7992739871", "411111111111111", "1", "550000000000000"})
        CHECK_EQ(luhn_mod_n_check(p, decimal), luhn_check_digit(p));
    LuhnAlphabet hex;
    CHECK(make_luhn_alphabet("0123456789ABCDEF", hex));
    CHECK_EQ(luhn_mod_n_check("ABCDEF", hex), 'B');
    CHECK_EQ(luhn_mod_n_sum("ABCDEFB", hex, false), 0);
    CHECK_EQ(luhn_mod_n_check("ABCDEg", hex), '\0');
    CHECK_EQ(luhn_mod_n_sum("g", hex, false), -1);
    LuhnAlphabet bad;
    CHECK(!make_luhn_alphabet("", bad));
    CHECK(!make_luhn_alphabet("a", bad));
    CHECK(!make_luhn_alphabet("aba", bad));
    CHECK_EQ(luhn_mod_n_sum("a", bad, false), -1);  // an unusable alphabet checks nothing
}

TEST_CASE("mod 37-2 and the weighted-sum family") {
    CHECK_EQ(mod37_2_check_char("G123498654321"), 'H');
    CHECK_EQ(mod37_2_check_char("g1"), '\0');
    const std::int64_t isbn10[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    CHECK_EQ(weighted_remainder("030640615", isbn10, 11, false), 9);  // "0X987654321"[9]: check digit 2
    const std::int64_t pesel[] = {1, 3, 7, 9};
    CHECK_EQ(weighted_remainder("4405140135", pesel, 10, false), 1);  // check 9
    const std::int64_t one[] = {1};
    CHECK_EQ(weighted_remainder("12", one, 10, true), 3);
    const std::int64_t reversed[] = {1, 3};
    CHECK_EQ(weighted_remainder("12", reversed, 10, true), 5);  // 2*1 + 1*3
    const std::int64_t huge[] = {INT64_MIN, INT64_MAX};
    CHECK_EQ(weighted_remainder("99", huge, INT32_MAX, false),
             (9 * mod_floor(INT64_MIN, INT32_MAX) + 9 * mod_floor(INT64_MAX, INT32_MAX)) % INT32_MAX);
    CHECK_EQ(weighted_remainder("1x", one, 10, false), -1);
    CHECK_EQ(weighted_remainder("1", {}, 10, false), -1);
    CHECK_EQ(weighted_remainder("1", one, 1, false), -1);
    CHECK_EQ(weighted_remainder("1", one, std::int64_t{INT32_MAX} + 1, false), -1);
}
