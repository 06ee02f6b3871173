#pragma once
// The fixture of the end-to-end tests of the test entries: the records of a
// fixture data folder loaded by the document into the program's own main
// view, rows selected as the user selects them, and "data.db" read back from
// disk.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "services/appflags.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "support/temp_folder.h"

class EntryOnMainView : public ::testing::Test {
 protected:
  // The fixture folder below tests/fixtures/evaluation that holds "data.db".
  explicit EntryOnMainView(const std::string& fixture)
      : fixture_(std::filesystem::path(PRAVIK_FIXTURES) / "evaluation" / fixture) {}

  void SetUp() override {
    SetEditAllowed(true);
    std::filesystem::copy_file(fixture_ / kRecordFileName, data_ / kRecordFileName);
    app_.m_Settings.m_DataFolder = data_.path();
    app_.m_Settings.m_IniPath = data_ / "pravik.ini";
    ASSERT_TRUE(doc_.OnNewDocument());
    view_ = std::make_unique<CForm1View>(&doc_);
    view_->OnInitialUpdate();
  }
  void TearDown() override { view_.reset(); }

  // Selects the row of a test number and gives the focus to it.
  void Select(const std::string& testNumber) {
    CRecordListModel* model = view_->model();
    for (int row = 0; row < model->RecordCount(); ++row) {
      if (model->RecordAt(row)->GetValue(1, 0) != testNumber) continue;
      view_->list()->selectionModel()->setCurrentIndex(
          model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      return;
    }
    FAIL() << "no row with " << testNumber;
  }

  const CVersuch* OnDisk(const std::string& testNumber) {
    disk_.clear();
    EXPECT_TRUE(LoadRecordFile(disk_, data_.path()));
    for (const auto& record : disk_)
      if (record->GetValue(1, 0) == testNumber) return record.get();
    return nullptr;
  }
  std::string FileBytes() const {
    return platform::ReadFileBytes(data_ / kRecordFileName).value_or("<unreadable>");
  }

  std::filesystem::path fixture_;
  TempFolder data_;
  CPravikWinApp app_;
  CPravikDoc doc_;
  std::unique_ptr<CForm1View> view_;
  RecordList disk_;
};
