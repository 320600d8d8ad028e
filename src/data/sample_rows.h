// Drawing sample values: the seeded generator every sampler uses, and the
// per-kind rows for the few ids whose structure a generic sampler cannot
// find from their examples (check values spread over many characters,
// country layouts). Each validator set keeps its rows next to its records,
// in its folder's sample_rows.cpp. Plain C++.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ov {

// xoshiro256** seeded through splitmix64: the same seed gives the same
// stream on every platform and compiler (only 64-bit unsigned arithmetic).
class SampleRng {
public:
    explicit SampleRng(std::uint64_t seed) noexcept {
        for (auto& word : s_) {
            seed += 0x9e3779b97f4a7c15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t next() noexcept {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // A value in [0, n) for n >= 1: the high half of a 64 x 32-bit product,
    // so no division and no bias worth measuring for the small n used here.
    std::uint32_t below(std::uint32_t n) noexcept {
        return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
    }
    char pick(std::string_view alphabet) noexcept {
        return alphabet[below(static_cast<std::uint32_t>(alphabet.size()))];
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) noexcept { return (x << k) | (x >> (64 - k)); }
    std::uint64_t s_[4];
};

inline constexpr std::string_view kSampleDigits = "0123456789";
inline constexpr std::string_view kSampleUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kSampleUpperAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A value of a routing id drawn as another id's value behind a prefix (an
// EU VAT number as a national one behind its country's prefix).
struct SampleRoute {
    std::string_view country;  // the ISO 3166 code a caller may ask for
    std::string_view prefix;
    std::string_view id;
};

// One id drawn by code of its own. `draw` appends one valid value to `out`
// (which it may use as it likes beyond its old end); `country` is empty or
// one that `has_country` accepted. A routing id has routes instead: one of
// them (or the one of the country asked for) draws each value.
struct SampleRow {
    std::string_view id;
    void (*draw)(SampleRng& rng, std::string_view country, std::string& out) = nullptr;
    std::size_t max_length = 0;                            // bytes of the longest value drawn
    bool (*has_country)(std::string_view code) = nullptr;  // nullptr: no choice of country
    std::span<const SampleRoute> routes = {};
};

// The rows of each set, in id order within each set.
std::span<const SampleRow> core_sample_rows() noexcept;
std::span<const SampleRow> crypto_sample_rows() noexcept;
std::span<const SampleRow> additional_a_m_sample_rows() noexcept;
std::span<const SampleRow> books_sample_rows() noexcept;

}  // namespace ov
