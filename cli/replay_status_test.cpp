#include "cli/replay_status.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files/testing/temp_folder.h"

namespace {

int replayStatus(std::vector<std::string> arguments) {
    std::vector<std::vector<char>> storage;
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        storage.emplace_back(a.begin(), a.end() + 1);
    for (auto& s : storage)
        argv.push_back(s.data());
    std::FILE* sink = std::tmpfile();
    const int status = replayWithStatus(int(argv.size()), argv.data(), sink, sink);
    std::fclose(sink);
    return status;
}

TEST(ReplayStatusTest, ABadLineEndsWithTwoAndAFailedStartWithOne) {
    platform::testing::TempFolder folder;
    platform::testing::put(folder / "good.replay", "state\ntool 3\n");
    platform::testing::put(folder / "bad.replay", "state\nfly 1 2\nstate\n");
    EXPECT_EQ(replayStatus({folder / "good.replay"}), 0);
    EXPECT_EQ(replayStatus({folder / "bad.replay"}), 2);
    EXPECT_EQ(replayStatus({folder / "bad.replay", "--canvas", "64x64"}), 2);
    EXPECT_EQ(replayStatus({folder / "missing.replay"}), 1);
    EXPECT_EQ(replayStatus({folder / "good.replay", "--canvas", "5000x1"}), 1);
    EXPECT_EQ(replayStatus({}), 1);
}

}  // namespace
