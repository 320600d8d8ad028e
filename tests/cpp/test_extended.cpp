// Unit tests of the extended set's records and shared operations: every kind
// read from the set at run time, so a new kind is covered without new code.
#include <cstdint>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

#include "check.h"
#include "primitives/checkdigits.h"
#include "registry/registry.h"
#include "registry/spec.h"

using namespace std::string_view_literals;

namespace {

std::string text_of(const ov::ValidationOutcome& o) { return std::string(o.text()); }

std::string describe(const ov::ValidatorSpec& spec, std::string_view input) {
    return std::string(spec.id) + " on \"" + std::string(input) + "\"";
}

}  // namespace

TEST_CASE("extended: ids are unique, served by the full lookup and unknown to the documented one") {
    std::set<std::string_view> seen;
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        CHECK(seen.insert(spec->id).second);
        CHECK(ov::find_any_validator(spec->id) == spec);
        CHECK(ov::find_validator(spec->id) == nullptr);
    }
    CHECK_EQ(ov::registry().size(), std::size_t{176});
    CHECK_EQ(ov::all_validators().size(), std::size_t{176} + ov::extended_set().size());
}

// Whether a record belongs to one of the sets gathered into the extended
// one (national kinds, with a country, a name in their own language and at
// times a single published example).
bool gathered(const ov::ValidatorSpec* spec) {
    for (auto set : {ov::europe_set(), ov::world_set(), ov::personal_set(), ov::crosscut_set()})
        for (const ov::ValidatorSpec* s : set)
            if (s == spec) return true;
    return false;
}

TEST_CASE("extended: every record carries the metadata of a documented record") {
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        const std::string id(spec->id);
        CHECK(spec->source_url != nullptr);
        CHECK(!spec->name.empty() && !spec->local_name.empty() && !spec->abbreviation.empty());
        CHECK(!spec->aliases.empty());
        CHECK(!spec->candidate_pattern.empty());
        CHECK(!spec->examples.empty());
        if (!gathered(spec)) {
            CHECK(spec->local_name == spec->name);
            CHECK(spec->examples.size() >= 2);
            CHECK(spec->country == ov::kGlobal);
        }
        CHECK(spec->ops.generate && spec->ops.compact && spec->ops.format && spec->ops.validate);
        if (!spec->source_url) std::cerr << id << " has no source\n";
    }
}

TEST_CASE("extended: examples validate, and their compact text is what validate reports") {
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        for (std::string_view example : spec->examples) {
            const ov::ValidationOutcome o = spec->ops.validate(*spec, example);
            if (!o.ok) std::cerr << describe(*spec, example) << ": " << o.message << "\n";
            CHECK(o.ok);
            CHECK_EQ(text_of(o), spec->ops.compact(*spec, example));
        }
    }
}

TEST_CASE("extended: 1000 generated values each validate as their own compact form") {
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        std::set<std::string> distinct;
        for (int i = 0; i < 1000; ++i) {
            const std::string value = *spec->ops.generate(*spec);
            const ov::ValidationOutcome o = spec->ops.validate(*spec, value);
            if (!o.ok) std::cerr << describe(*spec, value) << ": " << o.message << "\n";
            CHECK(o.ok);
            CHECK_EQ(text_of(o), value);
            distinct.insert(value);
        }
        CHECK(distinct.size() > 900);  // random across the space, not a few fixed values
    }
}

TEST_CASE("extended: format then compact gives the compact text back; compact is idempotent") {
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        for (std::string_view example : spec->examples) {
            const std::string compact = spec->ops.compact(*spec, example);
            const std::string formatted = spec->ops.format(*spec, example);
            CHECK_EQ(spec->ops.compact(*spec, formatted), compact);
            CHECK_EQ(spec->ops.compact(*spec, compact), compact);
            CHECK(spec->ops.validate(*spec, formatted).ok);
        }
    }
}

TEST_CASE("extended: the in-place, stack and heap paths of validate agree") {
    // The same value plain, with blanks around it, and padded with a
    // non-ASCII no-break space (which sends it through the full compaction).
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        for (std::string_view example : spec->examples) {
            const std::string plain = spec->ops.compact(*spec, example);
            const ov::ValidationOutcome a = spec->ops.validate(*spec, plain);
            const ov::ValidationOutcome b = spec->ops.validate(*spec, "  " + plain + " ");
            const ov::ValidationOutcome c = spec->ops.validate(*spec, "\xC2\xA0" + plain);
            CHECK(a.ok && b.ok && c.ok);
            CHECK_EQ(text_of(b), plain);
            CHECK_EQ(text_of(c), plain);
        }
    }
}

TEST_CASE("extended: hostile bytes give a failure with a known code and a message") {
    const std::string long_digits(100000, '7');
    const std::string_view inputs[] = {
        ""sv, " "sv, "\0\0\0"sv, "\xFF\xFE"sv, "\xCC\x81"sv, "9780306406157\0"sv, "\xE2\x80\x8B"sv,
        long_digits,
    };
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        for (std::string_view input : inputs) {
            const ov::ValidationOutcome o = spec->ops.validate(*spec, input);
            if (o.ok) {
                // Only a value that really is one may pass (ISIL accepts none of these).
                std::cerr << describe(*spec, input) << " passed\n";
                CHECK(false);
            } else {
                CHECK(!o.message.empty());
            }
            (void)spec->ops.compact(*spec, input);
            (void)spec->ops.format(*spec, input);
        }
    }
}

TEST_CASE("extended: GS1, MOD 11-2 and MOD 37,36 check characters of published examples") {
    CHECK_EQ(ov::gs1_check_digit("629104150021"), '3');   // GS1's worked example
    CHECK_EQ(ov::gs1_check_digit("7351353"), '7');        // EAN-8
    CHECK_EQ(ov::gs1_check_digit(""), '0');
    CHECK_EQ(ov::mod11_2_check_char("000000021825009"), '7');  // ORCID's sample iD
    CHECK_EQ(ov::mod11_2_check_char("000000021694233"), 'X');
    CHECK_EQ(ov::mod37_36_check_char("A12425GABC1234002"), 'M');  // GRid's sample
    CHECK_EQ(ov::mod37_36_check_char("00000000D07A0090"), 'Q');   // ISAN's sample root
}

TEST_CASE("extended: random bytes through every operation (run under the sanitizers too)") {
    // A fixed-seed generator over bytes that matter to the kinds: digits,
    // letters of both cases, separators, white space, NUL and bytes of
    // multi-byte characters.
    static constexpr std::string_view kBytes = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefxmrf -./:*@#X\t\0\xC2\xA0\xE2\x80\x8B\xFF"sv;
    std::uint64_t state = 0x243F6A8885A308D3ULL;
    auto next = [&]() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (const ov::ValidatorSpec* spec : ov::extended_set()) {
        for (int round = 0; round < 3000; ++round) {
            std::string input(next() % 72, '\0');
            for (char& c : input) c = kBytes[next() % kBytes.size()];
            const ov::ValidationOutcome o = spec->ops.validate(*spec, input);
            const std::string compact = spec->ops.compact(*spec, input);
            (void)spec->ops.format(*spec, input);
            if (o.ok) {
                CHECK_EQ(text_of(o), compact);
                CHECK_EQ(spec->ops.compact(*spec, compact), compact);
            } else {
                CHECK(!o.message.empty());
            }
        }
    }
}
