#include "platform/text/font_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace platform {
namespace {

std::u16string folded(std::u16string s) {
    for (char16_t& c : s)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return s;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(FontCatalogTest, ListsFamiliesSortedIgnoringCaseWithoutDuplicates) {
    const std::vector<std::u16string> families = listFontFamilies();
    ASSERT_FALSE(families.empty());
    EXPECT_NE(std::find(families.begin(), families.end(), u"DejaVu Sans"), families.end());
    for (std::size_t i = 1; i < families.size(); ++i) {
        const auto a = folded(families[i - 1]), b = folded(families[i]);
        EXPECT_TRUE(a < b || (a == b && families[i - 1] < families[i]))
            << i << ": out of order or repeated";
    }
    for (const std::u16string& family : families)
        EXPECT_FALSE(family.empty());
    EXPECT_EQ(listFontFamilies(), families) << "the order must be stable";
}

TEST(FontCatalogTest, OrdersByFoldedNameThenExactName) {
    EXPECT_TRUE(familyNameLess(u"abc", u"ABD"));
    EXPECT_FALSE(familyNameLess(u"ABD", u"abc"));
    EXPECT_TRUE(familyNameLess(u"ABC", u"abc"));
    EXPECT_FALSE(familyNameLess(u"abc", u"ABC"));
    EXPECT_FALSE(familyNameLess(u"abc", u"abc"));
    EXPECT_TRUE(familyNameLess(u"Ab", u"abc"));
    EXPECT_TRUE(familyNameLess(u"", u"a"));
}

TEST(FontCatalogTest, ResolvesAFamilyIgnoringCase) {
    const auto face = resolveFace(u"dejavu sans mono");
    ASSERT_TRUE(face);
    EXPECT_EQ(face->family, u"DejaVu Sans Mono");
    EXPECT_TRUE(endsWith(face->file, "DejaVuSansMono.ttf")) << face->file;
    EXPECT_EQ(face->index, 0);
}

TEST(FontCatalogTest, UnknownOrEmptyNamesFallBackToTheDefaultFace) {
    const auto fallback = defaultFace();
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->family, u"DejaVu Sans");
    EXPECT_TRUE(endsWith(fallback->file, "DejaVuSans.ttf")) << fallback->file;
    EXPECT_EQ(resolveFace(u""), fallback);
    EXPECT_EQ(resolveFace(u"No Such Face 3f9a"), fallback);
    EXPECT_EQ(resolveFace(u"\U0001F600\xD800"), fallback);
    // A face name is a zero-terminated field: nothing after the zero counts.
    const auto mono = resolveFace(std::u16string_view(u"DejaVu Sans Mono\0Serif", 22));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->family, u"DejaVu Sans Mono");
    EXPECT_EQ(resolveFace(std::u16string_view(u"\0DejaVu Serif", 13)), fallback);
}

TEST(FontCatalogTest, EveryListedFamilyResolvesToItself) {
    for (const std::u16string& family : listFontFamilies()) {
        const auto face = resolveFace(family);
        ASSERT_TRUE(face);
        EXPECT_EQ(folded(face->family), folded(family));
    }
}

TEST(FontCatalogTest, RemembersResolutionsPerName) {
    const auto first = resolveFace(u"DejaVu Serif");
    ASSERT_TRUE(first);
    EXPECT_EQ(resolveFace(u"DejaVu Serif"), first);
    // Many distinct names keep the table bounded and answers stay right.
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(resolveFace(u"Unlisted " + std::u16string(1, char16_t(u'A' + i % 26)) +
                              std::u16string(std::size_t(i / 26 + 1), u'x')),
                  defaultFace());
    const auto again = resolveFace(u"DejaVu Serif");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->family, u"DejaVu Serif");
    EXPECT_EQ(again->file, first->file);
}

}  // namespace
}  // namespace platform
