// The 59 records of the legacy set, defined by theme in records_*.cpp.
#pragma once

#include "registry/spec.h"

namespace ov::legacy {

extern const ValidatorSpec kAtTinSpec;
extern const ValidatorSpec kAtUidSpec;
extern const ValidatorSpec kAuAcnSpec;
extern const ValidatorSpec kBeNnSpec;
extern const ValidatorSpec kBeVatSpec;
extern const ValidatorSpec kBgVatSpec;
extern const ValidatorSpec kBrCnpjSpec;
extern const ValidatorSpec kChUidSpec;
extern const ValidatorSpec kCnRicSpec;
extern const ValidatorSpec kCyVatSpec;
extern const ValidatorSpec kCzDicSpec;
extern const ValidatorSpec kCzRcSpec;
extern const ValidatorSpec kDeIdnrSpec;
extern const ValidatorSpec kDeStnrSpec;
extern const ValidatorSpec kDeSvnrSpec;
extern const ValidatorSpec kDeVatSpec;
extern const ValidatorSpec kDkCprSpec;
extern const ValidatorSpec kDkVatSpec;
extern const ValidatorSpec kEeIkSpec;
extern const ValidatorSpec kEeVatSpec;
extern const ValidatorSpec kEsCifSpec;
extern const ValidatorSpec kEsNieSpec;
extern const ValidatorSpec kEsNssSpec;
extern const ValidatorSpec kEsVatSpec;
extern const ValidatorSpec kFiHetuSpec;
extern const ValidatorSpec kFiVatSpec;
extern const ValidatorSpec kFiYtunnusSpec;
extern const ValidatorSpec kFrNirSpec;
extern const ValidatorSpec kFrSirenSpec;
extern const ValidatorSpec kFrSiretSpec;
extern const ValidatorSpec kFrTvaSpec;
extern const ValidatorSpec kGbNhsSpec;
extern const ValidatorSpec kGbNinoSpec;
extern const ValidatorSpec kGbVatSpec;
extern const ValidatorSpec kGrVatSpec;
extern const ValidatorSpec kHrVatSpec;
extern const ValidatorSpec kHuVatSpec;
extern const ValidatorSpec kIePpsSpec;
extern const ValidatorSpec kIeVatSpec;
extern const ValidatorSpec kItCodiceFiscaleSpec;
extern const ValidatorSpec kItIvaSpec;
extern const ValidatorSpec kLtAsmensSpec;
extern const ValidatorSpec kLtVatSpec;
extern const ValidatorSpec kLuVatSpec;
extern const ValidatorSpec kLvVatSpec;
extern const ValidatorSpec kMtVatSpec;
extern const ValidatorSpec kNlVatSpec;
extern const ValidatorSpec kNoMvaSpec;
extern const ValidatorSpec kNoOrgnrSpec;
extern const ValidatorSpec kPlNipSpec;
extern const ValidatorSpec kPlPeselSpec;
extern const ValidatorSpec kPtCcSpec;
extern const ValidatorSpec kPtVatSpec;
extern const ValidatorSpec kRoCnpSpec;
extern const ValidatorSpec kRoVatSpec;
extern const ValidatorSpec kSePersonnummerSpec;
extern const ValidatorSpec kSiVatSpec;
extern const ValidatorSpec kSkDicSpec;
extern const ValidatorSpec kUsRtnSpec;

}  // namespace ov::legacy
