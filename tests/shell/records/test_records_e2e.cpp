// New record, duplicate, material reassignment, raw editor and material
// extraction end to end: the program started on a copy of the demo
// installation, driven through the scripted seam as a user would, and
// "data.db" read back from disk after the main window closed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <filesystem>
#include <string>

#include "controls/exlistctrl.h"
#include "controls/materiallistctrl.h"
#include "platform/commands.h"
#include "records/newrecord.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/records/debugdlg.h"
#include "shell/records/dublizierendlg.h"
#include "shell/records/neudlg.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace {

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDOK;
using Neu = CNeuDlg;

class RecordsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    ASSERT_TRUE(demo::MakeDemoInstallation(program_.path(), data()).ok);
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guard_.path();
  }
  void TearDown() override { QApplication::setQuitOnLastWindowClosed(true); }
  fs::path data() const { return program_ / "demo-data"; }

  int RowOf(const std::string& number) const {
    for (int row = 0; row < view_->model()->RecordCount(); ++row)
      if (view_->model()->RecordAt(row)->GetValue(1, 0) == number) return row;
    return -1;
  }
  bool InNumberOrder() const {
    std::vector<std::string> numbers;
    for (const CVersuch* record : view_->model()->Records()) numbers.push_back(record->GetValue(1, 0));
    return std::is_sorted(numbers.begin(), numbers.end());
  }
  // A click with the button on the row, as the mouse gives it.
  void ClickRow(int row, Qt::MouseButton button) {
    CExListCtrl* list = view_->list();
    const QPoint at = list->visualRect(view_->model()->index(row, 0)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  }
  const CVersuch* OnDisk(const std::string& number) {
    for (const auto& record : disk_)
      if (record->GetValue(1, 0) == number) return record.get();
    ADD_FAILURE() << "no record " << number << " in data.db";
    return nullptr;
  }

  TempFolder program_;
  TempFolder guard_;
  StartupOptions options_;
  CForm1View* view_ = nullptr;
  RecordList disk_;
};

TEST_F(RecordsEndToEnd, NewRecordDuplicateReassignmentAndRawEditReachDataDb) {
  std::string newId, copyId, curves;
  {
    platform::TestUi ui;
    ui.ExpectDialog(538, [](DialogDriver& d) { static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0); },
                    IDOK);  // the demo plant
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    view_ = startup.Frame()->view();
    platform::CommandTable& commands = startup.Frame()->commands();
    EXPECT_FALSE(commands.Update(9005));

    // 1003: a new record in its place by the list's order (test number),
    // selected instead of the focused row, saved at once.
    ClickRow(4, Qt::LeftButton);
    EXPECT_TRUE(commands.Update(9005));  // a row is selected
    ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.Text(Neu::kPrefix), "12-34-");
      d.SetText(Neu::kNumberEdit, "9001");
      d.Click(Neu::kDbChoice);
      d.Select(Neu::kDbList, "KG1 (0/32)");
    }, IDOK);
    view_->button(CForm1View::kNewRecordButton)->click();
    const int added = RowOf("12-34-9001");
    ASSERT_GE(added, 0);
    EXPECT_TRUE(InNumberOrder());
    EXPECT_EQ(view_->list()->SelectedRows(), (std::vector<int>{added}));
    EXPECT_EQ(view_->list()->FocusedRow(), added);
    {
      ASSERT_TRUE(LoadRecordFile(disk_, data()));
      const CVersuch* r = OnDisk("12-34-9001");
      ASSERT_NE(r, nullptr);
      newId = r->GetValue(0, 0);
      EXPECT_EQ(newId.size(), 6u + 12u);
      EXPECT_EQ(newId.substr(0, 6), "12-34-");
      EXPECT_EQ(r->GetValue(3, 2), "45;31.5;16;8;4;2;1;0.5;0.25;0.125;0.063;0.02;< 0.02");
      EXPECT_EQ(StrGetField(r->GetField(5), ';', 2), "KG1 (0/32)");
      EXPECT_EQ(StrGetField(r->GetField(5), ';', 8), "[SDM-DBDBDB-BK-0101]");
      EXPECT_EQ(r->GetField(6), "0.02;0.063;0.125;0.25;0.5;1;2;4;8;16;31.5;45|2");
      curves = r->GetDefaultSollkurven(false);
      EXPECT_EQ(r->GetField(11), curves);
      EXPECT_EQ(r->GetField(11).substr(0, 12), "{0.02;3;-1}{");
      EXPECT_EQ(StrGetToken(r->GetField(25), "{", "}", 1).substr(0, 30), "SDM-DBDBDB-BK-0101|KG1 (0/32)|");
      EXPECT_EQ(r->GetTestStatusList(), "[VA_GRUND:0][VA_SIEBL:0][VA_GS_KORNFORM:0]");
      EXPECT_EQ(StrGetField(r->GetField(30), '|', 0), "12-34-9001");
      EXPECT_EQ(StrGetField(r->GetField(30), '|', 4), "KG1 (0/32)");
    }

    // 9213 from the context menu of the new row: a copy in its place, right behind it.
    ui.ExpectPopupMenu(9213, [](const platform::PopupMenuRequest& menu) {
      ASSERT_EQ(menu.items.size(), 2u);
      EXPECT_EQ(menu.items[0].id, 9213);
      EXPECT_EQ(menu.items[1].id, 9216);
    });
    ui.ExpectDialog(CDublizierenDlg::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.Text(CDublizierenDlg::kPrefix), "12-34-");
      d.SetText(CDublizierenDlg::kNumberEdit, "9002");
    }, IDOK);
    ClickRow(added, Qt::RightButton);
    ASSERT_EQ(RowOf("12-34-9001"), added);
    ASSERT_EQ(RowOf("12-34-9002"), added + 1);
    EXPECT_EQ(view_->list()->FocusedRow(), added + 1);

    // 9216 on the new record: only definitions of its sieve tower.
    ui.ExpectPopupMenu(9216);
    ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
      auto& dlg = static_cast<CNeuDlg&>(d.dialog());
      EXPECT_TRUE(d.IsVisible(Neu::kDbList));  // a built-in material shows the built-in list
      int definitions = 0;
      for (CMaterialListCtrl* list : {dlg.definedList(), dlg.dbList()})
        for (int row = 0; row < list->GetItemCount(); ++row)
          if (const CMatDef* m = list->MatDefAt(row)) {
            ++definitions;
            EXPECT_EQ(MaterialSieveTower(*m), "0.02;0.063;0.125;0.25;0.5;1;2;4;8;16;31.5;45") << m->GetValue("ID");
          }
      EXPECT_EQ(definitions, 7);  // the plant's KG1 and the six built-in ones of the tower
      d.Select(Neu::kDbList, "KG1 (0/32) nach dem Zv.");
    }, IDOK);
    ClickRow(added, Qt::RightButton);

    // Scroll Lock in the list: the raw editor on the focused row (the copy).
    ClickRow(added + 1, Qt::LeftButton);
    ui.ExpectDialog(CDEBUGDlg::kTemplateId, [](DialogDriver& d) {
      std::string text = d.Text(CDEBUGDlg::kText);
      StrReplace(text, "12-34-9002|-1|-1|-1|1|", "12-34-9002|-1|-1|-1|0|", false);
      d.SetText(CDEBUGDlg::kText, text);
    }, IDOK);
    QKeyEvent scrollLock(QEvent::KeyPress, Qt::Key_ScrollLock, Qt::NoModifier);
    QApplication::sendEvent(view_->list(), &scrollLock);
    ui.VerifyAllShown();
    copyId = view_->model()->RecordAt(added + 1)->GetValue(0, 0);
    EXPECT_EQ(startup.ExitInstance(), 0);  // closing saves every record
  }

  disk_.clear();
  ASSERT_TRUE(LoadRecordFile(disk_, data()));
  EXPECT_EQ(disk_.size(), demo::MakeDemoRecords().size() + 2);  // the demo records, the new one and its copy
  const CVersuch* original = OnDisk("12-34-9001");
  const CVersuch* copy = OnDisk("12-34-9002");
  ASSERT_TRUE(original && copy);
  EXPECT_EQ(original->GetValue(0, 0), newId);
  EXPECT_EQ(StrGetField(original->GetField(5), ';', 8), "[SDM-DBDBDB-BK-0102]");
  EXPECT_EQ(StrGetToken(original->GetField(25), "{", "}", 1).substr(0, 19), "SDM-DBDBDB-BK-0102|");
  EXPECT_EQ(original->GetValue(18, 0), "KG1 (0/32) nach dem Zv.");
  EXPECT_EQ(original->GetTestStatusList(), "[VA_GRUND:0][VA_SIEBL:0][VA_GS_KORNFORM:0]");
  EXPECT_EQ(copy->GetValue(0, 0), copyId);
  EXPECT_NE(copyId, newId);
  EXPECT_EQ(copyId.substr(0, 6), "12-34-");
  EXPECT_EQ(StrGetField(copy->GetField(5), ';', 8), "[SDM-DBDBDB-BK-0101]");
  EXPECT_EQ(copy->GetField(11), curves);
  EXPECT_EQ(copy->GetValue(1, 4), "0");  // the raw editor's change
  EXPECT_EQ(copy->GetValue(1, 5), GetTodayText());
}

}  // namespace
