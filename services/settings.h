#pragma once
// The settings of the program: where the data folder is ("datapfad.dat"), the
// settings kept in "pravik.ini" inside it (so that every computer opening a
// plant's data folder sees the same ones), the pens of charts and reports, the
// logo box of a report page and the printed area of a page.
//
// Every profile section lives in "pravik.ini" except "Workspace" and
// "Settings", which belong to the user's own configuration (QSettings).
#include <QImage>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/drawtypes.h"

namespace platform {
class DrawContext;
}

// Names of the user's configuration (QSettings) that holds "Workspace" and
// "Settings".
inline constexpr char kUserConfigOrganization[] = "Pravik";
inline constexpr char kUserConfigApplication[] = "Pravik";

// False exactly for "Workspace" and "Settings" (compared byte for byte).
bool IsIniSection(std::string_view section);

// The four profile functions of one data folder: INI sections go to the
// file with the private-profile rules, the two framework sections to the
// user's configuration.
class ProgramProfile {
 public:
  explicit ProgramProfile(std::filesystem::path iniFile) : iniFile_(std::move(iniFile)) {}

  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  // At most 4095 characters from the INI file.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue = {}) const;
  // Integers are written as decimal text.
  bool WriteInt(std::string_view section, std::string_view key, int value) const;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  std::filesystem::path iniFile_;
};

// One pen of the charts and reports.
struct LayoutEntry {
  platform::ColorRef color = 0;
  int widthFactor = 0;
  int style = platform::PS_SOLID;  // used only for width factors 0 and 1
  int fourth = 0;                  // kept and written back; nothing reads it
  bool operator==(const LayoutEntry&) const = default;
};

inline constexpr int kLayoutEntryCount = 17;
// The entry of the limit arrows: always thin and solid after loading.
inline constexpr int kLayoutArrowEntry = 7;

// The open plant's identity values and company logo.
struct PlantBlock {
  std::string operatorNumber;
  std::string operatorName;
  std::string plantNumber;
  std::string plantName;
  // The company logo of the first report page: its file, and the picture
  // once it has been read (null until then).
  std::filesystem::path logoFile;
  QImage logo;
};

class CProgrammEinstellungen {
 public:
  CProgrammEinstellungen();

  std::filesystem::path m_DataFolder;
  std::filesystem::path m_IniPath;  // m_DataFolder / "pravik.ini"
  PlantBlock m_Plant;
  std::string m_ArchiveFolder;
  std::filesystem::path m_ProgramFolder;
  int m_PrintLogo = 1;
  // Page layout in cm.
  double m_LeftMargin = 1.7;
  double m_TopMargin = 0.8;
  double m_PrintWidth = 18.3;   // recomputed for each print job
  double m_PrintHeight = 27.5;  // recomputed for each print job
  int m_NoDatasaveInfo = 1;
  std::array<LayoutEntry, kLayoutEntryCount> LayoutTable;

  // The profile of this record's INI file.
  ProgramProfile Profile() const { return ProgramProfile(m_IniPath); }

  // Finds the data folder through "datapfad.dat" in the program folder (the
  // sub-folder "data" when that file is missing), makes the program folder
  // the current directory and loads the settings. False, after a message,
  // when the named data folder cannot be reached; the settings are loaded
  // all the same.
  bool ReadDataFolder();
  // The same for a given program folder, without changing the current directory.
  bool ReadDataFolder(const std::filesystem::path& programFolder);

  // Reads the archive folder (the default one when none is stored), the
  // pens, the language and the flags. Writes nothing: the data folder may
  // still belong to another running program.
  void LoadSettings();
  // Stores the default archive folder when the settings had none; the start
  // calls it once the data-folder lock is ours. False when the write failed.
  bool WriteMissingDefaults();
  // Writes the archive folder, the two flags and the 17 pens (not the
  // language). False when a write failed; the values stay in the record.
  bool SaveSettings() const;

  // The pen of a LayoutTable entry, its width the width factor times the
  // scale; nothing for an index outside 0..16.
  std::optional<platform::Pen> CreateLayoutPen(int index, int scale) const;

  // The logo box of the first report page: left and bottom edge, then the
  // logo 40 units inside (when printed and loaded), else on request a
  // crossed placeholder. The context's state is left as it was.
  void DrawLogoBox(platform::DrawContext& dc, const platform::Rect& box, bool drawPlaceholder) const;

  // The printed area of a page on the printer (0.01 mm, y up, relative to
  // the printable area); sets print width and height.
  void ComputePrintRect(const platform::DrawContext& dc, platform::Rect& rect);

 private:
  bool archiveFolderMissing_ = false;
  std::filesystem::path iniChecked_;  // the settings file last looked at when loading
};

// The defaults of the 17 pens before anything is loaded.
std::array<LayoutEntry, kLayoutEntryCount> DefaultLayoutTable();
// Reads a "color%d" value ("r,g,b,width,style,fourth", stopping at the first
// missing number) over the entry; red, green and blue start at 0, the width
// factor at 1, style and fourth value keep the entry's.
LayoutEntry ParseLayoutEntry(std::string_view text, const LayoutEntry& current);
std::string FormatLayoutEntry(const LayoutEntry& entry);
