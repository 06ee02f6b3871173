#include "evaluation/wassergehalt/wassergehalt.h"

#include <algorithm>
#include <cmath>

#include "i18n/translation.h"
#include "records/matdef.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {
constexpr int kDecimals = 1;
}  // namespace

WaterContentInput WaterContentInputFromRecord(const CVersuch& record) {
  WaterContentInput in;
  if (record.GetField(17).empty()) {
    CMatDef material;
    material.Parse(record.GetField(25));
    in.requirement = StrGetField(material.GetSideTestEntry("VA_WASSERG"), '|', 1);
    return in;
  }
  in.water = record.GetValue(17, 0);
  in.requirement = record.GetValue(17, 1);
  in.wet = record.GetValue(17, 4);
  in.dry = record.GetValue(17, 5);
  return in;
}

bool ConvertOldWaterContent(WaterContentInput& in) {
  if (!in.wet.empty() || !in.dry.empty() || in.water.empty()) return false;
  in.wet = "100.0";
  in.dry = FormatDouble(100.0 - AtofLocale(in.water), kDecimals);
  return true;
}

WaterContentResult ComputeWassergehalt(const WaterContentInput& input) {
  WaterContentResult r;
  r.inputs = input;
  const TypedNumber wetTyped = CheckNumberInput(r.faults, kWaterWetInput, r.inputs.wet, kDecimals);
  const TypedNumber dryTyped = CheckNumberInput(r.faults, kWaterDryInput, r.inputs.dry, kDecimals);
  // Drying takes water away, it never adds any; the two weighings may differ
  // by a step of the balance.
  if (wetTyped.measured() && dryTyped.measured() &&
      PartAboveWhole(dryTyped.value, wetTyped.value, PrecisionStep(kDecimals))) {
    AddInputFault(r.faults, kWaterDryInput, 67011,
                  "Die trockene Probe wiegt über 0.1 g mehr als die nasse: beim Trocknen kommt kein Wasser hinzu.");
    r.inputs.wet = input.wet;
    r.inputs.dry = input.dry;
  }
  r.requirementDisplay = FormatRequirement(input.requirement, kDecimals);
  if (!r.faults.empty()) {
    r.inputs.water.clear();
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  const double wet = ParseNumber(r.inputs.wet);
  const double dry = ParseNumber(r.inputs.dry);
  // A dried sample may have held no water at all: equal masses, or a dry mass
  // a step above the wet one, give 0.0.
  if (!r.inputs.wet.empty() && !r.inputs.dry.empty() && dry > 0.0) {
    const double w = std::max(0.0, (wet - dry) / dry * 100.0);
    if (std::isfinite(w)) r.water = FormatDouble(w, kDecimals);
  }
  r.inputs.water = r.water;
  r.requirementState = JudgeRequirement(input.requirement, r.water);
  r.status = StatusOfJudgement(!r.water.empty(), r.requirementState);
  return r;
}

TestEntryResult WaterContentEntryResult(const CVersuch& record, const WaterContentResult& r) {
  TestEntryResult out;
  out.status = r.status;
  out.resultText = record.GetField(17);
  const std::string row = StatusReportRow(TranslateString(5180, "Wassergehalt") + " [%]:", r.water,
                                          FormatRequirement(r.inputs.requirement, kDecimals), r.status);
  out.parts = {
      {17, 0, r.water}, {17, 1, r.inputs.requirement}, {17, 4, r.inputs.wet}, {17, 5, r.inputs.dry}, {17, 3, row},
  };
  out.statisticsValue = r.water;
  return out;
}
