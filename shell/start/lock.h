#pragma once
// The lock of a data folder: "lock.lck" names who has the folder open. A
// start by another computer, user or program path is refused; the same
// computer, user and program path take a lock over only when the process that
// wrote it no longer runs: no process has its id, or the one that has it
// started at another moment (a restarted computer hands out the same ids
// again), or it is our own id.
//
// Lock line: "[computer][user][start time][program path]" as ever, followed by
// "[pid][process start]" (older readers take the first four bracketed fields
// and ignore the rest).
//
// On a network share the lock is created exclusively; a lock that vanishes
// while the start looks at it (removed by another computer) is tried again
// after pauses; "file exists" reported as a permission error counts as held
// when the file is there; a lock line read before its writer completed it is
// read again for a moment. While the lock is held, the data folder is the
// held folder of platform/sharedfolder.h: writes into it first check that it
// still holds our own lock line.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/sharedfolder.h"
#include "services/cpvdialog.h"

// Who holds (or held) a lock, as read from the lock line.
struct LockHolder {
  std::string computer{};
  std::string user{};
  std::string startTime{};
  std::string programPath{};
  std::string processId{};     // empty in lines of older writers
  std::string processStart{};  // platform::ProcessStartMark of the holder; empty in older lines
};

// The lock line of a holder, and a line read back (empty fields when a
// bracket is missing).
std::string FormatLockLine(const LockHolder& holder);
LockHolder ParseLockLine(const std::string& line);
// Whether the line holds at least the four bracketed fields and ends with a
// closing bracket, as every complete line does (one read while its writer is
// still writing it does not).
bool IsCompleteLockLine(const std::string& line);

// Tests make the exclusive creation of the lock file fail: the function gives
// 0 to create it as usual or the errno to fail with (nullptr: as usual).
void SetLockCreateOverride(std::function<int(const std::filesystem::path& lockFile)> create);

class CLock {
 public:
  CLock() = default;
  ~CLock();
  CLock(const CLock&) = delete;
  CLock& operator=(const CLock&) = delete;

  // True when the start may go on. False after a message: the folder is held
  // by someone else (the notice with the holder's values), or the lock file
  // cannot be written.
  bool Lock(const std::filesystem::path& dataFolder);
  // Deletes the lock file if it is still ours.
  void Unlock();
  bool IsLocked() const { return owned_; }
  // Whether the data folder is still the one we locked: the lock file there
  // holds our own line. A lock file deleted by hand while we run is written
  // again when the folder is still the same file-system object; a folder
  // that is gone, or replaced (the empty mount point of a share that dropped
  // off), or locked by someone else is not ours.
  bool StillHeld();

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
  std::optional<platform::FolderIdentity> folderIdentity_;
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
