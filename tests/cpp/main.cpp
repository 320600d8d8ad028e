// Runs every registered C++ unit test and reports in the "N passed, N failed" form.
#include "check.h"

int main() {
    int passed = 0, failed = 0;
    for (const auto& c : ovtest::cases()) {
        int before = ovtest::failures();
        try {
            c.body();
        } catch (const std::exception& e) {
            std::cerr << c.name << ": exception: " << e.what() << "\n";
            ++ovtest::failures();
        }
        if (ovtest::failures() == before) {
            ++passed;
        } else {
            ++failed;
            std::cerr << "FAILED: " << c.name << "\n";
        }
    }
    std::cout << "cpp: " << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}
