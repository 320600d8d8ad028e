// The finder's reading of a scanning pattern: the key lengths it allows,
// the bytes it allows at each key position and the separators it demands.
// The scanner drops every group these rule out before any check, so a shape
// too narrow loses identifiers.
#include <string>

#include "check.h"
#include "find/widen.h"

namespace {

bool allows(const ovf::Shape& s, std::size_t pos, char c) {
    return (s.classes[pos] & ovf::class_bit(static_cast<unsigned char>(c))) != 0;
}

std::string lengths(const ovf::Shape& s) {
    std::string out;
    for (std::size_t n = 0; n <= ovf::kMaxKey; ++n)
        if (s.lengths[n]) out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

}  // namespace

TEST_CASE("separators take no key position, optional or not") {
    CHECK_EQ(lengths(ovf::shape_of("\\d{3}[ -]?\\d{2}[ -]?\\d{4}")), std::string("9"));
    CHECK_EQ(lengths(ovf::shape_of("\\d{3}-\\d{2}-\\d{4}")), std::string("9"));
    CHECK_EQ(lengths(ovf::shape_of("\\d{2}\\.\\d{3}\\.\\d{3}/\\d{4}-\\d{2}")), std::string("14"));
}

TEST_CASE("lengths of alternatives and counted repeats") {
    CHECK_EQ(lengths(ovf::shape_of("(?:DE\\d{9}|\\d{9})")), std::string("9,11"));
    CHECK_EQ(lengths(ovf::shape_of("\\d{1,3}(?:[A-Z]{2})?")), std::string("1,2,3,4,5"));
    CHECK_EQ(lengths(ovf::shape_of("[A-Z]{2}\\d{2}[A-Z0-9]{11,30}")), [] {
        std::string s;
        for (int n = 15; n <= 34; ++n) s += (s.empty() ? "" : ",") + std::to_string(n);
        return s;
    }());
}

TEST_CASE("bytes allowed at each position") {
    const ovf::Shape s = ovf::shape_of("(?:DE\\d{9}|\\d{9})");
    CHECK(allows(s, 0, 'D'));
    CHECK(allows(s, 0, '7'));
    CHECK(!allows(s, 0, 'E'));
    CHECK(allows(s, 1, 'E'));
    CHECK(!allows(s, 1, 'x'));
    const ovf::Shape b = ovf::shape_of("[A-HJ-NP-Z0-9]{4}");
    CHECK(allows(b, 3, 'H'));
    CHECK(allows(b, 3, 'J'));
    CHECK(!allows(b, 3, 'I'));
    CHECK(!allows(b, 3, 'O'));
    CHECK(allows(b, 3, '0'));
    // A letter of another script, written in the pattern, is bytes of its own.
    const ovf::Shape u = ovf::shape_of("\\d{2}ü");
    CHECK_EQ(lengths(u), std::string("4"));
    CHECK(allows(u, 2, static_cast<char>(0xC3)));
}

TEST_CASE("an atom that may be a separator may also be no key byte") {
    // A century sign that is a hyphen in one century and a letter in another.
    const ovf::Shape s = ovf::shape_of("\\d{6}[-+A]\\d{3}[0-9A-Z]");
    CHECK_EQ(lengths(s), std::string("10,11"));
    CHECK(allows(s, 6, 'A'));
    CHECK(allows(s, 6, '1'));
}

TEST_CASE("separators every match holds") {
    // bit 0 ' ', 1 '-', 2 '.', 3 '/'
    CHECK_EQ(static_cast<int>(ovf::shape_of("\\d{2}-\\d{3}").required_separators), 2);
    CHECK_EQ(static_cast<int>(ovf::shape_of("\\d{2}-?\\d{3}").required_separators), 0);
    CHECK_EQ(static_cast<int>(ovf::shape_of("[\\dA-Z]{1,8}(?:-[\\dA-Z]{1,8}){1,3}").required_separators), 2);
    CHECK_EQ(static_cast<int>(ovf::shape_of("\\d{2}(?:-\\d{3}|/\\d{3})").required_separators), 0);
    CHECK_EQ(static_cast<int>(ovf::shape_of("\\d{2}\\.\\d{3}\\.\\d{3}/\\d{4}").required_separators), 12);
}
