// Records of the additional set A-M, one per validator.
#pragma once

#include "registry/spec.h"

namespace ov::am {

extern const ValidatorSpec kAdNrtSpec;
extern const ValidatorSpec kAeEidSpec;
extern const ValidatorSpec kAiTinSpec;
extern const ValidatorSpec kAlNiptSpec;
extern const ValidatorSpec kAmTinSpec;
extern const ValidatorSpec kArCbuSpec;
extern const ValidatorSpec kArCuitSpec;
extern const ValidatorSpec kArDniSpec;
extern const ValidatorSpec kAtVnrSpec;
extern const ValidatorSpec kAuTfnSpec;
extern const ValidatorSpec kAzVoenSpec;
extern const ValidatorSpec kBaJmbgSpec;
extern const ValidatorSpec kBdNidSpec;
extern const ValidatorSpec kBeBisSpec;
extern const ValidatorSpec kBgEgnSpec;
extern const ValidatorSpec kBgPnfSpec;
extern const ValidatorSpec kBhCprSpec;
extern const ValidatorSpec kByUnpSpec;
extern const ValidatorSpec kBzTinSpec;
extern const ValidatorSpec kCaBnSpec;
extern const ValidatorSpec kCaSinSpec;
extern const ValidatorSpec kChSsnSpec;
extern const ValidatorSpec kChVatSpec;
extern const ValidatorSpec kClRutSpec;
extern const ValidatorSpec kCnUsccSpec;
extern const ValidatorSpec kCoNitSpec;
extern const ValidatorSpec kCrCpfSpec;
extern const ValidatorSpec kCuNiSpec;
extern const ValidatorSpec kCzIcoSpec;
extern const ValidatorSpec kDeHandelsregSpec;
extern const ValidatorSpec kDkCvrSpec;
extern const ValidatorSpec kDoRncSpec;
extern const ValidatorSpec kEcRucSpec;
extern const ValidatorSpec kEeRegistrikoodSpec;
extern const ValidatorSpec kEgTnSpec;
extern const ValidatorSpec kEuVatSpec;
extern const ValidatorSpec kFrNifSpec;
extern const ValidatorSpec kGbSedolSpec;
extern const ValidatorSpec kGbUtrSpec;
extern const ValidatorSpec kGePinSpec;
extern const ValidatorSpec kGhTinSpec;
extern const ValidatorSpec kGrAmkaSpec;
extern const ValidatorSpec kGtNitSpec;
extern const ValidatorSpec kHkHkidSpec;
extern const ValidatorSpec kIdNpwpSpec;
extern const ValidatorSpec kIlIdnrSpec;
extern const ValidatorSpec kInAadhaarSpec;
extern const ValidatorSpec kInGstinSpec;
extern const ValidatorSpec kInPanSpec;
extern const ValidatorSpec kIqNidSpec;
extern const ValidatorSpec kIrNidSpec;
extern const ValidatorSpec kIsKennitalaSpec;
extern const ValidatorSpec kIsVskSpec;
extern const ValidatorSpec kJpCnSpec;
extern const ValidatorSpec kJpMynumberSpec;
extern const ValidatorSpec kKrBrnSpec;
extern const ValidatorSpec kKrRrnSpec;
extern const ValidatorSpec kKwCivilSpec;
extern const ValidatorSpec kKzIinSpec;
extern const ValidatorSpec kLiPeidSpec;
extern const ValidatorSpec kLkNicSpec;
extern const ValidatorSpec kMaIceSpec;
extern const ValidatorSpec kMcTvaSpec;
extern const ValidatorSpec kMdIdnoSpec;
extern const ValidatorSpec kMePibSpec;
extern const ValidatorSpec kMkEdbSpec;
extern const ValidatorSpec kMuBrnSpec;
extern const ValidatorSpec kMxClabeSpec;
extern const ValidatorSpec kMxCurpSpec;
extern const ValidatorSpec kMxRfcSpec;
extern const ValidatorSpec kMyNricSpec;

}  // namespace ov::am
