#include "app/frame/main_frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frame/pictures/picture_library.h"
#include "app/frame/testing/bitmap_pixels.h"
#include "app/frame/testing/quiet_document.h"
#include "app/frame/testing/recording_bar.h"
#include "app/frame/view_geometry.h"
#include "document/document.h"
#include "platform/gdi/bitmap.h"

namespace {

// Records the commands the frame sends and answers the undo questions.
class RecordingDocument : public QuietDocument {
  public:
    void executeCommand(DocCommand command, int) override { commands.push_back(command); }
    bool canUndo() const override { return undoable; }
    bool canRedo() const override { return redoable; }

    std::vector<DocCommand> commands;
    bool undoable = false;
    bool redoable = false;
};

TEST(MainFrameTest, StartsWithTheDocumentedSettings) {
    MainFrame frame;
    EXPECT_EQ(frame.currentColour, 0u);
    EXPECT_EQ(frame.currentToolRow, -1);
    EXPECT_EQ(frame.currentTool, 0);
    EXPECT_EQ(frame.lineWidth, 2);
    EXPECT_EQ(frame.airbrushSizeIndex, 5);
    EXPECT_EQ(frame.smudgeSizeIndex, 4);
    EXPECT_EQ(frame.eraserSizeIndex, 4);
    EXPECT_EQ(frame.fontSize, 12);
    EXPECT_EQ(frame.fontName[0], u'\0');
    EXPECT_EQ(frame.maxScrollX, 1);
    EXPECT_EQ(frame.maxScrollY, 1);
    EXPECT_EQ(frame.opacity, 127);
    EXPECT_EQ(frame.colourButtonImage, -1);
    EXPECT_FALSE(frame.optionToggle);
}

TEST(MainFrameTest, OnlyThePencilUsesTheOpacity) {
    MainFrame frame;
    frame.opacity = 40;
    ASSERT_TRUE(frame.selectTool(0));
    EXPECT_EQ(frame.currentOpacity(), 40);
    for (std::uint16_t button : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 14, 15}) {
        ASSERT_TRUE(frame.selectTool(button)) << button;
        EXPECT_EQ(frame.currentOpacity(), 127) << button;
    }
}

TEST(MainFrameTest, LineStyleIsTheEraserShapeOnlyForTheEraser) {
    MainFrame frame;
    frame.currentTool = 8;
    const MaskShape* eraser = frame.lineStyleEntry();
    EXPECT_EQ(eraser, &eraserShapes[4]);
    EXPECT_EQ(eraser->width, 12);
    EXPECT_EQ(eraser->height, 12);
    frame.currentTool = 6;
    frame.airbrushSizeIndex = 2;
    EXPECT_EQ(frame.lineStyleEntry(), &airbrushShapes[2]);
    // A size index out of range never reads past the table.
    frame.airbrushSizeIndex = 99;
    EXPECT_EQ(frame.lineStyleEntry(), &airbrushShapes[5]);
}

TEST(MainFrameTest, WithoutAViewTheServicesWorkOnTheFields) {
    MainFrame frame;
    RECT view{1, 2, 3, 4};
    frame.getViewRect(view);
    EXPECT_EQ(view, (RECT{0, 0, 0, 0}));
    frame.canvasWidth = frame.canvasHeight = 600;
    frame.scrollX = 50;
    frame.updateScrollRange();
    EXPECT_EQ(frame.maxScrollX, 599);
    EXPECT_EQ(frame.scrollX, 50);
    frame.setCapture(true);
    frame.updateOptionBar();
    frame.updateColourButton();
    frame.resetScroll();
    EXPECT_EQ(frame.scrollX, 0);
}

TEST(MainFrameTest, ScrollRangeFollowsCanvasZoomAndView) {
    MainFrame frame;
    frame.canvasWidth = frame.canvasHeight = 600;
    const RECT view{0, 0, 240, 268};
    frame.scrollX = 500;
    frame.scrollY = 10;
    frame.updateScrollRange(&view);
    EXPECT_EQ(frame.maxScrollX, 599 - 240);
    EXPECT_EQ(frame.maxScrollY, 599 - 268);
    EXPECT_EQ(frame.scrollX, 599 - 240);
    EXPECT_EQ(frame.scrollY, 10);

    frame.zoomShift = -1;  // 300 wide at 50 %
    frame.updateScrollRange(&view);
    EXPECT_EQ(frame.maxScrollX, 60);
    EXPECT_EQ(frame.scrollX, 60);
    frame.zoomShift = -2;  // 150 wide at 25 %: narrower than the view
    frame.updateScrollRange(&view);
    EXPECT_EQ(frame.maxScrollX, 0);
    EXPECT_EQ(frame.scrollX, 0);
    frame.zoomShift = 4;
    frame.updateScrollRange(&view);
    EXPECT_EQ(frame.maxScrollX, 599 * 16 - 240);
}

TEST(ViewGeometryTest, ContentExtentAndScrollLimits) {
    EXPECT_EQ(contentExtent(600, 0), 599);
    EXPECT_EQ(contentExtent(600, 2), 599 * 4);
    EXPECT_EQ(contentExtent(600, -1), 300);
    EXPECT_EQ(contentExtent(601, -2), 150);
    EXPECT_EQ(contentExtent(1, 0), 0);
    EXPECT_EQ(maxScrollFor(100, 240), 0);
    EXPECT_EQ(clampScroll(5, 0), 0);
    EXPECT_EQ(clampScroll(-3, 10), 0);
    EXPECT_EQ(clampScroll(11, 10), 10);
}

TEST(MainFrameTest, SelectToolAnnouncesOnlyRealChanges) {
    MainFrame frame;
    RecordingDocument document;
    frame.document = &document;
    EXPECT_TRUE(frame.selectTool(0));  // first selection, although the index is already 0
    EXPECT_TRUE(frame.selectTool(0));
    EXPECT_TRUE(frame.selectTool(11));
    ASSERT_EQ(document.commands.size(), 2u);
    EXPECT_EQ(document.commands[1], DocCommand::ToolChanged);
    EXPECT_EQ(frame.currentTool, 11);
    EXPECT_FALSE(frame.selectTool(10));  // no button has index 10
    EXPECT_FALSE(frame.selectTool(12));
    EXPECT_EQ(frame.currentTool, 11);
}

TEST(MainFrameTest, SelectToolEndsTheEyedropper) {
    MainFrame frame;
    frame.optionToggle = true;
    frame.selectTool(0);
    EXPECT_FALSE(frame.optionToggle);
    frame.optionToggle = true;
    EXPECT_FALSE(frame.selectTool(13));
    EXPECT_FALSE(frame.optionToggle);
}

TEST(MainFrameTest, GroupButtonShowsTheChosenMemberAndRemembersIt) {
    MainFrame frame;
    RecordingBar tools;
    frame.toolBar = &tools;
    for (auto& row : frame.toolButtons) {
        row.image = row.command * 10;
        row.selectedImage = row.command * 10 + 1;
    }
    frame.selectTool(3);  // filled rectangle, in the shape group of 40016
    EXPECT_EQ(tools.buttons[40016].image, 400231);
    EXPECT_TRUE(tools.buttons[40016].pressed);
    frame.selectTool(0);
    EXPECT_EQ(tools.buttons[40016].image, 400230);
    EXPECT_FALSE(tools.buttons[40016].pressed);
    EXPECT_TRUE(tools.buttons[40013].pressed);
    const int head = findToolRow(frame.toolButtons, 2);
    EXPECT_EQ(frame.toolButtons[std::size_t(head)].lastGroupMember, 40023);
}

TEST(MainFrameTest, OptionBarGreysWhatTheToolDoesNotUse) {
    MainFrame frame;
    RecordingBar options;
    frame.optionBar = &options;
    frame.selectTool(11);  // text
    EXPECT_FALSE(options.buttons[OptionCommand::Size].enabled);
    EXPECT_FALSE(options.buttons[OptionCommand::Opacity].enabled);
    EXPECT_TRUE(options.isButtonEnabled(OptionCommand::Colour));
    EXPECT_TRUE(options.isButtonEnabled(OptionCommand::Font));
    EXPECT_TRUE(options.isButtonEnabled(OptionCommand::FontSize));
    for (std::uint16_t button : {9, 14}) {  // selection, hand
        frame.selectTool(button);
        for (std::int32_t command :
             {OptionCommand::Size, OptionCommand::Opacity, OptionCommand::Colour,
              OptionCommand::Font, OptionCommand::FontSize})
            EXPECT_FALSE(options.isButtonEnabled(command)) << button << " " << command;
    }
    // Enabling is only changed when it differs.
    const int changes = options.enableChanges;
    frame.updateOptionBar();
    EXPECT_EQ(options.enableChanges, changes);
}

TEST(MainFrameTest, OnlyOneUndoArrowIsShown) {
    MainFrame frame;
    RecordingBar options;
    RecordingDocument document;
    frame.optionBar = &options;
    frame.document = &document;
    document.undoable = true;
    frame.updateOptionBar();
    EXPECT_TRUE(options.buttons[OptionCommand::Undo].visible);
    EXPECT_FALSE(options.buttons[OptionCommand::Redo].visible);
    document.undoable = false;
    document.redoable = true;
    frame.updateOptionBar();
    EXPECT_FALSE(options.buttons[OptionCommand::Undo].visible);
    EXPECT_TRUE(options.buttons[OptionCommand::Redo].visible);
    EXPECT_TRUE(options.buttons[OptionCommand::Redo].enabled);
    document.redoable = false;
    frame.updateOptionBar();
    EXPECT_FALSE(options.buttons[OptionCommand::Redo].enabled);
    frame.optionToggle = true;
    frame.updateOptionBar();
    EXPECT_TRUE(options.buttons[OptionCommand::Eyedropper].pressed);
}

// Checks each image the frame adds against the swatch frame's mask.
class SwatchBar : public RecordingBar {
  public:
    std::int32_t addImage(std::int32_t pictureId, const platform::Bitmap& picture,
                          const platform::Bitmap* mask) override {
        const auto expected = loadPicture(PictureId::SwatchMask);
        maskIsTheSwatchMask = mask && expected && mask->width() == expected->width() &&
                              mask->height() == expected->height();
        for (std::int32_t y = 0; maskIsTheSwatchMask && y < expected->height(); ++y)
            for (std::int32_t x = 0; x < expected->width(); ++x)
                maskIsTheSwatchMask &= bitAt(*mask, x, y) == bitAt(*expected, x, y);
        return RecordingBar::addImage(pictureId, picture, mask);
    }
    bool maskIsTheSwatchMask = false;
};

TEST(MainFrameTest, TheSwatchIsTheEmptyFrameFilledWithTheColour) {
    MainFrame frame;
    SwatchBar options;
    frame.optionBar = &options;
    frame.currentColour = rgb(12, 200, 34);
    frame.updateColourButton();
    ASSERT_TRUE(frame.colourButtonBitmap);
    EXPECT_EQ(options.pictureIds.back(), PictureId::SwatchFrame);
    EXPECT_TRUE(options.maskIsTheSwatchMask);
    const auto empty = loadPicture(PictureId::SwatchFrame);
    ASSERT_TRUE(empty);
    ASSERT_EQ(frame.colourButtonBitmap->width(), empty->width());
    ASSERT_EQ(frame.colourButtonBitmap->height(), empty->height());
    for (std::int32_t y = 0; y < empty->height(); ++y)
        for (std::int32_t x = 0; x < empty->width(); ++x) {
            const bool swatch = x >= 2 && x < 16 && y >= 3 && y < 8;
            EXPECT_EQ(colourAt(*frame.colourButtonBitmap, x, y),
                      swatch ? frame.currentColour : colourAt(*empty, x, y))
                << x << "," << y;
        }
}

TEST(MainFrameTest, ColourButtonReplacesItsImage) {
    MainFrame frame;
    RecordingBar options;
    frame.optionBar = &options;
    frame.currentColour = 0x0000FF;
    frame.updateColourButton();
    ASSERT_TRUE(frame.colourButtonBitmap);
    EXPECT_EQ(frame.colourButtonImage, 0);
    EXPECT_EQ(options.buttons[OptionCommand::Colour].image, 0);
    frame.currentColour = 0x00FF00;
    frame.updateColourButton();
    EXPECT_EQ(frame.colourButtonImage, 1);
    EXPECT_FALSE(options.images[0]);
    EXPECT_TRUE(options.images[1]);
    const std::uint8_t* swatch = frame.colourButtonBitmap->row(5) + 3 * 8;
    EXPECT_EQ(swatch[1], 0xFF);
    EXPECT_EQ(swatch[2], 0x00);
}

}  // namespace
