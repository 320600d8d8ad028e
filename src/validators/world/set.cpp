// The world set: numbers of the Americas, Africa, Asia and Oceania, in declaration order.
#include "registry/spec.h"
#include "validators/world/rules.h"

namespace ov {

namespace {
using namespace world;
const ValidatorSpec* const kWorldSet[] = {
    // the Americas
    &kCaBcPhnSpec, &kCrCpjSpec, &kCrCrSpec, &kDoCedulaSpec, &kDoNcfSpec, &kEcCiSpec, &kPeCuiSpec, &kPyRucSpec,
    &kSvNitSpec, &kUsAtinSpec, &kUsPtinSpec,
    // Africa
    &kDzNifSpec, &kGnNifpSpec, &kKePinSpec, &kMuNidSpec, &kMzNuitSpec, &kSnNineaSpec, &kTnMfSpec, &kZaTinSpec,
    // Asia
    &kIdNikSpec, &kIlHpSpec, &kInEpicSpec, &kInVidSpec, &kOmVatSpec, &kThMoaSpec, &kThPinSpec,
    // Italy's medicine code, Russia and Ukraine
    &kItAicSpec, &kRuOgrnSpec, &kUaRntrcSpec,
    // Oceania
    &kNzBankAccountSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> world_set() { return kWorldSet; }

}  // namespace ov
