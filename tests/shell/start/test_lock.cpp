// The data-folder lock: exclusive creation, refusal of other holders through
// the notice, take-over of a lock whose process has ended, and an Unlock that
// touches only our own lock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/process.h"
#include "records/strutil.h"
#include "shell/start/lock.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDOK;

namespace {

constexpr int kNoticeDialog = 608;

std::string Content(const fs::path& file) { return platform::ReadFileBytes(file).value_or("<missing>"); }

// A process id that surely no longer runs: a child that has ended.
std::string DeadProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return std::to_string(child);
}

// The line our own process would write, with another process id and start time.
std::string OwnLine(const std::string& processId) {
  LockHolder h;
  h.computer = platform::HostName();
  h.user = platform::LoginName();
  h.startTime = "01.01.20 08:00";
  h.programPath = platform::ExecutablePath()->string();
  h.processId = processId;
  return FormatLockLine(h);
}

class LockTest : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path LockFile() const { return folder.path() / "lock.lck"; }
  void WriteLock(const std::string& line) { ASSERT_TRUE(platform::WriteFileBytes(LockFile(), line)); }
};

}  // namespace

TEST_F(LockTest, FreshLockWritesOneLineThatAnOlderReaderStillParses) {
  platform::TestUi ui;
  CLock lock;
  ASSERT_TRUE(lock.Lock(folder.path()));
  EXPECT_TRUE(lock.IsLocked());
  const std::string line = Content(LockFile());
  EXPECT_EQ(line.find('\n'), std::string::npos);
  // The four fields an older reader takes, then our process id.
  EXPECT_EQ(StrGetToken(line, "[", "]", 0), platform::HostName());
  EXPECT_EQ(StrGetToken(line, "[", "]", 1), platform::LoginName());
  EXPECT_FALSE(StrGetToken(line, "[", "]", 2).empty());
  EXPECT_EQ(StrGetToken(line, "[", "]", 3), platform::ExecutablePath()->string());
  EXPECT_EQ(StrGetToken(line, "[", "]", 4), std::to_string(::getpid()));

  lock.Unlock();
  EXPECT_FALSE(platform::FileExists(LockFile()));
  EXPECT_FALSE(lock.IsLocked());
}

TEST_F(LockTest, SecondLockOfAnotherUserIsRefusedWithTheHoldersValues) {
  platform::TestUi ui;
  CLock first;
  first.SetSelf({.user = "anna", .startTime = "heute 08:00"});
  ASSERT_TRUE(first.Lock(folder.path()));
  const std::string held = Content(LockFile());

  ui.ExpectDialog(kNoticeDialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(1251), "anna");
    EXPECT_EQ(d.Text(1252), platform::HostName());
    EXPECT_EQ(d.Text(1253), "heute 08:00");
    EXPECT_EQ(d.Text(1254), platform::ExecutablePath()->string());
    EXPECT_EQ(d.Text(1256), LockFile().string());
  }, IDOK);
  CLock second;
  second.SetSelf({.user = "bernd"});
  EXPECT_FALSE(second.Lock(folder.path()));
  EXPECT_FALSE(second.IsLocked());
  EXPECT_EQ(Content(LockFile()), held);

  // The refused one leaves the holder's lock alone when it ends.
  second.Unlock();
  EXPECT_EQ(Content(LockFile()), held);
}

TEST_F(LockTest, LockOfAnotherComputerOrProgramIsRefused) {
  const LockHolder others[] = {
      {.computer = "lab-pc-2", .user = platform::LoginName(), .startTime = "t",
       .programPath = platform::ExecutablePath()->string()},
      {.computer = platform::HostName(), .user = platform::LoginName(), .startTime = "t",
       .programPath = "/opt/other/pravik"},
      // Not four bracketed fields: empty holder fields, refused until deleted.
      {},
  };
  for (const LockHolder& other : others) {
    const std::string line = other.computer.empty() ? std::string("kaputt") : FormatLockLine(other);
    WriteLock(line);
    platform::TestUi ui;
    ui.ExpectDialog(kNoticeDialog, IDOK);
    CLock lock;
    EXPECT_FALSE(lock.Lock(folder.path())) << line;
    EXPECT_EQ(Content(LockFile()), line);
  }
}

TEST_F(LockTest, OwnLockOfALiveProcessIsNotTakenOver) {
  // Same computer, user and program, and the process (this one) still runs.
  const std::string live = OwnLine(std::to_string(::getpid()));
  WriteLock(live);
  platform::TestUi ui;
  ui.ExpectDialog(kNoticeDialog, IDOK);
  CLock lock;
  EXPECT_FALSE(lock.Lock(folder.path()));
  EXPECT_EQ(Content(LockFile()), live);
}

// The holder runs a program file that an update has replaced meanwhile: its
// executable cannot be looked at, and it still holds the folder.
TEST_F(LockTest, OwnLockOfARunningProcessWithoutReadableProgramIsNotTakenOver) {
  TempFolder programFolder;
  const fs::path program = programFolder / "pravik";
  ASSERT_TRUE(platform::CopyFile("/bin/sleep", program));
  fs::permissions(program, fs::perms::owner_all);
  const pid_t holder = ::fork();
  if (holder == 0) {
    ::execl(program.c_str(), "pravik", "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::usleep(100000);  // the child runs the copy
  ASSERT_TRUE(platform::DeleteFile(program));
  ASSERT_TRUE(platform::WriteFileBytes(program, "the updated program"));

  LockHolder self;
  self.programPath = program.string();
  LockHolder line = ParseLockLine(OwnLine(std::to_string(holder)));
  line.programPath = program.string();
  WriteLock(FormatLockLine(line));
  {
    platform::TestUi ui;
    ui.ExpectDialog(kNoticeDialog, IDOK);
    CLock lock;
    lock.SetSelf(self);
    EXPECT_FALSE(lock.Lock(folder.path()));
  }
  EXPECT_EQ(Content(LockFile()), FormatLockLine(line));
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  // Once no process with that id runs, the lock is stale.
  platform::TestUi ui;
  CLock lock;
  lock.SetSelf(self);
  EXPECT_TRUE(lock.Lock(folder.path()));
  lock.Unlock();
}

TEST_F(LockTest, OwnLockOfAnEndedProcessIsTakenOver) {
  for (const std::string& processId : {DeadProcessId(), std::string()}) {  // "": an older writer's line
    WriteLock(OwnLine(processId));
    platform::TestUi ui;
    CLock lock;
    ASSERT_TRUE(lock.Lock(folder.path())) << processId;
    const LockHolder now = ParseLockLine(Content(LockFile()));
    EXPECT_EQ(now.processId, std::to_string(::getpid()));
    EXPECT_NE(now.startTime, "01.01.20 08:00");
    lock.Unlock();
    EXPECT_FALSE(platform::FileExists(LockFile()));
  }
  // Nothing left beside it from the take-over.
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(LockTest, UnlockLeavesALockThatIsNoLongerOurs) {
  platform::TestUi ui;
  CLock lock;
  ASSERT_TRUE(lock.Lock(folder.path()));
  const std::string foreign = FormatLockLine({.computer = "lab-pc-2", .user = "anna", .startTime = "t",
                                              .programPath = "/opt/pravik/pravik", .processId = "42"});
  WriteLock(foreign);
  lock.Unlock();
  EXPECT_EQ(Content(LockFile()), foreign);
}

TEST_F(LockTest, LockThatCannotBeWrittenIsReported) {
  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK, "Lock-Datei kann nicht angelegt werden");
  CLock lock;
  EXPECT_FALSE(lock.Lock(folder.path() / "fehlt"));
  EXPECT_FALSE(lock.IsLocked());
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
}

TEST(LockLine, FieldsWithBracketsStillReadBack) {
  const LockHolder h{.computer = "pc", .user = "a[b]", .startTime = "t", .programPath = "/x]/p", .processId = "7"};
  const LockHolder back = ParseLockLine(FormatLockLine(h));
  EXPECT_EQ(back.computer, "pc");
  EXPECT_EQ(back.user, "a_b_");
  EXPECT_EQ(back.programPath, "/x_/p");
  EXPECT_EQ(back.processId, "7");
}
