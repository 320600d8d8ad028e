// The legacy set in its declaration order (alphabetical by id).
#include <iterator>

#include "validators/legacy_specs/records.h"

namespace ov {

namespace {

using namespace legacy;

const ValidatorSpec* const kLegacySet[] = {
    &kAtTinSpec,
    &kAtUidSpec,
    &kAuAcnSpec,
    &kBeNnSpec,
    &kBeVatSpec,
    &kBgVatSpec,
    &kBrCnpjSpec,
    &kChUidSpec,
    &kCnRicSpec,
    &kCyVatSpec,
    &kCzDicSpec,
    &kCzRcSpec,
    &kDeIdnrSpec,
    &kDeStnrSpec,
    &kDeSvnrSpec,
    &kDeVatSpec,
    &kDkCprSpec,
    &kDkVatSpec,
    &kEeIkSpec,
    &kEeVatSpec,
    &kEsCifSpec,
    &kEsNieSpec,
    &kEsNssSpec,
    &kEsVatSpec,
    &kFiHetuSpec,
    &kFiVatSpec,
    &kFiYtunnusSpec,
    &kFrNirSpec,
    &kFrSirenSpec,
    &kFrSiretSpec,
    &kFrTvaSpec,
    &kGbNhsSpec,
    &kGbNinoSpec,
    &kGbVatSpec,
    &kGrVatSpec,
    &kHrVatSpec,
    &kHuVatSpec,
    &kIePpsSpec,
    &kIeVatSpec,
    &kItCodiceFiscaleSpec,
    &kItIvaSpec,
    &kLtAsmensSpec,
    &kLtVatSpec,
    &kLuVatSpec,
    &kLvVatSpec,
    &kMtVatSpec,
    &kNlVatSpec,
    &kNoMvaSpec,
    &kNoOrgnrSpec,
    &kPlNipSpec,
    &kPlPeselSpec,
    &kPtCcSpec,
    &kPtVatSpec,
    &kRoCnpSpec,
    &kRoVatSpec,
    &kSePersonnummerSpec,
    &kSiVatSpec,
    &kSkDicSpec,
    &kUsRtnSpec,
};
static_assert(std::size(kLegacySet) == 59);

}  // namespace

std::span<const ValidatorSpec* const> legacy_set() { return kLegacySet; }

}  // namespace ov
