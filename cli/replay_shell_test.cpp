#include "cli/replay_shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/replay_command.h"

namespace {

// Runs script text and keeps what it printed.
struct Replay {
    int status = 0;
    std::string out;
    std::string err;
};

Replay replay(const std::string& script, std::uint16_t width = 600, std::uint16_t height = 600) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Replay result;
    result.status = replayText(script, "test.replay", width, height, out, err);
    for (auto [file, text] : {std::pair{out, &result.out}, {err, &result.err}}) {
        std::rewind(file);
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text->append(buffer, n);
        std::fclose(file);
    }
    return result;
}

TEST(ReplayShellTest, StateOfAFreshDocument) {
    const Replay r = replay("state\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "modified=0 undo=0 redo=0 selection=none tool=none history=0 cursor=0 zoom=0 "
              "scroll=0,0 colour=0x000000 button=0 width=2 sizes=5,4,4 opacity=127 grid=0 "
              "font=\"\" fontsize=12 eyedropper=0 canvas=600x600 path=\"\"\n");
}

TEST(ReplayShellTest, SettingsReachTheFrame) {
    const Replay r = replay(
        "colour 0x00FF80\n"
        "zoom 2\n"
        "scroll 100 40\n"
        "state\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("zoom=2 scroll=100,40 colour=0x00FF80"), std::string::npos) << r.out;
}

TEST(ReplayShellTest, ScrollIsClampedToTheView) {
    const Replay r = replay("scroll 5000 5000\nstate\n");
    EXPECT_NE(r.out.find("scroll=359,331"), std::string::npos) << r.out;
    const Replay wide = replay("view 640 480\nscroll 5000 5000\nstate\n");
    EXPECT_NE(wide.out.find("scroll=0,119"), std::string::npos) << wide.out;
}

TEST(ReplayShellTest, BadLinesStopTheScriptWithTheirNumber) {
    const Replay unknown = replay("state\n\nfly 1 2\nstate\n");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("test.replay:3:"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find("fly"), std::string::npos);
    // The state after the bad line is never printed.
    EXPECT_EQ(std::count(unknown.out.begin(), unknown.out.end(), '\n'), 1);

    for (const char* bad : {"zoom 5\n", "colour red\n", "down 1\n", "tool 12\n", "size 3\n",
                            "answer maybe\n", "command Fly\n", "type \"open\n", "tick 1 2\n",
                            "drop \"notes.txt\" 1 2\n", "drop \"a.bmp\" 1\n"}) {
        const Replay r = replay(bad);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("test.replay:1:"), std::string::npos) << bad << r.err;
    }
}

TEST(ReplayShellTest, ADroppedFileThatCannotBeReadIsReported) {
    const Replay r = replay("drop \"/nonexistent-folder/x.bmp\" 5 5\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Load Error!"), std::string::npos) << r.out;
}

TEST(ReplayShellTest, SnapshotsThatCannotBeWrittenAreErrors) {
    const Replay r = replay("snapshot \"/nonexistent-folder/x.ppm\"\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

TEST(ReplayShellTest, CanvasSizesOutsideTheRangeAreRefused) {
    std::uint16_t w = 0, h = 0;
    EXPECT_TRUE(parseCanvasSize("1024x1", w, h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 1);
    EXPECT_FALSE(parseCanvasSize("0x10", w, h));
    EXPECT_FALSE(parseCanvasSize("1025x10", w, h));
    EXPECT_FALSE(parseCanvasSize("10", w, h));
    EXPECT_FALSE(parseCanvasSize("10x", w, h));
    char program[] = "replay";
    char flag[] = "--canvas";
    char size[] = "2000x3";
    char* argv[] = {program, flag, size};
    std::FILE* sink = std::tmpfile();
    EXPECT_EQ(replayCommand(3, argv, sink, sink), 1);
    char missing[] = "/nonexistent/script.replay";
    char* argv2[] = {missing};
    EXPECT_EQ(replayCommand(1, argv2, sink, sink), 1);
    std::fclose(sink);
}

}  // namespace
