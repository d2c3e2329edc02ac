#include <algorithm>
#include <limits>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/span_painter.h"
#include "platform/gdi/surface.h"
#include "platform/text/font.h"
#include "platform/text/text_layout.h"

namespace platform {

namespace {

std::int32_t toInt32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// Blends one glyph's coverage into a 24-bit bitmap with its top-left ink
// pixel at (gx, gy), touching only pixels inside `area`.
void blendGlyph(Bitmap& target, const RECT& area, const Glyph& glyph, std::int64_t gx,
                std::int64_t gy, const std::uint8_t bgr[3]) {
    const std::int64_t x0 = std::max<std::int64_t>(gx, area.left);
    const std::int64_t x1 = std::min<std::int64_t>(gx + glyph.width, area.right);
    const std::int64_t y0 = std::max<std::int64_t>(gy, area.top);
    const std::int64_t y1 = std::min<std::int64_t>(gy + glyph.rows, area.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    const std::size_t count = std::size_t(x1 - x0);
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::uint8_t* in =
            glyph.coverage + std::size_t(y - gy) * std::size_t(glyph.width) + std::size_t(x0 - gx);
        std::uint8_t* out = target.row(std::int32_t(y)) + std::ptrdiff_t(x0) * 3;
        for (std::size_t i = 0; i < count; ++i, out += 3) {
            const unsigned a = in[i];
            if (a == 0) continue;
            if (a == 255) {
                out[0] = bgr[0];
                out[1] = bgr[1];
                out[2] = bgr[2];
                continue;
            }
            // Both weights are non-negative, so the rounding is the same
            // in either direction and full coverage gives the colour exactly.
            const unsigned rest = 255 - a;
            out[0] = std::uint8_t((bgr[0] * a + out[0] * rest + 127) / 255);
            out[1] = std::uint8_t((bgr[1] * a + out[1] * rest + 127) / 255);
            out[2] = std::uint8_t((bgr[2] * a + out[2] * rest + 127) / 255);
        }
    }
}

}  // namespace

bool Surface::textOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
    const Font* font = font_;
    if (!font || !bitmap_ || bitmap_->bitCount() != 24) return false;
    if (text.empty()) return true;
    const RECT area = drawableArea();
    if (area.left >= area.right || area.top >= area.bottom) return true;

    const LineLayout layout = layoutLine(*font, text);
    if (backgroundMode_ == BackgroundMode::Opaque) {
        const RECT box{x, y, toInt32(std::int64_t(x) + layout.extent.cx),
                       toInt32(std::int64_t(y) + layout.extent.cy)};
        noteDrawn(box);
        SpanPainter(*bitmap_, area, Brush::solid(backgroundColour())).paintRect(box);
    }

    const std::uint8_t bgr[3] = {blueOf(textColour_), greenOf(textColour_), redOf(textColour_)};
    std::int64_t pen = std::int64_t(x) + layout.originX;
    const std::int64_t baseline = std::int64_t(y) + layout.baseline;
    for (std::size_t i = 0; i < text.size();) {
        const Glyph& glyph = font->glyph(nextCodePoint(text, i));
        if (glyph.coverage) {
            const std::int64_t gx = pen + glyph.left, gy = baseline - glyph.top;
            noteDrawn(RECT{toInt32(gx), toInt32(gy), toInt32(gx + glyph.width),
                           toInt32(gy + glyph.rows)});
            blendGlyph(*bitmap_, area, glyph, gx, gy, bgr);
        }
        pen += glyph.advance;
    }
    return true;
}

SIZE Surface::textExtent(std::u16string_view text) const {
    if (!font_) return SIZE{};
    return layoutLine(*font_, text).extent;
}

}  // namespace platform
