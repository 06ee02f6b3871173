#pragma once
// Only one instance per user and display: a lock file in the user's runtime
// folder, named after the display, held with flock for the life of the guard
// (the system drops it when the process ends, so a crashed instance never
// blocks the next).
#include <filesystem>
#include <string>

inline constexpr char kInstanceBaseName[] = "kiu342s77dc456";

// The name of the guard's lock file: base name + "-" + user + "-" + display
// (characters unfit for a file name replaced by "_").
std::string BuildInstanceLockName(const std::string& baseName);

class SingleInstanceGuard {
 public:
  explicit SingleInstanceGuard(std::string baseName = kInstanceBaseName);
  ~SingleInstanceGuard();
  SingleInstanceGuard(const SingleInstanceGuard&) = delete;
  SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

  // True when no other instance holds the guard (or this one holds it
  // already). False after the message "Das Pravik Hauptprogramm läuft
  // bereits!" when another one does.
  bool Acquire();
  // False without any message when another instance holds the guard.
  bool TryAcquire();
  bool IsHeld() const { return fd_ >= 0; }
  void Release();

  std::filesystem::path LockFile() const;
  // Tests put the lock file elsewhere (default: the user's runtime folder).
  void SetFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

 private:
  std::string baseName_;
  std::filesystem::path folder_;
  int fd_ = -1;
};
