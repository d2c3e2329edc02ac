#pragma once

#include <functional>

#include "app/qt/canvas_view_events.h"

class MainFrame;

// Hands what happens to the canvas view to the frame, as the view's window
// procedure does. The document does not yet say when its state changes, so
// after every event that may have changed it `afterEvent` lets the window
// refresh what depends on it (the title).
class FrameViewEvents final : public CanvasViewEvents {
  public:
    FrameViewEvents(MainFrame& frame, std::function<void()> afterEvent);

    void stylusDown(std::int32_t x, std::int32_t y) override;
    void stylusMove(std::int32_t x, std::int32_t y) override;
    void stylusUp(std::int32_t x, std::int32_t y) override;
    void character(char16_t character) override;
    void paintRequested() override;
    void timer(std::uint32_t id) override;
    void clientSizeChanged() override;
    void scrollRequested(int code, std::int32_t position, bool horizontal) override;
    void wheelScrolled(std::int32_t dx, std::int32_t dy) override;
    void zoomStepped(int steps) override;

  private:
    void done();

    MainFrame& frame_;
    std::function<void()> afterEvent_;
};
