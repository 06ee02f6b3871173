// The record commands on a large plant: opening the new-record dialog with
// 1,000 and 4,000 definitions in "material_def.dat" (its growth: no plain
// work is like filling a dialog), and command 9005 over 20,000 selected
// records against the file of 1,000, which saves every record, alternating
// with copying "data.db" ("cp", flushed).
#include <benchmark/benchmark.h>

#include <QItemSelectionModel>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_ratio.h"
#include "controls/exlistctrl.h"
#include "controls/materiallistctrl.h"
#include "platform/files.h"
#include "platform/scripted_ui.h"
#include "platform/textfile.h"
#include "records/matdef_file.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/records/neudlg.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::Clock;
using benchratio::TimeSeconds;

constexpr int kDefinitions = 1000;
constexpr int kRecords = 20000;
// The records carry 1,200 materials: the file's 1,000 (every tenth with an
// older text) and 200 the file lacks.
constexpr int kCarriedMaterials = 1200;

std::string Definition(int n, bool older) {
  const char* towers[] = {"0.063 0.25 1 2 4", "0.063 1 2 4 8 16", "0.063 2 8 16 31.5", "0.063 0.5 2 5.6 11.2 22.4 31.5 45"};
  return "{0}{SDM-250101" + std::to_string(100000 + n) + "-" + std::to_string(n) + "|Material " + std::to_string(n) +
         (older ? " alt" : "") + "|" + towers[n % 4] + "|||2025-01-01 08:00}{1|0.063|45}{Brechkorn|TL SoB-StB|" +
         "Werkseigene Produktionskontrolle|" + std::to_string(10 + n % 30) +
         ".50|2025-01-01}{0.063|5_LE||1||1||@2|30-60||1||1||}{[VA_KORNF|20_LE][VA_PLATT|]}{}";
}

// A data folder with the definition file and the application pointing at
// it, removed at exit.
class BenchPlant {
 public:
  explicit BenchPlant(int definitions) : definitions_(definitions) {
    folder_ = fs::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_ / "matdef");
    app_.m_Settings.m_DataFolder = folder_;
    app_.m_Settings.m_IniPath = folder_ / "pravik.ini";
    app_.m_Settings.m_ProgramFolder = folder_;
    app_.PlantIdentity = {"12", "Bench GmbH", "34", "Werk Bench"};
    std::string text = "VERSION=001\nDATA_START\n";
    for (int n = 0; n < definitions; ++n) text += Definition(n, false) + "\n";
    text += "DATA_STOP\n";
    fileBytes_ = platform::EncodeText(text);
    RestoreFile();
  }
  ~BenchPlant() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void RestoreFile() const { platform::WriteFileBytes(MaterialDefFilePath(folder_), fileBytes_); }
  const fs::path& folder() const { return folder_; }
  CPravikWinApp& app() { return app_; }
  int definitions() const { return definitions_; }

 private:
  fs::path folder_;
  CPravikWinApp app_;
  std::string fileBytes_;
  int definitions_;
};

// One plant at a time: the application object is the program's one.
BenchPlant& Plant(int definitions = kDefinitions) {
  static BenchPlant* plant = nullptr;
  if (!plant || plant->definitions() != definitions) {
    benchratio::EndKept();
    plant = &benchratio::KeepUntilEnd(std::make_unique<BenchPlant>(definitions));
  }
  return *plant;
}

void BM_OpenNewRecordDialog(benchmark::State& state) {
  const int definitions = static_cast<int>(state.range(0));
  Plant(definitions);
  std::vector<double> own;
  for (auto _ : state) {
    platform::ScriptedUi ui;
    ui.ExpectDialog(CNeuDlg::kTemplateId, [&state, definitions](platform::DialogDriver& d) {
      auto& dlg = static_cast<CNeuDlg&>(d.dialog());
      if (dlg.definedList()->GetItemCount() != definitions) state.SkipWithError("the list is not filled");
    }, platform::IDCANCEL);
    own.push_back(TimeSeconds([] {
      CVersuch record;
      CNeuDlg dlg(&record, CNeuDlg::Mode::kNewRecord);
      dlg.DoModal();
    }));
  }
  state.counters["own_ms"] = benchratio::Median(own) * 1e3;
  state.counters["definitions"] = definitions;
  benchratio::ReportGrowth(state, "new_record_dialog", definitions, benchratio::Median(own));
}
BENCHMARK(BM_OpenNewRecordDialog)->Arg(kDefinitions)->Arg(4 * kDefinitions)->Unit(benchmark::kMillisecond);

void BM_MaterialExtraction9005(benchmark::State& state) {
  BenchPlant& plant = Plant();
  CPravikDoc document;
  document.m_Records = recordgen::RecordGenerator(5).Make(kRecords);
  std::vector<std::string> carried;
  for (int i = 0; i < kRecords; ++i) {
    const int n = i % kCarriedMaterials;
    carried.push_back(Definition(n, n < kDefinitions && n % 10 == 0));
  }
  CForm1View view(&document);
  view.OnInitialUpdate();
  view.list()->selectAll();

  const fs::path records = plant.folder() / kRecordFileName;
  const fs::path copy = plant.folder() / "copy.db";
  benchratio::Alternating runs;
  for (auto _ : state) {
    state.PauseTiming();
    plant.RestoreFile();
    for (int row = 0; row < kRecords; ++row) view.model()->RecordAt(row)->SetField(25, carried[static_cast<size_t>(row)]);
    const bool cpFirst = runs.size() % 2 && platform::FileExists(records);
    const double cpBefore = cpFirst ? TimeSeconds([&] { platform::CopyFile(records, copy); }) : 0;
    state.ResumeTiming();
    const double own = TimeSeconds([&] { view.OnMaterialdefinitionExtrahieren(); });
    state.PauseTiming();
    runs.Add(own, cpFirst ? cpBefore : TimeSeconds([&] { platform::CopyFile(records, copy); }));
    state.ResumeTiming();
  }
  runs.Report(state, "cp");
  state.counters["records"] = kRecords;
  state.counters["data_MB"] = static_cast<double>(platform::FileSize(records).value_or(0)) / 1e6;
}
BENCHMARK(BM_MaterialExtraction9005)->Unit(benchmark::kMillisecond);

}  // namespace
