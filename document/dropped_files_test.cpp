#include "document/dropped_files.h"

#include <gtest/gtest.h>

#include "document/bitmap_file.h"
#include "document/testing/document_fixture.h"
#include "platform/text/utf.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF blue = 0xFF0000;

TEST(DropActionTest, FollowsTheExtensionWhateverItsCase) {
    const struct {
        const char16_t* path;
        DropAction action;
    } cases[] = {
        {u"/home/a/cat.zsf", DropAction::OpenSketch}, {u"/home/a/CAT.ZSF", DropAction::OpenSketch},
        {u"/tmp/x.bmp", DropAction::ImportPicture},   {u"/tmp/x.Jpg", DropAction::ImportPicture},
        {u"/tmp/x.jpeg", DropAction::ImportPicture},  {u"/tmp/x.PNG", DropAction::ImportPicture},
        {u"/tmp/x.txt", DropAction::Ignore},          {u"/tmp/bmp", DropAction::Ignore},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dropActionFor(c.path), c.action) << platform::toUtf8(c.path);
}

class DroppedFilesTest : public DocumentTest {
  protected:
    DroppedFilesTest() : DocumentTest(240, 320) {}

    std::u16string path(const char* name) const { return platform::toUtf16(deviceRoot / name); }
    // A 20 x 20 blue square at the top-left corner, saved as a bitmap file;
    // the canvas is white again afterwards.
    std::u16string squareFile() {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                setLive(x, y, blue);
        const std::u16string file = path("square.bmp");
        EXPECT_TRUE(writeBitmapFile(document.canvas, file.c_str()));
        document.clearDocument();
        document.modified = false;
        return file;
    }
    std::size_t messagesShown() const { return dialogs.records().size(); }
};

TEST_F(DroppedFilesTest, APictureFileFloatsAtTheDropPointInsideTheCanvas) {
    const std::u16string file = squareFile();
    frame.zoomShift = 1;
    frame.scrollX = 40;
    ASSERT_TRUE(dropFile(document, file, POINT{60, 30}));
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->bounds, (RECT{50, 15, 70, 35}));
    // Dropped by the far corner, it is moved back onto the canvas.
    ASSERT_TRUE(dropFile(document, file, POINT{1000, 1000}));
    EXPECT_EQ(document.activeTool->bounds, (RECT{220, 300, 240, 320}));
}

TEST_F(DroppedFilesTest, AnUnreadableOrForeignFileChangesNothing) {
    EXPECT_FALSE(dropFile(document, path("notes.txt"), POINT{5, 5}));
    EXPECT_EQ(messagesShown(), 0u);
    EXPECT_TRUE(dropFile(document, path("missing.jpg"), POINT{5, 5}));
    ASSERT_EQ(messagesShown(), 1u);
    EXPECT_EQ(dialogs.records()[0].caption, u"Load Error!");
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_FALSE(document.modified);
}

TEST_F(DroppedFilesTest, ASketchOpensAskingOnlyWhenWorkWouldBeLost) {
    setLive(3, 3, blue);
    document.canvas.copyPictureRect(RECT{0, 0, 240, 320}, true);
    const std::u16string sketch = path("dot.zsf");
    ASSERT_TRUE(document.saveToPath(sketch.c_str()));
    document.clearDocument();

    // Nothing unsaved: no question.
    document.modified = false;
    EXPECT_TRUE(dropFile(document, sketch, POINT{0, 0}));
    EXPECT_EQ(messagesShown(), 0u);
    EXPECT_EQ(live(3, 3), blue);
    EXPECT_EQ(document.documentPath, sketch);

    // Unsaved strokes: the usual question, and Cancel keeps them.
    useTool(3);
    stroke({{100, 100}, {120, 120}});
    dialogs.queueMessageAnswer(platform::MessageAnswer::Cancel);
    dropFile(document, sketch, POINT{0, 0});
    ASSERT_EQ(messagesShown(), 1u);
    EXPECT_EQ(dialogs.records()[0].caption, u"Save Changes");
    EXPECT_TRUE(document.modified);
    EXPECT_NE(live(110, 110), live(200, 200));
}

}  // namespace
