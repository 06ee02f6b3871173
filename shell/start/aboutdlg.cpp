#include "shell/start/aboutdlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

#include "controls/label.h"
#include "i18n/translation.h"
#include "services/versioninfo.h"

namespace {

constexpr char kWebAddress[] = "https://www.example.com/pravik";
constexpr char kMailAddress[] = "pravik@example.com";
std::string ContactText() {
  return "Pravik Laborsoftware\r\n" +
         TranslateString(66028, "Labor- und Qualitätssicherung für Kies- und Schotterwerke") + "\r\n" +
         TranslateString(66029, "Telefon und Unterstützung: siehe Webseite");
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  setWindowTitle("Info über Pravik");
  auto* layout = new QGridLayout(this);
  auto* version = new QLabel(this);
  platform::SetControlId(version, kVersionLine);
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  layout->addWidget(version, 0, 0, 1, 2);
  auto* contact = new QPlainTextEdit(this);
  platform::SetControlId(contact, kContactBlock);
  contact->setReadOnly(true);
  contact->setFixedHeight(70);
  layout->addWidget(contact, 1, 0, 1, 2);
  auto* web = new CLabel(QString::fromUtf8(kWebAddress), this);
  platform::SetControlId(web, kWebLink);
  layout->addWidget(web, 2, 0);
  auto* mail = new CLabel(QString::fromUtf8(kMailAddress), this);
  platform::SetControlId(mail, kMailLink);
  layout->addWidget(mail, 2, 1);
  auto* notice = new QLabel(this);
  platform::SetControlId(notice, kNoticeLine);
  layout->addWidget(notice, 3, 0, 1, 2);
  auto* ok = new QPushButton("OK", this);
  platform::SetControlId(ok, platform::IDOK);
  ok->setDefault(true);
  layout->addWidget(ok, 4, 1, Qt::AlignRight);
}

CAboutDlg::~CAboutDlg() = default;

std::string CAboutDlg::VersionLine() { return "Pravik " + ProgramVersion() + "  (" + ProgramVersionDate() + ")"; }

std::string CAboutDlg::NoticeLine() {
  int day = 0, month = 0, year = 0;
  std::sscanf(ProgramVersionDate().c_str(), "%d.%d.%d", &day, &month, &year);
  return "Copyright (C) " + std::to_string(year) + " Pravik Laborsoftware. " + TranslateString(66030, "Alle Rechte vorbehalten.");
}

bool CAboutDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  for (int id : {kWebLink, kMailLink}) {
    if (auto* label = Item<CLabel>(id)) {
      label->SetLink(true, false);
      label->SetTextColor(platform::RGB(0, 0, 255));
      label->SetFontUnderline(true);
      label->SetLinkCursor(QCursor(Qt::PointingHandCursor));
    }
  }
  SetItemText(kContactBlock, ContactText());
  SetItemText(kVersionLine, VersionLine());
  SetItemText(kNoticeLine, NoticeLine());
  return true;
}
