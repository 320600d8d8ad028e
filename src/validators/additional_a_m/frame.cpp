// Placeholder for the set's frame: default compaction and fixed messages.
#include "primitives/normalize.h"
#include "validators/additional_a_m/checks.h"

namespace ov::am {

std::string default_compact(std::string_view value) { return strip_separators(value, " -./()"); }

ValidationOutcome failure(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidLength: return ValidationOutcome::failure(code, kMsgInvalidLength);
        case ErrorCode::InvalidChecksum: return ValidationOutcome::failure(code, kMsgAmChecksum);
        case ErrorCode::InvalidComponent: return ValidationOutcome::failure(code, kMsgInvalidComponent);
        default: return ValidationOutcome::failure(ErrorCode::InvalidFormat, kMsgInvalidFormat);
    }
}

}  // namespace ov::am
