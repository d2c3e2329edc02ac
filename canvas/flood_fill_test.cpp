#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"
#include "canvas/testing/maze.h"
#include "platform/gdi/pixel_scan.h"
#include "platform/memory/large_buffer.h"

namespace {

using canvas_testing::CanvasTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

// The scanline fill written out pixel by pixel on a plain copy of the
// picture: what the canvas's fast fill must match pixel for pixel, including
// where a full stack leaves parts unfilled.
struct ReferenceFill {
    std::int32_t w, h;
    std::vector<COLORREF> pixels;
    RECT dirty{};

    COLORREF& at(std::int32_t x, std::int32_t y) { return pixels[std::size_t(y * w + x)]; }
    std::uint32_t key(std::int32_t x, std::int32_t y) { return at(x, y) & 0xF8F8F8; }

    void span(std::int32_t cx, std::int32_t y, std::uint32_t target, COLORREF fill,
              std::int32_t& left, std::int32_t& end) {
        std::int32_t l = cx;
        while (l > 0 && key(l - 1, y) == target)
            --l;
        std::int32_t x = l;
        do {
            at(x, y) = fill;
            ++x;
        } while (x < w && (x <= cx || key(x, y) == target));
        left = l;
        end = x >= w ? w - 1 : x;
        dirty.top = std::min(dirty.top, y);
        dirty.bottom = std::max(dirty.bottom, y);
        dirty.left = std::min(dirty.left, l);
        dirty.right = std::max(dirty.right, end);
    }

    bool run(std::int32_t x, std::int32_t y, COLORREF colour, int capacity) {
        const std::uint32_t target = key(x, y);
        const COLORREF fill = colour & 0xF8F8F8;
        if (target == fill) return false;
        dirty = RECT{x, y, x, y};
        struct Entry {
            std::int32_t cx, row, left, end;
        };
        std::vector<Entry> stack;
        std::int32_t row = y, left, end;
        span(x, y, target, fill, left, end);
        std::int32_t cx = left;
        for (;;) {
            bool pop = false;
            if (int(stack.size()) >= capacity) {
                pop = true;
            } else if (row > 0 && key(cx, row - 1) == target) {
                stack.push_back({cx, row, left, end});
                --row;
                span(cx, row, target, fill, left, end);
                cx = left;
                continue;
            } else if (row < h - 1 && key(cx, row + 1) == target) {
                stack.push_back({cx, row, left, end});
                ++row;
                span(cx, row, target, fill, left, end);
                cx = left;
                continue;
            } else if (++cx >= end) {
                pop = true;
            }
            while (pop) {
                if (stack.empty()) {
                    ++dirty.right;
                    ++dirty.bottom;
                    return true;
                }
                const Entry e = stack.back();
                stack.pop_back();
                row = e.row;
                left = e.left;
                end = e.end;
                // Back to the position the span was left at: its way down
                // may still be open.
                cx = e.cx;
                pop = false;
            }
        }
    }
};

class FloodFillTest : public CanvasTest {
  protected:
    ReferenceFill reference() {
        ReferenceFill r{canvas.width(), canvas.height(), {}, {}};
        for (std::int32_t y = 0; y < r.h; ++y)
            for (std::int32_t x = 0; x < r.w; ++x)
                r.pixels.push_back(live(x, y));
        return r;
    }
    void expectPicture(ReferenceFill& r) {
        for (std::int32_t y = 0; y < r.h; ++y)
            for (std::int32_t x = 0; x < r.w; ++x)
                ASSERT_EQ(live(x, y), r.at(x, y)) << x << "," << y;
    }
    void wall(std::int32_t x, std::int32_t y) { setLive(x, y, black); }
};

TEST_F(FloodFillTest, FillsTheWholeWhiteCanvas) {
    ASSERT_TRUE(make(240, 320));
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(100, 100, black, dirty));
    EXPECT_EQ(dirty, (RECT{0, 0, 240, 320}));
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            ASSERT_EQ(live(x, y), black) << x << "," << y;
}

TEST_F(FloodFillTest, WhiteIsWrittenWithItsLowBitsDropped) {
    ASSERT_TRUE(make(8, 8));
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(0, 0, black, dirty));
    ASSERT_TRUE(canvas.floodFill(0, 0, white, dirty));
    EXPECT_EQ(live(3, 3), 0xF8F8F8u);
    // The same masked colour again changes nothing.
    EXPECT_FALSE(canvas.floodFill(0, 0, white, dirty));
    EXPECT_FALSE(canvas.floodFill(0, 0, 0xF9FAFB, dirty));
}

TEST_F(FloodFillTest, LowBitsDoNotMakeADifferentColour) {
    ASSERT_TRUE(make(8, 1));
    setLive(4, 0, 0xFAFDFF);
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(0, 0, black, dirty));
    EXPECT_EQ(live(4, 0), black);
    EXPECT_EQ(live(7, 0), black);
}

TEST_F(FloodFillTest, DirtyRightLiesOneBeyondASpanEndingAtAWall) {
    ASSERT_TRUE(make(20, 5));
    for (int y = 0; y < 5; ++y)
        wall(12, y);
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(3, 2, 0x0000FF, dirty));
    EXPECT_EQ(dirty, (RECT{0, 0, 13, 5}));
    EXPECT_EQ(live(11, 4), 0x0000F8u);
    EXPECT_EQ(live(13, 0), white);
}

TEST_F(FloodFillTest, ADiagonalWallHolds) {
    ASSERT_TRUE(make(16, 16));
    for (int i = 0; i < 16; ++i)
        wall(i, i);
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(0, 15, 0x00FF00, dirty));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x == y) continue;
            ASSERT_EQ(live(x, y), x < y ? 0x00F800u : white) << x << "," << y;
        }
    EXPECT_EQ(dirty, (RECT{0, 1, 16, 16}));
}

TEST_F(FloodFillTest, TheLastColumnOfASpanAtTheRightEdgeIsNotExamined) {
    // Column W - 1 below row 2 is reachable only through (W - 1, 2), the
    // last pixel of a span that reaches the right edge.
    ASSERT_TRUE(make(10, 6));
    for (int x = 0; x < 9; ++x)
        wall(x, 3);
    for (int y = 3; y < 6; ++y)
        wall(8, y);
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(2, 1, black, dirty));
    EXPECT_EQ(live(9, 2), black);
    EXPECT_EQ(live(9, 4), white);
    EXPECT_EQ(live(9, 5), white);
}

TEST_F(FloodFillTest, NothingOutsideTheCanvasOrWithoutAStack) {
    ASSERT_TRUE(make(8, 8));
    RECT dirty{};
    EXPECT_FALSE(canvas.floodFill(-1, 0, black, dirty));
    EXPECT_FALSE(canvas.floodFill(0, 8, black, dirty));
    {
        platform::AllocationLimit limit(1999 * sizeof(ScratchPoint));
        ASSERT_TRUE(canvas.create(&window, 8, 8, 8, 8));
    }
    ASSERT_EQ(canvas.scratchPoints(), nullptr);
    EXPECT_FALSE(canvas.floodFill(2, 2, black, dirty));
    EXPECT_EQ(live(2, 2), white);
}

TEST_F(FloodFillTest, MatchesTheScanlineRulesOnRandomPictures) {
    std::mt19937 random(11);
    for (int round = 0; round < 120; ++round) {
        // Half the rounds with the plain row searches of processors without
        // wide comparisons.
        platform::useWidePixelScans(round % 2 == 0);
        const auto w = std::uint16_t(1 + random() % 90), h = std::uint16_t(1 + random() % 60);
        ASSERT_TRUE(make(w, h));
        const int walls = int(random() % 3);  // sparse, dense, maze-like
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned r = random() % 100;
                if ((walls == 0 && r < 10) || (walls == 1 && r < 45) ||
                    (walls == 2 && (x % 2 == 1 && y % 2 == 1 ? true : r < 25)))
                    wall(x, y);
            }
        ReferenceFill expectedFill = reference();
        const std::int32_t x = std::int32_t(random() % w), y = std::int32_t(random() % h);
        const bool expectedResult = expectedFill.run(x, y, 0x3366CC, canvas.scratchCapacity());
        RECT dirty{};
        ASSERT_EQ(canvas.floodFill(x, y, 0x3366CC, dirty), expectedResult) << round;
        expectPicture(expectedFill);
        if (expectedResult) {
            EXPECT_EQ(dirty, expectedFill.dirty) << round;
        }
    }
    platform::useWidePixelScans(true);
}

TEST_F(FloodFillTest, AFullStackStillFillsAndReportsWhatItFilled) {
    // Three one-pixel columns joined at alternate ends: every row of them
    // is one more level of nesting, 2100 in all, past a stack of 2000.
    {
        platform::AllocationLimit limit(2999 * sizeof(ScratchPoint));
        ASSERT_TRUE(canvas.create(&window, 6, 700, 8, 8));
    }
    ASSERT_EQ(canvas.scratchCapacity(), 2000);
    for (int y = 0; y < 700; ++y) {
        if (y != 699) wall(1, y);
        if (y != 0) wall(3, y);
        wall(5, y);  // keeps the last corridor off the right edge
    }
    ReferenceFill expectedFill = reference();
    ReferenceFill unlimited = reference();
    ASSERT_TRUE(expectedFill.run(0, 0, 0xFF0000, 2000));
    ASSERT_TRUE(unlimited.run(0, 0, 0xFF0000, 100000));
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(0, 0, 0xFF0000, dirty));
    expectPicture(expectedFill);
    EXPECT_EQ(dirty, expectedFill.dirty);
    int filled = 0, reachable = 0;
    for (COLORREF p : expectedFill.pixels)
        filled += p == 0xF80000u;
    for (COLORREF p : unlimited.pixels)
        reachable += p == 0xF80000u;
    EXPECT_GT(filled, 1000);
    EXPECT_LT(filled, reachable);
    // The dirty rectangle holds every filled pixel.
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 6; ++x)
            if (live(x, y) == 0xF80000u) {
                ASSERT_GE(x, dirty.left);
                ASSERT_LT(x, dirty.right);
                ASSERT_GE(y, dirty.top);
                ASSERT_LT(y, dirty.bottom);
            }
}

}  // namespace

namespace {

TEST_F(FloodFillTest, FollowsTheCorridorsOfAMaze) {
    // A maze of one-pixel corridors carved by a random walk: every cell is
    // reachable from every other.
    ASSERT_TRUE(make(64, 64));
    canvas_testing::carveMaze(
        32, 5, [&](int x, int y) { wall(x, y); }, [&](int x, int y) { setLive(x, y, white); });
    ReferenceFill expectedFill = reference();
    ASSERT_TRUE(expectedFill.run(0, 0, 0x0000FF, 8000));
    RECT dirty{};
    ASSERT_TRUE(canvas.floodFill(0, 0, 0x0000FF, dirty));
    expectPicture(expectedFill);
    int cells = 0;
    for (int y = 0; y < 64; y += 2)
        for (int x = 0; x < 64; x += 2)
            cells += live(x, y) == 0x0000F8u;
    EXPECT_EQ(cells, 32 * 32);
}

}  // namespace
