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

TEST(HandOffMessageTest, CommandLineAndTokenArriveAsSent) {
    // File names in any encoding travel byte for byte.
    for (const HandOffRequest& sent :
         {HandOffRequest{"", ""},
          HandOffRequest{"file:/home/a b/Gr\xC3\xBC\xC3\x9F"
                         "e.zsf",
                         ""},
          HandOffRequest{"file:/tmp/\xFF\xFE\x80 latin1 \xE9t\xE9.zsf", "kwin-1234_TIME567"},
          HandOffRequest{"file:/tmp/line\nbreak.zsf", std::string(maxTokenBytes, 't')}}) {
        const std::string bytes = message(sent);
        ASSERT_FALSE(bytes.empty()) << sent.commandLine;
        std::uint32_t length = 0;
        ASSERT_TRUE(parseHeader(bytes.data(), length));
        ASSERT_EQ(length, bytes.size() - headerBytes);
        HandOffRequest received;
        ASSERT_TRUE(parsePayload(std::string_view(bytes).substr(headerBytes), received));
        EXPECT_EQ(received.commandLine, sent.commandLine);
        EXPECT_EQ(received.activationToken, sent.activationToken);
    }
}

TEST(HandOffMessageTest, WhatCannotTravelIsRefusedOrLeftOut) {
    EXPECT_TRUE(message({std::string("file:a\0b", 8), ""}).empty());
    EXPECT_TRUE(message({std::string(maxPayloadBytes, 'a'), ""}).empty());
    EXPECT_FALSE(message({std::string(maxPayloadBytes - 1 - maxTokenBytes, 'a'), ""}).empty());
    // A token that is not the desktop's is dropped; the command line goes.
    for (const std::string& token : {std::string("two words"), std::string("tab\t"),
                                     std::string("\xC3\xA9"), std::string(513, 't')}) {
        HandOffRequest received;
        const std::string bytes = message({"file:/a.zsf", token});
        ASSERT_TRUE(parsePayload(std::string_view(bytes).substr(headerBytes), received)) << token;
        EXPECT_EQ(received.commandLine, "file:/a.zsf");
        EXPECT_EQ(received.activationToken, "") << token;
    }
    HandOffRequest ignored;
    EXPECT_FALSE(parsePayload("no separator", ignored));
    EXPECT_FALSE(parsePayload(std::string("file:\0bad token", 15), ignored));
    EXPECT_FALSE(parsePayload(std::string("file:\0a\0b", 9), ignored));
}

}  // namespace
}  // namespace platform::hand_off
