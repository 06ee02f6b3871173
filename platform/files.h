#pragma once
// File services standing in for the Windows file functions. Paths are
// std::filesystem::path; every function reports failure by its result and
// never throws.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace fs = std::filesystem;

bool FileExists(const fs::path& path);    // a regular file
bool FolderExists(const fs::path& path);  // a directory
// Whether anything stands at the path (also a dangling link): its status can be read.
bool PathTaken(const fs::path& path);
std::optional<std::uintmax_t> FileSize(const fs::path& path);
// Last modification time as seconds since the epoch.
std::optional<std::time_t> FileModificationTime(const fs::path& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolder(const fs::path& path);
// Copies a file, flushing the copy to disk. Without overwrite an existing
// target makes it fail. A copy that fails once the target was opened removes
// the target: what was written of it is no copy.
bool CopyFile(const fs::path& from, const fs::path& to, bool overwrite = true);
// Copies through a temporary file in the target's folder that is flushed and
// then renamed over the target, so the target is either old or new, never half.
bool CopyFileAtomic(const fs::path& from, const fs::path& to);
// Renames, or copies and deletes across file systems. A source that cannot
// be deleted there takes the copy away again (an overwritten target comes
// back): the file never stands in both places.
bool MoveFile(const fs::path& from, const fs::path& to, bool overwrite = true);
bool DeleteFile(const fs::path& path);
// Gives the file a second name in the same file system (a hard link): both
// names hold the same bytes until one of them is replaced. False where the
// file system has no such links, across file systems and when the new name
// is taken.
bool LinkFile(const fs::path& existing, const fs::path& newName);
// Renames within one file system, replacing `to`; the folder is not flushed
// (SyncFolder), so that several renames cost one flush.
bool RenameFile(const fs::path& from, const fs::path& to);
// Flushes the folder's entries (new names, renames, removals) to disk. False
// only when the flush fails; a folder that cannot be opened or a file system
// that cannot flush folders is no failure.
bool SyncFolder(const fs::path& folder);

// A file read whole is first checked: a regular file (a folder, device or
// named pipe would never end or hang the window) of at most the size its
// kind allows.
enum class FileKind {
  kSmall,   // settings, lock, customer, language, plant, help, mixture, hand-off files: 16 MiB
  kBitmap,  // a picture: 256 MiB
  kLarge,   // transfer and month files, programs: 512 MiB
};
std::uintmax_t WholeFileLimit(FileKind kind);
enum class ReadRefusal { kNone, kNotAFile, kTooLarge };
// Told of every refused file (the program shows a message naming it);
// without a reporter refusals are only returned.
using RefusalReporter = std::function<void(const fs::path& path, ReadRefusal refusal, std::uintmax_t limit)>;
void SetRefusalReporter(RefusalReporter reporter);
// Checks the file without opening it. kNone also for a file that is missing
// or cannot be looked at: reading it fails as before. `report` tells the
// reporter of a refusal.
ReadRefusal CheckWholeFile(const fs::path& path, FileKind kind, bool report = true);

// Whole files as bytes, checked first (CheckWholeFile; a refusal is given in
// `refusal` when asked for).
std::optional<std::string> ReadFileBytes(const fs::path& path, FileKind kind = FileKind::kSmall,
                                         ReadRefusal* refusal = nullptr, bool report = true);
// Whether both files can be read and hold the same bytes.
bool SameFileBytes(const fs::path& a, const fs::path& b);
// Creates or truncates the file and writes the bytes, flushed to disk.
bool WriteFileBytes(const fs::path& path, std::string_view bytes);
// Writes to a temporary file in the same folder, flushes it and renames it
// over the target (ReplaceFile).
bool WriteFileAtomic(const fs::path& path, std::string_view bytes);
// The same for a file made in pieces: `produce` hands each piece to the
// writer it gets, which is false once the disk refuses; so is `produce`.
using PieceWriter = std::function<bool(std::string_view)>;
bool WriteFileAtomic(const fs::path& path, const std::function<bool(const PieceWriter&)>& produce);
// Renames a flushed file in the target's folder over the target, which keeps
// its mode and, where permitted, its owner and group; then flushes the folder.
// False also when flushing the folder fails (a file system that cannot flush
// a folder is no failure): the rename may then not last.
bool ReplaceFile(const fs::path& replacement, const fs::path& target);
// Tests put in the result of flushing a folder (0, or the errno of the
// failure); nullptr: the real flush.
void SetFolderSyncOverride(std::function<int(const fs::path& folder)> sync);

// The lines of a file, read through one buffer: split at LF, a CR right
// before the LF belongs to the line end (as the C library's text mode reads
// them). A line stays valid until the next call. Only a regular file opens.
class FileLines {
 public:
  explicit FileLines(const fs::path& path);
  ~FileLines();
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  bool opened() const { return fd_ >= 0; }
  // False at the end of the file and when reading fails (then failed()).
  bool Next(std::string_view& line);
  bool failed() const { return failed_; }

 private:
  bool Fill();

  int fd_ = -1;
  std::string buffer_;
  size_t begin_ = 0;    // the next line starts here
  size_t scanned_ = 0;  // no LF between begin_ and here
  size_t end_ = 0;      // bytes read
  bool atEnd_ = false;
  bool failed_ = false;
};

// A unique temporary name in the folder of the given path: "." + the file
// name + ".tmp<pid>_<n>_<n>", the pid being the writer's.
fs::path TemporarySibling(const fs::path& path);
// Removes the temporary files of TemporarySibling directly in the folder
// that no running process holds open (those of writers that were killed or
// crashed). Gives the ones that could not be removed.
std::vector<fs::path> RemoveOrphanedTemporaryFiles(const fs::path& folder);

}  // namespace platform
