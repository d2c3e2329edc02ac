#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/pixel_row.h"
#include "platform/gdi/span_painter.h"
#include "platform/window/window.h"

namespace platform {

namespace {

// Converts one run of a palettised row to blue, green, red.
void convertRun(std::uint8_t* out, const Bitmap& source, const std::uint8_t* row, std::int32_t x,
                std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i, out += 3) {
        const std::uint8_t* bgr = pixelBgr(source, row, x + i);
        out[0] = bgr[0];
        out[1] = bgr[1];
        out[2] = bgr[2];
    }
}

// The destination columns (or rows) [first, last) of a stretch whose source
// positions fall inside [0, sourceSize), with each one's source position.
// Positions are nearest-pixel: destination i shows source start + i * ss / ds.
struct StretchAxis {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

StretchAxis stretchAxis(std::int32_t destStart, std::int32_t destSize, std::int32_t clipStart,
                        std::int32_t clipEnd, std::int32_t sourceStart, std::int32_t sourceSize,
                        std::int32_t sourceLimit, std::vector<std::int32_t>& map) {
    StretchAxis axis;
    axis.first = std::max<std::int32_t>(0, clipStart - destStart);
    axis.last = std::min<std::int32_t>(destSize, clipEnd - destStart);
    if (axis.first >= axis.last) return axis;
    map.resize(std::size_t(axis.last - axis.first));
    for (std::int32_t i = axis.first; i < axis.last; ++i)
        map[std::size_t(i - axis.first)] =
            sourceStart + std::int32_t(std::int64_t(i) * sourceSize / destSize);
    // The mapping never decreases, so the positions outside the source are
    // at the two ends.
    std::size_t lo = 0, hi = map.size();
    while (lo < hi && map[lo] < 0)
        ++lo;
    while (hi > lo && map[hi - 1] >= sourceLimit)
        --hi;
    map.erase(map.begin() + std::ptrdiff_t(hi), map.end());
    map.erase(map.begin(), map.begin() + std::ptrdiff_t(lo));
    axis.first += std::int32_t(lo);
    axis.last = axis.first + std::int32_t(map.size());
    return axis;
}

}  // namespace

const Pen& defaultPen() {
    static const Pen pen = Pen::solid(1, 0x000000);
    return pen;
}

const Brush& defaultBrush() {
    static const Brush brush = Brush::solid(0xFFFFFF);
    return brush;
}

Surface::Surface() : pen_(&defaultPen()), brush_(&defaultBrush()) {}

Surface::Surface(Bitmap* bitmap) : Surface() {
    bitmap_ = bitmap;
}

Surface::~Surface() {
    if (presentTo_) presentTo_->present(*this);
}

Bitmap* Surface::selectBitmap(Bitmap* bitmap) {
    return std::exchange(bitmap_, bitmap);
}
const Pen* Surface::selectPen(const Pen* pen) {
    return std::exchange(pen_, pen);
}
const Brush* Surface::selectBrush(const Brush* brush) {
    return std::exchange(brush_, brush);
}
const Font* Surface::selectFont(const Font* font) {
    return std::exchange(font_, font);
}

void Surface::setClipRect(const RECT& clip) {
    clipped_ = true;
    clip_ = clip;
}

void Surface::clearClip() {
    clipped_ = false;
}

RECT Surface::drawableArea() const {
    if (!bitmap_) return RECT{};
    return clipped_ ? intersect(bitmap_->bounds(), clip_) : bitmap_->bounds();
}

void Surface::noteDrawn(const RECT& area) const {
    const RECT r = intersect(area, drawableArea());
    // An empty area leaves the drawn area exactly as it was, corners and all.
    if (isEmpty(r)) return;
    drawn_ = unite(drawn_, r);
}

COLORREF Surface::setTextColour(COLORREF colour) {
    return std::exchange(textColour_, colour);
}

BackgroundMode Surface::setBackgroundMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}

void Surface::fillRect(const RECT& area, const Brush& brush) {
    if (!bitmap_) return;
    noteDrawn(area);
    SpanPainter(*bitmap_, drawableArea(), brush).paintRect(area);
}

COLORREF Surface::pixel(std::int32_t x, std::int32_t y) const {
    const RECT area = drawableArea();
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return invalidColour;
    const std::uint8_t* bgr = pixelBgr(*bitmap_, bitmap_->row(y), x);
    return rgb(bgr[2], bgr[1], bgr[0]);
}

bool Surface::blit(std::int32_t dx, std::int32_t dy, std::int32_t width, std::int32_t height,
                   const Surface& source, std::int32_t sx, std::int32_t sy, RECT* written) {
    if (written) *written = RECT{};
    Bitmap* dest = bitmap_;
    const Bitmap* src = source.bitmap_;
    if (!dest || !src || dest->bitCount() != 24) return false;
    if (width <= 0 || height <= 0) return true;

    // Clip in destination coordinates: the destination's drawable area, and
    // the source bitmap shifted to where it lands.
    RECT area = intersect(RECT{dx, dy, dx + width, dy + height}, drawableArea());
    const std::int32_t shiftX = sx - dx, shiftY = sy - dy;
    area = intersect(area, RECT{-shiftX, -shiftY, src->width() - shiftX, src->height() - shiftY});
    if (isEmpty(area)) return true;
    if (written) *written = area;
    noteDrawn(area);

    const std::int32_t runPixels = area.right - area.left;
    const std::size_t runBytes = std::size_t(runPixels) * 3;
    const std::int32_t sourceX = area.left + shiftX;
    const std::int32_t rows = area.bottom - area.top;
    // Whole rows of two bitmaps with the same layout are one block in memory.
    if (src->bitCount() == 24 && dest != src && runBytes == std::size_t(dest->stride()) &&
        dest->stride() == src->stride() && dest->bottomUp() == src->bottomUp()) {
        const std::int32_t lowest = dest->bottomUp() ? area.bottom - 1 : area.top;
        std::memcpy(dest->row(lowest), src->row(lowest + shiftY), runBytes * std::size_t(rows));
        return true;
    }
    // Within one bitmap, copy rows in the order that never reads a row already written.
    const bool upwards = dest == src && shiftY < 0;
    for (std::int32_t k = 0; k < rows; ++k) {
        const std::int32_t y = upwards ? area.bottom - 1 - k : area.top + k;
        std::uint8_t* out = dest->row(y) + std::ptrdiff_t(area.left) * 3;
        const std::uint8_t* in = src->row(y + shiftY);
        if (src->bitCount() == 24)
            std::memmove(out, in + std::ptrdiff_t(sourceX) * 3, runBytes);
        else
            convertRun(out, *src, in, sourceX, runPixels);
    }
    return true;
}

bool Surface::stretchBlit(std::int32_t dx, std::int32_t dy, std::int32_t dw, std::int32_t dh,
                          const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                          std::int32_t sh, RECT* written) {
    if (written) *written = RECT{};
    Bitmap* dest = bitmap_;
    const Bitmap* src = source.bitmap_;
    if (!dest || !src || dest->bitCount() != 24) return false;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return true;
    if (dw == sw && dh == sh) return blit(dx, dy, dw, dh, source, sx, sy, written);

    const RECT clip = drawableArea();
    std::vector<std::int32_t> columns, rows;
    const StretchAxis xs =
        stretchAxis(dx, dw, clip.left, clip.right, sx, sw, src->width(), columns);
    const StretchAxis ys = stretchAxis(dy, dh, clip.top, clip.bottom, sy, sh, src->height(), rows);
    if (xs.first >= xs.last || ys.first >= ys.last) return true;
    const RECT changed{dx + xs.first, dy + ys.first, dx + xs.last, dy + ys.last};
    if (written) *written = changed;
    noteDrawn(changed);

    const bool trueColour = src->bitCount() == 24;
    if (trueColour)
        for (std::int32_t& c : columns)
            c *= 3;
    const std::int32_t count = xs.last - xs.first;
    const std::size_t runBytes = std::size_t(count) * 3;
    const std::int32_t step = sw % dw == 0 ? sw / dw : 0;
    for (std::int32_t j = ys.first; j < ys.last; ++j) {
        std::uint8_t* out = dest->row(dy + j) + std::ptrdiff_t(dx + xs.first) * 3;
        const std::size_t k = std::size_t(j - ys.first);
        // An enlarged row that shows the same source row as the one before is a copy of it.
        if (k > 0 && rows[k] == rows[k - 1] && dest != src) {
            std::memcpy(out, dest->row(dy + j - 1) + std::ptrdiff_t(dx + xs.first) * 3, runBytes);
            continue;
        }
        const std::uint8_t* in = src->row(rows[k]);
        // A reduction skips source rows, which the processor's own
        // prefetching does not foresee; ask for a row two ahead.
        if (step > 1 && k + 2 < rows.size()) {
            const std::uint8_t* ahead = src->row(rows[k + 2]) + columns[0];
            for (std::int32_t b = 0; b < 3 * step * count; b += 64)
                __builtin_prefetch(ahead + b);
        }
        if (trueColour && step > 0) {
            // A whole-number reduction steps through the source at a fixed
            // pace. Each pixel moves as four bytes, the spare one read from
            // the next source pixel and overwritten by the next destination
            // pixel; the run's last pixel moves exactly.
            const std::uint8_t* p = in + columns[0];
            for (std::int32_t i = 0; i + 1 < count; ++i, out += 3, p += 3 * step) {
                std::uint32_t v;
                std::memcpy(&v, p, 4);
                std::memcpy(out, &v, 4);
            }
            std::memcpy(out, p, 3);
        } else if (trueColour) {
            // One 4-byte store a pixel; its spare byte is overwritten by the
            // next pixel, and the run's last pixel is stored exactly.
            for (std::int32_t i = 0; i + 1 < count; ++i, out += 3) {
                const std::uint8_t* p = in + columns[std::size_t(i)];
                const std::uint32_t v =
                    std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
                std::memcpy(out, &v, 4);
            }
            std::memcpy(out, in + columns[std::size_t(count - 1)], 3);
        } else {
            for (std::int32_t i = 0; i < count; ++i, out += 3) {
                const std::uint8_t* p = pixelBgr(*src, in, columns[std::size_t(i)]);
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
            }
        }
    }
    return true;
}

}  // namespace platform
