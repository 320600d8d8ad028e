// The ISBN agency's ranges: elements, hyphenation and random payloads.
#include <string>
#include <string_view>

#include "check.h"
#include "primitives/checkdigits.h"
#include "validators/extended/isbn_ranges.h"

using namespace ov::extended;

TEST_CASE("isbn ranges: elements of published numbers") {
    IsbnElements e;
    CHECK(isbn_elements("9780306406157", e));
    CHECK_EQ(std::string(e.group), std::string("0"));
    CHECK_EQ(std::string(e.registrant), std::string("306"));
    CHECK_EQ(std::string(e.publication), std::string("40615"));
    CHECK(e.group_info != nullptr && e.group_info->agency == "English language");
    CHECK_EQ(isbn_hyphenate("9789295055025"), std::string("978-92-95055-02-5"));
    CHECK_EQ(isbn_hyphenate("080442957X"), std::string("0-8044-2957-X"));
    CHECK_EQ(isbn_hyphenate("9791090636071"), std::string("979-10-90636-07-1"));
    // Outside the ranges (group 611 has no registrant ranges), other
    // lengths and prefixes: no hyphenation.
    CHECK_EQ(isbn_hyphenate("9786110000000"), std::string());
    CHECK_EQ(isbn_hyphenate("978030640615"), std::string());
    CHECK(!isbn_elements("9770306406157", e));
    CHECK(!isbn_elements("97803064061x7", e));
}

TEST_CASE("isbn ranges: random payloads lie in assigned ranges") {
    for (int i = 0; i < 3000; ++i) {
        const bool only_978 = i % 2 == 0;
        std::string s = isbn_random_payload(only_978);
        CHECK_EQ(s.size(), std::size_t{12});
        CHECK(!only_978 || s.starts_with("978"));
        s.push_back(ov::gs1_check_digit(s));
        IsbnElements e;
        CHECK(isbn_elements(s, e));
        CHECK(!e.registrant.empty() && !e.publication.empty());
    }
    CHECK_EQ(isbn_ranges_snapshot().size(), std::size_t{10});
}
