#pragma once
// COrganUrsprungSDMDlg: entry of the organic matter (template 606): the
// colour (typed or chosen), the comparison with the reference solution and
// the verdict that follows from it.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/organisch/organisch.h"

class COrganUrsprungSDMDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 606;
  enum : int {
    kColour = 1001,
    kLighter = 1002,
    kDarker = 1003,
    kVerdict = 1004,
    kGroupLabel = 1101,
    kColourLabel = 1102,
    kSoLabel = 1103,
  };

  explicit COrganUrsprungSDMDlg(QWidget* parent = nullptr);
  ~COrganUrsprungSDMDlg() override;

  // In: the test number (not shown) and field 19; out: the new field 19.
  std::string m_TestNumber;
  std::string m_Result;
  OrganicInput m_Input;

  void ShowOrganicVerdict();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ShowOrganicVerdict(); }
  bool TakeResult() override;

 private:
  OrganicInput ReadInput() const;
};

std::optional<TestEntryResult> EditOrganicMatter(CVersuch& record, QWidget* parent);
