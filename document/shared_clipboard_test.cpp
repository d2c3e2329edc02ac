#include <gtest/gtest.h>

#include <map>

#include "app/frame/frame_bar.h"
#include "document/testing/document_fixture.h"
#include "platform/clipboard/testing/fake_system_clipboard.h"
#include "platform/gdi/testing/pixels.h"

namespace {

using document_testing::DocumentTest;
using platform::Bitmap;

constexpr COLORREF red = 0x0000FF;

// Copy and Cut share the picture with other programs through the desktop's
// clipboard; Paste takes another program's picture before the program's own.
class SharedClipboardTest : public DocumentTest {
  protected:
    SharedClipboardTest() : DocumentTest(240, 320) {}

    void select(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        useTool(9);
        stroke({{x0, y0}, {x1, y1}});
    }
    static std::unique_ptr<Bitmap> solid(std::int32_t width, std::int32_t height, COLORREF c) {
        return std::move(platform::testing::Canvas24(width, height, c).bitmap);
    }
    bool pasteEnabled() {
        struct Menu : MenuEnabling {
            void enableItem(std::int32_t command, bool enabled) override {
                items[command] = enabled;
            }
            std::map<std::int32_t, bool> items;
        } menu;
        frame.enableMenuItems(menu);
        return menu.items.at(MenuCommand::Paste);
    }

    platform::testing::FakeSystemClipboard shared;
};

TEST_F(SharedClipboardTest, CopyAndCutPutThePictureOnTheDesktopClipboard) {
    setLive(10, 20, red);
    document.canvas.copyPictureRect(RECT{0, 0, 240, 320}, true);
    select(10, 20, 29, 24);
    document.executeCommand(DocCommand::Copy, 0);
    ASSERT_NE(shared.held(), nullptr);
    EXPECT_EQ(shared.held()->width(), 20);
    EXPECT_EQ(shared.held()->height(), 5);
    const std::uint8_t* corner = shared.held()->row(0);
    EXPECT_EQ(rgb(corner[2], corner[1], corner[0]), red);
    EXPECT_FALSE(shared.ownedByOtherProgram());

    shared.otherProgramCopies(nullptr);
    select(0, 0, 7, 7);
    document.executeCommand(DocCommand::Cut, 0);
    ASSERT_NE(shared.held(), nullptr);
    EXPECT_EQ(shared.held()->width(), 8);
    EXPECT_FALSE(shared.ownedByOtherProgram());
}

TEST_F(SharedClipboardTest, PastePrefersAnotherProgramsPicture) {
    select(0, 0, 4, 4);
    document.executeCommand(DocCommand::Copy, 0);
    shared.otherProgramCopies(solid(20, 10, red));
    document.executeCommand(DocCommand::Paste, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{10, 10, 30, 20}));
    document.flattenHistory();
    EXPECT_EQ(live(29, 19), red);
    EXPECT_TRUE(document.modified);

    // Another program's text leaves the program's own copy to paste.
    shared.otherProgramCopies(nullptr);
    document.executeCommand(DocCommand::Paste, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{10, 10, 15, 15}));
}

TEST_F(SharedClipboardTest, AnotherProgramsLargerPictureIsCutToTheCanvas) {
    shared.otherProgramCopies(solid(500, 400, red));
    document.executeCommand(DocCommand::Paste, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{0, 0, 240, 320}));
}

TEST_F(SharedClipboardTest, PasteIsEnabledWhenEitherClipboardHoldsAPicture) {
    EXPECT_FALSE(pasteEnabled());
    shared.otherProgramCopies(solid(3, 3, red));
    EXPECT_TRUE(pasteEnabled());
    shared.otherProgramCopies(nullptr);
    EXPECT_FALSE(pasteEnabled());
    select(0, 0, 4, 4);
    document.executeCommand(DocCommand::Copy, 0);
    shared.otherProgramCopies(nullptr);
    EXPECT_TRUE(pasteEnabled());
}

}  // namespace
