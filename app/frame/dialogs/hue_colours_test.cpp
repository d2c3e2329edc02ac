#include "app/frame/dialogs/hue_colours.h"

#include <gtest/gtest.h>

#include "app/frame/testing/bitmap_pixels.h"
#include "platform/gdi/bitmap.h"

namespace {

void expectHue(int hue, std::int32_t red, std::int32_t green, std::int32_t blue,
               Channel strongest) {
    const HueColour colour = pureHueColour(hue);
    EXPECT_EQ(colour.red, red) << hue;
    EXPECT_EQ(colour.green, green) << hue;
    EXPECT_EQ(colour.blue, blue) << hue;
    EXPECT_EQ(colour.strongest, strongest) << hue;
}

TEST(HueColoursTest, EachSegmentRampsOneChannel) {
    expectHue(0, 255, 0, 0, Channel::Red);
    expectHue(50, 255, 127, 0, Channel::Red);
    expectHue(99, 255, 252, 0, Channel::Red);
    expectHue(100, 255, 255, 0, Channel::Green);
    expectHue(150, 128, 255, 0, Channel::Green);
    // The falling ramps stop at 3: (100 - 199) x 255 / 100 truncates to -252.
    expectHue(199, 3, 255, 0, Channel::Green);
    expectHue(200, 0, 255, 0, Channel::Green);
    expectHue(299, 0, 255, 252, Channel::Green);
    expectHue(300, 0, 255, 255, Channel::Blue);
    expectHue(399, 0, 3, 255, Channel::Blue);
    expectHue(400, 0, 0, 255, Channel::Blue);
    expectHue(499, 252, 0, 255, Channel::Blue);
    expectHue(500, 255, 0, 255, Channel::Red);
    expectHue(599, 255, 0, 3, Channel::Red);
    expectHue(600, 255, 0, 0, Channel::Red);
}

std::unique_ptr<platform::Bitmap> field() {
    return platform::Bitmap::create(platform::makeHeader24(150, 72));
}

TEST(HueColoursTest, TheFieldOfRedFadesToGreyAcrossAndToBlackDown) {
    auto f = field();
    ASSERT_TRUE(f);
    fillColourField(*f, 0);
    EXPECT_EQ(colourAt(*f, 0, 0), rgb(251, 0, 0));
    EXPECT_EQ(colourAt(*f, 149, 0), rgb(251, 248, 248));
    for (std::int32_t x = 0; x < 150; ++x)
        EXPECT_EQ(colourAt(*f, x, 71), 0u) << x;
    // Half way down: the base values of row 36 are 36 x 354 for red.
    EXPECT_EQ(colourAt(*f, 0, 35), rgb(127, 0, 0));
}

TEST(HueColoursTest, TheStrongestChannelKeepsItsValueAlongARow) {
    auto f = field();
    ASSERT_TRUE(f);
    fillColourField(*f, 300);  // cyan, whose strongest channel is blue
    for (std::int32_t x = 0; x < 150; ++x)
        EXPECT_EQ(blueOf(colourAt(*f, x, 0)), 251) << x;
    EXPECT_EQ(colourAt(*f, 0, 0), rgb(0, 251, 251));
    // Red grows from 0 towards blue; green starts at blue's value and stays.
    EXPECT_EQ(colourAt(*f, 149, 0), rgb(248, 251, 251));
}

TEST(HueColoursTest, TheHueBarShowsSixSegmentsOfTwentyFiveColumns) {
    auto bar = platform::Bitmap::create(platform::makeHeader24(150, 13));
    ASSERT_TRUE(bar);
    fillHueBar(*bar);
    EXPECT_EQ(colourAt(*bar, 0, 0), rgb(255, 0, 0));
    EXPECT_EQ(colourAt(*bar, 25, 6), rgb(255, 255, 0));
    EXPECT_EQ(colourAt(*bar, 50, 12), rgb(0, 255, 0));
    EXPECT_EQ(colourAt(*bar, 75, 0), rgb(0, 255, 255));
    EXPECT_EQ(colourAt(*bar, 100, 0), rgb(0, 0, 255));
    EXPECT_EQ(colourAt(*bar, 125, 0), rgb(255, 0, 255));
    EXPECT_EQ(colourAt(*bar, 149, 0), rgb(255, 0, 11));
    for (std::int32_t y = 1; y < 13; ++y)
        EXPECT_EQ(colourAt(*bar, 77, y), colourAt(*bar, 77, 0));
}

}  // namespace
