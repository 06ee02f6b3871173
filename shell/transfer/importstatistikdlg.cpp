#include "shell/transfer/importstatistikdlg.h"

#include <string>

#include "ui_importstatistik.h"

CImportStatistikDlg::CImportStatistikDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::ImportStatistikDlg ui;
  ui.setupUi(this);
  SetIconCommand(9102);
}

CImportStatistikDlg::~CImportStatistikDlg() = default;

bool CImportStatistikDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetItemText(kImportedId, std::to_string(m_Imported));
  SetItemText(kSkippedId, std::to_string(m_Skipped));
  ShowItem(kAlreadyPresentId, m_AlreadyPresent > 0 ? platform::SW_SHOW : platform::SW_HIDE);
  return true;
}
