// Unit tests of the random source, the example-based generators and the
// registry lookup.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "check.h"
#include "registry/generators.h"
#include "registry/random.h"
#include "registry/registry.h"

using namespace std::string_view_literals;

namespace {

constexpr std::uint64_t kStep = 0x9e3779b97f4a7c15ULL;

// Reference xorshift mix, written independently of the source under test.
std::uint64_t mix(std::uint64_t x) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
}

bool all_digits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ---- fake validator records ------------------------------------------------

// Removes blanks and dashes and upper-cases ASCII letters.
std::string compact_plain(const ov::ValidatorSpec&, std::string_view v) {
    std::string out;
    for (char c : v) {
        if (c == ' ' || c == '-') continue;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return out;
}

// Removes dashes, then drops one leading zero.
std::string compact_drop_zero(const ov::ValidatorSpec& s, std::string_view v) {
    std::string out = compact_plain(s, v);
    if (!out.empty() && out[0] == '0') out.erase(0, 1);
    return out;
}

ov::ValidatorSpec fake(std::string_view id, std::span<const std::string_view> examples,
                       std::string (*compact)(const ov::ValidatorSpec&, std::string_view),
                       ov::ValidationOutcome (*validate)(const ov::ValidatorSpec&, std::string_view) = nullptr) {
    ov::ValidatorSpec s{};
    s.id = id;
    s.examples = examples;
    s.ops.compact = compact;
    s.ops.format = compact;
    s.ops.validate = validate;
    s.country = ov::kGlobal;
    return s;
}

// Legacy-style check predicates (run on uncompacted text).
bool check_weighted11(std::string_view, std::string_view t) {  // 10 digits, sum of (10-i)*d[i] = 0 mod 11
    if (t.size() != 10 || !all_digits(t)) return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) sum += (10 - i) * (t[i] - '0');
    return sum % 11 == 0;
}
bool check_digits_letter(std::string_view, std::string_view t) {  // 8 digits, then 'A' + digit sum mod 26
    if (t.size() != 9 || !all_digits(t.substr(0, 8))) return false;
    int sum = 0;
    for (char c : t.substr(0, 8)) sum += c - '0';
    return t[8] == 'A' + sum % 26;
}
bool check_leading_zero(std::string_view, std::string_view t) {  // 10 digits starting with '0'
    return t.size() == 10 && all_digits(t) && t[0] == '0';
}

int g_check_calls = 0;
bool g_check_saw_other_id = false;
bool check_counting_true(std::string_view, std::string_view) { return ++g_check_calls, true; }
bool check_counting_false(std::string_view id, std::string_view) {
    ++g_check_calls;
    if (id != "xx.never") g_check_saw_other_id = true;
    return false;
}

bool luhn_ok(std::string_view t) {
    if (t.empty() || !all_digits(t)) return false;
    int sum = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        int d = t[t.size() - 1 - i] - '0';
        if (i % 2 == 1) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return sum % 10 == 0;
}

int g_validate_calls = 0;
ov::ValidationOutcome validate_luhn(const ov::ValidatorSpec&, std::string_view t) {
    ++g_validate_calls;
    return luhn_ok(t) ? ov::ValidationOutcome::success(std::string(t))
                      : ov::ValidationOutcome::failure(ov::ErrorCode::InvalidChecksum, ov::kMsgAmChecksum);
}
ov::ValidationOutcome validate_never(const ov::ValidatorSpec&, std::string_view) {
    ++g_validate_calls;
    return ov::ValidationOutcome::failure(ov::ErrorCode::InvalidChecksum, ov::kMsgAmChecksum);
}
ov::ValidationOutcome validate_leading_zero(const ov::ValidatorSpec&, std::string_view t) {
    ++g_validate_calls;
    bool ok = t.size() == 4 && all_digits(t) && t[0] == '0';
    return ok ? ov::ValidationOutcome::success(std::string(t))
              : ov::ValidationOutcome::failure(ov::ErrorCode::InvalidFormat, ov::kMsgInvalidFormat);
}

std::vector<std::string_view> split(std::string_view s) {
    std::vector<std::string_view> out;
    while (!s.empty()) {
        auto sp = s.find(' ');
        out.push_back(s.substr(0, sp));
        s = sp == s.npos ? std::string_view{} : s.substr(sp + 1);
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// Random source

TEST_CASE("random: fresh counter, first draw and the xorshift mix") {
    ov::RandomSource fresh;
    CHECK_EQ(fresh.counter(), kStep);
    fresh.draw();
    CHECK_EQ(fresh.counter(), 0x3c6ef372fe94f82aULL);

    // Hand-computed reference values pin the mix itself.
    CHECK_EQ(ov::RandomSource{}.draw_at(0), 0xdc1b77ae0bf34dadULL);
    CHECK_EQ(ov::RandomSource{}.draw_at(UINT64_MAX), 0xdc1b77ae3473526dULL);

    const std::uint64_t clocks[] = {0, 1, UINT64_MAX, 0x0123456789abcdefULL, 1700000000123456789ULL};
    for (std::uint64_t t : clocks) {
        ov::RandomSource src;
        CHECK_EQ(src.draw_at(t), mix(t ^ kStep));
        CHECK_EQ(src.draw_at(t), mix(t ^ (kStep * 2)));  // second draw sees the advanced counter
    }
}

TEST_CASE("random: counter wraps modulo 2^64") {
    ov::RandomSource src;
    for (int i = 0; i < 1000; ++i) src.draw_at(42);
    CHECK_EQ(src.counter(), kStep * 1001);  // unsigned arithmetic wraps the same way
}

TEST_CASE("random: concurrent draws each see a distinct counter value") {
    ov::RandomSource src;
    constexpr int kThreads = 8, kPerThread = 5000;
    std::vector<std::vector<std::uint64_t>> got(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&src, &out = got[i]] {
            for (int j = 0; j < kPerThread; ++j) out.push_back(src.draw_at(0));
        });
    for (auto& t : threads) t.join();

    CHECK_EQ(src.counter(), kStep + kStep * std::uint64_t{kThreads * kPerThread});
    // With a fixed clock the mix is a bijection of the counter, so the draws
    // must be exactly the mixes of the counter values 1*step .. n*step.
    std::vector<std::uint64_t> all, expected;
    for (auto& v : got) all.insert(all.end(), v.begin(), v.end());
    for (std::uint64_t k = 1; k <= std::uint64_t{kThreads * kPerThread}; ++k) expected.push_back(mix(k * kStep));
    std::sort(all.begin(), all.end());
    std::sort(expected.begin(), expected.end());
    CHECK(all == expected);
}

TEST_CASE("random: clock and the digit and choice helpers") {
    const std::uint64_t t = ov::clock_ns();
    CHECK(t > 1577836800ULL * 1000000000ULL);  // 2020-01-01
    CHECK(t < 7258118400ULL * 1000000000ULL);  // 2200-01-01

    for (std::size_t n : {0, 1, 7, 64}) {
        const std::uint64_t before = ov::random_source().counter();
        std::string s = ov::random_digits(n);
        CHECK_EQ(s.size(), n);
        CHECK(all_digits(s));
        CHECK_EQ(ov::random_source().counter() - before, kStep * n);  // one draw per digit
    }
    std::set<char> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(ov::random_digit());
    CHECK_EQ(seen.size(), 10u);

    for (std::uint64_t n : {std::uint64_t{1}, std::uint64_t{2}, std::uint64_t{3}, std::uint64_t{1000}, UINT64_MAX})
        for (int i = 0; i < 200; ++i) CHECK(ov::random_below(n) < n);
}

// ---------------------------------------------------------------------------
// Legacy example-based generator

TEST_CASE("legacy generator: results pass the check, are compact and vary") {
    static constexpr std::string_view kIsbnLike[] = {"030-640 6152"};
    static constexpr std::string_view kLetter[] = {"1234-5678 k"};
    struct Case {
        const char* name;
        std::span<const std::string_view> examples;
        ov::LegacyCheck check;
    } cases[] = {
        {"weighted mod 11", kIsbnLike, check_weighted11},
        {"digits and check letter", kLetter, check_digits_letter},
    };
    for (const auto& c : cases) {
        auto spec = fake("xx.test", c.examples, compact_plain);
        std::set<std::string> distinct;
        for (int i = 0; i < 60; ++i) {
            std::string r = ov::legacy_example_generate(spec, c.check);
            if (!c.check(spec.id, r)) std::cerr << c.name << ": rejected " << r << "\n";
            CHECK(c.check(spec.id, r));
            CHECK_EQ(compact_plain(spec, r), r);
            distinct.insert(r);
        }
        CHECK(distinct.size() > 5);
    }
}

TEST_CASE("legacy generator: examples with fewer than two digits come back compacted") {
    static constexpr std::string_view kNone[] = {"ab-c d"}, kOne[] = {"x-7 y"}, kEmpty[] = {""};
    const std::pair<std::span<const std::string_view>, std::string_view> cases[] = {
        {kNone, "ABCD"}, {kOne, "X7Y"}, {kEmpty, ""}};
    for (const auto& [examples, want] : cases) {
        g_check_calls = 0;
        CHECK_EQ(ov::legacy_example_generate(fake("xx.test", examples, compact_plain), check_counting_true), want);
        CHECK_EQ(g_check_calls, 0);
    }
}

TEST_CASE("legacy generator: an impossible check falls back after bounded work") {
    // "+" is not a letter or digit, so only six positions are ever repaired:
    // 64 attempts x 6 positions x 36 candidates.
    static constexpr std::string_view kEx[] = {"+12-34 5a"};
    g_check_calls = 0;
    g_check_saw_other_id = false;
    CHECK_EQ(ov::legacy_example_generate(fake("xx.never", kEx, compact_plain), check_counting_false), "+12345A");
    CHECK_EQ(g_check_calls, 64 * 6 * 36);
    CHECK(!g_check_saw_other_id);
}

TEST_CASE("legacy generator: the last digit is never mutated and the drawn digit always changes") {
    // The check accepts anything, so the first repair candidate ('0' at the
    // leading letter) wins and the mutation itself stays visible.
    static constexpr std::string_view kEx[] = {"a123-456-789"};
    const std::string c = "A123456789";
    auto spec = fake("xx.test", kEx, compact_plain);
    std::set<std::size_t> mutated;
    for (int i = 0; i < 400; ++i) {
        std::string r = ov::legacy_example_generate(spec, check_counting_true);
        CHECK_EQ(r.size(), c.size());
        if (r.size() != c.size()) continue;
        CHECK_EQ(r[0], '0');
        std::vector<std::size_t> diff;
        for (std::size_t k = 1; k < c.size(); ++k)
            if (r[k] != c[k]) diff.push_back(k);
        CHECK_EQ(diff.size(), 1u);
        mutated.insert(diff.begin(), diff.end());
    }
    CHECK_EQ(mutated, (std::set<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_CASE("legacy generator: the check sees the uncompacted text and the result is compacted") {
    // The compact form drops a leading zero; only the raw repaired text, with
    // a '0' written at the front, can satisfy the check.
    static constexpr std::string_view kEx[] = {"51234-56789"};
    auto spec = fake("xx.test", kEx, compact_drop_zero);
    for (int i = 0; i < 20; ++i) {
        std::string r = ov::legacy_example_generate(spec, check_leading_zero);
        CHECK_EQ(r.size(), 9u);
        CHECK(all_digits(r));
    }
}

// ---------------------------------------------------------------------------
// A-M example-based generator

TEST_CASE("a-m generator: results validate and differ from the chosen example") {
    static constexpr std::string_view kEx[] = {"7992-7398 713", "4111 1111 1111 1111", "18"};
    auto spec = fake("xx.test", kEx, compact_plain, validate_luhn);
    std::set<std::size_t> lengths_seen;
    std::set<std::string> distinct;
    for (int i = 0; i < 300; ++i) {
        std::string r = ov::am_example_generate(spec);
        CHECK(luhn_ok(r));
        // The lengths tell the examples apart; at most three digits change.
        std::string base;
        for (auto e : kEx)
            if (compact_plain(spec, e).size() == r.size()) base = compact_plain(spec, e);
        CHECK(!base.empty());
        if (base.empty()) continue;
        CHECK(r != base);
        int diff = 0;
        for (std::size_t k = 0; k < r.size(); ++k) diff += r[k] != base[k];
        CHECK(diff >= 1 && diff <= 3);
        lengths_seen.insert(r.size());
        distinct.insert(r);
    }
    CHECK_EQ(lengths_seen, (std::set<std::size_t>{2, 11, 16}));
    CHECK(distinct.size() > 20);
}

TEST_CASE("a-m generator: examples without digits come back compacted") {
    static constexpr std::string_view kEx[] = {"ab-c", "x y"};
    auto spec = fake("xx.test", kEx, compact_plain, validate_luhn);
    g_validate_calls = 0;
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) seen.insert(ov::am_example_generate(spec));
    CHECK_EQ(seen, (std::set<std::string>{"ABC", "XY"}));
    CHECK_EQ(g_validate_calls, 0);
}

TEST_CASE("a-m generator: an impossible validate falls back after at most 2000 attempts") {
    static constexpr std::string_view kEx[] = {"12-34", "5 6"};
    auto spec = fake("xx.test", kEx, compact_plain, validate_never);
    for (int i = 0; i < 5; ++i) {
        g_validate_calls = 0;
        std::string r = ov::am_example_generate(spec);
        CHECK(r == "1234" || r == "56");
        CHECK(g_validate_calls <= 2000);
        CHECK(g_validate_calls > 1500);  // attempts where nothing changed skip validation
    }
}

TEST_CASE("a-m generator: the accepted text is returned without compacting it again") {
    static constexpr std::string_view kEx[] = {"00-123"};  // compacts to "0123"
    auto spec = fake("xx.test", kEx, compact_drop_zero, validate_leading_zero);
    for (int i = 0; i < 50; ++i) {
        std::string r = ov::am_example_generate(spec);
        CHECK_EQ(r.size(), 4u);
        CHECK(!r.empty() && r[0] == '0');
        CHECK(r != "0123");
    }
}

// ---------------------------------------------------------------------------
// Registry

TEST_CASE("registry: byte-sorted unique ids, complete records, lookup round trip") {
    auto all = ov::registry();
    std::size_t total = ov::core_set().size() + ov::legacy_set().size() + ov::additional_a_m_set().size() +
                        ov::additional_n_z_set().size();
    CHECK_EQ(all.size(), total);
    CHECK_EQ(total, 176u);
    auto byte_less = [](std::string_view a, std::string_view b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    };
    for (std::size_t i = 1; i < all.size(); ++i) CHECK(byte_less(all[i - 1]->id, all[i]->id));
    for (const ov::ValidatorSpec* s : all) {
        CHECK_EQ(ov::find_validator(s->id), s);
        CHECK(s->ops.compact && s->ops.format && s->ops.validate);
        CHECK(!s->aliases.empty() && !s->examples.empty());
        CHECK(s->country <= ov::kGlobal);
    }
}

TEST_CASE("registry: each set holds its declared members in order") {
    const std::pair<std::span<const ov::ValidatorSpec* const>, std::string_view> sets[] = {
        {ov::core_set(),
         "at.businessid au.abn br.cpf cz.bankaccount crypto.btcbase58 crypto.btcbech32 crypto.eth crypto.wallet "
         "es.dni bic creditcard iban isin lei luhn us.ein"},
        {ov::legacy_set(),
         "at.tin at.uid au.acn be.nn be.vat bg.vat br.cnpj ch.uid cn.ric cy.vat cz.dic cz.rc de.idnr de.stnr "
         "de.svnr de.vat dk.cpr dk.vat ee.ik ee.vat es.cif es.nie es.nss es.vat fi.hetu fi.vat fi.ytunnus fr.nir "
         "fr.siren fr.siret fr.tva gb.nhs gb.nino gb.vat gr.vat hr.vat hu.vat ie.pps ie.vat it.codiceFiscale it.iva "
         "lt.asmens lt.vat lu.vat lv.vat mt.vat nl.vat no.mva no.orgnr pl.nip pl.pesel pt.cc pt.vat ro.cnp ro.vat "
         "se.personnummer si.vat sk.dic us.rtn"},
        {ov::additional_a_m_set(),
         "ad.nrt ae.eid ai.tin al.nipt am.tin ar.cbu ar.cuit ar.dni at.vnr au.tfn az.voen ba.jmbg bd.nid be.bis "
         "bg.egn bg.pnf bh.cpr by.unp bz.tin ca.bn ca.sin ch.ssn ch.vat cl.rut cn.uscc co.nit cr.cpf cu.ni cz.ico "
         "de.handelsreg dk.cvr do.rnc ec.ruc ee.registrikood eg.tn eu.vat fr.nif gb.sedol gb.utr ge.pin gh.tin "
         "gr.amka gt.nit hk.hkid id.npwp il.idnr in.aadhaar in.gstin in.pan iq.nid ir.nid is.kennitala is.vsk "
         "jp.cn jp.mynumber kr.brn kr.rrn kw.civil kz.iin li.peid lk.nic ma.ice mc.tva md.idno me.pib mk.edb "
         "mu.brn mx.clabe mx.curp mx.rfc my.nric"},
        {ov::additional_n_z_set(),
         "ng.nin ni.ruc nl.bsn nl.kvk no.fodselsnummer nz.ird pa.ruc pe.ruc ph.philid pk.cnic pl.regon rs.pib "
         "ru.inn se.orgnr se.vat sg.uen si.emso sk.ico sk.rc th.tin tr.tckimlik tr.vkn tw.ubn ua.edrpou us.itin "
         "us.ssn uy.rut ve.rif vn.mst za.idnr"},
    };
    std::size_t declared = 0;
    for (const auto& [set, names] : sets) {
        const auto want = split(names);
        declared += want.size();
        CHECK_EQ(set.size(), want.size());
        for (std::size_t i = 0; i < std::min(set.size(), want.size()); ++i) {
            CHECK_EQ(set[i]->id, want[i]);
            CHECK_EQ(ov::find_validator(want[i]), set[i]);
        }
    }
    CHECK_EQ(declared, 176u);
}

TEST_CASE("registry: lookup is exact and case-sensitive") {
    const std::pair<std::string_view, bool> cases[] = {
        {"luhn", true},   {"iban", true},      {"at.businessid", true}, {"us.ein", true},
        {"Luhn", false},  {" luhn", false},    {"luhn ", false},        {"luhn\0"sv, false},
        {"", false},      {"luh", false},      {"luhnn", false},        {"IBAN", false},
        {"mod 10", false}, {"crypto", false},  {"a", false},            {"zz", false},
        {"\xff", false},
    };
    for (const auto& [id, found] : cases) {
        const ov::ValidatorSpec* s = ov::find_validator(id);
        if ((s != nullptr) != found) std::cerr << "lookup of '" << id << "' (size " << id.size() << ")\n";
        CHECK_EQ(s != nullptr, found);
        if (s) CHECK_EQ(s->id, id);
    }
}

TEST_CASE("registry: descriptions") {
    const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
        {"iban", "International bank account number per ISO 13616"},
        {"ae.eid", "15-digit identity number issued to UAE residents"},
        {"za.idnr", "South African personal identification number"},
        {"luhn", std::nullopt},
        {"IBAN", std::nullopt},
        {"iban\0"sv, std::nullopt},
        {"ad.nrt", std::nullopt},
        {"", std::nullopt},
        {"zz", std::nullopt},
    };
    for (const auto& [id, want] : cases) CHECK(ov::description_of(id) == want);
}
