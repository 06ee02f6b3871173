#pragma once
// A whole text file in memory: search and insert at a cursor, write back when
// closed, but only when something was inserted. Searches are plain byte
// searches; the buffer holds the file's bytes as they are on disk.
// Writing back goes through a temporary file and a rename, so the file on
// disk is always either the old or the new content.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

class CFileTool {
 public:
  CFileTool() = default;
  virtual ~CFileTool();
  CFileTool(const CFileTool&) = delete;
  CFileTool& operator=(const CFileTool&) = delete;

  // Closes what the object held, then reads the whole file. The cursor is not
  // moved. False when the file cannot be read.
  bool OpenAndRead(const std::filesystem::path& path);
  // Writes the text as the file's whole content, then reads it back.
  bool CreateWithText(const std::filesystem::path& path, std::string_view text);
  // Takes the text as the content of a file that is written only when
  // something is inserted (a file that does not exist yet).
  void OpenWithText(const std::filesystem::path& path, std::string_view text);
  // Writes the buffer back when text was inserted, then releases it. False
  // when the write failed (the file then keeps its old content).
  virtual bool Close();
  // Releases the buffer without writing anything.
  void Discard();

  void Insert(std::string_view text);
  bool Find(std::string_view text);
  // Finds the text from the cursor when it begins before the first limit text
  // (or the end). Hit: cursor on the text. Miss: cursor on the limit.
  bool FindBefore(std::string_view text, std::string_view limit);
  // FindBefore, and on a hit the cursor moves behind the text.
  bool FindBeforeAndSkip(std::string_view text, std::string_view limit);
  // Searches from the start; on a miss appends the text at the end. The cursor
  // ends behind the text; returns the cursor.
  std::size_t FindOrAppend(std::string_view text);
  // The bytes from the cursor up to a carriage return, the end, or
  // capacity - 1 bytes; the cursor moves behind them.
  std::string ReadLine(std::size_t capacity);

  bool IsOpen() const { return open_; }
  // Bytes held plus the terminating zero, 0 when nothing is held.
  std::size_t Size() const { return open_ ? buffer_.size() + 1 : 0; }
  std::size_t Cursor() const { return cursor_; }
  void SetCursor(std::size_t position);
  bool Dirty() const { return dirty_; }
  const std::string& Content() const { return buffer_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::string buffer_;
  std::size_t cursor_ = 0;
  bool dirty_ = false;
  bool open_ = false;
};
