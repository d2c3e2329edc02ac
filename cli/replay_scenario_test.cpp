// Whole sessions through `mirabo-cli replay`: the scripts in cli/testdata,
// their printed states, and their snapshots checked against pixels worked
// out here from what the gestures should have drawn.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/replay_command.h"
#include "cli/testing/replay_scenario_fixture.h"
#include "platform/files/testing/temp_folder.h"

namespace {

using cli_testing::Ppm;
using cli_testing::readPpm;

constexpr COLORREF white = 0xFFFFFF;

class ReplayScenarioTest : public cli_testing::ReplayScenarioFixture {
  protected:
    // Lines printed that start with `prefix`.
    std::vector<std::string> linesStartingWith(const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const std::string& line : printed)
            if (line.rfind(prefix, 0) == 0) lines.push_back(line);
        return lines;
    }
    bool printedLine(const std::string& line) const {
        return std::find(printed.begin(), printed.end(), line) != printed.end();
    }
    bool hibernated() const {
        return std::filesystem::exists(folder.path() + "/device/Temp/hibernate_sketch.zsf");
    }

    // Hibernation files land in this test's own folder.
    platform::testing::ScopedEnvironment deviceRoot{"MIRABO_DEVICE_ROOT",
                                                    (folder.path() + "/device").c_str()};
};

TEST_F(ReplayScenarioTest, RectanglesUndoRedoAndAMagnifiedView) {
    ASSERT_EQ(replay("shapes.replay"), 0);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_EQ(printed[0],
              "modified=1 undo=1 redo=0 selection=none tool=none history=1 cursor=1 zoom=0 "
              "scroll=0,0 colour=0x0000FF button=3 width=2 sizes=5,4,4 opacity=127 grid=0 "
              "font=\"\" fontsize=12 eyedropper=0 canvas=600x600 path=\"\"");
    // The first rectangle is an earlier state that can still be undone.
    EXPECT_NE(printed[2].find("undo=1 redo=1"), std::string::npos);
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
    // The drag walks about 1,840 pixels: eight pencils of 256 stamps, each
    // going on from the last stamp of the one before.
    EXPECT_NE(printed[0].find("history=8 cursor=8"), std::string::npos) << printed[0];
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

TEST_F(ReplayScenarioTest, RepeatedUndoTakesBackEveryStrokeAndRedoBringsThemBack) {
    ASSERT_EQ(replay("undo_steps.replay"), 0);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_NE(printed[0].find("undo=0 redo=1"), std::string::npos) << printed[0];
    EXPECT_NE(printed[1].find("undo=1 redo=0"), std::string::npos) << printed[1];
    const Ppm drawn = snapshot("drawn.ppm"), undone = snapshot("undone.ppm"),
              redone = snapshot("redone.ppm");
    EXPECT_NE(drawn.at(50, 10), white);
    EXPECT_NE(drawn.at(50, 50), white);
    for (std::int32_t y = 0; y < 600; ++y)
        for (std::int32_t x = 0; x < 600; ++x)
            ASSERT_EQ(undone.at(x, y), white) << x << "," << y;
    EXPECT_EQ(drawn.rgb, redone.rgb);
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

TEST_F(ReplayScenarioTest, EveryMenuCommandRunsWithoutADisplay) {
    ASSERT_EQ(replay("menu_commands.replay"), 0);
    // Save is grayed on the clean drawing and enabled after the stroke.
    const auto saves = linesStartingWith("item 40043 ");
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(saves[0], "item 40043 \"Save\" grayed");
    EXPECT_EQ(saves[1], "item 40043 \"Save\" enabled");
    EXPECT_EQ(linesStartingWith("item ").size(), 2 * 22u);
    for (const char* line :
         {"unhandled 40038", "unhandled 40032", "unhandled 40001", "unhandled 40061",
          "dialog about -> 1", "dialog colour -> 1", "dialog opacity -> 1",
          "dialog canvassize -> 1", "palette shape items=5 checked=none -> 3",
          "palette shape items=5 checked=none -> none", "palette widths items=8 checked=1 -> 7",
          "palette grid items=6 checked=0 -> 1", "palette zoom items=7 checked=2 -> 3",
          "palette fontsize items=12 checked=4 -> 2", "bar tool visible=0 height=21",
          "view 0,0,240,310", "view 0,22,240,290"})
        EXPECT_TRUE(printedLine(line)) << line;
    // The file commands are left to the window after the document had them.
    for (const char* command : {"40041", "40043", "40045", "40046"})
        EXPECT_TRUE(printedLine(std::string("unhandled ") + command)) << command;
    EXPECT_EQ(linesStartingWith("unhandled ").size(), 8u);
    // Six picture dialogs, two saves, and the four modal dialogs.
    EXPECT_EQ(linesStartingWith("dialog ").size(), 6u + 2u + 4u);

    const auto states = linesStartingWith("modified=");
    ASSERT_EQ(states.size(), 4u);
    // The shape group's member chosen last, then the option palettes' choices.
    EXPECT_NE(states[0].find("button=3 "), std::string::npos) << states[0];
    EXPECT_NE(states[1].find("zoom=1 "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("button=0 width=8 "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("grid=4 "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("fontsize=9 "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("colour=0x0000FB "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("opacity=127 "), std::string::npos) << states[1];
    EXPECT_NE(states[2].find("canvas=320x240 "), std::string::npos) << states[2];
    EXPECT_NE(states[2].find("modified=0 undo=0"), std::string::npos) << states[2];
    // Exit was cancelled; Control+Q closed the window without asking, the
    // unsaved stroke was hibernated, and nothing after it ran.
    EXPECT_EQ(printed.back(), states[3]);
    EXPECT_NE(states[3].find("modified=1"), std::string::npos);
    EXPECT_TRUE(hibernated());
}

TEST_F(ReplayScenarioTest, TheDialogsChangeSettingsOnlyWhenTheUserChose) {
    ASSERT_EQ(replay("dialogs.replay"), 0);
    const std::vector<std::string> dialogs = linesStartingWith("dialog ");
    EXPECT_EQ(dialogs, (std::vector<std::string>{"dialog colour -> 1", "dialog colour -> 2",
                                                 "dialog colour -> 2", "dialog opacity -> 1",
                                                 "dialog canvassize -> 1", "dialog canvassize -> 1",
                                                 "dialog canvassize -> 2", "dialog about -> 1"}));
    // The field's top-left pixel on a fresh start, shown on the swatch.
    EXPECT_TRUE(printedLine("button 40024 bar=option enabled=1 pressed=0 visible=1 image=swatch"));
    const auto states = linesStartingWith("modified=");
    ASSERT_EQ(states.size(), 5u);
    EXPECT_NE(states[0].find("colour=0x0000FB "), std::string::npos) << states[0];
    EXPECT_NE(states[1].find("colour=0x0000FB "), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("opacity=127 "), std::string::npos) << states[1];
    // The unchanged size reached nothing: the stroke is still in the history.
    EXPECT_NE(states[2].find("undo=1 redo=0 selection=none tool=none history=1 "),
              std::string::npos)
        << states[2];
    EXPECT_NE(states[2].find("canvas=600x600 "), std::string::npos) << states[2];
    EXPECT_NE(states[3].find("canvas=1x1024 "), std::string::npos) << states[3];
    EXPECT_EQ(states[4].substr(states[4].find("canvas=")),
              states[3].substr(states[3].find("canvas=")));

    // Hue 0: full red at the top left fading to grey at the right, black at
    // the bottom; the hue bar runs from red towards yellow beside its marker.
    const Ppm colour = snapshot("colour.ppm");
    ASSERT_EQ(colour.width, 168);
    ASSERT_EQ(colour.height, 122);
    EXPECT_EQ(colour.at(10, 26), rgb(251, 0, 0));
    EXPECT_EQ(colour.at(159, 26), rgb(251, 248, 248));
    for (std::int32_t x = 10; x < 160; ++x)
        ASSERT_EQ(colour.at(x, 97), 0u) << x;
    EXPECT_EQ(colour.at(10, 103), 0u);                // the marker at hue 0
    EXPECT_EQ(colour.at(20, 108), rgb(255, 102, 0));  // hue 40 of 600

    // The knob's tip under column 112 at opacity 127, the track above it.
    const Ppm opacity = snapshot("opacity.ppm");
    EXPECT_EQ(opacity.at(112, 26), 0u);
    EXPECT_EQ(opacity.at(111, 26), white);
    EXPECT_EQ(opacity.at(107, 31), 0u);
    EXPECT_EQ(opacity.at(106, 31), white);
    EXPECT_EQ(opacity.at(13, 23), 0u);
    EXPECT_EQ(opacity.at(112, 24), 0u);
}

TEST_F(ReplayScenarioTest, AHibernatedDrawingComesBackOnceAtItsSize) {
    ASSERT_EQ(replay("hibernate.replay"), 0);
    EXPECT_TRUE(printed.empty());  // the window was gone before `state`
    ASSERT_TRUE(hibernated());

    ASSERT_EQ(replay("restore.replay", {"--start"}), 0);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_NE(printed[0].find("modified=1 "), std::string::npos) << printed[0];
    EXPECT_NE(printed[0].find("canvas=320x240 "), std::string::npos) << printed[0];
    EXPECT_FALSE(hibernated());
    const Ppm restored = snapshot("restored.ppm");
    ASSERT_EQ(restored.width, 320);
    EXPECT_EQ(restored.at(15, 15), 0x0000FFu);
    EXPECT_EQ(restored.at(35, 15), white);

    // Read once: the next start begins afresh.
    ASSERT_EQ(replay("restore.replay", {"--start"}), 0);
    EXPECT_NE(printed[0].find("modified=0 "), std::string::npos) << printed[0];
    EXPECT_NE(printed[0].find("canvas=600x600 "), std::string::npos) << printed[0];
}

TEST_F(ReplayScenarioTest, CommandLinesOpenTheirDocumentAfterTheQuestion) {
    ASSERT_EQ(replay("hibernate.replay"), 0);
    ASSERT_TRUE(std::filesystem::copy_file(folder.path() + "/device/Temp/hibernate_sketch.zsf",
                                           folder.path() + "/opened.zsf"));
    // At start-up the hibernated drawing comes back first; nobody answers
    // the question about it, so the document stays unopened.
    ASSERT_EQ(replay("restore.replay", {"--start", "FILE:opened.zsf"}), 0);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0],
              "message \"Save Changes\" \"Save changes to current drawing?\" -> cancel");
    EXPECT_NE(printed[1].find("modified=1 "), std::string::npos);
    EXPECT_NE(printed[1].find("path=\"\""), std::string::npos);

    // A second start's command line over a drawing nobody touched: no question.
    ASSERT_EQ(replay("handoff.replay"), 0);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_NE(printed[0].find("modified=0 "), std::string::npos) << printed[0];
    EXPECT_NE(printed[0].find("canvas=320x240 path=\"opened.zsf\""), std::string::npos)
        << printed[0];
}

TEST_F(ReplayScenarioTest, AHibernatedDrawingComesBackUnderItsName) {
    ASSERT_EQ(replay("named.replay"), 0);
    ASSERT_TRUE(hibernated());
    const std::string saved = folder.path() + "/m2.zsf";
    const auto savedTime = std::filesystem::last_write_time(saved);

    ASSERT_EQ(replay("resave.replay", {"--start"}), 0);
    const auto states = linesStartingWith("modified=");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].find("modified=1 "), std::string::npos) << states[0];
    EXPECT_NE(states[0].find("path=\"m2.zsf\""), std::string::npos) << states[0];
    EXPECT_TRUE(linesStartingWith("dialog ").empty());  // Save asked for no name
    EXPECT_NE(states[1].find("modified=0 "), std::string::npos) << states[1];
    EXPECT_NE(std::filesystem::last_write_time(saved), savedTime);
    EXPECT_FALSE(hibernated());
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/device/Temp/hibernate_sketch.name"));

    // The name is read once, with the drawing.
    ASSERT_EQ(replay("restore.replay", {"--start"}), 0);
    EXPECT_NE(printed[0].find("modified=0 "), std::string::npos) << printed[0];
    EXPECT_NE(printed[0].find("path=\"\""), std::string::npos) << printed[0];
}

TEST_F(ReplayScenarioTest, ADrawingThatCannotBeKeptIsNotLostWithoutAsking) {
    // The device's folders cannot be made under a plain file.
    { std::ofstream(folder.path() + "/blocker") << "x"; }
    platform::testing::ScopedEnvironment unwritable{"MIRABO_DEVICE_ROOT",
                                                    (folder.path() + "/blocker/device").c_str()};
    ASSERT_EQ(replay("unkept.replay"), 0);
    const std::string question =
        "message \"Drawing Not Kept\" \"The drawing could not be kept for the next start. Keep "
        "Mirabo open to save it?\" -> ";
    const auto states = linesStartingWith("modified=");
    EXPECT_EQ(linesStartingWith("message "),
              (std::vector<std::string>{question + "cancel", question + "yes", question + "no"}));
    ASSERT_EQ(states.size(), 2u);  // the third `state` came after the close
    for (const std::string& state : states)
        EXPECT_NE(state.find("modified=1 "), std::string::npos) << state;

    // A close from outside cannot ask: it says so on the error output.
    testing::internal::CaptureStderr();
    ASSERT_EQ(replay("hibernate.replay"), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "mirabo: the drawing could not be kept for the next start and is lost"),
              std::string::npos);
    EXPECT_TRUE(printed.empty());
}

TEST_F(ReplayScenarioTest, AMissingScriptIsAnError) {
    EXPECT_EQ(replay("no-such-script.replay"), 1);
}

}  // namespace
