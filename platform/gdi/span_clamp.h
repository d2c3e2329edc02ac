#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/gdi/span_painter.h"
#include "platform/gdi/types.h"

namespace platform {

// Shapes are worked out in 64 bits, since a wide pen or a box near the edges
// of the coordinate range may reach past 32 bits; these cut them to the
// painter's clip before they are handed over.

inline void paintClamped(SpanPainter& painter, std::int32_t y, std::int64_t x0, std::int64_t x1) {
    const RECT& clip = painter.clip();
    x0 = std::max<std::int64_t>(x0, clip.left);
    x1 = std::min<std::int64_t>(x1, clip.right);
    if (x0 < x1) painter.paint(y, std::int32_t(x0), std::int32_t(x1));
}

inline void paintRectClamped(SpanPainter& painter, std::int64_t left, std::int64_t top,
                             std::int64_t right, std::int64_t bottom) {
    const RECT& clip = painter.clip();
    left = std::max<std::int64_t>(left, clip.left);
    top = std::max<std::int64_t>(top, clip.top);
    right = std::min<std::int64_t>(right, clip.right);
    bottom = std::min<std::int64_t>(bottom, clip.bottom);
    if (left < right && top < bottom)
        painter.paintRect(
            RECT{std::int32_t(left), std::int32_t(top), std::int32_t(right), std::int32_t(bottom)});
}

}  // namespace platform
