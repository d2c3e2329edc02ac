#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/testing/pixels.h"

namespace platform {
namespace {

using testing::Canvas24;
using testing::paintPattern;
using testing::patternColour;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;
constexpr COLORREF blue = 0xFF0000;
constexpr std::int32_t huge = std::numeric_limits<std::int32_t>::max();

bool inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Draws with a pen of `width` (none when width is 0 and `withPen` false) and
// a blue brush (none when `withBrush` is false) on a white canvas.
struct ShapeCanvas : Canvas24 {
    Pen pen;
    Brush brush = Brush::solid(blue);
    ShapeCanvas(int w, int h, std::int32_t penWidth, bool withPen = true, bool withBrush = true)
        : Canvas24(w, h), pen(Pen::solid(penWidth, red)) {
        surface->selectPen(withPen ? &pen : nullptr);
        surface->selectBrush(withBrush ? &brush : nullptr);
    }
};

// --- rectangle ---------------------------------------------------------------

void expectRectangle(const ShapeCanvas& c, const RECT& outer, const RECT& inner, bool pen,
                     bool brush) {
    for (int y = 0; y < c.bitmap->height(); ++y)
        for (int x = 0; x < c.bitmap->width(); ++x) {
            COLORREF expected = white;
            if (inside(inner, x, y))
                expected = brush ? blue : white;
            else if (inside(outer, x, y))
                expected = pen ? red : white;
            ASSERT_EQ(c.at(x, y), expected) << x << "," << y << "\n" << c.picture(red);
        }
}

TEST(SurfaceRectangleTest, OnePixelPenCoversExactlyTheBorder) {
    for (std::int32_t width : {1, 0, -3}) {  // widths below 1 draw as 1
        ShapeCanvas c(12, 10, width);
        c.surface->rectangle(RECT{2, 3, 9, 8});
        expectRectangle(c, RECT{2, 3, 9, 8}, RECT{3, 4, 8, 7}, true, true);
    }
}

TEST(SurfaceRectangleTest, WiderPensDrawABandCentredOnTheBorder) {
    {
        // Width 2 from (10, 10) to (20, 20): x or y in 10..11 or 18..19.
        ShapeCanvas c(32, 32, 2);
        c.surface->rectangle(RECT{10, 10, 20, 20});
        expectRectangle(c, RECT{10, 10, 20, 20}, RECT{12, 12, 18, 18}, true, true);
    }
    {
        ShapeCanvas c(32, 32, 3);
        c.surface->rectangle(RECT{10, 10, 20, 20});
        expectRectangle(c, RECT{9, 9, 21, 21}, RECT{12, 12, 18, 18}, true, true);
    }
    {
        ShapeCanvas c(32, 32, 4);
        c.surface->rectangle(RECT{10, 10, 20, 20});
        expectRectangle(c, RECT{9, 9, 21, 21}, RECT{13, 13, 17, 17}, true, true);
    }
}

TEST(SurfaceRectangleTest, MissingPenOrBrushLeavesItsPartAlone) {
    {
        ShapeCanvas c(10, 10, 1, false, true);
        c.surface->rectangle(RECT{1, 1, 8, 9});
        expectRectangle(c, RECT{1, 1, 8, 9}, RECT{2, 2, 7, 8}, false, true);
    }
    {
        ShapeCanvas c(10, 10, 3, true, false);
        c.surface->rectangle(RECT{2, 2, 8, 9});
        expectRectangle(c, RECT{1, 1, 9, 10}, RECT{4, 4, 6, 7}, true, false);
    }
}

TEST(SurfaceRectangleTest, ABandWiderThanTheRectangleCoversItAll) {
    ShapeCanvas c(16, 16, 1);
    c.surface->rectangle(RECT{3, 3, 4, 12});  // one pixel wide
    expectRectangle(c, RECT{3, 3, 4, 12}, RECT{}, true, true);

    ShapeCanvas d(16, 16, 5);
    d.surface->rectangle(RECT{5, 5, 9, 12});
    expectRectangle(d, RECT{3, 3, 11, 14}, RECT{}, true, true);
}

TEST(SurfaceRectangleTest, EmptyOrInvertedRectanglesDrawNothing) {
    ShapeCanvas c(10, 10, 3);
    c.surface->rectangle(RECT{4, 4, 4, 8});
    c.surface->rectangle(RECT{4, 4, 8, 4});
    c.surface->rectangle(RECT{8, 8, 2, 2});
    expectRectangle(c, RECT{}, RECT{}, true, true);
}

TEST(SurfaceRectangleTest, StaysInsideTheClipAndTheBitmap) {
    ShapeCanvas c(10, 10, 1);
    c.surface->setClipRect(RECT{3, 0, 10, 6});
    c.surface->rectangle(RECT{1, 1, 9, 9});
    c.surface->clearClip();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            COLORREF expected = white;
            if (x >= 3 && y < 6 && inside(RECT{1, 1, 9, 9}, x, y))
                expected = inside(RECT{2, 2, 8, 8}, x, y) ? blue : red;
            ASSERT_EQ(c.at(x, y), expected) << x << "," << y;
        }

    // Partly off every edge, wholly off, and at the ends of the coordinate
    // range with a pen wide enough to push the band past 32 bits.
    ShapeCanvas d(8, 8, 1);
    d.surface->rectangle(RECT{-5, -5, 3, 20});
    expectRectangle(d, RECT{-5, -5, 3, 20}, RECT{-4, -4, 2, 19}, true, true);
    d.surface->rectangle(RECT{20, 20, 30, 30});
    expectRectangle(d, RECT{-5, -5, 3, 20}, RECT{-4, -4, 2, 19}, true, true);
    d.surface->rectangle(RECT{-huge - 1, -huge - 1, huge, huge});
    EXPECT_EQ(d.picture(blue).find('.'), std::string::npos);
    d.surface->rectangle(RECT{-huge - 1, 2, huge, 5});
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(d.at(x, 1), blue);
        EXPECT_EQ(d.at(x, 2), red);
        EXPECT_EQ(d.at(x, 3), blue);
        EXPECT_EQ(d.at(x, 4), red);
        EXPECT_EQ(d.at(x, 5), blue);
    }

    ShapeCanvas e(8, 8, huge);
    e.surface->rectangle(RECT{100, 100, 200, 200});
    EXPECT_EQ(e.picture(red).find('.'), std::string::npos);
}

TEST(SurfaceRectangleTest, NoBitmapDrawsNothing) {
    Surface surface;
    surface.rectangle(RECT{0, 0, 5, 5});
    surface.ellipse(RECT{0, 0, 5, 5});
    EXPECT_EQ(surface.pixel(0, 0), invalidColour);
}

// --- ellipse -----------------------------------------------------------------

using Grid = std::vector<std::vector<bool>>;

Grid makeGrid(int w, int h) {
    return Grid(std::size_t(h), std::vector<bool>(std::size_t(w)));
}

// The pixels of the canvas that have `colour`, as a grid.
Grid mask(const Canvas24& c, COLORREF colour) {
    Grid m = makeGrid(c.bitmap->width(), c.bitmap->height());
    for (int y = 0; y < c.bitmap->height(); ++y)
        for (int x = 0; x < c.bitmap->width(); ++x)
            m[std::size_t(y)][std::size_t(x)] = c.at(x, y) == colour;
    return m;
}

// Checks the drawn shape is symmetric in `box` on both axes, stays inside it
// and (when `spansBox`) leaves no row or column of it empty.
void expectSymmetricIn(const Canvas24& c, const RECT& box, COLORREF colour, bool spansBox = true) {
    const auto m = mask(c, colour);
    std::vector<bool> rowUsed(std::size_t(box.bottom - box.top)),
        columnUsed(std::size_t(box.right - box.left));
    for (int y = 0; y < c.bitmap->height(); ++y)
        for (int x = 0; x < c.bitmap->width(); ++x) {
            if (!m[std::size_t(y)][std::size_t(x)]) continue;
            ASSERT_TRUE(inside(box, x, y)) << x << "," << y << "\n" << c.picture(colour);
            const int mx = box.left + box.right - 1 - x, my = box.top + box.bottom - 1 - y;
            ASSERT_TRUE(m[std::size_t(y)][std::size_t(mx)]) << x << "," << y << "\n"
                                                            << c.picture(colour);
            ASSERT_TRUE(m[std::size_t(my)][std::size_t(x)]) << x << "," << y << "\n"
                                                            << c.picture(colour);
            rowUsed[std::size_t(y - box.top)] = true;
            columnUsed[std::size_t(x - box.left)] = true;
        }
    if (!spansBox) return;
    for (bool used : rowUsed)
        ASSERT_TRUE(used) << c.picture(colour);
    for (bool used : columnUsed)
        ASSERT_TRUE(used) << c.picture(colour);
}

TEST(SurfaceEllipseTest, KnownSmallShapes) {
    struct Case {
        RECT box;
        const char* picture;
    };
    const Case cases[] = {
        {RECT{1, 1, 2, 2}, "......\n.#....\n......\n......\n"},
        {RECT{1, 1, 3, 3}, "......\n.##...\n.##...\n......\n"},
        {RECT{0, 0, 1, 4}, "#.....\n#.....\n#.....\n#.....\n"},
        {RECT{0, 0, 5, 4}, ".###..\n#####.\n#####.\n.###..\n"},
        {RECT{0, 0, 5, 3}, ".###..\n#####.\n.###..\n......\n"},
    };
    for (const Case& k : cases) {
        ShapeCanvas c(6, 4, 1);
        const Brush fill = Brush::solid(red);
        c.surface->selectBrush(&fill);
        c.surface->ellipse(k.box);
        EXPECT_EQ(c.picture(red), k.picture);
    }
}

TEST(SurfaceEllipseTest, FilledEllipsesAreSymmetricForEverySize) {
    for (int w = 1; w <= 13; ++w)
        for (int h = 1; h <= 13; ++h) {
            ShapeCanvas c(16, 16, 1);
            const Brush fill = Brush::solid(red);
            c.surface->selectBrush(&fill);
            const RECT box{1, 2, 1 + w, 2 + h};
            c.surface->ellipse(box);
            SCOPED_TRACE(::testing::Message() << w << "x" << h);
            expectSymmetricIn(c, box, red);

            // Turning the box a quarter turn turns the shape with it.
            ShapeCanvas t(16, 16, 1);
            t.surface->selectBrush(&fill);
            t.surface->ellipse(RECT{2, 1, 2 + h, 1 + w});
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(c.at(x, y) == red, t.at(y, x) == red) << x << "," << y;
        }
}

// Ring pixels form one 8-connected piece, and no interior pixel has a
// 4-neighbour outside the shape, so the outline is closed.
void expectClosedRing(const Canvas24& c, COLORREF ring, COLORREF interior) {
    const auto m = mask(c, ring);
    const int w = c.bitmap->width(), h = c.bitmap->height();
    Grid seen = makeGrid(w, h);
    int total = 0;
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (m[std::size_t(y)][std::size_t(x)] && total++ == 0) todo.push_back({x, y});
    int reached = 0;
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (seen[std::size_t(y)][std::size_t(x)]) continue;
        seen[std::size_t(y)][std::size_t(x)] = true;
        ++reached;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < w && ny < h && m[std::size_t(ny)][std::size_t(nx)] &&
                    !seen[std::size_t(ny)][std::size_t(nx)])
                    todo.push_back({nx, ny});
            }
    }
    ASSERT_EQ(reached, total) << c.picture(ring);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (c.at(x, y) != interior) continue;
            for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                const COLORREF n = c.at(nx, ny);
                ASSERT_TRUE(n == ring || n == interior) << x << "," << y << "\n" << c.picture(ring);
            }
        }
}

TEST(SurfaceEllipseTest, OutlinesAreClosedSymmetricRingsAroundTheBrush) {
    for (int penWidth : {1, 2, 3, 4})
        for (int w = 1; w <= 22; w += 3)
            for (int h = 1; h <= 22; h += 2) {
                SCOPED_TRACE(::testing::Message() << "pen " << penWidth << ", " << w << "x" << h);
                ShapeCanvas c(32, 32, penWidth);
                const RECT box{5, 4, 5 + w, 4 + h};
                c.surface->ellipse(box);
                expectClosedRing(c, red, blue);
                const int g = (penWidth - 1) / 2;
                const RECT outer{box.left - g, box.top - g, box.right + g, box.bottom + g};
                expectSymmetricIn(c, outer, red);
                expectSymmetricIn(c, outer, blue, false);
            }
}

TEST(SurfaceEllipseTest, RingAndInteriorMakeUpTheFilledShape) {
    for (int penWidth : {1, 3, 6}) {
        ShapeCanvas outlined(32, 32, penWidth);
        outlined.surface->ellipse(RECT{6, 5, 26, 19});
        ShapeCanvas filled(32, 32, 1);
        const Brush fill = Brush::solid(red);
        filled.surface->selectBrush(&fill);
        const int g = (penWidth - 1) / 2;
        filled.surface->ellipse(RECT{6 - g, 5 - g, 26 + g, 19 + g});
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(outlined.at(x, y) != white, filled.at(x, y) == red)
                    << penWidth << ": " << x << "," << y;
    }
}

TEST(SurfaceEllipseTest, OnePixelRingStaysInsideTheBoxAndTouchesEveryEdge) {
    ShapeCanvas c(20, 20, 1, true, false);
    c.surface->ellipse(RECT{3, 4, 17, 13});
    expectSymmetricIn(c, RECT{3, 4, 17, 13}, red);
    EXPECT_EQ(c.at(10, 4), red);
    EXPECT_EQ(c.at(3, 8), red);
    EXPECT_EQ(c.at(16, 8), red);
    EXPECT_EQ(c.at(10, 12), red);
    EXPECT_EQ(c.at(10, 8), white);  // no brush: the inside is left alone
}

TEST(SurfaceEllipseTest, WithoutAPenTheBrushKeepsToTheInterior) {
    ShapeCanvas outlined(20, 20, 1);
    outlined.surface->ellipse(RECT{2, 2, 18, 15});
    ShapeCanvas bare(20, 20, 1, false, true);
    bare.surface->ellipse(RECT{2, 2, 18, 15});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(bare.at(x, y), outlined.at(x, y) == blue ? blue : white) << x << "," << y;
}

// As an outlined shape is drawn over a picture that must keep its interior:
// a pattern brush made from a copy of the picture repaints the inside with
// what was there, and only the ring changes.
TEST(SurfaceEllipseTest, PatternBrushTilesTheInteriorFromTheSurfaceOrigin) {
    Canvas24 c(24, 20);
    paintPattern(*c.bitmap);
    auto copy = Bitmap::createCompatible(24, 20);
    paintPattern(*copy);
    const Brush keep = Brush::pattern(copy.get());
    const Pen pen = Pen::solid(2, red);
    c.surface->selectBrush(&keep);
    c.surface->selectPen(&pen);
    c.surface->ellipse(RECT{3, 2, 21, 17});
    int ring = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x) {
            if (c.at(x, y) == red) {
                ++ring;
                continue;
            }
            ASSERT_EQ(c.at(x, y), patternColour(x, y)) << x << "," << y;
        }
    EXPECT_GT(ring, 40);
    EXPECT_EQ(c.at(12, 9), patternColour(12, 9));

    // A pattern smaller than the surface repeats from (0, 0), not from the shape.
    auto tile = Bitmap::createCompatible(3, 2);
    paintPattern(*tile);
    const Brush tiled = Brush::pattern(tile.get());
    c.surface->selectBrush(&tiled);
    c.surface->selectPen(nullptr);
    c.surface->ellipse(RECT{5, 5, 19, 16});
    for (int y = 9; y < 12; ++y)
        for (int x = 9; x < 15; ++x)
            ASSERT_EQ(c.at(x, y), patternColour(x % 3, y % 2)) << x << "," << y;
}

TEST(SurfaceEllipseTest, StaysInsideTheClipAndTheBitmap) {
    ShapeCanvas whole(16, 16, 2);
    whole.surface->ellipse(RECT{1, 2, 15, 14});
    ShapeCanvas clipped(16, 16, 2);
    const RECT clip{4, 3, 11, 9};
    clipped.surface->setClipRect(clip);
    clipped.surface->ellipse(RECT{1, 2, 15, 14});
    clipped.surface->clearClip();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(clipped.at(x, y), inside(clip, x, y) ? whole.at(x, y) : white)
                << x << "," << y;

    // Partly off the bitmap on every side: what shows is the same part of the
    // same shape as on a larger bitmap.
    ShapeCanvas big(40, 40, 3);
    big.surface->ellipse(RECT{2, 5, 38, 30});
    ShapeCanvas small(20, 12, 3);
    small.surface->ellipse(RECT{2 - 12, 5 - 14, 38 - 12, 30 - 14});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(small.at(x, y), big.at(x + 12, y + 14)) << x << "," << y;

    // Wholly off, and across the whole coordinate range.
    ShapeCanvas off(8, 8, 5);
    off.surface->ellipse(RECT{-30, -30, -10, -2});
    off.surface->ellipse(RECT{10, 0, 30, 8});  // the 5-pixel band reaches x = 8
    EXPECT_EQ(off.picture(white).find('.'), std::string::npos);
    off.surface->ellipse(RECT{-huge - 1, -huge - 1, huge, huge});
    // Far larger than the bitmap: its bottom edge crosses it nearly straight.
    off.surface->ellipse(RECT{-3000000, -1000, 3000000, 4});
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(off.at(x, 0), blue);
        for (int y = 1; y < 6; ++y)
            EXPECT_EQ(off.at(x, y), red);
        EXPECT_EQ(off.at(x, 6), white);
    }
}

}  // namespace
}  // namespace platform
