// A material statistic over a list of 20,000 records with one row selected
// (every record a candidate, all of one material): choosing the records,
// building the file and writing it. Beside it, the plain work on the same
// data: writing the file's bytes as they are (what "cp" would do), measured
// alternately with it; the counter "x_plain_write" is the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "bench/bench_ratio.h"
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
  static BenchData& data = benchratio::KeepUntilEnd(std::make_unique<BenchData>());
  return data;
}

void BM_MaterialStatistic(benchmark::State& state) {
  const BenchData& data = Data();
  const std::time_t now = platform::Now();
  StatisticsFile file;
  size_t setSize = 0;
  // The plain work: the bytes of the last file written and flushed to disk,
  // as the program's own write does.
  const std::filesystem::path plain = data.folder() / "plain.sta";
  std::string bytes;
  auto plainWrite = [&] { return benchratio::TimeSeconds([&] { platform::WriteFileBytes(plain, bytes); }); };
  benchratio::Alternating runs;
  for (auto _ : state) {
    const bool plainFirst = runs.size() % 2;
    const double plainBefore = plainFirst ? plainWrite() : 0;
    const double own = benchratio::TimeSeconds([&] {
      const StatisticsRecordSelection chosen = SelectStatisticsRecords(data.list(), {0}, kSelection, *data.list()[0]);
      file = WriteMaterialStatistics(chosen.set, kSelection, *data.list()[0], data.folder(), now);
      if (!platform::WriteTextFile(file.path, file.text)) state.SkipWithError("write failed");
      setSize = chosen.set.size();
    });
    bytes = platform::EncodeText(file.text);
    runs.Add(own, plainFirst ? plainBefore : plainWrite());
  }
  state.counters["records"] = kRecords;
  state.counters["in_statistic"] = static_cast<double>(setSize);
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
  runs.Report(state, "plain_write");
}
BENCHMARK(BM_MaterialStatistic)->Unit(benchmark::kMillisecond);

}  // namespace
