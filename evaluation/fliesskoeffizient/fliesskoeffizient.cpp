#include "evaluation/fliesskoeffizient/fliesskoeffizient.h"

#include <cmath>

#include "i18n/translation.h"
#include "records/matdef.h"
#include "records/requirement.h"
#include "records/strutil.h"

FlowCoefficientInput FlowCoefficientInputFromRecord(const CVersuch& record) {
  FlowCoefficientInput in;
  if (record.GetField(13).empty()) {
    CMatDef material;
    material.Parse(record.GetField(25));
    in.requirement = StrGetField(material.GetSideTestEntry("VA_FLIESSK"), '|', 1);
    return in;
  }
  for (int i = 0; i < kFlowTimes; ++i) in.times[static_cast<size_t>(i)] = record.GetValue(13, i);
  in.requirement = record.GetValue(13, 6);
  in.density = record.GetValue(13, 9);
  in.ecse = record.GetValue(13, 11);
  if (in.ecse.empty()) in.ecse = "32.0";
  return in;
}

FlowCoefficientResult ComputeFlowCoefficient(const FlowCoefficientInput& input) {
  FlowCoefficientResult r;
  r.inputs = input;
  for (int i = 0; i < kFlowTimes; ++i)
    CheckNumberInput(r.faults, InputId(kFlowTime, i), r.inputs.times[static_cast<size_t>(i)], 1);
  CheckNumberInput(r.faults, InputId(kFlowEcse), r.inputs.ecse, 0);
  CheckNumberInput(r.faults, InputId(kFlowDensity), r.inputs.density, 2);
  r.requirementDisplay = FormatRequirement(input.requirement, 1);
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  double sum = 0.0;
  int count = 0;
  for (std::string& time : r.inputs.times) {
    const double value = ParseNumber(time);
    if (value > 0.0 && std::isfinite(value)) {
      sum += value;
      ++count;
    }
  }
  const double ecse = ParseNumber(r.inputs.ecse);
  if (count > 0 && std::isfinite(sum)) {
    const double ecsm = sum / count;
    r.ecsm = FormatDouble(ecsm, 0);
    if (ecse > 0.0 && std::isfinite(ecse)) {
      const double ecs = 32.0 - ecse + ecsm;
      if (ecs > 0.0) r.ecs = FormatDouble(ecs, 0);
    }
  }
  r.requirementState = JudgeRequirement(input.requirement, r.ecs);
  r.status = StatusOfJudgement(!r.ecs.empty(), r.requirementState);
  return r;
}

TestEntryResult FlowCoefficientEntryResult(const CVersuch& record, const FlowCoefficientResult& r) {
  TestEntryResult out;
  out.status = r.status;
  out.resultText = record.GetField(13);
  for (int i = 0; i < kFlowTimes; ++i) out.parts.push_back({13, i, r.inputs.times[static_cast<size_t>(i)]});
  const std::string ecsRow = StatusReportRow(TranslateString(5208, "Fließkoeffizient [s]:"), r.ecs,
                                             FormatRequirement(r.inputs.requirement, 1), r.status);
  // The density is reported only beside a coefficient; a density of 0 is
  // none, as a flow time of 0 is not counted.
  const std::string densityRow =
      ecsRow.empty() || !(ParseNumber(r.inputs.density) > 0.0)
          ? ""
          : ReportRequirementRow(TranslateString(5209, "Rohdichte Fließk. [Mg/m³]:"), "", r.inputs.density, "", "0");
  out.parts.push_back({13, 5, r.ecs});
  out.parts.push_back({13, 6, r.inputs.requirement});
  out.parts.push_back({13, 9, r.inputs.density});
  out.parts.push_back({13, 11, r.inputs.ecse});
  out.parts.push_back({13, 8, ecsRow});
  out.parts.push_back({13, 10, densityRow});
  out.statisticsValue = r.ecs;
  return out;
}
