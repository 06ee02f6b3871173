#include "shell/mainview/recordlistmodel.h"

#include <algorithm>
#include <unordered_map>

#include "controls/exlistctrl.h"
#include "i18n/materialterms.h"
#include "i18n/translation.h"
#include "records/strutil.h"
#include "shell/mainview/form1view_logic.h"
#include "shell/mainview/recordsort.h"

namespace {

struct ColumnText {
  int textId;
  const char* german;
};

constexpr ColumnText kColumns[kListColumnCount] = {
    {5152, "Prüf-Nr."},   {5153, "Status"},          {5154, "Prüfart"},         {5155, "Materialart"},
    {5156, "Material Bezeichnung"}, {6444, "Vorschrift"}, {5158, "Kunde"},      {5159, "Info 1"},
    {5160, "Info 2"},     {5161, "Prüfdatum"},       {5162, "Entnahmedatum"},   {5163, "Entnahmestelle"},
    {5164, "Werk"},       {5165, "Betreiber"},       {5166, "Angelegt am"},     {5167, "letzter Zugriff"},
    {5168, "Siebung"},
};

// The columns of the material definition's shared words.
constexpr int kTestTypeColumn = 2;
constexpr int kMaterialKindColumn = 3;

// Part n of a "|"-list without copying the whole text.
QString SummaryPart(const std::string& summary, int n) {
  const std::string_view part = StrGetFieldView(summary, '|', n);
  return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
}

}  // namespace

CRecordListModel::CRecordListModel(QObject* parent) : QAbstractTableModel(parent) {
  for (int column = 0; column < kListColumnCount; ++column)
    captions_.push_back(QString::fromStdString(ColumnCaption(column)));
}

CRecordListModel::~CRecordListModel() = default;

std::string CRecordListModel::ColumnCaption(int column) {
  if (column < 0 || column >= kListColumnCount) return {};
  return TranslateString(kColumns[column].textId, kColumns[column].german);
}

int CRecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RecordCount();
}

int CRecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QVariant CRecordListModel::data(const QModelIndex& index, int role) const {
  CVersuch* record = index.isValid() ? RecordAt(index.row()) : nullptr;
  if (!record) return {};
  if (role == kRecordPointerRole) return QVariant::fromValue(static_cast<void*>(record));
  if (role != Qt::DisplayRole) return {};
  const int column = index.column();
  if (column == kListColumnCount - 1) return QString::fromStdString(SievingModeWord(record->GetSievingMode()));
  if (column == kTestTypeColumn || column == kMaterialKindColumn)
    return QString::fromStdString(MaterialTermText(std::string(StrGetFieldView(record->GetField(30), '|', column))));
  return SummaryPart(record->GetField(30), column);
}

QVariant CRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (section < 0 || section >= kListColumnCount) return {};
  return captions_[static_cast<size_t>(section)];
}

CVersuch* CRecordListModel::RecordAt(int row) const {
  if (row < 0 || row >= RecordCount()) return nullptr;
  return rows_[static_cast<size_t>(row)].get();
}

int CRecordListModel::RowOf(const CVersuch* record) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].get() == record) return static_cast<int>(i);
  return -1;
}

std::vector<const CVersuch*> CRecordListModel::Records() const {
  std::vector<const CVersuch*> records;
  records.reserve(rows_.size());
  for (const auto& row : rows_) records.push_back(row.get());
  return records;
}

int CRecordListModel::InsertRecord(int index, std::unique_ptr<CVersuch> record) {
  if (!record) return -1;
  const int row = std::clamp(index, 0, RecordCount());
  beginInsertRows({}, row, row);
  rows_.insert(rows_.begin() + row, std::move(record));
  endInsertRows();
  return row;
}

void CRecordListModel::InsertRecordsAtTop(RecordList records) {
  std::erase(records, nullptr);
  if (records.empty()) return;
  const int count = static_cast<int>(records.size());
  beginInsertRows({}, 0, count - 1);
  // Inserting each at the top leaves the last one first.
  std::reverse(records.begin(), records.end());
  rows_.insert(rows_.begin(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
  endInsertRows();
}

void CRecordListModel::AppendRecords(RecordList records) {
  std::erase(records, nullptr);
  if (records.empty()) return;
  const int first = RecordCount();
  beginInsertRows({}, first, first + static_cast<int>(records.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
  endInsertRows();
}

std::unique_ptr<CVersuch> CRecordListModel::TakeRecord(int row) {
  if (row < 0 || row >= RecordCount()) return nullptr;
  beginRemoveRows({}, row, row);
  std::unique_ptr<CVersuch> record = std::move(rows_[static_cast<size_t>(row)]);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
  return record;
}

RecordList CRecordListModel::TakeRecords(int first, int count) {
  first = std::max(first, 0);
  count = std::min(count, RecordCount() - first);
  RecordList records;
  if (count <= 0) return records;
  beginRemoveRows({}, first, first + count - 1);
  const auto from = rows_.begin() + first;
  records.assign(std::make_move_iterator(from), std::make_move_iterator(from + count));
  rows_.erase(from, from + count);
  endRemoveRows();
  return records;
}

RecordList CRecordListModel::TakeScatteredRecords(const std::vector<int>& rows) {
  RecordList records;
  if (rows.empty()) return records;
  records.reserve(rows.size());
  beginResetModel();
  size_t next = 0;
  size_t kept = 0;
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (next < rows.size() && rows[next] == static_cast<int>(row)) {
      records.push_back(std::move(rows_[row]));
      ++next;
    } else {
      rows_[kept++] = std::move(rows_[row]);
    }
  }
  rows_.resize(kept);
  endResetModel();
  return records;
}

void CRecordListModel::Clear() {
  if (rows_.empty()) return;
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void CRecordListModel::RefreshRow(int row) { RefreshRows(row, row); }

void CRecordListModel::RefreshRows(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, RecordCount() - 1);
  if (first > last) return;
  emit dataChanged(index(first, 0), index(last, kListColumnCount - 1));
}

void CRecordListModel::Sort(int kind, int parameter) {
  ReorderRows([kind, parameter](const std::vector<const CVersuch*>& records) { return SortOrder(records, kind, parameter); });
}

void CRecordListModel::Reorder(const std::function<void(std::vector<CVersuch*>&)>& order) {
  ReorderRows([&order](const std::vector<const CVersuch*>& records) {
    std::unordered_map<const CVersuch*, size_t> oldRow;
    oldRow.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) oldRow.emplace(records[i], i);
    std::vector<CVersuch*> reordered;
    reordered.reserve(records.size());
    for (const CVersuch* record : records) reordered.push_back(const_cast<CVersuch*>(record));
    order(reordered);
    std::vector<size_t> sequence;
    sequence.reserve(reordered.size());
    for (const CVersuch* record : reordered) {
      const auto it = oldRow.find(record);
      if (it == oldRow.end()) return std::vector<size_t>{};  // not one of the rows
      sequence.push_back(it->second);
    }
    return sequence;
  });
}

void CRecordListModel::ReorderRows(const RowOrder& order) {
  if (rows_.size() < 2) return;
  const std::vector<size_t> sequence = order(Records());
  if (sequence.size() != rows_.size()) return;
  std::vector<int> newRow(rows_.size(), -1);
  for (size_t i = 0; i < sequence.size(); ++i) {
    const size_t old = sequence[i];
    if (old >= rows_.size() || newRow[old] != -1) return;  // not a permutation
    newRow[old] = static_cast<int>(i);
  }

  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<std::unique_ptr<CVersuch>> sorted(rows_.size());
  for (size_t i = 0; i < sequence.size(); ++i) sorted[i] = std::move(rows_[sequence[i]]);
  rows_ = std::move(sorted);

  // Selection and focus are states of the rows: they move with the records.
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before)
    after.push_back(index(newRow[static_cast<size_t>(old.row())], old.column()));
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
