// Whole sessions through `mirabo-cli replay`: the scripts in cli/testdata,
// their printed states, and their snapshots checked against pixels worked
// out here from what the gestures should have drawn.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/replay_command.h"
#include "cli/testing/ppm_reader.h"
#include "platform/files/testing/temp_folder.h"

namespace {

using cli_testing::Ppm;
using cli_testing::readPpm;

constexpr COLORREF white = 0xFFFFFF;

// Runs a checked-in script with a temporary folder as the current folder,
// where its snapshots land; keeps what it printed.
class ReplayScenarioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    int replay(const std::string& script) {
        std::string path = std::string(MIRABO_SOURCE_DIR) + "/cli/testdata/" + script;
        std::vector<char> argument(path.begin(), path.end());
        argument.push_back('\0');
        char* argv[] = {argument.data()};
        std::FILE* out = std::tmpfile();
        const int status = replayCommand(1, argv, out, stderr);
        std::rewind(out);
        printed.clear();
        char line[512];
        while (std::fgets(line, sizeof line, out)) {
            printed.emplace_back(line);
            if (!printed.back().empty() && printed.back().back() == '\n') printed.back().pop_back();
        }
        std::fclose(out);
        return status;
    }

    Ppm snapshot(const std::string& name) {
        Ppm ppm;
        EXPECT_TRUE(readPpm(name, ppm)) << name;
        return ppm;
    }

    platform::testing::TempFolder folder;
    std::vector<std::string> printed;

  private:
    std::filesystem::path previous_;
};

TEST_F(ReplayScenarioTest, RectanglesUndoRedoAndAMagnifiedView) {
    ASSERT_EQ(replay("shapes.replay"), 0);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_EQ(printed[0],
              "modified=1 undo=1 redo=0 selection=none tool=none history=1 cursor=1 zoom=0 "
              "scroll=0,0 colour=0x0000FF button=3 width=2 sizes=5,4,4 opacity=127 grid=0 "
              "font=\"\" fontsize=12 eyedropper=0 canvas=600x600 path=\"\"");
    EXPECT_NE(printed[2].find("undo=0 redo=1"), std::string::npos);
    EXPECT_NE(printed[2].find("cursor=0"), std::string::npos);
    EXPECT_NE(printed[3].find("undo=1 redo=0"), std::string::npos);

    const Ppm picture = snapshot("shapes.ppm");
    ASSERT_EQ(picture.width, 600);
    ASSERT_EQ(picture.height, 600);
    const auto expected = [](std::int32_t x, std::int32_t y) -> COLORREF {
        // The filled rectangle from the stylus-down to the stylus-up point.
        if (x >= 10 && x < 20 && y >= 10 && y < 20) return 0x0000FF;
        // The outlined one, a band of two pixels inside its bounds.
        const bool inside = x >= 30 && x < 50 && y >= 10 && y < 25;
        const bool band = x < 32 || x >= 48 || y < 12 || y >= 23;
        if (inside && band) return 0x00FF00;
        return white;
    };
    for (std::int32_t y = 0; y < 600; ++y)
        for (std::int32_t x = 0; x < 600; ++x)
            ASSERT_EQ(picture.at(x, y), expected(x, y)) << x << "," << y;

    // At 200 % every canvas pixel is a 2 x 2 block of the view.
    const Ppm view = snapshot("shapes-view.ppm");
    ASSERT_EQ(view.width, 240);
    ASSERT_EQ(view.height, 268);
    for (std::int32_t y = 0; y < 268; ++y)
        for (std::int32_t x = 0; x < 240; ++x)
            ASSERT_EQ(view.at(x, y), expected(x / 2, y / 2)) << x << "," << y;
}

TEST_F(ReplayScenarioTest, OneUndoRevertsAChainedDragAndRedoRestoresIt) {
    ASSERT_EQ(replay("strokes.replay"), 0);
    ASSERT_EQ(printed.size(), 4u);
    // The drag is longer than one pencil holds.
    EXPECT_NE(printed[0].find("history=5 cursor=5"), std::string::npos) << printed[0];
    EXPECT_NE(printed[1].find("cursor=0"), std::string::npos);
    EXPECT_EQ(printed[1], printed[2]);  // the second undo does nothing

    const Ppm drawn = snapshot("drawn.ppm"), undone = snapshot("undone.ppm"),
              redone = snapshot("redone.ppm");
    int inked = 0;
    for (std::int32_t y = 0; y < 600; ++y)
        for (std::int32_t x = 0; x < 600; ++x) {
            ASSERT_EQ(undone.at(x, y), white) << x << "," << y;
            inked += drawn.at(x, y) != white;
        }
    EXPECT_GT(inked, 3000);
    EXPECT_EQ(drawn.rgb, redone.rgb);
    // The pencil passed along the path's corners, and not far outside it.
    // Full opacity is 127 of 128, so black over white leaves 2.
    EXPECT_EQ(drawn.at(200, 5), rgb(2, 2, 2));
    EXPECT_EQ(drawn.at(5, 200), rgb(2, 2, 2));
    EXPECT_EQ(drawn.at(400, 400), white);
}

TEST_F(ReplayScenarioTest, AutoScrollCarriesTheShapeAndStopsWithTheStylus) {
    ASSERT_EQ(replay("autoscroll.replay"), 0);
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_NE(printed[0].find("tool=3 history=0 cursor=0 zoom=1 scroll=10,0"), std::string::npos)
        << printed[0];
    // Ten view pixels (five canvas pixels) a tick.
    EXPECT_NE(printed[1].find("scroll=50,0"), std::string::npos) << printed[1];
    EXPECT_NE(printed[2].find("tool=none history=1 cursor=1 zoom=1 scroll=50,0"), std::string::npos)
        << printed[2];
}

TEST_F(ReplayScenarioTest, AMissingScriptIsAnError) {
    EXPECT_EQ(replay("no-such-script.replay"), 1);
}

}  // namespace
