#include "platform/filetool.h"

#include <algorithm>

#include "platform/files.h"

CFileTool::~CFileTool() { CFileTool::Close(); }

bool CFileTool::OpenAndRead(const std::filesystem::path& path) {
  Close();
  auto bytes = platform::ReadFileBytes(path);
  if (!bytes) return false;
  path_ = path;
  buffer_ = std::move(*bytes);
  dirty_ = false;
  open_ = true;
  return true;
}

bool CFileTool::CreateWithText(const std::filesystem::path& path, std::string_view text) {
  Close();
  if (!platform::WriteFileAtomic(path, text)) return false;
  return OpenAndRead(path);
}

void CFileTool::OpenWithText(const std::filesystem::path& path, std::string_view text) {
  Close();
  path_ = path;
  buffer_ = std::string(text);
  dirty_ = false;
  open_ = true;
}

bool CFileTool::Close() {
  if (!open_) return true;
  bool ok = !dirty_ || platform::WriteFileAtomic(path_, buffer_);
  Discard();
  return ok;
}

void CFileTool::Discard() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  cursor_ = 0;
  dirty_ = false;
  open_ = false;
}

void CFileTool::SetCursor(std::size_t position) { cursor_ = std::min(position, buffer_.size()); }

void CFileTool::Insert(std::string_view text) {
  if (!open_) return;
  buffer_.insert(cursor_, text);
  cursor_ += text.size();
  dirty_ = true;
}

bool CFileTool::Find(std::string_view text) {
  std::size_t pos = buffer_.find(text, cursor_);
  if (pos == std::string::npos) return false;
  cursor_ = pos;
  return true;
}

bool CFileTool::FindBefore(std::string_view text, std::string_view limit) {
  std::size_t limitPos = buffer_.find(limit, cursor_);
  if (limitPos == std::string::npos) limitPos = buffer_.size();
  std::size_t pos = buffer_.find(text, cursor_);
  if (pos != std::string::npos && pos < limitPos) {
    cursor_ = pos;
    return true;
  }
  cursor_ = limitPos;
  return false;
}

bool CFileTool::FindBeforeAndSkip(std::string_view text, std::string_view limit) {
  if (!FindBefore(text, limit)) return false;
  cursor_ += text.size();
  return true;
}

std::size_t CFileTool::FindOrAppend(std::string_view text) {
  cursor_ = 0;
  std::size_t pos = buffer_.find(text);
  if (pos != std::string::npos) {
    cursor_ = pos + text.size();
  } else {
    cursor_ = buffer_.size();
    Insert(text);
  }
  return cursor_;
}

std::string CFileTool::ReadLine(std::size_t capacity) {
  if (capacity == 0) return "";
  std::size_t end = std::min({buffer_.find('\r', cursor_), buffer_.size(), cursor_ + capacity - 1});
  std::string line = buffer_.substr(cursor_, end - cursor_);
  cursor_ = end;
  return line;
}
