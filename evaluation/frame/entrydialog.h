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
// - number inputs are normalised ("," read as ".") to the test's decimals.
#include <string>
#include <vector>

#include "shell/app/cpvdialog.h"

// The caption of an entry dialog: the translated dialog name, the blanks of
// the test, "Prüf-Nr.: " and the test number.
std::string EntryDialogTitle(const std::string& name, const std::string& blanks, const std::string& testNumber);

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

  void OnOK() final;

  // Recompute runs when one of these inputs loses the focus.
  void RecomputeOnKillFocus(const std::vector<int>& ids);
  // Sets the control's text only when it differs (no caret jump, no redraw).
  void SetTextIfChanged(int id, const std::string& text);
};
