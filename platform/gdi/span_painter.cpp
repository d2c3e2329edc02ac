#include "platform/gdi/span_painter.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/pixel_row.h"

namespace platform {

namespace {

// Pattern rows are read as colours whatever their bit depth.
void paintPatternRun(std::uint8_t* out, const Bitmap& pattern, std::int32_t y, std::int32_t x0,
                     std::int32_t x1) {
    const std::int32_t pw = pattern.width();
    const std::int32_t py = y % pattern.height();
    const std::uint8_t* source = pattern.row(py);
    std::int32_t px = x0 % pw;
    for (std::int32_t x = x0; x < x1; ++x) {
        const std::uint8_t* bgr = pixelBgr(pattern, source, px);
        out[0] = bgr[0];
        out[1] = bgr[1];
        out[2] = bgr[2];
        out += 3;
        if (++px == pw) px = 0;
    }
}

}  // namespace

SpanPainter::SpanPainter(Bitmap& target, const RECT& clip, const Brush& brush)
    : target_(target),
      pattern_(brush.patternBitmap()),
      clip_(intersect(clip, target.bounds())),
      active_(target.bitCount() == 24 && !isEmpty(clip_)),
      solid_(brush.colour()) {
    if (brush.isPattern() && (pattern_->width() <= 0 || pattern_->height() <= 0)) active_ = false;
}

void SpanPainter::paint(std::int32_t y, std::int32_t x0, std::int32_t x1) {
    if (!active_ || y < clip_.top || y >= clip_.bottom) return;
    x0 = std::max(x0, clip_.left);
    x1 = std::min(x1, clip_.right);
    if (x0 >= x1) return;
    std::uint8_t* out = target_.row(y) + std::ptrdiff_t(x0) * 3;
    if (pattern_) {
        paintPatternRun(out, *pattern_, y, x0, x1);
        return;
    }
    solid_.write(out, std::size_t(x1 - x0) * 3);
}

void SpanPainter::paintRect(const RECT& area) {
    const RECT r = intersect(area, clip_);
    if (!active_ || isEmpty(r)) return;
    if (pattern_) {
        for (std::int32_t y = r.top; y < r.bottom; ++y)
            paint(y, r.left, r.right);
        return;
    }
    const std::size_t bytes = std::size_t(r.right - r.left) * 3;
    // Rows that fill the whole stride are one run in memory, and a multiple of
    // three bytes long, so the colour's phase carries across them.
    if (bytes == std::size_t(target_.stride())) {
        const std::int32_t lowest = target_.bottomUp() ? r.bottom - 1 : r.top;
        solid_.write(target_.row(lowest), bytes * std::size_t(r.bottom - r.top));
        return;
    }
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        solid_.write(target_.row(y) + std::ptrdiff_t(r.left) * 3, bytes);
}

}  // namespace platform
