#pragma once
// Parts of a benchmark that run in a fresh process of the same program, as a
// start of the program does: a load into a heap nobody has used, a start to
// the shown window. The program started again as "<program> --child=<name>
// <arguments>" runs the part registered under that name instead of the
// benchmarks; the part prints its figures on its standard output.
//
//   const bool registered = benchchild::Register("load", [](const std::vector<std::string>& args) { ... });
//   const benchchild::Result run = benchchild::Run("load", {folder});
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace benchchild {

using Entry = std::function<int(const std::vector<std::string>& arguments)>;

inline std::map<std::string, Entry>& Entries() {
  static std::map<std::string, Entry> entries;
  return entries;
}

inline bool Register(const std::string& name, Entry entry) {
  Entries()[name] = std::move(entry);
  return true;
}

// The part the command line asks for, run; -1 when it asks for none.
inline int RunIfAsked(int argc, char** argv) {
  constexpr char kPrefix[] = "--child=";
  if (argc < 2 || std::strncmp(argv[1], kPrefix, sizeof kPrefix - 1) != 0) return -1;
  const auto entry = Entries().find(argv[1] + sizeof kPrefix - 1);
  if (entry == Entries().end()) return 2;
  return entry->second(std::vector<std::string>(argv + 2, argv + argc));
}

// A kilobyte figure of this process's /proc/self/status ("VmRSS", "VmHWM").
inline long StatusKilobytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
  return 0;
}

struct Result {
  bool ok = false;
  std::string output;
  double seconds = 0;  // from the start of the process to its end
};

// Starts this program as a child running the part, without the heap
// settings of a script (GLIBC_TUNABLES) in its environment, and waits for it.
inline Result Run(const std::string& name, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = {"/proc/self/exe", "--child=" + name};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<char*> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "GLIBC_TUNABLES=", 15) != 0) env.push_back(*e);
  env.push_back(nullptr);

  Result result;
  int out[2];
  if (::pipe(out) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(out[0]);
    return result;
  }
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) result.output.append(buffer, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace benchchild
