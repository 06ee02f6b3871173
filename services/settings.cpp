#include "services/settings.h"

#include <QSettings>
#include <QString>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <system_error>

#include "charts/chartpens.h"
#include "i18n/translation.h"
#include "platform/drawcontext.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "services/sysfuncs.h"

namespace fs = std::filesystem;

namespace {

QString UserConfigKey(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + "/" +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QSettings UserConfig() { return QSettings(kUserConfigOrganization, kUserConfigApplication); }

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n\f\v";
  auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// One "%d" of the C library's scanf: blanks, an optional sign, digits.
// Nothing when no digit follows; a value beyond int is clamped.
std::optional<int> ScanInt(std::string_view text, std::size_t& pos) {
  std::size_t p = pos;
  while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p]))) return std::nullopt;
  long long value = 0;
  for (; p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])); ++p)
    value = std::min<long long>(value * 10 + (text[p] - '0'), 1LL << 32);
  pos = p;
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The default pen styles: dashed upper, dash-dot-dot lower limit curve,
// dotted target values.
constexpr int DefaultStyle(int entry) {
  switch (entry) {
    case 2: return platform::PS_DASH;
    case 3: return platform::PS_DASHDOTDOT;
    case 10: return platform::PS_DOT;
    default: return platform::PS_SOLID;
  }
}

}  // namespace

bool IsIniSection(std::string_view section) { return section != "Workspace" && section != "Settings"; }

int ProgramProfile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  if (IsIniSection(section)) return platform::GetPrivateProfileInt(section, key, defaultValue, iniFile_);
  bool ok = false;
  int value = UserConfig().value(UserConfigKey(section, key)).toInt(&ok);
  return ok ? value : defaultValue;
}

std::string ProgramProfile::GetString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
  if (IsIniSection(section))
    return platform::GetPrivateProfileString(section, key, defaultValue, platform::kProfileBufferSize, iniFile_);
  QVariant value = UserConfig().value(UserConfigKey(section, key));
  if (!value.isValid()) return std::string(defaultValue);
  return value.toString().toStdString();
}

bool ProgramProfile::WriteInt(std::string_view section, std::string_view key, int value) const {
  return WriteString(section, key, std::to_string(value));
}

bool ProgramProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
  if (IsIniSection(section)) return platform::WritePrivateProfileString(section, key, value, iniFile_);
  QSettings config = UserConfig();
  config.setValue(UserConfigKey(section, key),
                  QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  config.sync();
  return config.status() == QSettings::NoError;
}

std::array<LayoutEntry, kLayoutEntryCount> DefaultLayoutTable() {
  std::array<LayoutEntry, kLayoutEntryCount> table{};
  for (int i = 0; i < kLayoutEntryCount; ++i) table[i].style = DefaultStyle(i);
  return table;
}

LayoutEntry ParseLayoutEntry(std::string_view text, const LayoutEntry& current) {
  // red, green, blue, width factor, style, fourth value
  int values[6] = {0, 0, 0, 1, current.style, current.fourth};
  std::size_t pos = 0;
  for (int n = 0; n < 6; ++n) {
    auto value = ScanInt(text, pos);
    if (!value) break;
    values[n] = *value;
    if (n < 5) {
      if (pos >= text.size() || text[pos] != ',') break;
      ++pos;
    }
  }
  return LayoutEntry{platform::RGB(values[0], values[1], values[2]), values[3], values[4], values[5]};
}

std::string FormatLayoutEntry(const LayoutEntry& e) {
  return std::to_string(platform::GetRValue(e.color)) + "," + std::to_string(platform::GetGValue(e.color)) + "," +
         std::to_string(platform::GetBValue(e.color)) + "," + std::to_string(e.widthFactor) + "," +
         std::to_string(e.style) + "," + std::to_string(e.fourth);
}

CProgrammEinstellungen::CProgrammEinstellungen() : LayoutTable(DefaultLayoutTable()) {}

bool CProgrammEinstellungen::ReadDataFolder() {
  fs::path programFolder;
  GetProgramFolder(programFolder);
  bool result = ReadDataFolder(programFolder);
  std::error_code ec;
  if (!programFolder.empty()) fs::current_path(programFolder, ec);
  return result;
}

bool CProgrammEinstellungen::ReadDataFolder(const fs::path& programFolder) {
  bool result = true;
  const fs::path file = programFolder / "datapfad.dat";
  if (auto lines = platform::ReadTextLines(file)) {
    m_DataFolder = Trimmed(lines->empty() ? std::string() : lines->front());
    if (!platform::FolderExists(m_DataFolder)) {
      platform::ShowMessageBox(
          TranslateString(6500, "FEHLER: Auf den Ordner") + " \n  '" + m_DataFolder.string() + "'\n" +
              TranslateString(6501,
                              "kann nicht zugegriffen werden!\n\nPrüfen Sie bitte, ob die Pfad-Angabe in "
                              "der Datei\n") +
              "  '" + file.string() + "'\n" +
              TranslateString(6502,
                              "korrekt ist und, wenn der Ordner auf einem anderen Rechner liegt,\ndieser "
                              "z.Z. auch erreichbar ist.\n"),
          platform::MB_OK | platform::MB_ICONWARNING);
      result = false;
    }
  } else {
    m_DataFolder = programFolder / "data";
  }
  m_ProgramFolder = programFolder;
  m_IniPath = m_DataFolder / "pravik.ini";
  LoadSettings();
  return result;
}

void CProgrammEinstellungen::LoadSettings() {
  // The profile functions read the file quietly at every call: a file that
  // is no regular file or far too large is named here, once per file (the
  // start loads the settings before and after the plant selection).
  if (m_IniPath != iniChecked_) {
    iniChecked_ = m_IniPath;
    platform::CheckWholeFile(m_IniPath, platform::FileKind::kSmall);
  }
  const ProgramProfile profile = Profile();
  m_ArchiveFolder = profile.GetString("Archivierung", "Ordner", "");
  archiveFolderMissing_ = m_ArchiveFolder.empty();
  if (archiveFolderMissing_) m_ArchiveFolder = (m_DataFolder / "archiv").string();
  for (int i = 0; i < kLayoutEntryCount; ++i)
    LayoutTable[i] = ParseLayoutEntry(profile.GetString("Layout", "color" + std::to_string(i), "0,0,0,1"),
                                      LayoutTable[i]);
  LayoutTable[kLayoutArrowEntry].widthFactor = 0;
  LayoutTable[kLayoutArrowEntry].style = platform::PS_SOLID;

  SetCurrentLangCode(profile.GetString("General", "LangCode", ""));
  SetPrintGermanFlag(profile.GetString("General", "PrintGerman", "").starts_with('1'));

  m_NoDatasaveInfo = profile.GetInt("General", "NoDatasaveInfo", 0);
  m_PrintLogo = profile.GetInt("General", "PrintLogo", 1);
}

bool CProgrammEinstellungen::WriteMissingDefaults() {
  if (!archiveFolderMissing_) return true;
  if (!Profile().WriteString("Archivierung", "Ordner", m_ArchiveFolder)) return false;
  archiveFolderMissing_ = false;
  return true;
}

bool CProgrammEinstellungen::SaveSettings() const {
  const ProgramProfile profile = Profile();
  bool ok = profile.WriteString("Archivierung", "Ordner", m_ArchiveFolder);
  ok = profile.WriteInt("General", "NoDatasaveInfo", m_NoDatasaveInfo) && ok;
  ok = profile.WriteInt("General", "PrintLogo", m_PrintLogo) && ok;
  for (int i = 0; i < kLayoutEntryCount; ++i)
    ok = profile.WriteString("Layout", "color" + std::to_string(i), FormatLayoutEntry(LayoutTable[i])) && ok;
  return ok;
}

std::optional<platform::Pen> CProgrammEinstellungen::CreateLayoutPen(int index, int scale) const {
  if (index < 0 || index >= kLayoutEntryCount) return std::nullopt;
  const LayoutEntry& entry = LayoutTable[index];
  return MakeLayoutPen(LayoutPenEntry{entry.color, entry.widthFactor, entry.style}, scale);
}

void CProgrammEinstellungen::DrawLogoBox(platform::DrawContext& dc, const platform::Rect& box,
                                         bool drawPlaceholder) const {
  platform::DrawStateGuard guard(dc, platform::kStateWithoutFont, platform::TRANSPARENT);
  dc.SelectPen(platform::Pen{platform::PS_SOLID, 10, platform::RGB(0, 0, 0)});
  dc.MoveTo(box.left, box.top);
  dc.LineTo(box.left, box.bottom);
  dc.LineTo(box.right, box.bottom);

  if (m_PrintLogo != 0 && !m_Plant.logo.isNull()) {
    // 40 units inside on every side, whichever way the box's y runs.
    const int inward = box.top > box.bottom ? -40 : 40;
    dc.DrawBitmap(m_Plant.logo,
                  platform::Rect{box.left + 40, box.top + inward, box.right - 40, box.bottom - inward});
  } else if (drawPlaceholder) {
    dc.MoveTo(box.left, box.top);
    dc.LineTo(box.right, box.top);
    dc.LineTo(box.right, box.bottom);
    dc.LineTo(box.left, box.bottom);
    dc.LineTo(box.left, box.top);
    dc.LineTo(box.right, box.bottom);
    dc.MoveTo(box.right, box.top);
    dc.LineTo(box.left, box.bottom);
  }
}

void CProgrammEinstellungen::ComputePrintRect(const platform::DrawContext& dc, platform::Rect& rect) {
  m_PrintWidth = dc.GetDeviceCaps(platform::HORZSIZE) / 10.0 - m_LeftMargin - 0.1;
  m_PrintHeight = dc.GetDeviceCaps(platform::VERTSIZE) / 10.0 - m_TopMargin - 0.5;
  // The unprintable edge of the paper in 0.01 mm.
  const int offsetX = static_cast<int>(
      std::lround(dc.GetDeviceCaps(platform::PHYSICALOFFSETX) * 2540.0 / dc.device().dpi_x));
  const int offsetY = static_cast<int>(
      std::lround(dc.GetDeviceCaps(platform::PHYSICALOFFSETY) * 2540.0 / dc.device().dpi_y));
  rect.left = static_cast<int>(m_LeftMargin * 1000) - offsetX;
  rect.top = offsetY - static_cast<int>(m_TopMargin * 1000);
  rect.right = rect.left + static_cast<int>(m_PrintWidth * 1000);
  rect.bottom = rect.top - static_cast<int>(m_PrintHeight * 1000);
}
