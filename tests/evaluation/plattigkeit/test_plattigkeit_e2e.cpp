// The flakiness test end to end on the program's own main view: the records
// of a fixture data folder loaded by the document into the view's list, one
// row selected, the opener's course run on the view, the dialog filled
// through the scripted seam, and "data.db" read back from disk.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/entry_on_main_view.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "shell/mainview/form1view_panel.h"
#include "support/record_values.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CPlattigkeitDlg;

namespace {

class FlakinessOnMainView : public EntryOnMainView {
 protected:
  FlakinessOnMainView() : EntryOnMainView("datafolder") {}
  // What the view's flakiness opener runs.
  void OpenFlakiness() { view_->OpenTestOfKey("VA_PLATT"); }
};

TEST_F(FlakinessOnMainView, OkStoresAndSavesTheSelectedRecord) {
  Select("12-3-0001");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  const PanelState& panel = view_->panel()->state();
  EXPECT_EQ(panel.StatusCode("VA_PLATT"), 0);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    // The title carries the test number as the other tests' titles do.
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Plattigkeitskennzahl  Prüf-Nr.: 12-3-0001");
    TypeTexts(d, {
        {Dlg::kM0, "1000"},
        {Dlg::kFirstRi + 7, "500"},
        {Dlg::kFirstMi + 7, "60"},
        {Dlg::kFirstRi + 8, "480"},
        {Dlg::kFirstMi + 8, "57,6"},
        {Dlg::kRetained80, "10"},
        {Dlg::kPassing4, "5"},
    });
    EXPECT_EQ(d.Text(Dlg::kIndex), "12");
    EXPECT_EQ(d.Text(Dlg::kLossCheck), "0.5");
  }, IDOK);
  OpenFlakiness();
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk("12-3-0001");
  ASSERT_NE(r, nullptr);
  ExpectValues(*r, {
      {23, 0, "1000.0"},
      {23, 6, "12"},
      {23, 7, "0.5"},
      {23, 9, "15_LE"},
      {23, 10, "Plattigkeitskennzahl [%]:@@12@<= 15@2"},
      {23, 11, "10.0"},
      {23, 12, "5.0"},
  });
  EXPECT_NE(r->GetTestStatusList().find("[VA_PLATT:8]"), std::string::npos);
  EXPECT_EQ(panel.StatusCode("VA_PLATT"), 8);  // the panel's mark at once
  EXPECT_EQ(r->GetValue(10, 11), "12");
  EXPECT_EQ(r->GetValue(1, 6), GetTodayText());
  // The row in the list shows the record as stored.
  const CVersuch* shown = view_->GetCurrentRecord();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetField(30), r->GetField(30));
}

TEST_F(FlakinessOnMainView, PanelShowsTheStoredMarkWhenTheFocusLeftTheSelectedRow) {
  Select("12-3-0001");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  // Ctrl with an arrow key: the focus moves on, the selection stays.
  const int selected = view_->list()->selectionModel()->currentIndex().row();
  const int other = selected == 0 ? 1 : 0;
  view_->list()->selectionModel()->setCurrentIndex(view_->model()->index(other, 0), QItemSelectionModel::NoUpdate);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kM0, "1000");
    d.SetText(Dlg::kFirstRi + 7, "500");
    d.SetText(Dlg::kFirstMi + 7, "60");
    d.SetText(Dlg::kRetained80, "10");
    d.SetText(Dlg::kPassing4, "5");
  }, IDOK);
  OpenFlakiness();
  ui.VerifyAllShown();
  EXPECT_NE(view_->model()->RecordAt(selected)->GetTestStatusList().find("[VA_PLATT:"), std::string::npos);
  EXPECT_NE(view_->panel()->state().StatusCode("VA_PLATT"), 0);
}

TEST_F(FlakinessOnMainView, CancelLeavesTheFileAlone) {
  Select("12-3-0002");
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kIndex), "9");
    d.SetText(Dlg::kFirstMi + 7, "100");
  }, IDCANCEL);
  OpenFlakiness();
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetValue(23, 6), "9");
}

TEST_F(FlakinessOnMainView, RunningSieveProgramWarnsAndOpensNothing) {
  Select("12-3-0001");
  app_.SieveProgramActive = true;
  const std::string before = FileBytes();
  platform::TestUi ui;  // a dialog would fail the test
  ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
  OpenFlakiness();
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONWARNING, platform::MB_ICONWARNING);
  EXPECT_EQ(FileBytes(), before);
}

}  // namespace
