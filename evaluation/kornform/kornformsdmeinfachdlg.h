#pragma once
// CKornformSDMEinfachDlg: the shape index in its simple form (template 530):
// one portion, the share of badly shaped grains against the material's
// limit; a missed limit shows the orange mark.
#include "evaluation/kornform/badgooddlg.h"

class CKornformSDMEinfachDlg : public CBadGoodShareDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 530;
  static constexpr int kIconCommand = 9214;
  explicit CKornformSDMEinfachDlg(QWidget* parent = nullptr);

  // In: the material's limit ("" or "--": none).
  std::string m_Limit;
  const SimpleShapeIndexResult& Result() const { return result_; }
  void ComputeKornform() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;

 private:
  SimpleShapeIndexResult result_;
};
