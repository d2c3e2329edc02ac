#pragma once

#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {

enum class PenStyle { Solid, Dashed };

// A pen draws outlines of rectangles and ellipses and polylines. Widths below
// 1 draw as 1. A dashed pen follows dashOn pixels drawn, dashOff skipped,
// continuing along the whole polyline.
struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 1;
    COLORREF colour = 0;

    static constexpr int dashOn = 4;
    static constexpr int dashOff = 4;

    static Pen solid(std::int32_t width, COLORREF colour) {
        return Pen{PenStyle::Solid, width, colour};
    }
    static Pen dashed(std::int32_t width, COLORREF colour) {
        return Pen{PenStyle::Dashed, width, colour};
    }
};

}  // namespace platform
