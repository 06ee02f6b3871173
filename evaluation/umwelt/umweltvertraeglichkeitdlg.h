#pragma once
// CUmweltvertraeglichkeitDlg: the environmental compatibility of recycled
// track ballast (template 599): four lists set inside their sentences, the pH
// value and the conductivity as typed. Nothing is computed while it is open;
// a pH typed as a number is checked when it is left.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/umwelt/umweltvertraeglichkeit.h"

class CUmweltvertraeglichkeitDlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 599;
  // kFirstText: the first of the sentence texts around the lists.
  enum : int { kFirstStatement = 1001, kPh = 1005, kConductivity = 1006, kFirstText = 1201 };

  explicit CUmweltvertraeglichkeitDlg(QWidget* parent = nullptr);
  ~CUmweltvertraeglichkeitDlg() override;

  // In: the test number and the stored field 22; out on OK: the new field
  // and the status. The record is handed in but not read.
  std::string m_TestNumber;
  std::string m_ResultText;
  CVersuch* m_pVersuch = nullptr;
  std::string m_Status;

 protected:
  bool OnInitDialog() override;
  // Nothing is computed: the pH is only checked.
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  EnvironmentInput ReadInputs() const;
  InputFaults faults_;
};

std::optional<TestEntryResult> EditEnvironment(CVersuch& record, QWidget* parent);
