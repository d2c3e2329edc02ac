// Painting speed as the user feels it: the cost of one stylus move of a
// brush or airbrush stroke, beside one memcpy of the view's bytes; undo of a
// long chained drag on a large and a small canvas, which must cost the same
// because undo copies only each entry's bounds; and a replayed session.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/frame/main_frame.h"
#include "bench/bench_session.h"
#include "bench/targets.h"
#include "cli/replay_command.h"
#include "document/sketch_document.h"

namespace {

using bench::Session;

void memcpyViewArea(benchmark::State& state) {
    std::vector<std::uint8_t> from(std::size_t(1280) * 800 * 3, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memcpyViewArea);

// One iteration is one stylus event of a stroke of 256: a down, 254 moves
// along a zigzag, an up. Arguments: tool button, zoom shift.
void strokeMove(benchmark::State& state) {
    Session s(1024, 1024, 1280, 800);
    s.frame.selectTool(std::uint16_t(state.range(0)));
    s.frame.changeZoom(std::int32_t(state.range(1)));
    s.frame.scrollTo(ScrollRequest::ThumbPosition, 200, true, false);
    s.frame.scrollTo(ScrollRequest::ThumbPosition, 200, false, false);
    s.settle();
    int i = 0;
    for (auto _ : state) {
        const int step = i % 256;
        const std::int32_t x = 100 + (step * 4) % 1000;
        const std::int32_t y = 100 + (step / 250) * 40 + (step % 2) * 3;
        if (step == 0)
            s.frame.viewStylusDown(x, y);
        else if (step == 255)
            s.frame.viewStylusUp(x, y);
        else
            s.frame.viewStylusMove(x, y);
        s.settle();
        ++i;
    }
}
BENCHMARK(strokeMove)
    ->ArgNames({"button", "zoom"})
    ->Args({0, 0})
    ->Args({0, 4})
    ->Args({6, 0})
    ->Args({6, 4});

// Twenty chained brush strokes, each wandering over about 64 x 64 pixels inside
// the smaller canvas,
// then undo and redo of them all. Argument: canvas side.
void undoChainedStrokes(benchmark::State& state) {
    const auto side = std::uint16_t(state.range(0));
    Session s(side, side);
    s.frame.lineWidth = 4;
    SketchDocument& d = s.document;
    for (int stroke = 0; stroke < 20; ++stroke) {
        const std::int32_t ox = 4 + (stroke % 4) * 16, oy = 4 + (stroke / 4) * 12;
        // Each new stroke starts as a continuation, so the history is not flattened.
        d.pointerButton(POINT{ox, oy}, true, true, stroke > 0);
        for (int k = 0; k < 200; ++k)
            d.pointerMove(POINT{ox + (k * 13) % 64, oy + (k * 7) % 64}, false);
    }
    d.pointerButton(POINT{100, 100}, false, true, false);
    s.settle();
    for (auto _ : state) {
        d.executeCommand(DocCommand::Undo, 0);
        d.executeCommand(DocCommand::Redo, 0);
        s.settle();
    }
}
BENCHMARK(undoChainedStrokes)->Arg(1024)->Arg(128);

// A session of a few thousand stylus events, as `mirabo-cli replay` runs it.
void replaySession(benchmark::State& state) {
    std::string script = "tool 0\nwidth 3\n";
    for (int stroke = 0; stroke < 30; ++stroke) {
        script += "down " + std::to_string(10 + stroke * 7) + " 20\n";
        for (int k = 0; k < 100; ++k)
            script += "move " + std::to_string(10 + stroke * 7 + k % 13) + " " +
                      std::to_string(20 + k * 2) + "\n";
        script += "up 100 200\n";
    }
    std::FILE* sink = std::tmpfile();
    for (auto _ : state)
        replayText(script, "session", 600, 600, sink, sink);
    std::fclose(sink);
    state.counters["events"] = 30 * 102;
}
BENCHMARK(replaySession)->Unit(benchmark::kMillisecond);

// Typing a full line of text and dragging it about: every event re-measures
// and redraws the text, which the glyph cache keeps cheap.
void textSession(benchmark::State& state) {
    std::string script = "tool 11\nfontsize 18\ndown 20 40\n";
    for (int i = 0; i < 63; ++i)
        script += "key " + std::to_string('A' + i % 26) + "\n";
    script += "down 30 45\n";
    for (int k = 0; k < 100; ++k)
        script += "move " + std::to_string(30 + k % 40) + " " + std::to_string(45 + k % 30) + "\n";
    script += "up 60 60\n";
    const int events = 63 + 102;
    std::FILE* sink = std::tmpfile();
    for (auto _ : state)
        replayText(script, "text", 600, 600, sink, sink);
    std::fclose(sink);
    state.counters["per event"] = benchmark::Counter(
        events, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(textSession)->Unit(benchmark::kMillisecond);

MIRABO_TARGET("brush move at 100% vs memcpy of the view", "strokeMove/button:0/zoom:0",
              "memcpyViewArea", 2.0);
MIRABO_TARGET("brush move at 1600% vs memcpy of the view", "strokeMove/button:0/zoom:4",
              "memcpyViewArea", 2.0);
MIRABO_TARGET("airbrush move at 100% vs memcpy of the view", "strokeMove/button:6/zoom:0",
              "memcpyViewArea", 2.0);
MIRABO_TARGET("airbrush move at 1600% vs memcpy of the view", "strokeMove/button:6/zoom:4",
              "memcpyViewArea", 2.0);
MIRABO_TARGET("undo of 20 strokes, 1024 canvas vs 128 canvas", "undoChainedStrokes/1024",
              "undoChainedStrokes/128", 1.2);

}  // namespace
