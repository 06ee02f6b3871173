// Page A of a record (header, grading chart, sieve table, sieve loss,
// characteristic values and requirement tables) rendered to a PDF file:
// the whole print job as the print command runs it, and the page alone on
// an open PDF writer. Times are per page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>

#include "platform/drawcontext.h"
#include "platform/printdriver.h"
#include "reports/druckseite.h"
#include "shell/mainview/printjob.h"
#include "tests/reports/report_testing.h"

namespace {

std::filesystem::path OutputFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

void BM_PageAPrintJobToPdf(benchmark::State& state) {
  CVersuch record = reporttest::PageARecord();
  const auto file = OutputFile("pravik_bench_page_a.pdf");
  for (auto _ : state) {
    CRecordPrintJob job({&record});
    if (platform::PrintToPdf(job, file) != platform::PrintResult::kPrinted) state.SkipWithError("PDF not written");
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_PageAPrintJobToPdf)->Unit(benchmark::kMillisecond);

void BM_PageAOnPdfWriter(benchmark::State& state) {
  CVersuch record = reporttest::PageARecord();
  const auto file = OutputFile("pravik_bench_page_a_writer.pdf");
  QPdfWriter writer(QString::fromStdString(file.string()));
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&writer);
  {
    platform::DrawContext dc(painter);
    bool first = true;
    for (auto _ : state) {
      if (!first) writer.newPage();
      first = false;
      CDruckSeite page;
      page.Init(&record, 1);
      page.Print(dc, 1277, -377, 1277 + 18300, -377 - 27500);
    }
  }
  painter.end();
  std::filesystem::remove(file);
}
BENCHMARK(BM_PageAOnPdfWriter)->Unit(benchmark::kMillisecond);

}  // namespace
