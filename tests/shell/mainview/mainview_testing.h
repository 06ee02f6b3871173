#pragma once
// The common ground of the main view and main frame tests: a copy of the
// fixture data folder, the application pointing at it, the INI file's
// values, finding rows by test number and selecting rows the way the list does;
// and the main frame with its view over that folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/settings.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

inline const std::filesystem::path kMainViewFixture = std::filesystem::path(PRAVIK_FIXTURES) / "mainview";

class MainViewTesting : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(kMainViewFixture / "data.db", folder_ / "data.db");
    app_.m_Settings.m_DataFolder = folder_.path();
    app_.m_Settings.m_IniPath = folder_ / "pravik.ini";
    app_.m_Settings.m_ProgramFolder = folder_.path();
    app_.m_Settings.m_NoDatasaveInfo = 1;
  }

  std::string Ini(const char* section, const char* key) const {
    return ProgramProfile(folder_ / "pravik.ini").GetString(section, key, "<none>");
  }

  // The row of the nth record with the test number, -1 (a failure) without one.
  static int RowOf(const CRecordListModel& model, const std::string& number, int nth = 0) {
    for (int row = 0; row < model.RecordCount(); ++row)
      if (model.RecordAt(row)->GetValue(1, 0) == number && nth-- == 0) return row;
    ADD_FAILURE() << "no row " << number;
    return -1;
  }

  // Selects the rows, puts the focus on one (-1: the first selected) and
  // lets the view's deferred evaluation run.
  static void SelectRows(CForm1View& view, const std::vector<int>& rows, int focus = -1) {
    QItemSelectionModel* selection = view.list()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
      selection->select(view.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (focus < 0 && !rows.empty()) focus = rows.front();
    selection->setCurrentIndex(focus < 0 ? QModelIndex() : view.model()->index(focus, 0),
                               QItemSelectionModel::NoUpdate);
    EXPECT_TRUE(view.SelectionEvaluationPending());
    EXPECT_TRUE(SpinUntil([&view] { return !view.SelectionEvaluationPending(); }));
  }

  TempFolder folder_;
  CPravikWinApp app_;
};

// The language files of a folder while the scope lives; German again after it.
class LanguageFolderScope {
 public:
  explicit LanguageFolderScope(const std::filesystem::path& folder) { SetLanguageFolder(folder); }
  ~LanguageFolderScope() {
    SetCurrentLangCode("");
    SetLanguageFolder({});
  }
  LanguageFolderScope(const LanguageFolderScope&) = delete;
  LanguageFolderScope& operator=(const LanguageFolderScope&) = delete;
};

// The main frame with its view over the records of the data folder, as the
// start makes them (the frame ends before the test's folder goes).
class MainFrameTesting : public MainViewTesting {
 protected:
  void SetUp() override {
    MainViewTesting::SetUp();
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override {
    frame_.reset();
    QApplication::setQuitOnLastWindowClosed(true);
  }

  CMainFrame& Open() {
    frame_.reset();
    doc_ = std::make_unique<CPravikDoc>();
    EXPECT_TRUE(doc_->OnNewDocument());
    frame_ = std::make_unique<CMainFrame>();
    frame_->SetView(new CForm1View(doc_.get()));
    return *frame_;
  }

  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
};
