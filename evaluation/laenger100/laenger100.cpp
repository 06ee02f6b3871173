#include "evaluation/laenger100/laenger100.h"

#include <cmath>

#include "evaluation/gleisschotter/ballastclasses.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

constexpr int kDecimals = 1;

}  // namespace

Grains100Result ComputeLaenger100(const Grains100Input& input) {
  Grains100Result r;
  r.inputs = input;
  r.inputs.mass = GetNormalizedNumber(input.mass, kDecimals);
  r.inputs.requirement = TrimWhite(input.requirement);
  StrReplace(r.inputs.requirement, "_D", "_R");

  const std::optional<double> sampleMass = DivisibleSampleMass(input.sampleMass);
  if (!r.inputs.mass.empty() && sampleMass) {
    const double share = AtofLocale(r.inputs.mass) * 100.0 / *sampleMass;
    if (std::isfinite(share)) r.share = FormatDouble(share, kDecimals);
  }
  r.requirementDisplay = FormatRequirement(r.inputs.requirement, kDecimals);
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
