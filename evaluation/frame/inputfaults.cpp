#include "evaluation/frame/inputfaults.h"

#include <algorithm>

#include "i18n/translation.h"

bool CheckNumberInput(InputFaults& faults, int input, std::string& text, int decimals, const NumberRule& rule) {
  if (NormalizeNumberInput(text, decimals, rule)) return true;
  faults.push_back({input, NumberRefusalReason(text, rule)});
  return false;
}

void AddInputFault(InputFaults& faults, int input, int textId, const std::string& german) {
  faults.push_back({input, TranslateString(textId, german)});
}

bool HasInputFault(const InputFaults& faults, int input) {
  return std::any_of(faults.begin(), faults.end(), [input](const InputFault& f) { return f.input == input; });
}
