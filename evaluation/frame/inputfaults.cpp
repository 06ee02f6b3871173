#include "evaluation/frame/inputfaults.h"

#include <algorithm>
#include <cmath>

#include "i18n/translation.h"

TypedNumber CheckNumberInput(InputFaults& faults, int input, std::string& text, int decimals, const NumberRule& rule,
                             Rounding rounding) {
  const TypedNumber typed = NormalizeNumber(text, decimals, rule, rounding);
  if (!typed.accepted()) faults.push_back({input, NumberRefusalReason(text, rule)});
  return typed;
}

void AddInputFault(InputFaults& faults, int input, int textId, const std::string& german) {
  faults.push_back({input, TranslateString(textId, german)});
}

bool HasInputFault(const InputFaults& faults, int input) {
  return std::any_of(faults.begin(), faults.end(), [input](const InputFault& f) { return f.input == input; });
}

bool PartAboveWhole(double part, double whole, double tolerance) {
  // What the binary forms of the decimals add is no surplus.
  const double slack = 1e-9 + 1e-12 * std::max(std::fabs(part), std::fabs(whole));
  return part - whole > tolerance + slack;
}

double PrecisionStep(int decimals) { return std::pow(10.0, -decimals); }
