// How documents write numbers that the scanner reads in ASCII: full-width
// digits and letters, no-break, thin and other spaces, soft hyphens and
// zero-width marks, dashes for hyphens. The text is read through a
// compatibility mapping of those characters only, and every byte of the
// mapped text remembers the original character it came from, so matches
// are reported where they stand in the original.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovf {

struct Normalised {
    std::string text;
    // One record per mapped character, in order: where its replacement
    // stands in `text` (or the next byte, when it maps to nothing), where
    // it starts in the original and its length there. Bytes between them
    // are copied as they are.
    struct Edit {
        std::uint32_t at, orig;
        std::uint8_t length;
        bool replaced;
    };
    std::vector<Edit> edits;

    // Where the original character that byte `i` of `text` came from starts.
    std::size_t start_of(std::size_t i) const noexcept;
    // The original end of a span ending at `i` (exclusive) of `text`.
    std::size_t end_of(std::size_t i) const noexcept;
    // The first byte of `text` that comes from original offset `o` or later.
    std::size_t index_of(std::size_t o) const noexcept;
};

// Whether `text` holds a character the mapping changes; when it does,
// `out` receives the mapped text. Texts of 4 GB or more are left as they
// are.
bool normalise(std::string_view text, Normalised& out);

// The byte length of the character the mapping changes at t[i], or 0.
std::size_t mapped_length(const unsigned char* t, std::size_t i, std::size_t n) noexcept;

}  // namespace ovf
