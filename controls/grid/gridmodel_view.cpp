// Scrolling, painting, the focus cell and the selection of the grid.
#include <algorithm>

#include "controls/grid/gridmodel.h"
#include "platform/drawcontext.h"

using platform::DrawContext;
using platform::Point;
using platform::Rect;

// ---------------------------------------------------------------- scrolling

int CGridModel::GetScrollPos32(int bar) const { return bar == SB_VERT ? vscrollPos_ : hscrollPos_; }

int CGridModel::GetScrollLimit(int bar) const {
  const int max = GetScrollMax(bar);
  return std::max(0, max - std::max(GetScrollPage(bar), 1) + 1);
}

bool CGridModel::SetScrollPos32(int bar, int pos) {
  // As a scroll bar does: the position stays within the range less the page.
  pos = std::clamp(pos, 0, GetScrollLimit(bar));
  (bar == SB_VERT ? vscrollPos_ : hscrollPos_) = pos;
  ForgetTopLeft();
  ScrollBarsChanged();
  return true;
}

bool CGridModel::ScrollBy(int bar, int newPos) {
  const int before = GetScrollPos32(bar);
  SetScrollPos32(bar, newPos);
  return GetScrollPos32(bar) != before;
}

void CGridModel::EnableScrollBars(int bar, bool enable) {
  const int bits = bar == SB_BOTH ? 3 : (bar == SB_VERT ? 2 : 1);
  const int before = barState_;
  barState_ = enable ? (barState_ | bits) : (barState_ & ~bits);
  if (barState_ != before) ScrollBarsChanged();
}

void CGridModel::OnVScroll(unsigned code, int trackPos) { OnScroll(SB_VERT, code, trackPos); }

void CGridModel::OnHScroll(unsigned code, int trackPos) { OnScroll(SB_HORZ, code, trackPos); }

// Rows with SB_VERT, columns with SB_HORZ; the line and page codes of both
// bars have the same values.
void CGridModel::OnScroll(int bar, unsigned code, int trackPos) {
  EndEditing();
  HideTitleTip();
  const bool rows = bar == SB_VERT;
  const int pos = GetScrollPos32(bar);
  const int max = GetScrollMax(bar);
  const Rect client = GetClientRect();
  const int fixed = FixedExtentAlong(rows);
  const int page = (rows ? client.Height() : client.Width()) - fixed;
  // What scrolls: the client area below the header rows or right of the fixed columns.
  Rect moving = client;
  (rows ? moving.top : moving.left) = fixed;
  const CCellID topLeft = GetTopLeftNonFixedCell();
  const int first = rows ? topLeft.row : topLeft.col;
  const int count = CountAlong(rows), fixedCount = FixedAlong(rows);
  switch (code) {
    case SB_LINEDOWN:
      if (pos < max) {
        int i = first;
        while (i < count - 1 && SizeAlong(rows, i) <= 0) ++i;
        if (ScrollBy(bar, pos + std::max(SizeAlong(rows, i), 0))) InvalidateRect(&moving);
      }
      break;
    case SB_LINEUP:
      if (pos >= 1 && first > fixedCount) {
        int i = first - 1;
        while (i > fixedCount && SizeAlong(rows, i) <= 0) --i;
        SetScrollPos32(bar, std::max(0, pos - SizeAlong(rows, i)));
        InvalidateRect(&moving);
      }
      break;
    case SB_PAGEUP:
      if (pos >= 1) {
        SetScrollPos32(bar, std::max(0, pos - page));
        InvalidateRect(&moving);
      }
      break;
    case SB_PAGEDOWN:
      if (pos < max) {
        SetScrollPos32(bar, std::min(max, pos + page));
        InvalidateRect(&moving);
      }
      break;
    case SB_TOP:
      if (pos >= 1) {
        SetScrollPos32(bar, 0);
        InvalidateRect(nullptr);
      }
      break;
    case SB_BOTTOM:
      if (pos < max) {
        SetScrollPos32(bar, max);
        InvalidateRect(nullptr);
      }
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      SetScrollPos32(bar, trackPos);
      if (GetTopLeftNonFixedCell() != topLeft) InvalidateRect(&moving);
      break;
    default: break;
  }
}

void CGridModel::EnsureVisible(int row, int col) {
  if (!allowDraw_) return;
  const CCellRange visible = GetVisibleNonFixedCellRange();
  for (int c = visible.maxCol + 1; c <= col; ++c)
    if (GetColumnWidth(c) > 0) OnHScroll(SB_LINERIGHT);
  for (int c = visible.minCol - 1; c >= col; --c)
    if (GetColumnWidth(c) > 0) OnHScroll(SB_LINELEFT);
  for (int r = visible.maxRow + 1; r <= row; ++r)
    if (GetRowHeight(r) > 0) OnVScroll(SB_LINEDOWN);
  for (int r = visible.minRow - 1; r >= row; --r)
    if (GetRowHeight(r) > 0) OnVScroll(SB_LINEUP);
  // A cell partly outside: on until it is inside, or the bar cannot move.
  Rect rect;
  if (!GetCellRect(row, col, &rect)) return;
  const Rect client = GetClientRect();
  while (rect.right > client.right && rect.left > GetFixedColumnWidth() && IsScrollBarShown(SB_HORZ)) {
    const int before = GetScrollPos32(SB_HORZ);
    OnHScroll(SB_LINERIGHT);
    if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(row, col, &rect)) break;
  }
  while (rect.bottom > client.bottom && rect.top > GetFixedRowHeight() && IsScrollBarShown(SB_VERT)) {
    const int before = GetScrollPos32(SB_VERT);
    OnVScroll(SB_LINEDOWN);
    if (GetScrollPos32(SB_VERT) == before || !GetCellRect(row, col, &rect)) break;
  }
}

std::vector<unsigned> CGridModel::WheelScrollCodes(int notches) const {
  std::vector<unsigned> codes;
  if (rowsPerWheelNotch_ == -1) {
    codes.assign(static_cast<size_t>(std::abs(notches)), notches > 0 ? SB_PAGEUP : SB_PAGEDOWN);
  } else {
    const int lines = rowsPerWheelNotch_ * notches;
    codes.assign(static_cast<size_t>(std::abs(lines)), lines > 0 ? SB_LINEUP : SB_LINEDOWN);
  }
  return codes;
}

// ----------------------------------------------------------------- painting

void CGridModel::EraseBkgnd(DrawContext& dc) {
  Rect clip;
  if (dc.GetClipBox(&clip) == platform::REGION_ERROR) return;
  const int w = GetFixedColumnWidth();
  const int h = GetFixedRowHeight();
  Rect v;
  GetVisibleNonFixedCellRange(&v);
  auto back = [this](bool fixedRow, bool fixedCol) { return GetDefaultCell(fixedRow, fixedCol)->GetBackClr(); };
  if (clip.left < w && clip.top < h) dc.FillSolidRect(Rect{clip.left, clip.top, w, h}, back(true, true));
  if (clip.left < w && clip.top < v.bottom) dc.FillSolidRect(Rect{clip.left, clip.top, w, v.bottom}, back(false, true));
  if (clip.top < h && clip.right > w && clip.left < v.right)
    dc.FillSolidRect(Rect{w - 1, clip.top, v.right, h}, back(true, false));
  Rect cells{std::max(std::max(v.left, clip.left), w), std::max(std::max(v.top, clip.top), h),
             std::min(v.right, clip.right), std::min(v.bottom, clip.bottom)};
  if (cells.Width() > 0 && cells.Height() > 0) dc.FillSolidRect(cells, back(false, false));
  if (v.right < clip.right) dc.FillSolidRect(Rect{v.right, clip.top, clip.right, clip.bottom}, gridBkColour_);
  if (v.bottom < clip.bottom && clip.left < v.right)
    dc.FillSolidRect(Rect{clip.left, v.bottom, v.right, clip.bottom}, gridBkColour_);
}

void CGridModel::OnDraw(DrawContext& dc) {
  using namespace platform;
  if (!allowDraw_) return;
  Rect clip;
  if (dc.GetClipBox(&clip) == REGION_ERROR) return;
  EraseBkgnd(dc);
  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  Rect visibleRect;
  const CCellRange visible = GetVisibleNonFixedCellRange(&visibleRect);

  auto drawCell = [&](int row, int col, const Rect& rect) {
    if (CGridCellBase* cell = GetCell(row, col)) {
      cell->SetCoords(row, col);
      cell->Draw(dc, row, col, rect, false);
    }
  };
  // One pass over rows and columns, each cut at the clip box when asked.
  auto pass = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left, bool cut) {
    Rect rect;
    rect.bottom = top - 1;
    for (int row = firstRow; row <= lastRow; ++row) {
      const int height = GetRowHeight(row);
      if (height <= 0) continue;
      rect.top = rect.bottom + 1;
      rect.bottom = rect.top + height - 1;
      if (cut && rect.top > clip.bottom) break;
      if (cut && rect.bottom < clip.top) continue;
      rect.right = left - 1;
      for (int col = firstCol; col <= lastCol; ++col) {
        const int width = GetColumnWidth(col);
        if (width <= 0) continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + width - 1;
        if (cut && rect.left > clip.right) break;
        if (cut && rect.right < clip.left) continue;
        drawCell(row, col, rect);
      }
    }
  };
  pass(0, fixedRows_ - 1, 0, 0, fixedCols_ - 1, 0, false);
  if (visible.IsValid()) {
    pass(visible.minRow, visible.maxRow, fixedHeight, 0, fixedCols_ - 1, 0, true);
    pass(0, fixedRows_ - 1, 0, visible.minCol, visible.maxCol, fixedWidth, true);
    pass(visible.minRow, visible.maxRow, fixedHeight, visible.minCol, visible.maxCol, fixedWidth, true);

    DrawStateGuard guard(dc, kStatePen);
    dc.SelectPen(Pen{PS_SOLID, 1, gridLineColour_});
    int x = fixedWidth;
    for (int col = visible.minCol; col <= visible.maxCol; ++col) {
      const int width = GetColumnWidth(col);
      if (width <= 0) continue;
      x += width;
      dc.MoveTo(x - 1, fixedHeight);
      dc.LineTo(x - 1, visibleRect.bottom);
    }
    int y = fixedHeight;
    for (int row = visible.minRow; row <= visible.maxRow; ++row) {
      const int height = GetRowHeight(row);
      if (height <= 0) continue;
      y += height;
      dc.MoveTo(fixedWidth, y - 1);
      dc.LineTo(visibleRect.right, y - 1);
    }
  }
}

bool CGridModel::RedrawCell(int row, int col, DrawContext* dc) {
  if (!allowDraw_ || !IsCellVisible(row, col)) return false;
  Rect rect;
  if (!GetCellRect(row, col, &rect)) return false;
  if (!dc) {
    Rect area{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    InvalidateRect(&area);
    return true;
  }
  CGridCellBase* cell = GetCell(row, col);
  cell->SetCoords(row, col);
  const bool result = cell->Draw(*dc, row, col, rect, true);
  if (!IsCellFixed(row, col)) {
    platform::DrawStateGuard guard(*dc, platform::kStatePen);
    dc->SelectPen(platform::Pen{platform::PS_SOLID, 1, gridLineColour_});
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.right + 1, rect.bottom);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.right, rect.bottom + 1);
  }
  return result;
}

// ---------------------------------------------------- focus and selection

CCellID CGridModel::SetFocusCell(int row, int col) {
  const CCellID previous = idCurrentCell_;
  if (row == previous.row && col == previous.col) return previous;
  if (row != -1 && row < fixedRows_) row = fixedRows_;
  if (col != -1 && col < fixedCols_) col = fixedCols_;
  idCurrentCell_ = CCellID(row, col);
  auto redrawHeaders = [this](int oldRow, int oldCol, int newRow, int newCol, int atRow, int atCol) {
    if (!trackFocusCell_) return;
    if (oldCol != newCol)
      for (int r = 0; r < fixedRows_; ++r) RedrawCell(r, atCol);
    if (oldRow != newRow)
      for (int c = 0; c < fixedCols_; ++c) RedrawCell(atRow, c);
  };
  if (IsValid(previous)) {
    SetItemState(previous.row, previous.col, GetItemState(previous.row, previous.col) & ~GVIS_FOCUSED);
    RedrawCell(previous);
    redrawHeaders(previous.row, previous.col, row, col, previous.row, previous.col);
  }
  if (IsValid(idCurrentCell_)) {
    SetItemState(row, col, GetItemState(row, col) | GVIS_FOCUSED);
    RedrawCell(idCurrentCell_);
    redrawHeaders(previous.row, previous.col, row, col, row, col);
  }
  return previous;
}

void CGridModel::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint, bool select) {
  if (!enableSelection_) return;
  // Painting is the window's: cells are always marked for repainting.
  const CCellRange visible = GetVisibleNonFixedCellRange();
  auto redraw = [&](int row, int col) {
    if (visible.InRange(row, col)) RedrawCell(row, col);
  };
  if (minRow >= 0 && minRow < fixedRows_) minRow = fixedRows_;
  if (maxRow >= 0 && maxRow < fixedRows_) maxRow = fixedRows_;
  if (minCol >= 0 && minCol < fixedCols_) minCol = fixedCols_;
  if (maxCol >= 0 && maxCol < fixedCols_) maxCol = fixedCols_;
  const CCellRange range(minRow, minCol, maxRow, maxCol);
  const bool negative = minRow < 0 || minCol < 0 || maxRow < 0 || maxCol < 0;

  if (select) {
    const auto selected = selectedCells_;
    for (const auto& [key, cell] : selected) {
      if (!IsValid(cell)) {
        selectedCells_.erase(key);
        continue;
      }
      SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_SELECTED);
      if (!range.InRange(cell)) redraw(cell.row, cell.col);
    }
    if (negative) return;
    for (const auto& [key, cell] : prevSelectedCells_) {
      if (!IsValid(cell)) continue;
      SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_SELECTED);
      redraw(cell.row, cell.col);
    }
  }
  if (negative || maxRow >= rows_ || maxCol >= cols_ || minRow > maxRow || minCol > maxCol) return;
  for (int row = minRow; row <= maxRow; ++row)
    for (int col = minCol; col <= maxCol; ++col) {
      const unsigned state = GetItemState(row, col);
      if (select && !(state & GVIS_SELECTED)) {
        SetItemState(row, col, state | GVIS_SELECTED);
        redraw(row, col);
      } else if (!select && (state & GVIS_SELECTED)) {
        SetItemState(row, col, state & ~GVIS_SELECTED);
        redraw(row, col);
      }
    }
}

void CGridModel::SelectAllCells() {
  if (enableSelection_) SetSelectedRange(fixedRows_, fixedCols_, rows_ - 1, cols_ - 1);
}

void CGridModel::SelectCells(CCellID cell, bool forceRepaint, bool select) {
  if (!enableSelection_ || !IsValid(cell) || IsCellFixed(cell.row, cell.col)) return;
  const CCellID start = selectionStartCell_;
  SetSelectedRange(std::min(start.row, cell.row), std::min(start.col, cell.col), std::max(start.row, cell.row),
                   std::max(start.col, cell.col), forceRepaint, select);
}

void CGridModel::SelectColumns(CCellID cell, bool forceRepaint, bool select) {
  if (!enableSelection_ || !IsValid(cell) || cell.col < fixedCols_) return;
  const int start = selectionStartCell_.col;
  SetSelectedRange(fixedRows_, std::min(start, cell.col), rows_ - 1, std::max(start, cell.col), forceRepaint,
                   select);
}

void CGridModel::SelectRows(CCellID cell, bool forceRepaint, bool select) {
  if (!enableSelection_ || !IsValid(cell) || cell.row < fixedRows_) return;
  const int start = selectionStartCell_.row;
  SetSelectedRange(std::min(start, cell.row), fixedCols_, std::max(start, cell.row), cols_ - 1, forceRepaint,
                   select);
}

void CGridModel::OnSelecting(CCellID cell) {
  if (!enableSelection_) return;
  switch (mouseMode_) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell, false); break;
    case MOUSE_SELECT_ROW: SelectRows(cell, false); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell, false); break;
    default: break;
  }
}

void CGridModel::ResetSelectedRange() {
  prevSelectedCells_.clear();
  SetSelectedRange(-1, -1, -1, -1);
  SetFocusCell(-1, -1);
}

void CGridModel::RememberSelection(bool keep) {
  prevSelectedCells_.clear();
  if (keep) prevSelectedCells_ = selectedCells_;
}

CCellRange CGridModel::GetSelectedCellRange() const {
  CCellRange range(rows_, cols_, -1, -1);
  for (const auto& [key, cell] : selectedCells_) {
    range.minRow = std::min(range.minRow, cell.row);
    range.minCol = std::min(range.minCol, cell.col);
    range.maxRow = std::max(range.maxRow, cell.row);
    range.maxCol = std::max(range.maxCol, cell.col);
  }
  return range;
}

std::vector<CCellID> CGridModel::GetSelectedCells() const {
  std::vector<CCellID> cells;
  cells.reserve(selectedCells_.size());
  for (const auto& [key, cell] : selectedCells_) cells.push_back(cell);
  return cells;
}

void CGridModel::OnFixedColumnClick(CCellID cell) {
  if (!IsValid(cell) || !fixedColumnSelection_) return;
  mouseMode_ = cell.row < fixedRows_ ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
  OnSelecting(cell);
}

void CGridModel::OnFixedRowClick(CCellID cell) {
  if (!IsValid(cell) || !fixedRowSelection_) return;
  mouseMode_ = cell.col < fixedCols_ ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
  OnSelecting(cell);
}
