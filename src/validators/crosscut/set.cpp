// The crosscut set: numbers that span kinds, in declaration order.
#include "registry/spec.h"
#include "validators/crosscut/records.h"

namespace ov {

namespace {
using namespace crosscut;
const ValidatorSpec* const kCrosscutSet[] = {&kGs1128Spec, &kCfiSpec, &kVatSpec};
}  // namespace

std::span<const ValidatorSpec* const> crosscut_set() { return kCrosscutSet; }

}  // namespace ov
