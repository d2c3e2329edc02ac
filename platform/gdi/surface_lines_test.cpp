#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/testing/pixels.h"

namespace platform {
namespace {

using testing::Canvas24;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF red = 0x0000FF;
constexpr std::int32_t huge = std::numeric_limits<std::int32_t>::max();

struct LineCanvas : Canvas24 {
    Pen pen;
    LineCanvas(int w, int h, Pen p) : Canvas24(w, h), pen(p) { surface->selectPen(&pen); }
    void draw(std::initializer_list<POINT> points) {
        surface->polyline(points.begin(), points.size());
    }
    std::string picture() const { return Canvas24::picture(red); }
};

// The pixels in `picture` marked '#', listed row by row.
std::vector<POINT> inked(const std::string& picture, int width) {
    std::vector<POINT> out;
    for (std::size_t i = 0; i < picture.size(); ++i)
        if (picture[i] == '#')
            out.push_back(POINT{int(i % std::size_t(width + 1)), int(i / std::size_t(width + 1))});
    return out;
}

TEST(SurfacePolylineTest, OnePixelLinesLeaveOutTheirLastPixel) {
    LineCanvas c(10, 6, Pen::solid(1, red));
    c.draw({{1, 1}, {8, 1}});  // right
    c.draw({{8, 5}, {1, 5}});  // left
    c.draw({{0, 0}, {0, 5}});  // down
    c.draw({{9, 5}, {9, 1}});  // up
    EXPECT_EQ(c.picture(),
              "#.........\n"
              "########..\n"
              "#........#\n"
              "#........#\n"
              "#........#\n"
              "..########\n");
}

TEST(SurfacePolylineTest, SlopedLinesRoundToTheNearestPixel) {
    LineCanvas c(10, 10, Pen::solid(1, red));
    c.draw({{1, 1}, {8, 4}});
    EXPECT_EQ(c.picture().substr(0, 55),
              "..........\n"
              ".##.......\n"
              "...##.....\n"
              ".....##...\n"
              ".......#..\n");
    LineCanvas steep(6, 9, Pen::solid(1, red));
    steep.draw({{4, 8}, {1, 1}});  // up and to the left, minor steps on halves
    EXPECT_EQ(steep.picture(),
              "......\n"
              "......\n"
              ".#....\n"
              "..#...\n"
              "..#...\n"
              "...#..\n"
              "...#..\n"
              "....#.\n"
              "....#.\n");
}

TEST(SurfacePolylineTest, ClosedFigureCoversItsOutlineAndTheCorners) {
    LineCanvas c(12, 9, Pen::solid(1, red));
    c.draw({{2, 2}, {2, 6}, {9, 6}, {9, 2}, {2, 2}});
    Canvas24 frame(12, 9);
    const Brush none = Brush::solid(white);
    const Pen pen = Pen::solid(1, red);
    frame.surface->selectPen(&pen);
    frame.surface->selectBrush(&none);
    frame.surface->rectangle(RECT{2, 2, 10, 7});
    EXPECT_EQ(c.picture(), frame.picture(red));
}

TEST(SurfacePolylineTest, DashesRunOnAcrossCornersAndRestartWithEachCall) {
    LineCanvas c(14, 10, Pen::dashed(1, red));
    c.draw({{2, 2}, {12, 2}, {12, 9}});
    EXPECT_EQ(c.picture(),
              "..............\n"
              "..............\n"
              "..####....###.\n"
              "............#.\n"
              "..............\n"
              "..............\n"
              "..............\n"
              "..............\n"
              "............#.\n"
              "..............\n");
    LineCanvas d(14, 3, Pen::dashed(1, red));
    d.draw({{0, 0}, {6, 0}});
    d.draw({{0, 1}, {6, 1}});
    d.draw({{13, 2}, {0, 2}});
    EXPECT_EQ(d.picture(),
              "####..........\n"
              "####..........\n"
              "..####....####\n");
}

TEST(SurfacePolylineTest, WidePensDrawBandsOfTheirWidth) {
    for (std::int32_t width = 1; width <= 6; ++width) {
        SCOPED_TRACE(::testing::Message() << "width " << width);
        const int g = (width - 1) / 2;
        LineCanvas h(24, 24, Pen::solid(width, red));
        h.draw({{2, 10}, {21, 10}});
        LineCanvas v(24, 24, Pen::solid(width, red));
        v.draw({{10, 21}, {10, 2}});
        for (int k = 0; k < 24; ++k) {
            const bool inBand = k >= 10 - g && k < 10 - g + width;
            EXPECT_EQ(h.at(12, k) == red, inBand) << k << "\n" << h.picture();
            EXPECT_EQ(v.at(k, 12) == red, inBand) << k << "\n" << v.picture();
        }
    }
    // A 2-pixel pen's square stamp makes a horizontal line two rows deep,
    // reaching one pixel past the end point it leaves out.
    LineCanvas two(8, 4, Pen::solid(2, red));
    two.draw({{1, 1}, {5, 1}});
    EXPECT_EQ(two.picture(),
              "........\n"
              ".#####..\n"
              ".#####..\n"
              "........\n");
    // Across a diagonal, a 3-pixel pen covers the two pixels either side.
    LineCanvas diagonal(24, 24, Pen::solid(3, red));
    diagonal.draw({{4, 4}, {20, 20}});
    for (int x = 0; x < 24; ++x)
        EXPECT_EQ(diagonal.at(x, 12) == red, x >= 10 && x < 15) << x;
}

// Wide pens stamp a disc at every pixel the 1-pixel line covers; the result
// must be exactly the union of those discs, dashes included.
TEST(SurfacePolylineTest, WideLinesAreTheUnionOfTheirStamps) {
    const std::initializer_list<POINT> paths[] = {
        {{3, 4}, {27, 13}},
        {{26, 2}, {5, 28}, {28, 27}},
        {{15, 15}, {15, 15}, {2, 15}, {17, 3}},
    };
    for (bool dashed : {false, true})
        for (std::int32_t width : {2, 3, 4, 7})
            for (const auto& path : paths) {
                SCOPED_TRACE(::testing::Message() << "width " << width << " dashed " << dashed);
                LineCanvas thin(32, 32, dashed ? Pen::dashed(1, red) : Pen::solid(1, red));
                thin.draw(path);
                LineCanvas wide(32, 32, dashed ? Pen::dashed(width, red) : Pen::solid(width, red));
                wide.draw(path);

                // A filled ellipse drawn with a 1-pixel pen of the brush's
                // colour covers exactly its inscribed disc.
                Canvas24 expected(32, 32);
                const Brush fill = Brush::solid(red);
                const Pen edge = Pen::solid(1, red);
                expected.surface->selectPen(&edge);
                expected.surface->selectBrush(&fill);
                const int g = (width - 1) / 2;
                for (const POINT& p : inked(thin.picture(), 32))
                    expected.surface->ellipse(
                        RECT{p.x - g, p.y - g, p.x - g + width, p.y - g + width});
                ASSERT_EQ(wide.picture(), expected.picture(red));
            }
}

TEST(SurfacePolylineTest, DashedWidePensStampTheSamePattern) {
    LineCanvas c(16, 5, Pen::dashed(3, red));
    c.draw({{1, 2}, {15, 2}});
    // Stamps at x = 1..4 and 9..12, each reaching one pixel either side.
    EXPECT_EQ(c.picture(),
              "................\n"
              "######..######..\n"
              "######..######..\n"
              "######..######..\n"
              "................\n");
}

TEST(SurfacePolylineTest, StaysInsideTheClip) {
    LineCanvas whole(20, 20, Pen::solid(3, red));
    whole.draw({{1, 2}, {18, 17}, {3, 15}, {10, 1}});
    LineCanvas clipped(20, 20, Pen::solid(3, red));
    const RECT clip{4, 5, 13, 16};
    clipped.surface->setClipRect(clip);
    clipped.draw({{1, 2}, {18, 17}, {3, 15}, {10, 1}});
    clipped.surface->clearClip();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool in = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(clipped.at(x, y), in ? whole.at(x, y) : white) << x << "," << y;
        }
}

TEST(SurfacePolylineTest, LinesFarOffTheBitmapDrawOnlyWhatShows) {
    LineCanvas c(8, 8, Pen::solid(1, red));
    c.draw({{-2000000000, 3}, {2000000000, 3}});
    c.draw({{-huge - 1, -huge - 1}, {huge, huge}});
    EXPECT_EQ(c.picture(),
              "#.......\n"
              ".#......\n"
              "..#.....\n"
              "########\n"
              "....#...\n"
              ".....#..\n"
              "......#.\n"
              ".......#\n");

    // Entering the bitmap part-way through the dash pattern: x = 0 is step
    // 1001 of the line, phase 1.
    LineCanvas dashed(12, 1, Pen::dashed(1, red));
    dashed.draw({{-1001, 0}, {12, 0}});
    EXPECT_EQ(dashed.picture(), "###....####.\n");

    // A wide pen centred off the bitmap still reaches in; nothing else is written.
    LineCanvas wide(8, 4, Pen::solid(5, red));
    wide.draw({{-huge - 1, -2}, {huge, -2}});
    wide.draw({{-50, 40}, {60, 30}});
    wide.draw({{100, -100}, {100, 100}});
    EXPECT_EQ(wide.picture(),
              "########\n"
              "........\n"
              "........\n"
              "........\n");

    LineCanvas broad(8, 4, Pen::solid(huge, red));
    broad.draw({{20, 1000}, {30, 1000}});
    EXPECT_EQ(broad.picture().find('.'), std::string::npos);
}

TEST(SurfacePolylineTest, TooFewPointsOrNothingSelectedDrawsNothing) {
    LineCanvas c(6, 6, Pen::solid(3, red));
    const POINT points[] = {{1, 1}, {4, 4}};
    c.surface->polyline(points, 1);
    c.surface->polyline(points, 0);
    c.surface->polyline(nullptr, 2);
    c.draw({{2, 2}, {2, 2}});  // zero length: its only pixel is its last
    c.surface->selectPen(nullptr);
    c.surface->polyline(points, 2);
    EXPECT_EQ(c.picture().find('#'), std::string::npos);
    Surface unbound;
    unbound.polyline(points, 2);
}

}  // namespace
}  // namespace platform
