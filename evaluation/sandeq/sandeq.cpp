#include "evaluation/sandeq/sandeq.h"

#include <cmath>
#include <cstdio>

#include "evaluation/frame/testentryframe.h"
#include "records/requirement.h"
#include "records/strutil.h"

SandEquivalentInput SandEquivalentInputFromRecord(const CVersuch& record) {
  SandEquivalentInput in;
  const std::string entry = record.GetSideTestEntry("VA_SANDEQ");
  in.relation = StrGetField(entry, '|', 1);
  in.required = StrGetField(entry, '|', 2);
  in.suitability = StrGetField(entry, '|', 3);
  in.suitabilityDate = StrGetField(entry, '|', 4);
  for (int k = 0; k < 2; ++k) {
    in.h1[static_cast<size_t>(k)] = record.GetValue(31, 4 * k);
    in.h2[static_cast<size_t>(k)] = record.GetValue(31, 4 * k + 1);
  }
  return in;
}

SandEquivalentResult ComputeSandEquivalent(const SandEquivalentInput& input) {
  SandEquivalentResult r;
  r.inputs = input;
  double sum = 0.0;
  int count = 0;
  for (int k = 0; k < 2; ++k) {
    const auto i = static_cast<size_t>(k);
    const TypedNumber h1 = CheckNumberInput(r.faults, InputId(kSandEqH1, k), r.inputs.h1[i], 1);
    const TypedNumber h2 = CheckNumberInput(r.faults, InputId(kSandEqH2, k), r.inputs.h2[i], 1);
    if (!h1.measured() || !h2.measured()) continue;
    // The sediment lies inside the flocculated height, read on one scale: no
    // tolerance. Without that height the sample has no value.
    if (!(ParseNumber(r.inputs.h1[i]) > 0.0))
      AddInputFault(r.faults, InputId(kSandEqH1, k), 62026,
                    "Mit h1 = 0 hat die Probe keinen Wert: h2 / h1 ist nicht bestimmt.");
    else if (h2.value > h1.value) {
      AddInputFault(r.faults, InputId(kSandEqH2, k), 62027,
                    "h2 kann nicht über h1 liegen: der Sand setzt sich unter der Flockung ab.");
      r.inputs.h1[i] = input.h1[i];
      r.inputs.h2[i] = input.h2[i];
    }
  }
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  for (size_t k = 0; k < 2; ++k) {
    const double h1 = ParseNumber(r.inputs.h1[k]);
    if (h1 > 0.0 && !r.inputs.h2[k].empty()) {
      const double se = ParseNumber(r.inputs.h2[k]) / h1 * 100.0;
      if (!std::isfinite(se)) continue;
      // The mean is taken of the whole numbers shown.
      r.se[k] = FormatDouble(se, 0);
      sum += ParseNumber(r.se[k]);
      ++count;
    }
  }
  if (count == 0) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  r.mean = FormatDouble(sum / count, 0);
  const std::string code = TrimWhite(input.required) + TrimWhite(input.relation);
  if (!StatesRequirement(code)) {
    r.status = std::string(1, TestStatus::DoneNoRequirement);
    return r;
  }
  if (!IsRequirementMet(code, r.mean)) {
    r.status = std::string(1, TestStatus::NotMet);
    r.labelState = kSandEqNotMet;
    return r;
  }
  // Without a suitability value there is nothing to deviate from.
  const std::string suitabilityText = TrimWhite(input.suitability);
  const double suitability = AtofLocale(suitabilityText);
  if (suitabilityText.empty() || (suitability > 15.0 && ParseNumber(r.mean) >= suitability - 15.0)) {
    r.status = std::string(1, TestStatus::Met);
    r.labelState = kSandEqMet;
  } else {
    r.status = std::string(1, TestStatus::MetWithRemark);
    r.labelState = kSandEqRemark;
    r.warning = true;
  }
  return r;
}

std::string SandEquivalentField(const std::string& field31, const SandEquivalentResult& r) {
  std::string text = field31;
  for (int k = 0; k < 2; ++k) {
    const auto i = static_cast<size_t>(k);
    StrSetField(text, '|', 4 * k, r.inputs.h1[i]);
    StrSetField(text, '|', 4 * k + 1, r.inputs.h2[i]);
    StrSetField(text, '|', 4 * k + 2, r.se[i]);
  }
  StrSetField(text, '|', 8, r.mean);
  StrSetField(text, '|', 9, GetRelationSymbol(r.inputs.relation) + " " + r.inputs.required);
  StrSetField(text, '|', 10, r.inputs.suitability);
  const char* verdict = r.labelState == kSandEqMet                                     ? "Ja"
                        : r.labelState == kSandEqNotMet || r.labelState == kSandEqRemark ? "Nein"
                                                                                         : "";
  StrSetField(text, '|', 11, verdict);
  return text;
}

std::string SuitabilityDateText(const std::string& entryDate) {
  int day = 0, month = 0, year = 0;
  if (std::sscanf(entryDate.c_str(), "%d.%d.%d", &day, &month, &year) < 3 || year == 0) return "";
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
  return text;
}
