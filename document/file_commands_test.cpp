#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/file_names.h"
#include "document/sketch_file.h"
#include "document/testing/document_fixture.h"
#include "platform/files/device_path.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/memory/large_buffer.h"
#include "platform/text/utf.h"

namespace {

using document_testing::DocumentTest;
using platform::DialogRecord;
using platform::MessageAnswer;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF blue = 0xFF0000;

TEST(ForceExtensionTest, AppendsUnlessTheNameAlreadyEndsInIt) {
    EXPECT_EQ(forceExtension(u"abc", u".zsf"), u"abc.zsf");
    EXPECT_EQ(forceExtension(u"a.zsf", u".zsf"), u"a.zsf");
    // Four characters are too short to carry a name and the extension.
    EXPECT_EQ(forceExtension(u".zsf", u".zsf"), u".zsf.zsf");
    EXPECT_EQ(forceExtension(u"PIC.JPG", u".jpg"), u"PIC.JPG");
    EXPECT_EQ(forceExtension(u"untitled", u".bmp"), u"untitled.bmp");
    EXPECT_EQ(forceExtension(u"photo.jpeg", u".jpg"), u"photo.jpeg.jpg");
}

class FileCommandsTest : public DocumentTest {
  protected:
    FileCommandsTest() : DocumentTest(240, 320) {}

    std::u16string path(const std::string& name) const { return platform::toUtf16(folder / name); }
    void drawSquare() {
        frame.currentColour = blue;
        useTool(3);
        stroke({{10, 10}, {30, 30}});
    }
    const DialogRecord& lastRecord() const { return dialogs.records().back(); }
    int messagesCaptioned(std::u16string_view caption) const {
        int n = 0;
        for (const DialogRecord& r : dialogs.records())
            n += r.kind == DialogRecord::Kind::Message && r.caption == caption;
        return n;
    }

    platform::testing::TempFolder folder;
};

TEST_F(FileCommandsTest, SaveAsksForANameOnceAndForcesTheExtension) {
    drawSquare();
    dialogs.queueFileChoice(path("abc"));
    document.executeCommand(DocCommand::Save, 0);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(lastRecord().kind, DialogRecord::Kind::SaveFile);
    EXPECT_EQ(lastRecord().request.initialName, u"sketch.zsf");
    ASSERT_EQ(lastRecord().request.filters.size(), 1u);
    EXPECT_EQ(lastRecord().request.filters[0].pattern, u"*.zsf");
    EXPECT_TRUE(lastRecord().request.askBeforeReplace);
    EXPECT_TRUE(std::filesystem::exists(folder / "abc.zsf"));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(std::u16string(document.documentPath), path("abc.zsf"));

    // With a path, Save writes without asking; Save As offers the path.
    drawSquare();
    document.executeCommand(DocCommand::Save, 0);
    EXPECT_EQ(dialogs.records().size(), 1u);
    dialogs.queueFileCancel();
    document.executeCommand(DocCommand::SaveAs, 0);
    EXPECT_EQ(lastRecord().request.initialName, path("abc.zsf"));
}

TEST_F(FileCommandsTest, YesThenCancelCancelsNew) {
    drawSquare();
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    dialogs.queueFileCancel();
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(messagesCaptioned(u"Save Changes"), 1);
    EXPECT_EQ(live(20, 20), blue);  // nothing was cleared
    EXPECT_TRUE(document.isModified());
}

// A save that fails at the prompt must not cost the drawing: the command
// that asked stops, and the drawing stays marked unsaved.
TEST_F(FileCommandsTest, YesWithAFailingSaveKeepsTheDrawing) {
    drawSquare();
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    dialogs.queueFileChoice(path("no-such-folder/pic"));
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(messagesCaptioned(u"Save Failed"), 1);
    bool found = false;
    for (const DialogRecord& r : dialogs.records())
        if (r.caption == u"Save Failed")
            found = r.text == u"Failed to save - storage memory may be full";
    EXPECT_TRUE(found);
    EXPECT_EQ(live(20, 20), blue);  // New did not go on
    EXPECT_TRUE(document.isModified());

    // Saved somewhere that works, the next New goes on without asking.
    dialogs.queueFileChoice(path("pic"));
    document.executeCommand(DocCommand::SaveAs, 0);
    EXPECT_FALSE(document.isModified());
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(messagesCaptioned(u"Save Changes"), 1);
    EXPECT_EQ(live(20, 20), white);
    EXPECT_FALSE(document.isModified());
}

TEST_F(FileCommandsTest, NoAndCancelAtThePrompt) {
    drawSquare();
    dialogs.queueMessageAnswer(MessageAnswer::Cancel);
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(live(20, 20), blue);
    dialogs.queueMessageAnswer(MessageAnswer::No);
    document.executeCommand(DocCommand::New, 0);
    EXPECT_EQ(live(20, 20), white);
    EXPECT_FALSE(document.isModified());
}

// Open asks only about unsaved work: a drawing untouched since start-up,
// New or its last save is opened over at once, and a Cancel leaves the
// unsaved-work mark as it found it.
TEST_F(FileCommandsTest, OpenAsksOnlyAboutUnsavedWork) {
    drawSquare();
    ASSERT_TRUE(document.saveToPath(path("pic.zsf").c_str()));
    const auto opensWithoutAsking = [&](const char* when) {
        const int asked = messagesCaptioned(u"Save Changes");
        EXPECT_FALSE(document.openDocument(path("pic.zsf").c_str())) << when;
        EXPECT_EQ(messagesCaptioned(u"Save Changes"), asked) << when;
        EXPECT_EQ(live(20, 20), blue) << when;
        EXPECT_EQ(committed(20, 20), blue) << when;
        EXPECT_FALSE(document.isModified()) << when;
    };
    opensWithoutAsking("just saved");
    document.executeCommand(DocCommand::New, 0);
    ASSERT_EQ(live(20, 20), white);
    opensWithoutAsking("after New");
    opensWithoutAsking("just opened");

    // A clean drawing stays clean when the Open dialog is cancelled.
    dialogs.queueFileCancel();
    EXPECT_TRUE(document.openDocument(nullptr));
    EXPECT_FALSE(document.isModified());

    // Unsaved work is asked about, and Cancel keeps it unsaved.
    frame.currentColour = white;
    useTool(3);
    stroke({{10, 10}, {15, 15}});
    dialogs.queueMessageAnswer(MessageAnswer::Cancel);
    EXPECT_TRUE(document.openDocument(path("pic.zsf").c_str()));
    EXPECT_EQ(messagesCaptioned(u"Save Changes"), 1);
    EXPECT_EQ(live(12, 12), white);
    EXPECT_TRUE(document.isModified());
}

TEST_F(FileCommandsTest, OpeningAFileOfAnotherSizeResizesTheCanvas) {
    frame.canvasWidth = 100;
    frame.canvasHeight = 50;
    document.resizeCanvas(false);
    drawSquare();
    ASSERT_TRUE(document.saveToPath(path("small.zsf").c_str()));
    frame.canvasWidth = 240;
    frame.canvasHeight = 320;
    document.resizeCanvas(false);
    ASSERT_EQ(document.canvas.width(), 240);
    dialogs.queueMessageAnswer(MessageAnswer::No);
    document.openDocument(path("small.zsf").c_str());
    EXPECT_EQ(document.canvas.width(), 100);
    EXPECT_EQ(document.canvas.height(), 50);
    EXPECT_EQ(frame.canvasWidth, 100);
    EXPECT_EQ(live(20, 20), blue);
}

TEST_F(FileCommandsTest, ACorruptFileIsReportedAndTheCanvasIsKept) {
    drawSquare();
    document.flattenHistory();
    for (const char* bytes : {"", "not a sketch at all", "\x01\x00\x00\x00\xff\xff\xff\xff"}) {
        std::ofstream(folder / "bad.zsf", std::ios::binary) << bytes;
        const auto before = canvasBytes(document.canvas.liveBits());
        EXPECT_FALSE(document.loadFromPath(path("bad.zsf").c_str()));
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
        EXPECT_EQ(document.canvas.width(), 240);
    }
    EXPECT_EQ(messagesCaptioned(u"Load Failed"), 3);
    EXPECT_EQ(lastRecord().text, u"Failed to load - file may be corrupt or an unsupported version");
}

TEST_F(FileCommandsTest, ExportsForceTheirExtensionAndKeepAnUppercaseOne) {
    drawSquare();
    dialogs.queueFileChoice(path("PIC.JPG"));
    document.executeCommand(DocCommand::ExportJpeg, 0);
    EXPECT_EQ(lastRecord().request.initialName, u"untitled");
    EXPECT_EQ(lastRecord().request.defaultExtension, u"jpg");
    EXPECT_TRUE(std::filesystem::exists(folder / "PIC.JPG"));
    EXPECT_FALSE(std::filesystem::exists(folder / "PIC.JPG.jpg"));
    dialogs.queueFileChoice(path("untitled"));
    document.executeCommand(DocCommand::ExportBitmap, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "untitled.bmp"));
    // Exports leave the document as it was.
    EXPECT_EQ(document.documentPath[0], 0);
}

TEST_F(FileCommandsTest, ImportingAMissingFileSaysSoAndChangesNothing) {
    drawSquare();
    const int entries = historyLength();
    dialogs.queueFileChoice(path("nothing"));
    document.executeCommand(DocCommand::ImportBitmap, 0);
    EXPECT_EQ(lastRecord().caption, u"Load Error!");
    EXPECT_EQ(lastRecord().text, u"Cannot find the following bitmap file: " + path("nothing.bmp"));
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), entries);
    EXPECT_EQ(live(20, 20), blue);
}

TEST_F(FileCommandsTest, AnImportedBitmapFloatsAtTheViewCorner) {
    drawSquare();
    dialogs.queueFileChoice(path("square.bmp"));
    document.executeCommand(DocCommand::ExportBitmap, 0);  // a 20 x 20 blue bitmap
    document.executeCommand(DocCommand::New, 0);
    dialogs.clearRecords();
    dialogs.queueFileChoice(path("square"));
    document.executeCommand(DocCommand::ImportBitmap, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->toolId(), ToolId::FloatingImage);
    EXPECT_EQ(document.activeTool->bounds, (RECT{10, 10, 30, 30}));
    EXPECT_EQ(frame.currentTool, 9);
    // Put down by a command, it becomes the selection.
    document.executeCommand(DocCommand::Copy, 0);
    EXPECT_EQ(live(15, 15), blue);
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_EQ(document.selection, (RECT{10, 10, 30, 30}));
}

}  // namespace

namespace {

TEST_F(FileCommandsTest, AFileCorruptHalfWayLeavesTheDrawingAsItWas) {
    drawSquare();
    ASSERT_TRUE(document.saveToPath(path("good.zsf").c_str()));
    // Another drawing, then a copy of the file whose compressed data is
    // damaged after its header.
    useTool(3);
    frame.currentColour = 0x00FF00;
    stroke({{100, 100}, {140, 140}});
    document.flattenHistory();
    std::string bytes = platform::testing::contents(folder / "good.zsf");
    ASSERT_GT(bytes.size(), 40u);
    // The first part still expands into rows of the picture before the
    // damage is found.
    for (std::size_t i = bytes.size() * 2 / 3; i < bytes.size(); ++i)
        bytes[i] = char(0x5A ^ i);
    platform::testing::put(folder / "damaged.zsf", bytes);
    const auto before = canvasBytes(document.canvas.committedBits());
    EXPECT_FALSE(document.loadFromPath(path("damaged.zsf").c_str()));
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), before);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(live(120, 120), 0x00FF00u);
}

}  // namespace

namespace {

using platform::testing::contents;
using platform::testing::put;

// Sketch files of a 100 x 50 picture, none of which can be read to the end:
// cut off half-way, damaged after the first two thirds, and a header with
// nothing sensible after it.
std::vector<std::string> brokenSmallFiles() {
    Canvas small;
    if (!small.create(nullptr, 100, 50, Canvas::defaultViewWidth, Canvas::defaultViewHeight))
        return {};
    // Noise does not compress, so the stream is long enough to go wrong
    // well inside the picture.
    std::uint8_t* rows = small.committedBits() + small.pixelOffset(0, 49);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < std::size_t(50) * std::size_t(small.rowStride()); ++i) {
        state = state * 1103515245u + 12345u;
        rows[i] = std::uint8_t(state >> 24);
    }
    platform::testing::TempFolder folder;
    const std::string good = folder / "small.zsf";
    if (!saveSketchFile(small, platform::toUtf16(good).c_str())) return {};
    const std::string whole = contents(good);
    std::string damaged = whole;
    for (std::size_t i = whole.size() * 2 / 3; i < whole.size(); ++i)
        damaged[i] = char(0x5A ^ i);
    return {whole.substr(0, whole.size() / 2), damaged,
            whole.substr(0, 12) + std::string(4000, '\x55')};
}

TEST_F(FileCommandsTest, ACorruptFileOfAnotherSizeKeepsTheDrawingItsSizeAndItsState) {
    const std::vector<std::string> files = brokenSmallFiles();
    ASSERT_EQ(files.size(), 3u);
    drawSquare();
    document.flattenHistory();
    // Once with unsaved changes, once just saved; each time scrolled down.
    for (const bool saved : {false, true}) {
        if (saved) {
            ASSERT_TRUE(document.saveToPath(path("saved.zsf").c_str()));
        }
        const bool modifiedBefore = document.isModified();
        const std::u16string pathBefore = document.documentPath;
        for (const std::string& bytes : files) {
            put(folder / "broken.zsf", bytes);
            frame.scrollY = 40;
            frame.updateScrollRange();
            ASSERT_EQ(frame.scrollY, 40);
            const auto picture = canvasBytes(document.canvas.committedBits());
            const int failures = messagesCaptioned(u"Load Failed");
            dialogs.queueMessageAnswer(MessageAnswer::No);
            dialogs.queueFileChoice(path("broken.zsf"));
            document.executeCommand(DocCommand::Open, 0);
            EXPECT_EQ(messagesCaptioned(u"Load Failed"), failures + 1);
            EXPECT_EQ(document.canvas.width(), 240);
            EXPECT_EQ(document.canvas.height(), 320);
            EXPECT_EQ(frame.canvasWidth, 240);
            EXPECT_EQ(frame.canvasHeight, 320);
            EXPECT_EQ(frame.scrollY, 40);
            EXPECT_EQ(canvasBytes(document.canvas.committedBits()), picture);
            EXPECT_EQ(canvasBytes(document.canvas.liveBits()), picture);
            EXPECT_EQ(live(20, 20), blue);
            EXPECT_EQ(document.isModified(), modifiedBefore);
            EXPECT_EQ(document.documentPath, pathBefore);
        }
    }
}

TEST_F(FileCommandsTest, WithoutRoomToKeepTheDrawingNothingIsLoaded) {
    drawSquare();
    document.flattenHistory();
    ASSERT_TRUE(document.saveToPath(path("pic.zsf").c_str()));
    frame.currentColour = 0x00FF00;
    stroke({{100, 100}, {140, 140}});
    document.flattenHistory();
    {
        platform::AllocationLimit noMemory(0);
        EXPECT_FALSE(document.loadFromPath(path("pic.zsf").c_str()));
    }
    EXPECT_EQ(lastRecord().caption, u"Memory Error");
    EXPECT_EQ(live(120, 120), 0x00FF00u);
    EXPECT_TRUE(document.isModified());
}

// Folders nested so that each name stays within the system's limit while
// the whole path grows past any fixed buffer.
std::string deepFolder(const std::string& base, std::size_t length) {
    std::string folder = base;
    for (char c = 'a'; folder.size() < length; ++c) {
        folder += "/" + std::string(120, c);
        std::filesystem::create_directory(folder);
    }
    return folder;
}

TEST_F(FileCommandsTest, ALongPathIsOpenedAndSavedWhole) {
    const std::string native = deepFolder(folder.path(), 290) + "/long path.zsf";
    const std::u16string longPath = platform::toUtf16(native);
    ASSERT_GE(longPath.size(), 300u);
    drawSquare();
    ASSERT_TRUE(document.saveToPath(longPath.c_str()));
    document.executeCommand(DocCommand::New, 0);
    dialogs.clearRecords();

    // As the command line hands it over.
    dialogs.queueMessageAnswer(MessageAnswer::No);
    document.openDocument(longPath.c_str());
    EXPECT_EQ(messagesCaptioned(u"Load Failed"), 0);
    EXPECT_EQ(live(20, 20), blue);
    EXPECT_EQ(document.documentPath, longPath);

    // A later Save writes the same file, and no other.
    frame.currentColour = 0x00FF00;
    stroke({{100, 100}, {140, 140}});
    const std::string before = contents(native);
    document.executeCommand(DocCommand::Save, 0);
    EXPECT_EQ(messagesCaptioned(u"Save Failed"), 0);
    EXPECT_NE(contents(native), before);
    const auto here = std::filesystem::path(native).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(here),
                            std::filesystem::directory_iterator()),
              1);
    document.executeCommand(DocCommand::New, 0);
    ASSERT_TRUE(document.loadFromPath(longPath.c_str()));
    EXPECT_EQ(live(120, 120), 0x00FF00u);
}

TEST_F(FileCommandsTest, APathTheSystemCannotTakeFailsWithTheUsualMessages) {
    // Longer than any path the system accepts in one piece.
    const std::u16string tooLong = path(std::string(5000, 'x') + ".zsf");
    drawSquare();
    document.flattenHistory();
    EXPECT_FALSE(document.saveToPath(tooLong.c_str()));
    EXPECT_EQ(lastRecord().caption, u"Save Failed");
    EXPECT_TRUE(document.isModified());  // still unsaved work
    EXPECT_FALSE(document.loadFromPath(tooLong.c_str()));
    EXPECT_EQ(lastRecord().caption, u"Load Failed");
    EXPECT_EQ(live(20, 20), blue);
}

TEST_F(FileCommandsTest, SavesGoThroughLinksAndLeaveReadOnlyFilesAlone) {
    drawSquare();
    ASSERT_TRUE(document.saveToPath(path("real.zsf").c_str()));
    ASSERT_EQ(chmod((folder / "real.zsf").c_str(), 0640), 0);
    std::filesystem::create_symlink("real.zsf", folder / "link.zsf");
    frame.currentColour = 0x00FF00;
    stroke({{100, 100}, {140, 140}});
    const std::string first = contents(folder / "real.zsf");
    ASSERT_TRUE(document.saveToPath(path("link.zsf").c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.zsf"));
    EXPECT_NE(contents(folder / "real.zsf"), first);
    EXPECT_EQ(std::filesystem::status(folder / "real.zsf").permissions(),
              std::filesystem::perms(0640));

    // Marked read-only, the file is kept and the save reported as failed.
    ASSERT_EQ(chmod((folder / "real.zsf").c_str(), 0444), 0);
    const std::string second = contents(folder / "real.zsf");
    stroke({{150, 150}, {160, 160}});
    EXPECT_FALSE(document.saveToPath(path("link.zsf").c_str()));
    EXPECT_EQ(lastRecord().caption, u"Save Failed");
    EXPECT_EQ(contents(folder / "real.zsf"), second);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.zsf"));
}

TEST_F(FileCommandsTest, ANameAsLongAsTheSystemAllowsIsSavedAndOpened) {
    const std::string name = std::string(251, 'n') + ".zsf";
    drawSquare();
    ASSERT_TRUE(document.saveToPath(path(name).c_str()));
    EXPECT_GT(contents(folder / name).size(), 12u);
    document.executeCommand(DocCommand::New, 0);
    ASSERT_TRUE(document.loadFromPath(path(name).c_str()));
    EXPECT_EQ(live(20, 20), blue);
}

TEST_F(FileCommandsTest, NamesThatAreNotUtf8AreSavedOpenedAndExportedUnderTheirBytes) {
    const auto held = [&](const std::string& bytes) {
        return platform::fromNativePath(folder / bytes);
    };
    drawSquare();
    dialogs.queueFileChoice(held("caf\xE9"));
    document.executeCommand(DocCommand::SaveAs, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "caf\xE9.zsf"));
    EXPECT_EQ(document.documentPath, held("caf\xE9.zsf"));
    dialogs.queueFileChoice(held("\xFF\xFE"));
    document.executeCommand(DocCommand::ExportBitmap, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "\xFF\xFE.bmp"));
    dialogs.queueFileChoice(held("bild-\xE4"));
    document.executeCommand(DocCommand::ExportJpeg, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "bild-\xE4.jpg"));

    document.executeCommand(DocCommand::New, 0);
    dialogs.queueMessageAnswer(MessageAnswer::No);
    dialogs.queueFileChoice(held("caf\xE9.zsf"));
    document.executeCommand(DocCommand::Open, 0);
    EXPECT_EQ(messagesCaptioned(u"Load Failed"), 0);
    EXPECT_EQ(live(20, 20), blue);
    dialogs.queueFileChoice(held("\xFF\xFE"));
    document.executeCommand(DocCommand::ImportBitmap, 0);
    ASSERT_NE(document.activeTool, nullptr);
    EXPECT_EQ(document.activeTool->toolId(), ToolId::FloatingImage);
    // Nothing was written under a name with replacement characters.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find("\xEF\xBF\xBD"), std::string::npos);
}

}  // namespace
