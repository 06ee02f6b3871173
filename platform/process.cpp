#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>

extern char** environ;

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// argv for the spawn functions; the strings must outlive the call.
std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Spawn attributes shared by both ways of starting: a clean signal state and
// a process group (or session) of the child's own.
class SpawnSetup {
 public:
  explicit SpawnSetup(bool newSession) {
    posix_spawnattr_init(&attr_);
    posix_spawn_file_actions_init(&actions_);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) {
      flags |= POSIX_SPAWN_SETSID;
    } else {
      flags |= POSIX_SPAWN_SETPGROUP;
      posix_spawnattr_setpgroup(&attr_, 0);
    }
    posix_spawnattr_setflags(&attr_, flags);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  posix_spawn_file_actions_t* actions() { return &actions_; }
  int Spawn(pid_t* pid, const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::string path = program.string();
    auto argv = ArgumentVector(path, arguments);
    return posix_spawn(pid, path.c_str(), &actions_, &attr_, argv.data(), environ);
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

void ReadAvailable(int fd, std::string& output, std::size_t limit, bool& eof) {
  char buf[4096];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      std::size_t room = output.size() < limit ? limit - output.size() : 0;
      output.append(buf, std::min(room, static_cast<std::size_t>(n)));
      continue;
    }
    if (n == 0) eof = true;
    else if (errno == EINTR) continue;
    else if (errno != EAGAIN && errno != EWOULDBLOCK) eof = true;
    return;
  }
}

void StoreStatus(int status, ProcessResult& result) {
  result.exited = WIFEXITED(status);
  result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
}

// Programs started to run on their own: polled so that their end is noticed
// (and the child reaped) on the user-interface thread.
struct Watched {
  std::function<void()> onEnd;
};
std::map<pid_t, Watched>& WatchList() {
  static std::map<pid_t, Watched> list;
  return list;
}
QPointer<QTimer>& WatchTimer() {
  static QPointer<QTimer> timer;
  return timer;
}

void PollWatched() {
  auto& list = WatchList();
  std::vector<std::function<void()>> ended;
  for (auto it = list.begin(); it != list.end();) {
    int status = 0;
    pid_t r = ::waitpid(it->first, &status, WNOHANG);
    if (r == it->first || (r < 0 && errno == ECHILD)) {
      if (it->second.onEnd) ended.push_back(std::move(it->second.onEnd));
      it = list.erase(it);
    } else {
      ++it;
    }
  }
  if (list.empty() && WatchTimer()) WatchTimer()->stop();
  for (auto& f : ended) f();
}

void Watch(pid_t pid, std::function<void()> onEnd) {
  auto* app = QCoreApplication::instance();
  if (!app) return;  // nothing to run a notice on; the child is reaped at our exit
  WatchList()[pid] = Watched{std::move(onEnd)};
  if (!WatchTimer()) {
    WatchTimer() = new QTimer(app);
    WatchTimer()->setInterval(200);
    QObject::connect(WatchTimer(), &QTimer::timeout, [] { PollWatched(); });
  }
  if (!WatchTimer()->isActive()) WatchTimer()->start();
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit, std::size_t outputLimit) {
  ProcessResult result;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    result.startError = errno;
    return result;
  }
  pid_t pid = 0;
  int err = 0;
  {
    SpawnSetup setup(false);
    posix_spawn_file_actions_adddup2(setup.actions(), out[1], 1);
    posix_spawn_file_actions_addopen(setup.actions(), 2, "/dev/null", O_WRONLY, 0);
    err = setup.Spawn(&pid, program, arguments);
  }
  ::close(out[1]);
  if (err != 0) {
    ::close(out[0]);
    result.startError = err;
    return result;
  }
  result.started = true;
  ::fcntl(out[0], F_SETFL, ::fcntl(out[0], F_GETFL) | O_NONBLOCK);

  const auto deadline = Clock::now() + timeLimit;
  bool eof = false;
  bool ended = false;
  int status = 0;
  for (;;) {
    if (!ended && ::waitpid(pid, &status, WNOHANG) == pid) ended = true;
    if (ended) {
      // Everything the program wrote before its end is in the pipe; a child
      // it left behind does not keep us waiting.
      if (!eof) ReadAvailable(out[0], result.output, outputLimit, eof);
      StoreStatus(status, result);
      break;
    }
    auto now = Clock::now();
    if (now >= deadline) {
      ::kill(-pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.timedOut = true;
      break;
    }
    auto wait = std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(50));
    int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(wait).count()) + 1;
    if (!eof) {
      pollfd p{out[0], POLLIN, 0};
      if (::poll(&p, 1, ms) > 0) ReadAvailable(out[0], result.output, outputLimit, eof);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
    }
  }
  ::close(out[0]);
  return result;
}

StartResult StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         std::function<void()> onEnd) {
  StartResult result;
  pid_t pid = 0;
  SpawnSetup setup(true);
  int err = setup.Spawn(&pid, program, arguments);
  if (err != 0) {
    result.error = err;
    return result;
  }
  result.started = true;
  Watch(pid, std::move(onEnd));
  return result;
}

std::optional<std::filesystem::path> FindProgramOnPath(const std::string& name) {
  auto runnable = [](const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
  };
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos)
    return runnable(name) ? std::optional<std::filesystem::path>(name) : std::nullopt;
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = folders.find(':', start);
    std::string folder = folders.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    std::filesystem::path candidate = (folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder)) / name;
    if (runnable(candidate)) return candidate;
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> ExecutablePath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || path.empty()) return std::nullopt;
  return path;
}

std::string HostName() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) return "";
  std::string name = buf;
  return name.substr(0, name.find('.'));
}

std::string LoginName() {
  struct passwd pw {};
  struct passwd* found = nullptr;
  std::vector<char> buf(16384);
  if (::getpwuid_r(::geteuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_name)
    return found->pw_name;
  for (const char* var : {"LOGNAME", "USER"})
    if (const char* v = std::getenv(var); v && *v) return v;
  return "";
}

namespace {

// A file of /proc (whose size says nothing) without its line end; empty when unreadable.
std::string ProcLine(const std::string& path) {
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

std::string ProcessStartMark(long processId) {
  if (processId <= 0) return "";
  static const std::string boot = ProcLine("/proc/sys/kernel/random/boot_id");
  if (boot.empty()) return "";
  const std::string stat = ProcLine("/proc/" + std::to_string(processId) + "/stat");
  // The program name in parentheses may hold spaces and parentheses; the
  // start time is the 20th field after it.
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return "";
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (int i = 0; i < 20 && fields >> field; ++i) {
  }
  if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) return "";
  return boot + "/" + field;
}

}  // namespace platform
