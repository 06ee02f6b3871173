// The archive and the transfer files end to end: the whole program started on
// a demo installation whose records fall into three months, a month archived
// through the seam, the program closed and started again, the month read
// back; and records carried from one data folder to another by an export and
// an import.
#include <gtest/gtest.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "records/archive.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/archive/archivedlgs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/startup.h"
#include "shell/transfer/importstatistikdlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDOK;

namespace {

const char* const kMonths[] = {"202101", "202102", "202103"};

// A program folder with the demo installation, without the plant list (the
// start opens the data folder at once); its records sampled in three months.
class Installation {
 public:
  explicit Installation(bool withRecords = true) {
    EXPECT_TRUE(demo::MakeDemoInstallation(program_.path(), data()).ok);
    fs::remove(program_ / "werk.dat");
    RecordList records;
    EXPECT_TRUE(LoadRecordFile(records, data()));
    for (size_t i = 0; i < records.size(); ++i) {
      records[i]->SetValue(1, 11, std::string(kMonths[i % 3]) + "15083000");
      records[i]->UpdateListSummary();
    }
    if (!withRecords) records.clear();
    EXPECT_TRUE(WriteRecordFile(records, data() / kRecordFileName));
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guard_.path();
  }
  fs::path data() const { return program_ / "demo-data"; }
  fs::path MonthFile(const std::string& month) const { return data() / "archiv" / MonthFileName(month); }
  const StartupOptions& options() const { return options_; }

  // The test numbers in "data.db", by month.
  std::map<std::string, std::set<std::string>> OnDisk() const {
    RecordList records;
    EXPECT_TRUE(LoadRecordFile(records, data()));
    std::map<std::string, std::set<std::string>> months;
    for (const auto& r : records) months[MonthKey(*r)].insert(r->GetValue(1, 0));
    return months;
  }

 private:
  TempFolder program_;
  TempFolder guard_;
  StartupOptions options_;
};

// One run of the program: started in the constructor, ended in End().
class ProgramRun {
 public:
  explicit ProgramRun(const Installation& installation) : startup_(app_, installation.options()) {
    QApplication::setQuitOnLastWindowClosed(false);
    started_ = startup_.InitInstance();
    EXPECT_TRUE(started_);
  }
  ~ProgramRun() {
    End();
    QApplication::setQuitOnLastWindowClosed(true);
  }
  void End() {
    if (started_) {
      EXPECT_EQ(startup_.ExitInstance(), 0);
    }
    started_ = false;
  }
  CForm1View& view() { return *startup_.Frame()->view(); }
  bool Execute(int id) { return startup_.Frame()->commands().Execute(id); }
  std::map<std::string, std::set<std::string>> Listed() {
    std::map<std::string, std::set<std::string>> months;
    for (const CVersuch* r : view().model()->Records()) months[MonthKey(*r)].insert(r->GetValue(1, 0));
    return months;
  }
  void SelectMonth(const std::string& month) {
    QItemSelectionModel* selection = view().list()->selectionModel();
    for (int row = 0; row < view().model()->RecordCount(); ++row)
      if (MonthKey(*view().model()->RecordAt(row)) == month)
        selection->select(view().model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

 private:
  CPravikWinApp app_;
  CStartup startup_;
  bool started_ = false;
};

// Ticks the row of the month key and waits for the tick rules.
void TickMonth(CMonthListDlg& dialog, const std::string& month) {
  for (int row = 0; row < static_cast<int>(dialog.Rows().size()); ++row)
    if (dialog.Rows()[static_cast<size_t>(row)].key == month) dialog.SetTick(row, true);
  EXPECT_TRUE(SpinUntil([&dialog] { return !dialog.TickRulesPending(); }));
}

TEST(ArchiveEndToEnd, AMonthLeavesTheListAndComesBack) {
  Installation installation;
  const auto before = installation.OnDisk();
  ASSERT_EQ(before.size(), 3u);
  const std::set<std::string> february = before.at("202102");
  ASSERT_FALSE(february.empty());
  {
    ProgramRun run(installation);
    platform::TestUi ui;
    ui.ExpectDialog(CArchivierenDlg::kTemplateId, [](DialogDriver& d) {
      TickMonth(static_cast<CArchivierenDlg&>(d.dialog()), "202102");
    }, IDOK);
    ui.ExpectDialog(CArchivierungsProtokollDlg::kTemplateId, [](DialogDriver& d) {
      EXPECT_NE(d.Text(1007).find(" 02/2021    | ja\n"), std::string::npos);
      EXPECT_FALSE(d.IsVisible(CArchivierungsProtokollDlg::kFootnoteId));
    }, IDOK);
    EXPECT_TRUE(run.Execute(9101));
    ui.VerifyAllShown();
    EXPECT_TRUE(platform::FileExists(installation.MonthFile("202102")));
    EXPECT_EQ(run.Listed().count("202102"), 0u);
    EXPECT_EQ(run.Listed().at("202101"), before.at("202101"));
    auto archived = before;
    archived.erase("202102");
    EXPECT_EQ(installation.OnDisk(), archived);  // archiving saves at once
    run.End();
  }
  auto archived = before;
  archived.erase("202102");
  EXPECT_EQ(installation.OnDisk(), archived);

  {
    ProgramRun run(installation);
    EXPECT_EQ(run.Listed(), archived);
    platform::TestUi ui;
    ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
      TickMonth(static_cast<CDearchivierenDlg&>(d.dialog()), "202102");
    }, IDOK);
    ui.ExpectDialog(CDearchivierungsProtokollDlg::kTemplateId, [&february](DialogDriver& d) {
      EXPECT_NE(d.Text(1007).find(" 02/2021    | " + std::to_string(february.size())), std::string::npos);
    }, IDOK);
    EXPECT_TRUE(run.Execute(9104));
    ui.VerifyAllShown();
    EXPECT_EQ(run.Listed(), before);
    EXPECT_EQ(installation.OnDisk(), before);  // dearchiving saves at once
    EXPECT_FALSE(fs::exists(installation.MonthFile("202102")));
  }
  EXPECT_EQ(installation.OnDisk(), before);
}

TEST(ArchiveEndToEnd, ExportAndImportCarryRecordsToAnotherDataFolder) {
  Installation source;
  Installation target(false);
  const fs::path file = source.data() / "transfer" / "januar.xml";
  const auto records = source.OnDisk();
  {
    ProgramRun run(source);
    run.SelectMonth("202101");
    platform::TestUi ui;
    ui.ExpectFileDialog(file);
    ui.ExpectMessageBox(IDOK, "Anzahl der exportierten Datensätze: " + std::to_string(records.at("202101").size()));
    EXPECT_TRUE(run.Execute(9103));
    ui.VerifyAllShown();
  }
  EXPECT_EQ(source.OnDisk(), records);  // the export changes no record
  {
    ProgramRun run(target);
    EXPECT_TRUE(run.Listed().empty());
    platform::TestUi ui;
    ui.ExpectFileDialog(file);
    ui.ExpectDialog(CImportStatistikDlg::kTemplateId, [&records](DialogDriver& d) {
      EXPECT_EQ(d.Text(CImportStatistikDlg::kImportedId), std::to_string(records.at("202101").size()));
      EXPECT_EQ(d.Text(CImportStatistikDlg::kSkippedId), "0");
    }, IDOK);
    EXPECT_TRUE(run.Execute(9102));
    ui.VerifyAllShown();
    // Importing saves at once.
    EXPECT_EQ(target.OnDisk(), (std::map<std::string, std::set<std::string>>{{"202101", records.at("202101")}}));
  }
  EXPECT_EQ(target.OnDisk(), (std::map<std::string, std::set<std::string>>{{"202101", records.at("202101")}}));
}

}  // namespace
