#pragma once
// Profile (INI) files with the rules of the Windows private-profile functions:
// - section and key names compare case-insensitively; white space around
//   names and values is trimmed; the first section of a name and the first key
//   of a name in it count;
// - a value enclosed in matching single or double quotes is read without them;
// - a missing key gives the default, an empty value gives the empty text (the
//   default's trailing blanks are removed, as Windows does);
// - integers are read as a leading decimal number, a value that is no number
//   reads as 0, an empty or missing value gives the default;
// - a read gives at most bufferSize - 1 characters;
// - ";", "," and "\" inside values are plain characters; a line whose first
//   non-blank character is ";" is a comment;
// - "General" is an ordinary section.
// Files are code page 1252; lines end with CR LF (a lone LF is read as well).
// A write changes only the line of the key (or adds lines); every other line
// keeps its bytes. Files are rewritten through a temporary file and a rename.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The buffer size of a read when the caller gives none.
constexpr std::size_t kProfileBufferSize = 4096;

// One profile file held in memory.
class IniFile {
 public:
  IniFile() = default;

  // Reads a file. A missing file is an empty profile; std::nullopt when the
  // file exists but cannot be read or is refused (not a regular file, over
  // the size of a small file). Refusals are not reported here: the profile
  // functions read the file at every call.
  static std::optional<IniFile> Load(const std::filesystem::path& path);
  static IniFile FromBytes(std::string_view bytes);

  // The file's bytes as they would be written.
  std::string Bytes() const;
  // Writes through a temporary file; false when that fails.
  bool Save(const std::filesystem::path& path) const;

  // The trimmed value as stored (quotes kept); nullopt for a missing key or a
  // key line without "=".
  std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;

  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue,
                        std::size_t bufferSize = kProfileBufferSize) const;
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

  // Sets a key, adding the section or key when missing. False for a name or
  // value that a profile line cannot hold (line breaks, "=" in a key, "]" in
  // a section name, empty names).
  bool SetString(std::string_view section, std::string_view key, std::string_view value);
  // True when the key is gone afterwards (also when it never existed).
  bool DeleteKey(std::string_view section, std::string_view key);
  // Removes the section header and every line up to the next section.
  bool DeleteSection(std::string_view section);

  std::vector<std::string> SectionNames() const;
  // The key names of a section, comments left out.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The section's lines as "key=value" (values as stored, quotes kept),
  // comments and blank lines left out.
  std::vector<std::string> Section(std::string_view section) const;
  // Replaces every line of the section (comments included) by the given
  // "key=value" lines; creates the section when missing.
  bool SetSection(std::string_view section, const std::vector<std::string>& lines);

  bool Modified() const { return modified_; }

 private:
  struct Line {
    std::string bytes;       // code page 1252, without the line end
    std::string end;         // "\r\n", "\n" or "" for a last line without one
  };
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;  // index of the next header or the end
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  void InsertLine(std::size_t index, std::string text);

  std::vector<Line> lines_;
  bool modified_ = false;
};

// One call, one file: the private-profile functions.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    const std::filesystem::path& file);
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::filesystem::path& file);
// Creates the file when missing. False when the file cannot be read or written
// (an unreadable file is never overwritten).
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::filesystem::path& file);
bool DeletePrivateProfileKey(std::string_view section, std::string_view key,
                             const std::filesystem::path& file);
bool DeletePrivateProfileSection(std::string_view section, const std::filesystem::path& file);
std::vector<std::string> GetPrivateProfileSection(std::string_view section,
                                                  const std::filesystem::path& file);
bool WritePrivateProfileSection(std::string_view section, const std::vector<std::string>& lines,
                                const std::filesystem::path& file);
std::vector<std::string> GetPrivateProfileSectionNames(const std::filesystem::path& file);
std::vector<std::string> GetPrivateProfileKeyNames(std::string_view section,
                                                   const std::filesystem::path& file);

}  // namespace platform
