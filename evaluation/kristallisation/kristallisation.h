#pragma once
// The crystallisation test of track ballast ("VA_GS_KRISTALL"): the grain
// classes 40-50 and 31.5-40 mm are weighed before the test (initial mass) and
// what is still retained on the 22.4 mm sieve afterwards (final mass); the
// loss below 22.4 mm must not exceed 3.0 % of the initial mass. The limit is
// fixed, the material's entry is not read. Record field 13:
//   0 | 1 salt index | 2 salt text |
//   3 initial 40-50 | 4 final 40-50 | 5 loss [g] | 6 loss [%] | 7 flag |
//   8 initial 31.5-40 | 9 final 31.5-40 | 10 loss [g] | 11 loss [%] | 12 flag |
//   13 sum initial | 14 sum final | 15 loss [g] | 16 loss [%] | 17 flag | (ends with "|")
// A flag is "1" when its loss is at most the limit, "0" above, "" when not
// computed. Masses in g and shares in %, one decimal.
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr double kCrystallisationLimit = 3.0;

// The entries of the salt list, which the dialog carries but does not show.
inline constexpr const char* kSaltNames[] = {"Natriumsulfat (Na)", "Magnesiumsulfat (Mg)", ""};
inline constexpr int kSaltCount = 3;

// The inputs as the faults name them.
enum : int { kCrystalInitial4050 = 0, kCrystalFinal4050, kCrystalInitial3140, kCrystalFinal3140 };

struct CrystallisationInput {
  int saltIndex = -1;  // -1: nothing selected
  std::string initial4050, final4050;
  std::string initial3140, final3140;
};

// The loss of one class or of the sum.
struct CrystallisationLoss {
  std::string grams, percent, flag;
};

struct CrystallisationResult {
  CrystallisationInput inputs;  // masses as shown (a refused class as typed); an initial mass of 0 cleared
  std::string sumInitial, sumFinal;
  CrystallisationLoss loss4050, loss3140, lossSum;
  std::string shareBelow224;  // the loss of the sum in %
  int requirementState = kNoRequirement;  // of the sum; none while it is missing
  std::string status;  // "8" or "9" by the flag of the sum, else "0"
  // A refused mass or a final mass more than 0.1 g above the initial mass of
  // its class: nothing is computed.
  InputFaults faults;

  std::string ResultText() const;
};

CrystallisationResult ComputeKristallisation(const CrystallisationInput& input);
// Parts 1 to 4, 8 and 9 of the stored field.
CrystallisationInput CrystallisationInputFromField(const std::string& field13);
// The sieved masses of both classes as initial masses; false (and the input
// unchanged) when either is missing.
bool TakeSievedInitialMasses(const CVersuch& record, CrystallisationInput& input);
// The requirement as the dialog shows it: "<= 3.0".
std::string CrystallisationLimitText();
