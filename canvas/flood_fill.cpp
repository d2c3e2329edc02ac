#include <algorithm>

#include "canvas/canvas.h"
#include "platform/gdi/colour_run.h"
#include "platform/gdi/pixel_scan.h"

namespace {
constexpr COLORREF keyMask = 0xF8F8F8;
}

std::uint32_t Canvas::pixelKey(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* p = liveBits_ + pixelOffset(x, y);
    return (p[2] & 0xF8u) | (p[1] & 0xF8u) << 8 | (p[0] & 0xF8u) << 16;
}

void Canvas::putPixel(std::int32_t x, std::int32_t y, COLORREF colour) {
    std::uint8_t* p = liveBits_ + pixelOffset(x, y);
    p[0] = blueOf(colour);
    p[1] = greenOf(colour);
    p[2] = redOf(colour);
}

// The run through (cx, y): left while the pixels match, right from cx while
// they match, all of it written with the fill colour. Pixels up to cx are
// known to match. The end is the first column after the run, or W - 1 when
// the run reaches the right edge.
Canvas::FillSpan Canvas::fillSpan(std::int32_t cx, std::int32_t y, std::uint32_t target,
                                  const platform::ColourRun& fill, RECT& dirty) {
    const std::uint8_t* row = liveBits_ + pixelOffset(0, y);
    const std::int32_t left = platform::findLastDifferentPixel(row, cx, target) + 1;
    const std::int32_t beyond = cx + 1;
    std::int32_t end =
        beyond + platform::findDifferentPixel(row + 3 * beyond, width_ - beyond, target);
    fill.write(liveBits_ + pixelOffset(left, y), std::size_t(end - left) * 3);
    if (end >= width_) end = width_ - 1;
    dirty.top = std::min(dirty.top, y);
    dirty.bottom = std::max(dirty.bottom, y);
    dirty.left = std::min(dirty.left, left);
    dirty.right = std::max(dirty.right, end);
    return FillSpan{left, end};
}

// A scanline fill that follows each newly reached span at once, above before
// below, keeping the spans it left on the scratch stack: one entry per level
// of nesting, never an allocation.
bool Canvas::floodFill(std::int32_t x, std::int32_t y, COLORREF colour, RECT& dirty) {
    ScratchPoint* stack = scratchPoints();
    if (!stack || scratchCapacity_ <= 0 || !liveBits_) return false;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    const std::uint32_t target = pixelKey(x, y);
    if (target == (colour & keyMask)) return false;
    const platform::ColourRun fill(colour & keyMask);
    dirty = RECT{x, y, x, y};

    const std::int32_t stride = rowStride();
    std::int32_t depth = 0;
    std::int32_t row = y;
    FillSpan span = fillSpan(x, y, target, fill, dirty);
    std::int32_t cx = span.left;
    for (;;) {
        bool descended = false;
        if (depth < scratchCapacity_ && cx < width_) {
            // The next cursor position with a matching pixel above or below.
            const std::uint8_t* here = liveBits_ + pixelOffset(cx, row);
            const std::uint8_t* above = row > 0 ? here + stride : nullptr;
            const std::uint8_t* below = row < height_ - 1 ? here - stride : nullptr;
            // The cursor runs to the span's end, exclusive, but a position is
            // always looked at once even when it is the end (a one-pixel span
            // at the right edge).
            const std::int32_t count = std::max(span.end - cx, 1);
            const std::int32_t found =
                platform::findMatchingPixelInEither(above, below, count, target);
            if (found < count) {
                cx += found;
                const bool up = above && pixelKey(cx, row - 1) == target;
                stack[depth++] = ScratchPoint{std::int16_t(cx), std::int16_t(row),
                                              std::int16_t(span.left), std::int16_t(span.end)};
                row += up ? -1 : 1;
                span = fillSpan(cx, row, target, fill, dirty);
                cx = span.left;
                descended = true;
            }
        }
        if (descended) continue;
        // This span is done: go back to the one it was reached from, to the
        // position it was left at. That position is looked at again, because
        // the way down from it may still be open after the way up was taken;
        // the pixel above it is filled now, so it is not followed twice.
        if (depth == 0) {
            ++dirty.right;
            ++dirty.bottom;
            return true;
        }
        const ScratchPoint& entry = stack[--depth];
        row = entry.row;
        span = FillSpan{entry.spanLeft, entry.spanEnd};
        cx = entry.cursorX;
    }
}
