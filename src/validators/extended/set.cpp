// The extended set: international standard numbers beyond the documented
// registry, in declaration order (grouped by theme, as the files are).
#include "registry/spec.h"
#include "validators/extended/records.h"

namespace ov {

namespace {
using namespace extended;
const ValidatorSpec* const kExtendedSet[] = {
    &kIsbnSpec,
    &kEanSpec,
    &kImeiSpec,
    &kVinSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> extended_set() { return kExtendedSet; }

}  // namespace ov
