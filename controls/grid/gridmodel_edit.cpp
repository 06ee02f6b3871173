// Editing, keys, the clipboard texts and the drop of text into the grid.
#include <algorithm>

#include "controls/grid/gridmodel.h"
#include "records/strutil.h"

using namespace platform;

int CGridModel::NotifyOwner(int code, int row, int col) {
  if (!HasWindow()) return 0;
  return SendToOwner({WM_NOTIFY, GetControlId(), code, row, col, this});
}

// ------------------------------------------------------------------ editing

void CGridModel::OnEditCell(int row, int col, Point point, unsigned firstKey) {
  HideTitleTip();
  if (!IsCellEditable(row, col)) return;
  EnsureVisible(row, col);
  if (!IsCellVisible(row, col)) return;
  Rect rect;
  if (!GetCellRect(row, col, &rect)) return;
  if (NotifyOwner(LVN_BEGINLABELEDIT, row, col) < 0) return;
  if (CGridCellBase* cell = GetCell(row, col)) cell->Edit(row, col, rect, point, kInPlaceEditId, firstKey);
}

void CGridModel::OnEndInPlaceEdit(int row, int col, const std::string& text, unsigned lastKey) {
  if (!HasWindow()) return;
  OnEndEditCell(row, col, text);
  switch (lastKey) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
      OnKeyDown(lastKey, 0, 0);
      OnEditCell(idCurrentCell_.row, idCurrentCell_.col, Point{-1, -1}, lastKey);
      break;
    default: break;
  }
}

void CGridModel::OnEndEditCell(int row, int col, const std::string& text) {
  const std::string old = GetItemText(row, col);
  if (text != old) StoreEditedText(row, col, text, old);
  if (CGridCellBase* cell = GetCell(row, col)) cell->OnEndEdit();
}

void CGridModel::StoreEditedText(int row, int col, std::string_view text, const std::string& old) {
  SetItemText(row, col, text);
  if (ValidateEdit(row, col, text) && NotifyOwner(LVN_ENDLABELEDIT, row, col) >= 0) {
    SetModified(true, row, col);
    RedrawCell(row, col);
  } else {
    SetItemText(row, col, old);
  }
}

bool CGridModel::ValidateEdit(int row, int col, std::string_view text) {
  CGridCellBase* cell = GetCell(row, col);
  return !cell || cell->ValidateEdit(text);
}

void CGridModel::EndEditing() {
  if (CGridCellBase* cell = GetCell(idCurrentCell_.row, idCurrentCell_.col)) cell->EndEdit();
}

void CGridModel::ModifyCellText(int row, int col, std::string_view text) {
  if (!IsCellEditable(row, col)) return;
  if (NotifyOwner(LVN_BEGINLABELEDIT, row, col) < 0) return;
  const std::string old = GetItemText(row, col);
  if (old != text) StoreEditedText(row, col, text, old);
}

// --------------------------------------------------------------------- keys

void CGridModel::OnChar(unsigned ch) {
  if (IsCtrlDown() || mouseMode_ != MOUSE_NOTHING || ch == VK_ESCAPE || (ch == VK_TAB && handleTabKey_)) return;
  OnEditCell(idCurrentCell_.row, idCurrentCell_.col, Point{-1, -1}, ch | kTypedKey);
}

int CGridModel::NextVisibleRow(int row, int step, int stop) const {
  while (row != stop && GetRowHeight(row) <= 0) row += step;
  return row;
}

void CGridModel::ScrollOnKey(int bar, unsigned code, bool& requested) {
  requested = true;
  if (bar == SB_VERT) OnVScroll(code);
  else OnHScroll(code);
}

void CGridModel::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
  if (!IsValid(idCurrentCell_)) return;
  const bool ctrl = IsCtrlDown();
  const bool shift = IsShiftDown();
  if (ctrl) {
    switch (key) {
      case 'C':
      case VK_INSERT: OnEditCopy(); break;
      case 'X': OnEditCut(); break;
      case 'V': OnEditPaste(); break;
      case 'A': OnEditSelectAll(); break;
      default: break;
    }
  }
  if (shift && key == VK_INSERT) {
    OnEditPaste();
    return;
  }
  // OnEditSelectAll and the others leave the focus cell where it is.
  if (!IsValid(idCurrentCell_)) return;

  CCellID next = idCurrentCell_;
  bool hscroll = false, vscroll = false;
  bool rowChanged = false;  // Tab went on to the next or the previous row
  const int firstCol = fixedCols_;
  const int firstRow = fixedRows_;
  if (key == VK_RIGHT || (key == VK_TAB && !shift)) {
    int start = next.col + 1;
    if (key == VK_TAB && next.col + 1 == cols_ && next.row < rows_ - 1) {
      next.row = NextVisibleRow(next.row + 1, 1, rows_ - 1);
      rowChanged = true;
      start = firstCol;
    }
    int col = start;
    while (col < cols_ && GetColumnWidth(col) <= 0) ++col;
    if (col < cols_) next.col = col;
  } else if (key == VK_LEFT || (key == VK_TAB && shift)) {
    int start = next.col - 1;
    if (key == VK_TAB && next.col == firstCol && next.row > firstRow) {
      next.row = NextVisibleRow(next.row - 1, -1, firstRow);
      rowChanged = true;
      start = cols_ - 1;
    }
    int col = start;
    while (col >= firstCol && GetColumnWidth(col) <= 0) --col;
    if (col >= firstCol) next.col = col;
  } else if (key == VK_UP) {
    int row = next.row - 1;
    while (row >= firstRow && GetRowHeight(row) <= 0) --row;
    if (row >= firstRow) next.row = row;
  } else if (key == VK_DOWN) {
    int row = next.row + 1;
    while (row < rows_ && GetRowHeight(row) <= 0) ++row;
    if (row < rows_) next.row = row;
  } else if (key == VK_PRIOR || key == VK_NEXT) {
    const int oldTop = GetTopLeftNonFixedCell().row;
    ScrollOnKey(SB_VERT, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, vscroll);
    const int moved = GetTopLeftNonFixedCell().row - oldTop;
    if (moved != 0) next.row = std::clamp(next.row + moved, firstRow, rows_ - 1);
    else next.row = key == VK_PRIOR ? firstRow : rows_ - 1;
  } else if (key == VK_HOME) {
    if (ctrl) {
      ScrollOnKey(SB_VERT, SB_TOP, vscroll);
      ScrollOnKey(SB_HORZ, SB_LEFT, hscroll);
      next.row = firstRow;
    } else {
      ScrollOnKey(SB_HORZ, SB_LEFT, hscroll);
    }
    next.col = firstCol;
    while (next.col < cols_ - 1 && GetColumnWidth(next.col) <= 0) ++next.col;
    while (next.row < rows_ - 1 && GetRowHeight(next.row) <= 0) ++next.row;
  } else if (key == VK_END) {
    if (ctrl) {
      ScrollOnKey(SB_VERT, SB_BOTTOM, vscroll);
      ScrollOnKey(SB_HORZ, SB_RIGHT, hscroll);
      next.row = rows_ - 1;
    } else {
      ScrollOnKey(SB_HORZ, SB_RIGHT, hscroll);
    }
    next.col = cols_ - 1;
    while (next.col > firstCol + 1 && GetColumnWidth(next.col) <= 0) --next.col;
    while (next.row > firstRow + 1 && GetRowHeight(next.row) <= 0) --next.row;
  } else if (key == VK_DELETE) {
    CutSelectedText();
  } else if (key == VK_F2) {
    OnEditCell(idCurrentCell_.row, idCurrentCell_.col, Point{-1, -1}, VK_LBUTTON);
  }

  if (next == idCurrentCell_) return;

  if (mouseMode_ == MOUSE_NOTHING) {
    prevSelectedCells_.clear();
    mouseMode_ = MOUSE_SELECT_CELLS;
    if (!shift || key == VK_TAB) selectionStartCell_ = next;
    NotifyOwner(LVN_ITEMCHANGING, next);
    OnSelecting(next);
    NotifyOwner(LVN_ITEMCHANGED, next);
    mouseMode_ = MOUSE_NOTHING;
  }
  SetFocusCell(next);

  if (!IsCellVisible(next)) {
    switch (key) {
      case VK_TAB:
        if (shift) {
          if (rowChanged) {
            ScrollOnKey(SB_VERT, SB_LINEUP, vscroll);
            SetScrollPos32(SB_HORZ, hscrollMax_);
          } else {
            ScrollOnKey(SB_HORZ, SB_LINELEFT, hscroll);
          }
        } else if (rowChanged) {
          ScrollOnKey(SB_VERT, SB_LINEDOWN, vscroll);
          SetScrollPos32(SB_HORZ, 0);
        } else {
          ScrollOnKey(SB_HORZ, SB_LINERIGHT, hscroll);
        }
        break;
      case VK_LEFT: ScrollOnKey(SB_HORZ, SB_LINELEFT, hscroll); break;
      case VK_UP: ScrollOnKey(SB_VERT, SB_LINEUP, vscroll); break;
      case VK_RIGHT: ScrollOnKey(SB_HORZ, SB_LINERIGHT, hscroll); break;
      case VK_DOWN: ScrollOnKey(SB_VERT, SB_LINEDOWN, vscroll); break;
      default: break;
    }
    EnsureVisible(next);
    InvalidateRect(nullptr);
  }
  EnsureVisible(next);
  if (hscroll) OnHScroll(SB_ENDSCROLL);
  if (vscroll) OnVScroll(SB_ENDSCROLL);
}

// ---------------------------------------------------------------- clipboard

std::optional<std::string> CGridModel::CopyTextFromGrid() const {
  const CCellRange range = GetSelectedCellRange();
  if (!IsValid(range)) return std::nullopt;
  std::string text;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (GetRowHeight(row) <= 0) continue;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (GetColumnWidth(col) <= 0) continue;
      if (IsCellSelected(row, col)) text += GetItemText(row, col);
      if (col != range.maxCol) text += '\t';
    }
    if (row != range.maxRow) text += "\r\n";
  }
  return text;
}

void CGridModel::OnEditCopy() {
  if (auto text = CopyTextFromGrid()) PutOnClipboard(*text);
}

void CGridModel::CutSelectedText() {
  if (!editable_) return;
  for (const CCellID& cell : GetSelectedCells()) ModifyCellText(cell.row, cell.col, "");
}

void CGridModel::OnEditCut() {
  if (!editable_) return;
  auto text = CopyTextFromGrid();
  if (!text) return;
  PutOnClipboard(*text);
  CutSelectedText();
}

bool CGridModel::CanEditPaste() const {
  return IsValid(idCurrentCell_) && IsCellEditable(idCurrentCell_) && GetClipboardText().has_value();
}

void CGridModel::OnEditPaste() {
  if (!editable_) return;
  CCellID cell;
  const CCellRange range = GetSelectedCellRange();
  if (IsValid(range)) cell = range.GetTopLeft();
  else if (IsValid(idCurrentCell_)) cell = idCurrentCell_;
  else cell = GetTopLeftNonFixedCell();
  if (!IsValid(cell)) return;
  CGridCellBase* target = GetCell(cell.row, cell.col);
  if (target && target->IsEditing() && target->GetEditWnd()) {
    target->GetEditWnd()->Paste();
    return;
  }
  if (auto text = GetClipboardText()) PasteTextToGrid(cell, text, true);
}

namespace {
// Parts at a separator; nothing after the last separator gives no part.
std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t tab = std::min(line.find('\t', start), line.size());
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  return fields;
}
}  // namespace

bool CGridModel::PasteTextToGrid(CCellID cell, const std::optional<std::string>& text, bool selectPasted,
                                 std::set<std::pair<int, int>>* covered) {
  if (!IsValid(cell) || !IsCellEditable(cell) || !text) return false;
  // The text up to its first 0 byte, in lines at "\n".
  const std::string all = text->substr(0, text->find('\0'));
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = all.find('\n', start);
    lines.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  int maxRow = cell.row, maxCol = cell.col;
  int skippedRows = 0;
  for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
    int row = cell.row + line + skippedRows;
    while (row < rows_ && GetRowHeight(row) == 0) {
      ++row;
      ++skippedRows;
    }
    const std::vector<std::string> fields = SplitFields(lines[static_cast<size_t>(line)]);
    int skippedCols = 0;
    for (int field = 0; field < static_cast<int>(fields.size()); ++field) {
      int col = cell.col + field + skippedCols;
      while (col < cols_ && GetColumnWidth(col) == 0) {
        ++col;
        ++skippedCols;
      }
      if (!IsValid(row, col)) continue;  // beyond the table: dropped
      ModifyCellText(row, col, TrimWhite(fields[static_cast<size_t>(field)]));
      SetItemState(row, col, GetItemState(row, col) & ~GVIS_SELECTED);
      maxRow = std::max(maxRow, row);
      maxCol = std::max(maxCol, col);
      if (covered) covered->insert({row, col});
    }
  }
  if (selectPasted) {
    SetSelectedRange(cell.row, cell.col, maxRow, maxCol, true, true);
  } else {
    ResetSelectedRange();
    Refresh();
  }
  return true;
}

void CGridModel::OnEditSelectAll() {
  NotifyOwner(LVN_ITEMCHANGING, leftClickDownCell_);
  SelectAllCells();
  NotifyOwner(LVN_ITEMCHANGED, idCurrentCell_);
}

// ------------------------------------------------------------ drag and drop

void CGridModel::OnBeginDrag() {
  if (!allowDragAndDrop_) return;
  const auto text = CopyTextFromGrid();
  if (!text) return;
  NotifyOwner(LVN_BEGINDRAG, GetSelectedCellRange().GetTopLeft());
  mouseMode_ = MOUSE_DRAGGING;
  leftMouseButtonDown_ = false;
  ownDrag_ = OwnDrag{GetSelectedCells(), false, {}};
  const unsigned effect = DoDragDrop(*text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  OwnDrag drag = std::move(*ownDrag_);
  ownDrag_.reset();
  if (!(effect & DROPEFFECT_MOVE)) return;
  if (!drag.dropped) {
    CutSelectedText();
    return;
  }
  // Moved within this grid: the target cells keep the dropped text; the
  // source cells it did not cover are emptied.
  for (const CCellID& source : drag.source)
    if (!drag.covered.count({source.row, source.col})) ModifyCellText(source.row, source.col, "");
}

unsigned CGridModel::OnDragEnter(const std::optional<std::string>& data, unsigned keyState, Point point) {
  if (!allowDragAndDrop_ || !data) return DROPEFFECT_NONE;
  lastDragOverCell_ = GetCellFromPt(point, false);
  if (!IsValid(lastDragOverCell_) || !IsCellEditable(lastDragOverCell_)) return DROPEFFECT_NONE;
  SetItemState(lastDragOverCell_.row, lastDragOverCell_.col,
               GetItemState(lastDragOverCell_.row, lastDragOverCell_.col) | GVIS_DROPHILITED);
  RedrawCell(lastDragOverCell_);
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

unsigned CGridModel::OnDragOver(const std::optional<std::string>& data, unsigned keyState, Point point) {
  if (!allowDragAndDrop_ || !editable_ || !data) return DROPEFFECT_NONE;
  const CCellID cell = GetCellFromPt(point, false);
  if (!IsValid(cell)) {
    OnDragLeave();
    lastDragOverCell_ = CCellID();
    return DROPEFFECT_NONE;
  }
  if (!IsCellEditable(cell)) return DROPEFFECT_NONE;
  if (cell != lastDragOverCell_) {
    if (IsValid(lastDragOverCell_)) {
      SetItemState(lastDragOverCell_.row, lastDragOverCell_.col,
                   GetItemState(lastDragOverCell_.row, lastDragOverCell_.col) & ~GVIS_DROPHILITED);
      RedrawCell(lastDragOverCell_);
    }
    lastDragOverCell_ = cell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell);
  }
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridModel::OnDragLeave() {
  if (!IsValid(lastDragOverCell_)) return;
  SetItemState(lastDragOverCell_.row, lastDragOverCell_.col,
               GetItemState(lastDragOverCell_.row, lastDragOverCell_.col) & ~GVIS_DROPHILITED);
  RedrawCell(lastDragOverCell_);
}

bool CGridModel::OnDrop(const std::optional<std::string>& data, unsigned dropEffect, Point point) {
  mouseMode_ = MOUSE_NOTHING;
  if (!allowDragAndDrop_ || !IsCellEditable(lastDragOverCell_)) return false;
  OnDragLeave();
  const bool moveHere = ownDrag_ && (dropEffect & DROPEFFECT_MOVE);
  std::set<std::pair<int, int>> covered;
  const bool pasted = PasteTextToGrid(lastDragOverCell_, data, false, &covered);
  if (moveHere) {
    ownDrag_->dropped = true;
    ownDrag_->covered = std::move(covered);
  }
  return pasted;
}
