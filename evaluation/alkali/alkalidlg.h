#pragma once
// CAlkaliDlg: entry of the alkali-sensitive constituents (template 504). The
// opener hands in the test number, field 24, the fraction masses of the
// sieving (field 27 part 0) and the material's "VA_ALKALI" entry; the dialog
// recomputes when a cell loses the focus, after a paste and at OK, and gives
// back the new field 24 and the status.
//
// Clipboard keys, seen before the focused cell handles them: Ctrl+Shift+C
// copies the 54 flag cells as one tab-separated line; Shift+Insert and
// Ctrl+Shift+V paste such a line into them. A text without a tab is pasted
// into the focused cell alone, as any paste would.
#include <optional>
#include <string>

#include "evaluation/alkali/alkali.h"
#include "evaluation/frame/entrydialog.h"

class CAlkaliDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 504;
  enum : int {
    kFirstFractionMass = 1000,   // f = 0 .. 7
    kFirstFractionShare = 1010,  // f = 0 .. 7
    kOverallO = 1020,
    kOverallOF = 1021,
    kGrainGroup1 = 1022,
    kGrainGroup2 = 1023,
    kRequiredO = 1024,
    kRequiredOF = 1025,
    kMarkMet = 1026,
    kMarkNotMet = 1027,
  };
  static constexpr int CellId(int sizeClass, int row) { return 2000 + sizeClass * 100 + row; }
  static constexpr int MarkId(int sizeClass, int classRow) { return 3000 + sizeClass * 10 + classRow; }
  // The orange of a cell whose input is missing.
  static constexpr platform::ColorRef kMissingColor = platform::RGB(255, 128, 64);

  explicit CAlkaliDlg(QWidget* parent = nullptr);
  ~CAlkaliDlg() override;

  // In: the test number, field 24, field 27 part 0 and the "VA_ALKALI" entry.
  // Out (on OK): the new field 24 and the TestStatus character.
  std::string m_TestNumber;
  std::string m_Data;
  std::string m_FractionMasses;
  std::string m_SideTestEntry;
  std::string m_Status;

  // The last computation (after OK: the one OK made).
  const AlkaliResult& Result() const { return result_; }

  void ComputeAll();
  void CopyCells();
  // Pastes the clipboard: a cell block into the 54 cells (then recomputes),
  // other text into the cell that has the focus (`target`, else the focus widget).
  void PasteCells(QWidget* target = nullptr);

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeAll(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  AlkaliInput ReadInputs() const;
  AlkaliCells ReadCells() const;

  AlkaliInput stored_;
  AlkaliResult result_;
};

// The alkali dialog for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditAlkaliConstituents(CVersuch& record, QWidget* parent);
