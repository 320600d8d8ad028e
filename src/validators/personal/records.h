// Records of the personal set, one per kind, defined in the files by theme.
#pragma once

#include "registry/spec.h"

namespace ov::personal {

// us_health.cpp
extern const ValidatorSpec kUsNpiSpec;
extern const ValidatorSpec kUsDeaSpec;
extern const ValidatorSpec kUsMbiSpec;
// asia_pacific.cpp
extern const ValidatorSpec kAuMedicareSpec;
extern const ValidatorSpec kSgNricSpec;
extern const ValidatorSpec kTwNidSpec;
extern const ValidatorSpec kNzNhiSpec;
// id_cards.cpp
extern const ValidatorSpec kPlIdcardSpec;
extern const ValidatorSpec kDeIdcardSpec;

}  // namespace ov::personal
