// What a user waits for when the program starts, each in a fresh process of
// its own without any heap setting of a script: the load of "data.db" beside
// "cat" into "wc -l" on the same file, and the whole start up to the shown
// main window on a data folder with ten daily copies, the first start of a
// day (the copies move on) beside a normal start. The runs alternate with
// their references; the counters give medians, ratios with their spread, the
// growth from 20,000 to 80,000 records and the peak memory as a multiple of
// the file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_child.h"
#include "bench/bench_ratio.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/start/startup.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::Alternate;
using benchratio::Clock;
using benchratio::SecondsSince;

// The figures a child prints: its own time of the part and the peak memory
// the part added.
struct ChildFigures {
  bool ok = false;
  double seconds = 0;
  double processSeconds = 0;
  double peakBytes = 0;
};

ChildFigures RunChild(const std::string& name, const std::vector<std::string>& arguments) {
  const benchchild::Result run = benchchild::Run(name, arguments);
  ChildFigures figures;
  std::istringstream out(run.output);
  figures.ok = run.ok && static_cast<bool>(out >> figures.seconds >> figures.peakBytes);
  figures.processSeconds = run.seconds;
  return figures;
}

void PrintFigures(double seconds, long rssBefore) {
  std::printf("%.9f %.0f\n", seconds,
              static_cast<double>(benchchild::StatusKilobytes("VmHWM") - rssBefore) * 1024.0);
  std::fflush(stdout);
}

// The load alone: LoadRecordFile of the folder's "data.db".
[[maybe_unused]] const bool kLoadChild = benchchild::Register("load", [](const std::vector<std::string>& args) {
  if (args.size() != 1) return 2;
  const long before = benchchild::StatusKilobytes("VmRSS");
  RecordList records;
  const auto start = Clock::now();
  if (!LoadRecordFile(records, args[0])) return 1;
  PrintFigures(SecondsSince(start), before);
  // The records go with the process, as at the end of a program.
  std::_Exit(0);
});

// The whole start of the program folder up to the shown main window. The
// process ends there at once: the parent removes the lock it leaves.
[[maybe_unused]] const bool kStartChild = benchchild::Register("start", [](const std::vector<std::string>& args) {
  if (args.size() != 1) return 2;
  const long before = benchchild::StatusKilobytes("VmRSS");
  const auto start = Clock::now();
  CPravikWinApp app;
  StartupOptions options;
  options.programFolder = args[0];
  options.skipInstanceGuard = true;
  CStartup startup(app, options);
  if (!startup.InitInstance()) std::_Exit(1);
  PrintFigures(SecondsSince(start), before);
  std::_Exit(0);
});

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

double ShellSeconds(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) return 0;
  return SecondsSince(start);
}

// A program folder whose "datapfad.dat" names a data folder of generated
// records (no plant list: the start opens that folder), removed at exit.
class BenchInstallation {
 public:
  explicit BenchInstallation(int records) {
    program_ = fs::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(data());
    recordgen::WriteGeneratedRecordFile(data(), records, 7);
    platform::WriteFileBytes(program_ / "datapfad.dat", data().string() + "\r\n");
    fileBytes_ = static_cast<double>(platform::FileSize(RecordFile()).value_or(1));
  }
  ~BenchInstallation() {
    std::error_code ec;
    fs::remove_all(program_, ec);
  }
  fs::path data() const { return program_ / "data"; }
  fs::path RecordFile() const { return data() / kRecordFileName; }
  const fs::path& program() const { return program_; }
  double FileBytes() const { return fileBytes_; }
  // Ten daily copies "data.db.01" to ".10".
  void MakeDailyCopies() {
    for (int n = 1; n <= 10; ++n)
      platform::CopyFile(RecordFile(), RecordFile().string() + (n < 10 ? ".0" : ".") + std::to_string(n));
  }
  // "data.db" last written now (a normal start) or yesterday (the first of a day).
  void SetWritten(bool today) {
    const auto when = fs::file_time_type::clock::now() - (today ? std::chrono::hours(0) : std::chrono::hours(30));
    std::error_code ec;
    fs::last_write_time(RecordFile(), when, ec);
  }
  // What a start left: the lock of a process that ended without its shutdown.
  void RemoveLock() const { platform::DeleteFile(data() / "lock.lck"); }

 private:
  fs::path program_;
  double fileBytes_ = 1;
};

void BM_LoadFreshProcess(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  BenchInstallation installation(records);
  double peak = 0;
  bool failed = false;
  auto load = [&] {
    const ChildFigures figures = RunChild("load", {installation.data().string()});
    failed = failed || !figures.ok;
    peak = std::max(peak, figures.peakBytes);
    return figures.seconds;
  };
  auto cat = [&] { return ShellSeconds("cat " + Quoted(installation.RecordFile()) + " | wc -l >/dev/null"); };
  benchratio::Alternating runs;
  for (auto _ : state) {
    runs = Alternate(11, load, cat);
    state.SetIterationTime(runs.OwnMedian());
  }
  if (failed) state.SkipWithError("a load failed");
  runs.Report(state, "cat_wc");
  state.counters["file_MB"] = installation.FileBytes() / 1e6;
  state.counters["peak_x_file"] = peak / installation.FileBytes();
  benchratio::ReportGrowth(state, "load", records, runs.OwnMedian());
}
BENCHMARK(BM_LoadFreshProcess)->Arg(20000)->Arg(80000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first start of a day beside a normal start, both with ten daily copies.
// Each is timed whole, from the new process to its end right after the main
// window is shown ("own_ms", "normal_ms"); "init_ms" is the start's own part
// of the first of a day, "peak_x_file" the most memory any start added.
void BM_StartFreshProcess(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  BenchInstallation installation(records);
  installation.MakeDailyCopies();
  double peak = 0;
  std::vector<double> init;
  bool failed = false;
  auto start = [&](bool firstOfDay) {
    installation.SetWritten(!firstOfDay);
    const ChildFigures figures = RunChild("start", {installation.program().string()});
    installation.RemoveLock();
    failed = failed || !figures.ok;
    peak = std::max(peak, figures.peakBytes);
    if (firstOfDay) init.push_back(figures.seconds);
    return figures.processSeconds;
  };
  start(false);  // the first start of the folder writes its settings
  benchratio::Alternating runs;
  for (auto _ : state) {
    runs = Alternate(9, [&] { return start(true); }, [&] { return start(false); });
    state.SetIterationTime(runs.OwnMedian());
  }
  if (failed) state.SkipWithError("a start failed");
  runs.Report(state, "normal");
  state.counters["init_ms"] = benchratio::Median(init) * 1e3;
  state.counters["file_MB"] = installation.FileBytes() / 1e6;
  state.counters["peak_x_file"] = peak / installation.FileBytes();
}
BENCHMARK(BM_StartFreshProcess)->Arg(20000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
