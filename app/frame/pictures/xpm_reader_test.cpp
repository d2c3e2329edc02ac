#include "app/frame/pictures/xpm_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frame/testing/bitmap_pixels.h"
#include "platform/gdi/bitmap.h"

namespace {

const char* const threeColours[] = {
    "4 2 4 1 0 0",  // a hot spot is allowed and ignored
    ". c None",    "r c #F00", "g s green c #00FF00", "w c White", "r.gw", "wwr.",
};

TEST(XpmReaderTest, ReadsThePictureWithTransparentPixelsBlack) {
    auto picture = readXpm(threeColours, XpmLayer::Picture);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 4);
    EXPECT_EQ(picture->height(), 2);
    EXPECT_EQ(picture->bitCount(), 24);
    EXPECT_EQ(colourAt(*picture, 0, 0), rgb(255, 0, 0));
    EXPECT_EQ(colourAt(*picture, 1, 0), 0u);
    EXPECT_EQ(colourAt(*picture, 2, 0), rgb(0, 255, 0));
    EXPECT_EQ(colourAt(*picture, 3, 0), rgb(255, 255, 255));
    EXPECT_EQ(colourAt(*picture, 2, 1), rgb(255, 0, 0));
    EXPECT_EQ(colourAt(*picture, 3, 1), 0u);
}

TEST(XpmReaderTest, ReadsTheMaskWhiteWhereTransparent) {
    auto mask = readXpm(threeColours, XpmLayer::Mask);
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->bitCount(), 1);
    EXPECT_EQ(mask->colourTable()[0].rgbRed, 0);
    EXPECT_EQ(mask->colourTable()[1].rgbRed, 255);
    const bool want[2][4] = {{false, true, false, false}, {false, false, false, true}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bitAt(*mask, x, y), want[y][x]) << x << "," << y;
}

TEST(XpmReaderTest, ReadsTwoCharactersPerPixelAndWideColours) {
    const char* const wide[] = {
        "2 1 2 2",
        "a. c #123456",
        "b. c #FFFF80800000",
        "b.a.",
    };
    auto picture = readXpm(wide, XpmLayer::Picture);
    ASSERT_TRUE(picture);
    EXPECT_EQ(colourAt(*picture, 0, 0), rgb(0xFF, 0x80, 0x00));
    EXPECT_EQ(colourAt(*picture, 1, 0), rgb(0x12, 0x34, 0x56));
}

TEST(XpmReaderTest, RefusesMalformedSources) {
    const std::vector<std::vector<const char*>> broken = {
        {},
        {"2 1 1"},                               // no characters per pixel
        {"0 1 1 1", "a c #000000", ""},          // empty picture
        {"2 1 1 3", "abc c #000000", "abcabc"},  // three characters per pixel
        {"2 2 1 1", "a c #000000", "aa"},        // a row missing
        {"2 1 1 1", "a c #000000", "aaa"},       // row too long
        {"2 1 1 1", "a c #000000", "a"},         // row too short
        {"2 1 1 1", "a c #000000", "ab"},        // a character without a colour
        {"1 1 1 1", "a c #00000", "a"},          // five hex digits
        {"1 1 1 1", "a c #GG0000", "a"},         // not hex
        {"1 1 1 1", "a c chartreuse", "a"},      // unknown name
        {"1 1 1 1", "a s symbol", "a"},          // no colour key at all
        {"1 1 2 1", "a c #000000", "a"},         // fewer colour lines than said
        {"5000 1 1 1", "a c #000000", "a"},      // absurd size
        {"1 1 1 1", nullptr, "a"},
        {"1 1 1 1", "\t c #000000", "\t"},        // a pixel character that is not printable
        {"1 1 1 2", "a\x80 c #000000", "a\x80"},  // nor one beyond ASCII
        {"1 1 96 1", "a c #000000", "a"},         // more colours than characters
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        EXPECT_FALSE(readXpm(broken[i], XpmLayer::Picture)) << "case " << i;
        EXPECT_FALSE(readXpm(broken[i], XpmLayer::Mask)) << "case " << i;
    }
}

}  // namespace
