// Strokes longer than one tool's point list: the document hands the stroke
// on from tool to tool, and no stretch of the stylus path may be lost or
// painted twice where one tool hands over to the next.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "document/testing/document_fixture.h"

namespace {

constexpr std::uint16_t eraserButton = 8;

// A bending walk inside the view: eight directions, turning every few moves,
// each move `minStep` to `maxStep` pixels long, turning back at the edges.
std::vector<POINT> bendingPath(int moves, int minStep, int maxStep) {
    static constexpr int dx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static constexpr int dy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % std::uint32_t(n));
    };
    std::vector<POINT> path{POINT{120, 130}};
    int direction = 0, left = 0;
    while (int(path.size()) <= moves) {
        if (left-- <= 0) {
            direction = next(8);
            left = 3 + next(28);
        }
        const int step = minStep + next(maxStep - minStep + 1);
        const POINT from = path.back();
        const POINT to{from.x + dx[direction] * step, from.y + dy[direction] * step};
        if (to.x < 5 || to.x > 234 || to.y < 5 || to.y > 262) {
            left = 0;
            continue;
        }
        path.push_back(to);
    }
    return path;
}

class LongStrokeTest : public document_testing::DocumentTest {
  protected:
    LongStrokeTest() {
        frame.lineWidth = 1;
        frame.currentColour = 0;
    }

    // Down at the first point, a move to each point but the last, up at the last.
    void gesture(const std::vector<POINT>& path, std::size_t first, std::size_t last) {
        down(path[first].x, path[first].y);
        for (std::size_t i = first + 1; i < last; ++i)
            move(path[i].x, path[i].y);
        up(path[last].x, path[last].y);
    }
    std::vector<std::uint8_t> liveBytes() const { return canvasBytes(document.canvas.liveBits()); }
    // Which bytes the pencil touched. Where short strokes overlap, the later
    // one blends over the earlier, so only the painted area can be compared.
    static std::vector<bool> painted(const std::vector<std::uint8_t>& bytes) {
        std::vector<bool> marks(bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            marks[i] = bytes[i] != 0xFF;
        return marks;
    }
};

struct PathCase {
    const char* name;
    std::vector<POINT> path;
};

const PathCase pathCases[] = {
    {"slow", bendingPath(4000, 1, 2)},
    {"fast", bendingPath(3000, 3, 9)},
    // The stylus lifts further away than the list has room for.
    {"far_lift", {POINT{10, 20}, POINT{230, 20}, POINT{230, 250}}},
};

class LongStrokePathTest : public LongStrokeTest, public ::testing::WithParamInterface<int> {};

// One gesture of thousands of points paints exactly what the same path
// drawn as many short strokes paints, each short enough for one tool. The
// path's segments run straight or diagonal, so the two cover the same pixels
// only if every stretch of the path is painted.
TEST_P(LongStrokePathTest, PaintsWhatTheSamePathInPiecesPaints) {
    const std::vector<POINT>& path = pathCases[GetParam()].path;
    const std::vector<std::uint8_t> blank = liveBytes();
    gesture(path, 0, path.size() - 1);
    EXPECT_GE(historyLength(), 2) << "the stroke should need more than one tool";
    const std::vector<std::uint8_t> whole = liveBytes();
    document.executeCommand(DocCommand::Undo, 0);
    ASSERT_EQ(liveBytes(), blank) << "undo takes the whole stroke back";

    // At most 20 moves of 9 pixels: far fewer stamps than one list holds.
    for (std::size_t first = 0; first + 1 < path.size(); first += 20)
        gesture(path, first, std::min(first + 20, path.size() - 1));
    EXPECT_EQ(painted(liveBytes()), painted(whole));
}

INSTANTIATE_TEST_SUITE_P(Paths, LongStrokePathTest, ::testing::Range(0, 3),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::string(pathCases[param.param].name);
                         });

// Soft eraser stamps add up where they overlap; where one tool hands the
// stroke to the next, the stamp they share is laid down once, so a straight
// stretch of the trail is even all along.
TEST_F(LongStrokeTest, HandOverLaysTheSharedStampOnce) {
    const Canvas& c = document.canvas;
    const std::size_t bytes = std::size_t(c.allocatedRows()) * std::size_t(c.rowStride());
    std::memset(c.liveBits(), 0, bytes);
    std::memset(c.committedBits(), 0, bytes);
    useTool(eraserButton);
    frame.eraserSizeIndex = 4;  // 12 by 12, soft edges
    // 221 stamps along the top, so the list fills about 35 pixels down the side.
    down(10, 20);
    move(230, 20);
    move(230, 250);
    up(230, 250);
    ASSERT_GE(historyLength(), 2);
    for (std::int32_t x = 224; x < 236; ++x)
        for (std::int32_t y = 40; y <= 230; ++y)
            ASSERT_EQ(live(x, y), live(x, 100)) << x << "," << y;
}

}  // namespace
