#pragma once
// The plain work a benchmark compares itself with, measured in the same run:
// its mean time and the ratio reported as counters "<plain>_ms" and "x_<plain>".
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace benchratio {

using Clock = std::chrono::steady_clock;

// The mean time of a piece of plain work, in seconds.
template <typename Work>
double MeanSeconds(int runs, Work work) {
  const auto start = Clock::now();
  for (int i = 0; i < runs; ++i) work();
  return std::chrono::duration<double>(Clock::now() - start).count() / runs;
}

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline void ReportRatio(benchmark::State& state, double ownSeconds, double plainSeconds, const char* plainName) {
  state.counters[std::string(plainName) + "_ms"] = plainSeconds * 1e3;
  state.counters[std::string("x_") + plainName] = plainSeconds > 0 ? ownSeconds / plainSeconds : 0;
}

}  // namespace benchratio
