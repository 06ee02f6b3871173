#pragma once
// CWasseraufnahmeDlg: the water absorption of track ballast, fifteen stone
// rows of number, dry and wet mass, absorption in g and % with a mark each,
// and a remark; the mean with its mark and the requirement.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/wasseraufnahme/wasseraufnahme.h"

class CWasseraufnahmeDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 597;
  enum : int {
    kFirstNumber = 1100,   // + row
    kFirstDry = 1120,      // + row
    kFirstWet = 1140,      // + row
    kFirstGrams = 1160,    // + row
    kFirstPercent = 1180,  // + row
    kFirstMark = 1200,     // + row
    kFirstRemark = 1220,   // + row
    kMean = 1240,
    kMeanMark = 1241,
    kRequirement = 1242,
  };

  explicit CWasseraufnahmeDlg(QWidget* parent = nullptr);
  ~CWasseraufnahmeDlg() override;

  // In: the record (test number, material), the stored field 17; out on OK:
  // the new field and the status.
  CVersuch* m_pVersuch = nullptr;
  std::string m_TestNumber;
  std::string m_ResultText;
  std::string m_Status;

  const AbsorptionResult& Result() const { return result_; }
  void ComputeWasseraufnahme() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  std::string requirement_;
  AbsorptionResult result_;
};

std::optional<TestEntryResult> EditWaterAbsorption(CVersuch& record, QWidget* parent);
