#pragma once
// Records for the chart tests and the chart benchmark, built from field
// texts as the record file holds them: an ordinary sandy gravel 0/45 with its
// own material definition (sieve tower, plant-typical points, sieve
// requirements in two named groups), requirement rows, passing values and two
// target curves; and a new track ballast 31.5/63 carrying a built-in
// definition. Header-only so that tests and benchmarks share it.
#include <string>
#include <vector>

#include "charts/chartpens.h"
#include "records/matdef_file.h"
#include "records/versuch.h"

namespace chartfixtures {

inline std::string JoinFields(const std::vector<std::string>& parts, char separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? std::string(1, separator) : "") + parts[i];
  return out;
}

// Sieve sizes (mm) and passing (%) of the ordinary record, largest first.
struct SievePoint {
  const char* size;
  const char* passing;
};
inline const std::vector<SievePoint>& OrdinarySieving() {
  static const std::vector<SievePoint> points = {
      {"45", "100.0"}, {"31.5", "96.4"}, {"16", "78.2"},  {"8", "61.5"},     {"4", "48.0"},   {"2", "37.3"},
      {"1", "27.9"},   {"0.5", "18.6"},  {"0.25", "9.8"}, {"0.125", "5.2"}, {"0.063", "3.1"}};
  return points;
}

// Lower limit as a smooth curve, upper limit of straight segments.
inline const char* kOrdinaryTargetCurves =
    "{0.063;0;-1}{0.25;5;-1}{2;25;-1}{8;50;-1}{31.5;90;-1}{45;100;-1}|1|U|"
    "{0.063;7;-1}{0.25;20;-1}{2;50;-1}{8;75;-1}{31.5;100;-1}|0|O|";

inline const char* kOrdinaryMaterialId = "12-34-2101010800001";

// Sieve requirements of the definition: size|value|label|not drawn|residue|
// open ("0")|-|not drawn|group.
inline const char* kOrdinarySieveRequirements =
    "2|25-45|2 mm|0|0|1|||1@"     // group 1: two joined points at 25 and 45 %
    "8|50_GE|8 mm|0|0|0|||1@"     // group 1, open
    "16|85_LE|16 mm|0|0|1|||0@"   // a base triangle, tip at 85 %, base above
    "4|40-60|4 mm|1|0|1|||0@"     // not drawn
    "1|10_GE|1 mm|0|1|1|||2@"     // residue: tip at 90 %, base above, group 2
    "0.5||0.5 mm|0|0|1|||0";      // no value: no mark

// Record fields 0, 1, 3 (passing, largest sieve first), 5 (requirement
// string without requirements), 6 (sieve sizes, stored ascending) and 7.
inline std::vector<std::string> SetCommonFields(CVersuch& r, const std::string& testNumber, const std::string& name,
                                                const std::string& materialId,
                                                const std::vector<SievePoint>& sieving) {
  std::string sizes, passing;
  for (const SievePoint& p : sieving) {
    sizes = std::string(p.size) + (sizes.empty() ? "" : ";") + sizes;
    passing += (passing.empty() ? "" : ";") + std::string(p.passing);
  }
  r.SetField(0, testNumber + "-0000");
  r.SetField(1, testNumber + "|-1|-1|-1|1|20210101|20210105");
  std::vector<std::string> sieve(18);
  sieve[0] = "0";
  sieve[1] = passing;
  r.SetField(3, JoinFields(sieve, '|'));
  std::vector<std::string> req(100, "#");
  req[0] = "SDM";
  req[2] = name;
  req[8] = "[" + materialId + "]";
  r.SetField(5, JoinFields(req, ';'));
  r.SetField(6, sizes + "|");
  r.SetField(7, "||0|1|0||0");
  return req;
}

inline CVersuch OrdinaryRecord() {
  CVersuch r;
  std::vector<std::string> req =
      SetCommonFields(r, "12-34-0815", "Kiessand 0/45", kOrdinaryMaterialId, OrdinarySieving());
  req[32] = "0-5";    // 0.063 mm
  req[34] = "31.5";   // row 3
  req[35] = "90-99";
  req[37] = "45";     // row 4
  req[38] = "100_EQ";
  r.SetField(5, JoinFields(req, ';'));
  std::string tower;
  for (const SievePoint& p : OrdinarySieving()) tower = std::string(p.size) + (tower.empty() ? "" : " ") + tower;
  r.SetField(11, kOrdinaryTargetCurves);
  r.SetField(18, "Kiessand 0/45|DIN EN 12620|5230.0");
  r.SetField(25, std::string("{0}{") + kOrdinaryMaterialId + "|Kiessand 0/45|" + tower +
                     "|0.063 2@0.5 15@2 35@8 60@16 80@31.5 97|2021-01-01 08:00|}{1|0.02|45}"
                     "{Kiessand|DIN EN 12620|Werkseigene Produktionskontrolle|12.5|20210101}{" +
                     kOrdinarySieveRequirements + "}{[VA_KORNF|20_LE]}{|Grenzlinie A|Grenzlinie B||||}");
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:8][VA_KORNF:0]");
  return r;
}

inline const std::vector<SievePoint>& BallastSieving() {
  static const std::vector<SievePoint> points = {{"80", "100.0"}, {"63", "100.0"}, {"50", "98.2"},
                                                 {"40", "52.7"},  {"31.5", "14.6"}, {"22.4", "2.1"},
                                                 {"0.5", "0.6"},  {"0.063", "0.3"}};
  return points;
}

inline const char* kBallastTargetCurves =
    "{22.4;0;-1}{31.5;1;-1}{40;30;-1}{50;65;-1}{63;97;-1}{80;100;-1}|0|U|"
    "{22.4;3;-1}{31.5;25;-1}{40;65;-1}{50;99;-1}{63;100;-1}|0|O|";

// The built-in definition of a material id, as a record carries it.
inline std::string BuiltinDefinition(const std::string& id) {
  for (const std::string& entry : BuiltinMaterialEntries())
    if (entry.find("{" + id + "|") != std::string::npos) return entry;
  return "";
}

// New track ballast after DIN EN 13450 / DBS 918061 (the "DIN EN" variant).
inline CVersuch BallastRecord() {
  CVersuch r;
  SetCommonFields(r, "12-34-4711", "31,5/63 Gleisschotter (neu)", "SDM-DBDBDB-GS-0001", BallastSieving());
  r.SetField(11, kBallastTargetCurves);
  r.SetField(18, "31,5/63 Gleisschotter (neu)|DIN EN 13450 / DBS 918061 August 2006|25000.0");
  r.SetField(25, BuiltinDefinition("SDM-DBDBDB-GS-0001"));
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:8]");
  return r;
}

// Pens in colours that tell the parts of a chart apart in an image.
inline ChartPens ColourfulPens() {
  ChartPens pens;
  auto set = [&](int entry, platform::ColorRef color, int width) {
    pens.Entry(entry).color = color;
    pens.Entry(entry).widthFactor = width;
    pens.Entry(entry).style = platform::PS_SOLID;
  };
  set(0, platform::RGB(190, 190, 190), 0);  // grid
  set(4, platform::RGB(220, 0, 0), 2);      // ballast measured curve
  set(5, platform::RGB(220, 0, 0), 2);      // measured curve
  set(6, platform::RGB(230, 0, 230), 1);    // plant-typical points
  set(7, platform::RGB(255, 140, 0), 0);    // base triangles
  set(8, platform::RGB(0, 0, 255), 2);      // first two target curves
  set(9, platform::RGB(0, 0, 255), 2);      // first two ballast target curves
  set(10, platform::RGB(0, 150, 0), 2);     // further target curves
  set(11, platform::RGB(128, 0, 128), 2);   // group 1
  set(12, platform::RGB(0, 128, 128), 2);   // group 2
  return pens;
}

}  // namespace chartfixtures
