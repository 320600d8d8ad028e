#include "registry/id_index.h"

namespace ov {

IdIndex::IdIndex(std::span<const ValidatorSpec* const> records, Hash hash) : hash_(hash) {
    // At most a quarter full: chains stay about one slot long, and there is
    // always a free slot to end a miss.
    std::size_t size = 16;
    shift_ = 60;
    while (size < 4 * records.size()) {
        size *= 2;
        --shift_;
    }
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    for (const ValidatorSpec* spec : records) {
        const std::uint64_t h = hash_ ? hash_(spec->id) : id_hash(spec->id);
        std::size_t i = static_cast<std::size_t>(h >> shift_);
        while (slots_[i].spec) i = (i + 1) & mask_;
        slots_[i] = Slot{spec, static_cast<std::uint32_t>(h)};
    }
}

}  // namespace ov
