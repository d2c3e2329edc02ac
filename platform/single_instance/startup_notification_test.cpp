#include "platform/single_instance/startup_notification.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(StartupNotificationTest, TheTimeOfTheUsersActionIsReadFromTheId) {
    const struct {
        const char* id;
        std::uint32_t time;
    } cases[] = {
        {"kdesktop-1234-host-0_TIME56789", 56789},
        {"host;1700000000;123;4_TIME4294967295", 4294967295u},
        {"no-time-here", 0},
        {"x_TIME", 0},
        {"x_TIME12a", 0},
        {"x_TIME4294967296", 0},  // past the server's 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(startupNotificationTime(c.id), c.time) << c.id;
}

TEST(StartupNotificationTest, TheRemoveMessageQuotesTheId) {
    using namespace std::string_literals;
    EXPECT_EQ(startupRemoveMessage("app_TIME5"), "remove: ID=\"app_TIME5\"\0"s);
    EXPECT_EQ(startupRemoveMessage("a\"b\\c"), "remove: ID=\"a\\\"b\\\\c\"\0"s);
}

}  // namespace
}  // namespace platform
