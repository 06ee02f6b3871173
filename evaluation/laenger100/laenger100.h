#pragma once
// Grains longer than 100 mm, of aggregates ("VA_100MM") and of track ballast
// ("VA_GS_LAENGER100"): the mass of such grains against the sample mass of the
// record (field 18 part 2). Record field 16:
//   0 share [%] | 1 requirement code | 2 requirement as shown |
//   3 "1" met, "2" not met, "0" otherwise | 4..9 | 10 mass [g]
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

struct Grains100Input {
  std::string mass;        // of the grains longer than 100 mm [g]
  std::string sampleMass;  // [g]
  std::string requirement; // the material's code
};

struct Grains100Result {
  Grains100Input inputs;  // the mass as shown (refused: as typed), the code with "_D" read as "_R"
  std::string share;
  std::string requirementDisplay;
  int requirementState = kNoRequirement;
  std::string status;
  // A refused mass, or one more than 0.1 g above the sample mass: nothing is
  // computed (the only input is the mass, number 0).
  InputFaults faults;

  std::string ResultText() const;
};

// A sample mass of 0 counts as none: no share.
Grains100Result ComputeLaenger100(const Grains100Input& input);
// The input of the stored field 16 (its part 10) for a record.
Grains100Input Grains100InputFromRecord(const CVersuch& record, const std::string& testKey);
