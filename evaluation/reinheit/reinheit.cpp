#include "evaluation/reinheit/reinheit.h"

#include <cmath>

#include "evaluation/gleisschotter/ballastclasses.h"
#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"

const std::array<const char*, 7> kPurityDefaultNames = {
    "organische Verunreinigung",     "mergelige Bestandteile",
    "tonige Bestandteile",           "eisenhaltiges Gestein",
    "'Sonnenbrand (SB)'-Gestein",    "minderfestes Rand- und Kontaktgestein",
    "verwittertes Rand- und Kontaktgestein",
};

namespace {

constexpr int kDecimals = 1;
constexpr double kSmallest = 0.00001;

}  // namespace

PurityResult ComputePurityBallast(const PurityInput& input) {
  PurityResult r;
  r.inputs = input;
  r.inputs.requirement = TrimWhite(input.requirement);
  const std::optional<double> sampleMass = DivisibleSampleMass(input.sampleMass);
  r.requirementDisplay = FormatRequirement(r.inputs.requirement, kDecimals);

  double typed = 0.0;
  for (int row = 0; row < kPurityRows; ++row) {
    const TypedNumber mass = CheckNumberInput(r.faults, row, r.inputs.masses[static_cast<size_t>(row)], kDecimals);
    if (!mass.measured()) continue;
    typed += mass.value;
    // The constituents are parts of the sample, weighed apart from it: the row
    // that takes them over it is named.
    if (r.faults.empty() && sampleMass && PartAboveWhole(typed, *sampleMass, PrecisionStep(kDecimals))) {
      std::string reason = TranslateString(
          67008, "Die Bestandteile wiegen bis hierher zusammen über 0.1 g mehr als die ganze Probe (%s g).");
      StrReplace(reason, "%s", TrimWhite(input.sampleMass), false);
      r.faults.push_back({row, reason});
      r.inputs.masses = input.masses;
    }
  }
  if (!r.faults.empty()) {
    for (size_t i = 0; i < kPurityRows; ++i) r.inputs.names[i] = TrimWhite(input.names[i]);
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  double sumMasses = 0.0, sumShares = 0.0;
  for (size_t i = 0; i < kPurityRows; ++i) {
    r.inputs.names[i] = TrimWhite(input.names[i]);
    const std::string& mass = r.inputs.masses[i];
    if (!r.inputs.names[i].empty() && mass.empty()) r.complete = false;
    if (mass.empty() || !sampleMass) continue;
    const double value = AtofLocale(mass);
    const double share = value > kSmallest ? 100.0 / *sampleMass * value : 0.0;
    sumMasses += value;
    sumShares += share;
    r.shares[i] = FormatDouble(share, kDecimals);
    ++r.counted;
  }

  if (r.counted > 0 && std::isfinite(sumMasses) && std::isfinite(sumShares)) {
    r.sumMasses = FormatDouble(sumMasses, kDecimals);
    r.sumShares = FormatDouble(sumShares, kDecimals);
    r.requirementState = JudgeRequirement(r.inputs.requirement, r.sumShares);
  }

  if (!r.complete || r.sumShares.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
  } else {
    r.status = StatusOfJudgement(true, r.requirementState);
    if (r.requirementState == kRequirementMet) r.evaluation = "1";
    if (r.requirementState == kRequirementNotMet) r.evaluation = "0";
  }
  return r;
}

std::string PurityResult::ResultText() const {
  std::string text = evaluation + "|" + sumMasses + "|" + sumShares + "|" + "|||||||";
  for (size_t i = 0; i < kPurityRows; ++i)
    text += SafeFieldValue(inputs.names[i]) + "|" + inputs.masses[i] + "|" + shares[i] + "|";
  return text;
}

PurityInput PurityInputFromField(const std::string& field14) {
  PurityInput in;
  if (field14.empty()) {
    for (size_t i = 0; i < kPurityDefaultNames.size(); ++i) in.names[i] = kPurityDefaultNames[i];
    return in;
  }
  for (int i = 0; i < kPurityRows; ++i) {
    in.names[static_cast<size_t>(i)] = StrGetField(field14, '|', 10 + 3 * i);
    in.masses[static_cast<size_t>(i)] = StrGetField(field14, '|', 11 + 3 * i);
  }
  return in;
}
