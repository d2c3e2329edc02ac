// Runs every registered benchmark, then reports each target as a ratio of
// two results of this run:
//   target <name>: <ratio> (goal <= <value>) met|missed
//   <k> of <n> targets met

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/targets.h"

namespace bench {

namespace {

std::vector<Target>& targets() {
    static std::vector<Target> all;
    return all;
}

// Keeps the per-iteration CPU time of every plain run (the time it reports
// itself for a benchmark that times its own iterations, such as a whole
// program's run), in seconds whatever unit the benchmark reports in, while
// printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] =
                    (run.run_name.time_type.empty() ? run.GetAdjustedCPUTime()
                                                    : run.GetAdjustedRealTime()) /
                    benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

bool addTarget(const Target& target) {
    targets().push_back(target);
    return true;
}

}  // namespace bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int met = 0, counted = 0;
    std::printf("\n");
    for (const bench::Target& target : bench::targets()) {
        const auto measured = reporter.times.find(target.measured);
        const auto reference = reporter.times.find(target.reference);
        if (measured == reporter.times.end() || reference == reporter.times.end()) continue;
        ++counted;
        const double ratio = measured->second / reference->second;
        const bool ok = ratio <= target.goal;
        met += ok;
        std::printf("target %s: %.2f (goal <= %.2f) %s\n", target.name.c_str(), ratio, target.goal,
                    ok ? "met" : "missed");
    }
    std::printf("%d of %d targets met\n", met, counted);
    return 0;
}
