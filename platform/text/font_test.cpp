#include "platform/text/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "platform/text/face_cache.h"
#include "platform/text/text_layout.h"

namespace platform {
namespace {

bool sameGlyph(const Glyph& a, const Glyph& b) {
    if (a.left != b.left || a.top != b.top || a.width != b.width || a.rows != b.rows ||
        a.advance != b.advance || !a.coverage != !b.coverage)
        return false;
    return !a.coverage ||
           std::equal(a.coverage, a.coverage + std::size_t(a.width) * std::size_t(a.rows),
                      b.coverage);
}

TEST(FontTest, NegativeHeightIsTheEmHeight) {
    const auto font = Font::create(u"DejaVu Sans", -30);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->emPixels(), 30);
    EXPECT_EQ(font->family(), u"DejaVu Sans");
    // The face's cell is taller than its em.
    EXPECT_GT(font->ascent() + font->descent(), 30);
    EXPECT_LT(font->ascent() + font->descent(), 40);
    EXPECT_GT(font->ascent(), font->descent());
}

TEST(FontTest, PositiveHeightIsTheCellHeight) {
    for (std::int32_t height : {10, 16, 37, 100}) {
        const auto font = Font::create(u"DejaVu Sans", height);
        ASSERT_TRUE(font);
        EXPECT_LT(font->emPixels(), height);
        EXPECT_NEAR(font->ascent() + font->descent(), height, 2) << height;
    }
}

TEST(FontTest, ZeroHeightIsASixteenPixelEm) {
    const auto font = Font::create(u"DejaVu Sans", 0);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->emPixels(), 16);
}

TEST(FontTest, SizesOutsideTheRenderableRangeAreRefused) {
    EXPECT_FALSE(Font::create(u"DejaVu Sans", -(maxEmPixels + 1)));
    EXPECT_FALSE(Font::create(u"DejaVu Sans", std::numeric_limits<std::int32_t>::min()));
    EXPECT_FALSE(Font::create(u"DejaVu Sans", std::numeric_limits<std::int32_t>::max()));
    EXPECT_FALSE(Font::create(u"", -(maxEmPixels + 1)));
    const auto largest = Font::create(u"DejaVu Sans", -maxEmPixels);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->emPixels(), maxEmPixels);
    const auto smallest = Font::create(u"DejaVu Sans", 1);
    ASSERT_TRUE(smallest);
    EXPECT_EQ(smallest->emPixels(), 1);
}

TEST(FontTest, UnknownFaceFallsBackToTheDefaultFace) {
    const auto named = Font::create(u"DejaVu Sans", -24);
    const auto unknown = Font::create(u"Nonexistent Face 77", -24);
    const auto empty = Font::create(u"", -24);
    ASSERT_TRUE(named && unknown && empty);
    EXPECT_EQ(unknown->family(), u"DejaVu Sans");
    EXPECT_EQ(empty->family(), u"DejaVu Sans");
    EXPECT_EQ(unknown->ascent(), named->ascent());
    EXPECT_EQ(unknown->descent(), named->descent());
    EXPECT_TRUE(sameGlyph(unknown->glyph(U'R'), named->glyph(U'R')));
}

TEST(FontTest, DifferentFamiliesGiveDifferentGlyphs) {
    const auto sans = Font::create(u"DejaVu Sans", -40);
    const auto serif = Font::create(u"DejaVu Serif", -40);
    ASSERT_TRUE(sans && serif);
    EXPECT_EQ(serif->family(), u"DejaVu Serif");
    EXPECT_FALSE(sameGlyph(sans->glyph(U'R'), serif->glyph(U'R')));
}

TEST(FontTest, GlyphsAreGreyCoverageAroundTheBaseline) {
    const auto font = Font::create(u"DejaVu Sans", -48);
    ASSERT_TRUE(font);
    const Glyph& stem = font->glyph(U'l');
    ASSERT_TRUE(stem.coverage);
    EXPECT_GT(stem.advance, 0);
    EXPECT_LE(stem.top, font->ascent());
    EXPECT_GE(stem.top - stem.rows, -1) << "an l sits on the baseline";
    const std::size_t n = std::size_t(stem.width) * std::size_t(stem.rows);
    EXPECT_NE(std::find(stem.coverage, stem.coverage + n, 255), stem.coverage + n);

    const Glyph& descender = font->glyph(U'g');
    ASSERT_TRUE(descender.coverage);
    EXPECT_LT(descender.top - descender.rows, 0) << "a g reaches below the baseline";

    const Glyph& space = font->glyph(U' ');
    EXPECT_FALSE(space.coverage);
    EXPECT_GT(space.advance, 0);
}

TEST(FontTest, MissingCharactersUseTheFacesMissingGlyph) {
    const auto font = Font::create(u"DejaVu Sans", -32);
    ASSERT_TRUE(font);
    const Glyph missing = font->glyph(U'\U000F0001');
    EXPECT_GT(missing.advance, 0);
    EXPECT_TRUE(sameGlyph(missing, font->glyph(U'\U000F0002')));
    EXPECT_FALSE(sameGlyph(missing, font->glyph(U'A')));
}

TEST(FontTest, GlyphsAreRenderedOncePerFaceSizeAndCharacter) {
    // A size no other test uses, so nothing is cached yet.
    const auto font = Font::create(u"DejaVu Sans", -53);
    ASSERT_TRUE(font);
    const std::uint64_t before = renderedGlyphCount();
    font->glyph(U'Q');
    EXPECT_EQ(renderedGlyphCount(), before + 1);
    font->glyph(U'Q');
    EXPECT_EQ(renderedGlyphCount(), before + 1);

    // Fonts are made and freed around every call; a new one shares the cache.
    const auto again = Font::create(u"dejavu sans", -53);
    ASSERT_TRUE(again);
    again->glyph(U'Q');
    EXPECT_EQ(renderedGlyphCount(), before + 1);

    const auto larger = Font::create(u"DejaVu Sans", -54);
    ASSERT_TRUE(larger);
    larger->glyph(U'Q');
    EXPECT_EQ(renderedGlyphCount(), before + 2);
    font->glyph(U'q');
    EXPECT_EQ(renderedGlyphCount(), before + 3);
}

TEST(FontTest, TheGlyphCacheStaysBounded) {
    const auto font = Font::create(u"DejaVu Sans", -300);
    ASSERT_TRUE(font);
    // Far more large glyphs than the cache keeps.
    for (char32_t c = 0x4E00; c < 0x4E00 + 2500; ++c)
        font->glyph(c);
    for (char32_t c = U'A'; c <= U'Z'; ++c)
        font->glyph(c);
    EXPECT_LE(cachedGlyphBytes(), std::size_t(40) << 20);
    // Glyphs evicted and rendered again are the same.
    const Glyph first = font->glyph(U'W');
    std::vector<std::uint8_t> copy(first.coverage,
                                   first.coverage + std::size_t(first.width * first.rows));
    for (char32_t c = 0x3400; c < 0x3400 + 2500; ++c)
        font->glyph(c);
    const std::uint64_t before = renderedGlyphCount();
    const Glyph& again = font->glyph(U'W');
    EXPECT_EQ(renderedGlyphCount(), before + 1) << "the W should have been evicted";
    ASSERT_EQ(again.width * again.rows, first.width * first.rows);
    EXPECT_TRUE(std::equal(copy.begin(), copy.end(), again.coverage));
}

TEST(TextLayoutTest, DecodesSurrogatePairsAndReplacesUnpairedOnes) {
    const std::u16string text = u"a\U0001F600\xD800z\xDC00";
    std::size_t at = 0;
    EXPECT_EQ(nextCodePoint(text, at), U'a');
    EXPECT_EQ(nextCodePoint(text, at), U'\U0001F600');
    EXPECT_EQ(at, 3u);
    EXPECT_EQ(nextCodePoint(text, at), U'\uFFFD');
    EXPECT_EQ(nextCodePoint(text, at), U'z');
    EXPECT_EQ(nextCodePoint(text, at), U'\uFFFD');
    EXPECT_EQ(at, text.size());
    const std::u16string lead = u"\xD83D";
    at = 0;
    EXPECT_EQ(nextCodePoint(lead, at), U'\uFFFD');
    EXPECT_EQ(at, 1u);
}

TEST(TextLayoutTest, PlainTextIsItsAdvancesByTheCellHeight) {
    const auto font = Font::create(u"DejaVu Sans", -20);
    ASSERT_TRUE(font);
    const std::u16string text = u"Hello";
    std::int32_t advances = 0;
    for (char16_t c : text)
        advances += font->glyph(c).advance;
    const LineLayout layout = layoutLine(*font, text);
    EXPECT_EQ(layout.extent.cx, advances);
    EXPECT_EQ(layout.extent.cy, font->ascent() + font->descent());
    EXPECT_EQ(layout.originX, 0);
    EXPECT_EQ(layout.baseline, font->ascent());
    EXPECT_EQ(layoutLine(*font, u"").extent, (SIZE{0, 0}));
}

TEST(TextLayoutTest, InkPastTheCellWidensTheBox) {
    const auto font = Font::create(u"DejaVu Sans", -40);
    ASSERT_TRUE(font);
    // A combining mark has no advance and its ink lies left of its origin.
    const Glyph mark = font->glyph(U'\u0301');
    ASSERT_TRUE(mark.coverage);
    ASSERT_LT(mark.left, 0);
    const LineLayout leading = layoutLine(*font, u"\u0301");
    EXPECT_EQ(leading.originX, -mark.left);
    EXPECT_GE(leading.extent.cx, mark.width);

    // So does a capital J, whose hook reaches back under the letter before.
    const Glyph hook = font->glyph(U'J');
    ASSERT_LT(hook.left, 0);
    EXPECT_EQ(layoutLine(*font, u"Jump").originX, -hook.left);
    EXPECT_EQ(layoutLine(*font, u"aJ").originX, 0) << "the hook stays inside the a's advance";

    // A capital with two marks over it rises above the ascent.
    const Glyph tall = font->glyph(U'\u01D7');
    ASSERT_GT(tall.top, font->ascent());
    const LineLayout stacked = layoutLine(*font, u"x\u01D7");
    EXPECT_EQ(stacked.baseline, tall.top);
    EXPECT_EQ(stacked.extent.cy, tall.top + font->descent());
}

}  // namespace
}  // namespace platform
