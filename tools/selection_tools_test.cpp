#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "document/doc_command.h"
#include "document/testing/document_fixture.h"
#include "platform/memory/large_buffer.h"
#include "tools/clear_area_tool.h"
#include "tools/flip_tool.h"
#include "tools/move_selection_tool.h"
#include "tools/select_tool.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;
constexpr COLORREF red = 0x0000FF;
constexpr std::uint16_t selectButton = 9;
constexpr std::uint16_t brushButton = 0;
constexpr std::uint16_t rectangleButton = 2;

::testing::AssertionResult rectIs(const RECT& actual, RECT expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom
           << ") instead of (" << expected.left << "," << expected.top << "," << expected.right
           << "," << expected.bottom << ")";
}

// A colour for every pixel, never white or black, so that a pixel moved,
// mirrored or cleared by mistake shows.
constexpr COLORREF patternAt(std::int32_t x, std::int32_t y) {
    return rgb(std::uint8_t(16 + (x * 7) % 200), std::uint8_t(16 + (y * 5) % 200),
               std::uint8_t(16 + ((x + 3 * y) % 200)));
}

class SelectionToolsTest : public DocumentTest {
  protected:
    explicit SelectionToolsTest(std::uint16_t width = 600, std::uint16_t height = 600)
        : DocumentTest(width, height) {
        frame.currentColour = red;
        useTool(selectButton);
    }

    // Puts the pattern into both pictures over `area`, as a flattened
    // picture would hold it, and shows it.
    void paintPattern(const RECT& area) {
        Canvas& c = document.canvas;
        for (std::int32_t y = area.top; y < area.bottom; ++y)
            for (std::int32_t x = area.left; x < area.right; ++x) {
                const COLORREF colour = patternAt(x, y);
                for (std::uint8_t* bits : {c.liveBits(), c.committedBits()}) {
                    std::uint8_t* p = bits + c.pixelOffset(x, y);
                    p[0] = blueOf(colour);
                    p[1] = greenOf(colour);
                    p[2] = redOf(colour);
                }
            }
        paint();
    }

    // Selects the rectangle whose corner pixels are (x0, y0) and (x1, y1).
    void select(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(selectButton);
        stroke({{x0, y0}, {x1, y1}});
    }

    // A red dot committed by the brush, left in the history.
    void brushDot(std::int32_t x, std::int32_t y) {
        const std::uint16_t button = frame.currentTool;
        useTool(brushButton);
        stroke({{x, y}});
        useTool(button);
    }

    // The document's Cut, after the copy: the clearing goes straight into the
    // history and is drawn by its replay.
    void clearArea(const RECT& area) {
        Tool* tool = document.toolFactory.acquire(document, ToolId::ClearArea);
        ASSERT_NE(tool, nullptr);
        tool->setBounds(area);
        document.pushHistory(tool);
        document.redraw(true, true, nullptr, nullptr);
    }

    // The document's Flip Horizontal or Flip Vertical.
    void flip(const RECT& area, bool horizontal) {
        Tool* tool = document.toolFactory.acquire(document, ToolId::Flip);
        ASSERT_NE(tool, nullptr);
        tool->setBounds(area);
        static_cast<FlipTool*>(tool)->horizontal = horizontal;
        document.flattenHistory();
        document.activeTool = tool;
        document.applyToolResult(ToolResult::Commit);
    }

    template <typename T>
    T* active() const {
        return dynamic_cast<T*>(document.activeTool);
    }

    // Dashes of the selection frame in the view along one row.
    int frameInkOnRow(std::int32_t y, std::int32_t x0, std::int32_t x1) const {
        int n = 0;
        for (std::int32_t x = x0; x < x1; ++x)
            if (shown(x, y) == black) ++n;
        return n;
    }
    int frameInkOnColumn(std::int32_t x, std::int32_t y0, std::int32_t y1) const {
        int n = 0;
        for (std::int32_t y = y0; y < y1; ++y)
            if (shown(x, y) == black) ++n;
        return n;
    }

    std::vector<std::uint8_t> liveBytes() const { return canvasBytes(document.canvas.liveBits()); }
    std::vector<std::uint8_t> committedBytes() const {
        return canvasBytes(document.canvas.committedBits());
    }
};

// ---------------------------------------------------------------------------
// Making a selection.

TEST_F(SelectionToolsTest, DraggingSelectsBothEndPixelsAndLeavesThePictureAlone) {
    paintPattern(RECT{0, 0, 200, 200});
    const std::vector<std::uint8_t> before = liveBytes();
    down(20, 30);
    SelectTool* tool = active<SelectTool>();
    ASSERT_NE(tool, nullptr);
    move(90, 40);
    move(50, 70);
    EXPECT_EQ(tool->anchor, (POINT{20, 30}));
    EXPECT_EQ(tool->corner, (POINT{50, 70}));
    // The rubber band shows as a frame just outside both end pixels.
    EXPECT_GT(frameInkOnRow(30, 20, 51), 0);
    EXPECT_GT(frameInkOnColumn(51, 30, 71), 0);
    EXPECT_EQ(frameInkOnColumn(91, 30, 71), 0);  // the first extent is gone
    EXPECT_EQ(document.selectionActive, 0);

    up(50, 70);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 30, 51, 71}));
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(liveBytes(), before);
    EXPECT_EQ(committedBytes(), before);
    EXPECT_GT(frameInkOnRow(30, 20, 51), 0);
    EXPECT_GT(frameInkOnRow(71, 20, 51), 0);
    EXPECT_GT(frameInkOnColumn(20, 30, 71), 0);
    // Inside the frame the view shows the picture.
    for (std::int32_t y = 31; y < 70; ++y)
        for (std::int32_t x = 21; x < 50; ++x)
            ASSERT_EQ(shown(x, y), patternAt(x, y)) << x << "," << y;
}

TEST_F(SelectionToolsTest, DraggingUpAndLeftGivesTheSameSelection) {
    stroke({{70, 60}, {40, 90}, {20, 15}});
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 15, 71, 61}));
    stroke({{20, 15}, {70, 60}});
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 15, 71, 61}));
    // Up and right, and down and left.
    stroke({{20, 60}, {70, 15}});
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 15, 71, 61}));
    stroke({{70, 15}, {20, 60}});
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 15, 71, 61}));
}

TEST_F(SelectionToolsTest, ATapSelectsOnePixel) {
    stroke({{100, 80}});
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_TRUE(rectIs(document.selection, RECT{100, 80, 101, 81}));
}

TEST_F(SelectionToolsTest, SelectingKeepsTheHistory) {
    brushDot(150, 150);
    ASSERT_EQ(historyLength(), 1);
    const std::vector<std::uint8_t> committedBefore = committedBytes();
    select(10, 10, 40, 40);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(committedBytes(), committedBefore);
    // The dot can still be undone after selecting.
    EXPECT_TRUE(document.canUndo());
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(live(150, 150), white);
}

TEST_F(SelectionToolsTest, StartingAnotherToolClearsTheSelectionAndItsFrame) {
    select(10, 10, 40, 40);
    ASSERT_GT(frameInkOnRow(10, 10, 41), 0);
    useTool(rectangleButton);
    // Changing the button alone leaves the selection.
    EXPECT_EQ(document.selectionActive, 1);
    down(150, 150);
    EXPECT_EQ(document.selectionActive, 0);
    EXPECT_EQ(frameInkOnRow(10, 10, 41), 0);
    EXPECT_EQ(frameInkOnColumn(41, 10, 41), 0);
    up(150, 150);
    EXPECT_EQ(document.selectionActive, 0);
}

TEST_F(SelectionToolsTest, ACommandDuringTheDragDropsTheRubberBand) {
    down(20, 20);
    move(60, 60);
    document.executeCommand(DocCommand::ZoomChanged, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(document.selectionActive, 0);
    EXPECT_EQ(historyLength(), 0);
}

TEST_F(SelectionToolsTest, SelectToolChangesNoPixelsAndCannotBeSuppressed) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::Select);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->toolId(), ToolId::Select);
    EXPECT_EQ(tool->flags, ToolFlags::Acquired | ToolFlags::Floating | ToolFlags::RedrawWhole |
                               ToolFlags::NoPixels | ToolFlags::Marquee);
    EXPECT_FALSE(tool->setFlag(ToolFlags::Suppressed, true));
    // An empty batch of points takes nothing.
    int consumed = -1;
    EXPECT_EQ(tool->onPointerMove(document, nullptr, 0, &consumed), ToolResult::None);
    EXPECT_EQ(consumed, 0);
    setLive(10, 10, red);
    EXPECT_TRUE(tool->syncPictures(document, true));
    EXPECT_EQ(committed(10, 10), white);
    EXPECT_EQ(tool->finish(document), ToolResult::Discard);
    document.toolFactory.release(document, tool);
}

// ---------------------------------------------------------------------------
// Where the stylus lands decides between moving and selecting anew.

TEST_F(SelectionToolsTest, TheRightAndBottomEdgesLiftTheSelection) {
    for (const POINT p : {POINT{60, 35}, POINT{40, 50}, POINT{60, 50}, POINT{20, 20}}) {
        select(20, 20, 59, 49);
        ASSERT_TRUE(rectIs(document.selection, RECT{20, 20, 60, 50}));
        down(p.x, p.y);
        MoveSelectionTool* tool = active<MoveSelectionTool>();
        ASSERT_NE(tool, nullptr) << p.x << "," << p.y;
        EXPECT_FALSE(tool->awaitingLift);
        EXPECT_EQ(tool->grabX, p.x - 20);
        EXPECT_EQ(tool->grabY, p.y - 20);
        EXPECT_EQ(tool->areaWidth, 40);
        EXPECT_EQ(tool->areaHeight, 30);
        EXPECT_EQ(document.selectionActive, 0);
        up(p.x, p.y);
        document.flattenHistory();
        document.clearSelection();
    }
}

TEST_F(SelectionToolsTest, JustBeyondTheEdgesSelectsAnew) {
    for (const POINT p : {POINT{61, 35}, POINT{40, 51}, POINT{19, 35}, POINT{40, 19}}) {
        select(20, 20, 59, 49);
        down(p.x, p.y);
        EXPECT_NE(active<SelectTool>(), nullptr) << p.x << "," << p.y;
        up(p.x, p.y);
        EXPECT_TRUE(rectIs(document.selection, RECT{p.x, p.y, p.x + 1, p.y + 1}));
    }
}

TEST_F(SelectionToolsTest, LiftingTheSelectionFlattensTheHistory) {
    brushDot(150, 150);
    select(20, 20, 59, 49);
    ASSERT_EQ(historyLength(), 1);
    down(30, 30);
    ASSERT_NE(active<MoveSelectionTool>(), nullptr);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(committed(150, 150), live(150, 150));
    EXPECT_NE(committed(150, 150), white);
}

// ---------------------------------------------------------------------------
// Moving the selected area.

class MoveSelectionTest : public SelectionToolsTest {
  protected:
    void SetUp() override {
        paintPattern(RECT{0, 0, 240, 268});
        before = liveBytes();
        select(20, 20, 59, 49);  // (20, 20)-(60, 50)
    }

    // Live pixel (x, y) after the area (20, 20)-(60, 50) went to (dx, dy).
    static COLORREF movedAt(std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy) {
        if (x >= dx && x < dx + 40 && y >= dy && y < dy + 30)
            return patternAt(x - dx + 20, y - dy + 20);
        if (x >= 20 && x < 60 && y >= 20 && y < 50) return white;
        return patternAt(x, y);
    }
    void expectMovedTo(std::int32_t dx, std::int32_t dy) const {
        for (std::int32_t y = 0; y < 200; ++y)
            for (std::int32_t x = 0; x < 200; ++x)
                ASSERT_EQ(live(x, y), movedAt(x, y, dx, dy)) << x << "," << y;
    }

    std::vector<std::uint8_t> before;
};

TEST_F(MoveSelectionTest, DraggingPreviewsTheMoveAndTheAreaStaysFloating) {
    down(30, 25);
    move(80, 70);
    move(130, 85);
    MoveSelectionTool* tool = active<MoveSelectionTool>();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->destX, 120);
    EXPECT_EQ(tool->destY, 80);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{120, 80, 160, 110}));
    // Only the view shows the move so far.
    EXPECT_EQ(liveBytes(), before);
    for (std::int32_t y = 0; y < 200; ++y)
        for (std::int32_t x = 0; x < 200; ++x) {
            // Leave out the dashes of the frame around the area.
            const bool onFrame = ((x == 120 || x == 160) && y >= 80 && y <= 110) ||
                                 ((y == 80 || y == 110) && x >= 120 && x <= 160);
            if (onFrame && shown(x, y) == black) continue;
            ASSERT_EQ(shown(x, y), movedAt(x, y, 120, 80)) << x << "," << y;
        }
    EXPECT_GT(frameInkOnRow(80, 120, 161), 0);

    up(130, 85);
    EXPECT_EQ(document.activeTool, tool);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_TRUE(document.canCopy());  // the floating area stands for the selection
    EXPECT_GT(frameInkOnRow(80, 120, 161), 0);

    // Grabbing it again, on its new bottom-right edge, adds nothing to the history.
    down(160, 110);
    EXPECT_EQ(document.activeTool, tool);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(tool->grabX, 40);
    EXPECT_EQ(tool->grabY, 30);
    move(150, 120);
    up(150, 120);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{110, 90, 150, 120}));
    EXPECT_EQ(tool->sourceX, 20);
    EXPECT_EQ(tool->sourceY, 20);
    EXPECT_EQ(document.activeTool, tool);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(liveBytes(), before);
}

TEST_F(MoveSelectionTest, AStylusDownOutsidePutsTheAreaDownAndSelectsThere) {
    stroke({{30, 25}, {130, 85}});
    down(200, 30);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyHead->toolId(), ToolId::MoveSelection);
    expectMovedTo(120, 80);
    SelectTool* select = active<SelectTool>();
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->anchor, (POINT{200, 30}));
    up(200, 30);
    EXPECT_TRUE(rectIs(document.selection, RECT{200, 30, 201, 31}));
    EXPECT_EQ(historyLength(), 1);
    // The committed picture is left for the flatten.
    EXPECT_EQ(committedBytes(), before);
}

TEST_F(MoveSelectionTest, UndoRestoresBothRectanglesAndRedoMovesAgain) {
    stroke({{30, 25}, {45, 35}});  // overlaps where it came from
    down(150, 150);
    up(150, 150);
    ASSERT_EQ(historyLength(), 1);
    expectMovedTo(35, 30);
    const std::vector<std::uint8_t> moved = liveBytes();

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(liveBytes(), before);
    EXPECT_EQ(committedBytes(), before);
    EXPECT_EQ(document.selectionActive, 0);
    for (std::int32_t y = 0; y < 120; ++y)
        for (std::int32_t x = 0; x < 120; ++x)
            ASSERT_EQ(shown(x, y), patternAt(x, y)) << x << "," << y;

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(liveBytes(), moved);
    document.flattenHistory();
    EXPECT_EQ(committedBytes(), moved);
    EXPECT_EQ(liveBytes(), moved);
}

TEST_F(MoveSelectionTest, ACommandPutsTheAreaDownAsTheSelection) {
    stroke({{30, 25}, {130, 85}});
    // Zoom, grid and tool changes leave the area floating.
    document.executeCommand(DocCommand::ZoomChanged, 0);
    document.executeCommand(DocCommand::GridChanged, 0);
    useTool(brushButton);
    ASSERT_NE(active<MoveSelectionTool>(), nullptr);
    document.executeCommand(DocCommand::Copy, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_TRUE(rectIs(document.selection, RECT{120, 80, 160, 110}));
    expectMovedTo(120, 80);
}

TEST_F(MoveSelectionTest, AnotherToolButtonPutsTheAreaDownEvenInsideIt) {
    stroke({{30, 25}, {130, 85}});
    useTool(brushButton);
    down(140, 90);
    EXPECT_EQ(active<MoveSelectionTool>(), nullptr);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->toolId(), ToolId::Brush);
    up(140, 90);
    // The brush flattened the move before it began.
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyHead->toolId(), ToolId::Brush);
    EXPECT_EQ(committed(120, 80), patternAt(20, 20));
    EXPECT_EQ(committed(20, 20), white);
}

TEST_F(MoveSelectionTest, MovingPartlyOffTheCanvasKeepsWhatStaysOnIt) {
    // Grabbed near its right edge and dragged against the left and top of the view.
    stroke({{55, 45}, {0, 0}});
    MoveSelectionTool* tool = active<MoveSelectionTool>();
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{-35, -25, 5, 5}));
    down(200, 200);
    up(200, 200);
    for (std::int32_t y = 0; y < 60; ++y)
        for (std::int32_t x = 0; x < 70; ++x)
            ASSERT_EQ(live(x, y), movedAt(x, y, -35, -25)) << x << "," << y;
    document.undo();
    EXPECT_EQ(liveBytes(), before);
}

TEST_F(MoveSelectionTest, DraggingTheAreaAllocatesNoLargeBuffer) {
    down(30, 25);
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 0);
        for (std::int32_t i = 1; i <= 30; ++i)
            move(30 + 4 * i, 25 + 2 * i);
        up(150, 85);
        down(150, 85);
        move(155, 90);
        up(155, 90);
        EXPECT_EQ(limit.refusedCount(), 0u);
    }
    down(220, 220);
    expectMovedTo(145, 85);
}

TEST_F(MoveSelectionTest, AtTwoHundredPercentThePreviewIsMagnified) {
    frame.changeZoom(1);
    ASSERT_EQ(frame.zoomShift, 1);
    document.setSelection(20, 20, 60, 50);
    // View (60, 50) is canvas (30, 25); view (110, 80) is canvas (55, 40).
    down(60, 50);
    move(110, 80);
    MoveSelectionTool* tool = active<MoveSelectionTool>();
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{45, 35, 85, 65}));
    EXPECT_EQ(liveBytes(), before);
    // Canvas pixel (x, y) shows as the view's block at (2x, 2y).
    for (std::int32_t y = 36; y < 64; y += 3)
        for (std::int32_t x = 46; x < 84; x += 3) {
            ASSERT_EQ(shown(2 * x, 2 * y), movedAt(x, y, 45, 35)) << x << "," << y;
            ASSERT_EQ(shown(2 * x + 1, 2 * y + 1), movedAt(x, y, 45, 35)) << x << "," << y;
        }
    EXPECT_EQ(shown(2 * 21, 2 * 21), white);
    up(110, 80);
    down(230, 230);
    expectMovedTo(45, 35);
}

TEST_F(SelectionToolsTest, MoveSelectionWaitsForTheLiftAndIsResetWhenRecycled) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::MoveSelection);
    ASSERT_NE(tool, nullptr);
    auto* move = static_cast<MoveSelectionTool*>(tool);
    EXPECT_EQ(tool->flags, ToolFlags::Acquired | ToolFlags::Floating | ToolFlags::RedrawWhole);
    tool->setBounds(RECT{10, 10, 30, 20});
    // Moves before the lift have no area to move.
    POINT point{90, 90};
    int consumed = 0;
    EXPECT_EQ(tool->onPointerMove(document, &point, 1, &consumed), ToolResult::None);
    EXPECT_EQ(consumed, 1);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{10, 10, 30, 20}));

    EXPECT_EQ(tool->onPointerButton(document, POINT{15, 12}, true), ToolResult::Refresh);
    EXPECT_EQ(tool->onPointerButton(document, POINT{15, 12}, false), ToolResult::None);
    point = POINT{25, 42};
    EXPECT_EQ(tool->onPointerMove(document, &point, 1, &consumed), ToolResult::Refresh);
    consumed = -1;
    EXPECT_EQ(tool->onPointerMove(document, &point, 0, &consumed), ToolResult::None);
    EXPECT_EQ(consumed, 0);
    // Without the selection button even a stylus-down inside puts the area down.
    frame.currentTool = rectangleButton;
    EXPECT_EQ(tool->onPointerButton(document, POINT{30, 45}, true), ToolResult::Commit);
    EXPECT_EQ(tool->finish(document), ToolResult::Commit);
    EXPECT_TRUE(rectIs(document.selection, RECT{20, 40, 40, 50}));
    document.toolFactory.release(document, tool);

    Tool* again = document.toolFactory.acquire(document, ToolId::MoveSelection);
    ASSERT_EQ(again, tool);
    EXPECT_TRUE(move->awaitingLift);
    EXPECT_EQ(move->destX, 0);
    EXPECT_EQ(move->areaWidth, 0);
    EXPECT_TRUE(rectIs(again->bounds, RECT{}));
    document.toolFactory.release(document, again);
}

class SmallCanvasMoveTest : public SelectionToolsTest {
  protected:
    SmallCanvasMoveTest() : SelectionToolsTest(100, 80) {}
};

TEST_F(SmallCanvasMoveTest, MovingPastTheRightAndBottomEdgesUndoesExactly) {
    paintPattern(RECT{0, 0, 100, 80});
    const std::vector<std::uint8_t> before = liveBytes();
    select(10, 10, 49, 39);
    // Stylus points beyond the canvas are held at its last pixel.
    stroke({{10, 10}, {230, 250}});
    MoveSelectionTool* tool = active<MoveSelectionTool>();
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(rectIs(tool->bounds, RECT{99, 79, 139, 109}));
    down(0, 0);
    up(0, 0);
    EXPECT_EQ(live(99, 79), patternAt(10, 10));
    EXPECT_EQ(live(10, 10), white);
    document.undo();
    EXPECT_EQ(liveBytes(), before);
}

// ---------------------------------------------------------------------------
// Clearing an area.

TEST_F(SelectionToolsTest, ClearingFillsTheAreaWithTheBackgroundAndUndoes) {
    paintPattern(RECT{0, 0, 100, 100});
    const std::vector<std::uint8_t> before = liveBytes();
    clearArea(RECT{10, 20, 30, 25});
    ASSERT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyHead->toolId(), ToolId::ClearArea);
    EXPECT_EQ(document.historyHead->flags, ToolFlags::Acquired | ToolFlags::RedrawWhole);
    for (std::int32_t y = 0; y < 40; ++y)
        for (std::int32_t x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 20 && y < 25;
            ASSERT_EQ(live(x, y), inside ? white : patternAt(x, y)) << x << "," << y;
            ASSERT_EQ(shown(x, y), live(x, y)) << x << "," << y;
        }
    const std::vector<std::uint8_t> cleared = liveBytes();
    document.undo();
    EXPECT_EQ(liveBytes(), before);
    document.redo();
    EXPECT_EQ(liveBytes(), cleared);
    EXPECT_EQ(document.historyHead->finish(document), ToolResult::Commit);
}

// ---------------------------------------------------------------------------
// Mirroring an area.

TEST_F(SelectionToolsTest, FlippingMirrorsTheAreaOnceAndUndoes) {
    paintPattern(RECT{0, 0, 100, 100});
    const std::vector<std::uint8_t> before = liveBytes();
    for (const bool horizontal : {true, false}) {
        flip(RECT{10, 20, 31, 30}, horizontal);
        ASSERT_EQ(historyLength(), 1);
        const Tool* entry = document.historyHead;
        EXPECT_EQ(entry->toolId(), ToolId::Flip);
        EXPECT_EQ(entry->flags, ToolFlags::Acquired | ToolFlags::RedrawWhole | ToolFlags::Floating);
        EXPECT_EQ(document.activeTool, nullptr);
        for (std::int32_t y = 0; y < 40; ++y)
            for (std::int32_t x = 0; x < 40; ++x) {
                const bool inside = x >= 10 && x < 31 && y >= 20 && y < 30;
                const COLORREF expected = !inside      ? patternAt(x, y)
                                          : horizontal ? patternAt(10 + 30 - x, y)
                                                       : patternAt(x, 20 + 29 - y);
                ASSERT_EQ(live(x, y), expected) << horizontal << " " << x << "," << y;
                ASSERT_EQ(shown(x, y), expected) << horizontal << " " << x << "," << y;
            }
        const std::vector<std::uint8_t> flipped = liveBytes();
        document.undo();
        EXPECT_EQ(liveBytes(), before);
        // Redo replays the flip exactly once.
        document.redo();
        EXPECT_EQ(liveBytes(), flipped);
        document.undo();
    }
}

TEST_F(SelectionToolsTest, FlippingTwiceRestoresThePicture) {
    paintPattern(RECT{0, 0, 100, 100});
    const std::vector<std::uint8_t> before = liveBytes();
    flip(RECT{5, 5, 50, 40}, true);
    const std::vector<std::uint8_t> once = liveBytes();
    flip(RECT{5, 5, 50, 40}, true);
    EXPECT_EQ(liveBytes(), before);
    EXPECT_EQ(historyLength(), 1);  // the first was flattened when the second began
    document.undo();
    EXPECT_EQ(liveBytes(), once);
}

TEST_F(SelectionToolsTest, FlippingAnAreaOffTheLeftCutsItToTheCanvas) {
    paintPattern(RECT{0, 0, 100, 100});
    const std::vector<std::uint8_t> before = liveBytes();
    flip(RECT{-3, 0, 4, 4}, true);
    EXPECT_TRUE(rectIs(document.historyHead->bounds, RECT{0, 0, 4, 4}));
    for (std::int32_t y = 0; y < 6; ++y)
        for (std::int32_t x = 0; x < 6; ++x)
            EXPECT_EQ(live(x, y), x < 4 && y < 4 ? patternAt(3 - x, y) : patternAt(x, y))
                << x << "," << y;
    document.undo();
    EXPECT_EQ(liveBytes(), before);
}

TEST_F(SelectionToolsTest, ARedrawWhileAFlipIsActiveMirrorsNothing) {
    paintPattern(RECT{0, 0, 100, 100});
    const std::vector<std::uint8_t> before = liveBytes();
    document.setSelection(10, 10, 40, 40);
    Tool* tool = document.toolFactory.acquire(document, ToolId::Flip);
    ASSERT_NE(tool, nullptr);
    tool->setBounds(RECT{10, 10, 40, 40});
    document.activeTool = tool;
    // Only a draw into the picture mirrors: neither the view's rebuild nor
    // the frame pass may touch the live picture.
    document.redraw(false, true, nullptr, nullptr);
    EXPECT_EQ(liveBytes(), before);
    document.clearSelection();
    document.redraw(false, true, nullptr, nullptr);
    EXPECT_EQ(liveBytes(), before);
    EXPECT_GT(frameInkOnRow(10, 10, 41), 0);
    EXPECT_EQ(tool->finish(document), ToolResult::Commit);
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_TRUE(rectIs(document.selection, RECT{10, 10, 40, 40}));
    document.activeTool = nullptr;
    document.toolFactory.release(document, tool);
}

}  // namespace
