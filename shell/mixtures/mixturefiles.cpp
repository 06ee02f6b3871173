#include "shell/mixtures/mixturefiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <chrono>
#include <thread>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/strutil.h"

namespace {

constexpr char kListKey[] = "LISTCTRLDATEN=";
constexpr char kNameKey[] = "BEZEICHNUNG=";
constexpr char kCopyOf[] = "KOPIE VON ";

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::string Cut(const std::string& text, size_t from, size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string();
}

bool IsMixtureFileName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".pvm" && name.find("tmp.pvm") == std::string::npos;
}

}  // namespace

MixtureRow MakeMixtureRow(const std::filesystem::path& path, const std::string& listLine) {
  MixtureRow row;
  row.path = path;
  const std::string values = StrGetToken(listLine, "[", "]", 0);
  for (int part = 0; part < 4; ++part) row.texts[static_cast<size_t>(part) + 1] = StrGetField(values, '|', part);
  row.texts[5] = path.string();

  const std::string& date = row.texts[3];  // dd.mm.yyyy
  char count[16];
  std::snprintf(count, sizeof count, "%02d", PlainAtoi(row.texts[2]));
  row.keys = {"", row.texts[1], count,
              Cut(date, date.size() >= 4 ? date.size() - 4 : 0, 4) + Cut(date, 3, 2) + Cut(date, 0, 2), row.texts[4],
              row.texts[5]};
  return row;
}

std::optional<std::string> ReadMixtureListLine(const std::filesystem::path& file) {
  const auto lines = platform::ReadTextLines(file);
  if (!lines) return std::nullopt;
  for (const std::string& line : *lines)
    if (StartsWith(line, kListKey)) return line;
  return std::nullopt;
}

std::vector<MixtureRow> ReadMixtureFolder(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec) && IsMixtureFileName(it->path().filename().string())) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::vector<MixtureRow> rows;
  for (const auto& file : files)
    if (const auto line = ReadMixtureListLine(file)) rows.push_back(MakeMixtureRow(file, *line));
  return rows;
}

int CompareMixtureRows(const MixtureRow& a, const MixtureRow& b, int column) {
  if (column < 0 || column >= kMixtureColumns) return 0;
  return StrCompareNoCase(a.keys[static_cast<size_t>(column)], b.keys[static_cast<size_t>(column)]);
}

MixtureClock RealMixtureClock() {
  return {[] { return platform::Now(); }, [] { std::this_thread::sleep_for(std::chrono::seconds(1)); }};
}

std::optional<MixtureRow> DuplicateMixtureFile(const std::filesystem::path& file, const std::filesystem::path& folder,
                                               const MixtureClock& clock, std::string* failure) {
  auto fail = [failure](const std::string& why) {
    if (failure) *failure = why;
    return std::nullopt;
  };
  std::filesystem::path copy;
  bool copied = false;
  for (int attempt = 0; attempt < 3 && !copied; ++attempt) {
    if (attempt > 0) clock.waitOneSecond();
    copy = folder / (platform::FormatLocalTime("%y%m%d%H%M%S", clock.now()) + ".pvm");
    copied = platform::CopyFile(file, copy, false);
  }
  if (!copied) return fail("copy");

  const auto lines = platform::ReadTextLines(copy);
  if (!lines) {
    platform::DeleteFile(copy);
    return fail("read");
  }
  std::string text;
  std::string listLine;
  for (std::string line : *lines) {
    if (StartsWith(line, std::string(kNameKey) + "[") && line.find(']') != std::string::npos) {
      // What follows the name's "]" stays as the editor wrote it.
      line.insert(std::strlen(kNameKey) + 1, kCopyOf);
    } else if (StartsWith(line, kNameKey)) {
      line = std::string(kNameKey) + "[" + kCopyOf + StrGetToken(line, "[", "]", 0) + "]";
    } else if (StartsWith(line, kListKey)) {
      StrReplace(line, std::string(kListKey) + "[", std::string(kListKey) + "[" + kCopyOf, false);
      listLine = line;
    }
    text += line + "\n";
  }
  if (!platform::WriteTextFile(copy, text)) {
    platform::DeleteFile(copy);
    return fail("write");
  }
  return MakeMixtureRow(copy, listLine);
}

bool DeleteMixtureFile(const std::filesystem::path& file) {
  if (platform::DeleteFile(file)) return true;
  // Gone already counts; a file whose existence cannot be checked does not.
  std::error_code ec;
  return std::filesystem::symlink_status(file, ec).type() == std::filesystem::file_type::not_found;
}

std::filesystem::path MixtureTargetPath(const std::filesystem::path& file, const std::filesystem::path& folder) {
  return folder / file.filename();
}

bool MoveMixtureFile(const std::filesystem::path& file, const std::filesystem::path& folder) {
  return platform::MoveFile(file, MixtureTargetPath(file, folder), false);
}
