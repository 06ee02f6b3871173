#pragma once
// The test of alkali-sensitive constituents ("VA_ALKALI"): from the masses of
// the size fractions of the sieving, a petrographic sorting, a flint density
// determination and a sodium-hydroxide test per size class, the shares of
// opaline sandstone (O) and reactive flint (F) are computed and the aggregate
// is classified E I (harmless), E II (conditionally usable) or E III
// (doubtful), once for opaline sandstone ("-O") and once for opaline
// sandstone and flint together ("-OF"). The worst size class decides.
//
// Record field 24 keeps everything as "key:value|" pairs (only non-empty
// values, order without meaning): "A0".."A7" fraction masses, "AP0".."AP7"
// their shares, "M<c><rr>" cell rr of size class c, "B<c><k>" "X" for class
// row k of size class c, "E_O", "E_OF" the overall classes, "KG1", "KG2" the
// grain group.
#include <array>
#include <map>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kSizeClasses = 6;  // 1/2, 2/4, 4/8, 8/16, 16/32, >32 mm
inline constexpr int kAlkaliRows = 21;  // rows of each size class
inline constexpr int kFractions = 8;    // Summe, < 1, 1/2, 2/4, 4/8, 8/16, 16/32, >32
inline constexpr int kClassRows = 6;    // E I-O, E II-O, E III-O, E I-OF, E II-OF, E III-OF
inline constexpr int kFlagCellCount = 54;

extern const std::array<const char*, kSizeClasses> kSizeClassNames;
extern const std::array<const char*, kFractions> kFractionNames;

// The rows of a size class.
enum AlkaliRow : int {
  kSampleMass = 0,      // G PE: rows 1 + 3 + 5
  kUnreactive = 1,      // W PU [g], input
  kUnreactiveShare,     // [%]
  kFlint,               // W PF [g], input
  kFlintShare,          // [%]
  kOpaline,             // W PO [g], input
  kOpalineShare,        // [%]
  kFlintDry,            // G FE, input (row 3 when empty)
  kFlintWetInAir,       // G FL, input
  kFlintUnderWater,     // G FW, input
  kFlintVolume,         // cm³
  kFlintDensity,        // kg/m³
  kReactiveFlint,       // W rF [%]
  kNaohSample,          // G NE or G PO, input (row 5 when empty)
  kNaohResidue,         // G NV, input
  kOpalineNaoh,         // W O>4 [g]
  kOpalineNaohShare,    // W O>4 [%]: O
  kSoftened,            // G NW, input
  kSoftenedShare,       // [%]
  kReactiveFlintCopy,   // W rF [%]: F
  kFiveOPlusF,          // 5 O + F [%]
};
// The rows a size class takes as input.
inline constexpr std::array<int, 9> kAlkaliInputRows = {kUnreactive, kFlint, kOpaline, kFlintDry, kFlintWetInAir,
                                                        kFlintUnderWater, kNaohSample, kNaohResidue, kSoftened};
constexpr bool IsAlkaliInputRow(int row) {
  for (int input : kAlkaliInputRows)
    if (input == row) return true;
  return false;
}
// The classes 1/2 and 2/4 have the sodium-hydroxide test only (rows 13 to 16).
constexpr bool IsFineSizeClass(int sizeClass) { return sizeClass < 2; }
constexpr bool IsShownCell(int sizeClass, int row) {
  return !IsFineSizeClass(sizeClass) || (row >= kNaohSample && row <= kOpalineNaohShare);
}

using AlkaliCells = std::array<std::array<std::string, kAlkaliRows>, kSizeClasses>;
using AlkaliMarks = std::array<std::array<std::string, kClassRows>, kSizeClasses>;
using FractionTexts = std::array<std::string, kFractions>;

// The cells that are painted orange while an input they need is missing; the
// same table gives the order of the clipboard exchange.
struct FlagCell {
  int sizeClass;
  int row;
};
extern const std::array<FlagCell, kFlagCellCount> kFlagCells;
// The index of a cell in kFlagCells, -1 when it is none.
int FlagCellIndex(int sizeClass, int row);

// A mass with 2 decimals below 99.995, else with 1.
std::string FormatMassValue(double value);

// ---- fraction shares

struct FractionShares {
  FractionTexts masses;  // 1 decimal; [0] the total
  FractionTexts shares;  // 1 decimal; empty while the total is not above 0
};
// Shares of the masses f = 1 .. 7 (the total is computed, [0] is not read);
// the largest share takes up the rounding, so that they add up to 100.0.
FractionShares ComputeFractionShares(const FractionTexts& masses);

// ---- classification

// The class row of a size class: 0 E I, 1 E II, 2 E III; by the share O of
// opaline sandstone alone (-O, and -OF of the classes 1/2 and 2/4), or by O,
// the reactive flint F and 5 O + F (-OF of the classes 4/8 to >32).
int ClassRowByOpaline(double o);
int ClassRowByOpalineAndFlint(double o, double f);

// Class indexes: 0 none, 1 E III, 2 E II, 3 E I (higher is better).
std::string AlkaliClassText(unsigned index, bool withFlint);
// The required class of part 1 (-O) or 2 (-OF) of the material's "VA_ALKALI"
// entry; a value outside 0 .. 3 counts as 3.
int RequiredAlkaliClass(const std::string& sideTestEntry, int part);

struct AlkaliClasses {
  AlkaliCells cells;  // inputs normalised, computed rows filled
  AlkaliMarks marks;  // "X" or ""
  std::array<bool, kFlagCellCount> missing{};  // the orange flags
  unsigned indexO = 0, indexOF = 0;
  std::string classO, classOF;
  bool requirementStated = false;  // a required class is not 0
  bool requirementMet = false;     // meaningful only when judged
  // A face shows: a class is required and both overall classes exist.
  bool Judged() const { return requirementStated && !classO.empty() && !classOF.empty(); }
  // A refused input cell (InputId(size class, row)), flint under water above
  // flint wet in air, or a mass after the NaOH test more than a step of its
  // display above its sample: the cells stay as typed, nothing is computed or
  // classified.
  InputFaults faults;
};
// `shareBelow1` is the shown share of the fraction "< 1".
AlkaliClasses ComputeAlkaliClasses(const AlkaliCells& cells, const std::string& shareBelow1, int requiredO,
                                   int requiredOF);

// ---- the whole test

struct AlkaliInput {
  FractionTexts masses;  // f = 1 .. 7 read
  AlkaliCells cells;
  std::string grainGroup1, grainGroup2;
  int requiredO = 0, requiredOF = 0;
};

struct AlkaliResult {
  FractionShares fractions;
  AlkaliClasses classes;
  std::string grainGroup1, grainGroup2;
  // "0" without grain group or overall class, or with a fault; else with a requirement "8"
  // met or "9" not met, without one "1".
  std::string status;

  // The data string of field 24.
  std::string DataString() const;
};
AlkaliResult ComputeAlkali(const AlkaliInput& input);

// What the dialog starts with: the cells and grain group of the data string,
// the fraction masses of the current sieving (";"-separated, f = 1 .. 7) and
// the required classes of the material's "VA_ALKALI" entry.
AlkaliInput AlkaliInputFromRecord(const std::string& data, const std::string& fractionMasses,
                                  const std::string& sideTestEntry);
// The pairs of a data string: split at "|" up to the first empty entry, each
// entry at ":" into key and value.
std::map<std::string, std::string> ParseAlkaliData(const std::string& data);
// Keys of the data string.
std::string AlkaliCellKey(int sizeClass, int row);
std::string AlkaliMarkKey(int sizeClass, int classRow);

TestEntryResult AlkaliEntryResult(const AlkaliResult& result);

// ---- clipboard exchange of the 54 flag cells

// The texts of the flag cells in table order, each followed by a tab.
std::string FlagCellsText(const AlkaliCells& cells);
// Tab-separated text fills the 54 cells (missing fields empty them); a text
// without a tab is no cell block. A line end at the end is not part of the cells.
bool IsCellBlock(const std::string& clipboard);
void PasteFlagCells(AlkaliCells& cells, const std::string& clipboard);
