#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/ellipse_rows.h"
#include "platform/gdi/span_clamp.h"
#include "platform/gdi/span_painter.h"
#include "platform/gdi/surface.h"

namespace platform {

namespace {

// A 64-bit box, so growing it by half a wide pen cannot overflow.
struct Box {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;

    bool empty() const { return left >= right || top >= bottom; }
    Box grown(std::int64_t by) const { return Box{left - by, top - by, right + by, bottom + by}; }
};

// A pen's outline is a band `width` pixels wide whose outer edge lies
// (width - 1) / 2 pixels outside the shape's box. Without a pen the brush
// keeps to the area a 1-pixel pen would leave it, so leaving out a thin
// outline does not move the fill.
struct Outline {
    Box outer;
    Box inner;
};

Outline outlineFor(const RECT& bounds, const Pen* pen) {
    const std::int64_t width = pen ? std::max<std::int32_t>(pen->width, 1) : 1;
    const Box box{bounds.left, bounds.top, bounds.right, bounds.bottom};
    const Box outer = box.grown((width - 1) / 2);
    return Outline{outer, outer.grown(-width)};
}

RECT toRect(const Box& box) {
    const auto held = [](std::int64_t v) {
        return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
    };
    return RECT{held(box.left), held(box.top), held(box.right), held(box.bottom)};
}

RowSpan intersect(const RowSpan& a, const RowSpan& b) {
    return RowSpan{std::max(a.left, b.left), std::min(a.right, b.right)};
}

}  // namespace

// Empty and inverted rectangles draw nothing, as for fillRect: corners are
// not swapped, so a caller's dragged-out rectangle is normalised by the caller.
void Surface::rectangle(const RECT& bounds) {
    if (!bitmap_ || bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
    const RECT area = drawableArea();
    const Outline shape = outlineFor(bounds, pen_);
    noteDrawn(toRect(shape.outer));
    const Box& o = shape.outer;
    const Box& i = shape.inner;

    if (pen_) {
        const Brush ink = Brush::solid(pen_->colour);
        SpanPainter painter(*bitmap_, area, ink);
        if (i.empty()) {
            // The band meets itself: the pen covers the whole rectangle.
            paintRectClamped(painter, o.left, o.top, o.right, o.bottom);
        } else {
            paintRectClamped(painter, o.left, o.top, o.right, i.top);
            paintRectClamped(painter, o.left, i.bottom, o.right, o.bottom);
            paintRectClamped(painter, o.left, i.top, i.left, i.bottom);
            paintRectClamped(painter, i.right, i.top, o.right, i.bottom);
        }
    }
    if (brush_ && !i.empty()) {
        SpanPainter painter(*bitmap_, area, *brush_);
        paintRectClamped(painter, i.left, i.top, i.right, i.bottom);
    }
}

void Surface::ellipse(const RECT& bounds) {
    if (!bitmap_ || bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
    if (!pen_ && !brush_) return;
    const RECT area = drawableArea();
    const Outline shape = outlineFor(bounds, pen_);
    noteDrawn(toRect(shape.outer));
    const EllipseRows outer(shape.outer.left, shape.outer.top, shape.outer.right,
                            shape.outer.bottom);
    const EllipseRows inner(shape.inner.left, shape.inner.top, shape.inner.right,
                            shape.inner.bottom);
    // Boxes too large for exact arithmetic (sides past 2^30) draw nothing.
    if (!outer.valid()) return;

    const Brush ink = Brush::solid(pen_ ? pen_->colour : 0);
    std::optional<SpanPainter> penPainter, brushPainter;
    if (pen_) penPainter.emplace(*bitmap_, area, ink);
    if (brush_) brushPainter.emplace(*bitmap_, area, *brush_);

    const std::int64_t first = std::max<std::int64_t>(outer.top(), area.top);
    const std::int64_t last = std::min<std::int64_t>(outer.bottom(), area.bottom);
    if (first >= last) return;
    RowSpan above = outer.row(first - 1);
    RowSpan here = outer.row(first);
    for (std::int64_t y = first; y < last; ++y) {
        const RowSpan below = outer.row(y + 1);
        // The interior is the inner ellipse, kept off every pixel of the outer
        // one that touches the outside: then the ring always contains the
        // outer ellipse's boundary and is closed, however the two digital
        // ellipses fall against each other.
        RowSpan interior{0, 0};
        if (!above.empty() && !below.empty()) {
            interior = intersect(inner.row(y), RowSpan{here.left + 1, here.right - 1});
            interior = intersect(interior, intersect(above, below));
        }
        const auto row = std::int32_t(y);
        if (interior.empty()) {
            if (penPainter) paintClamped(*penPainter, row, here.left, here.right);
        } else {
            if (penPainter) {
                paintClamped(*penPainter, row, here.left, interior.left);
                paintClamped(*penPainter, row, interior.right, here.right);
            }
            if (brushPainter) paintClamped(*brushPainter, row, interior.left, interior.right);
        }
        above = here;
        here = below;
    }
}

}  // namespace platform
