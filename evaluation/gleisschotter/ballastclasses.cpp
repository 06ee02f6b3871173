#include "evaluation/gleisschotter/ballastclasses.h"

#include <cmath>

#include "records/matdef.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

constexpr int kDecimals = 1;
// Below this a sum of masses cannot be divided by.
constexpr double kSmallestSum = 0.0001;

// The sum of two shown masses, "" unless both are given.
std::string PairSum(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return "";
  const double sum = AtofLocale(a) + AtofLocale(b);
  return std::isfinite(sum) ? FormatDouble(sum, kDecimals) : "";
}

}  // namespace

BallastClassResult ComputeBallastClasses(const BallastClassInput& input) {
  BallastClassResult r;
  r.inputs = input;
  r.inputs.requirement = TrimWhite(input.requirement);
  StrReplace(r.inputs.requirement, "_D", "_R");
  const struct {
    int total, part;
    std::string *totalText, *partText;
    const std::string *typedTotal, *typedPart;
  } classes[] = {
      {kBallastTotal4050, kBallastPart4050, &r.inputs.total4050, &r.inputs.part4050, &input.total4050, &input.part4050},
      {kBallastTotal3140, kBallastPart3140, &r.inputs.total3140, &r.inputs.part3140, &input.total3140, &input.part3140}};
  for (const auto& c : classes) {
    const TypedNumber total = CheckNumberInput(r.faults, c.total, *c.totalText, kDecimals);
    const TypedNumber part = CheckNumberInput(r.faults, c.part, *c.partText, kDecimals);
    // The failing grains are grains of their class, weighed apart from it.
    if (total.measured() && part.measured() && PartAboveWhole(part.value, total.value, PrecisionStep(kDecimals))) {
      AddInputFault(r.faults, c.part, 67005,
                    "Die Masse der Körner liegt mehr als 0.1 g über dem Gesamtgewicht ihrer Kornklasse.");
      *c.totalText = *c.typedTotal;
      *c.partText = *c.typedPart;
    }
  }
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  r.sumTotals = PairSum(r.inputs.total4050, r.inputs.total3140);
  r.sumParts = PairSum(r.inputs.part4050, r.inputs.part3140);
  const double divisor = AtofLocale(r.sumTotals);
  if (!r.sumTotals.empty() && !r.sumParts.empty() && divisor > kSmallestSum) {
    const double share = AtofLocale(r.sumParts) * 100.0 / divisor;
    if (std::isfinite(share)) r.share = FormatDouble(share, kDecimals);
  }

  r.requirementState = JudgeRequirement(r.inputs.requirement, r.share);
  r.status = StatusOfJudgement(!r.share.empty(), r.requirementState);
  return r;
}

std::optional<double> DivisibleSampleMass(const std::string& text) {
  constexpr double kSmallestSampleMass = 0.00001;
  const std::string trimmed = TrimWhite(text);
  const double mass = AtofLocale(trimmed);
  if (trimmed.empty() || !std::isfinite(mass) || !(mass > kSmallestSampleMass)) return std::nullopt;
  return mass;
}

std::string BallastResultCode(const std::string& status) {
  if (status.size() == 1 && status[0] == TestStatus::Met) return "1";
  if (status.size() == 1 && status[0] == TestStatus::NotMet) return "2";
  return "0";
}

std::string BallastClassResult::ResultText(const std::string& shownRequirement) const {
  return "2|" + share + "|" + inputs.requirement + "|" + shownRequirement + "|" + BallastResultCode(status) +
         "|||||||" + inputs.total4050 + "|" + inputs.total3140 + "|" + inputs.part4050 + "|" + inputs.part3140 +
         "||" + sumTotals + "|" + sumParts + "|";
}

TestEntryResult BallastEntryResult(const BallastClassResult& result, const std::string& shownRequirement) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText(shownRequirement);
  return out;
}

BallastClassInput BallastClassInputFromField(const std::string& field, const std::string& requirement) {
  BallastClassInput in;
  in.total4050 = StrGetField(field, '|', 11);
  in.total3140 = StrGetField(field, '|', 12);
  in.part4050 = StrGetField(field, '|', 13);
  in.part3140 = StrGetField(field, '|', 14);
  in.requirement = requirement;
  return in;
}

std::string BallastRequirement(const CVersuch& record, const std::string& testKey) {
  CMatDef material;
  material.Parse(record.GetField(25));
  return StrGetField(material.GetSideTestEntry(testKey), '|', 1);
}

bool TakeSievedBallastMasses(const CVersuch& record, BallastClassInput& input) {
  const std::string mass4050 = record.GetBallastMass40To50();
  const std::string mass3140 = record.GetBallastMass31To40();
  if (mass4050.empty() || mass3140.empty()) return false;
  input.total4050 = mass4050;
  input.total3140 = mass3140;
  return true;
}
