#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/document_startup.h"
#include "document/sketch_document.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/window/headless_window.h"

namespace document_testing {

inline COLORREF pixelIn(const std::uint8_t* bits, const Canvas& canvas, std::int32_t x,
                        std::int32_t y) {
    const std::uint8_t* p = bits + canvas.pixelOffset(x, y);
    return rgb(p[2], p[1], p[0]);
}

// A document attached to a frame whose canvas view is a headless window, as
// the program runs it, with dialogs that answer from a script. Stylus
// helpers take view coordinates and go through the document as the canvas
// view sends them.
class DocumentTest : public ::testing::Test {
  protected:
    explicit DocumentTest(std::uint16_t width = 600, std::uint16_t height = 600,
                          std::int32_t viewWidth = 240, std::int32_t viewHeight = 268)
        : view(viewWidth, viewHeight) {
        platform::setDialogs(&dialogs);
        startDocument(frame, document, view, width, height);
    }
    ~DocumentTest() override { platform::setDialogs(nullptr); }

    void down(std::int32_t x, std::int32_t y) {
        document.pointerButton(POINT{x, y}, true, true, false);
    }
    void move(std::int32_t x, std::int32_t y) { document.pointerMove(POINT{x, y}, false); }
    void up(std::int32_t x, std::int32_t y) {
        document.pointerButton(POINT{x, y}, false, true, false);
    }
    // A whole gesture: down at the first point, a move to each following
    // one, up at the last.
    void stroke(std::initializer_list<POINT> points) {
        const POINT* p = points.begin();
        down(p->x, p->y);
        for (const POINT* q = p + 1; q != points.end(); ++q)
            move(q->x, q->y);
        const POINT last = *(points.end() - 1);
        up(last.x, last.y);
    }
    void useTool(std::uint16_t button) { frame.selectTool(button); }
    void paint() { document.redraw(false, true, nullptr, nullptr); }

    COLORREF live(std::int32_t x, std::int32_t y) const {
        return pixelIn(document.canvas.liveBits(), document.canvas, x, y);
    }
    void setLive(std::int32_t x, std::int32_t y, COLORREF c) {
        std::uint8_t* p = document.canvas.liveBits() + document.canvas.pixelOffset(x, y);
        p[0] = blueOf(c);
        p[1] = greenOf(c);
        p[2] = redOf(c);
    }
    COLORREF committed(std::int32_t x, std::int32_t y) const {
        return pixelIn(document.canvas.committedBits(), document.canvas, x, y);
    }
    COLORREF shown(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* p = view.backingStore().row(y) + 3 * std::ptrdiff_t(x);
        return rgb(p[2], p[1], p[0]);
    }
    // Number of history entries, whatever the cursor.
    int historyLength() const {
        int n = 0;
        for (const Tool* t = document.historyHead; t; t = t->next)
            ++n;
        return n;
    }
    // A byte-for-byte copy of a picture's canvas rows.
    std::vector<std::uint8_t> canvasBytes(const std::uint8_t* bits) const {
        const Canvas& c = document.canvas;
        const std::ptrdiff_t first = c.pixelOffset(0, c.height() - 1);
        const std::ptrdiff_t end = c.pixelOffset(0, 0) + c.rowStride();
        return std::vector<std::uint8_t>(bits + first, bits + end);
    }

    // Device paths (the canvas-size command's carrier file, say) land in a
    // folder of this test's own, so tests running side by side never share one.
    platform::testing::TempFolder deviceRoot;
    platform::testing::ScopedEnvironment deviceRootVariable{"MIRABO_DEVICE_ROOT",
                                                            deviceRoot.path().c_str()};
    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view;
    MainFrame frame;
    SketchDocument document;
};

}  // namespace document_testing
