#pragma once
// CMaterialListCtrl: a list of material definitions in ten fixed columns,
// one row per definition (the row points to it; the dialog owns it), heading
// rows without a definition, and sorting by a click on a column header.
//
//   list->InitColumns();
//   list->RestoreColumnWidths("spaltenbreiten", "materialListctrl2_spalten", "0;185;86;87;233");
//   list->InsertTextRow(0, " Gleisschotter");       // a heading
//   list->InsertMatDef(1, definition);               // CMatDef*, not owned
//   CMatDef* chosen = list->GetSelectedMatDef();     // null for none or a heading
//
// The direction of the last sort of each column is shared by every material
// list of the program: the first click on a column sorts it ascending, the
// next descending. Texts compare case-insensitively; a heading row compares
// as a row of empty texts.
#include <array>
#include <string>

#include "controls/perslistctrl.h"

class CMatDef;

class CMaterialListCtrl : public CPersListCtrl {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 10;
  // 100: the column's last sort was ascending; 0: descending or none yet.
  static constexpr int kAscending = 100;

  explicit CMaterialListCtrl(QWidget* parent = nullptr);
  ~CMaterialListCtrl() override;

  // The value key of CMatDef that a column shows ("" for the "Status" column).
  static const char* ColumnKey(int column);

  // The ten columns with their translated headings.
  void InitColumns();
  // A row for the definition at the index; its texts also go into the
  // definition's shown texts, which the sort compares.
  int InsertMatDef(int index, CMatDef* definition);
  // A heading row: the text in column 1, no definition.
  int InsertTextRow(int index, const std::string& text);
  CMatDef* MatDefAt(int row) const;
  // The definition of the first selected row; null when none is selected or
  // the row is a heading.
  CMatDef* GetSelectedMatDef() const;

  // A click on a column header: the column's direction flips and the rows
  // are sorted by it.
  void OnColumnClick(int column);

  // -1, 0 or 1: how the rows of two definitions (null: a heading) compare for
  // the sort value (column + direction).
  static int CompareMatDefs(const CMatDef* a, const CMatDef* b, int value);
  static int SortDirection(int column);
  // Every column back to "not yet sorted" (a new run of the program).
  static void ResetSortDirections();

 private:
  static std::array<int, kColumnCount>& Directions();
};
