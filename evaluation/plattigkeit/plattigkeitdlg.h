#pragma once
// CPlattigkeitDlg: entry of the flakiness index (template 547). The opener
// hands in field 23, the two sieve masses and the requirement code; after OK
// the result text (parts 0 to 7), the index, the status and the masses are
// taken from a recomputation of what the dialog shows.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/plattigkeit/plattigkeit.h"

class CPlattigkeitDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 547;
  static constexpr int kIconCommand = 9215;
  enum : int {
    kM0 = 1001,
    kRetained80 = 1002,
    kPassing4 = 1003,
    kDiscarded = 1004,
    kM1 = 1005,
    kM2 = 1006,
    kIndex = 1007,
    kRequirement = 1008,
    kStatusMark = 1009,
    kLossCheck = 1010,
    kFirstRi = 1020,         // rows 0 to 12
    kFirstMi = 1040,
    kFirstFli = 1060,
    kFirstClass = 1080,
    kFirstSlotWidth = 1100,
  };

  explicit CPlattigkeitDlg(QWidget* parent = nullptr);
  ~CPlattigkeitDlg() override;

  // In: the requirement code. Out (on OK): the index as shown, the requirement
  // state (0 none, 1 met, 2 not met) and the TestStatus character.
  std::string m_Requirement;
  std::string m_IndexText;
  int m_RequirementState = kNoRequirement;
  std::string m_Status;
  // In: all of field 23; out: its parts 0 to 7.
  std::string m_ResultText;
  std::string m_TestNumber;  // shown in the title as the other tests show it
  // In and out: field 23 parts 11 and 12.
  std::string m_Retained80;
  std::string m_Passing4;
  // The sum of the two, as shown.
  std::string m_Discarded;

  // The last computation (after OK: the one OK made).
  const FlakinessResult& Result() const { return result_; }

  void ComputeFlakiness();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeFlakiness(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  FlakinessInput ReadInputs() const;
  FlakinessResult result_;
};

// The flakiness dialog for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditFlakiness(CVersuch& record, QWidget* parent);
