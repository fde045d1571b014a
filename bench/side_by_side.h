#pragma once

// Times a measured operation and its raw baseline side by side in one run, and prints the ratio.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace side_by_side {

// Odd, and enough that a repeat slowed by a checkpoint or a burst of other work is not the median.
constexpr int kRepeats = 9;

using Clock = std::chrono::steady_clock;

inline double Milliseconds(const std::function<void()>& run)
{
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Timings {
    double measured;
    double baseline;
};

// The median of several runs of each side, in milliseconds; each run times itself (so that it
// can prepare and clean up outside its time). The sides take turns, so a slower stretch of the
// machine (writeback, another process) falls on both.
inline Timings MeasureSelfTimed(const std::function<double()>& measured, const std::function<double()>& baseline)
{
    std::vector<double> measuredTimes;
    std::vector<double> baselineTimes;
    for (int i = 0; i < kRepeats; ++i) {
        measuredTimes.push_back(measured());
        baselineTimes.push_back(baseline());
    }
    return {Median(measuredTimes), Median(baselineTimes)};
}

inline Timings MeasureSideBySide(const std::function<void()>& measured, const std::function<void()>& baseline)
{
    return MeasureSelfTimed([&] { return Milliseconds(measured); }, [&] { return Milliseconds(baseline); });
}

inline void Report(const char* what, Timings timings, double target)
{
    const auto [measured, baseline] = timings;
    const double ratio = measured / baseline;
    std::printf("%-58s %9.2f ms  baseline %9.2f ms  ratio %5.2fx  (target %gx: %s)\n", what, measured,
                baseline, ratio, target, ratio <= target ? "met" : "MISSED");
}

} // namespace side_by_side
