#pragma once
// Record field 26 of the armourstone test ("VA_WBS"): the entries and results
// of either the size distribution (a sieving of the stones, part 0 "1") or
// the mass distribution (a weighing of single stones, part 0 "2"), as one
// text of parts joined by "|". Lists inside a part are "@"- or
// blank-separated. The entry sheets write the field, the armourstone charts
// and report pages E and F read it; all of them go through these functions.
//
// Size distribution: the data page writes parts 0, 1, 2, 4 and 8 to 18, the
// stone-shape page parts 3, 5, 6, 7, 19 and 20; every other part keeps what
// it held. Mass distribution: parts 0 to 18 are written whole, part 19 is
// empty, and every part from 20 on keeps what it held (the particle density
// keeps its values there).
//
//   std::string field = record.GetField(26);
//   WBSSizeData data = ReadWBSSizeData(field);
//   data.residues[kWBSRow360] = "12.5";
//   WriteWBSSizeData(field, data);      // parts 3, 5, 6, 7, 19 and 20 stay
#include <array>
#include <string>
#include <vector>

inline constexpr int kWBSStones = 220;

// The eleven rows of the sieving in table order: the oversize row, the
// sieves 360, 250, 180, 125, 90, 63, 45, 31.5 and 22.4 mm, the pan.
inline constexpr int kWBSSizeRows = 11;
inline constexpr int kWBSRowOversize = 0;
inline constexpr int kWBSRow360 = 1;
inline constexpr int kWBSRow22 = 9;  // 22.4 mm
inline constexpr int kWBSRowPan = 10;
// The sieve size of a table row in mm; 0 for the oversize row and the pan.
double WBSSieveSize(int row);
// The label of a sieve row as the field writes it ("360", "31.5"); "" for
// the oversize row and the pan.
const char* WBSSieveLabel(int row);

enum class WBSForm { kNone, kSize, kMass };
// "1": the size distribution; any other non-empty part 0: the mass
// distribution; an empty part 0: no armourstone entry yet.
WBSForm GetWBSForm(const std::string& field26);

using WBSStoneTexts = std::array<std::string, kWBSStones>;
using WBSRowTexts = std::array<std::string, kWBSSizeRows>;

// ------------------------------------------------------------ size form

// One row of the requirement list of a sieving.
struct WBSSieveRequirement {
  std::string sieve;    // "45", "22.4"
  std::string passing;  // Pi at that sieve, "" when not measured
  std::string range;    // "0-15"
  std::string word;     // the fulfilment word, "ja" or "nein" (German in every language), "" without a value
};

// The parts of the data page (0, 1, 2, 4, 8 .. 18).
struct WBSSizeData {
  WBSRowTexts residues;  // M in kg, table order (part 1 stores them 360 .. pan, oversize; part 11 in table order)
  std::string category;  // "CP 45/125"
  WBSRowTexts ranges;    // required passing range per row (part 9)
  WBSRowTexts labels;    // "> 250", "360" .. "22.4", "< 22.4" (part 10)
  WBSRowTexts shares;    // ri in % (part 12)
  WBSRowTexts passing;   // Pi in % (part 13)
  std::string total;     // total residue in kg (part 14)
  std::vector<WBSSieveRequirement> requirements;  // parts 15 .. 18, four or five rows
};

WBSSizeData ReadWBSSizeData(const std::string& field26);
void WriteWBSSizeData(std::string& field26, const WBSSizeData& data);

// The parts of the stone-shape page (3, 5, 6, 7, 19, 20).
struct WBSShapeData {
  // Part 3: the limit as entered, the index and name of the shape category.
  std::string limit;
  int categoryIndex = 0;
  std::string categoryName;
  WBSStoneTexts lengths;      // cm (part 5)
  WBSStoneTexts thicknesses;  // cm (part 6)
  WBSStoneTexts ratios;       // L/T (part 19)
  WBSStoneTexts words;        // badly shaped: "ja"/"nein", German in every language (part 20)
  // Part 7: the result.
  std::string resultCategory;
  std::string validCount;
  std::string badCount;
  std::string badShare;  // % with one decimal, "" without a valid stone
  std::string required;  // the limit, "" without one
  std::string met;       // "1" met, "0" not met, "" not judged
};

WBSShapeData ReadWBSShapeData(const std::string& field26);
void WriteWBSShapeData(std::string& field26, const WBSShapeData& data);

// ------------------------------------------------------------ mass form

// The columns of the mass-distribution table (parts 14 .. 18): the four
// limits, then the badly shaped stones by mass and by number.
inline constexpr int kWBSMassTableColumns = 6;
enum WBSMassTablePart : int { kWBSLimits, kWBSCumulative, kWBSPassing, kWBSRanges, kWBSWords, kWBSMassTableParts };

struct WBSMassData {
  WBSStoneTexts masses;       // kg, two decimals (part 1)
  std::string category;       // "LMA 10/60" (part 2)
  std::string massClass;      // "0" keine, "1" Leicht, "2" Schwer (part 3)
  std::string dust;           // kg (part 4)
  WBSStoneTexts lengths;      // cm (part 5)
  WBSStoneTexts thicknesses;  // cm (part 6)
  WBSStoneTexts badMasses;    // the mass of a badly shaped stone, else "" (part 7)
  WBSStoneTexts stoneTokens;  // "12.50_2": the mass and its band, "_" for no mass (part 10)
  std::array<std::string, 5> bandMasses;          // without the dust (part 11)
  std::array<std::string, 5> bandMassesWithDust;  // the dust in band 0 (part 12)
  std::string total;                              // stones and dust (part 13)
  // [part 14 + p][value]: the blank-separated values of parts 14 .. 18.
  std::array<std::array<std::string, kWBSMassTableColumns>, kWBSMassTableParts> table;
};

WBSMassData ReadWBSMassData(const std::string& field26);
// Rewrites parts 0 .. 19 of the field; the parts from 20 on stay.
void WriteWBSMassData(std::string& field26, const WBSMassData& data);

// The mass and the band of a stone token ("12.50_2" gives "12.50" and 2);
// the band is -1 when the token names none.
std::string WBSStoneTokenMass(const std::string& token);
int WBSStoneTokenBand(const std::string& token);
