// The personal set: personal, health and identity-card numbers, in declaration order.
#include <iterator>

#include "registry/spec.h"
#include "validators/personal/records.h"

namespace ov {

namespace {
using namespace personal;
const ValidatorSpec* const kPersonalSet[] = {
    // United States health care
    &kUsNpiSpec, &kUsDeaSpec, &kUsMbiSpec,
    // Asia and Oceania
    &kAuMedicareSpec, &kSgNricSpec, &kTwNidSpec, &kNzNhiSpec,
    // identity cards and passports
    &kPlIdcardSpec, &kDeIdcardSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> personal_set() { return kPersonalSet; }

}  // namespace ov
