#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/sharedfolder.h"

namespace platform {

namespace {

// Pieces of this size keep the copying in the processor's cache.
constexpr size_t kPieceSize = 256 * 1024;

}  // namespace

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool PathTaken(const fs::path& path) {
  std::error_code ec;
  const auto status = fs::symlink_status(path, ec);
  return !ec && status.type() != fs::file_type::not_found;
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

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WriteAllAndSync(int fd, std::string_view bytes) { return WriteAll(fd, bytes) && ::fsync(fd) == 0; }

std::function<int(const fs::path&)>& FolderSyncOverride() {
  static std::function<int(const fs::path&)> sync;
  return sync;
}

bool SyncFolderOf(const fs::path& path) { return SyncFolder(path.parent_path()); }

// The writers' check of the held data folder; errno tells a caller why.
bool MayWrite(const fs::path& path) {
  if (HeldFolderReachable(path)) return true;
  errno = ESTALE;
  return false;
}

}  // namespace

// A folder that cannot be opened or a file system that cannot flush a
// folder (some network and FUSE file systems) leaves it to the file system,
// as without the flush: no failure.
bool SyncFolder(const fs::path& path) {
  const fs::path folder = path.empty() ? fs::path(".") : path;
  int error = 0;
  if (FolderSyncOverride()) {
    error = FolderSyncOverride()(folder);
  } else {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    if (::fsync(fd) != 0) error = errno;
    ::close(fd);
  }
  switch (error) {
    case 0:
    case EINVAL:
    case EBADF:
    case ENOSYS:
    case ENOTSUP:
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case EROFS:
      return true;
    default:
      errno = error;
      return false;
  }
}

std::uintmax_t WholeFileLimit(FileKind kind) {
  constexpr std::uintmax_t kMiB = 1024 * 1024;
  switch (kind) {
    case FileKind::kSmall: return 16 * kMiB;
    case FileKind::kBitmap: return 256 * kMiB;
    case FileKind::kLarge: return 512 * kMiB;
  }
  return 16 * kMiB;
}

namespace {

RefusalReporter& Reporter() {
  static RefusalReporter reporter;
  return reporter;
}

ReadRefusal Judge(const struct stat& st, FileKind kind) {
  if (!S_ISREG(st.st_mode)) return ReadRefusal::kNotAFile;
  if (static_cast<std::uintmax_t>(st.st_size) > WholeFileLimit(kind)) return ReadRefusal::kTooLarge;
  return ReadRefusal::kNone;
}

ReadRefusal Refuse(const fs::path& path, ReadRefusal refusal, FileKind kind, bool report) {
  if (refusal != ReadRefusal::kNone && report && Reporter()) Reporter()(path, refusal, WholeFileLimit(kind));
  return refusal;
}

}  // namespace

void SetRefusalReporter(RefusalReporter reporter) { Reporter() = std::move(reporter); }

ReadRefusal CheckWholeFile(const fs::path& path, FileKind kind, bool report) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return ReadRefusal::kNone;
  return Refuse(path, Judge(st, kind), kind, report);
}

std::optional<std::string> ReadFileBytes(const fs::path& path, FileKind kind, ReadRefusal* refusal, bool report) {
  ReadRefusal ignored = ReadRefusal::kNone;
  ReadRefusal& why = refusal ? *refusal : ignored;
  why = ReadRefusal::kNone;
  // Judged before opening (opening a device may act on it) and again on what
  // was opened; a named pipe opened without O_NONBLOCK waits for a writer.
  if ((why = CheckWholeFile(path, kind, report)) != ReadRefusal::kNone) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  if ((why = Refuse(path, Judge(st, kind), kind, report)) != ReadRefusal::kNone) {
    ::close(fd);
    return std::nullopt;
  }
  const std::uintmax_t limit = WholeFileLimit(kind);
  std::string out;
  if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
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
    // A file that grows while it is read stops at the limit all the same.
    if (out.size() > limit) {
      ::close(fd);
      why = Refuse(path, ReadRefusal::kTooLarge, kind, report);
      return std::nullopt;
    }
  }
  ::close(fd);
  return out;
}

bool SameFileBytes(const fs::path& a, const fs::path& b) {
  const int fdA = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
  const int fdB = fdA < 0 ? -1 : ::open(b.c_str(), O_RDONLY | O_CLOEXEC);
  // Reads up to `size` bytes, fewer only at the end; -1 when reading fails.
  auto readFull = [](int fd, char* data, size_t size) -> ssize_t {
    size_t done = 0;
    while (done < size) {
      const ssize_t n = ::read(fd, data + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return -1;
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
  };
  bool same = fdA >= 0 && fdB >= 0;
  // Files of two sizes differ; small ones take buffers of their size.
  struct stat infoA {}, infoB {};
  size_t piece = kPieceSize;
  if (same && ::fstat(fdA, &infoA) == 0 && ::fstat(fdB, &infoB) == 0 && S_ISREG(infoA.st_mode) &&
      S_ISREG(infoB.st_mode)) {
    same = infoA.st_size == infoB.st_size;
    piece = std::min(kPieceSize, static_cast<size_t>(infoA.st_size) + 1);
  }
  std::string bufferA(same ? piece : 0, '\0'), bufferB(bufferA.size(), '\0');
  while (same) {
    const ssize_t nA = readFull(fdA, bufferA.data(), piece);
    const ssize_t nB = readFull(fdB, bufferB.data(), piece);
    same = nA >= 0 && nA == nB && std::memcmp(bufferA.data(), bufferB.data(), static_cast<size_t>(nA)) == 0;
    if (nA <= 0) break;
  }
  if (fdA >= 0) ::close(fdA);
  if (fdB >= 0) ::close(fdB);
  return same;
}

bool WriteFileBytes(const fs::path& path, std::string_view bytes) {
  if (!MayWrite(path)) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAllAndSync(fd, bytes);
  ok = (::close(fd) == 0) && ok;
  return ok;
}

FileLines::FileLines(const fs::path& path) {
  // Only a regular file: a named pipe would wait for a writer, a device
  // might never end.
  if (CheckWholeFile(path, FileKind::kLarge, false) == ReadRefusal::kNotAFile) return;
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  // A small file gets a buffer of its size (and the byte that finds its
  // end): a large one costs its pages at every open.
  struct stat info {};
  const bool sized = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0;
  buffer_.resize(sized ? std::min(kPieceSize, static_cast<size_t>(info.st_size) + 1) : kPieceSize);
}

FileLines::~FileLines() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileLines::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    scanned_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);  // a line longer than the buffer
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failed_ = true;
    if (n <= 0) {
      atEnd_ = true;
      return false;
    }
    end_ += static_cast<size_t>(n);
    return true;
  }
}

bool FileLines::Next(std::string_view& line) {
  if (fd_ < 0 || failed_) return false;
  for (;;) {
    if (const void* lf = std::memchr(buffer_.data() + scanned_, '\n', end_ - scanned_)) {
      const size_t at = static_cast<size_t>(static_cast<const char*>(lf) - buffer_.data());
      line = std::string_view(buffer_.data() + begin_, at - begin_);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      begin_ = scanned_ = at + 1;
      return true;
    }
    scanned_ = end_;
    if (!atEnd_ && Fill()) continue;
    if (failed_ || begin_ == end_) return false;
    line = std::string_view(buffer_.data() + begin_, end_ - begin_);  // the last line has no LF
    begin_ = scanned_ = end_;
    return true;
  }
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

bool WriteFileAtomic(const fs::path& path, const std::function<bool(const PieceWriter&)>& produce) {
  if (!MayWrite(path)) return false;
  const fs::path tmp = TemporarySibling(path);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const PieceWriter write = [fd](std::string_view piece) { return WriteAll(fd, piece); };
  bool ok = produce(write) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || !ReplaceFile(tmp, path)) {
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
  if (!MayWrite(target) || ::rename(replacement.c_str(), target.c_str()) != 0) return false;
  return SyncFolderOf(target);
}

void SetFolderSyncOverride(std::function<int(const fs::path& folder)> sync) { FolderSyncOverride() = std::move(sync); }

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
  if (!MayWrite(to)) return false;
  if (!overwrite && fs::exists(to)) return false;
  // Only a regular file: a named pipe or device would never end.
  const int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    ::close(in);
    return false;
  }
  // The kernel copies between the files; where it cannot, a buffer does.
  bool ok = true;
  bool inKernel = true;
  std::string buffer;
  for (;;) {
    ssize_t n = inKernel ? ::copy_file_range(in, nullptr, out, nullptr, kPieceSize * 16, 0) : -1;
    if (n < 0 && inKernel && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
      inKernel = false;
      buffer.resize(kPieceSize);
    }
    if (!inKernel) {
      n = ::read(in, buffer.data(), buffer.size());
      if (n > 0 && !WriteAll(out, std::string_view(buffer.data(), static_cast<size_t>(n)))) n = -1;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
  }
  ok = ok && ::fsync(out) == 0;
  ok = ::close(out) == 0 && ok;
  ::close(in);
  // A part of the file would pass for the copy, and would block its name.
  if (!ok) DeleteFile(to);
  return ok;
}

bool CopyFileAtomic(const fs::path& from, const fs::path& to) {
  // Copied in pieces: the file may be as large as the record file.
  const fs::path tmp = TemporarySibling(to);
  if (!CopyFile(from, tmp, false) || !ReplaceFile(tmp, to)) {
    DeleteFile(tmp);
    return false;
  }
  return true;
}

bool MoveFile(const fs::path& from, const fs::path& to, bool overwrite) {
  if (!FileExists(from)) return false;
  if (!overwrite && fs::exists(to)) return false;
  if (!MayWrite(to)) return false;
  if (::rename(from.c_str(), to.c_str()) == 0) return SyncFolderOf(to);
  if (errno != EXDEV) return false;
  // Another file system: a complete copy takes the target's name, then the
  // source goes. An overwritten target waits under a temporary name until then.
  const fs::path copy = TemporarySibling(to);
  if (!CopyFile(from, copy, false)) return false;
  fs::path old;
  if (overwrite && FileExists(to)) {
    old = TemporarySibling(to);
    if (::rename(to.c_str(), old.c_str()) != 0) {
      DeleteFile(copy);
      return false;
    }
  }
  auto restoreOld = [&] {
    if (!old.empty()) ::rename(old.c_str(), to.c_str());
  };
  if ((!overwrite && fs::exists(to)) || ::rename(copy.c_str(), to.c_str()) != 0) {
    DeleteFile(copy);
    restoreOld();
    return false;
  }
  if (DeleteFile(from)) {
    if (!old.empty()) DeleteFile(old);
    SyncFolderOf(to);
    return true;
  }
  // The source stays: the copy goes again, so the file is in one place only.
  DeleteFile(to);
  restoreOld();
  SyncFolderOf(to);
  return false;
}

bool LinkFile(const fs::path& existing, const fs::path& newName) {
  return MayWrite(newName) && ::link(existing.c_str(), newName.c_str()) == 0;
}

bool RenameFile(const fs::path& from, const fs::path& to) {
  return MayWrite(to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool DeleteFile(const fs::path& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

}  // namespace platform
