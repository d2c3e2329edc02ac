#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "app/frame/testing/quiet_document.h"
#include "app/frame/testing/recording_bar.h"
#include "document/document.h"
#include "platform/window/headless_window.h"

namespace {

// Counts the repaints and remembers the commands the scrolling code sends.
class CountingDocument : public QuietDocument {
  public:
    void executeCommand(DocCommand command, int argument) override {
        commands.push_back(command);
        EXPECT_EQ(argument, 0);
    }
    bool canUndo() const override { return undoable; }
    void pointerMove(POINT, bool) override { ++stylusEvents; }
    void pointerButton(POINT, bool, bool, bool) override { ++stylusEvents; }
    void redraw(bool, bool, Tool*, Tool*) override { ++redraws; }

    std::vector<DocCommand> commands;
    int redraws = 0;
    int stylusEvents = 0;
    bool undoable = false;
};

// What the frame last told each scroll bar.
class RecordingScrollBars : public ViewScrollBars {
  public:
    struct Bar {
        std::int32_t maximum = -1;
        std::int32_t position = -1;
        bool enabled = true;
    };
    void setRange(bool horizontal, std::int32_t maximum, std::int32_t position,
                  bool enabled) override {
        Bar& bar = horizontal ? h : v;
        bar.maximum = maximum;
        bar.position = position;
        bar.enabled = enabled;
    }
    void setPosition(bool horizontal, std::int32_t position) override {
        (horizontal ? h : v).position = position;
    }
    Bar h, v;
};

class ViewScrollingTest : public ::testing::Test {
  protected:
    ViewScrollingTest() : view(240, 268) {
        frame.canvasWindow = &view;
        frame.scrollBars = &bars;
        frame.document = &document;
        frame.canvasWidth = frame.canvasHeight = 600;
        frame.updateScrollRange();
    }

    platform::HeadlessWindow view;
    RecordingScrollBars bars;
    CountingDocument document;
    MainFrame frame;
};

TEST_F(ViewScrollingTest, RangeOfA600PixelCanvasAtEachZoom) {
    EXPECT_EQ(frame.maxScrollX, 599 - 240);
    EXPECT_EQ(frame.maxScrollY, 599 - 268);
    EXPECT_EQ(bars.h.maximum, 599 - 240);
    EXPECT_TRUE(bars.h.enabled);

    frame.scrollTo(ScrollRequest::ThumbPosition, 200, true, false);
    frame.changeZoom(-1);  // 300 pixels wide
    EXPECT_EQ(frame.maxScrollX, 300 - 240);
    EXPECT_EQ(frame.scrollX, 60);  // 100 would be right, but the range ends at 60
    EXPECT_EQ(bars.h.position, 60);

    frame.changeZoom(-2);  // 150 pixels: narrower than the view
    EXPECT_EQ(frame.maxScrollX, 0);
    EXPECT_EQ(frame.scrollX, 0);
    EXPECT_EQ(bars.h.position, 0);
    EXPECT_FALSE(bars.h.enabled);
    EXPECT_FALSE(bars.v.enabled);
    // Nothing moves the position off 0 while the canvas fits.
    frame.scrollBy(30, 30);
    frame.scrollTo(ScrollRequest::PageDown, 0, true, true);
    EXPECT_EQ(frame.scrollX, 0);
    EXPECT_EQ(frame.scrollY, 0);
}

TEST_F(ViewScrollingTest, ZoomingKeepsTheTopLeftCanvasPoint) {
    frame.scrollTo(ScrollRequest::ThumbPosition, 100, true, false);
    frame.scrollTo(ScrollRequest::ThumbPosition, 30, false, false);
    frame.changeZoom(2);
    EXPECT_EQ(frame.scrollX, 400);
    EXPECT_EQ(frame.scrollY, 120);
    EXPECT_EQ(bars.h.position, 400);
    EXPECT_EQ(bars.h.maximum, 599 * 4 - 240);
    frame.changeZoom(0);
    EXPECT_EQ(frame.scrollX, 100);
    EXPECT_EQ(frame.scrollY, 30);

    // Near the end of the range the scaled position is clamped to the new end.
    frame.scrollTo(ScrollRequest::ThumbPosition, 359, true, false);
    frame.changeZoom(-1);
    EXPECT_EQ(frame.scrollX, 60);
    frame.changeZoom(4);
    EXPECT_EQ(frame.scrollX, 60 * 32);

    // The scroll requests themselves do not repaint; the document does, on
    // the zoom command, once per change.
    EXPECT_EQ(document.redraws, 0);
    EXPECT_EQ(document.commands, (std::vector<DocCommand>(4, DocCommand::ZoomChanged)));
}

TEST_F(ViewScrollingTest, ZoomingAroundThePointerKeepsTheCanvasPointUnderIt) {
    struct Step {
        std::int32_t shift;
        POINT keep;
        std::int16_t x, y;  // the scroll position afterwards
    };
    // From (100, 30) at 100 %: the canvas point (150, 90) under (50, 60)
    // stays there in and out; positions past either end are held to it.
    const Step steps[] = {
        {1, {50, 60}, 250, 120},     {0, {50, 60}, 100, 30}, {-1, {50, 60}, 25, 0},
        {4, {239, 267}, 8209, 8277}, {0, {0, 0}, 359, 331},
    };
    frame.scrollTo(ScrollRequest::ThumbPosition, 100, true, false);
    frame.scrollTo(ScrollRequest::ThumbPosition, 30, false, false);
    for (const Step& step : steps) {
        frame.changeZoom(step.shift, step.keep);
        EXPECT_EQ(frame.scrollX, step.x) << "zoom shift " << step.shift;
        EXPECT_EQ(frame.scrollY, step.y) << "zoom shift " << step.shift;
    }
}

TEST_F(ViewScrollingTest, ZoomOutsideTheSupportedRangeIsRefused) {
    frame.scrollTo(ScrollRequest::ThumbPosition, 100, true, false);
    frame.changeZoom(5);
    frame.changeZoom(-3);
    frame.changeZoom(1000);
    EXPECT_EQ(frame.zoomShift, 0);
    EXPECT_EQ(frame.scrollX, 100);
    EXPECT_EQ(frame.maxScrollX, 599 - 240);
    EXPECT_TRUE(document.commands.empty());
}

TEST_F(ViewScrollingTest, ZoomChangeUpdatesTheOptionBar) {
    RecordingBar optionBar;
    frame.optionBar = &optionBar;
    document.undoable = true;
    frame.changeZoom(1);
    EXPECT_TRUE(optionBar.buttons[OptionCommand::Undo].visible);
    EXPECT_FALSE(optionBar.buttons[OptionCommand::Redo].visible);
}

TEST_F(ViewScrollingTest, ZoomWithoutADocumentOrViewWorksOnTheFields) {
    frame.document = nullptr;
    frame.canvasWindow = nullptr;
    frame.scrollBars = nullptr;
    frame.scrollX = 100;
    frame.changeZoom(3);
    EXPECT_EQ(frame.zoomShift, 3);
    EXPECT_EQ(frame.maxScrollX, 599 * 8);
    EXPECT_EQ(frame.scrollX, 800);
}

TEST_F(ViewScrollingTest, ScrollBarCodesMoveTheirAxis) {
    struct Case {
        int code;
        std::int32_t position;
        std::int16_t expectedX;
        std::int16_t expectedY;
    };
    // From 100 on both axes; the view is 240 wide and 268 high, and the
    // ranges end at 359 and 331.
    const Case cases[] = {
        {0, 0, 99, 99},       // line up
        {1, 0, 101, 101},     // line down
        {2, 0, 0, 0},         // page up, past the start
        {3, 0, 340, 331},     // page down: a page is the client width or height
        {4, 250, 250, 250},   // thumb position
        {5, 17, 17, 17},      // thumb track
        {4, 5000, 359, 331},  // beyond the end
        {5, -4, 0, 0},        // before the start
        {6, 0, 0, 0},         // top
        {7, 0, 240, 268},     // bottom: the client edge
        {8, 77, 100, 100},    // end of scroll: stays
        {42, 77, 100, 100},   // unknown: stays
    };
    for (const Case& c : cases) {
        frame.scrollX = frame.scrollY = 100;
        frame.scrollTo(ScrollRequest(c.code), c.position, true, false);
        EXPECT_EQ(frame.scrollX, c.expectedX) << "code " << c.code;
        EXPECT_EQ(frame.scrollY, 100) << "code " << c.code;
        EXPECT_EQ(bars.h.position, c.expectedX) << "code " << c.code;
        frame.scrollTo(ScrollRequest(c.code), c.position, false, false);
        EXPECT_EQ(frame.scrollY, c.expectedY) << "code " << c.code;
        EXPECT_EQ(bars.v.position, c.expectedY) << "code " << c.code;
    }
    EXPECT_EQ(document.redraws, 0);
    frame.scrollTo(ScrollRequest::EndScroll, 0, true, true);  // scroll-bar messages always repaint
    EXPECT_EQ(document.redraws, 1);
}

TEST_F(ViewScrollingTest, ScrollByClampsAndRepaintsOnlyOnChange) {
    frame.scrollBy(30, 20);
    EXPECT_EQ(frame.scrollX, 30);
    EXPECT_EQ(frame.scrollY, 20);
    EXPECT_EQ(bars.h.position, 30);
    EXPECT_EQ(bars.v.position, 20);
    EXPECT_EQ(document.redraws, 1);

    frame.scrollBy(0, 0);
    frame.scrollBy(-1000, 0);
    EXPECT_EQ(frame.scrollX, 0);
    EXPECT_EQ(document.redraws, 2);
    frame.scrollBy(-5, 0);  // already at the start: nothing to repaint
    EXPECT_EQ(document.redraws, 2);

    // Deltas far beyond the 16-bit positions do not wrap around.
    frame.scrollBy(INT32_MAX, INT32_MIN);
    EXPECT_EQ(frame.scrollX, 359);
    EXPECT_EQ(frame.scrollY, 0);
    frame.scrollBy(70000, 70000);
    EXPECT_EQ(frame.scrollX, 359);
    EXPECT_EQ(frame.scrollY, 331);
    EXPECT_EQ(document.stylusEvents, 0);
}

TEST_F(ViewScrollingTest, ResetScrollReturnsToTheOrigin) {
    frame.scrollBy(50, 60);
    view.takeInvalidation();
    frame.resetScroll();
    EXPECT_EQ(frame.scrollX, 0);
    EXPECT_EQ(frame.scrollY, 0);
    EXPECT_EQ(bars.h.position, 0);
    EXPECT_EQ(bars.v.position, 0);
    EXPECT_TRUE(view.takeInvalidation().pending());
}

}  // namespace
