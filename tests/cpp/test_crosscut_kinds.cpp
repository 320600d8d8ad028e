// Unit tests of what the crosscut kinds offer beyond the registry's
// operations: the elements of a GS1-128 element string, the AI table's
// provenance, and which national kind decides a VAT number.
#include <string>
#include <string_view>

#include "check.h"
#include "validators/crosscut/gs1_ai.h"
#include "validators/crosscut/vat.h"

using namespace std::string_view_literals;

namespace {

std::string joined(const std::vector<ov::crosscut::Gs1Element>& elements) {
    std::string s;
    for (const auto& e : elements) s += std::string(e.ai) + "|" + std::string(e.name) + "|" + e.value + ";";
    return s;
}

}  // namespace

TEST_CASE("gs1_128: the elements of GS1's examples in every written form") {
    const std::string expected = "01|GTIN|09501101530003;17|USE BY or EXPIRY|140704;10|BATCH/LOT|AB-123;";
    for (std::string_view written : {"(01)09501101530003(17)140704(10)AB-123"sv,
                                     "(01) 09501101530003 (17) 140704 (10) AB-123"sv,
                                     "]C101095011015300031714070410AB-123"sv,
                                     "\x1D" "010950110153000317140704" "10AB-123"sv}) {
        const auto elements = ov::crosscut::gs1_128_parse(written);
        CHECK(elements.has_value());
        if (elements) CHECK_EQ(joined(*elements), expected);
    }
    const auto sscc = ov::crosscut::gs1_128_parse("(00)106141412345678908(3103)001500");
    CHECK(sscc.has_value());
    if (sscc) CHECK_EQ(joined(*sscc), std::string("00|SSCC|106141412345678908;3103|NET WEIGHT (kg)|001500;"));
    // A lot followed by FNC1 and a further element.
    const auto lot = ov::crosscut::gs1_128_parse("10ABC\x1D" "21XYZ"sv);
    CHECK(lot.has_value());
    if (lot) CHECK_EQ(joined(*lot), std::string("10|BATCH/LOT|ABC;21|SERIAL|XYZ;"));
}

TEST_CASE("gs1_128: nothing for an invalid element string") {
    for (std::string_view bad : {""sv, "(01)09501101530004"sv, "(23)1"sv, "(17)141304"sv, "\0"sv, "(((("sv}) {
        CHECK(!ov::crosscut::gs1_128_parse(bad).has_value());
    }
}

TEST_CASE("gs1_128: the AI table is sorted, prefix-free and knows its source") {
    CHECK(ov::crosscut::kGs1Ais.size() > 500);
    for (std::size_t i = 1; i < ov::crosscut::kGs1Ais.size(); ++i) {
        const auto& a = ov::crosscut::kGs1Ais[i - 1];
        const auto& b = ov::crosscut::kGs1Ais[i];
        CHECK(a.ai < b.ai);
        CHECK(!b.ai.starts_with(a.ai));
    }
    CHECK(ov::crosscut::kGs1AiSource.find("gs1.org") != std::string_view::npos);
    CHECK_EQ(ov::crosscut::kGs1AiSnapshot.size(), std::size_t{10});
    CHECK(ov::crosscut::find_gs1_ai("3103") != nullptr);
    CHECK(ov::crosscut::find_gs1_ai("3106") == nullptr);
    CHECK(ov::crosscut::find_gs1_ai("31") == nullptr);
}

TEST_CASE("vat: the national kind that decides each number") {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"DE 136 695 976", "de.vat"}, {"ATU13585627", "at.uid"},        {"EL094259216", "gr.vat"},
        {"XI980780684", "gb.vat"},    {"GB980780684", "gb.vat"},        {"CHE-107.787.577 TPV", "ch.vat"},
        {"NO995525828MVA", "no.mva"}, {"FR40303265045", "fr.tva"},      {"IS00621", "is.vsk"},
    };
    for (const auto& [value, id] : cases) {
        const ov::ValidatorSpec* national = ov::crosscut::vat_national(value);
        CHECK(national != nullptr);
        if (national) CHECK_EQ(national->id, id);
    }
    for (std::string_view bad : {"DE136695977"sv, "XX136695976"sv, "NO995525828"sv, ""sv, "DE"sv}) {
        CHECK(ov::crosscut::vat_national(bad) == nullptr);
    }
}
