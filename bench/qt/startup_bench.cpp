// Start-up to the first painted frame, as whole processes on the offscreen
// platform: Mirabo beside a bare Qt Widgets program of the same shape, the
// two started by turns. Each iteration's time is one program's run from
// start to exit; the counters add its peak memory, also with the largest
// drawing brought back.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/startup/hibernation.h"
#include "bench/targets.h"
#include "canvas/canvas.h"
#include "document/sketch_file.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

extern char** environ;

namespace {

// A folder of its own for the runs: the device root (so the program never
// sees the user's files) and a 1024 x 1024 drawing. Before each start the
// drawing is put where the program keeps the drawing it hibernated when it
// was last closed, so the start brings it back at its size; opening it from
// the command line instead would first ask about the blank drawing.
struct RunFolder {
    std::string path;
    std::string drawing;
    std::filesystem::path hibernated;
    RunFolder() {
        char folder[] = "/tmp/mirabo-bench-XXXXXX";
        if (!mkdtemp(folder)) return;
        path = folder;
        std::error_code ignored;
        for (const char* sub : {"home", "data", "config", "cache", "state", "runtime"})
            std::filesystem::create_directory(path + "/" + sub, ignored);
        // A private runtime folder, as the desktop gives each user.
        std::filesystem::permissions(path + "/runtime", std::filesystem::perms::owner_all, ignored);
        std::string device = platform::toUtf8(hibernationPath);
        std::replace(device.begin(), device.end(), '\\', '/');
        hibernated = path + device;
        drawing = path + "/start.zsf";
        platform::HeadlessWindow view(240, 320);
        Canvas canvas;
        if (!canvas.create(&view, 1024, 1024, 240, 320) ||
            !saveSketchFile(canvas, platform::toUtf16(drawing).c_str()))
            drawing.clear();
    }
    ~RunFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    // The drawing in its place for the next start.
    bool prepare() const {
        std::error_code failed;
        std::filesystem::create_directories(hibernated.parent_path(), failed);
        return !failed &&
               std::filesystem::copy_file(
                   drawing, hibernated, std::filesystem::copy_options::overwrite_existing, failed);
    }
};

const RunFolder& runFolder() {
    static const RunFolder folder;
    return folder;
}

// Runs the program to its end on the offscreen platform, its messages
// thrown away; false when it could not be started or did not end well.
// `peakKiB` is its largest resident size as the program itself reported it:
// what the system counts for a spawned process also holds this one's size.
bool runProgram(std::vector<std::string> arguments, long& peakKiB) {
    // Every folder the program writes to or looks in is the run's own: the
    // user's files, file types and running instance stay out of it.
    const std::string& folder = runFolder().path;
    std::vector<std::string> settings = {"QT_QPA_PLATFORM=offscreen",
                                         "MIRABO_QUIT_AFTER_FIRST_PAINT=1",
                                         "MIRABO_DEVICE_ROOT=" + folder,
                                         "HOME=" + folder + "/home",
                                         "XDG_DATA_HOME=" + folder + "/data",
                                         "XDG_CONFIG_HOME=" + folder + "/config",
                                         "XDG_CACHE_HOME=" + folder + "/cache",
                                         "XDG_STATE_HOME=" + folder + "/state",
                                         "XDG_RUNTIME_DIR=" + folder + "/runtime",
                                         "DBUS_SESSION_BUS_ADDRESS=",
                                         "SESSION_MANAGER="};
    std::vector<char*> environment;
    for (std::string& s : settings)
        environment.push_back(s.data());
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& s : settings)
            replaced = replaced || entry.compare(0, s.find('=') + 1, s, 0, s.find('=') + 1) == 0;
        if (!replaced) environment.push_back(*e);
    }
    environment.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string messages = runFolder().path + "/messages";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t child = 0;
    const bool started =
        posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environment.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    std::ifstream written(messages);
    for (std::string line; std::getline(written, line);)
        if (line.rfind("VmHWM:", 0) == 0) peakKiB = std::atol(line.c_str() + 6);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

using Clock = std::chrono::steady_clock;

// One start of a program, timed from the spawn to its exit, in seconds; a
// negative time when it did not run to its end.
double timedStart(const std::vector<std::string>& arguments, long& peakKiB) {
    long peak = 0;
    const auto start = Clock::now();
    if (!runProgram(arguments, peak)) return -1;
    peakKiB = std::max(peakKiB, peak);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::vector<std::string> bareWindow = {MIRABO_BARE_WINDOW_PATH};

// The bare program's starts made by turns with Mirabo's, so that both see
// the same machine; its own benchmark reports them.
struct BareStarts {
    std::vector<double> seconds;
    long peakKiB = 0;
};
BareStarts& bareStarts() {
    static BareStarts starts;
    return starts;
}

// The usual start, with a blank 600 x 600 canvas: one iteration starts the
// bare program and then Mirabo, and counts Mirabo's time.
void startUpMirabo(benchmark::State& state) {
    BareStarts& bare = bareStarts();
    bare = BareStarts{};
    long peakKiB = 0;
    // Every start but a user's very first finds the file association
    // written; one start before the timed ones writes it.
    if (timedStart({MIRABO_PROGRAM_PATH}, peakKiB) < 0) {
        state.SkipWithError("the program did not run to its end");
        return;
    }
    if (!std::filesystem::exists(runFolder().path + "/data/applications/mirabo.desktop")) {
        state.SkipWithError("the first start wrote no file association");
        return;
    }
    peakKiB = 0;
    for (auto _ : state) {
        const double bareSeconds = timedStart(bareWindow, bare.peakKiB);
        const double seconds = timedStart({MIRABO_PROGRAM_PATH}, peakKiB);
        if (bareSeconds < 0 || seconds < 0) {
            state.SkipWithError("a program did not run to its end");
            bare.seconds.clear();
            return;
        }
        bare.seconds.push_back(bareSeconds);
        state.SetIterationTime(seconds);
    }
    state.counters["peak MiB"] = double(peakKiB) / 1024;
}
BENCHMARK(startUpMirabo)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();

// The bare program's starts made beside Mirabo's (or its own, when it runs
// alone).
void startUpBareWindow(benchmark::State& state) {
    const BareStarts bare = bareStarts();
    long peakKiB = bare.peakKiB;
    std::size_t next = 0;
    for (auto _ : state) {
        double seconds = next < bare.seconds.size() ? bare.seconds[next++] : -1;
        if (seconds < 0) seconds = timedStart(bareWindow, peakKiB);
        if (seconds < 0) {
            state.SkipWithError("the program did not run to its end");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["peak MiB"] = double(peakKiB) / 1024;
}
BENCHMARK(startUpBareWindow)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();

// A start that brings back a 1024 x 1024 drawing, the largest canvas, for
// the peak memory, set beside the bare program's ("over bare MiB", at most 24).
void startUpMiraboWithLargeDrawing(benchmark::State& state) {
    if (runFolder().drawing.empty()) {
        state.SkipWithError("the 1024 x 1024 drawing could not be written");
        return;
    }
    long peakKiB = 0, barePeakKiB = 0;
    for (auto _ : state) {
        const double bareSeconds = timedStart(bareWindow, barePeakKiB);
        const double seconds =
            runFolder().prepare() ? timedStart({MIRABO_PROGRAM_PATH}, peakKiB) : -1;
        if (bareSeconds < 0 || seconds < 0) {
            state.SkipWithError("a program did not run to its end");
            return;
        }
        state.SetIterationTime(seconds);
    }
    const double over = double(peakKiB - barePeakKiB) / 1024;
    state.counters["peak MiB"] = double(peakKiB) / 1024;
    state.counters["over bare MiB"] = over;
    state.SetLabel(over <= 24 ? "memory goal (<= 24 MiB over bare) met"
                              : "memory goal (<= 24 MiB over bare) missed");
}
BENCHMARK(startUpMiraboWithLargeDrawing)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->UseManualTime();

MIRABO_TARGET("start-up to the first paint vs a bare Qt window",
              "startUpMirabo/iterations:20/manual_time",
              "startUpBareWindow/iterations:20/manual_time", 1.3);

}  // namespace
