#pragma once
// The base of the test entry dialogs. What they share:
// - texts are translated when the dialog opens (CpvDialog); opened while
//   editing is not allowed, the dialog shows its values and cannot be
//   confirmed;
// - the derived values and the status marks are recomputed whenever an input
//   loses the focus, never while typing;
// - OK recomputes once more before it takes the result, so that a result is
//   always stored together with the inputs it was computed from (Return in
//   an input confirms without the input losing the focus);
// - number inputs are normalised ("," read as ".") to the test's decimals;
//   a number field refuses what no one can have measured, and the faults the
//   computation finds are told on their fields (CInputChecks): OK stores
//   nothing while one remains.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/frame/inputchecks.h"
#include "evaluation/frame/testentryframe.h"
#include "services/cpvdialog.h"

class QLabel;
class QLineEdit;

// The caption of an entry dialog: the translated dialog name, the blanks of
// the test, "Prüf-Nr.: " and the test number.
std::string EntryDialogTitle(const std::string& name, const std::string& blanks, const std::string& testNumber);

// The controls of a dialog's row table. A label with id 0 has no id (its
// text is not translated); a number field is right-aligned with a fixed
// width, and a read-only one takes no focus.
QLabel* MakeRowLabel(QWidget* parent, int id, const QString& text,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QLineEdit* MakeRowField(QWidget* parent, int id, bool readOnly, int width = 80);

class CEntryDialog : public CpvDialog {
  Q_OBJECT

 public:
  explicit CEntryDialog(int templateId, QWidget* parent = nullptr);

 protected:
  // Recomputes every derived value, the status and the marks from what the
  // inputs show.
  virtual void Recompute() = 0;
  // Takes the result of the recomputation OK has just made; false keeps the
  // dialog open.
  virtual bool TakeResult() = 0;

  // The faults of the last computation on the dialog's fields.
  virtual std::vector<FieldFault> FieldFaults() const { return {}; }

  void OnOK() final;
  // The values are shown: the refused ones are marked.
  void AfterInitDialog() override;

  // Recompute runs when one of these inputs loses the focus; then the
  // field's refusal, or a new fault, is told.
  void RecomputeOnKillFocus(const std::vector<int>& ids);
  // A number field of the dialog, named by the texts of its labels.
  void NumberField(int id, std::vector<int> labelIds, const NumberRule& rule = kMeasuredNumber) {
    checks_.AddNumberField(id, std::move(labelIds), rule);
  }
  // A number field named by a text of its own.
  void NamedNumberField(int id, std::function<std::string()> name, const NumberRule& rule = kMeasuredNumber) {
    checks_.AddNamedNumberField(id, std::move(name), rule);
  }
  // A field of free text, named by its labels where a fault is told on it.
  void TextField(int id, std::vector<int> labelIds) { checks_.AddTextField(id, std::move(labelIds)); }
  // Marks the refused fields anew (after a computation the dialog started itself).
  void MarkFaults() { checks_.Mark(FieldFaults()); }
  // Sets the control's text only when it differs (no caret jump, no redraw).
  void SetTextIfChanged(int id, const std::string& text);
  // Sets the title and widens a narrow dialog so that the title bar shows it
  // whole, test number included.
  void SetTitleFitting(const std::string& title);

 public:
  const CInputChecks& Checks() const { return checks_; }

 private:
  CInputChecks checks_{*this};
};

// Shows a dialog that gives back its result in m_ResultText and m_Status: on
// OK what the opener stores, nothing otherwise.
template <class Dialog>
std::optional<TestEntryResult> ShowForEntryResult(Dialog& dialog) {
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  TestEntryResult out;
  out.status = dialog.m_Status;
  out.resultText = dialog.m_ResultText;
  return out;
}
