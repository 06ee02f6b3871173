#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/files.h"
#include "platform/process.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

using namespace platform;
using namespace std::chrono_literals;

namespace {

bool ProcessGone(pid_t pid) {
  if (::kill(pid, 0) != 0) return errno == ESRCH;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidText, name, state;
  stat >> pidText >> name >> state;
  return state == "Z";  // ended, waiting to be reaped by its new parent
}

}  // namespace

TEST(Process, ArgumentsReachTheProgramUnchanged) {
  TempFolder dir;
  auto echo = WriteScript(dir / "echo args", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done");
  const std::string marker = (dir / "ran").string();
  std::vector<std::string> args = {"two words", "quote \" and '", "$(touch " + marker + ")",
                                   "; touch " + marker, "`touch " + marker + "`", "100 %d %s", ""};
  auto result = RunProcess(echo, args, 10s);
  ASSERT_TRUE(result.Succeeded());
  std::string expected;
  for (const auto& a : args) expected += "[" + a + "]\n";
  EXPECT_EQ(result.output, expected);
  EXPECT_FALSE(FileExists(marker));
}

TEST(Process, ReportsExitStatusStartFailureAndOutputLimit) {
  TempFolder dir;
  auto fail = WriteScript(dir / "fail", "echo partial; exit 3");
  auto result = RunProcess(fail, {}, 10s);
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.output, "partial\n");
  EXPECT_FALSE(result.Succeeded());

  auto missing = RunProcess(dir / "missing", {}, 10s);
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.startError, ENOENT);

  std::ofstream(dir / "plain") << "not a program";
  EXPECT_EQ(RunProcess(dir / "plain", {}, 10s).startError, EACCES);

  auto chatty = WriteScript(dir / "chatty", "i=0; while [ $i -lt 2000 ]; do echo 0123456789; i=$((i+1)); done");
  auto limited = RunProcess(chatty, {}, 10s, 100);
  EXPECT_TRUE(limited.Succeeded());  // read to the end, kept only the first bytes
  EXPECT_EQ(limited.output.size(), 100u);
}

TEST(Process, TimeLimitKillsTheWholeProcessGroup) {
  TempFolder dir;
  auto pidFile = dir / "child.pid";
  auto hang = WriteScript(dir / "hang", "sleep 30 & echo $! > '" + pidFile.string() + "'; echo started; wait");
  auto result = RunProcess(hang, {}, 300ms);
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.timedOut);
  EXPECT_FALSE(result.Succeeded());
  auto pidText = ReadFileBytes(pidFile);
  ASSERT_TRUE(pidText);
  pid_t child = std::stoi(*pidText);
  bool gone = false;
  for (int i = 0; i < 500 && !gone; ++i) {
    gone = ProcessGone(child);
    if (!gone) std::this_thread::sleep_for(10ms);
  }
  EXPECT_TRUE(gone) << "the program's own child survived the time limit";
}

TEST(Process, StartedProgramRunsOnItsOwnAndItsEndIsNoticed) {
  TempFolder dir;
  auto out = dir / "out.txt";
  auto prog = WriteScript(dir / "prog", "printf '%s|' \"$@\" > '" + out.string() + "'; exit 7");
  bool ended = false;
  auto result = StartProgram(prog, {"a b", "%1"}, [&] { ended = true; });
  ASSERT_TRUE(result.started);
  EXPECT_TRUE(SpinUntil([&] { return ended; }));
  EXPECT_EQ(*ReadFileBytes(out), "a b|%1|");

  auto missing = StartProgram(dir / "missing", {});
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.error, ENOENT);
}

TEST(Process, FindsProgramsOnThePath) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "bin");
  WriteScript(dir / "bin" / "tool", "exit 0");
  std::ofstream(dir / "bin" / "notexec") << "x";
  EnvGuard path("PATH", "/nonexistent:" + (dir / "bin").string());
  EXPECT_EQ(FindProgramOnPath("tool"), dir / "bin" / "tool");
  EXPECT_FALSE(FindProgramOnPath("notexec"));
  EXPECT_FALSE(FindProgramOnPath("missing"));
  EXPECT_FALSE(FindProgramOnPath(""));
}

TEST(Process, SystemFacts) {
  auto exe = ExecutablePath();
  ASSERT_TRUE(exe);
  EXPECT_EQ(exe->filename(), "test_platform");
  std::string host = HostName();
  EXPECT_FALSE(host.empty());
  EXPECT_EQ(host.find('.'), std::string::npos);
  struct passwd* pw = ::getpwuid(::geteuid());
  ASSERT_NE(pw, nullptr);
  EXPECT_EQ(LoginName(), pw->pw_name);
}
