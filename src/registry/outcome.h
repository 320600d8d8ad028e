// Native result shapes shared by every validator: error codes, validation
// and precheck outcomes, parsed birth data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace ov {

enum class ErrorCode : std::uint8_t {
    InvalidFormat = 0,
    InvalidLength = 1,
    InvalidChecksum = 2,
    InvalidComponent = 3,
};

// The name Python sees for a code, e.g. "INVALID_FORMAT".
std::string_view error_code_name(ErrorCode code) noexcept;

// Generic messages shared by the legacy set and the additional set A-M.
inline constexpr std::string_view kMsgInvalidLength = "identifier has an invalid length";
inline constexpr std::string_view kMsgInvalidComponent = "identifier contains an invalid component";
inline constexpr std::string_view kMsgInvalidFormat = "identifier has an invalid format";
inline constexpr std::string_view kMsgLegacyChecksum = "identifier checksum or components are invalid";
inline constexpr std::string_view kMsgAmChecksum = "identifier checksum mismatch";

// Success carries the compact text; failure carries a code and a message
// with static lifetime (messages are never composed at run time).
//
// The compact text is stored in one of three ways, read through `text()`:
// - owned in a std::string (`success`);
// - copied into a small buffer inside the outcome (`success_copy`), which
//   spares a heap allocation for the texts a little too long for the
//   string's own small buffer (an IBAN, say); longer texts go to the string;
// - viewed rather than copied (`success_input`): the compact text is then
//   the caller's input itself, so the outcome must not outlive it.
struct ValidationOutcome {
    static constexpr std::size_t kInlineCapacity = 47;

    std::string compact;         // owned compact text
    std::string_view input;      // the compact text when borrowed
    std::string_view message;
    ErrorCode code = ErrorCode::InvalidFormat;
    bool ok = false;
    bool borrowed = false;
    std::uint8_t inline_size = 0;  // bytes in `inline_text`, when in use
    bool in_place = false;
    char inline_text[kInlineCapacity];

    std::string_view text() const noexcept {
        if (borrowed) return input;
        if (in_place) return {inline_text, inline_size};
        return compact;
    }

    static ValidationOutcome success(std::string text) {
        ValidationOutcome o;
        o.compact = std::move(text);
        o.ok = true;
        return o;
    }
    static ValidationOutcome success_copy(std::string_view text) {
        if (text.size() > kInlineCapacity) return success(std::string(text));
        ValidationOutcome o;
        std::memcpy(o.inline_text, text.data(), text.size());
        o.inline_size = static_cast<std::uint8_t>(text.size());
        o.in_place = true;
        o.ok = true;
        return o;
    }
    static ValidationOutcome success_input(std::string_view value) noexcept {
        ValidationOutcome o;
        o.input = value;
        o.ok = true;
        o.borrowed = true;
        return o;
    }
    static ValidationOutcome failure(ErrorCode c, std::string_view msg) noexcept {
        ValidationOutcome o;
        o.code = c;
        o.message = msg;
        return o;
    }
};
static_assert(ValidationOutcome::kInlineCapacity <= 255);

enum class PrecheckKind : std::uint8_t {
    Failure = 0,     // definitely invalid: code and message are set
    Undecided = 4,   // run the validate operation
    AcceptAsIs = 5,  // valid and already compact: the input is the compact text
};

struct PrecheckOutcome {
    PrecheckKind kind = PrecheckKind::Undecided;
    ErrorCode code = ErrorCode::InvalidFormat;
    std::string_view message;

    static constexpr PrecheckOutcome undecided() noexcept { return {}; }
    static constexpr PrecheckOutcome accept() noexcept {
        return {PrecheckKind::AcceptAsIs, ErrorCode::InvalidFormat, {}};
    }
    static constexpr PrecheckOutcome failure(ErrorCode c, std::string_view m) noexcept {
        return {PrecheckKind::Failure, c, m};
    }
};

enum class Gender : std::uint8_t { Male = 0, Female = 1, Unknown = 2 };

struct ParsedData {
    std::int32_t birth_year = 0;
    std::uint8_t birth_month = 0;
    std::uint8_t birth_day = 0;
    Gender gender = Gender::Unknown;
};

}  // namespace ov
