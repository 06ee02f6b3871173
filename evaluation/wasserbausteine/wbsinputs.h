#pragma once
// The inputs of the armourstone sheets as the faults of their computations
// name them (InputFault::input): the residue of a sieving row, the mass,
// length and thickness of a stone, the dust of a weighing and the shape
// limit. WBSInputOf gives back what an id names.
//
//   AddInputFault(faults, WBSThicknessInput(24), 62500, "...");
//   const WBSInput in = WBSInputOf(fault.input);   // kThickness, index 24
#include "records/wbsfield.h"

enum class WBSInputKind : int { kResidue, kMass, kLength, kThickness, kDust, kLimit };

struct WBSInput {
  WBSInputKind kind = WBSInputKind::kResidue;
  int index = 0;  // the table row of a residue, the stone (0 .. 219) of a mass, length or thickness
};

constexpr int WBSInputId(WBSInput input) { return static_cast<int>(input.kind) * kWBSStones + input.index; }
constexpr WBSInput WBSInputOf(int id) { return {static_cast<WBSInputKind>(id / kWBSStones), id % kWBSStones}; }
// A mass, length or thickness: the input of one stone.
constexpr bool IsStoneInput(WBSInput input) {
  return input.kind == WBSInputKind::kMass || input.kind == WBSInputKind::kLength ||
         input.kind == WBSInputKind::kThickness;
}
// A length or thickness: the input of a stone's shape.
constexpr bool IsShapeInput(WBSInput input) {
  return input.kind == WBSInputKind::kLength || input.kind == WBSInputKind::kThickness;
}

constexpr int WBSResidueInput(int row) { return WBSInputId({WBSInputKind::kResidue, row}); }
constexpr int WBSMassInput(int stone) { return WBSInputId({WBSInputKind::kMass, stone}); }
constexpr int WBSLengthInput(int stone) { return WBSInputId({WBSInputKind::kLength, stone}); }
constexpr int WBSThicknessInput(int stone) { return WBSInputId({WBSInputKind::kThickness, stone}); }
inline constexpr int kWBSDustInput = WBSInputId({WBSInputKind::kDust, 0});
inline constexpr int kWBSLimitInput = WBSInputId({WBSInputKind::kLimit, 0});
