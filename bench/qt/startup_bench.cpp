// Start-up to the first painted frame, as whole processes on the offscreen
// platform: Mirabo beside a bare Qt Widgets program of the same shape.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program to its end on the offscreen platform, its messages
// thrown away; false when it could not be started or did not end well.
bool runProgram(const char* path) {
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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path), nullptr};
    pid_t child = 0;
    const bool started =
        posix_spawn(&child, path, &actions, nullptr, argv, environment.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Starting the program until its window is first painted, beside the bare
// program, the two started by turns so both see the same machine. The
// benchmark's own time is the launcher's waiting; the counters are what
// counts: each program's mean start-up and their ratio.
void startUpBesideABareWindow(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double miraboSeconds = 0, bareSeconds = 0;
    int runs = 0;
    for (auto _ : state) {
        for (const bool mirabo : {false, true}) {
            const auto start = Clock::now();
            if (!runProgram(mirabo ? MIRABO_PROGRAM_PATH : MIRABO_BARE_WINDOW_PATH)) {
                state.SkipWithError("a program did not run to its end");
                return;
            }
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            (mirabo ? miraboSeconds : bareSeconds) += seconds;
        }
        ++runs;
    }
    if (runs == 0) return;
    state.counters["mirabo ms"] = 1000 * miraboSeconds / runs;
    state.counters["bare ms"] = 1000 * bareSeconds / runs;
    state.counters["ratio"] = miraboSeconds / bareSeconds;
}
BENCHMARK(startUpBesideABareWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
