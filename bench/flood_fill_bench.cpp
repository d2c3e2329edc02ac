// The flood fill on the largest canvas, beside a memset of the picture's
// bytes: a whole white canvas, and a maze of one-pixel corridors, where
// spans are short and the scanning matters more than the writing.

#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/targets.h"
#include "canvas/canvas.h"
#include "canvas/testing/maze.h"
#include "platform/window/headless_window.h"

namespace {

struct FillCanvas {
    platform::HeadlessWindow view{240, 268};
    Canvas canvas;
    FillCanvas() { canvas.create(&view, 1024, 1024, 240, 320); }
    void set(std::int32_t x, std::int32_t y, COLORREF c) {
        std::uint8_t* p = canvas.liveBits() + canvas.pixelOffset(x, y);
        p[0] = blueOf(c);
        p[1] = greenOf(c);
        p[2] = redOf(c);
    }
};

void memsetPictureBytes(benchmark::State& state) {
    FillCanvas f;
    const std::size_t bytes = std::size_t(f.canvas.allocatedRows()) * f.canvas.rowStride();
    for (auto _ : state) {
        std::memset(f.canvas.liveBits(), 0x40, bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memsetPictureBytes);

void fillWholeCanvas(benchmark::State& state) {
    FillCanvas f;
    bool dark = true;
    for (auto _ : state) {
        RECT dirty;
        f.canvas.floodFill(512, 512, dark ? 0x000000 : 0xFFFFFF, dirty);
        dark = !dark;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(fillWholeCanvas);

// A maze carved by a random depth-first walk over 512 x 512 cells: corridors
// and walls one pixel wide.
void fillMaze(benchmark::State& state) {
    FillCanvas f;
    canvas_testing::carveMaze(
        512, 5, [&](int x, int y) { f.set(x, y, 0x000000); },
        [&](int x, int y) { f.set(x, y, 0xFFFFFF); });
    bool dark = true;
    for (auto _ : state) {
        RECT dirty;
        f.canvas.floodFill(0, 0, dark ? 0x0000FF : 0xFFFFFF, dirty);
        dark = !dark;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(fillMaze)->Unit(benchmark::kMillisecond);

MIRABO_TARGET("flood fill of the whole 1024x1024 canvas vs memset", "fillWholeCanvas",
              "memsetPictureBytes", 10.0);
MIRABO_TARGET("flood fill of a 1024x1024 maze vs memset", "fillMaze", "memsetPictureBytes", 60.0);

}  // namespace
