// The fuzz driver's shared pieces: the seeded generator, the options, the
// table of fuzz targets and the way a broken invariant is reported.
//
// A target is one engine of the core fed arbitrary text (today the registry
// of validators; the text finder can join as a second entry in targets.cpp).
// The sanitizers catch memory errors and undefined behaviour; a target adds
// the invariants that must hold on every input and reports each broken one
// through `Failures`, which prints a reproducer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovfuzz {

// splitmix64: small, fast, and every case can be rebuilt from (seed, index)
// alone, which is what makes a failing case replayable.
class Rng {
public:
    explicit Rng(std::uint64_t seed) noexcept : state_(seed) {}
    std::uint64_t next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform enough in [0, n) for n far below 2^64; n == 0 gives 0.
    std::size_t below(std::size_t n) noexcept { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    bool one_in(std::size_t n) noexcept { return below(n) == 0; }

private:
    std::uint64_t state_;
};

// The generator of case `index` of a run started with `seed`.
inline Rng case_rng(std::uint64_t seed, std::uint64_t index) noexcept {
    Rng mix(seed ^ (index * 0xD1342543DE82EF95ULL));
    return Rng(mix.next());
}

struct Options {
    std::uint64_t seed = 1;
    std::uint64_t first_case = 0;
    std::uint64_t cases = 0;  // 0: no limit by count
    double seconds = 0;       // 0: no limit by time
    std::string only_target;  // empty: every target
    std::string only_id;      // empty: every id
    // Invariants that the current code is still being mended towards; off
    // by default so that the step in CI checks what holds today.
    bool pending = false;
    bool verbose = false;
    std::size_t max_reports = 20;
};

// Broken invariants of one run: each (target, id, invariant) is printed once
// with its input as an escaped literal and the case that produced it.
class Failures {
public:
    void report(std::string_view target, std::string_view id, std::string_view invariant, std::string_view input,
                std::string_view detail = {});
    std::size_t count() const noexcept { return total_; }
    std::size_t distinct() const noexcept { return seen_.size(); }
    void set_case(std::uint64_t seed, std::uint64_t index) noexcept {
        seed_ = seed;
        index_ = index;
    }
    std::size_t max_reports = 20;

private:
    std::vector<std::string> seen_;
    std::size_t total_ = 0;
    std::uint64_t seed_ = 0, index_ = 0;
};

// What one case hands to a target: the input, and for a generated case the
// seed from which the target may derive inputs of its own (a mutation of each
// id's own examples), so that a case replays from (seed, index) alone.
struct Case {
    std::string_view input;
    std::uint64_t case_seed = 0;
    bool generated = false;  // false: the input came from outside (a file, libFuzzer)
};

struct Target {
    std::string_view name;
    std::string_view about;
    // Texts that input generation mutates: examples, typical shapes.
    std::vector<std::string> (*seeds)();
    void (*run)(const Case& c, const Options& options, Failures& failures);
    // Checks made once per run, not per input (e.g. generated values).
    void (*once)(const Options& options, Failures& failures);
};

std::span<const Target> targets();

// The input and operation under test, printed if the process dies (a
// sanitizer report, a signal), so that every crash comes with its input.
void note_current(std::string_view target, std::string_view id, std::string_view operation,
                  std::string_view input) noexcept;
void install_crash_reporter();

// `text` as a double-quoted literal readable by C++ and Python alike.
std::string escaped(std::string_view text);

}  // namespace ovfuzz
