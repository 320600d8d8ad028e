// Lookup of validator records by id in constant time: an open-addressing
// hash table built once over every registered id. The cost of a lookup
// depends on the length of the id, never on how many records there are.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "registry/spec.h"

namespace ov {

// 64-bit hash of an id's bytes, eight at a time (the bytes of a short tail
// are loaded without reading past the end).
std::uint64_t id_hash(std::string_view id) noexcept;

class IdIndex {
public:
    using Hash = std::uint64_t (*)(std::string_view) noexcept;

    IdIndex() = default;
    // Indexes `records` (ids unique). `hash` is replaceable so that tests
    // can force every id onto one chain.
    explicit IdIndex(std::span<const ValidatorSpec* const> records, Hash hash = id_hash);

    // The record whose id equals `id` byte for byte, or nullptr.
    const ValidatorSpec* find(std::string_view id) const noexcept {
        if (slots_.empty()) return nullptr;
        const std::uint64_t h = hash_(id);
        const auto tag = static_cast<std::uint32_t>(h >> 32);
        for (std::size_t i = static_cast<std::size_t>(h) & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (!s.spec) return nullptr;  // the table is never full: a chain ends in a free slot
            if (s.tag == tag && s.spec->id.size() == id.size() && s.spec->id == id) return s.spec;
        }
    }

    std::size_t capacity() const noexcept { return slots_.size(); }

private:
    struct Slot {
        const ValidatorSpec* spec = nullptr;
        std::uint32_t tag = 0;  // high half of the id's hash: most misses stop before comparing bytes
    };
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    Hash hash_ = id_hash;
};

}  // namespace ov
