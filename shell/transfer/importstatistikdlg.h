#pragma once
// The report of an import (dialog 526): how many records were imported and
// how many were not, because their ID was in the list already.
#include "services/cpvdialog.h"

class CImportStatistikDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 526;
  static constexpr int kImportedId = 1198;
  static constexpr int kSkippedId = 1200;

  explicit CImportStatistikDlg(QWidget* parent = nullptr);
  ~CImportStatistikDlg() override;

  int m_Imported = 0;
  int m_Skipped = 0;

 protected:
  bool OnInitDialog() override;
};
