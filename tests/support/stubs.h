#pragma once
// Test helpers around outside programs and files: small shell scripts that
// stand in for outside programs, a guard that sets PATH for one test, waiting
// for what a started program does, and the identity of a file on disk.
#include <sys/stat.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

// Writes an executable "#!/bin/sh" script with the given body.
inline std::filesystem::path WriteScript(const std::filesystem::path& path, const std::string& body) {
  std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << body << "\n";
  ::chmod(path.c_str(), 0755);
  return path;
}

// Sets an environment variable for the guard's lifetime.
class EnvGuard {
 public:
  EnvGuard(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~EnvGuard() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Runs the event loop until the condition holds or a generous bound passes.
template <typename Condition>
bool SpinUntil(Condition done) {
  for (int i = 0; i < 1000 && !done(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

// The inode of a file: it changes when the file is replaced through a rename.
inline ino_t FileIdentity(const std::filesystem::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_ino;
}
