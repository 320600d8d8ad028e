#include "registry/registry.h"

#include <algorithm>
#include <vector>

#include "registry/id_index.h"

namespace ov {

namespace {

std::vector<const ValidatorSpec*> build_registry(bool with_extended) {
    std::vector<const ValidatorSpec*> all;
    for (auto set : {core_set(), legacy_set(), additional_a_m_set(), additional_n_z_set()})
        all.insert(all.end(), set.begin(), set.end());
    if (with_extended) all.insert(all.end(), extended_set().begin(), extended_set().end());
    // Ids are unique, so plain byte order is a total order.
    std::sort(all.begin(), all.end(),
              [](const ValidatorSpec* a, const ValidatorSpec* b) { return a->id < b->id; });
    return all;
}

// The sorted records and the hash index over their ids, built together
// once per process (thread-safe static initialisation) and immutable after.
struct Built {
    explicit Built(bool with_extended) : sorted(build_registry(with_extended)), index(sorted) {}
    std::vector<const ValidatorSpec*> sorted;
    IdIndex index;
};

const Built& built() {
    static const Built b{false};
    return b;
}

const Built& built_all() {
    static const Built b{true};
    return b;
}

}  // namespace

std::span<const ValidatorSpec* const> registry() { return built().sorted; }

const ValidatorSpec* find_validator(std::string_view id) noexcept {
    // A reference of its own, so that the hot path tests one guard inline
    // instead of calling the function that builds the registry.
    static const IdIndex& index = built().index;
    return index.find(id);
}

std::span<const ValidatorSpec* const> all_validators() { return built_all().sorted; }

const ValidatorSpec* find_any_validator(std::string_view id) noexcept {
    static const IdIndex& index = built_all().index;
    return index.find(id);
}

const ValidatorSpec* find_validator_sorted(std::string_view id) noexcept {
    auto all = registry();
    auto it = std::lower_bound(all.begin(), all.end(), id,
                               [](const ValidatorSpec* s, std::string_view key) { return s->id < key; });
    if (it != all.end() && (*it)->id == id) return *it;
    return nullptr;
}

}  // namespace ov
