#pragma once

#include <chrono>
#include <cstdio>

namespace vexa::bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One timing as the benchmark script reads it: "sample KEY VALUE". The
// script gathers the samples of a key from every run and prints their median
// and spread.
inline void PrintSample(const char* key, double value) {
    std::printf("sample %s %.4f\n", key, value);
    std::fflush(stdout);
}

} // namespace vexa::bench
