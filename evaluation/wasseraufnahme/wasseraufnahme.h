#pragma once
// Water absorption of track ballast ("VA_GS_WASSER"): dry and wet mass of up
// to 15 stones, each stone's absorption 100 x (wet - dry) / dry judged against
// the material's requirement code, and their mean. Record field 17 of a
// track-ballast record:
//   0 | 1 requirement code | 2 requirement as shown | 3 "1" when not met |
//   4 mean [%] | 5 mean: "1" met, "2" not met, "0" not judged | 6..9 |
//   10..24 stone rows "number@dry@wet@g@%@result@remark" | (ends with "|")
// Masses and absorptions with two decimals; a row's result "1" met, "2" not
// met, "0" not judged.
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kStoneRows = 15;

struct StoneRow {
  std::string number, dry, wet, remark;
};

struct StoneResult {
  std::string grams, percent;
  int state = kNoRequirement;  // kRequirementMet, kRequirementNotMet or none
  bool counted = false;
  std::string whyNotCounted;  // for a stone with both masses that is not counted
};

struct AbsorptionInput {
  std::array<StoneRow, kStoneRows> rows;
  std::string requirement;
};

// The columns of the inputs as the faults name them (InputId), by stone row.
enum AbsorptionColumn : int { kAbsorptionDry = 0, kAbsorptionWet };

struct AbsorptionResult {
  AbsorptionInput inputs;  // masses with two decimals
  std::array<StoneResult, kStoneRows> stones;
  std::string mean;
  int meanState = kNoRequirement;
  std::string requirementDisplay;
  std::string status;
  // A refused mass: nothing is computed.
  InputFaults faults;

  // Number and remark are free text: "|", "~", "$" and "@" become "#".
  std::string ResultText() const;
};

// A stone counts when both masses are above 0 and it is not lighter wet than
// dry (a chipped stone, whose remark says so); the others are judged. The
// status comes from the stones, not from the mean.
AbsorptionResult ComputeWasseraufnahme(const AbsorptionInput& input);
// Number, dry, wet mass and remark of the stored rows.
AbsorptionInput AbsorptionInputFromField(const std::string& field17, const std::string& requirement);
