#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"
#include "tools/mask_shapes.h"

namespace {

using canvas_testing::CanvasTest;
using canvas_testing::getPixel;
using canvas_testing::setPixel;
using canvas_testing::uniqueColour;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

constexpr COLORREF grey(std::uint8_t v) {
    return rgb(v, v, v);
}

class PixelBlendsTest : public CanvasTest {
  protected:
    void SetUp() override { ASSERT_TRUE(make(16, 8)); }

    void begin() {
        client = window.clientRect();
        canvas.beginRender(false, 0, 0, 0, &client, &client, false);
        ASSERT_EQ(canvas.renderState(), RenderState::Begun);
    }
    void setCommitted(std::int32_t x, std::int32_t y, COLORREF c) {
        setPixel(canvas.committedBits(), canvas.pixelOffset(x, y), c);
    }
    // Both pictures, spare rows included, one colour of their own per pixel.
    void paintBothPatterns() {
        for (std::int32_t y = 0; y < canvas.allocatedRows(); ++y)
            for (std::int32_t x = 0; x < canvas.width(); ++x) {
                setLive(x, y, uniqueColour(x, y));
                setCommitted(x, y, uniqueColour(x + 1, y + 1));
            }
    }
    std::vector<std::uint8_t> liveMemory() const {
        const std::size_t bytes =
            std::size_t(canvas.allocatedRows()) * std::size_t(canvas.rowStride());
        return std::vector<std::uint8_t>(canvas.liveBits(), canvas.liveBits() + bytes);
    }

    RECT client{};
};

// --- blendSquare ---------------------------------------------------------

TEST_F(PixelBlendsTest, BlendSquareWithNoOpacityGivesTheCommittedPicture) {
    paintBothPatterns();
    begin();
    canvas.blendSquare(2, 1, 4, 3, black, 0);
    for (std::int32_t y = 0; y < canvas.height(); ++y)
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            EXPECT_EQ(live(x, y), inside ? committed(x, y) : uniqueColour(x, y)) << x << "," << y;
        }
}

TEST_F(PixelBlendsTest, BlendSquareOpacityArithmetic) {
    begin();
    canvas.blendSquare(0, 0, 2, 2, black, 127);
    EXPECT_EQ(live(0, 0), grey(2));
    EXPECT_EQ(live(1, 1), grey(2));
    canvas.blendSquare(4, 0, 2, 2, black, 64);
    EXPECT_EQ(live(4, 0), grey(128));
    canvas.blendSquare(8, 0, 2, 2, white, 127);
    EXPECT_EQ(live(8, 0), white);
    // Each channel blends on its own: red 200, green 100, blue 0 at 64
    // over white gives 255 - ((255 - c) * 64 >> 7).
    canvas.blendSquare(12, 0, 1, 1, rgb(200, 100, 0), 64);
    EXPECT_EQ(live(12, 0), rgb(255 - 27, 255 - 77, 255 - 127));
    // An opacity beyond the scale is taken as opaque, never as a negative
    // share of the picture.
    canvas.blendSquare(14, 0, 1, 1, black, 300);
    EXPECT_EQ(live(14, 0), grey(2));
}

TEST_F(PixelBlendsTest, OverlappingBlendsOfOneStrokeDoNotBuildUp) {
    begin();
    canvas.blendSquare(2, 2, 4, 4, black, 64);
    canvas.blendSquare(4, 3, 4, 4, black, 64);
    for (std::int32_t y = 2; y < 7; ++y)
        for (std::int32_t x = 2; x < 8; ++x) {
            const bool first = x < 6 && y < 6;
            const bool second = x >= 4 && y >= 3;
            EXPECT_EQ(live(x, y), first || second ? grey(128) : white) << x << "," << y;
        }
    EXPECT_EQ(committed(4, 4), white);
}

TEST_F(PixelBlendsTest, BlendSquareIsClippedToTheCanvas) {
    paintBothPatterns();
    const std::vector<std::uint8_t> before = liveMemory();
    begin();
    canvas.blendSquare(-3, 2, 10, 1, black, 127);
    for (std::int32_t x = 0; x < canvas.width(); ++x)
        EXPECT_EQ(live(x, 2) == uniqueColour(x, 2), x > 6) << x;
    // Below the last row lie the spare rows, which are no part of the canvas.
    const std::vector<std::uint8_t> rowTwo = liveMemory();
    canvas.blendSquare(14, 6, 8, 8, black, 127);
    canvas.blendSquare(-20, -20, 5, 5, black, 127);
    canvas.blendSquare(2, 2, -4, 3, black, 127);
    const std::vector<std::uint8_t> after = liveMemory();
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        changed += after[i] != rowTwo[i];
    EXPECT_EQ(changed, 2u * 2u * 3u);  // columns 14 and 15 of rows 6 and 7
    EXPECT_NE(live(15, 7), uniqueColour(15, 7));
    EXPECT_NE(before, after);
}

// --- stampMask -------------------------------------------------------------

TEST_F(PixelBlendsTest, FullCoverageStampsTheColourInOneGo) {
    const std::uint8_t full[4] = {255, 255, 255, 0};
    const MaskShape shape{full, 2, 2};
    begin();
    canvas.stampMask(3, 3, shape, black);
    EXPECT_EQ(live(3, 3), black);
    EXPECT_EQ(live(4, 3), black);
    EXPECT_EQ(live(3, 4), black);
    EXPECT_EQ(live(4, 4), white);  // coverage 0 leaves the pixel alone
}

TEST_F(PixelBlendsTest, FaintStampsKeepMovingUntilTheyReachTheColour) {
    const std::uint8_t faint[1] = {1};
    const MaskShape shape{faint, 1, 1};
    const COLORREF target = rgb(10, 200, 255);
    begin();
    COLORREF previous = live(5, 5);
    int stamps = 0;
    while (live(5, 5) != target && stamps < 1000) {
        canvas.stampMask(5, 5, shape, target);
        const COLORREF now = live(5, 5);
        // Every channel that has not arrived moves at least one step.
        for (int shift = 0; shift < 24; shift += 8) {
            const int was = int(previous >> shift & 0xFF), is = int(now >> shift & 0xFF);
            const int goal = int(target >> shift & 0xFF);
            if (was != goal) {
                EXPECT_LT(std::abs(goal - is), std::abs(goal - was));
            }
        }
        previous = now;
        ++stamps;
    }
    EXPECT_EQ(live(5, 5), target);
    EXPECT_LE(stamps, 255);
    // Once there it stays.
    canvas.stampMask(5, 5, shape, target);
    EXPECT_EQ(live(5, 5), target);
}

TEST_F(PixelBlendsTest, StampMaskBuildsUpOnTheLivePicture) {
    const std::uint8_t half[1] = {128};
    const MaskShape shape{half, 1, 1};
    begin();
    canvas.stampMask(1, 1, shape, black);
    const COLORREF once = live(1, 1);
    EXPECT_EQ(once, grey(127));  // 255 - ((0 * 128 + 255 * 129) >> 8)
    canvas.stampMask(1, 1, shape, black);
    EXPECT_LT(redOf(live(1, 1)), redOf(once));
    EXPECT_EQ(committed(1, 1), white);
}

TEST_F(PixelBlendsTest, StampMaskKeepsTheMaskAlignedWhenClipped) {
    // A 10 by 2 mask with full coverage only in columns 2 and 3 of its top row.
    std::uint8_t mask[20] = {};
    mask[2] = 255;
    mask[3] = 255;
    const MaskShape shape{mask, 10, 2};
    begin();
    canvas.stampMask(-3, -1, shape, black);
    // Column 2 lies off the canvas, column 3 lands on column 0; the top row
    // is row -1, off the canvas too, so nothing at all is painted.
    for (std::int32_t x = 0; x < canvas.width(); ++x)
        EXPECT_EQ(live(x, 0), white) << x;
    canvas.stampMask(-3, 0, shape, black);
    EXPECT_EQ(live(0, 0), black);
    for (std::int32_t x = 1; x < canvas.width(); ++x)
        EXPECT_EQ(live(x, 0), white) << x;
    EXPECT_EQ(live(0, 1), white);
}

TEST_F(PixelBlendsTest, MaskStampsNeedARenderPass) {
    const std::uint8_t full[1] = {255};
    const MaskShape shape{full, 1, 1};
    const std::uint8_t image[3] = {0, 0, 0};
    canvas.stampMask(1, 1, shape, black);
    canvas.stampMaskImage(shape, image, 2, 2);
    canvas.blendSquare(3, 3, 2, 2, black, 127);
    EXPECT_EQ(live(1, 1), white);
    EXPECT_EQ(live(2, 2), white);
    EXPECT_EQ(live(3, 3), white);
    // A shape without coverage bytes paints nothing.
    begin();
    canvas.stampMask(1, 1, MaskShape{nullptr, 4, 4}, black);
    canvas.stampMaskImage(shape, nullptr, 2, 2);
    EXPECT_EQ(live(1, 1), white);
    EXPECT_EQ(live(2, 2), white);
}

// --- stampMaskImage --------------------------------------------------------

TEST_F(PixelBlendsTest, FullCoverageLaysTheImageDownExactly) {
    const std::uint8_t full[4] = {255, 255, 255, 255};
    const MaskShape shape{full, 2, 2};
    // Packed, top row first, blue green red.
    const std::uint8_t image[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    begin();
    canvas.stampMaskImage(shape, image, 6, 2);
    EXPECT_EQ(live(6, 2), rgb(3, 2, 1));
    EXPECT_EQ(live(7, 2), rgb(6, 5, 4));
    EXPECT_EQ(live(6, 3), rgb(9, 8, 7));
    EXPECT_EQ(live(7, 3), rgb(12, 11, 10));
}

TEST_F(PixelBlendsTest, HalfCoverageMixesImageAndPicture) {
    const std::uint8_t half[2] = {128, 0};
    const MaskShape shape{half, 2, 1};
    const std::uint8_t image[6] = {255, 255, 255, 0, 0, 0};
    paintBothPatterns();
    setLive(4, 4, black);
    begin();
    canvas.stampMaskImage(shape, image, 4, 4);
    EXPECT_EQ(live(4, 4), grey(128));  // (255 * 129) >> 8
    EXPECT_EQ(live(5, 4), uniqueColour(5, 4));
}

TEST_F(PixelBlendsTest, StampMaskImageKeepsMaskAndImageAlignedWhenClipped) {
    // Full coverage over a 10 by 1 image whose pixel k has red k + 1.
    std::uint8_t mask[10];
    std::uint8_t image[30] = {};
    for (int k = 0; k < 10; ++k) {
        mask[k] = 255;
        image[3 * k + 2] = std::uint8_t(k + 1);
    }
    const MaskShape shape{mask, 10, 1};
    begin();
    canvas.stampMaskImage(shape, image, -3, 5);
    for (std::int32_t x = 0; x <= 6; ++x)
        EXPECT_EQ(live(x, 5), rgb(std::uint8_t(x + 4), 0, 0)) << x;
    EXPECT_EQ(live(7, 5), white);
}

// --- copyOut ---------------------------------------------------------------

TEST_F(PixelBlendsTest, CopyOutPacksTheLivePictureTopRowFirst) {
    paintBothPatterns();
    // Works without a render pass.
    std::vector<std::uint8_t> buffer(3 * 3 * 2, 0);
    canvas.copyOut(buffer.data(), 4, 2, 3, 2);
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(getPixel(buffer.data(), 3 * (r * 3 + k)), uniqueColour(4 + k, 2 + r))
                << k << "," << r;
}

TEST_F(PixelBlendsTest, CopyOutGivesWhiteOffTheCanvas) {
    paintBothPatterns();
    std::vector<std::uint8_t> buffer(3 * 4 * 4, 0);
    // Half beyond the right edge, half below the bottom row (where the spare
    // rows would otherwise be read).
    canvas.copyOut(buffer.data(), 14, 6, 4, 4);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) {
            const bool inside = k < 2 && r < 2;
            EXPECT_EQ(getPixel(buffer.data(), 3 * (r * 4 + k)),
                      inside ? uniqueColour(14 + k, 6 + r) : white)
                << k << "," << r;
        }
    // Wholly outside: all white.
    std::vector<std::uint8_t> outside(3 * 2 * 2, 7);
    canvas.copyOut(outside.data(), -5, -5, 2, 2);
    for (std::uint8_t b : outside)
        EXPECT_EQ(b, 255);
    // Left and top edges.
    canvas.copyOut(buffer.data(), -2, -1, 4, 4);
    EXPECT_EQ(getPixel(buffer.data(), 0), white);
    EXPECT_EQ(getPixel(buffer.data(), 3 * (1 * 4 + 2)), uniqueColour(0, 0));
    EXPECT_EQ(getPixel(buffer.data(), 3 * (3 * 4 + 3)), uniqueColour(1, 2));
}

}  // namespace
