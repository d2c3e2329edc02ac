#pragma once

#include "platform/gdi/types.h"

namespace platform {

class Bitmap;

// A solid colour, or a pattern that tiles the surface from its origin: the
// brush paints surface pixel (x, y) with pattern pixel (x mod w, y mod h).
// The pattern bitmap is referenced, not copied; it must outlive the brush,
// which every caller has anyway since brushes live only within one drawing
// operation.
class Brush {
  public:
    static Brush solid(COLORREF colour) { return Brush(colour, nullptr); }
    // Null pattern or an empty one makes a brush that paints nothing.
    static Brush pattern(const Bitmap* bitmap) { return Brush(0, bitmap); }

    bool isPattern() const { return pattern_ != nullptr; }
    COLORREF colour() const { return colour_; }
    const Bitmap* patternBitmap() const { return pattern_; }

  private:
    Brush(COLORREF colour, const Bitmap* pattern) : colour_(colour), pattern_(pattern) {}
    COLORREF colour_;
    const Bitmap* pattern_;
};

}  // namespace platform
