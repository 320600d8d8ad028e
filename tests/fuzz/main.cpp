// The fuzz driver: a fixed seed and a budget of cases or seconds, so that a
// run in CI is bounded and any failure replays exactly.
//
//   ov_fuzz [--seed N] [--cases N] [--seconds S] [--first-case N]
//           [--target NAME] [--id ID] [--pending] [--input FILE]
//           [--max-reports N] [--verbose] [--list]
//
// Built with -DOV_FUZZ_LIBFUZZER (clang, -fsanitize=fuzzer) it is instead a
// libFuzzer target over the same targets and invariants; OV_FUZZ_PENDING=1
// in the environment adds the pending invariants there.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz.h"
#include "inputs.h"

namespace ovfuzz {
namespace {

std::vector<const Target*> chosen(const Options& options) {
    std::vector<const Target*> out;
    for (const Target& t : targets())
        if (options.only_target.empty() || t.name == options.only_target) out.push_back(&t);
    return out;
}

void run_one(const std::vector<const Target*>& ts, const Case& c, const Options& options, Failures& failures) {
    for (const Target* t : ts) t->run(c, options, failures);
}

#if !defined(OV_FUZZ_LIBFUZZER)

int usage(const char* message) {
    std::fprintf(stderr,
                 "ov_fuzz: %s\nusage: ov_fuzz [--seed N] [--cases N] [--seconds S] [--first-case N] "
                 "[--target NAME] [--id ID] [--pending] [--input FILE] [--max-reports N] [--list]\n",
                 message);
    return 2;
}

bool number(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= 0;
}

int main_impl(int argc, char** argv) {
    Options options;
    std::string input_file;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        double value = 0;
        if (arg == "--pending") {
            options.pending = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--list") {
            list = true;
        } else if (!has_value) {
            return usage(("missing value or unknown option: " + arg).c_str());
        } else if (arg == "--target") {
            options.only_target = argv[++i];
        } else if (arg == "--id") {
            options.only_id = argv[++i];
        } else if (arg == "--input") {
            input_file = argv[++i];
        } else if (!number(argv[++i], value)) {
            return usage(("not a number: " + std::string(argv[i])).c_str());
        } else if (arg == "--seed") {
            options.seed = static_cast<std::uint64_t>(value);
        } else if (arg == "--cases") {
            options.cases = static_cast<std::uint64_t>(value);
        } else if (arg == "--first-case") {
            options.first_case = static_cast<std::uint64_t>(value);
        } else if (arg == "--seconds") {
            options.seconds = value;
        } else if (arg == "--max-reports") {
            options.max_reports = static_cast<std::size_t>(value);
        } else {
            return usage(("unknown option: " + arg).c_str());
        }
    }
    if (list) {
        for (const Target& t : targets())
            std::printf("%.*s: %.*s\n", static_cast<int>(t.name.size()), t.name.data(),
                        static_cast<int>(t.about.size()), t.about.data());
        return 0;
    }
    const std::vector<const Target*> ts = chosen(options);
    if (ts.empty()) return usage("no such target");
    install_crash_reporter();
    Failures failures;
    failures.max_reports = options.max_reports;

    if (!input_file.empty()) {
        std::ifstream in(input_file, std::ios::binary);
        if (!in) return usage(("cannot read " + input_file).c_str());
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        run_one(ts, Case{text}, options, failures);
        std::printf("fuzz: 1 input from %s, %zu broken invariants\n", input_file.c_str(), failures.count());
        return failures.count() == 0 ? 0 : 1;
    }
    if (options.cases == 0 && options.seconds == 0) options.cases = 1000;

    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    for (const Target* t : ts)
        if (t->once) t->once(options, failures);
    std::vector<std::vector<std::string>> seeds;
    for (const Target* t : ts) seeds.push_back(t->seeds ? t->seeds() : std::vector<std::string>{});

    std::uint64_t done = 0;
    std::size_t bytes = 0;
    for (std::uint64_t index = options.first_case;; ++index) {
        if (options.cases && done >= options.cases) break;
        if (options.seconds && elapsed() >= options.seconds) break;
        failures.set_case(options.seed, index);
        Rng rng = case_rng(options.seed, index);
        const std::uint64_t case_seed = rng.next();
        for (std::size_t k = 0; k < ts.size(); ++k) {
            const std::string input = any_input(rng, seeds[k]);
            bytes += input.size();
            ts[k]->run(Case{input, case_seed, true}, options, failures);
        }
        ++done;
        if (options.verbose && done % 1000 == 0) std::fprintf(stderr, "fuzz: %llu cases\n", (unsigned long long)done);
    }
    const double seconds = elapsed();
    std::printf("fuzz: seed %llu, cases %llu..%llu (%llu cases, %zu input bytes) in %.1f s, "
                "%zu broken invariants (%zu distinct)%s\n",
                static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.first_case),
                static_cast<unsigned long long>(options.first_case + done), static_cast<unsigned long long>(done),
                bytes, seconds, failures.count(), failures.distinct(), options.pending ? ", pending invariants on" : "");
    return failures.count() == 0 ? 0 : 1;
}

#endif

}  // namespace
}  // namespace ovfuzz

#if defined(OV_FUZZ_LIBFUZZER)

// libFuzzer's entry point: the same targets and invariants on its inputs;
// a broken invariant aborts so that libFuzzer keeps the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ovfuzz::Options options = [] {
        ovfuzz::Options o;
        const char* pending = std::getenv("OV_FUZZ_PENDING");
        o.pending = pending && *pending == '1';
        return o;
    }();
    static const std::vector<const ovfuzz::Target*> ts = ovfuzz::chosen(options);
    ovfuzz::Failures failures;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ovfuzz::run_one(ts, ovfuzz::Case{input}, options, failures);
    if (failures.count() != 0) std::abort();
    return 0;
}

#else

int main(int argc, char** argv) { return ovfuzz::main_impl(argc, argv); }

#endif
