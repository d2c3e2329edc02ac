#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"

namespace {

using canvas_testing::CanvasTest;
using canvas_testing::uniqueColour;
using canvas_testing::windowPixel;

constexpr COLORREF grey = 0xC0C0C0;
constexpr COLORREF stale = 0xFF00FF;  // what the window showed before the pass

class RenderPassTest : public CanvasTest {
  protected:
    // Fills the window with a colour no pass paints, so any pixel a pass
    // forgets shows up.
    void markWindow() {
        platform::Surface surface(&window.backingStore());
        surface.fillRect(window.clientRect(), platform::Brush::solid(stale));
    }

    // What view pixel (vx, vy) must show after a pass: the canvas pixel a
    // stylus there maps to, or the grey margin beyond the picture's far corner.
    COLORREF expected(std::int32_t vx, std::int32_t vy, std::int16_t sx, std::int16_t sy,
                      int z) const {
        const std::int32_t w = canvas.width(), h = canvas.height();
        std::int32_t ex, ey, cx, cy;
        if (z >= 0) {
            const std::int32_t f = 1 << z;
            ex = w * f - sx;
            ey = h * f - sy;
            cx = (sx + vx) / f;
            cy = (sy + vy) / f;
        } else {
            const std::int32_t f = 1 << -z;
            ex = (w - sx * f) / f;
            ey = (h - sy * f) / f;
            cx = (sx + vx) * f;
            cy = (sy + vy) * f;
        }
        if (vx >= ex || vy >= ey) return grey;
        return uniqueColour(cx, cy);
    }

    void expectView(std::int16_t sx, std::int16_t sy, int z) {
        markWindow();
        renderView(sx, sy, std::int16_t(z));
        const RECT client = window.clientRect();
        int wrong = 0;
        for (std::int32_t vy = 0; vy < client.bottom; ++vy)
            for (std::int32_t vx = 0; vx < client.right; ++vx) {
                const COLORREF want = expected(vx, vy, sx, sy, z);
                const COLORREF got = windowPixel(window, vx, vy);
                if (got != want && ++wrong <= 5)
                    ADD_FAILURE() << "zoom " << z << " scroll " << sx << "," << sy << " client "
                                  << client.right << "x" << client.bottom << ": view pixel " << vx
                                  << "," << vy << " is " << std::hex << got << " not " << want;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    }

    // Every pixel the window shows, row by row.
    std::vector<COLORREF> shown() {
        const RECT client = window.clientRect();
        std::vector<COLORREF> pixels;
        for (std::int32_t vy = 0; vy < client.bottom; ++vy)
            for (std::int32_t vx = 0; vx < client.right; ++vx)
                pixels.push_back(windowPixel(window, vx, vy));
        return pixels;
    }

    // Scroll positions the view itself would allow for this zoom and client.
    std::int16_t clampedScroll(std::int32_t want, std::uint16_t size, std::int32_t client, int z) {
        const std::int32_t extent = z >= 0 ? (size - 1) << z : size >> -z;
        const std::int32_t max = extent > client ? extent - client : 0;
        return std::int16_t(want < 0 ? 0 : want > max ? max : want);
    }
};

TEST_F(RenderPassTest, EveryZoomStepShowsThePictureThroughTheMapping) {
    ASSERT_TRUE(make(300, 350));
    paintLivePattern();
    struct Client {
        std::int32_t w, h;
    };
    for (Client client : {Client{240, 268}, Client{173, 301}, Client{640, 480}}) {
        window.resize(client.w, client.h);
        for (int z = -2; z <= 4; ++z)
            for (auto [wantX, wantY] :
                 {std::pair{0, 0}, {1, 3}, {37, 20}, {101, 77}, {5000, 5000}}) {
                const auto sx = clampedScroll(wantX, 300, client.w, z);
                const auto sy = clampedScroll(wantY, 350, client.h, z);
                expectView(sx, sy, z);
            }
    }
}

TEST_F(RenderPassTest, ScrollPositionsOnWholeCanvasPixelsShowWhatTheyAlwaysShowed) {
    ASSERT_TRUE(make(300, 350));
    paintLivePattern();
    for (int z = 1; z <= 4; ++z) {
        const std::int16_t f = std::int16_t(1 << z);
        const std::int16_t sx = std::int16_t(3 * f), sy = std::int16_t(5 * f);
        markWindow();
        renderView(sx, sy, std::int16_t(z));
        for (std::int32_t vy = 0; vy < 268; vy += 3)
            for (std::int32_t vx = 0; vx < 240; vx += 5)
                ASSERT_EQ(windowPixel(window, vx, vy),
                          uniqueColour(sx / f + vx / f, sy / f + vy / f))
                    << "zoom " << z << " at " << vx << "," << vy;
    }
}

TEST_F(RenderPassTest, ScrollingOneViewPixelMovesThePictureOneViewPixel) {
    ASSERT_TRUE(make(300, 350));
    paintLivePattern();
    for (int z = -2; z <= 4; ++z) {
        renderView(20, 11, std::int16_t(z));
        const std::vector<COLORREF> before = shown();
        renderView(21, 12, std::int16_t(z));
        for (std::int32_t vy = 0; vy + 1 < 268; vy += 7)
            for (std::int32_t vx = 0; vx + 1 < 240; vx += 3)
                ASSERT_EQ(windowPixel(window, vx, vy), before[std::size_t((vy + 1) * 240 + vx + 1)])
                    << "zoom " << z << " at " << vx << "," << vy;
    }
}

TEST_F(RenderPassTest, OnTheWindowACanvasPixelMapsToTheViewPixelsShowingIt) {
    ASSERT_TRUE(make(300, 350));
    paintLivePattern();
    const RECT client = window.clientRect();
    for (int z = 0; z <= 4; ++z)
        for (auto [sx, sy] :
             {std::pair<std::int16_t, std::int16_t>{0, 0}, {1, 3}, {13, 7}, {37, 21}}) {
            renderView(sx, sy, std::int16_t(z));
            canvas.beginRender(false, sx, sy, std::int16_t(z), &client, &client, false);
            canvas.setViewTransform(false, false, sx, sy, std::int16_t(z), &client, &client);
            const std::int32_t f = 1 << z;
            for (std::int32_t c = (sx + f - 1) / f; c < (sx + 200) / f; ++c) {
                POINT p[1] = {{c, c}};
                canvas.toDevice(p, 1, nullptr);
                // The pixel mapped to is the first of the canvas pixel's block.
                ASSERT_EQ(windowPixel(window, p[0].x, 100), uniqueColour(c, (sy + 100) / f))
                    << "zoom " << z << " scroll " << sx << " canvas " << c;
                if (p[0].x > 0) {
                    ASSERT_EQ(windowPixel(window, p[0].x - 1, 100),
                              uniqueColour(c - 1, (sy + 100) / f));
                }
                ASSERT_EQ(p[0].y, c * f - sy);
                canvas.toCanvas(p, 1);
                ASSERT_EQ(p[0], (POINT{c, c}));
            }
            // Every view pixel maps back to the canvas pixel it shows.
            for (std::int32_t v = 0; v < 240; v += 7) {
                POINT p[1] = {{v, v}};
                canvas.toCanvas(p, 1);
                ASSERT_EQ(p[0], (POINT{(v + sx) / f, (v + sy) / f}));
            }
            canvas.endRender();
        }
}

// A quick refresh shows a changed region straight onto the window, without
// rebuilding the view: it must leave the window as a full repaint would.
TEST_F(RenderPassTest, AQuickRefreshShowsWhatAFullRepaintShows) {
    ASSERT_TRUE(make(300, 350));
    const RECT client = window.clientRect();
    const auto refreshed = [&](const RECT& region, std::int16_t sx, std::int16_t sy, int z) {
        canvas.beginRender(false, sx, sy, std::int16_t(z), &client, &client, false);
        canvas.setViewTransform(false, false, sx, sy, std::int16_t(z), &client, &client);
        canvas.blitRegion(region, POINT{region.left, region.top}, false, true);
        canvas.endRender();
    };
    for (int z = -2; z <= 4; ++z)
        for (auto [sx, sy] : {std::pair<std::int16_t, std::int16_t>{0, 0}, {1, 3}, {13, 7}}) {
            // Regions across the picture's top-left corner and across the
            // view's top-left corner, of sizes on and off the reduction grid.
            const std::int32_t x0 = z >= 0 ? sx >> z : sx << -z;
            const std::int32_t y0 = z >= 0 ? sy >> z : sy << -z;
            for (RECT region :
                 {RECT{-3, -2, 5, 6}, RECT{-1, -6, 2, 1}, RECT{2, 1, 9, 3},
                  RECT{x0 - 3, y0 - 5, x0 + 4, y0 + 2}, RECT{x0 - 1, y0 - 2, x0 + 17, y0 + 9},
                  RECT{x0 + 5, y0 + 6, x0 + 7, y0 + 8}}) {
                paintLivePattern();
                renderView(sx, sy, std::int16_t(z));
                for (std::int32_t y = std::max(region.top, 0); y < region.bottom; ++y)
                    for (std::int32_t x = std::max(region.left, 0); x < region.right; ++x)
                        setLive(x, y, uniqueColour(x + 1000, y + 1000));
                refreshed(region, sx, sy, z);
                const std::vector<COLORREF> quick = shown();
                renderView(sx, sy, std::int16_t(z));
                int wrong = 0;
                for (std::int32_t vy = 0; vy < client.bottom; ++vy)
                    for (std::int32_t vx = 0; vx < client.right; ++vx) {
                        const COLORREF q = quick[std::size_t(vy * client.right + vx)];
                        if (q != windowPixel(window, vx, vy) && ++wrong <= 3)
                            ADD_FAILURE()
                                << "zoom " << z << " scroll " << sx << "," << sy << " region "
                                << region.left << "," << region.top << ".." << region.right << ","
                                << region.bottom << ": view pixel " << vx << "," << vy;
                    }
                ASSERT_EQ(wrong, 0);
            }
        }
}

// The margins only change when the view is rebuilt: a quick refresh shows
// its region and leaves them, however small the picture in a wide view.
TEST_F(RenderPassTest, AQuickRefreshLeavesTheMarginsAlone) {
    ASSERT_TRUE(make(100, 100));
    const RECT client = window.clientRect();
    for (int z = -1; z <= 1; ++z) {
        renderView(0, 0, std::int16_t(z));
        markWindow();
        setLive(10, 10, uniqueColour(1, 2));
        canvas.beginRender(false, 0, 0, std::int16_t(z), &client, &client, false);
        canvas.setViewTransform(false, false, 0, 0, std::int16_t(z), &client, &client);
        canvas.blitRegion(RECT{10, 10, 11, 11}, POINT{10, 10}, false, true);
        canvas.endRender();
        const POINT shownAt = z >= 0 ? POINT{10 << z, 10 << z} : POINT{5, 5};
        EXPECT_EQ(windowPixel(window, shownAt.x, shownAt.y), uniqueColour(1, 2)) << z;
        EXPECT_EQ(windowPixel(window, 230, 5), stale) << z;
        EXPECT_EQ(windowPixel(window, 5, 260), stale) << z;
        renderView(0, 0, std::int16_t(z));
        EXPECT_EQ(windowPixel(window, 230, 5), grey) << z;
        EXPECT_EQ(windowPixel(window, 5, 260), grey) << z;
    }
}

TEST_F(RenderPassTest, AtFullSizeAViewInsideTheCanvasHasNoMargin) {
    ASSERT_TRUE(make(240, 320));
    paintLivePattern();
    markWindow();
    renderView(0, 0, 0);
    for (std::int32_t y = 0; y < 268; ++y) {
        ASSERT_EQ(windowPixel(window, 0, y), uniqueColour(0, y));
        ASSERT_EQ(windowPixel(window, 239, y), uniqueColour(239, y));
    }
}

TEST_F(RenderPassTest, AtFourHundredPercentAPixelIsAFourByFourBlock) {
    ASSERT_TRUE(make(240, 320));
    paintLivePattern();
    renderView(40, 0, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(windowPixel(window, x, y), uniqueColour(10, 0));
    EXPECT_EQ(windowPixel(window, 4, 0), uniqueColour(11, 0));
    EXPECT_EQ(windowPixel(window, 0, 4), uniqueColour(10, 1));
}

TEST_F(RenderPassTest, AtHalfSizeTheRestOfTheClientIsGrey) {
    ASSERT_TRUE(make(240, 320));
    paintLivePattern();
    renderView(0, 0, -1);
    EXPECT_EQ(windowPixel(window, 119, 0), uniqueColour(238, 0));
    EXPECT_EQ(windowPixel(window, 120, 0), grey);
    EXPECT_EQ(windowPixel(window, 239, 267), grey);
    EXPECT_EQ(windowPixel(window, 0, 159), uniqueColour(0, 318));
    EXPECT_EQ(windowPixel(window, 0, 160), grey);
}

TEST_F(RenderPassTest, APassWithoutAWindowSurfaceStaysIdleAndDrawsNothing) {
    ASSERT_TRUE(make(50, 50));
    markWindow();
    const int presented = window.presentCount();
    window.setSurfaceAvailable(false);
    const RECT client = window.clientRect();
    canvas.beginRender(false, 0, 0, 0, &client, &client, false);
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    canvas.setViewTransform(true, true, 0, 0, 0, &client, &client);
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    canvas.drawRectangle(RECT{0, 0, 10, 10}, 0, 1, true);
    canvas.composeZoom();
    canvas.endRender();
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    EXPECT_EQ(window.presentCount(), presented);
    window.setSurfaceAvailable(true);
    EXPECT_EQ(windowPixel(window, 5, 5), stale);
    EXPECT_EQ(live(5, 5), 0xFFFFFFu);
}

TEST_F(RenderPassTest, APassPresentsOnce) {
    ASSERT_TRUE(make(50, 50));
    const int presented = window.presentCount();
    renderView(0, 0, 0);
    EXPECT_EQ(window.presentCount(), presented + 1);
}

TEST_F(RenderPassTest, TheStatesFollowThePass) {
    ASSERT_TRUE(make(50, 50));
    const RECT client = window.clientRect();
    canvas.beginRender(true, 0, 0, 1, &client, &client, false);
    EXPECT_EQ(canvas.renderState(), RenderState::Begun);
    canvas.composeZoom();  // wrong state: nothing
    EXPECT_EQ(canvas.renderState(), RenderState::Begun);
    canvas.setViewTransform(true, true, 0, 0, 1, &client, &client);
    EXPECT_EQ(canvas.renderState(), RenderState::Mapped);
    canvas.setViewTransform(true, true, 2, 2, 1, &client, &client);  // only stores
    EXPECT_EQ(canvas.renderState(), RenderState::Mapped);
    EXPECT_EQ(canvas.scrollX(), 2);
    canvas.composeZoom();
    EXPECT_EQ(canvas.renderState(), RenderState::Zoomed);
    canvas.endRender();
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    EXPECT_EQ(canvas.target(), nullptr);
}

TEST_F(RenderPassTest, OverlayPassesShowTheMagnifiedBufferUnscaled) {
    ASSERT_TRUE(make(300, 350));
    paintLivePattern();
    for (int z = -2; z <= 4; ++z) {
        markWindow();
        const RECT client = window.clientRect();
        canvas.beginRender(true, 8, 4, std::int16_t(z), &client, &client, false);
        canvas.setViewTransform(true, true, 8, 4, std::int16_t(z), &client, &client);
        canvas.composeZoom();
        canvas.endRender();
        for (std::int32_t vy = 0; vy < client.bottom; vy += 7)
            for (std::int32_t vx = 0; vx < client.right; vx += 5)
                ASSERT_EQ(windowPixel(window, vx, vy), expected(vx, vy, 8, 4, z))
                    << "zoom " << z << " at " << vx << "," << vy;
    }
}

TEST_F(RenderPassTest, MappingFollowsTheTarget) {
    ASSERT_TRUE(make(240, 320));
    const RECT client = window.clientRect();
    POINT p[1] = {{13, 7}};
    std::int16_t width = 3;
    canvas.beginRender(false, 40, 8, 2, &client, &client, false);
    canvas.toDevice(p, 1, &width);  // Begun: unchanged
    EXPECT_EQ(p[0], (POINT{13, 7}));
    EXPECT_EQ(width, 3);

    // Onto the window at 400 %: scaled, from the scrolled origin.
    canvas.setViewTransform(false, false, 40, 8, 2, &client, &client);
    canvas.toDevice(p, 1, &width);
    EXPECT_EQ(p[0], (POINT{(13 - 10) * 4, (7 - 2) * 4}));
    EXPECT_EQ(width, 12);
    canvas.toCanvas(p, 1);
    EXPECT_EQ(p[0], (POINT{13, 7}));
    canvas.endRender();

    // Into the view buffer at 400 %: unscaled until magnified.
    canvas.beginRender(false, 40, 8, 2, &client, &client, false);
    canvas.setViewTransform(false, true, 40, 8, 2, &client, &client);
    width = 3;
    canvas.toDevice(p, 1, &width);
    EXPECT_EQ(p[0], (POINT{3, 5}));
    EXPECT_EQ(width, 3);
    canvas.endRender();

    // At 25 % widths shrink, truncating.
    canvas.beginRender(false, 0, 0, -2, &client, &client, false);
    canvas.setViewTransform(false, false, 0, 0, -2, &client, &client);
    width = 3;
    POINT q[2] = {{9, 9}, {-6, 2}};
    canvas.toDevice(q, 2, &width);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(q[0], (POINT{2, 2}));
    EXPECT_EQ(q[1], (POINT{-1, 0}));
    canvas.endRender();
}

TEST_F(RenderPassTest, RoundTripAtFullSizeIsExact) {
    ASSERT_TRUE(make(240, 320));
    const RECT client = window.clientRect();
    canvas.beginRender(false, 17, 23, 0, &client, &client, false);
    canvas.setViewTransform(false, false, 17, 23, 0, &client, &client);
    POINT p[3] = {{0, 0}, {-5, 300}, {239, 1}};
    const POINT original[3] = {p[0], p[1], p[2]};
    canvas.toDevice(p, 3, nullptr);
    EXPECT_EQ(p[1], (POINT{-22, 277}));
    canvas.toCanvas(p, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(p[i], original[i]);
    canvas.endRender();
}

TEST_F(RenderPassTest, ReductionUsesAPowerOfTwoSquare) {
    // At 50 % with a 240 x 268 client, a 1024 x 1024 block is reduced to
    // 512 x 512; the view buffer keeps what fits.
    ASSERT_TRUE(make(1024, 1024));
    paintLivePattern();
    renderView(3, 5, -1);
    EXPECT_EQ(windowPixel(window, 0, 0), uniqueColour(6, 10));
    EXPECT_EQ(windowPixel(window, 239, 267), uniqueColour(2 * 242, 2 * 272));
}

}  // namespace
