#pragma once
// The mass distribution of armourstone: up to 220 single stones weighed
// (with their length and thickness) and the dust, sorted into the five
// mass bands of a mass category, the cumulative share by mass judged at its
// four limit masses, and the badly shaped stones (L/T > 3) counted by mass
// and by number for the light and the heavy class. Plain computation over
// the texts of the entry page; the page shows what it gives.
//
//   MassDistributionInput in;
//   in.category = "LMA 10/60";
//   in.masses[0] = "12,5";
//   MassDistributionResult r = ComputeMassDistribution(in);
//   WriteWBSMassData(field26, r.data);   // parts 0 .. 19, the rest stays
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "records/wbsfield.h"

// The mass classes in the order of their list.
enum : int { kMassClassNone = 0, kMassClassLight = 1, kMassClassHeavy = 2 };

struct MassDistributionInput {
  WBSStoneTexts masses;       // kg as typed
  WBSStoneTexts lengths;      // cm
  WBSStoneTexts thicknesses;  // cm
  std::string dust;           // kg
  std::string category;       // "" when none is chosen
  int massClass = kMassClassNone;
};

// A row of the requirement list: range, cumulative mass, share, required, word.
struct MassListRow {
  std::string range, actual, share, required, word;
};

struct MassDistributionResult {
  bool categoryKnown = false;
  bool computed = false;  // a category and more than 0.001 kg: the passing shares are judged
  std::array<int, kWBSStones> band{};
  std::array<double, 5> bandMass{};          // stones only
  std::array<double, 5> bandMassWithDust{};  // the dust in band 0
  std::array<double, 5> cumulative{};        // with the dust
  std::array<double, 5> passing{};           // % by mass
  double total = 0;                          // stones and dust
  double badMass = 0, validMass = 0;
  int badCount = 0, validCount = 0;
  double shareByCount = 0, shareByMass = 0;  // badly shaped stones, %
  std::array<bool, 4> rangeMet{};
  bool lightMet = false, heavyMet = false;
  std::string table;                // the fixed-pitch table, lines ending in "\r\n"
  std::array<MassListRow, 6> list;  // the four limits, then by mass and by number
  std::string status;               // "0", "8" or "9": the grading alone
  WBSMassData data;                 // the inputs normalised and the results, as stored
  InputFaults faults;               // refused inputs (numbered as in groessenverteilung.h)
};

// Without a category, or with 0.001 kg or less in all, nothing is judged
// (status "0"); the shape requirement of the class never enters the status.
// A refused mass, length, thickness or dust (or a thickness above its
// length) gives only the inputs and the faults: no table, no list, status "0".
MassDistributionResult ComputeMassDistribution(const MassDistributionInput& input);

// "%g" in the "C" locale.
std::string FormatGeneral(double value);
