#include "module/input_modes.h"

#include "primitives/normalize.h"
#include "primitives/text.h"

namespace ovpy {

namespace {

constexpr std::string_view kTokenPunctuation = "(),.:;[]{}";

bool is_token_punctuation(char c) { return kTokenPunctuation.find(c) != std::string_view::npos; }

bool is_wallet_like(std::string_view t) {
    if (t.size() == 42 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) return true;  // Ethereum-like
    if (t.size() >= 26 && t.size() <= 35 && (t[0] == '1' || t[0] == '3')) return true;  // Base58Check-like
    if (t.size() >= 3 && (t[0] == 'b' || t[0] == 'B') && (t[1] == 'c' || t[1] == 'C') && t[2] == '1') {
        // Bech32-like: the length of the lower-case form counts, which can
        // differ from the token's own for non-ASCII characters.
        const std::string l = ov::lower(t);
        return l.size() >= 14 && l.size() <= 74;
    }
    return false;
}

}  // namespace

InputMode input_mode(std::string_view name) noexcept {
    if (name == "digits-only") return InputMode::DigitsOnly;
    if (name == "crypto-wallet-candidate") return InputMode::WalletCandidate;
    return InputMode::None;
}

std::string wallet_candidate(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size()) {
        // Skip a run of white space, then take the token up to the next one.
        char32_t cp;
        std::size_t len = ov::decode_utf8(value, i, cp);
        if (ov::is_white_space(cp)) {
            i += len;
            continue;
        }
        std::size_t end = i;
        while (end < value.size()) {
            std::size_t l = ov::decode_utf8(value, end, cp);
            if (ov::is_white_space(cp)) break;
            end += l;
        }
        std::string_view token = value.substr(i, end - i);
        while (!token.empty() && is_token_punctuation(token.front())) token.remove_prefix(1);
        while (!token.empty() && is_token_punctuation(token.back())) token.remove_suffix(1);
        if (is_wallet_like(token)) return std::string(token);
        i = end;
    }
    return std::string(ov::trim(value));
}

std::string apply_input_mode(std::string_view value, InputMode mode) {
    switch (mode) {
        case InputMode::DigitsOnly: {
            std::string out;
            for (char c : value)
                if (ov::is_digit(c)) out.push_back(c);
            return out;
        }
        case InputMode::WalletCandidate: return wallet_candidate(value);
        default: return std::string(value);
    }
}

}  // namespace ovpy
