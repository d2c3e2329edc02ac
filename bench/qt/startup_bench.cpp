// Start-up to the first painted frame, as whole processes on the offscreen
// platform: Mirabo beside a bare Qt Widgets program of the same shape.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program to its end with the offscreen platform; false when it
// could not be started or did not end well. `peakKib` receives its largest
// resident size.
bool runProgram(const char* path, long& peakKib) {
    // A device root of its own, so the program never sees the user's files.
    static std::string root = [] {
        char folder[] = "/tmp/mirabo-bench-XXXXXX";
        return std::string(mkdtemp(folder) ? folder : "/tmp");
    }();
    std::vector<std::string> settings = {"QT_QPA_PLATFORM=offscreen",
                                         "MIRABO_QUIT_AFTER_FIRST_PAINT=1",
                                         "MIRABO_DEVICE_ROOT=" + root};
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
    char* argv[] = {const_cast<char*>(path), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, path, nullptr, nullptr, argv, environment.data()) != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return false;
    peakKib = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Double-clicking the program: the time until its window is first painted,
// beside the bare program, started by turns so both see the same machine.
// The benchmark's own time is the launcher's; the counters are what counts:
// each program's mean start-up, their ratio, and their peak memory.
void startUpBesideABareWindow(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double miraboSeconds = 0, bareSeconds = 0;
    long miraboPeak = 0, barePeak = 0;
    int runs = 0;
    for (auto _ : state) {
        for (const bool mirabo : {false, true}) {
            long peak = 0;
            const auto start = Clock::now();
            if (!runProgram(mirabo ? MIRABO_PROGRAM_PATH : MIRABO_BARE_WINDOW_PATH, peak)) {
                state.SkipWithError("a program did not run to its end");
                return;
            }
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            (mirabo ? miraboSeconds : bareSeconds) += seconds;
            long& highest = mirabo ? miraboPeak : barePeak;
            highest = std::max(highest, peak);
        }
        ++runs;
    }
    if (runs == 0) return;
    state.counters["mirabo ms"] = 1000 * miraboSeconds / runs;
    state.counters["bare ms"] = 1000 * bareSeconds / runs;
    state.counters["ratio"] = miraboSeconds / bareSeconds;
    state.counters["mirabo MiB"] = double(miraboPeak) / 1024;
    state.counters["bare MiB"] = double(barePeak) / 1024;
}
BENCHMARK(startUpBesideABareWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
