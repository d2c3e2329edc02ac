// The copy of unsaved work that is written while the program runs, on the
// largest canvas, beside the Save of the same picture: the copy must never
// keep the stylus waiting longer than a save would. Also beside the bare
// sketch file write, which is the stricter measure. Two pictures: a drawing
// of flat shapes and a photograph-like one that compresses badly.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/frame/main_frame.h"
#include "app/startup/hibernation_keeper.h"
#include "bench/bench_session.h"
#include "bench/file_format_setup.h"
#include "bench/targets.h"
#include "document/file_format_pictures.h"
#include "document/sketch_document.h"
#include "document/sketch_file.h"
#include "platform/text/utf.h"

namespace {

enum class Picture { Shapes, Photo };

// A device of its own, in a folder of the benchmarks' own (memory-backed
// where the system has one: the writes flush their files).
struct Device {
    Device() {
        if (const char* old = getenv("MIRABO_DEVICE_ROOT")) previous = old;
        setenv("MIRABO_DEVICE_ROOT", folder.path.c_str(), 1);
    }
    ~Device() {
        if (previous.empty())
            unsetenv("MIRABO_DEVICE_ROOT");
        else
            setenv("MIRABO_DEVICE_ROOT", previous.c_str(), 1);
    }
    file_format_bench::Folder folder;
    std::string previous;
};

// A 1024 x 1024 drawing with unsaved changes, in a document on a view.
// The device comes first: the document finds its folders at start-up.
struct Drawing : Device, bench::Session {
    explicit Drawing(Picture picture) : Session(1024, 1024) {
        Canvas& canvas = document.canvas;
        for (std::uint8_t* bits : {canvas.committedBits(), canvas.liveBits()}) {
            if (picture == Picture::Shapes)
                file_format_pictures::paintShapes(canvas, bits);
            else
                file_format_pictures::paintPhoto(canvas, bits);
        }
        document.modified = true;
    }
};

// What the copy timer does when it goes off between two strokes.
void hibernationCopy(benchmark::State& state, Picture picture) {
    Drawing d(picture);
    HibernationKeeper keeper(d.document);
    for (auto _ : state) {
        if (!keeper.copyNow()) state.SkipWithError("copy failed");
    }
}

// File > Save of the same drawing.
void documentSave(benchmark::State& state, Picture picture) {
    Drawing d(picture);
    const std::u16string path = platform::toUtf16(d.folder / "saved.zsf");
    for (auto _ : state) {
        d.document.modified = true;
        if (!d.document.saveToPath(path.c_str())) state.SkipWithError("save failed");
    }
}

// The sketch file alone, without the document around it.
void sketchFileSave(benchmark::State& state, Picture picture) {
    Drawing d(picture);
    const std::u16string path = platform::toUtf16(d.folder / "plain.zsf");
    for (auto _ : state) {
        if (!saveSketchFile(d.document.canvas, path.c_str())) state.SkipWithError("save failed");
    }
}

// Each measurement right beside its references, so all run under the same
// conditions.
#define MIRABO_HIBERNATION_BENCH(picture, value)                                       \
    BENCHMARK_CAPTURE(hibernationCopy, picture, value)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(documentSave, picture, value)->Unit(benchmark::kMillisecond);    \
    BENCHMARK_CAPTURE(sketchFileSave, picture, value)->Unit(benchmark::kMillisecond)

MIRABO_HIBERNATION_BENCH(shapes, Picture::Shapes);
MIRABO_HIBERNATION_BENCH(photo, Picture::Photo);

bool addTargets(const char* what, const std::string& reference,
                std::initializer_list<const char*> pictures) {
    for (const char* picture : pictures)
        bench::addTarget({std::string(what) + " (" + picture + ")",
                          std::string("hibernationCopy/") + picture, reference + "/" + picture,
                          1.2});
    return true;
}

const bool targetsAdded =
    addTargets("1024x1024 hibernation copy vs Save", "documentSave", {"shapes", "photo"}) &&
    addTargets("1024x1024 hibernation copy vs the sketch file write", "sketchFileSave",
               {"shapes", "photo"});

}  // namespace
