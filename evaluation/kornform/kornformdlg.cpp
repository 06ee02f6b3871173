#include "evaluation/kornform/kornformdlg.h"

#include "i18n/translation.h"

CKornformDlg::CKornformDlg(QWidget* parent) : CBadGoodShareDlg(kTemplateId, parent) {}

bool CKornformDlg::OnInitDialog() {
  CBadGoodShareDlg::OnInitDialog();
  ShowStored(TranslateString(5229, "Kornform    Prüf-Nr.") + ": " + m_TestNumber, 11);
  Recompute();
  return true;
}

void CKornformDlg::Recompute() {
  result_ = ComputeMixtureShape(Bad(), Good(), m_Requirement);
  ShowShares(result_.shares, result_.requirementText, result_.requirementState);
}

bool CKornformDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditMixtureGrainShape(CVersuch& record, QWidget* parent) {
  CKornformDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(12);
  dialog.m_Requirement = MixtureShapeRequirement(record);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return MixtureShapeEntryResult(dialog.Result());
}
