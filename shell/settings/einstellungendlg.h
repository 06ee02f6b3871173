#pragma once
// The two dialogs of the settings menu and the commands around them:
//
//   RunGeneralSettings(app, view);     // 9011: data and archive folder, pens, two flags
//   RunNewRecordSettings(view);        // 9012: the defaults of new test records
//
// CEinstellungenAllgDlg works on a settings record of its own, loaded from
// "pravik.ini"; after OK it is saved and the application's settings load
// themselves again. Its button beside the data folder moves the program to
// another data folder (ChooseDataFolder), which takes effect at the next start.
#include <array>
#include <string>

#include "platform/drawtypes.h"
#include "services/cpvdialog.h"
#include "services/settings.h"

class CPravikWinApp;
class QComboBox;
class QLabel;

// The width items "dünn" to "5-fach" (item data 1 to 5); a negative index selects the first.
void FillLineWidthCombo(QComboBox* combo, int selectedIndex);
// The five line styles (item data 0 to 4); a negative index selects none.
void FillLineStyleCombo(QComboBox* combo, int selectedIndex);

// The controls of one pen row of dialog 515 (entry 1 has none).
struct PenRowIds {
  int entry;
  int swatch;
  int change;
  int width;
  int style;
  const char* label;
};
const std::array<PenRowIds, 16>& PenRows();

class CEinstellungenAllgDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 515;
  static constexpr int kIconCommand = 9011;
  enum : int {
    kArchiveFolder = 1235,
    kDataFolder = 1236,
    kBrowseArchive = 1182,
    kBrowseData = 1183,
    kPrintLogo = 1580,
    kHideReminder = 1581,
  };

  // The working copy starts as the application's settings and loads itself
  // from their INI file. The main window is the one a data-folder move closes.
  CEinstellungenAllgDlg(const CProgrammEinstellungen& settings, QWidget* parent = nullptr);
  ~CEinstellungenAllgDlg() override;

  CProgrammEinstellungen m_Settings;

  // Enables the entry's style box exactly when its width box shows "dünn".
  void EnableStyleCombo(int entry);
  void OnChangeColour(int entry);
  void OnWidthChanged(int entry);
  void OnBrowseArchiveFolder();
  void OnChooseDataFolder();

  QComboBox* WidthCombo(int entry) const;
  QComboBox* StyleCombo(int entry) const;
  // The colour the entry's swatch shows.
  platform::ColorRef SwatchColour(int entry) const;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void ShowSwatch(int entry);
  const PenRowIds* Row(int entry) const;
};

// The defaults with which new test records start.
struct NewRecordDefaults {
  int sumMode = 0;      // "Siebungen"/"defaultSummenmodus"
  int curveShape = 0;   // "Siebungen"/"defaultKurvenverlauf": 0 smooth, 1 polygon
  int sievingKind = 0;  // "Siebungen"/"defaultTrockenNass": 0 dry, 1 wet
  int crushedMode = 1;  // "Bruchflaechigkeit"/"BrechnungModus": 0 one grain class, 1 several
  bool operator==(const NewRecordDefaults&) const = default;
};
NewRecordDefaults LoadNewRecordDefaults();
// False when a value could not be written.
bool SaveNewRecordDefaults(const NewRecordDefaults& values);

class CEinstellungenDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 600;
  static constexpr int kIconCommand = 9012;
  enum : int {
    kSievingWet = 1026,
    kSievingDry = 1027,
    kCurveSmooth = 1028,
    kCurvePolygon = 1029,
    kCrushedOne = 1030,
    kCrushedSeveral = 1031,
    kSumMode = 1039,
  };

  explicit CEinstellungenDlg(QWidget* parent = nullptr);
  ~CEinstellungenDlg() override;

  NewRecordDefaults m_Values;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};

// What ChooseDataFolder did.
enum class DataFolderMove { Cancelled, Unchanged, NoRecordFile, Declined, WriteFailed, Moved };

// Asks for "data.db" in another folder; after Yes it becomes the data folder
// of the next start ("datapfad.dat", and the open plant's file of the plant
// selection) and the main window is closed (queued). The root folder, the
// current data folder and a folder without a record file change nothing.
DataFolderMove ChooseDataFolder(CPravikWinApp& app, QWidget* mainWindow);

// Command 9011: the dialog, then on OK its settings saved and the
// application's loaded again. True after OK; false, after a message and
// with the application's settings unchanged, when pravik.ini took no write.
bool RunGeneralSettings(CPravikWinApp& app, QWidget* parent);
// Command 9012: the four defaults read, shown, and written back on OK; a
// failed write is shown and gives false.
bool RunNewRecordSettings(QWidget* parent);
