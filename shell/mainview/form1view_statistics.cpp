// The statistics commands (1034, 1035), the mixture hand-off (1036), the
// mixture management (9004) and the statistics print options (9013) of the
// main view. Choosing the records and
// building the files is plain code in records/; here the dialogs, messages
// and companion programs.
#include <QString>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "records/mixturestartfile.h"
#include "records/statisticsfile.h"
#include "records/statisticsselection.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mixtures/mischungsverwaltungdlg.h"
#include "shell/statistics/statisticsprintsettings.h"
#include "shell/statistics/statistikdlg.h"

using platform::IDOK;
using platform::IDYES;

namespace {

std::filesystem::path DataFolder() {
  const CPravikWinApp* app = GetApp();
  return app ? app->m_Settings.m_DataFolder : std::filesystem::path();
}

std::filesystem::path ProgramFile(const char* name) {
  const CPravikWinApp* app = GetApp();
  return (app ? app->m_Settings.m_ProgramFolder : std::filesystem::path()) / name;
}

// A file for another program could not be written: "[path] konnte nicht ...".
void ShowWriteFailure(const std::string& prefix, const std::filesystem::path& file, int textId) {
  platform::ShowMessageBox(prefix + "[" + file.string() + "] " +
                               TranslateString(textId, "konnte nicht zum Schreiben geöffnet werden."),
                           platform::MB_OK | platform::MB_ICONSTOP);
}

// Writes a statistics file; its path, or empty after a message.
std::string StoreStatisticsFile(const StatisticsFile& file) {
  if (const auto written = SaveStatisticsFile(file)) return written->string();
  ShowWriteFailure("", file.path, 5172);
  return "";
}

}  // namespace

void CForm1View::OnZeitraumstatistik() { RunStatistics(false); }

void CForm1View::OnMaterialstatistik() { RunStatistics(true); }

void CForm1View::RunStatistics(bool material) {
  int row = -1;
  CVersuch* reference = GetCurrentRecord(&row);
  if (!reference) return;

  CStatistikDlg dlg(this);
  GetSelectionDateRange(model_->Records(), SelectedRows(), row, dlg.m_FirstDay, dlg.m_LastDay);
  dlg.m_OperatorAndPlant = reference->GetValue(1, 18) + "|" + reference->GetValue(1, 16) + "|" +
                           reference->GetValue(1, 17) + "|" + reference->GetValue(1, 15);
  dlg.m_FixedFlags = true;
  dlg.m_MaterialMode = material;
  if (material) {
    dlg.m_MaterialText = reference->GetValue(18, 0) + "  (" + reference->GetValue(30, 3) + ")";
    std::string tower = reference->GetValue(6, 0);
    StrReplace(tower, ";", ", ");
    dlg.m_TowerText = tower;
    dlg.m_MaterialId = reference->GetMaterialId();
  }
  dlg.SetIconCommand(material ? kMaterialStatisticsButton : kPeriodStatisticsButton);
  if (dlg.DoModal() != IDOK) return;

  const std::string path = CreateStatistics(dlg.m_Result, *reference);
  if (path.empty()) return;
  if (platform::ShowMessageBox(
          TranslateString(5174, "Statistik wurde erstellt.\n\nSoll die Statistikverwaltung gestartet werden?"),
          platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION, TranslateString(5175, "Statistik")) == IDYES)
    StartStatisticsManager(path);
}

std::string CForm1View::CreateStatistics(const std::string& selection, const CVersuch& reference) {
  if (SieveProgramRuns()) return "";
  const StatisticsRecordSelection chosen =
      SelectStatisticsRecords(model_->Records(), SelectedRows(), selection, reference);
  if (!chosen.changedMaterials.empty())
    platform::ShowMessageBox(ChangedMaterialsMessage(reference, chosen.changedMaterials),
                             platform::MB_OK | platform::MB_ICONWARNING);
  if (chosen.set.empty()) {
    platform::ShowMessageBox(
        TranslateString(5181, "Es wurden keine Versuche gefunden, die die Auswahlbedingungen erfüllen!"),
        platform::MB_OK, TranslateString(5175, "Statistik"));
    return "";
  }
  if (StrGetField(selection, '|', 0) == "T") return WritePeriodStatistics(chosen.set, selection);
  return WriteMaterialStatistics(chosen.set, selection, reference);
}

std::string CForm1View::WriteMaterialStatistics(const std::vector<const CVersuch*>& set,
                                                const std::string& selection, const CVersuch& reference) {
  return StoreStatisticsFile(::WriteMaterialStatistics(set, selection, reference, DataFolder(), platform::Now()));
}

std::string CForm1View::WritePeriodStatistics(const std::vector<const CVersuch*>& set,
                                              const std::string& selection) {
  return StoreStatisticsFile(::WritePeriodStatistics(set, selection, DataFolder(), platform::Now()));
}

void CForm1View::StartStatisticsManager(const std::string& path) {
  if (SieveProgramRuns()) return;
  LaunchProgram(ProgramFile("tallyon"), {path}, {},
                HandedFileNote(66005, "Die Statistikdatei wurde geschrieben und bleibt erhalten:", path));
}

void CForm1View::OnMischmodul() {
  if (SieveProgramRuns()) return;
  std::vector<const CVersuch*> records;
  for (int row : SelectedRows())
    if (const CVersuch* record = model_->RecordAt(row)) records.push_back(record);
  const MixtureStartFile file = MakeMixtureStartFile(records, platform::Now());
  const std::string caption = TranslateString(5192, "Keine Siebdaten");
  if (file.entries == 0) {
    platform::ShowMessageBox(TranslateString(5191, "Die gewählten Prüfnummern enhalten keine Siebungsdaten!\n"
                                                   "Das Mischmodul wird nicht gestartet."),
                             platform::MB_OK | platform::MB_ICONWARNING, caption);
    return;
  }
  if (file.skipped > 0)
    platform::ShowMessageBox(TranslateString(5193, "Hinweis:\nNicht alle gewählten Prüfnummern enthalten "
                                                   "Siebungsdaten!\nDiese Prüfnummern werden im Mischmodul nicht "
                                                   "berücksichtigt."),
                             platform::MB_OK | platform::MB_ICONINFORMATION, caption);
  const std::filesystem::path path = DataFolder() / "misch" / kMixtureStartFileName;
  if (!platform::WriteTextFile(path, file.text)) {
    ShowWriteFailure("ERROR 2100\n\n", path, 5194);
    return;
  }
  LaunchProgram(ProgramFile("blendor"), {path.string()}, {},
                HandedFileNote(66006, "Die Startdatei für das Mischmodul wurde geschrieben und bleibt erhalten:", path));
}

void CForm1View::OnEinstellungenStatistiken() {
  if (CPravikWinApp* app = GetApp()) EditStatisticsPrintSettings(*app, this);
}

void CForm1View::OnMischungsverwaltung() {
  const CPravikWinApp* app = GetApp();
  if (!app) return;
  RunMixtureManagement({app->m_Settings.m_DataFolder / "misch", ArchiveFolder(), app->m_Settings.m_ProgramFolder}, this);
}
