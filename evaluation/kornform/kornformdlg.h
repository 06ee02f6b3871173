#pragma once
// CKornformDlg: the grain shape of a grading mixture (template 528), the
// share of badly shaped grains of one portion against the side-test
// requirement of the record's requirement string.
#include <optional>

#include "evaluation/kornform/badgooddlg.h"
#include "evaluation/kornform/kornform_gs.h"

class CKornformDlg : public CBadGoodShareDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 528;
  explicit CKornformDlg(QWidget* parent = nullptr);

  // In: the requirement code.
  std::string m_Requirement;
  const MixtureShapeResult& Result() const { return result_; }
  void ComputeKornform() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;

 private:
  MixtureShapeResult result_;
};

std::optional<TestEntryResult> EditMixtureGrainShape(CVersuch& record, QWidget* parent);
