#pragma once
// What a computation found that no measurement can have given: a typed
// number its field refuses, or a relation between inputs that physics
// forbids (a part heavier than its whole, a sediment above its flocculate).
// A computation with a fault derives nothing from its inputs: no result, no
// face, status "0"; the dialog names the field. Plain data, no widgets.
#include <string>
#include <vector>

#include "records/numberinput.h"

struct InputFault {
  int input = 0;       // the test's own number of the input at fault
  std::string reason;  // translated, one sentence
};
using InputFaults = std::vector<InputFault>;

// Normalises a typed number to the decimals; a text the rule refuses stays as
// typed and adds its fault. True when the text is accepted.
bool CheckNumberInput(InputFaults& faults, int input, std::string& text, int decimals,
                      const NumberRule& rule = kMeasuredNumber);
// Adds the fault of a forbidden relation (the reason translated by its id).
void AddInputFault(InputFaults& faults, int input, int textId, const std::string& german);
// True when an input has a fault.
bool HasInputFault(const InputFaults& faults, int input);
