// The armourstone test end to end on the program's own main view: a record
// with "VA_WBS" and an empty field 26 selected, its panel key clicked, the
// chooser and the sheets filled through the scripted seam as a user would,
// and "data.db" read back from disk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "controls/grid/grid_support.h"
#include "controls/grid/pvgridctrl.h"
#include "evaluation/frame/entry_on_main_view.h"
#include "evaluation/wasserbausteine/wbsdlg01.h"
#include "evaluation/wasserbausteine/wbsdlg02.h"
#include "evaluation/wasserbausteine/wbsverzweigungdlg.h"
#include "records/strutil.h"
#include "shell/mainview/form1view_panel.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Chooser = CWBSVerzweigungDlg;
using Size = CWBS1PropPage1;
using Shape = CWBS1PropPageSt;
using Mass = CWBS2PropPage1;

namespace {

class ArmourstoneOnMainView : public EntryOnMainView {
 protected:
  ArmourstoneOnMainView() : EntryOnMainView("armourstone") {}

  // Selects the record and clicks the key of the test on the panel (with Alt held when asked).
  void ClickKey(const std::string& number, bool alt = false) {
    Select(number);
    ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
    CButtonListbox* panel = view_->panel();
    const int item = panel->ItemOfKey("VA_WBS");
    ASSERT_GE(item, 0);
    const QPointF at = panel->ItemRect(item).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, panel->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      alt ? Qt::AltModifier : Qt::NoModifier);
    QApplication::sendEvent(panel, &press);
  }
  std::string Field26(const std::string& number) {
    const CVersuch* r = OnDisk(number);
    return r ? r->GetField(26) : "<no record>";
  }
  std::string Status(const std::string& number) {
    const CVersuch* r = OnDisk(number);
    return r ? r->GetTestStatusList() : "<no record>";
  }
};

// The hand-computed sieving of "CP 45/125" typed into the data page.
void TypeSieving(DialogDriver& d) {
  d.Select(Size::kCategory, "CP 45/125");
  const std::pair<int, const char*> residues[] = {{3, "0"},     {4, "130,5"}, {5, "310.6"}, {6, "452.8"},
                                                  {7, "228.4"}, {8, "61.7"},  {9, "18.9"},  {10, "6.2"}};
  for (const auto& [row, mass] : residues) d.SetText(Size::kFirstResidue + row, mass);
}

// Types stones into the stone grid as a user: length, Tab, thickness, Enter.
void TypeStones(CPvGridCtrl& grid, std::initializer_list<std::pair<const char*, const char*>> stones, int firstRow) {
  gridtest::UserOf(grid).TypePairs(firstRow, 1, stones);
}

TEST_F(ArmourstoneOnMainView, SizeDistributionChosenFilledAndConfirmed) {
  platform::TestUi ui;
  ui.ExpectDialog(Chooser::kTemplateId, {}, Chooser::kGroessenverteilung);
  ui.ExpectDialog(CWBSDlg01::kSheetId, [](DialogDriver& d) {
    auto& sheet = static_cast<CWBSDlg01&>(d.dialog());
    EXPECT_EQ(sheet.windowTitle().toStdString(), "Größenverteilung von Wasserbausteinen  Prüf-Nr.: 23-1-0001");
    TypeSieving(d);
    EXPECT_EQ(d.Text(Size::kTotal), "1209.1");
    EXPECT_EQ(d.Text(Size::kFirstPassing + 4), "89");
    EXPECT_EQ(d.Text(Size::kFirstRange + 4), "90-100");
    EXPECT_FALSE(d.IsEnabled(Size::kFirstResidue + 1));  // 360 mm is above the category

    sheet.show();
    QApplication::setActiveWindow(&sheet);
    sheet.SetActivePage(1);
    CPvGridCtrl& grid = *sheet.m_StonePage.Grid();
    d.Select(Shape::kShapeCategory, "LT A");
    TypeStones(grid, {{"71", "21"}, {"62", "31"}}, Shape::kFirstStoneRow);
    // The third stone stays in the cell editor when OK is pressed.
    gridtest::UserOf user(grid);
    user.Click(user.At(Shape::kFirstStoneRow + 2, 1));
    user.Type("53");
    user.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    user.Type("25");
    EXPECT_NE(grid.InPlaceEdit(), nullptr);
  }, IDOK);
  ClickKey("23-1-0001");
  ui.VerifyAllShown();

  const std::string field = Field26("23-1-0001");
  EXPECT_EQ(StrGetField(field, '|', 0), "1");
  EXPECT_EQ(StrGetField(field, '|', 1), "@@0.0@130.5@310.6@452.8@228.4@61.7@18.9@6.2@@");
  EXPECT_EQ(StrGetField(field, '|', 2), "CP 45/125");
  EXPECT_EQ(StrGetField(field, '|', 3), "20@0@LT A@");
  EXPECT_EQ(StrGetField(field, '|', 7), "LT A@3@1@33.3@20@0@");
  EXPECT_EQ(StrGetField(field, '|', 13), "@@@100@89@64@26@7@2@1@0");
  EXPECT_EQ(StrGetField(field, '|', 14), "1209.1");
  EXPECT_EQ(StrGetField(field, '|', 18), "ja ja ja nein ja ");
  EXPECT_EQ(StrGetField(StrGetField(field, '|', 5), '@', 2), "53.0");
  EXPECT_EQ(StrGetField(StrGetField(field, '|', 19), '@', 0), "3.4");
  EXPECT_NE(Status("23-1-0001").find("[VA_WBS:9]"), std::string::npos);
}

TEST_F(ArmourstoneOnMainView, CancelAfterChangesLeavesTheFileAlone) {
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Chooser::kTemplateId, {}, Chooser::kGroessenverteilung);
  ui.ExpectDialog(CWBSDlg01::kSheetId, [](DialogDriver& d) {
    TypeSieving(d);
    static_cast<CWBSDlg01&>(d.dialog()).SetActivePage(2);  // the pages store into the sheet's copy
  }, IDCANCEL);
  ClickKey("23-1-0001");
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetField(26), "");

  // Choosing nothing opens no sheet.
  platform::TestUi none;
  none.ExpectDialog(Chooser::kTemplateId, IDCANCEL);
  ClickKey("23-1-0001");
  none.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(ArmourstoneOnMainView, AltOnARecordWithoutTheTestWritesNothing) {
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Chooser::kTemplateId, [](DialogDriver& d) {
    // Opened for looking only: no choice leads on.
    EXPECT_FALSE(d.IsEnabled(Chooser::kGroessenverteilung));
    EXPECT_FALSE(d.IsEnabled(Chooser::kMassenverteilung));
  }, IDCANCEL);
  ClickKey("23-1-0002", true);
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(Status("23-1-0002").find("[VA_WBS"), std::string::npos);
  EXPECT_EQ(Field26("23-1-0002"), "");
}

TEST_F(ArmourstoneOnMainView, MassDistributionAppliedThenCancelled) {
  platform::TestUi ui;
  ui.ExpectDialog(Chooser::kTemplateId, {}, Chooser::kMassenverteilung);
  ui.ExpectDialog(CWBSDlg02::kSheetId, [this](DialogDriver& d) {
    // A new weighing starts without a category.
    EXPECT_EQ(d.Text(Mass::kCategory), "");
    d.Select(Mass::kCategory, "LMA 10/60");
    d.SetText(Mass::kFirstMass, "12,5");
    d.SetText(Mass::kFirstMass + 1, "48");
    d.SetText(Mass::kFirstLength + 1, "60");
    d.SetText(Mass::kFirstThickness + 1, "30");
    EXPECT_TRUE(d.IsEnabled(ID_APPLY_NOW));
    d.Click(ID_APPLY_NOW);
    EXPECT_NE(Field26("23-1-0001").find("|LMA 10/60|0|0.00|"), std::string::npos);
    EXPECT_NE(Status("23-1-0001").find("[VA_WBS:8]"), std::string::npos);
    // What follows Apply and is cancelled is not stored.
    d.SetText(Mass::kFirstMass + 2, "30");
  }, IDCANCEL);
  ClickKey("23-1-0001");
  ui.VerifyAllShown();
  const std::string field = Field26("23-1-0001");
  EXPECT_EQ(StrGetField(field, '|', 0), "2");
  EXPECT_EQ(StrGetField(StrGetField(field, '|', 1), '@', 1), "48.00");
  EXPECT_EQ(StrGetField(StrGetField(field, '|', 1), '@', 2), "");

  // Opened again: the mass distribution directly, with what was applied.
  platform::TestUi again;
  again.ExpectDialog(CWBSDlg02::kSheetId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Mass::kCategory), "LMA 10/60");
    EXPECT_EQ(d.Text(Mass::kFirstMass + 1), "48.00");
  }, IDCANCEL);
  const std::string before = FileBytes();
  ClickKey("23-1-0001");
  again.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
}

}  // namespace
