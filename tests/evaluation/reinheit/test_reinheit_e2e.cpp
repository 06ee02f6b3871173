// The purity of track ballast end to end on the program's own main view: a
// fixture track-ballast record chosen in the list, the test opened from the
// panel, the masses typed, Enter pressed in the last field, and "data.db"
// read back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>

#include "evaluation/frame/entry_on_main_view.h"
#include "evaluation/reinheit/reinheitgsdlg.h"
#include "shell/mainview/form1view_panel.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CReinheitGSDlg;

namespace {

class PurityOnMainView : public EntryOnMainView {
 protected:
  PurityOnMainView() : EntryOnMainView("ballast") {}
};

TEST_F(PurityOnMainView, EnterInTheLastFieldStoresTheFieldAndTheStatus) {
  Select("12-3-0501");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  EXPECT_EQ(view_->panel()->state().StatusCode("VA_GS_REINHEIT"), 0);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    const char* masses[] = {"12", "18", "9", "4", "0", "2"};
    for (int row = 0; row < 6; ++row) d.SetText(Dlg::kFirstMass + row, masses[row]);
    // The seventh mass typed and confirmed with Enter, without leaving the field.
    d.dialog().show();
    QLineEdit* last = d.dialog().Item<QLineEdit>(Dlg::kFirstMass + 6);
    last->setFocus();
    last->setText("7");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(last, &enter);
    EXPECT_TRUE(d.dialog().ended());
  }, IDOK);
  view_->OpenTestOfKey("VA_GS_REINHEIT");
  ui.VerifyAllShown();

  const CVersuch* r = OnDisk("12-3-0501");
  ASSERT_NE(r, nullptr);
  // 52 g of 20000 g: 0.26 % <= 0.5.
  EXPECT_EQ(r->GetValue(14, 0), "1");
  EXPECT_EQ(r->GetValue(14, 1), "52.0");
  EXPECT_EQ(r->GetValue(14, 2), "0.3");
  EXPECT_EQ(r->GetValue(14, 10), "organische Verunreinigung");
  EXPECT_EQ(r->GetValue(14, 29), "7.0");
  EXPECT_EQ(r->GetValue(14, 30), "0.0");
  EXPECT_NE(r->GetTestStatusList().find("[VA_GS_REINHEIT:8]"), std::string::npos);
  EXPECT_EQ(r->GetValue(1, 6), GetTodayText());
  EXPECT_EQ(view_->panel()->state().StatusCode("VA_GS_REINHEIT"), 8);
}

TEST_F(PurityOnMainView, CancelChangesNothingOnDisk) {
  Select("12-3-0502");
  ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  const std::string before = FileBytes();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kFirstMass + 1), "40.0");
    d.SetText(Dlg::kFirstMass + 1, "400");
  }, IDCANCEL);
  view_->OpenTestOfKey("VA_GS_REINHEIT");
  ui.VerifyAllShown();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view_->GetCurrentRecord()->GetValue(14, 14), "40.0");
}

}  // namespace
