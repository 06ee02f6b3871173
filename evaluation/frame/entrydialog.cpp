#include "evaluation/frame/entrydialog.h"

std::string EntryDialogTitle(const std::string& name, const std::string& blanks, const std::string& testNumber) {
  return name + blanks + "Prüf-Nr.: " + testNumber;
}

CEntryDialog::CEntryDialog(int templateId, QWidget* parent) : CpvDialog(templateId, parent) {}

void CEntryDialog::OnOK() {
  Recompute();
  if (TakeResult()) EndDialog(platform::IDOK);
}

void CEntryDialog::RecomputeOnKillFocus(const std::vector<int>& ids) {
  for (int id : ids) OnKillFocus(id, [this] { Recompute(); });
}

void CEntryDialog::SetTextIfChanged(int id, const std::string& text) {
  if (GetItemText(id) != text) SetItemText(id, text);
}
