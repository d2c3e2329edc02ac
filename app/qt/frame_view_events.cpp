#include "app/qt/frame_view_events.h"

#include <algorithm>
#include <utility>

#include "app/frame/main_frame.h"

namespace {

// 25 % to 1600 %.
constexpr std::int32_t lowestZoomShift = -2;
constexpr std::int32_t highestZoomShift = 4;

}  // namespace

FrameViewEvents::FrameViewEvents(MainFrame& frame, std::function<void()> afterEvent)
    : frame_(frame), afterEvent_(std::move(afterEvent)) {}

void FrameViewEvents::done() {
    if (afterEvent_) afterEvent_();
}

void FrameViewEvents::stylusDown(std::int32_t x, std::int32_t y) {
    frame_.viewStylusDown(x, y);
    done();
}

void FrameViewEvents::stylusMove(std::int32_t x, std::int32_t y) {
    frame_.viewStylusMove(x, y);
    done();
}

void FrameViewEvents::stylusUp(std::int32_t x, std::int32_t y) {
    frame_.viewStylusUp(x, y);
    done();
}

void FrameViewEvents::character(char16_t character) {
    frame_.viewCharacter(character);
    done();
}

void FrameViewEvents::paintRequested() {
    frame_.viewPaint();
}

void FrameViewEvents::timer(std::uint32_t id) {
    frame_.onAutoScrollTimer(id);
    done();
}

void FrameViewEvents::clientSizeChanged() {
    frame_.updateScrollRange();
}

void FrameViewEvents::scrollRequested(int code, std::int32_t position, bool horizontal) {
    frame_.scrollTo(code, position, horizontal, true);
}

void FrameViewEvents::wheelScrolled(std::int32_t dx, std::int32_t dy) {
    frame_.scrollBy(dx, dy);
}

void FrameViewEvents::zoomStepped(int steps) {
    // The wheel walks the zoom palette's steps and stops at either end.
    const std::int32_t shift =
        std::clamp(frame_.zoomShift + steps, lowestZoomShift, highestZoomShift);
    if (shift != frame_.zoomShift) frame_.changeZoom(shift);
    done();
}
