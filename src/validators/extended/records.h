// Records of the extended set, one per kind, defined in the files by theme.
#pragma once

#include "registry/spec.h"

namespace ov::extended {

// books_media.cpp
extern const ValidatorSpec kIsbnSpec;
extern const ValidatorSpec kIssnSpec;
extern const ValidatorSpec kIsmnSpec;
extern const ValidatorSpec kIsanSpec;
extern const ValidatorSpec kIsrcSpec;
extern const ValidatorSpec kIsilSpec;
// name_registries.cpp
extern const ValidatorSpec kIsniSpec;
extern const ValidatorSpec kOrcidSpec;
extern const ValidatorSpec kGridSpec;
// trade.cpp
extern const ValidatorSpec kEanSpec;
extern const ValidatorSpec kIso6346Spec;
extern const ValidatorSpec kIso11649Spec;
extern const ValidatorSpec kImoSpec;
// telecom.cpp
extern const ValidatorSpec kImeiSpec;
extern const ValidatorSpec kMeidSpec;
extern const ValidatorSpec kImsiSpec;
extern const ValidatorSpec kMacSpec;
// securities_chemistry.cpp
extern const ValidatorSpec kCusipSpec;
extern const ValidatorSpec kFigiSpec;
extern const ValidatorSpec kCasrnSpec;
extern const ValidatorSpec kEuEcNumberSpec;
// vehicles.cpp
extern const ValidatorSpec kVinSpec;

}  // namespace ov::extended
