// A full repaint of the view, with no tool, at every zoom step, beside one
// memcpy of the client area's bytes: what the eye waits for when scrolling.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/targets.h"
#include "canvas/canvas.h"
#include "platform/dialogs/dialogs.h"
#include "platform/window/headless_window.h"

namespace {

constexpr std::int32_t clientWidth = 1280;
constexpr std::int32_t clientHeight = 800;

void memcpyClientArea(benchmark::State& state) {
    std::vector<std::uint8_t> from(std::size_t(clientWidth) * clientHeight * 3, 0x5A);
    std::vector<std::uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memcpyClientArea);

// `odd` (above 100 % only) scrolls to the last view pixel of a magnified
// canvas pixel, which shifts the magnification the most.
void renderView(benchmark::State& state, bool odd) {
    const auto zoom = std::int16_t(state.range(0));
    platform::HeadlessWindow window(clientWidth, clientHeight);
    Canvas canvas;
    if (!canvas.create(&window, 1024, 1024, Canvas::defaultViewWidth, Canvas::defaultViewHeight)) {
        state.SkipWithError("no canvas");
        return;
    }
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        std::uint8_t* row = canvas.liveBits() + canvas.pixelOffset(0, y);
        for (std::int32_t i = 0; i < 3 * canvas.width(); ++i)
            row[i] = std::uint8_t(i * 7 + y);
    }
    const RECT client = window.clientRect();
    // Scrolled into the middle, so every pass shows picture and, when
    // reduced, margins.
    std::int16_t scroll = zoom >= 0 ? std::int16_t(100 << zoom) : 10;
    if (odd && zoom > 0) scroll = std::int16_t(scroll + (1 << zoom) - 1);
    for (auto _ : state) {
        canvas.beginRender(false, scroll, scroll, zoom, &client, &client, false);
        canvas.setViewTransform(true, true, scroll, scroll, zoom, &client, &client);
        canvas.endRender();
        benchmark::ClobberMemory();
    }
}

void renderPass(benchmark::State& state) {
    renderView(state, false);
}
BENCHMARK(renderPass)->DenseRange(-2, 4);

void renderPassOddScroll(benchmark::State& state) {
    renderView(state, true);
}
BENCHMARK(renderPassOddScroll)->DenseRange(1, 4);

// One stroke step's quick refresh of a small picture in a much wider view:
// the stamp's region is shown and nothing else, margins included.
void quickRefreshSmallPicture(benchmark::State& state) {
    platform::HeadlessWindow window(clientWidth, clientHeight);
    Canvas canvas;
    if (!canvas.create(&window, 200, 200, Canvas::defaultViewWidth, Canvas::defaultViewHeight)) {
        state.SkipWithError("no canvas");
        return;
    }
    const RECT client = window.clientRect();
    const RECT stamp{90, 90, 106, 106};
    canvas.beginRender(false, 0, 0, 0, &client, &client, false);
    canvas.setViewTransform(true, true, 0, 0, 0, &client, &client);
    canvas.endRender();
    for (auto _ : state) {
        canvas.beginRender(false, 0, 0, 0, &client, &client, false);
        canvas.setViewTransform(false, false, 0, 0, 0, &client, &client);
        canvas.blitRegion(stamp, POINT{stamp.left, stamp.top}, false, true);
        canvas.endRender();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(quickRefreshSmallPicture);

MIRABO_TARGET("quick refresh of a small picture vs memcpy of the client area",
              "quickRefreshSmallPicture", "memcpyClientArea", 0.05);

MIRABO_TARGET("render pass at 25% vs memcpy of the client area", "renderPass/-2",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 50% vs memcpy of the client area", "renderPass/-1",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 100% vs memcpy of the client area", "renderPass/0",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 200% vs memcpy of the client area", "renderPass/1",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 400% vs memcpy of the client area", "renderPass/2",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 800% vs memcpy of the client area", "renderPass/3",
              "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 1600% vs memcpy of the client area", "renderPass/4",
              "memcpyClientArea", 4.0);

MIRABO_TARGET("render pass at 200% inside a pixel vs memcpy of the client area",
              "renderPassOddScroll/1", "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 400% inside a pixel vs memcpy of the client area",
              "renderPassOddScroll/2", "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 800% inside a pixel vs memcpy of the client area",
              "renderPassOddScroll/3", "memcpyClientArea", 4.0);
MIRABO_TARGET("render pass at 1600% inside a pixel vs memcpy of the client area",
              "renderPassOddScroll/4", "memcpyClientArea", 4.0);

}  // namespace
