#include <algorithm>
#include <cstdint>

#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "app/frame/view_geometry.h"
#include "document/document.h"
#include "platform/window/window.h"

namespace {

constexpr std::int32_t lowestZoomShift = -2;
constexpr std::int32_t highestZoomShift = 4;

// A wanted scroll position held to what the view can show. The sum of a
// position and a delta is taken wide, so no request can wrap around into
// the other end of the range.
std::int16_t heldPosition(std::int64_t wanted, std::int32_t maximum) {
    if (maximum < 1 || wanted < 0) return 0;
    return std::int16_t(std::min<std::int64_t>(wanted, maximum));
}

// The scroll position at `newShift` that keeps the canvas point under view
// position `keep` where it was at `oldShift`: the old position plus `keep`
// scaled by the change, less `keep`. Taken wide; the caller clamps it.
std::int64_t zoomedScroll(std::int32_t scroll, std::int32_t keep, std::int32_t oldShift,
                          std::int32_t newShift) {
    const std::int64_t kept = std::int64_t(scroll) + keep;
    const std::int32_t d = newShift - oldShift;
    const std::int64_t scaled = d >= 0 ? kept * (std::int64_t(1) << d) : kept >> -d;
    return scaled - keep;
}

}  // namespace

void MainFrame::scrollBy(std::int32_t dx, std::int32_t dy) {
    bool changed = false;
    if (dx != 0) {
        const std::int16_t x = heldPosition(std::int64_t(scrollX) + dx, maxScrollX);
        if (scrollBars) scrollBars->setPosition(true, x);
        changed = changed || x != scrollX;
        scrollX = x;
    }
    if (dy != 0) {
        const std::int16_t y = heldPosition(std::int64_t(scrollY) + dy, maxScrollY);
        if (scrollBars) scrollBars->setPosition(false, y);
        changed = changed || y != scrollY;
        scrollY = y;
    }
    if (changed && document) document->redraw(false, true, nullptr, nullptr);
}

void MainFrame::scrollTo(ScrollRequest code, std::int32_t position, bool horizontal, bool repaint) {
    RECT view;
    getViewRect(view);
    const std::int64_t current = horizontal ? scrollX : scrollY;
    const std::int32_t page = horizontal ? view.right - view.left : view.bottom - view.top;
    std::int64_t target = current;
    switch (code) {
        case ScrollRequest::LineUp:
            target = current - 1;
            break;
        case ScrollRequest::LineDown:
            target = current + 1;
            break;
        case ScrollRequest::PageUp:
            target = current - page;
            break;
        case ScrollRequest::PageDown:
            target = current + page;
            break;
        case ScrollRequest::ThumbPosition:
        case ScrollRequest::ThumbTrack:
            target = position;
            break;
        case ScrollRequest::Top:
            target = 0;
            break;
        case ScrollRequest::Bottom:
            // The client edge rather than the maximum; the clamp below keeps
            // it in range either way.
            target = horizontal ? view.right : view.bottom;
            break;
        default:
            break;
    }
    const std::int16_t held = heldPosition(target, horizontal ? maxScrollX : maxScrollY);
    if (scrollBars) scrollBars->setPosition(horizontal, held);
    if (horizontal)
        scrollX = held;
    else
        scrollY = held;
    if (repaint && document) document->redraw(false, true, nullptr, nullptr);
}

void MainFrame::changeZoom(std::int32_t newShift, POINT keep) {
    // Shifts outside 25 %..1600 % would overflow the view arithmetic.
    if (newShift < lowestZoomShift || newShift > highestZoomShift) return;

    const std::int32_t oldShift = zoomShift;
    const std::int64_t x = zoomedScroll(scrollX, keep.x, oldShift, newShift);
    const std::int64_t y = zoomedScroll(scrollY, keep.y, oldShift, newShift);
    zoomShift = newShift;
    updateScrollRange();
    scrollTo(ScrollRequest::ThumbPosition, std::int32_t(std::clamp<std::int64_t>(x, 0, INT32_MAX)),
             true, false);
    scrollTo(ScrollRequest::ThumbPosition, std::int32_t(std::clamp<std::int64_t>(y, 0, INT32_MAX)),
             false, false);

    if (document) document->executeCommand(DocCommand::ZoomChanged, 0);
    updateOptionBar();
}
