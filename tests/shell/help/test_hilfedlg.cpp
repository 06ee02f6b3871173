// The tips window of the main view (command 9014): shown beside the main
// window without taking its activation, the topic read again at every call,
// hidden by "Schließen", its rectangle kept at the end; and the topic that
// ships with the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

#include "controls/autorichedit.h"
#include "controls/rtfreader.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "services/autoresize.h"
#include "services/pravikdoc.h"
#include "shell/help/hilfedlg.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/mainview_testing.h"
#include "support/work_area.h"

namespace fs = std::filesystem;

namespace {

class TipsWindow : public MainFrameTesting {
 protected:
  void SetUp() override {
    MainFrameTesting::SetUp();
    platform::CreateFolder(folder_ / "hlp");
    Open();
  }

  void WriteTopic(const std::string& title) {
    ASSERT_TRUE(platform::WriteTextFile(Topic(), "{\\rtf1\\ansi{\\b " + title + "}\\par Zweite Zeile\\par}\n"));
  }
  fs::path Topic() const { return folder_ / "hlp" / "tipps_und_tricks.rtf"; }
  void Settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  std::string Shown() const { return Tips()->text()->toPlainText().toStdString(); }
  CHilfeDlg* Tips() const { return frame_->view()->TipsWindow(); }
};

}  // namespace

TEST_F(TipsWindow, ShownBesideTheMainWindowAndReadAgainAtEveryCall) {
  WriteTopic("Tipps");
  frame_->show();
  frame_->activateWindow();
  ASSERT_TRUE(SpinUntil([this] { return QApplication::activeWindow() == frame_.get(); }));

  ASSERT_TRUE(frame_->commands().Execute(9014));
  CHilfeDlg* tips = Tips();
  ASSERT_NE(tips, nullptr);
  Settle();
  EXPECT_TRUE(tips->isVisible());
  EXPECT_FALSE(tips->isModal());
  EXPECT_EQ(QApplication::activeWindow(), frame_.get());
  EXPECT_EQ(tips->windowTitle().toStdString(), "Tipps und Tricks");
  EXPECT_EQ(Shown(), "Tipps\nZweite Zeile");
  EXPECT_TRUE(tips->text()->Document().paragraphs[0].runs[0].format.bold);

  // A changed topic shows at the next call, in the same window.
  WriteTopic("Neue Tipps");
  frame_->commands().Execute(9014);
  Settle();
  EXPECT_EQ(Tips(), tips);
  EXPECT_EQ(Shown(), "Neue Tipps\nZweite Zeile");
  EXPECT_EQ(QApplication::activeWindow(), frame_.get());

  // "Schließen" hides it; the next call shows it again.
  tips->Item<QPushButton>(1)->click();
  EXPECT_FALSE(tips->isVisible());
  frame_->commands().Execute(9014);
  Settle();
  EXPECT_TRUE(tips->isVisible());

  // A missing topic leaves the window as it was, without a message.
  platform::DeleteFile(Topic());
  frame_->commands().Execute(9014);
  EXPECT_EQ(Shown(), "Neue Tipps\nZweite Zeile");
}

TEST_F(TipsWindow, TheRectangleIsKeptAtTheEnd) {
  WriteTopic("Tipps");
  frame_->commands().Execute(9014);
  CHilfeDlg* tips = Tips();
  ASSERT_NE(tips, nullptr);
  Settle();
  // Resizing stretches the text and keeps "Schließen" at the lower right.
  const QRect text = tips->text()->geometry();
  const QRect close = tips->Item<QPushButton>(1)->geometry();
  tips->resize(tips->width() + 100, tips->height() + 60);
  Settle();
  EXPECT_EQ(tips->text()->geometry(), text.adjusted(0, 0, 100, 60));
  EXPECT_EQ(tips->Item<QPushButton>(1)->geometry(), close.translated(100, 60));
  tips->move(40, 30);
  const QSize size = tips->size();
  Settle();

  frame_.reset();  // the view ends with its tips window
  const std::string stored = Ini("WinPos", "Hlptipps_und_tricks");
  EXPECT_EQ(stored, std::to_string(ScreenWidthOf(nullptr)) + ",40,30," + std::to_string(size.width()) + "," +
                        std::to_string(size.height()));

  // The next program opens it there.
  Open();
  frame_->commands().Execute(9014);
  Settle();
  EXPECT_EQ(Tips()->pos(), QPoint(40, 30));
  EXPECT_EQ(Tips()->size(), size);
}

TEST(ShippedTopic, IsInTheProgramFolderOfTheBuild) {
  const fs::path topic = fs::path(PRAVIK_BIN_DIR) / "hlp" / "tipps_und_tricks.rtf";
  const auto text = platform::ReadTextFile(topic);
  ASSERT_TRUE(text) << topic;
  ASSERT_TRUE(IsRtf(*text));
  EXPECT_EQ(ReadRtf(*text).paragraphs.front().Text(), "Tipps und Tricks");
}

// A rectangle kept on a taller screen of the same width, or with the task bar
// elsewhere: the window opens inside the screen it has now.
TEST_F(TipsWindow, AKeptRectangleBeyondTheScreenComesBackInside) {
  WriteTopic("Tipps");
  const QRect area(0, 0, ScreenWidthOf(nullptr), 560);
  WorkAreaGuard screen(area);
  ProgramProfile(folder_ / "pravik.ini")
      .WriteString("WinPos", "Hlptipps_und_tricks", std::to_string(area.width()) + ",300,420,700,600");
  frame_->commands().Execute(9014);
  Settle();
  CHilfeDlg* tips = Tips();
  ASSERT_NE(tips, nullptr);
  const QRect outer(tips->pos(), tips->size() + QSize(platform::kFrameRoomWidth, platform::kFrameRoomHeight));
  EXPECT_TRUE(area.contains(outer)) << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
}
