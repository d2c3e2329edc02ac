#pragma once

#include <cstdint>

// What happens to the canvas view and its scroll bars, in the terms the
// frame understands: points in view pixels (one per device pixel), scroll
// requests by the frame's scroll-bar codes. The main window hands these to
// the frame; tests record them.
class CanvasViewEvents {
  public:
    virtual ~CanvasViewEvents() = default;

    // The stylus is the left mouse button (or a pen that acts as one).
    // Moves arrive only between a down and its up.
    virtual void stylusDown(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusMove(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusUp(std::int32_t x, std::int32_t y) = 0;
    // A typed character: printable ones, '\b' and '\r'.
    virtual void character(char16_t character) = 0;
    // The view was invalidated and must be drawn again. Comes once per turn
    // of the event loop however many invalidations there were, and never
    // from inside a paint.
    virtual void paintRequested() = 0;
    virtual void timer(std::uint32_t id) = 0;
    // The client area has a new size (and a new, white backing store).
    virtual void clientSizeChanged() = 0;
    // One scroll-bar request: `code` 0 line up, 1 line down, 2 page up,
    // 3 page down, 4 thumb position, 5 thumb track, 6 top; `position` is the
    // thumb's for 4 and 5.
    virtual void scrollRequested(int code, std::int32_t position, bool horizontal) = 0;
    // The mouse wheel: scroll the view by view pixels.
    virtual void wheelScrolled(std::int32_t dx, std::int32_t dy) = 0;
    // Control with the wheel: this many zoom steps in (positive) or out.
    virtual void zoomStepped(int steps) = 0;
};
