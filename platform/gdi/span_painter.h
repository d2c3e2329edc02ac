#pragma once

#include <cstdint>

#include "platform/gdi/brush.h"
#include "platform/gdi/colour_run.h"
#include "platform/gdi/types.h"

namespace platform {

class Bitmap;

// Paints horizontal runs of a 24-bit bitmap with a brush, clipped to an area
// of it. Every filled shape is rasterised into runs and painted through this,
// so the clip and the pattern alignment are decided in one place.
class SpanPainter {
  public:
    // `clip` is intersected with the bitmap's bounds. A bitmap that is not
    // 24-bit, or an empty pattern, paints nothing.
    SpanPainter(Bitmap& target, const RECT& clip, const Brush& brush);

    // Paints columns [x0, x1) of image row y (counted from the top).
    void paint(std::int32_t y, std::int32_t x0, std::int32_t x1);
    // Paints every row of the rectangle.
    void paintRect(const RECT& area);

    // The area runs are kept inside.
    const RECT& clip() const { return clip_; }
    bool active() const { return active_; }

  private:
    Bitmap& target_;
    const Bitmap* pattern_;
    RECT clip_;
    bool active_;
    ColourRun solid_;
};

}  // namespace platform
