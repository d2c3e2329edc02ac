// Replay lines about the main window: its size, keys, bars and palettes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/replay_command.h"

namespace {

struct Replay {
    int status = 0;
    std::string out;
    std::string err;
};

std::string readAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

Replay replay(const std::string& script) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Replay result;
    result.status = replayText(script, "frame.replay", 600, 600, out, err);
    result.out = readAll(out);
    result.err = readAll(err);
    return result;
}

bool has(const Replay& r, const std::string& line) {
    return r.out.find(line + "\n") != std::string::npos;
}

TEST(ReplayFrameTest, TheWindowLaysOutBarsAndViewWhileViewSetsTheViewAlone) {
    const Replay r = replay(
        "window 320 400\n"
        "bars\n"
        "scroll 5000 5000\n"
        "state\n"
        "view 100 50\n"
        "bars\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r, "view 0,22,320,380")) << r.out;
    EXPECT_NE(r.out.find("scroll=279,241 "), std::string::npos) << r.out;
    EXPECT_TRUE(has(r, "view 0,22,100,72")) << r.out;
}

// Hiding a bar and showing it again gives the view back as the window's own
// layout left it, whichever bar it is.
TEST(ReplayFrameTest, ABarShownAgainGivesBackTheViewItHad) {
    for (const char* toggle : {"menu 40010\n", "menu 40011\n"}) {
        const Replay r =
            replay(std::string("window 320 400\nbars\n") + toggle + "bars\n" + toggle + "bars\n");
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<std::string> views;
        for (std::size_t at = r.out.find("view "); at != std::string::npos;
             at = r.out.find("view ", at + 1))
            views.push_back(r.out.substr(at, r.out.find('\n', at) - at));
        ASSERT_EQ(views.size(), 3u) << r.out;
        EXPECT_EQ(views[0], "view 0,22,320,380") << toggle;
        EXPECT_NE(views[1], views[0]) << toggle;
        EXPECT_EQ(views[2], views[0]) << toggle;
    }
}

TEST(ReplayFrameTest, ReleasedKeysStepToolsAndSizes) {
    const Replay r = replay(
        "keyup left\n"
        "state\n"
        "keyup right\n"
        "keyup up\n"
        "keyup up\n"
        "keyup escape\n"
        "state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("button=14 width=2 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("button=0 width=1 "), std::string::npos) << r.out;
}

TEST(ReplayFrameTest, TheGroupButtonShowsItsLastMember) {
    const Replay r = replay(
        "pick 3\n"
        "menu 40016\n"
        "bars\n"
        "menu 40013\n"
        "bars\n");
    ASSERT_EQ(r.status, 0) << r.err;
    // The filled rectangle's selected picture, then its normal one.
    EXPECT_TRUE(has(r, "button 40016 bar=tool enabled=1 pressed=1 visible=1 image=165")) << r.out;
    EXPECT_TRUE(has(r, "button 40016 bar=tool enabled=1 pressed=0 visible=1 image=182")) << r.out;
    EXPECT_TRUE(has(r, "button 40013 bar=tool enabled=1 pressed=1 visible=1 image=115"));
}

TEST(ReplayFrameTest, TheTextToolGreysSizeAndOpacity) {
    const Replay r = replay("menu 40020\nbars\nmenu 40021\nbars\n");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"button 40014 bar=option enabled=0", "button 40057 bar=option enabled=0",
          "button 40024 bar=option enabled=1", "button 40026 bar=option enabled=1",
          "button 40027 bar=option enabled=1", "button 40024 bar=option enabled=0",
          "button 40026 bar=option enabled=0"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

TEST(ReplayFrameTest, ColourSettingsShowOnTheSwatch) {
    const Replay r = replay("colour 0x00FF00\neyedropper\nbars\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r, "button 40024 bar=option enabled=1 pressed=0 visible=1 image=swatch"));
    EXPECT_TRUE(has(r, "button 40018 bar=option enabled=1 pressed=1 visible=1 image=188"));
    EXPECT_NE(r.out.find("eyedropper=1 "), std::string::npos);
}

TEST(ReplayFrameTest, BadWindowLinesStopTheScript) {
    for (const char* bad : {"menu\n", "menu 70000\n", "menu x\n", "keyup\n", "keyup \"\"\n",
                            "pick -1\n", "pick some\n", "window 0 10\n", "window 10\n", "handoff\n",
                            "close now\n", "bars 1\n", "menus x\n"}) {
        const Replay r = replay(bad);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("frame.replay:1:"), std::string::npos) << bad << r.err;
    }
}

TEST(ReplayFrameTest, BadDialogLinesStopTheScript) {
    for (const char* bad :
         {"colourpicker\n", "colourpicker tap 10 26\n", "colourpicker down 10\n",
          "opacityslider up x 2\n", "opacityslider down 1 40000\n", "canvassize\n",
          "canvassize 320\n", "canvassize 1 2 3\n", "snapshot-opacity\n",
          // Nothing to write before the pop-up was shown, or where no file can go.
          "snapshot-colourpicker \"never.ppm\"\n",
          "menu 40057\nsnapshot-opacity \"/nonexistent/folder/o.ppm\"\n"}) {
        const Replay r = replay(bad);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("frame.replay:"), std::string::npos) << bad << r.err;
    }
}

TEST(ReplayFrameTest, ScriptedPopUpsKeepTheirOwnQueues) {
    // The opacity slider's events wait while the colour picker runs out of
    // its own and is cancelled; a Canvas Size answer waits for its dialog.
    const Replay r = replay(
        "opacityslider down 60 25\n"
        "opacityslider up 60 25\n"
        "canvassize \"100\" \"200\"\n"
        "menu 40024\n"
        "menu 40057\n"
        "menu 40060\n"
        "state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("modified=")),
              "dialog colour -> 2\ndialog opacity -> 1\ndialog canvassize -> 1\n");
    EXPECT_NE(r.out.find("opacity=61 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("canvas=100x200 "), std::string::npos) << r.out;
}

TEST(ReplayFrameTest, StartTakesAnOptionalCommandLine) {
    char program[] = "/nonexistent/script.replay";
    char start[] = "--start";
    char line[] = "file:/nonexistent/a.zsf";
    std::FILE* sink = std::tmpfile();
    // Whichever way round, the script is still missing: each is read as
    // the script, not swallowed as the command line.
    char* scriptFirst[] = {program, start};
    char* startFirst[] = {start, program};
    char* withLine[] = {start, line, program};
    for (char** argv : {scriptFirst, startFirst})
        EXPECT_EQ(replayCommand(2, argv, sink, sink), 1);
    EXPECT_EQ(replayCommand(3, withLine, sink, sink), 1);
    const std::string err = readAll(sink);
    EXPECT_EQ(err.find("usage"), std::string::npos) << err;
}

}  // namespace
