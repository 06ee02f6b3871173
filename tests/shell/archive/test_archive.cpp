// The archive commands on the main view: the tick rules of the month lists,
// the dialogs, the month files byte for byte, the failures of writing and
// saving, and the protocols, through the scripted seam.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTreeWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/transfer/transfer_testing.h"
#include "platform/datetime.h"
#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "records/archive.h"
#include "records/recordfile.h"
#include "records/transfer.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/archive/archivedlgs.h"
#include "shell/archive/archiveticks.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "support/read_only_folder.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

// ---------------------------------------------------------------- tick rules

std::vector<TickRow> Rows(const std::string& layout) {
  // "Y+ m+ m- Y-": a year or month row, ticked (+) or not (-).
  std::vector<TickRow> rows;
  int year = 2020, month = 0;
  for (size_t i = 0; i + 1 < layout.size(); i += 3) {
    const bool ticked = layout[i + 1] == '+';
    if (layout[i] == 'Y') {
      rows.push_back({std::to_string(++year), ticked});
      month = 0;
    } else {
      ++month;
      rows.push_back({std::to_string(year) + (month < 10 ? "0" : "") + std::to_string(month), ticked});
    }
  }
  return rows;
}

TEST(TickRules, YearsPassTheirTickOnAndFollowTheirMonths) {
  struct Case {
    const char* before;
    int changed;
    const char* after;
  } cases[] = {
      {"Y+ m- m- Y- m-", 0, "Y+ m+ m+ Y- m-"},  // ticking a year ticks its months
      {"Y- m+ m+ Y- m-", 0, "Y- m- m- Y- m-"},  // unticking it (or selecting a partly ticked year) unticks them
      {"Y+ m+ m- Y- m-", 2, "Y- m+ m- Y- m-"},  // unticking a month unticks its year
      {"Y- m+ m+ Y- m+", 2, "Y+ m+ m+ Y+ m+"},  // the last month ticked ticks the year (every year is re-judged)
      {"Y+ m+ m+ Y+ m+", 4, "Y+ m+ m+ Y+ m+"},
      {"Y- m+ Y+ m+", 1, "Y+ m+ Y+ m+"},
      {"Y+ m- m-", 5, "Y+ m- m-"},  // no such row
  };
  for (const Case& c : cases) {
    std::vector<TickRow> rows = Rows(c.before);
    ApplyTickRules(rows, c.changed);
    EXPECT_EQ(rows, Rows(c.after)) << c.before << " changed " << c.changed;
  }
  EXPECT_EQ(TickedMonths(Rows("Y+ m+ m- Y- m+")), (std::vector<std::string>{"202101", "202201"}));
}

// ---------------------------------------------------------------- dialogs

std::vector<std::string> ShownTexts(const CMonthListDlg& dialog, int column) {
  std::vector<std::string> texts;
  for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
    texts.push_back(dialog.list()->topLevelItem(i)->text(column).toStdString());
  return texts;
}

void WaitForTicks(CMonthListDlg& dialog) {
  EXPECT_TRUE(SpinUntil([&dialog] { return !dialog.TickRulesPending(); }));
}

class ArchiveDialogs : public ::testing::Test {
 protected:
  CPravikWinApp app_;
};

TEST_F(ArchiveDialogs, ArchiveListShowsYearsAndMonthsAndReturnsTheTickedMonths) {
  CArchivierenDlg dialog;
  dialog.m_ArchiveFolder = "/daten/archiv";
  dialog.m_Entries = {"2020|1", "202012|1", "2021|5", "202101|2", "202103|3"};
  platform::TestUi ui;
  ui.ExpectDialog(CArchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CArchivierenDlg&>(d.dialog());
    EXPECT_EQ(d.Text(8001), "/daten/archiv");
    EXPECT_EQ(dlg.list()->headerItem()->text(0).toStdString(), "       Jahr bzw. Monat/Jahr");
    EXPECT_EQ(dlg.list()->headerItem()->text(1).toStdString(), "Anz. Prüfnummern");
    EXPECT_TRUE(dlg.list()->isColumnHidden(2));
    EXPECT_EQ(ShownTexts(dlg, 0),
              (std::vector<std::string>{"  2020", "     12/2020", "  2021", "     01/2021", "     03/2021"}));
    EXPECT_EQ(ShownTexts(dlg, 1), (std::vector<std::string>{"1", "1", "5", "2", "3"}));
    dlg.SetTick(2, true);  // the year 2021: both months
    WaitForTicks(dlg);
    EXPECT_EQ(TickedMonths(dlg.Rows()), (std::vector<std::string>{"202101", "202103"}));
    dlg.SetTick(3, false);  // one month off: the year goes off
    WaitForTicks(dlg);
    EXPECT_FALSE(dlg.Rows()[2].ticked);
    dlg.SetTick(3, true);  // the last month on again: the year comes back
    WaitForTicks(dlg);
    EXPECT_TRUE(dlg.Rows()[2].ticked);
    dlg.SetTick(0, true);
    WaitForTicks(dlg);
  }, IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_Entries, (std::vector<std::string>{"202012", "202101", "202103"}));
}

TEST_F(ArchiveDialogs, DearchiveListGroupsTheMonthsByYear) {
  CDearchivierenDlg dialog;
  dialog.m_ArchiveFolder = "/daten/archiv";
  dialog.m_Entries = {"202012", "202101", "202103"};
  platform::TestUi ui;
  ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CDearchivierenDlg&>(d.dialog());
    EXPECT_EQ(d.Text(1007), "/daten/archiv");
    EXPECT_EQ(dlg.list()->headerItem()->text(0).toStdString(), "       Jahr bzw Monat/Jahr");
    EXPECT_EQ(ShownTexts(dlg, 0),
              (std::vector<std::string>{"  2020", "    12/2020", "  2021", "    01/2021", "    03/2021"}));
    EXPECT_EQ(ShownTexts(dlg, 1), (std::vector<std::string>{"2020", "202012", "2021", "202101", "202103"}));
    dlg.SetTick(3, true);
    dlg.SetTick(4, true);
    WaitForTicks(dlg);
    EXPECT_TRUE(dlg.Rows()[2].ticked);
    dlg.SetTick(4, false);
    WaitForTicks(dlg);
    // Selecting a year whose months are partly ticked unticks them all.
    dlg.SelectRow(2);
    WaitForTicks(dlg);
    EXPECT_TRUE(TickedMonths(dlg.Rows()).empty());
    dlg.SetTick(2, true);
    WaitForTicks(dlg);
  }, IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_Entries, (std::vector<std::string>{"202101", "202103"}));
}

// ---------------------------------------------------------------- commands

// A data folder with the three fixture records (March 2021 twice, April 2021
// once) and an archive folder of its own; the clock stands at the moment the
// fixture files were made.
class ArchiveCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetClockOverride(FixtureStamp());
    ASSERT_TRUE(WriteRecordFile(TransferRecords(), data_ / kRecordFileName));
    app_.m_Settings.m_DataFolder = data_.path();
    app_.m_Settings.m_IniPath = data_ / "pravik.ini";
    app_.WriteProfileString("Archivierung", "Ordner", archive_.path().string());
    Open();
  }
  void TearDown() override {
    view_.reset();
    platform::SetClockOverride(std::nullopt);
  }
  void Open() {
    view_.reset();
    doc_ = std::make_unique<CPravikDoc>();
    ASSERT_TRUE(doc_->OnNewDocument());
    view_ = std::make_unique<CForm1View>(doc_.get());
    view_->OnInitialUpdate();
  }
  std::vector<std::string> Numbers() const {
    std::vector<std::string> numbers;
    for (const CVersuch* r : view_->model()->Records()) numbers.push_back(r->GetValue(1, 0));
    return numbers;
  }
  std::vector<std::string> DiskNumbers() const {
    RecordList records;
    EXPECT_TRUE(LoadRecordFile(records, data_.path()));
    std::vector<std::string> numbers;
    for (const auto& r : records) numbers.push_back(r->GetValue(1, 0));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
  }
  fs::path MonthFile(const std::string& month) const { return archive_ / MonthFileName(month); }

  TempFolder data_;
  TempFolder archive_;
  CPravikWinApp app_;
  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CForm1View> view_;
};

TEST_F(ArchiveCommands, ArchivingAMonthWritesItsFileAndRemovesItsRecords) {
  ASSERT_EQ(Numbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002", "12-34-0003"}));
  std::vector<std::string> results;
  view_->ArchiveMonth("202103", results);
  EXPECT_EQ(results, (std::vector<std::string>{"202103|1"}));
  EXPECT_EQ(platform::ReadFileBytes(MonthFile("202103")).value_or(""), FixtureBytes("arch_202103.xml"));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"12-34-0002"}));
  EXPECT_FALSE(app_.TestRecordIdIndex.count("12-34-210315083000"));
  // The test numbers stay taken for the rest of the run.
  EXPECT_TRUE(app_.TestNumberIndex.count("12-34-0001"));
  // Nothing is saved yet.
  EXPECT_EQ(DiskNumbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002", "12-34-0003"}));

  // The month has a file: it cannot be archived again, and nothing changes.
  ASSERT_TRUE(view_->AddRecordFromText(RecordText(*TransferRecords()[0], false)));
  view_->ArchiveMonth("202103", results);
  EXPECT_EQ(results.back(), "202103|-1");
  EXPECT_EQ(platform::ReadFileBytes(MonthFile("202103")).value_or(""), FixtureBytes("arch_202103.xml"));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002"}));
}

// A month scattered over many rows leaves in one pass: the other rows keep
// their order, the focus stays on its record, the file holds the month's
// records in row order.
TEST_F(ArchiveCommands, AScatteredMonthLeavesInOnePass) {
  for (int i = 0; i < 200; ++i) {
    CVersuch record = *TransferRecords()[0];
    record.SetValue(0, 0, "id-" + std::to_string(i));
    record.SetValue(1, 0, "nr-" + std::to_string(i));
    record.SetValue(1, 11, (i % 2 ? "20210315" : "20210415") + std::string("083000"));
    ASSERT_TRUE(view_->AddRecordFromText(RecordText(record, false)));
  }
  std::vector<std::string> staying, leaving;
  for (const std::string& number : Numbers()) {
    const CVersuch* record = view_->model()->RecordAt(static_cast<int>(staying.size() + leaving.size()));
    (MonthKey(*record) == "202103" ? leaving : staying).push_back(number);
  }
  const int focused = 7;  // "nr-192", of April
  view_->list()->selectionModel()->setCurrentIndex(view_->model()->index(focused, 0), QItemSelectionModel::NoUpdate);
  const CVersuch* focusedRecord = view_->model()->RecordAt(focused);
  ASSERT_EQ(MonthKey(*focusedRecord), "202104");

  std::vector<std::string> results;
  view_->ArchiveMonth("202103", results);
  EXPECT_EQ(results, (std::vector<std::string>{"202103|1"}));
  EXPECT_EQ(Numbers(), staying);
  EXPECT_EQ(view_->model()->RecordAt(view_->list()->FocusedRow()), focusedRecord);
  std::vector<std::string> archived;
  const RecordDocument read = ReadRecordFileBytes(platform::ReadFileBytes(MonthFile("202103")).value_or(""), kArchiveRoot, {});
  for (const auto& record : read.records) archived.push_back(record->GetValue(1, 0));
  EXPECT_EQ(archived, leaving);
}

TEST_F(ArchiveCommands, AFailedWriteLeavesNoFileAndEveryRecord) {
  std::vector<std::string> results;
  {
    ReadOnlyFolder locked(archive_.path());
    view_->ArchiveMonth("202104", results);
  }
  EXPECT_EQ(results, (std::vector<std::string>{"202104|-2"}));
  EXPECT_TRUE(fs::is_empty(archive_.path()));
  EXPECT_EQ(Numbers().size(), 3u);
  // A configured folder that does not exist fails the same way.
  app_.WriteProfileString("Archivierung", "Ordner", (archive_ / "missing").string());
  view_->ArchiveMonth("202104", results);
  EXPECT_EQ(results.back(), "202104|-2");
  EXPECT_EQ(Numbers().size(), 3u);
}

TEST_F(ArchiveCommands, ArchiveCommandTicksMonthsAndShowsItsProtocol) {
  platform::WriteFileBytes(MonthFile("202104"), "an older file");
  platform::TestUi ui;
  ui.ExpectDialog(CArchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CArchivierenDlg&>(d.dialog());
    EXPECT_EQ(ShownTexts(dlg, 2), (std::vector<std::string>{"2021", "202103", "202104"}));
    EXPECT_EQ(ShownTexts(dlg, 1), (std::vector<std::string>{"3", "2", "1"}));
    dlg.SetTick(0, true);
    WaitForTicks(dlg);
  }, IDOK);
  ui.ExpectDialog(CArchivierungsProtokollDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1007),
              " Monat/Jahr | archiviert?\n------------+-----------------------------------\n"
              " 03/2021    | ja\n 04/2021    | NEIN, siehe 1) unten\n");
    EXPECT_TRUE(d.IsVisible(CArchivierungsProtokollDlg::kFootnoteId));
    auto& dlg = static_cast<CArchivierungsProtokollDlg&>(d.dialog());
    EXPECT_TRUE(dlg.FixedFont().has_value());
  }, IDOK);
  view_->OnArchivieren();
  ui.VerifyAllShown();
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"12-34-0002"}));
  EXPECT_EQ(platform::ReadFileBytes(MonthFile("202104")).value_or(""), "an older file");
  // Saved at once: the archived records leave "data.db" with the command.
  EXPECT_EQ(DiskNumbers(), (std::vector<std::string>{"12-34-0002"}));

  // Nothing ticked: said so, and no protocol; nothing changes.
  platform::TestUi none;
  none.ExpectDialog(CArchivierenDlg::kTemplateId, IDOK);
  none.ExpectMessageBox(IDOK, "kein Monat angehakt");
  view_->OnArchivieren();
  none.VerifyAllShown();
  EXPECT_TRUE(none.failures().empty());
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"12-34-0002"}));
}

TEST_F(ArchiveCommands, DearchivingAddsTheMissingRecordsSavesAndDeletesTheFile) {
  platform::CopyFile(kTransferFixtures / "arch_202103.xml", MonthFile("202103"));
  platform::WriteFileBytes(MonthFile("202001"), "<PRAVIK_ARCHIV><PRUEFUNGSLISTE/></PRAVIK_ARCHIV>");
  std::vector<std::string> results;
  view_->ArchiveMonth("202104", results);  // the list now lacks 12-34-0002
  ASSERT_EQ(Numbers(), (std::vector<std::string>{"12-34-0001", "12-34-0003"}));
  // A record of the month that the list holds is skipped.
  platform::TestUi ui;
  ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CDearchivierenDlg&>(d.dialog());
    EXPECT_EQ(ShownTexts(dlg, 1), (std::vector<std::string>{"2020", "202001", "2021", "202103", "202104"}));
    dlg.SetTick(2, true);
    WaitForTicks(dlg);
    dlg.SetTick(1, true);
    WaitForTicks(dlg);
  }, IDOK);
  ui.ExpectDialog(CDearchivierungsProtokollDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1007),
              "            | Anzahl der      | Anzahl der nicht\n"
              " Monat/Jahr | dearchivierten  | dearchivierten\n"
              "            | Prüfnummern     | Prüfnummern\n"
              "------------+-----------------+-----------------\n"
              " 01/2020    | 0               | 0\n"
              " 03/2021    | 0               | 2\n"
              " 04/2021    | 1               | 0\n");
  }, IDOK);
  view_->OnDearchivieren();
  ui.VerifyAllShown();
  // In its place by the list's order, and selected.
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002", "12-34-0003"}));
  EXPECT_EQ(view_->list()->SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(view_->list()->FocusedRow(), 1);
  EXPECT_EQ(DiskNumbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002", "12-34-0003"}));
  EXPECT_TRUE(fs::is_empty(archive_.path()));
}

// A month file that cannot be deleted after its records were saved (a
// read-only archive folder) is named in a message and in the protocol;
// archiving its month later says why it is refused. Before, the protocol
// showed success and the month was refused with the advice to dearchive it.
TEST_F(ArchiveCommands, AMonthFileThatCannotBeDeletedIsNamedAndExplainsItsRefusal) {
  std::vector<std::string> results;
  view_->ArchiveMonth("202103", results);
  ASSERT_EQ(results.back(), "202103|1");
  // The data folder stays writable for the ordinary user the guard becomes.
  fs::permissions(data_.path(), fs::perms::all);
  const std::string file = MonthFile("202103").string();
  {
    ReadOnlyFolder locked(archive_.path());
    platform::TestUi ui;
    ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
      auto& dlg = static_cast<CDearchivierenDlg&>(d.dialog());
      dlg.SetTick(1, true);
      WaitForTicks(dlg);
    }, IDOK);
    ui.ExpectMessageBox(IDOK, "Diese Archivdateien konnten nicht gelöscht werden. Ihre Prüfnummern stehen jetzt in "
                              "data.db;\nbitte löschen Sie die Dateien, bevor Sie diese Monate wieder archivieren:\n   " +
                                  file + "\n");
    ui.ExpectDialog(CDearchivierungsProtokollDlg::kTemplateId, [&file](DialogDriver& d) {
      EXPECT_EQ(d.Text(1007),
                "            | Anzahl der      | Anzahl der nicht\n"
                " Monat/Jahr | dearchivierten  | dearchivierten\n"
                "            | Prüfnummern     | Prüfnummern\n"
                "------------+-----------------+-----------------\n"
                " 03/2021    | 2               | 0\n"
                "Diese Archivdateien konnten nicht gelöscht werden. Ihre Prüfnummern stehen jetzt in data.db;\n"
                "bitte löschen Sie die Dateien, bevor Sie diese Monate wieder archivieren:\n   " +
                    file + "\n");
    }, IDOK);
    view_->OnDearchivieren();
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  }
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(DiskNumbers(), (std::vector<std::string>{"12-34-0001", "12-34-0002", "12-34-0003"}));

  // Archiving March again is refused as a leftover, with its file named; a
  // month whose file holds records the list lacks keeps the old refusal.
  platform::WriteFileBytes(MonthFile("202104"), "an older file");
  platform::TestUi ui;
  ui.ExpectDialog(CArchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CArchivierenDlg&>(d.dialog());
    dlg.SetTick(0, true);
    WaitForTicks(dlg);
  }, IDOK);
  ui.ExpectDialog(CArchivierungsProtokollDlg::kTemplateId, [&file](DialogDriver& d) {
    EXPECT_EQ(d.Text(1007),
              " Monat/Jahr | archiviert?\n------------+-----------------------------------\n"
              " 03/2021    | NEIN, siehe 2) unten\n 04/2021    | NEIN, siehe 1) unten\n\n"
              "2) Diese Archivdateien wurden dearchiviert, konnten aber nicht gelöscht werden.\n"
              "   Ihre Prüfnummern stehen in der Übersicht. Erst wenn die Datei gelöscht ist,\n"
              "   kann der Monat wieder archiviert werden:\n   " +
                  file + "\n");
    EXPECT_TRUE(d.IsVisible(CArchivierungsProtokollDlg::kFootnoteId));
  }, IDOK);
  view_->OnArchivieren();
  ui.VerifyAllShown();
  EXPECT_EQ(Numbers().size(), 3u);
}

TEST_F(ArchiveCommands, AFailedSaveKeepsTheMonthFile) {
  std::vector<std::string> results;
  view_->ArchiveMonth("202103", results);
  ASSERT_EQ(results.back(), "202103|1");
  // "data_tmp.db" cannot be written: the save fails.
  fs::create_directories(data_ / kRecordTempFileName / "keep");
  platform::TestUi ui;
  ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CDearchivierenDlg&>(d.dialog());
    dlg.SetTick(0, true);
    WaitForTicks(dlg);
  }, IDOK);
  ui.ExpectMessageBox(IDOK);  // the record file's own message
  ui.ExpectMessageBox(IDOK, "Die Archivdateien bleiben deshalb erhalten.");
  ui.ExpectDialog(CDearchivierungsProtokollDlg::kTemplateId, IDOK);
  view_->OnDearchivieren();
  ui.VerifyAllShown();
  EXPECT_EQ(platform::ReadFileBytes(MonthFile("202103")).value_or(""), FixtureBytes("arch_202103.xml"));
  EXPECT_EQ(Numbers().size(), 3u);
}

TEST_F(ArchiveCommands, DearchiveRefusalsAndBrokenFiles) {
  // No month file: a message naming the folder, nothing read or saved.
  platform::WriteFileBytes(archive_ / "arch_2021.xml", "");
  const auto saved = platform::ReadFileBytes(data_ / kRecordFileName);
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Keine Archivdateien im Ordner gefunden: '" + archive_.path().string() + "' !");
    view_->OnDearchivieren();
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[0].title, "Archivierung");
    EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  }
  // Cancel, or OK without a tick: nothing is read and nothing saved.
  platform::WriteFileBytes(MonthFile("202101"), "not xml");
  for (int answer : {IDCANCEL, IDOK}) {
    platform::TestUi ui;
    ui.ExpectDialog(CDearchivierenDlg::kTemplateId, answer);
    view_->OnDearchivieren();
  }
  EXPECT_EQ(platform::ReadFileBytes(data_ / kRecordFileName), saved);
  // A ticked month whose file could not be read saves nothing either (a save
  // that cannot be made would speak up).
  {
    fs::create_directories(data_ / kRecordTempFileName / "keep");
    platform::TestUi ui;
    ui.ExpectDialog(CDearchivierenDlg::kTemplateId, [](DialogDriver& d) {
      auto& dlg = static_cast<CDearchivierenDlg&>(d.dialog());
      dlg.SetTick(0, true);
      WaitForTicks(dlg);
    }, IDOK);
    ui.ExpectMessageBox(IDOK, "xml.SetDoc() Error");
    ui.ExpectDialog(CDearchivierungsProtokollDlg::kTemplateId, IDOK);
    view_->OnDearchivieren();
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown().size(), 3u);
    fs::remove_all(data_ / kRecordTempFileName);
  }

  // An unparsable file is named by its failing step and kept; one that cannot
  // be read is named by its path.
  std::vector<std::string> results;
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "xml.SetDoc() Error");
    EXPECT_FALSE(view_->DearchiveMonth("202101", results));
    EXPECT_EQ(ui.shown()[0].text,
              "Die Datei ist keine Archivdatei.\n" + MonthFile("202101").string() + "\nxml.SetDoc() Error");
    EXPECT_EQ(ui.shown()[0].flags, platform::MB_OK | platform::MB_ICONWARNING);
  }
  {
    fs::permissions(MonthFile("202101"), fs::perms::all, fs::perm_options::remove);
    ReadOnlyFolder locked(archive_.path());
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, MonthFile("202101").string());
    EXPECT_FALSE(view_->DearchiveMonth("202101", results));
    EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  }
  EXPECT_TRUE(results.empty());
  EXPECT_TRUE(fs::exists(MonthFile("202101")));
}

TEST_F(ArchiveCommands, ArchivingAndDearchivingRoundTripEveryField) {
  RecordList before = TransferRecords();
  std::vector<std::string> results;
  view_->ArchiveMonth("202103", results);
  view_->ArchiveMonth("202104", results);
  ASSERT_EQ(view_->model()->RecordCount(), 0);
  view_->DearchiveMonth("202104", results);
  view_->DearchiveMonth("202103", results);
  EXPECT_EQ(results, (std::vector<std::string>{"202103|1", "202104|1", "202104|1|0", "202103|2|0"}));
  ASSERT_EQ(view_->model()->RecordCount(), 3);
  for (const auto& original : before) {
    const CVersuch* back = nullptr;
    for (const CVersuch* r : view_->model()->Records())
      if (r->GetValue(0, 0) == original->GetValue(0, 0)) back = r;
    ASSERT_NE(back, nullptr);
    for (int f = 0; f < CVersuch::kFieldCount; ++f) EXPECT_EQ(back->GetField(f), original->GetField(f)) << f;
  }
}

}  // namespace
