#pragma once

#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {

// Walks the digital line from one point towards another, one pixel per step
// along the axis the line moves further in, leaving out the end point itself:
// steps 0 .. steps() - 1. At step i the other coordinate is the start's moved
// by i * minor / major, rounded to nearest with halves rounded on (away from
// the start). Integer only, and any step can be reached directly, so a line
// that runs far off the surface is entered where it becomes visible.
class LineStepper {
  public:
    LineStepper(const POINT& from, const POINT& to);

    // The number of pixels the line covers.
    std::int64_t steps() const { return major_; }

    // The steps [first, last) whose pixel has x in [left, right) and y in
    // [top, bottom). Empty (first >= last) when there are none.
    struct Range {
        std::int64_t first = 0;
        std::int64_t last = 0;
    };
    Range within(std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom) const;

    // Moves to step i (0 <= i <= steps()).
    void seek(std::int64_t step);
    void advance();
    std::int64_t x() const { return xMajor_ ? along_ : across_; }
    std::int64_t y() const { return xMajor_ ? across_ : along_; }

  private:
    // Range of steps whose major coordinate lies in [lo, hi).
    Range majorRange(std::int64_t lo, std::int64_t hi) const;

    bool xMajor_;
    std::int64_t alongStart_;   // major coordinate of the start
    std::int64_t acrossStart_;  // minor coordinate of the start
    std::int64_t alongSign_;
    std::int64_t acrossSign_;
    std::int64_t major_;  // |delta| along the major axis
    std::int64_t minor_;  // |delta| along the minor axis
    std::int64_t along_ = 0;
    std::int64_t across_ = 0;
    // Twice the distance from the last minor step, in units of 1 / (2 major).
    std::int64_t error_ = 0;
};

}  // namespace platform
