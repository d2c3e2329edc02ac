#pragma once

#include <cstdint>

#include "app/frame/frame_bar.h"

namespace platform {
class HeadlessWindow;
}

// A main window without a screen: a client area of a set size, and a
// headless canvas view whose client area takes the size the frame places it
// at (a headless view has no scroll bars to leave room for).
class HeadlessMainWindow : public FrameMainWindow {
  public:
    HeadlessMainWindow(std::int32_t width, std::int32_t height, platform::HeadlessWindow& view);

    RECT clientRect() const override { return RECT{0, 0, width_, height_}; }
    void placeCanvasView(const RECT& area) override;

    // A new client size; the caller lays the window out again.
    void setClientSize(std::int32_t width, std::int32_t height);
    // Where the view was last placed, in client coordinates.
    RECT viewArea() const { return viewArea_; }

  private:
    std::int32_t width_;
    std::int32_t height_;
    platform::HeadlessWindow& view_;
    RECT viewArea_{};
};
