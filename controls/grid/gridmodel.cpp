// The table, the cells, the flags and the geometry of the grid.
#include "controls/grid/gridmodel.h"

#include <algorithm>
#include <new>

#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

using platform::ColorRef;
using platform::Point;
using platform::Rect;
using platform::Size;

CGridModel::CGridModel(int rows, int columns, int fixedRows, int fixedColumns) {
  crWindowText_ = platform::GetSysColor(platform::COLOR_WINDOWTEXT);
  crWindowColour_ = platform::GetSysColor(platform::COLOR_WINDOW);
  cr3DFace_ = platform::GetSysColor(platform::COLOR_3DFACE);
  crShadow_ = platform::GetSysColor(platform::COLOR_3DSHADOW);
  rowsPerWheelNotch_ = platform::GetWheelScrollLines();
  if (rowsPerWheelNotch_ == 0) rowsPerWheelNotch_ = 3;
  InitDefaultCells();
  gridBkColour_ = crShadow_;
  SetRowCount(rows);
  SetColumnCount(columns);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedColumns);
}

CGridModel::~CGridModel() {
  // The cells go without telling anyone.
  rowData_.clear();
}

void CGridModel::InitDefaultCells() {
  for (int i = 0; i < 4; ++i) {
    defaults_[i].SetGrid(this);
    defaults_[i].SetTextClr(crWindowText_);
    defaults_[i].SetBackClr(i == 0 ? crWindowColour_ : cr3DFace_);
  }
}

CGridDefaultCell* CGridModel::GetDefaultCell(bool fixedRow, bool fixedCol) {
  return &defaults_[(fixedRow ? 2 : 0) + (fixedCol ? 1 : 0)];
}

const CGridDefaultCell* CGridModel::GetDefaultCell(bool fixedRow, bool fixedCol) const {
  return &defaults_[(fixedRow ? 2 : 0) + (fixedCol ? 1 : 0)];
}

void CGridModel::SetFont(const platform::Font& font) {
  for (auto& cell : defaults_) cell.SetFont(&font);
  Refresh();
}

const platform::Font& CGridModel::GetFont() const { return defaults_[0].GetFont(); }

void CGridModel::OnSysColorChange() {
  const ColorRef windowText = platform::GetSysColor(platform::COLOR_WINDOWTEXT);
  const ColorRef window = platform::GetSysColor(platform::COLOR_WINDOW);
  for (auto& cell : defaults_) {
    if (cell.GetTextClr() == crWindowText_) cell.SetTextClr(windowText);
    if (cell.GetBackClr() == crWindowColour_) cell.SetBackClr(window);
  }
  if (gridBkColour_ == crShadow_) gridBkColour_ = platform::GetSysColor(platform::COLOR_3DSHADOW);
  crWindowText_ = windowText;
  crWindowColour_ = window;
  cr3DFace_ = platform::GetSysColor(platform::COLOR_3DFACE);
  crShadow_ = platform::GetSysColor(platform::COLOR_3DSHADOW);
}

void CGridModel::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  hasClient_ = true;
  EndEditing();
  ResetScrollBars();
}

// -------------------------------------------------------------------- cells

CGridCellBase* CGridModel::CreateCell(int row, int col) {
  auto* cell = new (std::nothrow) CGridCell;
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  unsigned state = cell->GetState();
  if (col < fixedCols_) state |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (row < fixedRows_) state |= GVIS_FIXED | GVIS_FIXEDROW;
  cell->SetState(state);
  cell->SetFormat(cell->GetDefaultCell()->GetFormat());
  return cell;
}

void CGridModel::DestroyCell(int row, int col) {
  SetItemState(row, col, 0);
  rowData_[static_cast<size_t>(row)][static_cast<size_t>(col)].reset();
}

CGridCellBase* CGridModel::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  return rowData_[static_cast<size_t>(row)][static_cast<size_t>(col)].get();
}

bool CGridModel::IsValid(const CCellRange& range) const {
  return range.IsValid() && range.maxRow < rows_ && range.maxCol < cols_;
}

std::string CGridModel::GetItemText(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetText() : std::string();
}

bool CGridModel::SetItemText(int row, int col, std::string_view text) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetText(text);
  SetModified(true, row, col);
  return true;
}

unsigned CGridModel::GetItemState(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetState() : 0;
}

bool CGridModel::SetItemState(int row, int col, unsigned state) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  const bool was = cell->GetState() & GVIS_SELECTED;
  const bool now = state & GVIS_SELECTED;
  if (was && !now) selectedCells_.erase({row, col});
  else if (!was && now) selectedCells_[{row, col}] = CCellID(row, col);
  cell->SetState(state);
  return true;
}

bool CGridModel::SetItemFormat(int row, int col, unsigned format) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetFormat(format);
  return true;
}

unsigned CGridModel::GetItemFormat(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetFormat() : 0;
}

bool CGridModel::SetItemBkColour(int row, int col, ColorRef colour) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetBackClr(colour);
  return true;
}

bool CGridModel::SetItemFgColour(int row, int col, ColorRef colour) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetTextClr(colour);
  return true;
}

ColorRef CGridModel::GetItemBkColour(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetBackClr() : 0;
}

ColorRef CGridModel::GetItemFgColour(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetTextClr() : 0;
}

bool CGridModel::IsCellEditable(int row, int col) const {
  return editable_ && IsValid(row, col) && !(GetItemState(row, col) & GVIS_READONLY);
}

bool CGridModel::IsCellSelected(int row, int col) const {
  return enableSelection_ && (GetItemState(row, col) & GVIS_SELECTED);
}

// --------------------------------------------------------------- table size

bool CGridModel::SetRowCount(int rows) {
  if (rows == rows_) return true;
  rows = std::max(rows, 0);
  ForgetTopLeft();
  if (rows < fixedRows_) fixedRows_ = rows;
  if (idCurrentCell_.row >= rows) SetFocusCell(-1, -1);
  bool result = true;
  if (rows < rows_) {
    for (int r = rows; r < rows_; ++r)
      for (int c = 0; c < cols_; ++c) DestroyCell(r, c);
    rowData_.resize(static_cast<size_t>(rows));
    rowHeights_.resize(static_cast<size_t>(rows));
    rows_ = rows;
  } else {
    try {
      rowHeights_.reserve(static_cast<size_t>(rows));
      rowData_.reserve(static_cast<size_t>(rows));
      const int height = defaults_[0].GetHeight();
      for (int r = rows_; r < rows; ++r) {
        std::vector<std::unique_ptr<CGridCellBase>> row(static_cast<size_t>(cols_));
        rowData_.push_back(std::move(row));
        rowHeights_.push_back(height);
        ++rows_;  // the new row's cells are made as cells of it
        for (int c = 0; c < cols_; ++c) {
          CGridCellBase* cell = CreateCell(r, c);
          if (!cell) throw std::bad_alloc();
          rowData_.back()[static_cast<size_t>(c)].reset(cell);
        }
      }
    } catch (const std::bad_alloc&) {
      // The last row may be incomplete: it goes; the others stay.
      if (!rowData_.empty() && static_cast<int>(rowData_.size()) == rows_ &&
          std::any_of(rowData_.back().begin(), rowData_.back().end(), [](const auto& c) { return !c; })) {
        rowData_.pop_back();
        --rows_;
      }
      rowData_.resize(static_cast<size_t>(rows_));
      rowHeights_.resize(static_cast<size_t>(rows_));
      result = false;
    }
  }
  SetModified();
  ResetScrollBars();
  Refresh();
  return result;
}

bool CGridModel::SetColumnCount(int columns) {
  if (columns == cols_) return true;
  columns = std::max(columns, 0);
  ForgetTopLeft();
  if (columns < fixedCols_) fixedCols_ = columns;
  if (idCurrentCell_.col >= columns) SetFocusCell(-1, -1);
  bool result = true;
  if (columns < cols_) {
    for (int r = 0; r < rows_; ++r)
      for (int c = columns; c < cols_; ++c) DestroyCell(r, c);
    for (auto& row : rowData_) row.resize(static_cast<size_t>(columns));
    colWidths_.resize(static_cast<size_t>(columns));
    cols_ = columns;
  } else {
    const int width = defaults_[1].GetWidth();
    // Column by column, so that every row always has every column.
    for (int c = cols_; c < columns; ++c) {
      try {
        colWidths_.push_back(width);
        for (int r = 0; r < rows_; ++r) {
          auto& row = rowData_[static_cast<size_t>(r)];
          std::unique_ptr<CGridCellBase> cell(CreateCell(r, c));
          if (!cell) throw std::bad_alloc();
          row.push_back(std::move(cell));
        }
        ++cols_;
      } catch (const std::bad_alloc&) {
        for (auto& row : rowData_) row.resize(static_cast<size_t>(cols_));
        colWidths_.resize(static_cast<size_t>(cols_));
        result = false;
        break;
      }
    }
  }
  SetModified();
  ResetScrollBars();
  Refresh();
  return result;
}

bool CGridModel::SetFixedRowCount(int fixedRows) { return SetFixedCount(true, fixedRows); }

bool CGridModel::SetFixedColumnCount(int fixedColumns) { return SetFixedCount(false, fixedColumns); }

bool CGridModel::SetFixedCount(bool rows, int fixed) {
  int& current = rows ? fixedRows_ : fixedCols_;
  if (fixed == current) return true;
  fixed = std::max(fixed, 0);
  ResetSelectedRange();
  ForgetTopLeft();
  if (fixed > CountAlong(rows) && !(rows ? SetRowCount(fixed) : SetColumnCount(fixed))) return false;
  const int focus = rows ? idCurrentCell_.row : idCurrentCell_.col;
  if (focus >= 0 && focus < fixed) SetFocusCell(-1, -1);
  const unsigned own = rows ? GVIS_FIXEDROW : GVIS_FIXEDCOL;
  const int from = std::min(current, fixed), to = std::max(current, fixed);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < cols_; ++c) {
      const int along = rows ? r : c;
      if (along < from || along >= to) continue;
      const unsigned state = GetItemState(r, c);
      if (fixed > current) {
        SetItemState(r, c, state | GVIS_FIXED | own);
      } else if ((rows ? c < fixedCols_ : r < fixedRows_)) {
        SetItemState(r, c, state & ~own);  // still fixed the other way
        continue;
      } else {
        SetItemState(r, c, state & ~(GVIS_FIXED | own));
      }
      SetItemBkColour(r, c, CLR_DEFAULT);
      SetItemFgColour(r, c, CLR_DEFAULT);
    }
  current = fixed;
  Refresh();
  return true;
}

bool CGridModel::DeleteAllItems() {
  ResetSelectedRange();
  rowHeights_.clear();
  colWidths_.clear();
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < cols_; ++c) DestroyCell(r, c);
  rowData_.clear();
  idCurrentCell_ = CCellID();
  rows_ = cols_ = fixedRows_ = fixedCols_ = 0;
  ForgetTopLeft();
  ResetScrollBars();
  SetModified();
  return true;
}

// -------------------------------------------------------------------- sizes

bool CGridModel::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= cols_ || width < 0) return false;
  colWidths_[static_cast<size_t>(column)] = width;
  ResetScrollBars();
  return true;
}

bool CGridModel::SetRowHeight(int row, int height) {
  if (row < 0 || row >= rows_ || height < 0) return false;
  rowHeights_[static_cast<size_t>(row)] = height;
  ResetScrollBars();
  return true;
}

int CGridModel::GetColumnWidth(int column) const {
  return column < 0 || column >= cols_ ? -1 : colWidths_[static_cast<size_t>(column)];
}

int CGridModel::GetRowHeight(int row) const {
  return row < 0 || row >= rows_ ? -1 : rowHeights_[static_cast<size_t>(row)];
}

int CGridModel::GetFixedColumnWidth() const {
  int width = 0;
  for (int c = 0; c < fixedCols_; ++c) width += GetColumnWidth(c);
  return width;
}

int CGridModel::GetFixedRowHeight() const {
  int height = 0;
  for (int r = 0; r < fixedRows_; ++r) height += GetRowHeight(r);
  return height;
}

int CGridModel::GetVirtualWidth() const {
  int width = 0;
  for (int w : colWidths_) width += w;
  return width;
}

int CGridModel::GetVirtualHeight() const {
  int height = 0;
  for (int h : rowHeights_) height += h;
  return height;
}

bool CGridModel::AutoSizeColumn(int column, int style, bool resetScroll) {
  if (column < 0 || column >= cols_ || rows_ == 0) return false;
  ScreenMeasure screen;
  if (!screen.dc()) return false;
  const int first = (style & 1) ? 0 : fixedRows_;
  const int last = (style & 2) ? rows_ : fixedRows_;
  int width = 0;
  for (int r = first; r < last; ++r)
    if (const CGridCellBase* cell = GetCell(r, column)) width = std::max(width, cell->GetCellExtent(screen.dc()).cx);
  colWidths_[static_cast<size_t>(column)] = width;
  if (resetScroll) ResetScrollBars();
  return true;
}

bool CGridModel::AutoSizeRow(int row, bool resetScroll) {
  if (row < 0 || row >= rows_ || cols_ == 0) return false;
  ScreenMeasure screen;
  if (!screen.dc()) return false;
  int height = 0;
  for (int c = 0; c < cols_; ++c)
    if (const CGridCellBase* cell = GetCell(row, c)) height = std::max(height, cell->GetCellExtent(screen.dc()).cy);
  rowHeights_[static_cast<size_t>(row)] = height;
  if (resetScroll) ResetScrollBars();
  return true;
}

// -------------------------------------------------------------------- flags

int CGridModel::SetModified(bool modified, int row, int col) {
  const bool was = modified_;
  if (row >= 0 && col >= 0) {
    CGridCellBase* cell = GetCell(row, col);
    if (cell) {
      if (modified) {
        cell->SetState(cell->GetState() | GVIS_MODIFIED);
        modified_ = true;
      } else {
        cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
      }
    }
  } else {
    modified_ = modified;
  }
  if (!modified_)
    for (auto& rowCells : rowData_)
      for (auto& cell : rowCells)
        if (cell) cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
  if (!was && modified_ && HasWindow())
    return SendToOwner({WM_GRID_MODIFIED, GetControlId(), 1, -1, -1, this});
  return 0;
}

bool CGridModel::GetModified(int row, int col) const {
  if (row >= 0 && col >= 0) return GetItemState(row, col) & GVIS_MODIFIED;
  return modified_;
}

void CGridModel::SetRedraw(bool allow, bool resetScrollBars) {
  if (allow && !allowDraw_ && HasWindow()) InvalidateRect(nullptr);
  allowDraw_ = allow;
  if (resetScrollBars) ResetScrollBars();
}

void CGridModel::SetListMode(bool listMode) {
  ResetSelectedRange();
  fixedRowSelection_ = false;
  Refresh();
}

void CGridModel::Refresh() {
  if (HasWindow() && allowDraw_) InvalidateRect(nullptr);
}

void CGridModel::EnableSelection(bool enable) { enableSelection_ = enable; }

// ----------------------------------------------------------------- geometry

CCellID CGridModel::GetTopLeftNonFixedCell(bool forceRecalc) const {
  if (idTopLeftCell_.row >= 0 && !forceRecalc) return idTopLeftCell_;
  const int hpos = GetScrollPos32(SB_HORZ);
  const int vpos = GetScrollPos32(SB_VERT);
  int col = fixedCols_;
  for (int right = 0; right < hpos && col < cols_ - 1;) right += GetColumnWidth(col++);
  int row = fixedRows_;
  for (int bottom = 0; bottom < vpos && row < rows_ - 1;) bottom += GetRowHeight(row++);
  idTopLeftCell_ = CCellID(row, col);
  return idTopLeftCell_;
}

CCellRange CGridModel::GetVisibleNonFixedCellRange(Rect* rect, bool forceRecalc) const {
  const Rect client = GetClientRect();
  const CCellID topLeft = GetTopLeftNonFixedCell(forceRecalc);
  int bottom = GetFixedRowHeight();
  int row = topLeft.row;
  for (; row < rows_; ++row) {
    bottom += GetRowHeight(row);
    if (bottom >= client.bottom) {
      bottom = client.bottom;
      break;
    }
  }
  int right = GetFixedColumnWidth();
  int col = topLeft.col;
  for (; col < cols_; ++col) {
    right += GetColumnWidth(col);
    if (right >= client.right) {
      right = client.right;
      break;
    }
  }
  if (rect) *rect = Rect{0, 0, right, bottom};
  return CCellRange(topLeft.row, topLeft.col, std::min(row, rows_ - 1), std::min(col, cols_ - 1));
}

std::optional<int> CGridModel::OriginAlong(bool rows, int index, int limit) const {
  const CCellID topLeft = GetTopLeftNonFixedCell();
  const int first = rows ? topLeft.row : topLeft.col;
  const int fixed = FixedAlong(rows);
  if (index >= fixed && index < first) return std::nullopt;  // scrolled out
  int pos = 0;
  if (index < fixed) {
    for (int i = 0; i < index && pos < limit; ++i) pos += SizeAlong(rows, i);
  } else {
    pos = FixedExtentAlong(rows);
    for (int i = first; i < index && pos < limit; ++i) pos += SizeAlong(rows, i);
  }
  return pos;
}

int CGridModel::IndexAtAlong(bool rows, int pos, bool allowFixedCells) const {
  const int fixedExtent = FixedExtentAlong(rows);
  if (pos < 0 || (!allowFixedCells && pos < fixedExtent)) return -1;
  const CCellID topLeft = GetTopLeftNonFixedCell();
  const bool inFixed = pos < fixedExtent;
  int i = inFixed ? 0 : (rows ? topLeft.row : topLeft.col);
  const int end = inFixed ? FixedAlong(rows) : CountAlong(rows);
  for (int edge = inFixed ? 0 : fixedExtent; i < end; ++i) {
    edge += SizeAlong(rows, i);
    if (edge > pos) break;
  }
  if (inFixed) return i;
  return i >= CountAlong(rows) ? -1 : i;
}

bool CGridModel::GetCellOrigin(int row, int col, Point* point) const {
  if (!IsValid(row, col)) return false;
  const auto x = OriginAlong(false, col);
  const auto y = OriginAlong(true, row);
  if (!x || !y) return false;
  if (point) *point = Point{*x, *y};
  return true;
}

bool CGridModel::GetCellRect(int row, int col, Rect* rect) const {
  Point origin;
  if (!GetCellOrigin(row, col, &origin)) return false;
  if (rect) {
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
  }
  return true;
}

CCellID CGridModel::GetCellFromPt(Point point, bool allowFixedCells) const {
  if (!allowFixedCells && !IsValid(GetTopLeftNonFixedCell())) return CCellID();
  return CCellID(IndexAtAlong(true, point.y, allowFixedCells), IndexAtAlong(false, point.x, allowFixedCells));
}

bool CGridModel::IsCellVisible(int row, int col) const {
  if (!HasWindow() || !IsValid(row, col)) return false;
  // Summed as for the origin, stopping once past the client area.
  const Rect client = GetClientRect();
  const auto x = OriginAlong(false, col, client.right);
  const auto y = OriginAlong(true, row, client.bottom);
  return x && y && *x < client.right && *y < client.bottom;
}

bool CGridModel::InvalidateCellRect(int row, int col) {
  if (!HasWindow() || !allowDraw_ || !IsValid(row, col) || !IsCellVisible(row, col)) return false;
  Rect rect;
  if (!GetCellRect(row, col, &rect)) return false;
  rect.right++;
  rect.bottom++;
  InvalidateRect(&rect);
  return true;
}

void CGridModel::ResetScrollBars() {
  ForgetTopLeft();
  if (!allowDraw_ || !HasWindow()) return;
  Rect rect = GetClientRect();
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  const Size bars = ScrollBarExtent();
  if (barState_ & 2) rect.right += bars.cx;
  if (barState_ & 1) rect.bottom += bars.cy;
  int visibleWidth = rect.Width() - GetFixedColumnWidth();
  int visibleHeight = rect.Height() - GetFixedRowHeight();
  if (visibleWidth <= 0 || visibleHeight <= 0) {
    EnableScrollBars(SB_BOTH, false);
    ScrollBarsChanged();
    return;
  }
  const int virtualWidth = GetVirtualWidth() - GetFixedColumnWidth();
  const int virtualHeight = GetVirtualHeight() - GetFixedRowHeight();
  if (visibleHeight < virtualHeight) visibleWidth -= bars.cx;
  if (visibleWidth < virtualWidth) visibleHeight -= bars.cy;
  vscrollMax_ = visibleHeight < virtualHeight ? virtualHeight - 1 : 0;
  hscrollMax_ = visibleWidth < virtualWidth ? virtualWidth - 1 : 0;
  EnableScrollBars(SB_VERT, visibleHeight < virtualHeight);
  EnableScrollBars(SB_HORZ, visibleWidth < virtualWidth);
  hscrollPage_ = hscrollMax_ ? visibleWidth : 0;
  vscrollPage_ = vscrollMax_ ? visibleHeight : 0;
  // Setting a range moves a position beyond it back, as a scroll bar does.
  hscrollPos_ = std::clamp(hscrollPos_, 0, GetScrollLimit(SB_HORZ));
  vscrollPos_ = std::clamp(vscrollPos_, 0, GetScrollLimit(SB_VERT));
  ScrollBarsChanged();
}
