#include "evaluation/wasserbausteine/wbsverzweigungdlg.h"

#include <QPushButton>

#include "ui_wbsverzweigungdlg.h"

CWBSVerzweigungDlg::CWBSVerzweigungDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::WBSVerzweigungDlg ui;
  ui.setupUi(this);
  connect(ui.size, &QPushButton::clicked, this, &CWBSVerzweigungDlg::OnGroessenverteilung);
  connect(ui.mass, &QPushButton::clicked, this, &CWBSVerzweigungDlg::OnMassenverteilung);
}

CWBSVerzweigungDlg::~CWBSVerzweigungDlg() = default;

void CWBSVerzweigungDlg::OnGroessenverteilung() {
  if (IsReadOnly()) return;
  m_Choice = 1;
  EndDialog(platform::IDOK);
}

void CWBSVerzweigungDlg::OnMassenverteilung() {
  if (IsReadOnly()) return;
  m_Choice = 2;
  EndDialog(platform::IDOK);
}
