#include "platform/desktop_integration/close_signals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

namespace platform {
namespace {

bool readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) > 0;
}

TEST(CloseSignalsTest, EachSignalBecomesACloseRequestOnThePipe) {
    auto signals = CloseSignals::install();
    ASSERT_TRUE(signals);
    EXPECT_FALSE(readable(signals->fd()));
    EXPECT_EQ(signals->take(), 0);
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(raise(number), 0);  // and the test goes on: it was caught
        EXPECT_TRUE(readable(signals->fd()));
        EXPECT_EQ(signals->take(), number);
        EXPECT_FALSE(readable(signals->fd()));
    }
    // Several at once are one request, reported by the first.
    raise(SIGHUP);
    raise(SIGTERM);
    EXPECT_EQ(signals->take(), SIGHUP);
    EXPECT_EQ(signals->take(), 0);
}

TEST(CloseSignalsTest, OneCatcherAtATimeAndThePreviousHandlersComeBack) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ASSERT_EQ(sigaction(SIGHUP, &ignore, &before), 0);
    {
        auto signals = CloseSignals::install();
        ASSERT_TRUE(signals);
        EXPECT_FALSE(CloseSignals::install());
    }
    struct sigaction now {};
    ASSERT_EQ(sigaction(SIGHUP, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
    EXPECT_TRUE(CloseSignals::install());
    sigaction(SIGHUP, &before, nullptr);
}

}  // namespace
}  // namespace platform
