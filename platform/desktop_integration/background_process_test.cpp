#include "platform/desktop_integration/background_process.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::TempFolder;

TEST(BackgroundProcessTest, StartsTheProgramAndLeavesNoChildBehind) {
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    const std::string done = temp / "done";
    // The program is still running when we return: it waits for a while.
    ASSERT_TRUE(startInBackground({"sh", "-c", "sleep 0.3; echo ran > '" + done + "'"}));
    EXPECT_NE(access(done.c_str(), F_OK), 0) << "we waited for it";
    // No child of ours remains, running or finished.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    for (int i = 0; i < 100 && testing::contents(done) != "ran\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(testing::contents(done), "ran\n");
}

TEST(BackgroundProcessTest, AMissingProgramIsReported) {
    EXPECT_FALSE(startInBackground({"mirabo-no-such-program"}));
    EXPECT_FALSE(startInBackground({"/nonexistent/program"}));
    EXPECT_FALSE(startInBackground({}));
    EXPECT_EQ(findProgram("mirabo-no-such-program"), "");
    EXPECT_EQ(findProgram("sh").front(), '/');
}

}  // namespace
}  // namespace platform
