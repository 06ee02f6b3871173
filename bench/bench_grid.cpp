// The grid of 5,000 rows x 12 columns: filling it, painting its visible part,
// one hundred Page Down steps with repaint, select all with copy, and pasting
// 1,000 lines. Each prints its ratio to the plain work on the same data
// measured in the same run: the texts put into plain strings, the visible
// cells painted with a bare QPainter, the texts joined or split by hand.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <string>
#include <vector>

#include "controls/grid/pvgridctrl.h"
#include "platform/keys.h"

namespace {

constexpr int kRows = 5000;
constexpr int kCols = 12;
constexpr int kPasteLines = 1000;

std::string CellText(int row, int col) { return std::to_string(row * 7 % 1000) + "." + std::to_string(col); }

template <class F>
double Seconds(F&& work, int repetitions) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repetitions; ++i) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repetitions;
}

// Runs the benchmark loop and prints the ratio of its time per iteration to
// that of the plain work.
template <class F>
void RunAgainstPlain(benchmark::State& state, double plain, F&& work) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) work();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
  state.counters["plain_ms"] = plain * 1e3;
  state.counters["ratio_to_plain"] = seconds / plain;
}

void Fill(CGridCtrl& grid) {
  grid.SetRedraw(false);
  grid.SetRowCount(kRows + 1);
  grid.SetColumnCount(kCols + 1);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c) grid.SetItemText(r, c, CellText(r, c));
  grid.SetRedraw(true, true);
}

// A filled grid the size of a dialog's table, shown offscreen.
struct Table {
  Table() {
    grid.resize(900, 600);
    Fill(grid);
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
  const double plain = Seconds([] { benchmark::DoNotOptimize(PlainTexts()); }, 5);
  RunAgainstPlain(state, plain, [] {
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
  const double plain = Seconds([&] { PaintPlain(image, texts, 0); }, 20);
  RunAgainstPlain(state, plain, [&] { table.Paint(); });
}
BENCHMARK(BM_GridPaintVisible)->Unit(benchmark::kMillisecond);

void BM_GridHundredPageDowns(benchmark::State& state) {
  Table table;
  const auto texts = PlainTexts();
  QImage image(900, 600, QImage::Format_ARGB32_Premultiplied);
  const double plain = Seconds(
      [&] {
        for (int step = 0; step < 100; ++step) PaintPlain(image, texts, step * 28);
      },
      2);
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
  Table table;
  const auto texts = PlainTexts();
  const double plain = Seconds(
      [&] {
        std::string out;
        for (int r = 0; r < kRows; ++r) {
          for (int c = 0; c < kCols; ++c) {
            out += texts[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (c + 1 < kCols) out += '\t';
          }
          if (r + 1 < kRows) out += "\r\n";
        }
        benchmark::DoNotOptimize(out);
      },
      5);
  size_t length = 0;
  RunAgainstPlain(state, plain, [&] {
    table.grid.OnEditSelectAll();
    const auto text = table.grid.CopyTextFromGrid();
    length = text ? text->size() : 0;
  });
  state.counters["bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_GridSelectAllAndCopy)->Unit(benchmark::kMillisecond);

void BM_GridPasteThousandLines(benchmark::State& state) {
  Table table;
  std::string pasted[2];
  for (int v = 0; v < 2; ++v)
    for (int r = 0; r < kPasteLines; ++r) {
      for (int c = 0; c < kCols; ++c) {
        pasted[v] += std::to_string(v) + CellText(r, c);
        if (c + 1 < kCols) pasted[v] += '\t';
      }
      pasted[v] += "\r\n";
    }
  const double plain = Seconds(
      [&] {
        std::vector<std::string> fields;
        const std::string& text = pasted[0];
        for (size_t start = 0; start < text.size();) {
          const size_t end = std::min(text.find_first_of("\t\n", start), text.size());
          std::string field = text.substr(start, end - start);
          while (!field.empty() && (field.back() == '\r' || field.back() == ' ')) field.pop_back();
          fields.push_back(std::move(field));
          start = end + 1;
        }
        benchmark::DoNotOptimize(fields);
      },
      10);
  int round = 0;
  RunAgainstPlain(state, plain, [&] {
    // Alternating texts, so that every round changes every cell.
    table.grid.PasteTextToGrid({1, 1}, pasted[round++ % 2], true);
  });
}
BENCHMARK(BM_GridPasteThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
