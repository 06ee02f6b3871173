#pragma once
// CAboutDlg: "Info über Pravik", the program's name, version and date, the
// publisher's contact block, web and mail links and the notice line.
#include <string>

#include "services/cpvdialog.h"

class CAboutDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 503;
  enum : int { kWebLink = 900, kMailLink = 901, kContactBlock = 1277, kVersionLine = 1538, kNoticeLine = 1539 };

  explicit CAboutDlg(QWidget* parent = nullptr);
  ~CAboutDlg() override;

  // "Pravik 3.6.66  (18.06.2025)"
  static std::string VersionLine();
  // The notice line with the year of the version's date.
  static std::string NoticeLine();

 protected:
  bool OnInitDialog() override;
};
