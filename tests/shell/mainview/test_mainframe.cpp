// The main frame: menu, toolbar and status bar, the title, the placement in
// "pravik.ini", the language commands, the test commands of the view, the
// end of the sieve program and closing, also after a save that failed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <functional>
#include <optional>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "mainview_testing.h"
#include "platform/files.h"
#include "platform/pdf_words.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/versioninfo.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "support/scripted_ui_gtest.h"
#include "support/work_area.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

std::vector<int> CommandIds(const QList<QAction*>& actions) {
  std::vector<int> ids;
  for (QAction* action : actions) ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
  return ids;
}

// Answers every box through a function and remembers the texts.
class BoxAnswers : public MessageBoxHandler {
 public:
  explicit BoxAnswers(std::function<int(const MessageBoxRequest&)> answer)
      : answer_(std::move(answer)), previous_(CurrentMessageBoxHandler()) {
    SetMessageBoxHandler(this);
  }
  ~BoxAnswers() override { SetMessageBoxHandler(previous_); }
  int Show(const MessageBoxRequest& request) override {
    texts.push_back(request.text);
    return answer_(request);
  }
  std::vector<std::string> texts;

 private:
  std::function<int(const MessageBoxRequest&)> answer_;
  MessageBoxHandler* previous_;
};

// The frame's question (the record file's own message comes before it).
bool IsSaveQuestion(const MessageBoxRequest& request) {
  return request.text.find("erneut gespeichert") != std::string::npos;
}

}  // namespace

TEST(FramePlacement, KeepsAnIconOnScreen) {
  struct Case {
    FramePlacement stored;
    FramePlacement expected;
  } cases[] = {
      {{0, 1, 100, 50, 900, 650}, {0, 1, 100, 50, 900, 650}},
      {{0, 1, 1888, 50, 2600, 650}, {0, 1, 1888, 50, 2600, 650}},     // one pixel short of the limit
      {{0, 1, 1889, 50, 2600, 650}, {0, 1, 1888, 50, 2600, 650}},     // at the limit: moved back
      {{0, 3, 2500, 1200, 3000, 1500}, {0, 3, 1888, 1048, 3000, 1500}},  // right and bottom stay
  };
  for (const Case& c : cases) EXPECT_EQ(KeepOnScreen(c.stored, 1920, 1080), c.expected);
}

class MainFrame : public MainFrameTesting {
 protected:
  void SetUp() override {
    MainFrameTesting::SetUp();
    app_.PlantIdentity = {"12", "Schotterwerke Südbaden", "34", "Kieswerk Mühlhausen"};
  }

  void SelectRow(int row) { SelectRows(*frame_->view(), {row}); }
  int RowOf(const std::string& number) { return MainViewTesting::RowOf(*frame_->view()->model(), number); }
};

TEST_F(MainFrame, MenuToolbarStatusBarAndTitle) {
  CMainFrame& frame = Open();
  EXPECT_EQ(frame.windowTitle().toStdString(),
            "Pravik " + ProgramVersion() +
                " - WERKVERSION      Werk: Kieswerk Mühlhausen (34)      Betreiber: Schotterwerke Südbaden (12)");

  const QList<QAction*> popups = frame.menuBar()->actions();
  ASSERT_EQ(popups.size(), 4);
  EXPECT_EQ(popups[0]->text().toStdString(), "&Datei");
  EXPECT_EQ(popups[3]->text().toStdString(), "&?");
  EXPECT_EQ(CommandIds(popups[0]->menu()->actions()),
            (std::vector<int>{9101, 9104, 0, 9102, 9103, 0, 57607, 57609, 57606, 0, 57665}));
  EXPECT_EQ(CommandIds(popups[1]->menu()->actions()), (std::vector<int>{9001, 9005, 0, 9002, 9003, 9004}));
  EXPECT_EQ(CommandIds(popups[3]->menu()->actions()), (std::vector<int>{32818, 0, 57664}));
  const QList<QAction*> settings = popups[2]->menu()->actions();
  ASSERT_EQ(settings.size(), 6);
  EXPECT_EQ(settings[4]->text().toStdString(), "&Sprache (experimentell)");
  EXPECT_EQ(CommandIds(settings[4]->menu()->actions()), (std::vector<int>{40003, 40004}));
  EXPECT_EQ(settings[5]->data().toInt(), 10007);
  EXPECT_EQ(frame.commands().Action(57607)->text().toStdString(), "&Drucken...\tStrg+P");

  EXPECT_EQ(CommandIds(frame.toolBar()->actions()),
            (std::vector<int>{57607, 57609, 57606, 0, 9001, 9005, 9002, 9003, 9004, 9011, 9012, 9013, 0, 9101, 9104, 0,
                              9102, 9103, 0, 9014, 10005}));
  EXPECT_FALSE(frame.commands().Update(10005));
  // Every button the user sees has a picture; the blank one is not shown.
  for (QAction* action : frame.toolBar()->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_EQ(action->isVisible(), action->data().toInt() != 10005) << action->data().toInt();
  }
  EXPECT_FALSE(app_.GetCommandIcon(9101).isNull());  // dialogs show the toolbar images
  std::vector<std::string> panes;
  for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) panes.push_back(label->text().toStdString());
  EXPECT_EQ(panes, (std::vector<std::string>{"", "UF", "NUM", "RF"}));

  // The view's selection text goes to the message pane.
  SelectRow(RowOf("12-34-0002"));
  EXPECT_EQ(frame.MessageText(), "Markiert: 1     12-34-0002        Kies 2/8 (DIN EN 12620)");
}

TEST_F(MainFrame, TestCommandsFollowTheRecordsTestTypes) {
  CMainFrame& frame = Open();
  std::vector<std::string> calls;
  frame.view()->SetOpenerObserver([&](std::string_view name) { calls.emplace_back(name); });
  CommandTable& commands = frame.commands();
  EXPECT_FALSE(commands.Update(9215));  // no record
  SelectRow(RowOf("12-34-0002"));      // flakiness, no crushed surfaces
  EXPECT_TRUE(commands.Update(9215));
  EXPECT_TRUE(commands.Update(9212));
  EXPECT_FALSE(commands.Update(9204));
  EXPECT_FALSE(commands.Update(9210));
  EXPECT_FALSE(commands.Execute(9204));
  EXPECT_TRUE(commands.Execute(9215));
  EXPECT_EQ(calls, (std::vector<std::string>{"EditPlattigkeit"}));
  SelectRow(RowOf("07-34-0004"));  // has "VA_100MM": 9201 opens the test of that key
  EXPECT_TRUE(commands.Execute(9201));
  EXPECT_EQ(calls.back(), "EditLaenger100");
}

TEST_F(MainFrame, PlacementIsWrittenAtTheEndAndTakenAtTheStart) {
  WorkAreaGuard screen(QRect(0, 0, 1920, 1050));
  {
    CMainFrame& frame = Open();
    frame.ActivateFrame();
    frame.setGeometry(120, 80, 900, 600);
    ASSERT_TRUE(frame.close());
  }
  EXPECT_EQ(Ini("Layout", "showCmd"), "1");
  EXPECT_EQ(Ini("Layout", "x1"), "120");
  EXPECT_EQ(Ini("Layout", "y1"), "80");
  EXPECT_EQ(Ini("Layout", "x2"), "1020");
  EXPECT_EQ(Ini("Layout", "y2"), "680");
  EXPECT_EQ(Ini("Layout", "SortOrder"), "0;0;0;0");  // the view wrote its layout too
  const std::optional<FramePlacement> stored = ReadFramePlacement();
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, (FramePlacement{0, 1, 120, 80, 1020, 680}));

  CMainFrame& again = Open();
  again.ActivateFrame();
  EXPECT_EQ(again.geometry(), QRect(120, 80, 900, 600));
  EXPECT_TRUE(again.isVisible());

  // One key missing: the default placement.
  ProgramProfile(folder_ / "pravik.ini").WriteString("Layout", "y2", "");
  EXPECT_FALSE(ReadFramePlacement());
}

// A placement saved on a larger screen, and the default size, on a notebook
// whose task bar leaves 1366x728: the whole frame on the screen.
TEST_F(MainFrame, AWindowFromALargerScreenIsMovedAndShrunkIntoTheNotebook) {
  const QRect notebook(0, 0, 1366, 728);
  WorkAreaGuard screen(notebook);
  // The frame's normal rectangle with its title bar and borders.
  auto onScreen = [&](const CMainFrame& frame) {
    const QRect normal = frame.isMaximized() ? frame.normalGeometry() : QRect(frame.pos(), frame.size());
    return notebook.contains(QRect(normal.topLeft(), normal.size() + QSize(kFrameRoomWidth, kFrameRoomHeight)));
  };
  {
    CMainFrame& frame = Open();
    frame.ActivateFrame();
    EXPECT_TRUE(onScreen(frame)) << "the default size";
    ASSERT_TRUE(frame.close());
  }
  for (int showCmd : {kShowNormal, kShowMaximized}) {
    SCOPED_TRACE(showCmd);
    ASSERT_TRUE(WriteFramePlacement({0, showCmd, 400, 300, 1900, 1180}));
    CMainFrame& frame = Open();
    frame.ActivateFrame();
    EXPECT_TRUE(onScreen(frame));
    EXPECT_EQ(frame.isMaximized(), showCmd == kShowMaximized);
    ASSERT_TRUE(frame.close());
  }
}

TEST_F(MainFrame, ResetLayoutKeyIsClearedAtTheNextStart) {
  ProgramProfile(folder_ / "pravik.ini").WriteInt("Allgemeines", "ResetLayout", 1);
  CMainFrame& frame = Open();
  EXPECT_EQ(Ini("Allgemeines", "ResetLayout"), "0");
  frame.OnMenueToolbarZuruecksetzen();
  EXPECT_EQ(Ini("Allgemeines", "ResetLayout"), "1");
}

TEST_F(MainFrame, LanguageCommandsSwitchTheMenuAndAreStored) {
  // The English file in a folder of its own, and a translation tool that marks what it adds.
  TempFolder languages;
  fs::copy_file(kMainViewFixture / "PravikLang-en.txt", languages / "PravikLang-en.txt");
  fs::create_directory(languages / "bin");
  WriteScript(languages / "bin" / "deepl", "printf 'T[%s]\\n' \"$6\"");
  const char* path = std::getenv("PATH");
  EnvGuard pathGuard("PATH", (languages / "bin").string() + ":" + (path ? path : "/usr/bin:/bin"));
  LanguageFolderScope scope(languages.path());
  SetCurrentLangCode("");

  CMainFrame& frame = Open();
  CommandTable& commands = frame.commands();
  commands.UpdateAll();
  EXPECT_TRUE(commands.Action(40003)->isChecked());
  EXPECT_FALSE(commands.Action(40004)->isChecked());

  {
    // The list's headings follow at the next start: said at the first switch of the run only.
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "nächsten Programmstart");
    ASSERT_TRUE(commands.Execute(40004));
    ui.VerifyAllShown();
  }
  EXPECT_EQ(Ini("General", "LangCode"), "en");
  EXPECT_EQ(Ini("General", "PrintGerman"), "");
  const QList<QAction*> popups = frame.menuBar()->actions();
  EXPECT_EQ(popups[0]->text().toStdString(), "&File");
  EXPECT_EQ(popups[2]->text().toStdString(), "&Settings");
  EXPECT_EQ(commands.Action(57665)->text().toStdString(), "E&xit");
  EXPECT_EQ(commands.Action(40004)->text().toStdString(), "&English");
  EXPECT_FALSE(commands.Action(40003)->isChecked());
  EXPECT_TRUE(commands.Action(40004)->isChecked());
  // The panel keys are named anew.
  EXPECT_EQ(frame.view()->panel()->state().CaptionAt(4), TranslateString(5005, "Stoffe org. Urspr."));

  {
    platform::TestUi quiet;  // no second notice
    ASSERT_TRUE(commands.Execute(40003));
    quiet.VerifyAllShown();
  }
  EXPECT_EQ(Ini("General", "LangCode"), "de");
  EXPECT_EQ(popups[0]->text().toStdString(), "&Datei");
  EXPECT_EQ(commands.Action(57665)->text().toStdString(), "&Beenden");
  EXPECT_TRUE(commands.Action(40003)->isChecked());
  EXPECT_FALSE(commands.Action(40004)->isChecked());

  // A start in English: the view's commands keep the translated menu texts.
  SetCurrentLangCode("en");
  CMainFrame& english = Open();
  EXPECT_EQ(english.commands().Action(10007)->text().toStdString(), "Reset column layout");
  EXPECT_TRUE(english.commands().Execute(10007));
}

TEST_F(MainFrame, TheEndOfTheSieveProgramRestoresTheTitle) {
  CMainFrame& frame = Open();
  const QString title = frame.windowTitle();
  WriteScript(folder_ / "gradix", "sleep 0.2");
  SelectRow(RowOf("12-34-0002"));
  frame.view()->StartSieveProgram();
  ASSERT_TRUE(app_.SieveProgramActive);
  EXPECT_EQ(frame.windowTitle().toStdString(), "Pravik (inactive)");
  ASSERT_TRUE(SpinUntil([this] { return !app_.SieveProgramActive; }));
  EXPECT_EQ(frame.windowTitle(), title);

  // Told directly, with whatever it carries.
  app_.SieveProgramActive = true;
  frame.setWindowTitle("Pravik (inactive)");
  frame.OnSieveProgramEnded();
  EXPECT_FALSE(app_.SieveProgramActive);
  EXPECT_EQ(frame.windowTitle(), title);
}

TEST_F(MainFrame, ClosingSavesAllRecords) {
  CMainFrame& frame = Open();
  CRecordListModel* model = frame.view()->model();
  model->RecordAt(0)->SetValue(1, 7, "geändert");
  frame.ActivateFrame();
  ASSERT_TRUE(frame.close());
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  ASSERT_EQ(saved.size(), 13u);
  EXPECT_EQ(saved[0]->GetValue(1, 7), "geändert");
}

// After a failed save the window does not close silently: try again, close
// anyway, or stay open.
TEST_F(MainFrame, AFailedSaveAsksBeforeTheWindowCloses) {
  CMainFrame& frame = Open();
  frame.ActivateFrame();
  frame.view()->model()->RecordAt(0)->SetValue(1, 7, "nur im Speicher");
  const std::string before = platform::ReadFileBytes(folder_ / "data.db").value_or("");
  app_.m_Settings.m_DataFolder = folder_ / "gone";

  {  // Cancel: the window stays open with the records.
    BoxAnswers boxes([](const MessageBoxRequest& r) { return IsSaveQuestion(r) ? IDCANCEL : IDOK; });
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(boxes.texts.size(), 2u);  // the save's own message, then the question
    EXPECT_TRUE(IsSaveQuestion({boxes.texts[1], "", 0}));
  }
  EXPECT_EQ(Ini("Layout", "SortOrder"), "<none>");  // nothing of the end has run

  {  // Yes: try again; the folder is back, so the second save succeeds and the window closes.
    BoxAnswers boxes([this](const MessageBoxRequest& r) {
      if (!IsSaveQuestion(r)) return IDOK;
      app_.m_Settings.m_DataFolder = folder_.path();
      return IDYES;
    });
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(boxes.texts.size(), 2u);
  }
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  EXPECT_EQ(saved[0]->GetValue(1, 7), "nur im Speicher");
  EXPECT_NE(platform::ReadFileBytes(folder_ / "data.db").value_or(""), before);
}

TEST_F(MainFrame, AFailedSaveClosesAnywayOnlyWhenTheUserSaysSo) {
  CMainFrame& frame = Open();
  frame.ActivateFrame();
  const std::string before = platform::ReadFileBytes(folder_ / "data.db").value_or("");
  app_.m_Settings.m_DataFolder = folder_ / "gone";
  int questions = 0;
  BoxAnswers boxes([&](const MessageBoxRequest& r) {
    if (!IsSaveQuestion(r)) return IDOK;
    EXPECT_EQ(r.flags & MB_TYPEMASK, static_cast<unsigned>(MB_YESNOCANCEL));
    EXPECT_EQ(DefaultMessageBoxAnswer(r.flags), IDCANCEL);  // staying open is the default
    return ++questions < 3 ? IDYES : IDNO;  // two more tries, then close anyway
  });
  EXPECT_TRUE(frame.close());
  EXPECT_EQ(questions, 3);
  EXPECT_EQ(platform::ReadFileBytes(folder_ / "data.db").value_or(""), before);
}

TEST_F(MainFrame, PrintCommandPrintsTheSelectedRecordsPages) {
  CMainFrame& frame = Open();
  SelectRow(RowOf("12-05-0003"));  // sieve analysis, petrography and alkali done: pages A, B and D
  const fs::path pdf = folder_ / "bericht.pdf";
  {
    platform::TestUi ui;
    ui.ExpectPrintDialog(true, pdf);
    EXPECT_TRUE(frame.commands().Execute(57607));
    ui.VerifyAllShown();
  }
  const pdftest::PdfText text = pdftest::ReadPdf(pdf);
  EXPECT_EQ(text.pages.size(), 3u);
  EXPECT_NE(text.Find("12-05-0003", 1), nullptr);
}
