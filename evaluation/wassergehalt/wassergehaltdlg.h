#pragma once
// CWassergehaltDlg: entry of the water content (template 556). The opener
// hands in field 17 (or the material's requirement for a new test); a
// record that holds only a percentage is converted when the dialog opens,
// and the converted masses are stored only on OK.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/wassergehalt/wassergehalt.h"

class CWassergehaltDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 556;
  enum : int {
    kRequirement = 1001,
    kStatusMark = 1002,
    kWater = 1003,
    kWet = 1004,
    kDry = 1005,
    kRequirementLabel = 1101,
    kWaterLabel = 1102,
    kWetLabel = 1103,
    kDryLabel = 1104,
  };

  explicit CWassergehaltDlg(QWidget* parent = nullptr);
  ~CWassergehaltDlg() override;

  // In: the test number and the stored values. Out (on OK): the status.
  std::string m_TestNumber;
  WaterContentInput m_Input;
  std::string m_Status;

  const WaterContentResult& Result() const { return result_; }
  void ComputeWassergehalt();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeWassergehalt(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  WaterContentResult result_;
};

std::optional<TestEntryResult> EditWaterContent(CVersuch& record, QWidget* parent);
