#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"

namespace {

using canvas_testing::CanvasTest;
using canvas_testing::getPixel;
using canvas_testing::uniqueColour;
using canvas_testing::windowPixel;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;

class PrimitivesTest : public CanvasTest {
  protected:
    void SetUp() override { ASSERT_TRUE(make(64, 64)); }

    void begin(bool overlay = false, std::int16_t zoom = 0) {
        client = window.clientRect();
        canvas.beginRender(overlay, 0, 0, zoom, &client, &client, false);
    }
    void map(bool viewBuffer = true, std::int16_t zoom = 0) {
        canvas.setViewTransform(false, viewBuffer, 0, 0, zoom, &client, &client);
    }
    COLORREF view(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* p =
            canvas.viewBits() +
            std::ptrdiff_t(canvas.viewHeight() - 1 - y) * Canvas::rowStrideFor(canvas.viewWidth()) +
            3 * x;
        return rgb(p[2], p[1], p[0]);
    }

    RECT client{};
};

TEST_F(PrimitivesTest, DrawingWhileBegunLandsInTheLivePicture) {
    begin();
    canvas.drawRectangle(RECT{2, 3, 6, 8}, red, 1, true);
    canvas.endRender();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(live(x, y), (x >= 2 && x < 6 && y >= 3 && y < 8) ? red : white)
                << x << "," << y;
    EXPECT_EQ(committed(3, 4), white);
}

TEST_F(PrimitivesTest, DrawingWhileMappedLandsOnlyInTheView) {
    begin();
    map(true, 1);
    canvas.drawRectangle(RECT{2, 3, 6, 8}, red, 1, true);
    // Into the unscaled view buffer at 200 %: the rectangle as given.
    EXPECT_EQ(view(2, 3), red);
    EXPECT_EQ(view(6, 3), white);
    canvas.endRender();
    EXPECT_EQ(live(3, 4), white);
    // Magnified on the window.
    EXPECT_EQ(windowPixel(window, 4, 6), red);
    EXPECT_EQ(windowPixel(window, 11, 15), red);
    EXPECT_EQ(windowPixel(window, 12, 15), white);
    EXPECT_EQ(windowPixel(window, 3, 6), white);
}

TEST_F(PrimitivesTest, DrawingOntoTheWindowIsScaledThere) {
    begin(false, 2);
    canvas.setViewTransform(true, false, 0, 0, 2, &client, &client);
    canvas.drawRectangle(RECT{1, 1, 2, 2}, red, 1, true);
    canvas.endRender();
    EXPECT_EQ(windowPixel(window, 4, 4), red);
    EXPECT_EQ(windowPixel(window, 7, 7), red);
    EXPECT_EQ(windowPixel(window, 8, 8), white);
    EXPECT_EQ(live(1, 1), white);
}

TEST_F(PrimitivesTest, DrawingWhileZoomedUsesViewPixels) {
    begin(true, 2);
    map(true, 2);
    canvas.composeZoom();
    ASSERT_EQ(canvas.renderState(), RenderState::Zoomed);
    canvas.drawRectangle(RECT{1, 1, 2, 2}, red, 1, true);  // one view pixel
    canvas.endRender();
    EXPECT_EQ(windowPixel(window, 1, 1), red);
    EXPECT_EQ(windowPixel(window, 2, 1), white);
    EXPECT_EQ(windowPixel(window, 1, 2), white);
    EXPECT_EQ(live(0, 0), white);
}

TEST_F(PrimitivesTest, OutlinedRectangleOfWidthTwo) {
    begin();
    canvas.drawRectangle(RECT{10, 10, 20, 20}, red, 2, false);
    canvas.endRender();
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 25; ++x) {
            const bool inside = x >= 10 && x <= 19 && y >= 10 && y <= 19;
            const bool band = x <= 11 || x >= 18 || y <= 11 || y >= 18;
            EXPECT_EQ(live(x, y), inside && band ? red : white) << x << "," << y;
        }
}

TEST_F(PrimitivesTest, OutlinedRectangleNarrowerThanItsWidthIsSolid) {
    begin();
    canvas.drawRectangle(RECT{10, 10, 11, 30}, red, 4, false);
    canvas.drawRectangle(RECT{30, 30, 35, 35}, red, 0, false);  // width 0 draws 1
    canvas.endRender();
    for (int x = 9; x < 15; ++x)
        EXPECT_EQ(live(x, 20), x >= 10 && x < 14 ? red : white) << x;
    EXPECT_EQ(live(30, 32), red);
    EXPECT_EQ(live(31, 32), white);
    EXPECT_EQ(live(34, 32), red);
}

TEST_F(PrimitivesTest, OutlinedEllipseLeavesItsInteriorAlone) {
    paintLivePattern();
    begin();
    canvas.drawEllipse(RECT{10, 10, 40, 30}, red, 2, false);
    canvas.endRender();
    // The centre and everything well inside keep the picture.
    for (int y = 16; y < 24; ++y)
        for (int x = 18; x < 32; ++x)
            ASSERT_EQ(live(x, y), uniqueColour(x, y)) << x << "," << y;
    // The corners of the bounds are outside the ellipse.
    EXPECT_EQ(live(10, 10), uniqueColour(10, 10));
    EXPECT_EQ(live(39, 29), uniqueColour(39, 29));
    // Some ring pixel on each side is painted.
    int ringPixels = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 40; ++x)
            ringPixels += live(x, y) == red;
    EXPECT_GT(ringPixels, 40);
    // Nothing outside the bounds changes.
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(live(x, 9), uniqueColour(x, 9));
}

TEST_F(PrimitivesTest, EllipsesOfOnePixelDrawOnlyWhenFilled) {
    begin();
    canvas.drawEllipse(RECT{5, 5, 6, 20}, red, 1, false);
    EXPECT_EQ(live(5, 10), white);
    canvas.drawEllipse(RECT{5, 5, 6, 20}, red, 1, true);
    EXPECT_EQ(live(5, 10), red);
    canvas.endRender();
}

TEST_F(PrimitivesTest, FilledEllipseIsSymmetric) {
    begin();
    canvas.drawEllipse(RECT{3, 4, 20, 13}, red, 1, true);
    canvas.endRender();
    for (int y = 4; y < 13; ++y)
        for (int x = 3; x < 20; ++x) {
            ASSERT_EQ(live(x, y), live(3 + 19 - x, y)) << x << "," << y;
            ASSERT_EQ(live(x, y), live(x, 4 + 12 - y)) << x << "," << y;
        }
    EXPECT_EQ(live(11, 8), red);
}

TEST_F(PrimitivesTest, PolylineMapsBackOnlyWhenAsked) {
    begin(false, 1);
    canvas.setViewTransform(false, false, 0, 0, 1, &client, &client);
    POINT points[2] = {{2, 2}, {10, 2}};
    canvas.drawPolyline(points, 2, 1, red, 0);
    EXPECT_EQ(points[0], (POINT{4, 4}));
    POINT again[2] = {{2, 2}, {10, 2}};
    canvas.drawPolyline(again, 2, 1, red, Canvas::polylineMapBack);
    EXPECT_EQ(again[0], (POINT{2, 2}));
    EXPECT_EQ(again[1], (POINT{10, 2}));
    canvas.endRender();
    EXPECT_EQ(windowPixel(window, 4, 4), red);
    EXPECT_EQ(windowPixel(window, 4, 5), red);  // width 1 becomes 2 at 200 %
}

TEST_F(PrimitivesTest, SelectionFrameIsDrawnOnlyWhenZoomed) {
    begin(true);
    canvas.drawSelectionFrame(RECT{5, 5, 20, 20});
    map();
    canvas.drawSelectionFrame(RECT{5, 5, 20, 20});
    for (int x = 0; x < 30; ++x)
        ASSERT_EQ(view(x, 5), white) << x;
    canvas.composeZoom();
    canvas.drawSelectionFrame(RECT{5, 5, 20, 20});
    canvas.endRender();
    int black = 0;
    for (int x = 5; x <= 20; ++x)
        black += windowPixel(window, x, 5) == 0;
    EXPECT_GT(black, 4);
    EXPECT_LT(black, 16);  // dashed
    EXPECT_EQ(live(5, 5), white);
}

TEST_F(PrimitivesTest, MagnifiedSelectionFramesSitOnThePixelsTheyFrame) {
    // The frame's left edge is drawn where canvas pixel `left` starts on the
    // view, at scroll positions inside a magnified pixel too.
    for (std::int16_t z = 1; z <= 4; ++z)
        for (std::int16_t scroll : {0, 1, 3, 5, 7}) {
            client = window.clientRect();
            canvas.beginRender(true, scroll, scroll, z, &client, &client, false);
            canvas.setViewTransform(true, true, scroll, scroll, z, &client, &client);
            canvas.composeZoom();
            canvas.drawSelectionFrame(RECT{4, 4, 10, 10});
            canvas.endRender();
            const std::int32_t edge = 4 * (1 << z) - scroll;
            int onEdge = 0, beside = 0;
            for (std::int32_t y = edge; y < edge + 6 * (1 << z) && y < 268; ++y) {
                onEdge += windowPixel(window, edge, y) == 0;
                beside += windowPixel(window, edge - 1, y) == 0;
                beside += windowPixel(window, edge + 1, y) == 0;
            }
            EXPECT_GT(onEdge, 0) << "zoom " << z << " scroll " << scroll;
            EXPECT_EQ(beside, 0) << "zoom " << z << " scroll " << scroll;
        }
}

// An outlined ellipse is a ring drawn inside its bounds; when the pen is so
// wide that the ring has no inside, the pen covers the whole ellipse.
TEST_F(PrimitivesTest, ThickOutlinesWithNoRoomInsideFillTheEllipse) {
    struct Case {
        std::int32_t w, h;
        std::int16_t pen;
    };
    for (Case c : {Case{10, 10, 4}, Case{9, 9, 4}, Case{6, 6, 2}, Case{5, 5, 2}, Case{4, 4, 1},
                   Case{3, 3, 1}, Case{2, 2, 0}, Case{30, 10, 4}, Case{8, 20, 3}}) {
        canvas.clear();
        begin();
        canvas.drawEllipse(RECT{2, 2, 2 + c.w, 2 + c.h}, red, c.pen, false);
        canvas.drawEllipse(RECT{2, 32, 2 + c.w, 32 + c.h}, red, 1, true);
        canvas.endRender();
        for (int y = 0; y < c.h + 4; ++y)
            for (int x = 0; x < c.w + 4; ++x)
                ASSERT_EQ(live(x, y), live(x, y + 30))
                    << c.w << "x" << c.h << " pen " << c.pen << " at " << x << "," << y;
        EXPECT_EQ(live(2 + c.w / 2, 2 + c.h / 2), red) << c.w << "x" << c.h << " pen " << c.pen;
    }
}

TEST_F(PrimitivesTest, OneSizeUpAThickOutlineIsARingAgain) {
    // With room for the ring's own box the ring is drawn as before: inside
    // the bounds, and for large enough ellipses around a centre left alone.
    struct Case {
        std::int32_t size;
        std::int16_t pen;
    };
    for (Case c : {Case{11, 4}, Case{7, 2}, Case{5, 1}, Case{24, 4}, Case{16, 2}}) {
        paintLivePattern();
        begin();
        canvas.drawEllipse(RECT{10, 10, 10 + c.size, 10 + c.size}, red, c.pen, false);
        canvas.endRender();
        int ring = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool inBounds = x >= 10 && x < 10 + c.size && y >= 10 && y < 10 + c.size;
                if (live(x, y) == red) {
                    ++ring;
                    ASSERT_TRUE(inBounds) << c.size << " pen " << c.pen << " at " << x << "," << y;
                } else {
                    ASSERT_EQ(live(x, y), uniqueColour(x, y));
                }
            }
        EXPECT_GT(ring, 0) << c.size << " pen " << c.pen;
        const std::int32_t middle = 10 + c.size / 2;
        if (c.size > 4 * c.pen + 6) {
            EXPECT_EQ(live(middle, middle), uniqueColour(middle, middle)) << c.size;
        }
    }
}

TEST_F(PrimitivesTest, ThickOutlinesFillWhenMagnifiedToo) {
    // A 5 x 5 ellipse with a 2-pixel pen is 10 x 10 with a 4-pixel pen on
    // the window at 200 %: no room inside there either.
    client = window.clientRect();
    canvas.beginRender(false, 0, 0, 1, &client, &client, false);
    canvas.setViewTransform(true, false, 0, 0, 1, &client, &client);
    canvas.drawEllipse(RECT{3, 3, 8, 8}, red, 2, false);
    canvas.drawEllipse(RECT{3, 13, 8, 18}, red, 2, true);
    canvas.endRender();
    for (int y = 4; y < 18; ++y)
        for (int x = 4; x < 18; ++x)
            ASSERT_EQ(windowPixel(window, x, y), windowPixel(window, x, y + 20)) << x << "," << y;
    EXPECT_EQ(windowPixel(window, 11, 11), red);
    EXPECT_EQ(live(5, 5), white);
}

TEST_F(PrimitivesTest, NothingIsDrawnOutsideAPass) {
    canvas.drawRectangle(RECT{0, 0, 10, 10}, red, 1, true);
    canvas.drawEllipse(RECT{0, 0, 10, 10}, red, 1, true);
    POINT points[2] = {{0, 0}, {10, 10}};
    canvas.drawPolyline(points, 2, 3, red, 0);
    canvas.drawText(12, red, u"DejaVu Sans", u"Hello", POINT{0, 0});
    canvas.blitRegion(RECT{0, 0, 10, 10}, POINT{0, 0}, true, false);
    RECT area{0, 0, 10, 10};
    canvas.flipRegion(area, true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(live(x, y), white);
}

TEST_F(PrimitivesTest, BlitRegionShowsTheCommittedPicture) {
    setLive(3, 3, red);
    begin();
    map(true, 0);
    canvas.blitRegion(RECT{0, 0, 8, 8}, POINT{0, 0}, false, false);
    EXPECT_EQ(view(3, 3), red);
    canvas.blitRegion(RECT{0, 0, 8, 8}, POINT{0, 0}, true, false);
    EXPECT_EQ(view(3, 3), white);
    canvas.endRender();
    // Into the live picture itself only the committed picture can be shown.
    begin();
    canvas.blitRegion(RECT{0, 0, 8, 8}, POINT{0, 0}, false, false);
    EXPECT_EQ(live(3, 3), red);
    canvas.blitRegion(RECT{0, 0, 8, 8}, POINT{0, 0}, true, false);
    EXPECT_EQ(live(3, 3), white);
    canvas.endRender();
}

TEST_F(PrimitivesTest, DrawImageReducesBelowFullSize) {
    RasterImage image;
    RECT area{0, 0, 8, 8};
    paintLivePattern();
    ASSERT_TRUE(canvas.copyRegionToImage(area, image));
    begin(false, -1);
    canvas.setViewTransform(false, false, 0, 0, -1, &client, &client);
    canvas.drawImage(image, POINT{20, 20});
    canvas.endRender();
    EXPECT_EQ(windowPixel(window, 10, 10), uniqueColour(0, 0));
    EXPECT_EQ(windowPixel(window, 11, 10), uniqueColour(2, 0));
    EXPECT_EQ(windowPixel(window, 13, 13), uniqueColour(6, 6));
}

TEST_F(PrimitivesTest, MeasuringAnEmptyTextGivesTheExtentOfI) {
    RECT empty{}, letter{};
    canvas.measureText(12, u"DejaVu Sans", u"", empty);
    canvas.measureText(12, u"DejaVu Sans", u"I", letter);
    EXPECT_EQ(empty, letter);
    EXPECT_GT(letter.right, 0);
    EXPECT_GT(letter.bottom, 0);
    RECT wider{};
    canvas.measureText(12, u"DejaVu Sans", u"III", wider);
    EXPECT_GT(wider.right, letter.right);
}

TEST_F(PrimitivesTest, FaceNamesOfThirtyTwoCharactersAreRefused) {
    RECT output{1, 2, 3, 4};
    canvas.measureText(12, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef", u"x", output);
    EXPECT_EQ(output, (RECT{1, 2, 3, 4}));
    canvas.measureText(12, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", u"x", output);
    EXPECT_EQ(output.left, 0);
}

TEST_F(PrimitivesTest, TextIsDrawnInsideItsMeasuredExtent) {
    RECT extent{};
    canvas.measureText(20, u"DejaVu Sans", u"Mirabo", extent);
    begin();
    canvas.drawText(20, 0x000000, u"DejaVu Sans", u"Mirabo", POINT{5, 7});
    canvas.endRender();
    int inked = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (live(x, y) != white) {
                ++inked;
                EXPECT_GE(x, 5);
                EXPECT_GE(y, 7);
                EXPECT_LT(x, 5 + extent.right);
                EXPECT_LT(y, 7 + extent.bottom);
            }
    EXPECT_GT(inked, 30);
}

}  // namespace
