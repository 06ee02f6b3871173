#pragma once
// The plant selection dialog (538): shows the rows of a PlantSelection, lets
// the user give a plant a data folder (the "..." button in the folder
// column), order the rows by hand or by a column, and open one plant. It
// opens with the first plant chosen.
#include <string>

#include "services/cpvdialog.h"
#include "shell/start/werkauswahl.h"

class QTreeWidget;

class CWerkauswahlDlg : public CpvDialog {
  Q_OBJECT

 public:
  // Works on the selection (not owned), which must be loaded.
  explicit CWerkauswahlDlg(PlantSelection& selection, QWidget* parent = nullptr);
  ~CWerkauswahlDlg() override;

  // The list's selected row, -1 for none; selecting -1 clears it.
  int SelectedRow() const;
  void SelectRow(int row);
  // The row that was opened with OK, -1 until then.
  int OpenedPlant() const { return opened_; }
  QTreeWidget* PlantList() const { return list_; }

  void OnBnClickedUp();
  void OnBnClickedDown();
  void OnBnClickedOwnOrder();
  void OnColumnClickPlantList(int column);
  // The "..." button of a row's folder cell: browse for the plant's folder.
  void OnFolderButton(int row);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refill(int selectRow);
  // Refills after a reordering; the plant that was selected stays selected.
  void RefillKeepingSelection(const std::string& selectedKey);
  std::string SelectedKey() const;
  void OnItemChanged();
  // The name, operator and date columns as wide as their texts (once: the
  // user may change them).
  void FitColumns();

  PlantSelection& selection_;
  QTreeWidget* list_ = nullptr;
  int opened_ = -1;
};
