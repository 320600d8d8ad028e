// Records of the crosscut set, one per kind, defined in the files by theme.
#pragma once

#include "registry/spec.h"

namespace ov::crosscut {

extern const ValidatorSpec kGs1128Spec;  // gs1_128.cpp
extern const ValidatorSpec kCfiSpec;     // cfi.cpp
extern const ValidatorSpec kVatSpec;     // vat.cpp

}  // namespace ov::crosscut
