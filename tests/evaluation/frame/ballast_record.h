#pragma once
// A track-ballast record for the side-test dialogs: a built-in material with
// the given side-test entries, the sieved masses of the two coarse classes
// and a sample mass.
#include <string>
#include <vector>

#include "records/versuch.h"

inline CVersuch BallastTestRecord(const std::string& sideTests, const std::string& sampleMass = "25000.0",
                                  const std::string& materialId = "SDM-DBDBDB-GS-0001") {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0500");
  std::vector<std::string> fields(60, "#");
  fields[8] = "[" + materialId + "]";
  std::string f5;
  for (size_t i = 0; i < fields.size(); ++i) f5 += (i ? ";" : "") + fields[i];
  r.SetField(5, f5);
  r.SetField(25, "{0}{" + materialId + "|31,5/63 Gleisschotter||}{1|0.063|80}{||||}{}{" + sideTests + "}{}");
  r.SetField(27, "|9600.0|14200.0");
  r.SetValue(18, 2, sampleMass);
  return r;
}
