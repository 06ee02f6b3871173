#include "platform/textfile.h"

#include "platform/files.h"
#include "platform/textcodec.h"

namespace platform {

std::string DecodeText(std::string_view bytes) {
  std::string joined;
  joined.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    joined.push_back(bytes[i]);
  }
  return FromCp1252(joined);
}

std::string EncodeText(std::string_view text) {
  std::string bytes = ToCp1252(text);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (char c : bytes) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return DecodeText(*bytes);
}

bool WriteTextFile(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomic(path, EncodeText(text));
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path) {
  auto text = ReadTextFile(path);
  if (!text) return std::nullopt;
  return SplitLines(*text);
}

}  // namespace platform
