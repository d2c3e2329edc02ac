#include <algorithm>

#include "app/frame/main_frame.h"
#include "document/document.h"
#include "platform/window/window.h"

namespace {

// How far one auto-scroll tick moves the view. When magnified the step grows
// with the zoom, so the picture passes by at the same number of canvas
// pixels per tick at every zoom.
constexpr std::int32_t autoScrollStep = 5;

std::int32_t edgeStep(std::int32_t coordinate, std::int32_t extent) {
    if (coordinate <= 1) return -autoScrollStep;
    if (coordinate >= extent - 1) return autoScrollStep;
    return 0;
}

}  // namespace

void MainFrame::viewStylusDown(std::int32_t x, std::int32_t y) {
    if (currentTool == ToolButton::Hand) {
        // Panning keeps the stylus even when it leaves the view.
        setCapture(true);
        const POINT p = clampToView(x, y);
        panTo(p.x, p.y, false);
        return;
    }
    if (!document) return;
    // Outside hand mode the document takes and releases the capture itself.
    const POINT p = clampToView(x, y);
    document->pointerButton(p, true, true, false);
    checkAutoScroll(p.x, p.y, false);
}

void MainFrame::viewStylusMove(std::int32_t x, std::int32_t y) {
    if (currentTool == ToolButton::Hand) {
        const POINT p = clampToView(x, y);
        panTo(p.x, p.y, true);
        return;
    }
    if (!document) return;
    const POINT p = clampToView(x, y);
    document->pointerMove(p, false);
    checkAutoScroll(p.x, p.y, true);
}

void MainFrame::viewStylusUp(std::int32_t x, std::int32_t y) {
    if (currentTool == ToolButton::Hand) {
        setCapture(false);
        return;
    }
    if (!document) return;
    const POINT p = clampToView(x, y);
    document->pointerButton(p, false, true, false);
    checkAutoScroll(p.x, p.y, false);
}

void MainFrame::viewCharacter(char16_t character) {
    if (document) document->charInput(character);
}

void MainFrame::viewPaint() {
    if (document) document->redraw(false, true, nullptr, nullptr);
}

POINT MainFrame::clampToView(std::int32_t x, std::int32_t y) const {
    RECT view;
    getViewRect(view);
    // While captured the stylus reports points off the view, even negative
    // ones; the document only ever sees points on the view. The upper limit
    // is applied first so that an empty view still yields 0.
    POINT p;
    p.x = std::max(std::min(x, view.right - 1), 0);
    p.y = std::max(std::min(y - view.top, view.bottom - 1), 0);
    return p;
}

void MainFrame::panTo(std::int32_t x, std::int32_t y, bool scroll) {
    // Scrolling against the stylus's movement keeps the picture under it.
    if (scroll) scrollBy(panAnchorX - x, panAnchorY - y);
    panAnchorX = x;
    panAnchorY = y;
}

void MainFrame::checkAutoScroll(std::int32_t x, std::int32_t y, bool moving) {
    // Every stylus event ends the running auto-scroll; only a move that is
    // still at an edge starts it again.
    if (autoScrollTimer != 0) {
        if (canvasWindow) canvasWindow->killTimer(autoScrollTimer);
        autoScrollTimer = 0;
    }
    if (!moving) return;
    // Without a view there is no edge to rest on and no timer to run.
    if (!canvasWindow) return;

    RECT view;
    getViewRect(view);
    if (x > 1 && y > 1 && x < view.right - 1 && y < view.bottom - 1) return;

    autoScrollDX = edgeStep(x, view.right);
    autoScrollDY = edgeStep(y, view.bottom);
    if (zoomShift > 0) {
        const std::int32_t scale = std::int32_t(1) << std::min(zoomShift, 16);
        autoScrollDX *= scale;
        autoScrollDY *= scale;
    }
    scrollBy(autoScrollDX, autoScrollDY);
    if (autoScrollDX == 0 && autoScrollDY == 0) return;

    autoScrollX = x;
    autoScrollY = y;
    if (canvasWindow->setTimer(autoScrollTimerId, autoScrollPeriodMs))
        autoScrollTimer = autoScrollTimerId;
}

void MainFrame::onAutoScrollTimer(std::uint32_t timerId) {
    if (timerId != autoScrollTimerId || autoScrollTimer == 0) return;
    if (autoScrollDX == 0 && autoScrollDY == 0) {
        if (canvasWindow) canvasWindow->killTimer(autoScrollTimer);
        autoScrollTimer = 0;
        return;
    }
    scrollBy(autoScrollDX, autoScrollDY);
    // The stored point stays put while the picture moves under it, so the
    // canvas point the tool receives advances with every tick.
    if (document)
        document->pointerMove(POINT{autoScrollX + autoScrollDX, autoScrollY + autoScrollDY}, true);
}
