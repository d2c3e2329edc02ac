#include "document/earlier_states.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/bitmap_file.h"
#include "document/testing/document_fixture.h"
#include "platform/text/utf.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;

// Rows padded to four bytes and a last column of blocks narrower than the rest.
class EarlierStatesTest : public DocumentTest {
  protected:
    EarlierStatesTest() : DocumentTest(301, 200) { frame.currentColour = red; }
    void rectangle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(3);
        stroke({{x0, y0}, {x1, y1}});
    }
    std::vector<std::uint8_t> livePicture() const {
        return canvasBytes(document.canvas.liveBits());
    }
    std::vector<std::uint8_t> committedPicture() const {
        return canvasBytes(document.canvas.committedBits());
    }
    std::u16string devicePath(const char* name) const {
        return platform::toUtf16(deviceRoot.path() + "/" + name);
    }
};

TEST_F(EarlierStatesTest, UndoWalksBackStrokeByStrokeAndRedoWalksForward) {
    std::vector<std::vector<std::uint8_t>> states{livePicture()};
    useTool(0);
    frame.lineWidth = 3;
    for (const auto& [from, to] : {std::pair<POINT, POINT>{{5, 5}, {290, 190}},
                                   {{290, 5}, {5, 190}},
                                   {{150, 2}, {150, 198}}}) {
        stroke({from, to});
        states.push_back(livePicture());
    }
    for (std::size_t step = 3; step > 0; --step) {
        ASSERT_TRUE(document.canUndo()) << step;
        document.executeCommand(DocCommand::Undo, 0);
        EXPECT_EQ(livePicture(), states[step - 1]) << step;
        EXPECT_EQ(committedPicture(), states[step - 1]) << step;
        for (std::int32_t x = 0; x < 240; ++x)
            ASSERT_EQ(shown(x, 100), live(x, 100)) << step << ": " << x;
    }
    EXPECT_FALSE(document.canUndo());
    EXPECT_TRUE(document.isModified());

    for (std::size_t step = 1; step <= 3; ++step) {
        ASSERT_TRUE(document.canRedo()) << step;
        document.executeCommand(DocCommand::Redo, 0);
        EXPECT_EQ(livePicture(), states[step]) << step;
    }
    EXPECT_FALSE(document.canRedo());
}

TEST_F(EarlierStatesTest, TheOldestStepsGoFirstOverTheBudgetAndANewChangeDropsRedo) {
    // Squares of the same size, each inside a 64 x 64 block of its own.
    const auto square = [&](std::int32_t i) {
        rectangle(10 + 70 * i, 10, 20 + 70 * i, 20);
        document.flattenHistory();
    };
    square(0);
    const std::size_t stepBytes = document.earlierStates.storedBytes();
    ASSERT_GT(stepBytes, 0u);
    document.earlierStates = EarlierStates(2 * stepBytes + stepBytes / 2);
    for (std::int32_t i = 1; i <= 3; ++i)
        square(i);
    EXPECT_EQ(document.earlierStates.stepCount(), 2u);
    EXPECT_EQ(document.earlierStates.storedBytes(), 2 * stepBytes);

    document.executeCommand(DocCommand::Undo, 0);
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(live(15, 15), red);
    EXPECT_EQ(live(85, 15), red);
    EXPECT_EQ(live(155, 15), white);
    EXPECT_EQ(live(225, 15), white);

    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(live(155, 15), red);
    ASSERT_TRUE(document.canRedo());
    rectangle(10, 100, 20, 110);
    EXPECT_FALSE(document.canRedo());
    EXPECT_EQ(document.earlierStates.stepCount(), 1u);
    EXPECT_EQ(live(225, 15), white);

    // A step larger than the whole budget is not kept, and nothing before
    // it can be reached any more.
    document.earlierStates = EarlierStates(stepBytes - 1);
    square(3);
    EXPECT_EQ(document.earlierStates.stepCount(), 0u);
    EXPECT_EQ(document.earlierStates.storedBytes(), 0u);
    EXPECT_FALSE(document.canUndo());
}

TEST_F(EarlierStatesTest, NewOpenAndACanvasSizeChangeStartTheHistoryAgain) {
    const std::u16string sketch = devicePath("kept.zsf"), picture = devicePath("kept.bmp");
    rectangle(50, 50, 60, 60);
    ASSERT_TRUE(document.writeToPath(sketch.c_str()));
    ASSERT_TRUE(writeBitmapFileUncropped(document.canvas, picture.c_str()));
    document.earlierStates.clear();
    const std::pair<const char*, std::function<void()>> clearing[] = {
        {"New",
         [&] {
             dialogs.queueMessageAnswer(platform::MessageAnswer::No);
             document.executeCommand(DocCommand::New, 0);
         }},
        {"open a sketch", [&] { EXPECT_TRUE(document.loadFromPath(sketch.c_str())); }},
        {"open a picture",
         [&] {
             dialogs.queueMessageAnswer(platform::MessageAnswer::No);
             EXPECT_FALSE(document.openDocument(picture.c_str()));
         }},
        {"canvas size",
         [&] {
             frame.canvasWidth = 280;
             document.executeCommand(DocCommand::CanvasSizeChanged, 0);
         }},
    };
    for (const auto& [name, run] : clearing) {
        rectangle(10, 10, 20, 20);
        rectangle(30, 30, 40, 40);
        document.flattenHistory();
        ASSERT_EQ(document.earlierStates.stepCount(), 2u) << name;
        run();
        EXPECT_EQ(document.earlierStates.stepCount(), 0u) << name;
        EXPECT_FALSE(document.canUndo()) << name;
    }
}

// A picture wider than one block whose rows need no padding, so whole rows
// are kept and written back in one piece.
class EveryKindOfChange : public DocumentTest {
  protected:
    EveryKindOfChange() : DocumentTest(256, 130) {
        frame.currentColour = red;
        // A pattern at the top left, the rest white.
        for (std::int32_t y = 0; y < 64; ++y)
            for (std::int32_t x = 0; x < 100; ++x)
                setLive(x, y, rgb(std::uint8_t(x * 2), std::uint8_t(y * 4), 77));
        document.canvas.copyPictureRect(RECT{0, 0, 256, 130}, true);
    }
    void select(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(9);
        stroke({{x0, y0}, {x1, y1}});
    }
};

TEST_F(EveryKindOfChange, IsOneStepThatUndoTakesBackAndRedoPutsBack) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"fill",
         [&] {
             useTool(15);
             down(200, 100);
             up(200, 100);
         }},
        {"flip",
         [&] {
             select(0, 0, 80, 60);
             document.executeCommand(DocCommand::FlipHorizontal, 0);
         }},
        {"moved selection",
         [&] {
             select(0, 0, 40, 40);
             stroke({{20, 20}, {140, 90}});
         }},
        {"pasted image",
         [&] {
             select(0, 0, 40, 40);
             document.executeCommand(DocCommand::Copy, 0);
             document.executeCommand(DocCommand::Paste, 0);
             stroke({{15, 15}, {150, 80}});
         }},
        {"cut",
         [&] {
             select(10, 10, 70, 50);
             document.executeCommand(DocCommand::Cut, 0);
         }},
        {"eraser",
         [&] {
             useTool(8);
             stroke({{0, 30}, {255, 30}});
         }},
    };
    for (const auto& [name, change] : changes) {
        const auto before = canvasBytes(document.canvas.committedBits());
        change();
        document.flattenHistory();
        const auto after = canvasBytes(document.canvas.committedBits());
        ASSERT_NE(after, before) << name;
        ASSERT_EQ(canvasBytes(document.canvas.liveBits()), after) << name;

        document.executeCommand(DocCommand::Undo, 0);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before) << name;
        EXPECT_EQ(canvasBytes(document.canvas.committedBits()), before) << name;
        document.executeCommand(DocCommand::Redo, 0);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), after) << name;
        EXPECT_EQ(canvasBytes(document.canvas.committedBits()), after) << name;
        EXPECT_FALSE(document.canRedo()) << name;
    }
}

}  // namespace
