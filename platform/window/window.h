#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/types.h"

namespace platform {

class Surface;

// A window the program draws into: the canvas view and the other panes. The
// Qt shell and the headless driver each implement it. Drawing goes to a
// backing store through a surface from `getSurface`; destroying that surface
// presents what was drawn.
class Window {
  public:
    virtual ~Window() = default;

    // (0, 0, width, height) of the client area.
    virtual RECT clientRect() const = 0;
    // Null when no surface can be had (the window is gone or hidden).
    virtual std::unique_ptr<Surface> getSurface() = 0;
    // Asks for a repaint of the area, or of everything when `area` is null.
    virtual void invalidate(const RECT* area) = 0;

    // Stylus capture: while captured, moves and the lift outside the window
    // still reach it.
    virtual void setCapture(bool captured) = 0;
    virtual bool hasCapture() const = 0;

    // Periodic timers by id; setting an id that runs restarts it with the new period.
    virtual bool setTimer(std::uint32_t id, std::uint32_t periodMs) = 0;
    virtual void killTimer(std::uint32_t id) = 0;

    virtual COLORREF backgroundColour() const { return 0xFFFFFF; }

  protected:
    // Makes `surface` present into this window when it is destroyed.
    void presentOnRelease(Surface& surface);
    // Called as a surface from `getSurface` is destroyed: show what it drew.
    virtual void present(Surface& surface) = 0;

  private:
    friend class Surface;
};

}  // namespace platform
