#pragma once
// The report of an import (dialog 526): how many records were imported and
// how many were not; the reason "(weil bereits vorhanden)" stands beside the
// latter when records were not imported because their ID was in the list
// already (or earlier in the file).
#include "services/cpvdialog.h"

class CImportStatistikDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 526;
  static constexpr int kImportedId = 1198;
  static constexpr int kSkippedId = 1200;
  static constexpr int kAlreadyPresentId = 3002;

  explicit CImportStatistikDlg(QWidget* parent = nullptr);
  ~CImportStatistikDlg() override;

  int m_Imported = 0;
  int m_Skipped = 0;
  int m_AlreadyPresent = 0;  // of the skipped records, those whose ID was known

 protected:
  bool OnInitDialog() override;
};
