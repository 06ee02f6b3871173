// The application object: the one instance, the editing flag, the sieve
// program's flag and guard, the command icons, the splash and wait windows.
#include <gtest/gtest.h>
#include <signal.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

#include "platform/files.h"
#include "platform/numbers.h"
#include "services/appflags.h"
#include "services/pravikapp.h"
#include "services/splash.h"
#include "services/longwait.h"
#include "services/versioninfo.h"
#include "services/waitwindow.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const char kSieveWarning[] = "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!";

// A stand-in for the sieve program that writes its process id and waits to
// be killed.
fs::path WaitingProgram(const TempFolder& dir, const std::string& name) {
  return WriteScript(dir / name, "echo $$ > '" + (dir / (name + ".pid")).string() + "'\nexec sleep 600");
}

// The process id the stand-in wrote, once it is there.
pid_t WrittenPid(const TempFolder& dir, const std::string& name) {
  const fs::path file = dir / (name + ".pid");
  if (!SpinUntil([&] { return platform::FileSize(file).value_or(0) > 0; })) return 0;
  return platform::ParseInt(*platform::ReadFileBytes(file));
}

bool ProcessGone(pid_t pid) { return ::kill(pid, 0) != 0; }

}  // namespace

TEST(App, OneApplicationObjectAtATime) {
  EXPECT_EQ(GetApp(), nullptr);
  {
    CPravikWinApp outer;
    EXPECT_EQ(GetApp(), &outer);
    EXPECT_FALSE(outer.SieveProgramActive);
    EXPECT_TRUE(outer.TestNumberIndex.empty());
    {
      CPravikWinApp inner;
      EXPECT_EQ(GetApp(), &inner);
    }
    EXPECT_EQ(GetApp(), &outer);
  }
  EXPECT_EQ(GetApp(), nullptr);
}

TEST(App, EditAllowedIsTheProcessFlag) {
  SetEditAllowed(false);
  CPravikWinApp app;
  EXPECT_TRUE(app.GetEditAllowed()) << "true at construction";
  app.SetEditAllowed(false);
  EXPECT_FALSE(IsEditAllowed());
  EXPECT_FALSE(app.GetEditAllowed());
  SetEditAllowed(true);
  EXPECT_TRUE(app.GetEditAllowed());
}

TEST(App, SieveGuardWarnsEveryTimeWhileTheProgramRuns) {
  CPravikWinApp app;
  {
    platform::TestUi ui;  // no box while the program does not run
    EXPECT_FALSE(app.IsSieveProgramActive());
  }
  app.SieveProgramActive = true;
  platform::TestUi ui;
  ui.ExpectMessageBox(platform::IDOK, kSieveWarning).ExpectMessageBox(platform::IDOK, kSieveWarning);
  EXPECT_TRUE(app.IsSieveProgramActive());
  EXPECT_TRUE(app.IsSieveProgramActive());
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[0].text, kSieveWarning);
  EXPECT_EQ(ui.shown()[0].flags, platform::MB_OK | platform::MB_ICONWARNING);
}

// The flag lasts from the start to the end of the sieve program's process,
// whether it ends by itself, fails or is killed.
TEST(App, SieveProgramFlagFollowsTheProcess) {
  TempFolder dir;
  CPravikWinApp app;
  int endNotices = 0;
  app.SetSieveProgramEndHandler([&] { ++endNotices; });
  platform::TestUi ui;  // nothing is shown

  const fs::path args = dir / "args.txt";
  const fs::path ending = WriteScript(dir / "gradix", "printf '<%s>' \"$@\" > '" + args.string() + "'\nexit 3");
  ASSERT_TRUE(app.StartSieveProgram(ending, {(dir / "sieb.tmp").string()}));
  EXPECT_TRUE(app.SieveProgramActive);
  ASSERT_TRUE(SpinUntil([&] { return !app.SieveProgramActive; }));
  EXPECT_EQ(endNotices, 1);
  EXPECT_EQ(*platform::ReadFileBytes(args), "<" + (dir / "sieb.tmp").string() + ">");

  const fs::path waiting = WaitingProgram(dir, "gradix-waiting");
  ASSERT_TRUE(app.StartSieveProgram(waiting, {}));
  const pid_t pid = WrittenPid(dir, "gradix-waiting");
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(app.SieveProgramActive);
  ASSERT_EQ(::kill(pid, SIGKILL), 0);
  ASSERT_TRUE(SpinUntil([&] { return !app.SieveProgramActive; }));
  EXPECT_EQ(endNotices, 2);
}

TEST(App, FailedSieveProgramStartLeavesTheFlag) {
  TempFolder dir;
  CPravikWinApp app;
  platform::TestUi ui;
  ui.ExpectMessageBox(platform::IDOK, "Externes Programm konnte nicht gestartet werden.");
  EXPECT_FALSE(app.StartSieveProgram(dir / "gradix", {}));
  EXPECT_FALSE(app.SieveProgramActive);
}

// The end of a program started by an application object that is gone
// touches nothing, not even the object that came after it.
TEST(App, EndNoticeOfAnEndedApplicationIsIgnored) {
  TempFolder dir;
  pid_t first = 0;
  {
    CPravikWinApp gone;
    ASSERT_TRUE(gone.StartSieveProgram(WaitingProgram(dir, "first"), {}));
    first = WrittenPid(dir, "first");
    ASSERT_GT(first, 0);
  }
  CPravikWinApp app;
  ASSERT_TRUE(app.StartSieveProgram(WaitingProgram(dir, "second"), {}));
  const pid_t second = WrittenPid(dir, "second");
  ASSERT_GT(second, 0);

  ASSERT_EQ(::kill(first, SIGKILL), 0);
  ASSERT_TRUE(SpinUntil([&] { return ProcessGone(first); }));  // reaped: its notice has run
  EXPECT_TRUE(app.SieveProgramActive);

  ASSERT_EQ(::kill(second, SIGKILL), 0);
  ASSERT_TRUE(SpinUntil([&] { return !app.SieveProgramActive; }));
}

TEST(App, CommandIcons) {
  CPravikWinApp app;
  EXPECT_TRUE(app.GetCommandIcon(9011).isNull());
  QPixmap image(16, 16);
  image.fill(Qt::blue);
  app.SetCommandImage(9011, QIcon(image));
  EXPECT_FALSE(app.GetCommandIcon(9011).isNull());
  EXPECT_TRUE(app.GetCommandIcon(9012).isNull());
}

TEST(App, SplashHidesAtTheFirstTickAfterLoading) {
  CPravikWinApp app;
  CSplash* splash = app.CreateSplash();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(splash->GetItemText(CSplash::kLabelId), "Daten werden geladen ...");
  const std::string picture = splash->GetItemText(CSplash::kPictureId);
  EXPECT_NE(picture.find("Pravik"), std::string::npos);
  EXPECT_NE(picture.find("Version " + ProgramVersion()), std::string::npos);
  auto* timer = splash->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 2000);

  splash->OnTimer(CSplash::kTimerId);
  EXPECT_TRUE(splash->isVisible()) << "the list is not filled yet";
  splash->SetLoaded(true);
  splash->OnTimer(CSplash::kTimerId + 1);
  EXPECT_TRUE(splash->isVisible()) << "another timer";
  splash->OnTimer(CSplash::kTimerId);
  EXPECT_FALSE(splash->isVisible());
  splash->OnTimer(CSplash::kTimerId);
  EXPECT_FALSE(splash->isVisible());
  EXPECT_TRUE(timer->isActive()) << "the timer keeps running";
}

TEST(App, ClickHidesTheSplashAtOnce) {
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    CPravikWinApp app;
    CSplash* splash = app.CreateSplash();
    ASSERT_TRUE(splash->isVisible());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), splash->mapToGlobal(QPointF(10, 10)), button,
                      button, Qt::NoModifier);
    QCoreApplication::sendEvent(splash, &press);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->IsLoaded());
  }
}

TEST(App, WaitWindowShowsAndHides) {
  CPravikWinApp app;
  app.ShowWaitWindow(false);  // nothing to hide
  EXPECT_EQ(app.WaitWindow(), nullptr);

  CMomentBitteDlg* wait = app.CreateWaitWindow();
  ASSERT_NE(wait, nullptr);
  EXPECT_FALSE(wait->isVisible()) << "created hidden";
  app.ShowWaitWindow(false);
  EXPECT_FALSE(wait->isVisible());
  app.ShowWaitWindow(true);
  EXPECT_TRUE(wait->isVisible());
  EXPECT_EQ(wait->GetItemText(CMomentBitteDlg::kTextId), "Moment bitte!");
  app.ShowWaitWindow(true);
  EXPECT_TRUE(wait->isVisible());
  app.ShowWaitWindow(false);
  EXPECT_FALSE(wait->isVisible());
  EXPECT_EQ(app.WaitWindow(), wait);
}

TEST(App, WaitWindowOfAnOwnerThatEndsFirst) {
  CPravikWinApp app;
  auto* owner = new QWidget;
  app.CreateWaitWindow(owner);
  app.ShowWaitWindow(true);
  delete owner;  // takes the wait window with it
  EXPECT_EQ(app.WaitWindow(), nullptr);
  app.ShowWaitWindow(false);
  app.ShowWaitWindow(true);  // a new one
  ASSERT_NE(app.WaitWindow(), nullptr);
  EXPECT_TRUE(app.WaitWindow()->isVisible());
}

// The wait window comes for files that took about half a second or more at
// the last pace; before the first run the guess decides.
TEST(LongWaitGuess, LearnsThePaceOfTheLastRun) {
  LongWaitGuess guess(100e6);
  EXPECT_FALSE(guess.IsLong(40'000'000));
  EXPECT_TRUE(guess.IsLong(50'000'000));
  guess.Took(20'000'000, 0.4);  // 50 MB/s here
  EXPECT_TRUE(guess.IsLong(25'000'000));
  EXPECT_FALSE(guess.IsLong(20'000'000));
  guess.Took(1'000, 0.001);  // too short to tell
  EXPECT_TRUE(guess.IsLong(25'000'000));
}
