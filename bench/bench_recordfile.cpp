// Loading and safe saving of a record file of 20,000 generated records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/files.h"
#include "records/recordfile.h"
#include "tools/record_generator.h"

namespace {

constexpr int kRecords = 20000;

// A data folder with a generated "data.db", removed at exit.
class BenchFolder {
 public:
  BenchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("pravik_bench_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path_);
    recordgen::WriteGeneratedRecordFile(path_, kRecords, 7);
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

BenchFolder& Folder() {
  static BenchFolder folder;
  return folder;
}

void SetBytes(benchmark::State& state) {
  auto size = platform::FileSize(Folder().path() / kRecordFileName).value_or(0);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
  state.counters["records"] = kRecords;
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void BM_LoadRecordFile(benchmark::State& state) {
  Folder();  // generated before the timing starts
  for (auto _ : state) {
    RecordList records;
    if (!LoadRecordFile(records, Folder().path()) || records.size() != kRecords) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(records.data());
  }
  SetBytes(state);
}
BENCHMARK(BM_LoadRecordFile)->Unit(benchmark::kMillisecond);

void BM_SaveRecordFileSafely(benchmark::State& state) {
  RecordList records;
  if (!LoadRecordFile(records, Folder().path())) {
    state.SkipWithError("load failed");
    return;
  }
  for (auto _ : state) {
    if (!SaveRecordFileSafely(records, Folder().path())) {
      state.SkipWithError("save failed");
      break;
    }
  }
  SetBytes(state);
}
BENCHMARK(BM_SaveRecordFileSafely)->Unit(benchmark::kMillisecond);

}  // namespace
