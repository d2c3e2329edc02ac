#include "tools/fill_tool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "document/doc_command.h"
#include "document/testing/document_fixture.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;
constexpr COLORREF red = 0x0000F8;  // already a fill colour: the low bits are clear
constexpr COLORREF blue = 0xF80000;
constexpr std::uint16_t fillButton = 15;

class FillToolTest : public DocumentTest {
  protected:
    explicit FillToolTest(std::uint16_t width = 600, std::uint16_t height = 600)
        : DocumentTest(width, height) {
        frame.currentColour = red;
    }

    // Writes a pixel into both pictures, as if it had been drawn and flattened.
    void setBoth(std::int32_t x, std::int32_t y, COLORREF c) {
        setLive(x, y, c);
        std::uint8_t* p = document.canvas.committedBits() + document.canvas.pixelOffset(x, y);
        p[0] = blueOf(c);
        p[1] = greenOf(c);
        p[2] = redOf(c);
    }
    // A black one-pixel outline on the edges of `box` (inclusive), committed.
    void committedOutline(RECT box) {
        for (std::int32_t x = box.left; x <= box.right; ++x) {
            setBoth(x, box.top, black);
            setBoth(x, box.bottom, black);
        }
        for (std::int32_t y = box.top; y <= box.bottom; ++y) {
            setBoth(box.left, y, black);
            setBoth(box.right, y, black);
        }
    }
    const FillTool* lastFill() const {
        const Tool* t = document.historyCursor;
        return t && t->toolId() == ToolId::Fill ? static_cast<const FillTool*>(t) : nullptr;
    }
    // The pixel expected inside, on and outside an outline after filling it.
    static COLORREF filledOutline(RECT box, std::int32_t x, std::int32_t y, COLORREF fill) {
        const bool inside = x > box.left && x < box.right && y > box.top && y < box.bottom;
        const bool edge =
            !inside && x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
        return inside ? fill : edge ? black : white;
    }
};

TEST_F(FillToolTest, ATapFillsTheEnclosedAreaAndCommitsAtOnce) {
    const RECT box{20, 20, 60, 50};
    committedOutline(box);
    useTool(fillButton);
    down(30, 30);
    // The tool committed at the stylus-down and was drawn into the picture.
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 1);
    const FillTool* fill = lastFill();
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->seedX, 30);
    EXPECT_EQ(fill->seedY, 30);
    EXPECT_EQ(fill->colour, red);
    EXPECT_TRUE(fill->hasFlag(ToolFlags::RedrawWhole));
    for (std::int32_t y = 10; y < 60; ++y)
        for (std::int32_t x = 10; x < 70; ++x) {
            ASSERT_EQ(live(x, y), filledOutline(box, x, y, red)) << x << "," << y;
            ASSERT_EQ(shown(x, y), live(x, y)) << x << "," << y;
        }
    // The rows 21..49 are filled from column 21 up to the outline at 60,
    // which the exclusive right edge lies one beyond.
    EXPECT_EQ(fill->bounds, (RECT{21, 21, 61, 50}));
    // The committed picture waits for the flatten.
    EXPECT_EQ(committed(30, 30), white);

    // Neither the lift nor a drag afterwards fills again.
    move(100, 100);
    up(100, 100);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(live(100, 100), white);
}

TEST_F(FillToolTest, TheFillColourLosesItsLowBits) {
    frame.currentColour = 0x07FFFF;  // yellow with low bits in the blue channel
    useTool(fillButton);
    down(5, 5);
    EXPECT_EQ(live(0, 0), 0x00F8F8u);
    EXPECT_EQ(live(599, 599), 0x00F8F8u);
    EXPECT_EQ(lastFill()->bounds, (RECT{0, 0, 600, 600}));
}

TEST_F(FillToolTest, UndoRestoresExactlyTheFilledRectangleAndRedoFillsAgain) {
    const RECT box{20, 20, 60, 50};
    committedOutline(box);
    // A pixel only the live picture has, outside the filled area: undo
    // restores the fill's rectangle and nothing beyond it.
    setLive(100, 100, blue);
    useTool(fillButton);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    const std::vector<std::uint8_t> committedBefore = canvasBytes(document.canvas.committedBits());
    down(30, 30);
    const std::vector<std::uint8_t> filled = canvasBytes(document.canvas.liveBits());
    ASSERT_NE(filled, before);

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(live(100, 100), blue);
    EXPECT_EQ(shown(30, 30), white);
    EXPECT_FALSE(document.canUndo());

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), filled);
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), committedBefore);
    for (std::int32_t x = 0; x < 240; ++x)
        ASSERT_EQ(shown(x, 30), live(x, 30)) << x;

    // A second round gives the same pixels again.
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), filled);

    document.flattenHistory();
    EXPECT_EQ(committed(30, 30), red);
}

TEST_F(FillToolTest, ReplayFillsFromTheSeedOverThePictureAsItIsThen) {
    const RECT box{20, 20, 60, 50};
    committedOutline(box);
    useTool(fillButton);
    down(30, 30);
    document.executeCommand(DocCommand::Undo, 0);
    // A wall appears across the area before the fill is replayed: the tool
    // keeps its seed, not its pixels, so only the seed's side is filled.
    for (std::int32_t y = 21; y < 50; ++y)
        setBoth(40, y, black);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(live(30, 30), red);
    EXPECT_EQ(live(39, 49), red);
    EXPECT_EQ(live(41, 30), white);
    EXPECT_EQ(lastFill()->bounds, (RECT{21, 21, 41, 50}));
}

TEST_F(FillToolTest, FillingWithTheAreasOwnColourChangesNothing) {
    useTool(fillButton);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    // Both equal white once the low bits are dropped.
    for (COLORREF colour : {white, COLORREF(0xFAFBFC)}) {
        frame.currentColour = colour;
        down(30, 30);
        up(30, 30);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
        // The tap is still one step of the history, one that changed no
        // pixel and whose undo copies nothing.
        ASSERT_EQ(historyLength(), 1);
        const RECT b = lastFill()->bounds;
        EXPECT_EQ(b.left, b.right);
        EXPECT_EQ(b.top, b.bottom);
        document.executeCommand(DocCommand::Undo, 0);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
        document.executeCommand(DocCommand::Redo, 0);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    }
}

TEST_F(FillToolTest, FillingWhileASelectionIsShownCanStillBeUndone) {
    // The stylus-down clears the selection, which refreshes the view along
    // with the commit; the fill must run once, into the picture, and keep
    // the rectangle it changed.
    const RECT box{20, 20, 60, 50};
    committedOutline(box);
    document.setSelection(100, 100, 150, 150);
    useTool(fillButton);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(30, 30);
    EXPECT_EQ(document.selectionActive, 0);
    EXPECT_EQ(live(30, 30), red);
    EXPECT_EQ(shown(30, 30), red);
    EXPECT_EQ(lastFill()->bounds, (RECT{21, 21, 61, 50}));
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
}

class SmallCanvasFillTest : public FillToolTest {
  protected:
    SmallCanvasFillTest() : FillToolTest(100, 80) {}
};

TEST_F(SmallCanvasFillTest, ATapBeyondTheCanvasIsHeldOnItsEdge) {
    // The view is larger than the canvas; the grey margin is no picture.
    for (std::int32_t y = 0; y < 80; ++y)
        setBoth(50, y, black);
    useTool(fillButton);
    down(200, 250);
    const FillTool* fill = lastFill();
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->seedX, 99);
    EXPECT_EQ(fill->seedY, 79);
    EXPECT_EQ(live(99, 79), red);
    EXPECT_EQ(live(51, 0), red);
    EXPECT_EQ(live(49, 40), white);
    EXPECT_EQ(fill->bounds, (RECT{51, 0, 100, 80}));
}

TEST_F(FillToolTest, ANewToolHasNoSeedAndDrawsNothing) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::Fill);
    ASSERT_NE(tool, nullptr);
    auto* fill = static_cast<FillTool*>(tool);
    EXPECT_EQ(fill->seedX, -1);
    EXPECT_EQ(fill->seedY, -1);
    EXPECT_EQ(fill->colour, black);
    EXPECT_EQ(fill->flags, ToolFlags::Acquired | ToolFlags::RedrawWhole);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    fill->setColour(red);
    document.redraw(false, true, fill, nullptr);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(fill->finish(document), ToolResult::Commit);
    // A stylus-up gives a seed just as a stylus-down does.
    EXPECT_EQ(fill->onPointerButton(document, POINT{3, 4}, false), ToolResult::Commit);
    EXPECT_EQ(fill->seedX, 3);
    EXPECT_EQ(fill->seedY, 4);
    document.toolFactory.release(document, fill);
}

}  // namespace
