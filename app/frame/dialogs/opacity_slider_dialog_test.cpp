#include "app/frame/dialogs/opacity_slider_dialog.h"

#include <gtest/gtest.h>

#include "app/frame/main_frame.h"
#include "app/frame/testing/bitmap_pixels.h"
#include "platform/gdi/bitmap.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

class OpacitySliderDialogTest : public ::testing::Test {
  protected:
    OpacitySliderDialogTest() { frame.selectTool(0); }  // the pencil uses the opacity
    MainFrame frame;
};

// The column of the knob's tip, found in the painted pixels.
std::int32_t knobTip(const platform::Bitmap& client) {
    for (std::int32_t x = 0; x < client.width(); ++x)
        if (colourAt(client, x, 26) == black) return x;
    return -1;
}

TEST_F(OpacitySliderDialogTest, PaintsTheTrackAndTheKnobUnderTheOpacity) {
    OpacitySliderDialog slider(frame);
    ASSERT_TRUE(slider.clientArea());
    EXPECT_EQ(slider.name(), "opacity");
    EXPECT_EQ(slider.anchorCommand(), OptionCommand::Opacity);
    EXPECT_EQ(slider.clientArea()->width(), 140);
    EXPECT_EQ(slider.clientArea()->height(), 57);
    slider.paint();
    const platform::Bitmap& c = *slider.clientArea();
    for (std::int32_t x = 13; x < 113; ++x) {
        EXPECT_EQ(colourAt(c, x, 23), black) << x;
        EXPECT_EQ(colourAt(c, x, 24), black) << x;
    }
    EXPECT_EQ(colourAt(c, 12, 23), white);
    EXPECT_EQ(colourAt(c, 113, 24), white);
    // Opacity 127 puts the knob at 107..117 with its tip at 112, the track's end.
    EXPECT_EQ(OpacitySliderDialog::knobLeft(127), 107);
    EXPECT_EQ(knobTip(c), 112);
    for (std::int32_t x = 107; x < 118; ++x)
        EXPECT_EQ(colourAt(c, x, 31), black) << x;
    EXPECT_EQ(colourAt(c, 106, 31), white);
}

TEST_F(OpacitySliderDialogTest, TheKnobsFarRightGives127AndTheFarLeft0) {
    EXPECT_EQ(OpacitySliderDialog::opacityAt(112), 127);
    EXPECT_EQ(OpacitySliderDialog::opacityAt(13), 0);

    OpacitySliderDialog slider(frame);
    slider.paint();
    slider.stylusDown(13, 24);
    EXPECT_EQ(frame.opacity, 0);
    ASSERT_TRUE(slider.needsPaint());
    slider.paint();
    EXPECT_EQ(knobTip(*slider.clientArea()), 13);
    slider.stylusMove(112, 5);  // only the column counts while dragging
    EXPECT_EQ(frame.opacity, 127);
    slider.paint();
    EXPECT_EQ(knobTip(*slider.clientArea()), 112);
    slider.stylusMove(113, 24);  // beyond the slider: ignored
    EXPECT_EQ(frame.opacity, 127);
    slider.stylusUp(200, 200);
    EXPECT_TRUE(slider.closed());
    EXPECT_EQ(slider.result(), platform::dialogOk);
    EXPECT_EQ(frame.opacity, 127);
}

// The track has 100 columns for 128 opacities: a column standing for two
// gives the lower one to a press or a stylus coming from the left and the
// higher one to a stylus coming from the right, with the knob's tip on that
// column either way.
TEST_F(OpacitySliderDialogTest, EveryOpacityCanBeDraggedTo) {
    for (std::int32_t value = 0; value <= 127; ++value) {
        frame.opacity = 127;
        OpacitySliderDialog slider(frame);
        const std::int32_t column = OpacitySliderDialog::knobLeft(std::uint16_t(value)) + 5;
        slider.stylusDown(std::int16_t(column), 25);
        if (frame.opacity != value) {
            slider.stylusMove(std::int16_t(column + 1), 25);
            slider.stylusMove(std::int16_t(column), 25);
        }
        EXPECT_EQ(frame.opacity, value);
        slider.paint();
        EXPECT_EQ(knobTip(*slider.clientArea()), column) << value;
    }
}

TEST_F(OpacitySliderDialogTest, TheSliderMustBeTouchedToClose) {
    OpacitySliderDialog slider(frame);
    for (const POINT p : {POINT{12, 25}, POINT{113, 25}, POINT{50, 19}, POINT{50, 33}}) {
        slider.stylusDown(p.x, p.y);
        slider.stylusMove(60, 25);
        slider.stylusUp(p.x, p.y);
        EXPECT_FALSE(slider.closed()) << p.x << "," << p.y;
    }
    EXPECT_EQ(frame.opacity, 127);
    // The press area's corners are inside.
    slider.stylusDown(112, 32);
    EXPECT_EQ(frame.opacity, 127);
    slider.stylusUp(112, 32);
    EXPECT_EQ(slider.result(), platform::dialogOk);
}

TEST_F(OpacitySliderDialogTest, DraggingBackToAnEarlierValueMovesThere) {
    OpacitySliderDialog slider(frame);
    slider.stylusDown(50, 25);
    const std::uint16_t first = frame.opacity;
    slider.stylusMove(112, 25);
    slider.stylusMove(50, 25);
    EXPECT_EQ(frame.opacity, first);
}

TEST_F(OpacitySliderDialogTest, CancellingPutsTheOpacityBack) {
    OpacitySliderDialog slider(frame);
    slider.stylusDown(50, 25);
    EXPECT_NE(frame.opacity, 127);
    slider.cancel();
    EXPECT_EQ(frame.opacity, 127);
    EXPECT_TRUE(slider.closed());
    EXPECT_EQ(slider.result(), platform::dialogCancel);
    slider.stylusDown(60, 25);
    EXPECT_EQ(frame.opacity, 127);
}

TEST_F(OpacitySliderDialogTest, CancellingAfterTheCloseChangesNothing) {
    OpacitySliderDialog slider(frame);
    slider.stylusDown(13, 25);
    slider.stylusUp(13, 25);
    slider.cancel();
    EXPECT_EQ(slider.result(), platform::dialogOk);
    EXPECT_EQ(frame.opacity, 0);
}

}  // namespace
