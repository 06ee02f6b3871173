#pragma once
// The form of the grain-shape dialogs that test one portion: the masses of
// badly and of well shaped grains with their shares, the sum, the
// requirement and the mark. The simple shape index and the grain shape of
// grading mixtures build on it.
#include "evaluation/frame/entrydialog.h"
#include "evaluation/kornform/kornformkennzahl.h"

class CBadGoodShareDlg : public CEntryDialog {
  Q_OBJECT

 public:
  enum : int {
    kSum = 1030,
    kBad = 1034,
    kGood = 1035,
    kShareBad = 1036,
    kShareGood = 1037,
    kRequirement = 1126,
    kStatusMark = 1127,
  };
  ~CBadGoodShareDlg() override;

  // In: the test number and the stored field 12; out on OK: the status.
  std::string m_TestNumber;
  std::string m_ResultText;
  std::string m_Status;

 protected:
  CBadGoodShareDlg(int templateId, QWidget* parent);

  // Sets the caption and puts the stored masses (field 12 parts `badPart`
  // and `badPart` + 1) into the controls.
  void ShowStored(const std::string& caption, int badPart);
  std::string Bad() const { return GetItemText(kBad); }
  std::string Good() const { return GetItemText(kGood); }
  // Shows the computed texts; mark: the status of the mark (0 none).
  void ShowShares(const BadGoodShares& shares, const std::string& requirement, int mark);
  std::vector<FieldFault> FieldFaults() const override;

 private:
  InputFaults faults_;  // of the shares shown
};
