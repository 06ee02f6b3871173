#pragma once
// The size distribution of armourstone: the residues of a sieving on the
// sieves 360 to 22.4 mm (with the oversize and the pan) judged against a
// size category, and the shape of up to 220 single stones (length to
// thickness). Plain computations over the texts of the entry pages; the
// pages show what they give and store it in record field 26.
//
//   SizeDistributionInput in;
//   in.category = "CP 45/125";
//   in.residues[kWBSRowPan] = "4,5";
//   SizeDistributionResult r = ComputeSizeDistribution(in);   // on screen
//   SizeDistributionResult s = StoreSizeDistribution(in);     // what is stored
//   WriteWBSSizeData(field26, s.data);
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/wasserbausteine/wbsinputs.h"
#include "records/wbsfield.h"

// ------------------------------------------------------------ the sieving

struct SizeDistributionInput {
  WBSRowTexts residues;  // M in kg as typed, table order
  std::string category;  // the category chosen
};

struct SizeDistributionResult {
  // The residues normalised to one decimal, the category, the range, label,
  // share and passing of every row, the total and the requirement list.
  WBSSizeData data;
  WBSRowTexts sums;                          // Ri: running sums of the shares (shown, not stored)
  std::array<bool, kWBSSizeRows> enabled{};  // the residue edits that take a value
  bool computed = false;                     // no refused residue, and the total exceeds 1.0 kg
  InputFaults faults;                        // refused residues
  std::string status;                        // "0", "8" or "9"
};

// The shares ri (one decimal, the largest row corrected so that the shown
// shares add up to 100.0), their running sums Ri and the passing values Pi
// (no decimals) of every row that has a residue, when the total exceeds
// 1.0 kg; the ranges of the category at its sieves, judged on Pi; the
// labels of the oversize row and the pan. The status follows the sieving:
// "0" without a result or with a category sieve that has no passing value,
// else "9" when a sieve misses its range, else "8". A refused residue gives
// no result.
SizeDistributionResult ComputeSizeDistribution(const SizeDistributionInput& input);
// What is stored: the residues of the sieves above the category's upper
// size emptied first, then computed.
SizeDistributionResult StoreSizeDistribution(const SizeDistributionInput& input);

// ------------------------------------------------------------ the stone shape

// The shape categories in the order of their list.
enum : int { kShapeLTA = 0, kShapeLTNR = 1, kShapeLTGiven = 2 };
const std::array<const char*, 3>& WBSShapeCategoryNames();

struct StoneShapeInput {
  int categoryIndex = kShapeLTA;  // -1: none chosen
  std::string limit;              // as typed
  WBSStoneTexts lengths;          // cm as typed
  WBSStoneTexts thicknesses;
};

struct StoneShape {
  std::string length;     // normalised to one decimal
  std::string thickness;
  std::string ratio;      // L/T with one decimal, "" without both values
  std::string word;       // "ja" badly shaped (L/T > 3), "nein", "" (as stored)
  bool valid = false;
  bool bad = false;
};
// One stone: valid with a length and a thickness above 0. A refused length
// or thickness, or a thickness above the length, adds its fault (when
// `faults` is given) and leaves the stone without a ratio.
StoneShape EvaluateStone(const std::string& length, const std::string& thickness, InputFaults* faults = nullptr,
                         int stone = 0);

struct StoneShapeResult {
  std::string limit;         // the limit as the edit shows it
  bool limitEditable = true;
  WBSStoneTexts lengths, thicknesses, ratios, words;
  int valid = 0;
  int bad = 0;
  std::string share;     // % of badly shaped stones, one decimal; "" without a valid stone
  std::string required;  // the limit, no decimals; "" without one
  std::string word;      // "ja", "nein" (as stored) or ""
  std::string met;       // "1", "0" or "" as part 7 stores it
  InputFaults faults;    // refused lengths, thicknesses or limit: then no share is judged
};

// "LT A" judges against 20 %, "LT NR" against nothing, "LT angegeben" (or
// no choice) against the entered limit, at most 100 %. Without a valid
// stone, or with a refused input, nothing is judged.
StoneShapeResult ComputeStoneShape(const StoneShapeInput& input);
// The parts the stone page stores.
WBSShapeData StoneShapeData(const StoneShapeResult& result, int categoryIndex, const std::string& categoryName);
