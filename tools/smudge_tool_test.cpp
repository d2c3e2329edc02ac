#include "tools/smudge_tool.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas/testing/canvas_fixture.h"
#include "document/testing/document_fixture.h"
#include "platform/memory/large_buffer.h"
#include "tools/mask_shapes.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

constexpr std::uint16_t smudgeButton = 7;

TEST(SmudgeShapesTest, TableHoldsTheDocumentedShapes) {
    const int sides[maskShapeCount] = {2, 4, 8, 10, 12, 16};
    for (int i = 0; i < maskShapeCount; ++i) {
        EXPECT_EQ(smudgeShapes[i].width, sides[i]);
        EXPECT_EQ(smudgeShapes[i].height, sides[i]);
        // Every shape fits the paint a smudge tool carries.
        EXPECT_LE(std::size_t(sides[i]) * std::size_t(sides[i]) * 3, SmudgeTool::carriedBytes);
    }
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(smudgeShapes[0].mask[k], 128);
    const std::vector<int> top(smudgeShapes[5].mask, smudgeShapes[5].mask + 16);
    EXPECT_EQ(top, (std::vector<int>{0, 0, 0, 0, 0, 0, 8, 8, 8, 8, 0, 0, 0, 0, 0, 0}));
    const std::vector<int> third(smudgeShapes[3].mask + 30, smudgeShapes[3].mask + 40);
    EXPECT_EQ(third, (std::vector<int>{0, 32, 64, 96, 128, 128, 96, 64, 32, 0}));
}

class SmudgeToolTest : public document_testing::DocumentTest {
  protected:
    SmudgeToolTest() {
        useTool(smudgeButton);
        frame.smudgeSizeIndex = 4;  // 12 by 12
    }

    // Black left of column `edge`, white from it on, in both pictures.
    void paintEdge(std::int32_t edge) {
        Canvas& c = document.canvas;
        for (std::int32_t y = 0; y < c.height(); ++y)
            for (std::int32_t x = 0; x < edge; ++x) {
                canvas_testing::setPixel(c.liveBits(), c.pixelOffset(x, y), black);
                canvas_testing::setPixel(c.committedBits(), c.pixelOffset(x, y), black);
            }
    }
    SmudgeTool* activeSmudge() const {
        if (!document.activeTool || document.activeTool->toolId() != ToolId::Smudge) return nullptr;
        return static_cast<SmudgeTool*>(document.activeTool);
    }
    std::vector<std::uint8_t> liveBytes() const { return canvasBytes(document.canvas.liveBits()); }
};

TEST_F(SmudgeToolTest, TapPaintsNothing) {
    paintEdge(100);
    const std::vector<std::uint8_t> before = liveBytes();
    down(100, 100);
    SmudgeTool* tool = activeSmudge();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->count, 1);
    EXPECT_EQ(tool->bounds, (RECT{94, 94, 106, 106}));
    up(100, 100);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(tool->count, 1);
    EXPECT_EQ(liveBytes(), before);
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(liveBytes(), before);
}

TEST_F(SmudgeToolTest, DragCarriesPaintAlongThePath) {
    paintEdge(100);
    stroke({{92, 100}, {98, 100}, {104, 100}, {110, 100}});
    // Black dragged over the edge into the white...
    EXPECT_NE(live(104, 100), white);
    EXPECT_LT(redOf(live(104, 100)), 255);
    // ...and nothing touched away from the path.
    EXPECT_EQ(live(150, 100), white);
    EXPECT_EQ(live(50, 100), black);
    EXPECT_EQ(live(104, 130), white);
    EXPECT_EQ(shown(104, 100), live(104, 100));
    EXPECT_EQ(committed(104, 100), white);
}

TEST_F(SmudgeToolTest, CommitThenUndoRestoresTheCommittedPicture) {
    paintEdge(120);
    stroke({{110, 60}, {130, 64}});
    // The first stroke is flattened when the second starts.
    stroke({{112, 62}, {125, 80}, {140, 90}});
    const std::vector<std::uint8_t> committedBytes = canvasBytes(document.canvas.committedBits());
    const std::vector<std::uint8_t> after = liveBytes();
    EXPECT_NE(after, committedBytes);
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(liveBytes(), committedBytes);
    // Replaying the smudge picks up the same paint and lays it down again.
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(liveBytes(), after);
}

TEST_F(SmudgeToolTest, LongStrokeIsAChainThatUndoesAsOne) {
    paintEdge(120);
    const std::vector<std::uint8_t> before = liveBytes();
    stroke({{20, 50}, {220, 50}, {220, 70}, {20, 70}});
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 2);
    const auto* first = static_cast<const SmudgeTool*>(document.historyHead);
    const auto* second = static_cast<const SmudgeTool*>(first->next);
    EXPECT_EQ(first->count, strokeCapacity);
    EXPECT_EQ(second->points[0].x, first->points[strokeCapacity - 1].x);
    EXPECT_EQ(second->points[0].y, first->points[strokeCapacity - 1].y);
    const std::vector<std::uint8_t> after = liveBytes();
    EXPECT_NE(after, before);

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(liveBytes(), before);
    EXPECT_FALSE(document.canUndo());
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(liveBytes(), before);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(liveBytes(), after);
}

TEST_F(SmudgeToolTest, ResultsOfTheStylusButtons) {
    frame.smudgeSizeIndex = 40;  // out of range: the largest shape
    SmudgeTool tool;
    tool.onAcquire(document);
    EXPECT_EQ(tool.sizeIndex, maskShapeCount - 1);
    EXPECT_EQ(tool.finish(document), ToolResult::Discard);
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, false), ToolResult::Discard);
    // One point cannot carry paint anywhere: nothing to draw yet.
    EXPECT_EQ(tool.onPointerButton(document, POINT{5, 5}, true), ToolResult::None);
    EXPECT_EQ(tool.finish(document), ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet);
    const ToolResult again = tool.onPointerButton(document, POINT{9, 9}, true);
    EXPECT_TRUE(has(again, ToolResult::Commit));
    EXPECT_TRUE(has(again, ToolResult::Quiet));
    tool.onRelease(document);
    EXPECT_EQ(tool.count, 0);
    EXPECT_EQ(tool.finish(document), ToolResult::Discard);
}

TEST_F(SmudgeToolTest, PaintingAStrokeAllocatesNoLargeBuffer) {
    paintEdge(100);
    frame.smudgeSizeIndex = 5;
    const std::vector<std::uint8_t> before = liveBytes();
    down(80, 150);
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 0);
        for (std::int32_t i = 1; i <= 40; ++i)
            move(80 + 2 * i, 150 + (i % 3));
        up(160, 151);
        EXPECT_EQ(limit.refusedCount(), 0u);
    }
    EXPECT_NE(liveBytes(), before);
    EXPECT_NE(live(101, 150), white);
}

}  // namespace
