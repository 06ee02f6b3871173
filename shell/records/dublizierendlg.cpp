#include "shell/records/dublizierendlg.h"

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "records/newrecord.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "ui_dublizierendlg.h"

CDublizierenDlg::CDublizierenDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::DublizierenDlg ui;
  ui.setupUi(this);
}

CDublizierenDlg::~CDublizierenDlg() = default;

bool CDublizierenDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetItemText(kPrefix, m_Prefix);
  SetItemText(kNumberEdit, m_Number);
  return true;
}

bool CDublizierenDlg::IsTestNumberFree(const std::string& number) const {
  CPravikWinApp* app = GetApp();
  if (!app) return true;
  const KeyTaken taken = [app](const std::string& key) { return app->TestNumberIndex.count(key) > 0; };
  return CheckTestNumber(m_Prefix, number, taken) != TestNumberCheck::kTaken;
}

void CDublizierenDlg::OnOK() {
  const std::string number = TrimWhite(GetItemText(kNumberEdit));
  const unsigned stop = platform::MB_OK | platform::MB_ICONSTOP;
  if (number.empty()) {
    platform::ShowMessageBox(TranslateString(5080, "Es muss noch eine Prüfnummer angegeben werden!"), stop,
                             TranslateString(5081, "Prüfnummer fehlt"));
    return;
  }
  if (!IsTestNumberFree(number)) {
    platform::ShowMessageBox(TranslateString(5082, "Die Prüfnummer ist bereits vergeben!"), stop,
                             TranslateString(5083, "Prüfnummer"));
    return;
  }
  m_Number = number;
  EndDialog(platform::IDOK);
}
