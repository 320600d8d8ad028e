// Records of the core set (the wallet records live with the crypto code).
#pragma once

#include "registry/spec.h"

namespace ov {

extern const ValidatorSpec kAtBusinessIdSpec;
extern const ValidatorSpec kAuAbnSpec;
extern const ValidatorSpec kBrCpfSpec;
extern const ValidatorSpec kCzBankAccountSpec;
extern const ValidatorSpec kEsDniSpec;
extern const ValidatorSpec kBicSpec;
extern const ValidatorSpec kCreditCardSpec;
extern const ValidatorSpec kIbanSpec;
extern const ValidatorSpec kIsinSpec;
extern const ValidatorSpec kLeiSpec;
extern const ValidatorSpec kLuhnSpec;
extern const ValidatorSpec kUsEinSpec;

}  // namespace ov
