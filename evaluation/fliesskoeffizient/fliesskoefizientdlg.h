#pragma once
// CFliesskoefizientDlg: entry of the flow coefficient (template 518). The
// captions with lowered indices and the ρ are right-aligned markup statics.
#include <optional>
#include <string>

#include "evaluation/fliesskoeffizient/fliesskoeffizient.h"
#include "evaluation/frame/entrydialog.h"

class CFliesskoefizientDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 518;
  enum : int {
    kFirstTime = 1001,  // five flow times
    kEcsm = 1010,
    kEcse = 1011,
    kEcs = 1012,
    kDensity = 1013,
    kRequirement = 1014,
    kStatusMark = 1015,
    kTimesLabel = 1101,
    kEcsmLabel = 1102,
    kEcseLabel = 1103,
    kEcsLabel = 1104,
    kDensityLabel = 1105,
    kRequirementLabel = 1106,
  };

  explicit CFliesskoefizientDlg(QWidget* parent = nullptr);
  ~CFliesskoefizientDlg() override;

  std::string m_TestNumber;
  FlowCoefficientInput m_Input;
  std::string m_Status;

  const FlowCoefficientResult& Result() const { return result_; }
  void ComputeFlowCoefficient();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeFlowCoefficient(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  FlowCoefficientResult result_;
};

std::optional<TestEntryResult> EditFlowCoefficient(CVersuch& record, QWidget* parent);
