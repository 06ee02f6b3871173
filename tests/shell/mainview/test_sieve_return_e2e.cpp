// The way back from the sieve program end to end: the program started on a
// demo installation, the sieve analysis of a record handed to stub "gradix"
// scripts through the panel, and what each stub leaves behind: new sieve
// values in the right record (the list sorted meanwhile), or, for a stub
// that changes nothing, damages the file, answers for another record or is
// killed, a message with the path and "data.db" as it was. After each the
// title is the normal one and the panel opens dialogs again.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "platform/files.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/recordsort.h"
#include "support/demo_program.h"

namespace {

namespace fs = std::filesystem;
using platform::IDOK;

constexpr char kAggregate[] = "12-34-2503";
constexpr char kArmourstone[] = "12-34-2528";  // no sieve tower

class SieveProgramReturn : public DemoProgramTest {
 protected:
  void SetUp() override {
    DemoProgramTest::SetUp();
    title_ = frame_->windowTitle().toStdString();
  }
  std::filesystem::path handOff() const { return data() / "sieb.tmp"; }

  // A click on the panel's key, as the user gives it.
  void ClickPanel(const char* key, bool withAlt = false) {
    view_->OnLbnSelChangeTestTypePanel(view_->panel()->ItemOfKey(key), withAlt);
  }
  void StubSieveProgram(const std::string& body) { WriteScript(program_ / "gradix", body); }
  void StartOn(const std::string& number) {
    Click(number);
    ClickPanel("VA_SIEBL");
    ASSERT_TRUE(app_.SieveProgramActive);
    EXPECT_EQ(frame_->windowTitle().toStdString(), "Pravik (inactive)");
  }
  // Waits for the end of the sieve program and its message; then the title
  // is back and the panel opens dialogs.
  void AwaitTheEnd() {
    ASSERT_TRUE(SpinUntil([this] { return !app_.SieveProgramActive && ui_.pending() == 0; }));
    EXPECT_EQ(frame_->windowTitle().toStdString(), title_);
    ui_.ExpectDialog(524, platform::IDCANCEL);
    ClickPanel("VA_GRUND");
    ui_.VerifyAllShown();
  }

  std::string title_;
};

TEST_F(SieveProgramReturn, ChangedSieveValuesReachTheRightRecordAfterSorting) {
  RecordList before;
  ASSERT_TRUE(LoadRecordFile(before, data()));
  const fs::path go = program_ / "go";
  StubSieveProgram("while [ ! -e '" + go.string() + "' ]; do sleep 0.05; done\n"
                   "sed -i -e 's/^03~.*/03~0|99.9;88.8;0.5|45;31.5;< 31.5|NEU/' "
                   "-e 's/^07~\\([^|]*\\)|\\([^|]*\\)|[^|]*/07~\\1|\\2|1/' "
                   "-e 's/\\[VA_SIEBL:[0-9]\\]/[VA_SIEBL:9]/' "
                   "-e 's/^01~\\([^|]*\\)|/01~GEAENDERT|/' \"$1\"\n"
                   // the sample mass, field 18 part 2
                   "awk 'BEGIN { FS = OFS = \"|\" } { sub(/\\r$/, \"\"); if ($0 ~ /^18~/) $3 = \"7777.7\"; "
                   "print $0 \"\\r\" }' \"$1\" > \"$1.new\" && mv \"$1.new\" \"$1\"");
  const int rowBefore = RowOf(kAggregate);
  StartOn(kAggregate);
  ASSERT_EQ(view_->model()->RecordAt(rowBefore)->GetValue(1, 0), kAggregate);
  // The list is sorted meanwhile: the record moves.
  view_->SetSortKey(kSortByColumn, kSortDescending + 0);  // by test number, descending
  const int rowAfterSorting = RowOf(kAggregate);
  ASSERT_NE(rowAfterSorting, rowBefore);
  Click("12-34-2501");
  std::ofstream(go) << "go";
  ASSERT_TRUE(SpinUntil([this] { return !app_.SieveProgramActive; }));
  EXPECT_EQ(frame_->windowTitle().toStdString(), title_);

  RecordList after;
  ASSERT_TRUE(LoadRecordFile(after, data()));
  ASSERT_EQ(after.size(), before.size());
  // The file is written in the list's new order: records are matched by id.
  std::map<std::string, const CVersuch*> byId;
  for (const auto& record : after) byId[record->GetField(0)] = record.get();
  ASSERT_EQ(byId.size(), after.size());
  for (const auto& old : before) {
    const CVersuch& was = *old;
    ASSERT_TRUE(byId.count(was.GetField(0)));
    const CVersuch& now = *byId[was.GetField(0)];
    if (was.GetValue(1, 0) != kAggregate) {
      for (int field = 0; field < CVersuch::kFieldCount; ++field)
        EXPECT_EQ(now.GetField(field), was.GetField(field)) << was.GetValue(1, 0) << " field " << field;
      continue;
    }
    EXPECT_EQ(now.GetField(3), "0|99.9;88.8;0.5|45;31.5;< 31.5|NEU");
    EXPECT_EQ(now.GetValue(7, 2), "1");
    EXPECT_EQ(now.GetValue(18, 2), "7777.7");
    EXPECT_EQ(StrGetField(now.GetField(18), '|', 0), StrGetField(was.GetField(18), '|', 0));
    EXPECT_NE(now.GetTestStatusList().find("[VA_SIEBL:9]"), std::string::npos);
    EXPECT_EQ(now.GetValue(1, 0), kAggregate);  // the basic data are not the sieve program's
    EXPECT_EQ(now.GetValue(1, 6), GetTodayText());
    CVersuch expected = was;
    expected.SetValue(1, 6, GetTodayText());
    EXPECT_EQ(now.GetField(1), expected.GetField(1));
    for (int field : {0, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 31, 32})
      EXPECT_EQ(now.GetField(field), was.GetField(field)) << "field " << field;
  }
  // The row shows the new values: the sieving mode, the status and the date of change.
  const int row = RowOf(kAggregate);
  EXPECT_EQ(row, rowAfterSorting);
  EXPECT_EQ(view_->model()->data(view_->model()->index(row, kListColumnCount - 1)).toString().toStdString(),
            SievingModeWord(2));
  EXPECT_EQ(StrGetField(view_->model()->RecordAt(row)->GetField(30), '|', 15), FormatStoredDate(GetTodayText()));
  ui_.ExpectDialog(524, platform::IDCANCEL);
  ClickPanel("VA_GRUND");
  ui_.VerifyAllShown();
}

TEST_F(SieveProgramReturn, NothingUsableComingBackLeavesDataDbAsItWas) {
  const fs::path pid = program_ / "pid";
  struct Case {
    const char* name;
    std::string stub;
    const char* message;
    unsigned icon;
    bool kill;
  };
  const Case cases[] = {
      {"no change", "exit 0", "keine Siebwerte geändert", platform::MB_ICONINFORMATION, false},
      {"a damaged file", "head -n 32 \"$1\" > \"$1.x\" && mv \"$1.x\" \"$1\"", "beschädigt",
       platform::MB_ICONWARNING, false},
      {"an empty file", ": > \"$1\"", "beschädigt", platform::MB_ICONWARNING, false},
      {"another record's id", "sed -i -e 's/^00~.*/00~99-99-000000000000/' -e 's/^03~.*/03~x/' \"$1\"",
       "99-99-000000000000", platform::MB_ICONWARNING, false},
      {"killed", "echo $$ > '" + pid.string() + "'\nexec sleep 60", "keine Siebwerte geändert",
       platform::MB_ICONINFORMATION, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(pid);
    StubSieveProgram(c.stub);
    const std::string before = DataDb();
    const size_t shown = ui_.shown().size();
    ui_.ExpectMessageBox(IDOK, handOff().string());
    StartOn(kAggregate);
    if (c.kill) {
      ASSERT_TRUE(SpinUntil([&] { return fs::exists(pid) && fs::file_size(pid) > 0; }));
      ::kill(std::stoi(platform::ReadFileBytes(pid).value_or("0")), SIGKILL);
    }
    AwaitTheEnd();
    ASSERT_GT(ui_.shown().size(), shown);
    const platform::ShownUi& box = ui_.shown()[shown];
    EXPECT_NE(box.text.find(c.message), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Es wurden keine Siebwerte übernommen."), std::string::npos);
    EXPECT_EQ(box.flags & platform::MB_ICONMASK, c.icon);
    EXPECT_EQ(DataDb(), before);
  }
}

TEST_F(SieveProgramReturn, ViewModeOnARecordWithoutSieveTowerStartsNothing) {
  const fs::path started = program_ / "started";
  StubSieveProgram("touch '" + started.string() + "'");
  fs::remove(handOff());
  Click(kArmourstone);
  ASSERT_FALSE(view_->model()->RecordAt(RowOf(kArmourstone))->HasTestType("VA_SIEBL"));
  ClickPanel("VA_SIEBL", true);
  EXPECT_FALSE(app_.SieveProgramActive);
  EXPECT_FALSE(fs::exists(handOff()));
  for (int i = 0; i < 20; ++i) {  // a started program would have touched its file by now
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(fs::exists(started));
  EXPECT_EQ(frame_->windowTitle().toStdString(), title_);
}

}  // namespace
