#pragma once
// CDEBUGDlg: the raw record editor, all 33 fields of a record as plain
// text, one field per line. "Speichern" (OK) takes the text over; "Ok"
// (Cancel) closes without a change. Nothing is checked.
#include <string>

#include "services/cpvdialog.h"

class CDEBUGDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 586;
  enum : int { kText = 1007, kNumbersLeft = 1008, kNumbersRight = 1009 };

  explicit CDEBUGDlg(QWidget* parent = nullptr);
  ~CDEBUGDlg() override;

  // Handed in before the dialog runs; the edited text after OK.
  std::string m_Text;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};
