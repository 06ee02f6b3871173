#pragma once
// CPersListCtrl: a report list (rows of texts under a header) whose column
// widths the user adjusts and finds again. The dialog sets the columns up,
// then restores the widths from one profile string; the list writes them
// back when it goes (and whenever the dialog asks).
//
//   auto* list = new CPersListCtrl(dialog);            // or promoted in a .ui
//   list->InsertColumn(0, "Status");
//   list->InsertColumn(1, TranslateString(6442, "Bezeichnung"));
//   list->RestoreColumnWidths("spaltenbreiten", "Mischverwaltung", "0;85;95;70;170;304;");
//   int row = list->InsertItem(list->GetItemCount(), "");
//   list->SetItemText(row, 1, "Beton A");
//   list->SetItemData(row, reinterpret_cast<quintptr>(info));
//
// The width text holds each column's width in pixels followed by ";"
// ("0;185;86;87;233"; the last ";" may be missing). Reading stops at the
// first empty part; parts beyond the last column change nothing.
//
// The profile is the application's: it installs the functions with
// SetColumnWidthProfile. Without them the default text is read and nothing
// is written.
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

struct ColumnWidthProfile {
  std::function<std::string(const std::string& section, const std::string& key, const std::string& defaultText)>
      read;
  std::function<void(const std::string& section, const std::string& key, const std::string& text)> write;
};
void SetColumnWidthProfile(ColumnWidthProfile profile);

// The widths of a width text, up to its first empty part (a part that is no
// number gives 0, as atoi reads it).
std::vector<int> ParseColumnWidthText(const std::string& text);
// "%d;" for every width.
std::string FormatColumnWidthText(const std::vector<int>& widths);

class CPersListCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CPersListCtrl(QWidget* parent = nullptr);
  // Writes the widths (when section and key are known).
  ~CPersListCtrl() override;

  // Remembers section and key and applies the stored widths (or the default).
  void RestoreColumnWidths(const std::string& section, const std::string& key, const std::string& defaultText);
  // Writes the width of every column; only with section and key.
  void SaveColumnWidths();
  const std::string& section() const { return section_; }
  const std::string& key() const { return key_; }

  // ---- the list as the dialogs use it
  // Inserts a column at the index (width < 0: the list's default).
  void InsertColumn(int column, const std::string& heading, int width = -1);
  int GetColumnCount() const { return columnCount(); }
  int GetColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  // Inserts a row with the text in column 0 at the index (kept within the
  // rows); gives the row used.
  int InsertItem(int index, const std::string& text);
  int GetItemCount() const { return topLevelItemCount(); }
  void SetItemText(int row, int column, const std::string& text);
  std::string GetItemText(int row, int column) const;
  // A value the row carries for its owner (0 when none).
  void SetItemData(int row, quintptr data);
  quintptr GetItemData(int row) const;
  void DeleteItem(int row);
  void DeleteAllItems() { clear(); }
  // Selected rows in ascending order.
  std::vector<int> SelectedRows() const;
  // Selects the one row and gives it the focus.
  void SelectOnly(int row);

  // Reorders the rows by a comparison of their data (a strict weak order);
  // equal rows keep their order. Selection and focus move with the rows.
  void SortRows(const std::function<bool(quintptr a, quintptr b)>& less);

 private:
  std::string section_;
  std::string key_;
};
