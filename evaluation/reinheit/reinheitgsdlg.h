#pragma once
// CReinheitGSDlg: purity and rock condition of track ballast (template 598),
// 14 rows of constituent name, mass and share with the sums and the
// requirement's mark. OK with a named constituent lacking its mass says so
// and stores the test as incomplete.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/reinheit/reinheit.h"

class CReinheitGSDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 598;
  enum : int {
    kFirstName = 1100,   // + row
    kFirstMass = 1120,   // + row
    kFirstShare = 1140,  // + row
    kSumMasses = 1160,
    kSumShares = 1161,
    kRequirement = 1162,
    kStatusMark = 1163,
  };

  explicit CReinheitGSDlg(QWidget* parent = nullptr);
  ~CReinheitGSDlg() override;

  // In: the sample mass, the test number and the record (its field 14 and
  // material); out on OK: the new field 14 and the status.
  std::string m_SampleMass;
  std::string m_TestNumber;
  std::string m_ResultText;
  CVersuch* m_pVersuch = nullptr;
  std::string m_Status;

  const PurityResult& Result() const { return result_; }
  void ComputePurityBallast() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  // Fills the rows: the stored ones, or the default names of a new test.
  void SetDefaultNames(const PurityInput& input);

  std::string requirement_;
  PurityResult result_;
};

std::optional<TestEntryResult> EditBallastPurity(CVersuch& record, QWidget* parent);
