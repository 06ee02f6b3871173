#pragma once
// The flow coefficient of a fine aggregate ("VA_FLIESSK"): up to five flow
// times through the cone give their mean Ecsm; corrected by the flow time
// Ecse of the reference sample the coefficient is Ecs = 32 - Ecse + Ecsm [s].
// The particle density of the sample is recorded beside it; a density of 0
// is not measured, as a flow time of 0. Record field 13:
//   0..4 flow times [s] | 5 Ecs | 6 requirement code | 7 (not written) |
//   8 report row of Ecs | 9 density [Mg/m³] | 10 report row of the density | 11 Ecse [s]
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kFlowTimes = 5;

struct FlowCoefficientInput {
  std::array<std::string, kFlowTimes> times;
  std::string ecse;
  std::string density;
  std::string requirement;
};

// The columns of the inputs as the faults name them (InputId): the flow
// times by their number from 0, Ecse and the density.
enum FlowColumn : int { kFlowTime = 0, kFlowEcse, kFlowDensity };

struct FlowCoefficientResult {
  FlowCoefficientInput inputs;  // times with 1 decimal, Ecse with none, density with 2
  std::string ecsm;             // no decimals
  std::string ecs;              // no decimals; empty unless positive
  std::string requirementDisplay;
  int requirementState = kNoRequirement;
  std::string status;
  // A refused time or density: nothing is computed.
  InputFaults faults;
};

// The inputs of field 13; a stored test without Ecse opens with "32.0", a
// new one (empty field) takes the material's requirement.
FlowCoefficientInput FlowCoefficientInputFromRecord(const CVersuch& record);

// Ecse is used as shown and stored (no decimals), so that a stored test
// gives the same coefficient when it is opened again.
FlowCoefficientResult ComputeFlowCoefficient(const FlowCoefficientInput& input);

// What the opener stores: parts 0 to 6, 9 and 11 of field 13, the two report
// rows (parts 8 and 10), the statistics value (Ecs) and the status.
TestEntryResult FlowCoefficientEntryResult(const CVersuch& record, const FlowCoefficientResult& result);
