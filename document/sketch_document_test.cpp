#include "document/sketch_document.h"

#include <gtest/gtest.h>

#include "document/testing/document_fixture.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;

// The history is a chain linked both ways, the cursor on it or none, and the
// active tool never in it.
void expectHistoryInvariants(const SketchDocument& d) {
    const Tool* previous = nullptr;
    bool cursorSeen = d.historyCursor == nullptr;
    for (const Tool* t = d.historyHead; t; t = t->next) {
        EXPECT_EQ(t->prev, previous);
        EXPECT_NE(t, d.activeTool);
        if (t == d.historyCursor) cursorSeen = true;
        previous = t;
    }
    EXPECT_TRUE(cursorSeen);
}

class SketchDocumentTest : public DocumentTest {
  protected:
    SketchDocumentTest() { frame.currentColour = 0x0000FF; }
    void rectangle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(3);
        stroke({{x0, y0}, {x1, y1}});
    }
};

TEST_F(SketchDocumentTest, StartsEmpty) {
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(document.canRedo());
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.canCut());
    EXPECT_FALSE(document.canPaste());
    EXPECT_EQ(frame.document, &document);
    EXPECT_EQ(document.canvas.width(), 600);
}

TEST_F(SketchDocumentTest, PushUndoRedoAndFlattenKeepTheHistoryWhole) {
    rectangle(10, 10, 20, 20);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.historyCursor, document.historyHead);
    EXPECT_TRUE(document.isModified());
    expectHistoryInvariants(document);

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(document.historyCursor, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_TRUE(document.canRedo());
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(live(15, 15), white);
    expectHistoryInvariants(document);

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(document.historyCursor, document.historyHead);
    EXPECT_EQ(live(15, 15), 0x0000FFu);
    EXPECT_FALSE(document.canRedo());

    // A new gesture flattens: the rectangle becomes part of the committed picture.
    rectangle(40, 40, 50, 50);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(committed(15, 15), 0x0000FFu);
    EXPECT_EQ(committed(45, 45), white);
    expectHistoryInvariants(document);
}

TEST_F(SketchDocumentTest, PushingDropsTheRedoTail) {
    // A selection does not flatten, so entries can pile up and be undone.
    rectangle(10, 10, 20, 20);
    document.executeCommand(DocCommand::Undo, 0);
    ASSERT_TRUE(document.canRedo());
    rectangle(30, 30, 40, 40);
    EXPECT_FALSE(document.canRedo());
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(live(15, 15), white);
    expectHistoryInvariants(document);
}

TEST_F(SketchDocumentTest, UndoOfAChainedDragRevertsAllOfItAndOnlyOnce) {
    const auto before = canvasBytes(document.canvas.liveBits());
    useTool(0);
    frame.lineWidth = 3;
    down(5, 5);
    // Far more stamps than one brush holds: the drag becomes a chain of tools.
    for (int i = 0; i < 700; ++i)
        move(5 + (i * 7) % 230, 5 + i % 250);
    up(100, 100);
    ASSERT_GT(historyLength(), 2);
    expectHistoryInvariants(document);
    const auto drawn = canvasBytes(document.canvas.liveBits());

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_FALSE(document.canUndo());
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), drawn);
    expectHistoryInvariants(document);
}

TEST_F(SketchDocumentTest, SnappingRoundsToTheNearerGridLine) {
    frame.snapGridX = frame.snapGridY = 8;
    POINT p{12, 13};
    document.snapToGrid(p);
    EXPECT_EQ(p, (POINT{8, 16}));
    POINT q{-5, 4};
    document.snapToGrid(q);
    EXPECT_EQ(q, (POINT{0, 0}));
    frame.snapGridX = frame.snapGridY = 0;
    POINT r{13, 13};
    document.snapToGrid(r);
    EXPECT_EQ(r, (POINT{13, 13}));
}

TEST_F(SketchDocumentTest, ViewPointsMapToTheCanvasAtEveryZoom) {
    POINT p{7, 7};
    frame.zoomShift = 2;
    document.viewToCanvas(p);
    EXPECT_EQ(p, (POINT{1, 1}));
    frame.zoomShift = -1;
    frame.scrollX = 10;
    POINT q{5, 5};
    document.viewToCanvas(q);
    EXPECT_EQ(q, (POINT{30, 10}));
    frame.zoomShift = 0;
    frame.scrollX = 0;
    POINT far{5000, -20};
    document.viewToCanvas(far);
    EXPECT_EQ(far, (POINT{599, 0}));
}

TEST_F(SketchDocumentTest, ButtonsWithoutAToolStillFlattenAndCapture) {
    rectangle(10, 10, 20, 20);
    ASSERT_EQ(historyLength(), 1);
    for (std::uint16_t button : {10, 12, 13}) {
        frame.currentTool = button;
        down(50, 50);
        EXPECT_EQ(document.activeTool, nullptr);
        EXPECT_EQ(historyLength(), 0);
        EXPECT_TRUE(view.hasCapture());
        up(50, 50);
        EXPECT_FALSE(view.hasCapture());
    }
    EXPECT_EQ(committed(15, 15), 0x0000FFu);
}

TEST_F(SketchDocumentTest, TheEyedropperPicksTheColourOnRelease) {
    rectangle(10, 10, 20, 20);
    frame.currentColour = 0;
    frame.optionToggle = true;
    down(15, 15);
    EXPECT_EQ(document.activeTool, nullptr);
    up(15, 15);
    EXPECT_EQ(frame.currentColour, 0x0000FFu);
    EXPECT_FALSE(frame.optionToggle);
}

TEST_F(SketchDocumentTest, SettingChangesDoNotFinishAStroke) {
    useTool(0);
    down(10, 10);
    move(20, 20);
    ASSERT_NE(document.activeTool, nullptr);
    document.executeCommand(DocCommand::ColourChanged, 0);
    document.executeCommand(DocCommand::BrushSizeChanged, 0);
    EXPECT_NE(document.activeTool, nullptr);
    // A tool change does.
    document.executeCommand(DocCommand::ToolChanged, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
}

TEST_F(SketchDocumentTest, NewClearsEverything) {
    rectangle(10, 10, 20, 20);
    frame.scrollX = 50;
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);  // do not save the changes
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(live(15, 15), white);
    EXPECT_EQ(committed(15, 15), white);
    EXPECT_EQ(frame.scrollX, 0);
}

TEST_F(SketchDocumentTest, ARepaintShowsThePicture) {
    rectangle(0, 0, 30, 30);
    paint();
    EXPECT_EQ(shown(5, 5), 0x0000FFu);
    EXPECT_EQ(shown(100, 100), white);
}

}  // namespace
