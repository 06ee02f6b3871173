#pragma once
// Version information: the version of this program (from the build), the
// versions of the companion programs in the program folder, and the dialog
// "Versions- und Systemdaten" that shows them with the program and data
// folders.
#include <filesystem>
#include <string>
#include <vector>

#include "services/cpvdialog.h"

inline constexpr char kProgramName[] = "Pravik";
// The program file names listed on the versions page, this program first.
inline const std::vector<std::string> kVersionedProgramFiles = {"pravik", "gradix", "tallyon", "blendor",
                                                                "specora"};
// A program of the suite carries its version as this text followed by the
// version ("PRAVIK-FILEVERSION:2.4.1"), ended by a NUL byte, a line end or
// a blank, anywhere in its file.
inline constexpr char kFileVersionMarker[] = "PRAVIK-FILEVERSION:";

// The version of this program ("3.6.66") and its date ("18.06.2025"), both
// set in one place of the build.
std::string ProgramVersion();
std::string ProgramVersionDate();

// Reads the version that a program file carries.
class CVersionInfoReader {
 public:
  // Forgets what was read.
  void Reset();
  // False when the file cannot be read or carries no version.
  bool Create(const std::filesystem::path& file);
  std::string GetFileVersion() const { return fileVersion_; }

 private:
  std::string fileVersion_;
};

// The texts of the dialog's pages: where the program runs and where its data
// lie; the version of every program file (or that it could not be found).
struct VersionPageTexts {
  std::string environment;
  std::string programs;
};
VersionPageTexts ComputeVersionPageTexts(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& dataFolder);

// The dialog of the help menu's "Versions- und Systemdaten".
class CVersionsUndSystemDatenDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 593;
  // The radio buttons of the pages (the last two never shown) and the edit
  // of each page, in page order.
  static constexpr int kPageRadioIds[4] = {1018, 1019, 1020, 1022};
  static constexpr int kPageEditIds[4] = {1037, 1007, 1008, 1009};

  // The folders of the pages: those of the application's settings.
  explicit CVersionsUndSystemDatenDlg(QWidget* parent = nullptr);
  ~CVersionsUndSystemDatenDlg() override;

  int page_index() const { return pageIndex_; }
  // Takes the page from the radio buttons and shows its edit.
  void OnSelectPage();

 protected:
  bool OnInitDialog() override;

 private:
  void ShowPage();
  int pageIndex_ = -1;
};
