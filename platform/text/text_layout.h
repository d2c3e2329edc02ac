#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gdi/types.h"

namespace platform {

class Font;

// The character starting at `at`, which moves past it. Surrogate pairs are
// joined; an unpaired surrogate reads as U+FFFD.
char32_t nextCodePoint(std::u16string_view text, std::size_t& at);

// Where one line of text goes inside the box it is measured to. Glyph
// origins start at (originX, baseline) and step by each glyph's advance.
// The box is the advances' sum by the font's cell height, widened where ink
// reaches past it (a leading overhang moves the origin right, ink above the
// ascent moves the baseline down), so everything drawn lies inside it.
struct LineLayout {
    SIZE extent;
    std::int32_t originX = 0;
    std::int32_t baseline = 0;
};

// An empty text measures {0, 0}.
LineLayout layoutLine(const Font& font, std::u16string_view text);

}  // namespace platform
