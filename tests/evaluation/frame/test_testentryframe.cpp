// The common course of an opener, driven with the flakiness dialog through
// the scripted UI seam: a view that really saves into a temporary data
// folder, then "data.db" read back from disk.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>
#include <string>
#include <vector>

#include "evaluation/frame/statusmarks.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/frame/entrydialog.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "fixtures/dlgbase/english_language.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CPlattigkeitDlg;

namespace {

const std::filesystem::path kFixture = std::filesystem::path(PRAVIK_FIXTURES) / "evaluation" / "datafolder";
// Records of the fixture: 0 with the requirement "15_LE", 1 without a
// requirement and with a stored result, 2 without the flakiness test.
constexpr int kWithRequirement = 0;
constexpr int kStored = 1;

// The main view as the frame sees it: the rows own the records, saving
// writes them all into the data folder.
class RecordingView : public TestEntryView {
 public:
  RecordingView(RecordList& records, std::filesystem::path folder) : records_(records), folder_(std::move(folder)) {}

  int current = 0;
  int refreshes = 0;
  int refreshedRow = -1;
  int saves = 0;
  std::string statusListAtRefresh;

  CVersuch* GetCurrentRecord(int* row) override {
    if (current < 0 || current >= static_cast<int>(records_.size())) return nullptr;
    *row = current;
    return records_[static_cast<size_t>(current)].get();
  }
  void RefreshRecordRow(int row) override {
    ++refreshes;
    refreshedRow = row;
    statusListAtRefresh = records_[static_cast<size_t>(row)]->GetTestStatusList();
  }
  bool SaveAllRecords() override {
    ++saves;
    return SaveRecordFileSafely(records_, folder_);
  }
  QWidget* DialogParent() override { return nullptr; }

 private:
  RecordList& records_;
  std::filesystem::path folder_;
};

class EntryFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEditAllowed(true);
    std::filesystem::copy_file(kFixture / kRecordFileName, data_ / kRecordFileName);
    ASSERT_TRUE(LoadRecordFile(records_, data_.path()));
    ASSERT_EQ(records_.size(), 3u);
  }
  void TearDown() override { SetEditAllowed(true); }

  // "data.db" as it is on disk now.
  RecordList OnDisk() const {
    RecordList disk;
    EXPECT_TRUE(LoadRecordFile(disk, data_.path()));
    return disk;
  }
  std::string FileBytes() const {
    return platform::ReadFileBytes(data_ / kRecordFileName).value_or("<unreadable>");
  }
  bool Open(int row) {
    view_.current = row;
    return RunTestEntry(view_, "VA_PLATT", EditFlakiness);
  }
  static int Mark(DialogDriver& d) { return d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(); }

  TempFolder data_;
  RecordList records_;
  RecordingView view_{records_, data_.path()};
};

TEST_F(EntryFrame, OkStoresResultStatusStatisticsAndRowThenSavesOnce) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Plattigkeitskennzahl  Prüf-Nr.: 12-3-0001");
    EXPECT_EQ(d.Text(Dlg::kFirstClass + 7), "12.5/16");
    EXPECT_EQ(d.Text(Dlg::kFirstSlotWidth + 7), "8");
    EXPECT_EQ(d.Text(Dlg::kRequirement), "<= 15");
    EXPECT_EQ(Mark(d), 0);  // a requirement, but no index to judge yet
    d.SetText(Dlg::kFirstRi + 7, "500");
    EXPECT_EQ(Mark(d), 0);
    d.SetText(Dlg::kFirstMi + 7, "60");
    EXPECT_EQ(d.Text(Dlg::kFirstRi + 7), "500.0");
    EXPECT_EQ(d.Text(Dlg::kFirstFli + 7), "12.0");
    EXPECT_EQ(d.Text(Dlg::kM1), "500.0");
    EXPECT_EQ(d.Text(Dlg::kM2), "60.0");
    EXPECT_EQ(d.Text(Dlg::kIndex), "12");
    EXPECT_EQ(Mark(d), kMarkMet);
    d.SetText(Dlg::kRetained80, "10");
    d.SetText(Dlg::kPassing4, "5");
    EXPECT_EQ(d.Text(Dlg::kDiscarded), "15.0");
  }, IDOK);
  const std::string field4Before = records_[kWithRequirement]->GetField(4);
  EXPECT_TRUE(Open(kWithRequirement));

  EXPECT_EQ(view_.refreshes, 1);
  EXPECT_EQ(view_.refreshedRow, kWithRequirement);
  EXPECT_NE(view_.statusListAtRefresh.find("[VA_PLATT:8]"), std::string::npos);  // the row shows the new status
  EXPECT_EQ(view_.saves, 1);

  const RecordList disk = OnDisk();
  const CVersuch& r = *disk[kWithRequirement];
  EXPECT_EQ(r.GetField(23),
            "|@@@@@@@500.0@@@@@@|@@@@@@@60.0@@@@@@|@@@@@@@12.0@@@@@@|500.0|60.0|12|||15_LE|"
            "Plattigkeitskennzahl [%]:@@12@<= 15@2|10.0|5.0");
  EXPECT_EQ(r.GetTestStatusList(), "[VA_GRUND:1][VA_KORNF:0][VA_PLATT:8]");
  EXPECT_EQ(r.GetValue(10, 11), "12");
  EXPECT_EQ(r.GetValue(1, 6), GetTodayText());
  EXPECT_EQ(r.GetField(4), field4Before);  // this test's row lives in field 23
  // The other records are written back as they were.
  EXPECT_EQ(disk[kStored]->GetField(23), records_[kStored]->GetField(23));
}

TEST_F(EntryFrame, ReturnWithoutLeavingAnInputStoresAResultThatMatchesIt) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kFirstRi + 7, "500");
    d.SetText(Dlg::kFirstMi + 7, "60");
    EXPECT_EQ(d.Text(Dlg::kIndex), "12");
    // Typed, then Return: the field never loses the focus.
    d.dialog().Item<QLineEdit>(Dlg::kFirstMi + 7)->setText("90");
    EXPECT_EQ(d.Text(Dlg::kIndex), "12");
  }, IDOK);
  EXPECT_TRUE(Open(kWithRequirement));

  const RecordList disk = OnDisk();
  const CVersuch& r = *disk[kWithRequirement];
  EXPECT_EQ(r.GetValue(23, 2), "@@@@@@@90.0@@@@@@");
  EXPECT_EQ(r.GetValue(23, 3), "@@@@@@@18.0@@@@@@");
  EXPECT_EQ(r.GetValue(23, 6), "18");
  EXPECT_EQ(r.GetValue(23, 10), "Plattigkeitskennzahl [%]:@@18@<= 15@1");
  EXPECT_EQ(r.GetValue(10, 11), "18_*");
  EXPECT_NE(r.GetTestStatusList().find("[VA_PLATT:9]"), std::string::npos);
}

TEST_F(EntryFrame, CancelChangesNothing) {
  const std::string before = FileBytes();
  const std::string fieldsBefore = records_[kWithRequirement]->GetField(1) + records_[kWithRequirement]->GetField(29);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kFirstRi + 7, "500");
    d.SetText(Dlg::kFirstMi + 7, "60");
  }, IDCANCEL);
  EXPECT_FALSE(Open(kWithRequirement));
  EXPECT_EQ(view_.refreshes, 0);
  EXPECT_EQ(view_.saves, 0);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(records_[kWithRequirement]->GetField(1) + records_[kWithRequirement]->GetField(29), fieldsBefore);
  EXPECT_EQ(records_[kWithRequirement]->GetField(23), "");
}

TEST_F(EntryFrame, ReopensTheStoredValuesAndAnEmptiedTestLosesItsRow) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kM0), "1000.0");
    EXPECT_EQ(d.Text(Dlg::kFirstRi + 7), "500.0");
    EXPECT_EQ(d.Text(Dlg::kFirstMi + 7), "45.0");
    EXPECT_EQ(d.Text(Dlg::kFirstFli + 7), "9.0");
    EXPECT_EQ(d.Text(Dlg::kIndex), "9");
    EXPECT_EQ(d.Text(Dlg::kRequirement), "");  // the material has none now
    EXPECT_EQ(Mark(d), 0);
    d.SetText(Dlg::kFirstMi + 7, "");
    EXPECT_EQ(d.Text(Dlg::kM2), "");
    EXPECT_EQ(d.Text(Dlg::kIndex), "");
  }, IDOK);
  EXPECT_TRUE(Open(kStored));

  const RecordList disk = OnDisk();
  const CVersuch& r = *disk[kStored];
  EXPECT_EQ(r.GetValue(23, 6), "");
  EXPECT_EQ(r.GetValue(23, 9), "");
  EXPECT_EQ(r.GetValue(23, 10), "");  // the earlier row is gone
  EXPECT_EQ(r.GetValue(10, 11), "");
  EXPECT_EQ(r.GetTestStatusList(), "[VA_GRUND:1][VA_PLATT:0]");
}

TEST_F(EntryFrame, ReadOnlyOpeningCanOnlyBeCancelled) {
  SetEditAllowed(false);
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_FALSE(d.IsEnabled(IDOK));
    EXPECT_EQ(d.Text(Dlg::kIndex), "9");  // the stored values can be looked at
  }, IDCANCEL);
  EXPECT_FALSE(Open(kStored));
  EXPECT_EQ(view_.saves, 0);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(EntryFrame, NoCurrentRecordOpensNothing) {
  platform::TestUi ui;  // any dialog would fail the test
  EXPECT_FALSE(Open(-1));
  EXPECT_EQ(view_.saves, 0);
}

// A title's test-number part is in the program's language, as its name is.
TEST(EntryDialogTitle, TheTestNumberPartFollowsTheLanguage) {
  EXPECT_EQ(EntryDialogTitle("Kornform", "  ", "12-34-2501"), "Kornform  Prüf-Nr.: 12-34-2501");
  EnglishLanguage english;
  EXPECT_EQ(EntryDialogTitle("Grain shape", "  ", "12-34-2501"), "Grain shape  T[Prüf-Nr.]: 12-34-2501");
}

TEST(EntryTable, HasEveryPanelKeyOnceInPanelOrder) {
  const auto& list = TestEntryFieldList();
  ASSERT_EQ(list.size(), TestTypeKeys.size());
  for (size_t i = 0; i < list.size(); ++i) EXPECT_STREQ(list[i].key, TestTypeKeys[i]);
  const TestEntryFields* flakiness = FindTestEntryFields("VA_PLATT");
  ASSERT_NE(flakiness, nullptr);
  EXPECT_EQ(flakiness->resultField, 23);
  EXPECT_EQ(flakiness->statisticsPart, 11);
  EXPECT_EQ(FindTestEntryFields("VA_KRIST"), nullptr);  // a command key, not a panel key
}

TEST(EntryStore, StatusDerivedRowsAndStatisticsMarks) {
  struct Case {
    const char* status;
    const char* code;
    const char* statistics;
  };
  for (const Case& c : std::vector<Case>{
           {"8", "2", "7.5"}, {"9", "1", "7.5_*"}, {"1", " ", "7.5"}, {"0", "", "7.5"}, {"7", "", "7.5"}}) {
    EXPECT_EQ(ReportCodeForStatus(c.status), c.code) << c.status;
    EXPECT_EQ(MarkedStatisticsValue("7.5", c.status), c.statistics) << c.status;
    const std::string row = StatusReportRow("Wassergehalt [%]:", "7.5", "<= 8", c.status);
    EXPECT_EQ(row, *c.code ? std::string("Wassergehalt [%]:@@7.5@<= 8@") + c.code : "") << c.status;
  }
}

TEST(EntryStore, ResultTextFirstThenPartsStatusAndStatistics) {
  CVersuch record;
  record.SetField(10, "a|b");
  record.SetField(23, "old|old|old|old|old|old|old|old||9_LE|old row|1|2");
  TestEntryResult result;
  result.status = "9";
  result.resultText = "1|2";
  result.parts = {{23, 9, "5_LE"}, {23, 10, "row|with~bad$chars"}};
  result.statisticsValue = "2";
  StoreTestEntryResult(record, *FindTestEntryFields("VA_PLATT"), result);
  // The old parts beyond the result text are gone unless stored anew.
  EXPECT_EQ(record.GetField(23), "1|2||||||||5_LE|row#with#bad#chars");
  EXPECT_EQ(record.GetField(10), "a|b||||||||||2_*");
  EXPECT_EQ(record.GetTestStatusList(), "[VA_PLATT:9]");
}

TEST(StatusMarks, FacesInTheirColoursAndTheGreySquare) {
  struct Case {
    int id;
    QColor face;
  };
  for (const Case& c : std::vector<Case>{{kMarkMet, QColor(0, 200, 0)},
                                         {kMarkNotMet, QColor(230, 0, 0)},
                                         {kMarkRemark, QColor(255, 150, 0)},
                                         {kMarkNone, QColor(192, 192, 192)}}) {
    const QImage image = StatusMarkImage(c.id);
    ASSERT_EQ(image.size(), QSize(kStatusMarkSize, kStatusMarkSize)) << c.id;
    EXPECT_EQ(image.pixelColor(7, 2).rgb(), c.face.rgb()) << c.id;  // forehead
    if (c.id != kMarkNone) {
      EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << c.id;    // round: the corners stay clear
      EXPECT_LT(image.pixelColor(4, 4).lightness(), 60) << c.id;  // an eye
    }
  }
  EXPECT_TRUE(StatusMarkImage(143).isNull());

  // Smiling: the middle of the mouth lies below its ends; frowning: above.
  auto mouthMiddleRow = [](const QImage& image) {
    for (int y = kStatusMarkSize - 2; y > 7; --y)
      if (image.pixelColor(7, y).lightness() < 60) return y;
    return -1;
  };
  EXPECT_GT(mouthMiddleRow(StatusMarkImage(kMarkMet)), mouthMiddleRow(StatusMarkImage(kMarkNotMet)));

  CStatusMark mark;
  for (auto [status, shown] : std::vector<std::pair<int, int>>{{1, kMarkMet}, {2, kMarkNotMet}, {7, kMarkRemark},
                                                               {0, 0}, {-1, 0}}) {
    mark.SetStatus(status);
    EXPECT_EQ(mark.MarkShown(), shown) << status;
    EXPECT_EQ(mark.pixmap().isNull(), shown == 0) << status;
  }
}

}  // namespace
