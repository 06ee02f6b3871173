#pragma once
// The print options of the statistics manager, kept in section "Statistiken"
// of "pravik.ini", where the statistics manager reads them; the program only
// edits them (command 9013).
#include <array>

#include "services/cpvdialog.h"

class CPravikApp;

struct StatisticsPrintSettings {
  int printLogo = 0;
  int printShareMet = 0;
  int printEmptyColumns = 0;
  int printMean = 1;
  int printDeviation = 1;
  int printVariation = 1;
  int printTypicalCurve = 1;
  int printTargets = 1;
  int printMinimum = 1;
  int printMaximum = 1;
  int printSpread = 1;
  int print5Quantile = 0;
  int print10Quantile = 0;

  // One field: its check box, its key and its default.
  struct Field {
    int StatisticsPrintSettings::*member;
    int checkId;
    const char* key;
    int defaultValue;
  };
  static const std::array<Field, 13> kFields;

  // Any stored value other than 0 reads as 1.
  void Load(const CPravikApp& app);
  // Writes all thirteen keys as 0 or 1; false when the INI file could not be written.
  bool Save(const CPravikApp& app) const;
};

// "Einstellungen für die Statistiken" (template 516): one check box per option.
class CEinstellungenStatistikenDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 516;
  explicit CEinstellungenStatistikenDlg(QWidget* parent = nullptr);
  ~CEinstellungenStatistikenDlg() override;

  StatisticsPrintSettings m_Settings;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};

// Command 9013: the dialog with the settings of the INI file; OK writes them
// (a failure is reported), Cancel changes nothing.
void EditStatisticsPrintSettings(CPravikApp& app, QWidget* parent = nullptr);
