#include "tools/brush_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "document/testing/document_fixture.h"
#include "platform/memory/large_buffer.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

constexpr COLORREF grey(std::uint8_t v) {
    return rgb(v, v, v);
}

class BrushToolTest : public document_testing::DocumentTest {
  protected:
    BrushToolTest() {
        frame.lineWidth = 2;
        frame.currentColour = black;
    }

    BrushTool* activeBrush() const {
        if (!document.activeTool || document.activeTool->toolId() != ToolId::Brush) return nullptr;
        return static_cast<BrushTool*>(document.activeTool);
    }
    const BrushTool* entry(int index) const {
        const Tool* t = document.historyHead;
        for (int i = 0; t && i < index; ++i)
            t = t->next;
        return static_cast<const BrushTool*>(t);
    }
};

bool neighbours(const StrokePoint& a, const StrokePoint& b) {
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1 && (a.x != b.x || a.y != b.y);
}

TEST_F(BrushToolTest, TapPaintsOneSquareAndCommits) {
    down(50, 60);
    BrushTool* brush = activeBrush();
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->count, 1);
    // A 2-pixel square centred on the stylus: its corner is one pixel up and left.
    EXPECT_EQ(brush->points[0].x, 49);
    EXPECT_EQ(brush->points[0].y, 59);
    EXPECT_EQ(brush->bounds, (RECT{47, 57, 51, 61}));
    up(50, 60);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(brush->count, 1);

    for (std::int32_t y = 56; y < 64; ++y)
        for (std::int32_t x = 46; x < 54; ++x) {
            const bool inside = x >= 49 && x <= 50 && y >= 59 && y <= 60;
            EXPECT_EQ(live(x, y), inside ? grey(2) : white) << x << "," << y;
        }
    // Shown without a rebuild of the view, and nothing is committed yet.
    EXPECT_EQ(shown(49, 59), grey(2));
    EXPECT_EQ(committed(49, 59), white);
}

TEST_F(BrushToolTest, ResultsOfTheStylusButtons) {
    BrushTool tool;
    tool.onAcquire(document);
    EXPECT_EQ(tool.size, 2);
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, false), ToolResult::Discard);
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, true), ToolResult::Draw);
    // A second stylus-down ends this tool; the document starts another.
    EXPECT_EQ(tool.onPointerButton(document, POINT{9, 9}, true), ToolResult::Commit);
    EXPECT_EQ(tool.count, 1);
    EXPECT_EQ(tool.onPointerButton(document, POINT{9, 9}, false),
              ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet);
    EXPECT_EQ(tool.finish(document), ToolResult::Commit | ToolResult::Quiet);
    // Settings do not reach a stroke in progress.
    EXPECT_EQ(tool.onSettingChanged(document, ToolSetting::BrushSize), ToolResult::None);
    tool.onRelease(document);
    EXPECT_EQ(tool.count, 0);
    EXPECT_FALSE(tool.hasFlag(ToolFlags::Acquired));
    EXPECT_FALSE(tool.hasFlag(ToolFlags::RedrawWhole));
}

TEST_F(BrushToolTest, MovesAreJoinedByEveryPixelBetween) {
    down(10, 10);
    move(20, 13);
    move(20, 13);  // the same place again adds nothing
    BrushTool* brush = activeBrush();
    ASSERT_NE(brush, nullptr);
    ASSERT_EQ(brush->count, 11);
    EXPECT_EQ(brush->points[0].x, 9);
    EXPECT_EQ(brush->points[10].x, 19);
    EXPECT_EQ(brush->points[10].y, 12);
    for (int i = 1; i < brush->count; ++i)
        EXPECT_TRUE(neighbours(brush->points[i - 1], brush->points[i])) << i;
    EXPECT_EQ(brush->lastPoint.x, 19);
    EXPECT_EQ(brush->lastPoint.y, 12);
    EXPECT_EQ(brush->bounds, (RECT{7, 7, 21, 14}));
    up(20, 13);
    // A solid band, no holes between the samples.
    for (std::int32_t x = 9; x <= 20; ++x) {
        int painted = 0;
        for (std::int32_t y = 5; y < 18; ++y)
            painted += live(x, y) != white;
        EXPECT_GE(painted, 2) << x;
    }
}

TEST_F(BrushToolTest, OverlappingSquaresKeepOneOpacity) {
    frame.opacity = 64;
    ASSERT_EQ(frame.currentOpacity(), 64) << "the pencil uses the opacity setting";
    frame.lineWidth = 6;
    stroke({{30, 30}, {60, 30}, {30, 31}, {45, 30}});
    EXPECT_EQ(live(40, 30), grey(128));
    EXPECT_EQ(live(58, 28), grey(128));
    EXPECT_EQ(live(27, 27), grey(128));
    EXPECT_EQ(live(40, 40), white);
}

TEST_F(BrushToolTest, LongStrokeIsAChainThatUndoesAsOne) {
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    // 451 pixel positions: more than one list of 256 holds.
    stroke({{10, 50}, {230, 50}, {230, 60}, {10, 60}});
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 2);
    const BrushTool* first = entry(0);
    const BrushTool* second = entry(1);
    EXPECT_EQ(first->count, strokeCapacity);
    // The second tool starts on the last stamp of the first: no gap.
    EXPECT_EQ(second->points[0].x, first->points[strokeCapacity - 1].x);
    EXPECT_EQ(second->points[0].y, first->points[strokeCapacity - 1].y);
    for (std::int32_t x = 10; x <= 230; ++x) {
        EXPECT_EQ(live(x, 50), grey(2)) << x;
        EXPECT_EQ(live(x, 60), grey(2)) << x;
    }
    for (std::int32_t y = 50; y <= 60; ++y)
        EXPECT_EQ(live(230, y), grey(2)) << y;
    const std::vector<std::uint8_t> after = canvasBytes(document.canvas.liveBits());

    ASSERT_TRUE(document.canUndo());
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_FALSE(document.canUndo());
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(historyLength(), 2);

    ASSERT_TRUE(document.canRedo());
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), after);
    EXPECT_EQ(shown(100, 50), grey(2));
}

TEST_F(BrushToolTest, CommitThenUndoRestoresTheCommittedPicture) {
    stroke({{20, 20}, {40, 25}});
    // The next gesture flattens the first into the committed picture.
    stroke({{10, 100}, {200, 120}, {30, 140}});
    const std::vector<std::uint8_t> committedBytes = canvasBytes(document.canvas.committedBits());
    EXPECT_EQ(committed(30, 22), grey(2));
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), committedBytes);
    EXPECT_EQ(live(30, 22), grey(2));
    EXPECT_EQ(live(100, 110), white);
}

TEST_F(BrushToolTest, PaintingAStrokeAllocatesNoLargeBuffer) {
    down(20, 200);
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 0);
        for (std::int32_t i = 0; i < 40; ++i)
            move(20 + 5 * i, 200);
        up(215, 200);
        EXPECT_EQ(limit.refusedCount(), 0u);
    }
    EXPECT_EQ(live(100, 200), grey(2));
    EXPECT_GE(historyLength(), 1);
}

}  // namespace
