#include "shell/statistics/statistikdlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/customers/customerlist.h"
#include "shell/statistics/statisticsperiod.h"
#include "ui_kwwaehlendlg.h"
#include "ui_statistikdlg.h"

using platform::IDOK;

namespace {

QDate Today() { return QDateTime::fromSecsSinceEpoch(platform::Now()).date(); }

// A YYYYMMDD text of exactly 8 characters as a date; otherwise the fallback.
QDate DayOf(const std::string& text, const QDate& fallback) {
  if (text.size() != 8) return fallback;
  const QDate day(PlainAtoi(text.substr(0, 4)), PlainAtoi(text.substr(4, 2)), PlainAtoi(text.substr(6, 2)));
  return day.isValid() ? day : fallback;
}

}  // namespace

// ------------------------------------------------------------ CStatistikDlg

CStatistikDlg::CStatistikDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::StatistikDlg ui;
  ui.setupUi(this);
  first_ = ui.from;
  last_ = ui.to;
  customers_ = ui.customer;
  connect(first_, &QDateEdit::dateChanged, this, [this] { OnDateFromChanged(); });
  connect(last_, &QDateEdit::dateChanged, this, [this] { OnDateToChanged(); });
  connect(ui.chooseWeek, &QPushButton::clicked, this, [this] { OnChooseWeek(); });
}

CStatistikDlg::~CStatistikDlg() = default;

QDate CStatistikDlg::FirstDay() const { return first_->date(); }

QDate CStatistikDlg::LastDay() const { return last_->date(); }

bool CStatistikDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  if (m_MaterialMode) {
    SetItemText(kMaterialEdit, m_MaterialText);
    SetItemText(kTowerEdit, m_TowerText);
    setWindowTitle(QString::fromStdString(TranslateString(5340, "Materialstatistik erstellen")));
  } else {
    for (int id : {kMaterialGroup, kMaterialLabel, kTowerLabel}) EnableItem(id, false);
    setWindowTitle(QString::fromStdString(TranslateString(5336, "Zeitraumstatistik erstellen")));
  }
  auto part = [this](int n) { return StrGetField(m_OperatorAndPlant, '|', n); };
  SetItemText(kOperatorEdit, " " + part(0) + " (" + part(1) + ") / " + part(2) + " (" + part(3) + ")");
  // Long texts show their beginning.
  for (int id : {kMaterialEdit, kTowerEdit, kOperatorEdit})
    if (auto* edit = Item<QLineEdit>(id)) edit->setCursorPosition(0);

  const QDate today = Today();
  {
    const QSignalBlocker blockFirst(first_);
    const QSignalBlocker blockLast(last_);
    first_->setDate(DayOf(m_FirstDay, today));
    last_->setDate(DayOf(m_LastDay, today));
  }
  ReadCustomerNames();
  CheckItem(m_SievingKind == 1 ? kDry : m_SievingKind == 2 ? kWet : kAll, true);
  UpdatePeriodText();
  return true;
}

void CStatistikDlg::ReadCustomerNames() {
  customers_->clear();
  customerIds_.clear();
  customers_->addItem(QString::fromStdString(TranslateString(60602, "(keine Einschränkung auf einen Kunden)")));
  std::filesystem::path file = m_CustomerFile;
  if (file.empty())
    if (const CPravikWinApp* app = GetApp()) file = app->m_Settings.m_DataFolder / kCustomerFileName;
  const CustomerFileContent content = LoadCustomerFile(file);
  if (content.state != CustomerFileState::Read) {
    customers_->setEnabled(false);
    return;
  }
  for (const Customer& customer : content.customers) {
    if (customer.id.empty()) continue;
    customers_->addItem(QString::fromStdString(customer.name));
    customerIds_.push_back(customer.id);
  }
  customers_->setCurrentIndex(0);
}

void CStatistikDlg::OnDateFromChanged() {
  if (first_->date() > last_->date()) {
    const QSignalBlocker block(last_);
    last_->setDate(first_->date());
  }
  UpdatePeriodText();
}

void CStatistikDlg::OnDateToChanged() {
  if (last_->date() < first_->date()) {
    const QSignalBlocker block(first_);
    first_->setDate(last_->date());
  }
  UpdatePeriodText();
}

void CStatistikDlg::OnChooseWeek() {
  // Over this dialog, so that the window manager places it there.
  CKWwaehlenDlg picker(this);
  picker.m_GivenDate = first_->date();
  if (picker.DoModal() != IDOK || !picker.m_ChosenMonday.isValid()) return;
  const QSignalBlocker blockFirst(first_);
  const QSignalBlocker blockLast(last_);
  first_->setDate(picker.m_ChosenMonday);
  last_->setDate(picker.m_ChosenMonday.addDays(6));
  UpdatePeriodText();
}

void CStatistikDlg::UpdatePeriodText() { SetItemText(kPeriodText, PeriodText(first_->date(), last_->date())); }

void CStatistikDlg::OnOK() {
  StatisticsChoices choices;
  choices.materialMode = m_MaterialMode;
  choices.materialId = m_MaterialId;
  choices.operatorAndPlant = m_OperatorAndPlant;
  choices.first = first_->date();
  choices.last = last_->date();
  choices.fixedFlags = m_FixedFlags;
  const int index = customers_->currentIndex();
  if (index > 0 && index - 1 < static_cast<int>(customerIds_.size()))
    choices.customerId = customerIds_[static_cast<size_t>(index - 1)];
  m_SievingKind = IsItemChecked(kDry) ? 1 : IsItemChecked(kWet) ? 2 : 0;
  choices.sievingKind = m_SievingKind;
  m_Result = FormatStatisticsSelection(choices);
  EndDialog(IDOK);
}

// ------------------------------------------------------------ CKWwaehlenDlg

CKWwaehlenDlg::CKWwaehlenDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::KWwaehlenDlg ui;
  ui.setupUi(this);
  SetItemText(platform::IDOK, TranslateString(66016, "Übernehmen"));
  years_ = ui.year;
  weeks_ = ui.weeks;
  connect(years_, &QComboBox::currentIndexChanged, this, [this] { OnYearChanged(); });
  connect(weeks_, &QListWidget::itemSelectionChanged, this, [this] { OnSelChangeWeek(); });
  connect(weeks_, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
}

CKWwaehlenDlg::~CKWwaehlenDlg() = default;

bool CKWwaehlenDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  {
    const QSignalBlocker block(years_);
    years_->clear();
    for (int year = Today().year(); year >= 2010; --year) years_->addItem(QString::number(year));
    const int given = m_GivenDate.isValid() ? years_->findText(QString::number(m_GivenDate.year())) : -1;
    years_->setCurrentIndex(given >= 0 ? given : 0);
  }
  OnYearChanged();
  return true;
}

void CKWwaehlenDlg::OnYearChanged() {
  weeks_->clear();
  QListWidgetItem* remembered = nullptr;
  for (const WeekEntry& entry : WeekList(years_->currentText().toInt(), Today())) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), weeks_);
    item->setData(Qt::UserRole, entry.monday);
    // The given date selects its week once, in the list it first appears in.
    if (m_GivenDate.isValid() && entry.monday <= m_GivenDate && m_GivenDate <= entry.monday.addDays(6)) {
      remembered = item;
      m_GivenDate = QDate();
    }
  }
  if (remembered) {
    weeks_->setCurrentItem(remembered);
    weeks_->scrollToItem(remembered);
  }
  OnSelChangeWeek();
}

void CKWwaehlenDlg::OnSelChangeWeek() { EnableItem(IDOK, !weeks_->selectedItems().isEmpty()); }

void CKWwaehlenDlg::OnOK() {
  const QList<QListWidgetItem*> selected = weeks_->selectedItems();
  if (selected.isEmpty()) return;
  m_ChosenMonday = selected.front()->data(Qt::UserRole).toDate();
  EndDialog(IDOK);
}
