#pragma once
// CKornformSDMDlg: the shape index in its standard form (template 529): one
// row per size fraction of the material with its residue in the grading, the
// masses of badly and well shaped grains, SIi, the share Vi and SIi*Vi; the
// totals and the shape index SI, each judged against the limit.
#include <optional>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/kornform/kornformkennzahl.h"

class CKornformSDMDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 529;
  static constexpr int kIconCommand = 9214;
  enum : int {
    kTotalResidue = 1010,
    kTotalSum = 1011,
    kTotalVi = 1012,
    kTotalSiiVi = 1013,
    kSI = 1014,
    kSIMark = 1015,
    // One id per row (0 to 14) from each of these.
    kFirstFraction = 1300,
    kFirstResidue = 1320,
    kFirstMinMass = 1340,
    kFirstBad = 1360,
    kFirstSii = 1380,
    kFirstGood = 1400,
    kFirstVi = 1420,
    kFirstSum = 1440,
    kFirstSiiVi = 1460,
    kFirstRequirement = 1480,
    kFirstMark = 1500,
  };

  // The fractions of the material, their residues in the record's grading
  // and the stored masses of field 12.
  CKornformSDMDlg(const CVersuch& record, const ShapeIndexEntry& entry, QWidget* parent = nullptr);
  ~CKornformSDMDlg() override;

  // Out on OK.
  std::string m_ResultText;
  std::string m_Status;

  const ShapeIndexResult& Result() const { return result_; }
  void ComputeKornform() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  ShapeIndexInput ReadInputs() const;

  std::string testNumber_;
  ShapeIndexInput stored_;
  ShapeIndexResult result_;
};

// The shape-index dialog of the material's form (asking for the form when
// the material has no entry): the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditShapeIndex(CVersuch& record, QWidget* parent);
