#pragma once
// CDublizierenDlg: the new test number of a duplicated record (command
// 9213). The prefix shown (the source record's operator and plant numbers)
// and the number typed make the test number that is checked and written.
#include <string>

#include "services/cpvdialog.h"

class CDublizierenDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 589;
  enum : int { kPrefix = 1064, kNumberEdit = 1065 };

  explicit CDublizierenDlg(QWidget* parent = nullptr);
  ~CDublizierenDlg() override;

  // Set by the caller: the text before the typed number.
  std::string m_Prefix;
  // After OK: the number typed, trimmed.
  std::string m_Number;

  // The prefix followed by the number is not a test number of the list.
  bool IsTestNumberFree(const std::string& number) const;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};
