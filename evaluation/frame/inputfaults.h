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

// The number of an input as the faults give it: its column (what it holds,
// named by the test) and its row in the test's table (0 for a single field).
inline constexpr int kInputRowsPerColumn = 100;
constexpr int InputId(int column, int row = 0) { return column * kInputRowsPerColumn + row; }
struct InputPlace {
  int column = 0;
  int row = 0;
};
constexpr InputPlace InputPlaceOf(int input) { return {input / kInputRowsPerColumn, input % kInputRowsPerColumn}; }

// Normalises a typed number to the decimals; a text the rule refuses stays as
// typed and adds its fault. Gives what was typed.
TypedNumber CheckNumberInput(InputFaults& faults, int input, std::string& text, int decimals,
                             const NumberRule& rule = kMeasuredNumber, Rounding rounding = Rounding::kAsPrinted);
// Adds the fault of a forbidden relation (the reason translated by its id).
void AddInputFault(InputFaults& faults, int input, int textId, const std::string& german);
// True when an input has a fault.
bool HasInputFault(const InputFaults& faults, int input);

// A part weighed apart from its whole may lie above it by what two weighings
// differ: by the tolerance the standard names (1 % of the test portion for
// flakiness and crushed surfaces), else by one step of the shown precision.
// Values as typed, never as rounded for the display; the inputs of a refused
// relation keep their typed texts, so that the next computation compares the
// same values until they are corrected.
bool PartAboveWhole(double part, double whole, double tolerance);
// One step of a value shown with that many decimals: 0.1 for 1.
double PrecisionStep(int decimals);
