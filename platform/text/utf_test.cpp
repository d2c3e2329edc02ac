#include "platform/text/utf.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const std::u16string fffd(1, u'\uFFFD');

TEST(UtfTest, RoundTripsEveryEncodingLength) {
    const std::u16string texts[] = {u"",
                                    u"plain ascii",
                                    u"caf\u00E9 \u00DF",
                                    u"\u20AC \u65E5\u672C\uFFFF",
                                    u"\U0001F600 and \U0010FFFF",
                                    std::u16string(u"nul\0inside", 10)};
    for (const std::u16string& text : texts)
        EXPECT_EQ(toUtf16(toUtf8(text)), text);
}

TEST(UtfTest, EncodesEachLengthAsTheStandardBytes) {
    EXPECT_EQ(toUtf8(u"A"), "A");
    EXPECT_EQ(toUtf8(u"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(toUtf8(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(toUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(toUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(toUtf16("\xF0\x9F\x98\x80").size(), 2u);
}

TEST(UtfTest, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(toUtf8(u"a\xD800"), "a\xEF\xBF\xBD");                  // lead at the end
    EXPECT_EQ(toUtf8(u"\xD800z"), "\xEF\xBF\xBDz");                  // lead before a non-trail
    EXPECT_EQ(toUtf8(u"\xDC00z"), "\xEF\xBF\xBDz");                  // trail on its own
    EXPECT_EQ(toUtf8(u"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // wrong order
    // Two leads then a trail: the second lead pairs with the trail.
    EXPECT_EQ(toUtf16(toUtf8(u"\xD800\xD83D\xDE00")), fffd + u"\U0001F600");
}

TEST(UtfTest, InvalidUtf8BecomesReplacementCharactersAndKeepsTheRest) {
    EXPECT_EQ(toUtf16("a\x80z"), u"a" + fffd + u"z");        // stray continuation
    EXPECT_EQ(toUtf16("\xC0\xAF"), fffd + fffd);             // overlong lead
    EXPECT_EQ(toUtf16("\xE0\x80\xAF"), fffd + fffd + fffd);  // overlong three bytes
    EXPECT_EQ(toUtf16("\xF0\x80\x80\xAF"), fffd + fffd + fffd + fffd);
    EXPECT_EQ(toUtf16("\xED\xA0\x80"), fffd + fffd + fffd);             // an encoded surrogate
    EXPECT_EQ(toUtf16("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);  // past U+10FFFF
    EXPECT_EQ(toUtf16("\xF5\x80"), fffd + fffd);
    EXPECT_EQ(toUtf16("\xE2\x28\xA1"), fffd + u"(" + fffd);  // broken in the middle
    EXPECT_EQ(toUtf16("ok\xE2\x82"), u"ok" + fffd + fffd);   // cut short at the end
    EXPECT_EQ(toUtf16("\xFF"), fffd);
}

TEST(SystemNameTest, EveryByteStringComesBackExactly) {
    const std::string names[] = {
        "",
        "plain.zsf",
        "caf\xC3\xA9.zsf",                       // valid UTF-8 stays text
        "caf\xE9.zsf",                           // Latin-1
        "\x80\xBF\xFE\xFF",                      // no lead at all
        "ok\xE2\x82",                            // cut short at the end
        "\xE2\x28\xA1",                          // broken in the middle
        "\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",  // overlong, surrogate, too high
        "\xF0\x9F\x98\x80\xF0\x9F\x98"};         // a whole and a cut emoji
    for (const std::string& name : names) {
        std::string back;
        EXPECT_TRUE(toSystemName(fromSystemName(name), back)) << name;
        EXPECT_EQ(back, name);
    }
    // Every byte value but NUL, alone and all in one name.
    std::string every, back;
    for (int b = 1; b < 256; ++b) {
        const std::string alone(1, char(b));
        EXPECT_TRUE(toSystemName(fromSystemName(alone), back));
        EXPECT_EQ(back, alone) << b;
        every += alone;
    }
    EXPECT_TRUE(toSystemName(fromSystemName(every), back));
    EXPECT_EQ(back, every);
}

TEST(SystemNameTest, ValidTextIsDecodedAndStrayBytesBecomeEscapes) {
    EXPECT_EQ(fromSystemName("caf\xC3\xA9"), u"caf\u00E9");
    EXPECT_EQ(fromSystemName("caf\xE9"), u"caf\xDCE9");
    EXPECT_EQ(fromSystemName("\xF0\x9F\x98\x80"), u"\U0001F600");
    std::string bytes;
    EXPECT_TRUE(toSystemName(u"\u00E9\U0001F600", bytes));
    EXPECT_EQ(bytes, "\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(SystemNameTest, SurrogatesThatStandForNoByteNameNothing) {
    std::string bytes = "stale";
    EXPECT_FALSE(toSystemName(u"a\xD800", bytes));  // a lead on its own
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(toSystemName(u"a\xDC41", bytes));  // bytes below 0x80 are never escaped
    EXPECT_FALSE(toSystemName(u"a\xDD00", bytes));
    // These two escapes would spell U+00E9, which is another name.
    EXPECT_FALSE(toSystemName(u"\xDCC3\xDCA9", bytes));
    // Text itself still converts as before.
    EXPECT_EQ(toUtf16("caf\xE9"), u"caf\uFFFD");
    EXPECT_EQ(toUtf8(u"caf\xDCE9"), "caf\xEF\xBF\xBD");
}

TEST(UtfTest, BoundedLengthStopsAtTheTerminatorOrTheCapacity) {
    const char16_t text[] = u"abc";
    EXPECT_EQ(boundedLength(text, 64), 3u);
    EXPECT_EQ(boundedLength(text, 2), 2u);
    EXPECT_EQ(boundedLength(text, 0), 0u);
    const char16_t unterminated[4] = {u'w', u'x', u'y', u'z'};
    EXPECT_EQ(boundedLength(unterminated, 4), 4u);
    const char16_t empty[] = u"";
    EXPECT_EQ(boundedLength(empty, 10), 0u);
}

}  // namespace
}  // namespace platform
