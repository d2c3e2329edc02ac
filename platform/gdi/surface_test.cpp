#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/testing/pixels.h"

namespace platform {
namespace {

using testing::Canvas24;
using testing::paintPattern;
using testing::patternColour;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;

TEST(SurfaceFillTest, FillsExactlyTheRectangleRightAndBottomExclusive) {
    Canvas24 c(8, 6);
    c.surface->fillRect(RECT{2, 1, 5, 4}, Brush::solid(red));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c.at(x, y), (x >= 2 && x < 5 && y >= 1 && y < 4) ? red : white)
                << x << "," << y;
}

TEST(SurfaceFillTest, StoresColoursAsBlueGreenRed) {
    Canvas24 c(2, 1);
    c.surface->fillRect(RECT{0, 0, 1, 1}, Brush::solid(rgb(0x11, 0x22, 0x33)));
    const std::uint8_t* row = c.bitmap->row(0);
    EXPECT_EQ(row[0], 0x33);
    EXPECT_EQ(row[1], 0x22);
    EXPECT_EQ(row[2], 0x11);
}

TEST(SurfaceFillTest, LongRunsAndOffBitmapRectangles) {
    Canvas24 c(100, 3);
    c.surface->fillRect(RECT{-50, 1, 500, 2}, Brush::solid(red));
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(c.at(x, 0), white);
        EXPECT_EQ(c.at(x, 1), red);
        EXPECT_EQ(c.at(x, 2), white);
    }
    c.surface->fillRect(RECT{5, 5, 1, 1}, Brush::solid(0));  // inverted: nothing
    c.surface->fillRect(RECT{200, 0, 300, 3}, Brush::solid(0));
    EXPECT_EQ(c.picture(0).find('#'), std::string::npos);
}

TEST(SurfaceFillTest, PatternBrushTilesFromTheSurfaceOrigin) {
    auto pattern = Bitmap::createCompatible(3, 2);
    paintPattern(*pattern);
    Canvas24 c(10, 7);
    c.surface->fillRect(RECT{4, 3, 10, 7}, Brush::pattern(pattern.get()));
    for (int y = 3; y < 7; ++y)
        for (int x = 4; x < 10; ++x)
            EXPECT_EQ(c.at(x, y), patternColour(x % 3, y % 2)) << x << "," << y;
    EXPECT_EQ(c.at(3, 3), white);
}

TEST(SurfaceClipTest, DrawingStaysInsideTheClipUntilItIsLifted) {
    Canvas24 c(10, 10);
    c.surface->setClipRect(RECT{2, 2, 5, 5});
    c.surface->fillRect(RECT{0, 0, 10, 10}, Brush::solid(red));
    EXPECT_EQ(c.at(2, 2), red);
    EXPECT_EQ(c.at(1, 1), invalidColour);
    c.surface->clearClip();
    int painted = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            painted += c.at(x, y) == red;
    EXPECT_EQ(painted, 9);
    EXPECT_EQ(c.at(4, 4), red);
    EXPECT_EQ(c.at(5, 4), white);
}

TEST(SurfacePixelTest, OutsideTheBitmapOrClipIsInvalid) {
    Canvas24 c(4, 4);
    EXPECT_EQ(c.surface->pixel(-1, 0), invalidColour);
    EXPECT_EQ(c.surface->pixel(4, 0), invalidColour);
    EXPECT_EQ(c.surface->pixel(0, 4), invalidColour);
    c.surface->setClipRect(RECT{1, 1, 2, 2});
    EXPECT_EQ(c.surface->pixel(0, 0), invalidColour);
    EXPECT_EQ(c.surface->pixel(1, 1), white);
    Surface empty;
    EXPECT_EQ(empty.pixel(0, 0), invalidColour);
}

TEST(SurfaceSelectTest, SelectingHandsBackWhatWasSelected) {
    Canvas24 c(2, 2);
    auto other = Bitmap::createCompatible(1, 1);
    EXPECT_EQ(c.surface->selectBitmap(other.get()), c.bitmap.get());
    EXPECT_EQ(c.surface->selectBitmap(c.bitmap.get()), other.get());
    const Pen pen = Pen::solid(3, red);
    EXPECT_EQ(c.surface->selectPen(&pen), &defaultPen());
    EXPECT_EQ(c.surface->selectPen(nullptr), &pen);
    const Brush brush = Brush::solid(red);
    EXPECT_EQ(c.surface->selectBrush(&brush), &defaultBrush());
    EXPECT_EQ(defaultPen().colour, 0u);
    EXPECT_EQ(defaultBrush().colour(), white);
}

TEST(SurfaceTest, NothingSelectedDrawsNothing) {
    Surface surface;
    surface.fillRect(RECT{0, 0, 10, 10}, Brush::solid(red));
    Canvas24 c(3, 3);
    EXPECT_FALSE(surface.blit(0, 0, 3, 3, *c.surface, 0, 0));
    EXPECT_FALSE(c.surface->blit(0, 0, 3, 3, surface, 0, 0));
    EXPECT_EQ(surface.backgroundColour(), white);
    EXPECT_EQ(surface.verticalDpi(), 96);
}

// Copies a 4 x 4 patterned block to (dx, dy) of an 8 x 8 white bitmap and
// checks every destination pixel.
void expectBlockAt(std::int32_t dx, std::int32_t dy, std::int32_t sx = 0, std::int32_t sy = 0) {
    Canvas24 source(6, 6);
    paintPattern(*source.bitmap);
    Canvas24 dest(8, 8);
    ASSERT_TRUE(dest.surface->blit(dx, dy, 4, 4, *source.surface, sx, sy));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int u = x - dx + sx, v = y - dy + sy;
            const bool inside = x >= dx && x < dx + 4 && y >= dy && y < dy + 4 && u >= 0 &&
                                v >= 0 && u < 6 && v < 6;
            EXPECT_EQ(dest.at(x, y), inside ? patternColour(u, v) : white)
                << "block at " << dx << "," << dy << " pixel " << x << "," << y;
        }
}

TEST(SurfaceBlitTest, CopiesExactlyTheBlock) {
    expectBlockAt(2, 3);
}

TEST(SurfaceBlitTest, IsClippedAtEveryEdgeOfTheDestination) {
    expectBlockAt(-2, 2);  // left
    expectBlockAt(2, -3);  // top
    expectBlockAt(6, 2);   // right
    expectBlockAt(2, 7);   // bottom
    expectBlockAt(-3, -3);
    expectBlockAt(7, 7);
    expectBlockAt(20, 0);  // wholly outside
}

TEST(SurfaceBlitTest, IsClippedAtEveryEdgeOfTheSource) {
    expectBlockAt(2, 2, -2, 0);
    expectBlockAt(2, 2, 0, -1);
    expectBlockAt(2, 2, 4, 0);
    expectBlockAt(2, 2, 0, 5);
}

TEST(SurfaceBlitTest, RespectsTheDestinationClip) {
    Canvas24 source(4, 4);
    paintPattern(*source.bitmap);
    Canvas24 dest(4, 4);
    dest.surface->setClipRect(RECT{1, 0, 3, 4});
    dest.surface->blit(0, 0, 4, 4, *source.surface, 0, 0);
    dest.surface->clearClip();
    EXPECT_EQ(dest.at(0, 0), white);
    EXPECT_EQ(dest.at(1, 0), patternColour(1, 0));
    EXPECT_EQ(dest.at(3, 3), white);
}

TEST(SurfaceBlitTest, OverlappingCopyWithinOneBitmapKeepsTheSource) {
    Canvas24 c(5, 5);
    paintPattern(*c.bitmap);
    ASSERT_TRUE(c.surface->blit(0, 1, 5, 4, *c.surface, 0, 0));  // move down a row
    for (int y = 1; y < 5; ++y)
        EXPECT_EQ(c.at(2, y), patternColour(2, y - 1)) << y;
    paintPattern(*c.bitmap);
    ASSERT_TRUE(c.surface->blit(1, 0, 4, 5, *c.surface, 0, 0));  // move right a column
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(c.at(x, 2), patternColour(x - 1, 2)) << x;
}

TEST(SurfaceBlitTest, ConvertsPalettisedSourcesThroughTheirColourTable) {
    BitmapInfoHeader header = makeHeader24(3, 2);
    header.biBitCount = 8;
    RgbQuad colours[256] = {};
    colours[5] = {0x10, 0x20, 0x30, 0};
    colours[200] = {0xA0, 0xB0, 0xC0, 0};
    auto indexed = Bitmap::create(header, colours, 256);
    ASSERT_TRUE(indexed);
    indexed->row(0)[0] = 5;
    indexed->row(0)[1] = 200;
    indexed->row(0)[2] = 5;
    indexed->row(1)[0] = 200;
    indexed->row(1)[1] = 0;
    indexed->row(1)[2] = 200;
    Surface source(indexed.get());
    Canvas24 dest(3, 2);
    ASSERT_TRUE(dest.surface->blit(0, 0, 3, 2, source, 0, 0));
    EXPECT_EQ(dest.at(0, 0), rgb(0x30, 0x20, 0x10));
    EXPECT_EQ(dest.at(1, 0), rgb(0xC0, 0xB0, 0xA0));
    EXPECT_EQ(dest.at(1, 1), 0u);
    EXPECT_EQ(dest.at(2, 1), rgb(0xC0, 0xB0, 0xA0));
    EXPECT_EQ(source.pixel(1, 0), rgb(0xC0, 0xB0, 0xA0));
}

TEST(SurfaceBlitTest, ReadsOneAndFourBitPixelsMostSignificantFirst) {
    RgbQuad colours[16] = {};
    colours[1] = {0, 0, 0xFF, 0};
    colours[9] = {0xFF, 0, 0, 0};
    BitmapInfoHeader header = makeHeader24(9, 1);
    header.biBitCount = 1;
    auto mono = Bitmap::create(header, colours, 2);
    mono->row(0)[0] = 0b1000'0001;
    mono->row(0)[1] = 0b1000'0000;
    Surface monoSurface(mono.get());
    EXPECT_EQ(monoSurface.pixel(0, 0), red);
    EXPECT_EQ(monoSurface.pixel(1, 0), 0u);
    EXPECT_EQ(monoSurface.pixel(7, 0), red);
    EXPECT_EQ(monoSurface.pixel(8, 0), red);

    header.biBitCount = 4;
    header.biWidth = 3;
    auto nibbles = Bitmap::create(header, colours, 16);
    nibbles->row(0)[0] = 0x91;
    nibbles->row(0)[1] = 0x10;
    Surface nibbleSurface(nibbles.get());
    Canvas24 dest(3, 1);
    dest.surface->blit(0, 0, 3, 1, nibbleSurface, 0, 0);
    EXPECT_EQ(dest.at(0, 0), rgb(0, 0, 0xFF));
    EXPECT_EQ(dest.at(1, 0), red);
    EXPECT_EQ(dest.at(2, 0), red);
}

TEST(SurfaceStretchTest, ReducesByPickingWholePixels) {
    Canvas24 source(16, 16);
    paintPattern(*source.bitmap);
    for (int factor : {2, 4}) {
        Canvas24 dest(8, 8);
        const int size = 16 / factor;
        ASSERT_TRUE(dest.surface->stretchBlit(1, 1, size, size, *source.surface, 0, 0, 16, 16));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 1 && x < 1 + size && y >= 1 && y < 1 + size;
                EXPECT_EQ(dest.at(x, y),
                          inside ? patternColour((x - 1) * factor, (y - 1) * factor) : white)
                    << factor << "x at " << x << "," << y;
            }
    }
}

TEST(SurfaceStretchTest, EnlargesByReplicatingPixels) {
    Canvas24 source(3, 3);
    paintPattern(*source.bitmap);
    Canvas24 dest(14, 14);
    ASSERT_TRUE(dest.surface->stretchBlit(1, 0, 12, 12, *source.surface, 0, 0, 3, 3));
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            const bool inside = x >= 1 && x < 13 && y < 12;
            EXPECT_EQ(dest.at(x, y), inside ? patternColour((x - 1) / 4, y / 4) : white)
                << x << "," << y;
        }
}

TEST(SurfaceStretchTest, SourceBeyondTheBitmapLeavesTheDestination) {
    Canvas24 source(8, 8);
    paintPattern(*source.bitmap);
    Canvas24 dest(8, 8);
    // A 16 x 16 block at (4, 4) of an 8 x 8 source: only its first quarter exists.
    ASSERT_TRUE(dest.surface->stretchBlit(0, 0, 4, 4, *source.surface, 4, 4, 16, 16));
    EXPECT_EQ(dest.at(0, 0), patternColour(4, 4));
    // Destination column 1 would show source column 4 + 16 / 4 = 8, past the source.
    EXPECT_EQ(dest.at(1, 0), white);
    EXPECT_EQ(dest.at(1, 1), white);
    EXPECT_EQ(dest.at(2, 0), white);
    EXPECT_EQ(dest.at(0, 2), white);
    EXPECT_EQ(dest.at(5, 5), white);
}

TEST(SurfaceStretchTest, ClipsTheDestination) {
    Canvas24 source(4, 4);
    paintPattern(*source.bitmap);
    Canvas24 dest(4, 4);
    ASSERT_TRUE(dest.surface->stretchBlit(-4, -4, 8, 8, *source.surface, 0, 0, 4, 4));
    EXPECT_EQ(dest.at(0, 0), patternColour(2, 2));
    EXPECT_EQ(dest.at(3, 3), patternColour(3, 3));
    dest.surface->stretchBlit(0, 0, 0, 4, *source.surface, 0, 0, 4, 4);  // empty: nothing
}

}  // namespace
}  // namespace platform
