// The europe set: European tax, business and register numbers, in
// declaration order (grouped by theme, as the files are).
#include <iterator>

#include "registry/spec.h"
#include "validators/europe/common.h"

namespace ov {

namespace {
using namespace europe;
const ValidatorSpec* const kEuropeSet[] = {
    // payments and bank accounts
    &kBeOgmVcsSpec, &kChEsrSpec, &kDeLeitwegSpec, &kEsCccSpec, &kEuAt02Spec, &kNoKontonrSpec,
    // identity documents and personal numbers
    &kBeEidSpec, &kBeSsnSpec, &kFiVeronumeroSpec, &kNlIdentiteitskaartnummerSpec,
    // schools and pupils
    &kGbUpnSpec, &kNlBrinSpec, &kNlOnderwijsnummerSpec,
    // registers and securities
    &kDeWknSpec, &kEsReferenciaCatastralSpec, &kFiAssociationIdSpec, &kFoVnSpec, &kFrRcsSpec, &kRoOnrcSpec,
    &kSiMaticnaSpec, &kSmCoeSpec,
    // energy, excise and cross-border tax
    &kEsCaeSpec, &kEsCupsSpec, &kEuBanknoteSpec, &kEuEicSpec, &kEuExciseSpec, &kEuOssSpec, &kFrAcciseSpec,
    // national numbers behind VAT numbers
    &kHrOibSpec, &kRoCuiSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> europe_set() { return kEuropeSet; }

}  // namespace ov
