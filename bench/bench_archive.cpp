// Monthly archive and transfer files on the main view with 20,000 generated
// records in four months of 5,000: archiving one month (document, file, row
// removal), dearchiving it again, exporting and importing all 20,000. Each
// prints its ratio to copying the same file ("cp": read it, write it, flush),
// measured in the same run.
#include <benchmark/benchmark.h>

#include <QItemSelectionModel>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/bench_view.h"
#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "platform/scripted_ui.h"
#include "records/archive.h"
#include "shell/app/pravikapp.h"
#include "shell/app/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/transfer/importstatistikdlg.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRecords = 20000;
const char* const kMonths[] = {"202101", "202102", "202103", "202104"};
constexpr char kMonth[] = "202102";

// The application on a data folder of its own with its archive folder, and
// the generated records.
class BenchApp {
 public:
  BenchApp() : records_(recordgen::RecordGenerator(17).Make(kRecords)) {
    fs::create_directories(data_.folder() / "archiv");
    data_.app().WriteProfileString("Archivierung", "Ordner", (data_.folder() / "archiv").string());
    for (int i = 0; i < kRecords; ++i) {
      CVersuch& record = *records_[static_cast<size_t>(i)];
      record.SetValue(1, 11, std::string(kMonths[i % 4]) + "15083000");
      record.SetValue(0, 0, "12-34-" + std::to_string(100000 + i));  // every ID once
    }
  }
  // Copies of the records; without the month when asked.
  RecordList Copies(bool withMonth = true) const {
    RecordList copies;
    for (const auto& record : records_)
      if (withMonth || MonthKey(*record) != kMonth) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }
  const fs::path& folder() const { return data_.folder(); }
  fs::path MonthFile() const { return data_.folder() / "archiv" / MonthFileName(kMonth); }

 private:
  BenchDataFolder data_;
  RecordList records_;
};

BenchApp& App() {
  static BenchApp app;
  return app;
}

// The plain work on the same file: read it and write a copy, flushed.
double CopySeconds(const fs::path& file) {
  const fs::path copy = file.string() + ".cp";
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    const auto bytes = platform::ReadFileBytes(file);
    platform::WriteFileBytes(copy, bytes.value_or(""));
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  platform::DeleteFile(copy);
  return best;
}

// Times the measured part of each iteration itself, for the ratio.
class Stopwatch {
 public:
  void Start() { start_ = Clock::now(); }
  void Stop() {
    total_ += std::chrono::duration<double>(Clock::now() - start_).count();
    ++runs_;
  }
  void Report(benchmark::State& state, const fs::path& file) const {
    if (runs_ == 0) return;
    const double plain = CopySeconds(file);
    state.counters["cp_ms"] = plain * 1e3;
    state.counters["x_cp"] = total_ / runs_ / plain;
    state.counters["file_MB"] = static_cast<double>(platform::FileSize(file).value_or(0)) / 1e6;
  }

 private:
  Clock::time_point start_;
  double total_ = 0;
  int runs_ = 0;
};

void BM_ArchiveMonth(benchmark::State& state) {
  Stopwatch watch;
  for (auto _ : state) {
    state.PauseTiming();
    platform::DeleteFile(App().MonthFile());
    auto filled = std::make_unique<FilledView>(App().Copies());
    std::vector<std::string> results;
    state.ResumeTiming();
    watch.Start();
    filled->view->ArchiveMonth(kMonth, results);
    watch.Stop();
    if (results != std::vector<std::string>{std::string(kMonth) + "|1"} ||
        filled->view->model()->RecordCount() != kRecords * 3 / 4) {
      state.SkipWithError("archiving failed");
      break;
    }
    state.PauseTiming();
    filled.reset();
    state.ResumeTiming();
  }
  watch.Report(state, App().MonthFile());
}
BENCHMARK(BM_ArchiveMonth)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DearchiveMonth(benchmark::State& state) {
  if (!platform::FileExists(App().MonthFile())) {
    FilledView filled(App().Copies());
    std::vector<std::string> results;
    filled.view->ArchiveMonth(kMonth, results);
  }
  Stopwatch watch;
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledView>(App().Copies(false));
    std::vector<std::string> results;
    state.ResumeTiming();
    watch.Start();
    const bool read = filled->view->DearchiveMonth(kMonth, results);
    watch.Stop();
    if (!read || filled->view->model()->RecordCount() != kRecords) {
      state.SkipWithError("dearchiving failed");
      break;
    }
    state.PauseTiming();
    filled.reset();
    state.ResumeTiming();
  }
  watch.Report(state, App().MonthFile());
}
BENCHMARK(BM_DearchiveMonth)->Unit(benchmark::kMillisecond)->Iterations(5);

fs::path TransferFile() { return App().folder() / "alle.xml"; }

void BM_Export20000(benchmark::State& state) {
  FilledView filled(App().Copies());
  filled.view->list()->selectAll();
  Stopwatch watch;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
    ui.ExpectFileDialog(TransferFile());
    ui.ExpectMessageBox(platform::IDOK, "20000");
    state.ResumeTiming();
    watch.Start();
    filled.view->OnExportieren();
    watch.Stop();
  }
  watch.Report(state, TransferFile());
}
BENCHMARK(BM_Export20000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Import20000(benchmark::State& state) {
  if (!platform::FileExists(TransferFile())) {
    state.SkipWithError("run BM_Export20000 first");
    return;
  }
  Stopwatch watch;
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledView>(RecordList{});
    platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
    ui.ExpectFileDialog(TransferFile());
    ui.ExpectDialog(CImportStatistikDlg::kTemplateId, platform::IDOK);
    state.ResumeTiming();
    watch.Start();
    filled->view->OnImportieren();
    watch.Stop();
    if (filled->view->model()->RecordCount() != kRecords) {
      state.SkipWithError(("import failed: " + std::to_string(filled->view->model()->RecordCount())).c_str());
      break;
    }
    state.PauseTiming();
    filled.reset();
    state.ResumeTiming();
  }
  watch.Report(state, TransferFile());
}
BENCHMARK(BM_Import20000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
