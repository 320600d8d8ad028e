#include "registry/id_index.h"

#include <cstring>

namespace ov {

namespace {

constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ULL;

// Final avalanche (the murmur3 finaliser), so that the low bits used as the
// slot index depend on every input bit.
constexpr std::uint64_t mix(std::uint64_t h) noexcept {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t load8(const char* p) noexcept {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
std::uint64_t load4(const char* p) noexcept {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

}  // namespace

std::uint64_t id_hash(std::string_view id) noexcept {
    // Fixed-size loads only (a variable-length copy would be a library call).
    // For a given length the words below cover every byte at a fixed
    // position, so equal words mean equal ids.
    const char* p = id.data();
    const std::size_t n = id.size();
    std::uint64_t h = kMul ^ n;
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 < n; i += 8) {
            h = (h ^ load8(p + i)) * kMul;
            h ^= h >> 29;
        }
        h = (h ^ load8(p + n - 8)) * kMul;  // the last eight bytes, overlapping when needed
    } else if (n >= 4) {
        h = (h ^ (load4(p) | load4(p + n - 4) << 32)) * kMul;
    } else if (n > 0) {
        const auto b = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
        h = (h ^ (b(0) | b(n / 2) << 8 | b(n - 1) << 16)) * kMul;
    }
    return mix(h);
}

IdIndex::IdIndex(std::span<const ValidatorSpec* const> records, Hash hash) : hash_(hash) {
    // At most a quarter full: chains stay about one slot long, and there is
    // always a free slot to end a miss.
    std::size_t size = 16;
    while (size < 4 * records.size()) size *= 2;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    for (const ValidatorSpec* spec : records) {
        const std::uint64_t h = hash_(spec->id);
        std::size_t i = static_cast<std::size_t>(h) & mask_;
        while (slots_[i].spec) i = (i + 1) & mask_;
        slots_[i] = Slot{spec, static_cast<std::uint32_t>(h >> 32)};
    }
}

}  // namespace ov
