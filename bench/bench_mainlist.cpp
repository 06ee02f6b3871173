// The main list with 20,000 generated records: filling the view from the
// document, sorting by test number and by status (each beside a load of the
// same records from their file, measured in the same run), refreshing one
// row and repainting the visible rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <clocale>
#include <filesystem>
#include <memory>
#include <random>

#include "bench/bench_ratio.h"
#include "bench/bench_view.h"
#include "controls/exlistctrl.h"
#include "platform/commands.h"
#include "records/recordfile.h"
#include "shell/app/pravikapp.h"
#include "shell/app/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mainview/recordsort.h"
#include "tools/record_generator.h"

namespace {

constexpr int kRecords = 20000;

// The application with an empty data folder of its own (the list writes the
// customer file there).
class BenchApp {
 public:
  BenchApp() : records_(recordgen::RecordGenerator(11).Make(kRecords)) {
    WriteRecordFile(records_, folder_.folder() / kRecordFileName);
  }
  // The median time of loading the records from their file.
  double LoadSeconds() {
    if (loadSeconds_ > 0) return loadSeconds_;
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
      RecordList loaded;
      const auto start = benchratio::Clock::now();
      LoadRecordFile(loaded, folder_.folder());
      times.push_back(benchratio::SecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return loadSeconds_ = times[times.size() / 2];
  }
  RecordList Copies() const {
    RecordList copies;
    copies.reserve(records_.size());
    for (const auto& record : records_) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }

 private:
  BenchDataFolder folder_;
  RecordList records_;
  double loadSeconds_ = 0;
};

BenchApp& App() {
  static BenchApp app;
  return app;
}

FilledView& Filled() {
  static FilledView filled(App().Copies());
  return filled;
}

void BM_FillList(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<CPravikDoc>();
    document->m_Records = App().Copies();
    auto view = std::make_unique<CForm1View>(document.get());
    view->resize(1400, 800);
    state.ResumeTiming();
    view->OnInitialUpdate();  // rows, customer merge, full sort
    benchmark::DoNotOptimize(view->model()->RecordCount());
    state.PauseTiming();
    view.reset();
    state.ResumeTiming();
  }
  state.counters["records"] = kRecords;
}
BENCHMARK(BM_FillList)->Unit(benchmark::kMillisecond);

// Sorts by one key and back, each time reordering every row; the counter
// gives the time of one sort as a share of a load.
void SortBetween(benchmark::State& state, int kind, int first, int second) {
  CForm1View& view = *Filled().view;
  const double load = App().LoadSeconds();
  int parameter = first;
  double sorting = 0;
  for (auto _ : state) {
    parameter = parameter == first ? second : first;
    const auto start = benchratio::Clock::now();
    view.SortList(kind, parameter);
    sorting += benchratio::SecondsSince(start);
  }
  benchratio::ReportRatio(state, sorting / static_cast<double>(state.iterations()), load, "load");
}

void BM_SortByTestNumber(benchmark::State& state) { SortBetween(state, kSortByColumn, 0, kSortDescending); }
BENCHMARK(BM_SortByTestNumber)->Unit(benchmark::kMillisecond);

void BM_SortByDate(benchmark::State& state) { SortBetween(state, kSortByColumn, 9, 9 + kSortDescending); }
BENCHMARK(BM_SortByDate)->Unit(benchmark::kMillisecond);

// The whole status list, then the marks of the statistics.
void BM_SortByStatus(benchmark::State& state) { SortBetween(state, kSortByStatus, 0, 2); }
BENCHMARK(BM_SortByStatus)->Unit(benchmark::kMillisecond);

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

}  // namespace
