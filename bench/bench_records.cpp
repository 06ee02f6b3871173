// The record commands on a large plant: opening the new-record dialog with
// 1,000 definitions in "material_def.dat", and command 9005 over 20,000
// selected records against that file. Each reports its ratio to the plain
// work on the same data, measured in the same run: reading the definition
// file ("cat") for the dialog, copying "data.db" ("cp", flushed) for 9005,
// which saves every record.
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
#include "shell/app/pravikapp.h"
#include "shell/app/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/records/neudlg.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using benchratio::Clock;
using benchratio::MeanSeconds;
using benchratio::ReportRatio;

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
  BenchPlant() {
    folder_ = fs::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_ / "matdef");
    app_.m_Settings.m_DataFolder = folder_;
    app_.m_Settings.m_IniPath = folder_ / "pravik.ini";
    app_.m_Settings.m_ProgramFolder = folder_;
    app_.PlantIdentity = {"12", "Bench GmbH", "34", "Werk Bench"};
    std::string text = "VERSION=001\nDATA_START\n";
    for (int n = 0; n < kDefinitions; ++n) text += Definition(n, false) + "\n";
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

 private:
  fs::path folder_;
  CPravikWinApp app_;
  std::string fileBytes_;
};

BenchPlant& Plant() {
  static BenchPlant plant;
  return plant;
}

void BM_OpenNewRecordDialog(benchmark::State& state) {
  BenchPlant& plant = Plant();
  double own = 0;
  for (auto _ : state) {
    platform::ScriptedUi ui;
    ui.ExpectDialog(CNeuDlg::kTemplateId, [&state](platform::DialogDriver& d) {
      auto& dlg = static_cast<CNeuDlg&>(d.dialog());
      if (dlg.definedList()->GetItemCount() != kDefinitions) state.SkipWithError("the list is not filled");
    }, platform::IDCANCEL);
    const auto start = Clock::now();
    CVersuch record;
    {
      CNeuDlg dlg(&record, CNeuDlg::Mode::kNewRecord);
      dlg.DoModal();
    }
    own += std::chrono::duration<double>(Clock::now() - start).count();
  }
  const fs::path file = MaterialDefFilePath(plant.folder());
  ReportRatio(state, own / static_cast<double>(state.iterations()),
              MeanSeconds(50, [&file] { benchmark::DoNotOptimize(platform::ReadFileBytes(file)); }), "cat");
  state.counters["definitions"] = kDefinitions;
}
BENCHMARK(BM_OpenNewRecordDialog)->Unit(benchmark::kMillisecond);

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

  double own = 0;
  for (auto _ : state) {
    state.PauseTiming();
    plant.RestoreFile();
    for (int row = 0; row < kRecords; ++row) view.model()->RecordAt(row)->SetField(25, carried[static_cast<size_t>(row)]);
    state.ResumeTiming();
    const auto start = Clock::now();
    view.OnMaterialdefinitionExtrahieren();
    own += std::chrono::duration<double>(Clock::now() - start).count();
  }
  const fs::path records = plant.folder() / kRecordFileName;
  const fs::path copy = plant.folder() / "copy.db";
  ReportRatio(state, own / static_cast<double>(state.iterations()),
              MeanSeconds(5, [&] { platform::CopyFile(records, copy); }), "cp");
  state.counters["records"] = kRecords;
  state.counters["data_MB"] = static_cast<double>(platform::FileSize(records).value_or(0)) / 1e6;
}
BENCHMARK(BM_MaterialExtraction9005)->Unit(benchmark::kMillisecond);

}  // namespace
