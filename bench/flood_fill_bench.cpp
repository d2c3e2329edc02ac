// The flood fill on the largest canvas, beside a memset of the picture's
// bytes: a whole white canvas, and a maze of one-pixel corridors, where
// spans are short and the scanning matters more than the writing.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "bench/targets.h"
#include "canvas/canvas.h"
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
    for (std::int32_t y = 0; y < 1024; ++y)
        for (std::int32_t x = 0; x < 1024; ++x)
            if (x % 2 == 1 || y % 2 == 1) f.set(x, y, 0x000000);
    std::mt19937 random(5);
    std::vector<bool> seen(512 * 512, false);
    std::vector<std::pair<int, int>> path{{0, 0}};
    seen[0] = true;
    while (!path.empty()) {
        const auto [cx, cy] = path.back();
        int options[4], n = 0;
        const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + dx[d], ny = cy + dy[d];
            if (nx >= 0 && ny >= 0 && nx < 512 && ny < 512 && !seen[std::size_t(ny * 512 + nx)])
                options[n++] = d;
        }
        if (n == 0) {
            path.pop_back();
            continue;
        }
        const int d = options[random() % unsigned(n)];
        const int nx = cx + dx[d], ny = cy + dy[d];
        f.set(2 * cx + dx[d], 2 * cy + dy[d], 0xFFFFFF);
        seen[std::size_t(ny * 512 + nx)] = true;
        path.push_back({nx, ny});
    }
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
