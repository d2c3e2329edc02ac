#pragma once

#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {

class PenStamp;
class StrokeRows;

// Adds the pen stamps of consecutive line pixels to the gathered rows, taking
// stamps that share a row (or a column) together rather than one by one. A
// disc moved along a row covers, in each of its rows, one run from the first
// disc's left to the last one's right; moved down a column, each row it
// passes takes the widest disc row that crosses it, the one nearest the
// middle, since the disc's rows widen towards its middle and hold one another.
// So a run costs about its length plus the pen's width, not their product.
class StampRun {
  public:
    // Stamps are kept to the rows of `clip`.
    StampRun(const PenStamp& pen, StrokeRows& rows, const RECT& clip);

    // The next pixel of the line; it must neighbour the one before.
    void add(std::int64_t x, std::int64_t y);
    // Adds what is pending; call at the end of every dash and line.
    void finish();

  private:
    void addAlongRow() const;
    void addDownColumn() const;

    const PenStamp& pen_;
    StrokeRows& rows_;
    RECT clip_;
    bool pending_ = false;
    // The pending stamps: columns [x0, x1] of row y0, or rows [y0, y1] of
    // column x0 (a single stamp is both).
    std::int64_t x0_ = 0;
    std::int64_t x1_ = 0;
    std::int64_t y0_ = 0;
    std::int64_t y1_ = 0;
};

}  // namespace platform
