// A material statistic over a list of 20,000 records with one row selected
// (every record a candidate, all of one material): choosing the records,
// building the file and writing it. Beside it, the plain work on the same
// data: writing the file's bytes as they are (what "cp" would do), measured
// in the same run; the counter "x_plain_write" is the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/statisticsfile.h"
#include "records/statisticsselection.h"
#include "records/strutil.h"
#include "tools/record_generator.h"

namespace {

constexpr int kRecords = 20000;
constexpr char kSelection[] = "M|[SDM-BENCH-0001]|12|34|19000101|29991231|0|0|0|||";

// The generated records made one plant's records of one material, and a data
// folder with "stat", removed at exit.
class BenchData {
 public:
  BenchData() {
    folder_ = std::filesystem::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_ / "stat");
    records_ = recordgen::RecordGenerator(5).Make(kRecords);
    int serial = 0;
    for (auto& r : records_) {
      r->SetValue(1, 0, "12-34-" + std::to_string(++serial));
      r->SetValue(1, 4, "1");
      std::string requirements = r->GetField(5);
      StrSetField(requirements, ';', 8, "[SDM-BENCH-0001]");
      r->SetField(5, requirements);
      list_.push_back(r.get());
    }
  }
  ~BenchData() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  const std::vector<const CVersuch*>& list() const { return list_; }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  RecordList records_;
  std::vector<const CVersuch*> list_;
};

BenchData& Data() {
  static BenchData data;
  return data;
}

void BM_MaterialStatistic(benchmark::State& state) {
  const BenchData& data = Data();
  const std::time_t now = platform::Now();
  StatisticsFile file;
  size_t setSize = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const StatisticsRecordSelection chosen = SelectStatisticsRecords(data.list(), {0}, kSelection, *data.list()[0]);
    file = WriteMaterialStatistics(chosen.set, kSelection, *data.list()[0], data.folder(), now);
    if (!platform::WriteTextFile(file.path, file.text)) {
      state.SkipWithError("write failed");
      return;
    }
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    setSize = chosen.set.size();
  }

  // The plain work: the same bytes written to a file and flushed to disk,
  // as the program's own write does.
  const std::string bytes = platform::EncodeText(file.text);
  const std::filesystem::path plain = data.folder() / "plain.sta";
  constexpr int kPlainRuns = 20;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPlainRuns; ++i) platform::WriteFileBytes(plain, bytes);
  const double plainSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kPlainRuns;
  state.counters["records"] = kRecords;
  state.counters["in_statistic"] = static_cast<double>(setSize);
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["x_plain_write"] = seconds / static_cast<double>(state.iterations()) / plainSeconds;
}
BENCHMARK(BM_MaterialStatistic)->Unit(benchmark::kMillisecond);

}  // namespace
