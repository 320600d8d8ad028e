// The fuzz targets: one entry per engine fed arbitrary text. A new engine
// (the text finder, say) adds a file defining its Target and one line here.
#include <array>

#include "fuzz.h"

namespace ovfuzz {

extern const Target kRegistryTarget;

std::span<const Target> targets() {
    static const std::array<Target, 1> all = {kRegistryTarget};
    return all;
}

}  // namespace ovfuzz
