// The number fields of an entry dialog on the screen: leaving a refused
// field tells it once the focus has settled, leaving it for Cancel tells
// nothing, and a relation fault is told once while it lasts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/frame/entryform.h"
#include "platform/messagebox.h"
#include "records/strutil.h"
#include "services/appflags.h"

namespace {

// Two masses, the second never above the first.
class TwoMassesDlg : public CEntryDialog {
 public:
  enum : int { kWhole = 1001, kPart = 1002, kWholeLabel = 1101, kPartLabel = 1102 };
  TwoMassesDlg() : CEntryDialog(9990) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EntryLabel(this, kWholeLabel, "Ganzes [g]:"));
    layout->addWidget(MakeRowField(this, kWhole, false));
    layout->addWidget(EntryLabel(this, kPartLabel, "Teil [g]:"));
    layout->addWidget(MakeRowField(this, kPart, false));
    AddOkCancelRow(this, layout);
    RecomputeOnKillFocus({kWhole, kPart});
    NumberField(kWhole, {kWholeLabel});
    NumberField(kPart, {kPartLabel});
  }
  int computed = 0;

 protected:
  void Recompute() override { ++computed; }
  bool TakeResult() override { return true; }
  std::vector<FieldFault> FieldFaults() const override {
    const std::string whole = GetItemText(kWhole), part = GetItemText(kPart);
    if (whole.empty() || part.empty() || IsRefusedNumber(whole) || IsRefusedNumber(part)) return {};
    if (ParseNumber(part) > ParseNumber(whole)) return {{kPart, "Der Teil wiegt mehr als das Ganze."}};
    return {};
  }
};

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

TEST(InputChecksOnScreen, LeavingARefusedFieldTellsItOnceTheFocusHasSettled) {
  SetEditAllowed(true);
  platform::ScriptedMessageBoxes boxes;
  TwoMassesDlg dialog;
  dialog.InitDialog();
  dialog.show();
  dialog.activateWindow();
  Settle();
  if (!dialog.isActiveWindow()) GTEST_SKIP() << "the platform activates no window";
  QWidget* whole = dialog.GetDlgItem(TwoMassesDlg::kWhole);
  QWidget* part = dialog.GetDlgItem(TwoMassesDlg::kPart);

  // Leaving for Cancel says nothing: Cancel must stay possible.
  whole->setFocus();
  dialog.SetItemText(TwoMassesDlg::kWhole, "abc");
  dialog.GetDlgItem(platform::IDCANCEL)->setFocus();
  Settle();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(dialog.Checks().Refusal(TwoMassesDlg::kWhole).empty());

  // Leaving for another field tells it after the focus moved, then gives the focus back.
  whole->setFocus();
  part->setFocus();
  EXPECT_TRUE(boxes.shown().empty());
  Settle();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text.rfind("Ganzes [g]: Bitte eine Zahl eingeben.", 0), 0u) << boxes.shown()[0].text;
  EXPECT_EQ(dialog.GetItemText(TwoMassesDlg::kWhole), "abc");
  EXPECT_EQ(dialog.focusWidget(), whole);

  // A relation fault is told once, on its field, while it lasts.
  dialog.SetItemText(TwoMassesDlg::kWhole, "100");
  dialog.SetItemText(TwoMassesDlg::kPart, "120");
  part->setFocus();
  whole->setFocus();
  Settle();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, "Teil [g]: Der Teil wiegt mehr als das Ganze.");
  EXPECT_EQ(dialog.focusWidget(), part);
  whole->setFocus();
  part->setFocus();
  Settle();
  EXPECT_EQ(boxes.shown().size(), 2u);

  // OK tells it again and keeps the dialog open.
  dialog.accept();
  EXPECT_EQ(boxes.shown().size(), 3u);
  EXPECT_FALSE(dialog.ended());
  dialog.SetItemText(TwoMassesDlg::kPart, "80");
  dialog.accept();
  EXPECT_TRUE(dialog.ended());
  EXPECT_EQ(boxes.shown().size(), 3u);
}
