// Reporting: broken invariants, and the input in hand when the process dies.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define OV_FUZZ_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define OV_FUZZ_SANITIZED 1
#endif
#if defined(OV_FUZZ_SANITIZED) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define OV_FUZZ_DEATH_CALLBACK 1
#endif
#if !defined(_WIN32)
#include <unistd.h>
#endif
#if defined(OV_FUZZ_DEATH_CALLBACK) && defined(__linux__)
#include <dlfcn.h>
#endif

namespace ovfuzz {

namespace {

// Three-digit octal escapes read the same in C++ and in Python bytes
// literals, whatever character follows.
template <class Out>
void escape_into(std::string_view text, Out&& out) {
    static constexpr char kOctal[] = "01234567";
    for (unsigned char ch : text) {
        if (ch == '\\' || ch == '"') {
            out('\\');
            out(static_cast<char>(ch));
        } else if (ch >= 0x20 && ch < 0x7F) {
            out(static_cast<char>(ch));
        } else {
            out('\\');
            out(kOctal[(ch >> 6) & 7]);
            out(kOctal[(ch >> 3) & 7]);
            out(kOctal[ch & 7]);
        }
    }
}

struct Current {
    std::string_view target, id, operation, input;
};
Current current;

// Async-signal-safe enough: fixed buffer, write(2), no allocation.
void write_current() noexcept {
    char buffer[4096];
    std::size_t n = 0;
    auto put = [&](char ch) {
        if (n + 1 < sizeof buffer) buffer[n++] = ch;
    };
    auto puts = [&](std::string_view s) {
        for (char ch : s) put(ch);
    };
    puts("\n[fuzz] died in target ");
    puts(current.target);
    puts(", id ");
    puts(current.id);
    puts(", operation ");
    puts(current.operation);
    puts(", input b\"");
    escape_into(current.input.substr(0, 900), put);
    puts(current.input.size() > 900 ? "\"... (cut)\n" : "\"\n");
#if defined(_WIN32)
    std::fwrite(buffer, 1, n, stderr);
#else
    ssize_t ignored = ::write(2, buffer, n);
    (void)ignored;
#endif
}

#if !defined(OV_FUZZ_DEATH_CALLBACK)
extern "C" void on_fatal_signal(int sig) {
    write_current();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}
#endif

}  // namespace

std::string escaped(std::string_view text) {
    std::string out = "\"";
    escape_into(text, [&](char ch) { out += ch; });
    out += '"';
    return out;
}

void note_current(std::string_view target, std::string_view id, std::string_view operation,
                  std::string_view input) noexcept {
    current = {target, id, operation, input};
}

void install_crash_reporter() {
#if defined(OV_FUZZ_DEATH_CALLBACK)
    // The sanitizers own the fatal signals; they call back before exiting.
    __sanitizer_set_death_callback(write_current);
#if defined(__linux__)
    // GCC links UBSan as a runtime of its own, with its own callback.
    if (void* ubsan = dlopen("libubsan.so.1", RTLD_NOW | RTLD_NOLOAD)) {
        using Setter = void (*)(void (*)());
        if (auto set = reinterpret_cast<Setter>(dlsym(ubsan, "__sanitizer_set_death_callback"))) set(write_current);
    }
#endif
#else
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGILL})
        std::signal(sig, on_fatal_signal);
#endif
}

void Failures::report(std::string_view target, std::string_view id, std::string_view invariant,
                      std::string_view input, std::string_view detail) {
    ++total_;
    std::string key;
    key.append(target).append("/").append(id).append("/").append(invariant);
    for (const std::string& k : seen_)
        if (k == key) return;
    seen_.push_back(key);
    if (seen_.size() > max_reports) return;
    std::fprintf(stderr, "[fuzz] %.*s %.*s: %.*s\n  input  b%s (%zu bytes; seed %llu, case %llu)\n",
                 static_cast<int>(target.size()), target.data(), static_cast<int>(id.size()), id.data(),
                 static_cast<int>(invariant.size()), invariant.data(), escaped(input.substr(0, 2000)).c_str(),
                 input.size(), static_cast<unsigned long long>(seed_), static_cast<unsigned long long>(index_));
    if (!detail.empty())
        std::fprintf(stderr, "  detail b%s\n", escaped(detail.substr(0, 2000)).c_str());
}

}  // namespace ovfuzz
