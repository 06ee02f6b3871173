// The main test list over 20,000 generated records: attaching the model,
// painting one screenful at the top and in the middle of the list, and
// reading back a select-all.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <clocale>

#include "controls/exlistctrl.h"
#include "shell/mainview/recordlistmodel.h"
#include "tools/record_generator.h"

namespace {

constexpr int kRecords = 20000;

// The program's own list model over the generated records.
CRecordListModel& Model() {
  static CRecordListModel* model = [] {
    auto* m = new CRecordListModel;
    RecordList records = recordgen::RecordGenerator(7).Make(kRecords);
    for (auto& record : records) record->UpdateListSummary();
    m->InsertRecordsAtTop(std::move(records));
    return m;
  }();
  return *model;
}

// A list the size of a full-screen main view.
struct Screen {
  Screen() {
    list.resize(1600, 900);
    list.setModel(&Model());
    list.SetFontScale(130, 130);
    list.show();
    QApplication::processEvents();
  }
  void Paint() {
    image.fill(Qt::white);
    list.viewport()->render(&image);
  }
  CExListCtrl list;
  QImage image{1600, 900, QImage::Format_RGB32};
};

void BM_AttachModel(benchmark::State& state) {
  CRecordListModel& model = Model();
  for (auto _ : state) {
    CExListCtrl list;
    list.resize(1600, 900);
    list.setModel(&model);
    benchmark::DoNotOptimize(list.model());
  }
}
BENCHMARK(BM_AttachModel)->Unit(benchmark::kMillisecond);

void BM_PaintScreenfulAtTop(benchmark::State& state) {
  Screen screen;
  for (auto _ : state) screen.Paint();
  state.counters["rows"] = screen.list.viewport()->height() / screen.list.RowHeight();
}
BENCHMARK(BM_PaintScreenfulAtTop)->Unit(benchmark::kMillisecond);

void BM_PaintScreenfulInTheMiddle(benchmark::State& state) {
  Screen screen;
  screen.list.scrollTo(Model().index(kRecords / 2, 0), QAbstractItemView::PositionAtTop);
  for (auto _ : state) screen.Paint();
}
BENCHMARK(BM_PaintScreenfulInTheMiddle)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndReadBack(benchmark::State& state) {
  Screen screen;
  for (auto _ : state) {
    screen.list.clearSelection();
    screen.list.selectAll();
    benchmark::DoNotOptimize(screen.list.SelectedRows());
  }
}
BENCHMARK(BM_SelectAllAndReadBack)->Unit(benchmark::kMillisecond);

}  // namespace
