#pragma once
// The plain work a benchmark compares itself with, measured in the same run,
// and the growth of a measure from one record count to the next.
//
// A reference is timed alternately with the measured work, one run of each
// in turn, so that whatever else the machine does weighs on both alike; the
// counters give the medians ("own_ms", "<plain>_ms"), the median of the
// ratios of the pairs ("x_<plain>") and their lowest and highest ("x_lo",
// "x_hi": the spread).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <time.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define BENCH_CALLGRIND 1
#endif

namespace benchratio {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename Work>
double TimeSeconds(Work&& work) {
  const auto start = Clock::now();
  work();
  return SecondsSince(start);
}

// Under callgrind (scripts/bench_counts) the measured work alone is counted,
// one profile per run named "<measure>/<records>": instruction counts show
// the growth that a loaded machine's clock blurs. Elsewhere it is timed, and
// its thread CPU time and page faults are kept for ReportGrowth: on a busy
// machine the clock also counts the time others had the processor.
inline bool UnderCallgrind() {
#ifdef BENCH_CALLGRIND
  return RUNNING_ON_VALGRIND;
#else
  return false;
#endif
}

struct RunCosts {
  std::vector<double> cpuSeconds;
  std::vector<double> pageFaults;
};

inline std::map<std::string, RunCosts>& CostsOfRuns() {
  static std::map<std::string, RunCosts> costs;
  return costs;
}

inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_minflt);
}

template <typename Work>
double CountedSeconds(const std::string& measure, int records, Work&& work) {
  const std::string label = measure + "/" + std::to_string(records);
  if (!UnderCallgrind()) {
    const double faults = MinorFaults(), cpu = ThreadCpuSeconds();
    const double seconds = TimeSeconds(work);
    RunCosts& costs = CostsOfRuns()[label];
    costs.cpuSeconds.push_back(ThreadCpuSeconds() - cpu);
    costs.pageFaults.push_back(MinorFaults() - faults);
    return seconds;
  }
#ifdef BENCH_CALLGRIND
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_ZERO_STATS;
  CALLGRIND_TOGGLE_COLLECT;
  const double seconds = TimeSeconds(work);
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(label.c_str());
  CALLGRIND_STOP_INSTRUMENTATION;
  return seconds;
#endif
}

// Fixed run counts shrink to one under callgrind, which is some fifty times slower.
inline int Runs(int runs) { return UnderCallgrind() ? 1 : runs; }

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Pairs of runs: the measured work and its reference, timed one after the other.
class Alternating {
 public:
  void Add(double ownSeconds, double plainSeconds) {
    own_.push_back(ownSeconds);
    plain_.push_back(plainSeconds);
  }
  double OwnMedian() const { return Median(own_); }
  double PlainMedian() const { return Median(plain_); }
  bool empty() const { return own_.empty(); }
  size_t size() const { return own_.size(); }

  void Report(benchmark::State& state, const std::string& plainName) const {
    std::vector<double> ratios;
    for (size_t i = 0; i < own_.size(); ++i)
      if (plain_[i] > 0) ratios.push_back(own_[i] / plain_[i]);
    state.counters["own_ms"] = OwnMedian() * 1e3;
    state.counters[plainName + "_ms"] = PlainMedian() * 1e3;
    state.counters["x_" + plainName] = Median(ratios);
    if (ratios.empty()) return;
    state.counters["x_lo"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["x_hi"] = *std::max_element(ratios.begin(), ratios.end());
  }

 private:
  std::vector<double> own_;
  std::vector<double> plain_;
};

// Runs the measured work and the reference alternately `rounds` times (the
// reference first every second round).
template <typename Own, typename Plain>
Alternating Alternate(int rounds, Own&& own, Plain&& plain) {
  Alternating runs;
  for (int i = 0; i < rounds; ++i) {
    double ownSeconds = 0, plainSeconds = 0;
    if (i % 2) {
      plainSeconds = plain();
      ownSeconds = own();
    } else {
      ownSeconds = own();
      plainSeconds = plain();
    }
    runs.Add(ownSeconds, plainSeconds);
  }
  return runs;
}

// The growth of a measure with the records: each record count's latest
// median is kept, and a count gets "x_growth", its median divided by that of
// the next smaller count of the same measure, and "records_ratio" (for 4x
// the records the goal is at most 4.4x). The smaller count runs first. Runs
// timed by CountedSeconds also give the median thread CPU time ("cpu_ms"),
// its growth ("x_growth_cpu") and the median page faults ("page_faults");
// from the third count on also the growth from the smallest count
// ("records_ratio_first", "x_growth_cpu_first").
inline void ReportGrowth(benchmark::State& state, const std::string& measure, int records, double ownSeconds) {
  static std::map<std::string, std::map<int, std::pair<double, double>>> medians;
  state.counters["records"] = records;
  double cpu = 0;
  if (const auto costs = CostsOfRuns().find(measure + "/" + std::to_string(records)); costs != CostsOfRuns().end()) {
    cpu = Median(costs->second.cpuSeconds);
    state.counters["cpu_ms"] = cpu * 1e3;
    state.counters["page_faults"] = Median(costs->second.pageFaults);
  }
  auto& counts = medians[measure];
  counts[records] = {ownSeconds, cpu};
  const auto it = counts.find(records);
  if (it == counts.begin()) return;
  const auto smaller = std::prev(it);
  state.counters["records_ratio"] = static_cast<double>(records) / smaller->first;
  state.counters["x_growth"] = smaller->second.first > 0 ? ownSeconds / smaller->second.first : 0;
  if (smaller->second.second > 0) state.counters["x_growth_cpu"] = cpu / smaller->second.second;
  // With three sizes or more, also the growth from the smallest.
  const auto smallest = counts.begin();
  if (smallest == smaller) return;
  state.counters["records_ratio_first"] = static_cast<double>(records) / smallest->first;
  if (smallest->second.second > 0) state.counters["x_growth_cpu_first"] = cpu / smallest->second.second;
}

// What a benchmark keeps for all its runs (views, data folders) ends with
// the benchmarks, while the application still exists, and not among the
// program's statics: a view that outlived the application could crash the
// program's end and leave its data folder behind. main() calls EndKept().
inline std::vector<std::function<void()>>& KeptObjects() {
  static std::vector<std::function<void()>> ends;
  return ends;
}

template <typename T>
T& KeepUntilEnd(std::unique_ptr<T> object) {
  T& kept = *object;
  KeptObjects().push_back([shared = std::shared_ptr<T>(std::move(object))]() mutable { shared.reset(); });
  return kept;
}

// Ends the kept objects, the last kept first.
inline void EndKept() {
  auto& ends = KeptObjects();
  while (!ends.empty()) {
    ends.back()();
    ends.pop_back();
  }
}

}  // namespace benchratio
