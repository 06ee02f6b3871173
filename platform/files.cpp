#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>

namespace platform {

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

std::optional<std::uintmax_t> FileSize(const fs::path& path) {
  std::error_code ec;
  auto size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

std::optional<std::time_t> FileModificationTime(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_mtime;
}

bool CreateFolder(const fs::path& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return FolderExists(path);
}

namespace {

bool WriteAllAndSync(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return ::fsync(fd) == 0;
}

bool SyncFolderOf(const fs::path& path) {
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  ::fsync(fd);
  ::close(fd);
  return true;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return std::nullopt;
  std::string out;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return out;
}

bool WriteFileBytes(const fs::path& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAllAndSync(fd, bytes);
  ok = (::close(fd) == 0) && ok;
  return ok;
}

fs::path TemporarySibling(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  std::string name = "." + path.filename().string() + ".tmp" + std::to_string(::getpid()) +
                     "_" + std::to_string(seed % 100000) + "_" + std::to_string(counter++);
  return path.parent_path() / name;
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  fs::path tmp = TemporarySibling(path);
  if (!WriteFileBytes(tmp, bytes) || !ReplaceFile(tmp, path)) {
    DeleteFile(tmp);
    return false;
  }
  return true;
}

bool ReplaceFile(const fs::path& replacement, const fs::path& target) {
  // A data folder shared by several computers relies on the mode and group
  // it gave the file; the replacement would get the process's defaults.
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    // Best effort: a file system without modes must not fail the save.
    (void)::chmod(replacement.c_str(), st.st_mode & 07777);
    if (::chown(replacement.c_str(), st.st_uid, st.st_gid) != 0)
      (void)::chown(replacement.c_str(), static_cast<uid_t>(-1), st.st_gid);
  }
  if (::rename(replacement.c_str(), target.c_str()) != 0) return false;
  SyncFolderOf(target);
  return true;
}

namespace {

// The writer's process id of a TemporarySibling name; 0 for other names.
pid_t TemporaryFileOwner(const std::string& name) {
  if (name.size() < 2 || name[0] != '.') return 0;
  const size_t tmp = name.rfind(".tmp");
  if (tmp == std::string::npos || tmp == 0) return 0;
  // "<pid>_<n>_<n>" up to the end.
  std::string_view rest = std::string_view(name).substr(tmp + 4);
  long long numbers[3] = {};
  for (int i = 0; i < 3; ++i) {
    size_t digits = 0;
    while (digits < rest.size() && digits < 10 && rest[digits] >= '0' && rest[digits] <= '9')
      numbers[i] = numbers[i] * 10 + (rest[digits++] - '0');
    if (digits == 0) return 0;
    rest.remove_prefix(digits);
    if (i < 2) {
      if (rest.empty() || rest.front() != '_') return 0;
      rest.remove_prefix(1);
    }
  }
  if (!rest.empty() || numbers[0] <= 0 || numbers[0] > 0x7fffffff) return 0;
  return static_cast<pid_t>(numbers[0]);
}

// Whether the process holds the file open; true when it runs but cannot be
// looked into.
bool ProcessHoldsFile(pid_t pid, const struct stat& file) {
  if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
  const std::string fdFolder = "/proc/" + std::to_string(pid) + "/fd";
  DIR* dir = ::opendir(fdFolder.c_str());
  if (!dir) return errno != ENOENT;
  bool holds = false;
  while (dirent* entry = ::readdir(dir)) {
    struct stat target {};
    if (entry->d_name[0] == '.') continue;
    if (::stat((fdFolder + "/" + entry->d_name).c_str(), &target) == 0 && target.st_dev == file.st_dev &&
        target.st_ino == file.st_ino) {
      holds = true;
      break;
    }
  }
  ::closedir(dir);
  return holds;
}

}  // namespace

std::vector<fs::path> RemoveOrphanedTemporaryFiles(const fs::path& folder) {
  std::vector<fs::path> failed;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const pid_t owner = TemporaryFileOwner(it->path().filename().string());
    if (owner == 0) continue;
    struct stat st {};
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (ProcessHoldsFile(owner, st)) continue;
    if (::unlink(it->path().c_str()) != 0 && errno != ENOENT) failed.push_back(it->path());
  }
  return failed;
}

bool CopyFile(const fs::path& from, const fs::path& to, bool overwrite) {
  if (!overwrite && fs::exists(to)) return false;
  auto bytes = ReadFileBytes(from);
  if (!bytes) return false;
  return WriteFileBytes(to, *bytes);
}

bool CopyFileAtomic(const fs::path& from, const fs::path& to) {
  auto bytes = ReadFileBytes(from);
  if (!bytes) return false;
  return WriteFileAtomic(to, *bytes);
}

bool MoveFile(const fs::path& from, const fs::path& to, bool overwrite) {
  if (!FileExists(from)) return false;
  if (!overwrite && fs::exists(to)) return false;
  if (::rename(from.c_str(), to.c_str()) == 0) {
    SyncFolderOf(to);
    return true;
  }
  if (errno != EXDEV) return false;
  if (!CopyFile(from, to, overwrite)) return false;
  return DeleteFile(from);
}

bool DeleteFile(const fs::path& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

}  // namespace platform
