#pragma once
// Text files as the program's single-byte files are stored: code page 1252 on
// disk with CR LF line ends, UTF-8 with "\n" in memory (the text mode of the
// Windows C library).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Disk bytes to program text: CR LF pairs become "\n", the bytes are decoded.
std::string DecodeText(std::string_view bytes);
// Program text to disk bytes: every "\n" becomes CR LF, the text is encoded.
std::string EncodeText(std::string_view text);

// Read whole as a small file (FileKind::kSmall).
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);
// Written to a temporary file, flushed and renamed over the target.
bool WriteTextFile(const std::filesystem::path& path, std::string_view text);

// Splits at "\n". A final "\n" does not start another line.
std::vector<std::string> SplitLines(std::string_view text);
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);

}  // namespace platform
