#include "platform/gdi/pen_stamp.h"

#include <algorithm>

#include "platform/gdi/ellipse_rows.h"

namespace platform {

PenStamp::PenStamp(std::int32_t width)
    : width_(std::clamp<std::int32_t>(width, 1, maxWidth)), top_(-((width_ - 1) / 2)) {
    // The disc is the ellipse inscribed in the stamp's square, so a wide pen
    // and a shape's outline of the same width round off alike.
    const EllipseRows disc(top_, top_, top_ + width_, top_ + width_);
    rows_.reserve(std::size_t(width_));
    for (std::int32_t y = top_; y < top_ + width_; ++y) {
        const RowSpan span = disc.row(y);
        rows_.push_back(Row{std::int32_t(span.left), std::int32_t(span.right)});
    }
}

}  // namespace platform
