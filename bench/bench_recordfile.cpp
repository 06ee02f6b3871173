// Loading and safe saving of record files of 5,000, 20,000 and 80,000
// generated records, each beside the plain tools on the same file in the
// same run: "cat" into "wc -l" for the load, "cp" and "sync" of the copy for
// the safe save. Every iteration times the program's own work and then the
// plain tools, so that both see the same state of the machine; the counters
// give the medians and their ratio, and the time and peak memory of a load
// into a fresh heap.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_ratio.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::Clock;
using benchratio::SecondsSince;

// A data folder with a generated "data.db", removed at exit.
class BenchFolder {
 public:
  explicit BenchFolder(int records) {
    path_ = fs::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(path_);
    recordgen::WriteGeneratedRecordFile(path_, records, 7);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path file() const { return path_ / kRecordFileName; }

 private:
  fs::path path_;
};

BenchFolder& Folder(int records) {
  static std::map<int, std::unique_ptr<BenchFolder>> folders;
  auto& folder = folders[records];
  if (!folder) folder = std::make_unique<BenchFolder>(records);
  return *folder;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The plain tools through the shell, as a user would run them.
double ShellSeconds(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) return 0;
  return SecondsSince(start);
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// A kilobyte figure of /proc/self/status ("VmRSS", "VmHWM").
long StatusKilobytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
  return 0;
}

// A load in a child process that first gives the free memory of its heap
// back and resets its peak, as at the program's start: every page of the
// records is a fresh one. Gives the load's peak memory and its time.
struct FreshLoad {
  double peakBytes = 0;
  double seconds = 0;
};

FreshLoad LoadIntoFreshHeap(const fs::path& folder) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKilobytes("VmRSS");
    FreshLoad fresh;
    {
      RecordList records;
      const auto start = Clock::now();
      if (LoadRecordFile(records, folder)) {
        fresh.seconds = SecondsSince(start);
        fresh.peakBytes = static_cast<double>(StatusKilobytes("VmHWM") - before) * 1024;
      }
    }
    const ssize_t written = ::write(pipeEnds[1], &fresh, sizeof fresh);
    ::_exit(written == sizeof fresh ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  FreshLoad fresh;
  if (::read(pipeEnds[0], &fresh, sizeof fresh) != sizeof fresh) fresh = {};
  ::close(pipeEnds[0]);
  ::waitpid(child, nullptr, 0);
  return fresh;
}

void Report(benchmark::State& state, int records, const std::vector<double>& own, const std::vector<double>& plain,
            const char* plainName) {
  const double fileBytes = static_cast<double>(platform::FileSize(Folder(records).file()).value_or(0));
  state.counters["records"] = records;
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["own_ms"] = Median(own) * 1e3;
  benchratio::ReportRatio(state, Median(own), Median(plain), plainName);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fileBytes));
}

// Every timed load finds the heap its previous one gave back; the first one
// is not timed, so that all sizes are measured alike. The load into a fresh
// heap (the program's start) is reported beside them as "fresh_ms".
void BM_LoadRecordFile(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const BenchFolder& folder = Folder(records);  // generated before the timing starts
  {
    RecordList warmUp;
    LoadRecordFile(warmUp, folder.path());
  }
  std::vector<double> own, plain;
  for (auto _ : state) {
    RecordList loaded;
    const auto start = Clock::now();
    const bool ok = LoadRecordFile(loaded, folder.path());
    own.push_back(SecondsSince(start));
    state.SetIterationTime(own.back());
    if (!ok || loaded.size() != static_cast<size_t>(records)) {
      state.SkipWithError("load failed");
      break;
    }
    plain.push_back(ShellSeconds("cat " + Quoted(folder.file()) + " | wc -l >/dev/null"));
  }
  Report(state, records, own, plain, "cat_wc");
  const FreshLoad fresh = LoadIntoFreshHeap(folder.path());
  state.counters["fresh_ms"] = fresh.seconds * 1e3;
  state.counters["peak_x_file"] = fresh.peakBytes / std::max<double>(1, static_cast<double>(platform::FileSize(folder.file()).value_or(1)));
}
BENCHMARK(BM_LoadRecordFile)->Arg(5000)->Arg(20000)->Arg(80000)->MinTime(2.0)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SaveRecordFileSafely(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const BenchFolder& folder = Folder(records);
  RecordList loaded;
  if (!LoadRecordFile(loaded, folder.path())) {
    state.SkipWithError("load failed");
    return;
  }
  const fs::path copy = folder.path() / "copy.db";
  SaveRecordFileSafely(loaded, folder.path());  // untimed, as the first load
  std::vector<double> own, plain;
  for (auto _ : state) {
    const auto start = Clock::now();
    const bool ok = SaveRecordFileSafely(loaded, folder.path());
    own.push_back(SecondsSince(start));
    state.SetIterationTime(own.back());
    if (!ok) {
      state.SkipWithError("save failed");
      break;
    }
    plain.push_back(ShellSeconds("cp " + Quoted(folder.file()) + " " + Quoted(copy) + " && sync " + Quoted(copy)));
  }
  Report(state, records, own, plain, "cp_sync");
}
BENCHMARK(BM_SaveRecordFileSafely)->Arg(5000)->Arg(20000)->Arg(80000)->MinTime(3.0)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
