// Lookup of validator records by id in constant time: an open-addressing
// hash table built once over every registered id. The cost of a lookup
// depends on the length of the id, never on how many records there are.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "registry/spec.h"

namespace ov {

namespace id_detail {

inline std::uint64_t load8(const char* p) noexcept {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
inline std::uint64_t load4(const char* p) noexcept {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}
inline std::uint64_t byte(const char* p, std::size_t i) noexcept { return static_cast<unsigned char>(p[i]); }

// Equality of two texts of the same length n, with fixed-size loads (a
// library call for a variable length would cost more than the lookup).
inline bool same_bytes(const char* a, const char* b, std::size_t n) noexcept {
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (load8(a + i) != load8(b + i)) return false;
        return load8(a + n - 8) == load8(b + n - 8);
    }
    if (n >= 4) return load4(a) == load4(b) && load4(a + n - 4) == load4(b + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace id_detail

// 64-bit hash of an id's bytes. Fixed-size loads only; for a given length
// the words cover every byte at a fixed position, so equal words mean equal
// ids. Independent words are multiplied in parallel and folded once: the
// slot index comes from the high bits, which depend on every input bit.
inline std::uint64_t id_hash(std::string_view id) noexcept {
    using namespace id_detail;
    constexpr std::uint64_t k1 = 0x9E3779B97F4A7C15ULL, k2 = 0xC2B2AE3D27D4EB4FULL, k3 = 0x165667B19E3779F9ULL;
    const char* p = id.data();
    const std::size_t n = id.size();
    std::uint64_t h;
    if (n >= 8) {
        std::uint64_t first = load8(p);
        for (std::size_t i = 8; i + 8 < n; i += 8) first = (first ^ load8(p + i)) * k3 + (first >> 31);
        h = first * k1 ^ load8(p + n - 8) * k2;  // the last eight bytes, overlapping when needed
    } else if (n >= 4) {
        h = (load4(p) | load4(p + n - 4) << 32) * k1;
    } else {
        h = n > 0 ? (byte(p, 0) | byte(p, n / 2) << 8 | byte(p, n - 1) << 16) * k1 : 0;
    }
    h ^= n * k3;
    return h ^ (h >> 29);
}

class IdIndex {
public:
    using Hash = std::uint64_t (*)(std::string_view) noexcept;

    IdIndex() = default;
    // Indexes `records` (ids unique). `hash` is replaceable so that tests
    // can force every id onto one chain; nullptr means id_hash.
    explicit IdIndex(std::span<const ValidatorSpec* const> records, Hash hash = nullptr);

    // The record whose id equals `id` byte for byte, or nullptr.
    const ValidatorSpec* find(std::string_view id) const noexcept {
        if (slots_.empty()) return nullptr;
        const std::uint64_t h = hash_ ? hash_(id) : id_hash(id);
        const auto tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = static_cast<std::size_t>(h >> shift_);; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (!s.spec) return nullptr;  // the table is never full: a chain ends in a free slot
            if (s.tag == tag && s.spec->id.size() == id.size() &&
                id_detail::same_bytes(s.spec->id.data(), id.data(), id.size()))
                return s.spec;
        }
    }

    std::size_t capacity() const noexcept { return slots_.size(); }

private:
    struct Slot {
        const ValidatorSpec* spec = nullptr;
        std::uint32_t tag = 0;  // low half of the id's hash: most misses stop before comparing bytes
    };
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    unsigned shift_ = 64;  // the slot index is the top log2(capacity) bits of the hash
    Hash hash_ = nullptr;
};

}  // namespace ov
