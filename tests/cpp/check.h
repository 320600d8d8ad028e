// A minimal self-registering test harness for the C++ unit tests.
#pragma once

#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace ovtest {

struct Case {
    const char* name;
    std::function<void()> body;
};

inline std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}
inline int& failures() {
    static int n = 0;
    return n;
}

struct Register {
    Register(const char* name, std::function<void()> body) { cases().push_back({name, std::move(body)}); }
};

template <class A, class B>
void check_eq(const A& a, const B& b, const char* ea, const char* eb, const char* file, int line) {
    if (!(a == b)) {
        std::ostringstream os;
        os << file << ":" << line << ": CHECK_EQ(" << ea << ", " << eb << ") failed";
        if constexpr (requires(std::ostream& o) { o << a; o << b; }) os << ": " << a << " != " << b;
        std::cerr << os.str() << "\n";
        ++failures();
    }
}

}  // namespace ovtest

#define OV_CAT2(a, b) a##b
#define OV_CAT(a, b) OV_CAT2(a, b)
#define TEST_CASE(name)                                                              \
    static void OV_CAT(ov_test_fn_, __LINE__)();                                      \
    static ::ovtest::Register OV_CAT(ov_test_reg_, __LINE__)(name, OV_CAT(ov_test_fn_, __LINE__)); \
    static void OV_CAT(ov_test_fn_, __LINE__)()
#define CHECK(expr)                                                                   \
    do {                                                                              \
        if (!(expr)) {                                                                \
            std::cerr << __FILE__ << ":" << __LINE__ << ": CHECK(" #expr ") failed\n"; \
            ++::ovtest::failures();                                                   \
        }                                                                             \
    } while (0)
#define CHECK_EQ(a, b) ::ovtest::check_eq((a), (b), #a, #b, __FILE__, __LINE__)
