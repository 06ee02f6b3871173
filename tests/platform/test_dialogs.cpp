// Dialogs by control id, the UI seam (scripted and Qt), commands, timers and
// the clipboard.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolTip>
#include <QVBoxLayout>
#include <QMimeData>
#include <QClipboard>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "../fixtures/platform/ui_probe_dialog.h"
#include "platform/clipboard.h"
#include "platform/commands.h"
#include "platform/dialog.h"
#include "platform/keys.h"
#include "platform/sysmetrics.h"
#include "support/scripted_ui_gtest.h"
#include "platform/timer.h"

using namespace platform;

namespace {

// The density dialog of the template probe_dialog.ui: mass and volume give
// the density whenever one of them loses the focus; OK refuses without a
// volume.
class DensityDialog : public Dialog {
 public:
  explicit DensityDialog(QWidget* parent = nullptr) : Dialog(701, parent) {
    ui_.setupUi(this);
    OnKillFocus(1001, [this] { Recompute(); });
    OnKillFocus(1002, [this] { Recompute(); });
  }

  std::string mass = "40";
  std::string volume = "16";
  bool dry = false;
  int recomputations = 0;
  std::vector<std::string> order;

 protected:
  bool OnInitDialog() override {
    order.push_back("init");
    SetItemText(1001, mass);
    SetItemText(1002, volume);
    Recompute();
    return true;
  }
  void OnOK() override {
    if (std::atof(GetItemText(1002).c_str()) <= 0) {
      ShowMessageBox("Das Volumen fehlt.", MB_ICONWARNING);
      return;  // stays open
    }
    mass = GetItemText(1001);
    volume = GetItemText(1002);
    dry = IsItemChecked(1004);
    EndDialog(IDOK);
  }

 private:
  void Recompute() {
    ++recomputations;
    const double v = std::atof(GetItemText(1002).c_str());
    char text[32] = "";
    if (v > 0) std::snprintf(text, sizeof text, "%.2f", std::atof(GetItemText(1001).c_str()) / v);
    SetItemText(1003, text);
  }
  Ui::ProbeDialog ui_;
};

// Repeated rows built in code.
class RowsDialog : public Dialog {
 public:
  RowsDialog() : Dialog(702) {
    auto* grid = new QGridLayout(this);
    for (int row = 0; row < 3; ++row) {
      auto* edit = new QLineEdit(this);
      SetControlId(edit, 2000 + row);
      grid->addWidget(edit, row, 0);
    }
    auto* combo = new QComboBox(this);
    combo->addItems({"nass", "trocken"});
    SetControlId(combo, 2100);
    grid->addWidget(combo, 3, 0);
    auto* ok = new QPushButton("OK", this);
    SetControlId(ok, IDOK);
    grid->addWidget(ok, 4, 0);
  }
};

TEST(ScriptedDialog, FillsControlsByIdGetsTheKillFocusRecomputationAndPressesOk) {
  TestUi ui;
  DensityDialog dialog;
  ui.ExpectDialog(701, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(1003), "2.50");  // from OnInitDialog
    d.SetText(1001, "50");
    d.SetText(1002, "20");
    EXPECT_EQ(d.Text(1003), "2.50");
    d.SetText(1001, "30");
    EXPECT_EQ(d.Text(1003), "1.50");
    d.Check(1004);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.mass, "30");
  EXPECT_EQ(dialog.volume, "20");
  EXPECT_TRUE(dialog.dry);
  EXPECT_EQ(dialog.recomputations, 4);
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].title, "Dichte");
}

TEST(ScriptedDialog, RefusedOkShowsItsBoxAndCancelLeavesTheValues) {
  TestUi ui;
  DensityDialog dialog;
  ui.ExpectDialog(701, [&](DialogDriver& d) {
      d.SetText(1002, "0");
      EXPECT_FALSE(d.Press(IDOK));
      EXPECT_EQ(d.Text(1003), "");
    }, IDCANCEL)
      .ExpectMessageBox(IDOK, "Volumen fehlt");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.volume, "16");
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[1].kind, UiKind::kMessageBox);
  EXPECT_EQ(ui.shown()[1].flags, unsigned{MB_ICONWARNING});
}

TEST(ScriptedDialog, OpenHookRunsFirstAndEachOpeningInitialisesAgain) {
  std::vector<std::string>* order = nullptr;
  SetDialogOpenHook([&](Dialog& d) {
    if (order) order->push_back("hook " + std::to_string(d.template_id()));
    d.EnableItem(IDOK, false);  // as for a dialog opened only to look at
  });
  {
    ScriptedUi ui;  // failures recorded, not reported
    DensityDialog dialog;
    order = &dialog.order;
    ui.ExpectDialog(701, IDOK).ExpectDialog(701, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // OK is disabled: cannot be pressed
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.order, (std::vector<std::string>{"hook 701", "init", "hook 701", "init"}));
    ASSERT_EQ(ui.failures().size(), 2u);
    EXPECT_NE(ui.failures()[0].find("OK of dialog 701: it is disabled"), std::string::npos);
    EXPECT_NE(ui.failures()[1].find("stayed open"), std::string::npos);
  }
  SetDialogOpenHook({});
}

TEST(ScriptedDialog, ControlsThatCannotBeUsedAreFailures) {
  ScriptedUi ui;
  RowsDialog dialog;
  ui.ExpectDialog(702, [&](DialogDriver& d) {
    d.dialog().EnableItem(2001, false);
    d.dialog().ShowItem(2002, SW_HIDE);
    d.SetText(2000, "ok");
    d.SetText(2001, "x");
    d.SetText(2002, "x");
    d.SetText(2999, "x");
    d.Select(2100, "trocken");
    d.Select(2100, "feucht");
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetItemText(2000), "ok");
  EXPECT_EQ(dialog.GetItemText(2100), "trocken");
  ASSERT_EQ(ui.failures().size(), 4u);
  EXPECT_NE(ui.failures()[0].find("control 2001 of dialog 702: it is disabled"), std::string::npos);
  EXPECT_NE(ui.failures()[1].find("it is hidden"), std::string::npos);
  EXPECT_NE(ui.failures()[2].find("does not exist"), std::string::npos);
  EXPECT_NE(ui.failures()[3].find("no entry \"feucht\""), std::string::npos);
}

TEST(DialogItems, ReadWriteEnableShowById) {
  RowsDialog dialog;
  EXPECT_EQ(dialog.ItemIds(), (std::vector<int>{IDOK, 2000, 2001, 2002, 2100}));
  EXPECT_TRUE(dialog.SetItemText(2001, "Prüfung"));
  EXPECT_EQ(dialog.GetItemText(2001), "Prüfung");
  EXPECT_FALSE(dialog.SetItemText(2100, "feucht"));  // no such entry
  EXPECT_EQ(dialog.GetItemText(2100), "nass");
  EXPECT_TRUE(dialog.SetItemText(2100, "trocken"));
  EXPECT_EQ(dialog.GetItemText(2100), "trocken");
  dialog.EnableItem(2000, false);
  EXPECT_FALSE(dialog.GetDlgItem(2000)->isEnabled());
  dialog.ShowItem(2000, SW_HIDE);
  EXPECT_TRUE(dialog.GetDlgItem(2000)->isHidden());
  dialog.ShowItem(2000, SW_SHOW);
  EXPECT_FALSE(dialog.GetDlgItem(2000)->isHidden());
  // Ids the dialog does not have: nothing happens.
  dialog.EnableItem(4711, false);
  dialog.ShowItem(4711, SW_HIDE);
  EXPECT_EQ(dialog.GetDlgItem(4711), nullptr);
  EXPECT_EQ(dialog.GetItemText(4711), "");
  EXPECT_FALSE(dialog.SetItemText(4711, "x"));
}

TEST(DialogCommands, AChildSendsACommandByIdToItsTopLevelWindow) {
  RowsDialog dialog;
  QWidget* child = dialog.GetDlgItem(2000);
  EXPECT_FALSE(SendCommandToTopLevel(child, 800));  // no handler yet
  int received = 0;
  dialog.OnCommand(800, [&] { ++received; });
  EXPECT_TRUE(SendCommandToTopLevel(child, 800));
  EXPECT_TRUE(dialog.SendCommand(800));
  EXPECT_FALSE(SendCommandToTopLevel(child, 801));
  EXPECT_EQ(received, 2);
  QWidget loose;  // a top-level window that is no dialog
  EXPECT_FALSE(SendCommandToTopLevel(&loose, 800));
  EXPECT_FALSE(SendCommandToTopLevel(nullptr, 800));
}

TEST(KeysAndSystem, VirtualKeysAndTheApplicationsSettings) {
  const std::pair<int, unsigned> keys[] = {
      {Qt::Key_A, 'A'},          {Qt::Key_U, 'U'},          {Qt::Key_5, '5'},
      {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_PageDown, VK_NEXT},
      {Qt::Key_F2, VK_F2},       {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Launch0, 0u},
  };
  for (const auto& [qt, vk] : keys) EXPECT_EQ(VirtualKeyFromQt(qt), vk) << qt;
  // Colours and font follow the application.
  QPalette palette = QApplication::palette();
  const QPalette saved = palette;
  palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
  QApplication::setPalette(palette);
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(1, 2, 3));
  QApplication::setPalette(saved);
  const QFont savedFont = QApplication::font();
  QFont font("Liberation Serif");
  font.setPixelSize(17);
  QApplication::setFont(font);
  EXPECT_EQ(GetMessageFont().face, "Liberation Serif");
  EXPECT_EQ(GetMessageFont().height, -17);
  QApplication::setFont(savedFont);
  EXPECT_GT(GetDoubleClickTime(), 0);
  EXPECT_GT(GetWheelScrollLines(), 0);
}

TEST(DialogItems, LosingTheFocusOnScreenDeliversKillFocus) {
  DensityDialog dialog;
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  const int before = dialog.recomputations;
  dialog.GetDlgItem(1001)->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(dialog.recomputations, before);
  dialog.GetDlgItem(1002)->setFocus();  // leaves the mass
  QApplication::processEvents();
  EXPECT_EQ(dialog.recomputations, before + 1);
  dialog.GetDlgItem(1004)->setFocus();  // leaves the volume
  QApplication::processEvents();
  EXPECT_EQ(dialog.recomputations, before + 2);
  dialog.hide();
}

// What code page 1252 cannot hold is refused as it is typed or pasted, in
// every text field of a dialog (also one made later, as a grid's editor), so
// that what the user sees is what is stored.
TEST(DialogItems, TheRefusalHintLeavesTheButtonBelowTheFieldFree) {
  SetCodePageHint([] { return std::string("Dieses Zeichen kann nicht gespeichert werden und wurde entfernt."); });
  Dialog dialog(704);
  auto* column = new QVBoxLayout(&dialog);
  column->setSpacing(0);
  auto* above = new QLineEdit(&dialog);
  auto* line = new QLineEdit(&dialog);
  auto* ok = new QPushButton("Speichern", &dialog);
  for (QWidget* w : {static_cast<QWidget*>(above), static_cast<QWidget*>(line), static_cast<QWidget*>(ok)})
    column->addWidget(w);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  line->setFocus();
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("≤"));
  QApplication::sendEvent(line, &press);
  ASSERT_TRUE(QToolTip::isVisible());
  QWidget* tip = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits("QTipLabel") && w->isVisible()) tip = w;
  ASSERT_TRUE(tip);
  const QRect button(ok->mapToGlobal(QPoint(0, 0)), ok->size());
  EXPECT_FALSE(tip->frameGeometry().intersects(button));
  QToolTip::hideText();
}

TEST(DialogItems, TextFieldsRefuseWhatTheCodePageCannotHold) {
  SetCodePageHint([] { return std::string("Zeichen entfernt"); });
  Dialog dialog(703);
  auto* grid = new QGridLayout(&dialog);
  auto* line = new QLineEdit(&dialog);
  auto* notes = new QPlainTextEdit(&dialog);
  auto* shown = new QTextEdit(&dialog);
  shown->setReadOnly(true);
  auto* combo = new QComboBox(&dialog);
  combo->setEditable(true);
  grid->addWidget(line, 0, 0);
  grid->addWidget(notes, 1, 0);
  grid->addWidget(shown, 2, 0);
  grid->addWidget(combo, 3, 0);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();

  auto type = [](QWidget* field, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
  };
  line->setFocus();
  for (const QString& typed : {QString("a"), QString::fromUtf8("≤"), QString("b"), QString::fromUtf8("✓"),
                               QString::fromUtf8("€"), QString::fromUtf8("ä"), QString::fromUtf8("😀")})
    type(line, typed);
  EXPECT_EQ(line->text(), QString::fromUtf8("ab€ä"));
  EXPECT_EQ(line->cursorPosition(), 4);
  EXPECT_EQ(QToolTip::text(), "Zeichen entfernt");
  line->setCursorPosition(1);
  QApplication::clipboard()->setText(QString::fromUtf8("xΩ漢y"));
  line->paste();
  EXPECT_EQ(line->text(), QString::fromUtf8("axyb€ä"));
  EXPECT_EQ(line->cursorPosition(), 3);

  type(combo->lineEdit(), QString::fromUtf8("α"));
  type(combo->lineEdit(), QString::fromUtf8("1"));
  EXPECT_EQ(combo->currentText(), "1");

  notes->setPlainText("Zeile\n");
  notes->moveCursor(QTextCursor::End);
  notes->insertPlainText(QString::fromUtf8("≥ 5 µm ✓"));
  EXPECT_EQ(notes->toPlainText(), QString::fromUtf8("Zeile\n 5 µm "));
  // The program's own texts in a field that only shows them stay as they are.
  shown->setPlainText(QString::fromUtf8("Σ ≤ 3"));
  EXPECT_EQ(shown->toPlainText(), QString::fromUtf8("Σ ≤ 3"));

  // A field made after the opening is taken when it gets the focus.
  auto* later = new QLineEdit(&dialog);
  grid->addWidget(later, 4, 0);
  later->show();
  later->setFocus();
  QApplication::processEvents();
  type(later, QString::fromUtf8("≤"));
  type(later, "7");
  EXPECT_EQ(later->text(), "7");
  dialog.hide();
  SetCodePageHint({});
}

// A read-only field looks read-only and takes the focus when clicked, so the
// next keys do not go into the field that had it; a disabled one looks disabled.
TEST(DialogItems, ReadOnlyFieldsLookReadOnlyAndKeepKeysFromOtherFields) {
  RowsDialog dialog;
  auto* input = static_cast<QLineEdit*>(dialog.GetDlgItem(2000));
  auto* computed = static_cast<QLineEdit*>(dialog.GetDlgItem(2001));
  computed->setReadOnly(true);
  computed->setFocusPolicy(Qt::NoFocus);
  auto* notes = new QPlainTextEdit(&dialog);
  notes->setReadOnly(true);
  auto* tips = new QTextEdit(&dialog);  // rich text (help, tips) keeps its page colour
  tips->setReadOnly(true);
  dialog.layout()->addWidget(notes);
  dialog.layout()->addWidget(tips);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  const QPalette around = dialog.palette();
  EXPECT_EQ(computed->palette().color(QPalette::Base), around.color(QPalette::Window));
  EXPECT_EQ(notes->palette().color(QPalette::Base), around.color(QPalette::Window));
  EXPECT_EQ(input->palette().color(QPalette::Base), around.color(QPalette::Base));
  EXPECT_EQ(tips->palette().color(QPalette::Base), around.color(QPalette::Base));

  // A click gives it the focus (a field without focus would leave it where it was).
  EXPECT_EQ(computed->focusPolicy(), Qt::ClickFocus);
  input->setFocus();
  computed->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_TRUE(computed->hasFocus());
  QKeyEvent key(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
  QApplication::sendEvent(QApplication::focusWidget(), &key);
  EXPECT_EQ(input->text().toStdString(), "");

  computed->setReadOnly(false);  // editable again: the editing background
  EXPECT_EQ(computed->palette().color(QPalette::Base), around.color(QPalette::Base));
  // Disabled, it takes nothing and looks so.
  input->setEnabled(false);
  EXPECT_EQ(input->palette().color(QPalette::Base), around.color(QPalette::Window));
  input->setEnabled(true);
  EXPECT_EQ(input->palette().color(QPalette::Base), around.color(QPalette::Base));
  dialog.hide();
}

TEST(ScriptedSeam, AnswersMessageBoxesInOrder) {
  TestUi ui;
  ui.ExpectMessageBox(IDNO, "speichern").ExpectMessageBox(IDOK);
  EXPECT_EQ(ShowMessageBox("Änderungen speichern?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(ShowMessageBox("Gespeichert.", MB_OK, "Titel"), IDOK);
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[0].flags, unsigned{MB_YESNO | MB_ICONQUESTION});
  EXPECT_EQ(ui.shown()[1].title, "Titel");
  EXPECT_EQ(ui.pending(), 0u);
}

TEST(ScriptedSeam, UnexpectedOrMissingWindowsFailTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        TestUi ui;
        EXPECT_EQ(ShowMessageBox("Unerwartet", MB_YESNO | MB_DEFBUTTON2), IDNO);  // default button
      },
      "unexpected message box \"Pravik\": \"Unerwartet\"");
  EXPECT_NONFATAL_FAILURE(
      {
        TestUi ui;
        ui.ExpectFileDialog("/tmp/x.xml");
        ShowMessageBox("Zuerst eine Frage", MB_OKCANCEL);
        ChooseFile({});
      },
      "(expected file dialog)");
  EXPECT_NONFATAL_FAILURE(
      {
        TestUi ui;
        ui.ExpectMessageBox(IDYES, "Löschen");
      },
      "expected message box \"Löschen\" was never shown");
  EXPECT_NONFATAL_FAILURE(
      {
        TestUi ui;
        ui.ExpectMessageBox(IDYES);
        ShowMessageBox("Nur OK", MB_OK);
      },
      "has no button 6");
  EXPECT_NONFATAL_FAILURE(
      {
        TestUi ui;
        RowsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
      },
      "unexpected dialog 702");
}

TEST(ScriptedSeam, OlderBoxScriptsAndTheLenientDefaultStillWork) {
  MessageBoxHandler* before = CurrentMessageBoxHandler();
  {
    TestUi ui;
    {
      ScriptedMessageBoxes boxes;  // installed later: takes the boxes
      boxes.Answer(IDNO);
      EXPECT_EQ(ShowMessageBox("Frage", MB_YESNO), IDNO);
      ASSERT_EQ(boxes.shown().size(), 1u);
    }
    EXPECT_TRUE(ui.shown().empty());
  }
  EXPECT_EQ(CurrentMessageBoxHandler(), before);
  EXPECT_EQ(ShowMessageBox("Ohne Skript", MB_YESNO), IDYES);
}

TEST(ScriptedSeam, FileFolderAndColourDialogs) {
  TestUi ui;
  ui.ExpectFileDialog("/daten/export")
      .ExpectFileDialog(std::nullopt)
      .ExpectFolderDialog("/daten/werk2")
      .ExpectColorDialog(RGB(10, 20, 30))
      .ExpectColorDialog(std::nullopt);
  FileDialogRequest save{.save = true, .title = "Bitte Dateinamen angeben",
                         .filter = "Ex-/Importdateien (*.xml)|*.xml||", .default_extension = "xml"};
  EXPECT_EQ(ChooseFile(save), std::filesystem::path("/daten/export.xml"));
  EXPECT_EQ(ChooseFile({.title = "Öffnen"}), std::nullopt);
  EXPECT_EQ(ChooseFolder({.title = "Bitte Datenverzeichnis auswählen:"}), std::filesystem::path("/daten/werk2"));
  EXPECT_EQ(ChooseColor(RGB(0, 0, 0)), RGB(10, 20, 30));
  EXPECT_EQ(ChooseColor(RGB(0, 0, 0)), std::nullopt);
  EXPECT_EQ(ui.shown()[0].title, "Bitte Dateinamen angeben");
  EXPECT_EQ(ui.shown()[0].text, "Ex-/Importdateien (*.xml)|*.xml||");
  EXPECT_EQ(ui.shown()[2].kind, UiKind::kFolderDialog);
}

TEST(QtSeam, FiltersInQtForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"Ex-/Importdateien (*.xml)|*.xml||", "Ex-/Importdateien (*.xml)"},
      {"Pravik Datenbankdatei (data.db)|data.db||", "Pravik Datenbankdatei (data.db)"},
      {"Bilder|*.bmp;*.dib|Alle Dateien (*.*)|*.*||", "Bilder (*.bmp *.dib);;Alle Dateien (*.*)"},
      {"", ""},
  };
  for (auto [framework, qt] : cases) EXPECT_EQ(QtFileFilter(framework), QString::fromUtf8(qt)) << framework;
}

TEST(QtSeam, OffscreenNothingBlocks) {
  // No scripted UI: the Qt seam cancels what nobody can answer.
  ASSERT_EQ(&CurrentUi(), &QtUi());
  DensityDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(ChooseFile({.title = "x"}), std::nullopt);
  EXPECT_EQ(ChooseColor(0), std::nullopt);
  EXPECT_EQ(QtUi().ShowMessageBox({"Frage", "Pravik", MB_YESNO | MB_DEFBUTTON2}), IDNO);
}

TEST(Commands, UpdateRulesDecideEnablingAndExecution) {
  CommandTable commands;
  bool selected = false;
  int printed = 0;
  QAction* print = commands.Add(57607, "&Drucken...\tStrg+P", [&] { ++printed; }, QKeySequence("Ctrl+P"));
  commands.SetUpdateRule(57607, [&](CmdUI& ui) { ui.Enable(selected); });
  QAction* orphan = commands.Add(57608, "Direkt");  // no handler: disabled
  ASSERT_EQ(commands.Action(57607), print);
  EXPECT_EQ(print->text(), "&Drucken...\tStrg+P");
  EXPECT_EQ(print->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_FALSE(print->isEnabled());
  EXPECT_FALSE(orphan->isEnabled());
  EXPECT_FALSE(commands.Execute(57607));
  selected = true;
  commands.UpdateAll();
  EXPECT_TRUE(print->isEnabled());
  print->trigger();
  EXPECT_EQ(printed, 1);
  // The rule is asked again before the command runs, even when the action
  // still looks enabled.
  selected = false;
  print->trigger();
  EXPECT_EQ(printed, 1);
  EXPECT_FALSE(print->isEnabled());
  EXPECT_FALSE(commands.Execute(4711));
  // Check marks.
  bool on = true;
  commands.Add(9300, "Ansicht", [] {});
  commands.SetUpdateRule(9300, [&](CmdUI& ui) { ui.SetCheck(on); });
  EXPECT_TRUE(commands.Action(9300)->isChecked());
  on = false;
  // Rules run when the event loop goes idle.
  QEventLoop loop;
  QTimer::singleShot(0, &loop, &QEventLoop::quit);
  selected = true;
  loop.exec();
  EXPECT_TRUE(print->isEnabled());
  EXPECT_FALSE(commands.Action(9300)->isChecked());
}

// Runs the event loop until the condition holds (or a generous limit passes).
template <class Condition>
void RunUntil(Condition condition) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (condition()) loop.quit();
  });
  poll.start(1);
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(Timers, OneShotFiresOnceAndStopPreventsIt) {
  Timer once;
  int fired = 0;
  once.StartOnce(1, [&] { ++fired; });
  EXPECT_TRUE(once.IsActive());
  RunUntil([&] { return fired > 0; });
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(once.IsActive());

  Timer stopped;
  int never = 0;
  stopped.StartOnce(1, [&] { ++never; });
  stopped.Stop();
  Timer later;
  bool done = false;
  later.StartOnce(20, [&] { done = true; });
  RunUntil([&] { return done; });
  EXPECT_EQ(never, 0);
  EXPECT_EQ(fired, 1);

  // Restarting replaces the action; a repeating timer keeps firing.
  int first = 0, second = 0, ticks = 0;
  once.StartOnce(1, [&] { ++first; });
  once.StartOnce(1, [&] { ++second; });
  Timer repeating;
  repeating.StartRepeating(1, [&] {
    if (++ticks == 3) repeating.Stop();
  });
  RunUntil([&] { return second > 0 && ticks >= 3; });
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(ticks, 3);
}

TEST(Clipboard, TextRoundTripAndNoText) {
  ASSERT_TRUE(SetClipboardText("Prüf-Nr.\t12-3"));
  EXPECT_EQ(GetClipboardText(), "Prüf-Nr.\t12-3");
  QGuiApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));
  EXPECT_EQ(GetClipboardText(), "");
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(GetClipboardText(), "");
}

}  // namespace
