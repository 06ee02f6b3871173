#include "controls/exlistctrl.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/liststatus.h"
#include "controls/remarkpopup.h"
#include "records/versuch.h"

namespace {

using namespace liststatus;

QColor ToQColor(platform::ColorRef c) {
  return QColor(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c));
}
QRect ToQRect(const platform::Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
platform::Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// Single-line text from the left edge of the rectangle, vertically centred.
void DrawMarkText(QPainter& painter, const QRect& rect, const QString& text, const QColor& color) {
  painter.setPen(color);
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

// The bars of the record's tests, then its marks, all clipped to the cell.
void DrawStatusCell(QPainter& painter, const QRect& cell, const CVersuch& record) {
  painter.save();
  painter.setClipRect(cell, Qt::IntersectClip);
  const platform::Rect rect = ToRect(cell);
  for (const Bar& bar : StatusBars(record.GetTestStatusList(), record.IsDbMaterial(), rect)) {
    painter.fillRect(ToQRect(bar.rect), ToQColor(bar.fill));
    if (bar.inner) painter.fillRect(ToQRect(*bar.inner), ToQColor(bar.innerFill));
  }

  const RecordMarks marks = MarksOf(record);
  if (marks.noStatistics) DrawNoStatisticsMark(painter, cell.left() + kNoStatisticsOffset, rect.top, rect.bottom);
  const CheckMarkShape check = CheckMark(marks.checkMark, cell.left() + kCheckMarkOffset, rect.top, rect.bottom);
  if (!check.polygons.empty()) {
    painter.setPen(ToQColor(check.color));
    painter.setBrush(ToQColor(check.color));
    for (const auto& polygon : check.polygons) {
      QPolygon shape;
      for (const auto& p : polygon) shape << QPoint(p.x, p.y);
      painter.drawPolygon(shape);
    }
  }
  if (marks.remark) DrawRemarkMark(painter, cell.left() + kRemarkOffset, rect.top, rect.bottom);
  painter.restore();
}

bool IsKeyForReceiver(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_F12 || key == Qt::Key_ScrollLock) return true;
  return (event.modifiers() & Qt::AltModifier) && key >= Qt::Key_1 && key <= Qt::Key_9;
}

}  // namespace

void DrawNoStatisticsMark(QPainter& painter, int x, int top, int bottom) {
  // The text stays within its strike, which ends clear of the tick: where
  // the face is too wide for that room, a narrower one.
  const QString text = QString::fromLatin1(kNoStatisticsText);
  const int room = kNoStatisticsStrikeLength - 1;
  const QFont face = painter.font();
  QFont font = face;
  const int wide = QFontMetrics(font).horizontalAdvance(text);
  if (wide > room) font.setStretch(std::max(50, room * 100 / wide));
  painter.setFont(font);
  DrawMarkText(painter, QRect(x, top, room + 1, bottom - top), text, Qt::black);
  painter.setFont(face);
  const int ym = (top + bottom) / 2;
  painter.setPen(ToQColor(kStrikeColor));
  painter.drawLine(x, ym, x + kNoStatisticsStrikeLength - 1, ym);  // the end point is not drawn
}

void DrawRemarkMark(QPainter& painter, int x, int top, int bottom) {
  DrawMarkText(painter, QRect(x, top, 1 << 12, bottom - top), QString::fromStdString(RemarkMarkText()),
               ToQColor(kRemarkColor));
}

CVersuch* RecordOfIndex(const QModelIndex& index) {
  if (!index.isValid()) return nullptr;
  const QVariant value = index.data(kRecordPointerRole);
  if (!value.isValid()) return nullptr;
  return static_cast<CVersuch*>(value.value<void*>());
}

// --- JListCtrl

JListCtrl::JListCtrl(QWidget* parent) : QTableView(parent) {
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  setShowGrid(false);
  setWordWrap(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  MeasureRows();
}

JListCtrl::~JListCtrl() = default;

void JListCtrl::SetFontScale(int fontPercent, int rowPercent) {
  fontPercent_ = fontPercent;
  rowPercent_ = rowPercent;
  const QFont base = parentWidget() ? parentWidget()->font() : font();
  // As a font height: negative for the character height in pixels.
  const int height = -QFontInfo(base).pixelSize();
  scaledFontPixels_ = std::max(1, -ScaleFontHeight(fontPercent, height));
  QFont scaled = font();
  scaled.setPixelSize(scaledFontPixels_);
  setFont(scaled);
  horizontalHeader()->setFont(scaled);
  MeasureRows();
}

int JListCtrl::ProposedRowHeight() const { return QFontMetrics(font()).height() + 2; }

int JListCtrl::RowHeight() const { return verticalHeader()->defaultSectionSize(); }

void JListCtrl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) MeasureRows();
  QTableView::changeEvent(event);
}

void JListCtrl::MeasureRows() {
  // Before scaling the list keeps the height it proposes itself.
  const int percent = scaledFontPixels_ == 0 ? 100 : rowPercent_;
  verticalHeader()->setDefaultSectionSize(std::max(1, ScaleRowHeight(percent, ProposedRowHeight())));
}

// --- CExListDelegate

CExListDelegate::CExListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void CExListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const CVersuch* record = RecordOfIndex(index);
  const QRect rect = option.rect;
  const int column = index.column();
  painter->save();
  painter->setFont(option.font);
  const bool selected = option.state & QStyle::State_Selected;
  painter->fillRect(rect, ToQColor(RowFill(selected, record && record->m_selected)));

  if (column == 0 && record && MarksOf(*record).numberHighlight)
    painter->fillRect(rect.adjusted(1, 1, -1, -1), ToQColor(kNumberHighlight));
  if (column > 0) painter->fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), ToQColor(kSeparatorColor));

  if (column == kStatusColumn) {
    if (record) DrawStatusCell(*painter, rect, *record);
  } else {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
      const QRect textRect = rect.adjusted(3, 0, 0, 0);
      const bool blue = column == kMaterialNameColumn && record && record->IsDbMaterial();
      painter->setPen(blue ? ToQColor(kBallastMaterialText) : QColor(Qt::black));
      const QString shown = QFontMetrics(option.font).elidedText(text, Qt::ElideRight, textRect.width());
      painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
  }
  painter->restore();
}

QSize CExListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QFontMetrics fm(option.font);
  return QSize(fm.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 6, fm.height() + 2);
}

// --- CExListCtrl

CExListCtrl::CExListCtrl(QWidget* parent) : JListCtrl(parent) {
  setItemDelegate(new CExListDelegate(this));
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setSectionsClickable(true);
  setSortingEnabled(false);
  // Tab goes on to the next control of the window, as in a list view.
  setTabKeyNavigation(false);
  // A header click sorts (through the main view); it never selects a column.
  disconnect(horizontalHeader(), &QHeaderView::sectionPressed, this, nullptr);
  disconnect(horizontalHeader(), &QHeaderView::sectionEntered, this, nullptr);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CExListCtrl::ColumnClicked);
  popup_ = new CAnzeigeBermerkungDlg(this);
}

CExListCtrl::~CExListCtrl() = default;

void CExListCtrl::setModel(QAbstractItemModel* model) {
  if (this->model()) this->model()->disconnect(this);
  HideRemark();
  JListCtrl::setModel(model);
  ConnectSelection();
  if (model) {
    // Rows that move or vanish must not keep the popup of another record.
    connect(model, &QAbstractItemModel::modelReset, this, &CExListCtrl::HideRemark);
    connect(model, &QAbstractItemModel::layoutChanged, this, &CExListCtrl::HideRemark);
    connect(model, &QAbstractItemModel::rowsInserted, this, &CExListCtrl::HideRemark);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CExListCtrl::HideRemark);
    connect(model, &QAbstractItemModel::rowsMoved, this, &CExListCtrl::HideRemark);
  }
}

void CExListCtrl::ConnectSelection() {
  if (!selectionModel()) return;
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CExListCtrl::SelectionChanged);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &CExListCtrl::SelectionChanged);
}

CVersuch* CExListCtrl::RecordAt(int row) const {
  if (!model() || row < 0 || row >= model()->rowCount()) return nullptr;
  return RecordOfIndex(model()->index(row, 0));
}

std::vector<int> CExListCtrl::SelectedRows() const {
  std::vector<int> rows;
  if (!selectionModel()) return rows;
  for (const QItemSelectionRange& range : selectionModel()->selection())
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

int CExListCtrl::FocusedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

void CExListCtrl::RepaintRow(int row) {
  if (!model() || row < 0 || row >= model()->rowCount()) return;
  viewport()->update(QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)));
}

double CExListCtrl::DigitWidth() const {
  return QFontMetricsF(font()).horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
}

int CExListCtrl::StatusMarksWidth() const {
  const int text = QFontMetrics(font()).horizontalAdvance(QString::fromStdString(RemarkMarkText()));
  return std::max(kRemarkStripeEnd, kRemarkOffset + text) + 3;
}

void CExListCtrl::TrackRemark(const QPoint& viewportPos, const QPoint& globalPos) {
  if (!model()) return;
  if (isColumnHidden(kStatusColumn) || RowHeight() <= 0) {
    HideRemark();
    return;
  }
  const int row = rowAt(viewportPos.y());
  const int xInCell = viewportPos.x() - columnViewportPosition(kStatusColumn);
  const RemarkHover hover = RemarkHoverFor(row, model()->rowCount(), xInCell, remarkRow_);
  switch (hover.action) {
    case RemarkHover::kForget: remarkRow_ = -1; break;
    case RemarkHover::kHide: HideRemark(); break;
    case RemarkHover::kKeep: break;
    case RemarkHover::kShow: {
      const CVersuch* record = RecordAt(hover.row);
      if (!record) return;
      const RemarkTexts texts = RemarkTextsOf(*record);
      popup_->SetTexts(texts.header, texts.remark);
      popup_->MoveNearCursor(globalPos.x(), globalPos.y());
      remarkRow_ = hover.row;
      break;
    }
  }
}

void CExListCtrl::HideRemark() {
  remarkRow_ = -1;
  if (popup_) popup_->hide();
}

void CExListCtrl::mouseMoveEvent(QMouseEvent* event) {
  JListCtrl::mouseMoveEvent(event);
  TrackRemark(event->position().toPoint(), event->globalPosition().toPoint());
}

void CExListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  JListCtrl::mouseDoubleClickEvent(event);
  const int row = rowAt(event->position().toPoint().y());
  if (event->button() == Qt::LeftButton && row >= 0) emit RowDoubleClicked(row);
}

void CExListCtrl::mousePressEvent(QMouseEvent* event) {
  JListCtrl::mousePressEvent(event);
  const int row = rowAt(event->position().toPoint().y());
  if (event->button() == Qt::RightButton && row >= 0)
    emit RowRightClicked(row, event->globalPosition().toPoint());
}

QPoint CExListCtrl::RowMenuPosition(int row) {
  if (!model() || row < 0 || row >= model()->rowCount()) return viewport()->mapToGlobal(QPoint(0, 0));
  const QModelIndex current = currentIndex();
  scrollTo(model()->index(row, current.isValid() ? current.column() : 0));
  return viewport()->mapToGlobal(QPoint(RowHeight(), rowViewportPosition(row) + rowHeight(row)));
}

void CExListCtrl::keyPressEvent(QKeyEvent* event) {
  emit ListKeyDown(event->key(), event->modifiers());
  if (IsKeyForReceiver(*event)) {
    event->accept();
    return;
  }
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
    if (const int row = FocusedRow(); row >= 0) emit RowDoubleClicked(row);
    event->accept();
    return;
  }
  if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
    emit ContextMenuKey();
    event->accept();
    return;
  }
  JListCtrl::keyPressEvent(event);
}

void CExListCtrl::contextMenuEvent(QContextMenuEvent* event) {
  // The Menu key itself opens the menu (keyPressEvent); the platform's
  // context event that may come with it would open a second one.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    event->accept();
    return;
  }
  JListCtrl::contextMenuEvent(event);
}

QModelIndex CExListCtrl::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  // Home and End go to the first and the last row; the column stays.
  if ((cursorAction == MoveHome || cursorAction == MoveEnd) && model() && model()->rowCount() > 0) {
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : horizontalHeader()->logicalIndex(0);
    return model()->index(cursorAction == MoveHome ? 0 : model()->rowCount() - 1, column);
  }
  return JListCtrl::moveCursor(cursorAction, modifiers);
}

QItemSelectionModel::SelectionFlags CExListCtrl::selectionCommand(const QModelIndex& index, const QEvent* event) const {
  // Ctrl+Home and Ctrl+End select as Home and End do (Ctrl with the other
  // keys only moves the focus frame).
  if (event && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && !(key->modifiers() & Qt::ShiftModifier))
      return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  }
  return JListCtrl::selectionCommand(index, event);
}

bool CExListCtrl::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Leave:
    case QEvent::HoverLeave: HideRemark(); break;
    case QEvent::HoverMove: {
      const QPoint pos = static_cast<QHoverEvent*>(event)->position().toPoint();
      TrackRemark(pos, viewport()->mapToGlobal(pos));
      break;
    }
    default: break;
  }
  return JListCtrl::viewportEvent(event);
}

bool CExListCtrl::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Leave: HideRemark(); break;
    case QEvent::ShortcutOverride:
      // Our keys reach the list even where a shortcut of the window uses them.
      if (IsKeyForReceiver(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      break;
    default: break;
  }
  return JListCtrl::event(event);
}

void CExListCtrl::hideEvent(QHideEvent* event) {
  HideRemark();
  JListCtrl::hideEvent(event);
}

void CExListCtrl::scrollContentsBy(int dx, int dy) {
  HideRemark();
  JListCtrl::scrollContentsBy(dx, dy);
}
