#include "platform/gdi/stamp_run.h"

#include <algorithm>

#include "platform/gdi/pen_stamp.h"
#include "platform/gdi/stroke_rows.h"

namespace platform {

StampRun::StampRun(const PenStamp& pen, StrokeRows& rows, const RECT& clip)
    : pen_(pen), rows_(rows), clip_(clip) {}

void StampRun::add(std::int64_t x, std::int64_t y) {
    if (pending_) {
        if (y == y0_ && y == y1_) {
            x0_ = std::min(x0_, x);
            x1_ = std::max(x1_, x);
            return;
        }
        if (x == x0_ && x == x1_) {
            y0_ = std::min(y0_, y);
            y1_ = std::max(y1_, y);
            return;
        }
        finish();
    }
    pending_ = true;
    x0_ = x1_ = x;
    y0_ = y1_ = y;
}

void StampRun::finish() {
    if (!pending_) return;
    pending_ = false;
    if (y0_ == y1_)
        addAlongRow();
    else
        addDownColumn();
}

void StampRun::addAlongRow() const {
    const std::int64_t top = y0_ + pen_.top();
    const std::int64_t first = std::max<std::int64_t>(0, clip_.top - top);
    const std::int64_t last = std::min<std::int64_t>(pen_.rowCount(), clip_.bottom - top);
    for (std::int64_t k = first; k < last; ++k) {
        const PenStamp::Row& r = pen_.row(std::int32_t(k));
        rows_.add(top + k, x0_ + r.left, x1_ + r.right);
    }
}

void StampRun::addDownColumn() const {
    const std::int64_t top = y0_ + pen_.top();
    const std::int64_t bottom = y1_ + pen_.top() + pen_.rowCount();
    const std::int64_t first = std::max<std::int64_t>(top, clip_.top);
    const std::int64_t last = std::min<std::int64_t>(bottom, clip_.bottom);
    const std::int64_t middle = (pen_.rowCount() - 1) / 2;
    for (std::int64_t y = first; y < last; ++y) {
        // Stamp rows crossing row y: those of stamps centred from y0 to y1.
        const std::int64_t lowest = std::max<std::int64_t>(0, y - pen_.top() - y1_);
        const std::int64_t highest =
            std::min<std::int64_t>(pen_.rowCount() - 1, y - pen_.top() - y0_);
        const PenStamp::Row& r = pen_.row(std::int32_t(std::clamp(middle, lowest, highest)));
        rows_.add(y, x0_ + r.left, x0_ + r.right);
    }
}

}  // namespace platform
