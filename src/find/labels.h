// Labels that announce kinds beyond the words of their records, each with
// the language it is written in.
#pragma once

#include <span>
#include <string_view>

namespace ovf {

struct Label {
    std::string_view id;
    std::string_view language;  // ISO 639-1
    std::string_view text;
};

std::span<const Label> labels();

// A kind written right after another on the same line, with nothing but
// punctuation between: a bank's BIC after the account's IBAN.
struct Companion {
    std::string_view id;
    std::string_view after;
};

std::span<const Companion> companions();

}  // namespace ovf
