#include "platform/gdi/bitmap.h"

#include <gtest/gtest.h>

#include "platform/memory/large_buffer.h"

namespace platform {
namespace {

TEST(BitmapTest, StrideIsRoundedUpToWholeWords) {
    EXPECT_EQ(Bitmap::createCompatible(240, 2)->stride(), 720);
    EXPECT_EQ(Bitmap::createCompatible(241, 2)->stride(), 724);
    EXPECT_EQ(Bitmap::createCompatible(1, 1)->stride(), 4);

    BitmapInfoHeader header = makeHeader24(9, 3);
    header.biBitCount = 1;
    EXPECT_EQ(Bitmap::create(header)->stride(), 4);
    header.biWidth = 33;
    EXPECT_EQ(Bitmap::create(header)->stride(), 8);
    header.biBitCount = 4;
    header.biWidth = 9;
    EXPECT_EQ(Bitmap::create(header)->stride(), 8);
    header.biBitCount = 8;
    header.biWidth = 5;
    EXPECT_EQ(Bitmap::create(header)->stride(), 8);
}

TEST(BitmapTest, PositiveHeightStoresRowsBottomUp) {
    auto bitmap = Bitmap::createCompatible(4, 3);
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(bitmap->bottomUp());
    // The top image row is the last row in memory.
    EXPECT_EQ(bitmap->row(0), bitmap->bits() + 2 * bitmap->stride());
    EXPECT_EQ(bitmap->row(2), bitmap->bits());
    EXPECT_EQ(bitmap->byteCount(), std::size_t(3 * 12));
}

TEST(BitmapTest, NegativeHeightStoresRowsTopDown) {
    auto bitmap = Bitmap::create(makeHeader24(4, -3));
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(bitmap->bottomUp());
    EXPECT_EQ(bitmap->height(), 3);
    EXPECT_EQ(bitmap->row(0), bitmap->bits());
    EXPECT_EQ(bitmap->row(2), bitmap->bits() + 2 * bitmap->stride());
}

TEST(BitmapTest, NewPixelMemoryIsZeroed) {
    auto bitmap = Bitmap::createCompatible(17, 5);
    for (std::size_t i = 0; i < bitmap->byteCount(); ++i)
        ASSERT_EQ(bitmap->bits()[i], 0) << i;
}

TEST(BitmapTest, PalettisedBitmapKeepsItsColourTable) {
    BitmapInfoHeader header = makeHeader24(2, 2);
    header.biBitCount = 4;
    RgbQuad colours[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    auto bitmap = Bitmap::create(header, colours, 3);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->colourCount(), 16);
    EXPECT_EQ(bitmap->colourTable()[2].rgbRed, 9);
    // Entries the file did not supply are black.
    EXPECT_EQ(bitmap->colourTable()[3].rgbRed, 0);
}

TEST(BitmapTest, RefusesHeadersItCannotHold) {
    BitmapInfoHeader header = makeHeader24(0, 10);
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(10, 0);
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(-4, 10);
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(10, INT32_MIN);
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(100000, 10);
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(30000, 30000);  // 2.7 GB of pixels
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(10, 10);
    header.biBitCount = 16;
    EXPECT_FALSE(Bitmap::create(header));
    header = makeHeader24(10, 10);
    header.biCompression = 1;
    EXPECT_FALSE(Bitmap::create(header));
}

TEST(BitmapTest, FailsCleanlyWhenMemoryIsShort) {
    AllocationLimit limit(1000);
    EXPECT_FALSE(Bitmap::createCompatible(100, 100));
    EXPECT_TRUE(Bitmap::createCompatible(10, 10));
    EXPECT_EQ(limit.refusedCount(), 1u);
}

}  // namespace
}  // namespace platform
