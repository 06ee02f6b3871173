#include "evaluation/wasserbausteine/wbskatlistctrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include "controls/columnwidth.h"
#include "evaluation/wasserbausteine/wbsklassen.h"
#include "platform/sysmetrics.h"

namespace {

QColor ToQColor(platform::ColorRef c) {
  return QColor(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c));
}

// Every cell in the colour of its row, its text 3 pixels in, on one line,
// centred in height and cut with an ellipsis.
class KatRowDelegate : public QStyledItemDelegate {
 public:
  explicit KatRowDelegate(const CWBSKatListCtrl* list) : QStyledItemDelegate(const_cast<CWBSKatListCtrl*>(list)), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.row() < 0) return;
    painter->save();
    painter->fillRect(option.rect, ToQColor(list_->RowColour(index.row())));
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect textRect = option.rect.adjusted(3, 0, 0, 0);
    painter->setFont(option.font);
    painter->setPen(Qt::black);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      QFontMetrics(option.font).elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
  }

 private:
  const CWBSKatListCtrl* list_;
};

}  // namespace

platform::ColorRef WBSKatRowColour(const std::string& fulfilment) {
  if (fulfilment == WBSShownWord(WBSStoredWord(true))) return platform::RGB(128, 255, 128);
  if (fulfilment == WBSShownWord(WBSStoredWord(false))) return platform::RGB(255, 128, 128);
  return platform::GetSysColor(platform::COLOR_BTNFACE);
}

CWBSKatListCtrl::CWBSKatListCtrl(QWidget* parent) : JListCtrl(parent), model_(new QStandardItemModel(this)) {
  setModel(model_);
  setItemDelegate(new KatRowDelegate(this));
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setStretchLastSection(false);
}

CWBSKatListCtrl::~CWBSKatListCtrl() = default;

void CWBSKatListCtrl::SetColumns(const std::vector<std::pair<std::string, int>>& columns, int rows) {
  model_->clear();
  model_->setColumnCount(static_cast<int>(columns.size()));
  model_->setRowCount(rows);
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const auto& [heading, width] = columns[static_cast<size_t>(c)];
    model_->setHorizontalHeaderItem(c, new QStandardItem(QString::fromStdString(heading)));
    if (width <= 0) {
      setColumnHidden(c, true);
    } else {
      setColumnHidden(c, false);
      // Given for the Windows font: fitted to the list's and to the heading.
      setColumnWidth(c, FitColumnWidth(width, horizontalHeader()->fontMetrics(), QString::fromStdString(heading)));
    }
  }
  ClearCells();
}

std::string CWBSKatListCtrl::GetItemText(int row, int column) const {
  const QStandardItem* item = model_->item(row, column);
  return item ? item->text().toStdString() : std::string();
}

void CWBSKatListCtrl::SetItemText(int row, int column, const std::string& text) {
  if (row < 0 || row >= model_->rowCount() || column < 0 || column >= model_->columnCount()) return;
  const QString value = QString::fromStdString(text);
  QStandardItem* item = model_->item(row, column);
  if (!item) {
    item = new QStandardItem(value);
    item->setEditable(false);
    model_->setItem(row, column, item);
  } else if (item->text() != value) {
    item->setText(value);
  }
  // The colour of the whole row follows column 4.
  if (column == 4) viewport()->update();
}

void CWBSKatListCtrl::ClearCells() {
  for (int r = 0; r < model_->rowCount(); ++r)
    for (int c = 0; c < model_->columnCount(); ++c) SetItemText(r, c, "");
}

platform::ColorRef CWBSKatListCtrl::RowColour(int row) const { return WBSKatRowColour(GetItemText(row, 4)); }
