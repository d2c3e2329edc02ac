#include "tools/mask_brush_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "document/testing/document_fixture.h"
#include "platform/memory/large_buffer.h"
#include "tools/mask_shapes.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

constexpr std::uint16_t airbrushButton = 6;
constexpr std::uint16_t eraserButton = 8;

std::vector<int> row(const MaskShape& shape, int y) {
    return std::vector<int>(shape.mask + y * shape.width, shape.mask + (y + 1) * shape.width);
}

TEST(MaskShapesTest, TablesHoldTheDocumentedShapes) {
    const int sides[maskShapeCount] = {1, 2, 4, 8, 12, 16};
    for (int i = 0; i < maskShapeCount; ++i) {
        EXPECT_EQ(airbrushShapes[i].width, sides[i]);
        EXPECT_EQ(airbrushShapes[i].height, sides[i]);
        EXPECT_EQ(eraserShapes[i].width, sides[i]);
        EXPECT_EQ(eraserShapes[i].height, sides[i]);
    }
    EXPECT_EQ(airbrushShapes[0].mask[0], 32);
    EXPECT_EQ(row(airbrushShapes[3], 3), (std::vector<int>{8, 16, 32, 32, 32, 32, 16, 8}));
    EXPECT_EQ(row(airbrushShapes[5], 7),
              (std::vector<int>{8, 8, 16, 32, 48, 48, 48, 52, 52, 48, 48, 48, 32, 16, 8, 8}));
    EXPECT_EQ(eraserShapes[0].mask[0], 255);
    EXPECT_EQ(row(eraserShapes[4], 0), (std::vector<int>{0, 0, 0, 0, 8, 16, 16, 8, 0, 0, 0, 0}));
    EXPECT_EQ(row(eraserShapes[4], 11), row(eraserShapes[4], 0));
    EXPECT_EQ(row(eraserShapes[2], 1), (std::vector<int>{128, 255, 255, 128}));
}

class MaskBrushToolTest : public document_testing::DocumentTest {
  protected:
    MaskBrushToolTest() { frame.currentColour = black; }

    MaskBrushTool* activeMaskBrush() const {
        if (!document.activeTool || document.activeTool->toolId() != ToolId::MaskBrush)
            return nullptr;
        return static_cast<MaskBrushTool*>(document.activeTool);
    }
    const MaskBrushTool* entry(int index) const {
        const Tool* t = document.historyHead;
        for (int i = 0; t && i < index; ++i)
            t = t->next;
        return static_cast<const MaskBrushTool*>(t);
    }
    // Both pictures black, so the eraser's trail shows.
    void blackenPictures() {
        const Canvas& c = document.canvas;
        const std::size_t bytes = std::size_t(c.allocatedRows()) * std::size_t(c.rowStride());
        std::memset(c.liveBits(), 0, bytes);
        std::memset(c.committedBits(), 0, bytes);
    }
};

TEST_F(MaskBrushToolTest, AirbrushStampsOnlyWhereTheStylusWasSampled) {
    useTool(airbrushButton);
    frame.airbrushSizeIndex = 2;  // 4 by 4
    down(50, 50);
    MaskBrushTool* tool = activeMaskBrush();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->shape, &airbrushShapes[2]);
    EXPECT_EQ(tool->bounds, (RECT{48, 48, 54, 54}));
    move(60, 50);
    EXPECT_EQ(tool->count, 2);
    EXPECT_EQ(tool->bounds, (RECT{48, 48, 62, 54}));
    up(60, 50);
    EXPECT_EQ(historyLength(), 1);
    // 255 - ((255 * 33) >> 8) at the centre of a stamp, nothing between.
    EXPECT_EQ(live(50, 50), rgb(223, 223, 223));
    EXPECT_EQ(live(55, 50), white);
    EXPECT_EQ(live(48, 48), white);  // a corner of the mask without coverage
    // The stylus-up stamps once more where the last move did.
    EXPECT_EQ(tool->count, 3);
    EXPECT_EQ(live(60, 50), rgb(195, 195, 195));
    EXPECT_EQ(shown(60, 50), rgb(195, 195, 195));
}

TEST_F(MaskBrushToolTest, LingeringAirbrushBuildsUpPaint) {
    useTool(airbrushButton);
    frame.airbrushSizeIndex = 1;  // 2 by 2
    down(80, 80);
    move(80, 80);
    const COLORREF once = live(80, 80);
    for (int i = 0; i < 9; ++i)
        move(80, 80);
    MaskBrushTool* tool = activeMaskBrush();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->count, 11);
    EXPECT_LT(redOf(live(80, 80)), redOf(once));
    up(80, 80);
}

TEST_F(MaskBrushToolTest, OnePixelAirbrushHeldStillAddsAtMostOneRepeat) {
    useTool(airbrushButton);
    frame.airbrushSizeIndex = 0;
    down(50, 50);
    move(50, 50);
    move(50, 50);
    MaskBrushTool* tool = activeMaskBrush();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->count, 1);
    move(51, 50);
    EXPECT_EQ(tool->count, 2);
    move(51, 50);
    move(51, 50);
    move(51, 50);
    EXPECT_EQ(tool->count, 3);
    up(51, 50);
}

TEST_F(MaskBrushToolTest, AirbrushStrokeEndsWhenItsBoundsReachTheAreaLimit) {
    useTool(airbrushButton);
    frame.airbrushSizeIndex = 5;  // 16 by 16
    down(20, 100);
    MaskBrushTool* first = activeMaskBrush();
    ASSERT_NE(first, nullptr);
    // The bounds start at the stylus, the first stamp lies 8 up and left.
    EXPECT_EQ(first->bounds, (RECT{12, 92, 36, 116}));
    for (std::int32_t x = 21; x <= 171; ++x)
        move(x, 100);
    ASSERT_EQ(document.activeTool, first);
    EXPECT_EQ(historyLength(), 0);
    // 24 high and 167 wide: the next point is refused.
    EXPECT_EQ(first->bounds, (RECT{12, 92, 179, 116}));
    move(172, 100);
    ASSERT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyHead, first);
    EXPECT_EQ(first->count, 152);
    MaskBrushTool* second = activeMaskBrush();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    // The next tool goes on from the last stamp of the first, which it does
    // not spray again, and takes the point the first refused.
    EXPECT_EQ(second->count, 2);
    EXPECT_EQ(second->leadStamps, 1);
    EXPECT_EQ(second->points[0].x, 163);
    EXPECT_EQ(second->points[0].y, 92);
    EXPECT_EQ(second->points[1].x, 164);
    EXPECT_EQ(second->points[1].y, 92);
    up(172, 100);
    EXPECT_EQ(historyLength(), 2);
}

TEST_F(MaskBrushToolTest, EraserTrailOnAFastDiagonalHasNoGaps) {
    blackenPictures();
    useTool(eraserButton);
    frame.eraserSizeIndex = 0;  // one pixel, full coverage
    down(10, 10);
    move(60, 40);
    MaskBrushTool* tool = activeMaskBrush();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->colour, white);
    ASSERT_EQ(tool->count, 51);
    for (int i = 1; i < tool->count; ++i) {
        const StrokePoint& a = tool->points[i - 1];
        const StrokePoint& b = tool->points[i];
        EXPECT_EQ(b.x - a.x, 1) << i;
        EXPECT_LE(std::abs(b.y - a.y), 1) << i;
    }
    up(60, 40);
    // One erased pixel per column, each touching the one before.
    std::int32_t previousY = -1;
    for (std::int32_t x = 10; x <= 60; ++x) {
        std::int32_t erased = 0, at = -1;
        for (std::int32_t y = 0; y < 60; ++y)
            if (live(x, y) == white) {
                ++erased;
                at = y;
            }
        ASSERT_EQ(erased, 1) << x;
        if (previousY >= 0) {
            EXPECT_LE(std::abs(at - previousY), 1) << x;
        }
        previousY = at;
    }
    EXPECT_EQ(live(10, 10), white);
    EXPECT_EQ(live(60, 40), white);
}

TEST_F(MaskBrushToolTest, LongEraserStrokeContinuesFromTheLastStamp) {
    blackenPictures();
    useTool(eraserButton);
    frame.eraserSizeIndex = 2;  // 4 by 4, solid middle
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    stroke({{10, 150}, {230, 150}, {230, 200}});
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 2);
    const MaskBrushTool* first = entry(0);
    const MaskBrushTool* second = entry(1);
    EXPECT_EQ(first->count, strokeCapacity);
    EXPECT_EQ(second->points[0].x, first->points[strokeCapacity - 1].x);
    EXPECT_EQ(second->points[0].y, first->points[strokeCapacity - 1].y);
    for (std::int32_t x = 10; x <= 230; ++x)
        EXPECT_EQ(live(x, 150), white) << x;
    for (std::int32_t y = 150; y <= 200; ++y)
        EXPECT_EQ(live(230, y), white) << y;
    const std::vector<std::uint8_t> after = canvasBytes(document.canvas.liveBits());

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_FALSE(document.canUndo());
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), after);
}

TEST_F(MaskBrushToolTest, CommitThenUndoRestoresTheCommittedPicture) {
    useTool(airbrushButton);
    frame.airbrushSizeIndex = 4;
    stroke({{40, 40}, {44, 41}, {48, 43}});
    // Lingering on the spot of the first stroke, which is flattened first.
    stroke({{44, 41}, {44, 41}, {45, 41}, {60, 50}});
    const std::vector<std::uint8_t> committedBytes = canvasBytes(document.canvas.committedBits());
    const std::vector<std::uint8_t> after = canvasBytes(document.canvas.liveBits());
    EXPECT_NE(committedBytes, after);
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), committedBytes);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), after);
}

TEST_F(MaskBrushToolTest, ResultsOfTheStylusButtons) {
    frame.currentTool = airbrushButton;
    MaskBrushTool tool;
    tool.onAcquire(document);
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, false), ToolResult::Discard);
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, true), ToolResult::Draw);
    // A stylus-down to a tool holding points ends it without painting its
    // stamps a second time: they are already in the picture.
    const ToolResult again = tool.onPointerButton(document, POINT{9, 9}, true);
    EXPECT_TRUE(has(again, ToolResult::Commit));
    EXPECT_TRUE(has(again, ToolResult::Quiet));
    EXPECT_EQ(tool.finish(document), ToolResult::Commit | ToolResult::Quiet);
    EXPECT_EQ(tool.onPointerButton(document, POINT{9, 9}, false),
              ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet);
    tool.onRelease(document);
    EXPECT_EQ(tool.count, 0);
}

TEST_F(MaskBrushToolTest, PaintingAStrokeAllocatesNoLargeBuffer) {
    blackenPictures();
    useTool(eraserButton);
    frame.eraserSizeIndex = 5;
    down(20, 60);
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 0);
        for (std::int32_t i = 0; i < 60; ++i)
            move(20 + 3 * i, 60 + (i % 5));
        up(200, 64);
        EXPECT_EQ(limit.refusedCount(), 0u);
    }
    EXPECT_EQ(live(100, 62), white);
}

}  // namespace
