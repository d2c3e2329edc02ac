#include "app/startup/hibernation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "document/testing/document_fixture.h"
#include "platform/files/device_path.h"
#include "platform/files/file.h"

namespace {

using document_testing::DocumentTest;

// The program's next start: a frame and a document of their own, on the
// same device.
struct NextStart {
    NextStart() : view(240, 268) { startDocument(frame, document, view, 600, 600); }
    COLORREF live(std::int32_t x, std::int32_t y) const {
        return document_testing::pixelIn(document.canvas.liveBits(), document.canvas, x, y);
    }
    platform::HeadlessWindow view;
    MainFrame frame;
    SketchDocument document;
};

class HibernationTest : public DocumentTest {
  protected:
    bool hibernated() const { return platform::fileExists(hibernationPath); }
};

TEST_F(HibernationTest, UnsavedWorkComesBackAtTheNextStartMarkedUnsaved) {
    frame.setColour(0x0000FF);
    useTool(ToolButton::FilledRectangle);
    stroke({{10, 10}, {30, 20}});
    ASSERT_TRUE(document.modified);
    hibernateDrawing(document);
    ASSERT_TRUE(hibernated());

    NextStart next;
    EXPECT_TRUE(restoreHibernatedDrawing(next.frame, next.document));
    EXPECT_TRUE(next.document.modified);
    EXPECT_EQ(next.live(15, 15), 0x0000FFu);
    EXPECT_EQ(next.live(35, 15), 0xFFFFFFu);
    // Read once: the file is gone, and only a new close writes another.
    EXPECT_FALSE(hibernated());
    hibernateDrawing(next.document);
    EXPECT_TRUE(hibernated());
}

TEST_F(HibernationTest, ADrawingOfAnotherSizeComesBackAtThatSize) {
    frame.setCanvasSize(320, 240);
    useTool(ToolButton::FilledRectangle);
    stroke({{200, 200}, {230, 230}});
    hibernateDrawing(document);

    NextStart next;
    EXPECT_TRUE(restoreHibernatedDrawing(next.frame, next.document));
    EXPECT_EQ(next.frame.canvasWidth, 320);
    EXPECT_EQ(next.frame.canvasHeight, 240);
    EXPECT_EQ(next.document.canvas.width(), 320);
    EXPECT_EQ(next.live(210, 215), 0x000000u);
    EXPECT_EQ(next.live(235, 215), 0xFFFFFFu);
    EXPECT_FALSE(hibernated());
}

TEST_F(HibernationTest, CleanOrSavedDrawingsLeaveNoFile) {
    hibernateDrawing(document);
    EXPECT_FALSE(hibernated());
    NextStart next;
    EXPECT_FALSE(restoreHibernatedDrawing(next.frame, next.document));
    EXPECT_FALSE(next.document.modified);
}

// The name beside the drawing comes back with it when it is one; a drawing
// without a name leaves no name of an older one behind.
TEST_F(HibernationTest, TheDocumentsNameComesBackWithTheDrawing) {
    struct Case {
        const char* what;
        std::u16string documentPath;
        std::string nameFileBytes;  // written over the kept name when not empty
        std::u16string restored;
    };
    const std::u16string named = u"/home/user/m2.zsf";
    const Case cases[] = {
        {"named", named, "", named},
        {"unnamed", u"", "", u""},
        {"odd length", named, "abc", u""},
        {"holds a zero", named, std::string("a\0b\0\0\0", 6), u""},
    };
    for (const Case& c : cases) {
        // An earlier copy's name must not stick to this drawing.
        keepHibernatedName(u"/elsewhere/old.zsf");
        useTool(ToolButton::FilledRectangle);
        stroke({{10, 10}, {30, 20}});
        document.documentPath = c.documentPath;
        ASSERT_TRUE(hibernateDrawing(document)) << c.what;
        if (!c.nameFileBytes.empty())
            std::ofstream(platform::toNativePath(hibernatedNamePath), std::ios::binary)
                << c.nameFileBytes;
        NextStart next;
        EXPECT_TRUE(restoreHibernatedDrawing(next.frame, next.document)) << c.what;
        EXPECT_EQ(next.document.documentPath, c.restored) << c.what;
        EXPECT_FALSE(platform::fileExists(hibernatedNamePath)) << c.what;
    }
}

TEST_F(HibernationTest, AnUnreadableFileIsDeletedAndLeavesANewDrawing) {
    ASSERT_TRUE(platform::createDeviceFolders(hibernationPath));
    {
        std::ofstream garbage(platform::toNativePath(hibernationPath), std::ios::binary);
        garbage << std::string(5000, '\x5A');
    }
    NextStart next;
    EXPECT_FALSE(restoreHibernatedDrawing(next.frame, next.document));
    EXPECT_FALSE(next.document.modified);
    EXPECT_FALSE(hibernated());
    for (POINT p : {POINT{0, 0}, POINT{300, 300}, POINT{599, 599}})
        EXPECT_EQ(next.live(p.x, p.y), 0xFFFFFFu) << p.x << "," << p.y;
    EXPECT_EQ(document_testing::pixelIn(next.document.canvas.committedBits(), next.document.canvas,
                                        300, 300),
              0xFFFFFFu);
}

}  // namespace
