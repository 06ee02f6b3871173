#pragma once
// Purity and rock condition of track ballast ("VA_GS_REINHEIT"): up to 14
// unwanted constituents with their masses, each as a share of the sample mass
// of the record (field 18 part 2); the sum of the shares is judged against the
// material's requirement code. Record field 14:
//   0 evaluation "1" met, "0" not met, "" otherwise | 1 sum of masses [g] |
//   2 sum of shares [%] | 3..9 | 10 + 3 i name | 11 + 3 i mass [g] |
//   12 + 3 i share [%] (i = 0..13) | 52 (ends with "|")
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kPurityRows = 14;
// The names of rows 1 to 7 of a new test (not translated, editable).
extern const std::array<const char*, 7> kPurityDefaultNames;

using PurityRowTexts = std::array<std::string, kPurityRows>;

struct PurityInput {
  std::string sampleMass;  // [g]
  PurityRowTexts names;
  PurityRowTexts masses;   // [g]
  std::string requirement; // the material's code
};

struct PurityResult {
  PurityInput inputs;  // names trimmed, masses with one decimal (as typed while they weigh too much)
  PurityRowTexts shares;
  std::string sumMasses, sumShares;  // empty while no row counted
  std::string requirementDisplay;
  bool complete = true;  // every named row has a mass
  int counted = 0;       // rows with a mass and a sample mass
  int requirementState = kNoRequirement;
  std::string evaluation;  // part 0
  std::string status;
  // A refused mass (by its row), or masses that weigh together more than
  // 0.1 g above the sample: nothing is computed.
  InputFaults faults;

  std::string ResultText() const;
};

// Rows count only against a sample mass above 0. The shown sum of shares is
// judged with the requirement code: without a code nothing is judged (status
// "1"), without a counted row or with a named row lacking its mass the status
// is "0" and the evaluation empty.
PurityResult ComputePurityBallast(const PurityInput& input);
// The rows of the stored field 14; the default names when it is empty.
PurityInput PurityInputFromField(const std::string& field14);
