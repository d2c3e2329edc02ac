#include "platform/gdi/line_stepper.h"

#include <algorithm>

namespace platform {

namespace {

__extension__ typedef __int128 Wide;

}  // namespace

LineStepper::LineStepper(const POINT& from, const POINT& to) {
    const std::int64_t dx = std::int64_t(to.x) - from.x;
    const std::int64_t dy = std::int64_t(to.y) - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    xMajor_ = adx >= ady;
    alongStart_ = xMajor_ ? from.x : from.y;
    acrossStart_ = xMajor_ ? from.y : from.x;
    alongSign_ = (xMajor_ ? dx : dy) < 0 ? -1 : 1;
    acrossSign_ = (xMajor_ ? dy : dx) < 0 ? -1 : 1;
    major_ = xMajor_ ? adx : ady;
    minor_ = xMajor_ ? ady : adx;
    seek(0);
}

void LineStepper::seek(std::int64_t step) {
    along_ = alongStart_ + alongSign_ * step;
    if (major_ == 0) {
        across_ = acrossStart_;
        error_ = 0;
        return;
    }
    // The minor offset is floor((2 i minor + major) / (2 major)); the product
    // needs more than 64 bits for lines across the whole coordinate range.
    const Wide numerator = Wide(2) * step * minor_ + major_;
    const Wide denominator = Wide(2) * major_;
    across_ = acrossStart_ + acrossSign_ * std::int64_t(numerator / denominator);
    error_ = std::int64_t(numerator % denominator);
}

void LineStepper::advance() {
    along_ += alongSign_;
    error_ += 2 * minor_;
    if (error_ >= 2 * major_) {
        error_ -= 2 * major_;
        across_ += acrossSign_;
    }
}

LineStepper::Range LineStepper::majorRange(std::int64_t lo, std::int64_t hi) const {
    Range r;
    if (alongSign_ > 0) {
        r.first = lo - alongStart_;
        r.last = hi - alongStart_;
    } else {
        r.first = alongStart_ - hi + 1;
        r.last = alongStart_ - lo + 1;
    }
    r.first = std::max<std::int64_t>(r.first, 0);
    r.last = std::min(r.last, major_);
    return r;
}

LineStepper::Range LineStepper::within(std::int64_t left, std::int64_t top, std::int64_t right,
                                       std::int64_t bottom) const {
    // The line moves monotonically in both coordinates, so its bounding box
    // rules out a line that never comes near; otherwise the steps along the
    // major axis bound the walk by the area's size, not the line's length.
    const std::int64_t endAcross = acrossStart_ + acrossSign_ * minor_;
    const std::int64_t acrossLo = std::min(acrossStart_, endAcross);
    const std::int64_t acrossHi = std::max(acrossStart_, endAcross);
    const std::int64_t lo = xMajor_ ? top : left;
    const std::int64_t hi = xMajor_ ? bottom : right;
    if (acrossHi < lo || acrossLo >= hi) return Range{};
    return xMajor_ ? majorRange(left, right) : majorRange(top, bottom);
}

}  // namespace platform
