#include "shell/archive/archivedlgs.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "i18n/translation.h"
#include "records/archive.h"
#include "records/strutil.h"
#include "ui_archivieren.h"
#include "ui_archivprotokoll.h"
#include "ui_dearchivieren.h"
#include "ui_dearchivprotokoll.h"

namespace {

constexpr int kTickTimerMs = 1;
constexpr int kArchiveCommand = 9101;
constexpr int kDearchiveCommand = 9104;

// Line ends as the edit shows them.
std::string EditText(std::string text) {
  StrReplace(text, "\r\n", "\n");
  return text;
}

}  // namespace

// ------------------------------------------------------------ month lists

CMonthListDlg::CMonthListDlg(int templateId, int folderEditId, int keyColumn, QWidget* parent)
    : CpvDialog(templateId, parent), folderEditId_(folderEditId), keyColumn_(keyColumn) {}

void CMonthListDlg::AttachList() {
  list_ = Item<QTreeWidget>(kListId);
  connect(list_, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item, int) { OnItemChanged(list_->indexOfTopLevelItem(item)); });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (current) OnItemChanged(list_->indexOfTopLevelItem(current));
  });
}

bool CMonthListDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    FillList();
  }
  SetItemText(folderEditId_, m_ArchiveFolder);
  return true;
}

void CMonthListDlg::SetColumn(int column, const std::string& title, int width) {
  list_->headerItem()->setText(column, QString::fromStdString(title));
  if (width == 0) {
    list_->setColumnHidden(column, true);
    return;
  }
  // Widths are those of the classic dialog font: never narrower than the title.
  list_->setColumnWidth(column, std::max(width, list_->header()->sectionSizeHint(column)));
}

void CMonthListDlg::AppendRow(const std::vector<std::string>& texts) {
  auto* item = new QTreeWidgetItem();
  for (size_t i = 0; i < texts.size(); ++i) item->setText(static_cast<int>(i), QString::fromStdString(texts[i]));
  // Rows with air around the tick box and the text, as in any list of ticks.
  const int indicator = list_->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, list_);
  item->setSizeHint(0, QSize(list_->columnWidth(0), std::max(indicator, list_->fontMetrics().height()) + 6));
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, Qt::Unchecked);
  list_->addTopLevelItem(item);
}

std::vector<TickRow> CMonthListDlg::Rows() const {
  std::vector<TickRow> rows;
  rows.reserve(static_cast<size_t>(list_->topLevelItemCount()));
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list_->topLevelItem(i);
    rows.push_back({item->text(keyColumn_).toStdString(), item->checkState(0) == Qt::Checked});
  }
  return rows;
}

void CMonthListDlg::SetTick(int row, bool ticked) {
  if (QTreeWidgetItem* item = list_->topLevelItem(row)) item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void CMonthListDlg::SelectRow(int row) {
  if (QTreeWidgetItem* item = list_->topLevelItem(row)) list_->setCurrentItem(item);
}

void CMonthListDlg::OnItemChanged(int row) {
  if (row < 0) return;
  changedRow_ = row;
  timer_.StartOnce(kTickTimerMs, [this] { OnTickTimer(); });
}

void CMonthListDlg::OnTickTimer() {
  std::vector<TickRow> rows = Rows();
  ApplyTickRules(rows, changedRow_);
  // The ticks set here are no change of the user's: they start no new round.
  const QSignalBlocker quiet(list_);
  for (size_t i = 0; i < rows.size(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(i));
    const Qt::CheckState state = rows[i].ticked ? Qt::Checked : Qt::Unchecked;
    if (item->checkState(0) != state) item->setCheckState(0, state);
  }
  list_->viewport()->update();
  timer_.Stop();
}

void CMonthListDlg::OnOK() {
  m_Entries = TickedMonths(Rows());
  EndDialog(platform::IDOK);
}

// ------------------------------------------------------------ CArchivierenDlg

CArchivierenDlg::CArchivierenDlg(QWidget* parent) : CMonthListDlg(kTemplateId, 8001, 2, parent) {
  Ui::ArchivierenDlg ui;
  ui.setupUi(this);
  AttachList();
  SetIconCommand(kArchiveCommand);
}

CArchivierenDlg::~CArchivierenDlg() = default;

void CArchivierenDlg::FillList() {
  SetColumn(0, "       " + TranslateString(5040, "Jahr bzw. Monat/Jahr"), 150);
  SetColumn(1, TranslateString(5041, "Anz. Prüfnummern"), 110);
  SetColumn(2, "", 0);
  for (const std::string& entry : m_Entries) {
    const std::string key = StrGetField(entry, '|', 0);
    const std::string shown = key.size() == 6 ? "     " + MonthOfYear(key, "/") : "  " + key;
    AppendRow({shown, StrGetField(entry, '|', 1), key});
  }
}

// ------------------------------------------------------------ CDearchivierenDlg

CDearchivierenDlg::CDearchivierenDlg(QWidget* parent) : CMonthListDlg(kTemplateId, 1007, 1, parent) {
  Ui::DearchivierenDlg ui;
  ui.setupUi(this);
  AttachList();
  SetIconCommand(kDearchiveCommand);
}

CDearchivierenDlg::~CDearchivierenDlg() = default;

void CDearchivierenDlg::FillList() {
  SetColumn(0, "       " + TranslateString(5070, "Jahr bzw Monat/Jahr"), 280);
  SetColumn(1, "", 0);
  std::string previousYear;
  for (size_t i = 0; i < m_Entries.size(); ++i) {
    const std::string& key = m_Entries[i];
    const std::string year = key.substr(0, 4);
    if (i == 0 || year != previousYear) AppendRow({"  " + year, year});
    previousYear = year;
    AppendRow({"    " + MonthOfYear(key, "/"), key});
  }
}

// ------------------------------------------------------------ protocols

bool CProtokollDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetItemText(kProtocolId, EditText(m_Protocol));
  SetFixedFont(kProtocolId);
  return true;
}

CArchivierungsProtokollDlg::CArchivierungsProtokollDlg(QWidget* parent) : CProtokollDlg(kTemplateId, parent) {
  Ui::ArchivierungsProtokollDlg ui;
  ui.setupUi(this);
}

CArchivierungsProtokollDlg::~CArchivierungsProtokollDlg() = default;

bool CArchivierungsProtokollDlg::OnInitDialog() {
  CProtokollDlg::OnInitDialog();
  ShowItem(kFootnoteId, m_SkippedMonth ? platform::SW_SHOW : platform::SW_HIDE);
  return true;
}

CDearchivierungsProtokollDlg::CDearchivierungsProtokollDlg(QWidget* parent) : CProtokollDlg(kTemplateId, parent) {
  Ui::DearchivierungsProtokollDlg ui;
  ui.setupUi(this);
  SetIconCommand(kArchiveCommand);
}

CDearchivierungsProtokollDlg::~CDearchivierungsProtokollDlg() = default;
