#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/testing/pixels.h"
#include "platform/text/font.h"
#include "platform/text/glyph_cache.h"

namespace platform {
namespace {

using testing::Canvas24;
using testing::paintPattern;
using testing::patternColour;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;

// Reads the bitmap directly, so pixels outside a clip rectangle can be seen.
COLORREF rawPixel(const Bitmap& bitmap, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = bitmap.row(y) + std::ptrdiff_t(x) * 3;
    return rgb(p[2], p[1], p[0]);
}

struct Box {
    std::int32_t left = std::numeric_limits<std::int32_t>::max();
    std::int32_t top = std::numeric_limits<std::int32_t>::max();
    std::int32_t right = std::numeric_limits<std::int32_t>::min();
    std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
    bool empty() const { return left > right; }
};

// The bounding box (inclusive) of every pixel that is not `background`.
Box inkBox(const Bitmap& bitmap, COLORREF background) {
    Box box;
    for (std::int32_t y = 0; y < bitmap.height(); ++y)
        for (std::int32_t x = 0; x < bitmap.width(); ++x)
            if (rawPixel(bitmap, x, y) != background) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

bool samePixels(const Bitmap& a, const Bitmap& b) {
    for (std::int32_t y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + a.width() * 3, b.row(y))) return false;
    return true;
}

// A canvas with a font selected and the text drawn transparently.
struct TextCanvas : Canvas24 {
    std::unique_ptr<Font> font;
    TextCanvas(std::int32_t width, std::int32_t height, std::int32_t fontHeight,
               COLORREF fill = white, std::u16string_view face = u"DejaVu Sans")
        : Canvas24(width, height, fill), font(Font::create(face, fontHeight)) {
        surface->selectFont(font.get());
        surface->setBackgroundMode(BackgroundMode::Transparent);
    }
};

TEST(SurfaceTextTest, NeedsAFontAndATrueColourBitmap) {
    Canvas24 c(20, 20);
    EXPECT_FALSE(c.surface->textOut(0, 0, u"A"));
    EXPECT_EQ(c.surface->textExtent(u"A"), (SIZE{0, 0}));

    const auto font = Font::create(u"DejaVu Sans", -12);
    ASSERT_TRUE(font);
    Surface unbound;
    unbound.selectFont(font.get());
    EXPECT_FALSE(unbound.textOut(0, 0, u"A"));
    EXPECT_GT(unbound.textExtent(u"A").cx, 0) << "measuring needs no bitmap";

    BitmapInfoHeader header = makeHeader24(16, 16);
    header.biBitCount = 8;
    const auto palettised = Bitmap::create(header);
    ASSERT_TRUE(palettised);
    Surface surface(palettised.get());
    surface.selectFont(font.get());
    EXPECT_FALSE(surface.textOut(0, 0, u"A"));
    EXPECT_TRUE(std::all_of(palettised->bits(), palettised->bits() + palettised->byteCount(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST(SurfaceTextTest, EmptyTextDrawsNothingAndMeasuresNothing) {
    TextCanvas c(30, 30, -20);
    ASSERT_TRUE(c.font);
    c.surface->setBackgroundMode(BackgroundMode::Opaque);
    paintPattern(*c.bitmap);
    EXPECT_TRUE(c.surface->textOut(2, 2, u""));
    EXPECT_EQ(c.surface->textExtent(u""), (SIZE{0, 0}));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(c.at(x, y), patternColour(x, y));
}

TEST(SurfaceTextTest, EverythingDrawnLiesInsideTheMeasuredExtent) {
    // Plain text, descenders, leading and trailing overhangs, marks above
    // the ascent, a missing glyph, and another face.
    const std::u16string texts[] = {u"Hello",   u"gjpqy_", u"Jump",       u"Typeface T", u"x\u01D7",
                                    u"\u0301a", u"f",      u"\U000F0001", u"|W|\u00C5",  u"."};
    for (std::u16string_view face : {u"DejaVu Sans", u"DejaVu Serif"}) {
        for (std::int32_t height : {-9, -16, -41, 30}) {
            for (const std::u16string& text : texts) {
                TextCanvas c(400, 120, height, white, face);
                ASSERT_TRUE(c.font);
                const SIZE extent = c.surface->textExtent(text);
                ASSERT_TRUE(c.surface->textOut(20, 30, text));
                const Box ink = inkBox(*c.bitmap, white);
                ASSERT_FALSE(ink.empty()) << "nothing drawn";
                EXPECT_GE(ink.left, 20);
                EXPECT_GE(ink.top, 30);
                EXPECT_LT(ink.right, 20 + extent.cx);
                EXPECT_LT(ink.bottom, 30 + extent.cy);
                EXPECT_GE(extent.cy, c.font->ascent() + c.font->descent());
            }
        }
    }
}

TEST(SurfaceTextTest, ALargerFontMeasuresLarger) {
    std::int32_t lastWidth = 0, lastHeight = 0;
    for (std::int32_t height : {-8, -12, -16, -24, -48, -96}) {
        const auto font = Font::create(u"DejaVu Sans", height);
        ASSERT_TRUE(font);
        Surface s;
        s.selectFont(font.get());
        const SIZE extent = s.textExtent(u"Sketch");
        EXPECT_GT(extent.cx, lastWidth) << height;
        EXPECT_GT(extent.cy, lastHeight) << height;
        lastWidth = extent.cx;
        lastHeight = extent.cy;
    }
}

TEST(SurfaceTextTest, FullCoverageGivesExactlyTheTextColour) {
    const COLORREF colour = rgb(12, 34, 200);
    TextCanvas c(120, 120, -90);
    ASSERT_TRUE(c.font);
    c.surface->setTextColour(colour);
    ASSERT_TRUE(c.surface->textOut(10, 0, u"lI"));
    int exact = 0, touched = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF p = c.at(x, y);
            if (p == white) continue;
            ++touched;
            if (p == colour) ++exact;
            // A blend of white and the colour lies between them in every channel.
            EXPECT_GE(redOf(p), redOf(colour));
            EXPECT_GE(greenOf(p), greenOf(colour));
            EXPECT_GE(blueOf(p), blueOf(colour));
        }
    }
    // Two solid stems roughly 9 pixels wide and 65 tall.
    EXPECT_GT(exact, 2 * 8 * 60);
    EXPECT_GE(touched, exact);
}

TEST(SurfaceTextTest, BlendingIsSymmetricBetweenInkAndBackground) {
    // Black on white shows 255 - a, white on black shows a, for the same
    // coverage a; a rounding that favours one direction breaks the sum.
    TextCanvas dark(160, 60, -33, black);
    TextCanvas light(160, 60, -33, white);
    ASSERT_TRUE(dark.font && light.font);
    dark.surface->setTextColour(white);
    light.surface->setTextColour(black);
    ASSERT_TRUE(dark.surface->textOut(3, 3, u"Rag & Wig"));
    ASSERT_TRUE(light.surface->textOut(3, 3, u"Rag & Wig"));
    int partial = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 160; ++x) {
            const COLORREF d = dark.at(x, y), l = light.at(x, y);
            ASSERT_EQ(redOf(d) + redOf(l), 255) << x << "," << y;
            ASSERT_EQ(greenOf(d), redOf(d));
            if (redOf(d) != 0 && redOf(d) != 255) ++partial;
        }
    }
    EXPECT_GT(partial, 0) << "the text is expected to have grey edges";
}

TEST(SurfaceTextTest, TransparentTextChangesOnlyCoveredPixels) {
    const std::u16string text = u"a b  c";
    TextCanvas plain(200, 50, -28);
    TextCanvas patterned(200, 50, -28);
    ASSERT_TRUE(plain.font && patterned.font);
    paintPattern(*patterned.bitmap);
    ASSERT_TRUE(plain.surface->textOut(5, 5, text));
    ASSERT_TRUE(patterned.surface->textOut(5, 5, text));
    int covered = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 200; ++x) {
            const COLORREF ink = plain.at(x, y);
            if (ink == white) {
                ASSERT_EQ(patterned.at(x, y), patternColour(x, y)) << x << "," << y;
            } else if (ink == black) {
                ++covered;
                ASSERT_EQ(patterned.at(x, y), black) << x << "," << y;
            }
        }
    }
    EXPECT_GT(covered, 0);
}

TEST(SurfaceTextTest, OpaqueTextFillsItsExtentWithTheBackgroundFirst) {
    const std::u16string text = u"Jo  y";
    TextCanvas plain(200, 60, -30);
    TextCanvas patterned(200, 60, -30);
    ASSERT_TRUE(plain.font && patterned.font);
    paintPattern(*patterned.bitmap);
    patterned.surface->setBackgroundMode(BackgroundMode::Opaque);
    ASSERT_TRUE(plain.surface->textOut(7, 9, text));
    ASSERT_TRUE(patterned.surface->textOut(7, 9, text));
    const SIZE extent = patterned.surface->textExtent(text);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= 7 && x < 7 + extent.cx && y >= 9 && y < 9 + extent.cy;
            ASSERT_EQ(patterned.at(x, y), inside ? plain.at(x, y) : patternColour(x, y))
                << x << "," << y;
        }
    }
}

TEST(SurfaceTextTest, StaysInsideTheClipRectangle) {
    const std::u16string text = u"Clipped words";
    TextCanvas whole(220, 60, -30);
    TextCanvas clipped(220, 60, -30);
    ASSERT_TRUE(whole.font && clipped.font);
    paintPattern(*whole.bitmap);
    paintPattern(*clipped.bitmap);
    const RECT clip{30, 12, 120, 31};
    clipped.surface->setClipRect(clip);
    clipped.surface->setBackgroundMode(BackgroundMode::Opaque);
    whole.surface->setBackgroundMode(BackgroundMode::Opaque);
    ASSERT_TRUE(whole.surface->textOut(4, 2, text));
    ASSERT_TRUE(clipped.surface->textOut(4, 2, text));
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 220; ++x) {
            const bool inside =
                x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(rawPixel(*clipped.bitmap, x, y),
                      inside ? rawPixel(*whole.bitmap, x, y) : patternColour(x, y))
                << x << "," << y;
        }
    }
}

TEST(SurfaceTextTest, TextPartlyOffTheBitmapShowsTheVisiblePart) {
    const std::u16string text = u"Edge";
    TextCanvas big(120, 80, -40);
    TextCanvas small(30, 20, -40);
    ASSERT_TRUE(big.font && small.font);
    ASSERT_TRUE(big.surface->textOut(10, 10, text));
    // The same text moved so that (30, 25) of the big canvas lands on (0, 0).
    ASSERT_TRUE(small.surface->textOut(-20, -15, text));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(small.at(x, y), big.at(x + 30, y + 25)) << x << "," << y;
}

TEST(SurfaceTextTest, FarAwayPositionsDrawNothingAndDoNotOverflow) {
    TextCanvas c(40, 40, -20);
    ASSERT_TRUE(c.font);
    paintPattern(*c.bitmap);
    c.surface->setBackgroundMode(BackgroundMode::Opaque);
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const POINT places[] = {{hi - 3, 0}, {0, hi - 3}, {lo, 0}, {0, lo}, {hi, hi}, {lo, lo}};
    for (const POINT& p : places)
        EXPECT_TRUE(c.surface->textOut(p.x, p.y, u"WWWW"));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(c.at(x, y), patternColour(x, y));
}

TEST(SurfaceTextTest, DrawsBottomUpAndTopDownBitmapsAlike) {
    TextCanvas bottomUp(100, 40, -24);
    ASSERT_TRUE(bottomUp.font);
    const auto topDown = Bitmap::create(makeHeader24(100, -40));
    ASSERT_TRUE(topDown);
    Surface surface(topDown.get());
    surface.fillRect(topDown->bounds(), Brush::solid(white));
    surface.selectFont(bottomUp.font.get());
    surface.setBackgroundMode(BackgroundMode::Transparent);
    ASSERT_TRUE(bottomUp.surface->textOut(3, 4, u"Rows"));
    ASSERT_TRUE(surface.textOut(3, 4, u"Rows"));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(surface.pixel(x, y), bottomUp.at(x, y));
}

TEST(SurfaceTextTest, TheSameTextDrawsTheSamePixelsEveryTime) {
    TextCanvas first(180, 50, -26);
    TextCanvas second(180, 50, -26);
    ASSERT_TRUE(first.font && second.font);
    ASSERT_TRUE(first.surface->textOut(4, 4, u"Repeat me"));
    ASSERT_TRUE(second.surface->textOut(4, 4, u"Repeat me"));
    EXPECT_TRUE(samePixels(*first.bitmap, *second.bitmap));
    // Drawn at another position, the text is the same picture moved.
    TextCanvas moved(180, 50, -26);
    ASSERT_TRUE(moved.surface->textOut(9, 11, u"Repeat me"));
    for (int y = 0; y + 7 < 50; ++y)
        for (int x = 0; x + 5 < 180; ++x)
            ASSERT_EQ(moved.at(x + 5, y + 7), first.at(x, y));
}

TEST(SurfaceTextTest, RedrawingReusesTheRenderedGlyphs) {
    // A size no other test uses.
    const std::u16string text = u"Typing again and again";
    {
        TextCanvas c(400, 60, -31);
        ASSERT_TRUE(c.font);
        c.surface->textOut(0, 0, text);
    }
    const std::uint64_t before = renderedGlyphCount();
    for (int i = 0; i < 5; ++i) {
        // As the program does: a fresh font for every call.
        TextCanvas c(400, 60, -31);
        ASSERT_TRUE(c.font);
        c.surface->textExtent(text);
        c.surface->textOut(0, 0, text);
    }
    EXPECT_EQ(renderedGlyphCount(), before);
}

TEST(SurfaceTextTest, AnUnknownFaceStillDrawsWithTheDefaultFace) {
    TextCanvas unknown(160, 50, -24, white, u"Face That Is Not There");
    TextCanvas named(160, 50, -24, white, u"DejaVu Sans");
    ASSERT_TRUE(unknown.font && named.font);
    ASSERT_TRUE(unknown.surface->textOut(2, 2, u"Fallback"));
    ASSERT_TRUE(named.surface->textOut(2, 2, u"Fallback"));
    EXPECT_FALSE(inkBox(*unknown.bitmap, white).empty());
    EXPECT_TRUE(samePixels(*unknown.bitmap, *named.bitmap));
}

TEST(SurfaceTextTest, SurrogatePairsAreOneCharacter) {
    const auto font = Font::create(u"DejaVu Sans", -20);
    ASSERT_TRUE(font);
    Surface s;
    s.selectFont(font.get());
    const SIZE one = s.textExtent(u"\U000F0001");
    EXPECT_EQ(s.textExtent(u"\U000F0001\U000F0002").cx, 2 * one.cx);
    EXPECT_EQ(one.cx, font->glyph(U'\U000F0001').advance);
    // An unpaired half shows as the replacement character.
    EXPECT_EQ(s.textExtent(u"\xD800"), s.textExtent(u"\uFFFD"));
    EXPECT_EQ(s.textExtent(u"\xDC00x"), s.textExtent(u"\uFFFDx"));
}

}  // namespace
}  // namespace platform
