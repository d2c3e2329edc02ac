#include <algorithm>
#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/line_stepper.h"
#include "platform/gdi/pen_stamp.h"
#include "platform/gdi/span_painter.h"
#include "platform/gdi/stamp_run.h"
#include "platform/gdi/stroke_rows.h"
#include "platform/gdi/surface.h"

namespace platform {

void Surface::polyline(const POINT* points, std::size_t count) {
    if (!bitmap_ || !pen_ || !points || count < 2) return;
    const Brush ink = Brush::solid(pen_->colour);
    SpanPainter painter(*bitmap_, drawableArea(), ink);
    if (!painter.active()) return;
    const PenStamp pen(pen_->width);
    // Only the part of the clip the polyline's stamps can reach is gathered,
    // which keeps the row table small for short strokes on large pictures.
    std::int64_t minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (std::size_t i = 1; i < count; ++i) {
        minX = std::min<std::int64_t>(minX, points[i].x);
        maxX = std::max<std::int64_t>(maxX, points[i].x);
        minY = std::min<std::int64_t>(minY, points[i].y);
        maxY = std::max<std::int64_t>(maxY, points[i].y);
    }
    const RECT& full = painter.clip();
    const RECT clip{std::int32_t(std::max<std::int64_t>(full.left, minX + pen.left())),
                    std::int32_t(std::max<std::int64_t>(full.top, minY + pen.left())),
                    std::int32_t(std::min<std::int64_t>(full.right, maxX + pen.right())),
                    std::int32_t(std::min<std::int64_t>(full.bottom, maxY + pen.right()))};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    noteDrawn(clip);
    StrokeRows rows(clip);
    StampRun stamps(pen, rows, clip);

    // Stamps whose centre lies in this area can reach the clip; no others can.
    const std::int64_t reachLeft = std::int64_t(clip.left) - pen.right() + 1;
    const std::int64_t reachTop = std::int64_t(clip.top) - pen.right() + 1;
    const std::int64_t reachRight = std::int64_t(clip.right) - pen.left();
    const std::int64_t reachBottom = std::int64_t(clip.bottom) - pen.left();

    const bool dashed = pen_->style == PenStyle::Dashed;
    constexpr std::int64_t period = Pen::dashOn + Pen::dashOff;
    // Pixels stepped so far along the whole polyline: the dash pattern runs on
    // across corners.
    std::int64_t travelled = 0;

    for (std::size_t i = 0; i + 1 < count; ++i) {
        LineStepper line(points[i], points[i + 1]);
        const LineStepper::Range range = line.within(reachLeft, reachTop, reachRight, reachBottom);
        if (range.first < range.last) {
            line.seek(range.first);
            std::int64_t phase = (travelled + range.first) % period;
            for (std::int64_t step = range.first; step < range.last; ++step) {
                if (!dashed || phase < Pen::dashOn) {
                    stamps.add(line.x(), line.y());
                } else if (phase == Pen::dashOn) {
                    // A dash has just ended: gathered rows belong to it alone.
                    stamps.finish();
                    rows.flush(painter);
                }
                if (++phase == period) phase = 0;
                line.advance();
            }
            stamps.finish();
            rows.flush(painter);
        }
        travelled += line.steps();
    }
}

}  // namespace platform
