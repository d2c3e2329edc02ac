#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "document/doc_command.h"
#include "document/testing/document_fixture.h"
#include "tools/line_tool.h"
#include "tools/shape_tool.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;
constexpr COLORREF blue = 0xFF0000;

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult rectIs(const RECT& actual, RECT expected) {
    if (sameRect(actual, expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom
           << ") instead of (" << expected.left << "," << expected.top << "," << expected.right
           << "," << expected.bottom << ")";
}

class ShapeToolTest : public DocumentTest {
  protected:
    explicit ShapeToolTest(std::uint16_t width = 600, std::uint16_t height = 600)
        : DocumentTest(width, height) {
        frame.currentColour = red;
    }

    // The shape tool the last gesture committed.
    const ShapeTool* lastShape() const {
        return dynamic_cast<const ShapeTool*>(document.historyCursor);
    }
    const ShapeTool* activeShape() const {
        return dynamic_cast<const ShapeTool*>(document.activeTool);
    }

    // Paints a filled blue block and makes it part of the committed picture,
    // so that restoring from the committed picture is told apart from
    // clearing to white.
    void commitBackdrop() {
        const std::uint16_t button = frame.currentTool;
        const COLORREF colour = frame.currentColour;
        frame.currentColour = blue;
        useTool(3);
        stroke({{5, 5}, {60, 50}});
        document.flattenHistory();
        frame.currentColour = colour;
        useTool(button);
    }

    // Pixels of the live picture within `area` that are not white.
    int inkedPixels(const RECT& area) const {
        int n = 0;
        for (std::int32_t y = area.top; y < area.bottom; ++y)
            for (std::int32_t x = area.left; x < area.right; ++x)
                if (live(x, y) != white) ++n;
        return n;
    }
};

// ---------------------------------------------------------------------------
// What every shape tool shares: the rubber band, the commit, undo and redo.

struct ShapeCase {
    const char* name;
    std::uint16_t button;
    ToolId id;
};
void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.name;
}

class EveryShapeTool : public ShapeToolTest, public ::testing::WithParamInterface<ShapeCase> {
  protected:
    void SetUp() override {
        useTool(GetParam().button);
        commitBackdrop();
    }
};

TEST_P(EveryShapeTool, RubberBandShowsInTheViewOnlyUntilTheStylusIsLifted) {
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    const std::vector<std::uint8_t> committedBefore = canvasBytes(document.canvas.committedBits());

    down(30, 20);
    const ShapeTool* shape = activeShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->toolId(), GetParam().id);
    move(200, 40);  // an extent that is wiped by the next move
    move(90, 70);

    // Neither picture has changed; the view shows the preview over the live picture.
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), committedBefore);
    EXPECT_EQ(historyLength(), 0);
    std::vector<COLORREF> preview;
    int differing = 0;
    for (std::int32_t y = 0; y < 120; ++y)
        for (std::int32_t x = 0; x < 220; ++x) {
            preview.push_back(shown(x, y));
            if (shown(x, y) != live(x, y)) ++differing;
        }
    EXPECT_GT(differing, 0);
    // The first extent of the band is gone from the view.
    for (std::int32_t y = 0; y < 120; ++y)
        for (std::int32_t x = 100; x < 220; ++x)
            ASSERT_EQ(shown(x, y), white) << x << "," << y;

    up(90, 70);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_NE(canvasBytes(document.canvas.liveBits()), before);
    // Committing to the history leaves the committed picture for the flatten.
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), committedBefore);
    // What was previewed is what the picture now holds, and the view shows it.
    std::size_t i = 0;
    for (std::int32_t y = 0; y < 120; ++y)
        for (std::int32_t x = 0; x < 220; ++x, ++i) {
            ASSERT_EQ(live(x, y), preview[i]) << x << "," << y;
            ASSERT_EQ(shown(x, y), live(x, y)) << x << "," << y;
        }
}

TEST_P(EveryShapeTool, UndoRestoresTheCommittedPictureAndRedoDrawsTheShapeAgain) {
    // The widest pen, over the backdrop and off the top-left edge of the canvas.
    frame.lineWidth = 8;
    const std::vector<std::uint8_t> committed = canvasBytes(document.canvas.committedBits());
    stroke({{2, 1}, {300, 40}, {150, 120}});
    ASSERT_EQ(historyLength(), 1);
    const std::vector<std::uint8_t> drawn = canvasBytes(document.canvas.liveBits());
    ASSERT_NE(drawn, committed);

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), committed);
    EXPECT_FALSE(document.canUndoLatestGroup());

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), drawn);
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), committed);
    for (std::int32_t x = 0; x < 240; ++x)
        ASSERT_EQ(shown(x, 60), live(x, 60)) << x;

    // Flattening makes the shapes part of the committed picture.
    document.flattenHistory();
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), drawn);
}

TEST_P(EveryShapeTool, AToolButtonChangeFinishesTheShape) {
    down(20, 20);
    move(70, 60);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    useTool(GetParam().button == 1 ? 2 : 1);
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyHead->toolId(), GetParam().id);
    EXPECT_NE(canvasBytes(document.canvas.liveBits()), before);
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{20, 20, 70, 60}));
}

TEST_P(EveryShapeTool, ATapCommitsAZeroSizeShape) {
    const std::vector<std::uint8_t> committed = canvasBytes(document.canvas.committedBits());
    stroke({{100, 80}});
    ASSERT_EQ(historyLength(), 1);
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{100, 80, 100, 80}));
    EXPECT_TRUE(rectIs(shape->bounds, RECT{96, 76, 104, 84}));
    document.undo();
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), committed);
}

TEST_P(EveryShapeTool, ColourAndWidthChangesLeaveADraggedShapeAlone) {
    down(20, 20);
    frame.lineWidth = 7;
    document.executeCommand(DocCommand::BrushSizeChanged, 0);
    frame.currentColour = blue;
    document.executeCommand(DocCommand::ColourChanged, 0);
    const ShapeTool* shape = activeShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->lineWidth, 2);
    EXPECT_EQ(shape->colour, red);
}

INSTANTIATE_TEST_SUITE_P(ShapeTools, EveryShapeTool,
                         ::testing::Values(ShapeCase{"Line", 1, ToolId::Line},
                                           ShapeCase{"Rectangle", 2, ToolId::Rectangle},
                                           ShapeCase{"FilledRectangle", 3, ToolId::FilledRectangle},
                                           ShapeCase{"Ellipse", 4, ToolId::Ellipse},
                                           ShapeCase{"FilledEllipse", 5, ToolId::FilledEllipse}),
                         [](const ::testing::TestParamInfo<ShapeCase>& param) {
                             return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// The figures' pixels.

TEST_F(ShapeToolTest, RectangleOutlineOfWidthTwo) {
    useTool(2);
    stroke({{10, 10}, {20, 20}});
    for (std::int32_t y = 0; y < 30; ++y)
        for (std::int32_t x = 0; x < 30; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 20;
            const bool band = x < 12 || x >= 18 || y < 12 || y >= 18;
            EXPECT_EQ(live(x, y), inside && band ? red : white) << x << "," << y;
        }
}

TEST_F(ShapeToolTest, FilledRectangleCoversTheSpannedRectangle) {
    useTool(3);
    stroke({{30, 25}, {12, 40}, {10, 10}});  // dragged up and to the left
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{10, 10, 30, 25}));
    for (std::int32_t y = 0; y < 40; ++y)
        for (std::int32_t x = 0; x < 40; ++x)
            EXPECT_EQ(live(x, y), (x >= 10 && x < 30 && y >= 10 && y < 25) ? red : white)
                << x << "," << y;
}

TEST_F(ShapeToolTest, DraggingEitherWayGivesTheSameRectangle) {
    useTool(2);
    stroke({{70, 60}, {20, 15}});
    const ShapeTool* first = lastShape();
    ASSERT_NE(first, nullptr);
    const RECT backwards = first->shapeRect;
    const std::vector<std::uint8_t> drawnBackwards = canvasBytes(document.canvas.liveBits());
    document.undo();
    stroke({{20, 15}, {70, 60}});
    const ShapeTool* second = lastShape();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(rectIs(backwards, second->shapeRect));
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), drawnBackwards);
}

TEST_F(ShapeToolTest, LineCoversItsPixelsUpToTheEndPoint) {
    frame.lineWidth = 1;
    useTool(1);
    stroke({{10, 10}, {30, 10}});
    stroke({{10, 20}, {20, 30}});
    for (std::int32_t y = 0; y < 40; ++y)
        for (std::int32_t x = 0; x < 40; ++x) {
            const bool across = y == 10 && x >= 10 && x < 30;
            const bool diagonal = x >= 10 && x < 20 && y - 20 == x - 10;
            EXPECT_EQ(live(x, y), across || diagonal ? red : white) << x << "," << y;
        }
}

TEST_F(ShapeToolTest, LineBoundsSpanItsEndPointsWidenedByTwiceTheWidth) {
    frame.lineWidth = 3;
    useTool(1);
    stroke({{50, 40}, {10, 20}});
    const ShapeTool* line = lastShape();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->start.x, 50);
    EXPECT_EQ(line->start.y, 40);
    EXPECT_EQ(line->end.x, 10);
    EXPECT_EQ(line->end.y, 20);
    EXPECT_TRUE(rectIs(line->bounds, RECT{4, 14, 56, 46}));
    // The wide pen stays inside the bounds.
    EXPECT_GT(inkedPixels(line->bounds), 0);
    EXPECT_EQ(inkedPixels(RECT{0, 0, 100, 100}), inkedPixels(line->bounds));
}

TEST_F(ShapeToolTest, EllipseOutlineIsSymmetricAndLeavesItsCentre) {
    useTool(4);
    const RECT r{20, 10, 61, 36};
    stroke({{r.left, r.top}, {r.right, r.bottom}});
    EXPECT_EQ(live(40, 23), white);
    EXPECT_GT(inkedPixels(r), 0);
    EXPECT_EQ(inkedPixels(RECT{0, 0, 100, 60}), inkedPixels(r));
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x) {
            ASSERT_EQ(live(x, y), live(r.left + r.right - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(live(x, y), live(x, r.top + r.bottom - 1 - y)) << x << "," << y;
        }
}

TEST_F(ShapeToolTest, FilledEllipseIsSymmetricAndFillsItsCentre) {
    useTool(5);
    const RECT r{20, 10, 61, 36};
    stroke({{r.right, r.bottom}, {r.left, r.top}});
    EXPECT_EQ(live(40, 23), red);
    EXPECT_EQ(live(r.left, r.top), white);
    EXPECT_EQ(live(r.right - 1, r.bottom - 1), white);
    EXPECT_EQ(inkedPixels(RECT{0, 0, 100, 60}), inkedPixels(r));
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x) {
            ASSERT_EQ(live(x, y), live(r.left + r.right - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(live(x, y), live(x, r.top + r.bottom - 1 - y)) << x << "," << y;
        }
}

TEST_F(ShapeToolTest, ATapWithTheRectangleLeavesASquareOfThePenWidth) {
    useTool(2);
    stroke({{100, 80}});
    EXPECT_EQ(inkedPixels(RECT{90, 70, 110, 90}), 4);
    for (std::int32_t y = 80; y < 82; ++y)
        for (std::int32_t x = 100; x < 102; ++x)
            EXPECT_EQ(live(x, y), red);
}

TEST_F(ShapeToolTest, ATapWithTheFilledRectangleOrTheLineDrawsNothing) {
    // A filled rectangle without area has nothing to fill, and a line leaves
    // out its end point, which here is its start.
    for (std::uint16_t button : {std::uint16_t(1), std::uint16_t(3)}) {
        useTool(button);
        stroke({{100, 80}});
        EXPECT_EQ(inkedPixels(RECT{80, 60, 120, 100}), 0) << button;
    }
    EXPECT_EQ(historyLength(), 1);
}

// ---------------------------------------------------------------------------
// From the stylus in the view to the shape's canvas points.

class SmallCanvasShapeTest : public ShapeToolTest {
  protected:
    SmallCanvasShapeTest() : ShapeToolTest(100, 80) {}
};

TEST_F(ShapeToolTest, SnappedPointsSpanTheShape) {
    frame.snapGridX = frame.snapGridY = 8;
    useTool(2);
    stroke({{12, 13}, {29, 27}, {37, 44}});
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->start.x, 8);
    EXPECT_EQ(shape->start.y, 16);
    EXPECT_EQ(shape->end.x, 40);
    EXPECT_EQ(shape->end.y, 40);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{8, 16, 40, 40}));
}

TEST_F(ShapeToolTest, AtTwoHundredPercentViewPointsHalveAndThePreviewIsMagnified) {
    frame.changeZoom(1);
    ASSERT_EQ(frame.zoomShift, 1);
    useTool(3);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(21, 30);
    move(61, 81);
    const ShapeTool* shape = activeShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{10, 15, 30, 40}));
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    // Canvas pixel (x, y) shows as the view's 2 x 2 block at (2x, 2y).
    EXPECT_EQ(shown(20, 30), red);
    EXPECT_EQ(shown(59, 79), red);
    EXPECT_EQ(shown(60, 79), white);
    EXPECT_EQ(shown(19, 30), white);
    up(61, 81);
    EXPECT_EQ(live(10, 15), red);
    EXPECT_EQ(live(29, 39), red);
    EXPECT_EQ(live(30, 39), white);
    EXPECT_EQ(shown(59, 79), red);
}

TEST_F(SmallCanvasShapeTest, AtFourHundredPercentViewPointsAreQuartered) {
    frame.changeZoom(2);
    ASSERT_EQ(frame.zoomShift, 2);
    useTool(2);
    stroke({{7, 9}, {239, 267}});
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->start.x, 1);
    EXPECT_EQ(shape->start.y, 2);
    EXPECT_EQ(shape->end.x, 59);
    EXPECT_EQ(shape->end.y, 66);
}

TEST_F(SmallCanvasShapeTest, PointsBeyondTheCanvasClampToItsLastPixel) {
    useTool(3);
    stroke({{50, 40}, {230, 250}});
    const ShapeTool* shape = lastShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{50, 40, 99, 79}));
    EXPECT_EQ(live(98, 78), red);
    document.undo();
    EXPECT_EQ(live(98, 78), white);
}

TEST_F(SmallCanvasShapeTest, AtFiftyPercentPointsDoubleAndClampToTheLastPixel) {
    frame.changeZoom(-1);
    ASSERT_EQ(frame.zoomShift, -1);
    frame.lineWidth = 1;
    useTool(1);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(5, 6);
    move(200, 6);  // 400 is beyond the canvas: the last column
    const ShapeTool* shape = activeShape();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    // Drawing the preview leaves the end points where the stylus put them.
    EXPECT_EQ(shape->start.x, 10);
    EXPECT_EQ(shape->start.y, 12);
    EXPECT_EQ(shape->end.x, 99);
    EXPECT_EQ(shape->end.y, 12);
    // Half size in the view: the line runs along view row 6 from view x = 5.
    EXPECT_EQ(shown(5, 6), red);
    EXPECT_EQ(shown(40, 6), red);
    EXPECT_EQ(shown(40, 7), white);
    up(200, 6);
    for (std::int32_t x = 0; x < 100; ++x)
        EXPECT_EQ(live(x, 12), x >= 10 && x < 99 ? red : white) << x;
    ASSERT_EQ(lastShape(), shape);
    EXPECT_EQ(shape->end.x, 99);
}

// ---------------------------------------------------------------------------
// The tool as the document and the factory drive it.

TEST_F(ShapeToolTest, OnlyTheLastPointOfAMoveBatchCounts) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::Ellipse);
    ASSERT_NE(tool, nullptr);
    auto* shape = static_cast<ShapeTool*>(tool);
    EXPECT_EQ(tool->onPointerButton(document, POINT{50, 50}, true), ToolResult::None);
    POINT batch[3] = {{0, 0}, {500, 500}, {60, 40}};
    int consumed = 0;
    EXPECT_EQ(tool->onPointerMove(document, batch, 3, &consumed), ToolResult::Refresh);
    EXPECT_EQ(consumed, 3);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{50, 40, 60, 50}));
    EXPECT_TRUE(rectIs(shape->bounds, RECT{46, 36, 64, 54}));

    // An empty batch takes nothing and changes nothing.
    consumed = -1;
    EXPECT_EQ(tool->onPointerMove(document, batch, 0, &consumed), ToolResult::None);
    EXPECT_EQ(consumed, 0);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{50, 40, 60, 50}));

    EXPECT_EQ(tool->onPointerButton(document, POINT{10, 10}, false), ToolResult::Commit);
    EXPECT_TRUE(rectIs(shape->shapeRect, RECT{50, 40, 60, 50}));
    EXPECT_EQ(tool->finish(document), ToolResult::Commit);
    document.toolFactory.release(document, tool);
}

TEST_F(ShapeToolTest, AcquiringResetsARecycledTool) {
    frame.lineWidth = 5;
    Tool* tool = document.toolFactory.acquire(document, ToolId::Line);
    ASSERT_NE(tool, nullptr);
    auto* line = static_cast<LineTool*>(tool);
    EXPECT_EQ(tool->flags, ToolFlags::Acquired | ToolFlags::RedrawWhole);
    EXPECT_EQ(line->lineWidth, 5);
    EXPECT_EQ(line->colour, 0u);
    line->setColour(red);
    EXPECT_EQ(line->colour, red);
    line->onPointerButton(document, POINT{30, 30}, true);
    EXPECT_EQ(tool->onSettingChanged(document, ToolSetting::Colour), ToolResult::None);
    document.toolFactory.release(document, tool);
    EXPECT_FALSE(tool->hasFlag(ToolFlags::Acquired));

    frame.lineWidth = 1;
    Tool* again = document.toolFactory.acquire(document, ToolId::Line);
    ASSERT_EQ(again, tool);
    EXPECT_EQ(again->flags, ToolFlags::Acquired | ToolFlags::RedrawWhole);
    EXPECT_EQ(line->lineWidth, 1);
    EXPECT_EQ(line->colour, 0u);
    EXPECT_TRUE(rectIs(again->bounds, RECT{}));
    document.toolFactory.release(document, again);
}

}  // namespace
