#include "shell/start/singleinstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "platform/process.h"

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string FileNamePart(std::string text) {
  for (char& c : text) {
    const bool fit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_';
    if (!fit) c = '_';
  }
  return text;
}

// The user's runtime folder; without one a private folder in the temporary folder.
fs::path RuntimeFolder() {
  const std::string runtime = Env("XDG_RUNTIME_DIR");
  if (!runtime.empty()) return runtime;
  std::error_code ec;
  fs::path folder = fs::temp_directory_path(ec);
  if (ec) folder = "/tmp";
  folder /= "pravik-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  return folder;
}

}  // namespace

std::string BuildInstanceLockName(const std::string& baseName) {
  std::string display = Env("WAYLAND_DISPLAY");
  const std::string x = Env("DISPLAY");
  if (!x.empty()) display = display.empty() ? x : display + "+" + x;
  if (display.empty()) display = "console";
  std::string user = platform::LoginName();
  if (user.empty()) user = std::to_string(::getuid());
  return FileNamePart(baseName + "-" + user + "-" + display) + ".lock";
}

SingleInstanceGuard::SingleInstanceGuard(std::string baseName) : baseName_(std::move(baseName)) {}

SingleInstanceGuard::~SingleInstanceGuard() { Release(); }

fs::path SingleInstanceGuard::LockFile() const {
  return (folder_.empty() ? RuntimeFolder() : folder_) / BuildInstanceLockName(baseName_);
}

bool SingleInstanceGuard::TryAcquire() {
  if (fd_ >= 0) return true;
  const fs::path file = LockFile();
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // A file we may not open belongs to someone else of the same name: another
  // instance, as far as we can tell.
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  // The holder's process id, for whoever looks.
  if (::ftruncate(fd, 0) == 0) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    [[maybe_unused]] const ssize_t n = ::write(fd, pid.data(), pid.size());
  }
  fd_ = fd;
  return true;
}

bool SingleInstanceGuard::Acquire() {
  if (TryAcquire()) return true;
  platform::ShowMessageBox(TranslateString(5130, "Das Pravik Hauptprogramm läuft bereits!"),
                           platform::MB_OK | platform::MB_ICONWARNING);
  return false;
}

void SingleInstanceGuard::Release() {
  if (fd_ < 0) return;
  // The file stays: deleting it could let a third instance lock a new file
  // while a second still waits on the old one.
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}
