// The grading chart of a record: loading its chart data alone, and loading
// plus drawing the whole chart into an image of an A4 page at 150 dots per
// inch (as the print preview shows it), for an ordinary record (straight and
// smooth measured curve) and a track-ballast record. Times are per chart.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "charts/diagrammbasis.h"
#include "platform/drawcontext.h"
#include "records/materialanforderung.h"
#include "tests/charts/chart_records.h"

using namespace platform;

namespace {

// Where a report page puts its chart.
const Rect kChartBox{3400, -6200, 18700, -13000};

QImage PreviewPage() {
  QImage image(1240, 1754, QImage::Format_ARGB32_Premultiplied);
  image.setDotsPerMeterX(5906);
  image.setDotsPerMeterY(5906);
  return image;
}

void BM_LoadChartData(benchmark::State& state) {
  const CVersuch record = chartfixtures::OrdinaryRecord();
  for (auto _ : state) {
    CDiagrammBasis chart;
    chart.LoadFromVersuch(record);
    benchmark::DoNotOptimize(chart.GetPlantPoints().GetAnz());
  }
}
BENCHMARK(BM_LoadChartData)->Unit(benchmark::kMicrosecond);

void BM_GradingChartToImage(benchmark::State& state) {
  const bool smooth = state.range(0) != 0;
  const CVersuch record = chartfixtures::OrdinaryRecord();
  QImage image = PreviewPage();
  for (auto _ : state) {
    CDiagrammBasis chart;
    chart.LoadFromVersuch(record);
    CMaterialAnforderung requirements;
    requirements.SetStrings(record.GetField(5), record.GetField(25));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawContext dc(painter);
    chart.DrawSieblinie(dc, kChartBox, smooth, requirements);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_GradingChartToImage)->ArgName("smooth")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BallastChartToImage(benchmark::State& state) {
  const CVersuch record = chartfixtures::BallastRecord();
  QImage image = PreviewPage();
  for (auto _ : state) {
    CDiagrammBasis chart;
    chart.LoadFromVersuch(record);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawContext dc(painter);
    chart.DrawGleisschotterSieblinie(dc, kChartBox);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_BallastChartToImage)->Unit(benchmark::kMillisecond);

}  // namespace
