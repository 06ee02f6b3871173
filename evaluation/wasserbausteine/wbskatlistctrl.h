#pragma once
// CWBSKatListCtrl: the requirement list of both armourstone data pages. A
// report list of a few fixed rows whose every row is filled in one colour by
// the text of its fulfilment column (column 4): light green for "ja", light
// red for "nein" (as shown in the language of the user interface), the
// button face otherwise.
//
//   auto* list = new CWBSKatListCtrl(page);
//   list->SetColumns({{"Sieb [mm]", 100}, {"Ist [%]", 100}, ...}, 5);
//   list->SetFontScale(130, 130);
//   list->SetItemText(0, 4, WBSShownWord("ja"));
#include <string>
#include <utility>
#include <vector>

#include "controls/exlistctrl.h"
#include "platform/drawtypes.h"

class QStandardItemModel;

// The colour of a row by the text of its column 4.
platform::ColorRef WBSKatRowColour(const std::string& fulfilment);

class CWBSKatListCtrl : public JListCtrl {
  Q_OBJECT

 public:
  explicit CWBSKatListCtrl(QWidget* parent = nullptr);
  ~CWBSKatListCtrl() override;

  // The column headings and widths (pixels; 0 hides a column) and the
  // number of rows, all empty.
  void SetColumns(const std::vector<std::pair<std::string, int>>& columns, int rows);
  std::string GetItemText(int row, int column) const;
  void SetItemText(int row, int column, const std::string& text);
  // Empties every cell.
  void ClearCells();
  // The colour row is drawn in.
  platform::ColorRef RowColour(int row) const;

 private:
  QStandardItemModel* model_;
};
