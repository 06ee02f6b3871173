#include "records/recordfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/heap.h"
#include "platform/messagebox.h"
#include "platform/sharedfolder.h"
#include "platform/textcodec.h"
#include "records/strutil.h"

namespace {

namespace fs = std::filesystem;

// A record followed by another must have at least this many value lines;
// two missing lines are tolerated.
constexpr int kMinRecordLines = 31;
constexpr int kAttempts = 3;
constexpr auto kRetryWait = std::chrono::milliseconds(100);
constexpr std::string_view kLineBreakMark = "#CRLF#";

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

// "[ANZ=<digits>]": anything else is no count, and the file is not sound.
bool ParseRecordCount(std::string_view line, long long& count) {
  std::string_view rest = line.substr(5);
  size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  if (digits == 0 || digits > 12 || digits >= rest.size() || rest[digits] != ']') return false;
  count = 0;
  for (size_t i = 0; i < digits; ++i) count = count * 10 + (rest[i] - '0');
  return true;
}

enum class ScanResult { Sound, Unsound, NewerVersion };

// Walks the lines of a record file once and checks that the copy is sound
// (and, for loading, that its version is ours). With `records` it also builds
// the records, which are appended only when the copy is sound and ours.
template <typename Lines>
ScanResult ScanRecordLines(Lines& reader, RecordList* records, bool forLoading, long long* recordCount) {
  const std::string versionTag = "[VERSION=" + std::to_string(RecordFileVersion) + "]";
  std::string_view line;

  long long expected = -1;
  bool newerVersion = false;
  bool started = false;
  while (reader.Next(line)) {
    if (StartsWith(line, "DATA_START")) {
      started = true;
      break;
    }
    if (StartsWith(line, "[ANZ=") && !ParseRecordCount(line, expected)) return ScanResult::Unsound;
    // The soundness check skips version lines; only the loader refuses another version.
    if (forLoading && Contains(line, "[VERSION=") && !Contains(line, versionTag)) newerVersion = true;
  }
  if (!started || reader.failed()) return ScanResult::Unsound;

  // A version we refuse is not read.
  const bool build = records != nullptr && !newerVersion;
  RecordList kept;
  std::unique_ptr<CVersuch> current;
  long long count = 0;
  int lines = -1;  // value lines of the current record; -1 before the first
  bool stopped = false;
  while (reader.Next(line)) {
    if (StartsWith(line, "DATA_STOP")) {
      stopped = true;
      break;
    }
    if (line.size() < 3 || line[2] != '~') continue;
    if (line[0] == '0' && line[1] == '0') {
      if (lines >= 0 && lines < kMinRecordLines) return ScanResult::Unsound;
      ++count;
      lines = 0;
      if (build) {
        if (current) kept.push_back(std::move(current));
        current = std::make_unique<CVersuch>();
      }
    }
    if (lines < 0) continue;  // a value line before the first record belongs to none
    if (current && lines < CVersuch::kFieldCount)
      current->SetFieldOnLoad(lines, platform::FromCp1252(line.substr(3)));
    ++lines;
  }
  if (!stopped || reader.failed()) return ScanResult::Unsound;
  if (expected >= 0 && count != expected) return ScanResult::Unsound;
  if (newerVersion) return ScanResult::NewerVersion;
  if (recordCount) *recordCount = count;

  if (build) {
    if (current) kept.push_back(std::move(current));
    records->reserve(records->size() + kept.size());
    for (auto& record : kept) {
      record->MigrateOnLoad();
      records->push_back(std::move(record));
    }
  }
  return ScanResult::Sound;
}

// The file's bytes, handed on in pieces of about `pieceSize`. Fields are
// converted one by one, so that a line break in a field can never become a
// line end of the file.
bool FormatRecordBytes(const std::vector<const CVersuch*>& records, size_t pieceSize,
                       const platform::PieceWriter& write) {
  size_t count = 0;
  for (const CVersuch* record : records)
    if (record) ++count;
  std::string out;
  // A piece, or less for a few records: a large buffer costs its pages.
  out.reserve(std::min(pieceSize, count * 2048) + 4096);
  out += "\r\n[VERSION=" + std::to_string(RecordFileVersion) + "]";
  out += "\r\n[ANZ=" + std::to_string(count) + "]";
  out += "\r\nDATA_START";
  std::string field18;
  for (const CVersuch* record : records) {
    if (!record) continue;
    for (int field = 0; field < CVersuch::kFieldCount; ++field) {
      const char prefix[] = {'\r', '\n', static_cast<char>('0' + field / 10),
                             static_cast<char>('0' + field % 10), '~'};
      out.append(prefix, sizeof prefix);
      const std::string& text = field == 18 ? (field18 = record->GetFieldForStore(field)) : record->GetField(field);
      AppendFieldLine(out, platform::ToCp1252(text));
    }
    if (out.size() >= pieceSize) {
      if (!write(out)) return false;
      out.clear();
    }
  }
  out += "\r\nDATA_STOP\r\n";
  return write(out);
}

bool WriteRecordBytes(const std::vector<const CVersuch*>& records, const fs::path& path) {
  return platform::WriteFileAtomic(path, [&records](const platform::PieceWriter& write) {
    return FormatRecordBytes(records, 1 << 20, write);
  });
}

std::vector<const CVersuch*> Pointers(const RecordList& records) {
  std::vector<const CVersuch*> pointers;
  pointers.reserve(records.size());
  for (const auto& record : records) pointers.push_back(record.get());
  return pointers;
}

// Reads and checks the file as it is on disk (or in the system's cache of
// it); a file that cannot be read is not sound.
ScanResult ScanRecordFile(const fs::path& path, RecordList* records, bool forLoading,
                          long long* recordCount = nullptr) {
  platform::FileLines lines(path);
  if (!lines.opened()) return ScanResult::Unsound;
  // The records take about 1.4 times the file's bytes.
  if (records) platform::PrepareHeap(platform::FileSize(path).value_or(0) / 5 * 7);
  return ScanRecordLines(lines, records, forLoading, recordCount);
}

// The same, read again for a while on a network file system when it is not
// sound: another computer may just have replaced it, and our cache may still
// give the old size with the new contents.
ScanResult ScanFreshRecordFile(const fs::path& path, RecordList* records, bool forLoading) {
  ScanResult result = ScanResult::Unsound;
  platform::ReadAgainWhileStale(path, [&] {
    result = ScanRecordFile(path, records, forLoading);
    return result != ScanResult::Unsound;
  });
  return result;
}


enum class StepResult { Done, Failed, FolderLost };

// Tries a step up to three times, waiting between the attempts. Before each
// attempt the data folder must still be the one this program locked: a
// folder that is gone or replaced (a share that dropped off leaves its empty
// mount point) gets nothing written. `began` turns true once an attempt ran:
// from then on the folder may hold part of the step.
StepResult WithRetries(const fs::path& folder, const std::function<bool()>& step, bool& began) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    if (!platform::HeldFolderReachable(folder)) return StepResult::FolderLost;
    began = true;
    if (step()) return StepResult::Done;
    if (attempt < kAttempts) std::this_thread::sleep_for(kRetryWait);
  }
  return StepResult::Failed;
}

// Copies `from` to a temporary name beside `to`, checks the copy and renames
// it over `to`, so that `to` is either the old file or a sound new one.
bool ReplaceWithCheckedCopy(const fs::path& from, const fs::path& to) {
  fs::path temporary = platform::TemporarySibling(to);
  if (platform::CopyFile(from, temporary) && ValidateRecordFile(temporary) &&
      platform::ReplaceFile(temporary, to))
    return true;
  platform::DeleteFile(temporary);
  return false;
}

void ShowFolderMessage(int textId, const std::string& german, const fs::path& folder,
                       unsigned flags = platform::MB_OK | platform::MB_ICONSTOP) {
  std::string text = TranslateString(textId, german);
  StrReplace(text, "%s", folder.string(), false);
  platform::ShowMessageBox(text, flags);
}

// Whether "data_tmp.db" was written no earlier than "data.db", as finely as
// the file system keeps times (both must exist). Equal times count: over a
// share or on FAT both files of one save often carry the same second.
bool TempCopyNotOlder(const fs::path& tempFile, const fs::path& dataFile) {
  std::error_code ec, dataEc;
  const auto written = fs::last_write_time(tempFile, ec);
  const auto dataWritten = fs::last_write_time(dataFile, dataEc);
  return !ec && !dataEc && !(written < dataWritten);
}

// Whether both copies hold the same bytes. On a share a difference is looked
// at again after pauses: our cache may still give an old "data.db" after
// another computer's complete save, and that is no save cut short.
bool SameCopies(const fs::path& tempFile, const fs::path& dataFile) {
  return platform::ReadAgainWhileStale(dataFile, [&] { return platform::SameFileBytes(tempFile, dataFile); });
}

std::string WrittenAt(const fs::path& file) {
  const auto written = platform::FileModificationTime(file);
  return written ? platform::FormatLocalTime("%d.%m.%Y %H:%M", *written) : "?";
}

// "<name> vom <date> mit <n> Datensätzen".
std::string CopyLine(const fs::path& file, long long count) {
  std::string line = TranslateString(67201, "%1 vom %2 mit %3 Datensätzen");
  StrReplace(line, "%1", file.filename().string(), false);
  StrReplace(line, "%2", WrittenAt(file), false);
  StrReplace(line, "%3", std::to_string(count), false);
  return line;
}

// Puts a damaged "data.db" aside under a name of its own, so that the next
// save cannot overwrite it; a copy where it cannot be renamed. Empty when
// neither worked.
fs::path KeepDamagedFileAside(const fs::path& dataFile) {
  const fs::path folder = dataFile.parent_path();
  const std::time_t now = platform::Now();
  fs::path kept = DamagedRecordFileName(folder, now);
  for (int n = 2; platform::PathTaken(kept) && n < 100; ++n)
    kept = folder / (DamagedRecordFileName(folder, now).stem().string() + "_" + std::to_string(n) + ".db");
  if (platform::PathTaken(kept)) return {};
  if (platform::RenameFile(dataFile, kept) || platform::CopyFile(dataFile, kept, false)) {
    platform::SyncFolder(folder);
    return kept;
  }
  return {};
}

// "data.db" failed its check and "data_tmp.db" was loaded instead: what was
// loaded, and where the damaged file is kept.
void TellDamagedDataFile(const fs::path& folder, const fs::path& tempFile, long long count, bool file,
                         const fs::path& kept) {
  std::string text = TranslateString(67200,
                                     "Die Datei data.db im Datenordner\n%1\nist beschädigt: sie ist nicht lesbar oder "
                                     "nicht vollständig.\nGeladen wurde stattdessen:\n%2\nBitte prüfen Sie, ob Ihre "
                                     "letzten Eingaben darin enthalten sind.");
  StrReplace(text, "%1", folder.string(), false);
  StrReplace(text, "%2", CopyLine(tempFile, count), false);
  if (!kept.empty()) {
    std::string where = TranslateString(67202, "Die beschädigte Datei ist aufbewahrt als\n%1");
    StrReplace(where, "%1", kept.string(), false);
    text += "\n" + where;
  } else if (file) {
    text += "\n" + TranslateString(67203,
                                   "Die beschädigte Datei data.db konnte nicht beiseitegelegt werden. Das nächste "
                                   "Speichern ersetzt sie. Kopieren Sie sie vorher an einen anderen Ort, wenn Sie sie "
                                   "aufbewahren wollen.");
  }
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
}

}  // namespace

void AppendFieldLine(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
    const size_t end = lf > start && text[lf - 1] == '\r' ? lf - 1 : lf;
    out.append(text, start, end - start);
    out += kLineBreakMark;
    start = lf + 1;
  }
  out.append(text, start, std::string_view::npos);
}

bool ValidateRecordFile(const fs::path& path) {
  return ScanRecordFile(path, nullptr, false) == ScanResult::Sound;
}

bool ValidateFreshRecordFile(const fs::path& path) {
  return ScanFreshRecordFile(path, nullptr, false) == ScanResult::Sound;
}

fs::path DamagedRecordFileName(const fs::path& folder, std::time_t when) {
  return folder / ("data_beschaedigt_" + platform::FormatLocalTime("%Y%m%d_%H%M%S", when) + ".db");
}

fs::path DailyCopyName(const fs::path& recordFile, int generation) {
  char ending[8];
  std::snprintf(ending, sizeof ending, ".%02d", generation);
  return fs::path(recordFile.string() + ending);
}

std::string SoundDailyCopiesText(const fs::path& folder) {
  std::string copies;
  for (int generation = 1; generation <= kDailyCopies; ++generation) {
    const fs::path copy = DailyCopyName(folder / kRecordFileName, generation);
    long long count = 0;
    if (platform::FileExists(copy) && ScanRecordFile(copy, nullptr, true, &count) == ScanResult::Sound)
      copies += "\n" + CopyLine(copy, count);
  }
  if (copies.empty()) return TranslateString(67206, "Im Datenordner liegt keine vollständige Tageskopie von data.db.");
  return TranslateString(67204, "Vollständige Tageskopien im Datenordner:") + copies + "\n" +
         TranslateString(67205,
                         "Kopieren Sie die gewünschte Tageskopie unter dem Namen data.db in den Datenordner und "
                         "starten Sie das Programm erneut.");
}

bool LoadRecordFile(RecordList& records, const fs::path& folder, bool* dataFileSound) {
  // Each copy is checked as it is read, so what is checked is what is loaded.
  const fs::path dataFile = folder / kRecordFileName;
  const fs::path tempFile = folder / kRecordTempFileName;
  if (dataFileSound) *dataFileSound = false;
  auto refuseNewerVersion = [] {
    platform::ShowMessageBox(TranslateString(5060,
                                             "Die Datenbank wurde mit einer neueren Programmversion erstellt und "
                                             "kann nicht eingelesen werden!"),
                             platform::MB_OK | platform::MB_ICONSTOP);
    return false;
  };

  // A save writes "data_tmp.db" first and then makes "data.db" a copy of it:
  // a sound "data_tmp.db" that differs from a sound "data.db" and is not
  // older is a save cut short before the replace. It is taken, so that the
  // next save does not overwrite the newer state.
  ScanResult data = ScanResult::Unsound;
  bool dataScanned = false;
  if (platform::FileExists(tempFile) && platform::FileExists(dataFile) && TempCopyNotOlder(tempFile, dataFile) &&
      !SameCopies(tempFile, dataFile)) {
    data = ScanFreshRecordFile(dataFile, nullptr, true);
    dataScanned = true;
    if (data == ScanResult::NewerVersion) return refuseNewerVersion();
    if (data == ScanResult::Sound && ScanRecordFile(tempFile, &records, true) == ScanResult::Sound) {
      if (dataFileSound) *dataFileSound = true;
      ShowFolderMessage(60100,
                        "Im Datenordner\n%s\nist die Datei data_tmp.db neuer als data.db: das letzte "
                        "Speichern wurde nicht abgeschlossen.\nDie Daten wurden aus data_tmp.db geladen; "
                        "das nächste Speichern ersetzt data.db.",
                        folder, platform::MB_OK | platform::MB_ICONWARNING);
      return true;
    }
  }
  if (!dataScanned || data == ScanResult::Sound) data = ScanFreshRecordFile(dataFile, &records, true);
  switch (data) {
    case ScanResult::Sound:
      if (dataFileSound) *dataFileSound = true;
      return true;
    case ScanResult::NewerVersion:
      return refuseNewerVersion();
    case ScanResult::Unsound:
      break;
  }

  // "data.db" is missing or damaged: the copy of the last save is taken.
  const size_t before = records.size();
  switch (ScanFreshRecordFile(tempFile, &records, true)) {
    case ScanResult::Sound:
      // A damaged "data.db" is kept aside, never overwritten by the next
      // save; something else under its name (a folder) stays where it is.
      if (platform::PathTaken(dataFile)) {
        const bool file = platform::FileExists(dataFile);
        TellDamagedDataFile(folder, tempFile, static_cast<long long>(records.size() - before), file,
                            file ? KeepDamagedFileAside(dataFile) : fs::path());
      }
      return true;
    case ScanResult::NewerVersion:
      return refuseNewerVersion();
    case ScanResult::Unsound:
      break;
  }
  // The refusal names what the user can copy back.
  std::string text = TranslateString(5062,
                                     "Die Datenbank kann nicht eingelesen werden!\nWeder data.db noch data_tmp.db "
                                     "im Datenordner\n%s\nist lesbar und vollständig.");
  StrReplace(text, "%s", folder.string(), false);
  platform::ShowMessageBox(text + "\n\n" + SoundDailyCopiesText(folder), platform::MB_OK | platform::MB_ICONSTOP);
  return false;
}

bool WriteRecordFile(const std::vector<const CVersuch*>& records, const fs::path& path) {
  return WriteRecordBytes(records, path);
}

bool WriteRecordFile(const RecordList& records, const fs::path& path) {
  return WriteRecordFile(Pointers(records), path);
}

bool SaveRecordFileSafely(const std::vector<const CVersuch*>& records, const fs::path& folder) {
  const fs::path tempFile = folder / kRecordTempFileName;
  const fs::path dataFile = folder / kRecordFileName;
  bool began = false;
  StepResult result = WithRetries(
      folder, [&] { return WriteRecordBytes(records, tempFile) && ValidateRecordFile(tempFile); }, began);
  const bool replacing = result == StepResult::Done;
  if (replacing) result = WithRetries(folder, [&] { return ReplaceWithCheckedCopy(tempFile, dataFile); }, began);
  switch (result) {
    case StepResult::Done:
      return true;
    case StepResult::FolderLost:
      if (!began) {
        ShowFolderMessage(64000,
                          "Der Datenordner\n%s\nist nicht erreichbar oder nicht mehr der Ordner, der beim "
                          "Programmstart gesperrt wurde. Es wurde nichts gespeichert.\nDie Daten im Programm "
                          "bleiben erhalten. Bitte speichern Sie erneut, sobald der Datenordner wieder "
                          "erreichbar ist.",
                          folder);
        break;
      }
      // A rename whose answer was lost with the connection may well have
      // reached the server: nobody can tell until the folder is back.
      ShowFolderMessage(67300,
                        "Der Datenordner\n%s\nist während des Speicherns nicht erreichbar geworden oder nicht "
                        "mehr der Ordner, der beim Programmstart gesperrt wurde. Ob das Speichern ihn noch erreicht "
                        "hat, ist nicht bekannt: Die Daten wurden möglicherweise nicht gespeichert.\nDie Daten im "
                        "Programm bleiben erhalten. Bitte speichern Sie erneut, sobald der Datenordner wieder "
                        "erreichbar ist.",
                        folder);
      break;
    case StepResult::Failed:
      // Only flushing the folder fails after the rename over "data.db".
      if (replacing && platform::SameFileBytes(tempFile, dataFile)) {
        ShowFolderMessage(67301,
                          "Die Daten stehen in data.db im Datenordner\n%s\naber der Ordner konnte nicht auf den "
                          "Datenträger geschrieben werden: Der neue Eintrag von data.db ist möglicherweise noch "
                          "nicht dauerhaft gespeichert.\nDie Daten im Programm bleiben erhalten. Bitte speichern "
                          "Sie erneut.",
                          folder);
        break;
      }
      ShowFolderMessage(5061,
                        "Die Datenbank konnte nicht gespeichert werden!\nDatenordner:\n%s\nDie Daten "
                        "im Programm bleiben erhalten. Bitte prüfen Sie den Zugriff auf den "
                        "Datenordner und speichern Sie erneut.",
                        folder);
      break;
  }
  return false;
}

bool SaveRecordFileSafely(const RecordList& records, const fs::path& folder) {
  return SaveRecordFileSafely(Pointers(records), folder);
}
