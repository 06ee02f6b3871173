#pragma once
// The grain shape of the records with built-in materials ("VA_GS_KORNFORM"):
// track ballast, where the share of grains with l:d > 3:1 over the classes
// 40-50 and 31.5-40 mm is judged (field 12 in the layout of
// ballastclasses.h), and grading mixtures, where the share of badly shaped
// grains of one portion is judged. Field 12 of a grading mixture:
//   0 "0" | 1 share of bad | 2 requirement code | 3 requirement as shown |
//   4..10 | 11 mass of bad | 12 mass of good
#include <string>

#include "evaluation/frame/testentryframe.h"
#include "evaluation/gleisschotter/ballastclasses.h"
#include "evaluation/kornform/kornformkennzahl.h"

// The requirement as the grain-shape dialogs show it: "--" without one.
std::string GrainShapeRequirementText(const std::string& code);

// ---- grading mixtures

struct MixtureShapeResult {
  BadGoodShares shares;
  std::string requirement;  // "_D" read as "_R"
  std::string requirementText;
  int requirementState = kNoRequirement;
  std::string status;
  std::string ResultText() const;
};
MixtureShapeResult ComputeMixtureShape(const std::string& bad, const std::string& good,
                                       const std::string& requirement);
// The side-test requirement of row 20 of the record's requirement string;
// "" when it is not set.
std::string MixtureShapeRequirement(const CVersuch& record);
// Field 12, the report row of field 4 part 2 (Met and NotMet only) and the
// status.
TestEntryResult MixtureShapeEntryResult(const MixtureShapeResult& result);
