// A dense report-like page (about 400 text runs, 300 lines, a polyline of 500
// points) drawn through the drawing context, to PDF and to an image; the
// time is per page.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <string>
#include <vector>

#include "platform/drawcontext.h"

using namespace platform;

namespace {

const Font kFonts[] = {
    {.face = "Courier New", .height = 330, .escapement = 1},
    {.face = "Times New Roman", .height = 310, .escapement = 1},
    {.face = "Times New Roman", .height = 310, .weight = FW_BOLD, .escapement = 1},
    {.face = "Arial", .height = 260, .escapement = 1},
    {.face = "Symbol", .height = 330, .weight = FW_SEMIBOLD, .escapement = 1},
};

void DrawReportPage(DrawContext& dc, int page) {
  dc.SetBkMode(TRANSPARENT);
  // Table grid: 300 lines.
  dc.SelectPen(Pen{PS_SOLID, 10, RGB(0, 0, 0)});
  for (int i = 0; i < 150; ++i) {
    const int y = -3000 - i * 160;
    dc.MoveTo(1500, y);
    dc.LineTo(19500, y);
  }
  dc.SelectPen(Pen{PS_DOT, 0, RGB(0, 0, 128)});
  for (int i = 0; i < 150; ++i) {
    const int x = 1500 + i * 120;
    dc.MoveTo(x, -3000);
    dc.LineTo(x, -27000);
  }
  // 400 text runs in changing fonts and alignments, a few running down.
  for (int i = 0; i < 400; ++i) {
    Font font = kFonts[i % 5];
    if (i % 50 == 0) font.escapement = 2701;
    dc.SelectFont(font);
    dc.SetTextAlign((i % 3 == 0 ? TA_RIGHT : TA_LEFT) | (i % 2 ? TA_BASELINE : TA_TOP));
    dc.TextOut(1600 + (i % 8) * 2300, -3100 - (i / 8) * 470, "Wert " + std::to_string(page * 1000 + i) + " M.-%");
  }
  // A grading curve of 500 points.
  std::vector<Point> curve;
  curve.reserve(500);
  for (int i = 0; i < 500; ++i)
    curve.push_back({2000 + i * 32, -20000 + static_cast<int>(6000 * std::tanh(i / 120.0))});
  dc.SelectPen(Pen{PS_SOLID, 20, RGB(200, 0, 0)});
  dc.Polyline(curve);
}

void BM_PageToPdf(benchmark::State& state) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&writer);
  int page = 0;
  for (auto _ : state) {
    if (page > 0) writer.newPage();
    DrawContext dc(painter);
    DrawReportPage(dc, page++);
  }
  painter.end();
  state.counters["pdf_kb_per_page"] = static_cast<double>(buffer.size()) / 1024.0 / std::max(1, page);
}
BENCHMARK(BM_PageToPdf)->Unit(benchmark::kMillisecond);

void BM_PageToImage(benchmark::State& state) {
  // A4 at 150 dots per inch, as a preview would show it.
  QImage image(1240, 1754, QImage::Format_ARGB32_Premultiplied);
  image.setDotsPerMeterX(5906);
  image.setDotsPerMeterY(5906);
  int page = 0;
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawContext dc(painter);
    DrawReportPage(dc, page++);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_PageToImage)->Unit(benchmark::kMillisecond);

}  // namespace
