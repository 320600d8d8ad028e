// The core set: international, financial and wallet validators, in
// declaration order.
#include "validators/core/records.h"
#include "validators/crypto/crypto.h"

namespace ov {

namespace {
const ValidatorSpec* const kCoreSet[] = {
    &kAtBusinessIdSpec,
    &kAuAbnSpec,
    &kBrCpfSpec,
    &kCzBankAccountSpec,
    &kBtcBase58Spec,
    &kBtcBech32Spec,
    &kEthSpec,
    &kWalletSpec,
    &kEsDniSpec,
    &kBicSpec,
    &kCreditCardSpec,
    &kIbanSpec,
    &kIsinSpec,
    &kLeiSpec,
    &kLuhnSpec,
    &kUsEinSpec,
};
}  // namespace

std::span<const ValidatorSpec* const> core_set() { return kCoreSet; }

}  // namespace ov
