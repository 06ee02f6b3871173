#pragma once
// The water content of a sample ("VA_WASSERG"): weighed wet and after
// drying, w = (wet - dry) / dry x 100 in percent of the dry mass. Record
// field 17 keeps it:
//   0 w [%] | 1 requirement code | 2 (not written) | 3 report row | 4 wet mass [g] | 5 dry mass [g]
// Records of earlier versions hold only the percentage; they open as a wet
// mass of 100.0 g and the dry mass that percentage leaves.
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

struct WaterContentInput {
  std::string wet;          // [g]
  std::string dry;          // [g]
  std::string water;        // stored w [%], read only by the conversion
  std::string requirement;  // code in force, may be empty
};

// The inputs as the faults name them.
enum : int { kWaterWetInput = 0, kWaterDryInput = 1 };

struct WaterContentResult {
  WaterContentInput inputs;  // masses with one decimal; as typed while the dry one lies above
  std::string water;         // w with one decimal, or empty
  std::string requirementDisplay;
  int requirementState = kNoRequirement;  // the lamp: none without a value
  std::string status;
  // A refused mass, or a dry mass more than 0.1 g above the wet one: no
  // value, no lamp.
  InputFaults faults;
};

// The inputs of field 17; an empty field takes the material's requirement.
WaterContentInput WaterContentInputFromRecord(const CVersuch& record);
// Gives a record that holds only a percentage the masses of 100 g of wet
// sample; false when there is nothing to convert.
bool ConvertOldWaterContent(WaterContentInput& input);

WaterContentResult ComputeWassergehalt(const WaterContentInput& input);

// What the opener stores: parts 0, 1, 4, 5 and the report row in part 3 of
// field 17, the statistics value (w) and the status.
TestEntryResult WaterContentEntryResult(const CVersuch& record, const WaterContentResult& result);
