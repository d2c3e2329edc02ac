#include "platform/gdi/stroke_rows.h"

#include <algorithm>
#include <limits>

#include "platform/gdi/span_painter.h"

namespace platform {

namespace {

constexpr std::int32_t none = std::numeric_limits<std::int32_t>::max();

}  // namespace

StrokeRows::StrokeRows(const RECT& clip)
    : clip_(clip),
      rows_(std::size_t(std::max<std::int32_t>(clip.bottom - clip.top, 0)), Run{none, -none}),
      firstRow_(none),
      lastRow_(-1) {}

void StrokeRows::add(std::int64_t y, std::int64_t x0, std::int64_t x1) {
    if (y < clip_.top || y >= clip_.bottom) return;
    x0 = std::max<std::int64_t>(x0, clip_.left);
    x1 = std::min<std::int64_t>(x1, clip_.right);
    if (x0 >= x1) return;
    const auto index = std::int32_t(y - clip_.top);
    Run& run = rows_[std::size_t(index)];
    run.left = std::min(run.left, std::int32_t(x0));
    run.right = std::max(run.right, std::int32_t(x1));
    firstRow_ = std::min(firstRow_, index);
    lastRow_ = std::max(lastRow_, index);
}

void StrokeRows::flush(SpanPainter& painter) {
    for (std::int32_t i = firstRow_; i <= lastRow_; ++i) {
        Run& run = rows_[std::size_t(i)];
        if (run.left < run.right) painter.paint(clip_.top + i, run.left, run.right);
        run = Run{none, -none};
    }
    firstRow_ = none;
    lastRow_ = -1;
}

}  // namespace platform
