#pragma once
// CPetrographieDlg: entry of the petrographic examination (template 546).
// The opener hands in the test number and field 21; the dialog recomputes
// when a mass loses the focus, after a property text was edited and at OK,
// and gives back the new field 21 and the status. Resting the mouse on a
// property text shows it in full, line by line, above its field.
#include <array>
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/petrographie/petrographie.h"

class CLabel;

class CPetrographieDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 546;
  static constexpr int kIconCommand = 9206;
  enum : int {
    kFirstMass = 1001,         // rows 1 .. 8 (index 0 .. 7); Summe A is computed
    kFirstShare = 1011,
    kTotalMass = 1020,
    kTotalShare = 1021,
    kFirstText = 1031,         // the five property texts (A1, A2, A3, B, C)
    kFirstTextButton = 1041,   // their "..." buttons
    kFirstRequirement = 1051,  // + PetroCheckIndex(row A/B/C, use): RequirementField
    kFirstMetMark = 1061,      // green face, + the check index
    kFirstNotMetMark = 1071,   // red face, + the check index
    kInfoLabel = 1080,
  };

  // The requirement of row A, B or C (0 .. 2) for a use, and the faces beside it.
  static constexpr int RequirementField(int judged, int use) { return kFirstRequirement + PetroCheckIndex(judged, use); }

  explicit CPetrographieDlg(QWidget* parent = nullptr);
  ~CPetrographieDlg() override;

  // In: the test number and the stored field 21. Out (on OK): the new field 21
  // and the TestStatus character.
  std::string m_TestNumber;
  std::string m_ResultText;
  std::string m_Status;
  // The five property texts, stored form.
  std::array<std::string, kPetroTexts> m_PropertyTexts;

  // The last computation (after OK: the one OK made).
  const PetrographyResult& Result() const { return result_; }

  void ComputePetrography();
  // The "..." button of a class (0 A1 .. 4 C): edits its property text.
  void EditPropertyText(int index);
  // The info label shows the property text of a class above its field; -1 hides it.
  void ShowPropertyInfo(int index);

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputePetrography(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  PetrographyInput ReadInputs() const;

  PetrographyInput defaults_;
  PetrographyResult result_;
  CLabel* info_ = nullptr;
};

// The petrography dialog for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditPetrography(CVersuch& record, QWidget* parent);
