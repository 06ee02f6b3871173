// The single-instance guard: one holder per user and display, released when
// its process ends however it ends.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "shell/start/singleinstance.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

using platform::IDOK;

namespace {

class GuardTest : public ::testing::Test {
 protected:
  TempFolder folder;
  EnvGuard display{"DISPLAY", ":7"};
};

}  // namespace

TEST_F(GuardTest, SecondInstanceOnTheSameDisplayIsRefused) {
  platform::TestUi ui;
  SingleInstanceGuard first;
  first.SetFolder(folder.path());
  ASSERT_TRUE(first.Acquire());
  EXPECT_TRUE(first.Acquire());  // asking again in the holder is no second instance

  ui.ExpectMessageBox(IDOK, "Das Pravik Hauptprogramm läuft bereits!");
  SingleInstanceGuard second;
  second.SetFolder(folder.path());
  EXPECT_FALSE(second.Acquire());
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);

  first.Release();
  EXPECT_TRUE(second.Acquire());
}

TEST_F(GuardTest, AnotherDisplayHasItsOwnGuard) {
  SingleInstanceGuard first;
  first.SetFolder(folder.path());
  ASSERT_TRUE(first.TryAcquire());
  const std::string firstName = BuildInstanceLockName(kInstanceBaseName);
  EnvGuard other("DISPLAY", ":8");
  EXPECT_NE(BuildInstanceLockName(kInstanceBaseName), firstName);
  SingleInstanceGuard second;
  second.SetFolder(folder.path());
  EXPECT_TRUE(second.TryAcquire());
}

TEST_F(GuardTest, GuardOfAnotherProcessHoldsUntilThatProcessEnds) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    SingleInstanceGuard guard;
    guard.SetFolder(folder.path());
    const char answer = guard.TryAcquire() ? '1' : '0';
    [[maybe_unused]] ssize_t n = ::write(ready[1], &answer, 1);
    ::pause();  // holds the guard until killed: no clean release
    ::_exit(0);
  }
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, '1');

  SingleInstanceGuard mine;
  mine.SetFolder(folder.path());
  EXPECT_FALSE(mine.TryAcquire());

  // A crashed instance does not block the next start.
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_TRUE(mine.TryAcquire());
  ::close(ready[0]);
  ::close(ready[1]);
}
