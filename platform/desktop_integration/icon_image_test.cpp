#include "platform/desktop_integration/icon_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/bitmap.h"

namespace platform {
namespace {

std::vector<std::uint8_t> pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return {r, g, b, a};
}

std::vector<std::uint8_t> pixelAt(const IconImage& icon, int x, int y) {
    const auto* p =
        icon.rgba.data() + (std::size_t(y) * std::size_t(icon.size) + std::size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}

TEST(IconImageTest, RowsOfBlueGreenRedBecomeRedGreenBlueAlpha) {
    // Two rows of 2 pixels, 3 bytes each plus padding, stored bottom-up.
    const std::uint8_t memory[16] = {1, 2, 3, 4,  5,  6,  0, 0,   // bottom row
                                     7, 8, 9, 10, 11, 12, 0, 0};  // top row
    const IconImage icon = IconImage::fromRows(2, memory + 8, -8, 3);
    ASSERT_TRUE(icon.valid());
    EXPECT_EQ(pixelAt(icon, 0, 0), pixel(9, 8, 7, 255));
    EXPECT_EQ(pixelAt(icon, 1, 1), pixel(6, 5, 4, 255));

    const std::uint8_t withAlpha[4] = {10, 20, 30, 40};
    EXPECT_EQ(pixelAt(IconImage::fromRows(1, withAlpha, 4, 4), 0, 0), pixel(30, 20, 10, 40));
    EXPECT_FALSE(IconImage::fromRows(1, withAlpha, 4, 2).valid());
    EXPECT_FALSE(IconImage::fromRows(0, withAlpha, 4, 4).valid());
}

TEST(IconImageTest, AMaskMakesItsWhitePixelsTransparent) {
    auto picture = Bitmap::createCompatible(2, 2);
    ASSERT_TRUE(picture);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            picture->row(y)[3 * x] = 0x10;      // blue
            picture->row(y)[3 * x + 1] = 0x20;  // green
            picture->row(y)[3 * x + 2] = std::uint8_t(0x30 + x + 2 * y);
        }
    BitmapInfoHeader header{};
    header.biSize = sizeof header;
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 1;
    const RgbQuad colours[2] = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
    auto mask = Bitmap::create(header, colours, 2);
    ASSERT_TRUE(mask);
    mask->row(0)[0] = 0x40;  // top row: the right-hand pixel is white
    mask->row(1)[0] = 0x00;

    const IconImage icon = IconImage::fromBitmap(*picture, mask.get());
    ASSERT_TRUE(icon.valid());
    EXPECT_EQ(pixelAt(icon, 0, 0), pixel(0x30, 0x20, 0x10, 255));
    EXPECT_EQ(pixelAt(icon, 1, 0), pixel(0, 0, 0, 0));
    EXPECT_EQ(pixelAt(icon, 1, 1), pixel(0x33, 0x20, 0x10, 255));
    EXPECT_EQ(pixelAt(IconImage::fromBitmap(*picture), 1, 0), pixel(0x31, 0x20, 0x10, 255));

    auto oblong = Bitmap::createCompatible(2, 3);
    ASSERT_TRUE(oblong);
    EXPECT_FALSE(IconImage::fromBitmap(*oblong).valid());
    auto bigger = Bitmap::createCompatible(3, 3);
    ASSERT_TRUE(bigger);
    EXPECT_FALSE(IconImage::fromBitmap(*bigger, mask.get()).valid());
}

}  // namespace
}  // namespace platform
