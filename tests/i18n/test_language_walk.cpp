// The shipped English language file against the program as a user meets it:
// the program started in English on a fresh demo installation and walked
// through every menu command, toolbar button, form button, the context menu,
// the status sort chooser, every panel test of one record of each kind and a
// print of each kind. A text the file does not hold is added to it by the
// program itself (marked "#" without a translation tool); whatever was added
// is missing from the shipped file. In German the same walk leaves the
// language file alone.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "evaluation/petrographie/petrographiedlg.h"
#include "evaluation/wasserbausteine/wbsverzweigungdlg.h"
#include "services/pravikapp.h"
#include "shell/archive/archivedlgs.h"
#include "shell/statistics/statistikdlg.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "support/exploring_ui.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace {

namespace fs = std::filesystem;

const fs::path kShippedEnglish = fs::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "PravikLang-en.txt";

// One record of each kind of the demo plant: aggregate, new track ballast,
// recycled grading mixture, armourstone, concrete aggregate, crushed sand,
// recycled building material, reprocessed track ballast.
const std::vector<std::string> kOneOfEachKind = {"12-34-2501", "12-34-2515", "12-34-2521", "12-34-2527",
                                                 "12-34-2531", "12-34-2535", "12-34-2538", "12-34-2541"};

// The lines of a language file, without line ends.
std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  const std::string bytes = platform::ReadFileBytes(file).value_or("");
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The entries of the walked file that the shipped one lacks, each under the
// section it was added to.
std::string AddedEntries(const fs::path& shipped, const fs::path& walked) {
  const std::vector<std::string> before = Lines(shipped);
  const std::multiset<std::string> had(before.begin(), before.end());
  std::string added, section, lastSection;
  for (const std::string& line : Lines(walked)) {
    if (!line.empty() && line.front() == '[') section = line;
    if (line.empty() || had.count(line)) continue;
    if (section != lastSection) added += section + "\n";
    lastSection = section;
    added += line + "\n";
  }
  return added;
}

class LanguageWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    ASSERT_TRUE(demo::MakeDemoInstallation(program_.path(), program_ / "demo-data").ok);
    ASSERT_TRUE(platform::CopyFile(kShippedEnglish, program_ / "PravikLang-en.txt"));
    SetLanguageFolder(program_.path());
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guard_.path();
  }
  void TearDown() override {
    SetCurrentLangCode("");
    SetLanguageFolder({});
    QApplication::setQuitOnLastWindowClosed(true);
  }

  void StartIn(const std::string& langCode) {
    ASSERT_TRUE(platform::WriteFileBytes(program_ / "demo-data" / "pravik.ini",
                                         "[General]\r\nLangCode=" + langCode + "\r\n"));
    ui_.LookAt(538, [](platform::DialogDriver& d) {
      static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0);
      d.Press(platform::IDOK);
    });
    startup_ = std::make_unique<CStartup>(app_, options_);
    ASSERT_TRUE(startup_->InitInstance());
    frame_ = startup_->Frame();
    view_ = frame_->view();
  }
  void Close() {
    if (startup_) startup_->ExitInstance();
    startup_.reset();
  }

  int RowOf(const std::string& number) const {
    for (int row = 0; row < view_->model()->RecordCount(); ++row)
      if (view_->model()->RecordAt(row)->GetValue(1, 0) == number) return row;
    ADD_FAILURE() << "no row " << number;
    return 0;
  }
  void Select(const std::string& number) {
    const int row = RowOf(number);
    QItemSelectionModel* selection = view_->list()->selectionModel();
    selection->clearSelection();
    selection->select(view_->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(view_->model()->index(row, 0), QItemSelectionModel::NoUpdate);
    EXPECT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  }

  // Every command of the menus but the end of the program and the languages.
  void EveryMenuCommand() {
    std::vector<QAction*> actions;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
      emit menu->aboutToShow();
      for (QAction* action : menu->actions()) {
        if (action->menu()) collect(action->menu());
        else if (!action->isSeparator()) actions.push_back(action);
      }
    };
    for (QAction* popup : frame_->menuBar()->actions())
      if (popup->menu()) collect(popup->menu());
    for (QAction* action : actions) {
      const int id = action->data().toInt();
      if (id == 57665 || id == 40003 || id == 40004) continue;
      SCOPED_TRACE(id);
      frame_->commands().Update(id);
      if (action->isEnabled()) action->trigger();
    }
  }
  void EveryFormButton() {
    for (int id : {CForm1View::kNewRecordButton, CForm1View::kDeleteButton, CForm1View::kPeriodStatisticsButton,
                   CForm1View::kMaterialStatisticsButton, CForm1View::kMixtureButton, CForm1View::kSameTowerButton}) {
      QAbstractButton* button = view_->button(id);
      if (button && button->isEnabled()) button->click();
    }
  }
  void EveryPanelTest(const std::string& number) {
    Select(number);
    CButtonListbox* panel = view_->panel();
    for (int item = 0; item < panel->ItemCount(); ++item) {
      if (!panel->IsKeyEnabled(item)) continue;
      SCOPED_TRACE(number + " " + panel->GetKeyAt(item));
      if (panel->GetKeyAt(item) == "VA_SIEBL") continue;  // starts the sieve program
      view_->OnLbnSelChangeTestTypePanel(item);
    }
  }

  TempFolder program_;
  TempFolder guard_;
  // The only translation tool is one that marks a text as untranslated, so
  // that the program stores every text it does not find.
  TempFolder tools_;
  fs::path marker_ = WriteScript(tools_ / "deepl", "shift 5; printf '#%s' \"$1\"");
  EnvGuard path_{"PATH", tools_.path().string()};
  StartupOptions options_;
  ExploringUi ui_;
  CPravikWinApp app_;
  std::unique_ptr<CStartup> startup_;
  CMainFrame* frame_ = nullptr;
  CForm1View* view_ = nullptr;
};

// The windows behind the first ones: what their buttons open.
void LookBehindTheFirstWindows(ExploringUi& ui) {
  using platform::DialogDriver;
  auto click = [](DialogDriver& d, const char* name) {
    if (auto* button = d.dialog().findChild<QAbstractButton*>(name)) button->click();
  };
  ui.LookAt(592, [click](DialogDriver& d) { click(d, "newCustomer"); });          // the customer's name
  ui.LookAt(CStatistikDlg::kTemplateId, [](DialogDriver& d) { d.Click(CStatistikDlg::kChooseWeek); });
  ui.LookAt(CPetrographieDlg::kTemplateId, [](DialogDriver& d) { d.Click(CPetrographieDlg::kFirstTextButton); });
  // Both branches of the armourstone choice, one after the other.
  auto branch = std::make_shared<int>(0);
  ui.LookAt(CWBSVerzweigungDlg::kTemplateId, [branch](DialogDriver& d) {
    d.Click((*branch)++ % 2 ? CWBSVerzweigungDlg::kMassenverteilung : CWBSVerzweigungDlg::kGroessenverteilung);
  });
  // A month archived and dearchived again, with their protocols.
  auto tickFirstMonth = [](DialogDriver& d) {
    auto& dialog = static_cast<CMonthListDlg&>(d.dialog());
    for (int row = 0; row < static_cast<int>(dialog.Rows().size()); ++row)
      if (dialog.Rows()[static_cast<size_t>(row)].key.size() == 6) {
        dialog.SetTick(row, true);
        break;
      }
    SpinUntil([&dialog] { return !dialog.TickRulesPending(); });
    d.Press(platform::IDOK);
  };
  ui.LookAt(CArchivierenDlg::kTemplateId, tickFirstMonth);
  ui.LookAt(CDearchivierenDlg::kTemplateId, tickFirstMonth);
}

TEST_F(LanguageWalk, EveryWindowOfTheDemoFindsItsEnglishInTheShippedFile) {
  LookBehindTheFirstWindows(ui_);
  StartIn("en");
  Select(kOneOfEachKind[0]);
  EveryMenuCommand();
  EveryFormButton();
  for (const std::string& number : kOneOfEachKind) {
    EveryPanelTest(number);
    ui_.PrintInto(program_ / ("report-" + number + ".pdf"));
    frame_->commands().Execute(57607);
    EXPECT_TRUE(fs::exists(program_ / ("report-" + number + ".pdf"))) << number;
  }
  // The other armourstone records: the sheets of their other branches.
  for (const std::string number : {"12-34-2528", "12-34-2529", "12-34-2530"}) EveryPanelTest(number);

  // The record commands of the context menu, the raw editor, the status sort chooser.
  Select(kOneOfEachKind[0]);
  const int row = RowOf(kOneOfEachKind[0]);
  for (int pick : {9213, 9216}) {
    ui_.PickFromPopupMenu(pick);
    view_->OnNMRClickList(row, QPoint(10, 10));
  }
  view_->OpenRawRecordEditor(row);
  view_->OnLvnColumnClickList(1);
  EXPECT_TRUE(SpinUntil([this] { return ui_.SawDialog(594); }));

  // Export and import of the selected record, then a month archived and dearchived.
  const fs::path transfer = program_ / "transfer.xml";
  ui_.AnswerFileDialog(transfer);
  frame_->commands().Execute(9103);
  ui_.AnswerFileDialog(transfer);
  frame_->commands().Execute(9102);
  frame_->commands().Execute(9101);
  frame_->commands().Execute(9104);
  Close();

  EXPECT_EQ(AddedEntries(kShippedEnglish, program_ / "PravikLang-en.txt"), "")
      << "the shipped English language file lacks these texts (\"#\" and the German text as the program shows them)";
}

// A data folder held by someone else: the notice that says who.
TEST_F(LanguageWalk, TheLockNoticeFindsItsEnglish) {
  ASSERT_TRUE(platform::WriteFileBytes(program_ / "demo-data" / "lock.lck",
                                       "[labor-2][mueller][20250612083000][C:\\Pravik\\pravik.exe]"));
  ASSERT_TRUE(platform::WriteFileBytes(program_ / "demo-data" / "pravik.ini", "[General]\r\nLangCode=en\r\n"));
  ui_.LookAt(538, [](platform::DialogDriver& d) {
    static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0);
    d.Press(platform::IDOK);
  });
  CStartup startup(app_, options_);
  EXPECT_FALSE(startup.InitInstance());
  EXPECT_TRUE(ui_.Saw(platform::UiKind::kDialog, "")) << "the notice";
  EXPECT_EQ(AddedEntries(kShippedEnglish, program_ / "PravikLang-en.txt"), "");
}

// In German the same windows leave the language file as it was.
TEST_F(LanguageWalk, GermanTranslatesNothing) {
  StartIn("de");
  Select(kOneOfEachKind[0]);
  EveryMenuCommand();
  EveryFormButton();
  for (const std::string& number : kOneOfEachKind) EveryPanelTest(number);
  Close();
  EXPECT_EQ(platform::ReadFileBytes(program_ / "PravikLang-en.txt"), platform::ReadFileBytes(kShippedEnglish));
  EXPECT_FALSE(ui_.Saw(platform::UiKind::kDialog, "#"));
  EXPECT_FALSE(ui_.Saw(platform::UiKind::kMessageBox, "#"));
}

}  // namespace
