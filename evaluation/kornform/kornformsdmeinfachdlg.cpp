#include "evaluation/kornform/kornformsdmeinfachdlg.h"

CKornformSDMEinfachDlg::CKornformSDMEinfachDlg(QWidget* parent) : CBadGoodShareDlg(kTemplateId, parent) {
  SetIconCommand(kIconCommand);
}

bool CKornformSDMEinfachDlg::OnInitDialog() {
  CBadGoodShareDlg::OnInitDialog();
  ShowStored(EntryDialogTitle(windowTitle().toStdString(), "  ", m_TestNumber), 3);
  Recompute();
  return true;
}

void CKornformSDMEinfachDlg::Recompute() {
  result_ = ComputeSimpleShapeIndex(Bad(), Good(), m_Limit);
  // A missed limit is a remark here: the orange face.
  const int mark = result_.flag == 1 ? 1 : result_.flag == 0 ? 7 : 0;
  ShowShares(result_.shares, result_.requirement, mark);
}

bool CKornformSDMEinfachDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}
