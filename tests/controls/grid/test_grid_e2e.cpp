// End to end: a small dialog with the stone table and a recent-entries combo
// run through the scripted seam as a user would: values typed and moved
// through with Enter, Tab and the arrows, copied and pasted, the owner
// recomputing the computed columns at every end of an edit and hearing of
// the first change once; on OK the combo's list goes into the profile.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/grid/grid_support.h"
#include "controls/grid/pvgridctrl.h"
#include "controls/recentcombobox.h"
#include "platform/clipboard.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "services/cpvdialog.h"
#include "services/pravikapp.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using gridtest::UserOf;
using platform::DialogDriver;
using platform::IDOK;

namespace {

// The stone table of the armourstone shape with its tester, as a dialog of
// the program would hold them.
class StoneTableDlg : public CpvDialog {
 public:
  StoneTableDlg() : CpvDialog(9101) {
    auto* layout = new QVBoxLayout(this);
    grid_ = new CPvGridCtrl(this);
    platform::SetControlId(grid_, 100);
    tester_ = new CRecentComboBox(this);
    platform::SetControlId(tester_, 1012);
    auto* ok = new QPushButton("OK", this);
    platform::SetControlId(ok, platform::IDOK);
    layout->addWidget(grid_);
    layout->addWidget(tester_);
    layout->addWidget(ok);
    resize(480, 420);
    grid_->SetOwner([this](const GridMessage& m) { return OnGridMessage(m); });
  }
  CPvGridCtrl* grid() { return grid_; }
  int modifiedMessages = 0;
  int recomputations = 0;

 protected:
  bool OnInitDialog() override {
    CpvDialog::OnInitDialog();
    gridtest::SetUpStoneTable(*grid_);
    tester_->FillRecentList(GetApp()->GetProfileString("comboeintraege", "geprueftdurch"));
    return true;
  }
  void OnOK() override {
    GetApp()->WriteProfileString("comboeintraege", "geprueftdurch", GetRecentList(tester_));
    EndDialog(IDOK);
  }

 private:
  int OnGridMessage(const GridMessage& m) {
    if (m.message == WM_GRID_MODIFIED) ++modifiedMessages;
    if (m.message == WM_NOTIFY && (m.code == LVN_ENDLABELEDIT || m.code == LVN_ITEMCHANGING) && m.row >= 2)
      EvaluateStone(m.row);
    return 0;
  }
  // Length to thickness; badly shaped above 3.
  void EvaluateStone(int row) {
    ++recomputations;
    const double length = grid_->GetCellNumber(row, 1, 1);
    const double thickness = grid_->GetCellNumber(row, 2, 1);
    const bool valid = length > 0 && thickness > 0;
    grid_->SetCellText(row, 3, valid ? FormatDouble(length / thickness, 1) : "");
    grid_->SetCellText(row, 4, valid ? (length / thickness > 3 ? "ja" : "nein") : "");
    grid_->InvalidateCellRect(row, 3);
    grid_->InvalidateCellRect(row, 4);
  }

  CPvGridCtrl* grid_;
  CRecentComboBox* tester_;
};

std::vector<std::string> Row(CPvGridCtrl& grid, int row) {
  std::vector<std::string> cells;
  for (int col = 1; col < 5; ++col) cells.push_back(grid.GetItemText(row, col));
  return cells;
}

}  // namespace

TEST(StoneTableEndToEnd, TypedMovedCopiedPastedAndTheTesterRemembered) {
  SetEditAllowed(true);
  TempFolder data;
  CPravikWinApp app;
  app.m_Settings.m_DataFolder = data.path();
  app.m_Settings.m_IniPath = data / "pravik.ini";
  app.WriteProfileString("comboeintraege", "geprueftdurch", "Huber|Kunz");

  StoneTableDlg dlg;
  platform::TestUi ui;
  ui.ExpectDialog(9101, [&](DialogDriver& d) {
    CPvGridCtrl& grid = *dlg.grid();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    UserOf user(grid);
    EXPECT_EQ(dlg.modifiedMessages, 0);  // filling the table is no change

    // Stone 1: length, Tab to the thickness, Enter.
    user.Click(user.At(2, 1));
    user.Type("12,5");
    user.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    user.Type("4");
    user.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"12.5", "4.0", "3.1", "ja"}));
    EXPECT_EQ(grid.InPlaceEdit(), nullptr);
    // Stone 2: down and left with the arrows, then Right inside the edit.
    user.Key(Qt::Key_Down);
    user.Key(Qt::Key_Left);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 1));
    user.Type("30");
    user.Key(Qt::Key_Right);
    user.Type("20");
    user.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Row(grid, 3), (std::vector<std::string>{"30.0", "20.0", "1.5", "nein"}));
    // The computed columns cannot be typed into.
    user.Key(Qt::Key_Right);
    user.Key(Qt::Key_Right);
    user.Type("9");
    EXPECT_EQ(grid.InPlaceEdit(), nullptr);
    EXPECT_EQ(grid.GetItemText(3, 3), "1.5");

    // Both stones copied and pasted as stones 4 and 5.
    user.Click(user.At(2, 1));
    user.Click(user.At(3, 2), Qt::ShiftModifier);
    user.Key(Qt::Key_C, Qt::ControlModifier, "\x03");
    EXPECT_EQ(platform::GetClipboardText(), "12.5\t4.0\r\n30.0\t20.0");
    user.Click(user.At(5, 1));
    user.Key(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(Row(grid, 5), Row(grid, 2));
    EXPECT_EQ(Row(grid, 6), Row(grid, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(5, 1, 6, 2));
    // Delete empties the stones again, and their results with them.
    user.Key(Qt::Key_Delete);
    EXPECT_EQ(Row(grid, 6), (std::vector<std::string>{"", "", "", ""}));

    EXPECT_EQ(dlg.modifiedMessages, 1);
    EXPECT_GT(dlg.recomputations, 8);
    d.SetText(1012, " Meier ");
  }, IDOK);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(app.GetProfileString("comboeintraege", "geprueftdurch"), "Meier|Huber|Kunz");
}
