#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/testing/pixels.h"
#include "platform/text/font.h"

namespace platform {
namespace {

using testing::Canvas24;
using testing::paintPattern;

bool contains(const RECT& outer, std::int32_t x, std::int32_t y) {
    return x >= outer.left && x < outer.right && y >= outer.top && y < outer.bottom;
}

// Draws on a fresh white surface and checks that every pixel that changed
// lies inside the drawn area, and the drawn area inside the drawable area.
// Returns the drawn area.
RECT checkDrawnArea(const std::function<void(Surface&)>& draw, const RECT* clip = nullptr) {
    Canvas24 c(64, 48);
    Surface surface(c.bitmap.get());
    if (clip) surface.setClipRect(*clip);
    draw(surface);
    const RECT drawn = surface.drawnArea();
    bool changed = false;
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const std::uint8_t* p = c.bitmap->row(y) + x * 3;
            if (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF) continue;
            changed = true;
            EXPECT_TRUE(contains(drawn, x, y)) << "pixel " << x << "," << y << " outside";
        }
    if (!changed) return drawn;
    const RECT limit = surface.drawableArea();
    EXPECT_GE(drawn.left, limit.left);
    EXPECT_GE(drawn.top, limit.top);
    EXPECT_LE(drawn.right, limit.right);
    EXPECT_LE(drawn.bottom, limit.bottom);
    return drawn;
}

TEST(SurfaceDrawnAreaTest, StartsEmptyAndGrowsToHoldEveryOperation) {
    Canvas24 c(64, 48);
    Surface surface(c.bitmap.get());
    EXPECT_TRUE(isEmpty(surface.drawnArea()));
    surface.fillRect(RECT{10, 5, 12, 7}, Brush::solid(0));
    EXPECT_EQ(surface.drawnArea(), (RECT{10, 5, 12, 7}));
    surface.fillRect(RECT{30, 20, 31, 40}, Brush::solid(0));
    EXPECT_EQ(surface.drawnArea(), (RECT{10, 5, 31, 40}));
    // Off the bitmap nothing changes, so nothing is added.
    surface.fillRect(RECT{100, 100, 120, 120}, Brush::solid(0));
    EXPECT_EQ(surface.drawnArea(), (RECT{10, 5, 31, 40}));
}

TEST(SurfaceDrawnAreaTest, HoldsWhatEachKindOfDrawingChanged) {
    const Pen wide = Pen::solid(5, 0x0000FF);
    const Pen dashed = Pen::dashed(3, 0x00FF00);
    const POINT zigzag[] = {{4, 40}, {20, 3}, {35, 44}, {60, 10}};
    EXPECT_EQ(checkDrawnArea([](Surface& s) {
                  s.fillRect(RECT{-5, 3, 9, 60}, Brush::solid(0));
              }),
              (RECT{0, 3, 9, 48}));
    checkDrawnArea([&](Surface& s) {
        s.selectPen(&wide);
        s.rectangle(RECT{1, 2, 30, 20});
    });
    checkDrawnArea([&](Surface& s) {
        s.selectPen(&wide);
        s.ellipse(RECT{-3, 10, 50, 47});
    });
    checkDrawnArea([&](Surface& s) {
        s.selectPen(&dashed);
        s.polyline(zigzag, 4);
    });
    checkDrawnArea([&](Surface& s) {
        s.selectPen(&wide);
        s.polyline(zigzag, 4);
    });
}

TEST(SurfaceDrawnAreaTest, CopiesAddTheirDestination) {
    auto source = Bitmap::createCompatible(20, 20);
    paintPattern(*source);
    Surface from(source.get());
    EXPECT_EQ(checkDrawnArea([&](Surface& s) { s.blit(50, 40, 20, 20, from, 0, 0); }),
              (RECT{50, 40, 64, 48}));
    EXPECT_EQ(checkDrawnArea([&](Surface& s) { s.stretchBlit(2, 3, 40, 10, from, 0, 0, 20, 5); }),
              (RECT{2, 3, 42, 13}));
}

TEST(SurfaceDrawnAreaTest, TextAddsItsBoxOrItsGlyphs) {
    const auto font = Font::create(u"DejaVu Sans", -16);
    ASSERT_TRUE(font);
    for (BackgroundMode mode : {BackgroundMode::Opaque, BackgroundMode::Transparent}) {
        const RECT drawn = checkDrawnArea([&](Surface& s) {
            s.selectFont(font.get());
            s.setBackgroundMode(mode);
            s.textOut(3, 4, u"Wgj|");
        });
        EXPECT_FALSE(isEmpty(drawn));
    }
}

TEST(SurfaceDrawnAreaTest, StaysInsideTheClip) {
    const RECT clip{10, 10, 20, 30};
    EXPECT_EQ(checkDrawnArea(
                  [](Surface& s) {
                      s.fillRect(RECT{0, 0, 64, 48}, Brush::solid(0));
                  },
                  &clip),
              clip);
}

TEST(SurfaceDrawnAreaTest, TakingTheBitmapCountsAsDrawingAllItCanReach) {
    Canvas24 c(64, 48);
    Surface surface(c.bitmap.get());
    surface.setClipRect(RECT{5, 6, 40, 100});
    ASSERT_EQ(surface.bitmap(), c.bitmap.get());
    EXPECT_EQ(surface.drawnArea(), (RECT{5, 6, 40, 48}));
}

}  // namespace
}  // namespace platform
