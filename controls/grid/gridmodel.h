#pragma once
// CGridModel: everything of the grid control that needs no screen: the table
// of cells with their state bits, the counts and sizes, the four default
// cells, the focus cell and the selected-cell map, the modified flag, the
// geometry and the scroll arithmetic, drawing through a drawing context, the
// keys, editing, the copy and paste texts and the drop of dragged text.
//
// The window side (the client rectangle, invalidating, the scroll bars, the
// owner, the in-place editor, the clipboard, the drag loop) comes through
// the protected hooks, which the widget CGridCtrl (gridctrl.h) gives. The
// plain model has no window until SetClientSize gives it a client area, and
// it sends its owner nothing; tests derive from it to watch the hooks.
//
// Rows and columns count from 0 and include the fixed (header) rows and
// columns. Rectangles are client pixels; a cell rectangle includes its right
// and bottom pixel, the other rectangles do not.
#include <climits>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/grid/gridcell.h"
#include "controls/grid/gridtypes.h"

namespace platform {
class DrawContext;
}

class CGridModel {
 public:
  // What the mouse is doing.
  enum MouseMode {
    MOUSE_NOTHING,
    MOUSE_SELECT_ALL,
    MOUSE_SELECT_COL,
    MOUSE_SELECT_ROW,
    MOUSE_SELECT_CELLS,
    MOUSE_OVER_ROW_DIVIDE,
    MOUSE_SIZING_ROW,
    MOUSE_OVER_COL_DIVIDE,
    MOUSE_SIZING_COL,
    MOUSE_PREPARE_EDIT,
    MOUSE_PREPARE_DRAG,
    MOUSE_DRAGGING,
  };

  explicit CGridModel(int rows = 0, int columns = 0, int fixedRows = 0, int fixedColumns = 0);
  virtual ~CGridModel();
  CGridModel(const CGridModel&) = delete;
  CGridModel& operator=(const CGridModel&) = delete;

  // ------------------------------------------------------------ table size
  // Each gives true when nothing had to change or the change was made, false
  // when memory ran out (the rows or columns made so far stay).
  bool SetRowCount(int rows);
  bool SetColumnCount(int columns);
  bool SetFixedRowCount(int fixedRows);
  bool SetFixedColumnCount(int fixedColumns);
  int GetRowCount() const { return rows_; }
  int GetColumnCount() const { return cols_; }
  int GetFixedRowCount() const { return fixedRows_; }
  int GetFixedColumnCount() const { return fixedCols_; }
  bool DeleteAllItems();

  // ----------------------------------------------------------------- sizes
  bool SetColumnWidth(int column, int width);
  bool SetRowHeight(int row, int height);
  int GetColumnWidth(int column) const;  // -1 outside the table
  int GetRowHeight(int row) const;
  int GetFixedColumnWidth() const;
  int GetFixedRowHeight() const;
  int GetVirtualWidth() const;
  int GetVirtualHeight() const;
  bool AutoSizeColumn(int column, int style, bool resetScroll = true);
  bool AutoSizeRow(int row, bool resetScroll = true);
  int GetAutoSizeStyle() const { return autoSizeStyle_; }

  // ----------------------------------------------------------------- cells
  bool IsValid(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
  bool IsValid(CCellID cell) const { return IsValid(cell.row, cell.col); }
  bool IsValid(const CCellRange& range) const;
  CGridCellBase* GetCell(int row, int col) const;
  std::string GetItemText(int row, int col) const;
  // Sets the text and marks the cell and the grid modified; no redraw.
  bool SetItemText(int row, int col, std::string_view text);
  unsigned GetItemState(int row, int col) const;
  bool SetItemState(int row, int col, unsigned state);
  bool SetItemFormat(int row, int col, unsigned format);
  unsigned GetItemFormat(int row, int col) const;
  bool SetItemBkColour(int row, int col, platform::ColorRef colour = CLR_DEFAULT);
  bool SetItemFgColour(int row, int col, platform::ColorRef colour = CLR_DEFAULT);
  platform::ColorRef GetItemBkColour(int row, int col) const;
  platform::ColorRef GetItemFgColour(int row, int col) const;
  bool IsCellEditable(int row, int col) const;
  bool IsCellEditable(CCellID cell) const { return IsCellEditable(cell.row, cell.col); }
  bool IsCellSelected(int row, int col) const;
  bool IsCellFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

  // The default cell of a kind (fixed row, fixed column, both or none).
  CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol);
  const CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;

  // ----------------------------------------------------------------- flags
  // Marks a cell (row and column at least 0) or the grid modified; clearing
  // the grid's flag clears every cell's. The first change from unmodified
  // sends the owner WM_GRID_MODIFIED once.
  int SetModified(bool modified = true, int row = -1, int col = -1);
  bool GetModified(int row = -1, int col = -1) const;
  void SetRedraw(bool allow, bool resetScrollBars = false);
  bool IsRedrawAllowed() const { return allowDraw_; }
  void SetListMode(bool listMode);
  void Refresh();
  void SetEditable(bool editable = true) { editable_ = editable; }
  bool IsEditable() const { return editable_; }
  void EnableDragAndDrop(bool allow = true) { allowDragAndDrop_ = allow; }
  bool GetDragAndDrop() const { return allowDragAndDrop_; }
  void EnableSelection(bool enable = true);
  bool IsSelectable() const { return enableSelection_; }
  void SetFixedColumnSelection(bool on) { fixedColumnSelection_ = on; }
  void SetFixedRowSelection(bool on) { fixedRowSelection_ = on; }
  bool GetFixedColumnSelection() const { return fixedColumnSelection_; }
  bool GetFixedRowSelection() const { return fixedRowSelection_; }
  void SetHandleTabKey(bool handle) { handleTabKey_ = handle; }
  bool GetHandleTabKey() const { return handleTabKey_; }
  void EnableTitleTips(bool enable = true) { titleTips_ = enable; }
  bool GetTitleTips() const { return titleTips_; }
  void SetTrackFocusCell(bool track) { trackFocusCell_ = track; }
  bool GetTrackFocusCell() const { return trackFocusCell_; }
  void SetFrameFocusCell(bool frame) { frameFocus_ = frame; }
  bool GetFrameFocusCell() const { return frameFocus_; }
  bool GetGridLines() const { return true; }
  void SetColumnResize(bool allow) { allowColumnResize_ = allow; }
  void SetRowResize(bool allow) { allowRowResize_ = allow; }
  void EnableHiddenColUnhide(bool allow) { allowColHide_ = allow; }
  void EnableHiddenRowUnhide(bool allow) { allowRowHide_ = allow; }
  void SetGridBkColor(platform::ColorRef colour) { gridBkColour_ = colour; }
  platform::ColorRef GetGridBkColor() const { return gridBkColour_; }
  void SetGridLineColor(platform::ColorRef colour) { gridLineColour_ = colour; }
  platform::ColorRef GetGridLineColor() const { return gridLineColour_; }
  void SetTitleTipColours(platform::ColorRef back, platform::ColorRef text) {
    titleTipBack_ = back;
    titleTipText_ = text;
  }

  // The font of every default cell (the window's font).
  void SetFont(const platform::Font& font);
  const platform::Font& GetFont() const;
  // The system colours changed: defaults still in the old system colours
  // take the new ones.
  void OnSysColorChange();

  // -------------------------------------------------------------- geometry
  CCellID GetTopLeftNonFixedCell(bool forceRecalc = false) const;
  CCellRange GetVisibleNonFixedCellRange(platform::Rect* rect = nullptr, bool forceRecalc = false) const;
  bool GetCellOrigin(int row, int col, platform::Point* point) const;
  bool GetCellRect(int row, int col, platform::Rect* rect) const;
  CCellID GetCellFromPt(platform::Point point, bool allowFixedCells = true) const;
  bool IsCellVisible(int row, int col) const;
  bool IsCellVisible(CCellID cell) const { return IsCellVisible(cell.row, cell.col); }
  bool InvalidateCellRect(int row, int col);
  void ResetScrollBars();

  // ------------------------------------------------------------- scrolling
  void OnHScroll(unsigned code, int trackPos = 0);
  void OnVScroll(unsigned code, int trackPos = 0);
  bool SetScrollPos32(int bar, int pos);
  int GetScrollPos32(int bar) const;
  int GetScrollMax(int bar) const { return bar == SB_VERT ? vscrollMax_ : hscrollMax_; }
  int GetScrollPage(int bar) const { return bar == SB_VERT ? vscrollPage_ : hscrollPage_; }
  // The largest position the bar reaches: its maximum less its page.
  int GetScrollLimit(int bar) const;
  void EnableScrollBars(int bar, bool enable);
  bool IsScrollBarShown(int bar) const { return barState_ & (bar == SB_VERT ? 2 : 1); }
  void EnsureVisible(int row, int col);
  void EnsureVisible(CCellID cell) { EnsureVisible(cell.row, cell.col); }
  // The scroll codes of wheel notches (positive: away from the user).
  std::vector<unsigned> WheelScrollCodes(int notches) const;
  void SetRowsPerWheelNotch(int rows) { rowsPerWheelNotch_ = rows; }

  // -------------------------------------------------------------- painting
  virtual void OnDraw(platform::DrawContext& dc);
  void EraseBkgnd(platform::DrawContext& dc);
  // Draws one cell at once with the context, or invalidates it without one.
  bool RedrawCell(int row, int col, platform::DrawContext* dc = nullptr);
  bool RedrawCell(CCellID cell, platform::DrawContext* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }

  // ----------------------------------------------------- focus and selection
  CCellID SetFocusCell(int row, int col);
  CCellID SetFocusCell(CCellID cell) { return SetFocusCell(cell.row, cell.col); }
  CCellID GetFocusCell() const { return idCurrentCell_; }
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false,
                        bool select = true);
  void SetSelectedRange(const CCellRange& r, bool forceRepaint = false, bool select = true) {
    SetSelectedRange(r.minRow, r.minCol, r.maxRow, r.maxCol, forceRepaint, select);
  }
  void SelectAllCells();
  void SelectCells(CCellID cell, bool forceRepaint = false, bool select = true);
  void SelectColumns(CCellID cell, bool forceRepaint = false, bool select = true);
  void SelectRows(CCellID cell, bool forceRepaint = false, bool select = true);
  void OnSelecting(CCellID cell);
  void ResetSelectedRange();
  CCellRange GetSelectedCellRange() const;
  int GetSelectedCount() const { return static_cast<int>(selectedCells_.size()); }
  // The selected cells in row order.
  std::vector<CCellID> GetSelectedCells() const;
  virtual void OnFixedColumnClick(CCellID cell);
  virtual void OnFixedRowClick(CCellID cell);

  int GetMouseMode() const { return mouseMode_; }
  void SetMouseMode(int mode) { mouseMode_ = mode; }
  CCellID GetSelectionStartCell() const { return selectionStartCell_; }
  void SetSelectionStartCell(CCellID cell) { selectionStartCell_ = cell; }
  CCellID GetLeftClickDownCell() const { return leftClickDownCell_; }
  // The Ctrl-click selection that a new selection is added to.
  void RememberSelection(bool keep);

  // --------------------------------------------------------------- editing
  virtual void OnEditCell(int row, int col, platform::Point point, unsigned firstKey);
  // The editor ended with its text and the key that ended it (0: the focus
  // went elsewhere); a navigation key moves on and edits the next cell.
  void OnEndInPlaceEdit(int row, int col, const std::string& text, unsigned lastKey);
  virtual void OnEndEditCell(int row, int col, const std::string& text);
  virtual bool ValidateEdit(int row, int col, std::string_view text);
  virtual void EndEditing();
  // Paste, cut and delete: asks the owner first and after; refused or
  // invalid texts are set back.
  void ModifyCellText(int row, int col, std::string_view text);

  // ------------------------------------------------------------------ keys
  // The held Shift and Ctrl keys (MK_SHIFT, MK_CONTROL) of the key or mouse
  // message being handled.
  void SetKeyState(unsigned keys) { keyState_ = keys; }
  unsigned GetKeyState() const { return keyState_; }
  virtual void OnKeyDown(unsigned key, unsigned repeat = 1, unsigned flags = 0);
  void OnChar(unsigned ch);

  // ------------------------------------------------------------- clipboard
  // The selection as text: cells joined by tabs, rows by CR LF; none when
  // nothing is selected.
  virtual std::optional<std::string> CopyTextFromGrid() const;
  virtual void OnEditCopy();
  virtual void CutSelectedText();
  virtual void OnEditCut();
  virtual void OnEditPaste();
  // Places tab-separated lines from the cell on; none: nothing to paste.
  // The cells that received a field go to `covered` when it is given.
  virtual bool PasteTextToGrid(CCellID cell, const std::optional<std::string>& text, bool selectPasted,
                               std::set<std::pair<int, int>>* covered = nullptr);
  virtual void OnEditSelectAll();
  bool CanEditCopy() const { return GetSelectedCount() > 0; }
  bool CanEditCut() const { return editable_ && GetSelectedCount() > 0; }
  bool CanEditPaste() const;
  bool CanEditSelectAll() const { return enableSelection_; }

  // --------------------------------------------------------- drag and drop
  // `data` is the dragged text; none when the data offers no text.
  virtual void OnBeginDrag();
  virtual unsigned OnDragEnter(const std::optional<std::string>& data, unsigned keyState, platform::Point point);
  virtual unsigned OnDragOver(const std::optional<std::string>& data, unsigned keyState, platform::Point point);
  virtual void OnDragLeave();
  virtual bool OnDrop(const std::optional<std::string>& data, unsigned dropEffect, platform::Point point);

  // ------------------------------------------------------------------ owner
  // Sends a notification with the cell; the owner's reply (0 without one).
  int NotifyOwner(int code, int row, int col);
  int NotifyOwner(int code, CCellID cell) { return NotifyOwner(code, cell.row, cell.col); }

  // ---------------------------------------------------- the plain model's window
  // Gives the plain model a client area (and with it a window).
  void SetClientSize(int width, int height);

  // Called by the cells.
  virtual CGridEditor* CreateInPlaceEdit(const platform::Rect& rect, unsigned style, int id, int row, int col,
                                         const std::string& text, unsigned firstKey) {
    return nullptr;
  }

 protected:
  virtual CGridCellBase* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);

  // ------------------------------------------------- the window side (hooks)
  virtual bool HasWindow() const { return hasClient_; }
  virtual platform::Rect GetClientRect() const { return {0, 0, clientWidth_, clientHeight_}; }
  virtual int GetControlId() const { return 0; }
  // Marks a client rectangle (right and bottom outside) for repainting; null
  // for the whole client area.
  virtual void InvalidateRect(const platform::Rect* rect) {}
  // Ranges, pages, positions or the shown bars changed.
  virtual void ScrollBarsChanged() {}
  // The vertical bar's width and the horizontal bar's height.
  virtual platform::Size ScrollBarExtent() const { return {16, 16}; }
  virtual int SendToOwner(const GridMessage& message) { return 0; }
  virtual void PostToOwner(const GridMessage& message) {}
  virtual void HideTitleTip() {}
  virtual bool PutOnClipboard(const std::string& text) { return false; }
  virtual std::optional<std::string> GetClipboardText() const { return std::nullopt; }
  // Runs the drag of the text; gives the effect the drop took.
  virtual unsigned DoDragDrop(const std::string& text, unsigned allowedEffects) { return DROPEFFECT_NONE; }

  // One direction of the table: rows (heights) or columns (widths).
  int SizeAlong(bool rows, int index) const { return rows ? GetRowHeight(index) : GetColumnWidth(index); }
  int CountAlong(bool rows) const { return rows ? rows_ : cols_; }
  int FixedAlong(bool rows) const { return rows ? fixedRows_ : fixedCols_; }
  int FixedExtentAlong(bool rows) const { return rows ? GetFixedRowHeight() : GetFixedColumnWidth(); }
  // Where a row or column starts in the client area; none when it is
  // scrolled out. The sum stops once it reaches `limit`.
  std::optional<int> OriginAlong(bool rows, int index, int limit = INT_MAX) const;
  // The row or column at a client position; -1 for none.
  int IndexAtAlong(bool rows, int pos, bool allowFixedCells) const;

  bool IsShiftDown() const { return keyState_ & MK_SHIFT; }
  bool IsCtrlDown() const { return keyState_ & MK_CONTROL; }

  // ------------------------------------------------------------------ data
  platform::ColorRef gridBkColour_;
  platform::ColorRef gridLineColour_ = platform::RGB(192, 192, 192);
  platform::ColorRef crWindowText_, crWindowColour_, cr3DFace_, crShadow_;
  platform::ColorRef titleTipBack_ = CLR_DEFAULT;
  platform::ColorRef titleTipText_ = CLR_DEFAULT;
  bool editable_ = true;
  bool modified_ = false;
  bool allowDragAndDrop_ = false;
  bool allowDraw_ = true;
  bool enableSelection_ = true;
  bool fixedColumnSelection_ = true;
  bool fixedRowSelection_ = true;
  bool handleTabKey_ = true;
  bool doubleBuffer_ = true;
  bool titleTips_ = true;
  int barState_ = 0;  // 1 horizontal, 2 vertical
  bool allowColHide_ = true;
  bool allowRowHide_ = true;
  bool trackFocusCell_ = true;
  bool frameFocus_ = true;
  int autoSizeStyle_ = 3;
  int rows_ = 0;
  int fixedRows_ = 0;
  int cols_ = 0;
  int fixedCols_ = 0;
  std::vector<int> rowHeights_;
  std::vector<int> colWidths_;
  int vscrollMax_ = 0;
  int hscrollMax_ = 0;
  int vscrollPage_ = 0;
  int hscrollPage_ = 0;
  int vscrollPos_ = 0;
  int hscrollPos_ = 0;
  // Non-fixed, fixed column, fixed row, corner.
  CGridDefaultCell defaults_[4];
  std::vector<std::vector<std::unique_ptr<CGridCellBase>>> rowData_;
  int mouseMode_ = MOUSE_NOTHING;
  bool leftMouseButtonDown_ = false;
  platform::Point leftClickDownPoint_;
  platform::Point lastMousePoint_;
  CCellID leftClickDownCell_;
  CCellID selectionStartCell_;
  CCellID idCurrentCell_;
  mutable CCellID idTopLeftCell_;
  int resizeCaptureRange_ = 3;
  bool allowRowResize_ = true;
  bool allowColumnResize_ = true;
  int rowsPerWheelNotch_ = 3;
  // Keyed on (row, column), so any size of table fits.
  std::map<std::pair<int, int>, CCellID> selectedCells_;
  std::map<std::pair<int, int>, CCellID> prevSelectedCells_;
  CCellID lastDragOverCell_;
  unsigned keyState_ = 0;

 private:
  void InitDefaultCells();
  bool SetFixedCount(bool rows, int fixed);
  void OnScroll(int bar, unsigned code, int trackPos);
  // Sets the edited text; when it does not validate or the owner refuses
  // it, the old text goes back.
  void StoreEditedText(int row, int col, std::string_view text, const std::string& old);
  void ForgetTopLeft() { idTopLeftCell_ = CCellID(); }
  bool ScrollBy(int bar, int newPos);  // sets, gives whether it moved
  void ScrollOnKey(int bar, unsigned code, bool& requested);
  int NextVisibleRow(int row, int step, int stop) const;

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  bool hasClient_ = false;
  // A move drag of our own selection: where its source was and what a drop
  // into this grid covered.
  struct OwnDrag {
    std::vector<CCellID> source;
    bool dropped = false;
    std::set<std::pair<int, int>> covered;
  };
  std::optional<OwnDrag> ownDrag_;
};
