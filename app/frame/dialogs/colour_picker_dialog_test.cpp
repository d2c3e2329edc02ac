#include "app/frame/dialogs/colour_picker_dialog.h"

#include <gtest/gtest.h>

#include "app/frame/dialogs/hue_colours.h"
#include "app/frame/main_frame.h"
#include "app/frame/testing/bitmap_pixels.h"
#include "app/frame/testing/recording_bar.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/gdi/bitmap.h"
#include "platform/memory/large_buffer.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

COLORREF fieldColour(int hue, std::int32_t x, std::int32_t y) {
    auto field = platform::Bitmap::create(platform::makeHeader24(150, 72));
    fillColourField(*field, hue);
    return colourAt(*field, x, y);
}

class ColourPickerDialogTest : public ::testing::Test {
  protected:
    ColourPickerDialogTest() {
        frame.optionBar = &bar;
        frame.currentColour = rgb(1, 2, 3);
    }

    const platform::Bitmap& client(const ColourPickerDialog& picker) {
        return *picker.clientArea();
    }

    RecordingBar bar;
    MainFrame frame;
};

TEST_F(ColourPickerDialogTest, TheFirstPaintShowsFieldHueBarMarkerAndPreview) {
    ColourPickerDialog picker(frame);
    ASSERT_TRUE(picker.clientArea());
    EXPECT_EQ(picker.name(), "colour");
    EXPECT_EQ(picker.anchorCommand(), OptionCommand::Colour);
    EXPECT_EQ(client(picker).width(), 168);
    EXPECT_EQ(client(picker).height(), 122);
    ASSERT_TRUE(picker.needsPaint());
    picker.paint();
    EXPECT_FALSE(picker.needsPaint());

    const platform::Bitmap& c = client(picker);
    EXPECT_EQ(colourAt(c, 10, 26), rgb(251, 0, 0));
    EXPECT_EQ(colourAt(c, 159, 26), rgb(251, 248, 248));
    for (std::int32_t x = 10; x < 160; ++x)
        EXPECT_EQ(colourAt(c, x, 97), black) << x;
    EXPECT_EQ(colourAt(c, 160, 26), white);
    // The hue bar, with the marker over its first column at hue 0.
    EXPECT_EQ(colourAt(c, 11, 103), rgb(255, 10, 0));  // hue 4
    EXPECT_EQ(colourAt(c, 59, 110), colourAt(c, 59, 103));
    for (std::int32_t y = 101; y < 118; ++y) {
        EXPECT_EQ(colourAt(c, 9, y), black) << y;
        EXPECT_EQ(colourAt(c, 10, y), black) << y;
        EXPECT_EQ(colourAt(c, 8, y), white) << y;
    }
    EXPECT_EQ(colourAt(c, 11, 102), white);
    EXPECT_EQ(colourAt(c, 11, 116), white);
    EXPECT_EQ(colourAt(c, 55, 7), rgb(1, 2, 3));
    EXPECT_EQ(colourAt(c, 66, 18), rgb(1, 2, 3));
    EXPECT_EQ(colourAt(c, 67, 18), white);
}

TEST_F(ColourPickerDialogTest, ATapInTheFieldTakesThatColourAndCloses) {
    ColourPickerDialog picker(frame);
    picker.paint();
    picker.stylusDown(10, 26);
    EXPECT_FALSE(picker.closed());
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));
    picker.stylusUp(10, 26);
    EXPECT_TRUE(picker.closed());
    EXPECT_EQ(picker.result(), platform::dialogOk);
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
    // The colour button was told.
    EXPECT_EQ(frame.colourButtonImage, 0);
    EXPECT_EQ(bar.buttonImage(OptionCommand::Colour), 0);
}

TEST_F(ColourPickerDialogTest, DraggingInTheFieldMovesTheMarkerAndPreviewOnly) {
    ColourPickerDialog picker(frame);
    picker.paint();
    picker.stylusDown(20, 40);
    picker.stylusMove(60, 50);
    const platform::Bitmap& c = client(picker);
    for (std::int32_t y = 48; y < 52; ++y)
        for (std::int32_t x = 58; x < 62; ++x)
            EXPECT_EQ(colourAt(c, x, y), white);
    EXPECT_EQ(colourAt(c, 62, 50), fieldColour(0, 52, 24));
    EXPECT_EQ(colourAt(c, 60, 10), fieldColour(0, 50, 24));
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));

    // Off the right edge the marker still follows the stylus up and down;
    // off two edges at once it stays put.
    picker.stylusMove(400, 60);
    EXPECT_EQ(colourAt(c, 60, 50), fieldColour(0, 50, 24));
    EXPECT_EQ(colourAt(c, 60, 60), white);
    picker.stylusMove(-30, 300);
    EXPECT_EQ(colourAt(c, 60, 60), white);
    EXPECT_FALSE(picker.needsPaint());

    picker.stylusUp(-30, 300);
    EXPECT_EQ(picker.result(), platform::dialogOk);
    EXPECT_EQ(frame.currentColour, fieldColour(0, 50, 34));
}

TEST_F(ColourPickerDialogTest, DraggingTheHueKeepsThePickerOpenForAPick) {
    ColourPickerDialog picker(frame);
    picker.paint();
    picker.stylusDown(110, 108);
    EXPECT_EQ(frame.hue, 100);
    ASSERT_TRUE(picker.needsPaint());
    picker.paint();
    EXPECT_EQ(colourAt(client(picker), 10, 26), rgb(0, 0, 251));
    EXPECT_EQ(colourAt(client(picker), 109, 101), black);
    EXPECT_EQ(colourAt(client(picker), 9, 101), white);  // the old marker is gone

    // Once held, the bar follows the stylus above and below it.
    picker.stylusMove(60, 140);
    EXPECT_EQ(frame.hue, 50);
    picker.stylusUp(60, 140);
    EXPECT_FALSE(picker.closed());
    picker.paint();

    picker.stylusDown(10, 26);
    picker.stylusUp(10, 26);
    EXPECT_EQ(picker.result(), platform::dialogOk);
    EXPECT_EQ(frame.currentColour, rgb(0, 251, 0));
    EXPECT_EQ(frame.hue, 50);
}

TEST_F(ColourPickerDialogTest, DraggingBackToAnEarlierHueMovesThere) {
    ColourPickerDialog picker(frame);
    picker.stylusDown(20, 108);
    picker.stylusMove(60, 108);
    picker.stylusMove(20, 108);
    EXPECT_EQ(frame.hue, 10);
}

TEST_F(ColourPickerDialogTest, ATapOutsideTheFieldAndTheBarClosesWithoutAChange) {
    frame.hue = 30;
    ColourPickerDialog picker(frame);
    picker.paint();
    picker.stylusDown(2, 2);
    picker.stylusUp(2, 2);
    EXPECT_TRUE(picker.closed());
    EXPECT_EQ(picker.result(), platform::dialogCancel);
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));
    EXPECT_EQ(frame.hue, 30);
    EXPECT_TRUE(bar.images.empty());
    // A closed picker takes nothing more.
    picker.stylusDown(10, 26);
    picker.stylusUp(10, 26);
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));
}

TEST_F(ColourPickerDialogTest, AMoveTakesHoldOfTheBarOnlyAcrossIt) {
    ColourPickerDialog picker(frame);
    picker.stylusDown(2, 2);
    picker.stylusMove(50, 60);  // the bar's columns, the field's rows
    EXPECT_EQ(frame.hue, 0);
    picker.stylusMove(50, 108);
    EXPECT_EQ(frame.hue, 40);
    picker.stylusMove(70, 20);
    EXPECT_EQ(frame.hue, 60);
    picker.stylusUp(70, 20);
    EXPECT_FALSE(picker.closed());
}

TEST_F(ColourPickerDialogTest, TheHueStaysBetweenOpenings) {
    frame.hue = 75;
    ColourPickerDialog picker(frame);
    picker.paint();
    EXPECT_EQ(colourAt(client(picker), 10, 26), rgb(0, 251, 251));
    EXPECT_EQ(colourAt(client(picker), 84, 117), black);
    EXPECT_EQ(colourAt(client(picker), 85, 101), black);
    EXPECT_EQ(colourAt(client(picker), 86, 101), white);
}

TEST_F(ColourPickerDialogTest, CancellingClosesWithoutAChange) {
    ColourPickerDialog picker(frame);
    picker.stylusDown(10, 26);
    picker.cancel();
    EXPECT_TRUE(picker.closed());
    EXPECT_EQ(picker.result(), platform::dialogCancel);
    EXPECT_FALSE(picker.needsPaint());
    picker.stylusUp(10, 26);
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));
}

class ColourPickerMemoryTest : public ColourPickerDialogTest {
  protected:
    ColourPickerMemoryTest() { platform::setDialogs(&dialogs); }
    ~ColourPickerMemoryTest() override { platform::setDialogs(nullptr); }
    platform::ScriptedDialogs dialogs;
};

TEST_F(ColourPickerMemoryTest, WithoutItsFieldThePickerSaysSoAndIgnoresTheStylus) {
    std::unique_ptr<ColourPickerDialog> picker;
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 1);
        picker = std::make_unique<ColourPickerDialog>(frame);
    }
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].caption, u"Memory Error");
    ASSERT_TRUE(picker->clientArea());
    picker->paint();
    EXPECT_EQ(colourAt(client(*picker), 10, 26), white);
    picker->stylusDown(10, 26);
    picker->stylusMove(20, 30);
    EXPECT_FALSE(picker->needsPaint());
    picker->stylusUp(20, 30);
    EXPECT_TRUE(picker->closed());
    EXPECT_EQ(picker->result(), platform::dialogCancel);
    EXPECT_EQ(frame.currentColour, rgb(1, 2, 3));
}

TEST_F(ColourPickerMemoryTest, WithoutItsHueBarThePickerStillPicks) {
    std::unique_ptr<ColourPickerDialog> picker;
    {
        platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 2);
        picker = std::make_unique<ColourPickerDialog>(frame);
    }
    ASSERT_EQ(dialogs.records().size(), 1u);
    picker->paint();
    EXPECT_EQ(colourAt(client(*picker), 11, 108), white);
    picker->stylusDown(10, 26);
    picker->stylusUp(10, 26);
    EXPECT_EQ(picker->result(), platform::dialogOk);
    EXPECT_EQ(frame.currentColour, rgb(251, 0, 0));
}

}  // namespace
