#include <gtest/gtest.h>

#include <filesystem>

#include "document/testing/document_fixture.h"
#include "platform/files/device_path.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;

class EditCommandsTest : public DocumentTest {
  protected:
    EditCommandsTest() : DocumentTest(240, 320) {}

    // A picture where every pixel of the top-left 64 x 64 has its own colour.
    void paintPattern() {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                setLive(x, y, rgb(std::uint8_t(x * 4), std::uint8_t(y * 4), 77));
        document.canvas.copyPictureRect(RECT{0, 0, 240, 320}, true);
    }
    static COLORREF pattern(int x, int y) {
        return rgb(std::uint8_t(x * 4), std::uint8_t(y * 4), 77);
    }
    void select(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(9);
        stroke({{x0, y0}, {x1, y1}});
    }
};

TEST_F(EditCommandsTest, CopyWithoutASelectionEmptiesTheClipboard) {
    paintPattern();
    select(0, 0, 9, 9);
    document.executeCommand(DocCommand::Copy, 0);
    EXPECT_TRUE(document.canPaste());
    document.clearSelection();
    document.executeCommand(DocCommand::Copy, 0);
    EXPECT_FALSE(document.canPaste());
}

// Cut and Delete clear the area as one undoable entry; only Cut copies it.
TEST_F(EditCommandsTest, CutAndDeleteClearTheAreaAndUndoBringsItBack) {
    paintPattern();
    for (const DocCommand command : {DocCommand::Delete, DocCommand::Cut}) {
        SCOPED_TRACE(int(command));
        select(10, 10, 19, 19);
        ASSERT_TRUE(document.canDelete());
        document.executeCommand(command, 0);
        EXPECT_FALSE(document.selectionActive);
        EXPECT_EQ(live(15, 15), white);
        // The view shows the cleared area without the selection's frame.
        for (int y = 10; y < 20; ++y)
            for (int x = 10; x < 20; ++x)
                ASSERT_EQ(shown(x, y), white) << x << "," << y;
        EXPECT_EQ(live(9, 9), pattern(9, 9));
        EXPECT_EQ(live(20, 20), pattern(20, 20));
        document.executeCommand(DocCommand::Undo, 0);
        for (int y = 10; y < 20; ++y)
            for (int x = 10; x < 20; ++x)
                ASSERT_EQ(live(x, y), pattern(x, y));
        // The clipboard has a copy after Cut only: a paste shows the same pixels.
        EXPECT_EQ(document.canPaste(), command == DocCommand::Cut);
    }
    EXPECT_EQ(document.clipboard->info()->biWidth, 10);
}

// Deselect drops the frame and keeps the pixels and the history; an image
// still floating is put down first, as a tap outside it would.
TEST_F(EditCommandsTest, DeselectDropsTheSelectionAndPutsAFloatingImageDown) {
    paintPattern();
    select(10, 10, 19, 19);
    const int entries = historyLength();
    document.executeCommand(DocCommand::Deselect, 0);
    EXPECT_FALSE(document.selectionActive);
    EXPECT_EQ(historyLength(), entries);
    EXPECT_EQ(live(15, 15), pattern(15, 15));

    select(0, 0, 4, 4);
    document.executeCommand(DocCommand::Copy, 0);
    document.executeCommand(DocCommand::Paste, 0);
    ASSERT_NE(document.activeTool, nullptr);
    document.executeCommand(DocCommand::Deselect, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_FALSE(document.canCut());
    EXPECT_EQ(live(12, 12), pattern(2, 2));
}

TEST_F(EditCommandsTest, DeleteLeavesTextBeingTypedAlone) {
    useTool(ToolButton::Text);
    down(30, 30);
    up(30, 30);
    document.charInput(u'a');
    ASSERT_TRUE(document.canCut());
    EXPECT_FALSE(document.canDelete());
}

TEST_F(EditCommandsTest, PastingTwicePutsTheFirstImageDown) {
    paintPattern();
    select(0, 0, 4, 4);
    document.executeCommand(DocCommand::Copy, 0);
    document.executeCommand(DocCommand::Paste, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{10, 10, 15, 15}));
    // Drag the first one away, then paste again.
    down(12, 12);
    move(102, 102);
    up(102, 102);
    document.executeCommand(DocCommand::Paste, 0);
    EXPECT_EQ(live(100, 100), pattern(0, 0));
    EXPECT_EQ(live(104, 104), pattern(4, 4));
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{10, 10, 15, 15}));
}

TEST_F(EditCommandsTest, FlippingTwiceRestoresThePicture) {
    paintPattern();
    select(0, 0, 63, 63);
    document.executeCommand(DocCommand::FlipHorizontal, 0);
    EXPECT_EQ(live(0, 5), pattern(63, 5));
    document.executeCommand(DocCommand::FlipHorizontal, 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(live(x, y), pattern(x, y));
    // Only the second flip is in the history: Undo shows the mirrored picture.
    EXPECT_EQ(historyLength(), 1);
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(live(0, 5), pattern(63, 5));
    select(0, 0, 63, 63);
    document.executeCommand(DocCommand::FlipVertical, 0);
    EXPECT_EQ(live(0, 0), pattern(63, 63));
}

TEST_F(EditCommandsTest, EnlargingTheCanvasKeepsThePictureExactly) {
    paintPattern();
    frame.canvasWidth = 300;
    frame.canvasHeight = 400;
    document.executeCommand(DocCommand::CanvasSizeChanged, 0);
    ASSERT_EQ(document.canvas.width(), 300);
    ASSERT_EQ(document.canvas.height(), 400);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(live(x, y), pattern(x, y)) << x << "," << y;
    EXPECT_EQ(live(299, 399), white);
    EXPECT_EQ(live(250, 10), white);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_FALSE(document.canUndo());
    // The carrier file is gone.
    EXPECT_FALSE(std::filesystem::exists(platform::toNativePath(u"\\Temp\\hibernate_sketch.bmp")));
}

TEST_F(EditCommandsTest, ShrinkingTheCanvasKeepsTheTopLeft) {
    paintPattern();
    frame.canvasWidth = 32;
    frame.canvasHeight = 16;
    document.executeCommand(DocCommand::CanvasSizeChanged, 0);
    ASSERT_EQ(document.canvas.width(), 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(live(x, y), pattern(x, y));
    EXPECT_EQ(frame.maxScrollX, 0);
}

}  // namespace
