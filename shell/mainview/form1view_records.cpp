// The main view's commands that create records and change their material:
// new record (button 1003), duplicate (9213), material reassignment (9216),
// material extraction (9005), the list's context menu and the raw record
// editor (Scroll Lock in the list).
#include <QAbstractButton>
#include <QItemSelectionModel>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/commands.h"
#include "platform/datetime.h"
#include "platform/messagebox.h"
#include "platform/uiseam.h"
#include "records/matdef_extract.h"
#include "records/matdef_file.h"
#include "records/newrecord.h"
#include "records/recordtext.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/records/debugdlg.h"
#include "shell/records/dublizierendlg.h"
#include "shell/records/neudlg.h"

using platform::IDOK;

namespace {

constexpr int kNewRecordIcon = 1174;
constexpr int kDuplicateCommand = 9213;
constexpr int kReassignCommand = 9216;
constexpr int kExtractCommand = 9005;

// Context menu 140, its texts as the resources hold them.
constexpr int kContextMenuId = 140;
const platform::PopupMenuItem kContextMenu[] = {{kDuplicateCommand, "&Duplizieren"},
                                                {kReassignCommand, "&Material neu zuordnen"}};

}  // namespace

void CForm1View::ConnectRecordControls() {
  connect(button(kNewRecordButton), &QAbstractButton::clicked, this, &CForm1View::OnNeuePruefnummer);
  connect(list_, &CExListCtrl::RowRightClicked, this, &CForm1View::OnNMRClickList);
  connect(list_, &CExListCtrl::ListKeyDown, this, &CForm1View::OnLvnKeyDownList);
}

void CForm1View::RegisterRecordCommands(platform::CommandTable& commands) {
  commands_ = &commands;
  auto route = [&commands](int id, const char* text, std::function<void()> handler) {
    if (commands.Action(id)) commands.SetHandler(id, std::move(handler));
    else commands.Add(id, text, std::move(handler));
  };
  route(kExtractCommand, "", [this] { OnMaterialdefinitionExtrahieren(); });
  route(kDuplicateCommand, kContextMenu[0].text.c_str(), [this] { OnDuplizieren(); });
  route(kReassignCommand, kContextMenu[1].text.c_str(), [this] { OnMaterialNeuZuordnen(); });
  auto exactlyOne = [this](platform::CmdUI& ui) { ui.Enable(SelectedCountUpTo(2) == 1); };
  commands.SetUpdateRule(kDuplicateCommand, exactlyOne);
  commands.SetUpdateRule(kReassignCommand, exactlyOne);
}

void CForm1View::DeselectRow(int row) {
  if (row < 0) return;
  list_->selectionModel()->select(model_->index(row, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void CForm1View::SelectAndFocusRow(int row, bool only) {
  const QModelIndex index = model_->index(row, 0);
  if (!index.isValid()) return;
  QItemSelectionModel* selection = list_->selectionModel();
  selection->setCurrentIndex(index, (only ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select) |
                                        QItemSelectionModel::Rows);
  list_->scrollTo(index);
}

// ------------------------------------------------------------ new record

void CForm1View::OnNeuePruefnummer() {
  CPravikWinApp* app = GetApp();
  if (!app || app->IsSieveProgramActive()) return;
  const CPlantIdentity& plant = app->PlantIdentity;
  if (plant.operatorNumber.empty() && plant.plantNumber.empty()) {
    platform::ShowMessageBox("FEHLER: " + TranslateString(66008, "Die Datei ...") + "\n\n " +
                                 (app->m_Settings.m_ProgramFolder / "werk.dat").string() + "\n\n" +
                                 TranslateString(5173, "... ist fehlerhaft oder existiert nicht!\nEs können keine "
                                                       "neuen Versuche angelegt werden."),
                             platform::MB_OK | platform::MB_ICONSTOP, "Error");
    return;
  }
  auto record = std::make_unique<CVersuch>();
  CNeuDlg dlg(record.get(), CNeuDlg::Mode::kNewRecord, this);
  dlg.SetIconCommand(kNewRecordIcon);
  if (dlg.DoModal() != IDOK) return;  // the record goes unused

  // The new record takes its place by the list's order, its status marks
  // included; the selection moves from the focused row to it.
  DeselectRow(list_->FocusedRow());
  record->InitTestStatusList();
  record->UpdateListSummary();
  const int row = AddSortedRecordRow(std::move(record));
  SelectAndFocusRow(row, false);
  SaveAllRecords();
}

void CForm1View::OnMaterialNeuZuordnen() {
  int row = -1;
  CVersuch* record = GetCurrentRecord(&row);
  if (!record) return;
  CNeuDlg dlg(record, CNeuDlg::Mode::kReassignment, this);
  dlg.SetIconCommand(kReassignCommand);
  if (dlg.DoModal() != IDOK) return;
  RefreshRecordRow(row);
  SaveAllRecords();
}

// ------------------------------------------------------------ duplicate

void CForm1View::OnDuplizieren() {
  int row = -1;
  CVersuch* source = GetCurrentRecord(&row);
  if (!source) return;
  CDublizierenDlg dlg(this);
  dlg.m_Prefix = RecordPlantPrefix(*source);
  dlg.SetIconCommand(kDuplicateCommand);
  if (dlg.DoModal() != IDOK) return;

  CPravikWinApp* app = GetApp();
  const KeyTaken idTaken = [app](const std::string& id) { return app && app->TestRecordIdIndex.count(id) > 0; };
  auto copy = DuplicateRecord(*source, dlg.m_Prefix + dlg.m_Number,
                              FreeRecordId(dlg.m_Prefix, platform::Now(), idTaken), GetTodayText());
  const int added = AddSortedRecordRow(std::move(copy));
  SelectAndFocusRow(added, true);
  SaveAllRecords();
}

// ------------------------------------------------------------ material extraction

void CForm1View::OnMaterialdefinitionExtrahieren() {
  CPravikWinApp* app = GetApp();
  if (!app) return;
  std::vector<std::string> list;
  std::string error;
  if (!ReadMaterialDefs(app->m_Settings.m_DataFolder, list, error)) return;

  std::vector<CVersuch*> records;
  for (int row : SelectedRows())
    if (CVersuch* record = model_->RecordAt(row)) records.push_back(record);
  const MaterialExtraction result = ExtractMaterialDefinitions(records, list);
  if (result.changedRecords > 0) SaveAllRecords();
  if (result.queued.empty()) {
    // Without a word the user could not tell a run that found nothing to do.
    if (result.changedRecords == 0 && result.alreadyDefined > 0)
      platform::ShowMessageBox(TranslateString(66031, "Die Materialdefinition ist bereits definiert.\n"
                                                      "Es wurde nichts geändert."),
                               platform::MB_OK | platform::MB_ICONINFORMATION);
    return;
  }
  if (!AddMaterialDefinitionsToFile(app->m_Settings.m_DataFolder, result.queued)) {
    std::string text = TranslateString(
        60402, "Die neuen Materialdefinitionen konnten nicht in die Datei\n%s\ngeschrieben werden.\n"
               "Die Datei bleibt unverändert.");
    StrReplace(text, "%s", MaterialDefFilePath(app->m_Settings.m_DataFolder).string(), false);
    platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONSTOP);
  }
}

// ------------------------------------------------------------ list: context menu and keys

void CForm1View::OnNMRClickList(int row, const QPoint& globalPos) {
  if (row < 0 || !commands_) return;
  platform::PopupMenuRequest menu;
  menu.position = globalPos;
  // The menu's texts are translated as it opens, as the main menu's are.
  std::vector<MenuItemText> texts = {{0, "", true, {}}};
  for (const platform::PopupMenuItem& item : kContextMenu) texts[0].items.push_back({item.id, item.text, false, {}});
  TranslateMenuTexts(texts, kContextMenuId);
  for (size_t i = 0; i < std::size(kContextMenu); ++i) {
    platform::PopupMenuItem item = kContextMenu[i];
    item.text = texts[0].items[i].text;
    item.enabled = commands_->Update(item.id);
    menu.items.push_back(item);
  }
  // The chosen command runs through the frame's table, as from a menu.
  if (const int chosen = platform::TrackPopupMenu(menu)) commands_->Execute(chosen);
}

void CForm1View::OpenRawRecordEditor(int row) {
  CVersuch* record = model_->RecordAt(row);
  if (!record) return;
  CDEBUGDlg dlg(this);
  dlg.m_Text = RecordToRawText(*record);
  if (dlg.DoModal() != IDOK) return;
  const std::string oldNumber = record->GetValue(1, 0);
  const std::string oldId = record->GetValue(0, 0);
  ApplyRawText(*record, dlg.m_Text);
  RefreshRecordRow(row);
  // A changed test number or record ID moves in the key indexes.
  if (record->GetValue(1, 0) != oldNumber) {
    testNumbers_.Remove(oldNumber);
    testNumbers_.Add(record->GetValue(1, 0));
  }
  if (record->GetValue(0, 0) != oldId) {
    recordIds_.Remove(oldId);
    recordIds_.Add(record->GetValue(0, 0));
  }
  SaveAllRecords();
}
