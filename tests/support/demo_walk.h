#pragma once
// The program started on a fresh demo installation in a language and walked
// as a curious user walks it, through ExploringUi: every menu command, form
// button and panel test of one record of each kind and the windows behind
// them, a print of each kind, the context menu, the raw editor, the status
// sort chooser, export, import, archive and dearchive.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/exlistctrl.h"
#include "evaluation/kornform/kornformsdmeinfachdlg.h"
#include "evaluation/petrographie/petrographiedlg.h"
#include "evaluation/wasserbausteine/wbsverzweigungdlg.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "services/pravikapp.h"
#include "shell/archive/archivedlgs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "shell/statistics/statistikdlg.h"
#include "support/exploring_ui.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

// One record of each kind of the demo plant: aggregate, new track ballast,
// recycled grading mixture, armourstone, concrete aggregate, crushed sand,
// recycled building material, reprocessed track ballast.
// The English language file that ships with the program.
inline const std::filesystem::path kShippedEnglish =
    std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "PravikLang-en.txt";

inline const std::vector<std::string> kOneOfEachKind = {"12-34-2501", "12-34-2515", "12-34-2521", "12-34-2527",
                                                        "12-34-2531", "12-34-2535", "12-34-2538", "12-34-2541"};

// The windows behind the first ones: what their buttons open.
inline void LookBehindTheFirstWindows(ExploringUi& ui) {
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

class DemoWalk : public ::testing::Test {
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

  // The whole walk, the reports printed into the program folder.
  void WalkEverywhere(const std::string& langCode) {
    LookBehindTheFirstWindows(ui_);
    StartIn(langCode);
    Select(kOneOfEachKind[0]);
    EveryMenuCommand();
    EveryFormButton();
    for (const std::string& number : kOneOfEachKind) {
      EveryPanelTest(number);
      ui_.PrintInto(program_ / ("report-" + number + ".pdf"));
      frame_->commands().Execute(57607);
      EXPECT_TRUE(std::filesystem::exists(program_ / ("report-" + number + ".pdf"))) << number;
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
    const std::filesystem::path transfer = program_ / "transfer.xml";
    ui_.AnswerFileDialog(transfer);
    frame_->commands().Execute(9103);
    ui_.AnswerFileDialog(transfer);
    frame_->commands().Execute(9102);
    frame_->commands().Execute(9101);
    frame_->commands().Execute(9104);

    // The simple form of the shape index, which no demo record keeps.
    CKornformSDMEinfachDlg simpleShapeIndex(frame_);
    simpleShapeIndex.m_TestNumber = kOneOfEachKind[0];
    simpleShapeIndex.DoModal();
  }

  TempFolder program_;
  TempFolder guard_;
  // The only translation tool is one that marks a text as untranslated, so
  // that the program stores every text it does not find.
  TempFolder tools_;
  std::filesystem::path marker_ = WriteScript(tools_ / "deepl", "shift 5; printf '#%s' \"$1\"");
  EnvGuard path_{"PATH", tools_.path().string()};
  StartupOptions options_;
  ExploringUi ui_;
  CPravikWinApp app_;
  std::unique_ptr<CStartup> startup_;
  CMainFrame* frame_ = nullptr;
  CForm1View* view_ = nullptr;
};

