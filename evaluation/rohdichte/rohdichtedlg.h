#pragma once
// CRohdichte: entry of the oven-dried particle density (template 567). The
// dialog reads and, on OK, writes its parts of record field 26 itself.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/rohdichte/rohdichte.h"

class CRohdichte : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 567;
  enum : int {
    kRhoW = 1001,
    kT = 1002,
    kM1 = 1003,  // .. kM4 = 1006
    kRhoRd = 1007,
    kFirstLabel = 1101,
  };

  explicit CRohdichte(QWidget* parent = nullptr);
  ~CRohdichte() override;

  // The record (not owned); written only on OK.
  CVersuch* m_pVersuch = nullptr;
  std::string m_Status;

  const ParticleDensityResult& Result() const { return result_; }
  void ComputeParticleDensity();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeParticleDensity(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  ParticleDensityResult result_;
};

std::optional<TestEntryResult> EditParticleDensity(CVersuch& record, QWidget* parent);
