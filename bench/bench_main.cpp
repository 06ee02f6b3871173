// The main() of every benchmark program: a Qt application on the offscreen
// platform (unless another is set) and numbers in the "C" locale. Started as
// "--child=<name>" it runs that part of a benchmark in this fresh process
// instead (bench_child.h).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>

#include "bench/bench_child.h"
#include "bench/bench_ratio.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  if (const int status = benchchild::RunIfAsked(argc, argv); status >= 0) return status;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchratio::EndKept();
  benchmark::Shutdown();
  return 0;
}
