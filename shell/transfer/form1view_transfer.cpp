// The transfer-file commands of the main view: exporting the selected records
// (9103) and importing a transfer file (9102).
#include <optional>
#include <string>
#include <vector>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/textcodec.h"
#include "platform/uiseam.h"
#include "records/strutil.h"
#include "records/transfer.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/transfer/importstatistikdlg.h"

namespace {

constexpr char kPathSection[] = "Statistik";
constexpr char kPathKey[] = "Pfad";

std::string ExportCaption() { return TranslateString(60504, "Export"); }

std::string TransferFilter() { return TranslateString(5177, "Ex-/Importdateien") + " (*.xml)|*.xml||"; }

// The folder last used for a transfer file; the data folder's "transfer"
// folder, created when missing, until one was used.
std::filesystem::path TransferFolder(const CPravikWinApp& app) {
  const std::filesystem::path standard = app.m_Settings.m_DataFolder / "transfer";
  if (!platform::FolderExists(standard)) platform::CreateFolder(standard);
  return app.GetProfileString(kPathSection, kPathKey, standard.string() + "/");
}

// Keeps the folder of the chosen file: the path up to its last "/", unless
// that is the first character.
void RememberTransferFolder(const CPravikWinApp& app, const std::filesystem::path& file) {
  const std::string path = file.string();
  const int slash = StrReverseFind(path, "/");
  if (slash > 0) app.WriteProfileString(kPathSection, kPathKey, path.substr(0, static_cast<size_t>(slash)));
}

}  // namespace

CForm1View::RecordFileImport CForm1View::ImportRecordFile(const std::filesystem::path& file, std::string_view root) {
  RecordFileImport result;
  // The line ends stay as written: each record line drops its own CR LF only,
  // so a carriage return at the end of a field survives.
  platform::ReadRefusal refusal = platform::ReadRefusal::kNone;
  std::optional<std::string> bytes = platform::ReadFileBytes(file, platform::FileKind::kLarge, &refusal);
  result.refused = refusal != platform::ReadRefusal::kNone;
  if (!bytes) return result;
  result.read = true;
  // The bytes are parsed where they are and given back as the records grow.
  RecordDocument document =
      ReadRecordFileBytes(std::move(*bytes), root, [this](const std::string& id) { return recordIds_.Contains(id); });
  bytes.reset();
  result.error = document.error;
  result.added = static_cast<int>(document.records.size());
  result.skipped = document.skipped;
  result.withoutId = document.withoutId;
  result.rows = AddSortedRecordRows(std::move(document.records));
  return result;
}

bool CForm1View::AddRecordFromText(const std::string& text) {
  SelectRows({AddSortedRecordRow(RecordFromText(text))}, true);
  return true;
}

void CForm1View::OnExportieren() {
  CPravikWinApp* app = GetApp();
  if (!app || app->IsSieveProgramActive()) return;
  std::vector<const CVersuch*> records;
  for (int row : SelectedRows())
    if (const CVersuch* record = model_->RecordAt(row)) records.push_back(record);
  if (records.empty()) {
    platform::ShowMessageBox(TranslateString(5176, "Es muss mindestens ein Eintrag ausgewählt sein!"),
                             platform::MB_OK | platform::MB_ICONWARNING, ExportCaption());
    return;
  }
  const std::optional<std::filesystem::path> file =
      platform::ChooseFile({.save = true,
                            .title = TranslateString(5178, "Bitte Dateinamen für Ex-/Importdatei angeben"),
                            .folder = TransferFolder(*app),
                            .filter = TransferFilter(),
                            .default_extension = "xml",
                            .overwrite_prompt = true});
  if (!file) return;

  if (!WriteTransferFile(*file, records, GetCurrentTimeStamp(), file->string())) {
    ShowFileMessage(60500, "Die Ex-/Importdatei\n%s\nkonnte nicht geschrieben werden!", *file,
                    platform::MB_OK | platform::MB_ICONSTOP);
    return;
  }
  RememberTransferFolder(*app, *file);
  platform::ShowMessageBox(TranslateString(5179, "Export wurde durchgeführt.\nAnzahl der exportierten Datensätze:") +
                               " " + std::to_string(records.size()),
                           platform::MB_OK, ExportCaption());
}

void CForm1View::OnImportieren() {
  CPravikWinApp* app = GetApp();
  if (!app || app->IsSieveProgramActive()) return;
  const std::optional<std::filesystem::path> file =
      platform::ChooseFile({.save = false,
                            .title = TranslateString(5190, "Bitte Ex-/Importdatei auswählen"),
                            .folder = TransferFolder(*app),
                            .filter = TransferFilter(),
                            .overwrite_prompt = false});
  if (!file) return;

  // A named pipe, device or folder chosen by mistake is named at once,
  // before the wait window could stand over the message.
  if (platform::CheckWholeFile(*file, platform::FileKind::kLarge) != platform::ReadRefusal::kNone) return;
  RecordFileImport result;
  {
    WaitWindowScope wait;
    RememberTransferFolder(*app, *file);
    result = ImportRecordFile(*file, kTransferRoot);
  }
  if (!result.read) {
    if (result.refused) return;  // named already
    ShowFileMessage(60501, "Die Ex-/Importdatei\n%s\nkann nicht gelesen werden!", *file,
                    platform::MB_OK | platform::MB_ICONWARNING);
    return;
  }
  if (result.error != RecordDocumentError::kNone) {
    platform::ShowMessageBox(TranslateString(67424, "Die Datei ist keine Übertragungsdatei.") + "\n" + file->string() +
                                 "\n" + RecordDocumentErrorText(result.error, kTransferRoot),
                             platform::MB_OK | platform::MB_ICONWARNING);
    return;
  }
  SelectRows(result.rows, true);
  if (result.added > 0) SaveAllRecords();
  CImportStatistikDlg report(this);
  report.m_Imported = result.added;
  report.m_Skipped = result.skipped;
  report.m_AlreadyPresent = result.skipped - result.withoutId;
  report.DoModal();
}
