#pragma once
// CExListCtrl: the main test list. One row per record, the cell texts from a
// model, the "Status" column (logical column 1) drawn as one coloured bar per
// test key of the record followed by the record marks, and a small popup with
// the record's internal remark while the mouse rests on the remark mark.
//
// The list is a view over a model; it draws only the visible rows and reads
// each record through the model when it draws it:
//
//   auto* list = new CExListCtrl(formView);
//   list->setModel(recordModel);       // QAbstractTableModel, one row per record
//   list->SetFontScale(130, 130);      // after the parent's font is final
//
// The model gives, per cell:
//   Qt::DisplayRole      the cell's text (QString; the "Status" column's text
//                        is not drawn)
//   kRecordPointerRole   the row's record in every column:
//                        QVariant::fromValue(static_cast<void*>(record))
// and the column captions through headerData(section, Qt::Horizontal,
// Qt::DisplayRole). A row whose record pointer is missing draws its texts only.
// When a record changes, the model emits dataChanged for its row; the list
// repaints that row. The list never sorts itself: a header click only emits
// ColumnClicked.
//
// Signals, each for the notification the main view acts on:
//   SelectionChanged()           the set of selected rows or the focused row
//                                changed; one click may give two (selection
//                                and focus), a select-all gives one: the
//                                receiver coalesces them
//   RowDoubleClicked(row)        double click on a row (never beside the
//                                rows), or Enter with a focused row
//   RowRightClicked(row, global) right click on a row, with the cursor's
//                                global position for a context menu
//   ContextMenuKey()             the Menu key or Shift+F10 (the receiver
//                                places the menu, see RowMenuPosition)
//   ListKeyDown(key, modifiers)  every key pressed in the list, before the
//                                list's own handling (Qt::Key values). F12,
//                                Alt+1 to Alt+9 and Scroll Lock are left to the
//                                receiver: the list does nothing more with them.
//   ColumnClicked(column)        click on a column header (logical column)
//
// Selection: whole rows, several at once (Ctrl, Shift); the columns can be
// dragged to another place in the header. Home and End (with Ctrl too) select
// the first and the last row, with Shift up to it; Tab leaves the list. SelectedRows(),
// FocusedRow() and RecordAt() read it back. The record's own selection flag
// (CVersuch::m_selected) only chooses the colour of a selected row.
//
// The remark popup belongs to the list (RemarkPopup()); it never takes the
// focus and hides when the mouse leaves the remark mark or the list, when the
// window is deactivated and when the list scrolls.
#include <QPoint>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

#include "platform/drawtypes.h"

class CVersuch;
class CAnzeigeBermerkungDlg;

// The model role that carries a row's record (as void*, pointing to a CVersuch).
constexpr int kRecordPointerRole = Qt::UserRole + 1;

// The logical column of the status bars and record marks.
constexpr int kStatusColumn = 1;
// The logical column whose text is blue for a track-ballast record.
constexpr int kMaterialNameColumn = 4;

// The record of a model index (null without one).
CVersuch* RecordOfIndex(const QModelIndex& index);

// Two record marks as the status cell paints them, in the painter's font
// within the rows top to bottom: "Stat" struck through from x (within the
// strike, clear of the tick behind it) and the remark mark at x. Also for
// pictures of them elsewhere.
class QPainter;
void DrawNoStatisticsMark(QPainter& painter, int x, int top, int bottom);
void DrawRemarkMark(QPainter& painter, int x, int top, int bottom);

// A report list whose font and row height are scaled in percent of the
// parent's font.
class JListCtrl : public QTableView {
  Q_OBJECT

 public:
  explicit JListCtrl(QWidget* parent = nullptr);
  ~JListCtrl() override;

  // Scales the list's font (fontPercent of the parent's font height) and its
  // row height (rowPercent of the height the list proposes for that font).
  void SetFontScale(int fontPercent, int rowPercent);
  int FontPercent() const { return fontPercent_; }
  int RowPercent() const { return rowPercent_; }
  // The row height in pixels.
  int RowHeight() const;

 protected:
  // The row height the list proposes for its current font.
  int ProposedRowHeight() const;
  void MeasureRows();
  void changeEvent(QEvent* event) override;

 private:
  int fontPercent_ = 100;
  int rowPercent_ = 100;
  int scaledFontPixels_ = 0;  // 0 until SetFontScale
};

// Draws the rows of a CExListCtrl: one cell at a time, from the record.
class CExListDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit CExListDelegate(QObject* parent = nullptr);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class CExListCtrl : public JListCtrl {
  Q_OBJECT

 public:
  explicit CExListCtrl(QWidget* parent = nullptr);
  ~CExListCtrl() override;

  void setModel(QAbstractItemModel* model) override;

  // The record of a row (null for a row without one or out of range).
  CVersuch* RecordAt(int row) const;
  // Selected rows in ascending order.
  std::vector<int> SelectedRows() const;
  // The row with the keyboard focus, -1 without one.
  int FocusedRow() const;
  // Repaints every visible cell of the row.
  void RepaintRow(int row);
  // The mean width of a digit of the list's font.
  double DigitWidth() const;
  // The width the status column needs for its marks (the remark mark last).
  int StatusMarksWidth() const;
  // Where a context menu of the row opens from the keyboard (global, just
  // below the row's beginning); the row is scrolled into view first.
  QPoint RowMenuPosition(int row);

  CAnzeigeBermerkungDlg* RemarkPopup() const { return popup_; }
  // The row whose remark the popup shows or last showed; -1 for none.
  int RememberedRemarkRow() const { return remarkRow_; }

 signals:
  void SelectionChanged();
  void RowDoubleClicked(int row);
  void RowRightClicked(int row, const QPoint& globalPos);
  void ListKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void ContextMenuKey();
  void ColumnClicked(int column);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
  bool viewportEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // Runs the remark popup for the mouse at a viewport position.
  void TrackRemark(const QPoint& viewportPos, const QPoint& globalPos);
  void HideRemark();
  void ConnectSelection();

  CAnzeigeBermerkungDlg* popup_ = nullptr;
  int remarkRow_ = -1;
};
