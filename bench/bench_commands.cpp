// The main view's own commands on a list of 20,000 records: Ctrl+S and
// Ctrl+1 on every row (also with 80,000 records, for their growth),
// selecting the records of the same sieve tower (1039), and deleting 10,000
// selected rows (every second one, the most scattered selection) including
// the save of the 10,000 left. The marks and 1039 alternate with reading
// "data.db" of the records ("cat"), the delete with copying the "data.db" it
// wrote ("cp", flushed).
#include <benchmark/benchmark.h>

#include <QItemSelection>
#include <QItemSelectionModel>
#include <cstdlib>
#include <filesystem>
#include <map>
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
using benchratio::SecondsSince;
using benchratio::TimeSeconds;

constexpr int kRecords = 20000;

// A data folder with the records' "data.db" and the application pointing at it.
class BenchPlant {
 public:
  explicit BenchPlant(int records) {
    records_ = recordgen::RecordGenerator(17).Make(records);
    std::vector<const CVersuch*> all;
    for (const auto& record : records_) all.push_back(record.get());
    SaveRecordFileSafely(all, data_.folder());
    platform::CopyFile(RecordFile(), CatFile());  // the file as written at first
  }
  RecordList Copies() const {
    RecordList copies;
    for (const auto& record : records_) copies.push_back(std::make_unique<CVersuch>(*record));
    return copies;
  }
  int size() const { return static_cast<int>(records_.size()); }
  fs::path RecordFile() const { return data_.folder() / kRecordFileName; }
  fs::path CatFile() const { return data_.folder() / "cat.db"; }
  // Reading the file of all the records (as first written) with "cat".
  double CatSeconds() const {
    const std::string command = "cat '" + CatFile().string() + "' >/dev/null";
    return TimeSeconds([&command] { benchmark::DoNotOptimize(std::system(command.c_str())); });
  }
  // Copying the file as it is now, flushed.
  double CpSeconds() const {
    return TimeSeconds([this] { platform::CopyFileAtomic(RecordFile(), data_.folder() / "copy.db"); });
  }

 private:
  BenchDataFolder data_;
  RecordList records_;
};

BenchPlant& Plant(int records = kRecords) {
  static std::map<int, BenchPlant*> plants;
  BenchPlant*& plant = plants[records];
  if (!plant) plant = &benchratio::KeepUntilEnd(std::make_unique<BenchPlant>(records));
  return *plant;
}

// A view over a fresh copy of the records, shown offscreen.
struct PlantView : FilledView {
  explicit PlantView(int records = kRecords) : FilledView(Plant(records).Copies()) {}
};

void MarkAllRows(benchmark::State& state, const char* measure, void (*mark)(CForm1View&)) {
  const int records = static_cast<int>(state.range(0));
  PlantView plant(records);
  plant.view->list()->selectAll();
  benchratio::Alternating runs;
  for (auto _ : state) {
    const bool catFirst = runs.size() % 2;
    const double catBefore = catFirst ? Plant(records).CatSeconds() : 0;
    const double own = benchratio::CountedSeconds(measure, records, [&] { mark(*plant.view); });
    runs.Add(own, catFirst ? catBefore : Plant(records).CatSeconds());
  }
  runs.Report(state, "cat");
  benchratio::ReportGrowth(state, measure, records, runs.OwnMedian());
}

void BM_CtrlS_AllRows(benchmark::State& state) {
  MarkAllRows(state, "ctrl_s", [](CForm1View& view) { view.ToggleStatisticsFlag(); });
}
BENCHMARK(BM_CtrlS_AllRows)->Arg(kRecords)->Unit(benchmark::kMillisecond);

void BM_Ctrl1_AllRows(benchmark::State& state) {
  MarkAllRows(state, "ctrl_1", [](CForm1View& view) { view.SetCheckMark(1); });
}
BENCHMARK(BM_Ctrl1_AllRows)->Arg(kRecords)->Unit(benchmark::kMillisecond);

void BM_SameSieveTower1039(benchmark::State& state) {
  PlantView plant;
  CForm1View& view = *plant.view;
  QItemSelectionModel* selection = view.list()->selectionModel();
  benchratio::Alternating runs;
  int selected = 0;
  for (auto _ : state) {
    state.PauseTiming();
    selection->setCurrentIndex(view.model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view.EvaluateSelection();  // the record selected alone
    const bool catFirst = runs.size() % 2;
    const double catBefore = catFirst ? Plant().CatSeconds() : 0;
    state.ResumeTiming();
    const double own = TimeSeconds([&] {
      view.OnSameSiebturm();
      view.EvaluateSelection();  // what the selection change runs next
    });
    state.PauseTiming();
    runs.Add(own, catFirst ? catBefore : Plant().CatSeconds());
    state.ResumeTiming();
    selected = static_cast<int>(view.list()->SelectedRows().size());
  }
  runs.Report(state, "cat");
  state.counters["rows"] = kRecords;
  state.counters["selected"] = selected;
}
BENCHMARK(BM_SameSieveTower1039)->Unit(benchmark::kMillisecond);

void BM_Delete10000RowsAndSave(benchmark::State& state) {
  platform::ScriptedUi ui([&state](const std::string& failure) { state.SkipWithError(failure.c_str()); });
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    auto plant = std::make_unique<PlantView>();
    CForm1View& view = *plant->view;
    QItemSelection every2nd;
    for (int row = 0; row < kRecords; row += 2)
      every2nd.select(view.model()->index(row, 0), view.model()->index(row, 0));
    view.list()->selectionModel()->select(every2nd, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui.ExpectMessageBox(platform::IDYES);
    const bool cpFirst = runs.size() % 2;
    const double cpBefore = cpFirst ? Plant().CpSeconds() : 0;
    state.ResumeTiming();
    const double own = TimeSeconds([&] { view.OnLoeschen(); });
    state.PauseTiming();
    if (view.model()->RecordCount() != kRecords / 2) state.SkipWithError("the rows were not deleted");
    // The file the delete wrote, copied.
    runs.Add(own, cpFirst ? cpBefore : Plant().CpSeconds());
    plant.reset();
    state.ResumeTiming();
  }
  runs.Report(state, "cp");
  state.counters["deleted"] = kRecords / 2;
}
BENCHMARK(BM_Delete10000RowsAndSave)->Unit(benchmark::kMillisecond)->Iterations(5);

// The growth last: the larger plant's application is the program's one from
// its making on.
BENCHMARK(BM_CtrlS_AllRows)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ctrl1_AllRows)->Arg(4 * kRecords)->Unit(benchmark::kMillisecond);

}  // namespace
