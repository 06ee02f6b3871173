#include "shell/records/debugdlg.h"

#include "i18n/translation.h"
#include "records/strutil.h"
#include "ui_debugdlg.h"

CDEBUGDlg::CDEBUGDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::DebugDlg ui;
  ui.setupUi(this);
  SetItemText(platform::IDOK, TranslateString(66011, "Speichern"));
  ui.numbersLeft->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
  for (QWidget* edit : {static_cast<QWidget*>(ui.text), static_cast<QWidget*>(ui.numbersLeft),
                        static_cast<QWidget*>(ui.numbersRight)})
    SetFixedFont(platform::ControlId(edit));
}

CDEBUGDlg::~CDEBUGDlg() = default;

bool CDEBUGDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  // The edit keeps its lines with "\n".
  std::string text = m_Text;
  StrReplace(text, "\r\n", "\n");
  SetItemText(kText, text);
  // The numbers of the first 31 lines beside the text.
  std::string numbers;
  for (int line = 0; line <= 30; ++line) numbers += std::to_string(line) + "\n";
  SetItemText(kNumbersLeft, numbers);
  SetItemText(kNumbersRight, numbers);
  return true;
}

void CDEBUGDlg::OnOK() {
  m_Text = GetItemText(kText);
  EndDialog(platform::IDOK);
}
