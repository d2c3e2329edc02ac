#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "canvas/canvas.h"
#include "platform/dialogs/dialogs.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/window/headless_window.h"

namespace canvas_testing {

// A colour of its own for every canvas pixel up to 4096 x 4096, so a wrong
// mapping can never show the expected colour by accident.
inline COLORREF uniqueColour(std::int32_t x, std::int32_t y) {
    return rgb(std::uint8_t(x), std::uint8_t((x >> 8) | (y << 4)), std::uint8_t(y >> 4));
}

inline void setPixel(std::uint8_t* bits, std::ptrdiff_t offset, COLORREF c) {
    bits[offset] = blueOf(c);
    bits[offset + 1] = greenOf(c);
    bits[offset + 2] = redOf(c);
}

inline COLORREF getPixel(const std::uint8_t* bits, std::ptrdiff_t offset) {
    return rgb(bits[offset + 2], bits[offset + 1], bits[offset]);
}

inline COLORREF windowPixel(platform::HeadlessWindow& window, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = window.backingStore().row(y) + 3 * std::ptrdiff_t(x);
    return rgb(p[2], p[1], p[0]);
}

// A canvas on a headless view window, with scripted dialogs that record
// every message the canvas shows.
class CanvasTest : public ::testing::Test {
  protected:
    CanvasTest() : window(240, 268) { platform::setDialogs(&dialogs); }
    ~CanvasTest() override { platform::setDialogs(nullptr); }

    bool make(std::uint16_t width, std::uint16_t height) {
        return canvas.create(&window, width, height, Canvas::defaultViewWidth,
                             Canvas::defaultViewHeight);
    }

    COLORREF live(std::int32_t x, std::int32_t y) const {
        return getPixel(canvas.liveBits(), canvas.pixelOffset(x, y));
    }
    COLORREF committed(std::int32_t x, std::int32_t y) const {
        return getPixel(canvas.committedBits(), canvas.pixelOffset(x, y));
    }
    void setLive(std::int32_t x, std::int32_t y, COLORREF c) {
        setPixel(canvas.liveBits(), canvas.pixelOffset(x, y), c);
    }

    // Gives every pixel of the live picture, spare rows included, its own colour.
    void paintLivePattern() {
        for (std::int32_t y = 0; y < canvas.allocatedRows(); ++y)
            for (std::int32_t x = 0; x < canvas.width(); ++x)
                setLive(x, y, uniqueColour(x, y));
    }

    // A paint request as the document makes one: the whole view rebuilt, no tool.
    void renderView(std::int16_t scrollX, std::int16_t scrollY, std::int16_t zoomShift) {
        const RECT client = window.clientRect();
        canvas.beginRender(false, scrollX, scrollY, zoomShift, &client, &client, false);
        canvas.setViewTransform(true, true, scrollX, scrollY, zoomShift, &client, &client);
        canvas.endRender();
    }

    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow window;
    Canvas canvas;
};

}  // namespace canvas_testing
