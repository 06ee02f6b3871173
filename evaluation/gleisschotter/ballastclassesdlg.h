#pragma once
// The entry dialog of a track-ballast test on the grain classes 40-50 and
// 31.5-40 mm (ballastclasses.h): a table of the two total masses and the two
// masses of failing grains with their sums, the share with its requirement
// and mark, and a button that takes the total masses from the sieving. The
// grain shape and the flakiness of track ballast differ only in their texts.
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/gleisschotter/ballastclasses.h"

// The texts of one test's dialog.
struct BallastDialogTexts {
  int templateId;
  const char* caption;
  int titleId;  // the caption with the test number: text, then the number
  const char* title;
  const char* slotWidths[2];  // of the bar sieves; nullptr: the test has none
  const char* columns[4];     // class, bar sieve, total, failing
  const char* shareLabel;
  int messageId;  // no sieved masses
  const char* message;
};

class CBallastClassesDlg : public CEntryDialog {
  Q_OBJECT

 public:
  enum : int {
    kTotal4050 = 1007,
    kTotal3140 = 1008,
    kSumTotals = 1009,
    kPart4050 = 1010,
    kPart3140 = 1011,
    kSumParts = 1012,
    kShare = 1013,
    kRequirement = 1014,
    kStatusMark = 1015,
    kTakeOver = 1267,
  };

  ~CBallastClassesDlg() override;

  // In: the record (read for the test number, the material and the sieved
  // masses) and the whole stored field; out on OK: the new field and the status.
  CVersuch* m_pVersuch = nullptr;
  std::string m_ResultText;
  std::string m_Status;
  // The requirement code as the dialog uses it.
  std::string m_Requirement;

  const BallastClassResult& Result() const { return result_; }
  // What the opener stores: the result of the last computation.
  TestEntryResult EntryResult() const { return BallastEntryResult(result_, RequirementText(result_.inputs.requirement)); }
  // The button: the total masses from the sieving.
  void OnGesamtgewichteUebernehmen();

 protected:
  CBallastClassesDlg(const BallastDialogTexts& texts, const std::string& testKey, QWidget* parent);
  // The requirement as the test shows it.
  virtual std::string RequirementText(const std::string& code) const = 0;

  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  BallastClassInput ReadInputs() const;
  void Show(const BallastClassInput& input);

  const BallastDialogTexts& texts_;
  std::string testKey_;
  BallastClassResult result_;
};
