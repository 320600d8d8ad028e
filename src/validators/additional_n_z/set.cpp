// The additional set N-Z: 30 national validators, alphabetical by id.
#include "validators/additional_n_z/records.h"

namespace ov {

namespace {
using namespace nz;
const ValidatorSpec* const kAdditionalNZSet[] = {
    &kNgNinSpec,
    &kNiRucSpec,
    &kNlBsnSpec,
    &kNlKvkSpec,
    &kNoFodselsnummerSpec,
    &kNzIrdSpec,
    &kPaRucSpec,
    &kPeRucSpec,
    &kPhPhilidSpec,
    &kPkCnicSpec,
    &kPlRegonSpec,
    &kRsPibSpec,
    &kRuInnSpec,
    &kSeOrgnrSpec,
    &kSeVatSpec,
    &kSgUenSpec,
    &kSiEmsoSpec,
    &kSkIcoSpec,
    &kSkRcSpec,
    &kThTinSpec,
    &kTrTckimlikSpec,
    &kTrVknSpec,
    &kTwUbnSpec,
    &kUaEdrpouSpec,
    &kUsItinSpec,
    &kUsSsnSpec,
    &kUyRutSpec,
    &kVeRifSpec,
    &kVnMstSpec,
    &kZaIdnrSpec,
};
static_assert(std::size(kAdditionalNZSet) == 30);
}  // namespace

std::span<const ValidatorSpec* const> additional_n_z_set() { return kAdditionalNZSet; }

}  // namespace ov
