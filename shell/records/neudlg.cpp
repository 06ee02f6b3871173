#include "shell/records/neudlg.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTreeWidget>

#include "controls/materiallistctrl.h"
#include "controls/restrictedit.h"
#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "records/matdef_file.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "ui_neudlg.h"

using platform::IDOK;

namespace {

constexpr char kWidthSection[] = "spaltenbreiten";
constexpr char kDefaultWidths[] = "0;185;86;87;233";

void StopBox(int textId, const char* text, int captionId, const char* caption) {
  platform::ShowMessageBox(TranslateString(textId, text), platform::MB_OK | platform::MB_ICONSTOP,
                           TranslateString(captionId, caption));
}

void InsertRows(CMaterialListCtrl& list, const std::vector<MaterialListRow>& rows) {
  for (const MaterialListRow& row : rows) {
    if (row.definition) list.InsertMatDef(list.GetItemCount(), row.definition.get());
    else list.InsertTextRow(list.GetItemCount(), row.heading);
  }
}

}  // namespace

CNeuDlg::CNeuDlg(CVersuch* record, Mode mode, QWidget* parent)
    : CpvDialog(kTemplateId, parent), record_(record), mode_(mode) {
  Ui::NeuDlg ui;
  ui.setupUi(this);
  ui.materialDefinitions->setText(QString::fromStdString(TranslateString(66027, "Materialdefinitionen ...")));
  definedList_ = ui.definedList;
  dbList_ = ui.dbList;
  numberEdit_ = ui.number;
  for (CMaterialListCtrl* list : {definedList_, dbList_})
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OnNMDblClkMaterialList(); });
  connect(ui.materialDefinitions, &QAbstractButton::clicked, this, [this] { OnMaterialdefinitionen(); });
  connect(ui.definedChoice, &QAbstractButton::clicked, this, [this] { OnListChoice(); });
  connect(ui.dbChoice, &QAbstractButton::clicked, this, [this] { OnListChoice(); });
  // The built-in list has no sort header.
  dbList_->header()->setSectionsClickable(false);
  disconnect(dbList_->header(), &QHeaderView::sectionClicked, dbList_, nullptr);
  connect(this, &QDialog::finished, this, [this] { SaveListWidths(); });
}

CNeuDlg::~CNeuDlg() = default;

bool CNeuDlg::OnInitDialog() {
  CPravikWinApp* app = GetApp();
  number_ = record_ ? record_->GetValue(1, 0) : std::string();
  if (mode_ == Mode::kReassignment) {
    setWindowTitle(QString::fromStdString(TranslateString(60400, "Materialzuordnung ändern")));
    EnableItem(kNumberEdit, false);
    listChoice_ = record_ && record_->IsDbMaterial() ? 1 : 0;
  } else {
    listChoice_ = app && app->GetProfileInt("neudlg", "tab", 0) == 1 ? 1 : 0;
  }
  CpvDialog::OnInitDialog();

  definedList_->InitColumns();
  dbList_->InitColumns();
  definedList_->RestoreColumnWidths(kWidthSection, "materialListctrl2_spalten", kDefaultWidths);
  dbList_->RestoreColumnWidths(kWidthSection, "materialListctrl2DB_spalten", kDefaultWidths);

  materialError_.clear();
  if (!FillMaterialLists() && app) {
    // The user learns why the lists are empty; Cancel stays open to him.
    std::string text = materialError_;
    if (text.empty()) {
      text = TranslateString(60401, "Die Datei mit den Materialdefinitionen\n%s\nkann nicht gelesen werden.");
      StrReplace(text, "%s", MaterialDefFilePath(app->m_Settings.m_DataFolder).string(), false);
    }
    platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
  }

  const CPlantIdentity plant = app ? app->PlantIdentity : CPlantIdentity{};
  SetItemText(kPlantName, plant.plantName);
  SetItemText(kOperatorName, plant.operatorName);
  SetItemText(kPrefix, mode_ == Mode::kNewRecord ? PlantPrefix(plant) : std::string());

  SetItemText(kNumberEdit, number_);
  CheckItem(kDefinedChoice, listChoice_ == 0);
  CheckItem(kDbChoice, listChoice_ == 1);
  OnListChoice();
  return true;
}

bool CNeuDlg::FillMaterialLists() {
  CPravikWinApp* app = GetApp();
  std::vector<std::string> lines;
  if (!app || !ReadMaterialDefs(app->m_Settings.m_DataFolder, lines, materialError_)) return false;
  // Reassignment: only definitions of the record's sieve tower.
  const std::string tower = record_ ? record_->GetValue(6, 0) : std::string();
  rows_ = SortMaterialLines(lines, mode_ == Mode::kReassignment ? &tower : nullptr);
  InsertRows(*definedList_, rows_.defined);
  InsertRows(*dbList_, rows_.db);
  return true;
}

void CNeuDlg::OnListChoice() {
  if (IsItemChecked(kDefinedChoice)) listChoice_ = 0;
  else if (IsItemChecked(kDbChoice)) listChoice_ = 1;
  ShowItem(kDefinedList, listChoice_ == 0 ? platform::SW_SHOW : platform::SW_HIDE);
  ShowItem(kMaterialDefinitionsButton, listChoice_ == 0 ? platform::SW_SHOW : platform::SW_HIDE);
  ShowItem(kDbList, listChoice_ == 1 ? platform::SW_SHOW : platform::SW_HIDE);
}

CMatDef* CNeuDlg::GetSelectedMaterial() const {
  if (listChoice_ == 0) return definedList_->GetSelectedMatDef();
  if (listChoice_ == 1) return dbList_->GetSelectedMatDef();
  return nullptr;
}

bool CNeuDlg::IsTestNumberFree(const std::string& number) const {
  CPravikWinApp* app = GetApp();
  if (!app) return true;
  const KeyTaken taken = [app](const std::string& key) { return app->TestNumberIndex.count(key) > 0; };
  return CheckTestNumber(PlantPrefix(app->PlantIdentity), number, taken) != TestNumberCheck::kTaken;
}

void CNeuDlg::OnOK() {
  number_ = GetItemText(kNumberEdit);
  OnListChoice();
  CPravikWinApp* app = GetApp();
  if (mode_ == Mode::kNewRecord) {
    if (app) app->WriteProfileInt("neudlg", "tab", listChoice_);
    if (number_.empty()) {
      StopBox(5280, "Es muss noch eine Prüfnummer angegeben werden!", 5281, "Prüfnummer fehlt");
      return;
    }
    if (!IsTestNumberFree(number_)) {
      StopBox(5282, "Die Prüfnummer ist bereits vergeben!", 5283, "Prüfnummer");
      return;
    }
  }
  CMatDef* material = GetSelectedMaterial();
  if (!material) {
    StopBox(5284, "Ein Material muss ausgewählt sein!", 5285, "Material auswählen");
    return;
  }
  if (CreateTestRecordFields(material)) EndDialog(IDOK);
}

bool CNeuDlg::CreateTestRecordFields(CMatDef* material) {
  if (!record_ || !material) return false;
  if (mode_ == Mode::kReassignment) {
    ReassignMaterialFields(*record_, *material);
    return true;
  }
  CPravikWinApp* app = GetApp();
  NewRecordOrigin origin;
  origin.number = number_;
  origin.today = GetTodayText();
  KeyTaken idTaken;
  if (app) {
    origin.plant = app->PlantIdentity;
    idTaken = [app](const std::string& id) { return app->TestRecordIdIndex.count(id) > 0; };
    origin.sieving.wetByDefault = app->GetProfileInt("Siebungen", "defaultTrockenNass", 0);
    origin.sieving.polygonCurve = app->GetProfileInt("Siebungen", "defaultKurvenverlauf", 0);
    origin.sieving.sumMode = app->GetProfileInt("Siebungen", "defaultSummenmodus", 0);
  }
  origin.recordId = FreeRecordId(PlantPrefix(origin.plant), platform::Now(), idTaken);
  CreateNewRecordFields(*record_, *material, origin);
  return true;
}

void CNeuDlg::OnMaterialdefinitionen() {
  if (CPravikWinApp* app = GetApp()) LaunchProgram(app->m_Settings.m_ProgramFolder / "specora");
}

void CNeuDlg::OnNMDblClkMaterialList() {
  if (GetSelectedMaterial()) OnOK();
}

void CNeuDlg::SaveListWidths() {
  definedList_->SaveColumnWidths();
  dbList_->SaveColumnWidths();
}
