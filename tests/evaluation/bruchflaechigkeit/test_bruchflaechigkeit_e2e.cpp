// The crushed surfaces end to end on the program's own main view: the
// records of a fixture data folder in the view's list, a row selected, the
// test's key clicked, the dialog filled through the scripted seam, and
// "data.db" read back from disk.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/bruchflaechigkeit/bruchflaechigkeitdlg.h"
#include "evaluation/frame/entry_on_main_view.h"
#include "shell/mainview/form1view_panel.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CGeo_b_BruchflaechigkeitDlg;

namespace {

const char* const kNumber = "12-3-0301";  // a 4/16 aggregate tested in the classes 8/16 and 4/8

class CrushedSurfacesOnMainView : public EntryOnMainView {
 protected:
  CrushedSurfacesOnMainView() : EntryOnMainView("bruchflaechigkeit") {}
  void SetUp() override {
    EntryOnMainView::SetUp();
    Select(kNumber);
    ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  }
  // The panel button of the test.
  void ClickKey() { view_->OpenTestOfKey("VA_BRUCH"); }
};

TEST_F(CrushedSurfacesOnMainView, TwoSizeClassesStoredFromTheLastInput) {
  EXPECT_EQ(view_->panel()->state().StatusCode("VA_BRUCH"), 0);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kModeCombo), "mit mehreren Kornklassen");
    EXPECT_EQ(d.Text(Dlg::kFirstName), "8/16");
    d.SetText(Dlg::kFirstM1, "1450");
    d.SetText(Dlg::MassId(0, kMtc), "620");
    d.SetText(Dlg::MassId(0, kMpc), "120");
    d.SetText(Dlg::MassId(0, kMop), "40");
    d.SetText(Dlg::MassId(0, kMtr), "20");
    d.SetText(Dlg::kFirstEinwaage, "800");
    d.SetText(Dlg::kFirstM1 + 1, "1200");
    d.SetText(Dlg::MassId(1, kMtc), "180");
    d.SetText(Dlg::MassId(1, kMpc), "40");
    d.SetText(Dlg::MassId(1, kMop), "20");
    d.SetText(Dlg::MassId(1, kMtr), "10");
    // The last input typed and Return pressed in it: no focus change.
    d.dialog().SetItemText(Dlg::kFirstEinwaage + 1, "252");
    EXPECT_EQ(d.Text(Dlg::kFirstAbweich + 1), "");
  }, IDOK);
  ClickKey();
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk(kNumber);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->GetValue(20, 19), "2");
  EXPECT_EQ(r->GetValue(20, 18), "8/16@4/8@@@@@@@@@");
  EXPECT_EQ(r->GetValue(20, 15), "620.0@180.0@@@@@@@@@800.0@");
  EXPECT_EQ(r->GetValue(20, 17), "800@252@@@@@@@@@");
  // The deviation of the last row comes from the Einwaage typed last.
  EXPECT_EQ(r->GetValue(20, 21), "250.0@10.0@4.0@20.0@8.0@40.0@16.0@180.0@72.0@96.0@88.0@252@0.79@1200.0@");
  for (auto [part, text] : {std::pair{31, "3"}, {32, "15"}, {33, "75"}, {34, "90"}, {35, "6"}, {36, "96"},
                            {42, "2650.0"}, {43, "1052.0"}})
    EXPECT_EQ(r->GetValue(20, part), text) << part;
  EXPECT_EQ(r->GetValue(20, 3), "1");  // Mtr <= 3
  EXPECT_EQ(r->GetValue(20, 7), "1");  // > 50 % >= 90
  EXPECT_EQ(r->GetValue(10, 13), "90@3@75@15@6");
  EXPECT_NE(r->GetTestStatusList().find("[VA_BRUCH:8]"), std::string::npos);
  EXPECT_EQ(r->GetValue(1, 6), GetTodayText());
  EXPECT_EQ(view_->panel()->state().StatusCode("VA_BRUCH"), 8);
}

TEST_F(CrushedSurfacesOnMainView, CancelLeavesTheFileAlone) {
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kFirstM1, "1450");
    d.SetText(Dlg::MassId(0, kMtc), "620");
  }, IDCANCEL);
  ClickKey();
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetField(20), "");
}

TEST_F(CrushedSurfacesOnMainView, RunningSieveProgramWarnsAndOpensNothing) {
  app_.SieveProgramActive = true;
  const std::string before = FileBytes();
  platform::TestUi ui;  // a dialog would fail the test
  ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
  ClickKey();
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONWARNING, platform::MB_ICONWARNING);
  EXPECT_EQ(FileBytes(), before);
}

}  // namespace
