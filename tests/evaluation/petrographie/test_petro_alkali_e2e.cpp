// Petrography and alkali-sensitive constituents end to end on the program's
// own main view: the records of a fixture data folder loaded into the view's
// list, one row selected, its panel button clicked, the dialogs filled
// through the scripted seam, and "data.db" read back from disk.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <string>

#include "evaluation/alkali/alkalidlg.h"
#include "evaluation/frame/entry_on_main_view.h"
#include "evaluation/petrographie/petrographiedlg.h"
#include "evaluation/petrographie/petrotexteditdlg.h"
#include "platform/clipboard.h"
#include "records/strutil.h"
#include "shell/mainview/form1view_panel.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

class ConcreteTestsOnMainView : public EntryOnMainView {
 protected:
  ConcreteTestsOnMainView() : EntryOnMainView("concrete") {}

  // Selects the row of a test number, then clicks the panel button of the key.
  void OpenFromPanel(const std::string& testNumber, const std::string& key) {
    Select(testNumber);
    view_->EvaluateSelection();
    const int item = view_->panel()->ItemOfKey(key);
    ASSERT_GE(item, 0);
    ASSERT_TRUE(view_->panel()->IsKeyEnabled(item));
    view_->OnLbnSelChangeTestTypePanel(item);
  }
};

TEST_F(ConcreteTestsOnMainView, PetrographyOkStoresFieldStatusAndStatistics) {
  using Dlg = CPetrographieDlg;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&ui](DialogDriver& d) {
    const std::vector<std::pair<int, const char*>> masses = {
        {kPetroHarmless, "2904,5"}, {kPetroFlint, "71.8"}, {kPetroA1, "5.2"}, {kPetroA2, "6.1"},
        {kPetroA3, "2.3"},          {kPetroB, "9"},        {kPetroC, "0.3"}};
    for (const auto& [row, mass] : masses) d.SetText(Dlg::kFirstMass + row, mass);
    ui.ExpectDialog(CPetroTextEditDlg::kTemplateId,
                    [](DialogDriver& e) { e.SetText(CPetroTextEditDlg::kText, "Limonitkonkretionen\nbraun"); }, IDOK);
    d.Click(Dlg::kFirstTextButton + 3);
    EXPECT_EQ(d.Text(Dlg::kFirstShare + kPetroB), "0.30");
  }, IDOK);
  OpenFromPanel("12-3-0101", "VA_PETRO");
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk("12-3-0101");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->GetValue(21, 14), "Limonitkonkretionen#CRLF#braun#CRLF#");
  EXPECT_EQ(r->GetValue(21, 16), "2904.5");
  EXPECT_EQ(r->GetValue(21, 24), "2994.0");
  EXPECT_EQ(r->GetValue(21, 30), "0.45");
  EXPECT_EQ(r->GetValue(21, 47), "2");
  EXPECT_EQ(r->GetValue(21, 52), "");
  EXPECT_EQ(StrCountChar(r->GetField(21), '|'), 52);
  EXPECT_NE(r->GetTestStatusList().find("[VA_PETRO:9]"), std::string::npos);
  EXPECT_EQ(r->GetValue(10, 20), "97.01@2.40@0.17@0.20@0.08@0.45@0.30@0.01@_*");
  EXPECT_EQ(r->GetValue(1, 6), GetTodayText());
}

TEST_F(ConcreteTestsOnMainView, PetrographyCancelChangesNothingOnDisk) {
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(CPetrographieDlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(CPetrographieDlg::kFirstMass + kPetroHarmless, "1000");
  }, IDCANCEL);
  OpenFromPanel("12-3-0101", "VA_PETRO");
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetField(21), "");
}

TEST_F(ConcreteTestsOnMainView, AlkaliPastedCellsAreStoredRecomputed) {
  using Dlg = CAlkaliDlg;
  // Cells of the 54 flag cells as a spreadsheet row: classes 1/2 and 2/4 with
  // rows 0, 10, 11, 13, 14; classes 4/8 to > 32 with rows 0, 1, 3, 5, 7, 8, 9, 10, 11, 13, 14.
  const std::string line = std::string("\t\t\t50\t49.8\t\t\t\t100\t99.1\t") +
                           "\t985\t9\t6\t\t9.3\t5.4\t\t\t\t3.1\t" + "\t1940\t38\t22\t\t39.2\t22.4\t\t\t\t8.6\t" +
                           "\t2955\t30\t15\t\t30.9\t18\t\t\t\t9\t" + "\t\t\t\t\t\t\t\t\t\t\n";
  ASSERT_TRUE(platform::SetClipboardText(line));
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Select(Dlg::kGrainGroup1, "0");
    d.Select(Dlg::kGrainGroup2, "32");
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
    QCoreApplication::sendEvent(d.dialog().GetDlgItem(Dlg::CellId(2, 1)), &paste);
    EXPECT_EQ(d.Text(Dlg::kOverallOF), "E II-OF");
  }, IDOK);
  OpenFromPanel("12-3-0102", "VA_ALKALI");
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk("12-3-0102");
  ASSERT_NE(r, nullptr);
  const std::string data = r->GetAlkaliData();
  for (const char* pair : {"A0:11190.0|", "|AP6:25.9|", "|M014:49.80|", "|M211:2308|", "|M316:0.7|", "|M320:4.5|",
                           "|B11:X|", "|B34:X|", "|E_O:E II-O|E_OF:E II-OF|KG1:0|KG2:32|"})
    EXPECT_NE(data.find(pair), std::string::npos) << pair << " in " << data;
  EXPECT_NE(r->GetTestStatusList().find("[VA_ALKALI:8]"), std::string::npos);
  EXPECT_EQ(r->GetValue(10, 20), "");  // no statistics value
}

}  // namespace
