#include "evaluation/wasseraufnahme/wasseraufnahme.h"

#include <cmath>

#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

constexpr int kDecimals = 2;

std::string ResultCode(int state) {
  return state == kRequirementMet ? "1" : state == kRequirementNotMet ? "2" : "0";
}

}  // namespace

AbsorptionResult ComputeWasseraufnahme(const AbsorptionInput& input) {
  AbsorptionResult r;
  r.inputs = input;
  r.inputs.requirement = TrimWhite(input.requirement);
  r.requirementDisplay = FormatRequirement(r.inputs.requirement, 1);

  for (int k = 0; k < kStoneRows; ++k) {
    StoneRow& row = r.inputs.rows[static_cast<size_t>(k)];
    CheckNumberInput(r.faults, InputId(kAbsorptionDry, k), row.dry, kDecimals);
    CheckNumberInput(r.faults, InputId(kAbsorptionWet, k), row.wet, kDecimals);
  }
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  double sum = 0.0;
  int counted = 0;
  bool anyMet = false, anyNotMet = false;
  for (size_t i = 0; i < kStoneRows; ++i) {
    StoneRow& row = r.inputs.rows[i];
    if (row.dry.empty() || row.wet.empty()) continue;
    StoneResult& stone = r.stones[i];
    const double dryMass = AtofLocale(row.dry);
    const double wetMass = AtofLocale(row.wet);
    if (!(dryMass > 0.0) || !(wetMass > 0.0)) continue;
    // A stone gives off no water when it is soaked: one that weighs less wet
    // than dry lost a piece. The masses as stored decide, so that a stored
    // test opens as it was confirmed.
    if (wetMass < dryMass) {
      stone.whyNotCounted = TranslateString(67012, "Nicht gezählt: der Stein wiegt feucht weniger als trocken.");
      continue;
    }
    const double percent = (wetMass - dryMass) * 100.0 / dryMass;
    if (!std::isfinite(percent)) continue;
    stone.counted = true;
    stone.grams = FormatDouble(wetMass - dryMass, kDecimals);
    stone.percent = FormatDouble(percent, kDecimals);
    stone.state = JudgeRequirement(r.inputs.requirement, stone.percent);
    anyMet = anyMet || stone.state == kRequirementMet;
    anyNotMet = anyNotMet || stone.state == kRequirementNotMet;
    sum += percent;
    ++counted;
  }

  if (counted == 0) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  r.status = std::string(1, anyNotMet ? TestStatus::NotMet : anyMet ? TestStatus::Met : TestStatus::DoneNoRequirement);
  r.mean = FormatDouble(sum / counted, kDecimals);
  r.meanState = JudgeRequirement(r.inputs.requirement, r.mean);
  return r;
}

std::string AbsorptionResult::ResultText() const {
  std::string text = "|" + inputs.requirement + "|" + requirementDisplay + "|" +
                     (status == std::string(1, TestStatus::NotMet) ? "1" : "") + "|" + mean + "|" +
                     ResultCode(meanState) + "|||||";
  for (size_t i = 0; i < kStoneRows; ++i) {
    const StoneRow& row = inputs.rows[i];
    const StoneResult& stone = stones[i];
    text += SafeFieldValue(row.number, "@") + "@" + row.dry + "@" + row.wet + "@" + stone.grams + "@" + stone.percent +
            "@" + ResultCode(stone.state) + "@" + SafeFieldValue(row.remark, "@") + "|";
  }
  return text;
}

AbsorptionInput AbsorptionInputFromField(const std::string& field17, const std::string& requirement) {
  AbsorptionInput in;
  in.requirement = requirement;
  for (int i = 0; i < kStoneRows; ++i) {
    const std::string row = StrGetField(field17, '|', 10 + i);
    StoneRow& stone = in.rows[static_cast<size_t>(i)];
    stone.number = StrGetFieldS(row, "@", 0);
    stone.dry = StrGetFieldS(row, "@", 1);
    stone.wet = StrGetFieldS(row, "@", 2);
    stone.remark = StrGetFieldS(row, "@", 6);
  }
  return in;
}
