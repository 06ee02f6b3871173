// Every command of the main window as one table: enabled or not for the
// selections that matter, with the sieve program running or not, and its
// status-bar prompt. Then what the view's own commands do: delete, the marks
// from the keyboard, the same sieve tower, the companion programs, the
// customer list and the settings.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <set>

#include "controls/exlistctrl.h"
#include "mainview_testing.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "services/pravikdoc.h"
#include "services/customers/customerlist.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/settings/einstellungendlg.h"
#include "support/scripted_ui_gtest.h"
#include "tools/record_generator.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

constexpr char kSieveWarning[] = "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!";

class ViewCommands : public MainFrameTesting {
 protected:
  CMainFrame& Open() {
    MainFrameTesting::Open();
    // The About box is the start-up's; it routes the command as start-up does.
    frame_->commands().SetHandler(57664, [] {});
    return *frame_;
  }

  CForm1View& view() { return *frame_->view(); }
  CRecordListModel& model() { return *view().model(); }
  CVersuch& Record(const std::string& number, int nth = 0) { return *model().RecordAt(RowOf(number, nth)); }
  int RowOf(const std::string& number, int nth = 0) { return MainViewTesting::RowOf(model(), number, nth); }
  void Select(const std::vector<int>& rows, int focus = -1) { SelectRows(view(), rows, focus); }
  std::vector<std::string> SelectedNumbers() {
    std::vector<std::string> numbers;
    for (int row : view().list()->SelectedRows()) numbers.push_back(model().RecordAt(row)->GetValue(1, 0));
    return numbers;
  }
  std::string RecordFileBytes() { return platform::ReadFileBytes(folder_ / kRecordFileName).value_or("<none>"); }

  // A key pressed while the widget has the keyboard focus.
  void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    target->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
  }
};

// ------------------------------------------------------------ the table

enum class Rule { Always, AtLeastOne, ExactlyOne, TestKey, Never };

struct CommandRow {
  int id;
  Rule rule;
  const char* prompt;  // nullptr: no prompt
};

// Menu 128, toolbar 128, menu 140 and the commands without a menu.
const std::vector<CommandRow>& Commands() {
  static const std::vector<CommandRow> rows = {
      {9101, Rule::Always, "Archivieren"},
      {9104, Rule::Always, "Dearchivieren"},
      {9102, Rule::Always, "Importieren"},
      {9103, Rule::AtLeastOne, "Exportieren der mark. Datensätze"},
      {57607, Rule::AtLeastOne, "Drucken..."},
      {57609, Rule::AtLeastOne, "Seitenansicht"},
      {57606, Rule::Always, "Druckereinrichtung..."},
      {57665, Rule::Always, "Beenden"},
      {9001, Rule::Always, "Materialdefinitionen"},
      {9005, Rule::AtLeastOne, "Materialdefinition aus Prüfnummer extrahieren"},
      {9002, Rule::Always, "Kundenverwaltung"},
      {9003, Rule::Always, "Statistikverwaltung"},
      {9004, Rule::Always, "Mischungsverwaltung"},
      {9011, Rule::Always, "Allgemeine Einstellungen"},
      {9012, Rule::Always, "Einstellungen für neue Prüfnummern"},
      {9013, Rule::Always, "Einstellungen für Statistiken"},
      {9014, Rule::Always, "Tipps und Tricks"},
      {40003, Rule::Always, "Deutsch"},
      {40004, Rule::Always, "Englisch"},
      {10007, Rule::Always, "Spalten Layout zurücksetzen"},
      {32818, Rule::Always, "Versions- und Systemdaten"},
      {57664, Rule::Always, "Info über Pravik..."},
      {10005, Rule::Never, nullptr},  // a toolbar button without a handler
      {10004, Rule::Always, "Menü und Toolbar beim nächsten Programmstart zurücksetzen"},
      {9213, Rule::ExactlyOne, "Duplizieren"},
      {9216, Rule::ExactlyOne, "Material neu zuordnen"},
      {32783, Rule::Always, nullptr},
      {57608, Rule::Always, nullptr},
      {9201, Rule::TestKey, nullptr},
      {9202, Rule::TestKey, nullptr},
      {9203, Rule::TestKey, nullptr},
      {9204, Rule::TestKey, nullptr},
      {9205, Rule::TestKey, nullptr},
      {9206, Rule::TestKey, nullptr},
      {9207, Rule::TestKey, nullptr},
      {9208, Rule::TestKey, nullptr},
      {9209, Rule::TestKey, nullptr},
      {9210, Rule::TestKey, nullptr},
      {9211, Rule::TestKey, nullptr},
      {9212, Rule::TestKey, nullptr},
      {9214, Rule::TestKey, nullptr},
      {9215, Rule::TestKey, nullptr},
  };
  return rows;
}

// The selections of the table.
struct SelectionCase {
  const char* name;
  std::vector<int> rows;
  std::set<int> testCommands;        // the test commands of the focused record
  bool materialStatistics;           // 1035
};

}  // namespace

TEST_F(ViewCommands, EveryCommandIsEnabledByItsRuleAndHasItsPrompt) {
  // 13 records of the fixture and 10 more, so that 21 can be selected.
  {
    RecordList records;
    ASSERT_TRUE(LoadRecordFile(records, folder_.path()));
    for (auto& record : recordgen::RecordGenerator(7).Make(10)) records.push_back(std::move(record));
    std::vector<const CVersuch*> all;
    for (const auto& record : records) all.push_back(record.get());
    ASSERT_TRUE(SaveRecordFileSafely(all, folder_.path()));
  }
  CMainFrame& frame = Open();
  ASSERT_EQ(model().RecordCount(), 23);
  {
    // Every command of the menus and the toolbar is in the table.
    std::set<int> inTable;
    for (const CommandRow& row : Commands()) inTable.insert(row.id);
    QList<QAction*> actions = frame.toolBar()->actions();
    for (QAction* popup : frame.menuBar()->actions())
      for (QAction* action : popup->menu()->actions()) {
        actions.push_back(action);
        if (action->menu())
          for (QAction* inner : action->menu()->actions()) actions.push_back(inner);
      }
    for (QAction* action : actions) {
      if (action->isSeparator() || action->menu()) continue;
      EXPECT_EQ(inTable.count(action->data().toInt()), 1u) << action->data().toInt();
    }
  }

  std::vector<int> first21;
  for (int row = 0; row < 21; ++row) first21.push_back(row);
  int ballast = -1;
  for (int row = 0; row < model().RecordCount(); ++row)
    if (model().RecordAt(row)->IsDbMaterial() && model().RecordAt(row)->GetValue(1, 0) == "12-05-0001") ballast = row;
  ASSERT_GE(ballast, 0);
  const SelectionCase cases[] = {
      {"an ordinary record", {RowOf("12-34-0002")}, {9206, 9211, 9212, 9214, 9215}, true},
      {"a track-ballast record (new ballast)", {ballast}, {9205, 9211, 9212}, true},
      {"two records of different plants", {RowOf("12-34-0002"), RowOf("07-34-0006")}, {}, false},
      {"21 records", first21, {}, false},
      {"nothing selected", {}, {}, true},
  };
  for (bool sieveProgram : {false, true}) {
    for (const SelectionCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (sieveProgram ? ", sieve program running" : ""));
      const std::vector<int>& rows = c.rows;
      // The selection is evaluated as it is in use: the sieve program changes no rule.
      app_.SieveProgramActive = false;
      Select(rows);
      app_.SieveProgramActive = sieveProgram;
      const int n = static_cast<int>(rows.size());
      for (const CommandRow& row : Commands()) {
        bool expected = true;
        switch (row.rule) {
          case Rule::Always: expected = true; break;
          case Rule::AtLeastOne: expected = n >= 1; break;
          case Rule::ExactlyOne: expected = n == 1; break;
          case Rule::TestKey: expected = c.testCommands.count(row.id) > 0; break;
          case Rule::Never: expected = false; break;
        }
        EXPECT_EQ(frame.commands().Update(row.id), expected) << row.id;
      }
      // The buttons of the form follow the selection evaluation.
      const std::map<int, bool> buttons = {
          {CForm1View::kNewRecordButton, true},        {CForm1View::kDeleteButton, n > 0},
          {CForm1View::kTogglePanelButton, true},      {CForm1View::kPeriodStatisticsButton, true},
          {CForm1View::kMaterialStatisticsButton, c.materialStatistics},
          {CForm1View::kMixtureButton, n >= 1 && n <= 20}, {CForm1View::kSameTowerButton, true},
          {CForm1View::kHideReminderCheck, true}};
      for (const auto& [id, enabled] : buttons) {
        QWidget* control = id == CForm1View::kHideReminderCheck ? static_cast<QWidget*>(view().hideReminderCheck())
                                                                 : view().button(id);
        EXPECT_EQ(control->isEnabled(), enabled) << id;
      }
    }
  }
  app_.SieveProgramActive = false;

  // The prompts, in the message pane while the command is pointed at.
  for (const CommandRow& row : Commands()) {
    QAction* action = frame.commands().Action(row.id);
    ASSERT_TRUE(action) << row.id;
    EXPECT_EQ(action->statusTip().toStdString(), row.prompt ? row.prompt : "") << row.id;
    if (!row.prompt) continue;
    action->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage().toStdString(), row.prompt) << row.id;
    frame.statusBar()->clearMessage();
  }
}

// ------------------------------------------------------------ delete

TEST_F(ViewCommands, DeletingAsksWithTheCountAndRewritesTheFile) {
  Open();
  const ino_t before = FileIdentity(folder_ / kRecordFileName);
  const std::vector<std::string> gone = {"12-34-0002", "07-34-0006", "12-05-0001"};
  const std::string goneId = Record("12-05-0001", 0).GetValue(0, 0);
  Select({RowOf(gone[0]), RowOf(gone[1]), RowOf(gone[2], 0)});
  const std::string question = "Sie haben Datensätze markiert.\nSollen diese unwiderruflich gelöscht werden ?  (3)";
  {
    // Anything but Yes deletes nothing.
    TestUi ui;
    ui.ExpectMessageBox(IDNO, question);
    ui.ExpectMessageBox(IDCANCEL, question);
    view().button(CForm1View::kDeleteButton)->click();
    view().button(CForm1View::kDeleteButton)->click();
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].text, question);
    EXPECT_EQ(ui.shown()[0].flags, unsigned(MB_YESNOCANCEL | MB_DEFBUTTON3));  // no icon
  }
  EXPECT_EQ(model().RecordCount(), 13);
  EXPECT_EQ(FileIdentity(folder_ / kRecordFileName), before);
  {
    // While the sieve program runs: its warning, nothing else.
    app_.SieveProgramActive = true;
    TestUi ui;
    ui.ExpectMessageBox(IDOK, kSieveWarning);
    view().OnLoeschen();
    app_.SieveProgramActive = false;
  }
  {
    TestUi ui;
    ui.ExpectMessageBox(IDYES, question);
    view().button(CForm1View::kDeleteButton)->click();
  }
  ASSERT_EQ(model().RecordCount(), 10);
  for (int row = 0; row < 10; ++row) {
    const std::string number = model().RecordAt(row)->GetValue(1, 0);
    EXPECT_TRUE(number != gone[0] && number != gone[1]) << number;
  }
  EXPECT_EQ(app_.TestNumberIndex.count(gone[0]), 0u);
  EXPECT_EQ(app_.TestNumberIndex.count(gone[1]), 0u);
  EXPECT_EQ(app_.TestNumberIndex.count("12-05-0001"), 1u);  // the other record with it is left
  EXPECT_EQ(app_.TestRecordIdIndex.count(goneId), 0u);
  EXPECT_EQ(app_.TestRecordIdIndex.size(), 10u);
  // "data.db" was written at once, without them.
  EXPECT_NE(FileIdentity(folder_ / kRecordFileName), before);
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  ASSERT_EQ(saved.size(), 10u);
  for (size_t i = 0; i < saved.size(); ++i)
    EXPECT_EQ(saved[i]->GetField(0), model().RecordAt(static_cast<int>(i))->GetField(0));

  // Nothing selected: nothing asked.
  view().list()->selectionModel()->clearSelection();
  TestUi ui;
  view().OnLoeschen();
}

// Many scattered rows go in one pass: the same rows, records and index
// entries go, and the focused row that stays keeps the focus.
TEST_F(ViewCommands, DeletingManyScatteredRows) {
  {
    RecordList records = recordgen::RecordGenerator(3).Make(100);
    std::vector<const CVersuch*> all;
    for (const auto& record : records) all.push_back(record.get());
    ASSERT_TRUE(SaveRecordFileSafely(all, folder_.path()));
  }
  Open();
  ASSERT_EQ(model().RecordCount(), 100);
  std::vector<int> every2nd;
  std::vector<std::string> keptIds, goneIds;
  for (int row = 0; row < 100; ++row) {
    (row % 2 ? keptIds : goneIds).push_back(model().RecordAt(row)->GetValue(0, 0));
    if (row % 2 == 0) every2nd.push_back(row);
  }
  const CVersuch* focused = model().RecordAt(51);
  Select(every2nd, 51);
  {
    TestUi ui;
    ui.ExpectMessageBox(IDYES, "(50)");
    view().OnLoeschen();
  }
  ASSERT_EQ(model().RecordCount(), 50);
  for (int row = 0; row < 50; ++row) EXPECT_EQ(model().RecordAt(row)->GetValue(0, 0), keptIds[static_cast<size_t>(row)]);
  for (const std::string& id : goneIds) EXPECT_EQ(app_.TestRecordIdIndex.count(id), 0u) << id;
  EXPECT_EQ(app_.TestRecordIdIndex.size(), 50u);
  EXPECT_EQ(view().list()->FocusedRow(), 25);
  EXPECT_EQ(model().RecordAt(25), focused);
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  EXPECT_EQ(saved.size(), 50u);
}

// ------------------------------------------------------------ marks from the keyboard

TEST_F(ViewCommands, MarksFromTheKeyboardStayInMemory) {
  app_.m_Settings.m_NoDatasaveInfo = 0;  // the reminder's check box takes the focus below
  CMainFrame& frame = Open();
  frame.show();
  const std::string bytes = RecordFileBytes();
  const std::vector<std::string> five = {"12-05-0003", "07-34-0004", "07-34-0005", "07-34-0006", "12-34-0007"};
  std::vector<int> rows;
  for (const std::string& number : five) rows.push_back(RowOf(number));
  Select(rows);
  auto marks = [&](int field, int part) {
    std::vector<std::string> values;
    for (const std::string& number : five) values.push_back(Record(number).GetValue(field, part));
    return values;
  };
  using Values = std::vector<std::string>;

  // Ctrl+2 in the list, Ctrl+1 and Ctrl+3 from another control of the view.
  Key(view().list(), Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(marks(18, 7), Values(5, "2"));
  EXPECT_EQ(Record("12-34-0002").GetValue(18, 7), "1");  // not selected
  QCheckBox* other = view().hideReminderCheck();
  Key(other, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(marks(18, 7), Values(5, "1"));
  Key(other, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(marks(18, 7), Values(5, "0"));

  // Ctrl+S turns the statistics flag over once per press: "1", "0" and empty give "0", "1" and "1".
  Record("12-05-0003").SetValue(1, 4, "1");
  Record("07-34-0004").SetValue(1, 4, "0");
  Record("07-34-0005").SetValue(1, 4, "");
  Key(other, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(marks(1, 4), (Values{"0", "1", "1", "1", "0"}));

  // F12 twice leaves "0", not empty; Alt with a digit stores the digit.
  Key(view().list(), Qt::Key_F12);
  EXPECT_EQ(marks(18, 3), Values(5, "1"));
  Key(view().list(), Qt::Key_F12);
  EXPECT_EQ(marks(18, 3), Values(5, "0"));
  Key(view().list(), Qt::Key_7, Qt::AltModifier);
  EXPECT_EQ(marks(18, 4), Values(5, "7"));

  // While the sieve program runs the Ctrl keys only warn; F12 and Alt+digit still work.
  app_.SieveProgramActive = true;
  {
    TestUi ui;
    ui.ExpectMessageBox(IDOK, kSieveWarning);
    ui.ExpectMessageBox(IDOK, kSieveWarning);
    Key(view().list(), Qt::Key_1, Qt::ControlModifier);
    Key(view().list(), Qt::Key_S, Qt::ControlModifier);
    Key(view().list(), Qt::Key_9, Qt::AltModifier);
  }
  app_.SieveProgramActive = false;
  EXPECT_EQ(marks(18, 7), Values(5, "0"));
  EXPECT_EQ(marks(1, 4), (Values{"0", "1", "1", "1", "0"}));
  EXPECT_EQ(marks(18, 4), Values(5, "9"));

  // Without a selection nothing changes and nothing is asked.
  Select({});
  {
    TestUi ui;
    Key(view().list(), Qt::Key_2, Qt::ControlModifier);
  }
  EXPECT_EQ(marks(18, 7), Values(5, "0"));

  // Scroll Lock anywhere in the view gives the list the keyboard focus.
  Key(other, Qt::Key_ScrollLock);
  EXPECT_EQ(frame.focusWidget(), view().list());

  // Nothing of it was saved; the next save writes it.
  EXPECT_EQ(RecordFileBytes(), bytes);
  ASSERT_TRUE(frame.commands().Execute(32783));
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  for (const auto& record : saved) {
    if (record->GetValue(1, 0) == "07-34-0005") {
      EXPECT_EQ(record->GetValue(18, 4), "9");
    }
  }
}

// ------------------------------------------------------------ same sieve tower

TEST_F(ViewCommands, SameSieveTowerSelectsTheRecordsOfTheSamePlant) {
  Open();
  QAbstractButton* same = view().button(CForm1View::kSameTowerButton);
  // No record was ever selected alone: nothing.
  Select({RowOf("12-34-0002"), RowOf("12-05-0010")});
  same->click();
  EXPECT_EQ(SelectedNumbers().size(), 2u);

  // One record alone: every row with its tower and the same operator and plant.
  Select({RowOf("12-34-0002")});
  same->click();
  EXPECT_TRUE(SpinUntil([this] { return !view().SelectionEvaluationPending(); }));
  std::vector<std::string> selected = SelectedNumbers();
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (std::vector<std::string>{"12-34-0002", "12-34-0009"}));
  EXPECT_EQ(view().StatusText(), "Markiert: 2     ");

  // Rows selected already stay; the reference stays the record selected alone.
  Select({RowOf("12-34-0002"), RowOf("12-05-0010")});
  same->click();
  selected = SelectedNumbers();
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (std::vector<std::string>{"12-05-0010", "12-34-0002", "12-34-0009"}));

  // A record without a sieve tower: nothing more.
  Select({RowOf("07-34-0005")});
  same->click();
  EXPECT_EQ(SelectedNumbers(), (std::vector<std::string>{"07-34-0005"}));
}

// ------------------------------------------------------------ programs and windows

TEST_F(ViewCommands, CompanionProgramsStartFromTheProgramFolder) {
  CMainFrame& frame = Open();
  {
    // Neither program is there: both failures are reported.
    TestUi ui;
    ui.ExpectMessageBox(IDOK, "Externes Programm konnte nicht gestartet werden.");
    ui.ExpectMessageBox(IDOK, "Externes Programm konnte nicht gestartet werden.");
    frame.commands().Execute(9001);
    frame.commands().Execute(9003);
  }
  WriteScript(folder_ / "specora", "echo \"$#\" > '" + (folder_ / "specora.ran").string() + "'");
  WriteScript(folder_ / "tallyon", "echo \"$#\" > '" + (folder_ / "tallyon.ran").string() + "'");
  {
    // While the sieve program runs: its warning, nothing started.
    app_.SieveProgramActive = true;
    TestUi ui;
    ui.ExpectMessageBox(IDOK, kSieveWarning);
    ui.ExpectMessageBox(IDOK, kSieveWarning);
    frame.commands().Execute(9001);
    frame.commands().Execute(9003);
    app_.SieveProgramActive = false;
  }
  frame.commands().Execute(9001);
  frame.commands().Execute(9003);
  EXPECT_TRUE(SpinUntil([this] { return fs::exists(folder_ / "specora.ran") && fs::exists(folder_ / "tallyon.ran"); }));
  // Without arguments.
  EXPECT_EQ(platform::ReadFileBytes(folder_ / "specora.ran").value_or(""), "0\n");
  EXPECT_EQ(platform::ReadFileBytes(folder_ / "tallyon.ran").value_or(""), "0\n");
}

TEST_F(ViewCommands, CustomerListIsReadAgainAfterItsDialog) {
  CMainFrame& frame = Open();
  const fs::path file = folder_ / kCustomerFileName;
  TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver&) {
    // Saved meanwhile (by the dialog or another program): read again whatever the answer.
    platform::CopyFile(fs::path(PRAVIK_FIXTURES) / "customers" / kCustomerFileName, file);
  }, IDCANCEL);
  frame.commands().Execute(9002);
  EXPECT_EQ(app_.CustomerNameMap["230114093012-12-7"], "Autobahnmeisterei Süd");
}

TEST_F(ViewCommands, GeneralSettingsReachTheView) {
  CMainFrame& frame = Open();
  ASSERT_TRUE(view().backupReminder()->isHidden());
  TestUi ui;
  ui.ExpectDialog(CEinstellungenAllgDlg::kTemplateId,
                  [](DialogDriver& d) { d.Check(CEinstellungenAllgDlg::kHideReminder, false); }, IDOK);
  frame.commands().Execute(9011);
  EXPECT_EQ(app_.m_Settings.m_NoDatasaveInfo, 0);
  EXPECT_FALSE(view().hideReminderCheck()->isChecked());
  EXPECT_FALSE(view().backupReminder()->isHidden());
  EXPECT_EQ(Ini("General", "NoDatasaveInfo"), "0");

  ui.ExpectDialog(CEinstellungenDlg::kTemplateId,
                  [](DialogDriver& d) { d.Check(CEinstellungenDlg::kCurvePolygon); }, IDOK);
  frame.commands().Execute(9012);
  EXPECT_EQ(Ini("Siebungen", "defaultKurvenverlauf"), "1");
}
