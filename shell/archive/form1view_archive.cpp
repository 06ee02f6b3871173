// The archive commands of the main view: archiving months of records into
// month files (9101) and reading month files back (9104).
#include <algorithm>
#include <optional>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "records/archive.h"
#include "records/strutil.h"
#include "records/transfer.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "shell/archive/archivedlgs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"

bool CForm1View::HoldsOnlyListedRecords(const std::filesystem::path& file) const {
  std::optional<std::string> bytes = platform::ReadFileBytes(file, platform::FileKind::kLarge, nullptr, false);
  if (!bytes) return false;
  const RecordDocument document = ReadRecordFileBytes(
      std::move(*bytes), kArchiveRoot, [this](const std::string& id) { return recordIds_.Contains(id); });
  return document.error == RecordDocumentError::kNone && document.records.empty() && document.skipped > 0;
}

std::filesystem::path CForm1View::ArchiveFolder() const {
  CPravikWinApp* app = GetApp();
  if (!app) return {};
  return app->GetProfileString("Archivierung", "Ordner", (app->m_Settings.m_DataFolder / "archiv").string());
}

void CForm1View::ArchiveMonth(const std::string& month, std::vector<std::string>& results) {
  // An existing month file is never overwritten or extended.
  const std::filesystem::path file = ArchiveFolder() / MonthFileName(month);
  if (platform::PathTaken(file)) {
    results.push_back(ArchiveResult(month, HoldsOnlyListedRecords(file) ? kArchiveLeftover : kArchiveExists));
    return;
  }
  std::vector<const CVersuch*> records;
  std::vector<int> rows;
  for (int row = 0; row < model_->RecordCount(); ++row) {
    const CVersuch* record = model_->RecordAt(row);
    if (MonthKey(*record) != month) continue;
    records.push_back(record);
    rows.push_back(row);
  }
  // Written under a temporary name and renamed when complete: a failure leaves no file.
  if (!WriteArchiveFile(file, records, GetCurrentTimeStamp())) {
    results.push_back(ArchiveResult(month, kArchiveWriteFailed));
    return;
  }
  const RecordList removed = TakeRecordRows(rows);
  // The test numbers stay taken for the rest of the run: the archive holds them.
  for (const auto& record : removed) recordIds_.Remove(record->GetValue(0, 0));
  results.push_back(ArchiveResult(month, kArchived));
}

bool CForm1View::DearchiveMonth(const std::string& month, std::vector<std::string>& results, bool* besideSelected) {
  const std::filesystem::path file = ArchiveFolder() / MonthFileName(month);
  // Named before the wait window could stand over the message.
  if (platform::CheckWholeFile(file, platform::FileKind::kLarge) != platform::ReadRefusal::kNone) return false;
  RecordFileImport result;
  {
    WaitWindowScope wait;
    result = ImportRecordFile(file, kArchiveRoot);
  }
  if (!result.read) {
    if (result.refused) return false;  // named already
    ShowFileMessage(60502, "Die Archivdatei\n%s\nkann nicht gelesen werden!", file,
                    platform::MB_OK | platform::MB_ICONWARNING);
    return false;
  }
  if (result.error != RecordDocumentError::kNone) {
    platform::ShowMessageBox(TranslateString(67425, "Die Datei ist keine Archivdatei.") + "\n" + file.string() + "\n" +
                                 RecordDocumentErrorText(result.error, kArchiveRoot),
                             platform::MB_OK | platform::MB_ICONWARNING);
    return false;
  }
  results.push_back(DearchiveResult(month, result.added, result.skipped));
  // The rows selected before move with their records as later months come in.
  SelectRows(result.rows, !(besideSelected && *besideSelected));
  if (besideSelected && !result.rows.empty()) *besideSelected = true;
  return true;
}

void CForm1View::OnArchivieren() {
  CPravikWinApp* app = GetApp();
  if (!app || app->IsSieveProgramActive()) return;
  CArchivierenDlg dialog(this);
  dialog.m_ArchiveFolder = ArchiveFolder().string();
  dialog.m_Entries = ArchiveEntries(model_->Records());
  if (dialog.m_Entries.empty()) return;
  if (dialog.DoModal() != platform::IDOK) return;
  // An empty protocol would look like a run that failed without a word.
  if (dialog.m_Entries.empty()) {
    platform::ShowMessageBox(TranslateString(68000, "Es wurde kein Monat angehakt.\nEs wurde nichts archiviert."),
                             platform::MB_OK | platform::MB_ICONINFORMATION, TranslateString(5200, "Archivierung"));
    return;
  }

  std::vector<std::string> results;
  const std::filesystem::path folder = ArchiveFolder();
  for (const std::string& month : dialog.m_Entries) ArchiveMonth(month, results);
  // The month files hold the records now: "data.db" lets them go at once.
  if (std::any_of(results.begin(), results.end(),
                  [](const std::string& entry) { return StrGetField(entry, '|', 1) == kArchived; }))
    SaveAllRecords();
  CArchivierungsProtokollDlg protocol(this);
  protocol.m_Protocol = ArchiveProtocol(results, &protocol.m_SkippedMonth) + ArchiveLeftoverNote(results, folder);
  protocol.DoModal();
}

void CForm1View::OnDearchivieren() {
  CPravikWinApp* app = GetApp();
  if (!app || app->IsSieveProgramActive()) return;
  const std::filesystem::path folder = ArchiveFolder();
  CDearchivierenDlg dialog(this);
  dialog.m_ArchiveFolder = folder.string();
  dialog.m_Entries = MonthFileKeys(folder);
  if (dialog.m_Entries.empty()) {
    platform::ShowMessageBox(
        TranslateString(5199, "Keine Archivdateien im Ordner gefunden:") + " '" + folder.string() + "' !",
        platform::MB_OK | platform::MB_ICONWARNING, TranslateString(5200, "Archivierung"));
    return;
  }
  if (dialog.DoModal() != platform::IDOK || dialog.m_Entries.empty()) return;

  std::vector<std::string> results;
  std::vector<std::filesystem::path> read;
  bool besideSelected = false;  // the selection holds the records of the months before
  for (const std::string& month : dialog.m_Entries)
    if (DearchiveMonth(month, results, &besideSelected)) read.push_back(folder / MonthFileName(month));
  // A month file goes only once its records are safely in "data.db"; a file
  // that stays is named, since it would block archiving its month.
  std::vector<std::filesystem::path> kept;
  if (read.empty()) {
    // Nothing was read: nothing to save.
  } else if (SaveAllRecords()) {
    for (const std::filesystem::path& file : read)
      if (!platform::DeleteFile(file) && platform::PathTaken(file)) kept.push_back(file);
  } else {
    platform::ShowMessageBox(TranslateString(60503,
                                             "Die dearchivierten Prüfnummern konnten nicht gespeichert werden.\n"
                                             "Die Archivdateien bleiben deshalb erhalten."),
                             platform::MB_OK | platform::MB_ICONWARNING);
  }
  if (!kept.empty()) platform::ShowMessageBox(DearchiveLeftoverNote(kept, "\n"), platform::MB_OK | platform::MB_ICONWARNING);
  CDearchivierungsProtokollDlg protocol(this);
  protocol.m_Protocol = DearchiveProtocol(results) + DearchiveLeftoverNote(kept, "\r\n");
  protocol.DoModal();
}
