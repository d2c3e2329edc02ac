// Picture files opened the way sketch documents are (Open with a path: the
// command line, the file manager, a drop) become drawings of their own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "document/testing/document_fixture.h"
#include "document/testing/png_files.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"

namespace {

using png_files::PngOptions;

class OpenPictureTest : public document_testing::DocumentTest {
  protected:
    std::u16string path(const std::string& name) const { return platform::toUtf16(folder / name); }
    void open(const std::string& name) { document.openDocument(path(name).c_str()); }
    std::u16string lastCaption() const {
        return dialogs.records().empty() ? u"" : dialogs.records().back().caption;
    }
    platform::testing::TempFolder folder;
};

TEST_F(OpenPictureTest, EachFormatOpensAsADrawingOfItsSize) {
    const PngOptions picture{.width = 37, .height = 29};
    platform::testing::put(folder / "picture.png", png_files::makePng(picture));
    platform::testing::put(folder / "named-wrongly.bmp", png_files::makePng(picture));
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    open("picture.png");
    ASSERT_TRUE(writeBitmapFileUncropped(document.canvas, path("picture.bmp").c_str()));
    ASSERT_TRUE(writeJpegFile(document.canvas, path("picture.jpg").c_str()));
    for (const std::string name :
         {"picture.png", "picture.bmp", "picture.jpg", "named-wrongly.bmp"}) {
        SCOPED_TRACE(name);
        document.setCanvasSize(300, 200);
        useTool(0);  // the pencil, whatever tool placing the picture left chosen
        stroke({{5, 5}, {50, 50}});
        dialogs.queueMessageAnswer(platform::MessageAnswer::No);
        dialogs.clearRecords();
        open(name);
        ASSERT_EQ(dialogs.records().size(), 1u);  // the question about the unsaved work
        EXPECT_EQ(frame.canvasWidth, 37);
        EXPECT_EQ(frame.canvasHeight, 29);
        EXPECT_EQ(document.canvas.width(), 37);
        EXPECT_FALSE(document.modified);
        EXPECT_FALSE(document.canUndo());
        EXPECT_TRUE(document.documentPath.empty());
        const int tolerance = name.ends_with(".jpg") ? 24 : 0;
        for (const POINT p : {POINT{0, 0}, POINT{36, 28}, POINT{20, 9}}) {
            int want[3];
            png_files::colourAt(picture, p.x, p.y, want);
            const COLORREF got = committed(p.x, p.y);
            EXPECT_EQ(got, live(p.x, p.y));
            EXPECT_NEAR(redOf(got), want[0], tolerance) << p.x << ", " << p.y;
            EXPECT_NEAR(greenOf(got), want[1], tolerance);
            EXPECT_NEAR(blueOf(got), want[2], tolerance);
        }
    }
}

// File > Open lists pictures beside sketches and opens the one chosen.
TEST_F(OpenPictureTest, TheOpenDialogOffersPictures) {
    platform::testing::put(folder / "shot.png", png_files::makePng({.width = 21, .height = 13}));
    dialogs.queueFileChoice(path("shot.png"));
    document.executeCommand(DocCommand::Open, 0);
    const auto& filters = dialogs.records().back().request.filters;
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0], (platform::FileFilter{u"Mirabo Files", u"*.zsf"}));
    EXPECT_EQ(filters[1], (platform::FileFilter{u"Pictures", u"*.png;*.bmp;*.jpg;*.jpeg"}));
    EXPECT_EQ(document.canvas.width(), 21);
    EXPECT_EQ(document.canvas.height(), 13);
}

TEST_F(OpenPictureTest, APictureLargerThanTheLargestCanvasIsCutAndSaidSo) {
    platform::testing::put(folder / "wide.png", png_files::makePng({.width = 1500, .height = 20}));
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    open("wide.png");
    EXPECT_EQ(document.canvas.width(), 1024);
    EXPECT_EQ(document.canvas.height(), 20);
    EXPECT_EQ(lastCaption(), u"Picture Cut");
    EXPECT_NE(dialogs.records().back().text.find(u"1500 x 20 pixels"), std::u16string::npos);
}

// Cancelling the question, or a file that cannot be read, leaves the drawing
// as it was: its size, its pixels and its unsaved mark.
TEST_F(OpenPictureTest, CancelledOrUnreadableLeavesTheDrawingAlone) {
    const std::string good = png_files::makePng({.width = 64, .height = 48});
    platform::testing::put(folder / "good.png", good);
    platform::testing::put(folder / "cut.png", good.substr(0, good.size() / 2));
    stroke({{20, 20}, {60, 40}});
    document.flattenHistory();
    const auto pixels = canvasBytes(document.canvas.committedBits());
    struct Case {
        std::string file;
        platform::MessageAnswer answer;
        std::u16string lastCaption;
    };
    for (const Case& c : {Case{"good.png", platform::MessageAnswer::Cancel, u"Save Changes"},
                          Case{"cut.png", platform::MessageAnswer::No, u"Load Error!"},
                          Case{"missing.png", platform::MessageAnswer::No, u"Load Error!"}}) {
        SCOPED_TRACE(c.file);
        dialogs.queueMessageAnswer(c.answer);
        open(c.file);
        EXPECT_EQ(lastCaption(), c.lastCaption);
        EXPECT_EQ(document.canvas.width(), 600);
        EXPECT_TRUE(document.modified);
        EXPECT_EQ(canvasBytes(document.canvas.committedBits()), pixels);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), pixels);
    }
}

// Import and Export offer PNG files beside their own kind, and have a PNG
// item of their own; a name ending in ".png" is written and read as PNG, any
// other gets the command's extension.
TEST_F(OpenPictureTest, ImportAndExportOfferPng) {
    stroke({{20, 20}, {60, 40}});
    struct Export {
        DocCommand command;
        std::string chosen, written;
        std::u16string ownFilter;
    };
    for (const Export& e : {Export{DocCommand::ExportBitmap, "ink.png", "ink.png", u"Bitmap Files"},
                            Export{DocCommand::ExportJpeg, "ink.PNG", "ink.PNG", u"JPEG Files"},
                            Export{DocCommand::ExportBitmap, "ink", "ink.bmp", u"Bitmap Files"},
                            Export{DocCommand::ExportPng, "shot", "shot.png", u"PNG Files"}}) {
        SCOPED_TRACE(e.chosen);
        dialogs.queueFileChoice(path(e.chosen));
        document.executeCommand(e.command, 0);
        const auto& filters = dialogs.records().back().request.filters;
        ASSERT_FALSE(filters.empty());
        EXPECT_EQ(filters.front().description, e.ownFilter);
        EXPECT_EQ(filters.back(), (platform::FileFilter{u"PNG Files", u"*.png"}));
        const std::string bytes = platform::testing::contents(folder / e.written);
        EXPECT_EQ(bytes.substr(0, e.written.ends_with(".bmp") ? 2 : 4),
                  e.written.ends_with(".bmp") ? "BM" : "\x89PNG");
    }
    RasterImage written;
    ASSERT_TRUE(readPngFile(document.canvas, path("ink.png").c_str(), written));
    for (const DocCommand import :
         {DocCommand::ImportBitmap, DocCommand::ImportJpeg, DocCommand::ImportPng}) {
        dialogs.queueFileChoice(path("ink.png"));
        document.executeCommand(import, 0);
        ASSERT_NE(document.activeTool, nullptr);
        EXPECT_EQ(document.activeTool->toolId(), ToolId::FloatingImage);
        EXPECT_EQ(document.activeTool->bounds.right - document.activeTool->bounds.left,
                  written.bitmap->width());
    }
}

}  // namespace
