#pragma once
// CKornformGleisschotterDlg: the grain shape of track ballast (template 531),
// the share of grains with l:d > 3:1 over the classes 40-50 and 31.5-40 mm.
#include <optional>

#include "evaluation/gleisschotter/ballastclassesdlg.h"

class CKornformGleisschotterDlg : public CBallastClassesDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 531;
  explicit CKornformGleisschotterDlg(QWidget* parent = nullptr);

 protected:
  std::string RequirementText(const std::string& code) const override;
};

// The grain-shape dialog of the record's kind (track ballast or grading
// mixture): the result to store on OK, nothing otherwise or for a record of
// neither kind.
std::optional<TestEntryResult> EditGrainShape(CVersuch& record, QWidget* parent);
