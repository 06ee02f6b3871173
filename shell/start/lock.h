#pragma once
// The lock of a data folder: "lock.lck" names who has the folder open. A
// start by another computer, user or program path is refused; the same
// computer, user and program path take a lock over only when the process that
// wrote it no longer runs.
//
// Lock line: "[computer][user][start time][program path]" as ever, followed by
// "[pid]" (older readers take the first four bracketed fields and ignore it).
#include <filesystem>
#include <optional>
#include <string>

#include "shell/app/cpvdialog.h"

// Who holds (or held) a lock, as read from the lock line.
struct LockHolder {
  std::string computer{};
  std::string user{};
  std::string startTime{};
  std::string programPath{};
  std::string processId{};  // empty in lines of older writers
};

// The lock line of a holder, and a line read back (empty fields when a
// bracket is missing).
std::string FormatLockLine(const LockHolder& holder);
LockHolder ParseLockLine(const std::string& line);

class CLock {
 public:
  CLock() = default;
  ~CLock() = default;
  CLock(const CLock&) = delete;
  CLock& operator=(const CLock&) = delete;

  // True when the start may go on. False after a message: the folder is held
  // by someone else (the notice with the holder's values), or the lock file
  // cannot be written.
  bool Lock(const std::filesystem::path& dataFolder);
  // Deletes the lock file if it is still ours.
  void Unlock();
  bool IsLocked() const { return owned_; }

  // The holder's fields and the lock-file path of the last Lock.
  bool GetHolderInfo(std::string& computer, std::string& user, std::string& startTime,
                     std::string& programPath, std::string& lockFilePath) const;
  const LockHolder& Holder() const { return holder_; }
  const std::filesystem::path& LockFilePath() const { return lockFile_; }

  // Who we are (tests put in other values; empty fields are filled from the system).
  void SetSelf(const LockHolder& self) { selfOverride_ = self; }

 private:
  LockHolder Self() const;

  bool owned_ = false;
  LockHolder holder_;
  std::filesystem::path lockFile_;
  std::string ownLine_;
  std::optional<LockHolder> selfOverride_;
};

// The notice "Zugriff verweigert" that shows who holds the lock. The caller
// sets the five values and shows it modally.
class CLockHinweisDlg : public CpvDialog {
 public:
  explicit CLockHinweisDlg(QWidget* parent = nullptr);

  std::string m_User;         // 1251
  std::string m_Computer;     // 1252
  std::string m_StartTime;    // 1253
  std::string m_ProgramPath;  // 1254
  std::string m_LockFile;     // 1256

 protected:
  bool OnInitDialog() override;
};
