#include "platform/files.h"

#include <fcntl.h>
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
  if (!WriteFileBytes(tmp, bytes)) {
    DeleteFile(tmp);
    return false;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    DeleteFile(tmp);
    return false;
  }
  SyncFolderOf(path);
  return true;
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
