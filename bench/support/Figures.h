// Repeated measurements and how the benchmarks print them: every figure is taken several
// times and shown as its minimum (the cost without interference) and its median (the
// typical cost on a shared machine).
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tovu::bench {

// How many times each figure is taken: TOVU_BENCH_RUNS, else the benchmark's own default.
inline int runs(int fallback)
{
    const int n = qEnvironmentVariableIntValue("TOVU_BENCH_RUNS");
    return n > 0 ? n : fallback;
}

struct Figures {
    std::vector<double> samples;

    void add(double value) { samples.push_back(value); }
    double min() const { return samples.empty() ? 0 : *std::min_element(samples.begin(), samples.end()); }
    // The middle sample; of an even count, the mean of the two middle ones.
    double median() const
    {
        if (samples.empty())
            return 0;
        std::vector<double> s = samples;
        std::sort(s.begin(), s.end());
        const std::size_t n = s.size();
        return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
};

// "label   min 12.3 ms  median 12.9 ms  (5 runs)"
inline void printFigures(const char* label, const Figures& f, const char* unit)
{
    std::printf("%-44s min %10.3f %s  median %10.3f %s  (%zu runs)", label, f.min(), unit, f.median(), unit,
                f.samples.size());
}

} // namespace tovu::bench
