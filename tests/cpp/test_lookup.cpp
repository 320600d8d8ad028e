// The hash index over validator ids against the binary search it replaced.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "check.h"
#include "registry/id_index.h"
#include "registry/registry.h"

using namespace ov;

namespace {

// Texts that are almost a registered id: one byte changed, dropped or added,
// case changed, blanks and NUL bytes around it.
std::vector<std::string> near_misses(std::string_view id) {
    std::vector<std::string> out;
    std::string s(id);
    out.push_back(s + "x");
    out.push_back(s + std::string(1, '\0'));
    out.push_back(" " + s);
    out.push_back(s.substr(0, s.size() - 1));
    out.push_back(s.substr(1));
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::string t = s;
        t[i] = static_cast<char>(t[i] ^ 0x20);  // flips ASCII case, or makes another byte
        out.push_back(t);
        t = s;
        t[i] = static_cast<char>(t[i] + 1);
        out.push_back(t);
    }
    return out;
}

// Synthetic records: ids of the registered shape, most sharing long prefixes.
struct Synthetic {
    std::deque<std::string> ids;
    std::vector<ValidatorSpec> specs;
    std::vector<const ValidatorSpec*> refs;
    explicit Synthetic(std::size_t n) {
        specs.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            ids.push_back(std::string(1, static_cast<char>('a' + i % 26)) + static_cast<char>('a' + i / 26 % 26) +
                          ".id" + std::to_string(i));
            ValidatorSpec spec{};
            spec.id = ids.back();
            specs.push_back(spec);
        }
        for (const auto& s : specs) refs.push_back(&s);
    }
};

std::uint64_t constant_hash(std::string_view) noexcept { return 42; }
std::uint64_t two_valued_hash(std::string_view id) noexcept { return id.size() % 2; }

}  // namespace

TEST_CASE("lookup: the hash index finds exactly what the sorted table finds") {
    for (const ValidatorSpec* spec : registry()) {
        CHECK(find_validator(spec->id) == spec);
        CHECK(find_validator_sorted(spec->id) == spec);
        for (const std::string& miss : near_misses(spec->id))
            CHECK(find_validator(miss) == find_validator_sorted(miss));
    }
    for (std::string_view miss : {"", "IBAN", " iban", "org.nr", "it.codicefiscale", "iban\0x", "i"})
        CHECK(find_validator(miss) == find_validator_sorted(miss));
    CHECK(find_validator("iban") != nullptr);
    CHECK(find_validator(std::string_view("iban\0x", 6)) == nullptr);
}

TEST_CASE("lookup: synthetic tables, including ids that share one hash") {
    for (std::size_t n : {1u, 16u, 176u, 3000u}) {
        Synthetic table(n);
        for (IdIndex::Hash hash : {IdIndex::Hash{nullptr}, IdIndex::Hash{constant_hash},
                                   IdIndex::Hash{two_valued_hash}}) {
            if (hash && n > 176) continue;  // one long chain: correct but quadratic to build
            IdIndex index(table.refs, hash);
            CHECK(index.capacity() >= 4 * n);
            for (const ValidatorSpec* spec : table.refs) {
                CHECK(index.find(spec->id) == spec);
                for (const std::string& miss : near_misses(spec->id)) {
                    const ValidatorSpec* hit = index.find(miss);
                    CHECK(hit == nullptr || hit->id == miss);
                }
            }
            CHECK(index.find("") == nullptr);
        }
    }
    CHECK(IdIndex().find("iban") == nullptr);
}

TEST_CASE("lookup: cost per call with 16, 176 and 3000 ids (printed, not asserted)") {
    for (std::size_t n : {16u, 176u, 3000u}) {
        Synthetic table(n);
        IdIndex index(table.refs);
        std::vector<std::string_view> keys;
        for (std::size_t i = 0; i < 4096; ++i) keys.push_back(table.ids[(i * 7919) % n]);
        double best = 1e30;
        for (int round = 0; round < 5; ++round) {
            std::size_t found = 0;
            const auto start = std::chrono::steady_clock::now();
            constexpr int kRepeat = 50;
            for (int r = 0; r < kRepeat; ++r)
                for (std::string_view k : keys) found += index.find(k) != nullptr;
            const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
            CHECK_EQ(found, keys.size() * kRepeat);
            best = std::min(best, spent.count() / double(found));
        }
        std::printf("lookup over %zu ids: %.1f ns per call\n", n, best);
    }
}
