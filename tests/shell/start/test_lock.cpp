// The data-folder lock: exclusive creation, refusal of other holders through
// the notice, take-over of a lock whose process has ended, and an Unlock that
// touches only our own lock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "shell/start/lock.h"
#include "support/scripted_ui_gtest.h"
#include "support/share_seams.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDOK;
using std::chrono::milliseconds;

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
      // Not four bracketed fields: nobody to name, refused until deleted.
      {},
  };
  for (const LockHolder& other : others) {
    const std::string line = other.computer.empty() ? std::string("kaputt") : FormatLockLine(other);
    WriteLock(line);
    ShareSeams seams(false);  // the broken line is read again for a moment
    platform::TestUi ui;
    if (other.computer.empty()) ui.ExpectMessageBox(IDOK, "nennt auch nach einigen Sekunden nicht, wer es ist");
    else ui.ExpectDialog(kNoticeDialog, IDOK);
    CLock lock;
    EXPECT_FALSE(lock.Lock(folder.path())) << line;
    EXPECT_EQ(Content(LockFile()), line);
  }
}

// The holder is judged by the process under its id and that process's start:
// ids are handed out again after a restart of the computer (or in a fresh
// process space), our own among them.
TEST_F(LockTest, OwnLockIsHeldOnlyByTheProcessThatStartedWithIt) {
  // Another run of this program that still runs.
  const pid_t other = ::fork();
  if (other == 0) {
    ::sleep(30);
    ::_exit(0);
  }
  ASSERT_GT(other, 0);
  const std::string otherStart = platform::ProcessStartMark(other);
  ASSERT_FALSE(otherStart.empty());
  struct Case {
    const char* name;
    std::string processId;
    std::string processStart;
    bool held;
  } cases[] = {
      {"the running holder", std::to_string(other), otherStart, true},
      {"its id, but a process started at another moment", std::to_string(other), "boot/1", false},
      {"its id, another boot", std::to_string(other), "other-boot/" + otherStart.substr(otherStart.find('/') + 1),
       false},
      {"our own id: an earlier run", std::to_string(::getpid()), platform::ProcessStartMark(::getpid()) + "0", false},
      {"our own id in an older line", std::to_string(::getpid()), "", false},
      {"an older line of a running run", std::to_string(other), "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LockHolder line = ParseLockLine(OwnLine(c.processId));
    line.processStart = c.processStart;
    WriteLock(FormatLockLine(line));
    platform::TestUi ui;
    if (c.held) ui.ExpectDialog(kNoticeDialog, IDOK);
    CLock lock;
    EXPECT_EQ(lock.Lock(folder.path()), !c.held);
    if (c.held) {
      EXPECT_EQ(Content(LockFile()), FormatLockLine(line));
    } else {
      const LockHolder now = ParseLockLine(Content(LockFile()));
      EXPECT_EQ(now.processId, std::to_string(::getpid()));
      EXPECT_EQ(now.processStart, platform::ProcessStartMark(::getpid()));
      lock.Unlock();
    }
  }
  ::kill(other, SIGKILL);
  ::waitpid(other, nullptr, 0);
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

// A lock that another computer removes while our start looks at it: the
// share says "exists" to our create, and "no such file" to our read.
// (A share whose cache still holds the removed lock opens it instead of
// creating it: "no such file" to the create.)
TEST_F(LockTest, ALockRemovedElsewhereDuringTheStartIsTriedAgainAfterPauses) {
  for (const int error : {EEXIST, ENOENT})
  for (const int refusals : {1, 3, 100}) {
    SCOPED_TRACE(std::to_string(error) + ": " + std::to_string(refusals));
    ShareSeams seams(true);
    int creates = 0;
    SetLockCreateOverride([&](const fs::path&) { return ++creates <= refusals ? error : 0; });
    platform::TestUi ui;
    if (refusals == 100) ui.ExpectMessageBox(IDOK, "wiederholt von einem anderen Rechner angelegt und wieder entfernt");
    CLock lock;
    EXPECT_EQ(lock.Lock(folder.path()), refusals < 100);
    SetLockCreateOverride(nullptr);
    EXPECT_EQ(seams.pauses.size(), std::min<size_t>(refusals, 5));
    for (size_t i = 1; i < seams.pauses.size(); ++i) EXPECT_GT(seams.pauses[i], seams.pauses[i - 1]);
    for (const auto& shown : ui.shown()) EXPECT_EQ(shown.text.find("No such file"), std::string::npos) << shown.text;
    lock.Unlock();
  }
}

// Some shares answer an exclusive create of an existing file with "Operation
// not permitted": that is the held lock when the file is there.
TEST_F(LockTest, ExistsReportedAsAPermissionErrorIsTheHeldLock) {
  const std::string foreign = FormatLockLine({.computer = "lab-pc-2", .user = "anna", .startTime = "heute 08:00",
                                              .programPath = "/opt/pravik/pravik", .processId = "42"});
  for (const int error : {EPERM, EACCES}) {
    SCOPED_TRACE(error);
    SetLockCreateOverride([&](const fs::path&) { return error; });
    {
      WriteLock(foreign);
      platform::TestUi ui;
      ui.ExpectDialog(kNoticeDialog, [](DialogDriver& d) { EXPECT_EQ(d.Text(1251), "anna"); }, IDOK);
      CLock lock;
      EXPECT_FALSE(lock.Lock(folder.path()));
      EXPECT_EQ(Content(LockFile()), foreign);
    }
    {
      // Without a lock file it is what it says.
      fs::remove(LockFile());
      platform::TestUi ui;
      ui.ExpectMessageBox(IDOK, "keine Berechtigung (Fehler-Nummer: " + std::to_string(error) + ")");
      CLock lock;
      EXPECT_FALSE(lock.Lock(folder.path()));
    }
    SetLockCreateOverride(nullptr);
  }
}

// Another computer has created the lock file but its line is not there yet:
// the start waits some seconds for it; a line that never becomes complete
// gives a message instead of a notice with empty values.
TEST_F(LockTest, ALockLineReadBeforeItIsCompleteIsReadAgain) {
  const std::string foreign = FormatLockLine({.computer = "lab-pc-2", .user = "anna", .startTime = "heute 08:00",
                                              .programPath = "/opt/pravik/pravik", .processId = "42"});
  struct Case {
    const char* first;
    size_t completeAtPause;  // 0: never
  } cases[] = {
      {"", 1},
      {"[lab-pc-2][an", 3},
      {"", 7},
      {"", 0},
      {"kaputt", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " complete at " + std::to_string(c.completeAtPause));
    WriteLock(c.first);
    ShareSeams seams(true);
    seams.onPause = [&](size_t pause) {
      if (pause == c.completeAtPause) WriteLock(foreign);
    };
    platform::TestUi ui;
    if (c.completeAtPause) {
      ui.ExpectDialog(kNoticeDialog, [&](DialogDriver& d) {
        EXPECT_EQ(d.Text(1251), "anna");
        EXPECT_EQ(d.Text(1252), "lab-pc-2");
        EXPECT_EQ(d.Text(1253), "heute 08:00");
      }, IDOK);
    } else {
      ui.ExpectMessageBox(IDOK, "nennt auch nach einigen Sekunden nicht, wer es ist");
    }
    CLock lock;
    EXPECT_FALSE(lock.Lock(folder.path()));
    EXPECT_EQ(seams.pauses.size(), c.completeAtPause ? c.completeAtPause : 7);
    milliseconds waited{0};
    for (const milliseconds pause : seams.pauses) waited += pause;
    if (!c.completeAtPause) EXPECT_GE(waited, milliseconds(5000));
    EXPECT_EQ(Content(LockFile()), c.completeAtPause ? foreign : c.first);
  }
}

namespace {

RecordList OneRecord(const std::string& tag) {
  RecordList records;
  records.push_back(std::make_unique<CVersuch>());
  records.back()->SetField(0, "12-34-230512083001");
  records.back()->SetField(1, "12-34-0001|-1|-1|-1|1|20230512");
  records.back()->SetField(21, tag);
  return records;
}

std::string SavedTag(const fs::path& folder) {
  RecordList loaded;
  platform::ScriptedMessageBoxes boxes;
  if (!LoadRecordFile(loaded, folder) || loaded.size() != 1) return "<none>";
  return loaded[0]->GetField(21);
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

// Every save first makes sure that the data folder is still the locked one.
// A share that drops off leaves its empty mount point at the folder's path
// (here: the folder replaced by an empty one): nothing may land there.
TEST_F(LockTest, ASaveWritesOnlyIntoTheFolderThatIsStillLocked) {
  const fs::path data = folder / "daten";
  const fs::path away = folder / "daten.weg";
  ASSERT_TRUE(platform::CreateFolder(data));
  platform::TestUi ui;
  CLock lock;
  ASSERT_TRUE(lock.Lock(data));
  const std::string ownLine = Content(data / "lock.lck");
  ASSERT_TRUE(SaveRecordFileSafely(OneRecord("eins"), data));

  // The share is gone: the folder's path shows an empty folder.
  fs::rename(data, away);
  ASSERT_TRUE(platform::CreateFolder(data));
  ui.ExpectMessageBox(IDOK, "nicht erreichbar");
  EXPECT_FALSE(SaveRecordFileSafely(OneRecord("zwei"), data));
  EXPECT_TRUE(fs::is_empty(data));
  EXPECT_FALSE(lock.StillHeld());

  // Back again (mounted anew: the same folder, now another object).
  fs::remove(data);
  fs::copy(away, data, fs::copy_options::recursive);
  fs::remove_all(away);
  EXPECT_TRUE(SaveRecordFileSafely(OneRecord("zwei"), data));
  EXPECT_EQ(SavedTag(data), "zwei");

  // The lock file deleted by hand: the folder is the same, the lock ours again.
  fs::remove(data / "lock.lck");
  EXPECT_TRUE(SaveRecordFileSafely(OneRecord("drei"), data));
  EXPECT_EQ(SavedTag(data), "drei");
  EXPECT_EQ(Content(data / "lock.lck"), ownLine);

  // Another computer took the folder over: its records stay.
  const std::string foreign = FormatLockLine({.computer = "lab-pc-2", .user = "anna", .startTime = "t",
                                              .programPath = "/opt/pravik/pravik", .processId = "42"});
  ASSERT_TRUE(platform::WriteFileBytes(folder / "foreign", foreign));
  fs::rename(folder / "foreign", data / "lock.lck");
  ui.ExpectMessageBox(IDOK, "nicht erreichbar");
  EXPECT_FALSE(SaveRecordFileSafely(OneRecord("vier"), data));
  EXPECT_EQ(SavedTag(data), "drei");
  lock.Unlock();
  EXPECT_EQ(Content(data / "lock.lck"), foreign);
}

// The same check before each retry: the share drops off while the save
// flushes its folder, and the retry finds the empty mount point.
TEST_F(LockTest, TheRetryOfASaveChecksTheFolderAgain) {
  const fs::path data = folder / "daten";
  ASSERT_TRUE(platform::CreateFolder(data));
  platform::TestUi ui;
  CLock lock;
  ASSERT_TRUE(lock.Lock(data));
  ASSERT_TRUE(SaveRecordFileSafely(OneRecord("eins"), data));
  int flushes = 0;
  platform::SetFolderSyncOverride([&](const fs::path&) {
    if (++flushes > 1) return 0;
    fs::rename(data, folder / "daten.weg");
    fs::create_directory(data);
    return EIO;
  });
  // Whether the rename of "data_tmp.db" lasted is not known.
  ui.ExpectMessageBox(IDOK, "nicht erreichbar geworden");
  EXPECT_FALSE(SaveRecordFileSafely(OneRecord("zwei"), data));
  platform::SetFolderSyncOverride(nullptr);
  EXPECT_EQ(flushes, 1);
  EXPECT_TRUE(fs::is_empty(data)) << ::testing::PrintToString(Names(data));
  lock.Unlock();
}

TEST(LockLine, CompleteLinesHoldFourBracketedFieldsAtLeast) {
  const std::pair<const char*, bool> lines[] = {
      {"[pc][anna][t][/p]", true},
      {"[pc][anna][t][/p][42][b/7]", true},
      {"[][][][]", true},
      {"", false},
      {"[pc][anna][t]", false},
      {"[pc][anna][t][/p", false},
      {"[pc][anna][t][/p]x", false},
      {"kaputt", false},
      {"[p[c][anna][t][/p]", false},
  };
  for (const auto& [line, complete] : lines) EXPECT_EQ(IsCompleteLockLine(line), complete) << line;
}

TEST(LockLine, FieldsWithBracketsStillReadBack) {
  const LockHolder h{.computer = "pc", .user = "a[b]", .startTime = "t", .programPath = "/x]/p", .processId = "7",
                     .processStart = "b[1]/9"};
  const LockHolder back = ParseLockLine(FormatLockLine(h));
  EXPECT_TRUE(IsCompleteLockLine(FormatLockLine(h)));
  EXPECT_EQ(back.processStart, "b_1_/9");
  EXPECT_EQ(back.computer, "pc");
  EXPECT_EQ(back.user, "a_b_");
  EXPECT_EQ(back.programPath, "/x_/p");
  EXPECT_EQ(back.processId, "7");
}

// The lock file deleted by hand while a share's cache still shows its entry
// (here: a dangling one) until some pause: the held-folder check looks again
// as the start does, writes our lock again in the same folder and the save
// goes on. A folder replaced under the program (the empty mount point of a
// share that dropped off) is not ours, and an entry that never goes is not
// taken for ours either.
TEST_F(LockTest, ALockDeletedByHandIsWrittenAgainAReplacedFolderIsNot) {
  struct Case {
    const char* name;
    bool replaced;        // the folder's path shows another, empty folder
    bool staleEntry;      // the deleted lock still shows
    size_t goneAtPause;   // when the stale entry goes (0: never)
    bool saved;
    size_t pauses;
  } cases[] = {
      {"deleted, seen at once", false, false, 0, true, 0},
      {"deleted, the cache shows it for two pauses", false, true, 2, true, 2},
      {"deleted, the entry never goes", false, true, 0, false, 7},
      {"the folder replaced", true, false, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder root;
    const fs::path data = root / "daten";
    ASSERT_TRUE(platform::CreateFolder(data));
    platform::TestUi ui;
    CLock lock;
    ASSERT_TRUE(lock.Lock(data));
    const std::string ownLine = Content(data / "lock.lck");
    ASSERT_TRUE(SaveRecordFileSafely(OneRecord("eins"), data));

    if (c.replaced) {
      fs::rename(data, root / "daten.weg");
      ASSERT_TRUE(platform::CreateFolder(data));
    } else {
      fs::remove(data / "lock.lck");
      if (c.staleEntry) fs::create_symlink(data / "lock.lck.weg", data / "lock.lck");
    }
    ShareSeams seams(true);
    seams.onPause = [&](size_t pause) {
      if (pause == c.goneAtPause) fs::remove(data / "lock.lck");
    };
    if (!c.saved) ui.ExpectMessageBox(IDOK, "nicht erreichbar");
    EXPECT_EQ(SaveRecordFileSafely(OneRecord("zwei"), data), c.saved);
    EXPECT_EQ(seams.pauses.size(), c.pauses);
    if (c.replaced) {
      EXPECT_TRUE(fs::is_empty(data)) << ::testing::PrintToString(Names(data));
    } else {
      EXPECT_EQ(SavedTag(data), c.saved ? "zwei" : "eins");
      EXPECT_EQ(Content(data / "lock.lck"), c.saved ? ownLine : "<missing>");
    }
    lock.Unlock();
  }
}
