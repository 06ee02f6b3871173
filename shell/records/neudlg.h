#pragma once
// CNeuDlg: the test number and material definition of a new record
// (command 1003), or another material for an existing record (command 9216,
// reassignment). The mode comes from the command that opens the dialog:
// a reassignment never touches the record's ID, basic data, statuses or
// sieving fields and offers only definitions of the record's sieve tower.
//
//   CNeuDlg dlg(record, CNeuDlg::Mode::kNewRecord, view);
//   dlg.SetIconCommand(1174);
//   if (dlg.DoModal() == IDOK) ...   // the record's fields are written
//
// The dialog only moves texts between its controls and the record work
// (records/newrecord.h); it owns the definitions its lists show.
#include <string>

#include "records/newrecord.h"
#include "services/cpvdialog.h"

class CMaterialListCtrl;
class CRestrictEdit;

class CNeuDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 543;
  enum : int {
    kMaterialDefinitionsButton = 3,
    kDefinedList = 101,
    kDbList = 1001,
    kDefinedChoice = 1018,
    kDbChoice = 1019,
    kNumberEdit = 1033,
    kPlantName = 1060,
    kOperatorName = 1061,
    kPrefix = 1063,
  };
  enum class Mode { kNewRecord, kReassignment };

  // The record (not owned) receives the fields on OK.
  CNeuDlg(CVersuch* record, Mode mode, QWidget* parent = nullptr);
  ~CNeuDlg() override;

  Mode mode() const { return mode_; }
  // 0: the plant's own definitions (list 101); 1: the built-in ones (1001).
  int ListChoice() const { return listChoice_; }
  const std::string& MaterialErrorText() const { return materialError_; }
  CMaterialListCtrl* definedList() const { return definedList_; }
  CMaterialListCtrl* dbList() const { return dbList_; }

  // The open plant's prefix followed by the number is not a test number of the list.
  bool IsTestNumberFree(const std::string& number) const;
  // The selected definition of the list shown; null for none or a heading.
  CMatDef* GetSelectedMaterial() const;
  // Reads the plant's definitions into both lists; false (lists empty) when
  // the file cannot be read.
  bool FillMaterialLists();
  // Writes the record's fields for the material, as the mode allows.
  bool CreateTestRecordFields(CMatDef* material);

  void OnMaterialdefinitionen();
  void OnListChoice();
  void OnNMDblClkMaterialList();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void SaveListWidths();

  CVersuch* record_;
  Mode mode_;
  CMaterialListCtrl* definedList_ = nullptr;
  CMaterialListCtrl* dbList_ = nullptr;
  CRestrictEdit* numberEdit_ = nullptr;
  std::string number_;
  int listChoice_ = -1;
  std::string materialError_;
  MaterialListRows rows_;  // the definitions the rows point to
};
