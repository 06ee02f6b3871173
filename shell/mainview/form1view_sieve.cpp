// The sieve analysis: the record handed to the external sieve program, and
// its results taken back when the program ends.
#include <QPointer>

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "records/sievehandoff.h"
#include "services/appflags.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"

namespace {

std::string NothingTaken() { return TranslateString(60901, "Es wurden keine Siebwerte übernommen."); }

}  // namespace

void CForm1View::StartSieveProgram() {
  CVersuch* record = OpenerRecord("StartSieveProgram");
  CPravikWinApp* app = GetApp();
  if (!record || !app) return;
  // Opened for looking only (Alt on a record without a sieve tower): the
  // sieve program would close every record command, so nothing starts.
  if (!IsEditAllowed()) return;
  const std::filesystem::path file = app->m_Settings.m_DataFolder / kSieveHandOffFileName;
  SieveHandOff handOff = MakeSieveHandOff(*record);
  if (!platform::WriteTextFile(file, FormatSieveHandOff(handOff.fields))) {
    platform::ShowMessageBox("Error 3621\n\n[" + file.string() + "] " +
                                 TranslateString(5172, "konnte nicht zum Schreiben geöffnet werden."),
                             platform::MB_OK | platform::MB_ICONSTOP);
    return;
  }
  QPointer<CForm1View> view(this);
  auto ended = [view, handOff = std::move(handOff), file] {
    if (view) view->TakeSieveResults(handOff, file);
  };
  if (app->StartSieveProgram(app->m_Settings.m_ProgramFolder / "gradix", {file.string()}, std::move(ended)))
    window()->setWindowTitle("Pravik (inactive)");
}

void CForm1View::TakeSieveResults(const SieveHandOff& handedOff, const std::filesystem::path& file) {
  SieveHandOffLines returned;
  SieveReturn state = JudgeSieveReturn(handedOff, platform::ReadTextFile(file), returned);
  // The record is found by its id: the rows may have been sorted meanwhile.
  int row = -1;
  if (state == SieveReturn::Changed || state == SieveReturn::Unchanged) {
    for (int i = 0; i < model_->RecordCount() && row < 0; ++i)
      if (model_->RecordAt(i)->GetField(0) == handedOff.recordId) row = i;
    if (row < 0) state = SieveReturn::Foreign;
  }
  switch (state) {
    case SieveReturn::Damaged:
      platform::ShowMessageBox(
          TranslateString(60900, "Die Datei des Kornsummenlinienprogramms fehlt, ist unvollständig oder beschädigt:") +
              "\n" + file.string() + "\n\n" + NothingTaken(),
          platform::MB_OK | platform::MB_ICONWARNING);
      return;
    case SieveReturn::Foreign:
      platform::ShowMessageBox(
          TranslateString(60902, "Die Datei des Kornsummenlinienprogramms gehört nicht zu dem übergebenen "
                                 "Datensatz, oder dieser steht nicht mehr in der Liste:") +
              "\n" + file.string() + "\n" + TranslateString(60903, "Datensatz-ID:") + " " + returned[0] + "\n\n" +
              NothingTaken(),
          platform::MB_OK | platform::MB_ICONWARNING);
      return;
    case SieveReturn::Unchanged:
      platform::ShowMessageBox(
          TranslateString(60904, "Das Kornsummenlinienprogramm hat keine Siebwerte geändert:") + "\n" + file.string() +
              "\n\n" + NothingTaken(),
          platform::MB_OK | platform::MB_ICONINFORMATION);
      return;
    case SieveReturn::Changed:
      break;
  }
  TakeSieveValues(*model_->RecordAt(row), returned);
  RefreshRecordRow(row);
  UpdatePanelStatus();
  SaveAllRecords();
}
