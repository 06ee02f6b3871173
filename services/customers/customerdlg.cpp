#include "services/customers/customerdlg.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "ui_customermanagement.h"
#include "ui_customername.h"

using platform::IDCANCEL;
using platform::IDOK;
using platform::IDYES;

namespace {

constexpr int kNameEditId = 8001;
constexpr int kCustomerCommand = 9002;

void ShowNameRefusal() {
  platform::ShowMessageBox(TranslateString(5249,
                                           "Ein Kundenname darf die Zeichen '$', '~' und '|', Zeilenumbrüche und "
                                           "die Wörter DATA_START und DATA_STOP nicht enthalten."),
                           platform::MB_OK | platform::MB_ICONWARNING);
}

void ShowReadFailure(const std::filesystem::path& file) {
  ShowFileMessage(5251, "Die Kundenliste\n%s\nkann nicht gelesen werden. Sie wird nicht überschrieben.", file,
                  platform::MB_OK | platform::MB_ICONSTOP);
}

void ShowWriteFailure(const std::filesystem::path& file) {
  ShowFileMessage(5252, "Die Kundenliste\n%s\nkann nicht gespeichert werden!", file, platform::MB_OK | platform::MB_ICONSTOP);
}

}  // namespace

// ------------------------------------------------------ CKundeNeuAendernDlg

CKundeNeuAendernDlg::CKundeNeuAendernDlg(QWidget* parent) : CpvDialog(533, parent) {
  Ui::CustomerNameDlg ui;
  ui.setupUi(this);
  ui.nameLabel->setText(QString::fromStdString(TranslateString(67420, "Kundenbezeichnung (Name, ggf. Ort):")));
}

CKundeNeuAendernDlg::~CKundeNeuAendernDlg() = default;

bool CKundeNeuAendernDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetItemText(kNameEditId, m_Name);
  setWindowTitle(QString::fromStdString(m_Caption));
  return true;
}

void CKundeNeuAendernDlg::OnOK() {
  const std::string name = GetItemText(kNameEditId);
  if (CheckCustomerName(name) == CustomerNameCheck::BreaksTheFile) {
    ShowNameRefusal();
    return;
  }
  m_Name = name;
  EndDialog(IDOK);
}

// ------------------------------------------------------ CKundenVerwaltungDlg

CKundenVerwaltungDlg::CKundenVerwaltungDlg(CustomerList& customers, QWidget* parent)
    : CpvDialog(592, parent), customers_(customers) {
  Ui::CustomerManagementDlg ui;
  ui.setupUi(this);
  list_ = ui.customers;
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnKundennameAendern(); });
  connect(ui.newCustomer, &QPushButton::clicked, this, [this] { OnNeuerKunde(); });
  connect(ui.renameCustomer, &QPushButton::clicked, this, [this] { OnKundennameAendern(); });
  connect(ui.deleteCustomer, &QPushButton::clicked, this, [this] { OnLoeschen(); });
  connect(ui.saveCustomers, &QPushButton::clicked, this, [this] { OnSpeichern(); });
}

CKundenVerwaltungDlg::~CKundenVerwaltungDlg() = default;

bool CKundenVerwaltungDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  list_->headerItem()->setText(0, QString::fromStdString(TranslateString(5240, "Kundenbezeichung")));
  list_->header()->setSectionsClickable(false);
  list_->setColumnWidth(0, 300);
  list_->setColumnHidden(1, true);
  LoadCustomers();
  return true;
}

int CKundenVerwaltungDlg::SelectedRow() const {
  QTreeWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) return -1;
  return list_->indexOfTopLevelItem(item);
}

void CKundenVerwaltungDlg::ShowRows(int selectRow) {
  list_->clear();
  for (const Customer& c : customers_.rows())
    list_->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(c.name), QString::fromStdString(c.id)}));
  if (QTreeWidgetItem* item = list_->topLevelItem(selectRow)) {
    list_->setCurrentItem(item);
    list_->scrollToItem(item);
  }
}

void CKundenVerwaltungDlg::LoadCustomers() {
  if (customers_.Load() == CustomerFileState::Unreadable) ShowReadFailure(customers_.file());
  ShowRows(-1);
}

bool CKundenVerwaltungDlg::SaveCustomers() {
  if (customers_.Save()) return true;
  ShowWriteFailure(customers_.file());
  return false;
}

void CKundenVerwaltungDlg::OnNeuerKunde() {
  CKundeNeuAendernDlg dlg(this);
  dlg.m_Caption = TranslateString(5246, "neuer Kunde");
  if (dlg.DoModal() != IDOK) return;
  int row = -1;
  switch (customers_.Add(dlg.m_Name, &row)) {
    case CustomerList::Edit::Done: ShowRows(row); break;
    case CustomerList::Edit::BreaksTheFile: ShowNameRefusal(); break;
    default: break;  // a blank name adds nothing
  }
}

void CKundenVerwaltungDlg::OnKundennameAendern() {
  const int row = SelectedRow();
  if (row < 0) return;
  CKundeNeuAendernDlg dlg(this);
  dlg.m_Caption = TranslateString(5245, "Kundenbezeichung ändern");
  dlg.m_Name = customers_.rows()[row].name;
  if (dlg.DoModal() != IDOK) return;
  int newRow = row;
  switch (customers_.Rename(row, dlg.m_Name, &newRow)) {
    case CustomerList::Edit::Done: ShowRows(newRow); break;
    case CustomerList::Edit::BreaksTheFile: ShowNameRefusal(); break;
    default: break;  // the same name, or a blank one: the old name stays
  }
}

void CKundenVerwaltungDlg::OnLoeschen() {
  const int row = SelectedRow();
  if (row < 0) return;
  // One text with the name in its place: the word order differs between languages.
  std::string text = TranslateString(67421, "Kunde '%s' wirklich löschen?");
  StrReplace(text, "%s", customers_.rows()[row].name, false);
  if (platform::ShowMessageBox(text, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION,
                               TranslateString(5244, "Kunde löschen")) != IDYES)
    return;
  customers_.Remove(row);
  ShowRows(-1);
}

void CKundenVerwaltungDlg::OnSpeichern() {
  if (customers_.changed()) SaveCustomers();
}

void CKundenVerwaltungDlg::OnOK() { Close(IDOK); }

void CKundenVerwaltungDlg::OnCancel() { Close(IDCANCEL); }

void CKundenVerwaltungDlg::Close(int result) {
  if (customers_.changed()) {
    const std::string question = TranslateString(5241, "Änderungen speichern?");
    const int answer =
        platform::ShowMessageBox(question, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION, question);
    if (answer == IDCANCEL) return;
    // Closing after a failed save would lose the changes: stay open.
    if (answer == IDYES && !SaveCustomers()) return;
  }
  EndDialog(result);
}

// ------------------------------------------------- the application's side

std::filesystem::path CustomerFilePath(const CPravikWinApp& app) {
  return app.m_Settings.m_DataFolder / kCustomerFileName;
}

void MergeCustomerList(CPravikWinApp& app) {
  const std::filesystem::path file = CustomerFilePath(app);
  const CustomerMergeResult result = MergeCustomerFile(app.CustomerNameMap, file);
  if (result.state == CustomerFileState::Unreadable) ShowReadFailure(file);
  else if (result.writeFailed) ShowWriteFailure(file);
}

void RunCustomerManagement(CPravikWinApp& app, QWidget* parent) {
  CustomerList customers(CustomerFilePath(app), app.PlantIdentity.operatorNumber, app.PlantIdentity.plantNumber);
  customers.SetKnownCustomers(&app.CustomerNameMap);
  CKundenVerwaltungDlg dlg(customers, parent);
  dlg.SetIconCommand(kCustomerCommand);
  dlg.DoModal();
  ReadCustomerFile(app.CustomerNameMap, customers.file());
}
