// The main view's own commands on a list of 20,000 records: Ctrl+S and
// Ctrl+1 on every row, selecting the records of the same sieve tower (1039),
// and deleting 10,000 selected rows (every second one, the most scattered
// selection) including the save of the 10,000 left. The marks and 1039 are
// compared with reading "data.db" of the 20,000 records ("cat"), the delete
// with copying the "data.db" it wrote ("cp").
#include <benchmark/benchmark.h>

#include <QItemSelection>
#include <QItemSelectionModel>
#include <filesystem>
#include <memory>

#include "bench/bench_ratio.h"
#include "bench/bench_view.h"
#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "platform/scripted_ui.h"
#include "records/recordfile.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::Clock;
using benchratio::MeanSeconds;
using benchratio::ReportRatio;
using benchratio::SecondsSince;

constexpr int kRecords = 20000;

// A data folder with the records' "data.db" and the application pointing at it.
class BenchPlant {
 public:
  BenchPlant() {
    records_ = recordgen::RecordGenerator(17).Make(kRecords);
    std::vector<const CVersuch*> all;
    for (const auto& record : records_) all.push_back(record.get());
    SaveRecordFileSafely(all, data_.folder());
    catSeconds_ = MeanSeconds(5, [this] { benchmark::DoNotOptimize(platform::ReadFileBytes(RecordFile())); });
  }
  RecordList Copies() const {
    RecordList copies;
    for (const auto& record : records_) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }
  fs::path RecordFile() const { return data_.folder() / kRecordFileName; }
  // Reading the file of all the records (measured before any command rewrote it).
  double CatSeconds() const { return catSeconds_; }
  // Copying the file as it is now, flushed.
  double CpSeconds() const {
    return MeanSeconds(5, [this] { platform::CopyFileAtomic(RecordFile(), data_.folder() / "copy.db"); });
  }

 private:
  BenchDataFolder data_;
  RecordList records_;
  double catSeconds_ = 0;
};

BenchPlant& Plant() {
  static BenchPlant plant;
  return plant;
}

// A view over a fresh copy of the records, shown offscreen.
struct PlantView : FilledView {
  PlantView() : FilledView(Plant().Copies()) {}
};

void MarkAllRows(benchmark::State& state, void (*mark)(CForm1View&)) {
  PlantView plant;
  plant.view->list()->selectAll();
  double own = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    mark(*plant.view);
    own += SecondsSince(start);
  }
  ReportRatio(state, own / static_cast<double>(state.iterations()), Plant().CatSeconds(), "cat");
  state.counters["rows"] = kRecords;
}

void BM_CtrlS_AllRows(benchmark::State& state) {
  MarkAllRows(state, [](CForm1View& view) { view.ToggleStatisticsFlag(); });
}
BENCHMARK(BM_CtrlS_AllRows)->Unit(benchmark::kMillisecond);

void BM_Ctrl1_AllRows(benchmark::State& state) {
  MarkAllRows(state, [](CForm1View& view) { view.SetCheckMark(1); });
}
BENCHMARK(BM_Ctrl1_AllRows)->Unit(benchmark::kMillisecond);

void BM_SameSieveTower1039(benchmark::State& state) {
  PlantView plant;
  CForm1View& view = *plant.view;
  QItemSelectionModel* selection = view.list()->selectionModel();
  double own = 0;
  int selected = 0;
  for (auto _ : state) {
    state.PauseTiming();
    selection->setCurrentIndex(view.model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view.EvaluateSelection();  // the record selected alone
    state.ResumeTiming();
    const auto start = Clock::now();
    view.OnSameSiebturm();
    view.EvaluateSelection();  // what the selection change runs next
    own += SecondsSince(start);
    selected = static_cast<int>(view.list()->SelectedRows().size());
  }
  ReportRatio(state, own / static_cast<double>(state.iterations()), Plant().CatSeconds(), "cat");
  state.counters["rows"] = kRecords;
  state.counters["selected"] = selected;
}
BENCHMARK(BM_SameSieveTower1039)->Unit(benchmark::kMillisecond);

void BM_Delete10000RowsAndSave(benchmark::State& state) {
  platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
  double own = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto plant = std::make_unique<PlantView>();
    CForm1View& view = *plant->view;
    QItemSelection every2nd;
    for (int row = 0; row < kRecords; row += 2)
      every2nd.select(view.model()->index(row, 0), view.model()->index(row, 0));
    view.list()->selectionModel()->select(every2nd, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui.ExpectMessageBox(platform::IDYES);
    state.ResumeTiming();
    const auto start = Clock::now();
    view.OnLoeschen();
    own += SecondsSince(start);
    state.PauseTiming();
    if (view.model()->RecordCount() != kRecords / 2) state.SkipWithError("the rows were not deleted");
    plant.reset();
    state.ResumeTiming();
  }
  ReportRatio(state, own / static_cast<double>(state.iterations()), Plant().CpSeconds(), "cp");
  state.counters["deleted"] = kRecords / 2;
}
BENCHMARK(BM_Delete10000RowsAndSave)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
