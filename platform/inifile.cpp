#include "platform/inifile.h"

#include <QString>

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/textcodec.h"

namespace platform {

namespace {

// White space as the profile functions trim it (Ctrl-Z included, the old
// end-of-file mark).
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
             .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                      Qt::CaseInsensitive) == 0;
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

enum class Kind { Blank, Comment, Header, Key };

struct Parsed {
  Kind kind = Kind::Blank;
  std::string name;                  // section or key name, trimmed
  std::optional<std::string> value;  // trimmed; none for a key line without "="
};

Parsed ParseLine(const std::string& bytes) {
  Parsed p;
  std::string text = FromCp1252(bytes);
  std::string_view t = Trim(text);
  if (t.empty()) return p;
  if (t.front() == ';') {
    p.kind = Kind::Comment;
    return p;
  }
  if (t.front() == '[') {
    std::size_t close = t.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      p.kind = Kind::Header;
      p.name = std::string(Trim(t.substr(1, close - 1)));
      return p;
    }
  }
  p.kind = Kind::Key;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) {
    p.name = std::string(t);
  } else {
    p.name = std::string(Trim(t.substr(0, eq)));
    p.value = std::string(Trim(t.substr(eq + 1)));
  }
  return p;
}

bool HoldsLineBreak(std::string_view s) {
  return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

bool ValidSectionName(std::string_view section) {
  std::string_view t = Trim(section);
  return !t.empty() && !HoldsLineBreak(section) && t.find(']') == std::string_view::npos;
}

bool ValidKeyName(std::string_view key) {
  std::string_view t = Trim(key);
  return !t.empty() && !HoldsLineBreak(key) && t.find('=') == std::string_view::npos &&
         t.front() != ';' && t.front() != '[';
}

}  // namespace

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    if (ec) return std::nullopt;
    return IniFile();
  }
  auto bytes = ReadFileBytes(path, FileKind::kSmall, nullptr, false);
  if (!bytes) return std::nullopt;
  return FromBytes(*bytes);
}

IniFile IniFile::FromBytes(std::string_view bytes) {
  IniFile ini;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t nl = bytes.find('\n', start);
    if (nl == std::string_view::npos) {
      ini.lines_.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    std::size_t end = nl;
    std::string ending = "\n";
    if (end > start && bytes[end - 1] == '\r') {
      --end;
      ending = "\r\n";
    }
    ini.lines_.push_back({std::string(bytes.substr(start, end - start)), ending});
    start = nl + 1;
  }
  return ini;
}

std::string IniFile::Bytes() const {
  std::string out;
  for (const auto& line : lines_) out += line.bytes + line.end;
  return out;
}

bool IniFile::Save(const std::filesystem::path& path) const { return WriteFileAtomic(path, Bytes()); }

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
  std::string_view wanted = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    Parsed p = ParseLine(lines_[i].bytes);
    if (p.kind == Kind::Header && SameName(p.name, wanted)) return i;
  }
  return std::nullopt;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  for (std::size_t i = header + 1; i < lines_.size(); ++i)
    if (ParseLine(lines_[i].bytes).kind == Kind::Header) return i;
  return lines_.size();
}

std::optional<std::size_t> IniFile::FindKey(std::size_t header, std::string_view key) const {
  std::string_view wanted = Trim(key);
  std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    Parsed p = ParseLine(lines_[i].bytes);
    if (p.kind == Kind::Key && SameName(p.name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::RawValue(std::string_view section, std::string_view key) const {
  auto header = FindSection(section);
  if (!header) return std::nullopt;
  auto line = FindKey(*header, key);
  if (!line) return std::nullopt;
  return ParseLine(lines_[*line].bytes).value;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, std::size_t bufferSize) const {
  if (bufferSize == 0) return "";
  auto raw = RawValue(section, key);
  std::string_view value;
  if (raw) {
    value = StripQuotes(*raw);
  } else {
    value = defaultValue;
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  }
  return Utf8Prefix(value, bufferSize - 1);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  std::string text = GetString(section, key, "", kProfileBufferSize);
  if (text.empty()) return defaultValue;
  return ParseInt(text);
}

void IniFile::InsertLine(std::size_t index, std::string text) {
  if (index > 0 && lines_[index - 1].end.empty()) lines_[index - 1].end = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                Line{ToCp1252(text), "\r\n"});
  modified_ = true;
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  if (!ValidSectionName(section) || !ValidKeyName(key) || HoldsLineBreak(value)) return false;
  auto header = FindSection(section);
  if (!header) {
    InsertLine(lines_.size(), "[" + std::string(Trim(section)) + "]");
    InsertLine(lines_.size(), std::string(Trim(key)) + "=" + std::string(value));
    return true;
  }
  if (auto line = FindKey(*header, key)) {
    // The key keeps the spelling it has in the file.
    std::string bytes = ToCp1252(ParseLine(lines_[*line].bytes).name + "=" + std::string(value));
    if (bytes != lines_[*line].bytes) {
      lines_[*line].bytes = bytes;
      modified_ = true;
    }
    return true;
  }
  // Behind the last line of the section that is not blank, so that blank
  // lines in front of the next section stay there.
  std::size_t at = *header + 1;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i)
    if (ParseLine(lines_[i].bytes).kind != Kind::Blank) at = i + 1;
  InsertLine(at, std::string(Trim(key)) + "=" + std::string(value));
  return true;
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
  auto header = FindSection(section);
  if (!header) return true;
  auto line = FindKey(*header, key);
  if (!line) return true;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
  modified_ = true;
  return true;
}

bool IniFile::DeleteSection(std::string_view section) {
  auto header = FindSection(section);
  if (!header) return true;
  std::size_t end = SectionEnd(*header);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
               lines_.begin() + static_cast<std::ptrdiff_t>(end));
  modified_ = true;
  return true;
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    Parsed p = ParseLine(line.bytes);
    if (p.kind == Kind::Header) names.push_back(p.name);
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  auto header = FindSection(section);
  if (!header) return names;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    Parsed p = ParseLine(lines_[i].bytes);
    if (p.kind == Kind::Key) names.push_back(p.name);
  }
  return names;
}

std::vector<std::string> IniFile::Section(std::string_view section) const {
  std::vector<std::string> out;
  auto header = FindSection(section);
  if (!header) return out;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    Parsed p = ParseLine(lines_[i].bytes);
    if (p.kind != Kind::Key) continue;
    out.push_back(p.value ? p.name + "=" + *p.value : p.name);
  }
  return out;
}

bool IniFile::SetSection(std::string_view section, const std::vector<std::string>& lines) {
  if (!ValidSectionName(section)) return false;
  std::vector<std::string> body;
  for (const auto& line : lines) {
    if (HoldsLineBreak(line)) return false;
    std::string_view t = Trim(line);
    std::size_t eq = t.find('=');
    std::string_view key = eq == std::string_view::npos ? t : Trim(t.substr(0, eq));
    if (!ValidKeyName(key)) return false;
    body.push_back(eq == std::string_view::npos
                       ? std::string(key)
                       : std::string(key) + "=" + std::string(Trim(t.substr(eq + 1))));
  }
  auto header = FindSection(section);
  if (!header) {
    InsertLine(lines_.size(), "[" + std::string(Trim(section)) + "]");
    header = lines_.size() - 1;
  }
  // Replace everything up to the section's trailing blank lines.
  std::size_t end = SectionEnd(*header);
  std::size_t last = *header + 1;
  for (std::size_t i = *header + 1; i < end; ++i)
    if (ParseLine(lines_[i].bytes).kind != Kind::Blank) last = i + 1;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header + 1),
               lines_.begin() + static_cast<std::ptrdiff_t>(last));
  std::size_t at = *header + 1;
  for (auto& text : body) InsertLine(at++, std::move(text));
  modified_ = true;
  return true;
}

// ---- one call, one file ----

namespace {

IniFile LoadOrEmpty(const std::filesystem::path& file) {
  auto ini = IniFile::Load(file);
  return ini ? std::move(*ini) : IniFile();
}

template <typename Change>
bool ChangeFile(const std::filesystem::path& file, Change change) {
  auto ini = IniFile::Load(file);
  if (!ini) return false;  // never overwrite a file that could not be read
  if (!change(*ini)) return false;
  if (!ini->Modified()) return true;
  return ini->Save(file);
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    const std::filesystem::path& file) {
  return LoadOrEmpty(file).GetString(section, key, defaultValue, bufferSize);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::filesystem::path& file) {
  return LoadOrEmpty(file).GetInt(section, key, defaultValue);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::filesystem::path& file) {
  return ChangeFile(file, [&](IniFile& ini) { return ini.SetString(section, key, value); });
}

bool DeletePrivateProfileKey(std::string_view section, std::string_view key,
                             const std::filesystem::path& file) {
  return ChangeFile(file, [&](IniFile& ini) { return ini.DeleteKey(section, key); });
}

bool DeletePrivateProfileSection(std::string_view section, const std::filesystem::path& file) {
  return ChangeFile(file, [&](IniFile& ini) { return ini.DeleteSection(section); });
}

std::vector<std::string> GetPrivateProfileSection(std::string_view section,
                                                  const std::filesystem::path& file) {
  return LoadOrEmpty(file).Section(section);
}

bool WritePrivateProfileSection(std::string_view section, const std::vector<std::string>& lines,
                                const std::filesystem::path& file) {
  return ChangeFile(file, [&](IniFile& ini) { return ini.SetSection(section, lines); });
}

std::vector<std::string> GetPrivateProfileSectionNames(const std::filesystem::path& file) {
  return LoadOrEmpty(file).SectionNames();
}

std::vector<std::string> GetPrivateProfileKeyNames(std::string_view section,
                                                   const std::filesystem::path& file) {
  return LoadOrEmpty(file).KeyNames(section);
}

}  // namespace platform
