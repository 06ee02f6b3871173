#include "records/archive.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

#include "i18n/translation.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

constexpr int kFirstYear = 1998;
constexpr int kLastYear = 2065;
constexpr std::string_view kMonthFilePrefix = "arch_";
constexpr std::string_view kMonthFileSuffix = ".xml";

}  // namespace

std::string MonthOfYear(std::string_view key, std::string_view separator) {
  const std::string_view month = key.size() >= 2 ? key.substr(key.size() - 2) : key;
  return std::string(month) + std::string(separator) + std::string(key.substr(0, 4));
}

std::string MonthKey(const CVersuch& record) { return record.GetSamplingDateTime().substr(0, 6); }

std::string YearKey(const CVersuch& record) { return record.GetSamplingDateTime().substr(0, 4); }

std::vector<std::string> ArchiveEntries(const std::vector<const CVersuch*>& records) {
  std::unordered_map<std::string, int> months;
  std::unordered_map<std::string, int> years;
  for (const CVersuch* record : records) {
    if (!record) continue;
    const std::string dateTime = record->GetSamplingDateTime();
    ++months[dateTime.substr(0, 6)];
    ++years[dateTime.substr(0, 4)];
  }
  std::vector<std::string> entries;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    const std::string yearKey = std::to_string(year);
    auto y = years.find(yearKey);
    if (y == years.end()) continue;
    entries.push_back(yearKey + "|" + std::to_string(y->second));
    for (int month = 1; month <= 12; ++month) {
      const std::string monthKey = yearKey + (month < 10 ? "0" : "") + std::to_string(month);
      auto m = months.find(monthKey);
      if (m != months.end()) entries.push_back(monthKey + "|" + std::to_string(m->second));
    }
  }
  return entries;
}

std::string MonthFileName(std::string_view month) {
  return std::string(kMonthFilePrefix) + std::string(month) + std::string(kMonthFileSuffix);
}

bool IsMonthFileName(std::string_view name) {
  return name.size() == 15 && name.substr(0, kMonthFilePrefix.size()) == kMonthFilePrefix &&
         name.substr(name.size() - kMonthFileSuffix.size()) == kMonthFileSuffix;
}

std::vector<std::string> MonthFileKeys(const std::filesystem::path& folder) {
  std::vector<std::string> keys;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (IsMonthFileName(name) && it->is_regular_file(typeError))
      keys.push_back(name.substr(kMonthFilePrefix.size(), 6));
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

std::string ArchiveResult(std::string_view month, std::string_view state) {
  return std::string(month) + "|" + std::string(state);
}

std::string DearchiveResult(std::string_view month, int added, int skipped) {
  return std::string(month) + "|" + std::to_string(added) + "|" + std::to_string(skipped);
}

std::string ArchiveProtocol(const std::vector<std::string>& results, bool* footnote) {
  std::string text = TranslateString(5195, " Monat/Jahr | archiviert?");
  text += "\r\n------------+-----------------------------------\r\n";
  for (const std::string& entry : results) {
    const std::string key = StrGetField(entry, '|', 0);
    const std::string state = StrGetField(entry, '|', 1);
    std::string stateText;
    if (state == kArchived) {
      stateText = TranslateString(6000, "ja");
    } else if (state == kArchiveExists) {
      stateText = TranslateString(5197, "NEIN, siehe 1) unten");
      if (footnote) *footnote = true;
    } else if (state == kArchiveWriteFailed) {
      stateText = TranslateString(5198, "NEIN, I/O-Fehler");
    } else if (state == kArchiveLeftover) {
      stateText = TranslateString(63500, "NEIN, siehe 2) unten");
    }
    text += " " + MonthOfYear(key, "/") + "    | " + stateText + "\r\n";
  }
  return text;
}

std::string DearchiveProtocol(const std::vector<std::string>& results) {
  std::string text = TranslateString(5201, "            | Anzahl der      | Anzahl der nicht") + "\r\n";
  text += TranslateString(5202, " Monat/Jahr | dearchivierten  | dearchivierten") + "\r\n";
  text += TranslateString(5203, "            | Prüfnummern     | Prüfnummern") + "\r\n";
  text += "------------+-----------------+-----------------\r\n";
  for (const std::string& entry : results) {
    const std::string key = StrGetField(entry, '|', 0);
    std::string added = StrGetField(entry, '|', 1);
    if (added.size() < 5) added.resize(5, ' ');
    text += " " + MonthOfYear(key, "/") + "    | " + added + "           | " + StrGetField(entry, '|', 2) + "\r\n";
  }
  return text;
}

namespace {

// A translated text with its "\n" line ends replaced.
std::string WithLineEnds(std::string text, std::string_view lineEnd) {
  StrReplace(text, "\n", std::string(lineEnd));
  return text;
}

}  // namespace

std::string ArchiveLeftoverNote(const std::vector<std::string>& results, const std::filesystem::path& folder) {
  std::string files;
  for (const std::string& entry : results)
    if (StrGetField(entry, '|', 1) == kArchiveLeftover)
      files += "   " + (folder / MonthFileName(StrGetField(entry, '|', 0))).string() + "\r\n";
  if (files.empty()) return "";
  return "\r\n" +
         WithLineEnds(TranslateString(63501, "2) Diese Archivdateien wurden dearchiviert, konnten aber nicht gelöscht "
                                             "werden.\n   Ihre Prüfnummern stehen in der Übersicht. Erst wenn die "
                                             "Datei gelöscht ist,\n   kann der Monat wieder archiviert werden:"),
                      "\r\n") +
         "\r\n" + files;
}

std::string DearchiveLeftoverNote(const std::vector<std::filesystem::path>& files, std::string_view lineEnd) {
  if (files.empty()) return "";
  std::string text = WithLineEnds(TranslateString(63502, "Diese Archivdateien konnten nicht gelöscht werden. Ihre "
                                                         "Prüfnummern stehen jetzt in data.db;\nbitte löschen Sie "
                                                         "die Dateien, bevor Sie diese Monate wieder archivieren:"),
                                  lineEnd);
  for (const std::filesystem::path& file : files) text += std::string(lineEnd) + "   " + file.string();
  return text + std::string(lineEnd);
}
