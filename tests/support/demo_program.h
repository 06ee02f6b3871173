#pragma once
// The program started on a fresh demo installation, for end-to-end tests:
// the demo plant chosen in the plant selection through the scripted seam,
// the main frame and view at hand, rows found by test number and clicked as
// the mouse clicks them. The program closes (saving every record) at the end
// of the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/exlistctrl.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

class DemoProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    ASSERT_TRUE(demo::MakeDemoInstallation(program_.path(), data()).ok);
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guard_.path();
    ui_.ExpectDialog(538, [](platform::DialogDriver& d) { static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0); },
                     platform::IDOK);
    startup_ = std::make_unique<CStartup>(app_, options_);
    ASSERT_TRUE(startup_->InitInstance());
    frame_ = startup_->Frame();
    view_ = frame_->view();
  }
  void TearDown() override {
    if (startup_) startup_->ExitInstance();
    QApplication::setQuitOnLastWindowClosed(true);
  }

  std::filesystem::path data() const { return program_ / "demo-data"; }
  std::string DataDb() const { return platform::ReadFileBytes(data() / kRecordFileName).value_or("<none>"); }

  int RowOf(const std::string& number) const {
    for (int row = 0; row < view_->model()->RecordCount(); ++row)
      if (view_->model()->RecordAt(row)->GetValue(1, 0) == number) return row;
    ADD_FAILURE() << "no row " << number;
    return -1;
  }
  void Mouse(QEvent::Type type, int row) {
    CExListCtrl* list = view_->list();
    const QPoint at = list->visualRect(view_->model()->index(row, 2)).center();
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  // A click on the row of the test number; the selection is evaluated.
  void Click(const std::string& number) {
    const int row = RowOf(number);
    Mouse(QEvent::MouseButtonPress, row);
    Mouse(QEvent::MouseButtonRelease, row);
    ASSERT_TRUE(SpinUntil([this] { return !view_->SelectionEvaluationPending(); }));
  }
  void DoubleClick(const std::string& number) {
    Click(number);
    const int row = RowOf(number);
    Mouse(QEvent::MouseButtonDblClick, row);
    Mouse(QEvent::MouseButtonRelease, row);
  }

  TempFolder program_;
  TempFolder guard_;
  StartupOptions options_;
  platform::TestUi ui_;
  CPravikWinApp app_;
  std::unique_ptr<CStartup> startup_;
  CMainFrame* frame_ = nullptr;
  CForm1View* view_ = nullptr;
};
