#pragma once

#include <string>

namespace bench {

// A speed goal: the time of one benchmark divided by the time of a reference
// benchmark measured in the same run, at most `goal`. Ratios travel between
// machines far better than absolute times do.
struct Target {
    std::string name;
    std::string measured;   // benchmark name, as Google Benchmark reports it
    std::string reference;  // likewise
    double goal;
};

bool addTarget(const Target& target);

}  // namespace bench

#define MIRABO_BENCH_CONCAT_(a, b) a##b
#define MIRABO_BENCH_CONCAT(a, b) MIRABO_BENCH_CONCAT_(a, b)
// Registers a target at static-initialisation time, beside its benchmarks.
#define MIRABO_TARGET(...)                                          \
    static const bool MIRABO_BENCH_CONCAT(miraboTarget, __LINE__) = \
        ::bench::addTarget({__VA_ARGS__})
