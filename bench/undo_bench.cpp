// One step back through the drawing's earlier states on the largest canvas,
// after a fill of the whole picture and after a stroke across it, beside two
// copies of the picture's bytes: a step writes the kept pixels into both
// pictures and redraws the view, and must cost no more than those copies.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "app/frame/main_frame.h"
#include "bench/bench_session.h"
#include "bench/targets.h"
#include "document/sketch_document.h"

namespace {

constexpr std::uint16_t side = 1024;

enum class Change { Fill, Stroke };

// A 1024 x 1024 drawing on a view, whose last change is already an earlier
// state: the next Undo steps back through the kept pixels.
struct Drawing : bench::Session {
    explicit Drawing(Change change) : Session(side, side) {
        frame.currentColour = 0x2040C0;
        if (change == Change::Fill) {
            frame.selectTool(ToolButton::Fill);
            document.pointerButton(POINT{100, 100}, true, true, false);
            document.pointerButton(POINT{100, 100}, false, true, false);
        } else {
            frame.selectTool(ToolButton::Pencil);
            frame.lineWidth = 8;
            document.pointerButton(POINT{0, 0}, true, false, false);
            for (std::int32_t i = 8; i < side; i += 8)
                document.pointerMove(POINT{i, i}, true);
            document.pointerButton(POINT{side - 1, side - 1}, false, false, false);
        }
        document.flattenHistory();
    }
};

// Only the Undo is timed; the Redo that puts the change back for the next
// iteration is not.
void undoStep(benchmark::State& state, Change change) {
    Drawing d(change);
    if (!d.document.earlierStates.canUndo()) state.SkipWithError("nothing was kept");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        d.document.executeCommand(DocCommand::Undo, 0);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        d.document.executeCommand(DocCommand::Redo, 0);
    }
    if (d.document.earlierStates.stepCount() != 1) state.SkipWithError("the step was lost");
}
BENCHMARK_CAPTURE(undoStep, fill, Change::Fill)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoStep, stroke, Change::Stroke)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The picture's bytes copied into each of two pictures.
void copyPictureTwice(benchmark::State& state) {
    const std::size_t bytes = std::size_t(side) * side * 3;
    std::vector<std::uint8_t> kept(bytes, 0x5A), live(bytes), committed(bytes);
    for (auto _ : state) {
        std::memcpy(committed.data(), kept.data(), bytes);
        std::memcpy(live.data(), kept.data(), bytes);
        benchmark::DoNotOptimize(committed.data());
        benchmark::DoNotOptimize(live.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyPictureTwice)->Unit(benchmark::kMicrosecond);

MIRABO_TARGET("1024x1024 undo step after a whole-picture fill vs two picture copies",
              "undoStep/fill/manual_time", "copyPictureTwice", 1.0);
MIRABO_TARGET("1024x1024 undo step after a stroke across the picture vs two picture copies",
              "undoStep/stroke/manual_time", "copyPictureTwice", 1.0);

}  // namespace
