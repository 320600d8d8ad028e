// Luhn-based routines exposed as module functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ov {

// A random digit string of max(length, 1) characters that passes Luhn.
std::string luhn_generate(std::uint64_t length);

// The card scheme named by a card number's leading digits, if any.
std::optional<std::string_view> credit_card_detect_network(std::string_view value);

}  // namespace ov
