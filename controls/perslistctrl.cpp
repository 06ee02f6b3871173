#include "controls/perslistctrl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

#include "controls/columnwidth.h"
#include "records/strutil.h"

namespace {

ColumnWidthProfile& Profile() {
  static ColumnWidthProfile profile;
  return profile;
}

constexpr int kDataRole = Qt::UserRole + 7;

}  // namespace

void SetColumnWidthProfile(ColumnWidthProfile profile) { Profile() = std::move(profile); }

std::vector<int> ParseColumnWidthText(const std::string& text) {
  std::vector<int> widths;
  for (int i = 0;; ++i) {
    const std::string part = StrGetField(text, ';', i);
    if (part.empty()) break;
    widths.push_back(PlainAtoi(part));
  }
  return widths;
}

std::string FormatColumnWidthText(const std::vector<int>& widths) {
  std::string text;
  for (int width : widths) text += std::to_string(width) + ";";
  return text;
}

CPersListCtrl::CPersListCtrl(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setColumnCount(0);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // A width of 0 hides a column, as the stored texts use it.
  header()->setMinimumSectionSize(0);
}

CPersListCtrl::~CPersListCtrl() { SaveColumnWidths(); }

void CPersListCtrl::RestoreColumnWidths(const std::string& section, const std::string& key,
                                        const std::string& defaultText) {
  section_ = section;
  key_ = key;
  // No stored text can hold this byte: it tells a missing key.
  const std::string absent(1, '\x01');
  const std::string stored = Profile().read ? Profile().read(section, key, absent) : absent;
  // The widths the user left stay as they are; the defaults are given for
  // the Windows font and widened where this one would cut a heading.
  const bool fit = stored == absent;
  const std::vector<int> widths = ParseColumnWidthText(fit ? defaultText : stored);
  const QFontMetrics metrics(header()->font());
  for (size_t i = 0; i < widths.size() && static_cast<int>(i) < columnCount(); ++i) {
    const int column = static_cast<int>(i);
    SetColumnWidth(column, fit ? FitColumnWidth(widths[i], metrics, headerItem()->text(column)) : widths[i]);
  }
}

void CPersListCtrl::SaveColumnWidths() {
  if (section_.empty() || key_.empty() || !Profile().write) return;
  std::vector<int> widths;
  for (int i = 0; i < header()->count(); ++i) widths.push_back(GetColumnWidth(i));
  Profile().write(section_, key_, FormatColumnWidthText(widths));
}

void CPersListCtrl::InsertColumn(int column, const std::string& heading, int width) {
  column = std::clamp(column, 0, columnCount());
  QTreeWidgetItem* head = headerItem();
  const int count = columnCount();
  setColumnCount(count + 1);
  // Shift the headings right of the new column.
  for (int c = count; c > column; --c) head->setText(c, head->text(c - 1));
  head->setText(column, QString::fromStdString(heading));
  for (int row = 0; row < topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = topLevelItem(row);
    for (int c = count; c > column; --c) item->setText(c, item->text(c - 1));
    item->setText(column, QString());
  }
  if (width >= 0) SetColumnWidth(column, width);
}

int CPersListCtrl::GetColumnWidth(int column) const {
  return header()->isSectionHidden(column) ? 0 : header()->sectionSize(column);
}

void CPersListCtrl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= columnCount()) return;
  width = std::max(0, width);
  header()->setSectionHidden(column, width == 0);
  if (width > 0) header()->resizeSection(column, width);
}

int CPersListCtrl::InsertItem(int index, const std::string& text) {
  index = std::clamp(index, 0, topLevelItemCount());
  auto* item = new QTreeWidgetItem;
  item->setText(0, QString::fromStdString(text));
  insertTopLevelItem(index, item);
  return index;
}

void CPersListCtrl::SetItemText(int row, int column, const std::string& text) {
  if (QTreeWidgetItem* item = topLevelItem(row)) item->setText(column, QString::fromStdString(text));
}

std::string CPersListCtrl::GetItemText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(column).toStdString() : std::string();
}

void CPersListCtrl::SetItemData(int row, quintptr data) {
  if (QTreeWidgetItem* item = topLevelItem(row)) item->setData(0, kDataRole, QVariant::fromValue(data));
}

quintptr CPersListCtrl::GetItemData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kDataRole).value<quintptr>() : 0;
}

void CPersListCtrl::DeleteItem(int row) { delete takeTopLevelItem(row); }

std::vector<int> CPersListCtrl::SelectedRows() const {
  std::vector<int> rows;
  for (QTreeWidgetItem* item : selectedItems()) rows.push_back(indexOfTopLevelItem(item));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CPersListCtrl::SelectOnly(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  clearSelection();
  setCurrentItem(item);
  item->setSelected(true);
  scrollToItem(item);
}

void CPersListCtrl::SortRows(const std::function<bool(quintptr a, quintptr b)>& less) {
  struct Row {
    QTreeWidgetItem* item;
    quintptr data;
    bool selected;
  };
  QTreeWidgetItem* current = currentItem();
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(topLevelItemCount()));
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = topLevelItem(i);
    rows.push_back({item, item->data(0, kDataRole).value<quintptr>(), item->isSelected()});
  }
  std::stable_sort(rows.begin(), rows.end(), [&less](const Row& a, const Row& b) { return less(a.data, b.data); });
  const bool signalsWereBlocked = blockSignals(true);
  setUpdatesEnabled(false);
  while (topLevelItemCount() > 0) takeTopLevelItem(0);
  QList<QTreeWidgetItem*> items;
  for (const Row& row : rows) items.append(row.item);
  addTopLevelItems(items);
  for (const Row& row : rows) row.item->setSelected(row.selected);
  if (current) setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
  setUpdatesEnabled(true);
  blockSignals(signalsWereBlocked);
}
