#pragma once
// The two entry dialogs of the composition of recycled material:
// CZusammRecycDlg (eleven constituents named by the material, each with its
// requirement, and the floating particles) and CZusammRecycDBKGDlg (ten
// freely named constituents of a grading mixture, no requirements).
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/rczusammensetzung/zusammrecyc.h"

// What both forms share: the controls of a row's name, mass and share and
// of the sums, the test number and field 15 as input, and a computation on
// every change that leaves nothing to take on OK.
class CRecycSheetDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int NameId(int row) { return 1100 + row; }
  static constexpr int MassId(int row) { return 1200 + row; }
  static constexpr int ShareId(int row) { return 1300 + row; }
  enum : int {
    kMassSum = 1001,
    kShareSum = 1002,
    kFirstLabel = 1010,
  };

  std::string m_TestNumber;
  std::string m_Result;

  virtual void ComputeZusammensetzung() = 0;

 protected:
  CRecycSheetDlg(int templateId, QWidget* parent) : CEntryDialog(templateId, parent) {}
  void Recompute() override { ComputeZusammensetzung(); }
  // The masses of the rows, named by the mass heading and the row's name.
  void MassFields(int rows);
  static std::vector<FieldFault> MassFaults(const InputFaults& faults);
  bool TakeResult() override { return true; }
};

class CZusammRecycDlg : public CRecycSheetDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 612;
  static constexpr int CodeId(int row) { return 1400 + row; }
  static constexpr int MarkId(int row) { return 1500 + row; }

  explicit CZusammRecycDlg(QWidget* parent = nullptr);
  ~CZusammRecycDlg() override;

  // In besides: the material's "VA_RCZUS" entry.
  std::string m_SideTestEntry;

  const RecycResult& Result() const { return result_; }
  void LoadResult();
  void ComputeZusammensetzung() override;

 protected:
  bool OnInitDialog() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  RecycInput stored_;
  RecycResult result_;
};

class CZusammRecycDBKGDlg : public CRecycSheetDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 613;

  explicit CZusammRecycDBKGDlg(QWidget* parent = nullptr);
  ~CZusammRecycDBKGDlg() override;

  bool m_Preset = false;  // "Altschotter" and "Neuschotter" for a new test

  const MixtureResult& Result() const { return result_; }
  void SetDefaultNames();
  void ComputeZusammensetzung() override;

 protected:
  bool OnInitDialog() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  MixtureResult result_;
};

// The standard form, and the form of the built-in grading mixtures.
std::optional<TestEntryResult> EditRecycledComposition(CVersuch& record, QWidget* parent);
std::optional<TestEntryResult> EditRecycledCompositionMixture(CVersuch& record, QWidget* parent);
