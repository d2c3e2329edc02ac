#include "platform/text/text_layout.h"

#include <algorithm>
#include <limits>

#include "platform/text/font.h"

namespace platform {

namespace {

std::int32_t clampToInt32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

char32_t nextCodePoint(std::u16string_view text, std::size_t& at) {
    const char32_t c = text[at++];
    if (c >= 0xD800 && c < 0xDC00 && at < text.size() && text[at] >= 0xDC00 && text[at] < 0xE000)
        return 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[at++]) - 0xDC00);
    if (c >= 0xD800 && c < 0xE000) return 0xFFFD;
    return c;
}

LineLayout layoutLine(const Font& font, std::u16string_view text) {
    LineLayout layout;
    if (text.empty()) return layout;
    const std::int64_t ascent = font.ascent();
    // Ink bounds relative to the first origin on the baseline; the cell
    // itself always counts.
    std::int64_t pen = 0, left = 0, right = 0, top = -ascent, bottom = font.descent();
    for (std::size_t i = 0; i < text.size();) {
        const Glyph& g = font.glyph(nextCodePoint(text, i));
        if (g.coverage) {
            left = std::min(left, pen + g.left);
            right = std::max(right, pen + g.left + g.width);
            top = std::min<std::int64_t>(top, -g.top);
            bottom = std::max<std::int64_t>(bottom, g.rows - g.top);
        }
        pen += g.advance;
    }
    right = std::max(right, pen);
    layout.originX = clampToInt32(-left);
    layout.baseline = clampToInt32(-top);
    layout.extent = SIZE{clampToInt32(right - left), clampToInt32(bottom - top)};
    return layout;
}

}  // namespace platform
