// The main list with 20,000 generated records: filling the view from the
// document (also with 80,000, for its growth) and sorting by test number and
// by status, each alternating with a load of the same records from their
// file; refreshing one row and repainting the visible rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <clocale>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "bench/bench_ratio.h"
#include "bench/bench_view.h"
#include "controls/exlistctrl.h"
#include "platform/commands.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mainview/recordsort.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 20000;

// The application with an empty data folder of its own (the list writes the
// customer file there) and the records in "data.db" of another folder.
class BenchApp {
 public:
  explicit BenchApp(int records) : records_(recordgen::RecordGenerator(11).Make(records)) {
    fs::create_directories(files());
    WriteRecordFile(records_, files() / kRecordFileName);
  }
  // The time of loading the records from their file.
  double LoadSeconds() const {
    return benchratio::TimeSeconds([this] {
      RecordList loaded;
      LoadRecordFile(loaded, files());
    });
  }
  RecordList Copies() const {
    RecordList copies;
    copies.reserve(records_.size());
    for (const auto& record : records_) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }

 private:
  fs::path files() const { return folder_.folder() / "records"; }

  BenchDataFolder folder_;
  RecordList records_;
};

BenchApp& App(int records = kRecords) {
  static std::map<int, BenchApp*> apps;
  BenchApp*& app = apps[records];
  if (!app) app = &benchratio::KeepUntilEnd(std::make_unique<BenchApp>(records));
  return *app;
}

FilledView& Filled() {
  static FilledView& filled = benchratio::KeepUntilEnd(std::make_unique<FilledView>(App().Copies()));
  return filled;
}

void BM_FillList(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  BenchApp& app = App(records);
  app.LoadSeconds();  // untimed, as every later one finds the heap it leaves
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<CPravikDoc>();
    document->m_Records = app.Copies();
    auto view = std::make_unique<CForm1View>(document.get());
    view->resize(1400, 800);
    const bool loadFirst = runs.size() % 2;
    const double loadBefore = loadFirst ? app.LoadSeconds() : 0;
    state.ResumeTiming();
    const double own = benchratio::CountedSeconds("fill", records, [&] { view->OnInitialUpdate(); });  // rows, customer merge, full sort
    benchmark::DoNotOptimize(view->model()->RecordCount());
    state.PauseTiming();
    runs.Add(own, loadFirst ? loadBefore : app.LoadSeconds());
    view.reset();
    state.ResumeTiming();
  }
  runs.Report(state, "load");
  benchratio::ReportGrowth(state, "fill", records, runs.OwnMedian());
}
BENCHMARK(BM_FillList)->Arg(kRecords)->Iterations(benchratio::Runs(7))->Unit(benchmark::kMillisecond);

// Sorts by one key and back, each time reordering every row, alternating
// with a load of the records.
void SortBetween(benchmark::State& state, int kind, int first, int second) {
  CForm1View& view = *Filled().view;
  int parameter = first;
  benchratio::Alternating runs;
  for (auto _ : state) {
    parameter = parameter == first ? second : first;
    const bool loadFirst = runs.size() % 2;
    const double loadBefore = loadFirst ? App().LoadSeconds() : 0;
    const double own = benchratio::TimeSeconds([&] { view.SortList(kind, parameter); });
    runs.Add(own, loadFirst ? loadBefore : App().LoadSeconds());
  }
  runs.Report(state, "load");
}

void BM_SortByTestNumber(benchmark::State& state) { SortBetween(state, kSortByColumn, 0, kSortDescending); }
BENCHMARK(BM_SortByTestNumber)->Iterations(11)->Unit(benchmark::kMillisecond);

void BM_SortByDate(benchmark::State& state) { SortBetween(state, kSortByColumn, 9, 9 + kSortDescending); }
BENCHMARK(BM_SortByDate)->Iterations(11)->Unit(benchmark::kMillisecond);

// The whole status list, then the marks of the statistics.
void BM_SortByStatus(benchmark::State& state) { SortBetween(state, kSortByStatus, 0, 2); }
BENCHMARK(BM_SortByStatus)->Iterations(11)->Unit(benchmark::kMillisecond);

void BM_RefreshOneRow(benchmark::State& state) {
  CForm1View& view = *Filled().view;
  int row = 0;
  for (auto _ : state) {
    view.RefreshRecordRow(row);
    row = (row + 7919) % kRecords;
    QCoreApplication::processEvents();  // the row's repaint
  }
}
BENCHMARK(BM_RefreshOneRow)->Unit(benchmark::kMicrosecond);

// Select-all: one evaluation of the whole selection, and one idle turn of
// the enabling rules.
void BM_SelectAllAndEvaluate(benchmark::State& state) {
  CForm1View& view = *Filled().view;
  platform::CommandTable commands;
  commands.SetUpdateOnIdle(false);
  view.RegisterCommands(commands);
  for (auto _ : state) {
    view.list()->selectAll();
    view.EvaluateSelection();
    commands.UpdateAll();
    state.PauseTiming();
    view.list()->clearSelection();
    view.EvaluateSelection();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SelectAllAndEvaluate)->Unit(benchmark::kMillisecond);

void BM_RepaintVisibleRows(benchmark::State& state) {
  CForm1View& view = *Filled().view;
  for (auto _ : state) benchmark::DoNotOptimize(view.list()->viewport()->grab());
}
BENCHMARK(BM_RepaintVisibleRows)->Unit(benchmark::kMillisecond);

// The growth last: the larger list's application is the program's one from
// its making on.
BENCHMARK(BM_FillList)->Arg(4 * kRecords)->Iterations(benchratio::Runs(7))->Unit(benchmark::kMillisecond);

}  // namespace
