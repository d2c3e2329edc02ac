#pragma once

#include <cstdint>

#include "app/frame/command_ids.h"

// What happens to a shell's canvas view and its scroll bars, as the view's
// window receives it: stylus and key input in the view's client coordinates
// (one view pixel per device pixel), repaint requests, timer ticks,
// scroll-bar requests and changes of its client size. The shell calls these
// on the user-interface thread and draws nothing itself: painting happens
// through the view's `platform::Window` surface.
class CanvasViewEvents {
  public:
    virtual ~CanvasViewEvents() = default;

    // The stylus is the left mouse button (or a pen that acts as one).
    // Moves arrive only between a down and its up; while the view holds the
    // capture, points may lie outside the client area.
    virtual void stylusDown(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusMove(std::int32_t x, std::int32_t y) = 0;
    virtual void stylusUp(std::int32_t x, std::int32_t y) = 0;
    // A typed character (one UTF-16 unit): printable ones, '\b' and '\r'.
    virtual void character(char16_t character) = 0;
    // The view was invalidated and must be drawn again. Once per turn of the
    // event loop however many invalidations there were, never from inside
    // a paint.
    virtual void paintRequested() = 0;
    // A timer the view was asked to run (`platform::Window::setTimer`) fired.
    virtual void timer(std::uint32_t id) = 0;
    // The client area has a new size (and a new, white backing store).
    virtual void clientSizeChanged() = 0;
    // One scroll-bar request; `position` counts for the thumb requests only.
    virtual void scrollRequested(ScrollRequest request, std::int32_t position, bool horizontal) = 0;
    // The mouse wheel: scroll the view by view pixels.
    virtual void wheelScrolled(std::int32_t dx, std::int32_t dy) = 0;
    // Control with the wheel, or the zoom keys: this many zoom steps in
    // (positive) or out, stopping at 25 % and 1600 %; the canvas point under
    // view position (x, y) (the pointer, or the view's centre for the keys)
    // stays where it is.
    virtual void zoomStepped(int steps, std::int32_t x, std::int32_t y) = 0;
};
