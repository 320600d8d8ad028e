// Input pre-processing of the compatibility API (plain C++).
#pragma once

#include <string>
#include <string_view>

namespace ovpy {

enum class InputMode { None, DigitsOnly, WalletCandidate };

InputMode input_mode(std::string_view name) noexcept;

// The text that the compatibility API hands to the validator.
std::string apply_input_mode(std::string_view value, InputMode mode);

// The first wallet-like token of a text (as stripped of surrounding
// punctuation), or the trimmed text when there is none.
std::string wallet_candidate(std::string_view value);

}  // namespace ovpy
