// The grid of 5,000 rows x 12 columns: filling it, painting its visible part
// and one hundred Page Down steps with repaint, each alternating with the
// plain work on the same data (the texts put into plain strings, the visible
// cells painted with a bare QPainter); select all with copy on 5,000 and
// 20,000 rows and pasting 1,000 and 4,000 lines, each with its growth (no
// plain string work is like what the grid does there).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <string>
#include <vector>

#include "bench/bench_ratio.h"
#include "controls/grid/pvgridctrl.h"
#include "platform/keys.h"

namespace {

constexpr int kRows = 5000;
constexpr int kCols = 12;
constexpr int kPasteLines = 1000;

std::string CellText(int row, int col) { return std::to_string(row * 7 % 1000) + "." + std::to_string(col); }

// Runs the benchmark loop, the work alternating with the plain work, and
// prints the medians and their ratio.
template <class Plain, class F>
void RunAgainstPlain(benchmark::State& state, Plain&& plain, F&& work) {
  benchratio::Alternating runs;
  for (auto _ : state) {
    const bool plainFirst = runs.size() % 2;
    const double plainBefore = plainFirst ? benchratio::TimeSeconds(plain) : 0;
    const double own = benchratio::TimeSeconds(work);
    runs.Add(own, plainFirst ? plainBefore : benchratio::TimeSeconds(plain));
  }
  runs.Report(state, "plain");
}

// Runs the benchmark loop and prints the median and its growth from the
// previous size.
template <class F>
void RunForGrowth(benchmark::State& state, const char* measure, int size, F&& work) {
  std::vector<double> own;
  for (auto _ : state) own.push_back(benchratio::TimeSeconds(work));
  state.counters["own_ms"] = benchratio::Median(own) * 1e3;
  benchratio::ReportGrowth(state, measure, size, benchratio::Median(own));
}

void Fill(CGridCtrl& grid, int rows = kRows) {
  grid.SetRedraw(false);
  grid.SetRowCount(rows + 1);
  grid.SetColumnCount(kCols + 1);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= kCols; ++c) grid.SetItemText(r, c, CellText(r, c));
  grid.SetRedraw(true, true);
}

// A filled grid the size of a dialog's table, shown offscreen.
struct Table {
  explicit Table(int rows = kRows) {
    grid.resize(900, 600);
    Fill(grid, rows);
    grid.show();
    QApplication::processEvents();
  }
  void Paint() { grid.viewport()->render(&image); }
  CPvGridCtrl grid;
  QImage image{900, 600, QImage::Format_ARGB32_Premultiplied};
};

// The visible cells painted with a bare QPainter: background, text, lines.
void PaintPlain(QImage& image, const std::vector<std::vector<std::string>>& texts, int firstRow) {
  QPainter painter(&image);
  painter.fillRect(image.rect(), QColor(255, 255, 224));
  const int rowHeight = 20, colWidth = 70;
  for (int r = 0; r * rowHeight < image.height(); ++r) {
    for (int c = 0; c * colWidth < image.width() && c < kCols; ++c) {
      const QRect cell(c * colWidth, r * rowHeight, colWidth, rowHeight);
      painter.fillRect(cell.adjusted(0, 0, -1, -1), QColor(255, 255, 224));
      painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromStdString(texts[static_cast<size_t>(firstRow + r) % kRows][static_cast<size_t>(c)]));
      painter.setPen(QColor(192, 192, 192));
      painter.drawLine(cell.topRight(), cell.bottomRight());
      painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    }
  }
}

std::vector<std::vector<std::string>> PlainTexts() {
  std::vector<std::vector<std::string>> texts(kRows, std::vector<std::string>(kCols));
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) texts[static_cast<size_t>(r)][static_cast<size_t>(c)] = CellText(r + 1, c + 1);
  return texts;
}

void BM_GridFill(benchmark::State& state) {
  RunAgainstPlain(state, [] { benchmark::DoNotOptimize(PlainTexts()); }, [] {
    CGridCtrl grid;
    grid.resize(900, 600);
    Fill(grid);
    benchmark::DoNotOptimize(grid.GetItemText(kRows, kCols));
  });
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond);

void BM_GridPaintVisible(benchmark::State& state) {
  Table table;
  const auto texts = PlainTexts();
  QImage image(900, 600, QImage::Format_ARGB32_Premultiplied);
  RunAgainstPlain(state, [&] { PaintPlain(image, texts, 0); }, [&] { table.Paint(); });
}
BENCHMARK(BM_GridPaintVisible)->Unit(benchmark::kMillisecond);

void BM_GridHundredPageDowns(benchmark::State& state) {
  Table table;
  const auto texts = PlainTexts();
  QImage image(900, 600, QImage::Format_ARGB32_Premultiplied);
  auto plain = [&] {
    for (int step = 0; step < 100; ++step) PaintPlain(image, texts, step * 28);
  };
  RunAgainstPlain(state, plain, [&] {
    table.grid.SetScrollPos32(SB_VERT, 0);
    table.grid.SetFocusCell(1, 1);
    for (int step = 0; step < 100; ++step) {
      table.grid.OnKeyDown(platform::VK_NEXT);
      table.Paint();
    }
  });
  state.counters["focus_row"] = table.grid.GetFocusCell().row;
}
BENCHMARK(BM_GridHundredPageDowns)->Unit(benchmark::kMillisecond);

void BM_GridSelectAllAndCopy(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Table table(rows);
  size_t length = 0;
  RunForGrowth(state, "copy", rows, [&] {
    table.grid.OnEditSelectAll();
    const auto text = table.grid.CopyTextFromGrid();
    length = text ? text->size() : 0;
  });
  state.counters["bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_GridSelectAllAndCopy)->Arg(kRows)->Arg(4 * kRows)->Unit(benchmark::kMillisecond);

void BM_GridPasteLines(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  Table table(lines);
  std::string pasted[2];
  for (int v = 0; v < 2; ++v)
    for (int r = 0; r < lines; ++r) {
      for (int c = 0; c < kCols; ++c) {
        pasted[v] += std::to_string(v) + CellText(r, c);
        if (c + 1 < kCols) pasted[v] += '\t';
      }
      pasted[v] += "\r\n";
    }
  int round = 0;
  RunForGrowth(state, "paste", lines, [&] {
    // Alternating texts, so that every round changes every cell.
    table.grid.PasteTextToGrid({1, 1}, pasted[round++ % 2], true);
  });
}
BENCHMARK(BM_GridPasteLines)->Arg(kPasteLines)->Arg(4 * kPasteLines)->Unit(benchmark::kMillisecond);

}  // namespace
