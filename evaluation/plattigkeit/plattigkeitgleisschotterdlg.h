#pragma once
// CPlattigkeitGleisschotterDlg: the flakiness index of track ballast
// (template 548), the share passing the bar sieves 25 and 20 mm of the
// classes 40-50 and 31.5-40 mm. Record field 23 in the layout of
// ballastclasses.h.
#include <optional>

#include "evaluation/gleisschotter/ballastclassesdlg.h"

class CPlattigkeitGleisschotterDlg : public CBallastClassesDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 548;
  explicit CPlattigkeitGleisschotterDlg(QWidget* parent = nullptr);

  void ComputeFlakinessBallast() { Recompute(); }

 protected:
  std::string RequirementText(const std::string& code) const override;
};

// The dialog for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditBallastFlakiness(CVersuch& record, QWidget* parent);
