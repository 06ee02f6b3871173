#pragma once
// CWBSDlg02: the mass distribution of armourstone, a sheet of two pages: the
// weighing of up to 220 stones against a mass category (CWBS2PropPage1),
// twenty stones shown at a time, and the chart (a CWBSGraphPage). The sheet
// works on a copy of record field 26 that the data page holds and stores
// into when it becomes active and when it is left (OK and Apply leave it
// too); the record is written by the opener only.
#include <string>

#include "evaluation/frame/inputchecks.h"
#include "evaluation/wasserbausteine/massenverteilung.h"
#include "evaluation/wasserbausteine/wbsgraph.h"
#include "evaluation/wasserbausteine/wbssheet.h"
#include "services/cpvdialog.h"

class CWBSKatListCtrl;
class QComboBox;

class CWBS2PropPage1 : public CWBSDataPage {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 637;
  static constexpr int kVisibleStones = 20;
  static constexpr int kLastOffset = kWBSStones - kVisibleStones;
  enum : int {
    kFirstStoneLabel = 1701,  // + visible row: the stone number
    kFirstMass = 1721,
    kFirstLength = 1741,
    kFirstThickness = 1761,
    kMassHeading = 1781,
    kShapeHeading = 1782,
    kLengthHeading = 1783,
    kThicknessHeading = 1784,
    kRauf = 1790,
    kRunter = 1791,
    kDust = 1792,
    kDustLabel = 1793,
    kCategory = 1794,
    kCategoryLabel = 1795,
    kMassClass = 1796,
    kMassClassLabel = 1797,
    kTable = 1798,
    kList = 1799,
  };

  explicit CWBS2PropPage1(QWidget* parent = nullptr);
  ~CWBS2PropPage1() override;

  // All 220 stones; the visible rows are taken into them before every
  // computation.
  WBSStoneTexts m_Masses, m_Lengths, m_Thicknesses;
  // The first stone shown (0 .. 200, in steps of 20).
  int m_Offset = 0;

  void ComputeMassenverteilung();
  void StoreResult() override;
  void ShowStonePage();
  // Takes the visible rows, normalised, into the stones; shows and computes.
  void TakeVisibleRows();
  void OnRauf();
  void OnRunter();
  const MassDistributionResult& Result() const { return result_; }

  // Takes the visible rows first; refused while a value is.
  bool OnKillActive() override;
  const CInputChecks& Checks() const { return checks_; }

  // Takes the visible rows; when every value at fault lies on stones not
  // shown, shows the twenty stones of the first one. True when it paged.
  bool ShowStonesAtFault();
  // True when no value shown is refused; else names the first (a stone the
  // sheet has just paged to with the stones shown) and marks it.
  bool ConfirmShown();

 protected:
  bool OnInitDialog() override;

 private:
  void ReadVisibleRows();
  MassDistributionInput ReadInputs();
  void OnKillFocusStaub();
  // Marks the refused values of the visible rows and the dust; true when none.
  bool MarkFaults();
  // The visible field of an input of the computation; 0 when paged away.
  int FieldOfInput(int input) const;
  // Refused while a value is: names it, paging to it when it is not shown.
  bool ConfirmInputs();
  // "Stein 25"; "Stein 25 (Steine 21 bis 40)" when the sheet has just paged to it.
  std::string StoneName(int stone) const;

  QComboBox* category_ = nullptr;
  QComboBox* massClass_ = nullptr;
  CWBSKatListCtrl* list_ = nullptr;
  MassDistributionResult result_;
  bool initialised_ = false;
  int pagedTo_ = -1;  // the stone the sheet has paged to for its fault, until it is named
  CInputChecks checks_{*this};
};

class CWBSDlg02 : public CWBSSheet {
  Q_OBJECT

 public:
  static constexpr int kSheetId = 632;

  explicit CWBSDlg02(QWidget* parent = nullptr);
  ~CWBSDlg02() override;

  CWBS2PropPage1 m_DataPage;
  CWBSGraphPage m_GraphPage;

 protected:
  bool OnInitDialog() override;
  bool ShowFaultElsewhere() override;
  void TellFault() override;
};
