#pragma once
// CGeo_b_BruchflaechigkeitDlg: entry of the crushed and broken surfaces
// (template 618) in its three ways of calculating. Unlike most entry dialogs
// it reads the record itself and, on OK, writes field 20 and the statistics
// value into it; the opener then stores only the status.
#include <array>
#include <optional>
#include <string>

#include "evaluation/bruchflaechigkeit/bruchflaechigkeit.h"
#include "evaluation/frame/entrydialog.h"

class CGeo_b_BruchflaechigkeitDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 618;
  enum : int {
    kModeCombo = 1600,
    kClassCombo = 1601,
    kWarning = 1602,
    kResultLabel = 1603,
    kOldDialog = 1604,
    // One id per row (0 to 9) from each of these.
    kFirstName = 1610,
    kFirstM1 = 1620,
    kFirstMass = 1630,   // Mtc; Mpc +10, Mop +20, Mtr +30
    kFirstShare = 1670,  // Mtc; Mpc +10, Mop +20, Mtr +30
    kFirst10to100 = 1710,
    kFirstGt50 = 1720,
    kFirstSumme = 1730,
    kFirstEinwaage = 1740,
    kFirstAbweich = 1750,
    // The "Summe:" row.
    kSumM1 = 1760,
    kSumMass = 1761,  // Mtc .. Mtr
    kSumSumme = 1765,
    kSumEinwaage = 1766,
    // The result row.
    kResult = 1770,  // Mtc .. Mtr
    kResult10to100 = 1774,
    kResultGt50 = 1775,
    // "Sollwert:" and "Erfüllt:" rows in the order of the checks: > 50 %, Mtc, Mpc, Mop, Mtr.
    kRequirement = 1780,
    kRequirement10to100 = 1785,
    kLamp = 1790,
  };
  static constexpr int MassId(int row, int surfaceClass) { return kFirstMass + 10 * surfaceClass + row; }
  static constexpr int ShareId(int row, int surfaceClass) { return kFirstShare + 10 * surfaceClass + row; }
  static constexpr int ResultId(int surfaceClass) { return kResult + surfaceClass; }
  static constexpr int RequirementId(int check) { return kRequirement + check; }
  static constexpr int LampId(int check) { return kLamp + check; }

  explicit CGeo_b_BruchflaechigkeitDlg(CVersuch* record, QWidget* parent = nullptr);
  ~CGeo_b_BruchflaechigkeitDlg() override;

  // Out on OK: the status.
  std::string m_Status;

  int Mode() const { return mode_; }
  const BruchComputation& Computation() const { return computation_; }

  // Switches to a mode; previousMode -1 at the start (no question, nothing
  // cleared). False when the user keeps the previous mode.
  bool ApplyBruchMode(int previousMode);
  void ComputeBruchMultiClass();
  void CheckBruchRequirements();
  void WriteBruchRecord();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeBruchMultiClass(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  void OnSelchangeBerechnungModus(int index);
  // A name for the messages: the heading lines and the row's size class.
  std::string CellName(std::vector<int> headings, int row) const;
  BruchTable ReadTable() const;
  void ShowTable(const BruchTable& table);
  void SelectModeEntry(int mode);

  CVersuch* record_;
  BruchRequirement requirement_;
  int mode_ = kOldMethod;
  BruchComputation computation_;
};

// The dialog for a record: on OK it has written field 20 and the statistics
// value; the result to store is the status.
std::optional<TestEntryResult> EditCrushedSurfaces(CVersuch& record, QWidget* parent);
