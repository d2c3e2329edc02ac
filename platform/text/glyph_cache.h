#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

class SizedFace;

// A rendered character: its grey coverage (0 = none, 255 = full) and where
// it sits relative to its origin on the baseline.
struct Glyph {
    std::int32_t left = 0;  // ink's left edge, right of the origin
    std::int32_t top = 0;   // ink's top edge, above the baseline
    std::int32_t width = 0;
    std::int32_t rows = 0;
    std::int32_t advance = 0;  // whole pixels to the next origin
    // rows * width bytes, top row first; null when the glyph has no ink.
    const std::uint8_t* coverage = nullptr;
};

// The glyph for a character of a sized face, rendered on first use and kept
// in a process-wide cache of bounded size. A character the face lacks gives
// the face's missing glyph. The reference stays valid until the next call.
const Glyph& cachedGlyph(const SizedFace& face, char32_t codePoint);

// How many glyphs have been rendered (cache misses) since the program began.
std::uint64_t renderedGlyphCount();
// Coverage bytes the cache holds now.
std::size_t cachedGlyphBytes();

}  // namespace platform
