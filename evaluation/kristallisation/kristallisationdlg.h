#pragma once
// CKristallisationDlg: the crystallisation test of track ballast (template
// 532). Initial and final masses of the classes 40-50 and 31.5-40 mm, their
// losses below 22.4 mm and that of the sum against the fixed limit of 3.0 %.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/kristallisation/kristallisation.h"

class CKristallisationDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 532;
  enum : int {
    kInitial4050 = 1007,
    kInitial3140 = 1008,
    kSumInitial = 1009,
    kFinal4050 = 1010,
    kFinal3140 = 1011,
    kSumFinal = 1012,
    kLossG4050 = 1013,
    kLossG3140 = 1014,
    kLossGSum = 1015,
    kLossP4050 = 1016,
    kLossP3140 = 1017,
    kLossPSum = 1018,
    kShare = 1019,
    kLimit = 1020,
    kStatusMark = 1021,
    kSalt = 1022,
    kTakeOver = 1267,
  };

  explicit CKristallisationDlg(QWidget* parent = nullptr);
  ~CKristallisationDlg() override;

  // In: the test number, the whole stored field 13 and the record (for the
  // takeover); out on OK: the new field and the status.
  std::string m_TestNumber;
  std::string m_ResultText;
  CVersuch* m_pVersuch = nullptr;
  std::string m_Status;

  const CrystallisationResult& Result() const { return result_; }
  void ComputeKristallisation() { Recompute(); }
  // The button: both initial masses from the sieving.
  void OnEinwaagenUebernehmen();

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  CrystallisationInput ReadInputs() const;
  void Show(const CrystallisationInput& input);

  CrystallisationResult result_;
};

// The dialog for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditCrystallisation(CVersuch& record, QWidget* parent);
