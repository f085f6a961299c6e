#pragma once
// A small timing harness: each case runs a candidate and its baseline for a
// number of repetitions and prints min/median times and their ratio.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

struct Timing {
    double minSeconds;
    double medianSeconds;
};

inline double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(stop - start).count();
}

inline Timing summary(std::vector<double>& samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2]};
}

inline void printHeader(const char* title)
{
    std::printf("\n%s\n%-34s %12s %12s %12s %8s\n", title, "case", "torv min", "torv median", "baseline med", "ratio");
}

// Prints one row; a ratio below 1 means the library is faster.
inline void compare(const char* name, const std::function<void()>& candidate, const std::function<void()>& baseline,
                    int repetitions = 15)
{
    // Alternating the two keeps a change of machine load from favouring either.
    std::vector<double> ourSamples, theirSamples;
    for (int i = 0; i < repetitions; ++i) {
        ourSamples.push_back(secondsOf(candidate));
        theirSamples.push_back(secondsOf(baseline));
    }
    const Timing ours = summary(ourSamples);
    const Timing theirs = summary(theirSamples);
    std::printf("%-34s %10.3f ms %10.3f ms %10.3f ms %8.2f\n", name, ours.minSeconds * 1e3, ours.medianSeconds * 1e3,
                theirs.medianSeconds * 1e3, ours.medianSeconds / theirs.medianSeconds);
}

// Keeps the optimiser from discarding a computed value.
template <class T>
inline void keep(const T& value)
{
    asm volatile("" : : "g"(&value) : "memory");
}

} // namespace bench
