#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

// Median wall time of `runs` calls of work, in microseconds. The median keeps one
// disturbed run on a busy machine from moving the figure.
inline double MedianMicros(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

// One line per figure: what, ours, the baseline, their ratio and the goal.
// A goal of 0 reports the ratio without judging it.
inline void ReportRatio(const char* what, double ours, double baseline, const char* unit,
                        double goal = 0) {
    const double ratio = baseline > 0 ? ours / baseline : 0;
    std::printf("%-34s %12.3f %s  baseline %12.3f %s  ratio %6.2fx", what, ours, unit, baseline,
                unit, ratio);
    if (goal > 0)
        std::printf("  (goal <= %.2fx) %s", goal, ratio <= goal ? "ok" : "OVER");
    std::printf("\n");
}
