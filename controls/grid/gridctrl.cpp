// The grid as a widget: painting, the scroll bars, the mouse, the keys, the
// title tip, the in-place editor, the clipboard and drag and drop.
#include "controls/grid/gridctrl.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "controls/grid/inplaceedit.h"
#include "controls/grid/titletip.h"
#include "platform/clipboard.h"
#include "platform/dialog.h"
#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

using namespace platform;

namespace {

// Size handling of all grids, one at a time.
bool g_inSize = false;

unsigned KeysOf(Qt::KeyboardModifiers modifiers) {
  unsigned keys = 0;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  return keys;
}

Point PointOf(const QPointF& p) { return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))}; }

// Inside a rectangle whose right and bottom lie outside.
bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

// ------------------------------------------------------------ CGridDropTarget

bool CGridDropTarget::Register(CGridCtrl* grid) {
  static bool registering = false;
  if (registered_ || registering || !grid) return false;
  registering = true;
  grid_ = grid;
  grid->viewport()->setAcceptDrops(true);
  grid->viewport()->installEventFilter(this);
  registered_ = true;
  registering = false;
  return true;
}

void CGridDropTarget::Revoke() {
  registered_ = false;
  if (!grid_) return;
  grid_->viewport()->removeEventFilter(this);
  grid_->viewport()->setAcceptDrops(false);
}

bool CGridDropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (!grid_ || watched != grid_->viewport()) return false;
  auto effectOf = [](unsigned effect) {
    return effect == DROPEFFECT_COPY ? Qt::CopyAction : effect == DROPEFFECT_MOVE ? Qt::MoveAction : Qt::IgnoreAction;
  };
  auto textOf = [](const QMimeData* data) -> std::optional<std::string> {
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
  };
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      const Point point = PointOf(drag->position());
      const unsigned keys = KeysOf(drag->modifiers());
      const unsigned effect = event->type() == QEvent::DragEnter
                                  ? grid_->OnDragEnter(textOf(drag->mimeData()), keys, point)
                                  : grid_->OnDragOver(textOf(drag->mimeData()), keys, point);
      if (effect == DROPEFFECT_NONE) {
        drag->ignore();
      } else {
        drag->setDropAction(effectOf(effect));
        drag->accept();
      }
      return true;
    }
    case QEvent::DragLeave: grid_->OnDragLeave(); return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const unsigned effect = drop->dropAction() == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
      if (grid_->OnDrop(textOf(drop->mimeData()), effect, PointOf(drop->position()))) drop->acceptProposedAction();
      else drop->ignore();
      return true;
    }
    default: return false;
  }
}

// ------------------------------------------------------------------ CGridCtrl

CGridCtrl::CGridCtrl(int rows, int columns, int fixedRows, int fixedColumns, QWidget* parent)
    : QAbstractScrollArea(parent), CGridModel(rows, columns, fixedRows, fixedColumns) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  titleTip_ = new CTitleTip(this);
  autoScroll_.setInterval(25);
  connect(&autoScroll_, &QTimer::timeout, this, [this] { OnTimer(); });
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { ScrollBarAction(SB_VERT, action); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { ScrollBarAction(SB_HORZ, action); });
  SetFont(FontOfQFont(font()));
}

CGridCtrl::~CGridCtrl() {
  // An open editor ends without storing: the grid is going.
  destroying_ = true;
  for (CInPlaceEdit* editor : viewport()->findChildren<CInPlaceEdit*>()) delete editor;
  delete titleTip_;
  titleTip_ = nullptr;
  DeleteAllItems();
}

CInPlaceEdit* CGridCtrl::InPlaceEdit() const {
  for (CInPlaceEdit* editor : viewport()->findChildren<CInPlaceEdit*>())
    if (editor->isVisible()) return editor;
  return nullptr;
}

Rect CGridCtrl::GetClientRect() const { return {0, 0, viewport()->width(), viewport()->height()}; }

int CGridCtrl::GetControlId() const { return ControlId(this); }

void CGridCtrl::InvalidateRect(const Rect* rect) {
  if (destroying_) return;
  if (rect) viewport()->update(QRect(rect->left, rect->top, rect->Width(), rect->Height()));
  else viewport()->update();
}

Size CGridCtrl::ScrollBarExtent() const {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return {extent, extent};
}

void CGridCtrl::ScrollBarsChanged() {
  if (destroying_) return;
  syncingBars_ = true;
  for (int bar : {SB_HORZ, SB_VERT}) {
    QScrollBar* scroll = bar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    scroll->setRange(0, GetScrollLimit(bar));
    scroll->setPageStep(std::max(1, GetScrollPage(bar)));
    scroll->setSingleStep(bar == SB_VERT ? std::max(1, defaults_[0].GetHeight()) : 20);
    scroll->setValue(GetScrollPos32(bar));
  }
  setHorizontalScrollBarPolicy(IsScrollBarShown(SB_HORZ) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(IsScrollBarShown(SB_VERT) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  syncingBars_ = false;
}

void CGridCtrl::ScrollBarAction(int bar, int action) {
  if (syncingBars_) return;
  QScrollBar* scroll = bar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
  unsigned code = SB_ENDSCROLL;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: break;
  }
  const int track = scroll->sliderPosition();
  if (bar == SB_VERT) OnVScroll(code, track);
  else OnHScroll(code, track);
  // The grid decides where the bar stands.
  syncingBars_ = true;
  scroll->setSliderPosition(GetScrollPos32(bar));
  syncingBars_ = false;
}

int CGridCtrl::SendToOwner(const GridMessage& message) { return owner_ && !destroying_ ? owner_(message) : 0; }

void CGridCtrl::PostToOwner(const GridMessage& message) {
  if (!owner_) return;
  QMetaObject::invokeMethod(
      this, [this, message] { SendToOwner(message); }, Qt::QueuedConnection);
}

void CGridCtrl::HideTitleTip() {
  if (titleTip_) titleTip_->Hide();
}

bool CGridCtrl::PutOnClipboard(const std::string& text) { return SetClipboardText(text); }

std::optional<std::string> CGridCtrl::GetClipboardText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

unsigned CGridCtrl::DoDragDrop(const std::string& text, unsigned allowedEffects) {
  auto* drag = new QDrag(viewport());
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(text));
  drag->setMimeData(data);
  Qt::DropActions actions;
  if (allowedEffects & DROPEFFECT_COPY) actions |= Qt::CopyAction;
  if (allowedEffects & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  const Qt::DropAction result = drag->exec(actions, Qt::MoveAction);
  mouseMode_ = MOUSE_NOTHING;
  return result == Qt::MoveAction ? DROPEFFECT_MOVE : result == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

CGridEditor* CGridCtrl::CreateInPlaceEdit(const Rect& rect, unsigned style, int id, int row, int col,
                                          const std::string& text, unsigned firstKey) {
  return new CInPlaceEdit(this, rect, style, id, row, col, text, firstKey);
}

// ------------------------------------------------------------ window events

void CGridCtrl::OnSize() {
  if (g_inSize || destroying_) return;
  g_inSize = true;
  dropTarget_.Register(this);
  EndEditing();
  ResetScrollBars();
  g_inSize = false;
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  OnSize();
}

void CGridCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setClipRect(event->rect());
  {
    DrawContext dc(painter);
    dc.SetMapMode(MM_TEXT);
    OnDraw(dc);
  }
  if (trackingLine_) {
    // The border being dragged: a 2-pixel line in inverted colours.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const bool column = mouseMode_ == MOUSE_SIZING_COL;
    painter.fillRect(column ? QRect(*trackingLine_, 0, 2, viewport()->height())
                            : QRect(0, *trackingLine_, viewport()->width(), 2),
                     Qt::white);
  }
}

void CGridCtrl::ShowTrackingLine(std::optional<int> at) {
  auto area = [this](int pos) {
    return mouseMode_ == MOUSE_SIZING_ROW ? QRect(0, pos, viewport()->width(), 2)
                                          : QRect(pos, 0, 2, viewport()->height());
  };
  if (trackingLine_) viewport()->update(area(*trackingLine_));
  trackingLine_ = at;
  if (trackingLine_) viewport()->update(area(*trackingLine_));
}

void CGridCtrl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) SetFont(FontOfQFont(font()));
  else if (event->type() == QEvent::PaletteChange) {
    OnSysColorChange();
    Refresh();
  }
  QAbstractScrollArea::changeEvent(event);
}

void CGridCtrl::TakeKeyState(Qt::KeyboardModifiers modifiers) { SetKeyState(KeysOf(modifiers)); }

void CGridCtrl::SetCursorShape(Qt::CursorShape shape) { viewport()->setCursor(shape); }

bool CGridCtrl::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && handleTabKey_ && !(key->modifiers() & Qt::ControlModifier)) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  TakeKeyState(event->modifiers());
  HideTitleTip();
  const unsigned key = VirtualKey(*event);
  // Alt keys, Escape and a Tab the grid does not take belong to the dialog.
  if ((event->modifiers() & Qt::AltModifier) || key == VK_ESCAPE ||
      (key == VK_TAB && (!handleTabKey_ || IsCtrlDown()))) {
    event->ignore();
    return;
  }
  event->accept();
  if (key) OnKeyDown(key, event->isAutoRepeat() ? 2 : 1, 0);
  const QString text = event->text();
  if (!text.isEmpty()) OnChar(text.toUcs4().value(0));
}

// -------------------------------------------------------------------- mouse

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
  TakeKeyState(event->modifiers());
  if (event->button() == Qt::LeftButton) OnLButtonDown(GetKeyState(), PointOf(event->position()));
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
  TakeKeyState(event->modifiers());
  const Point point = PointOf(event->position());
  // The tip captures the mouse: leaving its cell hides it.
  if (titleTip_ && titleTip_->isVisible() && !Contains(titleTip_->hoverRect(), point)) HideTitleTip();
  OnMouseMove(GetKeyState(), point);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
  TakeKeyState(event->modifiers());
  const Point point = PointOf(event->position());
  if (event->button() == Qt::LeftButton) {
    OnLButtonUp(GetKeyState(), point);
    // Releasing the capture brings a mouse move, which finds a border again.
    OnMouseMove(GetKeyState(), point);
  } else if (event->button() == Qt::RightButton) {
    OnRButtonUp(GetKeyState(), point);
  }
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  TakeKeyState(event->modifiers());
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(GetKeyState(), PointOf(event->position()));
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
  OnMouseWheel(event->angleDelta().y());
  event->accept();
}

void CGridCtrl::OnMouseWheel(int angleDelta) {
  // Fine wheels and touchpads send parts of a notch: they add up.
  wheelRemainder_ += angleDelta;
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  for (unsigned code : WheelScrollCodes(notches)) OnVScroll(code);
}

Point CGridCtrl::CellRelative(CCellID cell, Point point) const {
  Point origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return {0, 0};
  return {point.x - origin.x, point.y - origin.y};
}

bool CGridCtrl::MouseOverColumnResizeArea(Point point) const { return MouseOverResizeArea(false, point); }

bool CGridCtrl::MouseOverRowResizeArea(Point point) const { return MouseOverResizeArea(true, point); }

// Within the header rows near a column border, or within the fixed columns
// near a row border (not before the first one).
bool CGridCtrl::MouseOverResizeArea(bool rows, Point point) const {
  if ((rows ? point.x : point.y) >= FixedExtentAlong(!rows)) return false;
  const CCellID cell = GetCellFromPt(point);
  const int index = rows ? cell.row : cell.col;
  if (!IsValid(cell)) return false;
  const auto start = OriginAlong(rows, index);
  if (!start) return false;
  const int pos = rows ? point.y : point.x;
  const int end = *start + SizeAlong(rows, index);
  return (pos - *start < resizeCaptureRange_ && index != 0) || end - pos < resizeCaptureRange_;
}

void CGridCtrl::OnLButtonDown(unsigned keys, Point point) {
  SetKeyState(keys);
  setFocus(Qt::MouseFocusReason);
  leftClickDownPoint_ = point;
  leftMouseButtonDown_ = true;
  leftClickDownCell_ = GetCellFromPt(point);
  if (!IsValid(leftClickDownCell_)) return;
  if (!(keys & MK_SHIFT)) selectionStartCell_ = leftClickDownCell_;
  else if (!IsValid(selectionStartCell_)) selectionStartCell_ = idCurrentCell_;

  EndEditing();
  CGridCellBase* cell = GetCell(leftClickDownCell_.row, leftClickDownCell_.col);
  if (!cell) return;
  cell->OnClickDown(CellRelative(leftClickDownCell_, point));
  Rect rect;
  bool inText = false;
  if (GetCellRect(leftClickDownCell_.row, leftClickDownCell_.col, &rect) && cell->GetTextRect(rect))
    inText = point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;

  if (leftClickDownCell_ == idCurrentCell_ && !(keys & MK_CONTROL) && inText && IsCellEditable(leftClickDownCell_)) {
    mouseMode_ = MOUSE_PREPARE_EDIT;
    return;
  }
  if (IsCellSelected(leftClickDownCell_.row, leftClickDownCell_.col)) {
    SetFocusCell(leftClickDownCell_);
    if (keys & MK_CONTROL) {
      SelectCells(leftClickDownCell_, true, false);
      return;
    }
    if (allowDragAndDrop_) mouseMode_ = MOUSE_PREPARE_DRAG;
  } else if (mouseMode_ != MOUSE_OVER_COL_DIVIDE && mouseMode_ != MOUSE_OVER_ROW_DIVIDE) {
    if (IsCellFixed(leftClickDownCell_.row, leftClickDownCell_.col)) SetFocusCell(-1, -1);
    else SetFocusCell(leftClickDownCell_);
  }

  // The button is held: Qt gives this widget every mouse move until release.
  if (mouseMode_ == MOUSE_NOTHING) {
    if (allowColumnResize_ && MouseOverColumnResizeArea(point)) {
      SetCursorShape(Qt::SizeHorCursor);
      mouseMode_ = MOUSE_OVER_COL_DIVIDE;
    } else if (allowRowResize_ && MouseOverRowResizeArea(point)) {
      SetCursorShape(Qt::SizeVerCursor);
      mouseMode_ = MOUSE_OVER_ROW_DIVIDE;
    }
  }

  if (mouseMode_ == MOUSE_OVER_COL_DIVIDE || mouseMode_ == MOUSE_OVER_ROW_DIVIDE) {
    const bool rows = mouseMode_ == MOUSE_OVER_ROW_DIVIDE;
    mouseMode_ = rows ? MOUSE_SIZING_ROW : MOUSE_SIZING_COL;
    const Rect client = GetClientRect();
    Rect visible;
    GetVisibleNonFixedCellRange(&visible);
    int& pressed = rows ? leftClickDownCell_.row : leftClickDownCell_.col;
    const int pos = rows ? point.y : point.x;
    const int last = CountAlong(rows) - 1;
    const bool lastIsThin = SizeAlong(rows, last) < resizeCaptureRange_;
    if (lastIsThin && pos >= (rows ? visible.bottom : visible.right) - resizeCaptureRange_) pressed = last;
    auto start = OriginAlong(rows, pressed);
    if (!start) return;
    // Near its start the border meant is the one before.
    if (pos - *start < resizeCaptureRange_ && pressed > 0 && !(pressed == last && lastIsThin)) {
      --pressed;
      start = OriginAlong(rows, pressed);
      if (!start) return;
    }
    trackMin_ = *start;
    trackMax_ = *start + 1 + (rows ? client.Height() : client.Width()) - FixedExtentAlong(rows);
    ShowTrackingLine(std::clamp(pos, trackMin_, trackMax_));
  } else if (mouseMode_ != MOUSE_PREPARE_DRAG) {
    NotifyOwner(LVN_ITEMCHANGING, leftClickDownCell_);
    RememberSelection(keys & MK_CONTROL);
    if (leftClickDownCell_.row < fixedRows_) {
      OnFixedRowClick(leftClickDownCell_);
    } else if (leftClickDownCell_.col < fixedCols_) {
      OnFixedColumnClick(leftClickDownCell_);
    } else {
      mouseMode_ = MOUSE_SELECT_CELLS;
      OnSelecting(leftClickDownCell_);
      autoScroll_.start();
    }
  }
  lastMousePoint_ = point;
}

void CGridCtrl::OnMouseMove(unsigned keys, Point point) {
  SetKeyState(keys);
  cursorPoint_ = point;
  if (!Contains(GetClientRect(), point) && mouseMode_ != MOUSE_DRAGGING) return;

  if (!leftMouseButtonDown_ || mouseMode_ == MOUSE_NOTHING) {
    if (allowColumnResize_ && MouseOverColumnResizeArea(point)) {
      if (mouseMode_ != MOUSE_OVER_COL_DIVIDE) {
        SetCursorShape(Qt::SizeHorCursor);
        mouseMode_ = MOUSE_OVER_COL_DIVIDE;
      }
    } else if (allowRowResize_ && MouseOverRowResizeArea(point)) {
      if (mouseMode_ != MOUSE_OVER_ROW_DIVIDE) {
        SetCursorShape(Qt::SizeVerCursor);
        mouseMode_ = MOUSE_OVER_ROW_DIVIDE;
      }
    } else {
      if (mouseMode_ != MOUSE_NOTHING) {
        SetCursorShape(Qt::ArrowCursor);
        mouseMode_ = MOUSE_NOTHING;
      }
      const CCellID id = GetCellFromPt(point);
      if (CGridCellBase* cell = GetCell(id.row, id.col)) {
        cell->OnMouseOver();
        Rect rect;
        if (titleTips_ && !cell->GetTipText().empty() && !cell->IsEditing() && GetCellRect(id.row, id.col, &rect)) {
          Rect textRect = rect;
          if (cell->GetTipTextRect(textRect))
            titleTip_->Show(textRect, cell->GetTipText(), 0, &rect, &cell->GetFont(), titleTipText_, titleTipBack_);
        }
      }
    }
    lastMousePoint_ = point;
    return;
  }

  if (!IsValid(leftClickDownCell_)) {
    lastMousePoint_ = point;
    return;
  }
  switch (mouseMode_) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
      const CCellID cell = GetCellFromPt(point);
      if (!IsValid(cell) || cell == idCurrentCell_) break;
      OnSelecting(cell);
      if (!IsCellFixed(cell.row, cell.col) || mouseMode_ != MOUSE_SELECT_CELLS) SetFocusCell(cell);
      break;
    }
    case MOUSE_SIZING_COL: ShowTrackingLine(std::clamp(point.x, trackMin_, trackMax_)); break;
    case MOUSE_SIZING_ROW: ShowTrackingLine(std::clamp(point.y, trackMin_, trackMax_)); break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG: {
      // A drag starts once the mouse leaves the framework's drag rectangle.
      const int distance = std::abs(point.x - leftClickDownPoint_.x) + std::abs(point.y - leftClickDownPoint_.y);
      if (distance < QApplication::startDragDistance()) break;
      mouseMode_ = MOUSE_PREPARE_DRAG;
      OnBeginDrag();
      break;
    }
    default: break;
  }
  lastMousePoint_ = point;
}

void CGridCtrl::OnLButtonUp(unsigned keys, Point point) {
  SetKeyState(keys);
  leftMouseButtonDown_ = false;
  autoScroll_.stop();
  switch (mouseMode_) {
    case MOUSE_PREPARE_EDIT:
      OnEditCell(idCurrentCell_.row, idCurrentCell_.col, CellRelative(idCurrentCell_, point), VK_LBUTTON);
      break;
    case MOUSE_PREPARE_DRAG: {
      if (CGridCellBase* cell = GetCell(idCurrentCell_.row, idCurrentCell_.col))
        cell->OnClick(CellRelative(idCurrentCell_, point));
      NotifyOwner(NM_CLICK, leftClickDownCell_);
      NotifyOwner(LVN_ITEMCHANGING, leftClickDownCell_);
      ResetSelectedRange();
      NotifyOwner(LVN_ITEMCHANGED, idCurrentCell_);
      break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
      const bool column = mouseMode_ == MOUSE_SIZING_COL;
      ShowTrackingLine(std::nullopt);
      Point at = point;
      (column ? at.x : at.y) = std::clamp(column ? at.x : at.y, trackMin_, trackMax_);
      if (at != leftClickDownPoint_ && !(at.x == 0 && at.y == 0)) {
        if (const auto start = OriginAlong(!column, column ? leftClickDownCell_.col : leftClickDownCell_.row)) {
          if (column) SetColumnWidth(leftClickDownCell_.col, std::max(at.x - *start, allowColHide_ ? 0 : 1));
          else SetRowHeight(leftClickDownCell_.row, std::max(at.y - *start, allowRowHide_ ? 0 : 1));
          ResetScrollBars();
          Refresh();
        }
      }
      break;
    }
    default: {
      NotifyOwner(LVN_ITEMCHANGED, idCurrentCell_);
      if (CGridCellBase* cell = GetCell(idCurrentCell_.row, idCurrentCell_.col))
        cell->OnClick(CellRelative(idCurrentCell_, point));
      NotifyOwner(NM_CLICK, leftClickDownCell_);
      break;
    }
  }
  mouseMode_ = MOUSE_NOTHING;
  SetCursorShape(Qt::ArrowCursor);
  if (IsValid(leftClickDownCell_)) PostToOwner({WM_COMMAND, GetControlId(), 0, -1, -1, this});
}

void CGridCtrl::OnLButtonDblClk(unsigned keys, Point point) {
  SetKeyState(keys);
  const CCellID id = GetCellFromPt(point);
  if (!IsValid(id)) return;
  if (mouseMode_ == MOUSE_OVER_COL_DIVIDE || mouseMode_ == MOUSE_OVER_ROW_DIVIDE) {
    const bool rows = mouseMode_ == MOUSE_OVER_ROW_DIVIDE;
    int index = rows ? id.row : id.col;
    const auto start = OriginAlong(rows, index);
    if (start && (rows ? point.y : point.x) - *start < resizeCaptureRange_ && index > 0) {
      // The border before the cell: its left neighbour, past hidden ones.
      --index;
      while (index > 0 && SizeAlong(rows, index) == 0) --index;
    }
    if (rows) AutoSizeRow(index, true);
    else AutoSizeColumn(index, autoSizeStyle_, true);
    Refresh();
  } else if (mouseMode_ == MOUSE_NOTHING) {
    CGridCellBase* cell = GetCell(id.row, id.col);
    Rect rect;
    if (!IsCellFixed(id.row, id.col) && IsValid(leftClickDownCell_) && GetCellRect(id.row, id.col, &rect) &&
        cell->GetTextRect(rect) && point.x >= rect.left && point.x <= rect.right && point.y >= rect.top &&
        point.y <= rect.bottom)
      OnEditCell(id.row, id.col, CellRelative(id, point), VK_LBUTTON);
    cell->OnDblClick(CellRelative(id, point));
    NotifyOwner(NM_DBLCLK, id);
  }
}

void CGridCtrl::OnRButtonUp(unsigned keys, Point point) {
  SetKeyState(keys);
  EndEditing();
  const CCellID id = GetCellFromPt(point);
  if (!IsValid(id)) {
    NotifyOwner(NM_RCLICK, CCellID());
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(id.row, fixedRows_), std::max(id.col, fixedCols_));
  if (CGridCellBase* cell = GetCell(id.row, id.col)) cell->OnRClick(CellRelative(id, point));
  NotifyOwner(NM_RCLICK, id);
}

void CGridCtrl::OnTimer() {
  const Point point = cursorPoint_;
  const Rect client = GetClientRect();
  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  const int x = std::clamp(point.x, client.left, client.right);
  const int y = std::clamp(point.y, client.top, client.bottom);
  if (point.y > client.bottom) {
    OnKeyDown(VK_DOWN);
    OnSelecting(GetCellFromPt(Point{x, client.bottom}));
  } else if (point.y < fixedHeight) {
    OnKeyDown(VK_UP);
    OnSelecting(GetCellFromPt(Point{x, fixedHeight + 1}));
  }
  if (point.x > client.right) {
    OnKeyDown(VK_RIGHT);
    OnSelecting(GetCellFromPt(Point{client.right, y}));
  } else if (point.x < fixedWidth) {
    OnKeyDown(VK_LEFT);
    OnSelecting(GetCellFromPt(Point{fixedWidth + 1, y}));
  }
}
