#pragma once
// CPvGridCtrl: the grid that the program's dialogs embed: a one-call set-up
// of a table with header rows, header texts and column widths from string
// resources, a text setter that changes a cell only when the text differs, a
// switch between editable and read-only cells with their colours, a number
// reader that normalises the cell's text, and Ctrl+U, which sends command
// 800 to the window that holds the grid.
//
//   grid->InitGrid(5, 222, 2);                       // drawing stays off
//   const int widths[] = {50, 70, 70, 70, 85};
//   grid->SetHeaderRows(widths, 67102, 67103);
//   grid->SetCellEditable(row, 3, false);            // a computed column
//   grid->SetRedraw(true, true);
//   grid->SetModified(false);                        // the next change is reported once
//   double length = grid->GetCellNumber(row, 1, 1);  // "12,5" reads 12.5 and shows "12.5"
#include <span>
#include <string_view>

#include "controls/grid/gridctrl.h"

class CPvGridCtrl : public CGridCtrl {
  Q_OBJECT

 public:
  static constexpr platform::ColorRef kCellBack = platform::RGB(255, 255, 224);
  static constexpr platform::ColorRef kReadOnlyBack = platform::RGB(220, 220, 190);
  static constexpr platform::ColorRef kGridBack = platform::RGB(192, 192, 192);
  static constexpr int kCommandCtrlU = 800;

  explicit CPvGridCtrl(QWidget* parent = nullptr);

  // Modified preset (filling sends no notice), drawing off, editable, list
  // mode off, drag and drop on, Tab left to the dialog, the colours, the
  // counts and one fixed column. False when memory ran out.
  bool InitGrid(int columns, int rows, int fixedRows);
  // Header rows 0 to 2 column by column from the tab-separated texts of the
  // ids (0 or less: the row stays); the widths walk along the columns, the
  // last one that is not 0 serving the rest; a first width 0 sets none.
  void SetHeaderRows(std::span<const int> widths, int textId1, int textId2 = 0, int textId3 = 0);
  // True without a change when the text is the same.
  bool SetCellText(int row, int col, std::string_view text);
  // Read-only cells take their own background; the text is set when given.
  void SetCellEditable(int row, int col, bool editable, const char* text = nullptr);
  // The cell's number to the decimals; its text is rewritten normalised.
  double GetCellNumber(int row, int col, int decimals);

  void OnKeyDown(unsigned key, unsigned repeat = 1, unsigned flags = 0) override;
};
