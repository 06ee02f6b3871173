#include "evaluation/wasserbausteine/wbssheet.h"

#include <QTimer>

void CWBSSheet::AfterInitDialog() {
  CpvPropertySheet::AfterInitDialog();
  // Opened for looking only, the fault is shown but cannot be corrected.
  if (!ShowFaultElsewhere() || IsReadOnly()) return;
  QTimer::singleShot(0, this, [this] {
    if (!ended()) TellFault();
  });
}

bool CWBSSheet::ShowAndTellFaultElsewhere() {
  if (IsReadOnly() || !ShowFaultElsewhere()) return false;
  TellFault();
  return true;
}

void CWBSSheet::OnOK() {
  if (!ShowAndTellFaultElsewhere()) CpvPropertySheet::OnOK();
}

bool CWBSSheet::OnApplyNow() {
  if (ShowAndTellFaultElsewhere() || !CpvPropertySheet::OnApplyNow()) return false;
  if (applied_) applied_();
  return true;
}
