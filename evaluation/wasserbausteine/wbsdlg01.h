#pragma once
// CWBSDlg01: the size distribution of armourstone, a sheet of three pages:
// the sieving against a size category (CWBS1PropPage1), the shape of up to
// 220 stones (CWBS1PropPageSt) and the grading chart (a CWBSGraphPage).
// The sheet works on a copy of record field 26 that the data page holds;
// each data page stores its parts into the copy when it becomes active and
// when it is left (OK and Apply leave it too). The record is written by the
// opener only.
#include <string>

#include "evaluation/frame/inputchecks.h"
#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/wbsgraph.h"
#include "evaluation/wasserbausteine/wbssheet.h"
#include "services/cpvdialog.h"

class CPvGridCtrl;
class CWBSKatListCtrl;
class QComboBox;
class QLabel;
class QLineEdit;
struct GridMessage;

class CWBS1PropPage1 : public CWBSDataPage {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 634;
  enum : int {
    kCategory = 1001,
    kCategoryLabel = 1002,
    kFirstHeading = 1501,   // the six column headings
    kFirstRowLabel = 1201,  // + table row: "> 360", "360" .. "22.4", "< yy.y"
    kFirstResidue = 1301,   // + table row
    kFirstShare = 1321,
    kFirstSum = 1341,
    kFirstPassing = 1361,
    kFirstRange = 1381,
    kTotal = 1400,
    kTotalLabel = 1401,
    kList = 1410,
  };

  explicit CWBS1PropPage1(QWidget* parent = nullptr);
  ~CWBS1PropPage1() override;

  // Computes from the entries and shows the result.
  void ComputeGroessenverteilung();
  // Empties the residues above the category's upper size, computes and
  // stores the page's parts into the result text.
  void StoreResult() override;
  const SizeDistributionResult& Result() const { return result_; }
  // Refused while a residue is.
  bool OnKillActive() override;
  const CInputChecks& Checks() const { return checks_; }

 protected:
  bool OnInitDialog() override;

 private:
  SizeDistributionInput ReadInputs() const;
  void Show(const SizeDistributionResult& result);
  void MarkFaults();

  QComboBox* category_ = nullptr;
  CWBSKatListCtrl* list_ = nullptr;
  SizeDistributionResult result_;
  CInputChecks checks_{*this};
};

class CWBS1PropPageSt : public CpvPropertyPage {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 635;
  enum : int {
    kGrid = 100,
    kShapeCategory = 1601,
    kShapeCategoryLabel = 1602,
    kLimit = 1603,
    kLimitLabel = 1604,
    kValidCount = 1611,
    kBadCount = 1612,
    kBadShare = 1613,
    kRequired = 1614,
    kMet = 1615,
    kFirstResultLabel = 1621,
  };
  static constexpr int kFirstStoneRow = 2;

  explicit CWBS1PropPageSt(CWBS1PropPage1* dataPage, QWidget* parent = nullptr);
  ~CWBS1PropPageSt() override;

  CPvGridCtrl* Grid() const { return grid_; }

  void ComputeSteinform();
  void StoreResult();
  const StoneShapeResult& Result() const { return result_; }

  bool OnSetActive() override;
  // Refused while a stone or the limit holds a value no one can have measured.
  bool OnKillActive() override;
  // Names the first fault; with the page's name when the sheet has just
  // brought the page to the front for it. Its cell is scrolled into view.
  void TellFault(bool withPage);

 protected:
  bool OnInitDialog() override;

 private:
  int OnGridMessage(const GridMessage& message);
  void ShowStone(int row, const StoneShape& stone);
  // "Stein 3, Länge [cm]: ...": the fault named by its stone and column, or
  // the limit; "Stein 3 (Seite „Steinform“), ..." with the page's name.
  std::string FaultMessage(const InputFault& fault, bool withPage) const;
  // Tells a fault that was not there when faults were last told.
  void TellNewFault();

  CWBS1PropPage1* dataPage_;
  CPvGridCtrl* grid_ = nullptr;
  QComboBox* shape_ = nullptr;
  StoneShapeResult result_;
  std::vector<int> told_;  // the inputs at fault when last told
};

class CWBSDlg01 : public CWBSSheet {
  Q_OBJECT

 public:
  static constexpr int kSheetId = 631;

  explicit CWBSDlg01(QWidget* parent = nullptr);
  ~CWBSDlg01() override;

  static constexpr int kStonePage = 1;

  CWBS1PropPage1 m_DataPage;
  CWBS1PropPageSt m_StonePage;
  CWBSGraphPage m_GraphPage;

 protected:
  bool OnInitDialog() override;
  bool ShowFaultElsewhere() override;
  void TellFault() override;
};
