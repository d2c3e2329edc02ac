#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "app/frame/dialogs/canvas_size_dialog.h"
#include "app/frame/main_frame.h"
#include "app/frame/testing/bitmap_pixels.h"
#include "app/frame/testing/quiet_document.h"
#include "platform/dialogs/scripted_modal_dialogs.h"
#include "platform/gdi/bitmap.h"

namespace {

using platform::StylusEvent;

class RecordingDocument : public QuietDocument {
  public:
    void executeCommand(DocCommand command, int) override { commands.push_back(command); }
    std::vector<DocCommand> commands;
};

class FrameDialogsTest : public ::testing::Test {
  protected:
    FrameDialogsTest() {
        platform::setModalDialogs(&dialogs);
        frame.document = &document;
        frame.canvasWidth = 600;
        frame.canvasHeight = 600;
        frame.selectTool(0);
        document.commands.clear();
    }
    ~FrameDialogsTest() override { platform::setModalDialogs(nullptr); }

    void tap(std::string_view dialog, std::int32_t x, std::int32_t y) {
        dialogs.queueStylus(dialog, {StylusEvent::Kind::Down, x, y});
        dialogs.queueStylus(dialog, {StylusEvent::Kind::Up, x, y});
    }

    platform::ScriptedModalDialogs dialogs;
    RecordingDocument document;
    MainFrame frame;
};

TEST_F(FrameDialogsTest, ANewColourIsAnnouncedAndTheSameOneIsNot) {
    tap("colour", 10, 26);
    frame.chooseColour();
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
    EXPECT_EQ(document.commands, std::vector<DocCommand>{DocCommand::ColourChanged});

    // Picking exactly the current colour closes with OK and sends nothing.
    tap("colour", 10, 26);
    frame.chooseColour();
    EXPECT_EQ(dialogs.records().back().result, platform::dialogOk);
    EXPECT_EQ(document.commands.size(), 1u);

    // A tap beside the field and the bar closes it with nothing changed.
    tap("colour", 100, 5);
    frame.chooseColour();
    EXPECT_EQ(format(dialogs.records().back()), "dialog colour -> 2");
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
    EXPECT_EQ(document.commands.size(), 1u);
}

TEST_F(FrameDialogsTest, AHueDragThenAPickClosesWithThePickedColour) {
    dialogs.queueStylus("colour", {StylusEvent::Kind::Down, 60, 108});
    dialogs.queueStylus("colour", {StylusEvent::Kind::Up, 60, 108});
    tap("colour", 159, 26);
    frame.chooseColour();
    EXPECT_EQ(frame.hue, 50);
    EXPECT_EQ(frame.currentColour, rgb(248, 251, 248));
    EXPECT_EQ(document.commands, std::vector<DocCommand>{DocCommand::ColourChanged});
    EXPECT_EQ(dialogs.records().back().stylusEvents, 4u);
    // What the picker last showed is kept for a snapshot.
    const platform::Bitmap* shown = dialogs.lastClientArea("colour");
    ASSERT_TRUE(shown);
    EXPECT_EQ(colourAt(*shown, 10, 26), rgb(0, 251, 0));
}

TEST_F(FrameDialogsTest, APickerLeftOpenByTheScriptChangesNothing) {
    dialogs.queueStylus("colour", {StylusEvent::Kind::Down, 10, 26});
    frame.chooseColour();
    EXPECT_EQ(format(dialogs.records().back()), "dialog colour -> 2");
    EXPECT_EQ(frame.currentColour, 0u);
    EXPECT_TRUE(document.commands.empty());
}

TEST_F(FrameDialogsTest, TheOpacityKnobDraggedBackToTheFarRightGives127) {
    tap("opacity", 13, 25);
    frame.chooseOpacity();
    EXPECT_EQ(frame.opacity, 0);
    dialogs.queueStylus("opacity", {StylusEvent::Kind::Down, 20, 25});
    dialogs.queueStylus("opacity", {StylusEvent::Kind::Move, 112, 25});
    dialogs.queueStylus("opacity", {StylusEvent::Kind::Up, 112, 25});
    frame.chooseOpacity();
    EXPECT_EQ(frame.opacity, 127);
    EXPECT_EQ(document.commands,
              (std::vector<DocCommand>{DocCommand::OpacityChanged, DocCommand::OpacityChanged}));
    EXPECT_EQ(format(dialogs.records().back()), "dialog opacity -> 1");

    // The same value again: closed with OK, nothing sent.
    tap("opacity", 112, 25);
    frame.chooseOpacity();
    EXPECT_EQ(document.commands.size(), 2u);

    // Released without touching the slider: the script runs out and it ends with 2.
    tap("opacity", 60, 5);
    frame.chooseOpacity();
    EXPECT_EQ(format(dialogs.records().back()), "dialog opacity -> 2");
    EXPECT_EQ(document.commands.size(), 2u);
}

TEST_F(FrameDialogsTest, ADraggedAndAbandonedOpacityIsNotAnnounced) {
    // The knob moves the opacity while dragging; a run that ends without the
    // lift is cancelled and puts it back.
    dialogs.queueStylus("opacity", {StylusEvent::Kind::Down, 13, 25});
    frame.chooseOpacity();
    EXPECT_EQ(dialogs.records().back().result, platform::dialogCancel);
    EXPECT_EQ(frame.opacity, 127);
    EXPECT_TRUE(document.commands.empty());
}

TEST_F(FrameDialogsTest, CanvasSizeIsKeptWithinOneTo1024) {
    dialogs.queueFieldTexts({u"0", u"5000"});
    frame.chooseCanvasSize();
    EXPECT_EQ(frame.canvasWidth, 1);
    EXPECT_EQ(frame.canvasHeight, 1024);
    EXPECT_EQ(document.commands, std::vector<DocCommand>{DocCommand::CanvasSizeChanged});
    const platform::ModalDialogRecord& shown = dialogs.records().back();
    EXPECT_EQ(shown.name, "canvassize");
    EXPECT_EQ(shown.shownTexts, (std::vector<std::u16string>{u"600", u"600"}));

    // The unchanged size sends nothing, and neither does a size that the
    // limits bring back to the current one.
    dialogs.queueFieldTexts({u"1", u"1024"});
    dialogs.queueFieldTexts({u"0", u"2000"});
    frame.chooseCanvasSize();
    frame.chooseCanvasSize();
    EXPECT_EQ(document.commands.size(), 1u);
    EXPECT_EQ(dialogs.records().back().shownTexts, (std::vector<std::u16string>{u"1", u"1024"}));

    dialogs.queueFieldsCancel();
    frame.chooseCanvasSize();
    EXPECT_EQ(format(dialogs.records().back()), "dialog canvassize -> 2");
    EXPECT_EQ(frame.canvasWidth, 1);
    EXPECT_EQ(document.commands.size(), 1u);
}

TEST_F(FrameDialogsTest, CanvasSizeTextsThatAreNotSizes) {
    // Not a number reads as 0, so 1; a number beyond the 16-bit field is
    // the largest size, not its low bits (65536 would otherwise be 0).
    const struct {
        const char16_t* text;
        std::uint16_t side;
    } cases[] = {{u"abc", 1},
                 {u"", 1},
                 {u"-5", 1},
                 {u" 320 ", 320},
                 {u"65536", 1024},
                 {u"70000", 1024},
                 {u"99999999999", 1024},
                 {u"1024", 1024}};
    for (const auto& c : cases) {
        frame.canvasWidth = 600;
        dialogs.queueFieldTexts({c.text, u"600"});
        frame.chooseCanvasSize();
        EXPECT_EQ(frame.canvasWidth, c.side);
    }
}

TEST_F(FrameDialogsTest, WithoutADocumentTheSettingsStillChange) {
    frame.document = nullptr;
    tap("colour", 10, 26);
    frame.chooseColour();
    dialogs.queueFieldTexts({u"30", u"40"});
    frame.chooseCanvasSize();
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
    EXPECT_EQ(frame.canvasWidth, 30);
    EXPECT_EQ(frame.canvasHeight, 40);
    EXPECT_TRUE(document.commands.empty());
}

TEST_F(FrameDialogsTest, WithoutAShellEveryDialogIsCancelled) {
    platform::setModalDialogs(nullptr);
    frame.chooseColour();
    frame.chooseOpacity();
    frame.chooseCanvasSize();
    EXPECT_TRUE(document.commands.empty());
    EXPECT_EQ(frame.canvasWidth, 600);
}

TEST_F(FrameDialogsTest, TheOptionButtonsAndTheToolsMenuOpenTheDialogs) {
    tap("colour", 10, 26);
    EXPECT_TRUE(frame.routeCommand(OptionCommand::Colour));
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
    tap("opacity", 13, 25);
    EXPECT_TRUE(frame.routeCommand(OptionCommand::Opacity));
    EXPECT_EQ(frame.opacity, 0);
    dialogs.queueFieldTexts({u"320", u"240"});
    EXPECT_TRUE(frame.mainWindowCommand(MenuCommand::CanvasSize));
    EXPECT_EQ(frame.canvasWidth, 320);
    EXPECT_EQ(frame.canvasHeight, 240);
    EXPECT_EQ(document.commands,
              (std::vector<DocCommand>{DocCommand::ColourChanged, DocCommand::OpacityChanged,
                                       DocCommand::CanvasSizeChanged}));
    ASSERT_EQ(dialogs.records().size(), 3u);
    EXPECT_EQ(dialogs.records()[0].anchorCommand, OptionCommand::Colour);
    EXPECT_EQ(dialogs.records()[1].anchorCommand, OptionCommand::Opacity);
}

TEST_F(FrameDialogsTest, TheAboutBoxShowsTheProductPictureAndTheVersion) {
    EXPECT_TRUE(frame.mainWindowCommand(MenuCommand::About));
    ASSERT_EQ(dialogs.records().size(), 1u);
    const platform::ModalDialogRecord& about = dialogs.records()[0];
    EXPECT_EQ(format(about), "dialog about -> 1");
    ASSERT_GE(about.shownTexts.size(), 3u);
    EXPECT_EQ(about.shownTexts[0], u"About Mirabo");
    EXPECT_EQ(about.shownTexts[1], u"v1.0");
    EXPECT_EQ(about.pictureWidth, 200);
    EXPECT_EQ(about.pictureHeight, 68);
    EXPECT_TRUE(document.commands.empty());
}

TEST(CanvasSizeDialogTest, OpensWithTheFramesSizeInDecimal) {
    MainFrame frame;
    frame.canvasWidth = 1024;
    frame.canvasHeight = 7;
    const platform::NumberFieldsRequest request = canvasSizeRequest(frame, nullptr);
    EXPECT_EQ(request.caption, u"Set Canvas Size");
    ASSERT_EQ(request.fields.size(), 2u);
    EXPECT_EQ(request.fields[0].id, CanvasSizeField::Width);
    EXPECT_EQ(request.fields[0].label, u"Width:");
    EXPECT_EQ(request.fields[0].text, u"1024");
    EXPECT_EQ(request.fields[1].id, CanvasSizeField::Height);
    EXPECT_EQ(request.fields[1].label, u"Height:");
    EXPECT_EQ(request.fields[1].text, u"7");
}

TEST(CanvasSizeDialogTest, ReadsUnsignedNumbers) {
    EXPECT_EQ(readUnsignedNumber(u"0"), 0u);
    EXPECT_EQ(readUnsignedNumber(u"0042"), 42u);
    EXPECT_EQ(readUnsignedNumber(u"  7"), 7u);
    EXPECT_EQ(readUnsignedNumber(u"4294967295"), 4294967295u);
    EXPECT_EQ(readUnsignedNumber(u"4294967296"), 4294967295u);
    EXPECT_EQ(readUnsignedNumber(u"1 2"), 0u);
    EXPECT_EQ(readUnsignedNumber(u"12px"), 0u);
    EXPECT_EQ(readUnsignedNumber(u"+3"), 0u);
    EXPECT_EQ(readUnsignedNumber(u"   "), 0u);
}

}  // namespace
