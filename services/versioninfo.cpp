#include "services/versioninfo.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>

#include "i18n/translation.h"
#include "platform/files.h"
#include "services/pravikapp.h"

#ifndef PRAVIK_VERSION
#define PRAVIK_VERSION "0.0"
#endif
#ifndef PRAVIK_VERSION_DATE
#define PRAVIK_VERSION_DATE "01.01.2000"
#endif

namespace fs = std::filesystem;

namespace {

// The longest version text taken from a file.
constexpr std::size_t kVersionLimit = 64;

bool EndsVersion(char c) { return c == '\0' || c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

}  // namespace

std::string ProgramVersion() { return PRAVIK_VERSION; }

std::string ProgramVersionDate() { return PRAVIK_VERSION_DATE; }

void CVersionInfoReader::Reset() { fileVersion_.clear(); }

bool CVersionInfoReader::Create(const fs::path& file) {
  Reset();
  auto bytes = platform::ReadFileBytes(file, platform::FileKind::kLarge);
  if (!bytes) return false;
  const std::string_view marker = kFileVersionMarker;
  for (auto at = bytes->find(marker); at != std::string::npos; at = bytes->find(marker, at + 1)) {
    std::size_t from = at + marker.size();
    std::size_t to = from;
    while (to < bytes->size() && !EndsVersion((*bytes)[to]) && to - from <= kVersionLimit) ++to;
    std::string version = bytes->substr(from, to - from);
    // A marker without a value (the text of the marker itself in a program
    // that reads markers) or with bytes that are no version text is skipped.
    const bool printable = std::all_of(version.begin(), version.end(),
                                       [](char c) { return c > ' ' && c < 0x7F; });
    if (!version.empty() && version.size() <= kVersionLimit && printable) {
      fileVersion_ = version;
      return true;
    }
  }
  return false;
}

VersionPageTexts ComputeVersionPageTexts(const fs::path& programFolder, const fs::path& dataFolder) {
  VersionPageTexts pages;
  pages.environment = TranslateString(5360, "Pfad von") + " " + kVersionedProgramFiles.front() + ":\n  [" +
                      programFolder.string() + "]\n\n" + TranslateString(5361, "Pfad zu den Daten") +
                      ":\n  [" + dataFolder.string() + "]\n\n";
  for (const std::string& name : kVersionedProgramFiles) {
    std::string version;
    CVersionInfoReader reader;
    if (name == kVersionedProgramFiles.front()) version = ProgramVersion();
    else if (reader.Create(programFolder / name)) version = reader.GetFileVersion();
    else version = TranslateString(5362, "konnte nicht ermittelt werden!");
    char line[64];
    std::snprintf(line, sizeof line, "%-18s   ", name.c_str());
    pages.programs += line + version + "\n";
  }
  return pages;
}

CVersionsUndSystemDatenDlg::CVersionsUndSystemDatenDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  setWindowTitle("Versions- und Systemdaten");
  auto* layout = new QGridLayout(this);
  const char* radioTexts[4] = {"Umgebungsdaten", "Programmversionen", "", ""};
  auto* group = new QButtonGroup(this);
  for (int page = 0; page < 4; ++page) {
    auto* radio = new QRadioButton(radioTexts[page], this);
    platform::SetControlId(radio, kPageRadioIds[page]);
    group->addButton(radio, page);
    if (page < 2) layout->addWidget(radio, 0, page);
    else radio->hide();
    connect(radio, &QRadioButton::clicked, this, [this] { OnSelectPage(); });
  }
  for (int page = 0; page < 4; ++page) {
    auto* edit = new QPlainTextEdit(this);
    platform::SetControlId(edit, kPageEditIds[page]);
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setMinimumSize(520, 220);
    layout->addWidget(edit, 1, 0, 1, 3);  // all in the same place
  }
  auto* ok = new QPushButton("OK", this);
  platform::SetControlId(ok, platform::IDOK);
  layout->addWidget(ok, 2, 2, Qt::AlignRight);
}

CVersionsUndSystemDatenDlg::~CVersionsUndSystemDatenDlg() = default;

bool CVersionsUndSystemDatenDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  for (int id : kPageEditIds) SetFixedFont(id);
  fs::path programFolder, dataFolder;
  if (CPravikWinApp* app = GetApp()) {
    programFolder = app->m_Settings.m_ProgramFolder;
    dataFolder = app->m_Settings.m_DataFolder;
  }
  const VersionPageTexts pages = ComputeVersionPageTexts(programFolder, dataFolder);
  SetItemText(kPageEditIds[0], pages.environment);
  SetItemText(kPageEditIds[1], pages.programs);
  pageIndex_ = 0;
  for (int page = 0; page < 4; ++page) CheckItem(kPageRadioIds[page], page == pageIndex_);
  ShowPage();
  return true;
}

void CVersionsUndSystemDatenDlg::OnSelectPage() {
  pageIndex_ = -1;
  for (int page = 0; page < 4; ++page)
    if (IsItemChecked(kPageRadioIds[page])) pageIndex_ = page;
  ShowPage();
}

void CVersionsUndSystemDatenDlg::ShowPage() {
  for (int page = 0; page < 4; ++page)
    ShowItem(kPageEditIds[page], page == pageIndex_ ? platform::SW_SHOW : platform::SW_HIDE);
}
