// Monthly archive and transfer files on the main view with 20,000, 40,000
// and 80,000 generated records in four months: archiving one month and dearchiving it
// again, each with the save of all records that follows it (what the user
// waits for), alternating with copying the month file's bytes plus a safe
// save of the same records; exporting all records alternating with "cp" and
// "sync" of the exported file; importing them into an empty list and saving
// them, alternating with copying the file's bytes plus a safe save of the
// records, with the memory the import took as a multiple of the file. Each
// gives its growth from one size to the next and from 20,000 records on.
#include <benchmark/benchmark.h>

#include <QItemSelectionModel>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bench/bench_child.h"
#include "bench/bench_ratio.h"
#include "bench/bench_view.h"
#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "platform/scripted_ui.h"
#include "records/archive.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/transfer/importstatistikdlg.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::TimeSeconds;

constexpr int kRecords = 20000;
const char* const kMonths[] = {"202101", "202102", "202103", "202104"};
constexpr char kMonth[] = "202102";

// The application on a data folder of its own with its archive folder, and
// the generated records.
class BenchApp {
 public:
  explicit BenchApp(int records) : records_(recordgen::RecordGenerator(17).Make(records)) {
    fs::create_directories(data_.folder() / "archiv");
    data_.app().WriteProfileString("Archivierung", "Ordner", (data_.folder() / "archiv").string());
    for (int i = 0; i < records; ++i) {
      CVersuch& record = *records_[static_cast<size_t>(i)];
      record.SetValue(1, 11, std::string(kMonths[i % 4]) + "15083000");
      record.SetValue(0, 0, "12-34-" + std::to_string(100000 + i));  // every ID once
    }
    SaveRecordFileSafely(records_, data_.folder());
  }
  // Copies of the records; without the month when asked.
  RecordList Copies(bool withMonth = true) const {
    RecordList copies;
    for (const auto& record : records_)
      if (withMonth || MonthKey(*record) != kMonth) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }
  // Copies of the first `count` records; without the month when asked.
  RecordList FirstCopies(int count, bool withMonth = true) const {
    RecordList copies;
    for (int i = 0; i < std::min(count, size()); ++i) {
      const CVersuch& record = *records_[static_cast<size_t>(i)];
      if (withMonth || MonthKey(record) != kMonth) copies.push_back(std::make_unique<CVersuch>(record));
    }
    return copies;
  }
  // Where the month commands find their files from now on.
  void UseArchiveFolder(const fs::path& folder) {
    fs::create_directories(folder);
    data_.app().WriteProfileString("Archivierung", "Ordner", folder.string());
  }
  int size() const { return static_cast<int>(records_.size()); }
  const fs::path& folder() const { return data_.folder(); }
  fs::path MonthFile() const { return data_.folder() / "archiv" / MonthFileName(kMonth); }
  fs::path TransferFile() const { return data_.folder() / "alle.xml"; }

  // The plain work of a month command: the month file copied, flushed, and
  // a safe save of the records the command leaves in the list.
  double PlainMonthSeconds(const RecordList& saved) const {
    const fs::path copy = MonthFile().string() + ".cp";
    const double seconds = TimeSeconds([&] {
      platform::CopyFile(MonthFile(), copy);
      SaveRecordFileSafely(saved, folder() / "plain");
    });
    platform::DeleteFile(copy);
    return seconds;
  }

 private:
  BenchDataFolder data_;
  RecordList records_;
};

// One application at a time: its object is the program's one.
BenchApp& App(int records) {
  static BenchApp* app = nullptr;
  if (!app || app->size() != records) {
    benchratio::EndKept();
    app = &benchratio::KeepUntilEnd(std::make_unique<BenchApp>(records));
    fs::create_directories(app->folder() / "plain");
  }
  return *app;
}

double ShellSeconds(const std::string& command) {
  return TimeSeconds([&command] { benchmark::DoNotOptimize(std::system(command.c_str())); });
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

void ReportFile(benchmark::State& state, const fs::path& file) {
  state.counters["file_MB"] = static_cast<double>(platform::FileSize(file).value_or(0)) / 1e6;
}

void BM_ArchiveMonthAndSave(benchmark::State& state) {
  BenchApp& app = App(static_cast<int>(state.range(0)));
  const RecordList left = app.Copies(false);
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    platform::DeleteFile(app.MonthFile());
    auto filled = std::make_unique<FilledView>(app.Copies());
    std::vector<std::string> results;
    const bool plainFirst = runs.size() % 2 && platform::FileExists(app.MonthFile());
    const double plainBefore = plainFirst ? app.PlainMonthSeconds(left) : 0;
    state.ResumeTiming();
    bool saved = false;
    const double own = benchratio::CountedSeconds("archive", app.size(), [&] {
      filled->view->ArchiveMonth(kMonth, results);
      saved = filled->view->SaveAllRecords();
    });
    state.PauseTiming();
    if (!saved || results != std::vector<std::string>{std::string(kMonth) + "|1"} ||
        filled->view->model()->RecordCount() != app.size() * 3 / 4) {
      state.SkipWithError("archiving failed");
      break;
    }
    runs.Add(own, plainFirst ? plainBefore : app.PlainMonthSeconds(left));
    filled.reset();
    state.ResumeTiming();
  }
  runs.Report(state, "cp_month_save");
  ReportFile(state, app.MonthFile());
  benchratio::ReportGrowth(state, "archive", app.size(), runs.OwnMedian());
}

void BM_DearchiveMonthAndSave(benchmark::State& state) {
  BenchApp& app = App(static_cast<int>(state.range(0)));
  if (!platform::FileExists(app.MonthFile())) {
    FilledView filled(app.Copies());
    std::vector<std::string> results;
    filled.view->ArchiveMonth(kMonth, results);
  }
  const RecordList all = app.Copies();
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledView>(app.Copies(false));
    std::vector<std::string> results;
    const bool plainFirst = runs.size() % 2;
    const double plainBefore = plainFirst ? app.PlainMonthSeconds(all) : 0;
    state.ResumeTiming();
    bool read = false, saved = false;
    const double own = benchratio::CountedSeconds("dearchive", app.size(), [&] {
      read = filled->view->DearchiveMonth(kMonth, results);
      saved = filled->view->SaveAllRecords();
    });
    state.PauseTiming();
    if (!read || !saved || filled->view->model()->RecordCount() != app.size()) {
      state.SkipWithError("dearchiving failed");
      break;
    }
    runs.Add(own, plainFirst ? plainBefore : app.PlainMonthSeconds(all));
    filled.reset();
    state.ResumeTiming();
  }
  runs.Report(state, "cp_month_save");
  ReportFile(state, app.MonthFile());
  benchratio::ReportGrowth(state, "dearchive", app.size(), runs.OwnMedian());
}

void BM_ExportAll(benchmark::State& state) {
  BenchApp& app = App(static_cast<int>(state.range(0)));
  FilledView filled(app.Copies());
  filled.view->list()->selectAll();
  const fs::path copy = app.folder() / "copy.xml";
  auto cp = [&] { return ShellSeconds("cp " + Quoted(app.TransferFile()) + " " + Quoted(copy) + " && sync " + Quoted(copy)); };
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
    ui.ExpectFileDialog(app.TransferFile());
    ui.ExpectMessageBox(platform::IDOK, std::to_string(app.size()));
    const bool cpFirst = runs.size() % 2;
    const double cpBefore = cpFirst ? cp() : 0;
    state.ResumeTiming();
    const double own = benchratio::CountedSeconds("export", app.size(), [&] { filled.view->OnExportieren(); });
    state.PauseTiming();
    runs.Add(own, cpFirst ? cpBefore : cp());
    state.ResumeTiming();
  }
  platform::DeleteFile(copy);
  runs.Report(state, "cp_sync");
  ReportFile(state, app.TransferFile());
  benchratio::ReportGrowth(state, "export", app.size(), runs.OwnMedian());
}

// The import of the exported file into an empty list with the save that
// follows it, alternating with the plain work of the same data: the file's
// bytes copied and a safe save of the records. "peak_x_file" is the most
// memory the import added, as a multiple of the file.
void BM_ImportAll(benchmark::State& state) {
  BenchApp& app = App(static_cast<int>(state.range(0)));
  if (!platform::FileExists(app.TransferFile())) {
    state.SkipWithError("run BM_ExportAll first");
    return;
  }
  const RecordList all = app.Copies();
  auto plain = [&app, &all] {
    const fs::path copy = app.TransferFile().string() + ".cp";
    const double seconds = TimeSeconds([&] {
      platform::CopyFile(app.TransferFile(), copy);
      SaveRecordFileSafely(all, app.folder() / "plain");
    });
    platform::DeleteFile(copy);
    return seconds;
  };
  benchratio::Alternating runs;
  double peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledView>(RecordList{});
    platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
    ui.ExpectFileDialog(app.TransferFile());
    ui.ExpectDialog(CImportStatistikDlg::kTemplateId, platform::IDOK);
    const bool plainFirst = runs.size() % 2;
    const double plainBefore = plainFirst ? plain() : 0;
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts anew from here
    const long before = benchchild::StatusKilobytes("VmRSS");
    state.ResumeTiming();
    const double own = benchratio::CountedSeconds("import", app.size(), [&] { filled->view->OnImportieren(); });
    state.PauseTiming();
    peak = std::max(peak, static_cast<double>(benchchild::StatusKilobytes("VmHWM") - before) * 1024);
    if (filled->view->model()->RecordCount() != app.size()) {
      state.SkipWithError(("import failed: " + std::to_string(filled->view->model()->RecordCount())).c_str());
      break;
    }
    runs.Add(own, plainFirst ? plainBefore : plain());
    filled.reset();
    state.ResumeTiming();
  }
  runs.Report(state, "cp_save");
  state.counters["peak_x_file"] = peak / static_cast<double>(platform::FileSize(app.TransferFile()).value_or(1));
  ReportFile(state, app.TransferFile());
  benchratio::ReportGrowth(state, "import", app.size(), runs.OwnMedian());
}
// The growth from 20,000 to 80,000 records with the runs of both sizes
// interleaved, so that whatever else the machine does weighs on both alike:
// the first 20,000 records and all 80,000 of one application, the sizes in
// turn (the smaller first every second round). Per size the median thread
// CPU time of the command ("cpu_20k_ms", "cpu_80k_ms") and of its plain work
// ("plain_20k_ms", "plain_80k_ms"), and the growths of both
// ("x_growth_cpu", "x_growth_plain"; the goal for the command is 4.4).
struct SizedWork {
  std::function<double()> own;    // thread CPU seconds of the command
  std::function<double()> plain;  // thread CPU seconds of its plain work
};

double CpuSeconds(const std::function<void()>& work) {
  const double start = benchratio::ThreadCpuSeconds();
  work();
  return benchratio::ThreadCpuSeconds() - start;
}

void RunInterleaved(benchmark::State& state, const std::function<SizedWork(int records)>& prepare) {
  const int sizes[] = {kRecords, 4 * kRecords};
  const SizedWork work[] = {prepare(sizes[0]), prepare(sizes[1])};
  std::vector<double> own[2], plain[2];
  for (auto _ : state) {
    const bool smallFirst = own[0].size() % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const int i = (turn == 0) == smallFirst ? 0 : 1;
      own[i].push_back(work[i].own());
      plain[i].push_back(work[i].plain());
    }
  }
  const double own20 = benchratio::Median(own[0]), own80 = benchratio::Median(own[1]);
  const double plain20 = benchratio::Median(plain[0]), plain80 = benchratio::Median(plain[1]);
  state.counters["cpu_20k_ms"] = own20 * 1e3;
  state.counters["cpu_80k_ms"] = own80 * 1e3;
  state.counters["plain_20k_ms"] = plain20 * 1e3;
  state.counters["plain_80k_ms"] = plain80 * 1e3;
  state.counters["x_growth_cpu"] = own20 > 0 ? own80 / own20 : 0;
  state.counters["x_growth_plain"] = plain20 > 0 ? plain80 / plain20 : 0;
}

// Import of a transfer file into an empty list with its save; plain: the
// file copied and a safe save of the same records.
void BM_ImportGrowthInterleaved(benchmark::State& state) {
  BenchApp& app = App(4 * kRecords);
  RunInterleaved(state, [&app, &state](int records) {
    const fs::path file = app.folder() / ("import_" + std::to_string(records) + ".xml");
    auto copies = std::make_shared<RecordList>(app.FirstCopies(records));
    std::vector<const CVersuch*> pointers;
    for (const auto& record : *copies) pointers.push_back(record.get());
    WriteTransferFile(file, pointers, "20260101000000", file.string());
    SizedWork work;
    work.own = [&app, &state, file, records] {
      auto filled = std::make_unique<FilledView>(RecordList{});
      platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
      ui.ExpectFileDialog(file);
      ui.ExpectDialog(CImportStatistikDlg::kTemplateId, platform::IDOK);
      const double cpu = CpuSeconds([&] { filled->view->OnImportieren(); });
      if (filled->view->model()->RecordCount() != records) state.SkipWithError("import failed");
      return cpu;
    };
    work.plain = [&app, copies, file] {
      const fs::path copy = file.string() + ".cp";
      const double cpu = CpuSeconds([&] {
        platform::CopyFile(file, copy);
        SaveRecordFileSafely(*copies, app.folder() / "plain");
      });
      platform::DeleteFile(copy);
      return cpu;
    };
    return work;
  });
}

// Dearchiving one month of four into the list of the other three with the
// save; plain: the month file copied and a safe save of all the records.
void BM_DearchiveGrowthInterleaved(benchmark::State& state) {
  BenchApp& app = App(4 * kRecords);
  RunInterleaved(state, [&app, &state](int records) {
    const fs::path folder = app.folder() / ("archiv_" + std::to_string(records));
    app.UseArchiveFolder(folder);
    if (!platform::FileExists(folder / MonthFileName(kMonth))) {
      FilledView filled(app.FirstCopies(records));
      std::vector<std::string> results;
      filled.view->ArchiveMonth(kMonth, results);
    }
    auto all = std::make_shared<RecordList>(app.FirstCopies(records));
    SizedWork work;
    work.own = [&app, &state, folder, records] {
      app.UseArchiveFolder(folder);
      auto filled = std::make_unique<FilledView>(app.FirstCopies(records, false));
      std::vector<std::string> results;
      bool read = false, saved = false;
      const double cpu = CpuSeconds([&] {
        read = filled->view->DearchiveMonth(kMonth, results);
        saved = filled->view->SaveAllRecords();
      });
      if (!read || !saved || filled->view->model()->RecordCount() != records) state.SkipWithError("dearchiving failed");
      return cpu;
    };
    work.plain = [&app, all, folder] {
      const fs::path month = folder / MonthFileName(kMonth);
      const fs::path copy = month.string() + ".cp";
      const double cpu = CpuSeconds([&] {
        platform::CopyFile(month, copy);
        SaveRecordFileSafely(*all, app.folder() / "plain");
      });
      platform::DeleteFile(copy);
      return cpu;
    };
    return work;
  });
}

// All of one size first: the records of a size are made once.
BENCHMARK(BM_ArchiveMonthAndSave)->Arg(kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_DearchiveMonthAndSave)->Arg(kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ExportAll)->Arg(kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ImportAll)->Arg(kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ArchiveMonthAndSave)->Arg(2 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_DearchiveMonthAndSave)->Arg(2 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ExportAll)->Arg(2 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ImportAll)->Arg(2 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ArchiveMonthAndSave)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_DearchiveMonthAndSave)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ExportAll)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ImportAll)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_ImportGrowthInterleaved)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));
BENCHMARK(BM_DearchiveGrowthInterleaved)->Unit(benchmark::kMillisecond)->Iterations(benchratio::Runs(5));

}  // namespace
