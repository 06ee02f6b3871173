#include "platform/sharedfolder.h"

#include <sys/stat.h>
#include <sys/vfs.h>

#include <algorithm>
#include <thread>

#include "platform/files.h"

namespace platform {

namespace {

std::function<void(std::chrono::milliseconds)>& PauseOverride() {
  static std::function<void(std::chrono::milliseconds)> pause;
  return pause;
}

std::optional<bool>& NetworkOverride() {
  static std::optional<bool> network;
  return network;
}

struct HeldFolder {
  fs::path folder;
  std::function<bool()> stillHeld;
};

std::optional<HeldFolder>& Held() {
  static std::optional<HeldFolder> held;
  return held;
}

// Absolute and without "." and "..", and without a trailing separator.
fs::path Normal(const fs::path& path) {
  std::error_code ec;
  fs::path normal = fs::absolute(path, ec).lexically_normal();
  if (ec) normal = path.lexically_normal();
  if (normal.has_relative_path() && normal.filename().empty()) normal = normal.parent_path();
  return normal;
}

bool Inside(const fs::path& path, const fs::path& folder) {
  const fs::path p = Normal(path);
  const fs::path f = Normal(folder);
  auto [folderEnd, pathAt] = std::mismatch(f.begin(), f.end(), p.begin(), p.end());
  return folderEnd == f.end();
}

}  // namespace

bool OnNetworkFileSystem(const fs::path& path) {
  if (NetworkOverride()) return *NetworkOverride();
  struct statfs info {};
  fs::path probe = path;
  // A file that is not there (yet) lies on the file system of its folder.
  while (::statfs(probe.c_str(), &info) != 0) {
    if (!probe.has_relative_path()) return false;
    probe = probe.parent_path();
    if (probe.empty()) probe = ".";
  }
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x65735546:  // FUSE (sshfs and others)
    case 0x01021997:  // 9P
    case 0x00C36400:  // Ceph
    case 0x5346414F:  // AFS
    case 0x73757245:  // Coda
    case 0x7461636F:  // OCFS2
    case 0x01161970:  // GFS2
      return true;
    default:
      return false;
  }
}

void PauseForShare(std::chrono::milliseconds pause) {
  if (PauseOverride()) PauseOverride()(pause);
  else std::this_thread::sleep_for(pause);
}

void SetSharePauseOverride(std::function<void(std::chrono::milliseconds)> pause) {
  PauseOverride() = std::move(pause);
}

void SetNetworkFileSystemOverride(std::optional<bool> network) { NetworkOverride() = network; }

bool ReadAgainWhileStale(const fs::path& file, const std::function<bool()>& read) {
  if (read()) return true;
  if (!OnNetworkFileSystem(file)) return false;
  // A cache of a file's size lives about a second by default (sshfs, SMB);
  // the pauses outlast a few times that.
  using std::chrono::milliseconds;
  for (const milliseconds pause : {milliseconds(250), milliseconds(500), milliseconds(1000), milliseconds(2000),
                                   milliseconds(4000)}) {
    if (!FileExists(file)) return false;
    PauseForShare(pause);
    if (read()) return true;
  }
  return false;
}

std::optional<FolderIdentity> IdentifyFolder(const fs::path& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return FolderIdentity{st.st_dev, st.st_ino};
}

void HoldFolder(const fs::path& folder, std::function<bool()> stillHeld) {
  Held() = HeldFolder{folder, std::move(stillHeld)};
}

void ReleaseHeldFolder(const fs::path& folder) {
  if (Held() && Held()->folder == folder) Held().reset();
}

bool HeldFolderReachable(const fs::path& path) {
  static bool checking = false;
  if (!Held() || checking || !Inside(path, Held()->folder)) return true;
  checking = true;
  const bool held = Held()->stillHeld();
  checking = false;
  return held;
}

}  // namespace platform
