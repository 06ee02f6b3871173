// The four file commands of the main frame: their enabling and their way from
// the menu "&Datei" and from the toolbar to the view's handlers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "services/pravikdoc.h"
#include "shell/archive/archivedlgs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/mainview_testing.h"
#include "support/scripted_ui_gtest.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

class FileCommands : public MainViewTesting {
 protected:
  void SetUp() override {
    MainViewTesting::SetUp();
    QApplication::setQuitOnLastWindowClosed(false);
    app_.WriteProfileString("Archivierung", "Ordner", (folder_ / "archiv").string());
    ASSERT_TRUE(doc_.OnNewDocument());
    frame_ = std::make_unique<CMainFrame>();
    frame_->SetView(new CForm1View(&doc_));
  }
  void TearDown() override {
    frame_.reset();
    QApplication::setQuitOnLastWindowClosed(true);
  }

  QAction* MenuAction(int id) const {
    for (QAction* action : frame_->menuBar()->actions().front()->menu()->actions())
      if (!action->isSeparator() && action->data().toInt() == id) return action;
    return nullptr;
  }
  QToolButton* ToolButton(int id) const {
    for (QAction* action : frame_->toolBar()->actions())
      if (!action->isSeparator() && action->data().toInt() == id)
        return qobject_cast<QToolButton*>(frame_->toolBar()->widgetForAction(action));
    return nullptr;
  }
  // What each command opens first, answered with Cancel.
  static void ExpectFirstWindow(platform::TestUi& ui, int id) {
    if (id == 9101) ui.ExpectDialog(CArchivierenDlg::kTemplateId, IDCANCEL);
    if (id == 9102 || id == 9103) ui.ExpectFileDialog(std::nullopt);
    if (id == 9104) ui.ExpectMessageBox(IDOK, "Keine Archivdateien");
  }

  CPravikDoc doc_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(FileCommands, EnabledAsTheirRulesSayAndReachedFromMenuAndToolbar) {
  platform::CommandTable& commands = frame_->commands();
  for (int id : {9101, 9102, 9104}) EXPECT_TRUE(commands.Update(id)) << id;
  EXPECT_FALSE(commands.Update(9103));
  SelectRows(*frame_->view(), {0});
  EXPECT_TRUE(commands.Update(9103));

  for (int id : {9101, 9102, 9103, 9104}) {
    QAction* item = MenuAction(id);
    QToolButton* button = ToolButton(id);
    ASSERT_NE(item, nullptr) << id;
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->defaultAction(), item);
    commands.Update(id);
    ASSERT_TRUE(button->isEnabled()) << id;
    {
      platform::TestUi ui;
      ExpectFirstWindow(ui, id);
      item->trigger();
      ui.VerifyAllShown();
    }
    {
      platform::TestUi ui;
      ExpectFirstWindow(ui, id);
      button->click();
      ui.VerifyAllShown();
    }
  }
}

TEST_F(FileCommands, TheSieveProgramBlocksAllFour) {
  SelectRows(*frame_->view(), {0});
  app_.SieveProgramActive = true;
  for (int id : {9101, 9102, 9103, 9104}) {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
    EXPECT_TRUE(frame_->commands().Execute(id));
    ui.VerifyAllShown();
  }
}

}  // namespace
