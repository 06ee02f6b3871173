#include "shell/start/werkauswahldlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/messagebox.h"
#include "platform/uiseam.h"

namespace {

constexpr int kListId = 101;
constexpr int kUpId = 1482;
constexpr int kDownId = 1483;
constexpr int kOwnOrderId = 1484;
constexpr int kFolderColumn = 4;
constexpr int kButtonWidth = 20;
constexpr int kColumnWidths[] = {0, 200, 180, 120, 300};
constexpr int kListMinimumWidth = 820;
std::string NoFolderHint() { return TranslateString(66023, " <-- bitte Datenpfad wählen"); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The folder cell: its "..." button (a widget of its own) at the left, the
// folder after it (or the red hint when there is none).
class FolderCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem rest(option);
    rest.rect.setLeft(option.rect.left() + kButtonWidth + 5);
    QStyledItemDelegate::paint(painter, rest, index);
  }
};

// The "..." button of a folder cell, drawn as the list draws it: a grey face
// with light and dark edges. It is a Tab stop; Enter and Space press it.
class FolderButton : public QPushButton {
 public:
  explicit FolderButton(QWidget* parent = nullptr) : QPushButton(QStringLiteral("..."), parent) {
    setAutoDefault(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, isDown() ? QColor(170, 170, 170) : QColor(191, 191, 191));
    painter.setPen(QColor(239, 239, 239));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(QColor(31, 31, 31));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.setPen(Qt::black);
    painter.drawText(r, Qt::AlignCenter, text());
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
      painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      painter.drawRect(r.adjusted(1, 1, -2, -2));
    }
  }
};

}  // namespace

CWerkauswahlDlg::CWerkauswahlDlg(PlantSelection& selection, QWidget* parent)
    : CpvDialog(538, parent), selection_(selection) {
  setWindowTitle(QStringLiteral("Werkauswahl"));
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  platform::SetControlId(list_, kListId);
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({QString(), Q(TranslateString(66019, "Werk (Nr.)")), Q(TranslateString(66020, "Betreiber (Nr.)")),
                          Q(TranslateString(66021, "letzter Aufruf")), Q(TranslateString(66022, "Datenpfad"))});
  for (int c = 0; c < 5; ++c) list_->setColumnWidth(c, kColumnWidths[c]);
  list_->setColumnHidden(0, true);
  list_->header()->setSectionsClickable(true);
  list_->header()->setSortIndicatorShown(false);
  list_->setItemDelegateForColumn(kFolderColumn, new FolderCellDelegate(list_));
  list_->setMinimumWidth(kListMinimumWidth);
  layout->addWidget(list_);

  auto* buttons = new QHBoxLayout;
  auto button = [&](int id, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    platform::SetControlId(b, id);
    buttons->addWidget(b);
    return b;
  };
  auto* up = button(kUpId, "rauf");
  auto* down = button(kDownId, "runter");
  auto* own = button(kOwnOrderId, "eigene Sortierung");
  buttons->addStretch();
  button(platform::IDOK, TranslateString(66018, "Gewähltes Werk öffnen").c_str());
  button(platform::IDCANCEL, "Abbrechen");
  layout->addLayout(buttons);

  connect(up, &QPushButton::clicked, this, [this] { OnBnClickedUp(); });
  connect(down, &QPushButton::clicked, this, [this] { OnBnClickedDown(); });
  connect(own, &QPushButton::clicked, this, [this] { OnBnClickedOwnOrder(); });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { OnItemChanged(); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) { OnOK(); });
  connect(list_->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { OnColumnClickPlantList(column); });
  list_->installEventFilter(this);
}

bool CWerkauswahlDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ || event->type() != QEvent::KeyPress) return CpvDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    OnOK();
    return true;
  }
  // As in a list view: the keys move the selection with the focus, and the
  // first one selects the row that has only the focus frame.
  const int count = list_->topLevelItemCount();
  const int current = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
  const int rowHeight = std::max(1, list_->visualItemRect(list_->topLevelItem(0)).height());
  const int page = std::max(1, list_->viewport()->height() / rowHeight - 1);
  int target = -2;
  switch (key) {
    case Qt::Key_Up: target = current - 1; break;
    case Qt::Key_Down: target = current + 1; break;
    case Qt::Key_PageUp: target = current - page; break;
    case Qt::Key_PageDown: target = current + page; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    default: return CpvDialog::eventFilter(watched, event);
  }
  if (count == 0) return true;
  if (current >= 0 && SelectedRow() < 0 && key != Qt::Key_Home && key != Qt::Key_End) target = current;
  SelectRow(std::clamp(target, 0, count - 1));
  list_->scrollToItem(list_->currentItem());
  return true;
}

CWerkauswahlDlg::~CWerkauswahlDlg() = default;

bool CWerkauswahlDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  EnableItem(platform::IDOK, false);
  EnableItem(kOwnOrderId, !selection_.OwnOrder());
  EnableItem(kUpId, selection_.OwnOrder());
  EnableItem(kDownId, selection_.OwnOrder());
  // The first plant is chosen, so that Enter opens it at once.
  Refill(0);
  FitColumns();
  return true;
}

void CWerkauswahlDlg::Refill(int selectRow) {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const WERKDATEN& plant : selection_.Rows()) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, Q(plant.plantKey));
    item->setText(1, Q(plant.plantName + " (" + plant.plantNumber + ")"));
    item->setText(2, Q(plant.operatorName + " (" + plant.operatorNumber + ")"));
    item->setText(3, Q(FormatLastLaunch(plant.lastLaunch)));
    if (plant.dataFolder.empty()) {
      item->setText(kFolderColumn, Q(NoFolderHint()));
      item->setForeground(kFolderColumn, QColor(255, 0, 0));
    } else {
      item->setText(kFolderColumn, Q(plant.dataFolder));
    }
  }
  if (selectRow >= 0 && selectRow < list_->topLevelItemCount()) {
    list_->setCurrentItem(list_->topLevelItem(selectRow));
    list_->topLevelItem(selectRow)->setSelected(true);
  }
  // Tab goes from the list through the rows' "..." buttons to the buttons below.
  QWidget* previous = list_;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    auto* folder = new FolderButton;
    folder->setFixedSize(kButtonWidth, list_->fontMetrics().height() + 4);
    connect(folder, &QPushButton::clicked, this, [this, item] {
      const int clicked = list_->indexOfTopLevelItem(item);
      SelectRow(clicked);
      OnFolderButton(clicked);
      // The rows are new: the keyboard stays on the row's button.
      if (QWidget* again = list_->itemWidget(list_->topLevelItem(clicked), kFolderColumn)) again->setFocus();
    });
    list_->setItemWidget(item, kFolderColumn, folder);
    setTabOrder(previous, folder);
    previous = folder;
  }
  setTabOrder(previous, GetDlgItem(kUpId));
  OnItemChanged();
}

void CWerkauswahlDlg::FitColumns() {
  // Names and numbers are shown whole; the folder column takes the rest.
  int width = 0;
  for (int column = 1; column < kFolderColumn; ++column) {
    list_->resizeColumnToContents(column);
    list_->setColumnWidth(column, std::max(kColumnWidths[column], list_->columnWidth(column) + 12));
    width += list_->columnWidth(column);
  }
  const int frame = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
  list_->setMinimumWidth(std::max(kListMinimumWidth, width + kColumnWidths[kFolderColumn] + frame));
}

std::string CWerkauswahlDlg::SelectedKey() const {
  const int row = SelectedRow();
  return row < 0 ? std::string() : selection_.Rows()[static_cast<size_t>(row)].plantKey;
}

void CWerkauswahlDlg::RefillKeepingSelection(const std::string& selectedKey) {
  int row = -1;
  for (size_t i = 0; i < selection_.Rows().size(); ++i)
    if (!selectedKey.empty() && selection_.Rows()[i].plantKey == selectedKey) row = static_cast<int>(i);
  Refill(row);
}

int CWerkauswahlDlg::SelectedRow() const {
  const auto items = list_->selectedItems();
  return items.isEmpty() ? -1 : list_->indexOfTopLevelItem(items.front());
}

void CWerkauswahlDlg::SelectRow(int row) {
  list_->clearSelection();
  if (row >= 0 && row < list_->topLevelItemCount()) {
    list_->setCurrentItem(list_->topLevelItem(row));
    list_->topLevelItem(row)->setSelected(true);
  }
}

void CWerkauswahlDlg::OnItemChanged() { EnableItem(platform::IDOK, selection_.CanOpen(SelectedRow())); }

void CWerkauswahlDlg::OnBnClickedUp() {
  const int row = SelectedRow();
  if (row <= 0) return;
  selection_.SwapRows(row - 1, row);
  Refill(row - 1);
}

void CWerkauswahlDlg::OnBnClickedDown() {
  const int row = SelectedRow();
  if (row < 0 || row + 1 >= static_cast<int>(selection_.Rows().size())) return;
  selection_.SwapRows(row, row + 1);
  Refill(row + 1);
}

void CWerkauswahlDlg::OnBnClickedOwnOrder() {
  const std::string selected = SelectedKey();
  selection_.RestoreOwnOrder();
  EnableItem(kOwnOrderId, false);
  EnableItem(kUpId, true);
  EnableItem(kDownId, true);
  RefillKeepingSelection(selected);
}

void CWerkauswahlDlg::OnColumnClickPlantList(int column) {
  const std::string selected = SelectedKey();
  selection_.SortByColumn(column);
  EnableItem(kOwnOrderId, true);
  EnableItem(kUpId, false);
  EnableItem(kDownId, false);
  RefillKeepingSelection(selected);
}

void CWerkauswahlDlg::OnFolderButton(int row) {
  if (row < 0 || row >= static_cast<int>(selection_.Rows().size())) return;
  const std::string current = selection_.Rows()[row].dataFolder;
  const auto chosen = platform::ChooseFolder(
      {.title = TranslateString(66024, "Bitte Datenverzeichnis auswählen:"),
       .start = current.empty() ? selection_.LastChosenFolder() : current});
  if (!chosen) return;
  const std::string folder = chosen->string();
  switch (selection_.SetDataFolder(row, folder)) {
    case PlantSelection::FolderResult::UsedByOther:
      platform::ShowMessageBox(TranslateString(66025, "Der Pfad ...") + "\n" + folder + "\n" +
                                   TranslateString(66026, "... wird bereits von einem anderen Werk genutzt.\nBitte "
                                                          "wählen Sie einen anderen Pfad aus!"),
                               platform::MB_OK | platform::MB_ICONSTOP);
      break;
    case PlantSelection::FolderResult::WriteFailed:
      platform::ShowMessageBox(TranslateString(7303, "Die Datei kann nicht geschrieben werden:") + "\n" +
                                   selection_.PlantFolderFile(selection_.Rows()[row].plantKey).string(),
                               platform::MB_OK | platform::MB_ICONSTOP);
      break;
    case PlantSelection::FolderResult::Changed:
    case PlantSelection::FolderResult::Unchanged:
      break;
  }
  Refill(row);
}

void CWerkauswahlDlg::OnOK() {
  const int row = SelectedRow();
  if (!selection_.CanOpen(row)) return;
  const std::string now = platform::FormatLocalTime("%Y%m%d%H%M");
  switch (selection_.Open(row, now)) {
    case PlantSelection::OpenResult::Opened:
      opened_ = row;
      CpvDialog::OnOK();
      return;
    case PlantSelection::OpenResult::WriteFailed:
      platform::ShowMessageBox(TranslateString(7304, "Das Werk kann nicht geöffnet werden. Die Datei") + "\n" +
                                   selection_.DataFolderFile().string() + "\n" +
                                   TranslateString(7305, "oder die Datenpfad-Datei des Werks kann nicht "
                                                         "geschrieben werden."),
                               platform::MB_OK | platform::MB_ICONSTOP);
      return;
    case PlantSelection::OpenResult::NotOpenable:
      return;
  }
}
