#pragma once
// CInputChecks: the one place where a dialog's number fields refuse what no
// one can have measured (records/numberinput.h) and where the relations a
// computation found impossible are told. For every dialog and property page:
//
// - a refused field is marked (red, the reason as its tooltip), now and
//   whenever the dialog opens with such a value (a stored value is never
//   changed: it stays as it is, marked);
// - leaving a refused field tells it: a message names the field by its label
//   and says what it allows; the typed text stays and the focus returns to
//   it. A relation fault is told once when it appears, naming its field;
// - OK is refused, with the message of the first fault, while any remains.
//
// Leaving for Cancel, or for another window, tells nothing (OK still does).
//
//   checks_.AddNumberField(kFinal4050, {kFinalHeading, kRow4050});
//   checks_.Mark(faults);         // after every computation
//   checks_.Left(kFinal4050);     // the field lost the focus
//   if (!checks_.Confirm()) return;   // in OnOK
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/frame/inputfaults.h"
#include "records/numberinput.h"

#include <QPalette>
#include <QString>

namespace platform {
class Dialog;
}

// A fault as a dialog shows it: on the field with that control id.
struct FieldFault {
  int id = 0;
  std::string reason;
  bool operator==(const FieldFault&) const = default;
};

// The faults of a computation on the dialog's fields; an input without a
// field (fieldOfInput gives 0) is left out.
std::vector<FieldFault> FieldFaultsOf(const InputFaults& faults, const std::function<int(int input)>& fieldOfInput);

// The message box that refuses an input: a warning titled "Eingabe prüfen".
void ShowInputRefusal(const std::string& message);

class CInputChecks {
 public:
  explicit CInputChecks(platform::Dialog& dialog);
  CInputChecks(const CInputChecks&) = delete;
  CInputChecks& operator=(const CInputChecks&) = delete;

  // A number field named by the texts of its label controls, joined by ", "
  // (read when a message is made, so translated by then).
  void AddNumberField(int id, std::vector<int> labelIds, const NumberRule& rule = kMeasuredNumber);
  // A number field named by a text of its own.
  void AddNamedNumberField(int id, std::function<std::string()> name, const NumberRule& rule = kMeasuredNumber);
  // A field of free text, named by its labels in the messages of the faults
  // the computation finds on it.
  void AddTextField(int id, std::vector<int> labelIds);
  bool IsNumberField(int id) const;
  // The name of a field as the messages give it.
  std::string FieldName(int id) const;
  // The reason a field is refused now; "" when it is not.
  std::string Refusal(int id) const;

  // Marks the refused number fields and the fields of the relation faults;
  // clears the marks of the others.
  void Mark(const std::vector<FieldFault>& relations);
  // The field lost the focus (after the recomputation and Mark).
  void Left(int id);
  // True when no field is refused; else tells the first fault.
  bool Confirm();
  // The field the last message named; 0 before any.
  int LastNamedField() const { return lastNamed_; }

 private:
  struct Field {
    int id = 0;
    std::vector<int> labelIds;
    std::function<std::string()> name;
    std::optional<NumberRule> rule;  // none for free text
  };
  const Field* FindField(int id) const;
  // The field's rule when it is a number field that refuses what it holds.
  const NumberRule* RefusingRule(int id) const;
  // The message of a fault: the number rule's for a refused number field,
  // else the relation's reason after the field's name.
  std::string MessageOf(int id, const std::string& reason) const;
  void Tell(int id, const std::string& message);
  void ShowNow(int id, const std::string& message);
  void SetMarked(int id, const std::string& reason);
  void ClearMark(int id);
  // Telling would interrupt: the focus went to Cancel or out of the window.
  bool LeavingQuietly() const;

  platform::Dialog& dialog_;
  std::vector<Field> fields_;
  std::vector<FieldFault> relations_;  // as the last Mark gave them
  std::vector<FieldFault> told_;       // relation faults told while they last
  // How a marked field looked before its mark.
  struct Original {
    int id = 0;
    QPalette palette;
    bool autoFill = false;
    QString tooltip;
  };
  std::vector<Original> originals_;
  bool telling_ = false;
  int serial_ = 0;
  int lastNamed_ = 0;
};
