// Loading and safe saving of record files of 5,000, 20,000 and 80,000
// generated records, each alternating with the plain tools on the same file:
// "cat" into "wc -l" for the load, "cp" and "sync" of the copy for the safe
// save. The counters give the medians, the ratio with its spread, and the
// growth from each size to the next. The load into a fresh process, as at the
// program's start: bench_start.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
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
  static std::map<int, BenchFolder*> folders;
  BenchFolder*& folder = folders[records];
  if (!folder) folder = &benchratio::KeepUntilEnd(std::make_unique<BenchFolder>(records));
  return *folder;
}

// The plain tools through the shell, as a user would run them.
double ShellSeconds(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) return 0;
  return SecondsSince(start);
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

void Report(benchmark::State& state, int records, const benchratio::Alternating& runs, const char* plainName,
            const char* measure) {
  const double fileBytes = static_cast<double>(platform::FileSize(Folder(records).file()).value_or(0));
  state.counters["file_MB"] = fileBytes / 1e6;
  runs.Report(state, plainName);
  benchratio::ReportGrowth(state, measure, records, runs.OwnMedian());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fileBytes));
}

// Every timed load finds the heap its previous one gave back; the first one
// is not timed, so that all sizes are measured alike.
void BM_LoadRecordFile(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const BenchFolder& folder = Folder(records);  // generated before the timing starts
  {
    RecordList warmUp;
    LoadRecordFile(warmUp, folder.path());
  }
  benchratio::Alternating runs;
  bool ok = true;
  auto load = [&] {
    RecordList loaded;
    return benchratio::CountedSeconds("load", records, [&] {
      ok = ok && LoadRecordFile(loaded, folder.path()) && loaded.size() == static_cast<size_t>(records);
    });
  };
  auto cat = [&] { return ShellSeconds("cat " + Quoted(folder.file()) + " | wc -l >/dev/null"); };
  for (auto _ : state) {
    const bool catFirst = runs.size() % 2;
    const double catBefore = catFirst ? cat() : 0;
    const double own = load();
    runs.Add(own, catFirst ? catBefore : cat());
    state.SetIterationTime(own);
  }
  if (!ok) state.SkipWithError("load failed");
  Report(state, records, runs, "cat_wc", "load");
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
  benchratio::Alternating runs;
  for (auto _ : state) {
    // The reference first every second time, as Alternate does.
    const bool plainFirst = runs.size() % 2;
    const double plainBefore = plainFirst ? ShellSeconds("cp " + Quoted(folder.file()) + " " + Quoted(copy) + " && sync " + Quoted(copy)) : 0;
    bool ok = false;
    const double own = benchratio::CountedSeconds("save", records, [&] { ok = SaveRecordFileSafely(loaded, folder.path()); });
    state.SetIterationTime(own);
    if (!ok) {
      state.SkipWithError("save failed");
      break;
    }
    runs.Add(own, plainFirst ? plainBefore : ShellSeconds("cp " + Quoted(folder.file()) + " " + Quoted(copy) + " && sync " + Quoted(copy)));
  }
  Report(state, records, runs, "cp_sync", "save");
}
BENCHMARK(BM_SaveRecordFileSafely)->Arg(5000)->Arg(20000)->Arg(80000)->MinTime(3.0)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
