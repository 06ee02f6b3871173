// The dialog base classes: translation when a window opens, the read-only
// opening that cannot be confirmed, control colours, the fixed font, the
// property sheet with its pages and the form view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

#include "../fixtures/dlgbase/ui_sample_dialog.h"
#include "fixtures/dlgbase/english_language.h"
#include "services/appflags.h"
#include "services/cpvdialog.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

// The sample dialog: fills the mass when it opens, takes it on OK.
class SampleDlg : public CpvDialog {
 public:
  explicit SampleDlg(QWidget* parent = nullptr) : CpvDialog(700, parent) { ui_.setupUi(this); }

  std::string mass = "12.5";
  std::string labelAtInit;  // the label text OnInitDialog found
  int oks = 0;

  // A button of the dialog's own that confirms, as some dialogs have.
  void ConfirmDirectly() { EndDialog(IDOK); }

 protected:
  bool OnInitDialog() override {
    CpvDialog::OnInitDialog();
    labelAtInit = GetItemText(1001);
    SetItemText(1002, mass);
    return true;
  }
  void OnOK() override {
    ++oks;
    mass = GetItemText(1002);
    EndDialog(IDOK);
  }

 private:
  Ui::SampleDialog ui_;
};

// Every test starts with editing allowed and ends so.
class DialogBase : public ::testing::Test {
 protected:
  void SetUp() override { SetEditAllowed(true); }
  void TearDown() override { SetEditAllowed(true); }
  EnglishLanguage english_;
};

void PressReturn(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace

TEST_F(DialogBase, TranslatesItsControlsByIdBeforeItsOwnInitialisation) {
  platform::TestUi ui;
  SampleDlg dialog;
  ui.ExpectDialog(700, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1001), "Sample mass");
    EXPECT_EQ(d.Text(1002), "12.5");  // data, not a template text
    EXPECT_EQ(d.Text(1003), "Washed");
    EXPECT_EQ(d.Text(1004), "Sieving (Körnung)");  // code page 1252 in the file
    EXPECT_EQ(d.Text(1005), "T[Körnung]");           // inside the group: missing, machine-translated
    EXPECT_EQ(d.Text(2), "Cancel");                  // the section shared by all dialogs
    EXPECT_EQ(d.Text(1000), "Tausend");              // ids up to 1000 stay
    EXPECT_EQ(d.Text(65535), "Hinweis");             // the static id stays
    EXPECT_EQ(d.Text(IDOK), "OK");
    d.SetText(1002, "13.0");
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Sample");
  EXPECT_EQ(dialog.labelAtInit, "Sample mass");
  EXPECT_EQ(dialog.mass, "13.0");
  EXPECT_NE(english_.FileBytes().find("IDC1005-de=K\xF6rnung\r\nIDC1005=T[K\xF6rnung]"), std::string::npos);
}

TEST_F(DialogBase, GermanLeavesTemplateTextsAndTheFileAlone) {
  SetCurrentLangCode("de");
  const std::string before = english_.FileBytes();
  platform::TestUi ui;
  SampleDlg dialog;
  ui.ExpectDialog(700, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1001), "Probenmasse");
    EXPECT_EQ(d.Text(1005), "Körnung");
    EXPECT_EQ(d.Text(1002), "12.5");
  }, IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Probe");
  EXPECT_EQ(english_.FileBytes(), before);
}

TEST_F(DialogBase, ReadOnlyOpeningCannotBeConfirmedThroughTheSeam) {
  SetEditAllowed(false);
  platform::ScriptedUi ui;  // failures recorded, not reported
  SampleDlg dialog;
  ui.ExpectDialog(700, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1001), "Sample mass");  // it still translates
    EXPECT_FALSE(d.IsEnabled(IDOK));
    EXPECT_TRUE(d.IsEnabled(1002));  // values can be looked at and tried
    d.SetText(1002, "99");
    EXPECT_FALSE(d.Press(IDOK));
    d.dialog().accept();
    EXPECT_FALSE(d.dialog().ended());
    d.dialog().EndDialog(IDOK);  // the platform's own ending, past the guard
  }, IDOK);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.oks, 0);
  EXPECT_EQ(dialog.mass, "12.5");
  ASSERT_FALSE(ui.failures().empty());
  EXPECT_NE(ui.failures()[0].find("OK of dialog 700: it is disabled"), std::string::npos);

  // The flag counts at the opening: the next opening with editing allowed confirms.
  SetEditAllowed(true);
  ui.ExpectDialog(700, IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.oks, 1);
  EXPECT_TRUE(dialog.GetDlgItem(IDOK)->isEnabled());
}

TEST_F(DialogBase, ReadOnlyOpeningRefusesEveryWayToConfirm) {
  SampleDlg dialog;
  SetEditAllowed(false);
  dialog.show();  // opens
  SetEditAllowed(true);  // changing the flag later does not open it up
  auto* ok = dialog.findChild<QPushButton*>("okButton");
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"Return", [&] { PressReturn(dialog.GetDlgItem(1002)); }},
      {"OK button", [&] { ok->click(); }},
      {"OK enabled again, then clicked", [&] {
         dialog.EnableItem(IDOK, true);
         ok->click();
       }},
      {"accept()", [&] { dialog.accept(); }},
      {"done(IDOK)", [&] { dialog.done(IDOK); }},
      {"EndDialog(IDOK) of the dialog itself", [&] { dialog.ConfirmDirectly(); }},
  };
  for (const auto& [name, way] : ways) {
    way();
    EXPECT_FALSE(dialog.ended()) << name;
    EXPECT_TRUE(dialog.isVisible()) << name;
    EXPECT_FALSE(ok->isEnabled()) << name;
  }
  EXPECT_EQ(dialog.oks, 0);
  dialog.reject();  // Cancel closes it
  EXPECT_TRUE(dialog.ended());
  EXPECT_EQ(dialog.end_result(), IDCANCEL);
}

TEST_F(DialogBase, ReturnConfirmsWhenEditingIsAllowed) {
  SampleDlg dialog;
  dialog.show();
  PressReturn(dialog.GetDlgItem(1002));
  EXPECT_TRUE(dialog.ended());
  EXPECT_EQ(dialog.end_result(), IDOK);
  EXPECT_EQ(dialog.oks, 1);
}

TEST_F(DialogBase, ControlColoursKeepOneEntryPerControl) {
  SampleDlg dialog;
  QWidget* edit = dialog.GetDlgItem(1002);
  const QPalette original = edit->palette();
  dialog.SetItemColor(1002, platform::RGB(255, 255, 0));
  dialog.SetItemColor(1002, platform::RGB(255, 255, 0));
  ASSERT_EQ(dialog.ItemColors().size(), 1u);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(edit->palette().color(QPalette::Text), original.color(QPalette::Text));  // text colour stays
  dialog.SetItemColor(1002, platform::RGB(255, 0, 0));
  EXPECT_EQ(dialog.ItemColor(1002), platform::RGB(255, 0, 0));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 0, 0));

  dialog.ClearItemColor(1002);
  EXPECT_EQ(dialog.ItemColor(1002), std::nullopt);
  ASSERT_EQ(dialog.ItemColors().size(), 1u);  // the entry stays
  EXPECT_FALSE(dialog.ItemColors()[0].enabled);
  EXPECT_EQ(edit->palette().color(QPalette::Base), original.color(QPalette::Base));

  dialog.SetItemColorIf(1002, platform::RGB(0, 255, 0), true);
  dialog.SetItemColorIf(1001, platform::RGB(0, 0, 255), false);  // no entry: nothing
  dialog.ClearItemColor(4711);
  ASSERT_EQ(dialog.ItemColors().size(), 1u);
  EXPECT_EQ(dialog.ItemColor(1002), platform::RGB(0, 255, 0));
}

TEST_F(DialogBase, FixedFontIsMadeOnceInTheDialogsHeight) {
  SampleDlg dialog;
  EXPECT_FALSE(dialog.FixedFont().has_value());
  dialog.SetFixedFont(1002);
  dialog.SetFixedFont(1001);
  ASSERT_TRUE(dialog.FixedFont().has_value());
  const QFont& font = *dialog.FixedFont();
  EXPECT_TRUE(font.fixedPitch());
  EXPECT_FALSE(font.bold());
  EXPECT_EQ(font.pointSizeF(), dialog.font().pointSizeF());
  EXPECT_EQ(dialog.GetDlgItem(1002)->font(), font);
  EXPECT_EQ(dialog.GetDlgItem(1001)->font(), font);
}

TEST_F(DialogBase, IconOfTheIconCommand) {
  SetCommandIconSource([](int command) {
    if (command != 57607) return QIcon();
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
  });
  platform::TestUi ui;
  SampleDlg withIcon;
  withIcon.SetIconCommand(57607);
  SampleDlg noImage;
  noImage.SetIconCommand(4711);
  SampleDlg none;
  ui.ExpectDialog(700, IDCANCEL).ExpectDialog(700, IDCANCEL).ExpectDialog(700, IDCANCEL);
  withIcon.DoModal();
  noImage.DoModal();
  none.DoModal();
  SetCommandIconSource({});
  EXPECT_FALSE(withIcon.windowIcon().isNull());
  EXPECT_EQ(noImage.windowIcon().cacheKey(), none.windowIcon().cacheKey());
}

TEST(ComboByData, SelectsTheFirstEntryWithTheValue) {
  QComboBox combo;
  combo.addItem("a", 10);
  combo.addItem("b", 20);
  combo.addItem("c", 20);
  combo.addItem("no data");
  combo.setCurrentIndex(0);
  EXPECT_TRUE(SelectComboItemByData(&combo, 20));
  EXPECT_EQ(combo.currentIndex(), 1);
  EXPECT_FALSE(SelectComboItemByData(&combo, 0));  // an entry without data is not 0
  EXPECT_FALSE(SelectComboItemByData(&combo, 30));
  EXPECT_EQ(combo.currentIndex(), 1);
  EXPECT_FALSE(SelectComboItemByData(nullptr, 10));
}

// ------------------------------------------------------------ property sheet

namespace {

class SievePage : public CpvPropertyPage {
 public:
  SievePage(int templateId, int labelId, const char* caption, const char* label) : CpvPropertyPage(templateId) {
    setWindowTitle(QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QString::fromUtf8(label), this);
    platform::SetControlId(text, labelId);
    layout->addWidget(text);
  }
  int applied = 0;
  int initialised = 0;
  bool refuse = false;
  std::string labelAtInit;

 protected:
  bool OnInitDialog() override {
    ++initialised;
    labelAtInit = GetItemText(template_id() == 701 ? 1101 : 1201);
    return true;
  }
  void OnOK() override { ++applied; }
  bool OnApply() override {
    if (refuse) return false;
    return CpvPropertyPage::OnApply();
  }
};

}  // namespace

TEST_F(DialogBase, PropertySheetTranslatesBothPagesAndAppliesThemOnOk) {
  SievePage first(701, 1101, "Seite eins", "Durchgang");
  SievePage second(702, 1201, "Seite zwei", "Rückstand");
  CpvPropertySheet sheet(750, "Wasserbausteine");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  platform::TestUi ui;
  ui.ExpectDialog(750, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(1101), "Passing");
    EXPECT_EQ(d.Text(1201), "Retained");
    EXPECT_EQ(sheet.tabs()->tabText(0), "Page one");
    EXPECT_EQ(sheet.tabs()->tabText(1), "Page two");
    EXPECT_EQ(first.labelAtInit, "Passing");
    EXPECT_FALSE(d.IsEnabled(ID_APPLY_NOW));
    second.SetModifiedIfEditable(true);
    EXPECT_TRUE(d.IsEnabled(ID_APPLY_NOW));
    d.Click(ID_APPLY_NOW);
    EXPECT_FALSE(d.IsEnabled(ID_APPLY_NOW));
    EXPECT_EQ(second.applied, 1);
    EXPECT_FALSE(d.dialog().ended());
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(first.applied, 2);  // Apply, then OK
  EXPECT_EQ(second.applied, 2);
  EXPECT_EQ(sheet.windowTitle().toStdString(), "Wasserbausteine");  // the sheet has no template

  // Each opening opens the pages again.
  ui.ExpectDialog(750, IDCANCEL);
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(first.initialised, 2);
  EXPECT_EQ(first.applied, 2);
}

TEST_F(DialogBase, PropertySheetOpenedReadOnlyRefusesOkAndApply) {
  SetEditAllowed(false);
  CpvPropertySheet sheet(750, "Wasserbausteine");
  SievePage first(701, 1101, "Seite eins", "Durchgang");
  SievePage second(702, 1201, "Seite zwei", "Rückstand");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  platform::ScriptedUi ui;
  ui.ExpectDialog(750, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(1201), "Retained");
    EXPECT_FALSE(d.IsEnabled(IDOK));
    first.SetModifiedIfEditable(true);
    EXPECT_FALSE(first.IsModified());
    EXPECT_FALSE(d.IsEnabled(ID_APPLY_NOW));
    sheet.EnableItem(ID_APPLY_NOW, true);
    EXPECT_FALSE(d.IsEnabled(ID_APPLY_NOW));
    PressReturn(sheet.GetDlgItem(1101));
    d.dialog().accept();
    EXPECT_FALSE(d.dialog().ended());
  }, IDOK);
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(first.applied + second.applied, 0);
  ASSERT_FALSE(ui.failures().empty());
  EXPECT_NE(ui.failures()[0].find("it is disabled"), std::string::npos);
}

TEST_F(DialogBase, PageThatRefusesKeepsTheSheetOpenOnItsTab) {
  SievePage first(701, 1101, "Seite eins", "Durchgang");
  SievePage second(702, 1201, "Seite zwei", "Rückstand");
  second.refuse = true;
  CpvPropertySheet sheet(750, "Wasserbausteine");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  platform::ScriptedUi ui;
  ui.ExpectDialog(750, [&](DialogDriver& d) {
    EXPECT_FALSE(d.Press(IDOK));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    second.refuse = false;
    EXPECT_TRUE(d.Press(IDOK));
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(ui.failures().empty());
}

// ------------------------------------------------------------------ form view

namespace {

class SampleView : public CpvFormView {
 public:
  SampleView() : CpvFormView(800) {
    auto* layout = new QVBoxLayout(this);
    label = new QLabel("Formularfeld", this);
    platform::SetControlId(label, 1001);
    layout->addWidget(label);
    setWindowTitle("Formular");
  }
  QLabel* label;
  std::string labelAtUpdate;

 protected:
  void OnUpdate() override { labelAtUpdate = label->text().toStdString(); }
};

}  // namespace

TEST_F(DialogBase, FormViewTranslatesBeforeItsFirstUpdate) {
  SampleView view;
  view.OnInitialUpdate();
  EXPECT_EQ(view.labelAtUpdate, "Form field");
  EXPECT_EQ(view.windowTitle().toStdString(), "Form");
}
