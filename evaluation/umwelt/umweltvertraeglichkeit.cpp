#include "evaluation/umwelt/umweltvertraeglichkeit.h"

#include "i18n/translation.h"
#include "records/strutil.h"

std::string EnvironmentResultText(const EnvironmentInput& input) {
  std::string text;
  for (int choice : input.choices) {
    text += choice == kAffirmed ? "0" : choice == kNegated ? "1" : "";
    text += "|";
  }
  return text + "||" + SafeFieldValue(input.ph) + "|" + SafeFieldValue(input.conductivity);
}

InputFaults EnvironmentFaults(const EnvironmentInput& input) {
  InputFaults faults;
  // Text such as "< 4" or "n.b." stands as typed; a plain number is a pH.
  const NumberFault ph = ReadNumberInput(input.ph, kPhNumber).fault;
  if (ph != kNumberOk && ph != kNotANumber) {
    std::string reason = TranslateString(67013, "%s liegt außerhalb der pH-Skala von 0 bis 14.");
    StrReplace(reason, "%s", TrimWhite(input.ph), false);
    faults.push_back({kEnvironmentPhInput, reason});
  }
  return faults;
}

std::string EnvironmentStatus(const EnvironmentInput& input) {
  if (!EnvironmentFaults(input).empty()) return std::string(1, TestStatus::Incomplete);
  switch (input.choices[kEnvironmentStatements - 1]) {
    case kAffirmed: return std::string(1, TestStatus::Met);
    case kNegated: return std::string(1, TestStatus::NotMet);
    default: return std::string(1, TestStatus::Incomplete);
  }
}

EnvironmentInput EnvironmentInputFromField(const std::string& field22) {
  EnvironmentInput in;
  for (int i = 0; i < kEnvironmentStatements; ++i) {
    const std::string part = TrimWhite(StrGetField(field22, '|', i));
    in.choices[static_cast<size_t>(i)] = part == "0" ? kAffirmed : part == "1" ? kNegated : kNoChoice;
  }
  in.ph = StrGetField(field22, '|', 6);
  in.conductivity = StrGetField(field22, '|', 7);
  return in;
}
