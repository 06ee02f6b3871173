#pragma once
// Shared by the benchmarks of the main view: the application on a data
// folder of its own (removed at exit), and a view filled with records and
// shown offscreen at a usual window size.
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"

class BenchDataFolder {
 public:
  BenchDataFolder() {
    folder_ = std::filesystem::temp_directory_path() / ("pravik_bench_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    app_.m_Settings.m_DataFolder = folder_;
    app_.m_Settings.m_IniPath = folder_ / "pravik.ini";
  }
  ~BenchDataFolder() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  BenchDataFolder(const BenchDataFolder&) = delete;
  BenchDataFolder& operator=(const BenchDataFolder&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  CPravikWinApp& app() { return app_; }

 private:
  std::filesystem::path folder_;
  CPravikWinApp app_;
};

struct FilledView {
  explicit FilledView(RecordList records) {
    document.m_Records = std::move(records);
    view = std::make_unique<CForm1View>(&document);
    view->resize(1400, 800);
    view->OnInitialUpdate();
    view->show();
  }
  CPravikDoc document;
  std::unique_ptr<CForm1View> view;
};
