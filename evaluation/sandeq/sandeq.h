#pragma once
// The sand equivalent ("VA_SANDEQ"): for each of two samples the height h1
// of the flocculated fines and h2 of the sediment give SE = h2 / h1 x 100,
// each rounded to a whole number before their mean is taken. The mean is
// judged against the material's requirement and compared with the last
// suitability test: more than 15 points below it is met with a remark.
// The material's entry: "VA_SANDEQ|relation|required|suitability value|d.m.yyyy".
// Record field 31 (other parts are kept):
//   0 h1 | 1 h2 | 2 SE (sample 1) | 4, 5, 6 the same for sample 2 | 8 mean |
//   9 requirement as shown | 10 suitability value | 11 "Ja" / "Nein" / empty
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "records/versuch.h"

struct SandEquivalentInput {
  std::array<std::string, 2> h1, h2;  // [cm]
  std::string relation;               // "_GE", ...
  std::string required;
  std::string suitability;  // value of the last suitability test [%]
  std::string suitabilityDate;  // as the entry gives it
};

// Label states of the face beside the requirement.
enum : int { kSandEqNoFace = -1, kSandEqMet = 1, kSandEqNotMet = 2, kSandEqRemark = 7 };

// The columns of the inputs as the faults name them (InputId), by sample.
enum SandEqColumn : int { kSandEqH1 = 0, kSandEqH2 };

struct SandEquivalentResult {
  SandEquivalentInput inputs;  // heights with one decimal; as typed while h2 lies above h1
  std::array<std::string, 2> se;
  std::string mean;
  int labelState = kSandEqNoFace;
  bool warning = false;  // too far below the suitability test
  std::string status;
  // A refused height, h2 above h1, or h1 = 0 beside an h2: nothing is computed.
  InputFaults faults;
};

// The entry's requirement parts and the heights stored in field 31.
SandEquivalentInput SandEquivalentInputFromRecord(const CVersuch& record);
SandEquivalentResult ComputeSandEquivalent(const SandEquivalentInput& input);
// Field 31 with the test's parts set and all others kept.
std::string SandEquivalentField(const std::string& field31, const SandEquivalentResult& result);
// The date of the entry as "dd.mm.yyyy"; empty when it has no year.
std::string SuitabilityDateText(const std::string& entryDate);
