// The extended set: international standard numbers beyond the documented
// registry, in declaration order (grouped by theme, as the files are).
#include <iterator>
#include <vector>

#include "registry/spec.h"
#include "validators/extended/records.h"

namespace ov {

namespace {
using namespace extended;
const ValidatorSpec* const kExtendedSet[] = {
    // books, serials, music and media
    &kIsbnSpec, &kIssnSpec, &kIsmnSpec, &kIsniSpec, &kIsanSpec, &kIsrcSpec, &kIsilSpec, &kGridSpec, &kOrcidSpec,
    // trade
    &kEanSpec, &kIso6346Spec, &kIso11649Spec, &kImoSpec,
    // telecom and devices
    &kImeiSpec, &kMeidSpec, &kImsiSpec, &kMacSpec,
    // securities and chemistry
    &kCusipSpec, &kFigiSpec, &kCasrnSpec, &kEuEcNumberSpec,
    // vehicles
    &kVinSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> extended_set() {
    static const std::vector<const ValidatorSpec*> all = [] {
        std::vector<const ValidatorSpec*> v(std::begin(kExtendedSet), std::end(kExtendedSet));
        for (auto set : {europe_set(), world_set(), personal_set(), crosscut_set()})
            v.insert(v.end(), set.begin(), set.end());
        return v;
    }();
    return all;
}

}  // namespace ov
