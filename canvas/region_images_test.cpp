#include <gtest/gtest.h>

#include <cstring>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"

namespace {

using canvas_testing::CanvasTest;
using canvas_testing::uniqueColour;

class RegionImageTest : public CanvasTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(make(40, 30));
        paintLivePattern();
    }
    static COLORREF imagePixel(const RasterImage& image, std::int32_t x, std::int32_t y) {
        const std::uint8_t* p = image.bitmap->row(y) + 3 * x;
        return rgb(p[2], p[1], p[0]);
    }
    // Flips need a render pass.
    void flip(RECT& area, bool horizontal) {
        const RECT client = window.clientRect();
        canvas.beginRender(false, 0, 0, 0, &client, &client, false);
        canvas.flipRegion(area, horizontal);
        canvas.endRender();
    }
};

TEST_F(RegionImageTest, CopyTakesTheAreaWithItsTopLeftFirst) {
    RasterImage image;
    RECT area{10, 20, 30, 25};
    ASSERT_TRUE(canvas.copyRegionToImage(area, image));
    ASSERT_TRUE(image.bitmap);
    EXPECT_EQ(image.info()->biWidth, 20);
    EXPECT_EQ(image.info()->biHeight, 5);
    EXPECT_EQ(image.info()->biBitCount, 24);
    EXPECT_TRUE(image.bitmap->bottomUp());
    EXPECT_EQ(image.bits, image.bitmap->bits());
    EXPECT_EQ(imagePixel(image, 0, 0), uniqueColour(10, 20));
    EXPECT_EQ(imagePixel(image, 19, 4), uniqueColour(29, 24));
    EXPECT_EQ(image.palette, nullptr);
}

TEST_F(RegionImageTest, CopyLimitsTheAreaAndWritesTheLimitsBack) {
    RasterImage image;
    RECT area{-5, -5, 10, 10};
    ASSERT_TRUE(canvas.copyRegionToImage(area, image));
    EXPECT_EQ(area, (RECT{0, 0, 10, 10}));
    EXPECT_EQ(image.info()->biWidth, 10);
    EXPECT_EQ(image.info()->biHeight, 10);
}

TEST_F(RegionImageTest, CopyReachesIntoTheRowsBelowTheCanvas) {
    // A narrow canvas has many spare rows: 8 x 40 gets 58.
    ASSERT_TRUE(make(8, 40));
    paintLivePattern();
    RasterImage image;
    const std::int32_t h = canvas.height();
    RECT area{0, h - 10, 8, h + 5};
    ASSERT_TRUE(canvas.copyRegionToImage(area, image));
    EXPECT_EQ(image.info()->biHeight, 15);
    EXPECT_EQ(imagePixel(image, 3, 12), uniqueColour(3, h + 2));
    RasterImage cut;
    RECT beyond{0, h - 10, 8, canvas.allocatedRows() + 50};
    ASSERT_TRUE(canvas.copyRegionToImage(beyond, cut));
    EXPECT_EQ(beyond.bottom, canvas.allocatedRows());
}

TEST_F(RegionImageTest, DuplicateIsAnIndependentCopy) {
    RasterImage image, copy;
    RECT area{1, 2, 13, 9};
    ASSERT_TRUE(canvas.copyRegionToImage(area, image));
    ASSERT_TRUE(canvas.duplicateImage(image, copy));
    ASSERT_TRUE(copy.bitmap);
    EXPECT_EQ(copy.info()->biWidth, 12);
    EXPECT_EQ(copy.info()->biHeight, 7);
    ASSERT_EQ(copy.bitmap->byteCount(), image.bitmap->byteCount());
    EXPECT_EQ(0, std::memcmp(copy.bits, image.bits, image.bitmap->byteCount()));
    EXPECT_NE(copy.bits, image.bits);
    copy.release();
    EXPECT_EQ(imagePixel(image, 0, 0), uniqueColour(1, 2));
}

TEST_F(RegionImageTest, HorizontalFlipOfTheWholeCanvasSwapsTheEdgeColumns) {
    RECT all{0, 0, 40, 30};
    flip(all, true);
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(live(0, y), uniqueColour(39, y));
        EXPECT_EQ(live(39, y), uniqueColour(0, y));
        EXPECT_EQ(live(19, y), uniqueColour(20, y));
    }
}

TEST_F(RegionImageTest, VerticalFlipWithAnOddHeightKeepsTheMiddleRow) {
    RECT area{0, 0, 40, 29};
    flip(area, false);
    EXPECT_EQ(live(5, 0), uniqueColour(5, 28));
    EXPECT_EQ(live(5, 28), uniqueColour(5, 0));
    EXPECT_EQ(live(5, 14), uniqueColour(5, 14));
    EXPECT_EQ(live(5, 29), uniqueColour(5, 29));  // outside the area
}

TEST_F(RegionImageTest, VerticalFlipOfOneRowChangesNothing) {
    RECT area{0, 0, 40, 1};
    flip(area, false);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(live(x, 0), uniqueColour(x, 0));
}

TEST_F(RegionImageTest, FlipMovesANegativeCornerIntoTheCanvas) {
    RECT area{-3, 0, 4, 4};
    flip(area, true);
    EXPECT_EQ(area, (RECT{0, 0, 4, 4}));
    EXPECT_EQ(live(0, 2), uniqueColour(3, 2));
    EXPECT_EQ(live(1, 2), uniqueColour(2, 2));
    EXPECT_EQ(live(4, 2), uniqueColour(4, 2));
}

TEST_F(RegionImageTest, FlipTwiceRestoresThePicture) {
    for (bool horizontal : {true, false}) {
        RECT area{3, 4, 38, 29};
        flip(area, horizontal);
        flip(area, horizontal);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(live(x, y), uniqueColour(x, y));
    }
}

TEST_F(RegionImageTest, FlipOutsideTheCanvasDoesNothing) {
    RECT area{40, 0, 50, 10};
    flip(area, true);
    RECT above{0, -10, 10, 0};
    flip(above, false);
    EXPECT_EQ(above.top, -10);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(live(x, 0), uniqueColour(x, 0));
}

}  // namespace
