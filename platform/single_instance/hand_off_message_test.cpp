#include "platform/single_instance/hand_off_message.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::hand_off {
namespace {

TEST(HandOffMessageTest, HeaderCarriesTheLengthAndIsRecognised) {
    const std::string bytes = header(0x01020304);
    ASSERT_EQ(bytes.size(), headerBytes);
    std::uint32_t length = 0;
    ASSERT_TRUE(parseHeader(bytes.data(), length));
    EXPECT_EQ(length, 0x01020304u);
    std::string foreign = bytes;
    foreign[0] = 'X';
    EXPECT_FALSE(parseHeader(foreign.data(), length));
}

TEST(HandOffMessageTest, AcceptsWellFormedUtf8) {
    EXPECT_TRUE(isValidText(""));
    EXPECT_TRUE(
        isValidText("file:/home/anna/Skizzen/Gr\xC3\xBC\xC3\x9F"
                    "e.zsf"));
    EXPECT_TRUE(isValidText("\xE2\x82\xAC \xF0\x9F\x96\x8C \xEF\xBF\xBF \xF4\x8F\xBF\xBF"));
}

TEST(HandOffMessageTest, RefusesMalformedUtf8AndNul) {
    EXPECT_FALSE(isValidText(std::string("file:a\0b", 8)));
    EXPECT_FALSE(isValidText("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(isValidText("\xE0\x80\xAF"));      // overlong '/'
    EXPECT_FALSE(isValidText("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(isValidText("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(isValidText("abc\xC3"));           // cut short
    EXPECT_FALSE(isValidText("\xE2\x82"));
    EXPECT_FALSE(isValidText("\x80"));  // a continuation byte alone
    EXPECT_FALSE(isValidText("\xFF"));
    EXPECT_FALSE(isValidText("\xC3\x28"));  // continuation missing
}

}  // namespace
}  // namespace platform::hand_off
