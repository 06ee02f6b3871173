#include "evaluation/laenger100/laenger100.h"

#include <cmath>

#include "evaluation/gleisschotter/ballastclasses.h"
#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

constexpr int kDecimals = 1;

}  // namespace

Grains100Result ComputeLaenger100(const Grains100Input& input) {
  Grains100Result r;
  r.inputs = input;
  r.inputs.requirement = TrimWhite(input.requirement);
  StrReplace(r.inputs.requirement, "_D", "_R");
  r.requirementDisplay = FormatRequirement(r.inputs.requirement, kDecimals);

  const std::optional<double> sampleMass = DivisibleSampleMass(input.sampleMass);
  const TypedNumber mass = CheckNumberInput(r.faults, 0, r.inputs.mass, kDecimals);
  if (mass.measured() && sampleMass && PartAboveWhole(mass.value, *sampleMass, PrecisionStep(kDecimals))) {
    // The grains are part of the sample, weighed apart from it.
    std::string reason = TranslateString(67007, "Die Körner wiegen über 0.1 g mehr als die ganze Probe (%s g).");
    StrReplace(reason, "%s", TrimWhite(input.sampleMass), false);
    r.faults.push_back({0, reason});
    r.inputs.mass = input.mass;
  }
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  if (!r.inputs.mass.empty() && sampleMass) {
    const double share = AtofLocale(r.inputs.mass) * 100.0 / *sampleMass;
    if (std::isfinite(share)) r.share = FormatDouble(share, kDecimals);
  }
  r.requirementState = JudgeRequirement(r.inputs.requirement, r.share);
  r.status = StatusOfJudgement(!r.share.empty(), r.requirementState);
  return r;
}

std::string Grains100Result::ResultText() const {
  return share + "|" + inputs.requirement + "|" + requirementDisplay + "|" + BallastResultCode(status) + "|||||||" +
         inputs.mass;
}

Grains100Input Grains100InputFromRecord(const CVersuch& record, const std::string& testKey) {
  Grains100Input in;
  in.mass = record.GetValue(16, 10);
  in.sampleMass = record.GetValue(18, 2);
  in.requirement = BallastRequirement(record, testKey);
  return in;
}
