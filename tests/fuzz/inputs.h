// Input generation: random bytes, random UTF-8, tokens that text handling
// gets wrong (NUL, zero-width and combining marks, separators, look-alike
// digits), mutations of real examples, and very long texts.
#pragma once

#include <span>
#include <string>

#include "fuzz.h"

namespace ovfuzz {

// Any bytes, valid UTF-8 or not.
std::string random_bytes(Rng& rng, std::size_t max_len);
// Well-formed UTF-8 of 1- to 4-byte characters.
std::string random_utf8(Rng& rng, std::size_t max_chars);
// Digits, letters, separators and the troublesome characters, mixed.
std::string random_tokens(Rng& rng, std::size_t max_tokens);
// One to four edits of `base`: a character replaced, inserted, deleted (as a
// byte or as a whole character), a range duplicated, case flipped, the text
// wrapped in blanks or zero-width characters, split by separators.
std::string mutate(Rng& rng, std::string base);
// A seed repeated, padded or flooded with one token up to 1-100 KiB.
std::string very_long(Rng& rng, std::span<const std::string> seeds);

// One input of a case, of a kind drawn by the generator.
std::string any_input(Rng& rng, std::span<const std::string> seeds);

}  // namespace ovfuzz
