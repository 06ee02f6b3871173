// The main window's commands end to end: the program started on a copy of the
// demo installation and driven through its menus, toolbar, form buttons and
// keys as a user would; after it closed, "data.db" and "pravik.ini" are read
// back and must hold exactly what was done, compared with a run that did
// nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "controls/autorichedit.h"
#include "controls/exlistctrl.h"
#include "platform/files.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "shell/help/hilfedlg.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mixtures/mischungsverwaltungdlg.h"
#include "shell/settings/einstellungendlg.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace {

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using platform::IDYES;
using Ini = std::map<std::pair<std::string, std::string>, std::string>;

constexpr int kCustomerDialog = 592;

// Every "key=value" of an INI file by section and key, as stored.
Ini ReadIni(const fs::path& file) {
  Ini values;
  std::string section;
  const std::string bytes = platform::ReadFileBytes(file).value_or("");
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
    } else if (const size_t eq = line.find('='); eq != std::string::npos) {
      values[{section, line.substr(0, eq)}] = line.substr(eq + 1);
    }
  }
  return values;
}

class CommandsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    ASSERT_TRUE(demo::MakeDemoInstallation(program_.path(), data()).ok);
    // A fresh installation's program folder holds the help topics of the build.
    ASSERT_TRUE(platform::CreateFolder(program_ / "hlp"));
    ASSERT_TRUE(platform::CopyFile(fs::path(PRAVIK_BIN_DIR) / "hlp" / "tipps_und_tricks.rtf",
                                   program_ / "hlp" / "tipps_und_tricks.rtf"));
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guard_.path();
  }
  void TearDown() override { QApplication::setQuitOnLastWindowClosed(true); }
  fs::path data() const { return program_ / "demo-data"; }
  fs::path IniFile() const { return data() / "pravik.ini"; }

  // The demo plant chosen in the plant selection.
  static void ChoosePlant(platform::TestUi& ui) {
    ui.ExpectDialog(538, [](DialogDriver& d) { static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0); }, IDOK);
  }

  // The menu item of the command, as the user opens its menu and picks it.
  static void FromMenu(CMainFrame& frame, int id) {
    for (QAction* popup : frame.menuBar()->actions()) {
      QMenu* menu = popup->menu();
      for (QAction* action : menu->actions()) {
        if (action->data().toInt() != id) continue;
        emit menu->aboutToShow();
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
        return;
      }
    }
    FAIL() << "no menu item " << id;
  }
  // The toolbar button of the command, clicked.
  static void FromToolbar(CMainFrame& frame, int id) {
    for (QAction* action : frame.toolBar()->actions()) {
      if (action->data().toInt() != id) continue;
      auto* button = qobject_cast<QToolButton*>(frame.toolBar()->widgetForAction(action));
      ASSERT_NE(button, nullptr) << id;
      ASSERT_TRUE(button->isEnabled()) << id;
      button->click();
      return;
    }
    FAIL() << "no toolbar button " << id;
  }

  void Select(CForm1View& view, const std::vector<int>& rows) {
    QItemSelectionModel* selection = view.list()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
      selection->select(view.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(view.model()->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    EXPECT_TRUE(SpinUntil([&view] { return !view.SelectionEvaluationPending(); }));
  }
  static void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    target->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
  }

  TempFolder program_;
  TempFolder guard_;
  StartupOptions options_;
};

TEST_F(CommandsEndToEnd, MenusToolbarFormAndKeysChangeExactlyWhatWasDone) {
  // A run that does nothing: what every start and close writes anyway.
  {
    platform::TestUi ui;
    ChoosePlant(ui);
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    EXPECT_EQ(startup.ExitInstance(), 0);
  }
  const Ini iniBefore = ReadIni(IniFile());
  ASSERT_TRUE(platform::CopyFile(IniFile(), program_ / "before.ini"));
  RecordList before;
  ASSERT_TRUE(LoadRecordFile(before, data()));
  ASSERT_GE(before.size(), 12u);

  const platform::ColorRef pen = platform::RGB(200, 30, 40);
  std::string deletedId;
  std::map<std::string, std::vector<std::tuple<int, int, std::string>>> marks;  // record id: field, part, value
  {
    platform::TestUi ui;
    ChoosePlant(ui);
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    CMainFrame& frame = *startup.Frame();
    CForm1View& view = *frame.view();
    ASSERT_EQ(view.model()->RecordCount(), static_cast<int>(before.size()));
    auto idAt = [&view](int row) { return view.model()->RecordAt(row)->GetValue(0, 0); };

    // A pen colour through the menu.
    ui.ExpectDialog(CEinstellungenAllgDlg::kTemplateId, [](DialogDriver& d) { d.Click(1066); }, IDOK);
    ui.ExpectColorDialog(pen);
    FromMenu(frame, 9011);
    EXPECT_EQ(app.m_Settings.LayoutTable[0].color, pen);

    // The curve course of new records through the toolbar.
    ui.ExpectDialog(CEinstellungenDlg::kTemplateId,
                    [](DialogDriver& d) { d.Check(CEinstellungenDlg::kCurvePolygon); }, IDOK);
    FromToolbar(frame, 9012);

    // The tips, from the toolbar: the shipped topic beside the main window.
    FromToolbar(frame, 9014);
    ASSERT_NE(view.TipsWindow(), nullptr);
    EXPECT_TRUE(view.TipsWindow()->isVisible());
    EXPECT_EQ(view.TipsWindow()->text()->toPlainText().toStdString().substr(0, 16), "Tipps und Tricks");

    // The customer list through the menu, closed again.
    ui.ExpectDialog(kCustomerDialog, IDCANCEL);
    FromMenu(frame, 9002);
    ui.VerifyAllShown();

    // The mixture management from the toolbar, closed again.
    ui.ExpectDialog(CMischungsverwaltungDlg::kTemplateId, IDCANCEL);
    FromToolbar(frame, 9004);
    ui.VerifyAllShown();

    // Marks from the keyboard: Ctrl+2 on three rows, Ctrl+1 on one of them,
    // Ctrl+S on another, F12 and Alt+4 on two more.
    Select(view, {0, 1, 2});
    Key(view.list(), Qt::Key_2, Qt::ControlModifier);
    for (int row : {0, 1, 2}) marks[idAt(row)].emplace_back(18, 7, "2");
    Select(view, {1});
    Key(view.list(), Qt::Key_1, Qt::ControlModifier);
    marks[idAt(1)].emplace_back(18, 7, "1");
    Select(view, {3});
    const std::string flag = view.model()->RecordAt(3)->GetValue(1, 4);
    Key(view.list(), Qt::Key_S, Qt::ControlModifier);
    marks[idAt(3)].emplace_back(1, 4, flag == "1" ? "0" : "1");
    Select(view, {4, 5});
    Key(view.list(), Qt::Key_F12);
    Key(view.list(), Qt::Key_4, Qt::AltModifier);
    for (int row : {4, 5}) {
      marks[idAt(row)].emplace_back(18, 3, view.model()->RecordAt(row)->GetValue(18, 3));
      marks[idAt(row)].emplace_back(18, 4, "4");
    }
    EXPECT_EQ(view.model()->RecordAt(4)->GetValue(18, 3), "1");

    // One record deleted with the form's button and Yes.
    Select(view, {7});
    deletedId = idAt(7);
    ui.ExpectMessageBox(IDYES, "unwiderruflich gelöscht werden ?  (1)");
    view.button(CForm1View::kDeleteButton)->click();
    ui.VerifyAllShown();
    EXPECT_EQ(view.model()->RecordCount(), static_cast<int>(before.size()) - 1);

    // Saved, then closed through the menu.
    ASSERT_TRUE(frame.commands().Execute(32783));
    FromMenu(frame, 57665);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(startup.ExitInstance(), 0);
  }

  // "data.db": the demo records without the deleted one, each as it was but for its marks.
  RecordList after;
  ASSERT_TRUE(LoadRecordFile(after, data()));
  ASSERT_EQ(after.size(), before.size() - 1);
  std::map<std::string, const CVersuch*> saved;
  for (const auto& record : after) saved[record->GetValue(0, 0)] = record.get();
  ASSERT_EQ(saved.size(), after.size());
  for (const auto& record : before) {
    const std::string id = record->GetValue(0, 0);
    if (id == deletedId) {
      EXPECT_EQ(saved.count(id), 0u);
      continue;
    }
    ASSERT_EQ(saved.count(id), 1u) << id;
    CVersuch expected = *record;
    if (marks.count(id))
      for (const auto& [field, part, value] : marks.at(id)) expected.SetValue(field, part, value);
    for (int field = 0; field < CVersuch::kFieldCount; ++field)
      EXPECT_EQ(saved[id]->GetField(field), expected.GetField(field)) << id << " field " << field;
  }
  EXPECT_EQ(marks.size(), 6u);

  // "pravik.ini": the pen, the default for new records, the tips window's
  // rectangle and the column widths of the mixture list; what the settings
  // dialog wrote besides holds what was there.
  const Ini iniAfter = ReadIni(IniFile());
  for (const auto& [key, value] : iniBefore) EXPECT_EQ(iniAfter.count(key), 1u) << key.first << "/" << key.second;
  Ini changed;
  for (const auto& [key, value] : iniAfter)
    if (!iniBefore.count(key) || iniBefore.at(key) != value) changed[key] = value;
  EXPECT_EQ(StrGetField(changed[{"Layout", "color0"}], ',', 0), "200");
  EXPECT_EQ(StrGetField(changed[{"Layout", "color0"}], ',', 1), "30");
  EXPECT_EQ(StrGetField(changed[{"Layout", "color0"}], ',', 2), "40");
  EXPECT_EQ((changed[{"Siebungen", "defaultKurvenverlauf"}]), "1");
  EXPECT_EQ((changed[{"Siebungen", "defaultTrockenNass"}]), "0");
  EXPECT_EQ((changed[{"Siebungen", "defaultSummenmodus"}]), "0");
  EXPECT_EQ((changed[{"Bruchflaechigkeit", "BrechnungModus"}]), "1");
  EXPECT_FALSE((changed[{"WinPos", "Hlptipps_und_tricks"}].empty()));
  EXPECT_FALSE((changed[{"spaltenbreiten", "Mischverwaltung"}].empty()));
  CProgrammEinstellungen was, is;
  was.m_IniPath = program_ / "before.ini";
  is.m_IniPath = IniFile();
  was.m_DataFolder = is.m_DataFolder = data();
  was.LoadSettings();
  is.LoadSettings();
  was.LayoutTable[0].color = pen;
  EXPECT_EQ(is.LayoutTable, was.LayoutTable);
  EXPECT_EQ(is.m_ArchiveFolder, was.m_ArchiveFolder);
  EXPECT_EQ(is.m_NoDatasaveInfo, was.m_NoDatasaveInfo);
  EXPECT_EQ(is.m_PrintLogo, was.m_PrintLogo);
  for (const auto& [key, value] : changed) {
    const bool expected = key.first == "Siebungen" || key.first == "Bruchflaechigkeit" ||
                          key == std::make_pair(std::string("WinPos"), std::string("Hlptipps_und_tricks")) ||
                          key == std::make_pair(std::string("spaltenbreiten"), std::string("Mischverwaltung")) ||
                          (key.first == "Layout" && key.second.rfind("color", 0) == 0) ||
                          key == std::make_pair(std::string("Archivierung"), std::string("Ordner")) ||
                          (key.first == "General" && (key.second == "NoDatasaveInfo" || key.second == "PrintLogo"));
    EXPECT_TRUE(expected) << key.first << "/" << key.second << "=" << value;
  }
}

}  // namespace
