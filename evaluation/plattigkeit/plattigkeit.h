#pragma once
// The flakiness index of an aggregate ("VA_PLATT"): a test portion is sieved
// into 13 size classes, each class on its bar sieve; the share passing the bar
// sieve gives the class value FLi, all passing masses against all class
// masses give the index FI. Record field 23 keeps inputs and results:
//   0 M0 | 1 Ri@... | 2 mi@... | 3 FLi@... | 4 M1 | 5 M2 | 6 FI | 7 loss check |
//   8 (empty) | 9 requirement code | 10 report row | 11 mass on 80 mm | 12 mass through 4 mm
// The computation takes the texts of the dialog's inputs and gives every text
// the dialog shows, the requirement state and the status.
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kFlakinessRows = 13;

// A size class and the slot width of its bar sieve, as the dialog shows them.
struct FlakinessClass {
  const char* sizeClass;
  const char* slotWidth;
};
extern const std::array<FlakinessClass, kFlakinessRows> kFlakinessClasses;

using FlakinessRowTexts = std::array<std::string, kFlakinessRows>;

struct FlakinessInput {
  std::string m0;          // mass of the test portion [g]
  FlakinessRowTexts ri;    // mass of each size class [g]
  FlakinessRowTexts mi;    // mass of each class passing its bar sieve [g]
  std::string retained80;  // mass retained on the 80 mm sieve [g]
  std::string passing4;    // mass passing the 4 mm sieve [g]
  std::string requirement; // requirement code of the material, may be empty
};

// The columns of the inputs as the faults name them (InputId): the single
// fields, and Ri and mi by row.
enum FlakinessColumn : int { kFlakM0 = 0, kFlakRetained80, kFlakPassing4, kFlakRi, kFlakMi };
// A difference above this share of M0 [%], loss or surplus, has the test repeated.
inline constexpr double kFlakinessLossLimit = 1.0;

struct FlakinessResult {
  FlakinessInput inputs;  // numbers with one decimal; those of a refused relation as typed
  FlakinessRowTexts fli;
  std::string discarded;  // sum of the two discarded masses
  std::string m1, m2, fi, lossCheck;
  std::string requirementDisplay;
  int requirementState = kNoRequirement;
  std::string status;  // TestStatus: "0" without an index, else "1", "8" or "9"
  bool lossAboveLimit = false;  // more than 1 % of M0 lost
  // A refused mass, a passing mass more than 0.1 g above its class, or classes
  // and discarded masses more than 1 % above M0: nothing is computed.
  InputFaults faults;

  // Parts 0 to 7 of field 23.
  std::string ResultText() const;
};

FlakinessResult ComputeFlakiness(const FlakinessInput& input);

// The inputs stored in field 23 (parts 0, 1, 2, 11 and 12).
FlakinessInput FlakinessInputFromField(const std::string& field23, const std::string& requirement);
// Part 1 of the "VA_PLATT" side-test entry of the record's material.
std::string FlakinessRequirement(const CVersuch& record);

// What the opener stores after OK: field 23 and its parts 9 to 12, the
// statistics value (the index) and the status.
TestEntryResult FlakinessEntryResult(const FlakinessResult& result);
