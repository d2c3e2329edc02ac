#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/types.h"

namespace platform {

class SpanPainter;

// Gathers what a run of pen stamps along one digital line covers, row by row,
// so that each row is painted once when the run ends instead of once per
// stamp. Neighbouring stamps of a line touch or overlap in every row they
// share, so the columns covered in a row form a single run.
class StrokeRows {
  public:
    // Keeps only what lies inside `clip`; its rows are allocated once here.
    explicit StrokeRows(const RECT& clip);

    // Adds columns [x0, x1) of row y.
    void add(std::int64_t y, std::int64_t x0, std::int64_t x1);
    // Paints every gathered row and starts afresh.
    void flush(SpanPainter& painter);

  private:
    struct Run {
        std::int32_t left;
        std::int32_t right;
    };
    RECT clip_;
    std::vector<Run> rows_;
    // Rows touched since the last flush, relative to the clip's top.
    std::int32_t firstRow_;
    std::int32_t lastRow_;
};

}  // namespace platform
