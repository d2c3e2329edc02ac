#pragma once

#include <cstdint>

#include "app/frame/command_ids.h"

// What a shell's canvas view reports, as its window receives it: stylus and
// key input in the view's client coordinates, repaint requests, timer ticks,
// scroll-bar requests and changes of its client size. The shell calls these
// on the user-interface thread and draws nothing itself: painting happens
// through the view's `platform::Window` surface.
class CanvasViewEvents {
  public:
    virtual ~CanvasViewEvents() = default;

    // The stylus (the left mouse button) pressed, moved and lifted. While
    // the view holds the capture, points may lie outside the client area.
    virtual void viewStylusDown(std::int32_t x, std::int32_t y) = 0;
    virtual void viewStylusMove(std::int32_t x, std::int32_t y) = 0;
    virtual void viewStylusUp(std::int32_t x, std::int32_t y) = 0;
    // A typed character (UTF-16 unit), backspace 8 and return 13 included.
    virtual void viewCharacter(char16_t character) = 0;
    // The view needs repainting, as after an invalidation or an expose.
    virtual void viewPaint() = 0;
    // A timer the view was asked to run (`platform::Window::setTimer`) fired.
    virtual void viewTimer(std::uint32_t timerId) = 0;
    // One of the view's scroll bars was used; `position` counts for the
    // thumb requests only.
    virtual void viewScroll(ScrollRequest request, std::int32_t position, bool horizontal) = 0;
    // The view's client area changed size.
    virtual void viewResized() = 0;
};
