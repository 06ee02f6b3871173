#pragma once
// The two entry dialogs of the composition of recycled material:
// CZusammRecycDlg (eleven constituents named by the material, each with its
// requirement, and the floating particles) and CZusammRecycDBKGDlg (ten
// freely named constituents of a grading mixture, no requirements).
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/rczusammensetzung/zusammrecyc.h"

class CZusammRecycDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 612;
  static constexpr int NameId(int row) { return 1100 + row; }
  static constexpr int MassId(int row) { return 1200 + row; }
  static constexpr int ShareId(int row) { return 1300 + row; }
  static constexpr int CodeId(int row) { return 1400 + row; }
  static constexpr int MarkId(int row) { return 1500 + row; }
  enum : int {
    kMassSum = 1001,
    kShareSum = 1002,
    kFirstLabel = 1010,
  };

  explicit CZusammRecycDlg(QWidget* parent = nullptr);
  ~CZusammRecycDlg() override;

  // In: the test number, field 15 and the material's "VA_RCZUS" entry.
  std::string m_TestNumber;
  std::string m_Result;
  std::string m_SideTestEntry;

  const RecycResult& Result() const { return result_; }
  void LoadResult();
  void ComputeZusammensetzung();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeZusammensetzung(); }
  bool TakeResult() override { return true; }

 private:
  RecycInput stored_;
  RecycResult result_;
};

class CZusammRecycDBKGDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 613;
  static constexpr int NameId(int row) { return 1100 + row; }
  static constexpr int MassId(int row) { return 1200 + row; }
  static constexpr int ShareId(int row) { return 1300 + row; }
  enum : int {
    kMassSum = 1001,
    kShareSum = 1002,
    kFirstLabel = 1010,
  };

  explicit CZusammRecycDBKGDlg(QWidget* parent = nullptr);
  ~CZusammRecycDBKGDlg() override;

  std::string m_TestNumber;
  std::string m_Result;
  bool m_Preset = false;  // "Altschotter" and "Neuschotter" for a new test

  const MixtureResult& Result() const { return result_; }
  void SetDefaultNames();
  void ComputeZusammensetzung();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeZusammensetzung(); }
  bool TakeResult() override { return true; }

 private:
  MixtureResult result_;
};

// The standard form, and the form of the built-in grading mixtures.
std::optional<TestEntryResult> EditRecycledComposition(CVersuch& record, QWidget* parent);
std::optional<TestEntryResult> EditRecycledCompositionMixture(CVersuch& record, QWidget* parent);
