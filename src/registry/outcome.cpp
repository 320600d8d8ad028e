#include "registry/outcome.h"

namespace ov {

std::string_view error_code_name(ErrorCode code) noexcept {
    switch (code) {
        case ErrorCode::InvalidFormat: return "INVALID_FORMAT";
        case ErrorCode::InvalidLength: return "INVALID_LENGTH";
        case ErrorCode::InvalidChecksum: return "INVALID_CHECKSUM";
        case ErrorCode::InvalidComponent: return "INVALID_COMPONENT";
    }
    return "INVALID_FORMAT";
}

}  // namespace ov
