#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "app/frame/main_frame.h"
#include "app/frame/testing/quiet_document.h"
#include "document/document.h"
#include "platform/window/headless_window.h"

namespace {

// Everything the view hands to the document, in order.
struct DocEvent {
    enum Kind { Button, Move, Char, Redraw, Command };
    Kind kind;
    POINT point{};
    bool down = false;             // Button
    bool viewCoordinates = false;  // Button
    bool continuation = false;     // Button
    bool fromAutoScroll = false;   // Move
    char16_t character = 0;
    friend bool operator==(const DocEvent&, const DocEvent&) = default;
};

void PrintTo(const DocEvent& e, std::ostream* out) {
    static const char* const names[] = {"button", "move", "char", "redraw", "command"};
    *out << names[e.kind] << " (" << e.point.x << ", " << e.point.y << ")";
    if (e.kind == DocEvent::Button)
        *out << (e.down ? " down" : " up") << (e.viewCoordinates ? " view" : "")
             << (e.continuation ? " continuation" : "");
    if (e.kind == DocEvent::Move && e.fromAutoScroll) *out << " auto-scroll";
}

DocEvent pressAt(std::int32_t x, std::int32_t y) {
    return DocEvent{DocEvent::Button, POINT{x, y}, true, true, false};
}
DocEvent liftAt(std::int32_t x, std::int32_t y) {
    return DocEvent{DocEvent::Button, POINT{x, y}, false, true, false};
}
DocEvent moveTo(std::int32_t x, std::int32_t y, bool fromAutoScroll = false) {
    DocEvent e{DocEvent::Move, POINT{x, y}};
    e.fromAutoScroll = fromAutoScroll;
    return e;
}
DocEvent repaint() {
    return DocEvent{DocEvent::Redraw};
}

class RecordingDocument : public QuietDocument {
  public:
    void executeCommand(DocCommand, int) override { events.push_back({DocEvent::Command}); }
    void pointerMove(POINT point, bool fromAutoScroll) override {
        events.push_back(moveTo(point.x, point.y, fromAutoScroll));
    }
    void pointerButton(POINT point, bool down, bool viewCoordinates, bool continuation) override {
        events.push_back({DocEvent::Button, point, down, viewCoordinates, continuation});
    }
    void charInput(char16_t character) override {
        DocEvent e{DocEvent::Char};
        e.character = character;
        events.push_back(e);
    }
    void redraw(bool withHistory, bool rebuildView, Tool* before, Tool* after) override {
        // The view only ever asks for a plain full repaint.
        EXPECT_FALSE(withHistory);
        EXPECT_TRUE(rebuildView);
        EXPECT_EQ(before, nullptr);
        EXPECT_EQ(after, nullptr);
        events.push_back(repaint());
    }

    std::vector<DocEvent> take() {
        std::vector<DocEvent> taken;
        taken.swap(events);
        return taken;
    }

    std::vector<DocEvent> events;
};

// A 600 by 600 canvas behind a 240 by 268 view, as on the device.
class CanvasViewTest : public ::testing::Test {
  protected:
    CanvasViewTest() : view(240, 268) {
        frame.canvasWindow = &view;
        frame.document = &document;
        frame.canvasWidth = frame.canvasHeight = 600;
        frame.updateScrollRange();
    }

    bool timerRunning() const { return view.timerPeriod(MainFrame::autoScrollTimerId) != 0; }

    platform::HeadlessWindow view;
    RecordingDocument document;
    MainFrame frame;
};

using Events = std::vector<DocEvent>;

TEST_F(CanvasViewTest, StylusPointsReachTheDocumentHeldInsideTheView) {
    frame.viewStylusDown(-5, -7);    // captured, above and left of the view
    frame.viewStylusMove(300, 400);  // the corner: the view also starts scrolling
    frame.viewStylusMove(120, 130);
    frame.viewStylusUp(1000, 10);
    EXPECT_EQ(document.take(), (Events{pressAt(0, 0), moveTo(239, 267), repaint(), moveTo(120, 130),
                                       liftAt(239, 10)}));
    // The document takes and releases the capture itself.
    EXPECT_FALSE(view.hasCapture());
}

TEST_F(CanvasViewTest, ClampToViewKeepsTheLastPixelAndTheFirst) {
    EXPECT_EQ(frame.clampToView(239, 267), (POINT{239, 267}));
    EXPECT_EQ(frame.clampToView(240, 268), (POINT{239, 267}));
    EXPECT_EQ(frame.clampToView(-32768, -1), (POINT{0, 0}));
    EXPECT_EQ(frame.clampToView(100000, 5), (POINT{239, 5}));
    // Without a view every point collapses onto the origin.
    frame.canvasWindow = nullptr;
    EXPECT_EQ(frame.clampToView(50, 60), (POINT{0, 0}));
}

TEST_F(CanvasViewTest, CharactersAndPaintGoToTheDocument) {
    frame.viewCharacter(u'\u00e9');
    frame.viewPaint();
    const Events events = document.take();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, DocEvent::Char);
    EXPECT_EQ(events[0].character, u'\u00e9');
    EXPECT_EQ(events[1], repaint());
}

TEST_F(CanvasViewTest, WithoutADocumentStylusCharactersAndPaintDoNothing) {
    frame.document = nullptr;
    frame.viewStylusDown(0, 100);
    frame.viewStylusMove(0, 100);  // at the edge, but nothing to scroll for
    frame.viewCharacter(u'a');
    frame.viewPaint();
    frame.viewStylusUp(0, 100);
    EXPECT_TRUE(document.events.empty());
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(frame.autoScrollTimer, 0u);
    EXPECT_EQ(frame.scrollX, 0);
}

TEST_F(CanvasViewTest, HoldingTheStylusOnTheLeftEdgeAt200PercentScrollsTenPixelsATick) {
    frame.changeZoom(1);
    frame.scrollTo(ScrollRequest::ThumbPosition, 100, true, false);
    document.take();

    frame.viewStylusDown(50, 100);
    EXPECT_FALSE(timerRunning());  // a press never starts auto-scrolling
    frame.viewStylusMove(-3, 100);
    EXPECT_EQ(frame.scrollX, 90);
    EXPECT_EQ(frame.autoScrollTimer, MainFrame::autoScrollTimerId);
    EXPECT_EQ(view.timerPeriod(MainFrame::autoScrollTimerId), MainFrame::autoScrollPeriodMs);
    EXPECT_EQ(document.take(), (Events{pressAt(50, 100), moveTo(0, 100), repaint()}));

    frame.onAutoScrollTimer(MainFrame::autoScrollTimerId);
    EXPECT_EQ(frame.scrollX, 80);
    frame.onAutoScrollTimer(MainFrame::autoScrollTimerId);
    EXPECT_EQ(frame.scrollX, 70);
    // The stored point does not advance; the picture moves under it.
    EXPECT_EQ(document.take(),
              (Events{repaint(), moveTo(-10, 100, true), repaint(), moveTo(-10, 100, true)}));

    // Other timers of the view are not auto-scroll ticks.
    frame.onAutoScrollTimer(1);
    frame.onAutoScrollTimer(0);
    EXPECT_EQ(frame.scrollX, 70);
    EXPECT_TRUE(document.events.empty());

    frame.viewStylusUp(-3, 100);
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(frame.autoScrollTimer, 0u);
    // A tick already queued when the stylus lifted changes nothing.
    frame.onAutoScrollTimer(MainFrame::autoScrollTimerId);
    EXPECT_EQ(frame.scrollX, 70);
    EXPECT_EQ(document.take(), (Events{liftAt(0, 100)}));
}

TEST_F(CanvasViewTest, AutoScrollStepsAtTheOtherEdgesAndZooms) {
    frame.viewStylusDown(120, 130);
    frame.viewStylusMove(239, 267);  // the last pixel of the right and bottom edges
    EXPECT_EQ(frame.autoScrollDX, 5);
    EXPECT_EQ(frame.autoScrollDY, 5);
    EXPECT_EQ(frame.scrollX, 5);
    EXPECT_EQ(frame.scrollY, 5);
    EXPECT_TRUE(timerRunning());

    // Back inside: the move stops the timer and does not restart it.
    frame.viewStylusMove(238, 2);
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(frame.autoScrollTimer, 0u);

    frame.viewStylusMove(100, 1);  // within two pixels of the top
    EXPECT_EQ(frame.autoScrollDX, 0);
    EXPECT_EQ(frame.autoScrollDY, -5);
    EXPECT_EQ(frame.scrollY, 0);
    EXPECT_TRUE(timerRunning());
    frame.viewStylusUp(100, 1);

    // Below 100 % the step stays five view pixels; at 1600 % it is eighty.
    frame.changeZoom(-1);
    frame.viewStylusDown(120, 130);
    frame.viewStylusMove(0, 130);
    EXPECT_EQ(frame.autoScrollDX, -5);
    frame.viewStylusUp(0, 130);
    frame.changeZoom(4);
    frame.viewStylusDown(120, 130);
    frame.viewStylusMove(239, 130);
    EXPECT_EQ(frame.autoScrollDX, 80);
    EXPECT_EQ(frame.scrollX, 80);
    frame.viewStylusUp(239, 130);
    EXPECT_FALSE(timerRunning());
}

TEST_F(CanvasViewTest, AutoScrollAtTheEndOfTheRangeStillFeedsTheTool) {
    frame.viewStylusDown(120, 130);
    frame.viewStylusMove(0, 130);  // already at the left end: nothing to scroll
    EXPECT_EQ(frame.scrollX, 0);
    EXPECT_TRUE(timerRunning());
    document.take();
    frame.onAutoScrollTimer(MainFrame::autoScrollTimerId);
    EXPECT_EQ(document.take(), (Events{moveTo(-5, 130, true)}));
}

TEST_F(CanvasViewTest, HandModePansTheViewWithoutTheDocument) {
    frame.currentTool = ToolButton::Hand;
    frame.scrollTo(ScrollRequest::ThumbPosition, 50, true, false);
    frame.scrollTo(ScrollRequest::ThumbPosition, 50, false, false);

    frame.viewStylusDown(100, 100);
    EXPECT_TRUE(view.hasCapture());
    EXPECT_EQ(frame.panAnchorX, 100);
    EXPECT_EQ(frame.panAnchorY, 100);
    EXPECT_EQ(frame.scrollX, 50);

    frame.viewStylusMove(110, 100);  // the picture follows the stylus to the right
    EXPECT_EQ(frame.scrollX, 40);
    EXPECT_EQ(frame.scrollY, 50);
    frame.viewStylusMove(110, 80);
    EXPECT_EQ(frame.scrollY, 70);
    // At the edge of the view panning does not auto-scroll.
    frame.viewStylusMove(0, 80);
    EXPECT_EQ(frame.scrollX, 150);
    EXPECT_FALSE(timerRunning());

    frame.viewStylusUp(0, 80);
    EXPECT_FALSE(view.hasCapture());
    // Only the repaints of the scrolling reached the document.
    for (const DocEvent& e : document.events)
        EXPECT_EQ(e, repaint());
    EXPECT_EQ(document.events.size(), 3u);
}

TEST_F(CanvasViewTest, HandModeWorksWithoutADocument) {
    frame.document = nullptr;
    frame.currentTool = ToolButton::Hand;
    frame.scrollTo(ScrollRequest::ThumbPosition, 50, true, false);
    frame.viewStylusDown(100, 100);
    frame.viewStylusMove(90, 100);
    EXPECT_EQ(frame.scrollX, 60);
    frame.viewStylusUp(90, 100);
    EXPECT_FALSE(view.hasCapture());
}

}  // namespace
