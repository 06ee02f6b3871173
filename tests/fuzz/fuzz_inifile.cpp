// The INI engine: an untouched file keeps its bytes; a value that was set is
// read back; every other section keeps its entries.
#include <QString>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"

namespace fuzz {
namespace {

bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

// A value that the profile rules give back as it was written: no white
// space around it and not enclosed in quotes.
bool IsPlainValue(const std::string& value) {
  if (value.empty()) return true;
  if (IsProfileSpace(value.front()) || IsProfileSpace(value.back())) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsProfileSpace(text[first])) ++first;
  while (last > first && IsProfileSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool SameName(const std::string& a, const std::string& b) {
  return QString::fromStdString(Trimmed(a)).compare(QString::fromStdString(Trimmed(b)), Qt::CaseInsensitive) == 0;
}

}  // namespace

int FuzzIniFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // Names and value as the program holds texts: UTF-8 of code page 1252 text.
  const std::string section = platform::FromCp1252(pieces.Sized(24));
  const std::string key = platform::FromCp1252(pieces.Sized(24));
  const std::string value = platform::FromCp1252(pieces.Sized(96));
  const std::string_view bytes = pieces.Rest();

  platform::IniFile ini = platform::IniFile::FromBytes(bytes);
  FUZZ_CHECK(ini.Bytes() == bytes);
  const std::vector<std::string> sections = ini.SectionNames();
  std::vector<std::vector<std::string>> entries;
  for (const std::string& name : sections) entries.push_back(ini.Section(name));

  const bool set = ini.SetString(section, key, value);
  if (!set) {
    FUZZ_CHECK(ini.Bytes() == bytes);
    return 0;
  }
  const platform::IniFile reread = platform::IniFile::FromBytes(ini.Bytes());
  FUZZ_CHECK(reread.Bytes() == ini.Bytes());
  if (IsPlainValue(value)) FUZZ_CHECK(reread.GetString(section, key, "<none>", 1 << 20) == value);
  // The other sections keep their entries. (The first section of a name
  // counts; names compare without case and without the blanks around them.)
  for (size_t i = 0; i < sections.size(); ++i)
    if (!SameName(sections[i], section)) FUZZ_CHECK(reread.Section(sections[i]) == entries[i]);
  return 0;
}

}  // namespace fuzz
