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
#include "evaluation/wasserbausteine/wbsinputs.h"
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

// A row of the requirement list: range, cumulative mass, share, required,
// and the fulfilment word as stored ("ja", "nein"; "" when nothing is judged).
struct MassListRow {
  std::string range, actual, share, required, word;
};

struct MassDistributionResult {
  bool categoryKnown = false;
  bool computed = false;     // graded: a category, more than 0.001 kg, no refused mass or dust
  bool shapeJudged = false;  // the shapes counted: graded, and no length or thickness refused
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
  bool lightMet = true, heavyMet = true;  // false only when the class's limit is judged and missed
  std::string table;                      // the fixed-pitch table, lines ending in "\r\n"
  std::array<MassListRow, 6> list;        // the four limits, then by mass and by number
  std::string status;                     // "0", "8" or "9": the grading alone
  WBSMassData data;                       // the inputs normalised and the results, as stored
  InputFaults faults;                     // refused inputs (wbsinputs.h)
};

// The grading needs the masses and the dust alone: a refused mass or dust
// gives only the inputs and the faults (no table, no list, status "0"); a
// refused length or thickness, or a stone thicker than long, holds back the
// shape results only. Without a category, or with 0.001 kg or less in all,
// no range is judged (status "0"); the shape limit of the class is judged
// only on stones whose shape was measured and never enters the status.
MassDistributionResult ComputeMassDistribution(const MassDistributionInput& input);
// A mass or the dust among the faults: nothing is graded.
bool HasGradingFault(const InputFaults& faults);
