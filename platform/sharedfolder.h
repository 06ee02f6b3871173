#pragma once
// A data folder that may lie on a network share and be opened from several
// computers: what kind of file system holds it, reads that may see another
// computer's change late, and the folder this program holds (its lock), into
// which nothing is written once it is no longer the one that was locked.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/types.h>

namespace platform {

namespace fs = std::filesystem;

// Whether the path lies on a network file system (NFS, SMB, a FUSE file
// system such as sshfs, ...). Unknown paths count as local.
bool OnNetworkFileSystem(const fs::path& path);

// Waits between the attempts of share operations. Tests put in another wait
// (nullptr: the real one).
void PauseForShare(std::chrono::milliseconds pause);
void SetSharePauseOverride(std::function<void(std::chrono::milliseconds)> pause);
// Tests make every path count as on a network file system, or none
// (std::nullopt: as the system tells).
void SetNetworkFileSystemOverride(std::optional<bool> network);

// Runs `read` (true: what it read is sound). On a network file system a read
// that fails while the file exists may have seen a stale view of a file that
// another computer has just replaced (the old size with the new contents): it
// is read again after growing pauses, for some seconds, before the failure
// stands. On a local file system it is read once.
bool ReadAgainWhileStale(const fs::path& file, const std::function<bool()>& read);

// The file-system object of a folder: equal only for the same folder of the
// same mount.
struct FolderIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};
std::optional<FolderIdentity> IdentifyFolder(const fs::path& folder);

// The folder this program holds, and the check that it still does (its lock
// is still ours there). While one is held, every write of a file into it
// through the file services of files.h asks that check first and writes
// nothing when it fails.
void HoldFolder(const fs::path& folder, std::function<bool()> stillHeld);
// Ends holding the folder (no other one that was held since).
void ReleaseHeldFolder(const fs::path& folder);
// False when the path lies in the held folder and that is no longer ours;
// true for every other path and while no folder is held.
bool HeldFolderReachable(const fs::path& path);

}  // namespace platform
