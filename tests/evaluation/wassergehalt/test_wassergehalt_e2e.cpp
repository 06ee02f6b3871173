// The water content end to end on the program's own main view: a fixture
// record chosen in the list, the test opened from the panel, both masses
// typed, Enter pressed in the last field, and "data.db" read back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>

#include "evaluation/frame/entry_on_main_view.h"
#include "evaluation/wassergehalt/wassergehaltdlg.h"
#include "shell/mainview/form1view_panel.h"
#include "support/record_values.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CWassergehaltDlg;

namespace {

class WaterContentOnMainView : public EntryOnMainView {
 protected:
  WaterContentOnMainView() : EntryOnMainView("sidetests") {}
};

TEST_F(WaterContentOnMainView, EnterInTheLastFieldStoresEverythingInOneSave) {
  Select("12-3-0101");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kWet, "1264,8");
    // The dry mass typed and confirmed with Enter, without leaving the field.
    d.dialog().show();
    QLineEdit* dry = d.dialog().Item<QLineEdit>(Dlg::kDry);
    dry->setFocus();
    dry->setText("1198.3");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(dry, &enter);
    EXPECT_TRUE(d.dialog().ended());
  }, IDOK);
  view_->OpenTestOfKey("VA_WASSERG");
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk("12-3-0101");
  ASSERT_NE(r, nullptr);
  ExpectValues(*r, {
      {17, 0, "5.5"},
      {17, 1, "6_LE"},
      {17, 3, "Wassergehalt [%]:@@5.5@<= 6@2"},
      {17, 4, "1264.8"},
      {17, 5, "1198.3"},
      {10, 14, "5.5"},
  });
  EXPECT_NE(r->GetTestStatusList().find("[VA_WASSERG:8]"), std::string::npos);
  EXPECT_EQ(r->GetValue(1, 6), GetTodayText());
}

TEST_F(WaterContentOnMainView, CancelOnAnOldRecordChangesNothingOnDisk) {
  Select("12-3-0102");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kWater), "5.3");
    d.SetText(Dlg::kWet, "120");
  }, IDCANCEL);
  view_->OpenTestOfKey("VA_WASSERG");
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetField(17), "5.0|6_LE");
}

}  // namespace
