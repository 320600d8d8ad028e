// Records of the additional set N-Z, in the set's declaration order.
#pragma once

#include "registry/spec.h"

namespace ov::nz {

// records_n_p.cpp
extern const ValidatorSpec kNgNinSpec;
extern const ValidatorSpec kNiRucSpec;
extern const ValidatorSpec kNlBsnSpec;
extern const ValidatorSpec kNlKvkSpec;
extern const ValidatorSpec kNoFodselsnummerSpec;
extern const ValidatorSpec kNzIrdSpec;
extern const ValidatorSpec kPaRucSpec;
extern const ValidatorSpec kPeRucSpec;
// records_p_s.cpp
extern const ValidatorSpec kPhPhilidSpec;
extern const ValidatorSpec kPkCnicSpec;
extern const ValidatorSpec kPlRegonSpec;
extern const ValidatorSpec kRsPibSpec;
extern const ValidatorSpec kRuInnSpec;
extern const ValidatorSpec kSeOrgnrSpec;
extern const ValidatorSpec kSeVatSpec;
extern const ValidatorSpec kSgUenSpec;
extern const ValidatorSpec kSiEmsoSpec;
extern const ValidatorSpec kSkIcoSpec;
extern const ValidatorSpec kSkRcSpec;
// records_t_z.cpp
extern const ValidatorSpec kThTinSpec;
extern const ValidatorSpec kTrTckimlikSpec;
extern const ValidatorSpec kTrVknSpec;
extern const ValidatorSpec kTwUbnSpec;
extern const ValidatorSpec kUaEdrpouSpec;
extern const ValidatorSpec kUsItinSpec;
extern const ValidatorSpec kUsSsnSpec;
extern const ValidatorSpec kUyRutSpec;
extern const ValidatorSpec kVeRifSpec;
extern const ValidatorSpec kVnMstSpec;
extern const ValidatorSpec kZaIdnrSpec;

}  // namespace ov::nz
