#include "registry/registry.h"

#include <algorithm>
#include <vector>

namespace ov {

namespace {

std::vector<const ValidatorSpec*> build_registry() {
    std::vector<const ValidatorSpec*> all;
    for (auto set : {core_set(), legacy_set(), additional_a_m_set(), additional_n_z_set()})
        all.insert(all.end(), set.begin(), set.end());
    // Ids are unique, so plain byte order is a total order.
    std::sort(all.begin(), all.end(),
              [](const ValidatorSpec* a, const ValidatorSpec* b) { return a->id < b->id; });
    return all;
}

}  // namespace

std::span<const ValidatorSpec* const> registry() {
    // Built once per process; the initialisation is thread-safe and the
    // result is immutable afterwards.
    static const std::vector<const ValidatorSpec*> all = build_registry();
    return all;
}

const ValidatorSpec* find_validator(std::string_view id) noexcept {
    auto all = registry();
    auto it = std::lower_bound(all.begin(), all.end(), id,
                               [](const ValidatorSpec* s, std::string_view key) { return s->id < key; });
    if (it != all.end() && (*it)->id == id) return *it;
    return nullptr;
}

}  // namespace ov
