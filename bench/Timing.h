// How every benchmark of the program reports: milliseconds of wall-clock time,
// the whole process's CPU time beside it, and over repetitions the minimum
// beside the median (the machines are shared and noisy).
#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

inline void wallAndCpuTimesOver(benchmark::internal::Benchmark* b, int repetitions)
{
    b->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime()
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
}

/// The same over five repetitions, for Apply.
inline void wallAndCpuTimes(benchmark::internal::Benchmark* b)
{
    wallAndCpuTimesOver(b, 5);
}
