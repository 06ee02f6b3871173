#include "evaluation/kristallisation/kristallisation.h"

#include <cmath>

#include "records/strutil.h"

namespace {

constexpr int kDecimals = 1;
// An initial mass below this is no mass: it is cleared, so nothing divides by it.
constexpr double kSmallestMass = 0.0001;
// A loss that prints as the limit meets it, whatever the last binary digit says.
constexpr double kLimitTolerance = 1e-9;

std::string PairSum(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return "";
  const double sum = AtofLocale(a) + AtofLocale(b);
  return std::isfinite(sum) ? FormatDouble(sum, kDecimals) : "";
}

// The loss of initial mass to final mass, both shown; empty unless both are given.
CrystallisationLoss Loss(const std::string& initial, const std::string& final) {
  CrystallisationLoss loss;
  if (initial.empty() || final.empty()) return loss;
  const double divisor = AtofLocale(initial);
  if (!(divisor > kSmallestMass)) return loss;
  loss.grams = FormatDouble(divisor - AtofLocale(final), kDecimals);
  const double percent = AtofLocale(loss.grams) * 100.0 / divisor;
  if (!std::isfinite(percent)) return {};
  loss.percent = FormatDouble(percent, kDecimals);
  loss.flag = percent <= kCrystallisationLimit + kLimitTolerance ? "1" : "0";
  return loss;
}

// An initial mass below the smallest is cleared and counts as not weighed.
TypedNumber InitialMass(std::string& mass, InputFaults& faults, int input) {
  TypedNumber typed = CheckNumberInput(faults, input, mass, kDecimals);
  if (typed.measured() && !(AtofLocale(mass) >= kSmallestMass)) {
    mass.clear();
    typed.empty = true;
  }
  return typed;
}

// What comes out of the test is part of what went in, weighed apart from it;
// refused, both stay as typed.
void CheckFinalMass(InputFaults& faults, int input, const TypedNumber& initial, const TypedNumber& final,
                    std::string& initialText, std::string& finalText, const std::string& typedInitial,
                    const std::string& typedFinal) {
  if (!initial.measured() || !final.measured() || !PartAboveWhole(final.value, initial.value, PrecisionStep(kDecimals)))
    return;
  AddInputFault(faults, input, 67006, "Die Rückwaage liegt mehr als 0.1 g über der Einwaage ihrer Kornklasse.");
  initialText = typedInitial;
  finalText = typedFinal;
}

}  // namespace

CrystallisationResult ComputeKristallisation(const CrystallisationInput& input) {
  CrystallisationResult r;
  r.inputs = input;
  const TypedNumber initial4050 = InitialMass(r.inputs.initial4050, r.faults, kCrystalInitial4050);
  const TypedNumber initial3140 = InitialMass(r.inputs.initial3140, r.faults, kCrystalInitial3140);
  const TypedNumber final4050 = CheckNumberInput(r.faults, kCrystalFinal4050, r.inputs.final4050, kDecimals);
  const TypedNumber final3140 = CheckNumberInput(r.faults, kCrystalFinal3140, r.inputs.final3140, kDecimals);
  CheckFinalMass(r.faults, kCrystalFinal4050, initial4050, final4050, r.inputs.initial4050, r.inputs.final4050,
                 input.initial4050, input.final4050);
  CheckFinalMass(r.faults, kCrystalFinal3140, initial3140, final3140, r.inputs.initial3140, r.inputs.final3140,
                 input.initial3140, input.final3140);
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  r.sumInitial = PairSum(r.inputs.initial4050, r.inputs.initial3140);
  r.sumFinal = PairSum(r.inputs.final4050, r.inputs.final3140);
  r.loss4050 = Loss(r.inputs.initial4050, r.inputs.final4050);
  r.loss3140 = Loss(r.inputs.initial3140, r.inputs.final3140);
  r.lossSum = Loss(r.sumInitial, r.sumFinal);
  r.shareBelow224 = r.lossSum.percent;

  if (r.lossSum.flag == "1") {
    r.requirementState = kRequirementMet;
    r.status = std::string(1, TestStatus::Met);
  } else if (r.lossSum.flag == "0") {
    r.requirementState = kRequirementNotMet;
    r.status = std::string(1, TestStatus::NotMet);
  } else {
    r.status = std::string(1, TestStatus::Incomplete);
  }
  return r;
}

std::string CrystallisationResult::ResultText() const {
  const auto lossText = [](const CrystallisationLoss& loss) {
    return loss.grams + "|" + loss.percent + "|" + loss.flag + "|";
  };
  const bool salt = inputs.saltIndex >= 0 && inputs.saltIndex < kSaltCount;
  return "|" + std::to_string(salt ? inputs.saltIndex : -1) + "|" + (salt ? kSaltNames[inputs.saltIndex] : "") + "|" +
         inputs.initial4050 + "|" +
         inputs.final4050 + "|" + lossText(loss4050) + inputs.initial3140 + "|" + inputs.final3140 + "|" +
         lossText(loss3140) + sumInitial + "|" + sumFinal + "|" + lossText(lossSum);
}

CrystallisationInput CrystallisationInputFromField(const std::string& field13) {
  CrystallisationInput in;
  const std::string index = TrimWhite(StrGetField(field13, '|', 1));
  in.saltIndex = index.empty() ? -1 : PlainAtoi(index);
  if (in.saltIndex < 0 || in.saltIndex >= kSaltCount) in.saltIndex = -1;
  in.initial4050 = StrGetField(field13, '|', 3);
  in.final4050 = StrGetField(field13, '|', 4);
  in.initial3140 = StrGetField(field13, '|', 8);
  in.final3140 = StrGetField(field13, '|', 9);
  return in;
}

bool TakeSievedInitialMasses(const CVersuch& record, CrystallisationInput& input) {
  const std::string mass4050 = record.GetBallastMass40To50();
  const std::string mass3140 = record.GetBallastMass31To40();
  if (mass4050.empty() || mass3140.empty()) return false;
  input.initial4050 = mass4050;
  input.initial3140 = mass3140;
  return true;
}

std::string CrystallisationLimitText() { return "<= " + FormatDouble(kCrystallisationLimit, kDecimals); }
